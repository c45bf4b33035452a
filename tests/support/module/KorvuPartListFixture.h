#pragma once
// A placed parts list for tests of its edits: a drawing of the bracket assembly (with its
// parts-list styles) and one parts list made on its first sheet by the creation request, whose
// line is kept off the journal. Two drawings made with the same arguments save to the same
// bytes, so an edit journalled on one and replayed on a fresh one must give the same bytes.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "WinModule.h"
#include "dl/DLxAssemblyData.h"
#include "fb/FBxObjectEditRecord.h"
#include "fw/SmartPtr.h"
#include "rse/RSeRef.h"
#include "utx/UTxResult.h"
#include "utx/UTxUtil.h"

class DLxDrawingDoc;
class DLxPartListData;
class DLxPartListEditRequest;
class DLxPartListTable;
class DLxSheet;
class DLxTableStatePartlist;

namespace KorvuPartList {

using Bytes = std::vector<uint8_t>;

struct Options {
    DLxAssemblyData model;
    // 1 structured, 2 parts only.
    int32_t scheme = 1;
    // Rows grouped by material, set up (outside the journal) after the creation.
    bool groupByMaterial = false;
    Options();
};

class Drawing {
public:
    explicit Drawing(const Options& options = Options());
    ~Drawing();

    DLxDrawingDoc* Doc() const { return m_doc.get(); }
    DLxSheet* Sheet() const { return m_sheet; }
    // Null when the creation failed (a test's assertion says so first).
    DLxPartListTable* Table() const;
    DLxTableStatePartlist* State() const;
    const RSeRef<DLxPartListTable>& TableRef() const { return m_table; }
    Bytes Save() const;

    // Processes an "EditPartList" request over the records; `request` receives it.
    UTxResult Edit(const FBxObjectEditRecordList& records,
                   SmartPtr<DLxPartListEditRequest>* request = nullptr);
    // Processes the given request.
    UTxResult Process(const SmartPtr<DLxPartListEditRequest>& request);

private:
    std::unique_ptr<DLxDrawingDoc> m_doc;
    DLxSheet* m_sheet = nullptr;
    RSeRef<DLxPartListTable> m_table;
};

void ClearJournal();

// Loads the module for the test (registering its requests) and empties the journal before and
// after. Inline, and only in tests: only a test's own build knows where the module is.
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

private:
    HMODULE m_module = nullptr;
};
#endif

using Check = std::function<void(Drawing& edited, Drawing& unedited)>;
using MakeRequest = std::function<SmartPtr<DLxPartListEditRequest>(Drawing&)>;

// Processes the request `make` gives on a drawing made from `options`, then checks what every
// edit must give: success, one journalled "EditPartList" line, that line replayed on a fresh
// drawing giving the same bytes, and undo giving back the bytes before. `check` gets the
// edited drawing and an unedited one of the same options, before the replay and the undo.
// Leaves the journal empty.
void ExpectJournalled(const Options& options, const MakeRequest& make, const Check& check);
// The same for a request over the records.
void ExpectJournalledEdit(const Options& options, const FBxObjectEditRecordList& records,
                          const Check& check);

} // namespace KorvuPartList
