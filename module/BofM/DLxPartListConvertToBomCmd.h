#pragma once
// Converting a placed parts list's overrides into the bill of materials of the source model,
// after the user agreed.
#include <cstdint>

#include "BofM/DLxPartListSelectionCmd.h"

class DLxPartListConvertToBomCmd : public DLxPartListSelectionCmd<FWxDocCmd> {
public:
    static constexpr int32_t kCommandId = 44117;
    static constexpr uint32_t kPromptId = 8181;
    static constexpr uint32_t kTitleId = 8182;

    explicit DLxPartListConvertToBomCmd(FWxSceneDoc* doc)
        : DLxPartListSelectionCmd(doc, kCommandId) {}
    // 1 (true) once the request was processed successfully.
    int32_t OnExecute() override;
    void OnUpdateUI(FWxCmdUI& ui) override;
};
