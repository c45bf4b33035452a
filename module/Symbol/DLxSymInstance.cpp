#include "Symbol/DLxSymInstance.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <numbers>
#include <string>

#include "Leader/DLxLeaderUtils.h"
#include "Leader/DLxTerminalLeaderNode.h"
#include "dc/RDxComputeContext.h"
#include "dc/RDxFragment.h"
#include "dc/RDxTemplate.h"
#include "dc/RDxTemplateFactory.h"
#include "dc/RSeTemplateMgr.h"
#include "dl/DLxAnchorPoint.h"
#include "dl/DLxAnnotationUtil.h"
#include "dl/DLxDiagEmblemInvalidAnchorPoint.h"
#include "dl/DLxDimGeometryProxy.h"
#include "dl/DLxDrawing.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxViewInstance.h"
#include "dl/DLxZoneUtilSheet.h"
#include "du/DUxArrowHead.h"
#include "du/DUxDimUtil.h"
#include "du/DUxFeatureControlFrameStyle.h"
#include "du/DUxGeometryProxy.h"
#include "du/DUxLayerStyleAbstract.h"
#include "du/DUxLeaderNode.h"
#include "du/DUxLeaderStyleWrapper.h"
#include "du/DUxLineStyle.h"
#include "du/DUxSceneUtil.h"
#include "du/DUxStandard.h"
#include "du/DUxSymState.h"
#include "fw/FWxDocUtil.h"
#include "ge/WqGeMatrix3d.h"
#include "rse/RSeSegment.h"
#include "rse/RSeTransaction.h"
#include "rse/UTxDiagnosis.h"
#include "sm/SMxDisplayItem.h"
#include "sm/SMxDisplayList.h"
#include "utx/UTxCast.h"

namespace {
constexpr double kParamTol = 1e-10;
constexpr int32_t kSickMarker = 4;
// Attributes of the compute contexts that change what a compute does.
constexpr char16_t kCommandAttr[] = u"DLxCommandComputeContextAttr";
constexpr char16_t kPersistantAttr[] = u"DUxPersistantComputeContextAttr";
constexpr char16_t kSheetChangeAttr[] = u"DLxSheetChangeTypeAttr";

// The annotation template every placed symbol is an instance of.
const UTxGUID& SymbolTemplateGuid() {
    static const UTxGUID guid(0xccd2ff20, 0x582211d1, 0x9d080800, 0x09d9311e);
    return guid;
}

// The template is made from its factory the first time a symbol asks, and kept for the process.
RDxTemplate* SymbolTemplate() {
    static RDxTemplate* made = nullptr;
    if (RDxTemplate* registered = RSeTemplateMgr::GetTemplate(SymbolTemplateGuid(), 0))
        return registered;
    if (made) return made;
    const RDxTemplateFactory* factory = RDxTemplateFactory::Find(SymbolTemplateGuid());
    if (!factory || !factory->GetFunction()) return nullptr;
    made = factory->GetFunction()(nullptr);
    if (made && !RSeTemplateMgr::Register(made)) {
        delete made;
        made = nullptr;
    }
    return made;
}

bool IsHorizontalDimType(int32_t t) {
    return t >= DLxSymInstance::kHorizontalDimTypeFirst &&
           t <= DLxSymInstance::kHorizontalDimTypeLast;
}

// Moves p along Z onto the plane through `centre` across `normal` (p itself for a plane seen
// edge on from the sheet).
WqGePoint3d OntoPlaneAlongZ(const WqGePoint3d& p, const WqGePoint3d& centre,
                            const WqGeVector3d& normal) {
    if (std::fabs(normal.z) < kParamTol) return p;
    return p + WqGeVector3d::kZAxis * ((centre - p).dotProduct(normal) / normal.z);
}

bool IsFinite2d(const WqGePoint3d& p) {
    return std::isfinite(p.x) && std::isfinite(p.y);
}

// The anchor offset: broken-view point minus point; zero for a point that a break removes.
WqGeVector3d AnchorOffset(const DLxAnchorPoint* anchor) {
    if (!anchor || anchor->IsUnbrokenPointRemoved()) return {};
    return anchor->GetBrokenPoint() - anchor->GetPoint();
}

DLxAnchorPoint* BranchAnchor(DUxLeaderNodeTree* tree, int32_t branch) {
    auto* end =
        tree ? UTx::Cast<DLxTerminalLeaderNode>(tree->GetTerminalNode(branch)) : nullptr;
    return end ? end->GetAnchorPoint() : nullptr;
}

SMxChildItem* AppendChild(SMxDisplayList& list) {
    return static_cast<SMxChildItem*>(list.Append(std::make_unique<SMxChildItem>()));
}

void AddHotPoint(SMxDisplayList& list, const WqGePoint3d& p, int32_t kind, int32_t x) {
    auto item = std::make_unique<SMxPointItem>(p, 0);
    item->SetId(DUxLeaderNodeTree::SynthesizeItemID(kind, 0, 0, x));
    list.Append(std::move(item));
}

void AddLine(SMxDisplayList& list, const WqGePoint3d& a, const WqGePoint3d& b, int32_t id) {
    auto item = std::make_unique<SMxLineItem>(a, b);
    item->SetId(id);
    list.Append(std::move(item));
}

BBox PlacedBox(const SMxChildItem* child) {
    BBox box;
    if (child) child->ExtendBBox(box, WqGeMatrix3d());
    return box;
}

// Through the nested lists of the symbol's own graphics: with `clean` every item first loses
// what styling gave it; then every text takes the texts' colour, when there is one.
void StyleSymbolItems(SMxDisplayList& list, const SMxColor* color, bool clean) {
    for (SMxDisplayItem& item : list) {
        if (clean) DUxSceneUtil::CleanAttrStackForLayers(item);
        if (auto* child = item.As<SMxChildItem>())
            StyleSymbolItems(child->list, color, clean);
        else if (color && item.As<SMxTextItem>())
            DUxSceneUtil::DLItemSetColor(item, *color);
    }
}

// Anchors being resolved by GetView, so that symbols attached to each other stop.
std::vector<const DLxAnchorPoint*>& AnchorsInResolution() {
    static std::vector<const DLxAnchorPoint*> anchors;
    return anchors;
}

// The placed symbol that the anchor's geometry belongs to, if any.
DLxSymInstance* SymbolOfGeometry(const DLxAnchorPoint* anchor) {
    DUxGeometryProxy* proxy = anchor ? anchor->GetGeometryProxy() : nullptr;
    return proxy ? dynamic_cast<DLxSymInstance*>(proxy->GetAnnotationInstance()) : nullptr;
}
} // namespace

template <class F> void DLxSymInstance::ForEachBranchAnchor(F f) const {
    for (int32_t i = 0; i < GetNumLeaders(); ++i)
        if (DUxLeaderNodeTree* tree = GetLeader(i))
            for (int32_t b = 0; b < tree->GetNumBranches(); ++b)
                f(i, b, BranchAnchor(tree, b));
}

RDxTemplate* DLxSymInstance::GetSymbolTemplate() {
    return SymbolTemplate();
}

const UTxGUID& DLxSymInstance::GetSymbolTemplateGuid() {
    return SymbolTemplateGuid();
}

DLxSymInstance::DLxSymInstance(RDxFragment* fragment, DUxSymState* state) {
    if (RDxTemplate* tmpl = SymbolTemplate())
        SetTemplate(tmpl);
    else
        SetTemplateId(SymbolTemplateGuid(), 0);
    if (fragment) fragment->AddNode(this);
    if (!state) state = DUxSymState::Create(fragment);
    AddInputState(state);
    AddInputState(DUxDisplayListState::Create(fragment));
}

