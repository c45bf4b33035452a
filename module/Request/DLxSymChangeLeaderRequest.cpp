#include "Request/DLxSymChangeLeaderRequest.h"

#include <string>

#include "Leader/DLxLeaderUtils.h"
#include "Leader/DLxTerminalLeaderNode.h"
#include "Request/DLxRequestUtil.h"
#include "Symbol/DLxGDTInstance.h"
#include "Symbol/DLxGDTState.h"
#include "Symbol/DLxSymInstance.h"
#include "Welding/DLxWeldInstance.h"
#include "dc/RDxComputeContext.h"
#include "dc/RDxFragment.h"
#include "dl/DLxAnchorPoint.h"
#include "dl/DLxAnnotationUtil.h"
#include "dl/DLxDimGeometryProxy.h"
#include "dl/DLxTDXUtil.h"
#include "dl/DLxViewInstance.h"
#include "dl/DLxZoneUtilSheet.h"
#include "du/DUxGeometryProxy.h"
#include "du/DUxLeaderNode.h"
#include "du/DUxLeaderNodeTree.h"
#include "du/DUxSymState.h"
#include "fw/FBxObjectNameKey.h"
#include "fw/FWxTranscriptMgr.h"
#include "fw/FWxUtil.h"
#include "ge/BBox.h"
#include "rse/RSeTransaction.h"
#include "utx/UTxCast.h"

IMPLEMENT_DYNCREATE(DLxSymChangeLeaderRequest, FWxChangeRequest)
IMPLEMENT_DYNCREATE(DLxSymChangeAnchorRequest, FWxChangeRequest)

namespace {
constexpr UTxResultCode kBadInput = 0x200B0323;
constexpr char16_t kPersistantAttr[] = u"DUxPersistantComputeContextAttr";

UTxString16 Number(int32_t n) {
    return UTx::MakeWideString(std::to_string(n));
}

DUxSymState* StateOf(DLxSymInstance* inst) {
    return inst ? inst->GetSymState() : nullptr;
}

DLxAnchorPoint* AnchorOf(DUxLeaderNode* node) {
    auto* end = UTx::Cast<DLxTerminalLeaderNode>(node);
    return end ? end->GetAnchorPoint() : nullptr;
}

// What every leader edit of a frame tells its state: lay the frame out anew.
void MarkLayout(DLxSymInstance* inst) {
    if (auto* frame = dynamic_cast<DLxGDTInstance*>(inst))
        if (DLxGDTState* state = frame->GetGDTState()) state->SetFlag(DLxGDTState::kNewStateFlag);
}
} // namespace

// ---- refusals

namespace DLxLeaderRequestCheck {
UTxResult Target(const RSeRefBase& target, const UTxString16& text, const char16_t* key,
                 const char16_t* kind) {
    if (target.HasTarget()) return {};
    return UTxResult::Refusal(kBadInput, UTxString16(key) + u": " +
                                             (text.empty() ? u"no " + UTxString16(kind)
                                                           : u"no " + UTxString16(kind) +
                                                                 u" at " + text));
}

UTxResult Leader(const DLxSymInstance* inst, int32_t leader, const char16_t* key) {
    if (inst->GetLeader(leader)) return {};
    return UTxResult::Refusal(kBadInput, UTxString16(key) + u": the symbol has no leader " +
                                             Number(leader) + u" (it has " +
                                             Number(inst->GetNumLeaders()) + u")");
}

UTxResult Node(const DUxLeaderNodeTree* tree, int32_t nodeId, const char16_t* key) {
    if (tree && tree->FindNode(nodeId)) return {};
    return UTxResult::Refusal(kBadInput,
                              UTxString16(key) + u": the leader has no node " + Number(nodeId));
}

UTxResult Intent(const DLxIntent& intent, const char16_t* key) {
    if (intent.GetEdgeId() == 0) return {};
    const DLxViewInstance* view = intent.GetView();
    if (view && view->FindEdge(intent.GetEdgeId())) return {};
    return UTxResult::Refusal(kBadInput, UTxString16(key) + u": no edge " +
                                             Number(intent.GetEdgeId()) + u" in its view");
}
} // namespace DLxLeaderRequestCheck

