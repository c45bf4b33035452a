#pragma once
// What the tests of parts-list requests share: saved bytes, the journal emptied, and a test
// base that loads the module (its registrations) around each test.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <vector>

#include "WinModule.h"
#include "utx/UTxUtil.h"

namespace KorvuPartList {

using Bytes = std::vector<uint8_t>;

void ClearJournal();

// Inline: the module's path is known to the test programs only.
#ifdef KORVU_BIN
class ModuleTest : public ::testing::Test {
protected:
    void SetUp() override {
        const std::filesystem::path bin = std::filesystem::path(KORVU_BIN).parent_path();
        m_module = LoadLibraryW(UTx::MakeWideString((bin / "libkorvu.so").string()).c_str());
        ASSERT_NE(m_module, nullptr);
        ClearJournal();
    }
    void TearDown() override {
        ClearJournal();
        if (m_module) FreeLibrary(m_module);
    }
    HMODULE m_module = nullptr;
};
#endif

} // namespace KorvuPartList
