#include "dl/DLxContext.h"

#include <algorithm>

#include "dl/DLxIntent.h"
#include "dl/DLxSheet.h"
#include "dl/DLxViewEdge.h"
#include "dl/DLxViewInstance.h"
#include "ge/BBox.h"
#include "rse/RSeTransaction.h"

namespace {
WqGePoint3d NearestOnSegment(const WqGePoint3d& p, const WqGePoint3d& a, const WqGePoint3d& b) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double len2 = dx * dx + dy * dy;
    if (len2 <= 0.0) return a;
    const double t = std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / len2, 0.0, 1.0);
    return WqGePoint3d(a.x + t * dx, a.y + t * dy, 0.0);
}

double Distance2d(const WqGePoint3d& a, const WqGePoint3d& b) {
    return WqGePoint3d(a.x, a.y, 0.0).distanceTo(WqGePoint3d(b.x, b.y, 0.0));
}
} // namespace

void DLxRecognizer::Recognize(DLxIntent& intent) const {
    const WqGePoint3d& at = intent.GetPickPoint();
    const double tol = intent.GetTolerance();
    for (const DLxContext::Line& line : m_context.GetLines()) {
        for (const WqGePoint3d& end : {line.start, line.end})
            if (Distance2d(at, end) <= tol)
                intent.AddInference({DLxInferUtil::kInferEndPoint, end});
        const WqGePoint3d on = NearestOnSegment(at, line.start, line.end);
        if (Distance2d(at, on) <= tol) intent.AddInference({DLxInferUtil::kInferOnCurve, on});
    }
    for (const WqGePoint3d& p : m_context.GetPoints())
        if (Distance2d(at, p) <= tol) intent.AddInference({DLxInferUtil::kInferConnectionPoint, p});
}

int32_t DLxInferUtil::CursorOf(int32_t type) {
    switch (type) {
    case kInferEndPoint: return kCursorEndPoint;
    case kInferOnCurve: return kCursorOnCurve;
    default: return kCursorPlain;
    }
}

void DLxInferUtil::GetCommonTablesInferenceTypes(std::vector<int32_t>& types) {
    types = {kInferEndPoint, kInferOnCurve};
}

void DLxInferUtil::ExtendContextWithDLBorderTitleBlock(DLxContext& context, const DLxSheet* sheet) {
    if (!sheet) return;
    const BBox border = sheet->GetBorder();
    if (border.isEmpty()) return;
    const WqGePoint3d bl(border.min.x, border.min.y, 0), br(border.max.x, border.min.y, 0),
        tr(border.max.x, border.max.y, 0), tl(border.min.x, border.max.y, 0);
    context.AddLine(bl, br);
    context.AddLine(br, tr);
    context.AddLine(tr, tl);
    context.AddLine(tl, bl);
    const BBox title = sheet->GetTitleBlock();
    if (title.isEmpty()) return;
    context.AddLine(WqGePoint3d(title.min.x, title.max.y, 0), WqGePoint3d(title.max.x, title.max.y, 0));
    context.AddLine(WqGePoint3d(title.min.x, title.min.y, 0), WqGePoint3d(title.min.x, title.max.y, 0));
}

bool DLxInferUtil::InferOnViewEdges(const std::vector<DLxViewInstance*>& views,
                                    const WqGePoint3d& q, double tol, DLxIntent& intent) {
    RSeReadOnlyScope reading;
    double best = tol;
    bool found = false;
    for (DLxViewInstance* view : views) {
        if (!view) continue;
        for (const DLxViewEdge& edge : view->GetEdges()) {
            const DLxSheetCurve curve = view->ProjectEdge(edge);
            double t = curve.ClosestParam(q);
            int32_t type = kInferOnCurve;
            for (double end : {0.0, 1.0})
                if (curve.PointAt(end).distanceTo(q) <= tol) t = end, type = kInferEndPoint;
            const WqGePoint3d p = curve.PointAt(t);
            const double dist = p.distanceTo(q);
            if (dist > best || (found && dist == best)) continue;
            best = dist;
            found = true;
            intent = DLxIntent::OnEdge(view, edge.id, t);
            intent.SetPoint({p.x, p.y, 0});
            intent.AddInference({type, {p.x, p.y, 0}});
        }
    }
    return found;
}
