#pragma once
// The module's own identity: its resource module, its identification GUID and the table of
// registrations that run when the library loads.
#include <vector>

#include "WinModule.h"

class UTxGUID;

// The library number of the module's result codes and message texts.
constexpr int32_t kKorvuLibrary = 11;

// The resource module, while the module is loaded; null otherwise.
HMODULE KorvuGetResourceHandle();

// The module-wide identification GUID, handed to the module's meta types as their owner.
const UTxGUID& KorvuModuleGuid();

// One registration of the module; the rows run in table order when the library loads, the first
// group (named migrators and the meta types beside them) before the second (everything else).
struct KorvuInitRow {
    const char* name;
    void (*run)();
    int group;
};
const std::vector<KorvuInitRow>& KorvuInitTable();
