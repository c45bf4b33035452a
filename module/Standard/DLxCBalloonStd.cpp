#include "Standard/DLxCBalloonStd.h"

#include "BofM/DLxPartListColumn.h"
#include "BofM/DLxPropertyUtil.h"
#include "Standard/DLxCBalloonService.h"
#include "Standard/DLxStdFactory.h"
#include "Standard/DLxStdNorms.h"
#include "Symbol/KorvuModule.h"
#include "WinModule.h"
#include "du/DUxBalloonStyle.h"
#include "du/DUxTableStyle.h"
#include "du/DUxTableStyleColumn.h"
#include "rse/RSe.h"
#include "rse/RSeTransaction.h"

DLxCBalloonStd::~DLxCBalloonStd() {
    ClearServices();
}

void DLxCBalloonStd::ClearServices() {
    for (auto& [id, service] : m_services)
        delete service;
    m_services.clear();
}

bool DLxCBalloonStd::setFactoryDefaults() {
    if (m_balloonSize != 1.0 || m_defaultType != DUxBalloonStyle::eCircular) {
        RSe::PrepareWrite(this);
        m_balloonSize = 1.0;
        m_defaultType = DUxBalloonStyle::eCircular;
    }
    for (auto& [id, service] : m_services)
        if (service && !service->InitDefaults()) return false;
    return true;
}

namespace {
UTxString16 ItemName() {
    HMODULE res = KorvuGetResourceHandle();
    auto text = res ? FindStringResource(res, DLxCBalloonStd::kItemNameStringId) : std::nullopt;
    return text ? UTxString16(*text) : UTxString16(u"ITEM");
}
} // namespace

void DLxCBalloonStd::CopyToStyle(const RSeRef<FWxStyle>& ref) {
    RSeRef<DUxBalloonStyle> style = RSeRefCast<DUxBalloonStyle>(ref);
    if (style.IsNull()) return;
    DUxBalloonStyle& st = *style;
    if (st.GetSize() != m_balloonSize) {
        st.SetSize(m_balloonSize);
        st.MarkEdited(1);
    }
    if (st.GetDefaultType() != m_defaultType && DUxBalloonStyle::IsBalloonType(m_defaultType)) {
        st.SetDefaultType(DUxBalloonStyle::EBalloonType(m_defaultType));
        st.MarkEdited(1);
    }
    st.SetStyleDescription(GetStandardReference());
    if (m_defaultType != DUxBalloonStyle::eNoBorder) return;

    RSeSegment* segment = RSe::SegmentOf(&st);
    DUxBalloonItemList items;
    for (const RSeRef<DLxPartListColumn>& column : m_itemColumns) {
        DUxStyleFormatColumnPropertyID id;
        // A column whose property gives no id is left out.
        if (!DLxPropertyUtil::createPropertyIDFromColumn(column.Read(), &id)) continue;
        DUxTableStylePartsListColumn* item = DUxTableStylePartsListColumn::New(segment);
        *item->GetPropertyID() = id;
        items.emplace_back(item);
    }
    if (items.empty()) items.emplace_back(NewItemColumn(segment));
    st.SetItems(items);
    // The style keeps copies of its own.
    DUxTableStyle::ClearColumns(items);
}

DUxTableStylePartsListColumn* DLxCBalloonStd::NewItemColumn(RSeSegment* segment) {
    DUxTableStylePartsListColumn* item = DUxTableStylePartsListColumn::New(segment);
    DUxStyleFormatColumnPropertyID* id = item->GetPropertyID();
    id->SetPropertySet(kItemPropertySet);
    id->SetPropertyID(u"1");
    id->SetPropertyExternalName(ItemName());
    return item;
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
