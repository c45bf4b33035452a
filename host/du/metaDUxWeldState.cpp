// Storage of the weld state, version 1, after the DUxSymState part: orientation, ident line
// type, arrow-side position, recover-prefix and recovered flags, the number of sub-weldings and
// each sub-welding: arrow-side position, orientation, field-weld type, area description,
// association type, closed-tail flag, notes, then its four weld slots (arrow primary, arrow
// secondary, other primary, other secondary), each a presence flag and, when present, the weld
// type, group, contour type, brazing flag, prefix, the six value texts and the finishing
// method (version 0 had none).
#include "du/DUxWeldState.h"
#include "rse/RSeCloneCommander.h"
#include "rse/RSeMeta.h"

namespace {
// {3f0c2a61-5b7e-4d19-9a0e-6c1d2b7e4a10}
void WeldStateGuid(UTxGUID& g) {
    g = UTxGUID(0x3f0c2a61, 0x5b7e4d19, 0x9a0e6c1d, 0x2b7e4a10);
}

// The least a stored sub-welding takes: six 32-bit values, a flag, a string and four flags,
// each with its tag.
constexpr size_t kMinSubWeldingBytes = 12 * 4;

void LoadWeld(RSeStream& s, DUxCWeld& w, bool withFinish) {
    s.Read(w.weldType);
    s.Read(w.group);
    s.Read(w.contourType);
    s.Read(w.brazing);
    s.Read(w.prefix);
    for (UTxString16& v : w.values)
        s.Read(v);
    w.finish.clear();
    if (withFinish) s.Read(w.finish);
}

void SaveWeld(RSeStream& s, const DUxCWeld& w) {
    s.Write(w.weldType);
    s.Write(w.group);
    s.Write(w.contourType);
    s.Write(w.brazing);
    s.Write(w.prefix);
    for (const UTxString16& v : w.values)
        s.Write(v);
    s.Write(w.finish);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const DUxWeldState*) {
    static RSeMetaType* mt =
        RSeMakeMeta<DUxWeldState>(u"DUxWeldState", &WeldStateGuid, 1, RSeMetaType::kClass,
                                  RSe::_InitMeta(static_cast<const DUxSymState*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DUxWeldState* p) {
    return _InitMeta(p);
}
} // namespace RSe

static RSeMetaType* const s_meta = RSe::_InitMeta(static_cast<const DUxWeldState*>(nullptr));

RSeMetaType* DUxWeldState::GetMeta() const {
    return RSe::_GetMeta(this);
}

void DUxWeldState::Load(RSeStream& s) {
    RSeMetaType::PlainLoad(this, s);
    s.Read(m_orientation);
    s.Read(m_identLineType);
    s.Read(m_arrowSidePosition);
    s.Read(m_recoverPrefix);
    s.Read(m_recovered);
    LoadSubWeldings(s, m_subWeldings);
}

void DUxWeldState::LoadMigrate(RSeStream& s) {
    RSeMetaType::PlainLoad(this, s);
    s.Read(m_orientation);
    s.Read(m_identLineType);
    s.Read(m_arrowSidePosition);
    s.Read(m_recoverPrefix);
    s.Read(m_recovered);
    LoadSubWeldings(s, m_subWeldings, s.GetMetaContext().GetStoredVersion() >= 1);
}

void DUxWeldState::Save(RSeStream& s) const {
    RSeMetaType::PlainSave(this, s);
    s.Write(m_orientation);
    s.Write(m_identLineType);
    s.Write(m_arrowSidePosition);
    s.Write(m_recoverPrefix);
    s.Write(m_recovered);
    SaveSubWeldings(s, m_subWeldings);
}

UTxResult DUxWeldState::Clone(DUxWeldState* target, RSeCloneCommander* cc) const {
    RSeMetaType::PlainClone(this, target, cc);
    target->m_orientation = m_orientation;
    target->m_identLineType = m_identLineType;
    target->m_arrowSidePosition = m_arrowSidePosition;
    target->m_recoverPrefix = m_recoverPrefix;
    target->m_recovered = m_recovered;
    target->m_subWeldings = m_subWeldings;
    return {};
}

void DUxWeldState::LoadSubWeldings(RSeStream& s, std::vector<DUxCSubWelding>& subs,
                                   bool withFinish) {
    uint32_t n = 0;
    s.Read(n);
    s.CheckCount(n, kMinSubWeldingBytes);
    subs.assign(n, DUxCSubWelding());
    for (DUxCSubWelding& sub : subs) {
        s.Read(sub.arrowSidePosition);
        s.Read(sub.orientation);
        s.Read(sub.fieldWeldType);
        s.Read(sub.areaDescType);
        s.Read(sub.associationType);
        s.Read(sub.closedTail);
        s.Read(sub.notes);
        for (size_t k = 0; k < sub.welds.size(); ++k) {
            bool present = false;
            s.Read(present);
            sub.present[k] = present;
            if (present) LoadWeld(s, sub.welds[k], withFinish);
        }
    }
}

void DUxWeldState::SaveSubWeldings(RSeStream& s, const std::vector<DUxCSubWelding>& subs) {
    s.Write(uint32_t(subs.size()));
    for (const DUxCSubWelding& sub : subs) {
        s.Write(sub.arrowSidePosition);
        s.Write(sub.orientation);
        s.Write(sub.fieldWeldType);
        s.Write(sub.areaDescType);
        s.Write(sub.associationType);
        s.Write(sub.closedTail);
        s.Write(sub.notes);
        for (size_t k = 0; k < sub.welds.size(); ++k) {
            s.Write(bool(sub.present[k]));
            if (sub.present[k]) SaveWeld(s, sub.welds[k]);
        }
    }
}
