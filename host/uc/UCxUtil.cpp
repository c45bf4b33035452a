#include "uc/UCxUtil.h"

namespace {
bool g_allowTestToolbar = false;
}

bool UCxUtil::AllowTestToolbar() {
    return g_allowTestToolbar;
}
void UCxUtil::SetAllowTestToolbar(bool allow) {
    g_allowTestToolbar = allow;
}
