#include "Request/DLxUpdatePartsListStyleRequest.h"

#include "Request/DLxRequestUtil.h"

IMPLEMENT_DYNCREATE(DLxUpdatePartsListStyleRequest, FWxChangeRequest)

DLxUpdatePartsListStyleRequest::DLxUpdatePartsListStyleRequest() = default;

UTxStringResource DLxUpdatePartsListStyleRequest::GetRequestIdentity() const {
    return {0x600B01F1, 11, 0};
}

UTxResult DLxUpdatePartsListStyleRequest::ValidateInputs(FWxSceneDoc* doc) {
    const DUxPartsListStyle* style = m_style.get();
    if (doc && style && style->IsCached()) return {};
    return UTxResult(0xE009033C, "Request/DLxPartsListStyleRequest", 331)
        .SetDetail(u"PartsListStyle: no parts-list style of the document");
}

void DLxUpdatePartsListStyleRequest::_Execute_SetStyleValues() {
    if (DUxPartsListStyle* style = m_style.get()) m_data.SetStyleValues(*style);
}

UTxResult DLxUpdatePartsListStyleRequest::DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) {
    // Any object may be named: one of another kind leaves the style empty, for the check.
    RSeRef<RSeIDed> style(m_style.get());
    if (!tdx.HasFailed()) {
        TranscriptRSeRefArgument(tdx, u"PartsListStyle", style, true);
        if (tdx.IsReading()) m_style = RSeRef<DUxPartsListStyle>(style);
    }
    m_data.DoTranscriptDataExchange(tdx);
    return tdx.GetResult();
}
