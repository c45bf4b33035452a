#pragma once
// What a double-click on an arrowhead of a placed symbol's leader does: the arrowhead chooser
// opens next to the pick, each choice shows at once on a preview copy of the symbol, and OK
// makes the last choice permanent with one "AddArrowHead" request for that arrowhead (the
// arrowhead's own template again when the user changed nothing). Cancel leaves the document as
// it was. The manipulator never drags.
#include <cstdint>
#include <memory>

#include "dl/DLxInstanceManipulator.h"
#include "rse/RSeRef.h"

class DLxSymInstance;
class DLxSymSelection;

class DLxSymArrowHeadDlgManipulator : public DLxInstanceManipulator {
public:
    static constexpr int32_t kPromptCursor = 13026;
    // The classification of the document command an arrowhead change is.
    static constexpr int32_t kClassification = 1;

    DLxSymArrowHeadDlgManipulator();
    // Arrowhead `arrow` of leader `leader` of `symbol`, picked in `selection`.
    DLxSymArrowHeadDlgManipulator(const RSeRef<DLxSymInstance>& symbol, int32_t leader,
                                  int32_t arrow, FWxSelection* selection);

    // What a selector hangs on a pick of a symbol's arrowhead: the manipulator of the arrowhead
    // whose tip lies nearest the selection's pick point, within `tolerance`; null when none
    // does.
    static std::unique_ptr<DLxSymArrowHeadDlgManipulator> ForPick(DLxSymSelection* selection,
                                                                  double tolerance);

    bool StartDrag(const WqGePoint3d&) override { return true; }
    bool Drag(const WqGePoint3d&) override { return true; }
    bool EndDrag(const WqGePoint3d&) override { return true; }
    void CancelDrag() override {}
    // Runs the chooser; true unless there is no arrowhead to choose for.
    bool StartDialog() override;
    // A choice of the chooser (data: the chosen template id): shown on the preview. A template
    // that is no arrowhead service shows as the default arrowhead.
    bool CallBack(void* data) override;
    int32_t GetPromptCursor() const override { return kPromptCursor; }
    int32_t GetPromptText() const override { return 0; }
    std::string GetManipulatorName() const override { return "DLxSymArrowHeadDlgManipulator"; }

    const RSeRef<DLxSymInstance>& GetSymbol() const { return m_symbol; }
    int32_t GetLeaderIndex() const { return m_leader; }
    int32_t GetArrowHeadIndex() const { return m_arrow; }
    // The template last chosen (or the arrowhead's own when nothing was); 0 before a dialog.
    uint32_t GetChosenTemplate() const { return m_chosen; }

private:
    RSeRef<DLxSymInstance> m_symbol;
    int32_t m_leader = 0;
    int32_t m_arrow = 0;
    uint32_t m_chosen = 0;
};
