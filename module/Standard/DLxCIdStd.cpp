#include "Standard/DLxCIdStd.h"

#include "Standard/DLxStdNorms.h"
#include "rse/RSeTransaction.h"

namespace {
template <class T>
RSeRef<DUxCategoryDefault> Make(FWxSceneDoc* doc, RSeSegment* segment, int32_t category,
                                const UTxGUID& standard) {
    if (!segment) return {};
    T* obj =
        new (RSe::_GetMeta(static_cast<const T*>(nullptr)), segment) T(doc, category, standard);
    return RSeRef<DUxCategoryDefault>(obj);
}
} // namespace

RSeRef<DUxCategoryDefault> DLxCIdStdANSI::CreateCategoryDefault(FWxSceneDoc* doc,
                                                                RSeSegment* segment,
                                                                int32_t category,
                                                                const UTxGUID& standard) {
    return Make<DLxCIdStdANSI>(doc, segment, category, standard);
}

UTxString16 DLxCIdStdANSI::GetStandardReference() const {
    return DLxNormTitle(DLxStdKind::Id, DLxStdWhich::ANSI);
}

RSeRef<DUxCategoryDefault> DLxCIdStdBSI::CreateCategoryDefault(FWxSceneDoc* doc,
                                                               RSeSegment* segment,
                                                               int32_t category,
                                                               const UTxGUID& standard) {
    return Make<DLxCIdStdBSI>(doc, segment, category, standard);
}

UTxString16 DLxCIdStdBSI::GetStandardReference() const {
    return DLxNormTitle(DLxStdKind::Id, DLxStdWhich::BSI);
}

RSeRef<DUxCategoryDefault> DLxCIdStdDIN::CreateCategoryDefault(FWxSceneDoc* doc,
                                                               RSeSegment* segment,
                                                               int32_t category,
                                                               const UTxGUID& standard) {
    return Make<DLxCIdStdDIN>(doc, segment, category, standard);
}

UTxString16 DLxCIdStdDIN::GetStandardReference() const {
    return DLxNormTitle(DLxStdKind::Id, DLxStdWhich::DIN);
}

RSeRef<DUxCategoryDefault> DLxCIdStdGB::CreateCategoryDefault(FWxSceneDoc* doc, RSeSegment* segment,
                                                              int32_t category,
                                                              const UTxGUID& standard) {
    return Make<DLxCIdStdGB>(doc, segment, category, standard);
}

UTxString16 DLxCIdStdGB::GetStandardReference() const {
    return DLxNormTitle(DLxStdKind::Id, DLxStdWhich::GB);
}

RSeRef<DUxCategoryDefault> DLxCIdStdISO::CreateCategoryDefault(FWxSceneDoc* doc,
                                                               RSeSegment* segment,
                                                               int32_t category,
                                                               const UTxGUID& standard) {
    return Make<DLxCIdStdISO>(doc, segment, category, standard);
}

UTxString16 DLxCIdStdISO::GetStandardReference() const {
    return DLxNormTitle(DLxStdKind::Id, DLxStdWhich::ISO);
}

RSeRef<DUxCategoryDefault> DLxCIdStdJIS::CreateCategoryDefault(FWxSceneDoc* doc,
                                                               RSeSegment* segment,
                                                               int32_t category,
                                                               const UTxGUID& standard) {
    return Make<DLxCIdStdJIS>(doc, segment, category, standard);
}

UTxString16 DLxCIdStdJIS::GetStandardReference() const {
    return DLxNormTitle(DLxStdKind::Id, DLxStdWhich::JIS);
}
