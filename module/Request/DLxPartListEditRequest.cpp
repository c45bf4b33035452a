#include "Request/DLxPartListEditRequest.h"

#include <algorithm>
#include <string>

#include "BofM/DLxPartListTable.h"
#include "BofM/DLxTableRowPartlist.h"
#include "BofM/DLxTableStatePartlist.h"
#include "Request/DLxPartListEditReplay.h"
#include "Request/DLxRequestUtil.h"
#include "dc/RDxComputeContext.h"
#include "dl/DLxAssemblyData.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxLocalBOM.h"
#include "dl/DLxLocalBOMMgr.h"
#include "dl/DLxSheet.h"
#include "dl/GBxBOMDescriptor.h"
#include "du/DUxTableStyleColumn.h"
#include "fw/FWxDocUtil.h"
#include "fw/FWxTranscriptMgr.h"
#include "fw/FWxUtil.h"
#include "uc/UCxTranscriptDataExchange.h"

IMPLEMENT_DYNCREATE(DLxPartListEditRequest, FWxChangeRequest)

// ---- the replay's shared steps -----------------------------------------------------------------

DLxPartListEditReplay::DLxPartListEditReplay(DLxPartListEditRequest& request,
                                             DLxPartListTable& table, DLxTableStatePartlist& state,
                                             const FBxObjectEditRecordList& records)
    : m_request(request),
      m_table(table),
      m_state(state),
      m_localBOM(state.GetLocalBOM().get()),
      m_wrapper(RSeRef<DUxTableStateBase>(&state), RSeRef<DUxTableStyle>()),
      m_records(records) {}

const FBxObjectEditRecord& DLxPartListEditReplay::TakeSubRecord() {
    if (m_position + 1 >= m_records.size())
        throw FBxObjectEditRecord::exception("the record list ends before the sub-records of \"" +
                                             UTx::ToUtf8(Current().GetKey()) + "\"");
    return m_records[++m_position];
}

void DLxPartListEditReplay::Rebuild() {
    m_state.RebuildRows(RSeRefBase());
}

void DLxPartListEditReplay::UpdateRow(int32_t row) {
    m_state.UpdateRow(row);
}

bool DLxPartListEditReplay::GroupingInForce() const {
    return m_state.IsGroupingEnabled();
}

bool DLxPartListEditReplay::IsFullUpdateNecessary(uint32_t row, uint32_t column,
                                                  const UTxString16& name) const {
    return m_request.IsFullUpdateNecessary(row, column, name);
}

bool DLxPartListEditReplay::CheckAndUpdateToSchemaStructuredAllLevels(int32_t column,
                                                                      bool checkOnly) {
    return m_request.CheckAndUpdateToSchemaStructuredAllLevels(column, checkOnly);
}

void DLxPartListEditReplay::SetMasterRepEdited() {
    m_request.m_masterRepEdited = true;
}

FWxSceneDoc* DLxPartListEditReplay::Document() const {
    return FWxDocUtil::DocumentOf(&m_table);
}

const DLxAssemblyData* DLxPartListEditReplay::SourceModel() const {
    return m_localBOM ? m_localBOM->GetAssembly() : nullptr;
}

UTxResult DLxPartListEditReplay::EnableBomSchema(int32_t scheme, bool allLevels) {
    auto* doc = dynamic_cast<DLxDrawingDoc*>(Document());
    const DLxAssemblyData* model = SourceModel();
    // The bill lists the drawing's own assembly; a model of another document is not ours to
    // change.
    if (!doc || !model || model != doc->GetAssembly())
        return UTxResult::Refusal(DLxPartListEditRequest::kReplayFailed,
                                  u"the parts list's source model cannot be changed here");
    DLxAssemblyData changed = *model;
    if (UTxResult r = DLxLocalBOMMgr::EnableBomSchema(changed, scheme, allLevels); r.Failed())
        return r;
    if (!doc->SetAssembly(changed))
        return UTxResult::Refusal(DLxPartListEditRequest::kReplayFailed,
                                  u"the source model refused the bill-of-materials scheme");
    return {};
}

// ---- the request -------------------------------------------------------------------------------

DLxPartListEditRequest::DLxPartListEditRequest() = default;

DLxPartListEditRequest::DLxPartListEditRequest(RSeRef<DLxPartListTable> table)
    : m_partList(std::move(table)) {}

DLxPartListEditRequest::DLxPartListEditRequest(RSeRef<DLxPartListTable> table,
                                               const WqGePoint3d& origin)
    : m_partList(std::move(table)), m_editType(kMove), m_location(origin) {}

