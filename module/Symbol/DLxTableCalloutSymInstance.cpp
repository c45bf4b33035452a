#include "Symbol/DLxTableCalloutSymInstance.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <numbers>
#include <set>

#include "Leader/DLxLeaderUtils.h"
#include "Standard/DLxBomStdInfo.h"
#include "Standard/DLxCTableCallout.h"
#include "Symbol/DLxTableCalloutStyleData.h"
#include "Symbol/DLxTableCalloutSymState.h"
#include "dc/RDxComputeContext.h"
#include "dl/DLxAnchorPoint.h"
#include "dl/DLxZoneUtilSheet.h"
#include "du/DUxArrowHead.h"
#include "du/DUxFeatureControlFrameStyle.h"
#include "du/DUxGeometryProxy.h"
#include "du/DUxLayerStyleAbstract.h"
#include "du/DUxLeaderNode.h"
#include "du/DUxLeaderStyleWrapper.h"
#include "ge/BBox.h"
#include "ge/WqGeMatrix3d.h"
#include "rse/RSeSegment.h"
#include "sm/SMxDisplayItem.h"
#include "sm/SMxDisplayList.h"
#include "sm/SMxDisplayListBuilder.h"
#include "utx/UTxCast.h"

namespace {
constexpr double kZeroLength = 1e-10;
constexpr double kVerticalTol = 1e-5;
constexpr double kShortSegment = 1e-5;
constexpr double kInsideTol = 1e-12;
constexpr char16_t kPersistantAttr[] = u"DUxPersistantComputeContextAttr";

double Cross2d(const WqGeVector3d& a, const WqGeVector3d& b) {
    return a.x * b.y - a.y * b.x;
}

// A leader segment walked from its end towards the symbol: parameter 0 at `from`.
struct Segment {
    WqGePoint3d from;
    WqGePoint3d to;
    WqGePoint3d At(double t) const { return from + (to - from) * t; }
};

// The outline of a sketched balloon, in the coordinates of the instance's display list.
struct Outline {
    std::vector<Segment> lines;
    std::vector<SMxArcItem> arcs;
    bool Empty() const { return lines.empty() && arcs.empty(); }
};

void AddLine(Outline& out, const WqGePoint3d& a, const WqGePoint3d& b, const WqGeMatrix3d& m) {
    WqGePoint3d p = a, q = b;
    out.lines.push_back({p.transformBy(m), q.transformBy(m)});
}

// The items of one nested list of an entry's drawing: lines, arcs and the edges of texts' boxes.
void CollectItems(Outline& out, const SMxDisplayList& list, const WqGeMatrix3d& m) {
    for (const SMxDisplayItem& item : list) {
        if (const auto* line = item.As<SMxLineItem>()) {
            AddLine(out, line->start, line->end, m);
        } else if (const auto* arc = item.As<SMxArcItem>()) {
            SMxArcItem copy(arc->center, arc->normal, arc->refVector, arc->radius, arc->startAngle,
                            arc->endAngle);
            copy.TransformBy(m);
            out.arcs.push_back(copy);
        } else if (const auto* text = item.As<SMxTextItem>()) {
            const BBox box = text->GetBBox();
            if (box.isEmpty()) continue;
            const WqGePoint3d c[4] = {{box.min.x, box.min.y, 0},
                                      {box.max.x, box.min.y, 0},
                                      {box.max.x, box.max.y, 0},
                                      {box.min.x, box.max.y, 0}};
            for (int32_t i = 0; i < 4; ++i)
                if (c[i] != c[(i + 1) % 4]) AddLine(out, c[i], c[(i + 1) % 4], m);
        }
    }
}

// Where the segment first crosses the outline line strictly inside both, below `best`.
void HitLine(const Segment& s, const Segment& l, double& best, bool& hit) {
    const WqGeVector3d d1 = s.to - s.from, d2 = l.to - l.from;
    if (d2.length() < kShortSegment) return;
    const double denom = Cross2d(d1, d2);
    if (std::fabs(denom) < 1e-14) return;
    const WqGeVector3d w = l.from - s.from;
    const double t = Cross2d(w, d2) / denom;
    const double u = Cross2d(w, d1) / denom;
    if (t < 0 || t > 1 || u < 0 || u > 1) return; // no intersection of the two segments
    if (t > 0 && t < best && u > 0 && u < 1) {
        best = t;
        hit = true;
    }
}

// The angle of p on the arc, from its reference direction about its normal, taken into
// [start, start + 2 pi).
double ArcAngle(const SMxArcItem& arc, const WqGePoint3d& p) {
    const WqGeVector3d n = arc.normal.normal();
    WqGeVector3d x = arc.refVector - n * arc.refVector.dotProduct(n);
    x = x.normal();
    const WqGeVector3d y = n.crossProduct(x);
    const WqGeVector3d v = p - arc.center;
    double s = std::atan2(v.dotProduct(y), v.dotProduct(x));
    const double turn = 2 * std::numbers::pi;
    while (s < arc.startAngle) s += turn;
    while (s >= arc.startAngle + turn) s -= turn;
    return s;
}

// The first crossing of the segment with the arc's circle decides the parameter; the angle is
// that of the first point, or of the second when the first lies off the arc.
void HitArc(const Segment& s, const SMxArcItem& arc, double& best, bool& hit) {
    if (arc.radius < kShortSegment) return;
    const WqGeVector3d d(s.to.x - s.from.x, s.to.y - s.from.y, 0);
    const WqGeVector3d f(s.from.x - arc.center.x, s.from.y - arc.center.y, 0);
    const double a = d.dotProduct(d);
    const double b = 2 * f.dotProduct(d);
    const double c = f.dotProduct(f) - arc.radius * arc.radius;
    const double disc = b * b - 4 * a * c;
    if (a <= 0 || disc < 0) return;
    const double root = std::sqrt(disc);
    std::vector<double> ts;
    for (double t : {(-b - root) / (2 * a), (-b + root) / (2 * a)})
        if (t >= 0 && t <= 1 && (ts.empty() || std::fabs(ts.back() - t) > 1e-14)) ts.push_back(t);
    if (ts.empty()) return;
    const double start = arc.startAngle;
    const double end = start + arc.SweepAngle();
    auto inside = [&](double angle) { return start < angle && angle < end; };
    const double t = ts.front();
    double angle = ArcAngle(arc, s.At(ts.front()));
    if (ts.size() == 2 && !inside(angle)) angle = ArcAngle(arc, s.At(ts.back()));
    if (t > 0 && t < best && inside(angle)) {
        best = t;
        hit = true;
    }
}

int32_t IndexOf(const SMxDisplayList& list, const SMxDisplayItem* item) {
    for (int32_t i = 0; i < list.Count(); ++i)
        if (&list.GetAt(i) == item) return i;
    return -1;
}

// The closest point of the segment to q in the sheet plane, and its parameter along it.
WqGePoint3d ClosestOnSegment(const DUxLineGeometry& seg, const WqGePoint3d& q, double& param) {
    const WqGeVector3d d(seg.end.x - seg.start.x, seg.end.y - seg.start.y, 0);
    const double len2 = d.dotProduct(d);
    param = len2 > 0 ? WqGeVector3d(q.x - seg.start.x, q.y - seg.start.y, 0).dotProduct(d) / len2
                     : 0.0;
    const double clamped = std::clamp(param, 0.0, 1.0);
    return {seg.start.x + d.x * clamped, seg.start.y + d.y * clamped, 0};
}
} // namespace

