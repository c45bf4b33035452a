#pragma once
// The parts list of older documents: an origin and direction, how cell texts fit their columns,
// the older parts-list model's properties table, and where the list breaks into sections.
// Nothing makes one any more; it is loaded from old documents for their upgrade.
#include <cstdint>
#include <vector>

#include "ge/WqGePoint3d.h"
#include "rse/RSeIDed.h"
#include "rse/RSeRef.h"
#include "rse/RSeSegmentMigrator.h"
#include "utx/UTxString16.h"

class DLxPartListComponentPropertiesTable;

class DLxCPartList : public RSeIDed {
public:
    DLxCPartList() = default;
    explicit DLxCPartList(const RSeStream* s) : RSeIDed(s) {}
    RSeMetaType* GetMeta() const override;

    virtual int32_t direction() const { return m_direction; }
    virtual void setDirection(int32_t d) { m_direction = d; }
    virtual int32_t GetTextFitMode() const { return m_textFitMode; }
    virtual void SetTextFitMode(int32_t mode) { m_textFitMode = mode; }
    virtual int32_t GetSectionBreakCount() const { return int32_t(m_sectionBreaks.size()); }
    // n automatic sections, written as n entries of -1; a negative count is ignored.
    virtual void SetAutomaticSections(int32_t n);
    virtual bool IsSectionBreak(int32_t row) const;
    virtual bool HasAutomaticSections() const {
        return !m_sectionBreaks.empty() && m_sectionBreaks.front() == -1;
    }
    virtual std::vector<int32_t> GetStoredSectionBreaks() const { return m_sectionBreaks; }
    // Automatic breaks come from a table state, which older lists never have: none then.
    virtual std::vector<int32_t> GetSectionBreaks() const;
    virtual void SetSectionBreaks(const std::vector<int32_t>& breaks) { m_sectionBreaks = breaks; }
    virtual WqGePoint3d origin() const { return m_origin; }
    virtual void setOrigin(const WqGePoint3d& p) { m_origin = p; }

    const RSeRef<DLxPartListComponentPropertiesTable>& GetPropertiesTable() const {
        return m_propertiesTable;
    }
    void SetPropertiesTable(const RSeRef<DLxPartListComponentPropertiesTable>& t) {
        m_propertiesTable = t;
    }

    void Load(RSeStream& s);
    void LoadMigrate(RSeStream& s);
    void Save(RSeStream& s) const;
    void FixPtrs(RSeMetaContext& ctx);
    void FixPtrsMigrate(RSeMetaContext& ctx);
    UTxResult PostRestoreMigrate(RSeMetaContext& ctx);
    UTxResult Clone(DLxCPartList* target, RSeCloneCommander* cc) const;

private:
    WqGePoint3d m_origin;
    int32_t m_direction = 0;
    int32_t m_textFitMode = 0;
    RSeRef<DLxPartListComponentPropertiesTable> m_propertiesTable;
    std::vector<int32_t> m_sectionBreaks;
};

// What versions 0 and 1 stored beside the list's own values, parked for the parts-list upgrade
// under the list's address until the load ends.
class DLxCPartListOldRecord : public RSeMigrationPacket {
public:
    explicit DLxCPartListOldRecord(const void* key) : RSeMigrationPacket(key) {}
    int32_t m_first = 0;
    int32_t m_second = 0;
    int32_t m_third = 0;
    UTxString16 m_text;
    int32_t m_last = 0;
};

namespace RSe {
RSeMetaType* _InitMeta(const DLxCPartList*);
RSeMetaType* _GetMeta(const DLxCPartList*);
} // namespace RSe
