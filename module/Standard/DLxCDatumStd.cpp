#include "Standard/DLxCDatumStd.h"

#include "Standard/DLxStdFactory.h"
#include "Standard/DLxStdNorms.h"
#include "rse/RSeTransaction.h"

bool DLxCDatumStd::setFactoryDefaults() {
    return true;
}

RSeRef<DUxCategoryDefault> DLxCDatumStdANSI::CreateCategoryDefault(FWxSceneDoc* doc,
                                                                   RSeSegment* segment,
                                                                   int32_t category,
                                                                   const UTxGUID& standard) {
    return DLxMakeStandardDefault<DLxCDatumStdANSI>(doc, segment, category, standard);
}

UTxString16 DLxCDatumStdANSI::GetStandardReference() const {
    return DLxNormTitle(DLxStdKind::Datum, DLxStdWhich::ANSI);
}

RSeRef<DUxCategoryDefault> DLxCDatumStdBSI::CreateCategoryDefault(FWxSceneDoc* doc,
                                                                  RSeSegment* segment,
                                                                  int32_t category,
                                                                  const UTxGUID& standard) {
    return DLxMakeStandardDefault<DLxCDatumStdBSI>(doc, segment, category, standard);
}

UTxString16 DLxCDatumStdBSI::GetStandardReference() const {
    return DLxNormTitle(DLxStdKind::Datum, DLxStdWhich::BSI);
}

RSeRef<DUxCategoryDefault> DLxCDatumStdDIN::CreateCategoryDefault(FWxSceneDoc* doc,
                                                                  RSeSegment* segment,
                                                                  int32_t category,
                                                                  const UTxGUID& standard) {
    return DLxMakeStandardDefault<DLxCDatumStdDIN>(doc, segment, category, standard);
}

UTxString16 DLxCDatumStdDIN::GetStandardReference() const {
    return DLxNormTitle(DLxStdKind::Datum, DLxStdWhich::DIN);
}

RSeRef<DUxCategoryDefault> DLxCDatumStdGB::CreateCategoryDefault(FWxSceneDoc* doc,
                                                                 RSeSegment* segment,
                                                                 int32_t category,
                                                                 const UTxGUID& standard) {
    return DLxMakeStandardDefault<DLxCDatumStdGB>(doc, segment, category, standard);
}

UTxString16 DLxCDatumStdGB::GetStandardReference() const {
    return DLxNormTitle(DLxStdKind::Datum, DLxStdWhich::GB);
}

RSeRef<DUxCategoryDefault> DLxCDatumStdISO::CreateCategoryDefault(FWxSceneDoc* doc,
                                                                  RSeSegment* segment,
                                                                  int32_t category,
                                                                  const UTxGUID& standard) {
    return DLxMakeStandardDefault<DLxCDatumStdISO>(doc, segment, category, standard);
}

UTxString16 DLxCDatumStdISO::GetStandardReference() const {
    return DLxNormTitle(DLxStdKind::Datum, DLxStdWhich::ISO);
}

RSeRef<DUxCategoryDefault> DLxCDatumStdJIS::CreateCategoryDefault(FWxSceneDoc* doc,
                                                                  RSeSegment* segment,
                                                                  int32_t category,
                                                                  const UTxGUID& standard) {
    return DLxMakeStandardDefault<DLxCDatumStdJIS>(doc, segment, category, standard);
}

UTxString16 DLxCDatumStdJIS::GetStandardReference() const {
    return DLxNormTitle(DLxStdKind::Datum, DLxStdWhich::JIS);
}
