#pragma once
// "PartListRename": gives a parts list a new name, which is its title. One undoable,
// journalled change.
#include "fw/FWxChangeRequest.h"
#include "rse/RSeRef.h"

class DLxPartListTable;

class DLxPartListRenameRequest : public FWxChangeRequest {
    DECLARE_DYNCREATE(DLxPartListRenameRequest)
public:
    // For replay.
    DLxPartListRenameRequest();
    // The object is kept when it is a parts list; any other leaves the request without one.
    DLxPartListRenameRequest(const RSeRefBase& object, const UTxString16& newName);

    const RSeRef<DLxPartListTable>& GetPartList() const { return m_partList; }
    const UTxString16& GetNewName() const { return m_newName; }

    UTxStringResource GetRequestIdentity() const override;
    UTxResult Script(FWxSceneDoc* doc) override;
    UTxResult InitFromTranscript(FWxSceneDoc* doc, const UTxString16& line) override;
    UTxResult ValidateInputs(FWxSceneDoc* doc) override;
    UTxResult _Execute(FWxSceneDoc* doc) override;
    UTxResult DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) override;

private:
    RSeRef<DLxPartListTable> m_partList;
    UTxString16 m_newName;
    UTxString16 m_partListRefString;
};