// ---- shared steps

DUxBaseTerminalLeaderNode* DLxSymChangeLeaderRequest::FirstEnd(const DLxSymInstance* inst) {
    DUxLeaderNodeTree* leader0 = inst ? inst->GetLeader(0) : nullptr;
    return leader0 ? leader0->GetTerminalNode(0) : nullptr;
}

void DLxSymChangeLeaderRequest::TakeViewScale(DLxSymInstance* inst, const DLxAnchorPoint* anchor) {
    DUxSymState* state = StateOf(inst);
    if (!state) return;
    const DLxViewInstance* view = anchor ? anchor->GetViewInstance() : nullptr;
    state->SetScale(view ? view->GetViewScale() : 1.0);
}

void DLxSymChangeLeaderRequest::FollowNewFirstEnd(DLxSymInstance* inst, int32_t leader,
                                                  DUxBaseTerminalLeaderNode* before) {
    DUxBaseTerminalLeaderNode* end = leader == 0 ? FirstEnd(inst) : nullptr;
    DUxSymState* state = StateOf(inst);
    if (!end || end == before || !state) return;
    state->SetOrigin(end->GetPoint());
    if (DLxAnchorPoint* anchor = DLxLeaderUtils::GetAnchorPoint(inst->GetLeader(0), 0))
        TakeViewScale(inst, anchor);
}

bool DLxSymChangeLeaderRequest::RebindAlongEdge(DLxAnchorPoint* anchor, const WqGePoint3d& point) {
    DUxGeometryProxy* proxy = anchor ? anchor->GetGeometryProxy() : nullptr;
    DUxLineGeometry line;
    double param = 0.0;
    if (!proxy || !proxy->isLinearEdge() || !proxy->GetLineOfEntity(line) ||
        !proxy->ParamOf(point, param))
        return false;
    // The anchor keeps its edge; only where along it changes.
    anchor->SetParameter(param);
    return true;
}

UTxResult DLxSymChangeLeaderRequest::Recompute(DLxSymInstance* inst, DLxViewInstance* oldView) {
    // There is no scene node to refresh: the symbol's display list is redrawn by the compute.
    inst->MarkEdited(true);
    RDxFragment* fragment = nullptr;
    {
        RSeReadOnlyScope finding;
        fragment = inst->GetFragment().get();
    }
    if (fragment) {
        RDxComputeContext ctx;
        ctx.SetInt(kPersistantAttr, 1);
        // A first pass settles the landings that the next one follows; a symbol that cannot be
        // drawn fully keeps the edit, and the pass's diagnoses say why.
        for (int pass = 0; pass < 3 && (pass == 0 || !fragment->IsUpToDate()); ++pass)
            (void)fragment->Recompute(ctx);
    }
    DLxViewInstance* view = inst->GetView();
    if (oldView && oldView != view) DLxAnnotationUtil::DimCleanup(oldView);
    DLxAnnotationUtil::DimCleanup(view);
    return {};
}

void DLxSymChangeLeaderRequest::ExchangeInstance(UCxTranscriptDataExchange& tdx,
                                                 const char16_t* key, RSeRefBase& instance,
                                                 UTxString16& text) {
    if (tdx.HasFailed()) return;
    FWxTranscriptMgr& mgr = tdx.GetTranscriptMgr();
    if (tdx.IsWriting()) {
        if (text.empty()) text = mgr.StringFromRef(instance);
        _TDX_String(tdx, key, text, true);
        return;
    }
    if (!_TDX_String(tdx, key, text, true) || tdx.HasFailed()) return;
    RSeRefBase read;
    const UTxResult r = mgr.RefFromString(tdx.GetDocument(), text, read);
    // A key that names nothing there reads as no symbol and keeps its text, so that
    // ValidateInputs refuses the request and says which; a malformed key ends the exchange.
    if (r.Failed() && r.GetCode() != kFWxErrTranscriptUnresolved &&
        r.GetCode() != kFBxErrNameKeyUnresolved) {
        tdx.Fail(r);
        return;
    }
    instance = read;
}

