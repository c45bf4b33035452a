// Storage of the balloon state (version 5, after the table callout state's part): the local
// bill reference, then the used properties (a vector: type code, count, then each property's
// set, id and heading and its member). Version 0 stored neither, version 1 the bill reference
// only, versions 2 to 4 both as version 5 does. Every load renumbers the entries.
#include "BofM/DLxPersistUtil.h"
#include "Symbol/DLxBalloonSymState.h"
#include "dl/DLxLocalBOM.h"
#include "rse/RSe.h"
#include "rse/RSeErrors.h"
#include "rse/RSeMeta.h"

namespace {
void StateGuid(UTxGUID& g) {
    g = UTxGUID(0x78DC7110, 0xA7774852, 0xB57659C7, 0xF1A6E96B);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const DLxBalloonSymState*) {
    static RSeMetaType* mt = RSeMakeMeta<DLxBalloonSymState>(
        u"DLxBalloonSymState", &StateGuid, 5, RSeMetaType::kClass,
        RSe::_InitMeta(static_cast<const DLxTableCalloutSymState*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DLxBalloonSymState* p) {
    return _InitMeta(p);
}
} // namespace RSe

RSeMetaType* DLxBalloonSymState::GetMeta() const {
    return RSe::_GetMeta(this);
}

void DLxBalloonSymState::ReadProperties(RSeStream& s) {
    RSeTypeCode code;
    s.Read(code);
    if (code.code != RSeTypeCode::kVector)
        RSe::ThrowDamaged(u"a balloon's used properties are no vector");
    uint32_t n = 0;
    s.Read(n);
    m_usedProperties.clear();
    s.CheckCount(n, 16);
    m_usedProperties.reserve(n);
    for (uint32_t i = 0; i < n; ++i) {
        DUxStyleFormatColumnPropertyID property;
        property.Load(s);
        UTxString16 member;
        s.Read(member);
        property.SetMemberID(member);
        m_usedProperties.push_back(std::move(property));
    }
}

void DLxBalloonSymState::Load(RSeStream& s) {
    DLxPersistUtil::LoadBase(this, s);
    {
        RSeIRefAllocDisable guard(s.GetSegment());
        s.Read(m_localBOM);
    }
    ReadProperties(s);
}

void DLxBalloonSymState::LoadMigrate(RSeStream& s) {
    const uint16_t version = DLxPersistUtil::StoredVersion(s);
    DLxPersistUtil::LoadBase(this, s);
    if (version > 5) DLxPersistUtil::RefuseVersion(__FILE__, __LINE__);
    m_localBOM.Clear();
    m_usedProperties.clear();
    if (version >= 1) {
        RSeIRefAllocDisable guard(s.GetSegment());
        s.Read(m_localBOM);
    }
    if (version >= 2) ReadProperties(s);
}

void DLxBalloonSymState::Save(RSeStream& s) const {
    DLxPersistUtil::SaveBase(this, s);
    s.Write(m_localBOM);
    s << RSeTypeCode::kVector << uint32_t(m_usedProperties.size());
    for (const DUxStyleFormatColumnPropertyID& property : m_usedProperties) {
        property.Save(s);
        s << property.GetMemberID();
    }
}

void DLxBalloonSymState::FixPtrs(RSeMetaContext& ctx) {
    DLxPersistUtil::FixPtrsBase(this, ctx);
    m_localBOM.FixAddress(ctx);
}

UTxResult DLxBalloonSymState::PostRestore(RSeMetaContext& ctx) {
    DLxPersistUtil::PostRestoreBase(this, ctx);
    ReIndexBalloons();
    return {};
}

UTxResult DLxBalloonSymState::PostRestoreMigrate(RSeMetaContext& ctx) {
    return PostRestore(ctx);
}

// The copy numbers from the same bill; its properties are its own values, which the bill's
// usage already holds.
UTxResult DLxBalloonSymState::Clone(DLxBalloonSymState* target, RSeCloneCommander* cc) const {
    DLxPersistUtil::CloneBase(this, target, cc);
    cc->CloneRef(m_localBOM, target->m_localBOM);
    target->m_usedProperties = m_usedProperties;
    return {};
}
