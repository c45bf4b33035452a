// Storage of the sketched symbol's state (version 3, after the symbol state's part): the sketch
// placement, the scale, the rotation, the use-geometric-centre byte. Version 0 stored only the
// placement and reads as scale 1, no rotation, geometric centre; versions 1 and 2 store all
// four. After an older version the static flag is cleared and the leader shown.
#include "BofM/DLxPersistUtil.h"
#include "Symbol/DLxCallOutState.h"
#include "dl/DLxSketch.h"
#include "rse/RSeCloneCommander.h"
#include "rse/RSeMeta.h"

namespace {
void StateGuid(UTxGUID& g) {
    g = UTxGUID(0x28156909, 0x375D11D4, 0xB7610060, 0xB0FBB682);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const DLxCallOutState*) {
    static RSeMetaType* mt = RSeMakeMeta<DLxCallOutState>(
        u"DLxCallOutState", &StateGuid, 3, RSeMetaType::kClass,
        RSe::_InitMeta(static_cast<const DUxSymState*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DLxCallOutState* p) {
    return _InitMeta(p);
}
} // namespace RSe

RSeMetaType* DLxCallOutState::GetMeta() const {
    return RSe::_GetMeta(this);
}

void DLxCallOutState::Load(RSeStream& s) {
    DLxPersistUtil::LoadBase(this, s);
    if (DLxPersistUtil::StoredVersion(s) != 3) DLxPersistUtil::RefuseVersion(__FILE__, __LINE__);
    s.Read(m_sketch);
    s.Read(m_symbolScale);
    s.Read(m_rotation);
    s.Read(m_useGeomCenter);
}

void DLxCallOutState::LoadMigrate(RSeStream& s) {
    const uint16_t version = DLxPersistUtil::StoredVersion(s);
    DLxPersistUtil::LoadBase(this, s);
    if (version > 3) DLxPersistUtil::RefuseVersion(__FILE__, __LINE__);
    s.Read(m_sketch);
    if (version == 0) {
        m_symbolScale = 1.0;
        m_rotation = 0.0;
        m_useGeomCenter = true;
    } else {
        s.Read(m_symbolScale);
        s.Read(m_rotation);
        s.Read(m_useGeomCenter);
    }
    ClearFlag(kStaticFlag);
    SetFlag(kLeaderVisibleFlag);
}

void DLxCallOutState::Save(RSeStream& s) const {
    DLxPersistUtil::SaveBase(this, s);
    s.Write(m_sketch);
    s.Write(m_symbolScale);
    s.Write(m_rotation);
    s.Write(m_useGeomCenter);
}

void DLxCallOutState::FixPtrs(RSeMetaContext& ctx) {
    DLxPersistUtil::FixPtrsBase(this, ctx);
    m_sketch.FixAddress(ctx);
}

UTxResult DLxCallOutState::Clone(DLxCallOutState* target, RSeCloneCommander* cc) const {
    DLxPersistUtil::CloneBase(this, target, cc);
    cc->CloneRef(m_sketch, target->m_sketch);
    target->m_rotation = m_rotation;
    target->m_symbolScale = m_symbolScale;
    target->m_useGeomCenter = m_useGeomCenter;
    return {};
}