// ---- change leader

DLxSymChangeLeaderRequest::DLxSymChangeLeaderRequest() = default;

DLxSymChangeLeaderRequest::DLxSymChangeLeaderRequest(const RSeRef<DLxSymInstance>& instance,
                                                     int32_t leader, int32_t nodeId,
                                                     const WqGePoint3d& point, bool trailing)
    : m_instance(instance), m_changeType(kMoveVertex), m_leader(leader), m_nodeId(nodeId),
      m_point(point), m_trailing(trailing) {}

DLxSymChangeLeaderRequest::DLxSymChangeLeaderRequest(const RSeRef<DLxSymInstance>& instance,
                                                     int32_t leader, int32_t nodeId,
                                                     bool deleteFlag)
    : m_instance(instance), m_changeType(kDeleteNode), m_leader(leader), m_nodeId(nodeId),
      m_paramChange(deleteFlag) {}

DLxSymChangeLeaderRequest::DLxSymChangeLeaderRequest(const RSeRef<DLxSymInstance>& instance,
                                                     int32_t leader, const WqGePoint3d& point,
                                                     bool attach, bool trailing)
    : m_instance(instance), m_changeType(attach ? kLandingAttach : kLandingEnd), m_leader(leader),
      m_nodeId(-1), m_point(point), m_trailing(trailing) {}

DLxSymChangeLeaderRequest::DLxSymChangeLeaderRequest(const RSeRef<DLxSymInstance>& instance,
                                                     const WqGePoint3d& point, bool root,
                                                     bool trailing)
    : m_instance(instance), m_changeType(root ? kMoveRoot : kMoveSymbol), m_leader(-1),
      m_nodeId(-1), m_point(point), m_trailing(trailing) {}

DLxSymChangeLeaderRequest::DLxSymChangeLeaderRequest(const RSeRef<DLxSymInstance>& instance,
                                                     const WqGePoint3d& point,
                                                     const WqGePoint3d& anchorPoint,
                                                     bool sideChange, int32_t index,
                                                     bool paramChange, double param, bool trailing)
    : m_instance(instance), m_changeType(kMoveSymbol), m_leader(-1), m_nodeId(-1), m_point(point),
      m_anchorPoint(anchorPoint), m_sideChange(sideChange), m_index(index),
      m_paramChange(paramChange), m_param(param), m_trailing(trailing) {}

DLxSymChangeLeaderRequest::DLxSymChangeLeaderRequest(const RSeRef<DLxSymInstance>& instance)
    : m_instance(instance), m_changeType(kRestoreLeader), m_leader(-1), m_trailing(true) {
    const DLxSymInstance* inst = instance.Read();
    if (DLxAnchorPoint* anchor =
            inst ? DLxLeaderUtils::GetAnchorPoint(inst->GetLeader(0), 0) : nullptr) {
        m_point = anchor->GetBrokenPoint();
        m_leader = 0;
    }
}

DLxSymChangeLeaderRequest::DLxSymChangeLeaderRequest(const RSeRef<DLxSymInstance>& instance,
                                                     bool addVertex, const DLxIntent& intent,
                                                     int32_t leader,
                                                     const std::vector<WqGePoint3d>& points,
                                                     uint32_t arrowId, bool trailing)
    : m_instance(instance), m_changeType(addVertex ? kAddVertex : kAddBranch), m_arrowId(arrowId),
      m_intent(intent), m_points(points), m_leader(leader), m_nodeId(0), m_trailing(trailing) {}

UTxStringResource DLxSymChangeLeaderRequest::GetRequestIdentity() const {
    return {0x600B01C2, 11, 0};
}

UTxResult DLxSymChangeLeaderRequest::Script(FWxSceneDoc* doc) {
    return DLxRequestUtil::Script(*this, doc, u"ChangeSymLeader");
}

UTxResult DLxSymChangeLeaderRequest::InitFromTranscript(FWxSceneDoc* doc, const UTxString16& line) {
    return DLxRequestUtil::InitFromTranscript(*this, doc, line);
}

