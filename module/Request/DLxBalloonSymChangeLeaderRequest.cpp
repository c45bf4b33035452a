#include "Request/DLxBalloonSymChangeLeaderRequest.h"

#include <string>

#include "Leader/DLxTerminalLeaderNode.h"
#include "Request/DLxRequestUtil.h"
#include "Request/DLxSymChangeLeaderRequest.h"
#include "Standard/DLxBomStdInfo.h"
#include "Standard/DLxCBalloon.h"
#include "Symbol/DLxBalloonSymInstance.h"
#include "Symbol/DLxBalloonSymState.h"
#include "Symbol/DLxBalloonSymUtil.h"
#include "dl/DLxAnchorPoint.h"
#include "dl/DLxConfiguration.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxEdgeGeometryProxy.h"
#include "dl/DLxLocalBOM.h"
#include "dl/DLxLocalBOMMgr.h"
#include "dl/DLxLocalBOMQuery.h"
#include "dl/DLxSheet.h"
#include "dl/DLxStructureNode.h"
#include "dl/DLxTDXUtil.h"
#include "dl/DLxTagManager.h"
#include "dl/DLxViewInstance.h"
#include "du/DUxArrowHead.h"
#include "du/DUxGeometryProxy.h"
#include "du/DUxLeaderNode.h"
#include "du/DUxLeaderNodeTree.h"
#include "fw/FWxTranscriptMgr.h"
#include "fw/FWxUtil.h"
#include "rse/RSeDatabase.h"
#include "utx/UTxCast.h"

IMPLEMENT_DYNCREATE(DLxBalloonSymChangeLeaderRequest, FWxChangeRequest)
IMPLEMENT_DYNCREATE(DLxBalloonSymChangeAnchorRequest, FWxChangeRequest)

namespace {
constexpr UTxResultCode kBadInput = 0x200B0323;
constexpr UTxResultCode kNotPermitted = 0xE009033C;

UTxString16 Number(int64_t n) {
    return UTx::MakeWideString(std::to_string(n));
}

// The balloon a record names, read as every symbol's leader requests read theirs.
void ExchangeBalloon(UCxTranscriptDataExchange& tdx, RSeRef<DLxBalloonSymInstance>& balloon,
                     UTxString16& text) {
    RSeRefBase read = balloon;
    DLxSymChangeLeaderRequest::ExchangeInstance(tdx, u"BalloonSymbol", read, text);
    if (!tdx.IsReading()) return;
    balloon = RSeRef<DLxBalloonSymInstance>(read);
    if (balloon.HasTarget()) text.clear();
}

DLxAnchorPoint* AnchorOf(DUxLeaderNode* node) {
    auto* end = UTx::Cast<DLxTerminalLeaderNode>(node);
    return end ? end->GetAnchorPoint() : nullptr;
}

// The bill that numbers the model a view shows: the balloon's own when it lists that model,
// else any of the drawing's, else a new one of the scheme the model's kind calls for. Null for
// a view without a model.
DLxLocalBOM* BOMForView(FWxSceneDoc* doc, DLxViewInstance* view, DLxLocalBOM* own) {
    auto* drawing = dynamic_cast<DLxDrawingDoc*>(doc);
    const DLxAssemblyData* model =
        drawing ? DLxLocalBOMMgr::GetAssemblyRepFromView(drawing, view) : nullptr;
    if (!model) return nullptr;
    // This host's drawing shows one model, which every bill of the drawing lists.
    if (own) return own;
    if (DLxLocalBOM* any = DLxLocalBOMMgr::GetAnyLocalBOM(doc->GetRSeDb())) return any;
    const int32_t scheme = DLxLocalBOMMgr::IsFromPartOnlyDocument(*model) ? 0 : 1;
    return DLxLocalBOMMgr::GetLocalBOM(doc->GetRSeDb(), *model, scheme, true);
}
} // namespace

// ---- change leader

DLxBalloonSymChangeLeaderRequest::DLxBalloonSymChangeLeaderRequest() = default;

DLxBalloonSymChangeLeaderRequest::DLxBalloonSymChangeLeaderRequest(
    const RSeRef<DLxBalloonSymInstance>& balloon, int32_t leader, int32_t nodeId,
    const WqGePoint3d& point)
    : m_balloon(balloon), m_leader(leader), m_nodeId(nodeId), m_point(point),
      m_changeType(kMoveNode) {}

DLxBalloonSymChangeLeaderRequest::DLxBalloonSymChangeLeaderRequest(
    const RSeRef<DLxBalloonSymInstance>& balloon, const WqGeVector3d& base)
    : m_balloon(balloon), m_base(base), m_changeType(kAlignStack) {}

