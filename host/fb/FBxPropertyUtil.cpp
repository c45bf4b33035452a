#include "fb/FBxPropertyUtil.h"

#include "utx/UTxGUID.h"

namespace {
// {F29F85E0-4FF9-1068-AB91-08002B27B3D9}: the summary information of a document.
constexpr UTxGUID kSummary(0xF29F85E0, 0x4FF91068, 0xAB910800, 0x2B27B3D9);
// {32853F0F-3444-11D1-9E93-0060B03C1CA6}: design tracking, the parts' own properties.
constexpr UTxGUID kDesign(0x32853F0F, 0x344411D1, 0x9E930060, 0xB03C1CA6);

struct Row {
    int32_t generalId;
    const UTxGUID* set;
    int32_t number;
};
// Title, subject, author and keywords are summary properties 2 to 5; the others are design
// properties under their own id.
constexpr Row kRows[] = {
    {1, &kSummary, 2}, {2, &kSummary, 3},  {3, &kSummary, 4},   {4, &kSummary, 5},
    {5, &kDesign, 5},  {6, &kDesign, 6},   {7, &kDesign, 7},    {8, &kDesign, 8},
    {9, &kDesign, 9},  {14, &kDesign, 14}, {15, &kDesign, 15},  {20, &kDesign, 20},
    {29, &kDesign, 29}, {38, &kDesign, 38}, {39, &kDesign, 39},
};
} // namespace

namespace FBxPropertyUtil {
bool FindDTPropByInfo(const UTxGUID& set, int32_t number, int32_t& generalId) {
    for (const Row& r : kRows)
        if (*r.set == set && r.number == number) {
            generalId = r.generalId;
            return true;
        }
    return false;
}

bool GetDTPropInfo(int32_t generalId, UTxGUID& set, int32_t& number) {
    for (const Row& r : kRows)
        if (r.generalId == generalId) {
            set = *r.set;
            number = r.number;
            return true;
        }
    return false;
}
} // namespace FBxPropertyUtil
