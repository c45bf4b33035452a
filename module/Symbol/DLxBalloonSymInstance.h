#pragma once
// A placed balloon: the table callout whose entries number rows of the drawing's local bill of
// materials. Its state (index 0) is a DLxBalloonSymState, then the display-list state and its
// leaders. Besides what the table callout does, it keeps the bill told which rows it numbers
// (its annotation update record), keeps the bill's property usage in step on every compute,
// drops entries whose rows are gone on the refresh message and deletes itself when its
// primary entry goes with them.
#include <cstdint>
#include <vector>

#include "Standard/DLxBomStdInfo.h"
#include "Symbol/DLxTableCalloutSymInstance.h"
#include "dl/DLxLocalBOMCookie.h"
#include "rse/RSeRef.h"

class DLxBalloonSymFilter;
class DLxBalloonSymState;
class DLxCBalloon;
class DLxDrawing;
class DLxLocalBOM;
class DLxSheet;
class DUxBalloonStyle;
class DUxStandardStyle;
class FBxLayerStyle;
class RSeIDed;

class DLxBalloonSymInstance : public DLxTableCalloutSymInstance {
public:
    using Balloons = std::vector<RSeRef<DLxCBalloon>>;

    static constexpr int32_t kObjectType = 0x7005800;
    // Set by the host while a configuration change may still be on its way: the refresh then
    // keeps every entry as long as some entry's configuration has one pending.
    static constexpr uint32_t kPendingConfigurationFlag = 0x00400000;
    // The bill's status bits under which its rows are not to be trusted (no assembly, ...).
    static constexpr uint32_t kUnsettledBOMStatus = 0x1 | 0x2;
    // The resource string of the kind's label and name key.
    static constexpr uint32_t kLabelStringId = 7629;

    DLxBalloonSymInstance(RDxFragment* fragment, DLxBalloonSymState* state);
    explicit DLxBalloonSymInstance(const RSeStream* s);
    // Takes the balloon's properties out of the bill's usage and tells the bill's parts lists
    // (only for a live deletion: undo, redo and closing restore the bill from its image).
    ~DLxBalloonSymInstance() override;
    RSeMetaType* GetMeta() const override;

    // A whole balloon in the fragment: its state (styled by the balloon and layer styles when
    // given), the primary entry for the node and cookie stacking in `direction`, and one leader
    // running from its end (the first point) through the others to its root. The standard
    // style is accepted for the caller's sake: the document's standard applies. The bill, the
    // registration and the compute are the caller's. Null (nothing left behind) when the
    // fragment has no segment.
    static RSeRef<DLxBalloonSymInstance>
    CreateInstance(const RSeRef<RDxFragment>& fragment, std::vector<WqGePoint3d>& points,
                   uint32_t arrowType, const RSeRef<DLxStructureNode>& node,
                   const DLxLocalBOMCookie& cookie, DLxBomStdInfo::EDirection direction,
                   const RSeRef<DUxBalloonStyle>& balloonStyle,
                   const RSeRef<FBxLayerStyle>& layerStyle,
                   const RSeRef<DUxStandardStyle>& standardStyle);

    // Null when the state is no balloon state.
    RSeRef<DLxBalloonSymState> GetBalloonSymState() const;

    // ---- the entries as balloons
    RSeRef<DLxCBalloon> GetBalloon() const;
    // Null outside the attached entries.
    RSeRef<DLxCBalloon> GetAttachedBalloon(int32_t i) const;
    RSeRef<DLxCBalloon> GetClosestBalloon(const WqGePoint3d& p) const;
    // The primary entry, then the attached ones in stack order; nothing for null or without a
    // primary entry.
    void GetAllBalloons(Balloons* out) const;

    // The primary entry's row binding; an empty cookie, a null node without one. The setters
    // tell the bill again which rows the balloon numbers.
    DLxLocalBOMCookie GetCookie() const;
    void SetCookie(const DLxLocalBOMCookie& cookie);
    RSeRef<DLxStructureNode> GetStructureNode() const;
    void SetStructureNode(const RSeRef<DLxStructureNode>& node);

    // The point that names the balloon: the primary entry's origin in x and y.
    WqGePoint3d GetKeyPoint() const;

    // ---- the kind
    int32_t GetObjectType() const override { return kObjectType; }
    UTxString16 GetBrowserLabel() const override;
    // Runs the table callout's compute, reports the balloon updated to the drawing and keeps
    // the bill's property usage in step.
    UTxResult Compute(RDxComputeContext& ctx) override;
    // Whether the balloon still numbers a row: entries whose rows are gone are detached; false
    // when the primary entry went too (or there is no bill to number from).
    bool Refresh() override;
    // Code 3: deletes the balloon when Refresh says it is gone, else marks it edited when
    // `data` is given. Always success.
    UTxResult ProcessMessage(int32_t code, void* data) override;
    bool IsDead() const override;
    // No state or no bill: the balloon has nothing to number from.
    virtual bool NeedsDeleting() const;
    // The bill came online: entries drop overrides equal to their rows' values; true when any
    // did.
    virtual bool wakeUpToOnline();

    // ---- the bill
    // Tells the bill which rows the balloon numbers, in `update` (an annotation update state)
    // or the bill's own record of this balloon; nothing without a state, a bill or a record.
    virtual void InitAnnoUpdateState(const RSeRef<RSeIDed>& update);
    // Registers the balloon with the bill for the sheet; nothing for null or without a bill.
    virtual void RegisterAnnotation(const RSeRef<DLxSheet>& sheet);
    // A new balloon filter of sub-type 1, the caller's.
    virtual DLxBalloonSymFilter* CreateSelectionFilter() const;
    virtual void DetachBalloon(const RSeRef<DLxCTableCallout>& entry);
    // A new entry at `position` for the node (taking the cookie); null when none was made.
    virtual RSeRef<DLxCTableCallout> AttachBalloonWithCookie(const WqGePoint3d& position,
                                                             const RSeRef<DLxStructureNode>& node,
                                                             DLxLocalBOMCookie cookie);
    virtual RSeRef<DLxCTableCallout> AttachBalloonWithNode(const WqGePoint3d& position,
                                                           const RSeRef<DLxStructureNode>& node);

    // ---- host overrides
    void CollectDependencies(std::vector<RDxNode*>& out) const override;
    // Treatments apply to a first leader with more than one branch only.
    bool CanApplySymbolTreatments() override;
    SmartPtr<DUxLayerStyleAbstract> ObjectStyleWrapper() override;

    // Versions 0 to 3 stored what version 4 stores (the current version has nothing of its
    // own: the table callout's part loads it); they are queued for the migrators that bind
    // older balloons to the bill and the styles.
    void LoadMigrate(RSeStream& s);
    UTxResult PostRestoreMigrate(RSeMetaContext& ctx);

private:
    DLxBalloonSymState* State() const;
    DLxLocalBOM* LocalBOM() const;
    DLxDrawing* Drawing() const;
    // Whether some entry's configuration has a change pending; clears the pending flag when
    // none has.
    bool PendingConfiguration();
    // An entry whose row the bill still finds, by its cookie or else by its node.
    bool IsEntryValid(DLxLocalBOM* bom, const DLxCBalloon& entry) const;
    // What the balloon owes the bill when it goes: its properties leave the usage and the
    // parts lists that show balloons' rows are told.
    void LeaveBOM();
};

namespace RSe {
RSeMetaType* _InitMeta(const DLxBalloonSymInstance*);
RSeMetaType* _GetMeta(const DLxBalloonSymInstance*);
} // namespace RSe
