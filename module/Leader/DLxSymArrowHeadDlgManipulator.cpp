#include "Leader/DLxSymArrowHeadDlgManipulator.h"

#include <cmath>
#include <vector>

#include "Leader/DUxArrowHeadDialog.h"
#include "Request/DLxSymArrowHeadRequest.h"
#include "Symbol/DLxSymInstance.h"
#include "Symbol/DLxSymSelection.h"
#include "WinMessageBox.h"
#include "du/DUxArrowHead.h"
#include "du/DUxArrowheadService.h"
#include "du/DUxEmblemSelection.h"
#include "du/DUxLeaderNodeTree.h"
#include "du/DUxLeaderNode.h"
#include "fw/FWxSceneDoc.h"
#include "rse/RSeTransaction.h"

DLxSymArrowHeadDlgManipulator::DLxSymArrowHeadDlgManipulator()
    : DLxInstanceManipulator(RSeRefBase(), kClassHotPoint, nullptr) {}

DLxSymArrowHeadDlgManipulator::DLxSymArrowHeadDlgManipulator(const RSeRef<DLxSymInstance>& symbol,
                                                             int32_t leader, int32_t arrow,
                                                             FWxSelection* selection)
    : DLxInstanceManipulator(symbol, kClassHotPoint, selection), m_symbol(symbol),
      m_leader(leader), m_arrow(arrow) {}

std::unique_ptr<DLxSymArrowHeadDlgManipulator>
DLxSymArrowHeadDlgManipulator::ForPick(DLxSymSelection* selection, double tolerance) {
    if (!selection) return nullptr;
    RSeReadOnlyScope reading;
    DLxSymInstance* symbol = selection->GetSymbol();
    if (!symbol) return nullptr;
    const WqGePoint3d& pick = selection->GetPickPoint();
    int32_t bestLeader = -1, bestArrow = -1;
    double best = tolerance;
    for (int32_t leader = 0; leader < symbol->GetNumLeaders(); ++leader) {
        const DUxLeaderNodeTree* tree = symbol->GetLeader(leader);
        if (!tree) continue;
        std::vector<int32_t> arrows;
        tree->GetArrowHeadIndexes(arrows);
        for (int32_t arrow : arrows) {
            const DUxBaseTerminalLeaderNode* tip = tree->GetTerminalNode(arrow);
            if (!tip) continue;
            const WqGePoint3d& p = tip->GetStoredPoint();
            const double d = std::hypot(p.x - pick.x, p.y - pick.y);
            if (d <= best) {
                best = d;
                bestLeader = leader;
                bestArrow = arrow;
            }
        }
    }
    if (bestLeader < 0) return nullptr;
    return std::make_unique<DLxSymArrowHeadDlgManipulator>(RSeRef<DLxSymInstance>(symbol),
                                                           bestLeader, bestArrow, selection);
}

bool DLxSymArrowHeadDlgManipulator::StartDialog() {
    FWxSceneDoc* doc = GetDocument();
    if (!doc || !doc->PermittedCommand(kClassification)) return true;
    {
        RSeReadOnlyScope reading;
        const DLxSymInstance* symbol = m_symbol.Read();
        if (!symbol || !symbol->GetArrowHeadState(m_arrow, m_leader)) return false;
        const DUxArrowHeadTemplate* current = symbol->GetArrowHeadRef(m_arrow, m_leader);
        m_chosen = current ? current->id : 0;
    }
    // The chooser opens by the pick; this host's views draw in sheet units.
    WqGePoint3d pick;
    if (const auto* selection = dynamic_cast<const DUxEmblemSelection*>(GetSelection()))
        pick = selection->GetPickPoint();
    const auto x = int32_t(std::lround(pick.x));
    const auto y = int32_t(std::lround(pick.y));

    // Every preview lands on a copy: the stored symbol and its graphics stay as they are.
    if (!DLxInstanceManipulator::StartDrag(pick)) return true;
    DUxArrowHeadDialog chooser(this, nullptr, x, y, m_chosen, 0);
    const int32_t result = chooser.DoModal();
    DiscardPreview();
    if (result != IDOK) return true;
    if (m_chosen == 0) CallBack(nullptr);
    SmartPtr<FWxChangeRequest> request(new DLxSymArrowHeadRequest(m_symbol, m_chosen, m_arrow,
                                                                  m_leader));
    // A refusal says why in its result; the dialog has ended either way.
    (void)doc->ProcessChangeRequest(request);
    return true;
}

bool DLxSymArrowHeadDlgManipulator::CallBack(void* data) {
    uint32_t chosen = data ? *static_cast<const uint32_t*>(data) : 0;
    if (!DUxArrowheadService::GetArrowService(chosen))
        chosen = DUxStandardUtil::GetServiceTemplate(DUxStandardUtil::kDefaultArrowHead);
    m_chosen = chosen;
    auto* clone = dynamic_cast<DLxSymInstance*>(GetClonedInstance());
    if (!clone) return true;
    clone->SetArrowHeadRef(DUxArrowHeadTemplate::Find(chosen), m_arrow, m_leader);
    // The preview shows what it can; its diagnoses are dropped with it.
    (void)RecomputePreview();
    return true;
}
