#pragma once
// The record of a parts-list table style's values that "New PartsList Style" and "Update
// PartsList Style" carry: the table style's values of the base record, and what only parts
// lists have: the three merge keys (grouping keys), the recovery of default prefixes and the
// grouping switches. The record owns its merge-key columns (transacted transient segment).
#include <vector>

#include "du/UCxTableStyleRequestData.h"
#include "rse/RSeRef.h"

class DUxTableStylePartsList;
class DUxStyleFormatColumnPropertyID;
class DUxTableStylePartsListColumn;
class FWxSceneDoc;

class DLxTableStylePartsListRequestData : public UCxTableStyleRequestData {
public:
    // Three merge-key columns whose property ids carry the prefixes "Key1", "Key2", "Key3".
    DLxTableStylePartsListRequestData();
    DLxTableStylePartsListRequestData(const DLxTableStylePartsListRequestData& other);
    ~DLxTableStylePartsListRequestData() override;

    // The i-th column when it is a parts-list column; null out of range or for another kind.
    RSeRef<DUxTableStylePartsListColumn> GetColumn(int i) const;
    const std::vector<RSeRef<DUxTableStylePartsListColumn>>& GetMergeKeys() const {
        return m_mergeKeys;
    }
    // Merge keys showing these properties, the first three of them. A style may group by
    // fewer keys (or none): fewer stay fewer, so that a journal line gives back what it was
    // written from.
    void SetMergeKeys(const std::vector<DUxStyleFormatColumnPropertyID>& ids);

    bool GetRecoverDefaultPrefix() const { return m_recoverDefaultPrefix; }
    void SetRecoverDefaultPrefix(bool v) { m_recoverDefaultPrefix = v; }
    bool GetGroupingEnabled() const { return m_groupingEnabled; }
    void SetGroupingEnabled(bool v) { m_groupingEnabled = v; }
    bool GetShowItemNumbers() const { return m_showItemNumbers; }
    void SetShowItemNumbers(bool v) { m_showItemNumbers = v; }
    bool GetDisplayGroupParticipants() const { return m_displayGroupParticipants; }
    void SetDisplayGroupParticipants(bool v) { m_displayGroupParticipants = v; }

    // The style's values, its group keys copied as the merge keys.
    void InitFromStyle(const RSeRef<DUxTableStylePartsList>& style);

    // The base's keys, then "RecoverDefaultPrefix", the three switches (optional when read,
    // off when absent), "MergeKeys" (property ids; the first three count), "RowFilters" (the
    // filters' edit records, when the record holds filters), "Columns_Count"
    // and "Columns_<i>", and, when the line has them, "CustomColumns_Count" and
    // "CustomColumns_<i>". Errors travel in the exchange's result.
    void DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx, const RSeRef<FWxStyle>& style);

    // The document's parts-list style a record falls back on: the one named after the
    // drawing's standard (ISO when it names none), else the first; found, never made.
    static RSeRef<DUxTableStylePartsList> FindDefaultStyle(FWxSceneDoc* doc);

    // Writes the record into the style.
    void SetStyleValues(DUxTableStylePartsList& style) const;

private:
    void ClearMergeKeys();
    void ExchangeFilters(UCxTranscriptDataExchange& tdx);

    bool m_recoverDefaultPrefix = false;
    std::vector<RSeRef<DUxTableStylePartsListColumn>> m_mergeKeys;
    bool m_groupingEnabled = false;
    bool m_showItemNumbers = false;
    bool m_displayGroupParticipants = false;
};
