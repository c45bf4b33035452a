#pragma once
// The proxy of one projected edge of a drawing view. It keeps only the view and the edge's id,
// so its answers follow the view as it moves, turns and scales, and it turns invalid when the
// view loses the edge. A line stays a line on the sheet; an arc is a circular arc when the view
// looks square onto its plane and an elliptical arc otherwise (which the view draws as a
// polyline; every curve also answers as points along it). Parameters are those of the model
// edge: 0 at its start, 1 at its end.
#include <cstdint>
#include <vector>

#include "du/DUxGeometryProxy.h"

class DLxViewInstance;
struct DLxSheetCurve;

class DLxEdgeGeometryProxy : public DUxGeometryProxy {
public:
    DLxEdgeGeometryProxy() = default;
    explicit DLxEdgeGeometryProxy(const RSeStream* s) : DUxGeometryProxy(s) {}
    RSeMetaType* GetMeta() const override;

    // Views make their edges' proxies (DLxViewInstance::FindEdgeProxy), in their own segment.
    static DLxEdgeGeometryProxy* Create(DLxViewInstance* view, int32_t edgeId);

    DLxViewInstance* GetViewInstance() const;
    int32_t GetEdgeId() const { return m_edgeId; }
    // The occurrence path of the component the edge belongs to (DLxViewEdge::occurrence), so
    // that an annotation on the edge knows its component; empty when the view has lost the edge
    // or the model did not say.
    std::vector<int32_t> GetOccurrencePath() const;

    bool IsValid() const override;
    DUxCurveKind GetCurveKind() const override;
    bool GetLineOfEntity(DUxLineGeometry& line) const override;
    bool GetCircArcOfEntity(DUxArcGeometry& arc) const override;
    bool GetEllipArcOfEntity(DUxEllipArcGeometry& arc) const override;
    bool GetPolylineCurveOfEntity(WqArray<WqGePoint3d>& points) const override;
    bool DistanceTo(const WqGePoint3d& point, double& distance) const override;
    bool ClosestPointTo(const WqGePoint3d& point, WqGePoint3d& closest) const override;
    bool GetNormalAtPointOnEntity(const WqGePoint3d& point, WqGeVector3d& normal) const override;
    bool ParamOf(const WqGePoint3d& point, double& param) const override;
    bool EvalPoint(double param, WqGePoint3d& point) const override;

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    void FixPtrs(RSeMetaContext& ctx);
    UTxResult Clone(DLxEdgeGeometryProxy* target, RSeCloneCommander* cc) const;

private:
    bool GetSheetCurve(DLxSheetCurve& curve) const;

    RSeRef<DLxViewInstance> m_view;
    int32_t m_edgeId = 0;
};

namespace RSe {
RSeMetaType* _InitMeta(const DLxEdgeGeometryProxy*);
RSeMetaType* _GetMeta(const DLxEdgeGeometryProxy*);
} // namespace RSe
