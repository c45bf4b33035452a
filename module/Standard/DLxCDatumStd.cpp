#include "Standard/DLxCDatumStd.h"

#include "Standard/DLxCTarget.h"
#include "Standard/DLxCTargetService.h"
#include "Standard/DLxStdFactory.h"
#include "Standard/DLxStdLength.h"
#include "Standard/DLxStdNorms.h"
#include "dl/DLxTDXUtil.h"
#include "du/DUxCAuxEntArray.h"
#include "du/DUxDatumTargetStyle.h"
#include "du/DUxStandard.h"
#include "du/DUxSymUnitAttr.h"
#include "ge/BBox.h"
#include "ge/WqGeMatrix3d.h"
#include "rse/RSe.h"
#include "rse/RSeTransaction.h"
#include "uc/UCxTranscriptDataExchange.h"

DLxCDatumStd::DLxCDatumStd(const RSeStream* s) : DUxCategoryDefault(s) {}

DLxCDatumStd::DLxCDatumStd(FWxSceneDoc* doc, int32_t category, const UTxGUID& standard)
    : DUxCategoryDefault(doc, category, standard) {
    m_SymUnitAttr = RSeRef<DUxSymUnitAttr>(new (
        RSe::_GetMeta(static_cast<const DUxSymUnitAttr*>(nullptr)), GetSegment()) DUxSymUnitAttr());
}

DLxCDatumStd::~DLxCDatumStd() = default;

bool DLxCDatumStd::setFactoryDefaults() {
    RSe::PrepareWrite(this);
    m_DrawLeaderArrow = true;
    m_HatchAngle = 0.78539816339744828;
    m_HatchDist = DLxStdCm(0.3);
    m_MinLegLen = DLxStdCm(0.3);
    m_PointGap = DLxStdCm(0.5);
    m_PointSize = DLxStdCm(0.3);
    m_PointColor = kFactoryPointColor;
    m_UseCommonSetting = true;
    if (m_SymUnitAttr.HasTarget()) m_SymUnitAttr->SetFactoryDefaults();
    SetBorderLineId();
    SetHiddenLeaderLineId();
    return true;
}

void DLxCDatumStd::PutService(std::unique_ptr<DLxCTargetService> service) {
    const int32_t type = service->GetTargetType();
    m_services[type] = std::move(service);
}

UTxResult DLxCDatumStd::CreateTargetServices() {
    m_services.clear();
    PutService(std::make_unique<DLxCTargetBalloonService>());
    PutService(std::make_unique<DLxCTargetPointService>());
    PutService(std::make_unique<DLxCTargetLineService>());
    PutService(std::make_unique<DLxCTargetCircularAreaService>());
    PutService(std::make_unique<DLxCTargetRectangularAreaService>());
    return {};
}

UTxResult DLxCDatumStdANSI::CreateTargetServices() {
    DLxCDatumStd::CreateTargetServices();
    PutService(std::make_unique<DLxCTargetBalloonServiceANSI>());
    return {};
}

const DLxCTargetService* DLxCDatumStd::GetService(int32_t type) const {
    auto it = m_services.find(type);
    return it == m_services.end() ? nullptr : it->second.get();
}

void DLxCDatumStd::BuildTargetEntities(const DLxCTargetSubSym* shape, DUxCAuxEntArray& array,
                                       const WqGeMatrix3d& xform,
                                       const DUxDatumTargetStyleWrapper* style) {
    if (!shape) return;
    if (const DLxCTargetService* service = GetService(shape->GetTargetType()))
        service->BuildEntities(shape, array, xform, style);
}

bool DLxCDatumStd::DrawTarget(SMxDisplayList& list, const DLxCTargetSubSym* shape,
                              const WqGeMatrix3d& xform, const DUxDatumTargetStyleWrapper* style) {
    DUxCAuxEntArray array;
    BuildTargetEntities(shape, array, xform, style);
    array.Draw(list);
    return true;
}

UTxResult DLxCDatumStd::GetTargetExtents(BBox& box, const DLxCTargetSubSym* shape,
                                         const WqGeMatrix3d& xform,
                                         const DUxDatumTargetStyleWrapper* style) {
    DUxCAuxEntArray array;
    BuildTargetEntities(shape, array, xform, style);
    box.extend(array.GetExtents());
    return {};
}

