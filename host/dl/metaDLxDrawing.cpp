#include "dl/DLxDrawing.h"

#include "dc/RDxPersist.h"
#include "fw/FWxStyle.h"
#include "rse/RSeMeta.h"

namespace {
void InitGuid(UTxGUID& g) {
    g = UTxGUID(0x7d1f0b10, 0x3c4e11d2, 0x9a110800, 0x09db0001);
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const DLxDrawing*) {
    static RSeMetaType* mt =
        RSeMakeMeta<DLxDrawing>(u"DLxDrawing", &InitGuid, 1, RSeMetaType::kClass,
                                RSe::_InitMeta(static_cast<const RDxObject*>(nullptr)));
    return mt;
}
RSeMetaType* _GetMeta(const DLxDrawing* p) {
    return _InitMeta(p);
}
} // namespace RSe

static RSeMetaType* const s_meta = RSe::_InitMeta(static_cast<const DLxDrawing*>(nullptr));

RSeMetaType* DLxDrawing::GetMeta() const {
    return RSe::_GetMeta(this);
}

void DLxDrawing::Load(RSeStream& s) {
    RSeMetaType::PlainLoad(this, s);
    s.Read(m_standard);
    RDxPersist::LoadRefs(s, m_styles);
    s.Read(m_showSickHighlight);
    s.Read(m_preserveAnnotations);
}

// Version 0 held the standard only: no styles, and the health settings at their defaults.
void DLxDrawing::LoadMigrate(RSeStream& s) {
    RSeMetaType::PlainLoad(this, s);
    s.Read(m_standard);
    m_styles.clear();
    m_showSickHighlight = true;
    m_preserveAnnotations = 0;
}

void DLxDrawing::FixPtrs(RSeMetaContext& ctx) {
    RSeMetaType::PlainFixPtrs(this, ctx);
    RDxPersist::FixRefs(m_styles, ctx);
}

void DLxDrawing::Save(RSeStream& s) const {
    RSeMetaType::PlainSave(this, s);
    s.Write(m_standard);
    RDxPersist::SaveRefs(s, m_styles);
    s.Write(m_showSickHighlight);
    s.Write(m_preserveAnnotations);
}

UTxResult DLxDrawing::Clone(DLxDrawing* target, RSeCloneCommander* cc) const {
    RSeMetaType::PlainClone(this, target, cc);
    target->m_standard = m_standard;
    RDxPersist::CloneRefs(m_styles, target->m_styles, cc);
    target->m_showSickHighlight = m_showSickHighlight;
    target->m_preserveAnnotations = m_preserveAnnotations;
    return {};
}
