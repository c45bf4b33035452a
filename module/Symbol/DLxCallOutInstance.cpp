#include "Symbol/DLxCallOutInstance.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "Leader/DLxLeaderUtils.h"
#include "Leader/DLxTerminalNodeGenerator.h"
#include "Symbol/DLxCallOutState.h"
#include "Symbol/DLxSymBrowserUtil.h"
#include "Symbol/KorvuModule.h"
#include "WinModule.h"
#include "dc/RDxFragment.h"
#include "dl/DLxSheet.h"
#include "dl/DLxSketch.h"
#include "du/DUxArrowHead.h"
#include "du/DUxLayerStyleAbstract.h"
#include "du/DUxLeaderNode.h"
#include "du/DUxLeaderStyle.h"
#include "du/DUxLeaderStyleWrapper.h"
#include "du/DUxSymStyleWrapUtils.h"
#include "fb/FBxLayerStyle.h"
#include "fw/FWxStyle.h"
#include "ge/WqGeMatrix3d.h"
#include "rse/RSeMeta.h"
#include "rse/RSeTransaction.h"
#include "sm/SMxDisplayItem.h"
#include "sm/SMxDisplayList.h"
#include "utx/UTxCast.h"

namespace {
// Leader segments shorter than this are never cut.
constexpr double kShortSegment = 1e-5;
// How near the ends of a segment a crossing may lie and still count as none.
constexpr double kResolution = 1e-6;

// The tree's one branch runs from its end (the first point) through the others to its root
// (the last point), where the symbol goes.
DUxLeaderNodeTree* MakeLeader(RDxFragment* fragment, const std::vector<WqGePoint3d>& points,
                              DUxArrowHeadState* arrow) {
    auto* generator = DLxTerminalNodeGenerator::Create(fragment);
    const WqGePoint3d end = points.empty() ? WqGePoint3d() : points.front();
    DUxLeaderNodeTree* tree = DUxLeaderNodeTree::Create(fragment, generator, end, arrow);
    if (!tree) return tree;
    DUxLeaderNode* node = tree->GetRoot();
    for (size_t i = 1; i < points.size(); ++i)
        node = tree->InsertNode(node, points[i]);
    return tree;
}

// A piece of the symbol's outline: a line from a to b, or a circular arc.
struct OutlineCurve {
    bool arc = false;
    WqGePoint3d a, b;
    WqGePoint3d centre;
    double radius = 0.0;
    double start = 0.0; // radians from +X, counter-clockwise
    double sweep = 0.0;
};

// Where the segment p -> q (parameter t from 0 at p) crosses the curve; nan when it does not
// cross within the curve.
void Crossings(const WqGePoint3d& p, const WqGePoint3d& q, const OutlineCurve& c,
               std::vector<double>& ts) {
    const double dx = q.x - p.x, dy = q.y - p.y;
    if (!c.arc) {
        const double ex = c.b.x - c.a.x, ey = c.b.y - c.a.y;
        const double len = std::hypot(ex, ey);
        if (len <= kShortSegment) return;
        const double den = dx * ey - dy * ex;
        if (std::fabs(den) < 1e-14) return;
        const double fx = c.a.x - p.x, fy = c.a.y - p.y;
        const double t = (fx * ey - fy * ex) / den;
        const double s = (fx * dy - fy * dx) / den;
        const double r = kResolution / len;
        if (s > -r && s < 1 + r) ts.push_back(t);
        return;
    }
    if (c.radius <= 0) return;
    const double fx = p.x - c.centre.x, fy = p.y - c.centre.y;
    const double A = dx * dx + dy * dy;
    const double B = 2 * (fx * dx + fy * dy);
    const double C = fx * fx + fy * fy - c.radius * c.radius;
    const double disc = B * B - 4 * A * C;
    if (A <= 0 || disc < 0) return;
    const double root = std::sqrt(disc);
    for (double t : {(-B - root) / (2 * A), (-B + root) / (2 * A)}) {
        const double x = fx + t * dx, y = fy + t * dy;
        double angle = std::atan2(y, x) - c.start;
        angle = std::fmod(angle, 2 * std::numbers::pi);
        if (angle < 0) angle += 2 * std::numbers::pi;
        if (c.sweep >= 2 * std::numbers::pi || angle < c.sweep) ts.push_back(t);
    }
}

// The curves and text boxes of the symbol graphics as placed on the sheet.
std::vector<OutlineCurve> CollectOutline(const SMxChildItem& symbol) {
    std::vector<OutlineCurve> out;
    const WqGeMatrix3d& m = symbol.GetTransform();
    for (const SMxDisplayItem& item : symbol.list) {
        if (const auto* line = item.As<SMxLineItem>()) {
            OutlineCurve c;
            c.a = line->start;
            c.b = line->end;
            c.a.transformBy(m);
            c.b.transformBy(m);
            out.push_back(c);
        } else if (const auto* arc = item.As<SMxArcItem>()) {
            auto placed = arc->Clone();
            placed->TransformBy(m);
            const auto* a = placed->As<SMxArcItem>();
            OutlineCurve c;
            c.arc = true;
            c.centre = a->center;
            c.radius = a->radius;
            const WqGeVector3d ref = a->refVector;
            const double turn = std::atan2(ref.y, ref.x);
            const bool flipped = a->normal.z < 0;
            c.sweep = a->SweepAngle();
            c.start = flipped ? turn - a->startAngle - c.sweep : turn + a->startAngle;
            out.push_back(c);
        } else if (const auto* text = item.As<SMxTextItem>()) {
            const BBox box = text->GetBBox();
            if (box.isEmpty()) continue;
            WqGePoint3d corners[4] = {{box.min.x, box.min.y, 0},
                                      {box.max.x, box.min.y, 0},
                                      {box.max.x, box.max.y, 0},
                                      {box.min.x, box.max.y, 0}};
            for (WqGePoint3d& p : corners)
                p.transformBy(m);
            for (int k = 0; k < 4; ++k) {
                OutlineCurve c;
                c.a = corners[k];
                c.b = corners[(k + 1) % 4];
                if (c.a.distanceTo(c.b) > 0) out.push_back(c);
            }
        }
    }
    return out;
}

// The box of a placed list without its grips.
BBox PlacedBoxWithoutPoints(const SMxChildItem& child) {
    BBox box;
    for (const SMxDisplayItem& item : child.list)
        if (!item.As<SMxPointItem>()) item.ExtendBBox(box, child.GetTransform());
    return box;
}
} // namespace

