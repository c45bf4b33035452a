#include "Request/DLxPartListRenameRequest.h"

#include "BofM/DLxPartListTable.h"
#include "Request/DLxRequestUtil.h"
#include "dc/RDxComputeContext.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxSheet.h"

IMPLEMENT_DYNCREATE(DLxPartListRenameRequest, FWxChangeRequest)

namespace {
constexpr UTxResultCode kRefused = 0xE009033C;
} // namespace

DLxPartListRenameRequest::DLxPartListRenameRequest() = default;

DLxPartListRenameRequest::DLxPartListRenameRequest(const RSeRefBase& object,
                                                   const UTxString16& newName)
    : m_partList(object), m_newName(newName) {}

UTxStringResource DLxPartListRenameRequest::GetRequestIdentity() const {
    return {0x600B01ED, 11, 0};
}

UTxResult DLxPartListRenameRequest::Script(FWxSceneDoc* doc) {
    return DLxRequestUtil::Script(*this, doc, u"PartListRename");
}

UTxResult DLxPartListRenameRequest::InitFromTranscript(FWxSceneDoc* doc, const UTxString16& line) {
    return DLxRequestUtil::InitFromTranscript(*this, doc, line);
}

UTxResult DLxPartListRenameRequest::DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) {
    DLxTranscriptRefString(tdx, u"Object", m_partListRefString, m_partList);
    _TDX_String(tdx, u"NewName", m_newName, true);
    return tdx.GetResult();
}

UTxResult DLxPartListRenameRequest::ValidateInputs(FWxSceneDoc* doc) {
    if (!dynamic_cast<DLxDrawingDoc*>(doc))
        return UTxResult::Refusal(kRefused, u"the document is no drawing");
    if (!m_partList.HasTarget()) return UTxResult::Refusal(kRefused, u"Object: no parts list");
    return {};
}

UTxResult DLxPartListRenameRequest::_Execute(FWxSceneDoc* doc) {
    UTxResult r = ValidateInputs(doc);
    if (r.Failed()) return r;
    r = FWxTranscriptMgr::NameRef(m_partList, m_partListRefString);
    if (r.Failed()) return r;
    DLxPartListTable* table = m_partList.get();
    table->SetTitle(UTxString16(m_newName));
    // The table computes as its sheet computes it.
    table->MarkEdited(true);
    if (RDxFragment* fragment = table->GetFragment().get()) {
        RDxComputeContext ctx;
        (void)fragment->Recompute(ctx);
    }
    return {};
}
