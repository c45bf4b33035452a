#pragma once
// The state icons the model browser shows beside an entry, by name. An entry answers one of
// these (or its type's own, kNoStateIcon when it has none) from BRxFixedEntry::StateIcon.
#include <cstdint>

class UCxBrowserUtil {
public:
    static constexpr int32_t kNoStateIcon = 0;
    static constexpr int32_t ErrorIcon() { return 1; }
    static constexpr int32_t UnresolvedIcon() { return 2; }
    static constexpr int32_t UpdateRequiredIcon() { return 3; }
    static constexpr int32_t RefdDocNeedsUpdateIcon() { return 4; }
    // A short word for each state icon, for printed trees ("" for none or an unknown one).
    static const char* StateIconName(int32_t icon);
};
