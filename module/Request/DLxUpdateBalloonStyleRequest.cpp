#include "Request/DLxUpdateBalloonStyleRequest.h"

#include "fb/IFxStyles.h"

IMPLEMENT_DYNCREATE(DLxUpdateBalloonStyleRequest, FWxChangeRequest)

namespace {
constexpr char kSource[] = "Request/DLxBalloonStyleRequest";
} // namespace

DLxUpdateBalloonStyleRequest::DLxUpdateBalloonStyleRequest() = default;

DLxUpdateBalloonStyleRequest::DLxUpdateBalloonStyleRequest(FWxStylesCollection* collection,
                                                           const RSeRef<DUxBalloonStyle>& style,
                                                           const DLxBalloonStyleRequestData& data,
                                                           bool rename)
    : UCxUpdateStandardSubStyleRequest(collection, style, data, rename) {}

UTxStringResource DLxUpdateBalloonStyleRequest::GetRequestIdentity() const {
    return {0x600B01EF, 11, 0};
}

UTxResult DLxUpdateBalloonStyleRequest::ValidateInputs(FWxSceneDoc* doc) {
    const DUxBalloonStyle* style = m_style.Read();
    if (!doc || !style || !style->IsCached())
        return UTxResult(0xE009033C, kSource, 331)
            .SetDetail(u"StyleReference: no balloon style of the document");
    if (const char16_t* bad = m_data.InvalidValue())
        return UTxResult(0xE009033C, kSource, 335)
            .SetDetail(UTxString16(bad) + u": no balloon style can take this value");
    return {};
}

UTxResult DLxUpdateBalloonStyleRequest::_Execute(FWxSceneDoc* doc) {
    m_reference = FWxStyle::GetStyleReference(RSeRef<FWxStyle>(m_style.Read()));
    return UCxUpdateStandardSubStyleRequest::_Execute(doc);
}

void DLxUpdateBalloonStyleRequest::_Execute_SetStyleValues() {
    if (DUxBalloonStyle* style = m_style.get()) m_data.SetStyleValues(*style);
}

UTxResult DLxUpdateBalloonStyleRequest::DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) {
    UTxString16 reference = m_reference.empty()
                                ? FWxStyle::GetStyleReference(RSeRef<FWxStyle>(m_style.Read()))
                                : m_reference;
    if (!_TDX_String(tdx, u"StyleReference", reference, true)) return tdx.GetResult();
    if (tdx.IsReading()) {
        IFxStyles* styles = GetIFxStyles(tdx.GetDocument());
        RSeRef<FWxStyle> found =
            styles ? styles->GetLocalStylesManager()->GetStyleByReference(reference)
                   : RSeRef<FWxStyle>();
        m_style = RSeRef<DUxBalloonStyle>(found);
        if (!m_style.HasTarget()) {
            // The record is not read: it would fill columns for a style that is not there.
            tdx.Fail(UTxResult(kUCxErrStyleNotChanged, kSource, 362)
                         .SetDetail(u"StyleReference: no balloon style " + reference));
            return tdx.GetResult();
        }
        m_data.SetStyleName(m_style.Read()->GetStyleName());
    }
    return m_data.DoTranscriptDataExchange(tdx);
}