DLxBalloonSymChangeLeaderRequest::DLxBalloonSymChangeLeaderRequest(
    const RSeRef<DLxBalloonSymInstance>& balloon, const WqGeVector3d& shift, bool)
    : m_balloon(balloon), m_shift(shift), m_changeType(kShiftLeader) {}

UTxStringResource DLxBalloonSymChangeLeaderRequest::GetRequestIdentity() const {
    return {0x600B01DA, 11, 0};
}

UTxResult DLxBalloonSymChangeLeaderRequest::Script(FWxSceneDoc* doc) {
    return DLxRequestUtil::Script(*this, doc, u"ChangeBalloonSymLeader");
}

UTxResult DLxBalloonSymChangeLeaderRequest::InitFromTranscript(FWxSceneDoc* doc,
                                                              const UTxString16& line) {
    return DLxRequestUtil::InitFromTranscript(*this, doc, line);
}

UTxResult DLxBalloonSymChangeLeaderRequest::ValidateInputs(FWxSceneDoc* doc) {
    using namespace DLxLeaderRequestCheck;
    if (!DLxRequestUtil::AllowRequestExecution(doc))
        return UTxResult::Refusal(kNotPermitted, u"the drawing takes no requests now");
    if (UTxResult r = Target(m_balloon, m_balloonText, u"BalloonSymbol", u"balloon"); r.Failed())
        return r;
    const DLxBalloonSymInstance* inst = m_balloon.Read();
    switch (m_changeType) {
    case kMoveNode:
        if (UTxResult r = Leader(inst, m_leader, u"LeaderNum"); r.Failed()) return r;
        return Node(inst->GetLeader(m_leader), m_nodeId, u"NodeID");
    case kAlignStack:
        if (m_base.isZeroLength())
            return UTxResult::Refusal(kBadInput, u"BaseVector: no direction to line up along");
        return {};
    default:
        return {};
    }
}

void DLxBalloonSymChangeLeaderRequest::MoveNode(DLxBalloonSymInstance* inst) {
    DUxBaseTerminalLeaderNode* firstEnd = DLxSymChangeLeaderRequest::FirstEnd(inst);
    DUxLeaderNodeTree* tree = inst->GetLeader(m_leader);
    if (!tree) return;
    DUxLeaderNode* root = tree->GetRoot();
    DUxLeaderNode* firstChild =
        root && !root->GetChildren().empty() ? root->GetChildren().front().get() : nullptr;
    DUxLeaderNode* moved = tree->FindNode(m_nodeId);
    tree->SetNodePoint(m_nodeId, m_point);

    // The stack runs away from the leader's last segment; a deeper vertex leaves it to the right.
    DLxBomStdInfo::EDirection direction = DLxBomStdInfo::EDirection(4);
    if (firstChild && (moved == root || moved == firstChild))
        direction = DLxBomStdInfo::BalloonDirection(root->GetPoint(), firstChild->GetPoint());
    if (RSeRef<DLxCBalloon> primary = inst->GetBalloon(); primary.HasTarget())
        primary->setDirection(direction);
    if (inst->AttachedCount() > 0)
        if (DLxTableCalloutSymState* state = inst->GetTableCalloutSymState())
            state->AlignBalloons();
    if (moved == root) inst->MoveSymbolBox(m_point, m_leader);
    tree->PruneTree();
    DLxSymChangeLeaderRequest::FollowNewFirstEnd(inst, m_leader, firstEnd);
}

UTxResult DLxBalloonSymChangeLeaderRequest::_Execute(FWxSceneDoc*) {
    DLxBalloonSymInstance* inst = m_balloon.get();
    m_balloonText = FWxUtil::GetTranscriptMgr().StringFromRef(m_balloon);
    DLxViewInstance* view = inst->GetView();
    switch (m_changeType) {
    case kShiftLeader:
        if (DUxLeaderNodeTree* leader0 = inst->GetLeader(0)) leader0->ShiftPoints(m_shift);
        break;
    case kAlignStack:
        if (DLxTableCalloutSymState* state = inst->GetTableCalloutSymState())
            state->AlignBalloons(m_base);
        break;
    case kMoveNode:
        MoveNode(inst);
        break;
    default:
        break;
    }
    return DLxSymChangeLeaderRequest::Recompute(inst, view);
}

