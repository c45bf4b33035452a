#include "Welding/DLxWeldInstance.h"

#include <optional>

#include "Leader/DLxLeaderUtils.h"
#include "Symbol/KorvuModule.h"
#include "WinModule.h"
#include "dc/RDxFragment.h"
#include "dl/DLxAnchorPoint.h"
#include "dl/DLxModelWeld.h"
#include "dl/DLxViewInstance.h"
#include "du/DUxLayerStyleAbstract.h"
#include "du/DUxLeaderNode.h"
#include "du/DUxLeaderNodeTree.h"
#include "du/DUxLeaderStyleWrapper.h"
#include "du/DUxSymStyleWrapUtils.h"
#include "du/DUxWeldState.h"
#include "du/DUxWeldStyle.h"
#include "fb/FBxLayerStyle.h"
#include "rse/RSeMeta.h"
#include "sm/SMxDisplayList.h"
#include "rse/RSeTransaction.h"
#include "utx/UTxCast.h"

namespace {
// The default arrowhead of new weld symbols.
constexpr uint32_t kArrowHead = 28029;
// A weld symbol draws no landing: the reference line is the landing.
constexpr double kReferenceLandingLength = 1.5e-10;

} // namespace

DLxWeldInstance::DLxWeldInstance(RDxFragment* fragment, DUxWeldState* state)
    : DLxSymInstance(fragment, state) {}

DLxWeldInstance::DLxWeldInstance(const RSeStream* s) : DLxSymInstance(s) {}

DLxWeldInstance::~DLxWeldInstance() = default;

DLxWeldInstance* DLxWeldInstance::CreateInstance(RDxFragment* fragment,
                                                 std::vector<WqGePoint3d>& points,
                                                 const RSeRef<DUxWeldStyle>& weldStyle,
                                                 const RSeRef<FBxLayerStyle>& layerStyle,
                                                 const UTxString16& standard) {
    if (!fragment || !fragment->GetSegment()) return nullptr;
    DUxWeldState* state = DUxWeldState::Create(fragment);
    // The layer is read, not written: the transaction keeps no image of it per symbol.
    if (layerStyle.HasTarget()) DUxStyleUtil::SetLayerStyle(state, layerStyle.Read());
    auto* inst = new (RSe::_GetMeta(static_cast<const DLxWeldInstance*>(nullptr)),
                      fragment->GetSegment()) DLxWeldInstance(fragment, state);

    // The style is read, not written.
    const auto wrapper = DUxSymStyleWrapUtils::GetWeldStyle(state);
    if (weldStyle.HasTarget()) wrapper->SetPrimaryStyle(weldStyle.Read());
    if (const DUxWeldStyle* style = wrapper->Style()) {
        state->SetIdentLineType(style->GetIdentLineType());
        state->SetArrowSidePosition(style->GetArrowSidePosition());
        state->SetRecoverPrefix(style->GetRecoverPrefix());
    } else {
        state->SetStandardDefaults(standard);
    }
    const int32_t first = state->addSubWelding();
    state->setOrientation(1);
    if (DUxCSubWelding* sub = state->EditSubWelding(first))
        DUxWeldState::SetDefaultSubSymbol(*sub);

    DUxArrowHeadState* arrow = DUxLeaderNodeTree::CreateArrowHeadState(fragment, kArrowHead);
    DUxLeaderNodeTree* leader = DLxLeaderUtils::MakeLeader(fragment, points, arrow);
    leader->SetReferenceLandingLength(kReferenceLandingLength);
    leader->SetLandingLength(0);
    inst->AppendLeader(leader);
    inst->SetAlwaysHorizontal(true);
    return inst;
}

SmartPtr<DUxLeaderStyleWrapper> DLxWeldInstance::GetLeaderStyleWrapper() const {
    const auto wrapper = DUxSymStyleWrapUtils::GetWeldStyle(GetWeldState());
    return wrapper ? wrapper->GetLeaderStyle() : nullptr;
}