DLxPartListEditRequest::DLxPartListEditRequest(RSeRef<DLxPartListTable> table,
                                               const FBxObjectEditRecordList& records)
    : m_partList(std::move(table)), m_replay(true), m_records(records) {}

DLxPartListEditRequest::~DLxPartListEditRequest() = default;

UTxStringResource DLxPartListEditRequest::GetRequestIdentity() const {
    return {0x600B019A, 11, 0};
}

bool DLxPartListEditRequest::ContainsRecord(const char16_t* name) const {
    return std::any_of(m_records.begin(), m_records.end(),
                       [&](const FBxObjectEditRecord& r) { return r.GetKey() == name; });
}

UTxResult DLxPartListEditRequest::Script(FWxSceneDoc* doc) {
    return DLxRequestUtil::Script(*this, doc, u"EditPartList");
}

UTxResult DLxPartListEditRequest::InitFromTranscript(FWxSceneDoc* doc, const UTxString16& line) {
    return DLxRequestUtil::InitFromTranscript(*this, doc, line);
}

bool DLxPartListEditRequest::ReplayTranscript() {
    if (m_records.empty()) return false;
    DLxPartListTable* table = m_partList.get();
    if (!table) return false;
    RSeRef<DLxTableStatePartlist> stateRef = table->GetPartListTableState();
    DLxTableStatePartlist* state = stateRef.get();
    if (!state) return false;
    DLxPartListEditReplay replay(*this, *table, *state, m_records);
    for (; !replay.AtEnd(); replay.Advance()) {
        const UTxString16& name = replay.Current().GetKey();
        DLxRecordReplay done = DLxReplayRowAndColumnRecord(replay, name);
        if (done == DLxRecordReplay::kNotMine) done = DLxReplayLayoutRecord(replay, name);
        // A name of no record is skipped.
        if (done == DLxRecordReplay::kFailed) return false;
    }
    table->MarkEdited(true);
    return true;
}

UTxResult DLxPartListEditRequest::_Execute(FWxSceneDoc*) {
    m_partListRefString = FWxUtil::GetTranscriptMgr().StringFromRef(m_partList);
    if (m_partListRefString.empty())
        return UTxResult(kFWxErrTranscriptUnresolved, u"PartList: the parts list has no reference");
    if (m_editType == kApplyRecords) {
        if (m_replay) {
            bool applied = false;
            try {
                applied = ReplayTranscript();
            } catch (const FBxObjectEditRecord::exception& e) {
                // The record's message is plain ASCII.
                const std::string what = e.what();
                return UTxResult::Refusal(kReplayFailed,
                                          u"Records: " + UTxString16(what.begin(), what.end()));
            }
            if (!applied)
                return UTxResult::Refusal(kReplayFailed,
                                          u"Records: no record could be applied to the parts list");
        } else {
            m_records.clear();
        }
    } else if (m_editType == kMove) {
        DLxPartListTable* table = m_partList.get();
        RSeRef<DLxTableStatePartlist> stateRef = table ? table->GetPartListTableState()
                                                       : RSeRef<DLxTableStatePartlist>();
        DLxTableStatePartlist* state = stateRef.get();
        if (!state) return {};
        state->SetOrigin(m_location);
        table->MarkEdited(true);
        RDxComputeContext ctx;
        (void)table->Compute(ctx);
        return {};
    }
    return Finish();
}

UTxResult DLxPartListEditRequest::Finish() {
    DLxPartListTable* table = m_partList.get();
    DLxSheet* sheet = table ? table->GetObjectNameKeyParent() : nullptr;
    if (!sheet) return {};
    RSeRef<DLxTableStatePartlist> stateRef = table->GetPartListTableState();
    if (DLxTableStatePartlist* state = stateRef.get())
        if (DLxLocalBOM* bom = state->GetLocalBOM().get())
            bom->NotifyAnnotationUpdateStates(sheet, false);
    RDxComputeContext ctx;
    (void)sheet->Recompute(ctx);
    return {};
}

