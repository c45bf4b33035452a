#include "Request/DLxNewPartsListStyleRequest.h"

#include "fb/IFxStyles.h"

IMPLEMENT_DYNCREATE(DLxNewPartsListStyleRequest, FWxChangeRequest)

DLxNewPartsListStyleRequest::DLxNewPartsListStyleRequest() = default;

UTxStringResource DLxNewPartsListStyleRequest::GetRequestIdentity() const {
    return {0x600B01F0, 11, 0};
}

void DLxNewPartsListStyleRequest::_Execute_SetStyleValues() {
    if (DUxPartsListStyle* style = m_style.get()) m_data.SetStyleValues(*style);
}

UTxResult DLxNewPartsListStyleRequest::DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) {
    UTxString16 standard = FWxStyle::GetStyleReference(m_standardStyle);
    if (_TDX_String(tdx, u"StandardStyle", standard, true) && tdx.IsReading()) {
        IFxStyles* styles = GetIFxStyles(tdx.GetDocument());
        m_standardStyle = styles ? styles->GetLocalStylesManager()->GetStyleByReference(standard)
                                 : RSeRef<FWxStyle>();
    }
    m_data.DoTranscriptDataExchange(tdx);
    return tdx.GetResult();
}