DLxCallOutInstance::DLxCallOutInstance(RDxFragment* fragment, DLxCallOutState* state)
    : DLxSymInstance(fragment, state) {}

DLxCallOutInstance::DLxCallOutInstance(const RSeStream* s) : DLxSymInstance(s) {}

DLxCallOutInstance::~DLxCallOutInstance() = default;

DLxCallOutInstance* DLxCallOutInstance::CreateInstance(
    RDxFragment* fragment, DLxSketchInstance* sketch, const std::vector<WqGePoint3d>& points,
    uint32_t arrowId, const RSeRef<FWxStyle>&, const RSeRef<DUxLeaderStyle>& leaderStyle,
    const RSeRef<FBxLayerStyle>& layer, bool leaderVisible) {
    if (!fragment || !fragment->GetSegment()) return nullptr;
    DLxCallOutState* state = DLxCallOutState::Create(fragment, sketch);
    // The styles are read, not written: the transaction keeps no image of them.
    if (leaderStyle.HasTarget()) state->SetStyle(leaderStyle.Read());
    if (layer.HasTarget()) DUxStyleUtil::SetLayerStyle(state, layer.Read());
    state->SetLeaderVisible(leaderVisible);
    auto* inst = new (RSe::_GetMeta(static_cast<const DLxCallOutInstance*>(nullptr)),
                      fragment->GetSegment()) DLxCallOutInstance(fragment, state);
    // This host's leader styles carry no arrowhead of their own: the id given applies.
    DUxArrowHeadState* arrow = DUxLeaderNodeTree::CreateArrowHeadState(fragment, arrowId);
    inst->AppendLeader(MakeLeader(fragment, points, arrow));
    if (sketch) sketch->SetOwnerInstance(inst);
    return inst;
}

SmartPtr<DUxLeaderStyleWrapper> DLxCallOutInstance::GetLeaderStyleWrapper() const {
    DLxCallOutState* state = GetCallOutState();
    if (!state) return nullptr;
    return new DUxLeaderStyleWrapper(state, {});
}

DLxCallOutState* DLxCallOutInstance::GetCallOutState() const {
    return UTx::Cast<DLxCallOutState>(GetSymState());
}

