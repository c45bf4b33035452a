#include "Standard/DLxCSurfTextStd.h"

#include "Standard/DLxStdFactory.h"
#include "Standard/DLxStdNorms.h"
#include "rse/RSeTransaction.h"

bool DLxCSurfTextStd::setFactoryDefaults() {
    return true;
}

RSeRef<DUxCategoryDefault> DLxCSurfTextStdANSI::CreateCategoryDefault(FWxSceneDoc* doc,
                                                                      RSeSegment* segment,
                                                                      int32_t category,
                                                                      const UTxGUID& standard) {
    return DLxMakeStandardDefault<DLxCSurfTextStdANSI>(doc, segment, category, standard);
}

UTxString16 DLxCSurfTextStdANSI::GetStandardReference() const {
    return DLxNormTitle(DLxStdKind::SurfText, DLxStdWhich::ANSI);
}

RSeRef<DUxCategoryDefault> DLxCSurfTextStdBSI::CreateCategoryDefault(FWxSceneDoc* doc,
                                                                     RSeSegment* segment,
                                                                     int32_t category,
                                                                     const UTxGUID& standard) {
    return DLxMakeStandardDefault<DLxCSurfTextStdBSI>(doc, segment, category, standard);
}

UTxString16 DLxCSurfTextStdBSI::GetStandardReference() const {
    return DLxNormTitle(DLxStdKind::SurfText, DLxStdWhich::BSI);
}

RSeRef<DUxCategoryDefault> DLxCSurfTextStdDIN::CreateCategoryDefault(FWxSceneDoc* doc,
                                                                     RSeSegment* segment,
                                                                     int32_t category,
                                                                     const UTxGUID& standard) {
    return DLxMakeStandardDefault<DLxCSurfTextStdDIN>(doc, segment, category, standard);
}

UTxString16 DLxCSurfTextStdDIN::GetStandardReference() const {
    return DLxNormTitle(DLxStdKind::SurfText, DLxStdWhich::DIN);
}

RSeRef<DUxCategoryDefault> DLxCSurfTextStdGB::CreateCategoryDefault(FWxSceneDoc* doc,
                                                                    RSeSegment* segment,
                                                                    int32_t category,
                                                                    const UTxGUID& standard) {
    return DLxMakeStandardDefault<DLxCSurfTextStdGB>(doc, segment, category, standard);
}

UTxString16 DLxCSurfTextStdGB::GetStandardReference() const {
    return DLxNormTitle(DLxStdKind::SurfText, DLxStdWhich::GB);
}

RSeRef<DUxCategoryDefault> DLxCSurfTextStdISO::CreateCategoryDefault(FWxSceneDoc* doc,
                                                                     RSeSegment* segment,
                                                                     int32_t category,
                                                                     const UTxGUID& standard) {
    return DLxMakeStandardDefault<DLxCSurfTextStdISO>(doc, segment, category, standard);
}

UTxString16 DLxCSurfTextStdISO::GetStandardReference() const {
    return DLxNormTitle(DLxStdKind::SurfText, DLxStdWhich::ISO);
}

RSeRef<DUxCategoryDefault> DLxCSurfTextStdJIS::CreateCategoryDefault(FWxSceneDoc* doc,
                                                                     RSeSegment* segment,
                                                                     int32_t category,
                                                                     const UTxGUID& standard) {
    return DLxMakeStandardDefault<DLxCSurfTextStdJIS>(doc, segment, category, standard);
}

UTxString16 DLxCSurfTextStdJIS::GetStandardReference() const {
    return DLxNormTitle(DLxStdKind::SurfText, DLxStdWhich::JIS);
}
