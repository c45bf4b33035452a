#pragma once
// The drags of a datum target's hot points (ids as its compute makes them): a leader or shape
// vertex (0 to 999) or an attached balloon (1000 to 1999) moves with DLxDatumLeaderVertexMove,
// an alternate-unit text (2000 to 4095) turns with DLxDatumAltUnitManipulator. Each drag shows
// on a transient copy of the target and posts one request when it ends.
#include <cstdint>
#include <memory>

#include "dl/DLxIntent.h"
#include "ge/WqGePoint3d.h"
#include "ge/WqGeVector3d.h"
#include "rse/RSeRef.h"
#include "sm/SMxManipulator.h"

class DLxDatumTarget;
class FWxChangeRequest;
class FWxSceneDoc;
class RDxFragment;

class DLxDatumTargetDrag : public SMxManipulator {
public:
    DLxDatumTargetDrag(FWxSceneDoc* doc, const RSeRef<DLxDatumTarget>& target, int32_t hotPoint);
    ~DLxDatumTargetDrag() override;
    int32_t GetHotPoint() const { return m_hotPoint; }
    // The copy the drag shows; null outside a drag.
    DLxDatumTarget* GetPreview() const { return m_preview; }
    void CancelDrag() override;

    // The drag of a hot point: null for the arrowheads (4096 and above), which have their own.
    static std::unique_ptr<DLxDatumTargetDrag> ForHotPoint(FWxSceneDoc* doc,
                                                           const RSeRef<DLxDatumTarget>& target,
                                                           int32_t hotPoint);

protected:
    // A fresh copy of the placed target to show the next step on.
    bool ResetPreview();
    void DropPreview();
    bool Post(FWxChangeRequest* request);

    FWxSceneDoc* m_doc;
    RSeRef<DLxDatumTarget> m_target;
    int32_t m_hotPoint;
    DLxDatumTarget* m_preview = nullptr;

private:
    RDxFragment* m_fragment = nullptr;
};

class DLxDatumLeaderVertexMove : public DLxDatumTargetDrag {
public:
    using DLxDatumTargetDrag::DLxDatumTargetDrag;
    bool StartDrag(const WqGePoint3d& point) override;
    bool Drag(const WqGePoint3d& point) override;
    // "LeaderMoveDatumTarget" with the offset, or for an attached balloon
    // "ReOrientDatumTarget" with the direction the balloons turned to.
    bool EndDrag(const WqGePoint3d& point) override;
    const WqGeVector3d& GetOffset() const { return m_offset; }
    const WqGeVector3d& GetBalloonDirection() const { return m_direction; }

private:
    WqGePoint3d m_start;
    WqGeVector3d m_offset;
    WqGeVector3d m_direction;
};

class DLxDatumAltUnitManipulator : public DLxDatumTargetDrag {
public:
    using DLxDatumTargetDrag::DLxDatumTargetDrag;
    bool StartDrag(const WqGePoint3d& point) override;
    // The angle from the balloon to the point, in whole degrees, snapped to 0, 90 and 180
    // within five degrees; below the balloon only 0 or 180.
    bool Drag(const WqGePoint3d& point) override;
    // "DTAltUnitMove" with the angle.
    bool EndDrag(const WqGePoint3d& point) override;
    double GetAngle() const { return m_angle; }

private:
    double m_angle = 0.0;
};
