#pragma once
// Exporting a document's table to a file without a user at the dialogs: the host program's way
// to the module's export. The module registers its exporter when it loads; the table is named
// by the key a transcript names it with.
#include <cstdint>
#include <functional>
#include <vector>

#include "utx/UTxResult.h"
#include "utx/UTxString16.h"

class FWxSceneDoc;

struct FWxTableExportRequest {
    UTxString16 table;            // the table's name key
    UTxString16 path;             // the output file
    int32_t typeId = 0;           // the export file type id
    std::vector<int32_t> columns; // table column indices; empty for all
    bool title = false;           // the title as the first row
};

using FWxTableExporter = std::function<UTxResult(FWxSceneDoc*, const FWxTableExportRequest&)>;

// Replaces the registered exporter (an empty one unregisters); answers the one before.
FWxTableExporter FWxSetTableExporter(FWxTableExporter exporter);
// The registered exporter's answer; a failure when no module registered one.
UTxResult FWxExportTable(FWxSceneDoc* doc, const FWxTableExportRequest& request);
