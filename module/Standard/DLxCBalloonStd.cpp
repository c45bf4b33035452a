#include "Standard/DLxCBalloonStd.h"

#include "Standard/DLxStdFactory.h"
#include "Standard/DLxStdNorms.h"
#include "rse/RSeTransaction.h"

bool DLxCBalloonStd::setFactoryDefaults() {
    return true;
}

void DLxCBalloonStd::SetDefaultBalloonType(int32_t type) {
    if (m_defaultType == type) return;
    RSe::PrepareWrite(this);
    m_defaultType = type;
}

RSeRef<DUxCategoryDefault> DLxCBalloonStdANSI::CreateCategoryDefault(FWxSceneDoc* doc,
                                                                     RSeSegment* segment,
                                                                     int32_t category,
                                                                     const UTxGUID& standard) {
    return DLxMakeStandardDefault<DLxCBalloonStdANSI>(doc, segment, category, standard);
}

UTxString16 DLxCBalloonStdANSI::GetStandardReference() const {
    return DLxNormTitle(DLxStdKind::Balloon, DLxStdWhich::ANSI);
}

RSeRef<DUxCategoryDefault> DLxCBalloonStdBSI::CreateCategoryDefault(FWxSceneDoc* doc,
                                                                    RSeSegment* segment,
                                                                    int32_t category,
                                                                    const UTxGUID& standard) {
    return DLxMakeStandardDefault<DLxCBalloonStdBSI>(doc, segment, category, standard);
}

UTxString16 DLxCBalloonStdBSI::GetStandardReference() const {
    return DLxNormTitle(DLxStdKind::Balloon, DLxStdWhich::BSI);
}

RSeRef<DUxCategoryDefault> DLxCBalloonStdDIN::CreateCategoryDefault(FWxSceneDoc* doc,
                                                                    RSeSegment* segment,
                                                                    int32_t category,
                                                                    const UTxGUID& standard) {
    return DLxMakeStandardDefault<DLxCBalloonStdDIN>(doc, segment, category, standard);
}

UTxString16 DLxCBalloonStdDIN::GetStandardReference() const {
    return DLxNormTitle(DLxStdKind::Balloon, DLxStdWhich::DIN);
}

RSeRef<DUxCategoryDefault> DLxCBalloonStdGB::CreateCategoryDefault(FWxSceneDoc* doc,
                                                                   RSeSegment* segment,
                                                                   int32_t category,
                                                                   const UTxGUID& standard) {
    RSeRef<DUxCategoryDefault> r =
        DLxMakeStandardDefault<DLxCBalloonStdGB>(doc, segment, category, standard);
    // GB numbers its default balloon shape 4.
    if (r.HasTarget()) static_cast<DLxCBalloonStdGB*>(r.get())->SetDefaultBalloonType(4);
    return r;
}

UTxString16 DLxCBalloonStdGB::GetStandardReference() const {
    return DLxNormTitle(DLxStdKind::Balloon, DLxStdWhich::GB);
}

RSeRef<DUxCategoryDefault> DLxCBalloonStdISO::CreateCategoryDefault(FWxSceneDoc* doc,
                                                                    RSeSegment* segment,
                                                                    int32_t category,
                                                                    const UTxGUID& standard) {
    return DLxMakeStandardDefault<DLxCBalloonStdISO>(doc, segment, category, standard);
}

UTxString16 DLxCBalloonStdISO::GetStandardReference() const {
    return DLxNormTitle(DLxStdKind::Balloon, DLxStdWhich::ISO);
}

RSeRef<DUxCategoryDefault> DLxCBalloonStdJIS::CreateCategoryDefault(FWxSceneDoc* doc,
                                                                    RSeSegment* segment,
                                                                    int32_t category,
                                                                    const UTxGUID& standard) {
    return DLxMakeStandardDefault<DLxCBalloonStdJIS>(doc, segment, category, standard);
}

UTxString16 DLxCBalloonStdJIS::GetStandardReference() const {
    return DLxNormTitle(DLxStdKind::Balloon, DLxStdWhich::JIS);
}
