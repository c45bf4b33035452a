#pragma once
// Item numbers and item-number ranges of an older parts list, and the test of an item number
// against them. Filled only by loading an older document.
#include <vector>

#include "rse/RSeIDed.h"
#include "utx/UTxString16.h"

class DLxPartListItemIdRanges : public RSeIDed {
public:
    DLxPartListItemIdRanges() = default;
    explicit DLxPartListItemIdRanges(const RSeStream*) {}
    RSeMetaType* GetMeta() const override;

    // With nothing listed every item is contained. A single id matches the whole text; a range
    // compares the leading digits of item and bounds as numbers (none read as 0), so "07" and
    // "7A" are 7 and "A7" is 0. Bounds come in pairs (low, high); an odd last one is unused.
    bool ContainsItemId(const UTxString16& item) const;

    const std::vector<UTxString16>& GetSingleIds() const { return m_singleIds; }
    const std::vector<UTxString16>& GetRangeBounds() const { return m_rangeBounds; }

    void Load(RSeStream& s);
    void Save(RSeStream& s) const;
    UTxResult Clone(DLxPartListItemIdRanges* target, RSeCloneCommander* cc) const;

private:
    std::vector<UTxString16> m_singleIds;
    std::vector<UTxString16> m_rangeBounds;
};

namespace RSe {
RSeMetaType* _InitMeta(const DLxPartListItemIdRanges*);
RSeMetaType* _GetMeta(const DLxPartListItemIdRanges*);
} // namespace RSe
