#include "Symbol/DLxGDTInstance.h"

#include <algorithm>
#include <cmath>

#include "Leader/DLxLeaderUtils.h"
#include "Leader/DLxTerminalLeaderNode.h"
#include "Leader/DLxTerminalNodeGenerator.h"
#include "Symbol/DLxGDTState.h"
#include "Symbol/KorvuModule.h"
#include "WinModule.h"
#include "dc/RDxFragment.h"
#include "dl/DLxAnchorPoint.h"
#include "du/DUxLeaderStyleWrapper.h"
#include "du/DUxArrowHead.h"
#include "du/DUxLayerStyleAbstract.h"
#include "du/DUxLeaderNode.h"
#include "du/DUxSymStyleWrapUtils.h"
#include "fb/FBxLayerStyle.h"
#include "ge/WqGeMatrix3d.h"
#include "rse/RSeMeta.h"
#include "rse/RSeTransaction.h"
#include "sm/SMxDisplayItem.h"
#include "sm/SMxDisplayList.h"
#include "utx/UTxCast.h"

namespace {
constexpr double kZero = 1e-10;

bool Near(double radians, double degrees) {
    return DLxGDTState::IsAngleAt(radians, degrees);
}

// Components below the zero length are zero.
WqGeVector3d Clean(WqGeVector3d v) {
    if (std::fabs(v.x) < kZero) v.x = 0;
    if (std::fabs(v.y) < kZero) v.y = 0;
    if (std::fabs(v.z) < kZero) v.z = 0;
    return v;
}

// Unit vectors (zero stays zero); a frame's reading and downward directions, +X and -Y for a
// frame without extent.
WqGeVector3d Unit(const WqGeVector3d& v) {
    return v.isZeroLength() ? WqGeVector3d() : v.normal();
}
WqGeVector3d WidthDir(const WqGeVector3d& width) {
    return width.isZeroLength() ? WqGeVector3d::kXAxis : width.normal();
}
WqGeVector3d HeightDir(const WqGeVector3d& height) {
    return height.isZeroLength() ? -WqGeVector3d::kYAxis : height.normal();
}

// The framed lines a frame draws: all lines but framed ones without a symbol and the note line
// (whose index goes to `note`, -1 without one).
int32_t DrawnFramedLines(const DLxGDTState& state, int32_t& note) {
    int32_t n = state.GetNumberOfLines();
    for (int32_t i = 0; i < state.GetNumberOfLines(); ++i)
        if (state.IsFramed(i) && state.GetLineSymbolCode(i) == 0) --n;
    note = -1;
    if (state.FindNoteLine(&note)) --n;
    return n;
}

DUxLeaderNodeTree::ELandingPos Opposite(DUxLeaderNodeTree::ELandingPos pos) {
    switch (pos) {
    case DUxLeaderNodeTree::kPosX:
        return DUxLeaderNodeTree::kNegX;
    case DUxLeaderNodeTree::kNegX:
        return DUxLeaderNodeTree::kPosX;
    case DUxLeaderNodeTree::kPosY:
        return DUxLeaderNodeTree::kNegY;
    case DUxLeaderNodeTree::kNegY:
        return DUxLeaderNodeTree::kPosY;
    default:
        return DUxLeaderNodeTree::kNoLanding;
    }
}

} // namespace

DLxGDTInstance::DLxGDTInstance(RDxFragment* fragment, DLxGDTState* state)
    : DLxSymInstance(fragment, state), m_attachmentRule(true) {}

DLxGDTInstance::DLxGDTInstance(const RSeStream* s) : DLxSymInstance(s) {}

DLxGDTInstance::~DLxGDTInstance() = default;

