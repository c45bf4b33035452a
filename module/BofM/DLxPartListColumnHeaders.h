#pragma once
// The ordered columns of an older parts list with the positions of the displayed ones, and the
// even older parallel-vector record (DLxColumnHeaders) kept only to be converted into it.
#include <cstdint>
#include <vector>

#include "rse/RSeIDed.h"
#include "rse/RSeRef.h"
#include "utx/UTxString16.h"

class DLxPartListColumn;
class DLxPartListPropertyId;
class RSeSegment;

class DLxPartListColumnHeaders : public RSeIDed {
public:
    // With defaults: a column per general property of the parts-list usage (but 20, 38, 39),
    // then part name, item number, quantity, mass and material; displayed are item number,
    // quantity and the general properties 5 and 29, in that order.
    explicit DLxPartListColumnHeaders(bool withDefaults);
    explicit DLxPartListColumnHeaders(const RSeStream*) {}
    ~DLxPartListColumnHeaders() override;
    RSeMetaType* GetMeta() const override;

    static DLxPartListColumnHeaders* New(RSeSegment* segment, bool withDefaults);

    virtual int32_t GetDisplayedCount() const { return int32_t(m_displayed.size()); }
    virtual int32_t GetColumnCount() const { return int32_t(m_columns.size()); }
    // Null for a position outside the displayed list, or one naming no column.
    virtual RSeRef<DLxPartListColumn> GetDisplayedColumn(int32_t position) const;
    virtual RSeRef<DLxPartListColumn> GetColumn(int32_t position) const;
    // The first column showing the same property takes `column`'s settings and is displayed at
    // `position`; nothing changes when there is none (or the position is not displayed).
    virtual void SetDisplayedColumn(int32_t position, const DLxPartListColumn& column);
    virtual std::vector<UTxString16> GetDisplayedHeaders() const;
    // Displays the columns given, in order: a column of the same property takes the settings;
    // a custom-property column without one is added; any other is dropped. Answers the count
    // given.
    virtual int32_t SetDisplayedColumns(const std::vector<RSeRef<DLxPartListColumn>>& columns);
    // Removes the custom-property column of the same property; false for any other.
    virtual bool RemoveColumn(const DLxPartListColumn* column);
    virtual std::vector<RSeRef<DLxPartListColumn>> GetColumns() const { return m_columns; }
    // Appends a copy unless a column already shows the property; the displayed list stays.
    virtual bool AddColumn(const DLxPartListColumn& column);
    virtual std::vector<int32_t> GetFirstList() const { return m_firstList; }
    virtual void SetFirstList(const std::vector<int32_t>& list);
    virtual std::vector<int32_t> GetSecondList() const { return m_secondList; }
    virtual void SetSecondList(const std::vector<int32_t>& list);
    virtual void AddMissingGeneralColumns();
    // After a load: drops displayed positions that name no column, so that a damaged or
    // hand-made list never leads past the columns.
    virtual void Rebuild();

    const std::vector<int32_t>& GetDisplayedPositions() const { return m_displayed; }
    int32_t GetCreatedCount() const { return m_count; }

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    void FixPtrs(RSeMetaContext& ctx);
    UTxResult PostRestore(RSeMetaContext& ctx);
    UTxResult Clone(DLxPartListColumnHeaders* target, RSeCloneCommander* cc) const;

private:
    friend class DLxColumnHeaders;
    int32_t FindSameProperty(const DLxPartListColumn& column) const;
    void AppendColumn(DLxPartListColumn* column);

    std::vector<int32_t> m_displayed;
    std::vector<RSeRef<DLxPartListColumn>> m_columns;
    std::vector<int32_t> m_firstList;
    std::vector<int32_t> m_secondList;
    int32_t m_count = 0;
};

class DLxColumnHeaders : public RSeIDed {
public:
    DLxColumnHeaders() = default;
    explicit DLxColumnHeaders(const RSeStream*) {}
    ~DLxColumnHeaders() override;
    RSeMetaType* GetMeta() const override;

    int32_t GetDisplayedCount() const { return int32_t(m_displayed.size()); }
    // A column per stored entry (made in this record's segment) appended to the target's
    // columns; the lists and the count carried over, the displayed list replaced.
    void ConvertToPartListColumns(DLxPartListColumnHeaders& target) const;

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    void FixPtrs(RSeMetaContext& ctx);
    UTxResult Clone(DLxColumnHeaders* target, RSeCloneCommander* cc) const;

private:
    std::vector<int32_t> m_displayed;
    std::vector<RSeRef<DLxPartListPropertyId>> m_propertyIds;
    std::vector<double> m_widths;
    std::vector<int32_t> m_headerAlignments;
    std::vector<int32_t> m_columnAlignments;
    std::vector<int32_t> m_firstList;
    std::vector<int32_t> m_secondList;
    int32_t m_count = 0;
};

namespace RSe {
RSeMetaType* _InitMeta(const DLxPartListColumnHeaders*);
RSeMetaType* _GetMeta(const DLxPartListColumnHeaders*);
RSeMetaType* _InitMeta(const DLxColumnHeaders*);
RSeMetaType* _GetMeta(const DLxColumnHeaders*);
} // namespace RSe