DLxSketchInstance* DLxCallOutInstance::GetSketchInstance() const {
    DLxCallOutState* state = GetCallOutState();
    return state ? state->GetSketchInstance() : nullptr;
}

void DLxCallOutInstance::SetSketchInstance(DLxSketchInstance* sketch, ERegisterType type) {
    DLxCallOutState* state = GetCallOutState();
    if (!sketch || !state) return;
    DLxSketchInstance* old = state->GetSketchInstance();
    state->SetSketchInstance(sketch);
    if ((type == kReplaceAndRegister || type == kReplaceOnly) && old && old != sketch)
        RSe::DeleteObject(old);
    // This host's sheets keep no list of their sketch placements: a placement knows its sheet.
}

void DLxCallOutInstance::SetDisableSelfClippingFlag(bool on) {
    if (on == IsDisableSelfClippingFlagOn()) return;
    if (on)
        SetSymFlag(kNoSelfClippingFlag);
    else
        UnsetSymFlag(kNoSelfClippingFlag);
}

void DLxCallOutInstance::SetEmblemClipOthers(bool on) {
    if (on == m_clipOthers) return;
    RSe::PrepareWrite(this);
    m_clipOthers = on;
}

const UTxString16& DLxCallOutInstance::GetBrowserLabel() {
    static const UTxString16 label = [] {
        HMODULE res = KorvuGetResourceHandle();
        auto text = res ? FindStringResource(res, 8029) : std::nullopt;
        return text ? UTxString16(*text) : UTxString16(u"Sketched Symbol");
    }();
    return label;
}

WqGePoint3d DLxCallOutInstance::GetKeyPoint() const {
    BBox box;
    if (DLxCallOutState* state = GetCallOutState()) box = state->GetBoundingBox();
    if (box.isEmpty()) box = GetSymbolBoundingBoxFromGraphics();
    if (box.isEmpty()) return {};
    const WqGePoint3d c = box.center();
    return {c.x, c.y, 0};
}

RDxFragment* DLxCallOutInstance::GetSheet() const {
    DLxSketchInstance* sketch = GetSketchInstance();
    return sketch ? sketch->GetSheetInstance() : nullptr;
}

UTxResult DLxCallOutInstance::Compute(RDxComputeContext& ctx) {
    const UTxResult result = DLxSymInstance::Compute(ctx);
    SMxDisplayList* list = GetDisplayList();
    DLxCallOutState* state = GetCallOutState();
    if (!list || !state || list->ChildCount() < 3) return result;
    // The symbol's box is that of its drawing: the grips above it do not widen it.
    const int32_t n = list->ChildCount();
    BBox box = PlacedBoxWithoutPoints(list->GetChild(n - 2));
    if (box.isEmpty()) box = PlacedBoxWithoutPoints(list->GetChild(n - 1));
    if (!box.isEmpty()) state->SetBoundingBox(box);
    // Cutting the leader at the outline is part of drawing the symbol, whatever the compute.
    if (!IsDisableSelfClippingFlagOn() && DisplayLeaders()) ClipLeaderAtOutline(list->GetChild(0).list);
    return result;
}