DLxGDTInstance*
DLxGDTInstance::CreateInstance(RDxFragment* fragment, std::vector<WqGePoint3d>& points,
                               uint32_t arrowType,
                               const RSeRef<DUxFeatureControlFrameStyle>& frameStyle,
                               const RSeRef<FBxLayerStyle>& layerStyle, const RSeRef<FWxStyle>&) {
    if (!fragment || !fragment->GetSegment()) return nullptr;
    DLxGDTState* state = DLxGDTState::Create(fragment);
    // Pointing the state at its styles changes the state only: the styles are read, so that
    // the transaction does not keep an image of a style with every frame made.
    if (frameStyle.HasTarget()) state->SetStyle(frameStyle.Read());
    if (layerStyle.HasTarget()) DUxStyleUtil::SetLayerStyle(state, layerStyle.Read());
    auto* inst = new (RSe::_GetMeta(static_cast<const DLxGDTInstance*>(nullptr)),
                      fragment->GetSegment()) DLxGDTInstance(fragment, state);
    state->SelectDefaultSymbol();

    double overshoot = 0;
    if (auto wrapper = DUxSymStyleWrapUtils::GetFCFStyle(state)) {
        overshoot = wrapper->GetExtensionLineOvershoot();
        // The standard's decimal marker in the default tolerance "0.000".
        const int32_t marker = wrapper->GetStyle().Read()->GetUnitValue(DUxUnitField::PrimDecimalMarker);
        UTxString16 tol = state->Value(DLxSym::kToleranceA, 0);
        if (marker == 0) std::replace(tol.begin(), tol.end(), u',', u'.');
        if (marker == 1) std::replace(tol.begin(), tol.end(), u'.', u',');
        state->SetValue(DLxSym::kToleranceA, 0, tol.c_str());
    }

    DUxArrowHeadState* arrow = DUxLeaderNodeTree::CreateArrowHeadState(fragment, arrowType);
    DUxLeaderNodeTree* first = DLxLeaderUtils::MakeLeader(fragment, points, arrow);
    first->SetSecondLandingDistance(overshoot);
    inst->AppendLeader(first);
    DUxArrowHeadState* arrow2 = DUxLeaderNodeTree::CreateArrowHeadState(fragment, arrowType);
    DUxLeaderNodeTree* second = DLxLeaderUtils::MakeLeader(fragment, {}, arrow2);
    second->SetSecondLandingDistance(overshoot);
    inst->AppendLeader(second);
    inst->SetAlwaysHorizontal(true);
    return inst;
}

DLxGDTState* DLxGDTInstance::GetGDTState() const {
    return UTx::Cast<DLxGDTState>(GetSymState());
}

void DLxGDTInstance::SetAttachmentRule(bool on) {
    if (m_attachmentRule == on) return;
    RSe::PrepareWrite(this);
    m_attachmentRule = on;
}

const UTxString16& DLxGDTInstance::GetBrowserLabel() {
    static const UTxString16 label = [] {
        HMODULE res = KorvuGetResourceHandle();
        auto text = res ? FindStringResource(res, 8144) : std::nullopt;
        return text ? UTxString16(*text) : UTxString16(u"Feature Control Frame");
    }();
    return label;
}

WqGePoint3d DLxGDTInstance::GetKeyPoint() const {
    BBox box;
    if (DLxGDTState* state = GetGDTState()) box = state->GetBoundingBox();
    if (box.isEmpty()) box = GetSymbolBoundingBoxFromGraphics();
    if (box.isEmpty()) return {};
    const WqGePoint3d c = box.center();
    return {c.x, c.y, 0};
}

std::unique_ptr<DUxFeatureControlFrameStyleWrapper> DLxGDTInstance::StyleWrapper() const {
    DLxGDTState* state = GetGDTState();
    return state ? DUxSymStyleWrapUtils::GetFCFStyle(state) : nullptr;
}

bool DLxGDTInstance::CornerStyle() const {
    auto wrapper = StyleWrapper();
    return wrapper && wrapper->GetLeaderAtCorner();
}

double DLxGDTInstance::RotationAngle() const {
    DLxGDTState* state = GetGDTState();
    return state ? state->GetRotationAngle() : 0.0;
}

// ---- compute

UTxResult DLxGDTInstance::Compute(RDxComputeContext& ctx) {
    if (IsFlagOn(kUpgradedFlag)) SetAttachmentRule(true);
    DLxGDTState* state = GetGDTState();
    auto wrapper = StyleWrapper();
    if (state && wrapper) {
        const bool corner = wrapper->GetLeaderAtCorner();
        if (state->IsFlagOn(kCornerSetUpFlag) != corner) {
            if (corner) {
                for (int32_t i = 0; i < GetNumLeaders(); ++i)
                    if (DUxLeaderNodeTree* tree = GetLeader(i)) {
                        tree->SetLandingPosition(DUxLeaderNodeTree::kNoLanding);
                        tree->SetLandingLength(0);
                        tree->SetSecondLandingDistance(0);
                        tree->SetLandingDirectionFlags(true, true);
                    }
                state->SetFlag(kCornerSetUpFlag);
            } else {
                const double angle = RotationAngle();
                const bool vertical = Near(angle, 90) || Near(angle, 270);
                const double overshoot = wrapper->GetExtensionLineOvershoot();
                for (int32_t i = 0; i < GetNumLeaders(); ++i)
                    if (DUxLeaderNodeTree* tree = GetLeader(i)) {
                        tree->SetLandingLength(overshoot);
                        tree->SetSecondLandingDistance(overshoot);
                        tree->SetLandingDirectionFlags(vertical, !vertical);
                        if (Near(angle, 0))
                            tree->SetLandingPosition(DUxLeaderNodeTree::kPosX);
                        else if (Near(angle, 90))
                            tree->SetLandingPosition(DUxLeaderNodeTree::kPosY);
                        else if (Near(angle, 180))
                            tree->SetLandingPosition(DUxLeaderNodeTree::kNegX);
                        else if (Near(angle, 270))
                            tree->SetLandingPosition(DUxLeaderNodeTree::kNegY);
                    }
                state->ClearFlag(kCornerSetUpFlag);
            }
        }
    }
    return DLxSymInstance::Compute(ctx);
}