DLxSymInstance::DLxSymInstance(const RSeStream* s) : DLxEmblem(s) {}

DLxSymInstance::~DLxSymInstance() = default;

// ---- flags and fields

void DLxSymInstance::SetSymFlag(uint32_t bits) {
    RSe::PrepareWrite(this);
    m_symFlags |= bits;
}

void DLxSymInstance::UnsetSymFlag(uint32_t bits) {
    RSe::PrepareWrite(this);
    m_symFlags &= ~bits;
}

void DLxSymInstance::ClearSymFlags() {
    RSe::PrepareWrite(this);
    m_symFlags = 0;
}

void DLxSymInstance::SetAlwaysHorizontal(bool on) {
    RSe::PrepareWrite(this);
    m_alwaysHorizontal = on;
}

void DLxSymInstance::SetAlignment(int32_t alignment) {
    RSe::PrepareWrite(this);
    m_alignment = alignment;
}

void DLxSymInstance::SetOutlineType(int32_t type) {
    RSe::PrepareWrite(this);
    m_outlineType = type;
}

void DLxSymInstance::SetReverseSide(bool on) {
    if (m_reverseSide == on) return;
    RSe::PrepareWrite(this);
    m_reverseSide = on;
}

void DLxSymInstance::SetDisplayLeaders(bool on) {
    if (m_displayLeaders == on) return;
    RSe::PrepareWrite(this);
    m_displayLeaders = on;
}

// ---- the state list

DUxSymState* DLxSymInstance::GetSymState() const {
    return UTx::Cast<DUxSymState>(GetInputState(0));
}

void DLxSymInstance::SetSymState(DUxSymState* state) {
    if (RDxState* old = GetInputState(0); old && old != state) RSe::DeleteObject(old);
    if (GetInputStateCount() == 0)
        AddInputState(state);
    else
        SetInputState(0, state);
}

DUxDisplayListState* DLxSymInstance::GetDisplayListState() const {
    return UTx::Cast<DUxDisplayListState>(GetInputState(1));
}

SMxDisplayList* DLxSymInstance::GetDisplayList() const {
    DUxDisplayListState* state = GetDisplayListState();
    return state ? &state->GetDisplayList() : nullptr;
}

void DLxSymInstance::SetDisplayList(const SMxDisplayList& list) {
    if (DUxDisplayListState* state = GetDisplayListState()) state->SetDisplayList(list);
}

DUxLeaderNodeTree* DLxSymInstance::GetLeader(int32_t i) const {
    if (i < 0) return nullptr;
    return UTx::Cast<DUxLeaderNodeTree>(GetInputState(uint32_t(GetLeaderIndex() + i)));
}

int32_t DLxSymInstance::GetNumLeaders() const {
    return std::max(0, int32_t(GetInputStateCount()) - GetLeaderIndex());
}

void DLxSymInstance::SetLeader(DUxLeaderNodeTree* tree, int32_t i) {
    if (!tree || !GetLeader(i)) return;
    SetInputState(uint32_t(GetLeaderIndex() + i), tree);
}

void DLxSymInstance::SwapLeaders(int32_t a, int32_t b) {
    DUxLeaderNodeTree* ta = GetLeader(a);
    DUxLeaderNodeTree* tb = GetLeader(b);
    if (!ta || !tb) return;
    SetInputState(uint32_t(GetLeaderIndex() + a), tb);
    SetInputState(uint32_t(GetLeaderIndex() + b), ta);
}

void DLxSymInstance::AppendLeader(DUxLeaderNodeTree* tree) {
    AddInputState(tree);
}

void DLxSymInstance::RemoveLeader(int32_t i) {
    DUxLeaderNodeTree* tree = GetLeader(i);
    if (!tree) return;
    RemoveInputState(uint32_t(GetLeaderIndex() + i));
    DUxLeaderNodeTree::Delete(tree);
}

void DLxSymInstance::DeleteAndVacuumClean() {
    while (GetNumLeaders() > 0)
        RemoveLeader(GetNumLeaders() - 1);
    DLxAnnotationUtil::DeleteWithStates(this);
}

bool DLxSymInstance::IsActiveLeader(int32_t i) const {
    DUxLeaderNodeTree* tree = GetLeader(i);
    return tree && tree->GetNumNodes() > 1;
}

int32_t DLxSymInstance::GetNumberOfActiveLeaders() const {
    if (!DisplayLeaders()) return 0;
    int32_t n = 0;
    for (int32_t i = 0; i < GetNumLeaders(); ++i)
        n += IsActiveLeader(i) ? 1 : 0;
    return n;
}

DUxArrowHeadState* DLxSymInstance::GetArrowHeadState(int32_t arrow, int32_t leader) const {
    DUxLeaderNodeTree* tree = GetLeader(leader);
    return tree ? tree->GetArrowHead(arrow) : nullptr;
}

const DUxArrowHeadTemplate* DLxSymInstance::GetArrowHeadRef(int32_t arrow, int32_t leader) const {
    DUxArrowHeadState* state = GetArrowHeadState(arrow, leader);
    return state ? state->GetTemplateRef() : nullptr;
}

void DLxSymInstance::SetArrowHeadRef(const DUxArrowHeadTemplate* tmpl, int32_t arrow,
                                     int32_t leader) {
    if (DUxArrowHeadState* state = GetArrowHeadState(arrow, leader)) state->SetTemplateRef(tmpl);
}

void DLxSymInstance::GetArrowHeadIndexes(std::vector<int32_t>& indexes, int32_t leader) const {
    if (DUxLeaderNodeTree* tree = GetLeader(leader)) tree->GetArrowHeadIndexes(indexes);
}

WqGePoint3d DLxSymInstance::GetSymbolOrigin() const {
    DUxSymState* state = GetSymState();
    return state ? state->GetOrigin() : WqGePoint3d();
}

namespace {
DUxLineStyle LineStyleOf(const DLxSymInstance* symbol, int32_t id) {
    FWxSceneDoc* doc = FWxDocUtil::DocumentOf(symbol);
    DUxLineStyle style;
    if (DUxLineStyleUtil::GetOverloadedLineStyle(symbol, doc, style)) return style;
    return DUxLineStyleUtil::GetStyle(doc, id, DUxStandardGUID::GetANSIGuid());
}
} // namespace

DUxLineStyle DLxSymInstance::GetSymbolLineStyle() const {
    return LineStyleOf(this, DUxLineStyleID::GetSymbolID());
}

DUxLineStyle DLxSymInstance::GetLeaderLineStyle() const {
    return LineStyleOf(this, DUxLineStyleID::GetLeaderLineID());
}

DLxAnchorPoint* DLxSymInstance::GetFirstAnchor() const {
    return DLxLeaderUtils::GetAnchorPoint(GetLeader(0), 0);
}

// ---- landing and leader hits

WqGeVector3d DLxSymInstance::GetAttachPointOffset(const BBox& box) const {
    if (box.isEmpty()) return {};
    return {(box.min.x + box.max.x) / 2, (box.min.y + box.max.y) / 2, 0};
}

