#pragma once
#include <cstdint>

// A text named by its id in a library's resource module.
struct UTxStringResource {
    uint32_t id = 0;
    uint32_t library = 0;
    uint32_t flags = 0;
};
