#pragma once
// A placed table callout: the symbol that carries its state's stack of entries at the end of a
// leader. Every compute moves the stack to the leader's attach point and turns it to the
// leader's side; the entries' outlines are the boxes that clip other annotations and the
// leaders, and the leaders of sketched balloons are trimmed at the sketch's outline. Dragging
// snaps the symbol onto the edge its leader is attached to. Kinds supply the object type, the
// browser label and their state.
#include <cstdint>
#include <vector>

#include "Symbol/DLxSymInstance.h"
#include "fw/SmartPtr.h"
#include "rse/RSeRef.h"
#include "utx/UTxString16.h"

class DLxCTableCallout;
class DLxStructureNode;
class DLxTableCalloutSymState;
class RDxFragment;

class DLxTableCalloutSymInstance : public DLxSymInstance {
public:
    using Entries = std::vector<RSeRef<DLxCTableCallout>>;
    // The balloon type whose entries are drawn from sketched symbols.
    static constexpr int32_t kSketchedBalloonType = 7;
    // Item id of the outline polylines that a sketched balloon puts straight into its symbol
    // list.
    static constexpr int32_t kSketchOutlineItemId = -666;

    DLxTableCalloutSymInstance(RDxFragment* fragment, DLxTableCalloutSymState* state);
    explicit DLxTableCalloutSymInstance(const RSeStream* s);
    ~DLxTableCalloutSymInstance() override;
    RSeMetaType* GetMeta() const override;

    virtual int32_t GetObjectType() const = 0;
    virtual UTxString16 GetBrowserLabel() const = 0;
    // Whether the callout still stands: false makes a refresh message delete it.
    virtual bool Refresh() { return true; }

    DLxTableCalloutSymState* GetTableCalloutSymState() const;

    // ---- the stack, as the state holds it
    RSeRef<DLxCTableCallout> GetBalloon() const;
    UTxResult SetBalloon(const RSeRef<DLxCTableCallout>& entry);
    // Null outside the attached entries.
    RSeRef<DLxCTableCallout> GetAttachedBalloon(int32_t i) const;
    Entries GetAttachedBalloons() const;
    uint32_t AttachedCount() const;
    // The primary entry, then the attached ones; nothing without a primary entry.
    void GetAllBalloons(Entries* out) const;
    // The position in GetAllBalloons; -1 when the entry is not in the stack.
    int32_t GetBalloonIndex(const RSeRef<DLxCTableCallout>& entry) const;
    // Null out of range.
    RSeRef<DLxCTableCallout> GetBalloonAt(int32_t i) const;
    RSeRef<DLxCTableCallout> GetClosestBalloon(const WqGePoint3d& p) const;
    RSeRef<DLxCTableCallout> AttachNewBalloon(const WqGePoint3d& p,
                                              const RSeRef<DLxStructureNode>& node);
    bool RemoveBalloon(const RSeRef<DLxCTableCallout>& entry);
    void ReIndexBalloons();
    void AlignBalloons(const WqGeVector3d& v);
    void FlipBalloons(const WqGeVector3d& v);

    // The primary entry's origin; (0,0,0) without one.
    WqGePoint3d GetSubSymbolOrigin() const;
    void SetSubSymbolOrigin(const WqGePoint3d& p);

    // Which of the style's leader styles the leaders are drawn with; not stored (true after
    // construction and every load). A preview copy in a transient segment does not carry it and
    // answers by its anchors: the primary style when any of them is on geometry.
    bool UsesPrimaryLeaderStyle() const;
    void UsesPrimaryLeaderStyle(bool on);

    // Candidate places for attaching `entry` to the stack: left or right of the primary entry
    // (both for a vertical first leader segment), then above and below. Moves the primary
    // entry to the leader's root.
    void AttachPositions(std::vector<WqGePoint3d>& out, const RSeRef<DLxCTableCallout>& entry);

    // The entry's outline with its origin as a clipping box of this symbol; nothing for null.
    virtual void GetBalloonBoundaryBox(std::vector<DUxArrowHeadBox>& boxes,
                                       const RSeRef<DLxCTableCallout>& entry);

    // Trims leader 0's branches in `leaderList` (the instance's leader list when null) where they
    // first cross the outline of a sketched balloon, coming from their ends.
    void Cleanup(SMxDisplayList* leaderList);

    // Code 3 (refresh): marks the callout edited, or deletes it when Refresh says it is gone.
    static constexpr int32_t kRefreshMessage = 3;
    virtual UTxResult ProcessMessage(int32_t code, void* data);

    // ---- host overrides
    UTxResult Compute(RDxComputeContext& ctx) override;
    void GetArrowHeadBoxes(std::vector<DUxArrowHeadBox>& boxes) override;
    SmartPtr<DUxLeaderStyleWrapper> GetLeaderStyleWrapper() const override;
    const DUxTextStyleWrapper* GetTextStyleWrapper() const override;
    // Table callouts have no layer style of their own.
    SmartPtr<DUxLayerStyleAbstract> ObjectStyleWrapper() override;
    void TransformInstance(SMxChildItem* symbol, SMxChildItem* text, SMxChildItem* leader,
                           void* sceneNode, const WqGeVector3d& centre, const WqGeVector3d& attach,
                           const WqGeVector3d& offset, double angle) override;
    using DLxSymInstance::Cleanup;
    void Cleanup(std::vector<DUxArrowHeadBox>& boxes, SMxDisplayList& list, bool flag) override;
    using DLxSymInstance::MoveSymbolBox;
    void MoveSymbolBox(const WqGePoint3d& target, int32_t leader, const WqGePoint3d& cursor) override;
    bool AllowFreeAnchors() const override { return true; }

    void Load(RSeStream& s);
    void LoadMigrate(RSeStream& s);

protected:
    void ClearAttachedTableCallouts();

private:
    // Puts leader `tree`'s root at `point` (an unbroken position) moved by `offset`.
    void SetRoot(DUxLeaderNodeTree* tree, const WqGePoint3d& point, const WqGeVector3d& offset);

    bool m_usesPrimaryLeaderStyle = true;
    // The wrappers last handed out, kept alive for the callers of the style getters.
    mutable SmartPtr<DUxLeaderStyleWrapper> m_leaderStyle;
    mutable SmartPtr<DUxTextStyleWrapper> m_textStyle;
};

namespace RSe {
RSeMetaType* _InitMeta(const DLxTableCalloutSymInstance*);
RSeMetaType* _GetMeta(const DLxTableCalloutSymInstance*);
} // namespace RSe
