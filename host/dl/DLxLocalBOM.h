#pragma once
// The drawing's local bill of materials: the rows a parts list or a balloon shows of the
// assembly the drawing documents, and the drawing's own changes to them.
//
// Contract (what parts lists, balloons and their requests rely on):
// - Model. A bill lists the drawing's assembly (DLxAssemblyData), which the manager attaches;
//   the assembly is not stored with the bill, only the bill's own state is, and a bill
//   loaded with its drawing lists the drawing's assembly (DLxDrawingAssembly). Without an
//   attached assembly the status has bit 0x1 (references unresolved) and queries fail.
// - Schemes. A structured bill (scheme 1) lists the root's children, one row per component
//   under one parent with the summed quantity of its occurrences, in the order the components
//   first occur; a sub-assembly row is expandable and its rows follow it when it is expanded
//   (by default when the scheme lists all levels). A parts-only bill (scheme 2) lists every
//   part once, at the top level, with its total quantity through every level. Custom rows
//   follow the model's rows, in the order they were added.
// - Rows are named by DLxLocalBOMCookie (path of assembly components and item), which does not
//   change while the assembly keeps the component under that path: state stored under a
//   cookie comes back whatever the query's grouping, sorting or expansion.
// - Item numbers. Model rows are numbered 1, 2, ... at the top level in model order, a
//   sub-row as its parent's number, the scheme's delimiter and its position ("4.1"); custom
//   rows continue the top-level numbers. A number set on a row replaces its own.
// - Cells. A cell's value is, first, a value set on the row (an override of a model row, the
//   value of a custom row), then the model's property. A custom row's quantity is its
//   Quantity cell, 1 until set.
// - Grouping (DLxLocalBOMGroupSettings, see DLxLocalBOMQuery.h): sibling rows whose key
//   columns (up to three) all read the same are merged into one grouped row at the place of
//   the first; its quantity is the sum, a key cell their common value, any other cell the
//   value all participants share or empty. Custom rows, and rows whose key cells are all
//   empty, are never merged.
// - Status bits are plain words: 0x1 unresolved, 0x2 error, 0x10 and 0x20 update required.
// - Occurrences. An occurrence path (the occurrence ids from the root's child down, as view
//   edges and structure nodes keep it) names one row: CookieOfOccurrencePath.
// - Storage. Overrides, custom rows, item numbers, expansion, hidden rows, the property
//   usage, the status, the row-key mode, the update states of the annotations placed from
//   the bill, its component objects and its configuration are stored: they take part in
//   save, load, undo, redo and replay, and maps are saved in key order, so the saved bytes
//   depend on content only. Every setter records the object first (RSe::PrepareWrite).
//
// The family: DLxLocalBOMMgr finds and makes bills; DLxLocalBOMQuery, DLxLocalBOMRows and
// DLxLocalBOMRow read them; DLxLocalBOMCookie and DLxLocalBOMColumn name rows and columns;
// GBxBOMDescriptor answers the model's scheme settings; DLxAnnotationUpdateState keeps the
// annotations; DLxConfiguration, DLxTagManager and DLxStructureNode give the structure that
// annotations keep, and the DLxComponentProxy kinds what the older parts lists ask of a row;
// DLxLocalBOMPrint writes a bill as text. The shared test assembly is tests/support/
// KorvuBOMFixture.h.
#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "dc/RDxObject.h"
#include "dl/DLxLocalBOMColumn.h"
#include "dl/DLxLocalBOMCookie.h"
#include "rse/RSeRef.h"

class DLxAnnotationUpdateState;
class DLxConfiguration;
class DUxRowKey;
struct DLxAssemblyComponent;
struct DLxAssemblyData;
struct DLxAssemblyOccurrence;
class GBxBOMDescriptor;
class RDxComponent;
class RSeSegment;

class DLxLocalBOM : public RDxObject {
public:
    enum Scheme : int32_t { kStructured = 1, kPartsOnly = 2 };
    static constexpr uint32_t kStatusUnresolved = 0x1;
    static constexpr uint32_t kStatusError = 0x2;
    static constexpr uint32_t kStatusUpdateRequired = 0x10;
    static constexpr uint32_t kStatusUpdateRequiredAll = 0x20;

