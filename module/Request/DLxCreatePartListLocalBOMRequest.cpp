#include "Request/DLxCreatePartListLocalBOMRequest.h"

#include "BofM/DLxPartListTable.h"
#include "BofM/DLxTableStatePartlist.h"
#include "Request/DLxCreateInstanceBulletin.h"
#include "Request/DLxRequestUtil.h"
#include "dc/RDxComputeContext.h"
#include "dl/DLxAssemblyData.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxLocalBOM.h"
#include "dl/DLxSheet.h"
#include "dl/DLxUtil.h"
#include "dl/GBxBOMDescriptor.h"
#include "du/DUxTableStyle.h"
#include "fb/FBxLayerStyle.h"

IMPLEMENT_DYNCREATE(DLxCreatePartListLocalBOMRequest, FWxChangeRequest)

namespace {
constexpr UTxResultCode kRefused = 0xE009033C;
} // namespace

DLxCreatePartListLocalBOMRequest::DLxCreatePartListLocalBOMRequest() = default;

DLxCreatePartListLocalBOMRequest::DLxCreatePartListLocalBOMRequest(const DLxPartListData& data)
    : m_data(data) {
    m_data.SetInRequest(true);
}

UTxStringResource DLxCreatePartListLocalBOMRequest::GetRequestIdentity() const {
    return {0x600B01F5, 11, 0};
}

UTxResult DLxCreatePartListLocalBOMRequest::Script(FWxSceneDoc* doc) {
    return DLxRequestUtil::Script(*this, doc, u"CreatePartListLocalBOM");
}

UTxResult DLxCreatePartListLocalBOMRequest::InitFromTranscript(FWxSceneDoc* doc,
                                                               const UTxString16& line) {
    return DLxRequestUtil::InitFromTranscript(*this, doc, line);
}

UTxResult DLxCreatePartListLocalBOMRequest::DoTranscriptDataExchange(
    UCxTranscriptDataExchange& tdx) {
    m_data.DoTranscriptDataExchange(tdx);
    return tdx.GetResult();
}

UTxResult DLxCreatePartListLocalBOMRequest::ValidateInputs(FWxSceneDoc* doc) {
    const RSeRef<DLxSheet> sheet = m_data.GetSheetInstance();
    if (!sheet.HasTarget())
        return UTxResult::Refusal(kRefused, u"SheetInstance: no sheet to place the parts list on");
    if (!DLxUtil::AllowRequestExecution(doc, sheet.get()))
        return UTxResult::Refusal(kRefused,
                                  u"SheetInstance: the drawing does not take changes to this sheet now");
    if (!m_data.GetDrawing()) return UTxResult::Refusal(kRefused, u"the document has no drawing");
    if (m_data.GetFilename().empty())
        return UTxResult::Refusal(kRefused, u"Filename: no source model");
    return {};
}

UTxResult DLxCreatePartListLocalBOMRequest::_Execute(FWxSceneDoc* doc) {
    m_partList = RSeRef<DLxPartListTable>();
    // Each stop below made no table: the request fails so that the document rolls back and
    // nothing is journalled.
    const RSeRef<DLxLocalBOM> bom = m_data.GetLocalBOM(true);
    if (!bom.HasTarget())
        return UTxResult(kRefused, u"Filename: no bill of materials for the source model");
    const RSeRef<DLxSheet> sheetRef = m_data.GetSheetInstance();
    DLxSheet* sheet = sheetRef.get();
    if (!sheet) return UTxResult(kRefused, u"SheetInstance: no sheet");
    const GBxBOMDescriptor* descriptor = bom->GetDescriptor();
    if (!descriptor) return UTxResult(kRefused, u"the bill of materials has no model");
    m_partList = DLxPartListTable::Create(sheet, m_data.GetOrigin(), bom, m_data.GetSymbolStyle(),
                                          m_data.GetLayerStyle());
    DLxPartListTable* table = m_partList.get();
    if (!table) return UTxResult(kRefused, u"the parts list could not be made");
    RSeRef<DLxTableStatePartlist> stateRef = table->GetPartListTableState();
    if (DLxTableStatePartlist* state = stateRef.get()) {
        state->SetAutomaticWrap(m_data.IsWrapEnabled());
        state->SetWrapDirection(m_data.GetWrapDirection());
        if (m_data.IsWrapEnabled()) {
            state->SetWrapCount(m_data.GetWrapMode() == 0 ? m_data.GetWrapRowCount()
                                                          : m_data.GetWrapSectionCount());
            state->SetWrapMode(m_data.GetWrapMode());
        }
        UTxString16 member = m_data.GetMemberName();
        if (member.empty()) member = descriptor->GetActiveFactoryMember();
        if (!member.empty()) state->SetSelectedMembers({member}, true);
    }
    table->UpdateDesignViewFilter(m_data.GetDesignView());
    table->RegisterAnnotation(sheet);
    table->AddDLBrowserEntry(sheet);
    table->SetPendingRefresh(true);
    RDxComputeContext ctx;
    (void)sheet->Recompute(ctx);
    // Undoing the creation empties a clipboard that holds this table copied from here.
    new DLxCreatePartListTableBulletin(doc, RSeRefBase(table));
    return {};
}
