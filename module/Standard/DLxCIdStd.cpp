#include "Standard/DLxCIdStd.h"

#include "Standard/DLxStdFactory.h"
#include "Standard/DLxStdNorms.h"
#include "du/DUxCAuxEntArray.h"
#include "du/DUxIdStyle.h"
#include "ge/BBox.h"
#include "ge/WqGeMatrix3d.h"
#include "rse/RSeTransaction.h"

bool DLxCIdStd::IsIdTypeAllowed(int32_t, bool) const {
    return true;
}

bool DLxCIdStd::IsStyleIdTypeAllowed(int32_t, bool) const {
    return true;
}

UTxResult DLxCIdStd::GetIdExtents(BBox& extents, const DUxDatumIdState* state,
                                  const WqGeMatrix3d& transform) const {
    DUxCAuxEntArray entities;
    BuildIdEntities(state, entities);
    entities.TransformBy(transform);
    const BBox own = entities.GetExtents();
    if (!own.isEmpty()) extents.extend(own);
    return {};
}

bool DLxCIdStd::DrawId(SMxDisplayList& list, const DUxDatumIdState* state,
                       const WqGeMatrix3d& transform, const DLxSymInstance*) const {
    DUxCAuxEntArray entities;
    BuildIdEntities(state, entities);
    entities.TransformBy(transform);
    entities.Draw(list);
    return true;
}

void DLxCIdStd::CopyToStyle(const RSeRef<FWxStyle>& style) {
    auto* id = dynamic_cast<DUxIdStyle*>(style.get());
    if (!id) return;
    id->SetIdentifierFlag(IsStyleIdTypeAllowed(kDatumIdType, false));
    id->SetStyleDescription(GetStandardReference());
}

bool DLxCIdStdANSI::IsIdTypeAllowed(int32_t type, bool) const {
    return type == kDatumIdType;
}

RSeRef<DUxCategoryDefault> DLxCIdStdANSI::CreateCategoryDefault(FWxSceneDoc* doc,
                                                                RSeSegment* segment,
                                                                int32_t category,
                                                                const UTxGUID& standard) {
    return DLxMakeStandardDefault<DLxCIdStdANSI>(doc, segment, category, standard);
}

UTxString16 DLxCIdStdANSI::GetStandardReference() const {
    return DLxNormTitle(DLxStdKind::Id, DLxStdWhich::ANSI);
}

RSeRef<DUxCategoryDefault> DLxCIdStdBSI::CreateCategoryDefault(FWxSceneDoc* doc,
                                                               RSeSegment* segment,
                                                               int32_t category,
                                                               const UTxGUID& standard) {
    return DLxMakeStandardDefault<DLxCIdStdBSI>(doc, segment, category, standard);
}

UTxString16 DLxCIdStdBSI::GetStandardReference() const {
    return DLxNormTitle(DLxStdKind::Id, DLxStdWhich::BSI);
}

RSeRef<DUxCategoryDefault> DLxCIdStdDIN::CreateCategoryDefault(FWxSceneDoc* doc,
                                                               RSeSegment* segment,
                                                               int32_t category,
                                                               const UTxGUID& standard) {
    return DLxMakeStandardDefault<DLxCIdStdDIN>(doc, segment, category, standard);
}

UTxString16 DLxCIdStdDIN::GetStandardReference() const {
    return DLxNormTitle(DLxStdKind::Id, DLxStdWhich::DIN);
}

RSeRef<DUxCategoryDefault> DLxCIdStdGB::CreateCategoryDefault(FWxSceneDoc* doc, RSeSegment* segment,
                                                              int32_t category,
                                                              const UTxGUID& standard) {
    return DLxMakeStandardDefault<DLxCIdStdGB>(doc, segment, category, standard);
}

UTxString16 DLxCIdStdGB::GetStandardReference() const {
    return DLxNormTitle(DLxStdKind::Id, DLxStdWhich::GB);
}

RSeRef<DUxCategoryDefault> DLxCIdStdISO::CreateCategoryDefault(FWxSceneDoc* doc,
                                                               RSeSegment* segment,
                                                               int32_t category,
                                                               const UTxGUID& standard) {
    return DLxMakeStandardDefault<DLxCIdStdISO>(doc, segment, category, standard);
}

UTxString16 DLxCIdStdISO::GetStandardReference() const {
    return DLxNormTitle(DLxStdKind::Id, DLxStdWhich::ISO);
}

RSeRef<DUxCategoryDefault> DLxCIdStdJIS::CreateCategoryDefault(FWxSceneDoc* doc,
                                                               RSeSegment* segment,
                                                               int32_t category,
                                                               const UTxGUID& standard) {
    return DLxMakeStandardDefault<DLxCIdStdJIS>(doc, segment, category, standard);
}

UTxString16 DLxCIdStdJIS::GetStandardReference() const {
    return DLxNormTitle(DLxStdKind::Id, DLxStdWhich::JIS);
}
