#include "BofM/DLxPersistUtil.h"
#include "Standard/DLxCTableCallout.h"
#include "rd/RDxString.h"
#include "rse/RSeMeta.h"
#include "rse/RSeSaveData.h"

namespace {
void TableCalloutGuid(UTxGUID& g) {
    g = UTxGUID(0x28be9fe0, 0x41864935, 0xb3657084, 0x1c5abc86);
}

RSeMetaType* MakeMeta() {
    RSeMetaType* mt = RSeMakeMeta<DLxCTableCallout>(
        u"DLxCTableCallout", &TableCalloutGuid, 0, RSeMetaType::kAbstractClass,
        RSe::_InitMeta(static_cast<const RSeIDed*>(nullptr)));
    // Balloons of versions 0 to 11 come from documents whose callout level stored nothing; they
    // declare that level under this form, which reads only its base.
    mt->AddFormerForm(DLxCTableCallout::kEmptyLevelGUID, 0, DLxCTableCallout::kEmptyLevelVersion);
    return mt;
}
} // namespace

namespace RSe {
RSeMetaType* _InitMeta(const DLxCTableCallout*) {
    static RSeMetaType* mt = MakeMeta();
    return mt;
}
RSeMetaType* _GetMeta(const DLxCTableCallout* p) {
    return _InitMeta(p);
}
} // namespace RSe

RSeMetaType* DLxCTableCallout::GetMeta() const {
    return RSe::_GetMeta(this);
}

// Record (version 0): index, direction, origin, override text, sketch instance.
void DLxCTableCallout::Load(RSeStream& s) {
    DLxPersistUtil::LoadBase(this, s);
    s.Read(m_index);
    s.Read(m_direction);
    RSeLoadData(s, m_origin);
    {
        RSeIRefAllocDisable guard(s.GetSegment());
        s.Read(m_overrideText);
        s.Read(m_sketchInstance);
    }
    ClearMeasures();
}

// Documents older than this level kept the callout's values in the balloon's own record.
void DLxCTableCallout::LoadMigrate(RSeStream& s) {
    DLxPersistUtil::LoadBase(this, s);
    ClearMeasures();
}

void DLxCTableCallout::Save(RSeStream& s) const {
    DLxPersistUtil::SaveBase(this, s);
    s << m_index << m_direction;
    RSeSaveData(s, m_origin);
    s.Write(m_overrideText);
    s.Write(m_sketchInstance);
}

void DLxCTableCallout::FixPtrs(RSeMetaContext& ctx) {
    DLxPersistUtil::FixPtrsBase(this, ctx);
    m_overrideText.FixAddress(ctx);
    m_sketchInstance.FixAddress(ctx);
}

UTxResult DLxCTableCallout::Clone(DLxCTableCallout* t, RSeCloneCommander* cc) const {
    DLxPersistUtil::CloneBase(this, t, cc);
    t->m_origin = m_origin;
    t->m_direction = m_direction;
    t->m_index = m_index;
    // Each entry owns its override text.
    DLxPersistUtil::CloneOwned(cc, m_overrideText, t->m_overrideText);
    cc->CloneRef(m_sketchInstance, t->m_sketchInstance);
    t->m_width = m_width;
    t->m_height = m_height;
    t->m_boundary = m_boundary;
    return {};
}
