#include "Welding/DLxWeldInstance.h"

#include <algorithm>
#include <optional>

#include "Leader/DLxLeaderUtils.h"
#include "Symbol/KorvuModule.h"
#include "WinModule.h"
#include "dc/RDxFragment.h"
#include "dl/DLxAnchorPoint.h"
#include "dl/DLxModelWeld.h"
#include "dl/DLxSheet.h"
#include "dl/DLxViewInstance.h"
#include "dl/DLxWeldUtil.h"
#include "dc/RDxComputeContext.h"
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

namespace {
// The anchor of end `terminal` of a leader, with its view and edge; false when any is missing.
bool AnchorEdge(const DLxWeldInstance& w, int32_t leader, int32_t terminal, DLxAnchorPoint*& anchor,
                DLxViewInstance*& view, const DLxViewEdge*& edge) {
    DUxLeaderNodeTree* tree = w.GetLeader(leader);
    anchor = tree ? DLxLeaderUtils::GetAnchorPoint(tree, terminal) : nullptr;
    view = anchor ? anchor->GetViewInstance() : nullptr;
    int32_t id = 0;
    if (!view || !anchor->GetEdgeId(id)) return false;
    edge = view->FindEdge(id);
    return edge != nullptr;
}

bool Names(uint32_t id, int32_t feature) {
    return id != DLxWeldInstance::kNoFeature && feature > 0 && id == uint32_t(feature);
}
} // namespace

const DLxModelWeld* DLxWeldInstance::GetAnchorModelWeld() const {
    DLxAnchorPoint* anchor = nullptr;
    DLxViewInstance* view = nullptr;
    const DLxViewEdge* edge = nullptr;
    if (!AnchorEdge(*this, 0, 0, anchor, view, edge)) return nullptr;
    return edge->weld != 0 ? view->FindModelWeld(edge->weld) : nullptr;
}

bool DLxWeldInstance::UsesCosmeticWeldData() const {
    if (!IsRecovered()) return false;
    DLxAnchorPoint* anchor = nullptr;
    DLxViewInstance* view = nullptr;
    const DLxViewEdge* edge = nullptr;
    if (!AnchorEdge(*this, 0, 0, anchor, view, edge)) return false;
    return edge->weld == 0 && !edge->cosmeticWelds.empty();
}

uint32_t DLxWeldInstance::GetFeatureIdFromAnchorEdgeProxy() const {
    if (!IsRecovered()) return kNoFeature;
    DLxAnchorPoint* anchor = nullptr;
    DLxViewInstance* view = nullptr;
    const DLxViewEdge* edge = nullptr;
    if (!AnchorEdge(*this, 0, 0, anchor, view, edge)) return kNoFeature;
    if (UsesCosmeticWeldData()) return uint32_t(edge->cosmeticWelds.front().weld);
    return edge->weld != 0 ? uint32_t(edge->weld) : kNoFeature;
}

const DLxViewEdge* DLxWeldInstance::GetAnchorEdgeProxy(int32_t leader, int32_t terminal) const {
    if (!IsRecovered()) return nullptr;
    DLxAnchorPoint* anchor = nullptr;
    DLxViewInstance* view = nullptr;
    const DLxViewEdge* edge = nullptr;
    if (!AnchorEdge(*this, leader, terminal, anchor, view, edge)) return nullptr;
    if (UsesCosmeticWeldData()) {
        for (const DLxEdgeWeldData& d : edge->cosmeticWelds)
            if (Names(m_arrowID, d.weld) || Names(m_otherID, d.weld)) return edge;
        return nullptr;
    }
    return Names(m_arrowID, edge->weld) || Names(m_otherID, edge->weld) ? edge : nullptr;
}

const DLxEdgeWeldData* DLxWeldInstance::GetCosmeticEdgeAuxWeldData(int32_t leader,
                                                                   int32_t terminal) const {
    const DLxViewEdge* edge = GetAnchorEdgeProxy(leader, terminal);
    DUxLeaderNodeTree* tree = GetLeader(leader);
    DLxAnchorPoint* anchor = tree ? DLxLeaderUtils::GetAnchorPoint(tree, terminal) : nullptr;
    if (!edge || !anchor || !UsesCosmeticWeldData()) return nullptr;
    // The anchor's parameter runs along the edge as the weld's stretches do.
    const double u = anchor->GetParameter();
    const DLxEdgeWeldData* found = nullptr;
    for (const DLxEdgeWeldData& d : edge->cosmeticWelds)
        for (size_t k = 0; k + 1 < d.intervals.size(); k += 2) {
            const double a = std::min(d.intervals[k], d.intervals[k + 1]);
            const double b = std::max(d.intervals[k], d.intervals[k + 1]);
            if (a <= u && u <= b) found = &d;
        }
    return found;
}