DLxTableCalloutSymInstance::DLxTableCalloutSymInstance(RDxFragment* fragment,
                                                       DLxTableCalloutSymState* state)
    : DLxSymInstance(fragment, state) {}

DLxTableCalloutSymInstance::DLxTableCalloutSymInstance(const RSeStream* s) : DLxSymInstance(s) {}

DLxTableCalloutSymInstance::~DLxTableCalloutSymInstance() = default;

DLxTableCalloutSymState* DLxTableCalloutSymInstance::GetTableCalloutSymState() const {
    return UTx::Cast<DLxTableCalloutSymState>(GetSymState());
}

// ---- the stack

RSeRef<DLxCTableCallout> DLxTableCalloutSymInstance::GetBalloon() const {
    DLxTableCalloutSymState* state = GetTableCalloutSymState();
    return state ? state->GetBalloon() : RSeRef<DLxCTableCallout>();
}

UTxResult DLxTableCalloutSymInstance::SetBalloon(const RSeRef<DLxCTableCallout>& entry) {
    if (DLxTableCalloutSymState* state = GetTableCalloutSymState()) state->SetBalloon(entry);
    return {};
}

RSeRef<DLxCTableCallout> DLxTableCalloutSymInstance::GetAttachedBalloon(int32_t i) const {
    DLxTableCalloutSymState* state = GetTableCalloutSymState();
    return state ? state->FindAttachedBalloon(i) : RSeRef<DLxCTableCallout>();
}

