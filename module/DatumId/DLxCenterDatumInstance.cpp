#include "DatumId/DLxCenterDatumInstance.h"

#include "DatumId/DLxCenterDatumState.h"
#include "Symbol/DLxSymInstance.h"
#include "Symbol/KorvuModule.h"
#include "WinModule.h"
#include "dc/RDxComputeContext.h"
#include "dc/RDxFragment.h"
#include "dl/DLxAnchorPoint.h"
#include "dl/DLxAnnotationUtil.h"
#include "dl/DLxDiagEmblemInvalidAnchorPoint.h"
#include "dl/DLxDrawing.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxViewInstance.h"
#include "du/DUxArrowHead.h"
#include "du/DUxLayerStyleAbstract.h"
#include "du/DUxSceneUtil.h"
#include "du/DUxSymState.h"
#include "fb/FBxLayerStyle.h"
#include "fw/FWxDocUtil.h"
#include "ge/WqArray.h"
#include "rse/RSeMeta.h"
#include "rse/RSeSegment.h"
#include "rse/RSeTransaction.h"
#include "sm/SMxDisplayItem.h"
#include "sm/SMxDisplayList.h"
#include "sm/SMxDisplayListBuilder.h"
#include "utx/UTxCast.h"

namespace {
constexpr int32_t kSickMarker = 4;
constexpr char16_t kCommandAttr[] = u"DLxCommandComputeContextAttr";
constexpr char16_t kPersistantAttr[] = u"DUxPersistantComputeContextAttr";

// The look of a layer (visible, its colour), or a visible black one without a layer.
class LayerLook : public DUxLayerStyleAbstract {
public:
    explicit LayerLook(const FBxLayerStyle* layer)
        : m_visible(!layer || layer->GetVisible()), m_color(layer ? layer->Color() : SMxColor()) {}
    bool GetVisible() const override { return m_visible; }
    SMxColor GetLayerColor() const override { return m_color; }

private:
    bool m_visible;
    SMxColor m_color;
};
} // namespace

DLxCenterDatumInstance::DLxCenterDatumInstance(RDxFragment* fragment,
                                               const DUxLeaderStyle* leaderStyle,
                                               const FBxLayerStyle* layer,
                                               DLxCenterDatumState* state, uint32_t arrowType) {
    if (RDxTemplate* tmpl = DLxSymInstance::GetSymbolTemplate())
        SetTemplate(tmpl);
    else
        SetTemplateId(DLxSymInstance::GetSymbolTemplateGuid(), 0);
    if (fragment) fragment->AddNode(this);
    if (!state) state = DLxCenterDatumState::Create(fragment, WqGePoint3d(), leaderStyle, layer);
    AddInputState(state);
    AddInputState(DUxDisplayListState::Create(fragment));
    AddInputState(DLxAnchorPoint::Create(fragment));
    AddInputState(DUxArrowHeadState::Create(fragment, arrowType));
}

DLxCenterDatumInstance::DLxCenterDatumInstance(const RSeStream* s) : DLxEmblem(s) {}

DLxCenterDatumInstance::~DLxCenterDatumInstance() = default;

DLxCenterDatumInstance* DLxCenterDatumInstance::CreateInstance(RDxFragment* fragment,
                                                               const WqGePoint3d& point,
                                                               uint32_t arrowType,
                                                               const DUxLeaderStyle* leaderStyle,
                                                               const FBxLayerStyle* layer) {
    if (!fragment || !fragment->GetSegment()) return nullptr;
    DLxCenterDatumState* state =
        DLxCenterDatumState::Create(fragment, WqGePoint3d(), leaderStyle, layer);
    auto* inst = new (RSe::_GetMeta(static_cast<const DLxCenterDatumInstance*>(nullptr)),
                      fragment->GetSegment())
        DLxCenterDatumInstance(fragment, leaderStyle, layer, state, arrowType);
    if (DLxAnchorPoint* anchor = inst->GetAnchorPoint()) anchor->SetPoint(point);
    return inst;
}

