#pragma once
// The class library's extension-library support: a library's record, its place in the chain
// of libraries whose classes and resources are searched, and thread notifications.
#include <cstdint>

#include "WinModule.h"

struct AFX_EXTENSION_MODULE {
    bool bInitialized = false;
    HMODULE hModule = nullptr;
    HMODULE hResource = nullptr;
};

bool AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE module);
void AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, bool all = false);

// A library's link in the chain; made once per library, it lives until the library goes.
class CDynLinkLibrary {
public:
    CDynLinkLibrary(AFX_EXTENSION_MODULE& state, bool system = false);
    ~CDynLinkLibrary();
    CDynLinkLibrary(const CDynLinkLibrary&) = delete;
    CDynLinkLibrary& operator=(const CDynLinkLibrary&) = delete;
    HMODULE GetResourceHandle() const { return m_resource; }
    bool IsSystemLibrary() const { return m_system; }
    // The libraries in the chain, newest first.
    static int32_t ChainLength();
    static const CDynLinkLibrary* ChainAt(int32_t i);

private:
    HMODULE m_resource;
    bool m_system;
};

bool DisableThreadLibraryCalls(HMODULE module);

// The grid control library's start-up; remembers what it was given.
void GXInit(int32_t language, void* hResource = nullptr, void* reserved = nullptr);
int32_t GXGetInitValue();
