#include "Standard/DLxCDatumStd.h"

#include "Standard/DLxStdNorms.h"
#include "rse/RSeTransaction.h"

bool DLxCDatumStd::setFactoryDefaults() {
    return true;
}

namespace {
template <class T>
RSeRef<DUxCategoryDefault> Make(FWxSceneDoc* doc, RSeSegment* segment, int32_t category,
                                const UTxGUID& standard) {
    if (!segment) return {};
    T* obj =
        new (RSe::_GetMeta(static_cast<const T*>(nullptr)), segment) T(doc, category, standard);
    if (obj->CreateTargetServices().Failed()) return {};
    obj->setFactoryDefaults();
    return RSeRef<DUxCategoryDefault>(obj);
}
} // namespace

RSeRef<DUxCategoryDefault> DLxCDatumStdANSI::CreateCategoryDefault(FWxSceneDoc* doc,
                                                                   RSeSegment* segment,
                                                                   int32_t category,
                                                                   const UTxGUID& standard) {
    return Make<DLxCDatumStdANSI>(doc, segment, category, standard);
}

UTxString16 DLxCDatumStdANSI::GetStandardReference() const {
    return DLxNormTitle(DLxStdKind::Datum, DLxStdWhich::ANSI);
}

RSeRef<DUxCategoryDefault> DLxCDatumStdBSI::CreateCategoryDefault(FWxSceneDoc* doc,
                                                                  RSeSegment* segment,
                                                                  int32_t category,
                                                                  const UTxGUID& standard) {
    return Make<DLxCDatumStdBSI>(doc, segment, category, standard);
}

UTxString16 DLxCDatumStdBSI::GetStandardReference() const {
    return DLxNormTitle(DLxStdKind::Datum, DLxStdWhich::BSI);
}

RSeRef<DUxCategoryDefault> DLxCDatumStdDIN::CreateCategoryDefault(FWxSceneDoc* doc,
                                                                  RSeSegment* segment,
                                                                  int32_t category,
                                                                  const UTxGUID& standard) {
    return Make<DLxCDatumStdDIN>(doc, segment, category, standard);
}

UTxString16 DLxCDatumStdDIN::GetStandardReference() const {
    return DLxNormTitle(DLxStdKind::Datum, DLxStdWhich::DIN);
}

RSeRef<DUxCategoryDefault> DLxCDatumStdGB::CreateCategoryDefault(FWxSceneDoc* doc,
                                                                 RSeSegment* segment,
                                                                 int32_t category,
                                                                 const UTxGUID& standard) {
    return Make<DLxCDatumStdGB>(doc, segment, category, standard);
}

UTxString16 DLxCDatumStdGB::GetStandardReference() const {
    return DLxNormTitle(DLxStdKind::Datum, DLxStdWhich::GB);
}

RSeRef<DUxCategoryDefault> DLxCDatumStdISO::CreateCategoryDefault(FWxSceneDoc* doc,
                                                                  RSeSegment* segment,
                                                                  int32_t category,
                                                                  const UTxGUID& standard) {
    return Make<DLxCDatumStdISO>(doc, segment, category, standard);
}

UTxString16 DLxCDatumStdISO::GetStandardReference() const {
    return DLxNormTitle(DLxStdKind::Datum, DLxStdWhich::ISO);
}

RSeRef<DUxCategoryDefault> DLxCDatumStdJIS::CreateCategoryDefault(FWxSceneDoc* doc,
                                                                  RSeSegment* segment,
                                                                  int32_t category,
                                                                  const UTxGUID& standard) {
    return Make<DLxCDatumStdJIS>(doc, segment, category, standard);
}

UTxString16 DLxCDatumStdJIS::GetStandardReference() const {
    return DLxNormTitle(DLxStdKind::Datum, DLxStdWhich::JIS);
}
