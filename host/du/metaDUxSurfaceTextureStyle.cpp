// DUxSurfaceTextureStyle, version 0: the style part, then fit circle (32-bit), the all-around,
// force-tail, majority and production-multiline flags (bytes), the standard code (32-bit), the
// lay-symbol mask (32-bit).
#include "du/DUxSurfaceTextureStyle.h"

#include "rse/RSeMeta.h"
#include "rse/RSeSaveData.h"

namespace {
// {3f0e5a21-7c2b-11d2-9a14-080009db0202}
void InitGuid(UTxGUID& g) {
    g = UTxGUID(0x3f0e5a21, 0x7c2b11d2, 0x9a140800, 0x09db0202);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const DUxSurfaceTextureStyle*) {
    static RSeMetaType* mt = RSeMakeMeta<DUxSurfaceTextureStyle>(
        u"DUxSurfaceTextureStyle", &InitGuid, 0, RSeMetaType::kClass,
        RSe::_InitMeta(static_cast<const FWxStyle*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DUxSurfaceTextureStyle* p) {
    return _InitMeta(p);
}
} // namespace RSe

static RSeMetaType* const s_meta =
    RSe::_InitMeta(static_cast<const DUxSurfaceTextureStyle*>(nullptr));

RSeMetaType* DUxSurfaceTextureStyle::GetMeta() const {
    return RSe::_GetMeta(this);
}

void DUxSurfaceTextureStyle::Load(RSeStream& s) {
    RSeMetaType::PlainLoad(this, s);
    s.Read(m_fitCircle);
    s.Read(m_allAroundAllowed);
    s.Read(m_forceTail);
    s.Read(m_majorityAllowed);
    s.Read(m_productionMultiline);
    s.Read(m_standard);
    s.Read(m_layMask);
}

void DUxSurfaceTextureStyle::Save(RSeStream& s) const {
    RSeMetaType::PlainSave(this, s);
    s.Write(m_fitCircle);
    s.Write(m_allAroundAllowed);
    s.Write(m_forceTail);
    s.Write(m_majorityAllowed);
    s.Write(m_productionMultiline);
    s.Write(m_standard);
    s.Write(m_layMask);
}

UTxResult DUxSurfaceTextureStyle::Clone(DUxSurfaceTextureStyle* t, RSeCloneCommander* cc) const {
    RSeMetaType::PlainClone(this, t, cc);
    t->m_fitCircle = m_fitCircle;
    t->m_allAroundAllowed = m_allAroundAllowed;
    t->m_forceTail = m_forceTail;
    t->m_majorityAllowed = m_majorityAllowed;
    t->m_productionMultiline = m_productionMultiline;
    t->m_standard = m_standard;
    t->m_layMask = m_layMask;
    return {};
}
