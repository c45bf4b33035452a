// Storage of the legacy surface-texture symbol, after the legacy symbol part: the data record
// (reference), at version 1 and at version 0 alike. Symbols of version 0 are queued for the
// surface-texture upgrade.
#include "BofM/DLxPersistUtil.h"
#include "Standard/DLxCSurfText.h"
#include "Symbol/DLxSurfaceTexture.h"
#include "rse/RSeMeta.h"

namespace {
// {6AEC4BC1-11D1-4FE7-6000-849244CA2B97}
void SurfaceTextureGuid(UTxGUID& g) {
    g = UTxGUID(0x6AEC4BC1, 0x11D14FE7, 0x60008492, 0x44CA2B97);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const DLxSurfaceTexture*) {
    static RSeMetaType* mt = RSeMakeMeta<DLxSurfaceTexture>(
        u"DLxSurfaceTexture", &SurfaceTextureGuid, 1, RSeMetaType::kClass,
        RSe::_InitMeta(static_cast<const DLxSymbol*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DLxSurfaceTexture* p) {
    return _InitMeta(p);
}
} // namespace RSe

RSeMetaType* DLxSurfaceTexture::GetMeta() const {
    return RSe::_GetMeta(this);
}

void DLxSurfaceTexture::Load(RSeStream& s) {
    DLxPersistUtil::LoadBase(this, s);
    RSeIRefAllocDisable guard(s.GetSegment());
    s.Read(m_record);
}

void DLxSurfaceTexture::LoadMigrate(RSeStream& s) {
    if (DLxPersistUtil::StoredVersion(s) > 0) DLxPersistUtil::RefuseVersion(__FILE__, __LINE__);
    Load(s);
}

void DLxSurfaceTexture::Save(RSeStream& s) const {
    DLxPersistUtil::SaveBase(this, s);
    s.Write(m_record);
}

void DLxSurfaceTexture::FixPtrs(RSeMetaContext& ctx) {
    DLxPersistUtil::FixPtrsBase(this, ctx);
    m_record.FixAddress(ctx);
}

UTxResult DLxSurfaceTexture::PostRestoreMigrate(RSeMetaContext& ctx) {
    DLxPersistUtil::PostRestoreBase(this, ctx);
    QueueForUpgrade();
    return {};
}

UTxResult DLxSurfaceTexture::Clone(DLxSurfaceTexture* t, RSeCloneCommander* cc) const {
    DLxPersistUtil::CloneBase(this, t, cc);
    DLxPersistUtil::CloneOwned(cc, m_record, t->m_record);
    return {};
}