// ---- frame geometry

bool DLxGDTInstance::GetFrameCorners(WqGePoint3d p[4], bool atFrame, WqGeVector3d* widthOut,
                                     WqGeVector3d* heightOut) const {
    DLxGDTState* state = GetGDTState();
    if (!state || state->GetBoundingBox().isEmpty()) return false;
    const double angle = state->GetRotationAngle();
    int32_t note = -1;
    const int32_t n = DrawnFramedLines(*state, note);
    const bool hasNote = note >= 0;
    const bool datumId = state->HasDatumIdentifier();
    const double cell = state->GetNoteLineOffset(false);

    BBox box = state->GetBoundingBox();
    const WqGePoint3d centre = box.center();
    box.transformBy(WqGeMatrix3d::rotation(-angle, WqGeVector3d::kZAxis, centre));
    double h = box.max.y - box.min.y;
    double w = box.max.x - box.min.x;
    if (hasNote) h -= state->GetNoteLineOffset(true);
    if (datumId) h -= cell;
    if (hasNote && state->GetLineWidth(note) > w) {
        w = -1;
        for (int32_t i = 0; i < note; ++i)
            w = std::max(w, state->GetLineWidth(i));
        if (datumId) w = std::max(w, state->GetDatumIdentifierWidth());
    }
    const WqGeMatrix3d turn = WqGeMatrix3d::rotation(angle, WqGeVector3d::kZAxis, WqGePoint3d());
    WqGeVector3d wv(w, 0, 0), hv(0, -h, 0);
    wv = Clean(wv.transformBy(turn));
    hv = Clean(hv.transformBy(turn));
    const WqGeVector3d wDir = WidthDir(wv), hDir = HeightDir(hv);
    WqGePoint3d origin;
    // The box's centre lies half the datum identifier's cell below the middle of the framed
    // lines: measured from the framed lines alone, every corner sat that much too low.
    if (atFrame) origin = centre - wv / 2 - (hv + (datumId ? hDir * cell : WqGeVector3d())) / 2;
    p[0] = origin;
    p[1] = p[0] + wDir * state->GetLineWidth(0);
    p[2] = p[0] + hv + (datumId ? hDir * cell : WqGeVector3d());
    p[3] = p[2] + wDir * (datumId ? state->GetDatumIdentifierWidth()
                                  : state->GetLineWidth(std::max(n - 1, 0)));
    if (widthOut) *widthOut = wv;
    if (heightOut) *heightOut = hv;
    return true;
}

