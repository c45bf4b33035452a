#include "Command/DLxDatumTargetAttachCmd.h"

#include "DatumTarget/DLxCTargetServiceRegistry.h"
#include "DatumTarget/DLxDatumTarget.h"
#include "DatumTarget/DLxDatumTargetSelection.h"
#include "Request/DLxDatumTargetRequest.h"
#include "Standard/DLxCTarget.h"
#include "dl/DLxUIUtil.h"
#include "du/DUxLineStyle.h"
#include "du/DUxSymState.h"
#include "fw/FWxCommand.h"
#include "fw/FWxSceneDoc.h"
#include "fw/FWxSelection.h"
#include "fw/FWxSelectionSetMgr.h"
#include "fw/FWxUIManager.h"
#include "ge/WqGeMatrix3d.h"
#include "rse/RSe.h"
#include "rse/RSeMeta.h"
#include "rse/RSeTransaction.h"
#include "sm/SMxDisplayList.h"

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

DLxDatumAttachTarget::DLxDatumAttachTarget(FWxSceneDoc* doc)
    : m_doc(doc), m_previewList(std::make_unique<SMxDisplayList>()) {}

DLxDatumAttachTarget::~DLxDatumAttachTarget() {
    DropPreview();
}

const DLxCTargetBalloon* DLxDatumAttachTarget::GetPreviewBalloon() const {
    return m_preview.HasTarget() ? m_preview.Read() : nullptr;
}

void DLxDatumAttachTarget::DropPreview() {
    if (DLxCTargetBalloon* preview = m_preview.get()) RSe::DeleteObject(preview);
    m_preview = RSeRef<DLxCTargetBalloon>();
    m_previewList->Clear();
    m_previewList->ClearAttributes();
}

void DLxDatumAttachTarget::OnTerminate() {
    DropPreview();
}

bool DLxDatumAttachTarget::OnActivate() {
    DropPreview();
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
    // A new balloon as the attach request would add it, in the transient segment: making it
    // changes nothing the document stores.
    if (target) {
        auto* preview = new (RSe::_GetMeta(static_cast<const DLxCTargetBalloon*>(nullptr)),
                             RSe::TransientSegment()) DLxCTargetBalloon();
        preview->SetOwner(RSeRef<RDxObject>(m_target));
        m_preview = RSeRef<DLxCTargetBalloon>(preview);
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

void DLxDatumAttachTarget::OnMouseMove(const WqGePoint3d& point) {
    DLxCTargetBalloon* preview = m_preview.get();
    const DLxDatumTarget* target = m_target.HasTarget() ? m_target.Read() : nullptr;
    if (!preview || !target || m_candidates.empty()) return;
    const WqGePoint3d at = NearestCandidate(point);
    preview->SetOrigin(at);
    m_previewList->Clear();
    m_previewList->ClearAttributes();
    // The target's axes are the sheet's, at the records' scale.
    const double scale = DLxCTargetSubSym::GetScale();
    WqGeMatrix3d xform;
    xform.setCoordSystem(at, WqGeVector3d::kXAxis * scale, WqGeVector3d::kYAxis * scale,
                         WqGeVector3d::kZAxis * scale);
    DLxCTargetServiceRegistry::Instance().GenGraphics(target->GetSymState(), *m_previewList,
                                                      *preview, xform, true);
    // Drawn with the pen the user gave this target, if any.
    DUxLineStyle pen;
    if (DUxLineStyleUtil::GetOverloadedLineStyle(target, m_doc, pen)) {
        SMxAttributes a;
        a.source = SMxAttributes::kStyle;
        a.hasColor = true;
        a.color = pen.color;
        a.lineWeight = pen.lineWeight;
        a.lineStyle = pen.lineType;
        m_previewList->PushAttributes(a);
    }
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

bool DLxDatumTargetAttachCmd::MoveCursor(const WqGePoint3d& point) {
    if (!m_waiting) return false;
    m_target.OnMouseMove(point);
    return true;
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
    m_target.OnTerminate();
    m_waiting = false;
    if (s_active == this) s_active = nullptr;
    if (FWxSelectionSetMgr* mgr = FWxSelectionSetMgr::Get(GetDocument())) mgr->EmptySelectionSets();
}
