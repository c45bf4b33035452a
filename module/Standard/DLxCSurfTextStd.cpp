#include "Standard/DLxCSurfTextStd.h"

#include "Standard/DLxStdNorms.h"
#include "rse/RSeTransaction.h"

bool DLxCSurfTextStd::setFactoryDefaults() {
    return true;
}

namespace {
template <class T>
RSeRef<DUxCategoryDefault> Make(FWxSceneDoc* doc, RSeSegment* segment, int32_t category,
                                const UTxGUID& standard) {
    if (!segment) return {};
    T* obj =
        new (RSe::_GetMeta(static_cast<const T*>(nullptr)), segment) T(doc, category, standard);
    if (!obj->CanSetFactoryDefaults()) return {};
    obj->setFactoryDefaults();
    return RSeRef<DUxCategoryDefault>(obj);
}
} // namespace

RSeRef<DUxCategoryDefault> DLxCSurfTextStdANSI::CreateCategoryDefault(FWxSceneDoc* doc,
                                                                      RSeSegment* segment,
                                                                      int32_t category,
                                                                      const UTxGUID& standard) {
    return Make<DLxCSurfTextStdANSI>(doc, segment, category, standard);
}

UTxString16 DLxCSurfTextStdANSI::GetStandardReference() const {
    return DLxNormTitle(DLxStdKind::SurfText, DLxStdWhich::ANSI);
}

RSeRef<DUxCategoryDefault> DLxCSurfTextStdBSI::CreateCategoryDefault(FWxSceneDoc* doc,
                                                                     RSeSegment* segment,
                                                                     int32_t category,
                                                                     const UTxGUID& standard) {
    return Make<DLxCSurfTextStdBSI>(doc, segment, category, standard);
}

UTxString16 DLxCSurfTextStdBSI::GetStandardReference() const {
    return DLxNormTitle(DLxStdKind::SurfText, DLxStdWhich::BSI);
}

RSeRef<DUxCategoryDefault> DLxCSurfTextStdDIN::CreateCategoryDefault(FWxSceneDoc* doc,
                                                                     RSeSegment* segment,
                                                                     int32_t category,
                                                                     const UTxGUID& standard) {
    return Make<DLxCSurfTextStdDIN>(doc, segment, category, standard);
}

UTxString16 DLxCSurfTextStdDIN::GetStandardReference() const {
    return DLxNormTitle(DLxStdKind::SurfText, DLxStdWhich::DIN);
}

RSeRef<DUxCategoryDefault> DLxCSurfTextStdGB::CreateCategoryDefault(FWxSceneDoc* doc,
                                                                    RSeSegment* segment,
                                                                    int32_t category,
                                                                    const UTxGUID& standard) {
    return Make<DLxCSurfTextStdGB>(doc, segment, category, standard);
}

UTxString16 DLxCSurfTextStdGB::GetStandardReference() const {
    return DLxNormTitle(DLxStdKind::SurfText, DLxStdWhich::GB);
}

RSeRef<DUxCategoryDefault> DLxCSurfTextStdISO::CreateCategoryDefault(FWxSceneDoc* doc,
                                                                     RSeSegment* segment,
                                                                     int32_t category,
                                                                     const UTxGUID& standard) {
    return Make<DLxCSurfTextStdISO>(doc, segment, category, standard);
}

UTxString16 DLxCSurfTextStdISO::GetStandardReference() const {
    return DLxNormTitle(DLxStdKind::SurfText, DLxStdWhich::ISO);
}

RSeRef<DUxCategoryDefault> DLxCSurfTextStdJIS::CreateCategoryDefault(FWxSceneDoc* doc,
                                                                     RSeSegment* segment,
                                                                     int32_t category,
                                                                     const UTxGUID& standard) {
    return Make<DLxCSurfTextStdJIS>(doc, segment, category, standard);
}

UTxString16 DLxCSurfTextStdJIS::GetStandardReference() const {
    return DLxNormTitle(DLxStdKind::SurfText, DLxStdWhich::JIS);
}
