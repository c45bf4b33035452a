#pragma once
// The host's general (document) properties: their ids, the usages that offer them and the
// resource ids of their names in the resource module.
#include <cstdint>
#include <vector>

namespace UCxDTUtil {
// 1 text, 2 integer, 3 real.
enum ValueType : int32_t { eText = 1, eInteger = 2, eReal = 3 };

// The general property ids offered for a usage, in the order the host lists them. Usage 2 is
// the parts list's: it also holds the internal ids 20, 38 and 39, which parts lists skip.
std::vector<int32_t> GetGenPropIDs(int32_t usage);
// The string resource naming a general property; 0 for an id the host does not know.
uint32_t GetResID(int32_t generalId, int32_t form);
} // namespace UCxDTUtil