const DUxTextStyleWrapper* DLxWeldInstance::GetTextStyleWrapper() const {
    const auto wrapper = DUxSymStyleWrapUtils::GetWeldStyle(GetWeldState());
    m_textStyle = wrapper ? wrapper->GetTextStyle() : nullptr;
    return m_textStyle.get();
}

DUxWeldState* DLxWeldInstance::GetWeldState() const {
    return UTx::Cast<DUxWeldState>(GetSymState());
}

bool DLxWeldInstance::IsRecovered() const {
    DUxWeldState* state = GetWeldState();
    return state && state->IsRecovered();
}

void DLxWeldInstance::SetArrowID(uint32_t id) {
    if (id == m_arrowID) return;
    RSe::PrepareWrite(this);
    m_arrowID = id;
}

void DLxWeldInstance::SetOtherID(uint32_t id) {
    if (id == m_otherID) return;
    RSe::PrepareWrite(this);
    m_otherID = id;
}

int32_t DLxWeldInstance::GetReferencePoints(WqGePoint3d& r, WqGePoint3d& d) const {
    DUxLeaderNodeTree* leader = GetLeader(0);
    DUxLeaderNode* root = leader ? leader->GetRoot() : nullptr;
    if (!root) return 0;
    r = root->GetPoint();
    const auto& children = root->GetChildren();
    if (children.empty() || !children.front().HasTarget()) return 1;
    d = children.front().get()->GetPoint();
    return 2;
}

bool DLxWeldInstance::GetWeldAttachPoint(const WqGePoint3d& root, double length, WqGePoint3d& q,
                                         WqGeVector3d& v) const {
    v = WqGeVector3d::kXAxis;
    if (DUxWeldState* state = GetWeldState(); state && state->GetOrientation() == 0)
        v = -WqGeVector3d::kXAxis;
    q = root + v * length;
    return true;
}

void DLxWeldInstance::SetSymbolOrientation(int32_t leader) {
    DUxLeaderNodeTree* tree = GetLeader(leader);
    DUxWeldState* state = GetWeldState();
    DUxLeaderNode* root = tree ? tree->GetRoot() : nullptr;
    if (!root || !state || root->GetChildren().empty()) return;
    DUxLeaderNode* child = root->GetChildren().front().get();
    if (!child) return;
    const int32_t orientation = child->GetPoint().x > root->GetPoint().x ? 0 : 1;
    if (orientation != state->GetOrientation()) state->setOrientation(orientation);
}

const DLxModelWeld* DLxWeldInstance::GetAnchorModelWeld() const {
    DLxAnchorPoint* anchor = GetFirstAnchor();
    DLxViewInstance* view = anchor ? anchor->GetViewInstance() : nullptr;
    int32_t edgeId = 0;
    if (!view || !anchor->GetEdgeId(edgeId)) return nullptr;
    const DLxViewEdge* edge = view->FindEdge(edgeId);
    return edge && edge->weld != 0 ? view->FindModelWeld(edge->weld) : nullptr;
}

uint32_t DLxWeldInstance::GetFeatureIdFromAnchorEdgeProxy() const {
    if (!IsRecovered()) return kNoFeature;
    const DLxModelWeld* weld = GetAnchorModelWeld();
    return weld ? uint32_t(weld->id) : kNoFeature;
}

void DLxWeldInstance::UpdatefromWeldState(const DLxModelWeld& weld) {
    DUxWeldState* state = GetWeldState();
    if (!state) return;
    DUxWeldContent content = state->GetContent();
    content.subWeldings = weld.subWeldings;
    for (DUxCSubWelding& sub : content.subWeldings) {
        if (weld.reverse) sub.reverseSide();
        if (!state->GetRecoverPrefix())
            for (DUxCWeld* w : {sub.weldOnArrowSide(true), sub.weldOnOtherSide(true)})
                if (w) w->prefix.clear();
        sub.arrowSidePosition = content.arrowSidePosition;
        sub.orientation = content.orientation;
    }
    state->SetContent(content);
    state->SetRecovered(true);
}

