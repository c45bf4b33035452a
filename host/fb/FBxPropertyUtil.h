#pragma once
// Where the host's general (document) properties live: each general property id is one
// property of a property set (a GUID) under a property number.
#include <cstdint>

class UTxGUID;

namespace FBxPropertyUtil {
// The general property stored under (set, number); false when there is none.
bool FindDTPropByInfo(const UTxGUID& set, int32_t number, int32_t& generalId);
// The set and number of a general property; false for an id the host does not know.
bool GetDTPropInfo(int32_t generalId, UTxGUID& set, int32_t& number);
} // namespace FBxPropertyUtil