bool DLxSymInstance::SetLandingEndPoint(WqGePoint3d& p, int32_t leader) {
    DUxLeaderNodeTree* tree = GetLeader(leader);
    DUxLeaderNode* root = tree ? tree->GetRoot() : nullptr;
    if (!root) return false;
    const WqGeVector3d v = p - root->GetPoint();
    tree->SetLandingLength(v.length());
    DUxLeaderNodeTree::ELandingPos pos = DUxLeaderNodeTree::kNoLanding;
    if (!v.isZeroLength()) {
        if (std::fabs(v.y) <= std::fabs(v.x)) // ties go to horizontal
            pos = v.x > 0 ? DUxLeaderNodeTree::kPosX : DUxLeaderNodeTree::kNegX;
        else
            pos = v.y > 0 ? DUxLeaderNodeTree::kPosY : DUxLeaderNodeTree::kNegY;
    }
    tree->SetLandingPosition(pos);
    return true;
}

bool DLxSymInstance::GetLandingEndPoint(WqGePoint3d& p, int32_t leader) const {
    DUxLeaderNodeTree* tree = GetLeader(leader);
    DUxLeaderNode* root = tree ? tree->GetRoot() : nullptr;
    if (!root) return false;
    p = root->GetPoint() +
        DUxLeaderNodeTree::LandingDirection(tree->GetLandingPosition()) * tree->GetLandingLength();
    return true;
}

bool DLxSymInstance::IsOnLeader(WqGePoint3d& p, int32_t leader) const {
    DUxLeaderNodeTree* tree = GetLeader(leader);
    DUxLeaderNode* hit = nullptr;
    bool onNode = false;
    if (!tree || !tree->IsOnTree(p, hit, onNode) || !hit) return false;
    if (onNode || !hit->GetParent()) {
        p = hit->GetPoint();
        return true;
    }
    // Onto the line through the segment, not just the segment.
    const WqGePoint3d a = hit->GetPoint();
    const WqGeVector3d dir = hit->GetParent()->GetPoint() - a;
    const double len2 = dir.lengthSqrd();
    if (len2 > 0) p = a + dir * ((p - a).dotProduct(dir) / len2);
    return true;
}

bool DLxSymInstance::IsOnAnyLeader(WqGePoint3d& p, int32_t& leader) const {
    for (int32_t i = 0; i < GetNumLeaders(); ++i)
        if (IsOnLeader(p, i)) {
            leader = i;
            return true;
        }
    return false;
}

DUxLeaderNode* DLxSymInstance::AddLeaderVertex(const WqGePoint3d& p, int32_t leader) {
    DUxLeaderNodeTree* tree = GetLeader(leader);
    DUxLeaderNode* hit = nullptr;
    bool onNode = false;
    if (!tree || !tree->IsOnTree(p, hit, onNode) || !hit) return nullptr;
    return tree->InsertNode(hit, p);
}

void DLxSymInstance::GetAttachPointIfNoLeader(WqGePoint3d& p) const {
    DUxSymState* state = GetSymState();
    if (!state) return;
    const BBox& box = state->GetBoundingBox();
    p = WqGePoint3d((box.min.x + box.max.x) / 2, box.max.y, 0);
}

// ---- placement

void DLxSymInstance::UpdateSideFlag(const WqGeVector3d& d) {
    if (d.isZeroLength()) return;
    bool set;
    if (d.isParallelTo(WqGeVector3d::kXAxis))
        set = d.dotProduct(WqGeVector3d::kXAxis) < 0;
    else
        set = d.dotProduct(WqGeVector3d::kYAxis) > 0;
    if (set)
        SetSymFlag(kAboveOrLeftFlag);
    else
        UnsetSymFlag(kAboveOrLeftFlag);
}

void DLxSymInstance::PlaceRoot(DUxLeaderNodeTree* tree, const WqGePoint3d& point) {
    DUxLeaderNode* root = tree->GetRoot();
    if (!root) return;
    if (root == tree->GetTerminalNode(0))
        tree->InsertNode(root, point); // the end stays on its anchor
    else
        root->SetPoint(point);
}

void DLxSymInstance::MoveSymbolBoxHasAnchorGeometry(
    DUxLeaderNodeTree* tree, DUxGeometryProxy* proxy, const WqGePoint3d& target,
    const WqGePoint3d& box, const WqGeVector3d& offset, const WqGePoint3d& q) {
    double distance = 0;
    WqGePoint3d closest;
    proxy->DistanceTo(q, distance);
    proxy->ClosestPointTo(q, closest);
    WqGePoint3d w;
    if (distance < kSnapToGeometryDistance) {
        SetDisplayLeaders(false);
        w = WqGePoint3d(closest.x, closest.y, 0);
    } else {
        SetDisplayLeaders(DisplayLeadersByUser());
        w = target - offset;
    }
    PlaceRoot(tree, w + offset);
    // The side is judged in the unbroken view, where the geometry and w are.
    const WqGeVector3d d = (box - offset) - w;
    WqGeVector3d n;
    if (proxy->GetNormalAtPointOnEntity(w, n)) {
        RSe::PrepareWrite(this);
        m_reverseSide = d.dotProduct(n) < 0;
    }
    UpdateSideFlag(d);
}

void DLxSymInstance::MoveSymbolBox(const WqGePoint3d& target, int32_t leader,
                                   const WqGePoint3d& box) {
    DUxLeaderNodeTree* tree = GetLeader(leader);
    DLxAnchorPoint* anchor = BranchAnchor(tree, 0);
    if (!tree || !anchor) return;
    DUxGeometryProxy* proxy = anchor->GetGeometryProxy();
    if (proxy && !proxy->IsValid()) proxy = nullptr;

    WqGePoint3d a = anchor->GetPoint();
    WqGePoint3d b = anchor->GetBrokenPoint();
    if (tree->GetNumNodes() == 1) {
        b = target;
        a = anchor->BrokenToUnbroken(target);
    }
    const WqGeVector3d o = DLxZoneUtilSheet::IsUnbrokenPointRemoved(anchor->GetViewInstance(), a)
                               ? WqGeVector3d()
                               : b - a;

    DUxLineGeometry line;
    DUxArcGeometry arc;
    DUxEllipArcGeometry ellipse;
    if (proxy && SupportsExtensionLine() && proxy->GetLineOfEntity(line)) {
        const WqGePoint3d q = box - o;
        double dist = 0;
        WqGePoint3d w;
        proxy->DistanceTo(q, dist);
        if (dist < kSnapToGeometryDistance) {
            SetDisplayLeaders(false);
            proxy->ClosestPointTo(q, w);
        } else {
            SetDisplayLeaders(DisplayLeadersByUser());
            w = target - o;
        }
        PlaceRoot(tree, w + o);
        WqGePoint3d c;
        proxy->ClosestPointTo(box - o, c);
        const WqGeVector3d d = (box - o) - c;
        WqGeVector3d n;
        if (proxy->GetNormalAtPointOnEntity(c - o, n)) {
            RSe::PrepareWrite(this);
            m_reverseSide = d.dotProduct(n) < 0;
        }
        UpdateSideFlag(d);
    } else if (proxy && proxy->GetCircArcOfEntity(arc)) {
        MoveSymbolBoxHasAnchorGeometry(tree, proxy, target, box, o,
                                       OntoPlaneAlongZ(box - o, arc.center, arc.normal));
    } else if (proxy && proxy->GetEllipArcOfEntity(ellipse)) {
        MoveSymbolBoxHasAnchorGeometry(tree, proxy, target, box, o,
                                       OntoPlaneAlongZ(box - o, ellipse.center, ellipse.normal));
    } else if (proxy && proxy->isPolylineEdge()) {
        MoveSymbolBoxHasAnchorGeometry(tree, proxy, target, box, o, box - o);
    } else if (tree->GetNumNodes() == 1) {
        tree->GetRoot()->SetPoint(target);
        anchor->SetPoint(target - o);
    } else {
        SetDisplayLeaders(DisplayLeadersByUser());
        // Dropped onto the anchor, the root snaps to it.
        tree->GetRoot()->SetPoint(b.distanceTo(target) < DUxDimUtil::GetSnapTolerance() ? b
                                                                                        : target);
    }
}

