#pragma once
// What a double-click on a placed surface-texture symbol's text does: the surface-texture dialog
// opens on a preview copy of the symbol, and OK turns the edited copy into one edit of the
// stored symbol ("CreateSurfTXTSymbol" in its edit form). Cancel leaves the document as it was.
// The editor never drags.
#include <cstdint>

#include "dl/DLxInstanceManipulator.h"
#include "rse/RSeRef.h"

class DLxSurfTXTInstance;

class DLxSurfTXTEditor : public DLxInstanceManipulator {
public:
    // The classification of the document command an edit is.
    static constexpr int32_t kClassification = 1;
    // The selection class of a symbol's text.
    static constexpr int32_t kSelectionClass = 2;

    DLxSurfTXTEditor(const RSeRefBase& symbol, FWxSelection* selection);

    // Dragging is left to the symbol's other manipulators.
    bool StartDrag(const WqGePoint3d&) override { return true; }
    bool Drag(const WqGePoint3d&) override { return true; }
    bool EndDrag(const WqGePoint3d&) override { return true; }
    void CancelDrag() override {}
    // Runs the dialog; false when the instance is no surface-texture symbol.
    bool StartDialog() override;
    std::string GetManipulatorName() const override { return "DLxSurfTXTEditor"; }

    // The stored symbol, and the copy the dialog edits (null outside the dialog).
    DLxSurfTXTInstance* GetStoredSymbol() const;
    DLxSurfTXTInstance* GetWorkingSymbol() const;
};