UTxResult DLxSymChangeLeaderRequest::ValidateInputs(FWxSceneDoc*) {
    using namespace DLxLeaderRequestCheck;
    if (UTxResult r = Target(m_instance, m_instanceText, u"SymbolInstance", u"placed symbol");
        r.Failed())
        return r;
    const DLxSymInstance* inst = m_instance.Read();
    switch (m_changeType) {
    case kAddVertex:
        if (m_points.empty()) return UTxResult::Refusal(kBadInput, u"Points: no vertex to add");
        [[fallthrough]];
    case kAddBranch:
        if (UTxResult r = Intent(m_intent, u"Intent"); r.Failed()) return r;
        [[fallthrough]];
    case kLandingEnd:
    case kLandingAttach:
        return Leader(inst, m_leader, u"LeaderNum");
    case kMoveVertex:
    case kDeleteNode: {
        if (UTxResult r = Leader(inst, m_leader, u"LeaderNum"); r.Failed()) return r;
        const DUxLeaderNodeTree* tree = inst->GetLeader(m_leader);
        if (UTxResult r = Node(tree, m_nodeId, u"NodeId"); r.Failed()) return r;
        if (m_changeType == kDeleteNode && tree->FindNode(m_nodeId) == tree->GetRoot())
            return UTxResult::Refusal(kBadInput, u"NodeId: the root of a leader stays");
        return {};
    }
    case kRestoreLeader:
        return m_leader == -1 ? UTxResult() : Leader(inst, m_leader, u"LeaderNum");
    default:
        // Moves of the whole symbol name no leader; other change types change nothing.
        return {};
    }
}

void DLxSymChangeLeaderRequest::MoveVertex(DLxSymInstance* inst) {
    DUxLeaderNodeTree* tree = inst->GetLeader(m_leader);
    if (!tree) return;
    DUxLeaderNode* root = tree->GetRoot();
    if (root && root->GetNodeId() == m_nodeId) {
        if (inst->GetNumberOfActiveLeaders() > 1) {
            // Several leaders meet at the symbol: its root slides along the landing, which
            // keeps its end where it is.
            WqGePoint3d end;
            if (inst->GetLandingEndPoint(end, m_leader)) {
                const WqGeVector3d dir =
                    DUxLeaderNodeTree::LandingDirection(tree->GetLandingPosition());
                tree->SetLandingLength(-(m_point - end).dotProduct(dir));
                if (m_leader == 0) {
                    const double len2 = dir.lengthSqrd();
                    const WqGePoint3d onLine =
                        len2 > 0 ? end + dir * ((m_point - end).dotProduct(dir) / len2) : end;
                    root->SetPoint(onLine);
                }
            }
        } else {
            inst->AdjustLeaderRoot(m_point, m_leader);
            inst->MoveSymbolBox(m_point, m_leader);
            if (!inst->DisplayLeaders()) {
                // Without leaders the anchor follows the symbol along its edge.
                DUxSymState* state = inst->GetSymState();
                if (!state) return;
                state->SetOrigin(m_point);
                DLxAnchorPoint* anchor = AnchorOf(tree->GetTerminalNode(0));
                if (!anchor) return;
                RebindAlongEdge(anchor, DLxZoneUtilSheet::BrokenToUnbroken(
                                            anchor->GetViewInstance(), m_point));
                TakeViewScale(inst, anchor);
            }
        }
    } else {
        tree->SetNodePoint(m_nodeId, m_point);
    }
    if (inst->DisplayLeaders()) tree->PruneTree();
}