    DLxLocalBOM();
    explicit DLxLocalBOM(const RSeStream* s);
    ~DLxLocalBOM() override;
    RSeMetaType* GetMeta() const override;

    // A new bill of that scheme in the segment, with no assembly attached yet.
    static DLxLocalBOM* Create(RSeSegment* segment, int32_t scheme);

    int32_t GetSchemeID() const { return m_scheme; }
    // Lists the model as the other scheme from now on; the rows' stored state stays under
    // their keys (a structured row's and a part's differ only below the top level).
    void SetSchemeID(int32_t scheme);
    // How rows merge by their row keys, as the parts-list records give it; kept, not read.
    int32_t RowKeyMode() const { return m_rowKeyMode; }
    void SetRowKeyMode(int32_t mode);
    // Row-merge keys of the older bills, as the parts-list records give them (key type,
    // general property id, custom property name); kept, not read. Stored from version 1 on.
    struct RowKey {
        int32_t type = 0;
        int32_t general = -1;
        std::u16string custom;
        bool operator==(const RowKey&) const = default;
    };
    const std::vector<RowKey>& GetRowKeys() const { return m_rowKeys; }
    void SetRowKeys(const std::vector<const DUxRowKey*>& keys);
    // Reads the attached model's structure again, keeping the update bits.
    void UpdateStructure();
    // Reads the attached model again (after it changed) and clears the update bits.
    void Refresh();
    // This host keeps no bills of the older kind.
    bool IsLegacyBOM() const { return false; }
    bool IsPartsOnlyBOM() const { return m_scheme == kPartsOnly; }
    // The root of the attached model is an assembly (not a lone part document).
    bool IsAssemblyBased() const;

    // The model the bill lists. The drawing's own assembly is followed through undo, redo and
    // DLxDrawingDoc::SetAssembly; any other model the caller keeps alive while it is attached,
    // and attaches again after changing it. Null detaches.
    void Attach(const DLxAssemblyData* assembly);
    const DLxAssemblyData* GetAssembly() const { return Assembly(); }
    // Follow the drawing's own assembly (DLxDrawingAssembly of this database), whatever state
    // an undo, a redo or a change of the drawing puts it in.
    void FollowDrawing();
    // The model's bill-of-materials settings; null without an attached assembly.
    const GBxBOMDescriptor* GetDescriptor() const { return Assembly() ? m_descriptor.get() : nullptr; }
    // The model's root component; null without one.
    const DLxAssemblyComponent* GetMasterComponent() const;
    // The stored component object of a model component (of the root for the master), made in
    // the bill's segment on first asking and refreshed from the model at every asking; null
    // without the model or for a component it does not have.
    RDxComponent* GetRDxComponent(int32_t id);
    RDxComponent* GetMasterRDxComp();
    const DLxAssemblyComponent* FindComponent(int32_t id) const;

    // The stored status bits, with 0x1 while no assembly is attached.
    uint32_t GetBOMStatus(bool refresh = false) const;
    void SetStatusOn(uint32_t bits);
    void UnsetFlag(uint32_t bits);
    // A user's text for a status word (the most serious bit set); empty for 0.
    static std::u16string GetErrorDescription(uint32_t status);

    // Custom rows: items that the model does not hold.
    DLxLocalBOMCookie AddCustom();
    size_t NumOfCustoms() const { return m_customs.size(); }
    // The cookie of the custom row at that index; an empty cookie past the end.
    DLxLocalBOMCookie CustomAt(size_t index) const;
    // The index of a custom item among the custom rows; NumOfCustoms() when it is not one.
    size_t CustomIndex(int32_t item) const;
    // Drops a custom row and its state; false for anything else.
    bool RemoveCustom(const DLxLocalBOMCookie& cookie);

