#pragma once
// The proxy of a dimension's line: annotations attach to a dimension through it. It answers as
// the line segment from start to end (parameter 0 to 1), with the normal to the left of its
// direction, and keeps the dimension's type field, whose low 16 bits are its type code. The
// dimension itself, when there is one, is its annotation instance.
#include <cstdint>

#include "du/DUxGeometryProxy.h"
#include "rse/RSeRef.h"

class DLxDimGeometryProxy : public DUxGeometryProxy {
public:
    DLxDimGeometryProxy() = default;
    explicit DLxDimGeometryProxy(const RSeStream* s) : DUxGeometryProxy(s) {}
    RSeMetaType* GetMeta() const override;

    // Made in the segment; not part of any fragment (it is no node).
    static DLxDimGeometryProxy* Create(RSeSegment* segment, const WqGePoint3d& start,
                                       const WqGePoint3d& end, int32_t type);

    int32_t GetType() const { return m_type; }
    int32_t GetTypeCode() const { return int32_t(int16_t(m_type & 0xFFFF)); }
    void SetLine(const WqGePoint3d& start, const WqGePoint3d& end);
    void SetDimension(DUxAnnotationInstance* dimension);

    bool IsValid() const override;
    DUxCurveKind GetCurveKind() const override { return DUxCurveKind::Line; }
    bool GetLineOfEntity(DUxLineGeometry& line) const override;
    bool DistanceTo(const WqGePoint3d& point, double& distance) const override;
    bool ClosestPointTo(const WqGePoint3d& point, WqGePoint3d& closest) const override;
    bool GetNormalAtPointOnEntity(const WqGePoint3d& point, WqGeVector3d& normal) const override;
    bool ParamOf(const WqGePoint3d& point, double& param) const override;
    bool EvalPoint(double param, WqGePoint3d& point) const override;
    DUxAnnotationInstance* GetAnnotationInstance() const override;

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    void FixPtrs(RSeMetaContext& ctx);
    UTxResult Clone(DLxDimGeometryProxy* target, RSeCloneCommander* cc) const;

private:
    WqGePoint3d m_start;
    WqGePoint3d m_end;
    int32_t m_type = 0;
    RSeRef<DUxAnnotationInstance> m_dimension;
};

namespace RSe {
RSeMetaType* _InitMeta(const DLxDimGeometryProxy*);
RSeMetaType* _GetMeta(const DLxDimGeometryProxy*);
} // namespace RSe