UTxResult DLxBalloonSymChangeLeaderRequest::DoTranscriptDataExchange(
    UCxTranscriptDataExchange& tdx) {
    ExchangeBalloon(tdx, m_balloon, m_balloonText);
    DLxTDXUtil::Transcript(tdx, u"LeaderNum", m_leader, true);
    DLxTDXUtil::Transcript(tdx, u"NodeID", m_nodeId, true);
    DLxTDXUtil::Transcript(tdx, u"Point", m_point, true);
    DLxTDXUtil::Transcript(tdx, u"BaseVector", m_base, true);
    DLxTDXUtil::Transcript(tdx, u"ShiftVector", m_shift, true);
    int32_t changeType = m_changeType;
    DLxTDXUtil::Transcript(tdx, u"_TargetTypeId", changeType, true);
    m_changeType = changeType;
    return tdx.GetResult();
}

// ---- change anchor

DLxBalloonSymChangeAnchorRequest::DLxBalloonSymChangeAnchorRequest() = default;

DLxBalloonSymChangeAnchorRequest::DLxBalloonSymChangeAnchorRequest(
    const RSeRef<DLxBalloonSymInstance>& balloon, int32_t leader, int32_t branch, int32_t node,
    const DLxIntent& intent, bool inferAnchor, const WqGePoint3d& point, uint32_t arrowHead)
    : m_balloon(balloon), m_leader(leader), m_branch(branch), m_node(node), m_intent(intent),
      m_inferAnchor(inferAnchor), m_point(point), m_arrowHead(arrowHead) {}

UTxStringResource DLxBalloonSymChangeAnchorRequest::GetRequestIdentity() const {
    return {0x600B01D9, 11, 0};
}

UTxResult DLxBalloonSymChangeAnchorRequest::Script(FWxSceneDoc* doc) {
    return DLxRequestUtil::Script(*this, doc, u"ChangeBalloonSymAnchor");
}

UTxResult DLxBalloonSymChangeAnchorRequest::InitFromTranscript(FWxSceneDoc* doc,
                                                              const UTxString16& line) {
    return DLxRequestUtil::InitFromTranscript(*this, doc, line);
}

UTxResult DLxBalloonSymChangeAnchorRequest::ValidateInputs(FWxSceneDoc*) {
    using namespace DLxLeaderRequestCheck;
    if (UTxResult r = Target(m_balloon, m_balloonText, u"BalloonSymbol", u"balloon"); r.Failed())
        return r;
    const DLxBalloonSymInstance* inst = m_balloon.Read();
    if (UTxResult r = Leader(inst, m_leader, u"LeaderNum"); r.Failed()) return r;
    const DUxLeaderNodeTree* tree = inst->GetLeader(m_leader);
    if (UTxResult r = Node(tree, m_node, u"NodeNum"); r.Failed()) return r;
    if (!AnchorOf(tree->FindNode(m_node)))
        return UTxResult::Refusal(kBadInput, u"NodeNum: node " + Number(m_node) +
                                                 u" is no leader end with an anchor");
    if (m_arrowHead != 0) {
        if (!DUxArrowHeadTemplate::Find(m_arrowHead))
            return UTxResult::Refusal(kBadInput,
                                      u"ArrowHead: no arrowhead service " + Number(m_arrowHead));
        if (m_branch < 0 || m_branch >= tree->GetNumBranches())
            return UTxResult::Refusal(kBadInput, u"BranchNum: the leader has no branch " +
                                                     Number(m_branch));
    }
    return m_inferAnchor ? Intent(m_intent, u"Intent") : UTxResult();
}

bool DLxBalloonSymChangeAnchorRequest::Rebind(FWxSceneDoc* doc, DLxBalloonSymInstance* inst) {
    DLxAnchorPoint* anchor = AnchorOf(inst->GetLeader(m_leader)->FindNode(m_node));
    DLxViewInstance* view = anchor->GetViewInstance();
    DLxBalloonSymState* state = inst->GetBalloonSymState().get();
    auto* edge = dynamic_cast<DLxEdgeGeometryProxy*>(anchor->GetGeometryProxy());
    if (!edge || !view || !state) return true;

    DLxLocalBOM* oldBOM = state->GetLocalBOM().get();
    DLxLocalBOM* newBOM = BOMForView(doc, view, oldBOM);
    if (!newBOM) return false;
    if (!(state->IsCustom() && oldBOM == newBOM)) {
        const std::vector<int32_t> occurrence = edge->GetOccurrencePath();
        DLxConfiguration* config = occurrence.empty() ? nullptr : newBOM->GetConfiguration(true);
        DLxTagManager* tags = config ? config->GetTagManager(true) : nullptr;
        RSeRef<DLxStructureNode> node(tags ? tags->FindNode(occurrence) : nullptr);
        if (!node.HasTarget()) return false;
        bool keep = false;
        if (oldBOM == newBOM) {
            // A part inside the assembly that the balloon numbers keeps the assembly's row.
            const RSeRef<DLxLocalBOM> bom(oldBOM);
            const RSeRef<DLxStructureNode> current = inst->GetStructureNode();
            DLxCBalloonRow row = current.HasTarget()
                                     ? DLxBalloonSymUtil::GetBOMRow(bom, current)
                                     : DLxBalloonSymUtil::GetBOMRow(bom, inst->GetCookie());
            DLxCBalloonRow newRow = DLxBalloonSymUtil::GetBOMRow(bom, node);
            keep = row && newRow && row->GetComponentId() != 0 &&
                   newRow->PathContains(row->GetComponentId());
        }
        if (!keep) {
            inst->SetStructureNode(node);
            inst->SetCookie(DLxLocalBOMCookie());
        }
    }
    DLxSheet* sheet = view->GetSheet();
    if (!sheet) return false;
    if (newBOM != oldBOM) {
        state->ClearUsedProperties();
        state->SetLocalBOM(RSeRef<DLxLocalBOM>(newBOM));
        if (oldBOM) {
            oldBOM->PurgeAnnotation(inst);
            oldBOM->MarkDirtyAnnotationsEdited();
        }
        for (const RSeRef<DLxCTableCallout>& entry : inst->GetAttachedBalloons())
            inst->DetachBalloon(entry);
    }
    inst->RegisterAnnotation(RSeRef<DLxSheet>(sheet));
    newBOM->MarkDirtyAnnotationsEdited();
    return true;
}

