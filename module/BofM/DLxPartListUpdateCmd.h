#pragma once
// Updating a placed parts list from the bill of materials, after the user agreed.
#include <cstdint>

#include "BofM/DLxPartListSelectionCmd.h"

// What the update command activates: asks, then updates the selected parts list.
class DLxPartListUpdateTarget {
public:
    // Target states: 8 done, 4 ended without a change.
    static constexpr int32_t kDone = 8;
    static constexpr int32_t kEnded = 4;
    static constexpr uint32_t kPromptId = 8027;

    explicit DLxPartListUpdateTarget(FWxSceneDoc* doc) : m_doc(doc) {}
    int32_t OnActivate();
    void UpdatePartList();

private:
    FWxSceneDoc* m_doc;
    RSeRef<DLxPartListTable> m_partList;
};

class DLxPartListUpdateCmd : public DLxPartListSelectionCmd<FWxDocCmd> {
public:
    static constexpr int32_t kCommandId = 44091;

    explicit DLxPartListUpdateCmd(FWxSceneDoc* doc)
        : DLxPartListSelectionCmd(doc, kCommandId), m_target(doc) {}
    // The target's run: it asks first, then takes the selection itself. 1 once it updated.
    int32_t OnExecute() override;
    // Enabled for a parts list that can be edited; otherwise left as the host set it.
    void OnUpdateUI(FWxCmdUI& ui) override;
    DLxPartListUpdateTarget& GetTarget() { return m_target; }
    // The state the last run ended in.
    int32_t GetLastStatus() const { return m_lastStatus; }

private:
    DLxPartListUpdateTarget m_target;
    int32_t m_lastStatus = 0;
};
