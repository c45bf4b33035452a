#pragma once
// An origin indicator: marks a point of a drawing view as the view's origin. It is drawn as one
// arrowhead at its anchor, moved by the state's relative offset, and has no leader. Its inputs
// are, in order: its DLxCenterDatumState, a display-list state, its anchor and the arrowhead
// state that picks the arrowhead's look.
#include <cstdint>
#include <vector>

#include "dl/DLxEmblem.h"
#include "du/DUxAddToLayerInterface.h"
#include "du/DUxObjectStyleInterface.h"
#include "ge/WqGePoint3d.h"
#include "utx/UTxResult.h"
#include "utx/UTxString16.h"

class DLxAnchorPoint;
class DLxCenterDatumState;
class DLxViewInstance;
class DUxArrowHeadState;
struct DUxArrowHeadTemplate;
class DUxDisplayListState;
class DUxLeaderStyle;
class FBxLayerStyle;
class RDxFragment;

class DLxCenterDatumInstance : public DLxEmblem,
                               public DUxObjectStyleInterface,
                               public DUxAddToLayerInterface {
public:
    // Object type code of origin indicators.
    static constexpr int32_t kObjectType = 0x0700AB00;
    // The warning filed for an indicator whose anchor lost its geometry: the invalid-anchor
    // warning every annotation files, so that one repair serves them all.
    static constexpr UTxResultCode kInvalidAnchorWarning = 0xA00B03E9;
    // Item id extra of the hot point at the arrowhead.
    static constexpr int32_t kHotPointId = 1;

    // Made in the fragment's segment and added to it, over the state (a new one at the origin
    // without), with a display-list state, an anchor and an arrowhead state of `arrowType`.
    DLxCenterDatumInstance(RDxFragment* fragment, const DUxLeaderStyle* leaderStyle,
                           const FBxLayerStyle* layer, DLxCenterDatumState* state,
                           uint32_t arrowType);
    explicit DLxCenterDatumInstance(const RSeStream* s);
    ~DLxCenterDatumInstance() override;
    RSeMetaType* GetMeta() const override;

    // A new indicator whose anchor is at `point`. Null without a fragment.
    static DLxCenterDatumInstance* CreateInstance(RDxFragment* fragment, const WqGePoint3d& point,
                                                  uint32_t arrowType,
                                                  const DUxLeaderStyle* leaderStyle,
                                                  const FBxLayerStyle* layer);

    DLxCenterDatumState* GetCenterDatumState() const;
    DLxAnchorPoint* GetAnchorPoint() const;
    DUxArrowHeadState* GetArrowHeadState() const;
    DUxDisplayListState* GetDisplayListState() const;
    bool GetHideSymbol() const;
    void SetHideSymbol(bool hide);
    void SetArrowHeadTemplate(const DUxArrowHeadTemplate* tmpl);
    // Sets the state's origin and the anchor's point.
    void SetCenterPoint(const WqGePoint3d& point);
    // The state's origin; the world origin without a state.
    WqGePoint3d GetCenterPoint() const;
    // Where the arrowhead is drawn: the anchor's broken-view point (its unbroken one while a
    // command computes), moved by the relative offset at the view's scale.
    WqGePoint3d GetArrowHeadPoint(bool command) const;

    int32_t GetObjectType() const { return kObjectType; }
    // "Origin Indicator", loaded once.
    static const UTxString16& GetBrowserLabel();
    DLxViewInstance* GetView() const;

    bool IsValid() const;
    // True without an anchor, or when the anchor has no view.
    bool IsDead() const;
    bool IsSuppressed() const;
    // The anchor moved away from where the state last saw it.
    bool NeedsUpdate() const;
    bool EmblemBelongsToView(const DLxViewInstance* view) const;
    // The corners of the drawn box; false without a state.
    bool GetEmblemBoundingBox(std::vector<WqGePoint3d>& points) const;

    const SMxDisplayList* GetSheetDisplayList() const override;
    bool HitTest(const WqGePoint3d& point, double tol) const override;
    UTxResult Compute(RDxComputeContext& ctx) override;
    void GetArrowHeadBoxes(std::vector<DUxArrowHeadBox>& boxes) override;
    void CleanupArrowHeadExtLines() override {}
    SmartPtr<DUxLayerStyleAbstract> ObjectStyleWrapper() override;
    void AddToLayer(CleanUpDisposition disposition) override;

    // The view of the anchor records the indicator as its origin's; `previous` (the view the
    // anchor was in before a move), when it is another view that records it, forgets it.
    void RecordWithView(DLxViewInstance* previous = nullptr);
    // Deletes the indicator with its states; the view that records it forgets it.
    void DeleteAndVacuumClean();

private:
    // The arrowhead's outline at `tip` (pointing along +X); empty without an arrowhead state.
    std::vector<WqGePoint3d> ArrowHeadOutline(const WqGePoint3d& tip) const;
};

namespace RSe {
RSeMetaType* _InitMeta(const DLxCenterDatumInstance*);
RSeMetaType* _GetMeta(const DLxCenterDatumInstance*);
} // namespace RSe
