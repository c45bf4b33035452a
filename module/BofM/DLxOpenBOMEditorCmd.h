#pragma once
// Opens the host's bill-of-materials editor on the model behind what the user pre-selected on
// a drawing: a component, a parts list or a drawing view. The command works out the model's
// document (and, for a member of a table-driven family, the member), has the host's BOM
// utility prepare a handle for it, queues it and runs; running opens the queued editors, then
// shows the current sheet again.
#include <cstdint>
#include <string>
#include <vector>

#include "fw/FWxDocCmd.h"

class FWxSelectionSet;
class UFRxComponent;
struct FWxCmdUI;

class DLxOpenBOMEditorCmd : public FWxDocCmd {
public:
    static constexpr int32_t kComponentId = 39099;
    static constexpr int32_t kPartListId = 39100;
    static constexpr int32_t kViewId = 39101;

    struct Entry {
        uint32_t handle = 0;
        std::u16string memberName;   // empty unless the model is a family member
    };

    explicit DLxOpenBOMEditorCmd(FWxSceneDoc* doc) : FWxDocCmd(doc, 1) {}
    bool OnCmdMsg(int32_t id, int32_t code, void* extra) override;

    void OnOpenForComponent();
    void OnUpdateForComponent(FWxCmdUI& ui);
    void OnOpenForPartList();
    void OnUpdateForPartList(FWxCmdUI& ui);
    void OnOpenForView();
    void OnUpdateForView(FWxCmdUI& ui);

    // Opens the queued editors, empties the queue and shows the current sheet again; 1.
    int32_t OnExecute();

    const std::vector<Entry>& GetPendingEntries() const { return m_pending; }

private:
    // The editor handle (and member) for a component's model; false when it cannot be opened.
    bool PrepareEntry(const UFRxComponent& component, Entry& entry);
    FWxSelectionSet* PreSelection() const;
    void Run() { OnExecute(); }

    std::vector<Entry> m_pending;
    bool m_flag1 = false;
    bool m_flag2 = false;
};
