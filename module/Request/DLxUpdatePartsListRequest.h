#pragma once
// "UpdatePartsList": rebuilds a placed parts list from the current bill of materials. The
// list is marked for a refresh and the active sheet recomputes, so a list on another sheet is
// rebuilt when its own sheet next computes. One undoable, journalled change.
#include "fw/FWxChangeRequest.h"
#include "rse/RSeRef.h"

class DLxPartListTable;

class DLxUpdatePartsListRequest : public FWxChangeRequest {
    DECLARE_DYNCREATE(DLxUpdatePartsListRequest)
public:
    // For replay.
    DLxUpdatePartsListRequest();
    explicit DLxUpdatePartsListRequest(const RSeRef<DLxPartListTable>& partList);

    const RSeRef<DLxPartListTable>& GetPartList() const { return m_partList; }

    UTxStringResource GetRequestIdentity() const override;
    UTxResult Script(FWxSceneDoc* doc) override;
    UTxResult InitFromTranscript(FWxSceneDoc* doc, const UTxString16& line) override;
    UTxResult ValidateInputs(FWxSceneDoc* doc) override;
    UTxResult _Execute(FWxSceneDoc* doc) override;
    UTxResult DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) override;

private:
    RSeRef<DLxPartListTable> m_partList;
};