void DLxSymInstance::AdjustLeaderRoot(const WqGePoint3d& p, int32_t) {
    if (GetNumberOfActiveLeaders() < 2) return;
    DUxSymState* state = GetSymState();
    WqGePoint3d ref;
    // Leaders that meet elsewhere than the middle of the box (a frame's corner) move from there.
    if (!GetCommonLeaderRoot(ref) && state && !state->GetBoundingBox().isEmpty()) {
        const BBox& box = state->GetBoundingBox();
        ref = WqGePoint3d((box.min.x + box.max.x) / 2, (box.min.y + box.max.y) / 2, 0);
    }
    const WqGeVector3d delta = p - ref;
    for (int32_t i = 0; i < GetNumLeaders(); ++i)
        if (DUxLeaderNodeTree* tree = GetLeader(i))
            if (DUxLeaderNode* root = tree->GetRoot()) root->SetPoint(root->GetPoint() + delta);
}

bool DLxSymInstance::GetNoLeaderSymAttachment(WqGePoint3d& attach, WqGeVector3d& direction,
                                              DUxLeaderNodeTree::ELandingPos&, int32_t& index) {
    index = 0;
    DUxLeaderNodeTree* tree = GetLeader(0);
    DLxAnchorPoint* anchor = BranchAnchor(tree, 0);
    if (!anchor || !tree->GetRoot()) return false;
    attach = tree->GetRoot()->GetPoint();
    const WqGeVector3d o = AnchorOffset(anchor);
    DUxGeometryProxy* proxy = anchor->GetGeometryProxy();
    WqGeVector3d n;
    if (proxy && proxy->GetNormalAtPointOnEntity(attach - o, n)) direction = m_reverseSide ? n : -n;
    auto* dim = dynamic_cast<DLxDimGeometryProxy*>(proxy);
    if (!dim) return true;
    const int32_t t = dim->GetTypeCode();
    if (!SkipAlwaysHorizontalOverride() && IsHorizontalDimType(t)) direction = n;
    DUxSymState* state = GetSymState();
    if (t > 0x1000 && state && state->GetUseStackingBehavior() && anchor->IsOnEdge()) {
        // Stacks on a dimension go to its middle, its start or its end by the anchor's place.
        const double u = anchor->GetParameter();
        if (u >= 1.15 || u <= -0.15)
            index = -1;
        else if (u < 0.33)
            index = 1;
        else if (u > 0.66)
            index = 2;
        DUxLineGeometry seg;
        if (index >= 0 && dim->GetLineOfEntity(seg)) {
            const WqGePoint3d mid((seg.start.x + seg.end.x) / 2, (seg.start.y + seg.end.y) / 2,
                                  (seg.start.z + seg.end.z) / 2);
            attach = (index == 0 ? mid : index == 1 ? seg.start : seg.end) + o;
        }
    }
    return true;
}

bool DLxSymInstance::GetEndPointsOfExtensionLineIfNoLeader(WqGePoint3d& start, WqGePoint3d& end,
                                                           const WqGeVector3d& offset) {
    DLxAnchorPoint* anchor = GetFirstAnchor();
    if (!SupportsExtensionLine() || !anchor || !anchor->IsValid() || !GetSymState()) return false;
    DUxGeometryProxy* proxy = anchor->GetGeometryProxy();
    DUxLineGeometry seg;
    if (!proxy || !proxy->GetLineOfEntity(seg)) return false;
    const WqGePoint3d r = GetLeader(0)->GetRoot()->GetPoint();
    const WqGePoint3d p = r + offset;
    const WqGePoint3d ru = anchor->BrokenToUnbroken(r);
    // The gap before the geometry is for model edges: another annotation's line is met.
    const SmartPtr<DUxLeaderStyleWrapper> style = GetLeaderStyleWrapper();
    const double overshoot = style ? style->GetExtensionLineOvershoot() : 0.0;
    const double gap = style && !dynamic_cast<DLxEmblem*>(proxy->GetAnnotationInstance())
                           ? style->GetExtensionLineOffset()
                           : 0.0;
    double tP = 0, tR = 0;
    proxy->ParamOf(p, tP);
    proxy->ParamOf(ru, tR);
    auto from = [&](const WqGePoint3d& outside, const WqGePoint3d& segEnd) {
        const WqGeVector3d dir = (outside - segEnd).normal();
        start = outside + dir * overshoot;
        end = anchor->UnbrokenToBroken(segEnd) + dir * gap;
        return true;
    };
    if (tP < -kParamTol) return from(p, seg.start);
    if (tP > 1 + kParamTol) return from(p, seg.end);
    if (tR < -kParamTol) return from(ru, seg.start);
    if (tR > 1 + kParamTol) return from(ru, seg.end);
    return false;
}

void DLxSymInstance::TransformInstance(SMxChildItem* symbol, SMxChildItem* text, SMxChildItem*,
                                       void*, const WqGeVector3d& centre,
                                       const WqGeVector3d& attach, const WqGeVector3d& offset,
                                       double angle) {
    const WqGePoint3d c(centre.x, centre.y, centre.z);
    const WqGeMatrix3d m = WqGeMatrix3d::rotation(angle, WqGeVector3d::kZAxis, c);
    const WqGeMatrix3d t = WqGeMatrix3d::translation(attach - centre + offset);
    for (SMxChildItem* child : {symbol, text})
        if (child) child->SetTransform(t * m * child->GetTransform());
}

// ---- compute

// What one compute works with, from step to step.
struct DLxSymInstance::ComputePass {
    explicit ComputePass(RDxComputeContext& c) : ctx(c) {}
    RDxComputeContext& ctx;
    DUxLeaderNodeTree* leader0 = nullptr;
    SMxDisplayList* list = nullptr;
    DUxSymState* state = nullptr;
    DLxAnchorPoint* anchor = nullptr;
    bool anyLeaderVisible = false;
    bool leader0Visible = false;
    bool horizontal = false;
    bool command = false;
    WqGeVector3d shift;
    SMxChildItem* leaderChild = nullptr;
    DUxLeaderNodeTree::ELandingPos pos = DUxLeaderNodeTree::kNegY;
    WqGePoint3d r;
    WqGeVector3d u;
    bool upsideDown = false;
};