UTxResult DLxBalloonSymChangeAnchorRequest::_Execute(FWxSceneDoc* doc) {
    DLxBalloonSymInstance* inst = m_balloon.get();
    m_balloonText = FWxUtil::GetTranscriptMgr().StringFromRef(m_balloon);
    DLxViewInstance* balloonView = inst->GetView();
    if (m_arrowHead != 0)
        inst->SetArrowHeadRef(DUxArrowHeadTemplate::Find(m_arrowHead), m_branch, m_leader);
    DLxAnchorPoint* anchor = AnchorOf(inst->GetLeader(m_leader)->FindNode(m_node));
    DLxViewInstance* oldView = anchor->GetViewInstance();
    if (m_inferAnchor) {
        anchor->Detach();
        (void)DLxUtil::SetAnchorFromIntent(doc, m_intent, anchor);
        if (!dynamic_cast<DLxEdgeGeometryProxy*>(anchor->GetGeometryProxy())) {
            // Inferred onto no edge: the anchor stays free where it was dropped, in its view.
            anchor->Detach();
            anchor->SetViewInstance(oldView);
            anchor->SetPoint(m_point);
        } else {
            const RSeRef<DLxStructureNode> nodeBefore = inst->GetStructureNode();
            const DLxLocalBOMCookie cookieBefore = inst->GetCookie();
            if (!Rebind(doc, inst)) return {};
            // A balloon bound anew shows its new row at once; one whose component has no row
            // would number nothing, so the drop is refused rather than leave it half bound.
            if (!(inst->GetStructureNode() == nodeBefore) || !(inst->GetCookie() == cookieBefore))
                if (!inst->Refresh())
                    return UTxResult::Refusal(kBadInput,
                                              u"Intent: the component there has no row to number");
        }
    } else {
        DUxGeometryProxy* proxy = anchor->GetGeometryProxy();
        double param = 0.0;
        if (proxy && proxy->isLinearEdge() && proxy->ParamOf(m_point, param)) {
            // Past either end of its edge the anchor comes off it.
            if (param > 0.0 && param < 1.0)
                DLxSymChangeLeaderRequest::RebindAlongEdge(anchor, m_point);
            else
                anchor->Detach();
        }
        anchor->SetPoint(m_point);
    }
    DLxSymChangeAnchorRequest::FollowFirstAnchor(inst, m_leader, anchor);
    return DLxSymChangeLeaderRequest::Recompute(inst, balloonView);
}

UTxResult DLxBalloonSymChangeAnchorRequest::DoTranscriptDataExchange(
    UCxTranscriptDataExchange& tdx) {
    ExchangeBalloon(tdx, m_balloon, m_balloonText);
    DLxTDXUtil::Transcript(tdx, u"LeaderNum", m_leader, true);
    DLxTDXUtil::Transcript(tdx, u"BranchNum", m_branch, true);
    DLxTDXUtil::Transcript(tdx, u"NodeNum", m_node, true);
    DLxTDXUtil::Transcript(tdx, u"Intent", m_intent, true);
    DLxTDXUtil::Transcript(tdx, u"InferAnchor", m_inferAnchor, true);
    DLxTDXUtil::Transcript(tdx, u"Point", m_point, true);
    DLxTDXUtil::Transcript(tdx, u"ArrowHead", m_arrowHead, true);
    return tdx.GetResult();
}