void DLxSymChangeLeaderRequest::MoveSymbol(DLxSymInstance* inst) {
    inst->MoveSymbolBox(m_point, 0);
    DUxLeaderNodeTree* leader0 = inst->GetLeader(0);
    DLxAnchorPoint* anchor = DLxLeaderUtils::GetAnchorPoint(leader0, 0);
    if (!anchor) return;
    if (m_paramChange && anchor->IsOnEdge()) {
        // A symbol sitting on its edge slides along it: the leader moves with the anchor and
        // the root stays where the box put it.
        DUxLeaderNode* root = leader0->GetRoot();
        const WqGePoint3d kept = root ? root->GetPoint() : WqGePoint3d();
        anchor->SetParameter(m_param);
        if (DUxSymState* state = inst->GetSymState()) {
            leader0->ShiftPoints(m_anchorPoint - state->GetOrigin());
            if (root) root->SetPoint(kept);
            state->SetOrigin(m_anchorPoint);
        }
        anchor->SetPoint(anchor->GetPoint());
    }
    // The side of a dimension line is the dimension's to keep: this host's dimension proxy has
    // none, so a side change has nothing to set.
}

void DLxSymChangeLeaderRequest::RestoreLeader(DLxSymInstance* inst) {
    DUxLeaderNodeTree* tree = inst->GetLeader(m_leader);
    if (tree) {
        if (m_leader == 0) {
            // The new vertex goes to the left middle of the symbol.
            if (DUxSymState* state = inst->GetSymState()) {
                const BBox& box = state->GetBoundingBox();
                m_point = box.isEmpty() ? WqGePoint3d()
                                        : WqGePoint3d(box.min.x, (box.min.y + box.max.y) / 2, 0);
                state->SetOrigin(m_point);
                DLxAnchorPoint* anchor = AnchorOf(tree->GetTerminalNode(0));
                if (anchor) anchor->SetPoint(m_point);
                TakeViewScale(inst, anchor);
            }
        }
        if (DUxBaseTerminalLeaderNode* end = tree->GetTerminalNode(0))
            tree->InsertNode(end, m_point);
    }
    inst->SetDisplayLeaders(true);
}

void DLxSymChangeLeaderRequest::AddBranch(FWxSceneDoc* doc, DLxSymInstance* inst) {
    DUxLeaderNodeTree* tree = inst->GetLeader(m_leader);
    RDxFragment* fragment = nullptr;
    {
        RSeReadOnlyScope finding;
        fragment = inst->GetFragment().get();
    }
    if (tree && fragment) {
        DUxArrowHeadState* arrow = DUxLeaderNodeTree::CreateArrowHeadState(fragment, m_arrowId);
        const bool toRoot = m_leader != 0 || inst->CanAttachLeaderToRoot();
        tree->AddBranch(m_points, m_intent.GetPoint(), arrow, toRoot);
        if (DLxAnchorPoint* anchor = AnchorOf(tree->GetNodeAtIndex(tree->GetNumNodes() - 1)))
            (void)DLxUtil::SetAnchorFromIntent(doc, m_intent, anchor);
    }
    inst->SetDisplayLeaders(true);
}

UTxResult DLxSymChangeLeaderRequest::_Execute(FWxSceneDoc* doc) {
    DLxSymInstance* inst = m_instance.get();
    m_instanceText = FWxUtil::GetTranscriptMgr().StringFromRef(m_instance);
    DLxViewInstance* oldView = inst->GetView();
    DUxBaseTerminalLeaderNode* firstEnd = FirstEnd(inst);

    switch (m_changeType) {
    case kAddVertex: {
        DUxLeaderNode* node = inst->AddLeaderVertex(m_points.back(), m_leader);
        if (m_points.size() == 2 && node) {
            // A vertex put in where the leader was picked, then dragged to where it was let go.
            m_nodeId = node->GetNodeId();
            m_point = m_points.front();
            MoveVertex(inst);
        }
        break;
    }
    case kMoveVertex:
        MoveVertex(inst);
        break;
    case kAddBranch:
        AddBranch(doc, inst);
        break;
    case kLandingEnd:
        inst->SetLandingEndPoint(m_point, m_leader);
        break;
    case kMoveSymbol:
        MoveSymbol(inst);
        break;
    case kRestoreLeader:
        RestoreLeader(inst);
        break;
    case kMoveRoot:
        inst->AdjustLeaderRoot(m_point, 0);
        if (DUxLeaderNodeTree* leader0 = inst->GetLeader(0))
            if (DUxLeaderNode* root = leader0->GetRoot())
                inst->MoveSymbolBox(root->GetPoint(), 0, m_point);
        break;
    case kLandingAttach:
        inst->AdjustLandingAttachPoint(m_point, m_leader);
        break;
    case kDeleteNode:
        if (DUxLeaderNodeTree* tree = inst->GetLeader(m_leader))
            tree->RemoveNode(tree->FindNode(m_nodeId));
        break;
    default:
        break;
    }

    MarkLayout(inst);
    FollowNewFirstEnd(inst, m_leader, firstEnd);
    inst->AdjustAnchorPoints();
    if (inst->IsSymFlagOn(DLxSymInstance::kLeaderReplacedFlag))
        inst->UnsetSymFlag(DLxSymInstance::kLeaderReplacedFlag);
    return Recompute(inst, oldView);
}