DLxCenterDatumState* DLxCenterDatumInstance::GetCenterDatumState() const {
    return UTx::Cast<DLxCenterDatumState>(GetInputState(0));
}

DUxDisplayListState* DLxCenterDatumInstance::GetDisplayListState() const {
    return UTx::Cast<DUxDisplayListState>(GetInputState(1));
}

DLxAnchorPoint* DLxCenterDatumInstance::GetAnchorPoint() const {
    return UTx::Cast<DLxAnchorPoint>(GetInputState(2));
}

DUxArrowHeadState* DLxCenterDatumInstance::GetArrowHeadState() const {
    return UTx::Cast<DUxArrowHeadState>(GetInputState(3));
}

bool DLxCenterDatumInstance::GetHideSymbol() const {
    DLxCenterDatumState* state = GetCenterDatumState();
    return state && state->GetHideSymbol();
}

void DLxCenterDatumInstance::SetHideSymbol(bool hide) {
    if (DLxCenterDatumState* state = GetCenterDatumState()) state->SetHideSymbol(hide);
}

void DLxCenterDatumInstance::SetArrowHeadTemplate(const DUxArrowHeadTemplate* tmpl) {
    if (DUxArrowHeadState* arrow = GetArrowHeadState()) arrow->SetTemplateRef(tmpl);
}

void DLxCenterDatumInstance::SetCenterPoint(const WqGePoint3d& point) {
    if (DLxCenterDatumState* state = GetCenterDatumState()) state->SetOrigin(point);
    if (DLxAnchorPoint* anchor = GetAnchorPoint()) anchor->SetPoint(point);
}

WqGePoint3d DLxCenterDatumInstance::GetCenterPoint() const {
    DLxCenterDatumState* state = GetCenterDatumState();
    return state ? state->GetOrigin() : WqGePoint3d();
}

const UTxString16& DLxCenterDatumInstance::GetBrowserLabel() {
    static const UTxString16 label = [] {
        HMODULE res = KorvuGetResourceHandle();
        auto text = res ? FindStringResource(res, 8030) : std::nullopt;
        return text ? UTxString16(*text) : UTxString16(u"Origin Indicator");
    }();
    return label;
}

DLxViewInstance* DLxCenterDatumInstance::GetView() const {
    DLxAnchorPoint* anchor = GetAnchorPoint();
    return anchor ? anchor->GetViewInstance() : nullptr;
}

// ---- health

bool DLxCenterDatumInstance::IsValid() const {
    if (!GetTemplate()) return false;
    DLxAnchorPoint* anchor = GetAnchorPoint();
    return anchor && anchor->IsValid();
}

bool DLxCenterDatumInstance::IsDead() const {
    if (!GetTemplate()) return true;
    DLxAnchorPoint* anchor = GetAnchorPoint();
    return !anchor || !anchor->GetViewInstance();
}

bool DLxCenterDatumInstance::IsSuppressed() const {
    if (!GetTemplate()) return false;
    DLxAnchorPoint* anchor = GetAnchorPoint();
    return anchor && anchor->IsSuppressed();
}

bool DLxCenterDatumInstance::NeedsUpdate() const {
    DLxAnchorPoint* anchor = GetAnchorPoint();
    DLxCenterDatumState* state = GetCenterDatumState();
    if (!anchor || !state || !anchor->IsValid()) return false;
    return !anchor->GetPoint().isEqualTo(state->GetOrigin());
}

bool DLxCenterDatumInstance::EmblemBelongsToView(const DLxViewInstance* view) const {
    return GetView() == view;
}