DLxTableCalloutSymInstance::Entries DLxTableCalloutSymInstance::GetAttachedBalloons() const {
    DLxTableCalloutSymState* state = GetTableCalloutSymState();
    return state ? state->GetAttachedBalloons() : Entries();
}

uint32_t DLxTableCalloutSymInstance::AttachedCount() const {
    DLxTableCalloutSymState* state = GetTableCalloutSymState();
    return state ? uint32_t(state->GetAttachedCount()) : 0u;
}

void DLxTableCalloutSymInstance::GetAllBalloons(Entries* out) const {
    DLxTableCalloutSymState* state = GetTableCalloutSymState();
    if (!out || !state || !state->GetBalloon()) return;
    out->push_back(state->GetBalloon());
    const Entries& attached = state->GetAttachedBalloons();
    out->insert(out->end(), attached.begin(), attached.end());
}

int32_t DLxTableCalloutSymInstance::GetBalloonIndex(const RSeRef<DLxCTableCallout>& entry) const {
    Entries all;
    GetAllBalloons(&all);
    for (size_t i = 0; i < all.size(); ++i)
        if (all[i] == entry) return int32_t(i);
    return -1;
}

RSeRef<DLxCTableCallout> DLxTableCalloutSymInstance::GetBalloonAt(int32_t i) const {
    Entries all;
    GetAllBalloons(&all);
    if (i < 0 || size_t(i) >= all.size()) return {};
    return all[size_t(i)];
}

RSeRef<DLxCTableCallout> DLxTableCalloutSymInstance::GetClosestBalloon(const WqGePoint3d& p) const {
    DLxTableCalloutSymState* state = GetTableCalloutSymState();
    return state ? state->GetClosestBalloon(p) : RSeRef<DLxCTableCallout>();
}

RSeRef<DLxCTableCallout>
DLxTableCalloutSymInstance::AttachNewBalloon(const WqGePoint3d& p,
                                             const RSeRef<DLxStructureNode>& node) {
    DLxTableCalloutSymState* state = GetTableCalloutSymState();
    return state ? state->AttachNewBalloon(p, node) : RSeRef<DLxCTableCallout>();
}

bool DLxTableCalloutSymInstance::RemoveBalloon(const RSeRef<DLxCTableCallout>& entry) {
    DLxTableCalloutSymState* state = GetTableCalloutSymState();
    return state && state->RemoveBalloon(entry);
}

void DLxTableCalloutSymInstance::ReIndexBalloons() {
    if (DLxTableCalloutSymState* state = GetTableCalloutSymState()) state->ReIndexBalloons();
}

void DLxTableCalloutSymInstance::AlignBalloons(const WqGeVector3d& v) {
    if (DLxTableCalloutSymState* state = GetTableCalloutSymState()) state->AlignBalloons(v);
}

void DLxTableCalloutSymInstance::FlipBalloons(const WqGeVector3d& v) {
    if (DLxTableCalloutSymState* state = GetTableCalloutSymState()) state->FlipBalloons(v);
}

void DLxTableCalloutSymInstance::ClearAttachedTableCallouts() {
    if (DLxTableCalloutSymState* state = GetTableCalloutSymState()) state->ClearAttachedBalloons();
}