UTxResult DLxSymChangeLeaderRequest::DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) {
    RSeRefBase instance = m_instance;
    ExchangeInstance(tdx, u"SymbolInstance", instance, m_instanceText);
    if (tdx.IsReading()) {
        m_instance = RSeRef<DLxSymInstance>(instance);
        // The text stays only to name what a key did not find.
        if (m_instance.HasTarget()) m_instanceText.clear();
    }
    int32_t changeType = m_changeType;
    DLxTDXUtil::Transcript(tdx, u"ChangeType", changeType, true);
    m_changeType = changeType;
    DLxTDXUtil::Transcript(tdx, u"ArrowId", m_arrowId, true);
    DLxTDXUtil::Transcript(tdx, u"Intent", m_intent, true);
    DLxTDXUtil::Transcript(tdx, u"Points", m_points, true);
    DLxTDXUtil::Transcript(tdx, u"LeaderNum", m_leader, true);
    DLxTDXUtil::Transcript(tdx, u"NodeId", m_nodeId, true);
    DLxTDXUtil::Transcript(tdx, u"Point", m_point, true);
    DLxTDXUtil::Transcript(tdx, u"AnchorPoint", m_anchorPoint, true);
    DLxTDXUtil::Transcript(tdx, u"SideChange", m_sideChange, true);
    DLxTDXUtil::Transcript(tdx, u"Index", m_index, true);
    DLxTDXUtil::Transcript(tdx, u"ParamChange", m_paramChange, true);
    DLxTDXUtil::Transcript(tdx, u"Param", m_param, true);
    return tdx.GetResult();
}

// ---- change anchor

DLxSymChangeAnchorRequest::DLxSymChangeAnchorRequest() = default;

DLxSymChangeAnchorRequest::DLxSymChangeAnchorRequest(const RSeRef<DLxSymInstance>& instance,
                                                     int32_t leader, int32_t node,
                                                     const DLxIntent& intent, bool inferAnchor,
                                                     const WqGePoint3d& point, bool trailing)
    : m_instance(instance), m_leader(leader), m_node(node), m_intent(intent),
      m_inferAnchor(inferAnchor), m_point(point), m_trailing(trailing) {}

DLxSymChangeAnchorRequest::DLxSymChangeAnchorRequest(const RSeRef<DLxSymInstance>& instance,
                                                     int32_t leader, int32_t node,
                                                     const DLxIntent& intent, bool inferAnchor,
                                                     const WqGePoint3d& point,
                                                     const WqGePoint3d& root, bool trailing)
    : m_instance(instance), m_leader(leader), m_node(node), m_intent(intent),
      m_inferAnchor(inferAnchor), m_point(point), m_root(root), m_hasRoot(true),
      m_trailing(trailing) {}

UTxStringResource DLxSymChangeAnchorRequest::GetRequestIdentity() const {
    return {0x600B01C3, 11, 0};
}

UTxResult DLxSymChangeAnchorRequest::Script(FWxSceneDoc* doc) {
    return DLxRequestUtil::Script(*this, doc, u"ChangeSymAnchor");
}

UTxResult DLxSymChangeAnchorRequest::InitFromTranscript(FWxSceneDoc* doc, const UTxString16& line) {
    return DLxRequestUtil::InitFromTranscript(*this, doc, line);
}

