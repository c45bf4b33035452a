#pragma once
// Sorts the entries of a sheet's sketched-symbol folder by name, ignoring letter case; entries
// of equal names keep their order ("SortSketchedSymbols"). The command
// (DLxSortSketchedSymbolsCmd) runs one request for each selected folder.
#include "fw/FWxChangeRequest.h"
#include "fw/FWxDocCmd.h"
#include "rse/RSeRef.h"

class BRxEntry;
class DLxSheet;

class DLxSortSketchedSymbolsRequest : public FWxChangeRequest {
    DECLARE_DYNCREATE(DLxSortSketchedSymbolsRequest)
public:
    // For replay.
    DLxSortSketchedSymbolsRequest();
    // The browser entry of the sheet, whose subject is the sheet.
    explicit DLxSortSketchedSymbolsRequest(BRxEntry* sheetEntry);

    UTxStringResource GetRequestIdentity() const override;
    UTxResult Script(FWxSceneDoc* doc) override;
    UTxResult InitFromTranscript(FWxSceneDoc* doc, const UTxString16& line) override;
    UTxResult ValidateInputs(FWxSceneDoc* doc) override;
    UTxResult _Execute(FWxSceneDoc* doc) override;
    UTxResult DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) override;

private:
    DLxSheet* Sheet() const;

    // The browser's own entries are not stored: the request names the sheet's entry by its
    // subject, which outlives the entry object across rebuilds.
    RSeRefBase m_sheet;
    bool m_hasEntry = false;
};

class DLxSortSketchedSymbolsCmd : public FWxDocCmd {
public:
    static constexpr int32_t kCommandId = 40158;
    explicit DLxSortSketchedSymbolsCmd(FWxSceneDoc* doc) : FWxDocCmd(doc) {}

    bool OnCmdMsg(int32_t id, int32_t code, void* extra) override;
    // Enabled when the pre-selection holds, before anything that is not a folder, a folder
    // with two symbols or more.
    void OnUpdateCommand(FWxCmdUI& ui) override;
    // One request for each folder selected before the first selection that is not a folder
    // of a sheet.
    void OnActivate();
};
