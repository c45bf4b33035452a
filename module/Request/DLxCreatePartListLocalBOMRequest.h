#pragma once
// The creation of a parts list ("CreatePartListLocalBOM"): from a copy of the settings record,
// finds or makes the source's local bill of materials, makes the table on its sheet, applies
// the wrap, member and design-view settings and registers the table. One undoable, journalled
// change; a request that makes no table is an error, so that nothing is journalled for it.
#include "BofM/DLxPartListData.h"
#include "fw/FWxChangeRequest.h"
#include "rse/RSeRef.h"

class DLxPartListTable;

class DLxCreatePartListLocalBOMRequest : public FWxChangeRequest {
    DECLARE_DYNCREATE(DLxCreatePartListLocalBOMRequest)
public:
    // For replay.
    DLxCreatePartListLocalBOMRequest();
    explicit DLxCreatePartListLocalBOMRequest(const DLxPartListData& data);

    const RSeRef<DLxPartListTable>& GetPartList() const { return m_partList; }
    const DLxPartListData& GetData() const { return m_data; }

    UTxStringResource GetRequestIdentity() const override;
    UTxResult Script(FWxSceneDoc* doc) override;
    UTxResult InitFromTranscript(FWxSceneDoc* doc, const UTxString16& line) override;
    UTxResult ValidateInputs(FWxSceneDoc* doc) override;
    UTxResult _Execute(FWxSceneDoc* doc) override;
    UTxResult DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) override;

private:
    RSeRef<DLxPartListTable> m_partList;
    DLxPartListData m_data;
};