bool DLxCenterDatumInstance::GetEmblemBoundingBox(std::vector<WqGePoint3d>& points) const {
    DLxCenterDatumState* state = GetCenterDatumState();
    if (!state) return false;
    points.clear();
    const BBox& b = state->GetBoundingBox();
    points.emplace_back(b.min.x, b.min.y, 0);
    points.emplace_back(b.max.x, b.min.y, 0);
    points.emplace_back(b.max.x, b.max.y, 0);
    points.emplace_back(b.min.x, b.max.y, 0);
    return true;
}

// ---- drawing

WqGePoint3d DLxCenterDatumInstance::GetArrowHeadPoint(bool command) const {
    DLxAnchorPoint* anchor = GetAnchorPoint();
    if (!anchor) return GetCenterPoint();
    WqGePoint3d p = command ? anchor->GetPoint() : anchor->GetBrokenPoint();
    if (DLxCenterDatumState* state = GetCenterDatumState()) {
        DLxViewInstance* view = anchor->GetViewInstance();
        const double s = view ? view->GetViewScale() : 1.0;
        p.x += state->GetRelXValue() * s;
        p.y += state->GetRelYValue() * s;
    }
    return p;
}

std::vector<WqGePoint3d> DLxCenterDatumInstance::ArrowHeadOutline(const WqGePoint3d& tip) const {
    std::vector<WqGePoint3d> outline;
    DUxArrowHeadState* arrow = GetArrowHeadState();
    if (!arrow) return outline;
    WqGeVector3d v;
    if (arrow->GetArrowHeadVector(tip, WqGeVector3d::kXAxis, v))
        arrow->GetArrowHeadPoints(tip, v, outline, nullptr);
    return outline;
}

const SMxDisplayList* DLxCenterDatumInstance::GetSheetDisplayList() const {
    DUxDisplayListState* list = GetDisplayListState();
    return list ? &list->GetDisplayList() : nullptr;
}

bool DLxCenterDatumInstance::HitTest(const WqGePoint3d& point, double tol) const {
    const SMxDisplayList* list = GetSheetDisplayList();
    return list && BoxHolds(list->GetBBox(), point, tol);
}

void DLxCenterDatumInstance::GetArrowHeadBoxes(std::vector<DUxArrowHeadBox>& boxes) {
    const SMxDisplayList* list = GetSheetDisplayList();
    if (!list || list->IsEmpty()) return;
    // The box lies where the arrowhead is drawn.
    std::vector<WqGePoint3d> outline = ArrowHeadOutline(GetArrowHeadPoint(false));
    if (outline.size() < 3) return;
    DUxNormalizePolygon(outline);
    boxes.emplace_back(std::move(outline), this, DUxLineGeometry(), false, false);
}