WqGePoint3d DLxGDTInstance::GetCornerAttachPoint(int32_t leader, bool useSecondLeader,
                                                 WqGePoint3d* outPoint, bool* outSet) const {
    if (outSet) *outSet = false;
    WqGePoint3d p[4];
    WqGeVector3d wv, hv;
    DLxGDTState* state = GetGDTState();
    DUxLeaderNodeTree* tree = GetLeader(leader);
    if (!state || !tree || !tree->GetRoot() || !GetFrameCorners(p, true, &wv, &hv)) return {};
    const WqGeVector3d W = WidthDir(wv), H = HeightDir(hv);
    const bool datumId = state->HasDatumIdentifier();
    const double cell = state->GetNoteLineOffset(false);
    DUxLeaderNode* root = tree->GetRoot();
    const WqGePoint3d r = root->GetStoredPoint();

    if (root->GetNumberOfChildren() == 0) {
        // The middle of the side farther from leader 0's root; the right one on a tie.
        const WqGePoint3d left = p[0] + hv / 2;
        const WqGePoint3d right = left + wv;
        DUxLeaderNodeTree* first = GetLeader(0);
        const WqGePoint3d r0 =
            first && first->GetRoot() ? first->GetRoot()->GetStoredPoint() : WqGePoint3d();
        return left.distanceTo(r0) > right.distanceTo(r0) ? left : right;
    }
    const WqGePoint3d child = root->GetChildren().front()->GetStoredPoint();
    const WqGeVector3d D = Unit(child - r);
    bool left = D.dotProduct(W) < kZero;
    bool up = D.dotProduct(H) < kZero;
    const bool side = state->IsFlagOn(kCornerSideFlag);
    if (std::fabs(D.dotProduct(W)) < kZero && side) left = !left;
    if (std::fabs(D.dotProduct(H)) < kZero && side) up = !up;

    DUxLeaderNodeTree* second = GetLeader(1);
    if (useSecondLeader && second && second->GetNumNodes() > 1) {
        // A line through the root along H that meets the top edge decides left; one along W
        // that meets the left edge decides up.
        const double width = wv.length();
        const double height = hv.length() + (datumId ? cell : 0);
        const WqGeVector3d rel = r - p[0];
        const double alongW = rel.dotProduct(W);
        const double alongH = rel.dotProduct(H);
        if (alongW >= 0 && alongW <= width) left = true;
        if (alongH >= 0 && alongH <= height) up = true;
    }
    const WqGePoint3d corner = up ? (left ? p[0] : p[1]) : (left ? p[2] : p[3]);
    const bool perpW = std::fabs(D.dotProduct(W)) < kZero;
    const bool perpH = std::fabs(D.dotProduct(H)) < kZero;
    if (outPoint && (perpW || perpH)) {
        int32_t note = -1;
        const int32_t n = DrawnFramedLines(*state, note);
        double E = up        ? state->GetLineWidth(0) / 2
                   : datumId ? state->GetDatumIdentifierWidth() / 2
                             : state->GetLineWidth(std::max(n - 1, 0)) / 2;
        if (perpW) E = hv.length() / 2 + (datumId ? cell / 2 : 0);
        if (perpW && !left) E = cell / 2;
        *outPoint = corner - D * E;
        if (outSet) *outSet = true;
    }
    return corner;
}

void DLxGDTInstance::AdjustLeaderRoots(const BBox& box) {
    DLxGDTState* state = GetGDTState();
    DUxLeaderNodeTree* first = GetLeader(0);
    if (!state || !first) return;
    const double offset = std::fabs(state->GetAttachOffset());
    const double angle = RotationAngle();
    const bool corner = CornerStyle();
    for (int32_t i = 1; i < GetNumLeaders(); ++i) {
        DUxLeaderNodeTree* tree = GetLeader(i);
        if (!tree) continue;
        const DUxLeaderNodeTree::ELandingPos pos = Opposite(first->GetLandingPosition());
        tree->SetLandingPosition(pos);
        WqGePoint3d root;
        WqGeVector3d dir;
        switch (pos) {
        case DUxLeaderNodeTree::kPosX:
        case DUxLeaderNodeTree::kNegX: {
            const bool turned = !Near(angle, 180);
            root.x = pos == DUxLeaderNodeTree::kPosX ? box.min.x : box.max.x;
            root.y = turned ? box.max.y - offset : box.min.y + offset;
            dir = pos == DUxLeaderNodeTree::kPosX ? WqGeVector3d::kXAxis : -WqGeVector3d::kXAxis;
            break;
        }
        case DUxLeaderNodeTree::kPosY:
            root.x = Near(angle, 270) ? box.max.x - offset : box.min.x + offset;
            root.y = box.min.y;
            dir = WqGeVector3d::kYAxis;
            break;
        case DUxLeaderNodeTree::kNegY:
            root.x = Near(angle, 270) ? box.max.x - offset : box.min.x + offset;
            root.y = box.max.y;
            dir = -WqGeVector3d::kYAxis;
            break;
        default:
            if (corner) root = GetCornerAttachPoint(i, false);
            break;
        }
        if (tree->GetNumNodes() < 2) {
            if (DLxAnchorPoint* anchor = DLxLeaderUtils::GetAnchorPoint(tree, 0))
                anchor->SetPoint(root);
        } else {
            tree->AdjustRoot(pos, root, dir);
        }
    }
}

