#include "Request/DLxConvertToBOMRequest.h"

#include "BofM/DLxPartListTable.h"
#include "BofM/DLxTableRowPartlist.h"
#include "BofM/DLxTableStatePartlist.h"
#include "Request/DLxRequestUtil.h"
#include "dl/DLxAnnotationUpdateState.h"
#include "dl/DLxAnnotationUtil.h"
#include "dl/DLxAssemblyData.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxLocalBOM.h"
#include "dl/DLxLocalBOMMgr.h"
#include "dl/DLxLocalBOMQuery.h"
#include "dl/DLxUtil.h"
#include "dl/GBxBOMDescriptor.h"
#include "fw/FWxDocUtil.h"
#include "fw/FWxSceneDoc.h"
#include "rse/RSe.h"

IMPLEMENT_DYNCREATE(DLxConvertToBOMRequest, FWxChangeRequest)

namespace {
constexpr UTxResultCode kRefused = 0xE009033C;
// The bill's mark that its parts lists still carry overrides of their own.
constexpr uint32_t kListOverridesFlag = 0x8000;
// The sheet change the lists are told of: their bill changed.
constexpr int32_t kBillChanged = 5;
} // namespace

DLxConvertToBOMRequest::DLxConvertToBOMRequest() = default;

DLxConvertToBOMRequest::DLxConvertToBOMRequest(const RSeRef<DLxLocalBOM>& bom) : m_localBOM(bom) {}

DLxConvertToBOMRequest::DLxConvertToBOMRequest(const RSeRef<DLxPartListTable>& partList)
    : m_partList(partList) {
    TakeLocalBOM();
}

void DLxConvertToBOMRequest::TakeLocalBOM() {
    const DLxPartListTable* table = m_partList.get();
    const RSeRef<DLxTableStatePartlist> state =
        table ? table->GetPartListTableState() : RSeRef<DLxTableStatePartlist>();
    if (state.HasTarget()) m_localBOM = state->GetLocalBOM();
}

UTxStringResource DLxConvertToBOMRequest::GetRequestIdentity() const {
    return {0x600B01F2, 11, 0};
}

UTxResult DLxConvertToBOMRequest::Script(FWxSceneDoc* doc) {
    return DLxRequestUtil::Script(*this, doc, u"ConvertToBOM");
}

UTxResult DLxConvertToBOMRequest::InitFromTranscript(FWxSceneDoc* doc, const UTxString16& line) {
    return DLxRequestUtil::InitFromTranscript(*this, doc, line);
}

UTxResult DLxConvertToBOMRequest::DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) {
    TranscriptRSeRefArgument(tdx, u"PARTSLIST", m_partList, true);
    if (tdx.IsReading() && !tdx.HasFailed()) {
        TakeLocalBOM();
        m_masterRepEdited = false;
    }
    // A conversion of a bill alone names no list: it names the bill by its scheme (a drawing
    // keeps one bill per scheme), so that its line replays on the bill it converted.
    if (!m_partList.HasTarget() && !tdx.HasFailed()) {
        const DLxLocalBOM* bom = m_localBOM.get();
        int32_t scheme = bom ? bom->GetSchemeID() : 0;
        if (tdx.IsWriting()) {
            if (bom) _TDX_Int(tdx, u"BOMScheme", scheme, true);
        } else if (_TDX_Int(tdx, u"BOMScheme", scheme, false) && !tdx.HasFailed()) {
            FWxSceneDoc* doc = tdx.GetDocument();
            for (DLxLocalBOM* b : DLxLocalBOMMgr::GetLocalBOMs(doc ? doc->GetRSeDb() : nullptr))
                if (b->GetSchemeID() == scheme) {
                    m_localBOM = RSeRef<DLxLocalBOM>(b);
                    break;
                }
        }
    }
    return tdx.GetResult();
}

UTxResult DLxConvertToBOMRequest::ValidateInputs(FWxSceneDoc* doc) {
    if (!m_localBOM.HasTarget())
        return UTxResult::Refusal(kRefused, u"PARTSLIST: no local bill of materials");
    if (!DLxUtil::AllowRequestExecution(doc, nullptr))
        return UTxResult::Refusal(kRefused, u"the document takes no requests now");
    return {};
}

UTxResult DLxConvertToBOMRequest::EnableScheme(DLxLocalBOM& bom, int32_t scheme) {
    // The source model is the assembly the bill's drawing keeps: it changes inside this
    // request's transaction, and the drawing's bills follow it.
    auto* drawing = dynamic_cast<DLxDrawingDoc*>(FWxDocUtil::DocumentOf(RSe::DatabaseOf(&bom)));
    const DLxAssemblyData* rep = drawing ? drawing->GetAssembly() : nullptr;
    if (!rep) return {};
    DLxAssemblyData model = *rep;
    UTxResult r = DLxLocalBOMMgr::EnableBomSchema(model, scheme, true);
    if (r.Failed()) return r;
    if (!drawing->SetAssembly(model))
        return UTxResult::Refusal(kRefused, u"the source model refused the scheme");
    m_masterRepEdited = true;
    return r;
}

