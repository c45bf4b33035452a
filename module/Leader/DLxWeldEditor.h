#pragma once
// What a double-click on a placed weld symbol's text does: the host's weld edit command (44082)
// is posted to the document, which opens the weld dialog on the selection. The editor never
// drags and changes nothing itself.
#include <cstdint>

#include "dl/DLxInstanceManipulator.h"

class DLxWeldEditor : public DLxInstanceManipulator {
public:
    static constexpr int32_t kEditCommand = 44082;
    static constexpr int32_t kClassification = 1;
    static constexpr int32_t kSelectionClass = 2;

    DLxWeldEditor(const RSeRefBase& symbol, FWxSelection* selection)
        : DLxInstanceManipulator(symbol, kSelectionClass, selection) {}

    bool StartDrag(const WqGePoint3d&) override { return true; }
    bool Drag(const WqGePoint3d&) override { return true; }
    bool EndDrag(const WqGePoint3d&) override { return true; }
    void CancelDrag() override {}
    // Posts the edit command; false when the instance is no weld symbol.
    bool StartDialog() override;
    std::string GetManipulatorName() const override { return "DLxWeldEditor"; }
};
