// Storage of DUxStandardStyle, version 0: the style's part, then the standard's styles (counted
// reference list).
#include "dc/RDxPersist.h"
#include "du/DUxStandardStyle.h"
#include "rse/RSeMeta.h"

namespace {
void StandardStyleGuid(UTxGUID& g) {
    g = UTxGUID(0x5e2a7c31, 0x1b4d4f60, 0x8a9b0c1d, 0x2e3f4a51);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const DUxStandardStyle*) {
    static RSeMetaType* mt = RSeMakeMeta<DUxStandardStyle>(
        u"DUxStandardStyle", &StandardStyleGuid, 0, RSeMetaType::kClass,
        RSe::_InitMeta(static_cast<const FWxStyle*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DUxStandardStyle* p) {
    return _InitMeta(p);
}
} // namespace RSe

static RSeMetaType* const s_meta = RSe::_InitMeta(static_cast<const DUxStandardStyle*>(nullptr));

RSeMetaType* DUxStandardStyle::GetMeta() const {
    return RSe::_GetMeta(this);
}

void DUxStandardStyle::Load(RSeStream& s) {
    RSeMetaType::PlainLoad(this, s);
    RDxPersist::LoadRefs(s, m_styles);
}
void DUxStandardStyle::FixPtrs(RSeMetaContext& ctx) {
    RSeMetaType::PlainFixPtrs(this, ctx);
    RDxPersist::FixRefs(m_styles, ctx);
}
void DUxStandardStyle::Save(RSeStream& s) const {
    RSeMetaType::PlainSave(this, s);
    RDxPersist::SaveRefs(s, m_styles);
}
UTxResult DUxStandardStyle::Clone(DUxStandardStyle* t, RSeCloneCommander* cc) const {
    RSeMetaType::PlainClone(this, t, cc);
    RDxPersist::CloneRefs(m_styles, t->m_styles, cc);
    return {};
}