std::vector<FWxSceneDoc*> DLxPartListEditRequest::GetOtherChangedDocuments(FWxSceneDoc* doc) {
    std::vector<FWxSceneDoc*> docs;
    const bool changesModel =
        std::any_of(m_records.begin(), m_records.end(), [&](const FBxObjectEditRecord& r) {
            if (r.GetKey() == u"PushbackItemNumbers") return true;
            if (r.GetKey() != u"StaticValue") return false;
            const FBxObjectEditRecord::Value* col = r.FindAttribute(u"col");
            return col && col->GetKind() == FWxTranscriptValue::kInt &&
                   CheckAndUpdateToSchemaStructuredAllLevels(int32_t(col->GetInt()), true);
        });
    if (!changesModel) return docs;
    DLxPartListTable* table = m_partList.get();
    RSeRef<DLxTableStatePartlist> stateRef =
        table ? table->GetPartListTableState() : RSeRef<DLxTableStatePartlist>();
    DLxTableStatePartlist* state = stateRef.get();
    DLxLocalBOM* bom = state ? state->GetLocalBOM().get() : nullptr;
    if (!bom || !bom->GetAssembly()) return docs;
    // The source model is the assembly of the drawing that holds the bill.
    FWxSceneDoc* modelDoc = FWxDocUtil::DocumentOf(bom);
    if (modelDoc && modelDoc != doc) docs.push_back(modelDoc);
    return docs;
}

bool DLxPartListEditRequest::IsFullUpdateNecessary(uint32_t row, uint32_t column,
                                                   const UTxString16&) const {
    DLxPartListTable* table = m_partList.get();
    RSeRef<DLxTableStatePartlist> stateRef =
        table ? table->GetPartListTableState() : RSeRef<DLxTableStatePartlist>();
    DLxTableStatePartlist* state = stateRef.get();
    DLxLocalBOM* bom = state ? state->GetLocalBOM().get() : nullptr;
    if (!bom) return false;
    if (state->IsGroupingEnabled()) return true;
    DUxTableRowBase* r = row <= uint32_t(INT32_MAX) ? state->GetRow(int32_t(row)) : nullptr;
    if (!r) return true;
    if (!r->IsFlagOn(DLxTableRowPartlist::ExpandedRowFlag)) return false;
    auto* col = column <= uint32_t(INT32_MAX)
                    ? dynamic_cast<DUxTableStylePartsListColumn*>(state->GetColumn(int32_t(column)))
                    : nullptr;
    if (!col) return false;
    const DUxStyleFormatColumnPropertyID* id = col->GetPropertyID();
    if (!id) return false;
    return (id->IsItem() && bom->IsLegacyBOM()) || (id->IsQuantity() && r->Invisible());
}

bool DLxPartListEditRequest::CheckAndUpdateToSchemaStructuredAllLevels(int32_t column,
                                                                       bool checkOnly) {
    DLxPartListTable* table = m_partList.get();
    RSeRef<DLxTableStatePartlist> stateRef =
        table ? table->GetPartListTableState() : RSeRef<DLxTableStatePartlist>();
    DLxTableStatePartlist* state = stateRef.get();
    if (!state) return false;
    if (column != -1) {
        auto* col = dynamic_cast<DUxTableStylePartsListColumn*>(state->GetColumn(column));
        if (!col || !col->GetPropertyID() || !col->GetPropertyID()->IsItem()) return false;
    }
    DLxLocalBOM* bom = state->GetLocalBOM().get();
    if (!bom || !bom->IsAssemblyBased()) return false;
    const GBxBOMDescriptor* descriptor = bom->GetDescriptor();
    if (!descriptor || !descriptor->DetailIDNotAvailable()) return false;
    const DLxAssemblyData* model = bom->GetAssembly();
    if (!model || !DLxLocalBOMMgr::HasSchemeEnabled(*model, 1)) return false;
    if (checkOnly) return true;
    DLxPartListEditReplay replay(*this, *table, *state, m_records);
    if (replay.EnableBomSchema(1, true).Failed()) return false;
    m_masterRepEdited = true;
    return true;
}

UTxResult DLxPartListEditRequest::DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) {
    m_replay = tdx.IsReading();
    if (!tdx.HasFailed()) {
        _TDX_String(tdx, u"PartList", m_partListRefString, true);
        if (tdx.IsReading() && !tdx.HasFailed()) {
            RSeRefBase ref;
            tdx.GetResult() = tdx.GetTranscriptMgr().RefFromString(tdx.GetDocument(),
                                                                 m_partListRefString, ref);
            m_partList = RSeRef<DLxPartListTable>(ref);
        }
    }
    int32_t editType = m_editType;
    _TDX_Int(tdx, u"EditType", editType, true);
    if (tdx.IsReading()) m_editType = editType;
    _TDX_Point3(tdx, u"Location", m_location, true);
    _TDX_FBxObjectEditRecordList(tdx, u"Records", m_records, true);
    // A line without records was written by a request of the finishing steps alone: read back,
    // it runs them again rather than failing on an empty list.
    if (tdx.IsReading() && m_records.empty()) m_replay = false;
    m_partListRefString.clear();
    if (tdx.IsReading()) m_masterRepEdited = false;
    return tdx.GetResult();
}
