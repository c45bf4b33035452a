#pragma once
// The arrowhead of an older symbol, picked: no drag, but a double click opens the arrowhead
// chooser. Each arrowhead the user chooses is applied at once ("ChangeArrowhead"); when the
// chooser is cancelled the arrowhead the symbol had when it opened comes back through one more
// "ChangeArrowhead".
//
// The chooser runs modally through the chooser runner given (tests script it; it calls
// CallBack for each choice and answers 1 for OK, 2 for cancel); without one it answers cancel.
#include <cstdint>
#include <functional>

#include "dl/DLxInstanceManipulator.h"
#include "rse/RSeRef.h"

class DLxSymbol;

class DLxOldSymArrowHeadDlgManipulator : public DLxInstanceManipulator {
public:
    static constexpr int32_t kCursor = 13026;
    static constexpr int32_t kCancel = 2;
    using ChooserRunner = std::function<int32_t(DLxOldSymArrowHeadDlgManipulator&)>;

    DLxOldSymArrowHeadDlgManipulator(const RSeRef<DLxSymbol>& symbol, FWxSelection* selection,
                                     FWxSceneDoc* doc = nullptr);

    // There is nothing to drag.
    bool StartDrag(const WqGePoint3d&) override { return true; }
    bool Drag(const WqGePoint3d&) override { return true; }
    bool EndDrag(const WqGePoint3d&) override { return true; }
    // Runs the chooser; nothing when the document permits no change now.
    bool StartDialog() override;
    int32_t GetPromptCursor() const override { return kCursor; }
    int32_t GetPromptText() const override { return 0; }
    std::string GetManipulatorName() const override { return "DLxOldSymArrowHeadDlgManipulator"; }

    void SetChooserRunner(ChooserRunner runner) { m_runner = std::move(runner); }
    // A choice in the chooser: the arrowhead service `service` for the symbol, at once.
    void CallBack(uint32_t service);
    // The arrow type last applied (the opening one after a cancel).
    int32_t GetArrowType() const { return m_arrowType; }

private:
    DLxSymbol* GetStoredSymbol() const;
    void Post(int32_t arrowType);

    int32_t m_arrowType = 16;
    ChooserRunner m_runner;
};
