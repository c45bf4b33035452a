#include "Command/DLxDatumTargetEditCmd.h"

#include "Command/DLxDatumBl.h"
#include "DatumTarget/DLxDatumTarget.h"
#include "DatumTarget/DLxDatumTargetSelection.h"
#include "Request/DLxCreateSymbolRequest.h"
#include "WinMessageBox.h"
#include "dc/RDxComputeContext.h"
#include "fw/FWxCommand.h"
#include "fw/FWxSceneDoc.h"
#include "fw/FWxSelection.h"
#include "fw/FWxSelectionSetMgr.h"
#include "fw/SmartPtr.h"
#include "fw/FWxUIManager.h"

#include <cstdio>
#include <memory>
#include <vector>

namespace {
using CtxCmd = FWxUIManager::CtxMenuCommandInitializer;

const CtxCmd s_editCmd(DLxDatumTargetEditCmd::kCommandId, "DrawingEditDatumTargetSymbolCtxCmd", 1);

// The items of the attached balloons 2 to 19: ids 44064 to 44071 carry 2 to 9, ids 44054 to
// 44063 carry 10 to 19.
std::vector<std::unique_ptr<CtxCmd>> RegisterBalloonItems() {
    std::vector<std::unique_ptr<CtxCmd>> items;
    for (int32_t balloon = 2; balloon <= 19; ++balloon) {
        const int32_t id = balloon <= 9 ? 44064 + balloon - 2 : 44054 + balloon - 10;
        char name[40];
        std::snprintf(name, sizeof name, "DrawingEditDatumTgt%02dCtxCmd", int(balloon));
        items.push_back(std::make_unique<CtxCmd>(id, name, 1));
    }
    return items;
}
const std::vector<std::unique_ptr<CtxCmd>> s_balloonCmds = RegisterBalloonItems();
} // namespace

// ---- one dialog run

DLxDatumTargetBalloonEdit::DLxDatumTargetBalloonEdit(FWxSceneDoc* doc,
                                                     const RSeRef<DLxDatumTarget>& placed,
                                                     int32_t balloon)
    : m_doc(doc), m_placed(placed), m_balloon(balloon) {
    if (const DLxDatumTarget* target = placed.Read())
        if (target->GetBalloon(balloon))
            m_clone = DLxDatumTargetRequestUtil::MakeTransientCopy(*target, doc, m_fragment);
}

DLxDatumTargetBalloonEdit::~DLxDatumTargetBalloonEdit() {
    DLxDatumTargetRequestUtil::DeleteTransient(m_clone, m_fragment);
}

bool DLxDatumTargetBalloonEdit::IsReady() const {
    return m_clone && m_clone->GetBalloon(m_balloon);
}

void DLxDatumTargetBalloonEdit::OnBalloonTextsChanged(const DLxDatumBlTexts& texts) {
    if (!IsReady()) return;
    m_clone->SetBalloonTexts(m_balloon, texts.size, texts.target);
    RDxComputeContext ctx;
    m_clone->Compute(ctx);
}

bool DLxDatumTargetBalloonEdit::Run(FWxCommand* commandTarget, bool afterAttach) {
    if (!IsReady()) return false;
    DLxDatumBl dialog(m_placed, m_balloon, commandTarget);
    if (dialog.DoModal() != IDOK) return false;
    SmartPtr<DLxSymbolEditRequest> request(new DLxSymbolEditRequest(m_placed, m_clone));
    request->SetSkipScript(afterAttach);
    return !m_doc->ProcessChangeRequest(SmartPtr<FWxChangeRequest>(request)).Failed();
}

// ---- the command

DLxDatumTargetEditCmd::~DLxDatumTargetEditCmd() = default;

int32_t DLxDatumTargetEditCmd::BalloonIndexOfItem(int32_t id) {
    if (id >= 44064 && id <= 44071) return id - 44064 + 1;
    if (id >= 44054 && id <= 44063) return id - 44054 + 9;
    return 0;
}

RSeRef<DLxDatumTarget> DLxDatumTargetEditCmd::GetSelectedInstance() const {
    FWxSelectionSetMgr* mgr = FWxSelectionSetMgr::Get(GetDocument());
    FWxSelectionSet* set = mgr ? mgr->GetDrawSelectionSet() : nullptr;
    if (!set || set->IsEmpty()) return {};
    auto* selection = dynamic_cast<DLxDatumTargetSelection*>(set->GetAt(0).get());
    return RSeRef<DLxDatumTarget>(selection ? selection->GetDatumTarget() : nullptr);
}

bool DLxDatumTargetEditCmd::OnCmdMsg(int32_t id, int32_t code, void* extra) {
    if (code == FWxCmd::kNotify && id == DLxDatumBl::kTextsChanged) {
        if (!m_edit || !extra) return false;
        m_edit->OnBalloonTextsChanged(*static_cast<const DLxDatumBlTexts*>(extra));
        return true;
    }
    const bool balloonItem = BalloonIndexOfItem(id) != 0;
    if (id != kCommandId && !balloonItem) return false;
    if (code == FWxCmd::kUpdateUI && extra) {
        static_cast<FWxCmdUI*>(extra)->Enable(true);
        return true;
    }
    if (code != FWxCmd::kCommand) return false;
    if (balloonItem) {
        EditBalloon(BalloonIndexOfItem(id));
        return true;
    }
    // Right after a balloon was attached, the edit is that balloon's.
    int32_t index = 0;
    if (const RSeRef<DLxDatumTarget> target = GetSelectedInstance(); target.HasTarget())
        if (target.Read()->IsBalloonAttached()) {
            m_attach = true;
            index = target.Read()->GetActiveBalloonIndex();
        }
    EditBalloon(index);
    return true;
}

bool DLxDatumTargetEditCmd::EditBalloon(int32_t index) {
    const RSeRef<DLxDatumTarget> target = GetSelectedInstance();
    if (!target.HasTarget()) return false;
    m_balloon = index;
    DLxDatumTargetBalloonEdit edit(GetDocument(), target, index);
    if (!edit.IsReady()) return false;
    m_edit = &edit;
    const bool applied = edit.Run(this, m_attach);
    m_edit = nullptr;
    // An applied edit ends the attachment's turn.
    if (applied) m_attach = false;
    return applied;
}

bool DLxDatumTargetEditCmd::PostEditRequest() {
    return EditBalloon(m_balloon);
}
