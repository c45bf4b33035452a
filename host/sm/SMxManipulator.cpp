#include "sm/SMxManipulator.h"

#include "ge/WqGePoint3d.h"

SMxManipulator::SMxManipulator() = default;
SMxManipulator::~SMxManipulator() = default;

bool SMxManipulator::StartDrag(const WqGePoint3d&) {
    return true;
}

bool SMxManipulator::Drag(const WqGePoint3d&) {
    return true;
}

bool SMxManipulator::EndDrag(const WqGePoint3d&) {
    return true;
}

void SMxManipulator::CancelDrag() {}

std::string SMxManipulator::GetManipulatorName() const {
    return "SMxManipulator";
}
