#pragma once
// Drags the end of a datum identifier's leader. The last segment keeps its length and turns to
// stand perpendicular on the edge the end lands on (on the side it stood before), so that the
// datum triangle sits flat on the feature; on no edge it keeps its direction. The document
// changes only at the end of the drag, through one anchor-change request that also moves the
// vertex before the end.
#include <cstdint>

#include "Leader/DLxMoveSymLeaderNodeManipulator.h"
#include "dl/DLxIntent.h"
#include "fw/SmartPtr.h"
#include "ge/WqGePoint3d.h"
#include "ge/WqGeVector3d.h"

class DLxDatumIdInstance;
class FWxChangeRequest;
class FWxSceneDoc;

class DLxMoveDatumIdNodeManipulator : public DLxMoveSymLeaderNodeManipulator {
public:
    // How near (sheet units) the cursor must come to an edge for the end to land on it.
    static constexpr double kInferTolerance = 2.0;

    // Drags the end of leader 0's first branch.
    DLxMoveDatumIdNodeManipulator(DLxDatumIdInstance* identifier, FWxSceneDoc* doc);

    // Refused when the document permits no command now or the leader has no end to drag.
    bool StartDrag(const WqGePoint3d& point) override;
    bool Drag(const WqGePoint3d& point) override;
    bool EndDrag(const WqGePoint3d& point) override;
    void CancelDrag() override;
    std::string GetManipulatorName() const override { return "DLxMoveDatumIdNodeManipulator"; }

    // The dragged end and the vertex before it, as the preview shows them.
    const WqGePoint3d& GetEndPoint() const { return m_end; }
    const WqGePoint3d& GetRootPoint() const { return m_root; }
    bool MovesRoot() const { return m_movesRoot; }
    // The last segment: its length and its direction from the end towards the vertex.
    double GetSegmentLength() const { return m_length; }
    const WqGeVector3d& GetSegmentDirection() const { return m_direction; }
    const SmartPtr<FWxChangeRequest>& GetRequest() const { return m_request; }

private:
    DLxDatumIdInstance* GetIdentifier() const;

    FWxSceneDoc* m_doc;
    int32_t m_nodeId = -1;
    double m_length = 0.0;
    WqGeVector3d m_direction;
    WqGePoint3d m_end;
    WqGePoint3d m_root;
    bool m_movesRoot = false;
    bool m_inferred = false;
    SmartPtr<FWxChangeRequest> m_request;
};
