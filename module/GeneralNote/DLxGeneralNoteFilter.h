#pragma once
// Selection filter admitting general notes.
#include "sm/SMxTypeFilterItem.h"

class DLxGeneralNoteFilter : public SMxTypeFilterItem {
public:
    enum ESubType : int32_t {};
    static constexpr int32_t kFilterType = 0x4003;
    explicit DLxGeneralNoteFilter(ESubType value);
    ESubType GetSubType() const { return m_value; }
    std::string GetFilterName() const override { return "DLxGeneralNoteFilter"; }
    // A DLxGeneralNoteSelection of a general note, with the manipulator of what the pick hit
    // (DLxGeneralNoteSelector); null for anything else, and for everything while disabled.
    SmartPtr<FWxSelection> Select(RSeIDed& object, const WqGePoint3d& point) const override;

private:
    ESubType m_value;
};
