#include "Request/DLxNewBalloonStyleRequest.h"

#include "fb/IFxStyles.h"

IMPLEMENT_DYNCREATE(DLxNewBalloonStyleRequest, FWxChangeRequest)

DLxNewBalloonStyleRequest::DLxNewBalloonStyleRequest() = default;

DLxNewBalloonStyleRequest::DLxNewBalloonStyleRequest(FWxStylesCollection* collection,
                                                     const DLxBalloonStyleRequestData& data,
                                                     const RSeRef<FWxStyle>& standardStyle)
    : UCxNewStandardSubStyleRequest(collection, data, standardStyle) {}

UTxStringResource DLxNewBalloonStyleRequest::GetRequestIdentity() const {
    return {0x600B01EE, 11, 0};
}

UTxResult DLxNewBalloonStyleRequest::ValidateInputs(FWxSceneDoc*) {
    // A style given such a value would be stored as one no load accepts.
    if (const char16_t* bad = m_data.InvalidValue())
        return UTxResult(0xE009033C, "Request/DLxBalloonStyleRequest", 41)
            .SetDetail(UTxString16(bad) + u": no balloon style can take this value");
    return {};
}

void DLxNewBalloonStyleRequest::_Execute_SetStyleValues() {
    if (DUxBalloonStyle* style = m_style.get()) m_data.SetStyleValues(*style);
}

UTxResult DLxNewBalloonStyleRequest::DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) {
    UTxString16 name = m_data.GetStyleName();
    if (_TDX_String(tdx, u"StyleName", name, true) && tdx.IsReading()) m_data.SetStyleName(name);
    UTxString16 standard = FWxStyle::GetStyleReference(m_standardStyle);
    if (_TDX_String(tdx, u"StandardStyle", standard, true) && tdx.IsReading()) {
        IFxStyles* styles = GetIFxStyles(tdx.GetDocument());
        m_standardStyle = styles ? styles->GetLocalStylesManager()->GetStyleByReference(standard)
                                 : RSeRef<FWxStyle>();
    }
    if (tdx.HasFailed()) return tdx.GetResult();
    return m_data.DoTranscriptDataExchange(tdx);
}
