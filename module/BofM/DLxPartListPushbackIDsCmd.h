#pragma once
// Pushing a placed parts list's item numbers back into the source model.
#include <cstdint>

#include "BofM/DLxPartListSelectionCmd.h"

class DLxPartListPushbackIDsCmd : public DLxPartListSelectionCmd<FWxDocCmd> {
public:
    static constexpr int32_t kCommandId = 40056;
    static constexpr uint32_t kConfirmId = 8102;

    explicit DLxPartListPushbackIDsCmd(FWxSceneDoc* doc)
        : DLxPartListSelectionCmd(doc, kCommandId) {}
    int32_t OnExecute() override;
    void OnUpdateUI(FWxCmdUI& ui) override;
    bool PushBack();
};