UTxResult DLxSymInstance::Compute(RDxComputeContext& ctx) {
    const bool hidden = RepairLeaderNodes();
    SMxDisplayList* list = GetDisplayList();
    if (hidden || GetNumLeaders() == 0 || IsSuppressed()) {
        if (list) {
            list->Clear();
            list->ClearAttributes();
        }
        return {};
    }
    DUxLeaderNodeTree* leader0 = GetLeader(0);
    if (!leader0) return {};

    // What this compute draws.
    ComputePass pass(ctx);
    pass.leader0 = leader0;
    for (int32_t i = 0; i < GetNumLeaders(); ++i)
        pass.anyLeaderVisible |= IsActiveLeader(i);
    pass.anyLeaderVisible &= DisplayLeaders();
    pass.leader0Visible = DisplayLeaders() && leader0->GetNumNodes() > 1;
    const bool valid = IsValid();
    pass.horizontal = m_alwaysHorizontal;
    pass.command = ctx.Has(kCommandAttr);
    pass.state = GetSymState();
    pass.anchor = GetFirstAnchor();

    FollowFirstAnchor(pass);
    if (!list) return {};
    pass.list = list;
    const UTxResult result = StartDrawing(pass, valid);
    PlaceAttachPoint(pass);
    if (pass.state) DrawSymbol(pass);
    // This host keeps no scene nodes to refresh; the dimensions of the view clip again.
    if (ctx.Has(kPersistantAttr)) DLxAnnotationUtil::DimCleanup(GetView());
    return result;
}

bool DLxSymInstance::RepairLeaderNodes() {
    // Repair: non-finite nodes go to their leader's anchor. A symbol whose every anchor lies in
    // a removed part of a broken view (directly or through another symbol) draws nothing.
    bool keepScanning = true;
    for (int32_t i = 0; i < GetNumLeaders() && keepScanning; ++i) {
        DUxLeaderNodeTree* tree = GetLeader(i);
        if (!tree) continue;
        WqGePoint3d reference;
        if (i == 0 || tree->GetNumNodes() > 1) {
            for (int32_t b = 0; b < tree->GetNumBranches(); ++b) {
                DLxAnchorPoint* anchor = BranchAnchor(tree, b);
                // An anchor that lost its edge looks for it again in its view.
                if (anchor && !anchor->IsValid()) anchor->ReConnect(false);
                if (!anchor || !anchor->IsValid()) {
                    keepScanning = false;
                    break;
                }
                if (std::isfinite(reference.x) || std::isfinite(reference.y))
                    reference = anchor->GetPoint();
                if (anchor->IsUnbrokenPointRemoved()) continue;
                // Only a symbol hanging on another symbol's dimension can be hidden through it.
                DLxSymInstance* other =
                    dynamic_cast<DLxDimGeometryProxy*>(anchor->GetGeometryProxy())
                        ? SymbolOfGeometry(anchor)
                        : nullptr;
                if (!other) {
                    keepScanning = false;
                    break;
                }
                other->ForEachBranchAnchor([&](int32_t li, int32_t, DLxAnchorPoint* a) {
                    if (li > 0 && !other->IsActiveLeader(li)) return;
                    if (a && a->IsValid() && !a->IsUnbrokenPointRemoved()) keepScanning = false;
                });
            }
        }
        for (int32_t n = 0; n < tree->GetNumNodes(); ++n) {
            DUxLeaderNode* node = tree->GetNodeAtIndex(n);
            if (node && !IsFinite2d(node->GetPoint())) node->SetPoint(reference);
        }
    }
    return keepScanning;
}

void DLxSymInstance::FollowFirstAnchor(ComputePass& pass) {
    DUxLeaderNodeTree* leader0 = pass.leader0;
    DUxSymState* state = pass.state;
    DLxAnchorPoint* anchor = pass.anchor;
    const bool command = pass.command;
    bool& horizontal = pass.horizontal;
    WqGeVector3d& shift = pass.shift;
    if (anchor && anchor->IsValid() && state) {
        auto* dim = dynamic_cast<DLxDimGeometryProxy*>(anchor->GetGeometryProxy());
        if (dim && !SkipAlwaysHorizontalOverride() &&
            IsHorizontalDimType(std::abs(int32_t(int16_t(dim->GetType() & 0xFFFF)))))
            horizontal = true;
        const WqGePoint3d a = anchor->GetPoint();
        const WqGePoint3d b = command ? a : anchor->GetBrokenPoint();
        if (!anchor->IsUnbrokenPointRemoved()) {
            shift = b - state->GetOrigin();
            if (!shift.isZeroLength()) {
                state->SetOrigin(b);
                leader0->ShiftPoints(shift);
            }
            DLxViewInstance* view = anchor->GetViewInstance();
            const double s = view ? view->GetViewScale() : 1.0;
            if (std::fabs(state->GetScale() - s) > kParamTol) {
                const double old = state->GetScale();
                state->SetScale(s);
                leader0->ScalePoints(b, old, s);
            }
        }
    }
}

UTxResult DLxSymInstance::StartDrawing(ComputePass& pass, bool valid) {
    SMxDisplayList* list = pass.list;
    list->Clear();
    list->ClearAttributes();
    UTxResult result;
    RSeSegment* segment = GetSegment();
    if (segment && segment->AcceptsHealthColoring()) {
        if (!valid)
            result = ApplySickness();
        else
            DLxAnnotationUtil::UnsetAnnotationSickColor(*list);
    }

    return result;
}

void DLxSymInstance::PlaceAttachPoint(ComputePass& pass) {
    SMxDisplayList* list = pass.list;
    DUxLeaderNodeTree* leader0 = pass.leader0;
    DUxSymState* state = pass.state;
    DLxAnchorPoint* anchor = pass.anchor;
    // The leader list comes first, then the symbol and its texts.
    pass.leaderChild = AppendChild(*list);
    SMxChildItem* leaderChild = pass.leaderChild;
    const bool command = pass.command;
    DUxLeaderNodeTree::ELandingPos& pos = pass.pos;
    WqGePoint3d& r = pass.r;
    WqGeVector3d& u = pass.u;
    bool& upsideDown = pass.upsideDown;
    const WqGeVector3d& shift = pass.shift;

    // Where the symbol attaches: the landing of leader 0, or its geometry without leaders.
    if (pass.leader0Visible) {
        const bool shortLanding =
            GetNumberOfActiveLeaders() == 1 &&
            leader0->GetLandingLength() < leader0->GetReferenceLandingLength() + kParamTol;
        leader0->GenGraphics(list, leaderChild->list, 0, shortLanding, command,
                             GetLeaderStyleWrapper().get(), GetTextStyleWrapper(), false,
                             CanDrawArrowHead(), CanDrawRootHotPoints());
        leader0->GetSymbolAttachPoint(shortLanding, pos, r, u);
        PostLeaderGenGraphics(*list, leaderChild->list, 0);
        if (leader0->GetLandingPosition() != pos) leader0->SetLandingPosition(pos);
    } else {
        if (state && anchor) {
            WqGePoint3d s, e;
            if (GetEndPointsOfExtensionLineIfNoLeader(s, e, shift))
                AddLine(leaderChild->list, s, e, 0);
            AddHotPoint(leaderChild->list, anchor->GetBrokenPoint(),
                        DUxLeaderNodeTree::kSymbolBoxItem, kNoLeaderAnchorHotPoint);
        }
        int32_t index = 0;
        GetNoLeaderSymAttachment(r, u, pos, index);
        AdjustAttachPointForHiddenLeader(r, u, pos, kSnapToGeometryDistance);
        upsideDown = u.y > kParamTol || (std::fabs(u.y) < kParamTol && u.x < 0);
    }
}

