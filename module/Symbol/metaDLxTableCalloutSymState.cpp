// Storage of the table callout state (version 0, after the DUxSymState part): the primary
// entry reference, the attached-entry vector, the enlarge-by-text flag. Older versions stored
// nothing of their own: they load the base part only.
#include "BofM/DLxPersistUtil.h"
#include "Standard/DLxCTableCallout.h"
#include "Symbol/DLxTableCalloutStyleData.h"
#include "Symbol/DLxTableCalloutSymState.h"
#include "rse/RSeMeta.h"

namespace {
void StateGuid(UTxGUID& g) {
    g = UTxGUID(0x8FC1257B, 0xB42F4124, 0x92766DC5, 0xEE66D7A9);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const DLxTableCalloutSymState*) {
    static RSeMetaType* mt = RSeMakeMeta<DLxTableCalloutSymState>(
        u"DLxTableCalloutSymState", &StateGuid, 0, RSeMetaType::kAbstractClass,
        RSe::_InitMeta(static_cast<const DUxSymState*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DLxTableCalloutSymState* p) {
    return _InitMeta(p);
}
} // namespace RSe

RSeMetaType* DLxTableCalloutSymState::GetMeta() const {
    return RSe::_GetMeta(this);
}

void DLxTableCalloutSymState::Load(RSeStream& s) {
    DLxPersistUtil::LoadBase(this, s);
    {
        RSeIRefAllocDisable guard(s.GetSegment());
        s.Read(m_primary);
    }
    DLxPersistUtil::ReadVector(s, m_attached);
    s.Read(m_enlargeByText);
    delete m_styleData;
    m_styleData = nullptr;
}

void DLxTableCalloutSymState::LoadMigrate(RSeStream& s) {
    DLxPersistUtil::LoadBase(this, s);
    delete m_styleData;
    m_styleData = nullptr;
}

void DLxTableCalloutSymState::Save(RSeStream& s) const {
    DLxPersistUtil::SaveBase(this, s);
    s.Write(m_primary);
    DLxPersistUtil::WriteVector(s, m_attached);
    s << m_enlargeByText;
}

void DLxTableCalloutSymState::FixPtrs(RSeMetaContext& ctx) {
    DLxPersistUtil::FixPtrsBase(this, ctx);
    m_primary.FixAddress(ctx);
    DLxPersistUtil::FixVector(m_attached, ctx);
}

// The copy owns copies of the entries; its style data is made again on first use.
UTxResult DLxTableCalloutSymState::Clone(DLxTableCalloutSymState* target,
                                         RSeCloneCommander* cc) const {
    DLxPersistUtil::CloneBase(this, target, cc);
    DLxPersistUtil::CloneOwned(cc, m_primary, target->m_primary);
    DLxPersistUtil::CloneOwnedVector(m_attached, target->m_attached, cc);
    target->m_enlargeByText = m_enlargeByText;
    return {};
}
