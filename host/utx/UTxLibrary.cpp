#include "utx/UTxLibrary.h"

#include <map>

#include "utx/UTxResult.h"

namespace {
std::map<int32_t, HMODULE>& Libraries() {
    static std::map<int32_t, HMODULE> libraries;
    return libraries;
}
} // namespace

namespace UTx {

bool RegisterLibrary(HMODULE module, int32_t library) {
    const KorvuResTable* table = GetResourceTable(module);
    if (!table || library < 0 || library > 0xFFF) return false;
    for (uint32_t i = 0; i < table->stringCount; ++i) {
        const KorvuResString& s = table->strings[i];
        RegisterMessage(uint32_t(library), s.id & 0xFFFFu,
                        UTxString16(WinResText(s.text, s.length)));
    }
    Libraries()[library] = module;
    return true;
}

HMODULE GetFacilityHInst(int32_t library) {
    auto it = Libraries().find(library);
    return it == Libraries().end() ? nullptr : it->second;
}

} // namespace UTx