void DLxCallOutInstance::ClipLeaderAtOutline(SMxDisplayList& leaderList) const {
    SMxDisplayList* list = GetDisplayList();
    DUxLeaderNodeTree* leader0 = GetLeader(0);
    if (!list || !leader0 || list->ChildCount() < 3) return;
    const std::vector<OutlineCurve> outline = CollectOutline(list->GetChild(list->ChildCount() - 2));
    if (outline.empty() || leader0->GetNumBranches() == 0) return;

    // The leader's lines by branch; each drawn from the node nearer the root to the one
    // farther off. A branch is walked from its end towards the symbol.
    const int32_t branches = leader0->GetNumBranches();
    std::vector<std::vector<int32_t>> buckets(static_cast<size_t>(branches));
    std::vector<int32_t> landing;
    for (int32_t i = 0; i < leaderList.Count(); ++i) {
        const auto* line = leaderList.GetAt(i).As<SMxLineItem>();
        if (!line) continue;
        int32_t kind = 0, leader = 0, branch = 0, node = 0;
        DUxLeaderNodeTree::AnalyzeItemID(line->GetId(), kind, leader, branch, node);
        if (kind != DUxLeaderNodeTree::kLeaderNodeItem || leader != 0) continue;
        if (branch >= 0 && branch < branches)
            buckets[size_t(branch)].push_back(i);
        else if (branch < 0)
            landing.push_back(i);
    }
    std::vector<int32_t> removed;
    bool clipped = false;
    for (const std::vector<int32_t>& bucket : buckets) {
        // Order the segments from the branch's end: each next one ends where the last began.
        std::vector<int32_t> chain;
        for (int32_t i : bucket) {
            const auto* line = leaderList.GetAt(i).As<SMxLineItem>();
            bool fed = false;
            for (int32_t j : bucket)
                fed = fed || (j != i && leaderList.GetAt(j).As<SMxLineItem>()->start == line->end);
            if (!fed) {
                chain.push_back(i);
                break;
            }
        }
        while (!chain.empty() && chain.size() < bucket.size()) {
            const WqGePoint3d from = leaderList.GetAt(chain.back()).As<SMxLineItem>()->start;
            int32_t next = -1;
            for (int32_t j : bucket)
                if (std::find(chain.begin(), chain.end(), j) == chain.end() &&
                    leaderList.GetAt(j).As<SMxLineItem>()->end == from)
                    next = j;
            if (next < 0) break;
            chain.push_back(next);
        }
        for (size_t k = 0; k < chain.size(); ++k) {
            const auto* line = leaderList.GetAt(chain[k]).As<SMxLineItem>();
            const WqGePoint3d p = line->end, q = line->start;
            const double len = p.distanceTo(q);
            if (len < kShortSegment) continue;
            const double r = kResolution / len;
            double best = 1 - r;
            bool found = false;
            std::vector<double> ts;
            for (const OutlineCurve& c : outline)
                Crossings(p, q, c, ts);
            for (double t : ts)
                if (t > r && t < best) {
                    best = t;
                    found = true;
                }
            if (!found) continue;
            auto cut = std::make_unique<SMxLineItem>(p + (q - p) * best, p);
            cut->SetId(line->GetId());
            cut->SetLineStyle(line->GetLineStyle());
            cut->SetLineWeight(line->GetLineWeight());
            cut->SetColor(line->GetColor());
            leaderList.Append(std::move(cut));
            removed.insert(removed.end(), chain.begin() + std::ptrdiff_t(k), chain.end());
            clipped = true;
            break;
        }
    }
    // The landing lies on the far side of the outline once a branch stops there.
    if (clipped) removed.insert(removed.end(), landing.begin(), landing.end());
    std::sort(removed.begin(), removed.end());
    for (auto it = removed.rbegin(); it != removed.rend(); ++it)
        leaderList.RemoveAt(*it);
}

void DLxCallOutInstance::GetArrowHeadBoxes(std::vector<DUxArrowHeadBox>& boxes) {
    std::vector<WqGePoint3d> outline;
    if (m_clipOthers && GetEmblemBoundingBox(outline, 0))
        boxes.emplace_back(std::move(outline), this, DUxLineGeometry(), true, false);
    DLxLeaderUtils::GetArrowHeadBoxes(GetLeader(0), this, boxes);
}

void DLxCallOutInstance::Cleanup(std::vector<DUxArrowHeadBox>& boxes, bool) {
    // The symbol's own boxes clip other annotations, never its own leader: the outline does.
    std::vector<DUxArrowHeadBox> others;
    for (const DUxArrowHeadBox& box : boxes)
        if (box.GetEmblem() != this) others.push_back(box);
    DLxSymInstance::Cleanup(others, false);
}

SmartPtr<DUxLayerStyleAbstract> DLxCallOutInstance::ObjectStyleWrapper() {
    DLxCallOutState* state = GetCallOutState();
    return state ? DUxStyleUtil::LayerStyleWrapper(state) : SmartPtr<DUxLayerStyleAbstract>();
}

