#pragma once
// What a double-click on a feature control frame's text does: the frame dialog opens on a
// preview copy of the frame, and OK turns the edited copy into one edit of the stored frame
// ("CreateGDTSymbol" in its edit form). Cancel leaves the document as it was. The editor never
// drags.
#include <cstdint>

#include "dl/DLxInstanceManipulator.h"
#include "rse/RSeRef.h"

class DLxGDTInstance;

class DLxGDTEditor : public DLxInstanceManipulator {
public:
    // The classification of the document command an edit is.
    static constexpr int32_t kClassification = 1;
    // The selection class of a symbol's text.
    static constexpr int32_t kSelectionClass = 2;

    DLxGDTEditor(const RSeRefBase& symbol, FWxSelection* selection, FWxSceneDoc* doc = nullptr);

    // Dragging is left to the frame's other manipulators.
    bool StartDrag(const WqGePoint3d&) override { return true; }
    bool Drag(const WqGePoint3d&) override { return true; }
    bool EndDrag(const WqGePoint3d&) override { return true; }
    void CancelDrag() override {}
    // Runs the dialog (through the dialog runner, as the frame edit command does); false when
    // the instance is no frame.
    bool StartDialog() override;
    std::string GetManipulatorName() const override { return "DLxGDTEditor"; }

    DLxGDTInstance* GetStoredSymbol() const;
};
