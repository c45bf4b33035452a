#include "DatumId/DLxCenterDatumState.h"

#include "BofM/DLxPersistUtil.h"
#include "fw/FWxStyle.h"
#include "rse/RSeCloneCommander.h"
#include "rse/RSeMeta.h"
#include "rse/RSeSaveData.h"

namespace {
void InitGuid(UTxGUID& g) {
    g = UTxGUID(0xf5a6ed79, 0x7c6911d4, 0xb7690060, 0xb0fbb682);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const DLxCenterDatumState*) {
    static RSeMetaType* mt =
        RSeMakeMeta<DLxCenterDatumState>(u"DLxCenterDatumState", &InitGuid, 4, RSeMetaType::kClass,
                                         RSe::_InitMeta(static_cast<const RDxState*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DLxCenterDatumState* p) {
    return _InitMeta(p);
}
} // namespace RSe

static RSeMetaType* const s_meta = RSe::_InitMeta(static_cast<const DLxCenterDatumState*>(nullptr));

RSeMetaType* DLxCenterDatumState::GetMeta() const {
    return RSe::_GetMeta(this);
}

// The base part, the origin, scale, offsets, hide flag and the two style references.
void DLxCenterDatumState::Load(RSeStream& s) {
    DLxPersistUtil::LoadBase(this, s);
    RSeLoadData(s, m_origin);
    s.Read(m_scale);
    s.Read(m_relX);
    s.Read(m_relY);
    s.Read(m_hide);
    s.Read(m_leaderStyle);
    s.Read(m_layer);
}

// Versions 0 to 2 kept a GUID after the origin, which nothing reads any more. Version 0 kept no
// offsets, versions 1 to 3 kept them with the opposite sign; the hide flag came with version 2.
// None kept the style references.
void DLxCenterDatumState::LoadMigrate(RSeStream& s) {
    DLxPersistUtil::LoadBase(this, s);
    const uint16_t version = DLxPersistUtil::StoredVersion(s);
    m_relX = m_relY = 0;
    m_hide = false;
    if (version > 3) return;
    RSeLoadData(s, m_origin);
    if (version <= 2) {
        UTxGUID dropped;
        s.Read(dropped);
    }
    s.Read(m_scale);
    if (version >= 1) {
        s.Read(m_relX);
        s.Read(m_relY);
        // Subtracted from zero rather than negated, so that a zero offset stays +0 and the
        // upgraded drawing saves as a new one would.
        m_relX = 0.0 - m_relX;
        m_relY = 0.0 - m_relY;
    }
    if (version >= 2) s.Read(m_hide);
}

void DLxCenterDatumState::Save(RSeStream& s) const {
    DLxPersistUtil::SaveBase(this, s);
    RSeSaveData(s, m_origin);
    s.Write(m_scale);
    s.Write(m_relX);
    s.Write(m_relY);
    s.Write(m_hide);
    s.Write(m_leaderStyle);
    s.Write(m_layer);
}

void DLxCenterDatumState::FixPtrs(RSeMetaContext& ctx) {
    DLxPersistUtil::FixPtrsBase(this, ctx);
    m_leaderStyle.FixAddress(ctx);
    m_layer.FixAddress(ctx);
}

UTxResult DLxCenterDatumState::Clone(DLxCenterDatumState* target, RSeCloneCommander* cc) const {
    DLxPersistUtil::CloneBase(this, target, cc);
    target->m_box = m_box;
    target->m_origin = m_origin;
    target->m_scale = m_scale;
    target->m_relX = m_relX;
    target->m_relY = m_relY;
    target->m_hide = m_hide;
    cc->CloneRef(m_leaderStyle, target->m_leaderStyle);
    cc->CloneRef(m_layer, target->m_layer);
    return {};
}
