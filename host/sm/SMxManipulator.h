#pragma once

#include <string>

class WqGePoint3d;

// Base of the drag manipulators. A drag is StartDrag, any number of Drag calls, then EndDrag or
// CancelDrag; a hook returning false refuses the step. Owned by whoever creates it.
class SMxManipulator {
public:
    SMxManipulator();
    virtual ~SMxManipulator();
    SMxManipulator(const SMxManipulator&) = delete;
    SMxManipulator& operator=(const SMxManipulator&) = delete;

    virtual bool StartDrag(const WqGePoint3d& point);
    virtual bool Drag(const WqGePoint3d& point);
    virtual bool EndDrag(const WqGePoint3d& point);
    virtual void CancelDrag();
    // Data a dialog the manipulator opened reports (the dialog says what it points to); true
    // when the manipulator took it.
    virtual bool CallBack(void* /*data*/) { return false; }

    // For diagnostics.
    virtual std::string GetManipulatorName() const;
};
