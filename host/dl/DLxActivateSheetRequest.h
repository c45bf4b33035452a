#pragma once
// Shows a sheet of a drawing: the sheet becomes the one the user works on. Which sheet is
// shown is not stored, so the request runs without a transaction
// (FWxSceneDoc::ProcessNoTxnRequest) and is never journalled.
#include "fw/FWxChangeRequest.h"
#include "rse/RSeRef.h"

class DLxSheet;

class DLxActivateSheetRequest : public FWxChangeRequest {
    DECLARE_DYNAMIC(DLxActivateSheetRequest)
    explicit DLxActivateSheetRequest(DLxSheet* sheet);
    ~DLxActivateSheetRequest() override;

    // Refused for a sheet that is gone or lies in another document.
    UTxResult ValidateInputs(FWxSceneDoc* doc) override;
    UTxResult _Execute(FWxSceneDoc* doc) override;
    UTxResult DoTranscriptDataExchange(UCxTranscriptDataExchange&) override { return {}; }

private:
    RSeRef<DLxSheet> m_sheet;
};
