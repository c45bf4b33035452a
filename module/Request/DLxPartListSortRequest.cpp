#include "Request/DLxPartListSortRequest.h"

#include <vector>

#include "BofM/DLxPartListTable.h"
#include "BofM/DLxTableStatePartlist.h"
#include "Request/DLxRequestUtil.h"
#include "dc/RDxComputeContext.h"
#include "dc/RDxFragment.h"
#include "dl/DLxDrawingDoc.h"

IMPLEMENT_DYNCREATE(DLxPartListSortRequest, FWxChangeRequest)

namespace {
constexpr UTxResultCode kRefused = 0xE009033C;

// The definition as two lists of one length: the column indexes and their orders.
void TranscriptSortDef(UCxTranscriptDataExchange& tdx, DUxTableStateBase::SortDef& def) {
    if (tdx.HasFailed()) return;
    std::vector<int32_t> columns;
    std::vector<int32_t> orders;
    for (const auto& [column, order] : def) {
        columns.push_back(column);
        orders.push_back(int32_t(order));
    }
    // A line without them sorts by nothing.
    const bool hasColumns = _TDX_IntVect(tdx, u"SortColumns", columns, tdx.IsWriting());
    const bool hasOrders = _TDX_IntVect(tdx, u"SortOrders", orders, tdx.IsWriting());
    if (tdx.IsWriting() || tdx.HasFailed()) return;
    if (hasColumns != hasOrders || columns.size() != orders.size()) {
        tdx.Fail(FWxTranscriptMgr::MakeError(kFWxErrTranscriptMalformed, u"SortOrders",
                                             u"not one order per sort column"));
        return;
    }
    DUxTableStateBase::SortDef read;
    for (size_t i = 0; i < columns.size(); ++i) {
        if (columns[i] < INT16_MIN || columns[i] > INT16_MAX ||
            (orders[i] != DUxTableStateBase::eAscending &&
             orders[i] != DUxTableStateBase::eDescending)) {
            tdx.Fail(FWxTranscriptMgr::MakeError(kFWxErrTranscriptOutOfRange, u"SortColumns",
                                                 u"not a column index and order"));
            return;
        }
        read.emplace_back(int16_t(columns[i]), DUxTableStateBase::ESortOrder(orders[i]));
    }
    def = std::move(read);
}
} // namespace

DLxPartListSortRequest::DLxPartListSortRequest() = default;

DLxPartListSortRequest::DLxPartListSortRequest(const RSeRef<DLxPartListTable>& partList,
                                               const DUxTableStateBase::SortDef& sortDef)
    : m_sortDef(sortDef), m_partList(partList) {}

UTxStringResource DLxPartListSortRequest::GetRequestIdentity() const {
    return {0x600B01F3, 11, 0};
}

UTxResult DLxPartListSortRequest::Script(FWxSceneDoc* doc) {
    return DLxRequestUtil::Script(*this, doc, u"PartListSort");
}

// The name key resolves in the document it is read for.
UTxResult DLxPartListSortRequest::InitFromTranscript(FWxSceneDoc* doc, const UTxString16& line) {
    return DLxRequestUtil::InitFromTranscript(*this, doc, line);
}

UTxResult DLxPartListSortRequest::DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) {
    DLxTranscriptRefString(tdx, u"Object", m_partListRefString, m_partList);
    TranscriptSortDef(tdx, m_sortDef);
    return tdx.GetResult();
}

UTxResult DLxPartListSortRequest::ValidateInputs(FWxSceneDoc* doc) {
    if (!dynamic_cast<DLxDrawingDoc*>(doc))
        return UTxResult::Refusal(kRefused, u"the document is no drawing");
    if (!m_partList.HasTarget()) return UTxResult::Refusal(kRefused, u"Object: no parts list");
    return {};
}

UTxResult DLxPartListSortRequest::_Execute(FWxSceneDoc*) {
    DLxPartListTable* table = m_partList.get();
    DLxTableStatePartlist* state = table ? table->GetPartListTableState().get() : nullptr;
    if (!state) return UTxResult::Refusal(kRefused, u"Object: the parts list has no state");
    // Named now, so that the journal line names the list it sorted.
    UTxResult r = FWxTranscriptMgr::NameRef(m_partList, m_partListRefString);
    if (r.Failed()) return r;
    state->SortRows(m_sortDef);
    RDxComputeContext ctx;
    (void)table->Compute(ctx);
    return {};
}
