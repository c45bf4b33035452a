#pragma once
// A drawing of the bracket assembly (KorvuBOMFixture.h) with two sheets and a parts list
// placed on one of them by the creation request, for tests of the requests that act on a
// placed parts list; and the check every such request passes: its journalled line replays on
// a fresh drawing of the same making to the same bytes, and undo gives back the bytes before.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

#include "WinModule.h"
#include "dl/DLxAssemblyData.h"
#include "fw/SmartPtr.h"
#include "rse/RSeRef.h"
#include "utx/UTxResult.h"
#include "utx/UTxString16.h"
#include "utx/UTxUtil.h"

class DLxDrawingDoc;
class DLxPartListTable;
class DLxSheet;
class FWxChangeRequest;

namespace KorvuPartList {

using Bytes = std::vector<uint8_t>;

struct Doc;

struct DocSetup {
    DLxAssemblyData model;
    int32_t scheme = 1;         // the bill the list reads: 1 structured, 2 parts only
    bool onSecondSheet = false; // the list lies on "Sheet 2"; "Sheet 1" stays active
    // Changes made after the placing, in a transaction of their own that is not undoable.
    std::function<void(Doc&)> prepare;
};
DocSetup DefaultSetup();

struct Doc {
    std::unique_ptr<DLxDrawingDoc> doc;
    DLxSheet* sheet1 = nullptr;
    DLxSheet* sheet2 = nullptr;
    RSeRef<DLxPartListTable> table;

    explicit Doc(const DocSetup& setup = DefaultSetup());
    ~Doc();
    Bytes Save() const;
    // Runs `change` in a transaction of its own, as a change the test starts from.
    void Change(const std::function<void()>& change);
    // Through the document, as a command posts it.
    UTxResult Process(const SmartPtr<FWxChangeRequest>& request);
};

// Processes the request on `d` (made from `setup`), which must succeed and journal one line
// starting with `name`; `after` then checks `d`. The line replayed on a fresh drawing of the
// setup saves the same bytes as `d`; undo gives back the bytes `d` had before. Answers the line.
UTxString16 ExpectJournalledAndUndoable(const DocSetup& setup, Doc& d,
                                        const SmartPtr<FWxChangeRequest>& request,
                                        const char16_t* name,
                                        const std::function<void(Doc&)>& after = {});

void ClearJournal();

// The text of a cell of the list: the row by index, the column by its parts-list property
// ("1" the item number, "2" the quantity, ...); empty when there is none.
UTxString16 CellText(const DLxPartListTable* table, int32_t row, const char16_t* property);

#ifdef KORVU_BIN
// Loads the module (its registrations) and clears the journal around each test. Inline: the
// module's path is known to the test programs only.
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
