#include "AfxDll.h"

#include <algorithm>
#include <vector>

namespace {
std::vector<const CDynLinkLibrary*>& Chain() {
    static std::vector<const CDynLinkLibrary*> chain;
    return chain;
}
int32_t g_gxInit = 0;
} // namespace

bool AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE module) {
    state.hModule = module;
    state.hResource = module;
    state.bInitialized = true;
    return true;
}

void AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, bool) {
    state.bInitialized = false;
}

CDynLinkLibrary::CDynLinkLibrary(AFX_EXTENSION_MODULE& state, bool system)
    : m_resource(state.hResource), m_system(system) {
    Chain().insert(Chain().begin(), this);
}

CDynLinkLibrary::~CDynLinkLibrary() {
    auto& c = Chain();
    c.erase(std::remove(c.begin(), c.end(), this), c.end());
}

int32_t CDynLinkLibrary::ChainLength() {
    return int32_t(Chain().size());
}
const CDynLinkLibrary* CDynLinkLibrary::ChainAt(int32_t i) {
    return Chain()[size_t(i)];
}

bool DisableThreadLibraryCalls(HMODULE) {
    return true;
}

void GXInit(int32_t language, void*, void*) {
    g_gxInit = language;
}
int32_t GXGetInitValue() {
    return g_gxInit;
}
