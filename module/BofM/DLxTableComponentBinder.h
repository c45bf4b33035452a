#pragma once
// Rows of an older parts list's component properties table. A binder ties one row to its
// component, gives the row's values, quantity, tag and expand marker, holds the rows below it
// while it is expanded, and merges components of the same data source (the same document)
// into one row. Current code makes them only while it binds or upgrades older parts lists.
#include <cstdint>
#include <vector>

#include "rse/RSeIDed.h"
#include "rse/RSeRef.h"
#include "utx/UTxResult.h"
#include "utx/UTxString16.h"

class DLxPartListComponent;
class DLxPartListProperty;
class DLxPartListPropertyId;
class DLxPartListTablePropertyQuantity;
class DLxStructureNode;
class DLxTagManager;

class DLxPartListPropertiesTableComponent : public RSeIDed {
public:
    DLxPartListPropertiesTableComponent() = default;
    explicit DLxPartListPropertiesTableComponent(const RSeStream*) {}
    RSeMetaType* GetMeta() const override;

    virtual RSeRef<DLxPartListProperty> GetProperty(const DLxPartListPropertyId& id) = 0;
    virtual int32_t GetCachedQuantity(bool structured) const = 0;
    virtual UTxString16 GetComponentTag(bool structured) const = 0;
    virtual bool CollectSubComponents(bool structured) = 0;
    virtual bool HandOverSubComponents(DLxPartListPropertiesTableComponent* other,
                                       bool structured) = 0;
    virtual std::vector<RSeRef<DLxPartListPropertiesTableComponent>> CreateSubBinders() = 0;
    virtual UTxString16 GetExpandMarker() const = 0;
    virtual bool IsExpanded() const = 0;
    virtual void Expand() = 0;
    virtual void Collapse() = 0;
    virtual bool RemoveMergedFrom(DLxPartListPropertiesTableComponent* other) = 0;
    virtual bool MergeComponent(const RSeRef<DLxPartListComponent>& component,
                                DLxPartListPropertiesTableComponent* origin) = 0;
    virtual bool HasNoComponent() const = 0;
    virtual bool Audit(bool restore) = 0;
    virtual bool IsSameDataSource(const DLxPartListPropertiesTableComponent* other) const = 0;
    virtual RSeRef<DLxPartListComponent> GetComponent() const = 0;
    virtual bool IsShown(bool withChildren) const = 0;
    virtual void SetShown(bool shown) = 0;
    virtual RSeRef<DLxTagManager> GetTagManager() const = 0;
    virtual bool IsCustom() const = 0;
};

class DLxTableComponentBinder : public DLxPartListPropertiesTableComponent {
public:
    using Binders = std::vector<RSeRef<DLxTableComponentBinder>>;

    explicit DLxTableComponentBinder(const RSeRef<DLxPartListComponent>& component);
    // A child row.
    DLxTableComponentBinder(DLxTableComponentBinder* parent,
                            const RSeRef<DLxPartListComponent>& component);
    // A row made only of a merged component and the row it came from.
    DLxTableComponentBinder(const RSeRef<DLxPartListComponent>& merged,
                            DLxPartListPropertiesTableComponent* origin);
    explicit DLxTableComponentBinder(const RSeStream* s) : DLxPartListPropertiesTableComponent(s) {}
    ~DLxTableComponentBinder() override;
    RSeMetaType* GetMeta() const override;