bool DLxGDTInstance::SetLandingEndPoint(WqGePoint3d& p, int32_t leader) {
    DUxLeaderNodeTree* tree = GetLeader(leader);
    if (!CornerStyle() || !tree || !tree->GetRoot() || tree->GetRoot()->GetNumberOfChildren() == 0)
        return DLxSymInstance::SetLandingEndPoint(p, leader);
    DLxGDTState* state = GetGDTState();
    DUxLeaderNode* root = tree->GetRoot();
    const WqGePoint3d r = root->GetStoredPoint();
    const WqGeVector3d D = Unit(root->GetChildren().front()->GetStoredPoint() - r);
    WqGePoint3d corners[4];
    WqGeVector3d wv(1, 0, 0), hv(0, -1, 0);
    GetFrameCorners(corners, true, &wv, &hv);
    const WqGeVector3d W = WidthDir(wv), H = HeightDir(hv);
    const bool perpW = std::fabs(D.dotProduct(W)) < kZero;
    const bool perpH = std::fabs(D.dotProduct(H)) < kZero;
    if (perpW || perpH) {
        const WqGeVector3d across = perpH ? H : W;
        if (state) {
            if ((p - r).dotProduct(across) < kZero)
                state->SetFlag(kCornerSideFlag);
            else
                state->ClearFlag(kCornerSideFlag);
        }
    }
    tree->SetLandingPosition(DUxLeaderNodeTree::kNoLanding);
    return true;
}

bool DLxGDTInstance::GetNoLeaderSymAttachment(WqGePoint3d& attach, WqGeVector3d& direction,
                                              DUxLeaderNodeTree::ELandingPos& pos, int32_t& index) {
    DLxSymInstance::GetNoLeaderSymAttachment(attach, direction, pos, index);
    DLxAnchorPoint* anchor = GetFirstAnchor();
    if (anchor && !anchor->GetGeometryProxy()) {
        const double angle = RotationAngle();
        if (Near(angle, 90))
            direction = -WqGeVector3d::kXAxis;
        else if (Near(angle, 180))
            direction = -WqGeVector3d::kYAxis;
        else if (Near(angle, 270))
            direction = WqGeVector3d::kXAxis;
    }
    return true;
}

void DLxGDTInstance::GetAttachPointIfNoLeader(WqGePoint3d& p) const {
    DLxGDTState* state = GetGDTState();
    if (!state || state->GetBoundingBox().isEmpty()) return;
    const BBox& box = state->GetBoundingBox();
    const WqGePoint3d c = box.center();
    const double angle = RotationAngle();
    if (Near(angle, 0))
        p = {c.x, box.max.y, 0};
    else if (Near(angle, 90))
        p = {box.min.x, c.y, 0};
    else if (Near(angle, 180))
        p = {c.x, box.min.y, 0};
    else if (Near(angle, 270))
        p = {box.max.x, c.y, 0};
    p.z = 0;
}

WqGeVector3d DLxGDTInstance::GetAttachPointOffset(const BBox& box) const {
    DLxGDTState* state = GetGDTState();
    const double attach = state ? state->GetAttachOffset() : 0.0;
    const WqGePoint3d c = box.isEmpty() ? WqGePoint3d() : box.center();
    if (!m_attachmentRule) return {c.x, attach, 0};
    DUxLeaderNodeTree* first = GetLeader(0);
    bool centre = !DisplayLeaders() || !first || first->GetNumNodes() < 2;
    int32_t landing = 4;
    bool across = false;
    if (centre) {
        WqGePoint3d a;
        WqGeVector3d d;
        DUxLeaderNodeTree::ELandingPos pos = DUxLeaderNodeTree::kNoLanding;
        int32_t index = 0;
        const_cast<DLxGDTInstance*>(this)->GetNoLeaderSymAttachment(a, d, pos, index);
        if (std::fabs(d.x) < kZero) {
            landing = d.y < 0 ? 2 : 4;
            across = true;
        } else if (std::fabs(d.y) < kZero) {
            landing = d.x < 0 ? 1 : 3;
            across = false;
        } else {
            landing = 0;
            across = true;
        }
    }
    centre = centre && landing != 2 && landing != 4;
    if (state && CornerStyle() && (state->FindNoteLine(nullptr) || state->HasDatumIdentifier())) {
        across = true;
        centre = true;
    }
    const double angle = RotationAngle();
    if (Near(angle, 90) || Near(angle, 270)) return {centre ? c.x : attach, c.y, 0};
    return {c.x, across ? c.y : attach, 0};
}

