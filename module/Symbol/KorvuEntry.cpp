// The library's entry: what runs when the host loads and unloads the module, and the one entry
// through which the host reaches the module's applet extension.
#include "AfxDll.h"
#include "Symbol/KorvuAppletExtension.h"
#include "Symbol/KorvuModule.h"
#include "utx/UTxLibrary.h"
#include "utx/UTxUtil.h"

namespace {
AFX_EXTENSION_MODULE g_korvuDLL;
HMODULE g_resource = nullptr;
CDynLinkLibrary* g_link = nullptr;
} // namespace

HMODULE KorvuGetResourceHandle() {
    return g_resource;
}

extern "C" __attribute__((visibility("default"))) int32_t DllMain(HINSTANCE instance,
                                                                  uint32_t reason, void*) {
    if (reason == DLL_PROCESS_ATTACH) {
        AfxInitExtensionModule(g_korvuDLL, instance);
        const UTxString16 path = UTxUtil::GetResourceDLLPathName(u"KorvuRes.dll");
        g_resource = LoadLibraryW(path.c_str());
        if (!g_resource) return 0; // without its resources the module cannot work
        g_korvuDLL.hResource = g_resource;
        UTx::RegisterLibrary(g_resource, kKorvuLibrary);
        g_link = new CDynLinkLibrary(g_korvuDLL, false);
        DisableThreadLibraryCalls(instance);
        GXInit(2048, nullptr, nullptr);
        return 1;
    }
    if (reason == DLL_PROCESS_DETACH) {
        AfxTermExtensionModule(g_korvuDLL);
        delete g_link;
        g_link = nullptr;
        if (g_resource) FreeLibrary(g_resource);
        g_resource = nullptr;
    }
    return 1;
}

extern "C" __attribute__((visibility("default"))) FWxAppletExtension*
ExtensionGetExtensionInterface() {
    // Built on the first call; a construction that throws is tried again on the next.
    static KorvuAppletExtension extension;
    return &extension;
}
