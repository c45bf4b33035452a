#pragma once
// Exporting a placed parts list to a file: the export dialog over the selected table.
#include <cstdint>
#include <memory>

#include "fw/FWxDocCmd.h"
#include "rse/RSeRef.h"

class DLxExportDialog;
class DLxPartListTable;
struct FWxCmdUI;

class DLxPartListExportCmd : public FWxDocCmd {
public:
    static constexpr int32_t kCommandId = 44084;
    static constexpr uint32_t kFilterTextId = 8139;

    explicit DLxPartListExportCmd(FWxSceneDoc* doc) : FWxDocCmd(doc) {}

    bool OnCmdMsg(int32_t id, int32_t code, void* extra) override;
    void OnCommand() override;
    int32_t OnInitialize();
    int32_t OnExecute();
    // Enabled with a selected parts list; otherwise the entry stays as the host set it.
    void OnUpdateUI(FWxCmdUI& ui);
    RSeRef<DLxPartListTable> GetSelectedInstance();
    void RunExport();

private:
    RSeRef<DLxPartListTable> m_partList;
};
