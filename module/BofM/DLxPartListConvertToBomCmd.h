#pragma once
// Converting a placed parts list's overrides into the bill of materials of the source model,
// after the user agreed.
#include <cstdint>

#include "fw/FWxDocCmd.h"
#include "rse/RSeRef.h"

class DLxPartListTable;
struct FWxCmdUI;

class DLxPartListConvertToBomCmd : public FWxDocCmd {
public:
    static constexpr int32_t kCommandId = 44117;
    static constexpr uint32_t kPromptId = 8181;
    static constexpr uint32_t kTitleId = 8182;

    explicit DLxPartListConvertToBomCmd(FWxSceneDoc* doc) : FWxDocCmd(doc) {}
    bool OnCmdMsg(int32_t id, int32_t code, void* extra) override;
    void OnCommand() override;
    int32_t OnInitialize();
    // 1 (true) once the request was processed successfully.
    int32_t OnExecute();
    void OnUpdateUI(FWxCmdUI& ui);
    RSeRef<DLxPartListTable> GetSelectedInstance();

private:
    RSeRef<DLxPartListTable> m_partList;
};