WqGePoint3d DLxTableCalloutSymInstance::GetSubSymbolOrigin() const {
    const RSeRef<DLxCTableCallout> primary = GetBalloon();
    const DLxCTableCallout* p = primary.Read();
    return p ? p->origin() : WqGePoint3d();
}

void DLxTableCalloutSymInstance::SetSubSymbolOrigin(const WqGePoint3d& p) {
    const RSeRef<DLxCTableCallout> primary = GetBalloon();
    if (DLxCTableCallout* e = primary.get()) e->setOrigin(p);
}

// ---- compute

UTxResult DLxTableCalloutSymInstance::Compute(RDxComputeContext& ctx) {
    DLxTableCalloutSymState* state = GetTableCalloutSymState();
    DUxLeaderNodeTree* leader = GetLeader(0);
    DUxLeaderNode* root = leader ? leader->GetRoot() : nullptr;
    if (state && root) {
        const WqGePoint3d r = root->GetPoint();
        DLxBomStdInfo::EDirection d = DLxBomStdInfo::kRight;
        bool flip = true;
        const auto& children = root->GetChildren();
        if (DUxLeaderNode* child = children.empty() ? nullptr : children.front().get()) {
            const WqGePoint3d c = child->GetPoint();
            // A vertical first segment leaves the stack on the side it is on.
            if (std::fabs((r - c).dotProduct(WqGeVector3d::kXAxis)) < kVerticalTol)
                flip = false;
            else
                d = DLxBomStdInfo::BalloonDirection(r, c);
        }
        const RSeRef<DLxCTableCallout> primaryRef = state->GetBalloon();
        if (const DLxCTableCallout* primary = primaryRef.Read()) {
            WqGePoint3d target = r;
            const double landing = leader->GetLandingLength();
            if (landing > kZeroLength) {
                const bool shortLanding =
                    GetNumberOfActiveLeaders() == 1 &&
                    landing < leader->GetReferenceLandingLength() + kZeroLength;
                DUxLeaderNodeTree::ELandingPos pos = DUxLeaderNodeTree::kNoLanding;
                WqGeVector3d v;
                leader->GetSymbolAttachPoint(shortLanding, pos, target, v);
            }
            const WqGeVector3d shift = target - primary->origin();
            if (!shift.isZeroLength()) state->ShiftBalloons(shift);
        }
        if (flip) state->FlipBalloons(d);
    }
    const UTxResult result = DLxSymInstance::Compute(ctx);
    // A persistent compute has cleaned up while drawing.
    if (!ctx.Has(UTxString16(kPersistantAttr))) {
        std::vector<DUxArrowHeadBox> boxes;
        GetArrowHeadBoxes(boxes);
        DLxSymInstance::Cleanup(boxes, false);
    }
    return result;
}

// ---- boxes and cleanup

void DLxTableCalloutSymInstance::GetArrowHeadBoxes(std::vector<DUxArrowHeadBox>& boxes) {
    SMxDisplayList* list = GetDisplayList();
    if (!list || list->IsEmpty()) return;
    GetBalloonBoundaryBox(boxes, GetBalloon());
    for (const RSeRef<DLxCTableCallout>& e : GetAttachedBalloons())
        GetBalloonBoundaryBox(boxes, e);
    for (int32_t i = 0; i < GetNumLeaders(); ++i)
        DLxLeaderUtils::GetArrowHeadBoxes(GetLeader(i), this, boxes);
}

void DLxTableCalloutSymInstance::GetBalloonBoundaryBox(std::vector<DUxArrowHeadBox>& boxes,
                                                       const RSeRef<DLxCTableCallout>& entry) {
    const DLxCTableCallout* e = entry.Read();
    if (!e) return;
    const WqGeVector3d origin = e->origin().asVector();
    std::vector<WqGePoint3d> polygon;
    for (const WqGePoint3d& p : e->GetBoundary())
        polygon.push_back(p + origin);
    DUxNormalizePolygon(polygon);
    boxes.emplace_back(std::move(polygon), this, DUxLineGeometry(), true, true);
}

