#pragma once
// The context item "Change Arrowhead" (44047) of a placed symbol whose first leader ends in an
// arrowhead: the arrowhead chooser opens in its command form, each choice shows at once on a
// preview copy of the symbol, and OK posts one "AddArrowHead" request that gives arrowhead 0 of
// leader 0 the last choice (its own template again when the user changed nothing). Cancel
// posts nothing and leaves the document as it was.
#include <cstdint>

#include "Command/DLxSymbolEditCmd.h"

class DLxSymInstance;
struct FWxCmdUI;

class DLxArrowheadEditCmd : public DLxSymbolEditCmd {
public:
    static constexpr int32_t kCommandId = 44047;
    // The leader and arrowhead the command changes.
    static constexpr int32_t kLeader = 0;
    static constexpr int32_t kArrowHead = 0;

    explicit DLxArrowheadEditCmd(FWxSceneDoc* doc) : DLxSymbolEditCmd(doc) {}
    ~DLxArrowheadEditCmd() override;

    bool OnCmdMsg(int32_t id, int32_t code, void* extra) override;
    // One run: preview on, the chooser, then the edit applied on OK.
    void OnCommand() override;
    bool PostEditRequest() override;
    // A choice of the chooser, shown on the preview; a template that is no arrowhead service
    // shows as the default arrowhead.
    void OnArrowheadChanged(uint32_t templateId);

    uint32_t GetChosenTemplate() const { return m_chosen; }
    int32_t GetArrowType() const { return m_arrowType; }

private:
    void OnUpdate(FWxCmdUI& ui) const;
    // The selected placed symbol when its first leader has an arrowhead; null otherwise.
    static const DLxSymInstance* ArrowheadSymbol(const RDxInstance* instance);

    uint32_t m_chosen = 0;
    int32_t m_arrowType = 16;
};
