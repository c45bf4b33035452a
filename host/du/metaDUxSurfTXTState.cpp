// DUxSurfTXTState, version 0: the symbol-state part, then the fourteen values (text, then
// visibility as 32-bit), subtype and orientation (32-bit), the angle (double), and the
// has-leader, all-around, majority, forced-tail and auto-adjustment flags (bytes). How a dialog
// presents the values is set again each time and not stored.
#include "du/DUxSurfTXTState.h"

#include "rse/RSeMeta.h"
#include "rse/RSeSaveData.h"

namespace {
// {0025eea6-11d4-f08f-1000-cdab7dd247b5}
void InitGuid(UTxGUID& g) {
    g = UTxGUID(0x0025eea6, 0x11d4f08f, 0x1000cdab, 0x7dd247b5);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const DUxSurfTXTState*) {
    static RSeMetaType* mt =
        RSeMakeMeta<DUxSurfTXTState>(u"DUxSurfTXTState", &InitGuid, 0, RSeMetaType::kClass,
                                     RSe::_InitMeta(static_cast<const DUxSymState*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DUxSurfTXTState* p) {
    return _InitMeta(p);
}
} // namespace RSe

static RSeMetaType* const s_meta = RSe::_InitMeta(static_cast<const DUxSurfTXTState*>(nullptr));

RSeMetaType* DUxSurfTXTState::GetMeta() const {
    return RSe::_GetMeta(this);
}

void DUxSurfTXTState::Load(RSeStream& s) {
    RSeMetaType::PlainLoad(this, s);
    for (size_t i = 0; i < m_values.size(); ++i) {
        s.Read(m_values[i]);
        s.Read(m_visibility[i]);
    }
    s.Read(m_subType);
    s.Read(m_orientation);
    s.Read(m_angle);
    s.Read(m_hasLeader);
    s.Read(m_allAround);
    s.Read(m_majority);
    s.Read(m_forcedTail);
    s.Read(m_autoAdjustment);
}

void DUxSurfTXTState::Save(RSeStream& s) const {
    RSeMetaType::PlainSave(this, s);
    for (size_t i = 0; i < m_values.size(); ++i) {
        s.Write(m_values[i]);
        s.Write(m_visibility[i]);
    }
    s.Write(m_subType);
    s.Write(m_orientation);
    s.Write(m_angle);
    s.Write(m_hasLeader);
    s.Write(m_allAround);
    s.Write(m_majority);
    s.Write(m_forcedTail);
    s.Write(m_autoAdjustment);
}

UTxResult DUxSurfTXTState::Clone(DUxSurfTXTState* t, RSeCloneCommander* cc) const {
    RSeMetaType::PlainClone(this, t, cc);
    t->m_values = m_values;
    t->m_visibility = m_visibility;
    t->m_subType = m_subType;
    t->m_orientation = m_orientation;
    t->m_angle = m_angle;
    t->m_hasLeader = m_hasLeader;
    t->m_allAround = m_allAround;
    t->m_majority = m_majority;
    t->m_forcedTail = m_forcedTail;
    t->m_autoAdjustment = m_autoAdjustment;
    return {};
}