void DLxTableCalloutSymInstance::Cleanup(std::vector<DUxArrowHeadBox>& boxes, SMxDisplayList& list,
                                         bool) {
    DLxTableCalloutSymState* state = GetTableCalloutSymState();
    DLxTableCalloutStyleData* data = state ? state->GetStyleData() : nullptr;
    if (data && data->GetBalloonType() == kSketchedBalloonType) {
        // A sketch's outline is no box: the leaders are trimmed at the sketch itself.
        std::erase_if(boxes, [this](const DUxArrowHeadBox& b) { return b.GetEmblem() == this; });
        DLxSymInstance::Cleanup(boxes, list, false);
        Cleanup(&list);
        return;
    }
    DLxSymInstance::Cleanup(boxes, list, false);
}

void DLxTableCalloutSymInstance::Cleanup(SMxDisplayList* leaderList) {
    DUxLeaderNodeTree* leader = GetLeader(0);
    SMxDisplayList* list = GetDisplayList();
    if (!DisplayLeaders() || !leader || !list || list->ChildCount() < 2) return;
    SMxDisplayList* L = leaderList ? leaderList : &list->GetChild(0).list;
    const SMxChildItem& S = list->GetChild(1);

    // The outline: what the entries' nested lists draw, and the outline polylines of the
    // symbol list itself.
    Outline outline;
    for (const SMxDisplayItem& item : S.list) {
        if (const auto* entry = item.As<SMxChildItem>()) {
            for (const SMxDisplayItem& inner : entry->list)
                if (const auto* nested = inner.As<SMxChildItem>())
                    CollectItems(outline, nested->list, entry->GetTransform() * nested->GetTransform());
        } else if (const auto* poly = item.As<SMxPolylineItem>()) {
            if (poly->GetId() != kSketchOutlineItemId) continue;
            const int32_t n = int32_t(poly->points.length());
            const WqGeMatrix3d identity;
            for (int32_t i = 0; i + 1 < n; ++i)
                AddLine(outline, poly->points[i], poly->points[i + 1], identity);
            if (n > 2) AddLine(outline, poly->points[n - 1], poly->points[0], identity);
        }
    }
    for (Segment& s : outline.lines) {
        s.from.transformBy(S.GetTransform());
        s.to.transformBy(S.GetTransform());
    }
    for (SMxArcItem& a : outline.arcs)
        a.TransformBy(S.GetTransform());
    if (outline.Empty() || leader->GetNumBranches() == 0) return;

    // Each branch's segment lines, from its end towards the root. A segment's line carries the
    // id of its node farther from the root; a segment shared by branches belongs to the first.
    std::set<int32_t> claimed;
    for (int32_t b = 0; b < leader->GetNumBranches(); ++b) {
        std::vector<SMxLineItem*> lines;
        for (DUxLeaderNode* n = leader->GetTerminalNode(b); n && n->GetParent();
             n = n->GetParent()) {
            if (!claimed.insert(n->GetNodeId()).second) break;
            for (SMxDisplayItem& item : *L) {
                auto* line = item.As<SMxLineItem>();
                if (!line) continue;
                int32_t kind = 0, tree = 0, arrow = 0, node = 0;
                DUxLeaderNodeTree::AnalyzeItemID(line->GetId(), kind, tree, arrow, node);
                if (kind == DUxLeaderNodeTree::kLeaderNodeItem && tree == 0 &&
                    node == n->GetNodeId()) {
                    lines.push_back(line);
                    break;
                }
            }
        }
        for (size_t k = 0; k < lines.size(); ++k) {
            const Segment seg{lines[k]->end, lines[k]->start};
            if (seg.from.distanceTo(seg.to) < kShortSegment) continue;
            double best = 1;
            bool hit = false;
            for (const Segment& l : outline.lines)
                HitLine(seg, l, best, hit);
            for (const SMxArcItem& a : outline.arcs)
                HitArc(seg, a, best, hit);
            if (!hit) continue;
            const int32_t id = lines[k]->GetId();
            for (size_t j = lines.size(); j-- > k;) {
                const int32_t at = IndexOf(*L, lines[j]);
                if (at >= 0) L->RemoveAt(at);
            }
            if (best > 0) SMxDisplayListBuilder(*L).GenItemLine(seg.from, seg.At(best), id);
            break;
        }
    }
}