    // Row state, stored under single cookies; a grouped cookie acts on each of its items.
    // SetCellOverride refuses the Item column (item numbers have SetItemNumber) and a row
    // the bill does not have; an empty text clears.
    bool SetCellOverride(const DLxLocalBOMCookie& cookie, const DLxLocalBOMColumn& column,
                         const std::u16string& text);
    bool GetCellOverride(const DLxLocalBOMCookie& cookie, const DLxLocalBOMColumn& column,
                         std::u16string& text) const;
    bool ClearCellOverride(const DLxLocalBOMCookie& cookie, const DLxLocalBOMColumn& column);
    // An empty number gives the row its own number back.
    bool SetItemNumber(const DLxLocalBOMCookie& cookie, const std::u16string& number);
    bool GetItemNumberOverride(const DLxLocalBOMCookie& cookie, std::u16string& number) const;
    // Whether some row's item number was set.
    bool IsAnyOfDetailIDsOverriden() const { return !m_itemNumbers.empty(); }
    bool IsExpanded(const DLxLocalBOMCookie& cookie) const;
    void SetExpanded(const DLxLocalBOMCookie& cookie, bool expanded);
    // A row hidden by the bill stays in the results with row flag 0x2.
    bool IsRowHidden(const DLxLocalBOMCookie& cookie) const;
    void SetRowHidden(const DLxLocalBOMCookie& cookie, bool hidden);

    // The properties the drawing's parts lists show. AddPropID2Usage answers whether the
    // column was new.
    bool AddPropID2Usage(const DLxLocalBOMColumn& column);
    bool RemovePropIDFromUsage(const DLxLocalBOMColumn& column);
    bool IsPropIDInUse(const DLxLocalBOMColumn& column) const;
    void ClearPropIDsInUse();
    // A property whose value depends on the family-table member: with a factory in the model,
    // every model property but the item and the quantity. The flag (several members kept on a
    // bill that is not assembly based) makes it so even without a factory.
    bool IsMemberSpecificProperty(const DLxLocalBOMColumn& column, bool severalMembers) const;

    // Annotations placed from the bill (parts lists, balloons), each with its update state,
    // which the bill owns. RegisterAnnotation finds the annotation's state, or makes one when
    // `create`, and sets its sheet; null for a null annotation.
    DLxAnnotationUpdateState* RegisterAnnotation(RSeIDed* sheet, RSeIDed* annotation, bool create);
    DLxAnnotationUpdateState* FindAnnotationUpdateState(const RSeIDed* annotation) const;
    bool GetAnnotationState(const RSeIDed* annotation, DLxAnnotationUpdateState*& out) const;
    bool IsRelatedAnnotation(const RSeIDed* annotation) const;
    // Whether an annotation that still exists is registered.
    bool HasRelatedAnnotations() const;
    // False when the annotation is not registered.
    bool SetAnnotationDirty(const RSeIDed* annotation);
    // Marks dirty the annotations on that sheet (every sheet for null); answers how many.
    int32_t NotifyAnnotationUpdateStates(const RSeIDed* sheet, bool force);
    // The same for the parts lists alone (update type 2), whose "ballooned" rows change; a
    // parts list whose DLxPartListUpdateData is not interested in balloon changes is left.
    int32_t NotifyPLsInterestedInBalloonChanges(const RSeIDed* sheet);
    // Marks the dirty annotations edited, so they recompute, and clears their dirt.
    int32_t MarkDirtyAnnotationsEdited();
    // Forgets the annotation (null: every annotation that no longer exists), deleting its
    // state; answers whether a state went.
    bool PurgeAnnotation(const RSeIDed* annotation);
    // Every update state, in registration order.
    std::vector<DLxAnnotationUpdateState*> GetAnnotationStates() const;
    // The bill's configuration, made in its segment when `create`.
    DLxConfiguration* GetConfiguration(bool create);
    // Deletes every update state and component object (the bill is going).
    void ReleaseAnnotations();
    // Adds the rows that visible balloons of the bill show.
    void GetBalloonCookieSet(std::set<DLxLocalBOMCookie>& out) const;

    // Writes the overrides of model properties into the components of `model` (a copy of the
    // attached assembly that the caller then keeps) and drops them; answers how many values
    // were written. Rows that stand for the same component write in cookie order.
    int32_t PushBack(DLxAssemblyData& model);

    // The same by the stored keys of a single row and of a column, as a query reads them.
    bool FindCellOverride(const std::u16string& rowKey, const std::u16string& columnKey,
                          std::u16string& text) const;
    // False when no cell of any row is overridden: a query asks before making the keys.
    bool HasCellOverrides() const { return !m_overrides.empty(); }
    bool FindItemNumber(const std::u16string& rowKey, std::u16string& number) const;
    // Whether the row has an override that push-back would write into the model.
    bool HasModelOverride(const std::u16string& rowKey) const;

