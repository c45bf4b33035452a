#include "uc/UCxBrowserUtil.h"

const char* UCxBrowserUtil::StateIconName(int32_t icon) {
    switch (icon) {
    case ErrorIcon():
        return "error";
    case UnresolvedIcon():
        return "unresolved";
    case UpdateRequiredIcon():
        return "update required";
    case RefdDocNeedsUpdateIcon():
        return "referenced document needs update";
    default:
        return "";
    }
}
