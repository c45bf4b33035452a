#pragma once
// The module loaded as the host loads it, so that its resources (menus, strings) are found.
// Needs KORVU_BIN, the program's path, which every area test is given.
#include <gtest/gtest.h>

#include <filesystem>

#include "WinModule.h"
#include "utx/UTxUtil.h"

struct KorvuLoadedModule {
    HMODULE module = LoadLibraryW(
        UTx::MakeWideString(
            (std::filesystem::path(KORVU_BIN).parent_path() / "libkorvu.so").string())
            .c_str());
    KorvuLoadedModule() { EXPECT_NE(module, nullptr); }
    ~KorvuLoadedModule() {
        if (module) FreeLibrary(module);
    }
    KorvuLoadedModule(const KorvuLoadedModule&) = delete;
    KorvuLoadedModule& operator=(const KorvuLoadedModule&) = delete;
};