bool DLxCallOutInstance::PostLeaderGenGraphics(SMxDisplayList& list, SMxDisplayList& leaderList,
                                               int32_t) {
    DLxCallOutState* state = GetCallOutState();
    if (!state) return false;
    if (state->GetLeaderVisible()) return true;
    if (m_temporary) {
        for (SMxDisplayItem& item : leaderList)
            item.SetLineStyle(28102);
        return true;
    }
    // A hidden leader keeps only the grip of its root, which places the symbol.
    DUxLeaderNodeTree* leader0 = GetLeader(0);
    const int32_t rootId = leader0 && leader0->GetRoot() ? leader0->GetRoot()->GetNodeId() : -1;
    for (int32_t i = leaderList.Count() - 1; i >= 0; --i) {
        int32_t kind = 0, leader = 0, arrow = 0, node = 0;
        DUxLeaderNodeTree::AnalyzeItemID(leaderList.GetAt(i).GetId(), kind, leader, arrow, node);
        const bool rootGrip = leaderList.GetAt(i).As<SMxPointItem>() && node == rootId &&
                              kind == DUxLeaderNodeTree::kLeaderRootItem;
        if (!rootGrip) leaderList.RemoveAt(i);
    }
    for (int32_t i = list.Count() - 1; i >= 0; --i) {
        if (!list.GetAt(i).As<SMxPointItem>()) continue;
        int32_t kind = 0, leader = 0, arrow = 0, node = 0;
        DUxLeaderNodeTree::AnalyzeItemID(list.GetAt(i).GetId(), kind, leader, arrow, node);
        if ((kind == DUxLeaderNodeTree::kLeaderNodeItem && node != rootId) ||
            kind == DUxLeaderNodeTree::kArrowHeadItem)
            list.RemoveAt(i);
    }
    return true;
}

void DLxCallOutInstance::SetDisplayLeaders(bool on) {
    DLxSymInstance::SetDisplayLeaders(on);
}

void DLxCallOutInstance::TransformInstance(SMxChildItem* symbol, SMxChildItem* text,
                                           SMxChildItem*, void*, const WqGeVector3d&,
                                           const WqGeVector3d& attach, const WqGeVector3d& offset,
                                           double) {
    DLxCallOutState* state = GetCallOutState();
    DLxSketchInstance* sketch = GetSketchInstance();
    WqGePoint3d reference;
    if (sketch && sketch->GetSketch())
        reference = state && state->GetUseGeomCenter()
                        ? DLxSketchUtil::GetGeomCenterPoint(*sketch->GetSketch())
                        : DLxSketchUtil::GetInsertPoint(*sketch->GetSketch());
    const WqGePoint3d target(attach.x, attach.y, attach.z);
    const WqGeVector3d v = target - reference + offset;
    const double scale = state ? state->GetScale() : 1.0;
    const double rotation = state ? state->GetRotation() : 0.0;
    const WqGeMatrix3d t = WqGeMatrix3d::translation(v);
    const WqGeMatrix3d s = WqGeMatrix3d::scaling(scale, target);
    const WqGeMatrix3d r = WqGeMatrix3d::rotation(rotation, WqGeVector3d::kZAxis, target);
    if (symbol) symbol->SetTransform(r * s * t * symbol->GetTransform());
    // Images move with the symbol and keep their size and orientation.
    if (text) text->SetTransform(t * text->GetTransform());
}

bool DLxCallOutInstance::GetNoLeaderSymAttachment(WqGePoint3d& attach, WqGeVector3d& direction,
                                                  DUxLeaderNodeTree::ELandingPos& pos,
                                                  int32_t& index) {
    DLxCallOutState* state = GetCallOutState();
    if (state && !state->GetUseGeomCenter()) pos = DUxLeaderNodeTree::kNoLanding;
    return DLxSymInstance::GetNoLeaderSymAttachment(attach, direction, pos, index);
}

void DLxCallOutInstance::GetAttachPointIfNoLeader(WqGePoint3d& p) const {
    DUxLeaderNodeTree* leader0 = GetLeader(0);
    if (leader0 && leader0->GetRoot()) p = leader0->GetRoot()->GetPoint();
}

bool DLxCallOutInstance::CanDeleteLeader() const {
    DLxCallOutState* state = GetCallOutState();
    return !state || state->GetLeaderVisible();
}

bool DLxCallOutInstance::CanApplySymbolTreatments() {
    DLxCallOutState* state = GetCallOutState();
    return state && state->GetLeaderVisible();
}

void DLxCallOutInstance::DeleteAndVacuumClean() {
    DLxSymBrowserUtil::RemoveCallOutInstEntry(GetSheet(), this);
    if (DLxSketchInstance* sketch = GetSketchInstance()) RSe::DeleteObject(sketch);
    DLxSymInstance::DeleteAndVacuumClean();
}
