#include "Command/DLxDatumTargetAttachCmd.h"

#include "DatumTarget/DLxDatumTarget.h"
#include "DatumTarget/DLxDatumTargetSelection.h"
#include "Request/DLxDatumTargetRequest.h"
#include "Standard/DLxCTarget.h"
#include "dl/DLxUIUtil.h"
#include "fw/FWxCommand.h"
#include "fw/FWxSceneDoc.h"
#include "fw/FWxSelection.h"
#include "fw/FWxSelectionSetMgr.h"
#include "fw/FWxUIManager.h"

namespace {
const FWxUIManager::CtxMenuCommandInitializer s_attachCtxCmd(
    DLxDatumTargetAttachCmd::kCommandId, "DrawingAttachBalloonToDatumTargetCtxCmd", 1);
const FWxUIManager::CtxMenuCommandInitializer s_removeCtxCmd(DLxDatumTargetRemoveCmd::kCommandId,
                                                             "DLxDatumTargetRemoveCmd", 1);

const DLxDatumTargetSelection* AsTargetSelection(FWxSelectionSet* set, bool last) {
    if (!set || set->IsEmpty()) return nullptr;
    return dynamic_cast<const DLxDatumTargetSelection*>(
        set->GetAt(last ? set->Count() - 1 : 0).get());
}
} // namespace

DLxDatumTargetAttachCmd* DLxDatumTargetAttachCmd::s_active = nullptr;

bool DLxDatumAttachTarget::OnActivate() {
    m_candidates.clear();
    m_target = RSeRef<DLxDatumTarget>();
    FWxSelectionSetMgr* mgr = FWxSelectionSetMgr::Get(m_doc);
    if (!mgr) return true;
    const DLxDatumTargetSelection* picked = AsTargetSelection(mgr->GetPreSelectionSet(), false);
    // Keep what the selection says before the sets are emptied.
    WqGePoint3d pickPoint;
    if (picked) {
        m_target = RSeRef<DLxDatumTarget>(picked->GetDatumTarget());
        pickPoint = picked->GetPickPoint();
    }
    mgr->EmptySelectionSets();
    const DLxDatumTarget* target = m_target.HasTarget() ? m_target.Read() : nullptr;
    const DLxCTargetBalloon* defaultBalloon = target ? target->GetBalloon(0) : nullptr;
    const WqGePoint3d c = defaultBalloon ? defaultBalloon->GetOrigin() : WqGePoint3d();
    const double s = target ? 2.0 * target->GetBalloonSize() : 0.0;

    if (m_remove) {
        // Nothing to take away from a target without attached balloons.
        if (target && target->GetNumAttachedBalloons() > 0) {
            m_doc->ProcessChangeRequest(
                new DLxDatumTargetRemoveRequest(m_target, target->FindNearestBalloon(pickPoint)));
        }
        return true;
    }
    if (target && target->GetNumAttachedBalloons() > 0) {
        const WqGePoint3d p = target->GetBalloon(target->GetNumAttachedBalloons())->GetOrigin();
        const WqGeVector3d u = (p - c).normal();
        PostAttach(c + u * (p.distanceTo(c) + s));
        return true;
    }
    m_candidates = {c + WqGeVector3d(s, 0, 0), c - WqGeVector3d(s, 0, 0), c + WqGeVector3d(0, s, 0),
                    c - WqGeVector3d(0, s, 0)};
    return false;
}

WqGePoint3d DLxDatumAttachTarget::NearestCandidate(const WqGePoint3d& point) const {
    const WqGePoint3d onSheet(point.x, point.y, 0);
    WqGePoint3d best = m_candidates.empty() ? onSheet : m_candidates.front();
    for (const WqGePoint3d& candidate : m_candidates)
        if (candidate.distanceTo(onSheet) < best.distanceTo(onSheet)) best = candidate;
    return best;
}

void DLxDatumAttachTarget::OnLButtonDown(const WqGePoint3d& point) {
    PostAttach(NearestCandidate(point));
}

void DLxDatumAttachTarget::PostAttach(const WqGePoint3d& point) {
    // A click without a target has nothing to attach to: the request would be refused.
    if (!m_target.HasTarget()) return;
    m_doc->ProcessChangeRequest(new DLxDatumTargetAttachRequest(m_target, point));
}

DLxDatumTargetAttachCmd::DLxDatumTargetAttachCmd(FWxSceneDoc* doc, bool remove)
    : FWxDocCmd(doc), m_target(doc), m_remove(remove) {
    m_target.SetRemoveMode(remove);
}

DLxDatumTargetAttachCmd::~DLxDatumTargetAttachCmd() {
    if (s_active == this) s_active = nullptr;
}

bool DLxDatumTargetAttachCmd::OnCmdMsg(int32_t id, int32_t code, void* extra) {
    if (id != CommandId()) return false;
    if (code == FWxCmd::kCommand) {
        OnCommand();
        return true;
    }
    if (code == FWxCmd::kUpdateUI && extra) {
        OnUpdateCommand(*static_cast<FWxCmdUI*>(extra));
        return true;
    }
    return false;
}

void DLxDatumTargetAttachCmd::OnUpdateCommand(FWxCmdUI& ui) {
    bool enable = !DLxUIUtil::IsSketchActive(GetDocument());
    FWxSelectionSetMgr* mgr = FWxSelectionSetMgr::Get(GetDocument());
    if (const auto* s = AsTargetSelection(mgr ? mgr->GetPreSelectionSet() : nullptr, false))
        if (const DLxDatumTarget* target = s->GetDatumTarget())
            // Gray once the target can take no more: its default balloon counts among them.
            enable = enable && target->GetNumAttachedBalloons() + 1 < DLxDatumTarget::kMaxBalloons;
    ui.Enable(enable);
}

void DLxDatumTargetRemoveCmd::OnUpdateCommand(FWxCmdUI& ui) {
    FWxSelectionSetMgr* mgr = FWxSelectionSetMgr::Get(GetDocument());
    const auto* s = AsTargetSelection(mgr ? mgr->GetPreSelectionSet() : nullptr, true);
    const DLxDatumTarget* target = s ? s->GetDatumTarget() : nullptr;
    ui.Enable(target && target->GetNumAttachedBalloons() > 0);
}

void DLxDatumTargetAttachCmd::OnCommand() {
    if (s_active) s_active->Cancel();
    if (m_target.OnActivate()) {
        OnTerminate();
        return;
    }
    m_waiting = true;
    s_active = this;
}

bool DLxDatumTargetAttachCmd::Pick(const WqGePoint3d& point) {
    if (!m_waiting) return false;
    m_target.OnLButtonDown(point);
    OnTerminate();
    return true;
}

void DLxDatumTargetAttachCmd::Cancel() {
    if (m_waiting) OnTerminate();
}

void DLxDatumTargetAttachCmd::OnTerminate() {
    m_waiting = false;
    if (s_active == this) s_active = nullptr;
    if (FWxSelectionSetMgr* mgr = FWxSelectionSetMgr::Get(GetDocument())) mgr->EmptySelectionSets();
}
