#pragma once
// The row filters of a parts list, over rows of the local bill of materials (DLxLocalBOMRow).
// A row the host does not give as a local-BOM row is never hidden by the purchased, standard,
// ballooned or design-view filter. Settings survive storage, edit records and copies; what a
// filter gathers for a pass (balloon cookies, parsed ranges) lives only within that pass.
// Filters are stored objects and are not copied as values: the virtual operator= from a filter
// takes another's settings, Clone copies for storage.
// A filter's edit record (DUxTableRowFilterList's "Filter") holds, after the base's values, the
// class's one setting: purchased-only or standard-only (bool), the range string or the
// design-view name (text); the filter dialog's XML names them "Purchased_Only",
// "Standard_Only", "Range_String" and "Design_View".
#include <set>
#include <vector>

#include "BofM/DLxItemRangeStringParser.h"
#include "dl/DLxLocalBOMCookie.h"
#include "du/DUxTableRowFilter.h"

class DLxLocalBOM;
class FWxDesignView;
class RDxComponent;

class DLxPartlistFilterPurchased : public DUxTableRowFilter {
public:
    DLxPartlistFilterPurchased() { Init(); }
    explicit DLxPartlistFilterPurchased(const RSeStream* s) : DUxTableRowFilter(s) {}
    explicit DLxPartlistFilterPurchased(const FBxObjectEditRecord* record);
    RSeMetaType* GetMeta() const override;

    bool PurchasedOnly() const { return m_purchasedOnly; }
    void SetPurchasedOnly(bool only);

    DUxTableRowFilter& operator=(const DUxTableRowFilter& other) override;
    bool operator==(const DUxTableRowFilter& other) const override;
    void Init() override;
    FilterType GetFilterType() const override { return ePurchasedFilter; }
    void InitObjectEditRecord(FBxObjectEditRecord* record) const override;
    void LoadAttributes(const FBxXmlElement& element, int32_t version) override;
    int32_t SaveAttributes(FBxXmlElement& element,
                           std::vector<FBxXmlElement*>* extra) const override;
    UTxString16 DisplayName() const override;
    // Purchased-only shows only purchased items (item code 2); otherwise only the others.
    bool FilterOut(DUxTableDataQueryResultRow* row) override;

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    UTxResult Clone(DLxPartlistFilterPurchased* target, RSeCloneCommander* cc) const;

private:
    bool m_purchasedOnly = false;
};

class DLxPartlistFilterStandard : public DUxTableRowFilter {
public:
    DLxPartlistFilterStandard() { Init(); }
    explicit DLxPartlistFilterStandard(const RSeStream* s) : DUxTableRowFilter(s) {}
    explicit DLxPartlistFilterStandard(const FBxObjectEditRecord* record);
    RSeMetaType* GetMeta() const override;

    bool StandardOnly() const { return m_standardOnly; }
    void SetStandardOnly(bool only);

    DUxTableRowFilter& operator=(const DUxTableRowFilter& other) override;
    bool operator==(const DUxTableRowFilter& other) const override;
    void Init() override;
    FilterType GetFilterType() const override { return eStandardFilter; }
    void InitObjectEditRecord(FBxObjectEditRecord* record) const override;
    void LoadAttributes(const FBxXmlElement& element, int32_t version) override;
    int32_t SaveAttributes(FBxXmlElement& element,
                           std::vector<FBxXmlElement*>* extra) const override;
    UTxString16 DisplayName() const override;
    // Standard-only shows only standard parts; otherwise only the others. A row without a
    // model component (custom, grouped) is not a standard part.
    bool FilterOut(DUxTableDataQueryResultRow* row) override;

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    UTxResult Clone(DLxPartlistFilterStandard* target, RSeCloneCommander* cc) const;

protected:
    static bool IsStandardPart(const DUxTableDataQueryResultRow* row);

private:
    bool m_standardOnly = false;
};

class DLxPartlistFilterBallooned : public DUxTableRowFilter {
public:
    DLxPartlistFilterBallooned() { Init(); }
    explicit DLxPartlistFilterBallooned(const RSeStream* s) : DUxTableRowFilter(s) {}
    explicit DLxPartlistFilterBallooned(const FBxObjectEditRecord* record)
        : DUxTableRowFilter(record) {}
    RSeMetaType* GetMeta() const override;

    DUxTableRowFilter& operator=(const DUxTableRowFilter& other) override;
    bool operator==(const DUxTableRowFilter& other) const override;
    FilterType GetFilterType() const override { return eBalloonedFilter; }
    UTxString16 DisplayName() const override;
    // Shows the rows some visible balloon of the row's bill shows.
    bool FilterOut(DUxTableDataQueryResultRow* row) override;
    void PreFilterOut(DUxTableDataQueryResultRow* row) override;
    void PostFilterOut() override;

private:
    std::set<DLxLocalBOMCookie> m_cookies;
    const DLxLocalBOM* m_gathered = nullptr; // the bill whose balloons are in the set
};