void DLxSymInstance::DrawSymbol(ComputePass& pass) {
    RDxComputeContext& ctx = pass.ctx;
    SMxDisplayList* list = pass.list;
    DUxSymState* state = pass.state;
    SMxChildItem* leaderChild = pass.leaderChild;
    DUxLeaderNodeTree::ELandingPos& pos = pass.pos;
    const WqGePoint3d& r = pass.r;
    const WqGeVector3d& u = pass.u;
    const bool horizontal = pass.horizontal;
    const bool upsideDown = pass.upsideDown;
    const bool leader0Visible = pass.leader0Visible;
    const bool anyLeaderVisible = pass.anyLeaderVisible;
    const WqGeVector3d& shift = pass.shift;

    SMxChildItem* symbolChild = AppendChild(*list);
    SMxChildItem* textChild = AppendChild(*list);
    state->GenGraphics(symbolChild->list, textChild->list, pos, DUxStandardGUID::GetANSIGuid(),
                       upsideDown && !horizontal, m_outlineType);
    AddToLayer(kKeepAttributes);

    // The unplaced box only sizes the placement: storing it would change the state on
    // every compute and keep the symbol out of date.
    BBox box = GetGraphicsBoundingBox(&symbolChild->list, &textChild->list);
    const double hx = box.isEmpty() ? 0 : (box.max.x - box.min.x) / 2;
    const double hy = box.isEmpty() ? 0 : (box.max.y - box.min.y) / 2;
    const WqGeVector3d centre = GetAttachPointOffset(box);

    WqGeVector3d p;
    double angle = 0;
    WqGeVector3d xAxis = WqGeVector3d::kXAxis, yAxis = WqGeVector3d::kYAxis;
    if (!leader0Visible) {
        if (horizontal) {
            if (std::fabs(u.x) < kParamTol)
                pos = u.y < 0 ? DUxLeaderNodeTree::kPosY : DUxLeaderNodeTree::kNegY;
            else if (std::fabs(u.y) < kParamTol)
                pos = u.x < 0 ? DUxLeaderNodeTree::kPosX : DUxLeaderNodeTree::kNegX;
            else {
                pos = DUxLeaderNodeTree::kNoLanding;
                p = WqGeVector3d::kXAxis * (hx * (u.x < 0 ? 1 : -1)) +
                    WqGeVector3d::kYAxis * (hy * (u.y < 0 ? 1 : -1));
            }
        } else {
            xAxis = WqGeVector3d(u.y, -u.x, 0);
            yAxis = WqGeVector3d(u.x, u.y, 0);
            if (!u.isZeroLength()) {
                if (CanTextBeDrawnUpsideDown()) {
                    angle = std::atan2(u.x, -u.y);
                } else if (u.isParallelTo(WqGeVector3d::kXAxis)) {
                    angle = std::numbers::pi / 2;
                } else {
                    const WqGeVector3d f = u.y > 0 ? u : -u;
                    angle = std::acos(f.normal().dotProduct(WqGeVector3d::kYAxis));
                    if (f.x > 0) angle = -angle;
                }
            }
        }
    }
    if (state->GetUseStackingBehavior()) {
        const int32_t al = m_alignment;
        const double sign = al == 1 ? 1 : al == 2 ? -1 : 0;
        switch (pos) {
        case DUxLeaderNodeTree::kPosX:
            p = xAxis * hx + yAxis * (hy * sign);
            break;
        case DUxLeaderNodeTree::kPosY:
            p = yAxis * hy - xAxis * (hx * sign);
            break;
        case DUxLeaderNodeTree::kNegX:
            p = xAxis * -hx - yAxis * (hy * sign);
            break;
        case DUxLeaderNodeTree::kNegY:
            p = yAxis * -hy + xAxis * (hx * sign);
            break;
        default:
            break;
        }
    }
    TransformInstance(symbolChild, textChild, leaderChild, nullptr, centre, r.asVector(), p, angle);
    ReplaceSymTextDisplayListByDimText(&ctx, &textChild->list, &leaderChild->list);

    // What a click can hit: the symbol's lines and its texts (a borderless or linear balloon's
    // texts reach past its lines).
    box = PlacedBox(symbolChild);
    box.extend(PlacedBox(textChild));
    if (box.isEmpty()) box = BBox(r + shift, r + shift);
    state->SetBoundingBox(box);

    if (GetNumberOfActiveLeaders() > 1) {
        WqGePoint3d common(box.center().x, box.center().y, 0);
        GetCommonLeaderRoot(common);
        AddHotPoint(*list, common, DUxLeaderNodeTree::kLeaderRootItem, 0);
    }
    if (anyLeaderVisible) {
        AdjustLeaderRoots(box);
        for (int32_t i = 1; i < GetNumLeaders(); ++i)
            if (DUxLeaderNodeTree* tree = GetLeader(i))
                tree->GenGraphics(list, leaderChild->list, i, false, false,
                                  GetLeaderStyleWrapper().get(),
                                  GetTextStyleWrapper(), false, CanDrawArrowHead(),
                                  CanDrawRootHotPoints());
    }
    if (ctx.Has(kPersistantAttr) || ctx.Has(kSheetChangeAttr)) {
        std::vector<DUxArrowHeadBox> boxes;
        GetArrowHeadBoxes(boxes);
        Cleanup(boxes, false);
    }
}

// ---- bounding boxes and clipping

BBox DLxSymInstance::GetGraphicsBoundingBox(const SMxDisplayList* first,
                                            const SMxDisplayList* second) const {
    BBox box = first ? first->GetBBox() : BBox();
    if (box.isEmpty() && second) box = second->GetBBox();
    return box;
}

BBox DLxSymInstance::GetSymbolBoundingBoxFromGraphics() const {
    SMxDisplayList* list = GetDisplayList();
    if (!list || list->ChildCount() < 2) return {};
    const int32_t n = list->ChildCount();
    BBox box = PlacedBox(&list->GetChild(n - 2));
    if (box.isEmpty()) box = PlacedBox(&list->GetChild(n - 1));
    return box;
}

bool DLxSymInstance::GetEmblemBoundingBox(std::vector<WqGePoint3d>& points, int32_t) const {
    points.clear();
    DUxSymState* state = GetSymState();
    if (!state || state->GetBoundingBox().isEmpty()) return false;
    const BBox& box = state->GetBoundingBox();
    if (state->GetOutlineShape() == DUxSymState::kCircleShape) {
        const WqGePoint3d c((box.min.x + box.max.x) / 2, (box.min.y + box.max.y) / 2, 0);
        const double radius = (box.max.x - box.min.x) / 2;
        for (int32_t k = 0; k <= 36; ++k) {
            const double a = k * 10 * 0.01745329251994;
            points.emplace_back(c.x + radius * std::sin(a), c.y + radius * std::cos(a), 0);
        }
        return true;
    }
    points = {{box.min.x, box.min.y, 0},
              {box.max.x, box.min.y, 0},
              {box.max.x, box.max.y, 0},
              {box.min.x, box.max.y, 0}};
    return true;
}

void DLxSymInstance::GetArrowHeadBoxes(std::vector<DUxArrowHeadBox>& boxes) {
    SMxDisplayList* list = GetDisplayList();
    if (!list || list->IsEmpty()) return;
    // The symbol's outline is its clipping box.
    std::vector<WqGePoint3d> outline;
    if (GetEmblemBoundingBox(outline, 0)) {
        DUxNormalizePolygon(outline);
        boxes.emplace_back(std::move(outline), this, DUxLineGeometry(), true, CanClipCrossHatch());
    }
    for (int32_t i = 0; i < GetNumLeaders(); ++i)
        DLxLeaderUtils::GetArrowHeadBoxes(GetLeader(i), this, boxes);
}

