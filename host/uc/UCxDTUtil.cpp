#include "uc/UCxDTUtil.h"

namespace {
struct GeneralProperty {
    int32_t id;
    uint32_t resId; // "KorvuRes" strings 2901 and up
};
// Id 5 is the part number and 29 the description: a new parts list shows both.
constexpr GeneralProperty kProperties[] = {
    {1, 2901},  {2, 2902},  {3, 2903},  {4, 2904},  {5, 2905},  {6, 2906},  {7, 2907},
    {8, 2908},  {9, 2909},  {14, 2914}, {15, 2915}, {20, 2920}, {29, 2929}, {38, 2938},
    {39, 2939},
};
} // namespace

namespace UCxDTUtil {
std::vector<int32_t> GetGenPropIDs(int32_t usage) {
    std::vector<int32_t> ids;
    if (usage != 2) return ids;
    for (const GeneralProperty& p : kProperties)
        ids.push_back(p.id);
    return ids;
}

uint32_t GetResID(int32_t generalId, int32_t) {
    for (const GeneralProperty& p : kProperties)
        if (p.id == generalId) return p.resId;
    return 0;
}
} // namespace UCxDTUtil
