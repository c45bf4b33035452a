#pragma once
// User-interface helpers of the host's components.
#include <cstdint>

#include "WinHandles.h"

class UCxUIUtil {
public:
    // Tells the user that the source model's bill of materials lacks the scheme an action
    // needs and asks whether to switch it on (kind 0). Answers 1 to go on, anything else to
    // stop.
    static int32_t DoBOMErrorMessageBox(int32_t kind, HWND parent);
};