void DLxSymInstance::Cleanup(std::vector<DUxArrowHeadBox>& boxes, bool flag) {
    DUxLeaderNodeTree* leader0 = GetLeader(0);
    SMxDisplayList* list = GetDisplayList();
    if (!leader0 || !list || list->ChildCount() == 0) return;
    if (!DisplayLeaders() && leader0->GetNumNodes() <= 1) return;
    Cleanup(boxes, list->GetChild(0).list, flag);
}

void DLxSymInstance::Cleanup(std::vector<DUxArrowHeadBox>& boxes, SMxDisplayList& list, bool flag) {
    std::vector<std::unique_ptr<SMxLineItem>> added;
    for (int32_t i = 0; i < list.Count();) {
        auto* line = list.GetAt(i).As<SMxLineItem>();
        if (!line || line->start == line->end) {
            ++i;
            continue;
        }
        const double before = line->start.distanceTo(line->end);
        std::vector<WqGePoint3d> parts = {line->start, line->end};
        bool changed = false;
        for (const DUxArrowHeadBox& box : boxes) {
            const bool takesPart = box.GetEmblem() != this || (!flag && box.ClipsOwn());
            if (!takesPart || !box.Intersects(line->start, line->end)) continue;
            if (box.HasExtensionLine() && box.IsColinearWithExtensionLine(line->start, line->end))
                continue;
            changed = true;
            std::vector<WqGePoint3d> kept;
            for (size_t k = 0; k + 1 < parts.size(); k += 2)
                DUxClip2DLineSegment(parts[k], parts[k + 1], box.GetPoints(), kept);
            parts = std::move(kept);
        }
        if (changed && parts.size() == 2 &&
            std::fabs(parts[0].distanceTo(parts[1]) - before) < kParamTol)
            changed = false;
        if (!changed) {
            ++i;
            continue;
        }
        for (size_t k = 0; k + 1 < parts.size(); k += 2) {
            auto part = std::make_unique<SMxLineItem>(parts[k], parts[k + 1]);
            part->SetId(line->GetId());
            part->SetColor(line->GetColor());
            added.push_back(std::move(part));
        }
        list.RemoveAt(i);
    }
    for (auto& part : added)
        list.Append(std::move(part));
}

// ---- layers

void DLxSymInstance::AddToLayer(CleanUpDisposition disposition) {
    SMxDisplayList* list = GetDisplayList();
    if (!list) return;
    SmartPtr<DUxLayerStyleAbstract> style = ObjectStyleWrapper();
    const SmartPtr<DUxLeaderStyleWrapper> leaderStyle = GetLeaderStyleWrapper();
    const DUxTextStyleWrapper* textStyle = GetTextStyleWrapper();
    bool ownColor = false, byLayer = false, flag = true;
    SMxColor color;
    GetTextColor(ownColor, color, byLayer, flag);
    // The texts' colour: their own, else their layer's when they follow it, else their style's.
    const bool textsByLayer = !ownColor && byLayer && flag;
    bool haveColor = ownColor;
    if (textsByLayer && style) {
        color = style->GetLayerColor();
        haveColor = true;
    } else if (!ownColor && !textsByLayer && textStyle) {
        color = textStyle->GetColor();
        haveColor = true;
    }
    // (Sketched-symbol callouts keep their attributes: they take disposition 1 as 0.)
    const bool clean = disposition == kCleanAttributes;
    if (style) DUxSceneUtil::DLItemSetLayerStyle(*list, *style);

    int32_t index = 0;
    for (SMxDisplayItem& item : *list) {
        auto* child = item.As<SMxChildItem>();
        if (!child) continue;
        const int32_t k = index++;
        if (child->list.IsEmpty()) continue;
        if (clean) DUxSceneUtil::CleanAttrStackForLayers(*child);
        if (k == 0) {
            if (leaderStyle && leaderStyle->HasPen())
                DUxSceneUtil::DLItemSetStyle(child->list, *leaderStyle);
        } else if (k == 1) {
            if (UsesFullStyleInformation() && style)
                DUxSceneUtil::DLItemSetStyle(child->list, *style);
            StyleSymbolItems(child->list, haveColor ? &color : nullptr, clean);
        } else if (k == 2) {
            if (ownColor)
                DUxSceneUtil::DLItemSetColor(child->list, color);
            else if (textsByLayer && style)
                DUxSceneUtil::DLItemSetLayerStyle(child->list, *style);
            else if (textStyle)
                DUxSceneUtil::DLItemSetStyle(child->list, *textStyle);
        }
    }
}

bool DLxSymInstance::IncludeInDimCleanupClipping() const {
    SmartPtr<DUxLayerStyleAbstract> style = const_cast<DLxSymInstance*>(this)->ObjectStyleWrapper();
    return !(style && !style->GetVisible());
}

// ---- views

DLxViewInstance* DLxSymInstance::GetView() const {
    DUxLeaderNodeTree* tree = GetLeader(0);
    if (!tree) return nullptr;
    for (int32_t b = 0; b < tree->GetNumBranches(); ++b) {
        DLxAnchorPoint* anchor = BranchAnchor(tree, b);
        if (!anchor) continue;
        if (DLxViewInstance* view = anchor->GetViewInstance()) return view;
        DLxSymInstance* other = SymbolOfGeometry(anchor);
        auto& resolving = AnchorsInResolution();
        if (other && std::find(resolving.begin(), resolving.end(), anchor) == resolving.end()) {
            resolving.push_back(anchor);
            DLxViewInstance* view = other->GetView();
            resolving.pop_back();
            return view;
        }
    }
    return nullptr;
}

void DLxSymInstance::GetAllViews(std::list<DLxViewInstance*>& views) const {
    DUxLeaderNodeTree* tree = GetLeader(0);
    if (!tree) return;
    for (int32_t b = 0; b < tree->GetNumBranches(); ++b) {
        DLxAnchorPoint* anchor = BranchAnchor(tree, b);
        if (!anchor) continue;
        if (DLxViewInstance* view = anchor->GetViewInstance())
            views.push_back(view);
        else if (DLxSymInstance* other = SymbolOfGeometry(anchor))
            if (DLxViewInstance* otherView = other->GetView()) views.push_back(otherView);
    }
    views.unique();
}

bool DLxSymInstance::EmblemBelongsToView(const DLxViewInstance* view) const {
    DUxLeaderNodeTree* tree = GetLeader(0);
    if (!tree) return false;
    for (int32_t b = 0; b < tree->GetNumBranches(); ++b) {
        DLxAnchorPoint* anchor = BranchAnchor(tree, b);
        if (!anchor) continue;
        if (DLxViewInstance* own = anchor->GetViewInstance()) {
            if (own == view) return true;
        } else if (DLxSymInstance* other = SymbolOfGeometry(anchor)) {
            if (other->EmblemBelongsToView(view)) return true;
        }
    }
    return false;
}

bool DLxSymInstance::BelongsExclusivelyToViewSet(const std::vector<DLxViewInstance*>& views) const {
    auto inSet = [&](DLxViewInstance* v) {
        return v && std::find(views.begin(), views.end(), v) != views.end();
    };
    const int32_t n = GetNumberOfActiveLeaders();
    for (int32_t i = 0; i < n; ++i) {
        DUxLeaderNodeTree* tree = GetLeader(i);
        if (!tree) return false;
        for (int32_t b = 0; b < tree->GetNumBranches(); ++b) {
            DLxAnchorPoint* anchor = BranchAnchor(tree, b);
            if (!anchor) return false;
            DUxGeometryProxy* proxy = anchor->GetGeometryProxy();
            DUxAnnotationInstance* owner = proxy ? proxy->GetAnnotationInstance() : nullptr;
            if (auto* other = dynamic_cast<DLxSymInstance*>(owner)) {
                if (!other->BelongsExclusivelyToViewSet(views)) return false;
            } else if (!owner) {
                if (!inSet(anchor->GetViewInstance())) return false;
            } else {
                return false; // an annotation of a kind this host does not place in views
            }
        }
    }
    return true;
}

