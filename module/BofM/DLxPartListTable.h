#pragma once
// A parts list placed on a sheet. Its input states are the display-list state (0) and the
// parts-list table state (1) that holds rows, columns, filters and group settings read from the
// drawing's local bill of materials. The table itself owns little: it decides when rows are
// re-read from the bill, hands the state the display list to draw into, colours what was
// drawn by the style's text styles and applies the on-sheet manipulators' edit records.
// Every operation does nothing (or answers false, null or success) when position 1 holds no
// DLxTableStatePartlist, as a table of an older document does until it is upgraded.
#include <cstdint>

#include "BofM/DLxPartlistDVRef.h"
#include "dl/DLxEmblem.h"
#include "du/DUxAddToLayerInterface.h"
#include "du/DUxObjectStyleInterface.h"
#include "rse/RSeRef.h"
#include "utx/UTxResult.h"
#include "utx/UTxString16.h"

class DLxLocalBOM;
class DLxPartListDwgBrowserEntry;
class DLxSheet;
class FBxObjectNameKey;
class FWxDesignView;
class DLxTableStatePartlist;
class DUxDisplayListState;
class DUxTableRowFilterList;
class DUxTableStylePartsList;
class FBxLayerStyle;
class FBxObjectEditRecord;
class RDxFragment;
class RSeCloneCommander;
class RSeMetaContext;
class RSeStream;
class SMxDisplayList;
class WqGePoint3d;

