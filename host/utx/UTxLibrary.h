#pragma once
#include <cstdint>

#include "WinModule.h"

namespace UTx {
// Makes a loaded resource module library number `library` (0..0xFFF): every string of the
// module becomes that library's message under the low 16 bits of its id, and the handle is
// remembered for GetFacilityHInst. False for a null handle or a library number out of range.
bool RegisterLibrary(HMODULE module, int32_t library);
// The module registered as `library`, or null.
HMODULE GetFacilityHInst(int32_t library);
} // namespace UTx
