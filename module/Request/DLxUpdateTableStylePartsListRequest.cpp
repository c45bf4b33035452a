#include "Request/DLxUpdateTableStylePartsListRequest.h"

#include "fb/IFxStyles.h"

IMPLEMENT_DYNCREATE(DLxUpdateTableStylePartsListRequest, FWxChangeRequest)

DLxUpdateTableStylePartsListRequest::DLxUpdateTableStylePartsListRequest() = default;

DLxUpdateTableStylePartsListRequest::DLxUpdateTableStylePartsListRequest(
    FWxStylesCollection* collection, const RSeRef<DUxTableStylePartsList>& style,
    const DLxTableStylePartsListRequestData& data, bool rename)
    : UCxUpdateStandardSubStyleRequest(collection, style, data, rename) {}

UTxStringResource DLxUpdateTableStylePartsListRequest::GetRequestIdentity() const {
    return {0x600B01F1, 11, 0};
}

void DLxUpdateTableStylePartsListRequest::_Execute_SetStyleValues() {
    if (DUxTableStylePartsList* style = m_style.get()) m_data.SetStyleValues(*style);
}

UTxResult
DLxUpdateTableStylePartsListRequest::DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) {
    UTxString16 reference = FWxStyle::GetStyleReference(RSeRef<FWxStyle>(m_style.get()));
    if (!_TDX_String(tdx, u"StyleReference", reference, true)) return tdx.GetResult();
    if (tdx.IsReading()) {
        IFxStyles* styles = GetIFxStyles(tdx.GetDocument());
        RSeRef<FWxStyle> found =
            styles ? styles->GetLocalStylesManager()->GetStyleByReference(reference)
                   : RSeRef<FWxStyle>();
        m_style =
            RSeRef<DUxTableStylePartsList>(dynamic_cast<DUxTableStylePartsList*>(found.get()));
        if (!m_style.HasTarget()) {
            tdx.Fail(UTxResult(kUCxErrStyleNotChanged, "Request/DLxTableStylePartsListRequest", 387)
                         .SetDetail(u"StyleReference: no parts-list style " + reference));
            return tdx.GetResult();
        }
        m_data.SetStyleName(m_style->GetStyleName());
    }
    // The new name must travel with a rename: the style a replay finds still has the old one.
    bool rename = m_rename;
    _TDX_Bool(tdx, u"Rename", rename, false);
    if (tdx.IsReading()) m_rename = rename;
    if (m_rename) {
        UTxString16 name = m_data.GetStyleName();
        if (_TDX_String(tdx, u"StyleName", name, true) && tdx.IsReading())
            m_data.SetStyleName(name);
    }
    m_data.DoTranscriptDataExchange(tdx, RSeRef<FWxStyle>(m_style.get()));
    return tdx.GetResult();
}
