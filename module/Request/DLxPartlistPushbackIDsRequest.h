#pragma once
// "PartlistPushbackIDs": writes the item numbers set in the drawing's local bill of materials
// back into the source model's bill of materials, for every row or for the rows of given
// cookies. One undoable, journalled change; the "PushbackItemNumbers" edit record runs it
// inside its own replay without journalling it.
#include <vector>

#include "dl/DLxLocalBOMCookie.h"
#include "fw/FWxChangeRequest.h"
#include "rse/RSeRef.h"

class DLxLocalBOM;
class DLxPartListTable;

class DLxPartlistPushbackIDsRequest : public FWxChangeRequest {
    DECLARE_DYNCREATE(DLxPartlistPushbackIDsRequest)
public:
    // For replay.
    DLxPartlistPushbackIDsRequest();
    // Every row of the list's bill.
    DLxPartlistPushbackIDsRequest(const RSeRef<DLxPartListTable>& table, bool doCompMinimum);
    // The rows of these cookies, in this order.
    DLxPartlistPushbackIDsRequest(const RSeRef<DLxPartListTable>& table,
                                  const std::vector<DLxLocalBOMCookie>& cookies,
                                  bool doCompMinimum);

    const RSeRef<DLxLocalBOM>& GetLocalBOM() const { return m_localBOM; }
    const RSeRef<DLxPartListTable>& GetPartList() const { return m_partList; }
    const std::vector<DLxLocalBOMCookie>& GetCookies() const { return m_cookies; }
    bool GetPushbackAll() const { return m_pushbackAll; }
    bool GetDoCompMinimum() const { return m_doCompMinimum; }

    UTxStringResource GetRequestIdentity() const override;
    UTxResult Script(FWxSceneDoc* doc) override;
    UTxResult InitFromTranscript(FWxSceneDoc* doc, const UTxString16& line) override;
    UTxResult ValidateInputs(FWxSceneDoc* doc) override;
    // The document of the source model, when it is not `doc` itself.
    std::vector<FWxSceneDoc*> GetOtherChangedDocuments(FWxSceneDoc* doc) override;
    UTxResult _Execute(FWxSceneDoc* doc) override;
    UTxResult DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) override;

private:
    void TakeLocalBOM();

    RSeRef<DLxLocalBOM> m_localBOM;
    RSeRef<DLxPartListTable> m_partList;
    std::vector<DLxLocalBOMCookie> m_cookies;
    bool m_pushbackAll = false;
    // Transcribed for the commands that give it; the push-back itself does not depend on it.
    bool m_doCompMinimum = false;
};
