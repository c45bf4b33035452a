#pragma once
// Drags an origin indicator to a new anchor on its view's geometry, and opens its edit dialog
// on a double-click. While dragged, the indicator follows the cursor as a preview point and
// snaps to the nearest edge of its view (its ends first) within the inference tolerance; the
// document changes only when the drag ends on an edge, through one anchor-change request. A
// drag released away from any edge changes nothing.
#include <cstdint>

#include "dl/DLxInstanceManipulator.h"
#include "dl/DLxIntent.h"
#include "fw/SmartPtr.h"
#include "ge/WqGePoint3d.h"
#include "rse/RSeRef.h"

class DLxCenterDatumInstance;
class DLxViewInstance;
class FWxChangeRequest;
class FWxSceneDoc;

class DLxCenterDatumManipulator : public DLxInstanceManipulator {
public:
    // How near (sheet units) the cursor must come to an edge for the indicator to snap to it.
    static constexpr double kInferTolerance = 2.0;
    // The cursor shown while dragging.
    static constexpr int32_t kDragCursor = 6102;

    DLxCenterDatumManipulator(DLxCenterDatumInstance* indicator, FWxSceneDoc* doc);

    // Refused when the document permits no command now.
    bool StartDrag(const WqGePoint3d& point) override;
    bool Drag(const WqGePoint3d& point) override;
    // Hands the document the anchor change when the drag found an edge.
    bool EndDrag(const WqGePoint3d& point) override;
    void CancelDrag() override;
    // The edit dialog of the indicator's offset; OK hands the document the edit.
    bool StartDialog() override;
    std::string GetManipulatorName() const override { return "DLxCenterDatumManipulator"; }

    DLxCenterDatumInstance* GetIndicator() const;
    // Where the dragged indicator is shown now, and what it snapped to.
    const WqGePoint3d& GetPreviewPoint() const { return m_point; }
    const DLxIntent& GetIntent() const { return m_intent; }
    bool HasInference() const { return m_inferred; }
    // The request the last drag or dialog handed over; null when none.
    const SmartPtr<FWxChangeRequest>& GetRequest() const { return m_request; }

private:
    // The nearest edge of the view within the tolerance: the intent on it and its point.
    bool Infer(const WqGePoint3d& q);

    RSeRef<DLxCenterDatumInstance> m_indicator;
    FWxSceneDoc* m_doc;
    RSeRef<DLxViewInstance> m_view;
    WqGePoint3d m_point;
    DLxIntent m_intent;
    bool m_inferred = false;
    bool m_dragging = false;
    SmartPtr<FWxChangeRequest> m_request;
};