UTxResult DLxSymChangeAnchorRequest::ValidateInputs(FWxSceneDoc*) {
    using namespace DLxLeaderRequestCheck;
    if (UTxResult r = Target(m_instance, m_instanceText, u"SymInstance", u"placed symbol");
        r.Failed())
        return r;
    const DLxSymInstance* inst = m_instance.Read();
    if (UTxResult r = Leader(inst, m_leader, u"LeaderNum"); r.Failed()) return r;
    const DUxLeaderNodeTree* tree = inst->GetLeader(m_leader);
    if (UTxResult r = Node(tree, m_node, u"NodeNum"); r.Failed()) return r;
    if (!AnchorOf(tree->FindNode(m_node)))
        return UTxResult::Refusal(kBadInput, u"NodeNum: node " + Number(m_node) +
                                                 u" is no leader end with an anchor");
    return m_inferAnchor ? Intent(m_intent, u"Intent") : UTxResult();
}

void DLxSymChangeAnchorRequest::FollowFirstAnchor(DLxSymInstance* inst, int32_t leader,
                                                  DLxAnchorPoint* anchor) {
    DUxSymState* state = StateOf(inst);
    if (!state || leader != 0 || !anchor ||
        DLxLeaderUtils::GetAnchorPointIndex(inst->GetLeader(0), anchor) != 0)
        return;
    state->SetOrigin(anchor->GetBrokenPoint());
    DLxSymChangeLeaderRequest::TakeViewScale(inst, anchor);
}

UTxResult DLxSymChangeAnchorRequest::_Execute(FWxSceneDoc* doc) {
    DLxSymInstance* inst = m_instance.get();
    m_instanceText = FWxUtil::GetTranscriptMgr().StringFromRef(m_instance);
    DLxViewInstance* oldView = inst->GetView();
    DUxLeaderNodeTree* tree = inst->GetLeader(m_leader);
    DUxLeaderNode* node = tree ? tree->FindNode(m_node) : nullptr;
    if (DLxAnchorPoint* anchor = AnchorOf(node)) {
        if (m_inferAnchor) {
            anchor->Detach();
            (void)DLxUtil::SetAnchorFromIntent(doc, m_intent, anchor);
        } else {
            // Off a straight edge the anchor stays where it is.
            DLxSymChangeLeaderRequest::RebindAlongEdge(anchor, m_point);
        }
        if (m_hasRoot && tree->GetTerminalNode(0) != tree->GetRoot())
            if (DUxLeaderNode* parent = node->GetParent()) parent->SetPoint(m_root);
        FollowFirstAnchor(inst, m_leader, anchor);
        // A weld symbol now shows the weld under its anchor (none unless it follows the model).
        if (auto* weld = dynamic_cast<DLxWeldInstance*>(inst))
            weld->SetArrowID(weld->GetFeatureIdFromAnchorEdgeProxy());
    }
    MarkLayout(inst);
    return DLxSymChangeLeaderRequest::Recompute(inst, oldView);
}

UTxResult DLxSymChangeAnchorRequest::DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) {
    RSeRefBase instance = m_instance;
    DLxSymChangeLeaderRequest::ExchangeInstance(tdx, u"SymInstance", instance, m_instanceText);
    if (tdx.IsReading()) {
        m_instance = RSeRef<DLxSymInstance>(instance);
        if (m_instance.HasTarget()) m_instanceText.clear();
    }
    DLxTDXUtil::Transcript(tdx, u"LeaderNum", m_leader, true);
    DLxTDXUtil::Transcript(tdx, u"NodeNum", m_node, true);
    DLxTDXUtil::Transcript(tdx, u"Intent", m_intent, true);
    DLxTDXUtil::Transcript(tdx, u"InferAnchor", m_inferAnchor, true);
    DLxTDXUtil::Transcript(tdx, u"Point", m_point, true);
    DLxTDXUtil::Transcript(tdx, u"RootPoint", m_root, true);
    DLxTDXUtil::Transcript(tdx, u"HasRoot", m_hasRoot, true);
    return tdx.GetResult();
}