UTxResult DLxCenterDatumInstance::Compute(RDxComputeContext& ctx) {
    DUxDisplayListState* listState = GetDisplayListState();
    if (!listState) return {};
    SMxDisplayList& list = listState->GetDisplayList();
    list.Clear();
    list.ClearAttributes();

    DLxAnchorPoint* anchor = GetAnchorPoint();
    DLxViewInstance* view = anchor ? anchor->GetViewInstance() : nullptr;
    // A suppressed view is not shown, nor is the origin marked on it.
    if (view && view->IsSuppressed()) return {};
    // An anchor that lost its edge looks for it again in its view.
    if (anchor && !anchor->IsValid()) anchor->ReConnect(false);
    const bool valid = IsValid();
    DLxCenterDatumState* state = GetCenterDatumState();
    if (state && anchor && anchor->IsValid()) {
        state->SetOrigin(anchor->GetPoint());
        state->SetScale(view ? view->GetViewScale() : 1.0);
    }

    // Health is only kept for stored indicators; a preview draws as it is.
    RSeSegment* segment = GetSegment();
    const bool stored = segment && !segment->IsTransient();
    RDxFragment* fragment = GetFragment().get();
    const bool collect = fragment && (fragment->GetFlags() & kCollectDiagnosesFlag);
    auto* doc = dynamic_cast<DLxDrawingDoc*>(FWxDocUtil::DocumentOf(this));
    const DLxDrawing* drawing = doc ? doc->GetDrawing() : nullptr;
    const bool showSick = drawing ? drawing->GetShowSickHighlight() : true;

    // A hidden indicator whose anchor is lost shows again, so that the user sees what to repair.
    if (!valid && state && state->GetHideSymbol() && showSick && stored && collect)
        state->SetHideSymbol(false);

    UTxResult result;
    if (!state || !state->GetHideSymbol()) {
        if (anchor && !anchor->IsUnbrokenPointRemoved()) {
            const WqGePoint3d p = GetArrowHeadPoint(ctx.Has(kCommandAttr));
            SMxDisplayListBuilder b(list);
            std::vector<WqGePoint3d> outline = ArrowHeadOutline(p);
            if (!outline.empty()) {
                WqArray<WqGePoint3d> pts;
                for (const WqGePoint3d& q : outline)
                    pts.append(q);
                if (GetArrowHeadState()->IsFilled())
                    b.AddFill(pts);
                else
                    b.AddPolyline(pts, true);
            }
            b.SetItemId(kHotPointId);
            b.AddPoint(p);
        }
        AddToLayer(kKeepAttributes);
        if (stored) {
            if (valid || IsDead()) {
                DLxAnnotationUtil::UnsetAnnotationSickColor(list);
            } else if (showSick) {
                DLxAnnotationUtil::SetAnnotationSickColor(list);
                if (anchor)
                    list.Append(std::make_unique<SMxPointItem>(anchor->GetPoint(), kSickMarker));
                const uint32_t flags = GetFlags();
                if (!(flags & kHealthIgnoredFlag) || (flags & kHealthRecheckFlag)) {
                    SetSick();
                    if (collect && anchor) {
                        result = UTxResult(kInvalidAnchorWarning, __FILE__, __LINE__);
                        auto* diag = DLxDiagEmblemInvalidAnchorPoint::Create(result, this, anchor);
                        diag->SetText(u"invalid anchor point of origin indicator " +
                                      UTx::MakeWideString(std::to_string(GetId())));
                        diag->AttachDiagnosisToResult(result);
                        fragment->AddDiagnosis(diag);
                    }
                }
            } else {
                DLxAnnotationUtil::UnsetAnnotationSickColor(list);
            }
        }
    }
    if (state) state->SetBoundingBox(list.GetBBox());
    if (ctx.Has(kPersistantAttr)) DLxAnnotationUtil::DimCleanup(view);
    return result;
}

SmartPtr<DUxLayerStyleAbstract> DLxCenterDatumInstance::ObjectStyleWrapper() {
    DLxCenterDatumState* state = GetCenterDatumState();
    if (!state) return nullptr;
    return SmartPtr<DUxLayerStyleAbstract>(new LayerLook(state->GetLayerStyle()));
}

void DLxCenterDatumInstance::AddToLayer(CleanUpDisposition disposition) {
    DUxDisplayListState* listState = GetDisplayListState();
    SmartPtr<DUxLayerStyleAbstract> style = ObjectStyleWrapper();
    if (!listState || !style) return;
    SMxDisplayList& list = listState->GetDisplayList();
    if (disposition == kCleanAttributes)
        for (SMxDisplayItem& item : list)
            DUxSceneUtil::CleanAttrStackForLayers(item);
    DUxSceneUtil::DLItemSetLayerStyle(list, *style);
}

void DLxCenterDatumInstance::RecordWithView(DLxViewInstance* previous) {
    DLxViewInstance* view = GetView();
    if (previous && previous != view && previous->GetCenterDatum() == this)
        previous->SetCenterDatum(nullptr);
    if (view) view->SetCenterDatum(this);
}

void DLxCenterDatumInstance::DeleteAndVacuumClean() {
    if (DLxViewInstance* view = GetView(); view && view->GetCenterDatum() == this)
        view->SetCenterDatum(nullptr);
    DLxAnnotationUtil::DeleteWithStates(this);
}
