#include "Request/DLxPartlistPushbackIDsRequest.h"

#include <memory>

#include "BofM/DLxPartListTable.h"
#include "BofM/DLxTableStatePartlist.h"
#include "Request/DLxRequestUtil.h"
#include "dl/DLxLocalBOM.h"
#include "dl/DLxLocalBOMQuery.h"
#include "dl/DLxTDXUtil.h"
#include "dl/GBxBOMEditDescriptor.h"
#include "du/DUxTableStyleColumn.h"
#include "fw/FWxDocUtil.h"
#include "rse/RSe.h"
#include "rse/RSeTransaction.h"

IMPLEMENT_DYNCREATE(DLxPartlistPushbackIDsRequest, FWxChangeRequest)

namespace {
constexpr UTxResultCode kRefused = 0xE009033C;
constexpr UTxResultCode kFailed = 0x200104B3;

// The item-number column as the bill is asked for it: a transient parts-list column of the
// general item property, deleted with its holder.
struct ItemColumn {
    DUxTableStylePartsListColumn* column = DUxTableStylePartsListColumn::New(nullptr);
    ItemColumn() {
        column->GetPropertyID()->SetPropertySet(u"{BEB6B91C-AF44-4f9b-AD9E-1E0570A168F9}");
        column->GetPropertyID()->SetPropertyID(u"1");
    }
    ~ItemColumn() { RSe::DeleteObject(column); }
    ItemColumn(const ItemColumn&) = delete;
    ItemColumn& operator=(const ItemColumn&) = delete;
    // The bill's column of it; the item column when the property names no other.
    DLxLocalBOMColumn BillColumn() const {
        DLxLocalBOMColumn out(DLxLocalBOMColumn::Item);
        DLxLocalBOMColumn::FromPropertyID(*column->GetPropertyID(), out);
        return out;
    }
};

// The cookie list: "<key>_Count", then one key per cookie ("<key>_<i in lower-case hex>").
void TranscriptCookies(UCxTranscriptDataExchange& tdx, const char16_t* key,
                       std::vector<DLxLocalBOMCookie>& cookies, bool required) {
    DLxTranscriptVector(tdx, key, cookies, required,
                        [](UCxTranscriptDataExchange& t, const char16_t* k, DLxLocalBOMCookie& c,
                           bool req) { DLxTDXUtil::Transcript(t, k, c, req); });
}
} // namespace

DLxPartlistPushbackIDsRequest::DLxPartlistPushbackIDsRequest() = default;

DLxPartlistPushbackIDsRequest::DLxPartlistPushbackIDsRequest(const RSeRef<DLxPartListTable>& table,
                                                             bool doCompMinimum)
    : m_partList(table), m_pushbackAll(true), m_doCompMinimum(doCompMinimum) {
    TakeLocalBOM();
}

DLxPartlistPushbackIDsRequest::DLxPartlistPushbackIDsRequest(
    const RSeRef<DLxPartListTable>& table, const std::vector<DLxLocalBOMCookie>& cookies,
    bool doCompMinimum)
    : m_partList(table), m_cookies(cookies), m_pushbackAll(false), m_doCompMinimum(doCompMinimum) {
    TakeLocalBOM();
}

void DLxPartlistPushbackIDsRequest::TakeLocalBOM() {
    const DLxPartListTable* table = m_partList.get();
    const RSeRef<DLxTableStatePartlist> state =
        table ? table->GetPartListTableState() : RSeRef<DLxTableStatePartlist>();
    if (state.HasTarget()) m_localBOM = state->GetLocalBOM();
}

UTxStringResource DLxPartlistPushbackIDsRequest::GetRequestIdentity() const {
    return {0x600B01F9, 11, 0};
}

UTxResult DLxPartlistPushbackIDsRequest::Script(FWxSceneDoc* doc) {
    return DLxRequestUtil::Script(*this, doc, u"PartlistPushbackIDs");
}

UTxResult DLxPartlistPushbackIDsRequest::InitFromTranscript(FWxSceneDoc* doc,
                                                            const UTxString16& line) {
    return DLxRequestUtil::InitFromTranscript(*this, doc, line);
}

UTxResult DLxPartlistPushbackIDsRequest::DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) {
    TranscriptRSeRefArgument(tdx, u"PARTSLIST", m_partList, true);
    if (tdx.IsReading() && !tdx.HasFailed()) TakeLocalBOM();
    _TDX_Bool(tdx, u"PushbackAll", m_pushbackAll, true);
    if (!m_pushbackAll) TranscriptCookies(tdx, u"Cookies", m_cookies, true);
    // Written as false whatever the request was given; a line without it reads as false.
    m_doCompMinimum = false;
    DLxTDXUtil::Transcript(tdx, u"DoCompMinimum", m_doCompMinimum, tdx.IsWriting());
    return tdx.GetResult();
}

UTxResult DLxPartlistPushbackIDsRequest::ValidateInputs(FWxSceneDoc*) {
    if (!m_localBOM.HasTarget())
        return UTxResult::Refusal(kRefused, u"PARTSLIST: no local bill of materials");
    return {};
}

std::vector<FWxSceneDoc*>
DLxPartlistPushbackIDsRequest::GetOtherChangedDocuments(FWxSceneDoc* doc) {
    // The model is kept by the drawing of the bill; another document only when the bill's
    // model lies in one.
    const DLxLocalBOM* bom = m_localBOM.get();
    if (!bom || !bom->GetAssembly()) return {};
    FWxSceneDoc* modelDoc = FWxDocUtil::DocumentOf(RSe::DatabaseOf(bom));
    if (!modelDoc || modelDoc == doc) return {};
    return {modelDoc};
}

UTxResult DLxPartlistPushbackIDsRequest::_Execute(FWxSceneDoc*) {
    DLxLocalBOM* bom = m_localBOM.get();
    if (!bom) return UTxResult::Refusal(kFailed, u"no local bill of materials");
    if (!bom->GetDescriptor())
        return UTxResult::Refusal(kFailed, u"the bill of materials has no model");
    DLxLocalBOMQuery query(bom, nullptr, 0, false);
    if (!query.Execute(false))
        return UTxResult::Refusal(kFailed, u"the bill of materials cannot be read");
    const ItemColumn item;
    const DLxLocalBOMColumn column = item.BillColumn();
    // Completed (the model written) when it goes, after every row has given its number.
    auto edit = std::make_unique<GBxBOMEditDescriptor>(RSe::DatabaseOf(bom), bom->GetSchemeID(), 1);
    auto push = [&](const DLxLocalBOMRow* row) {
        if (row && row->HasItemNumberToPush(column)) row->PushItemNumber(*edit, column);
    };
    if (m_pushbackAll) {
        const DLxLocalBOMRows* rows = query.Results();
        if (!rows) return UTxResult::Refusal(kFailed, u"the bill of materials has no rows");
        for (size_t i = 0; i < rows->RowCount(); ++i)
            push(rows->RowAt(i));
    } else {
        for (const DLxLocalBOMCookie& cookie : m_cookies)
            push(query.RowByCookie(cookie));
    }
    edit.reset();
    return {};
}