class DLxPartListTable : public DLxEmblem,
                         public DUxObjectStyleInterface,
                         public DUxAddToLayerInterface {
public:
    static constexpr uint32_t kObjectType = 0x7000e00;
    // Notified on the table when its title changes.
    static constexpr int32_t kTitleChangedEvent = 4;

    // Made in the fragment's segment and added to it; without a state a default one is made.
    DLxPartListTable(RDxFragment* fragment, const RSeRef<DLxTableStatePartlist>& state);
    explicit DLxPartListTable(const RSeStream* s);
    // A deleted table tells its observers (RSe::NotifyOfDelete), takes its browser entry and
    // both input states with it, and the drawing forgets it (the bill drops its update state).
    // Undo, redo and closing leave the other objects to their images.
    ~DLxPartListTable() override;
    RSeMetaType* GetMeta() const override;

    // A new table with a new state in the fragment's segment, bound to the style (chosen from
    // the document's parts-list styles when null), reading the local bill, placed at `origin`.
    static RSeRef<DLxPartListTable> Create(RDxFragment* fragment, const WqGePoint3d& origin,
                                           const RSeRef<DLxLocalBOM>& bom,
                                           const RSeRef<DUxTableStylePartsList>& style,
                                           const RSeRef<FBxLayerStyle>& layerStyle);

    // Position 1 as a parts-list state; null for any other state or a shorter list.
    RSeRef<DLxTableStatePartlist> GetPartListTableState() const;
    DUxDisplayListState* GetDisplayListState() const;
    // The state's display list; null without the display-list state.
    SMxDisplayList* GetDisplayList() const;
    const SMxDisplayList* GetSheetDisplayList() const override { return GetDisplayList(); }
    void SetDisplayList(const SMxDisplayList& list);

    DLxPartlistDVRef& GetDesignViewRef() { return m_dvRef; }
    const DLxPartlistDVRef& GetDesignViewRef() const { return m_dvRef; }

    // The pending-refresh mark (the node's kRefreshMark): the rows are re-read from the bill at
    // the next compute, which clears it.
    bool IsPendingRefresh() const { return (GetNodeMarks() & kRefreshMark) != 0; }
    void SetPendingRefresh(bool on) { SetNodeMarks(kRefreshMark, on); }

    // ---- host overrides
    virtual uint32_t GetObjectType() const { return kObjectType; }
    UTxResult Compute(RDxComputeContext& ctx) override;
    // Message 3 marks the table edited; every message succeeds.
    virtual UTxResult ProcessMessage(int32_t message);
    // Drops the local overrides that equal the bill's values; false without a state.
    virtual bool wakeUpToOnline();
    // The manipulators' records "StretchTable", "MoveTableLine" and "TextItemEditor": every key
    // read before anything is set; a record missing one changes nothing. Always success.
    virtual UTxResult ApplyObjectEditRecord(const FBxObjectEditRecord& record);
    // Makes sure the bill keeps an update state for the table (type 2, with parts-list data
    // interested in balloon changes exactly when a ballooned-items filter is on). `update` is
    // the state to use, else the bill's for this table.
    virtual void InitAnnoUpdateState(RSeIDed* update);

    SmartPtr<DUxLayerStyleAbstract> ObjectStyleWrapper() override;
    void AddToLayer(CleanUpDisposition disposition) override;

    // ---- the table's own operations
    // False in a deferred document, without a state or bill, while the bill is unresolved, and
    // (strict) while the bill reports an error.
    bool CanEdit(bool strict) const;
    void SetFilterList(const DUxTableRowFilterList& filters);
    void SetTitle(const UTxString16& title);
    void RegisterAnnotation(RSeIDed* sheet);
    // Layer style of the parts-list style over the list; texts (and, with `colourLines`, the
    // lines that belong to them) in their text style's colour where it does not follow the
    // layer. `cleanAttributes` 1 clears what an earlier styling left first.
    void ApplyLayerStyles(int32_t cleanAttributes, bool colourLines);
    // Keeps the selected family members that the bill's factory still has; falls back to the
    // active member when none is left.
    void ValidateSelectedMembers();

    // ---- reaching the table: name key, design-view binding, browser entry
    // The key of the table's origin; false (the key unchanged) without a state.
    bool BuildObjectNameKey(FBxObjectNameKey& key, bool withParents) const;
    // The sheet the table lies on.
    DLxSheet* GetObjectNameKeyParent() const;
    // The bound design view's name; the default name when unbound, or when the bound view
    // is gone (which also unbinds).
    UTxString16 GetDesignViewName();
    // Binds the design view (null unbinds); the same view again changes nothing, a view
    // without a UFRx state is not bound.
    void BindDesignView(const RSeRef<FWxDesignView>& view);
    void CreateDesignViewInstance();
    // Binds the design view of that name when the filters hold a design-view filter, else
    // unbinds. A preview's filter keeps the name; a document's table is the filter's source.
    void UpdateDesignViewFilter(const UTxString16& name);
    // The design-view step after the filters changed.
    void RebindDesignView();
    static UTxString16 DefaultDesignViewName();
    // Lets the design-view filter ask its table for the bound name.
    static void RegisterDesignViewName();
    // The table's entry in the drawing's browser, under its sheet's entry.
    void AddDLBrowserEntry(DLxSheet* sheet);
    // The stored entry that AddDLBrowserEntry made; null when there is none.
    DLxPartListDwgBrowserEntry* FindBrowserEntry() const;

    void Load(RSeStream& s);
    // Versions 0 to 10.
    void LoadMigrate(RSeStream& s);
    void Save(RSeStream& s) const;
    void FixPtrs(RSeMetaContext& ctx);
    // Versions 0 to 5 also fix the references of their legacy record.
    void FixPtrsMigrate(RSeMetaContext& ctx);
    UTxResult PostRestore(RSeMetaContext& ctx);
    UTxResult PostRestoreMigrate(RSeMetaContext& ctx);
    UTxResult Clone(DLxPartListTable* target, RSeCloneCommander* cc) const;
    UTxResult PostClone(DLxPartListTable* source, RSeCloneCommander* cc);

private:
    // The far edge stays put under heading position 2 when the drawn height changed.
    void KeepFarEdge(DLxTableStatePartlist& state, const SMxDisplayList& list);
    // The entry goes with its table, so that the browser does not show a list that is gone.
    void DeleteBrowserEntry();

    DLxPartlistDVRef m_dvRef;
};

namespace RSe {
RSeMetaType* _InitMeta(const DLxPartListTable*);
RSeMetaType* _GetMeta(const DLxPartListTable*);
} // namespace RSe
