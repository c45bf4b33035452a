#include "Request/DLxNewTableStylePartsListRequest.h"

#include "fb/IFxStyles.h"

IMPLEMENT_DYNCREATE(DLxNewTableStylePartsListRequest, FWxChangeRequest)

DLxNewTableStylePartsListRequest::DLxNewTableStylePartsListRequest() = default;

DLxNewTableStylePartsListRequest::DLxNewTableStylePartsListRequest(
    FWxStylesCollection* collection, const DLxTableStylePartsListRequestData& data,
    const RSeRef<FWxStyle>& standardStyle)
    : UCxNewStandardSubStyleRequest(collection, data, standardStyle) {}

UTxStringResource DLxNewTableStylePartsListRequest::GetRequestIdentity() const {
    return {0x600B01F0, 11, 0};
}

void DLxNewTableStylePartsListRequest::_Execute_SetStyleValues() {
    if (DUxTableStylePartsList* style = m_style.get()) m_data.SetStyleValues(*style);
}

UTxResult
DLxNewTableStylePartsListRequest::DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) {
    UTxString16 name = m_data.GetStyleName();
    if (_TDX_String(tdx, u"StyleName", name, true) && tdx.IsReading()) m_data.SetStyleName(name);
    UTxString16 standard = FWxStyle::GetStyleReference(m_standardStyle);
    if (_TDX_String(tdx, u"StandardStyle", standard, true) && tdx.IsReading()) {
        IFxStyles* styles = GetIFxStyles(tdx.GetDocument());
        m_standardStyle = styles ? styles->GetLocalStylesManager()->GetStyleByReference(standard)
                                 : RSeRef<FWxStyle>();
    }
    RSeRef<FWxStyle> style(m_style.get());
    if (tdx.IsReading() && !style.HasTarget()) {
        // A request read back has made nothing yet: its columns are those of the document's
        // parts-list style (found, never made here: reading changes nothing).
        style = RSeRef<FWxStyle>(
            DLxTableStylePartsListRequestData::FindDefaultStyle(tdx.GetDocument()).get());
    }
    m_data.DoTranscriptDataExchange(tdx, style);
    return tdx.GetResult();
}