// ---- dragging

void DLxTableCalloutSymInstance::SetRoot(DUxLeaderNodeTree* tree, const WqGePoint3d& point,
                                         const WqGeVector3d& offset) {
    DUxLeaderNode* root = tree->GetRoot();
    if (!root) return;
    // A leader of its end alone gets a node above the end, which stays on its anchor.
    if (root == tree->GetTerminalNode(0))
        tree->InsertNode(root, point + offset);
    else
        root->SetPoint(point + offset);
}

void DLxTableCalloutSymInstance::MoveSymbolBox(const WqGePoint3d& p, int32_t leaderIndex,
                                               const WqGePoint3d& q) {
    DUxLeaderNodeTree* tree = GetLeader(leaderIndex);
    DLxAnchorPoint* anchor = tree ? DLxLeaderUtils::GetAnchorPoint(tree, 0) : nullptr;
    if (!tree || !anchor || !tree->GetRoot()) return;
    DUxGeometryProxy* proxy = anchor->GetGeometryProxy();
    WqGePoint3d a = anchor->GetPoint();
    WqGePoint3d b = anchor->GetBrokenPoint();
    const bool oneNode = tree->GetNumNodes() == 1;
    if (oneNode) {
        b = p;
        a = anchor->BrokenToUnbroken(p);
    }
    const WqGeVector3d delta = DLxZoneUtilSheet::IsUnbrokenPointRemoved(anchor->GetView(), a)
                                   ? WqGeVector3d()
                                   : b - a;
    const WqGePoint3d qu = q - delta;
    const WqGePoint3d pu = p - delta;

    DUxLineGeometry line;
    DUxArcGeometry arc;
    if (proxy && proxy->GetLineOfEntity(line)) {
        SetDisplayLeaders(true);
        double param = 0;
        const WqGePoint3d w = ClosestOnSegment(line, qu, param);
        const double distance = WqGePoint3d(qu.x, qu.y, 0).distanceTo(w);
        WqGePoint3d root = pu;
        if (distance < kSnapToGeometryDistance && param > kInsideTol && param < 1 - kInsideTol) {
            SetDisplayLeaders(false);
            root = w;
        }
        SetRoot(tree, root, delta);
        WqGeVector3d n;
        if (proxy->GetNormalAtPointOnEntity(w - delta, n)) SetReverseSide(n.dotProduct(qu - w) < 0);
    } else if (proxy && proxy->GetCircArcOfEntity(arc)) {
        double distance = 0;
        WqGePoint3d t;
        proxy->DistanceTo(qu, distance);
        proxy->ClosestPointTo(qu, t);
        WqGePoint3d root = pu;
        if (distance < kSnapToGeometryDistance) {
            SetDisplayLeaders(false);
            root = t;
        } else {
            SetDisplayLeaders(true);
        }
        SetRoot(tree, root, delta);
        WqGeVector3d n;
        if (proxy->GetNormalAtPointOnEntity(t - delta, n)) SetReverseSide(n.dotProduct(qu - t) < 0);
    } else if (oneNode) {
        tree->GetRoot()->SetPoint(p);
        anchor->SetPoint(p - delta);
    } else {
        SetDisplayLeaders(true);
        tree->GetRoot()->SetPoint(p);
    }
}