    // The quantity is a property of the row (made once); any other is the component's.
    RSeRef<DLxPartListProperty> GetProperty(const DLxPartListPropertyId& id) override;
    // The own component's; 0 for a row made only of merged components.
    int32_t GetCachedQuantity(bool structured) const override;
    UTxString16 GetComponentTag(bool structured) const override;
    bool CollectSubComponents(bool structured) override;
    // Gives the other row the candidates of its data source, merged, with its quantity.
    bool HandOverSubComponents(DLxPartListPropertiesTableComponent* other,
                               bool structured) override;
    // A row per candidate, merging candidates of one data source; the candidates are handed.
    std::vector<RSeRef<DLxPartListPropertiesTableComponent>> CreateSubBinders() override;
    // "+" or "-" for a composite component, else empty.
    UTxString16 GetExpandMarker() const override;
    bool IsExpanded() const override { return m_expanded; }
    void Expand() override;
    void Collapse() override;
    bool RemoveMergedFrom(DLxPartListPropertiesTableComponent* other) override;
    bool MergeComponent(const RSeRef<DLxPartListComponent>& component,
                        DLxPartListPropertiesTableComponent* origin) override;
    bool HasNoComponent() const override { return !GetComponent(); }
    // Whether the row's components still reach their data; a failed row is reconnected
    // (restore) and loses its merged components, quantity property and expansion.
    bool Audit(bool restore) override;
    bool IsSameDataSource(const DLxPartListPropertiesTableComponent* other) const override;
    // The own component, else the first merged one, else null.
    RSeRef<DLxPartListComponent> GetComponent() const override;
    bool IsShown(bool withChildren) const override;
    void SetShown(bool shown) override;
    RSeRef<DLxTagManager> GetTagManager() const override;
    bool IsCustom() const override;

    const Binders& GetChildren() const { return m_children; }
    DLxTableComponentBinder* GetParent() const;
    const std::vector<RSeRef<DLxPartListComponent>>& GetMergedComponents() const {
        return m_merged;
    }
    size_t CandidateCount() const { return m_candidates.size(); }
    // Appends the rows below this one, depth first, while it is expanded.
    void CollectChildren(Binders& out) const;
    // Lets go of the rows below (deleting them when `remove`), collapsing the bill's row of
    // the component's node with `collapseNodes`; nothing unless expanded or removing.
    bool ReleaseChildren(bool remove, bool collapseNodes);
    // Binds the expanded row's children to the occurrences below `node`: children keep their
    // occurrence when the node still has it, lose their row otherwise, and new occurrences get
    // new rows; expanded children follow their own nodes.
    void AttachTagManagerNode(const RSeRef<DLxStructureNode>& node);

    void Load(RSeStream& s);
    // Version 0 had no children, parent, shown flag, text or number; version 1 is current.
    void LoadMigrate(RSeStream& s);
    void Save(RSeStream& s) const;
    void FixPtrs(RSeMetaContext& ctx);
    void FixPtrsMigrate(RSeMetaContext& ctx) { FixPtrs(ctx); }
    UTxResult Clone(DLxTableComponentBinder* target, RSeCloneCommander* cc) const;

private:
    static DLxTableComponentBinder* New(RSeSegment* seg, DLxTableComponentBinder* parent,
                                        const RSeRef<DLxPartListComponent>& component);

    RSeRef<DLxPartListComponent> m_component; // owned
    Binders m_children;                       // owned
    RSeRef<DLxTableComponentBinder> m_parent;
    UTxString16 m_text;
    int32_t m_number = 1;
    std::vector<RSeRef<DLxPartListComponent>> m_merged; // owned
    std::vector<RSeRef<DLxPartListPropertiesTableComponent>> m_mergedOrigins;
    RSeRef<DLxPartListTablePropertyQuantity> m_quantity; // owned
    // Not stored: sub-components collected for expansion and not yet handed to a row.
    std::vector<RSeRef<DLxPartListComponent>> m_candidates;
    std::vector<RSeRef<DLxPartListPropertiesTableComponent>> m_candidateOrigins;
    bool m_expanded = false;
    bool m_shown = true;
};

namespace RSe {
RSeMetaType* _InitMeta(const DLxPartListPropertiesTableComponent*);
RSeMetaType* _GetMeta(const DLxPartListPropertiesTableComponent*);
RSeMetaType* _InitMeta(const DLxTableComponentBinder*);
RSeMetaType* _GetMeta(const DLxTableComponentBinder*);
} // namespace RSe
