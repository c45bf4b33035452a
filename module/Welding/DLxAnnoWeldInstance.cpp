#include "Welding/DLxAnnoWeldInstance.h"

#include <cmath>

#include "Symbol/DLxSymInstance.h"
#include "dc/RDxFragment.h"
#include "dl/DLxAnchorPoint.h"
#include "dl/DLxSheet.h"
#include "dl/DLxViewInstance.h"
#include "rse/RSeMeta.h"
#include "rse/RSeTransaction.h"
#include "sm/SMxDisplayList.h"
#include "sm/SMxDisplayListBuilder.h"
#include "utx/UTxCast.h"

namespace {
// The edge's length on the sheet is measured along this many chords.
constexpr int32_t kLengthSteps = 64;
} // namespace

DLxAnnoWeldInstance::DLxAnnoWeldInstance(RDxFragment* fragment) {
    if (RDxTemplate* tmpl = DLxSymInstance::GetSymbolTemplate())
        SetTemplate(tmpl);
    else
        SetTemplateId(DLxSymInstance::GetSymbolTemplateGuid(), 0);
    if (fragment) fragment->AddNode(this);
}

DLxAnnoWeldInstance::DLxAnnoWeldInstance(const RSeStream* s) : DLxEmblem(s) {}

DLxAnnoWeldInstance::~DLxAnnoWeldInstance() = default;

DLxAnnoWeldInstance* DLxAnnoWeldInstance::Create(DLxViewInstance* view, int32_t edgeId,
                                                 uint32_t props, uint32_t featureId) {
    DLxSheet* sheet = view ? view->GetSheet() : nullptr;
    if (!sheet || !sheet->GetSegment() || !view->FindEdge(edgeId)) return nullptr;
    DLxAnchorPoint* anchor = DLxAnchorPoint::CreateOnEdge(view, edgeId, 0.5);
    if (!anchor) return nullptr;
    auto* inst = new (RSe::_GetMeta(static_cast<const DLxAnnoWeldInstance*>(nullptr)),
                      sheet->GetSegment()) DLxAnnoWeldInstance(sheet);
    inst->AddInputState(anchor);
    inst->m_props = props;
    inst->m_featureId = featureId;
    return inst;
}

void DLxAnnoWeldInstance::AddAnnoWeldProp(EWeldProperty value) {
    if ((m_props | value) == m_props) return;
    RSe::PrepareWrite(this);
    m_props |= value;
}

void DLxAnnoWeldInstance::RemoveAnnoWeldProp(EWeldProperty value) {
    if ((m_props & ~uint32_t(value)) == m_props) return;
    RSe::PrepareWrite(this);
    m_props &= ~uint32_t(value);
}

void DLxAnnoWeldInstance::SetFeatureID(uint32_t id) {
    if (id == m_featureId) return;
    RSe::PrepareWrite(this);
    m_featureId = id;
}

DLxAnchorPoint* DLxAnnoWeldInstance::GetAnchor() const {
    return UTx::Cast<DLxAnchorPoint>(GetInputState(0));
}

DLxViewInstance* DLxAnnoWeldInstance::GetAssociatedView() const {
    DLxAnchorPoint* anchor = GetAnchor();
    return anchor ? anchor->GetViewInstance() : nullptr;
}

DUxGeometryProxy* DLxAnnoWeldInstance::GetEdgeGeomProxy() const {
    DLxAnchorPoint* anchor = GetAnchor();
    return anchor ? anchor->GetGeometryProxy() : nullptr;
}

UTxResult DLxAnnoWeldInstance::Compute(RDxComputeContext&) {
    SMxDisplayList& list = GetDisplayList();
    list.Clear();
    const bool caterpillar = (m_props & (eCaterpillar | eCaterpillarActive)) ==
                                 (eCaterpillar | eCaterpillarActive) &&
                             !(m_props & eCaterpillarRebuild);
    DLxAnchorPoint* anchor = GetAnchor();
    DLxViewInstance* view = GetAssociatedView();
    int32_t edgeId = 0;
    if (!caterpillar || !anchor || !view || !anchor->GetEdgeId(edgeId)) return {};
    const DLxViewEdge* edge = view->FindEdge(edgeId);
    if (!edge) return {};
    const DLxSheetCurve curve = view->ProjectEdge(*edge);
    double length = 0;
    for (int32_t i = 0; i < kLengthSteps; ++i)
        length += curve.PointAt(double(i) / kLengthSteps)
                      .distanceTo(curve.PointAt(double(i + 1) / kLengthSteps));
    // Strokes across the bead, its ends included, on the side the edge's normal points to.
    const int32_t strokes = std::max(2, int32_t(std::floor(length / kStrokePitch)) + 1);
    SMxDisplayListBuilder b(list);
    for (int32_t i = 0; i < strokes; ++i) {
        const double t = double(i) / (strokes - 1);
        const WqGePoint3d p = curve.PointAt(t);
        b.SetItemId(kFirstCaterpillarItem + i);
        b.AddLine(view->UnbrokenToBroken(p),
                  view->UnbrokenToBroken(p + curve.NormalAt(t) * kStrokeLength));
    }
    return {};
}