// ---- graph

bool DLxSymInstance::HitTest(const WqGePoint3d& p, double tol) const {
    const DUxSymState* state = GetSymState();
    if (!state || state->GetBoundingBox().isEmpty()) return DLxEmblem::HitTest(p, tol);
    return BoxHolds(state->GetBoundingBox(), p, tol);
}

void DLxSymInstance::GetAnchors(std::vector<DLxAnchorPoint*>& anchors) const {
    ForEachBranchAnchor([&](int32_t, int32_t, DLxAnchorPoint* a) {
        if (a) anchors.push_back(a);
    });
}

void DLxSymInstance::CollectDependencies(std::vector<RDxNode*>& out) const {
    DLxEmblem::CollectDependencies(out);
    for (int32_t i = 0; i < GetNumLeaders(); ++i) {
        DUxLeaderNodeTree* tree = GetLeader(i);
        if (!tree) continue;
        if (DLxViewInstance* view = DLxLeaderUtils::GetViewInstance(tree))
            out.push_back(view->GetOutputBodySet());
        for (int32_t b = 0; b < tree->GetNumBranches(); ++b) {
            if (DUxArrowHeadState* arrow = tree->GetArrowHead(b)) out.push_back(arrow);
            if (DLxAnchorPoint* anchor = BranchAnchor(tree, b)) {
                out.push_back(anchor);
                DUxGeometryProxy* proxy = anchor->GetGeometryProxy();
                if (auto* owner = proxy ? proxy->GetAnnotationInstance() : nullptr)
                    out.push_back(owner);
            }
        }
    }
}

bool DLxSymInstance::GetAllParentInstances(std::vector<DUxAnnotationInstance*>& parents) const {
    ForEachBranchAnchor([&](int32_t, int32_t, DLxAnchorPoint* a) {
        DUxGeometryProxy* proxy = a ? a->GetGeometryProxy() : nullptr;
        DUxAnnotationInstance* owner = proxy ? proxy->GetAnnotationInstance() : nullptr;
        if (!owner) return;
        parents.push_back(owner);
        if (auto* other = dynamic_cast<DLxSymInstance*>(owner))
            other->GetAllParentInstances(parents);
    });
    return !parents.empty();
}

// ---- health. Anchors of this host are free or on an edge: an anchor on an edge is the one
// with a constraint, valid while its view has the edge; an anchor is suppressed with its view,
// and never dead (an edge may come back).

bool DLxSymInstance::GetSickAnchors(std::vector<DLxAnchorPoint*>& anchors) const {
    const size_t before = anchors.size();
    std::vector<DLxAnchorPoint*> all;
    GetAnchors(all);
    for (DLxAnchorPoint* a : all) {
        const bool sick = AllowFreeAnchors() ? !a->IsValid() : !(a->IsOnEdge() && a->IsValid());
        if (sick) anchors.push_back(a);
    }
    return anchors.size() > before;
}

bool DLxSymInstance::IsValid() const {
    if (!GetTemplate()) return false;
    std::vector<DLxAnchorPoint*> sick;
    return !GetSickAnchors(sick);
}

bool DLxSymInstance::IsDead() const {
    return GetTemplate() == nullptr;
}

bool DLxSymInstance::IsSuppressed() const {
    if (!GetTemplate()) return false;
    std::vector<DLxAnchorPoint*> anchors;
    GetAnchors(anchors);
    // The anchors that follow geometry decide; without any, those that belong to a view do.
    bool constrained = false, allConstrained = true, viewed = false, allViewed = true;
    for (const DLxAnchorPoint* a : anchors) {
        const bool suppressed = a->IsSuppressed();
        if (a->GetGeometryProxy()) {
            constrained = true;
            allConstrained = allConstrained && suppressed;
        }
        if (a->GetViewInstance()) {
            viewed = true;
            allViewed = allViewed && suppressed;
        }
    }
    if (constrained) return allConstrained;
    return viewed && allViewed;
}

bool DLxSymInstance::NeedsUpdate() const {
    if (!GetSymState()) return false;
    bool needs = false;
    for (int32_t i = 0; i < GetNumLeaders() && !needs; ++i) {
        DUxLeaderNodeTree* tree = GetLeader(i);
        if (!tree) continue;
        for (int32_t b = 0; b < tree->GetNumBranches(); ++b) {
            DUxBaseTerminalLeaderNode* end = tree->GetTerminalNode(b);
            DLxAnchorPoint* anchor = BranchAnchor(tree, b);
            // The node holds the point as its view draws it.
            if (end && anchor && anchor->IsValid() &&
                !anchor->GetBrokenPoint().isEqualTo(end->GetStoredPoint()))
                needs = true;
        }
    }
    return needs;
}

UTxResult DLxSymInstance::ApplySickness() {
    // The drawing says whether sick symbols are highlighted (they are without a document) and
    // whether symbols whose geometry is gone for good are still shown.
    auto* doc = dynamic_cast<DLxDrawingDoc*>(FWxDocUtil::DocumentOf(this));
    const DLxDrawing* drawing = doc ? doc->GetDrawing() : nullptr;
    const bool highlight = drawing ? drawing->GetShowSickHighlight() : true;
    const bool preserve = drawing && drawing->GetPreserveAnnotationMode() != 0;
    if (!preserve && IsDead()) return {};
    UTxResult result;
    SMxDisplayList* list = GetDisplayList();
    if (!list) return result;
    if (!highlight) {
        DLxAnnotationUtil::UnsetAnnotationSickColor(*list);
        return result;
    }
    DLxAnnotationUtil::SetAnnotationSickColor(*list);
    std::vector<DLxAnchorPoint*> sick;
    GetSickAnchors(sick);
    // Markers where the view draws the lost anchors.
    for (DLxAnchorPoint* a : sick)
        list->Append(std::make_unique<SMxPointItem>(a->GetBrokenPoint(), kSickMarker));
    // A problem the user chose to live with is not reported again unless asked for.
    const uint32_t flags = GetFlags();
    if (!(flags & kHealthIgnoredFlag) || (flags & kHealthRecheckFlag)) {
        SetSick();
        const RDxFragment* fragment = GetFragment().get();
        if (fragment && (fragment->GetFlags() & kCollectDiagnosesFlag) && !sick.empty())
            result = AddDiagnosis(sick);
    }
    return result;
}

UTxResult DLxSymInstance::AddDiagnosis(std::vector<DLxAnchorPoint*>& anchors) {
    // Nothing to name without an anchor.
    if (anchors.empty()) return {};
    UTxResult result(kInvalidAnchorWarning, __FILE__, __LINE__);
    auto* diag = DLxDiagEmblemInvalidAnchorPoint::Create(result, this, anchors.front());
    for (size_t i = 1; i < anchors.size(); ++i)
        diag->AddAnchorPoint(anchors[i]);
    diag->SetText(u"invalid anchor point of symbol " +
                  UTx::MakeWideString(std::to_string(GetId())));
    diag->AttachDiagnosisToResult(result);
    if (RDxFragment* fragment = GetFragment().get()) fragment->AddDiagnosis(diag);
    return result;
}