    // The model's value of a component's cell (no override); the Item and Quantity columns
    // have none.
    std::u16string ModelValue(const DLxAssemblyComponent& component,
                              const DLxLocalBOMColumn& column) const;

    // The model as the query walks it: components under an assembly (structured) or every
    // part with its total (parts only), built on first use after Attach.
    struct Entry {
        int32_t component;
        int32_t quantity;
    };
    const std::vector<Entry>& ChildrenOf(int32_t assembly) const;
    const std::vector<Entry>& AllParts() const;
    bool IsAssemblyComponent(int32_t id) const;
    bool HasCustom(int32_t item) const;
    // The row of one occurrence of the model, named by its occurrence path (the ids of the
    // occurrences from the root's child down to it, as view edges keep it): in a structured
    // bill the row of its component under the components above it, in a parts-only bill the
    // row of its part. An empty cookie for a path that does not go down the model, and for an
    // assembly in a parts-only bill.
    DLxLocalBOMCookie CookieOfOccurrencePath(const std::vector<int32_t>& occurrences) const;
    // The occurrence of that id; null when the model has none.
    const DLxAssemblyOccurrence* FindOccurrence(int32_t id) const;
    // A single row's quantity and item number as a query gives them, without running one
    // (what a component proxy asks row by row); 0 and empty for a row the bill does not have.
    int32_t QuantityOf(const DLxLocalBOMCookie& cookie) const;
    std::u16string ItemNumberOf(const DLxLocalBOMCookie& cookie) const;
    // A component's quantity directly under an assembly, and through every level below the
    // root (parts only; 0 for an assembly); 0 where it does not occur.
    int32_t QuantityUnder(int32_t assembly, int32_t component) const;
    int32_t TotalQuantity(int32_t component) const;
    // Whether the bill has a row of that single cookie (its path and component exist).
    bool HasRow(const DLxLocalBOMCookie& cookie) const;

    void Load(RSeStream& s);
    // Version 0: no row keys.
    void LoadMigrate(RSeStream& s);
    void Save(RSeStream& s) const;
    void FixPtrs(RSeMetaContext& ctx);
    // The assembly is not stored with the bill: a loaded bill (one without a model) lists the
    // drawing's own.
    UTxResult PostRestore(RSeMetaContext& ctx);
    UTxResult Clone(DLxLocalBOM* target, RSeCloneCommander* cc) const;

private:
    using Cells = std::map<std::u16string, std::u16string>; // column key -> text
    struct Model;
    const Model& GetModel() const;

    // Stored.
    int32_t m_scheme = kStructured;
    uint32_t m_status = 0;
    int32_t m_rowKeyMode = 0;
    std::vector<RowKey> m_rowKeys;
    int32_t m_lastCustom = 0;
    std::vector<int32_t> m_customs;              // custom items (negative), in order
    std::map<std::u16string, Cells> m_overrides; // row key -> cells
    std::map<std::u16string, std::u16string> m_itemNumbers;
    std::map<std::u16string, bool> m_expanded; // against the scheme's default
    std::set<std::u16string> m_hidden;
    std::set<std::u16string> m_propsInUse;
    std::vector<RSeRef<DLxAnnotationUpdateState>> m_annotations; // owned
    std::vector<RSeRef<RDxComponent>> m_components;              // owned
    RSeRef<DLxConfiguration> m_configuration;

    // The attached model, found again after anything put objects back when it is the drawing's.
    const DLxAssemblyData* Assembly() const;
    void Derive(const DLxAssemblyData* assembly) const;

    // Not stored: the attached model and what is derived from it.
    mutable const DLxAssemblyData* m_assembly = nullptr;
    mutable std::unique_ptr<GBxBOMDescriptor> m_descriptor;
    mutable std::unique_ptr<Model> m_model;
    bool m_followsDrawing = false;
    // A restore count never reached: the drawing's assembly is derived on first use.
    static constexpr uint64_t kNotYetDerived = ~uint64_t(0);
    mutable uint64_t m_restoreSeen = 0;
};

namespace RSe {
RSeMetaType* _InitMeta(const DLxLocalBOM*);
RSeMetaType* _GetMeta(const DLxLocalBOM*);
} // namespace RSe