void DLxCDatumStd::CopyToStyle(const RSeRef<FWxStyle>& ref) {
    auto* style = dynamic_cast<DUxDatumTargetStyle*>(ref.GetTarget());
    if (!style) return;
    style->SetUseCommonSetting(m_UseCommonSetting);
    style->SetScaleToTextHeight(true);
    style->SetSize(1.0);
    style->SetBorderLineId(m_BorderLineId);
    style->SetHiddenLeaderLineId(m_HiddenLeaderLineId);
    style->SetHatchAngle(m_HatchAngle);
    style->SetHatchDist(m_HatchDist);
    style->SetPointSize(m_PointSize);
    const UTxString16 reference = GetStandardReference();
    if (style->GetStyleDescription() != reference) style->SetStyleDescription(reference);
    // A colour reference is 0x00BBGGRR.
    style->SetPointColor(SMxColor::FromRgba(uint8_t(m_PointColor), uint8_t(m_PointColor >> 8),
                                            uint8_t(m_PointColor >> 16)));
    style->SetPointColorByLayer(false);
    if (const DUxSymUnitAttr* u = m_SymUnitAttr.Read()) {
        const int32_t values[] = {u->GetPrimUnitType(),         u->GetPrimDecimalMarker(),
                                  u->GetDisplayPrimUnitStr(),   u->GetPrimSuppressLeadZero(),
                                  u->GetPrimSuppressTrailZero(), u->GetDisplayType(),
                                  u->GetDisplayAltUnit(),       u->GetAltUnitType(),
                                  u->GetAltDecimalMarker(),     u->GetDisplayAltUnitStr(),
                                  u->GetAltSuppressLeadZero(),  u->GetAltSuppressTrailZero(),
                                  u->GetAltPrecision()};
        for (int32_t f = 0; f < int32_t(DUxUnitField::Count); ++f)
            style->SetUnitValue(DUxUnitField(f), values[f]);
    }
    const bool ansi = GetStandardGUID() == DUxStandardGUID::GetANSIGuid();
    const bool bsi = GetStandardGUID() == DUxStandardGUID::GetBSIGuid();
    style->SetOutsideUnderlined(!(ansi || bsi));
    style->SetBalloonRadiusMultiplier(ansi ? 1.75 : 2.0);
    style->SetDrawLeaderArrow(m_DrawLeaderArrow);
}

UTxResult DLxCDatumStd::Transcript(UCxTranscriptDataExchange& tdx, const UTxString16& prefix,
                                   bool required) {
    if (tdx.IsReading()) RSe::PrepareWrite(this);
    auto key = [&prefix](const char16_t* name) { return prefix + u"_" + name; };
    DLxTDXUtil::Transcript(tdx, key(u"DrawLeaderArrow").c_str(), m_DrawLeaderArrow, required);
    DLxTDXUtil::Transcript(tdx, key(u"BorderLineId").c_str(), m_BorderLineId, required);
    DLxTDXUtil::Transcript(tdx, key(u"HiddenLeaderLineId").c_str(), m_HiddenLeaderLineId,
                           required);
    DLxTDXUtil::Transcript(tdx, key(u"PointColor").c_str(), m_PointColor, required);
    DLxTDXUtil::Transcript(tdx, key(u"PointSize").c_str(), m_PointSize, required);
    DLxTDXUtil::Transcript(tdx, key(u"PointGap").c_str(), m_PointGap, required);
    DLxTDXUtil::Transcript(tdx, key(u"MinLegLen").c_str(), m_MinLegLen, required);
    DLxTDXUtil::Transcript(tdx, key(u"HatchDist").c_str(), m_HatchDist, required);
    DLxTDXUtil::Transcript(tdx, key(u"HatchAngle").c_str(), m_HatchAngle, required);
    DLxTDXUtil::Transcript(tdx, key(u"UseCommonSetting").c_str(), m_UseCommonSetting, required);
    if (tdx.IsReading() && !tdx.HasFailed() && m_SymUnitAttr.HasTarget()) {
        RSe::DeleteObject(m_SymUnitAttr.get());
        m_SymUnitAttr.Clear();
    }
    DLxTDXUtil::Transcript(tdx, key(u"SymUnitAttr").c_str(), m_SymUnitAttr, required);
    return tdx.GetResult();
}

void DLxCDatumStdANSI::SetHiddenLeaderLineId() {
    m_HiddenLeaderLineId = kHiddenLeaderLine;
}
void DLxCDatumStdANSI::SetBorderLineId() {
    m_BorderLineId = kBorderLineANSI;
}
UTxString16 DLxCDatumStdANSI::GetHiddenLeaderLineTypeName() const {
    return u"Datum Hidden Leader:ANSI";
}
UTxString16 DLxCDatumStdANSI::GetBorderLineTypeName() const {
    return u"Datum Border Line:ANSI";
}
void DLxCDatumStdISO::SetHiddenLeaderLineId() {
    m_HiddenLeaderLineId = kHiddenLeaderLine;
}
void DLxCDatumStdISO::SetBorderLineId() {
    m_BorderLineId = kBorderLineISO;
}
UTxString16 DLxCDatumStdISO::GetHiddenLeaderLineTypeName() const {
    return u"Datum Hidden Leader:ISO";
}
UTxString16 DLxCDatumStdISO::GetBorderLineTypeName() const {
    return u"Datum Border Line:ISO";
}
void DLxCDatumStdDIN::SetHiddenLeaderLineId() {
    m_HiddenLeaderLineId = kHiddenLeaderLine;
}
void DLxCDatumStdDIN::SetBorderLineId() {
    m_BorderLineId = kBorderLineISO;
}
UTxString16 DLxCDatumStdDIN::GetHiddenLeaderLineTypeName() const {
    return u"Datum Hidden Leader:DIN";
}
UTxString16 DLxCDatumStdDIN::GetBorderLineTypeName() const {
    return u"Datum Border Line:DIN";
}
void DLxCDatumStdJIS::SetHiddenLeaderLineId() {
    m_HiddenLeaderLineId = kHiddenLeaderLine;
}
void DLxCDatumStdJIS::SetBorderLineId() {
    m_BorderLineId = kBorderLineISO;
}
UTxString16 DLxCDatumStdJIS::GetHiddenLeaderLineTypeName() const {
    return u"Datum Hidden Leader:JIS";
}
UTxString16 DLxCDatumStdJIS::GetBorderLineTypeName() const {
    return u"Datum Border Line:JIS";
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