bool DLxWeldInstance::FindCosmeticWeldEdge(DLxViewInstance* view, const DLxEdgeWeldData*& data,
                                           const DLxViewEdge*& edge) const {
    const uint32_t id = m_arrowID != kNoFeature ? m_arrowID : m_otherID;
    if (!view || id == kNoFeature) return false;
    for (const DLxViewEdge& e : view->GetEdges())
        for (const DLxEdgeWeldData& d : e.cosmeticWelds)
            if (DLxWeldUtil::BelongToSameCosmeticFeature(int32_t(id), d)) {
                data = &d;
                edge = &e;
                return true;
            }
    return false;
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

void DLxWeldInstance::TakeFeatureIds(int32_t feature, int32_t other, bool arrow) {
    const uint32_t f = uint32_t(feature);
    const uint32_t o = other > 0 ? uint32_t(other) : kNoFeature;
    SetArrowID(arrow ? f : o);
    SetOtherID(arrow ? o : f);
}

bool DLxWeldInstance::RecoverFromModelWeld() {
    DLxAnchorPoint* anchor = nullptr;
    DLxViewInstance* view = nullptr;
    const DLxViewEdge* edge = nullptr;
    // The first leader whose first end lies on an edge.
    for (int32_t i = 0; i < GetNumLeaders() && !edge; ++i) AnchorEdge(*this, i, 0, anchor, view, edge);
    if (!edge) return false;
    int32_t feature = edge->weld;
    if (feature == 0) {
        // A part edge: the cosmetic weld whose stretch holds the anchor (the last such).
        const double u = anchor->GetParameter();
        for (const DLxEdgeWeldData& d : edge->cosmeticWelds)
            for (size_t k = 0; k + 1 < d.intervals.size(); k += 2)
                if (std::min(d.intervals[k], d.intervals[k + 1]) <= u &&
                    u <= std::max(d.intervals[k], d.intervals[k + 1]))
                    feature = d.weld;
    }
    int32_t other = 0;
    bool arrow = true;
    const DLxModelWeld* weld = DLxWeldUtil::GetWeldSymbolState(view, feature, other, arrow);
    if (!weld) return false;
    UpdatefromWeldState(*weld);
    TakeFeatureIds(feature, other, arrow);
    return true;
}

void DLxWeldInstance::RelinkModelWeldAnchors() {
    if (IsValid() || !IsRecovered()) return;
    const uint32_t id = m_arrowID != kNoFeature ? m_arrowID : m_otherID;
    if (id == kNoFeature) return;
    // A symbol of a cosmetic weld goes back onto a part edge carrying that weld; the others
    // onto a bead edge of their weld. The edge may be gone: the model's weld tells which.
    DLxAnchorPoint* first = GetFirstAnchor();
    DLxViewInstance* firstView = first ? first->GetViewInstance() : nullptr;
    const DLxModelWeld* weld = firstView ? firstView->FindModelWeld(int32_t(id)) : nullptr;
    if (UsesCosmeticWeldData() || (weld && weld->cosmetic)) {
        RelinkCosmeticWeldAnchors();
        return;
    }
    for (int32_t h = 0; h < GetNumLeaders(); ++h) {
        DUxLeaderNodeTree* tree = GetLeader(h);
        const int32_t branches = tree ? tree->GetNumBranches() : 0;
        for (int32_t j = 0; j < branches; ++j) {
            DLxAnchorPoint* anchor = DLxLeaderUtils::GetAnchorPoint(tree, j);
            DLxViewInstance* view = anchor ? anchor->GetViewInstance() : nullptr;
            if (!view || GetAnchorEdgeProxy(h, j)) continue;
            // The first edge of the view on a bead of the symbol's weld, at its middle.
            for (const DLxViewEdge& e : view->GetEdges())
                if (DLxWeldUtil::BelongToSameWeldFeature(view, int32_t(id), e.weld)) {
                    anchor->AttachToEdge(view, e.id, 0.5);
                    break;
                }
        }
    }
}

void DLxWeldInstance::RelinkCosmeticWeldAnchors() {
    for (int32_t h = 0; h < GetNumLeaders(); ++h) {
        DUxLeaderNodeTree* tree = GetLeader(h);
        const int32_t branches = tree ? tree->GetNumBranches() : 0;
        for (int32_t j = 0; j < branches; ++j) {
            DLxAnchorPoint* anchor = DLxLeaderUtils::GetAnchorPoint(tree, j);
            DLxViewInstance* view = anchor ? anchor->GetViewInstance() : nullptr;
            if (!view || GetCosmeticEdgeAuxWeldData(h, j)) continue;
            const DLxEdgeWeldData* data = nullptr;
            const DLxViewEdge* edge = nullptr;
            if (!FindCosmeticWeldEdge(view, data, edge)) continue;
            // The middle of the weld's first stretch of the edge.
            const double m = (data->intervals[0] + data->intervals[1]) / 2;
            anchor->AttachToEdge(view, edge->id, m);
        }
    }
}

int32_t DLxWeldInstance::RelinkViewWeldSymbols(DLxViewInstance* view) {
    DLxSheet* sheet = view ? view->GetSheet() : nullptr;
    if (!sheet) return 0;
    int32_t relinked = 0;
    for (const RSeRef<RDxNode>& r : sheet->GetNodes()) {
        auto* weld = dynamic_cast<DLxWeldInstance*>(r.GetTarget());
        DLxAnchorPoint* anchor = weld ? weld->GetFirstAnchor() : nullptr;
        if (!anchor || anchor->GetViewInstance() != view || !weld->IsRecovered()) continue;
        if (weld->IsValid()) continue;
        weld->RelinkModelWeldAnchors();
        weld->MarkEdited(true);
        RDxComputeContext ctx;
        sheet->Recompute(ctx);
        ++relinked;
    }
    return relinked;
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
    // A recovered symbol that lost its welds' ids, or whose sheet changed as a whole (type 3),
    // reads the weld under its anchor again.
    int32_t change = 0;
    const bool sheetChange = ctx.GetInt(u"DLxSheetChangeTypeAttr", change) && change == 3;
    if (IsRecovered() && (sheetChange || (m_arrowID == kNoFeature && m_otherID == kNoFeature)))
        RecoverFromModelWeld();
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
