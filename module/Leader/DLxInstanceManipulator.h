#pragma once
// Base of the drag manipulators of the annotation kinds.
#include "sm/SMxManipulator.h"

class DLxInstanceManipulator : public SMxManipulator {
public:
    DLxInstanceManipulator() = default;
};
