#include "Request/DLxUpdatePartsListRequest.h"

#include "BofM/DLxPartListTable.h"
#include "Request/DLxRequestUtil.h"
#include "dc/RDxComputeContext.h"
#include "dl/DLxAnnotationUtil.h"
#include "dl/DLxSheet.h"
#include "dl/DLxUtil.h"

IMPLEMENT_DYNCREATE(DLxUpdatePartsListRequest, FWxChangeRequest)

namespace {
constexpr UTxResultCode kRefused = 0xE009033C;
} // namespace

DLxUpdatePartsListRequest::DLxUpdatePartsListRequest() = default;

DLxUpdatePartsListRequest::DLxUpdatePartsListRequest(const RSeRef<DLxPartListTable>& partList)
    : m_partList(partList) {}

UTxStringResource DLxUpdatePartsListRequest::GetRequestIdentity() const {
    return {0x6009027B, 9, 0};
}

UTxResult DLxUpdatePartsListRequest::Script(FWxSceneDoc* doc) {
    return DLxRequestUtil::Script(*this, doc, u"UpdatePartsList");
}

UTxResult DLxUpdatePartsListRequest::InitFromTranscript(FWxSceneDoc* doc, const UTxString16& line) {
    return DLxRequestUtil::InitFromTranscript(*this, doc, line);
}

UTxResult DLxUpdatePartsListRequest::DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) {
    TranscriptRSeRefArgument(tdx, u"PartsList", m_partList, true);
    return tdx.GetResult();
}

UTxResult DLxUpdatePartsListRequest::ValidateInputs(FWxSceneDoc* doc) {
    if (!m_partList.HasTarget()) return UTxResult::Refusal(kRefused, u"PartsList: no parts list");
    if (!DLxUtil::AllowRequestExecution(doc, nullptr))
        return UTxResult::Refusal(kRefused, u"the document takes no requests now");
    return {};
}

UTxResult DLxUpdatePartsListRequest::_Execute(FWxSceneDoc* doc) {
    DLxPartListTable* table = m_partList.get();
    if (!table) return {};
    // The refresh mark is this host's edit that makes the list re-read its bill when it
    // computes, which a plain edit would not.
    table->SetPendingRefresh(true);
    // The active sheet, whichever that is: the list's own sheet computes it when it is shown.
    if (DLxSheet* sheet = DLxAnnotationUtil::GetActiveSheetInstance(doc)) {
        RDxComputeContext ctx;
        (void)sheet->Recompute(ctx);
    }
    return {};
}
