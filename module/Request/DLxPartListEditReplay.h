#pragma once
// One run of a parts-list edit's records over its table: what every record's replay reads and
// the steps records share. DLxPartListEditRequest::ReplayTranscript runs the loop; each
// record is applied by the first of the two appliers below that knows its name.
#include <cstddef>
#include <cstdint>

#include "du/DUxTableStyle.h"
#include "fb/FBxObjectEditRecord.h"

class DLxLocalBOM;
class DLxPartListEditRequest;
class DLxPartListTable;
class DLxTableStatePartlist;
class FWxSceneDoc;
struct DLxAssemblyData;

class DLxPartListEditReplay {
public:
    DLxPartListEditReplay(DLxPartListEditRequest& request, DLxPartListTable& table,
                          DLxTableStatePartlist& state, const FBxObjectEditRecordList& records);

    DLxPartListEditRequest& Request() const { return m_request; }
    DLxPartListTable& Table() const { return m_table; }
    DLxTableStatePartlist& State() const { return m_state; }
    // The state's bill of materials; may be null.
    DLxLocalBOM* LocalBOM() const { return m_localBOM; }
    // Over the state, with no style of its own.
    DUxTableStylePartsListWrapper& Wrapper() { return m_wrapper; }

    // The record being applied.
    const FBxObjectEditRecord& Current() const { return m_records[m_position]; }
    // Consumes the record after the last one consumed, as a sub-record of the current one.
    // A list that ends first is malformed: FBxObjectEditRecord::exception.
    const FBxObjectEditRecord& TakeSubRecord();

    // Every row rebuilt from the bill, or one row updated.
    void Rebuild();
    void UpdateRow(int32_t row);
    bool GroupingInForce() const;
    bool IsFullUpdateNecessary(uint32_t row, uint32_t column, const UTxString16& name) const;
    bool CheckAndUpdateToSchemaStructuredAllLevels(int32_t column, bool checkOnly);
    void SetMasterRepEdited();

    // The drawing that holds the table, and the model its bill lists (the drawing's own
    // assembly here); null when there is none.
    FWxSceneDoc* Document() const;
    const DLxAssemblyData* SourceModel() const;
    // Turns a bill-of-materials scheme on in the source model, inside the open transaction.
    UTxResult EnableBomSchema(int32_t scheme, bool allLevels);

    // The whole list and the place of the current record, for a record whose reader takes the
    // sub-records itself (it then consumes them through TakeSubRecord).
    const FBxObjectEditRecordList& Records() const { return m_records; }
    size_t Position() const { return m_position; }

    // The loop: false once every record was taken.
    bool AtEnd() const { return m_position >= m_records.size(); }
    void Advance() { ++m_position; }

private:
    DLxPartListEditRequest& m_request;
    DLxPartListTable& m_table;
    DLxTableStatePartlist& m_state;
    DLxLocalBOM* m_localBOM;
    DUxTableStylePartsListWrapper m_wrapper;
    const FBxObjectEditRecordList& m_records;
    size_t m_position = 0;
};

enum class DLxRecordReplay { kNotMine, kApplied, kFailed };

// The records of rows, cells, columns and headers.
DLxRecordReplay DLxReplayRowAndColumnRecord(DLxPartListEditReplay& replay,
                                            const UTxString16& name);
// The records of layout, wrapping, order, grouping, members, the bill and filters.
DLxRecordReplay DLxReplayLayoutRecord(DLxPartListEditReplay& replay, const UTxString16& name);