UTxResult DLxConvertToBOMRequest::_Execute(FWxSceneDoc*) {
    DLxLocalBOM* bom = m_localBOM.get();
    if (!bom) return {};
    bom->UnsetFlag(kListOverridesFlag);
    const int32_t scheme =
        bom->IsPartsOnlyBOM() ? DLxLocalBOM::kPartsOnly : DLxLocalBOM::kStructured;
    const DLxAssemblyData* rep = bom->GetAssembly();
    bool enabled = rep && DLxLocalBOMMgr::HasSchemeEnabled(*rep, scheme);
    // A list showing an expanded sub-assembly needs the model to number every level.
    if (enabled && scheme == DLxLocalBOM::kStructured) {
        const DLxPartListTable* table = m_partList.get();
        const RSeRef<DLxTableStatePartlist> state =
            table ? table->GetPartListTableState() : RSeRef<DLxTableStatePartlist>();
        const GBxBOMDescriptor* descriptor = bom->GetDescriptor();
        if (state.HasTarget() && state->AnyRowWithBothFlags() && descriptor &&
            !descriptor->IsBOMStructuredAllLevels())
            enabled = false;
    }
    UTxResult result;
    if (!enabled && rep) {
        result = EnableScheme(*bom, scheme);
        if (result.Failed()) return result;
    }
    fillOutEntityVectors(*bom);
    bom->SetSchemeID(scheme);
    absorbSelectedPLOverrides();
    removeEntityBasedOverrides();
    setItemsAsOverrides(*bom);
    bom->Refresh();
    bom->NotifyAnnotationUpdateStates(nullptr, false);
    // This host's browser reads the bill's state afresh at each asking: no entry to mark.
    (void)DLxAnnotationUtil::UpdateActiveSheet(FWxDocUtil::DocumentOf(RSe::DatabaseOf(bom)),
                                               kBillChanged);
    return result;
}

void DLxConvertToBOMRequest::fillOutEntityVectors(DLxLocalBOM& bom) {
    m_partLists.clear();
    for (const DLxAnnotationUpdateState* s : bom.GetAnnotationStates())
        if (auto* table = dynamic_cast<DLxPartListTable*>(s->GetAnnotation()))
            m_partLists.emplace_back(table);
}

void DLxConvertToBOMRequest::absorbSelectedPLOverrides() {
    DLxPartListTable* table = m_partList.get();
    DLxTableStatePartlist* state = table ? table->GetPartListTableState().get() : nullptr;
    if (!state) return;
    state->RebuildRows(RSeRefBase());
    // The cells belong to the state's own columns, so those are the ones asked; writing a
    // cell's value puts it into the bill and leaves the columns as they are.
    const DUxTableColumnList& columns = state->GetOriginalColumns();
    for (int32_t i = 0; i < state->GetRowCount(); ++i) {
        auto* row = dynamic_cast<DLxTableRowPartlist*>(state->GetRow(i));
        if (!row) continue;
        for (const RSeRef<DUxTableStyleColumn>& c : columns) {
            UTxString16 text;
            if (!row->GetCellOverride(c.get(), text)) continue;
            if (DUxTableRowData_Base* cell = row->GetValueRaw(c.get(), true))
                cell->SetValue(text, c.get(), false);
        }
    }
}

void DLxConvertToBOMRequest::removeEntityBasedOverrides() {
    for (const RSeRef<DLxPartListTable>& ref : m_partLists) {
        DLxPartListTable* table = ref.get();
        if (!table) continue;
        DLxTableStatePartlist::RemoveEntityBasedRowOverrides(table->GetPartListTableState().get());
        // Edited so that it reads its bill again, where its overrides now are.
        table->SetPendingRefresh(true);
    }
}

void DLxConvertToBOMRequest::setItemsAsOverrides(DLxLocalBOM& bom) {
    DLxLocalBOMQuery query(&bom, nullptr, 3, true);
    if (!query.Execute(false) || !query.RowCount()) return;
    const DLxLocalBOMColumn item(DLxLocalBOMColumn::Item);
    for (size_t i = 0; i < query.RowCount(); ++i) {
        DLxLocalBOMRow* row = query.RowAt(i);
        std::u16string text;
        if (row && row->GetCellValue(item, text, nullptr)) row->SetItemNumber(text);
    }
}