bool DLxWeldInstance::RecoverFromModelWeld() {
    const DLxModelWeld* weld = GetAnchorModelWeld();
    if (!weld || weld->subWeldings.empty()) return false;
    UpdatefromWeldState(*weld);
    SetArrowID(uint32_t(weld->id));
    SetOtherID(kNoFeature);
    return true;
}

bool DLxWeldInstance::GetKeyPoint(WqGePoint3d& p) const {
    WqGePoint3d r, d;
    const int32_t n = GetReferencePoints(r, d);
    if (n == 0) return false;
    p = n == 1 ? WqGePoint3d(r.x, r.y, 0) : WqGePoint3d((r.x + d.x) / 2, (r.y + d.y) / 2, 0);
    return true;
}

const UTxString16& DLxWeldInstance::GetBrowserLabel() {
    static const UTxString16 label = [] {
        HMODULE res = KorvuGetResourceHandle();
        auto text = res ? FindStringResource(res, 8488) : std::nullopt;
        return text ? UTxString16(*text) : UTxString16(u"Weld Symbol");
    }();
    return label;
}

UTxResult DLxWeldInstance::Compute(RDxComputeContext& ctx) {
    // The reference line runs away from the arrow, whichever side the user put the root.
    if (IsActiveLeader(0)) SetSymbolOrientation(0);
    // A recovered symbol that lost its weld's id takes the weld of its anchor's edge again.
    if (IsRecovered() && m_arrowID == kNoFeature && m_otherID == kNoFeature) RecoverFromModelWeld();
    const UTxResult result = DLxSymInstance::Compute(ctx);
    // A view can hide the weld symbols recovered from the model's welds.
    if (IsRecovered())
        if (DLxAnchorPoint* anchor = GetFirstAnchor())
            if (DLxViewInstance* view = anchor->GetViewInstance();
                view && !view->GetWeldSymbolsVisible())
                if (SMxDisplayList* list = GetDisplayList()) list->Clear();
    return result;
}

SmartPtr<DUxLayerStyleAbstract> DLxWeldInstance::ObjectStyleWrapper() {
    DUxWeldState* state = GetWeldState();
    return state ? DUxStyleUtil::LayerStyleWrapper(state) : nullptr;
}

WqGeVector3d DLxWeldInstance::GetAttachPointOffset(const BBox&) const {
    return WqGeVector3d();
}

bool DLxWeldInstance::IsOnLeader(WqGePoint3d& p, int32_t leader) const {
    DUxLeaderNodeTree* tree = GetLeader(leader);
    DUxLeaderNode* root = tree ? tree->GetRoot() : nullptr;
    if (!root) return false;
    if (p.distanceTo(root->GetPoint()) <= kRootPickTolerance) return false;
    return DLxSymInstance::IsOnLeader(p, leader);
}

bool DLxWeldInstance::CanDrawRootHotPoints() const {
    DUxLeaderNodeTree* tree = GetLeader(0);
    return tree && tree->GetNumNodes() < 2;
}

void DLxWeldInstance::GetAttachPointIfNoLeader(WqGePoint3d& p) const {
    DUxLeaderNodeTree* tree = GetLeader(0);
    if (DUxLeaderNode* root = tree ? tree->GetRoot() : nullptr) p = root->GetPoint();
}

bool DLxWeldInstance::CanDeleteSelectedLeader(int32_t leader, int32_t nodeId) const {
    DUxWeldState* state = GetWeldState();
    if (!state || state->numOfSubWeldings() <= 1) return true;
    DUxLeaderNodeTree* tree = GetLeader(leader);
    DUxLeaderNode* root = tree ? tree->GetRoot() : nullptr;
    DUxLeaderNode* node = tree ? tree->FindNode(nodeId) : nullptr;
    if (!root || !node) return true;
    return node != root && node->GetParent() != root;
}