void DLxTableCalloutSymInstance::AttachPositions(std::vector<WqGePoint3d>& out,
                                                 const RSeRef<DLxCTableCallout>& entry) {
    DLxTableCalloutSymState* state = GetTableCalloutSymState();
    DUxLeaderNodeTree* leader = GetLeader(0);
    DUxLeaderNode* root = leader ? leader->GetRoot() : nullptr;
    const RSeRef<DLxCTableCallout> primaryRef = state ? state->GetBalloon() : RSeRef<DLxCTableCallout>();
    DLxCTableCallout* primary = primaryRef.get();
    if (!primary || !root) return;
    const WqGePoint3d r = root->GetPoint();
    primary->setOrigin(r);
    const auto& children = root->GetChildren();
    const DUxLeaderNode* child = children.empty() ? nullptr : children.front().get();
    const bool vertical =
        child && std::fabs((child->GetStoredPoint() - r).dotProduct(WqGeVector3d::kXAxis)) <
                     kVerticalTol;
    std::vector<WqGeVector3d> directions;
    if (vertical) {
        directions = {-WqGeVector3d::kXAxis, WqGeVector3d::kXAxis};
    } else {
        const int32_t d = primary->direction();
        directions = {d == 0 || d == 2 || d == 3 ? -WqGeVector3d::kXAxis : WqGeVector3d::kXAxis};
    }
    directions.push_back(WqGeVector3d::kYAxis);
    directions.push_back(-WqGeVector3d::kYAxis);
    const RSeRef<DLxTableCalloutSymState> self(state);
    for (const WqGeVector3d& v : directions)
        out.push_back(primary->GetBalloonAttachmentPosition(self, entry, v));
}

// ---- messages and styles

UTxResult DLxTableCalloutSymInstance::ProcessMessage(int32_t code, void*) {
    if (code == kRefreshMessage) {
        if (Refresh())
            MarkEdited(true);
        else
            DeleteAndVacuumClean();
    }
    return {};
}

bool DLxTableCalloutSymInstance::UsesPrimaryLeaderStyle() const {
    const RSeSegment* segment = GetSegment();
    if (segment && !segment->IsTransient()) return m_usesPrimaryLeaderStyle;
    for (int32_t i = 0; i < GetNumLeaders(); ++i)
        if (DUxLeaderNodeTree* tree = GetLeader(i))
            for (int32_t b = 0; b < tree->GetNumBranches(); ++b)
                if (DLxAnchorPoint* anchor = DLxLeaderUtils::GetAnchorPoint(tree, b))
                    if (anchor->IsOnEdge()) return true;
    return false;
}

void DLxTableCalloutSymInstance::UsesPrimaryLeaderStyle(bool on) {
    m_usesPrimaryLeaderStyle = on;
}

SmartPtr<DUxLeaderStyleWrapper> DLxTableCalloutSymInstance::GetLeaderStyleWrapper() const {
    DLxTableCalloutSymState* state = GetTableCalloutSymState();
    DLxTableCalloutStyleData* data = state ? state->GetStyleData() : nullptr;
    if (!data) return nullptr;
    return UsesPrimaryLeaderStyle() ? data->GetLeaderStyle() : data->GetAltLeaderStyle();
}

const DUxTextStyleWrapper* DLxTableCalloutSymInstance::GetTextStyleWrapper() const {
    DLxTableCalloutSymState* state = GetTableCalloutSymState();
    DLxTableCalloutStyleData* data = state ? state->GetStyleData() : nullptr;
    if (!data) return nullptr;
    m_textStyle = data->GetTextStyle();
    return m_textStyle.get();
}

SmartPtr<DUxLayerStyleAbstract> DLxTableCalloutSymInstance::ObjectStyleWrapper() {
    return {};
}

void DLxTableCalloutSymInstance::TransformInstance(SMxChildItem* symbol, SMxChildItem* text,
                                                   SMxChildItem* leader, void* sceneNode,
                                                   const WqGeVector3d& centre,
                                                   const WqGeVector3d& attach,
                                                   const WqGeVector3d& offset, double angle) {
    WqGeVector3d shift = offset;
    DLxTableCalloutSymState* state = GetTableCalloutSymState();
    DLxTableCalloutStyleData* data = state ? state->GetStyleData() : nullptr;
    DUxLeaderNodeTree* tree = GetLeader(0);
    if (data && data->KeepsAnchoredOffset() && tree) {
        DLxAnchorPoint* anchor = DLxLeaderUtils::GetAnchorPoint(tree, 0);
        if (tree->GetNumNodes() > 1 || (anchor && anchor->IsOnEdge()))
            shift = WqGeVector3d::kIdentity;
    }
    DLxSymInstance::TransformInstance(symbol, text, leader, sceneNode, centre, attach, shift,
                                      angle);
}
