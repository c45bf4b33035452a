#include "Standard/DLxCPartListStd.h"

#include "Standard/DLxStdFactory.h"
#include "Standard/DLxStdNorms.h"
#include "rse/RSeTransaction.h"

bool DLxCPartListStd::setFactoryDefaults() {
    return true;
}

RSeRef<DUxCategoryDefault> DLxCPartListStdANSI::CreateCategoryDefault(FWxSceneDoc* doc,
                                                                      RSeSegment* segment,
                                                                      int32_t category,
                                                                      const UTxGUID& standard) {
    return DLxMakeStandardDefault<DLxCPartListStdANSI>(doc, segment, category, standard);
}

UTxString16 DLxCPartListStdANSI::GetStandardReference() const {
    return DLxNormTitle(DLxStdKind::PartList, DLxStdWhich::ANSI);
}

RSeRef<DUxCategoryDefault> DLxCPartListStdBSI::CreateCategoryDefault(FWxSceneDoc* doc,
                                                                     RSeSegment* segment,
                                                                     int32_t category,
                                                                     const UTxGUID& standard) {
    return DLxMakeStandardDefault<DLxCPartListStdBSI>(doc, segment, category, standard);
}

UTxString16 DLxCPartListStdBSI::GetStandardReference() const {
    return DLxNormTitle(DLxStdKind::PartList, DLxStdWhich::BSI);
}

RSeRef<DUxCategoryDefault> DLxCPartListStdDIN::CreateCategoryDefault(FWxSceneDoc* doc,
                                                                     RSeSegment* segment,
                                                                     int32_t category,
                                                                     const UTxGUID& standard) {
    return DLxMakeStandardDefault<DLxCPartListStdDIN>(doc, segment, category, standard);
}

UTxString16 DLxCPartListStdDIN::GetStandardReference() const {
    return DLxNormTitle(DLxStdKind::PartList, DLxStdWhich::DIN);
}

RSeRef<DUxCategoryDefault> DLxCPartListStdGB::CreateCategoryDefault(FWxSceneDoc* doc,
                                                                    RSeSegment* segment,
                                                                    int32_t category,
                                                                    const UTxGUID& standard) {
    return DLxMakeStandardDefault<DLxCPartListStdGB>(doc, segment, category, standard);
}

UTxString16 DLxCPartListStdGB::GetStandardReference() const {
    return DLxNormTitle(DLxStdKind::PartList, DLxStdWhich::GB);
}

RSeRef<DUxCategoryDefault> DLxCPartListStdISO::CreateCategoryDefault(FWxSceneDoc* doc,
                                                                     RSeSegment* segment,
                                                                     int32_t category,
                                                                     const UTxGUID& standard) {
    return DLxMakeStandardDefault<DLxCPartListStdISO>(doc, segment, category, standard);
}

UTxString16 DLxCPartListStdISO::GetStandardReference() const {
    return DLxNormTitle(DLxStdKind::PartList, DLxStdWhich::ISO);
}

RSeRef<DUxCategoryDefault> DLxCPartListStdJIS::CreateCategoryDefault(FWxSceneDoc* doc,
                                                                     RSeSegment* segment,
                                                                     int32_t category,
                                                                     const UTxGUID& standard) {
    return DLxMakeStandardDefault<DLxCPartListStdJIS>(doc, segment, category, standard);
}

UTxString16 DLxCPartListStdJIS::GetStandardReference() const {
    return DLxNormTitle(DLxStdKind::PartList, DLxStdWhich::JIS);
}
