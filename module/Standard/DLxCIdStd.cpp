#include "Standard/DLxCIdStd.h"

#include "Standard/DLxStdFactory.h"
#include "Standard/DLxStdNorms.h"
#include "rse/RSeTransaction.h"

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
