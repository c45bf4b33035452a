#pragma once
// Pushing a placed parts list's item numbers back into the source model.
#include <cstdint>

#include "fw/FWxDocCmd.h"
#include "rse/RSeRef.h"

class DLxPartListTable;
struct FWxCmdUI;

class DLxPartListPushbackIDsCmd : public FWxDocCmd {
public:
    static constexpr int32_t kCommandId = 40056;
    static constexpr uint32_t kConfirmId = 8102;

    explicit DLxPartListPushbackIDsCmd(FWxSceneDoc* doc) : FWxDocCmd(doc) {}
    bool OnCmdMsg(int32_t id, int32_t code, void* extra) override;
    void OnCommand() override;
    int32_t OnInitialize();
    int32_t OnExecute();
    void OnUpdateUI(FWxCmdUI& ui);
    RSeRef<DLxPartListTable> GetSelectedInstance();
    bool PushBack();

private:
    RSeRef<DLxPartListTable> m_partList;
};