void DLxGDTInstance::GetArrowHeadBoxes(std::vector<DUxArrowHeadBox>& boxes) {
    DLxGDTState* state = GetGDTState();
    WqGePoint3d p[4];
    WqGeVector3d wv, hv;
    if (state && GetFrameCorners(p, true, &wv, &hv)) {
        const WqGeVector3d W = WidthDir(wv), H = HeightDir(hv);
        const double cell = state->GetNoteLineOffset(false);
        auto add = [&](const WqGePoint3d& lowerLeft, double width, double height) {
            std::vector<WqGePoint3d> poly{lowerLeft, lowerLeft + W * width,
                                          lowerLeft + W * width - H * height,
                                          lowerLeft - H * height};
            DUxNormalizePolygon(poly);
            boxes.emplace_back(std::move(poly), this, DUxLineGeometry(), true, true);
        };
        int32_t note = -1;
        const int32_t n = DrawnFramedLines(*state, note);
        const bool hasNote = note >= 0;
        // Framed drawn lines from the bottom up: line i's lower edge lies i + 1 cells below P0.
        for (int32_t i = n - 1; i >= 0; --i)
            add(p[0] + H * (cell * (i + 1)), state->GetLineWidth(i), cell);
        if (state->HasDatumIdentifier()) {
            std::vector<WqGePoint3d> poly{p[2], p[3], p[3] - H * cell, p[2] - H * cell};
            DUxNormalizePolygon(poly);
            boxes.emplace_back(std::move(poly), this, DUxLineGeometry(), true, true);
        }
        if (hasNote) {
            const double offset = state->GetNoteLineOffset(true);
            add(p[2] + H * offset, state->GetLineWidth(note), offset);
        }
    }
    for (int32_t i = 0; i < GetNumLeaders(); ++i)
        DLxLeaderUtils::GetArrowHeadBoxes(GetLeader(i), this, boxes);
}

void DLxGDTInstance::TransformInstance(SMxChildItem* symbol, SMxChildItem* text,
                                       SMxChildItem* leader, void* sceneNode,
                                       const WqGeVector3d& centre, const WqGeVector3d& attach,
                                       const WqGeVector3d& offset, double angle) {
    WqGeVector3d shift = offset;
    DLxGDTState* state = GetGDTState();
    DUxLeaderNodeTree* first = GetLeader(0);
    if (state && CornerStyle() && DisplayLeaders() && first && first->GetNumNodes() > 0 &&
        !state->GetBoundingBox().isEmpty()) {
        WqGePoint3d out;
        bool set = false;
        const WqGePoint3d corner = GetCornerAttachPoint(0, true, &out, &set);
        shift = state->GetBoundingBox().center() - corner;
        if (set && leader) {
            auto item = std::make_unique<SMxPointItem>(out, 0);
            item->SetId(DUxLeaderNodeTree::SynthesizeItemID(7, 0, 0, 0));
            leader->list.Append(std::move(item));
        }
    }
    DLxSymInstance::TransformInstance(symbol, text, leader, sceneNode, centre, attach, shift,
                                      angle);
}

bool DLxGDTInstance::GetCommonLeaderRoot(WqGePoint3d& point) const {
    DLxGDTState* state = GetGDTState();
    DUxLeaderNodeTree* first = GetLeader(0);
    if (!state || !state->IsFlagOn(kCornerSetUpFlag) || !first || !first->GetRoot()) return false;
    point = first->GetRoot()->GetPoint();
    return true;
}

bool DLxGDTInstance::CanConnectAddedLeaderToPrimaryAnchor() {
    return !CornerStyle() || GetNumberOfActiveLeaders() <= 1;
}

SmartPtr<DUxLeaderStyleWrapper> DLxGDTInstance::GetLeaderStyleWrapper() const {
    auto wrapper = StyleWrapper();
    return wrapper ? wrapper->GetLeaderStyle() : nullptr;
}

const DUxTextStyleWrapper* DLxGDTInstance::GetTextStyleWrapper() const {
    auto wrapper = StyleWrapper();
    if (!wrapper) return nullptr;
    m_textStyle = wrapper->GetTextStyleWrapper();
    return &*m_textStyle;
}

SmartPtr<DUxLayerStyleAbstract> DLxGDTInstance::ObjectStyleWrapper() {
    DLxGDTState* state = GetGDTState();
    return state ? DUxStyleUtil::LayerStyleWrapper(state) : nullptr;
}