class DLxPartlistFilterItemRange : public DUxTableRowFilter {
public:
    DLxPartlistFilterItemRange() { Init(); }
    explicit DLxPartlistFilterItemRange(const RSeStream* s) : DUxTableRowFilter(s) {}
    explicit DLxPartlistFilterItemRange(const FBxObjectEditRecord* record);
    RSeMetaType* GetMeta() const override;

    const UTxString16& RangeString() const { return m_rangeString; }
    void SetRangeString(const UTxString16& text);

    DUxTableRowFilter& operator=(const DUxTableRowFilter& other) override;
    bool operator==(const DUxTableRowFilter& other) const override;
    void Init() override;
    FilterType GetFilterType() const override { return eItemRangeFilter; }
    void InitObjectEditRecord(FBxObjectEditRecord* record) const override;
    void LoadAttributes(const FBxXmlElement& element, int32_t version) override;
    int32_t SaveAttributes(FBxXmlElement& element,
                           std::vector<FBxXmlElement*>* extra) const override;
    UTxString16 DisplayName() const override;
    // Shows the rows whose item number lies in one of the ranges (in the natural order of
    // item numbers); an invalid or empty range string hides every row.
    bool FilterOut(DUxTableDataQueryResultRow* row) override;
    void PreFilterOut(DUxTableDataQueryResultRow* row) override;
    void PostFilterOut() override;

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    UTxResult Clone(DLxPartlistFilterItemRange* target, RSeCloneCommander* cc) const;

private:
    UTxString16 m_rangeString;
    std::vector<DLxItemRangeStringParser::Range> m_ranges;
};

// Follows the design view of a parts list (the table reference) or a design view named by
// text (a filter outside the document: the filter dialog's copy, a preview).
class DLxPartlistFilterDesignView : public DUxTableRowFilter {
public:
    // The design-view name of a referenced table; the table's own class answers it.
    using TableDesignViewName = UTxString16 (*)(const RSeIDed* table);

    DLxPartlistFilterDesignView() { Init(); }
    explicit DLxPartlistFilterDesignView(const RSeStream* s) : DUxTableRowFilter(s) {}
    explicit DLxPartlistFilterDesignView(const FBxObjectEditRecord* record);
    RSeMetaType* GetMeta() const override;

    static void SetTableDesignViewName(TableDesignViewName fn);
    // The referenced table's design-view name when the reference has a target, else the name.
    UTxString16 DesignView() const;
    // A name clears the table reference; a table reference keeps the name.
    void SetDesignView(const UTxString16& name);
    void SetDesignView(const RSeRef<RSeIDed>& table);
    const RSeRef<RSeIDed>& GetTable() const { return m_table; }
    // The component's design view of that name, through its document; null for an empty
    // name, the master design view's name (string 9760), or a component without document.
    static RSeRef<FWxDesignView> GetDesignView(RDxComponent* component, const UTxString16& name);

    DUxTableRowFilter& operator=(const DUxTableRowFilter& other) override;
    bool operator==(const DUxTableRowFilter& other) const override;
    void Init() override;
    FilterType GetFilterType() const override { return eDesignViewFilter; }
    void InitObjectEditRecord(FBxObjectEditRecord* record) const override;
    void LoadAttributes(const FBxXmlElement& element, int32_t version) override;
    int32_t SaveAttributes(FBxXmlElement& element,
                           std::vector<FBxXmlElement*>* extra) const override;
    UTxString16 DisplayName() const override;
    // The host answers no occurrence test of a design view yet (GetDesignView finds the view,
    // nothing says which components it shows): every row is shown.
    bool FilterOut(DUxTableDataQueryResultRow* row) override;

    void Load(RSeStream& s);
    void LoadMigrate(RSeStream& s);
    void FixPtrs(RSeMetaContext& ctx);
    void Save(RSeStream& s) const;
    UTxResult Clone(DLxPartlistFilterDesignView* target, RSeCloneCommander* cc) const;

private:
    RSeRef<RSeIDed> m_table;
    UTxString16 m_name;
};

// Makes a filter of a kind in a segment (from its edit record when one is given), for the
// filter list and the parts-list table state; null for a kind that is not a parts-list filter.
DUxTableRowFilter* DLxNewPartlistFilter(DUxTableRowFilter::FilterType type, RSeSegment* segment,
                                        const FBxObjectEditRecord* record);

namespace RSe {
RSeMetaType* _InitMeta(const DLxPartlistFilterPurchased*);
RSeMetaType* _GetMeta(const DLxPartlistFilterPurchased*);
RSeMetaType* _InitMeta(const DLxPartlistFilterStandard*);
RSeMetaType* _GetMeta(const DLxPartlistFilterStandard*);
RSeMetaType* _InitMeta(const DLxPartlistFilterBallooned*);
RSeMetaType* _GetMeta(const DLxPartlistFilterBallooned*);
RSeMetaType* _InitMeta(const DLxPartlistFilterItemRange*);
RSeMetaType* _GetMeta(const DLxPartlistFilterItemRange*);
RSeMetaType* _InitMeta(const DLxPartlistFilterDesignView*);
RSeMetaType* _GetMeta(const DLxPartlistFilterDesignView*);
} // namespace RSe
