#pragma once
// Exporting a placed parts list to a file: the export dialog over the selected table.
#include <cstdint>

#include "BofM/DLxPartListSelectionCmd.h"

class DLxPartListExportCmd : public DLxPartListSelectionCmd<FWxDocCmd> {
public:
    static constexpr int32_t kCommandId = 44084;
    static constexpr uint32_t kFilterTextId = 8139;

    explicit DLxPartListExportCmd(FWxSceneDoc* doc) : DLxPartListSelectionCmd(doc, kCommandId) {}

    int32_t OnExecute() override;
    // Enabled with a selected parts list; otherwise the entry stays as the host set it.
    void OnUpdateUI(FWxCmdUI& ui) override;
    void RunExport();
};
