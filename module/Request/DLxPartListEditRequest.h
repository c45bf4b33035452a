#pragma once
// The edit of a placed parts list ("EditPartList"): an ordered list of edit records applied to
// the table one after the other, or a move of the table's origin. The records are the whole
// journal of the edit: a request read from a transcript always applies them again. After the
// records, the finishing steps tell the bill's other annotations and recompute the sheet.
#include <cstdint>

#include "fb/FBxObjectEditRecord.h"
#include "fw/FWxChangeRequest.h"
#include "ge/WqGePoint3d.h"
#include "rse/RSeRef.h"

class DLxPartListEditReplay;
class DLxPartListTable;

class DLxPartListEditRequest : public FWxChangeRequest {
    DECLARE_DYNCREATE(DLxPartListEditRequest)
public:
    // Failure of a record list: empty, malformed or a record that could not be applied. Its
    // severity bits say success, so it is always returned as a refusal (rolled back).
    static constexpr UTxResultCode kReplayFailed = 0x200104B3;
    static constexpr int32_t kApplyRecords = 0;
    static constexpr int32_t kMove = 1;

    // For replay.
    DLxPartListEditRequest();
    // Only the finishing steps.
    explicit DLxPartListEditRequest(RSeRef<DLxPartListTable> table);
    // A move of the table's origin.
    DLxPartListEditRequest(RSeRef<DLxPartListTable> table, const WqGePoint3d& origin);
    // The records, applied in order.
    DLxPartListEditRequest(RSeRef<DLxPartListTable> table, const FBxObjectEditRecordList& records);
    ~DLxPartListEditRequest() override;

    const RSeRef<DLxPartListTable>& GetPartList() const { return m_partList; }
    int32_t GetEditType() const { return m_editType; }
    const WqGePoint3d& GetLocation() const { return m_location; }
    const FBxObjectEditRecordList& GetRecords() const { return m_records; }
    // True once this request's records changed the source model (its bill-of-materials
    // scheme or its components' item numbers).
    bool MasterRepEdited() const { return m_masterRepEdited; }
    // Whether a record has exactly this name (the comparison is case-sensitive).
    bool ContainsRecord(const char16_t* name) const;

    // Applies the records to the table state; false for an empty list, a table without state
    // or a record that stops the replay. Throws FBxObjectEditRecord::exception for a record
    // that lacks an attribute its replay reads.
    bool ReplayTranscript();

    UTxStringResource GetRequestIdentity() const override;
    UTxResult Script(FWxSceneDoc* doc) override;
    UTxResult InitFromTranscript(FWxSceneDoc* doc, const UTxString16& line) override;
    std::vector<FWxSceneDoc*> GetOtherChangedDocuments(FWxSceneDoc* doc) override;
    UTxResult _Execute(FWxSceneDoc* doc) override;
    UTxResult DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) override;

private:
    friend class DLxPartListEditReplay;

    // Whether a changed cell needs every row rebuilt rather than its own.
    bool IsFullUpdateNecessary(uint32_t row, uint32_t column, const UTxString16& name) const;
    // Makes the source model's numbering structured on all levels for an item-number column
    // (any column for -1); with checkOnly, only answers whether it would.
    bool CheckAndUpdateToSchemaStructuredAllLevels(int32_t column, bool checkOnly);
    UTxResult Finish();

    RSeRef<DLxPartListTable> m_partList;
    int32_t m_editType = kApplyRecords;
    WqGePoint3d m_location;
    bool m_replay = false;
    FBxObjectEditRecordList m_records;
    UTxString16 m_partListRefString;
    bool m_masterRepEdited = false;
};
