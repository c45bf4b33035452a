#pragma once
// Options of the host's user-interface components.
class UCxUtil {
public:
    // Whether the test toolbar (and the test commands on it) is offered; off unless switched on.
    static bool AllowTestToolbar();
    static void SetAllowTestToolbar(bool allow);
};
