// A parts list recomputed after one row of its bill changed redraws that row alone, and what it
// draws is what a parts list computed whole from the same bill draws.
#include <gtest/gtest.h>

#include "KorvuTestSupport.h"

#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "BofM/DLxPartListTable.h"
#include "BofM/DLxTableRowPartlist.h"
#include "BofM/DLxTableStatePartlist.h"
#include "KorvuBOMFixture.h"
#include "Standard/DLxStdStyles.h"
#include "WinModule.h"
#include "dc/RDxComputeContext.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxLocalBOM.h"
#include "dl/DLxLocalBOMMgr.h"
#include "dl/DLxSheet.h"
#include "du/DUxTableStyle.h"
#include "fb/FBxLayerStyle.h"
#include "ge/WqGePoint3d.h"
#include "sm/SMxDisplayItem.h"
#include "sm/SMxDisplayList.h"
#include "utx/UTxString16.h"

namespace {

using Col = DLxLocalBOMColumn;
using namespace KorvuBOM;

// A drawing of the shared bracket assembly with its bill; each case gets its own.
struct Drawing {
    Drawing() {
        if (!doc.SetAssembly(BracketAssembly())) return;
        sheet = doc.CreateSheet(u"Sheet 1", 420, 297);
        bom = DLxLocalBOMMgr::GetLocalBOM(doc.GetRSeDb(), *doc.GetAssembly(), 1, true);
    }
    DLxPartListTable* Place() {
        RSeRef<DUxTableStylePartsList> style(DLxStdStyles::GetPartsListStyle(&doc));
        RSeRef<DLxPartListTable> table =
            DLxPartListTable::Create(sheet, WqGePoint3d(290, 285, 0), RSeRef<DLxLocalBOM>(bom),
                                     style, RSeRef<FBxLayerStyle>());
        if (!table.get()) return nullptr;
        table->RegisterAnnotation(sheet);
        table->SetPendingRefresh(true);
        return table.get();
    }
    void Recompute(DLxPartListTable* table) {
        table->MarkEdited(true);
        RDxComputeContext ctx;
        EXPECT_FALSE(sheet->Recompute(ctx).Failed());
    }
    DLxDrawingDoc doc;
    DLxSheet* sheet = nullptr;
    DLxLocalBOM* bom = nullptr;
};

int32_t IndexOf(DLxTableStatePartlist* state, const DLxLocalBOMCookie& cookie) {
    for (int32_t i = 0; i < state->GetRowCount(); ++i) {
        const auto* id = dynamic_cast<const DLxTableRowIDLocalBOM*>(state->GetRow(i)->RowID());
        if (id && id->Cookie() == cookie) return i;
    }
    return -1;
}

class PartListRedraw : public ::testing::Test {
protected:
    void SetUp() override {
        const std::filesystem::path bin = std::filesystem::path(KORVU_BIN).parent_path();
        m_module = LoadLibraryW(UTx::MakeWideString((bin / "libkorvu.so").string()).c_str());
        ASSERT_NE(m_module, nullptr);
    }
    void TearDown() override {
        if (m_module) FreeLibrary(m_module);
    }
    HMODULE m_module = nullptr;
};

TEST_F(PartListRedraw, OneChangedRowDrawsWhatAWholeComputeDraws) {
    const DLxLocalBOMCookie bolt({}, kBolt), shaft({}, kShaft);
    struct Case {
        const char* name;
        DLxLocalBOMCookie row;
        std::function<void(DLxLocalBOM&)> change;
        bool kept; // the other rows' items stay: the row kept its height
    };
    const Case cases[] = {
        {"a description", bolt,
         [&](DLxLocalBOM& b) { b.SetCellOverride(bolt, Col::Description, u"Bolt, zinc"); }, true},
        {"a part number", shaft,
         [&](DLxLocalBOM& b) { b.SetCellOverride(shaft, Col::PartNumber, u"SH-111"); }, true},
        {"an item number", shaft, [&](DLxLocalBOM& b) { b.SetItemNumber(shaft, u"20"); }, true},
        {"a description emptied", bolt,
         [&](DLxLocalBOM& b) { b.SetCellOverride(bolt, Col::Description, u" "); }, true},
        {"a description that wraps", bolt,
         [&](DLxLocalBOM& b) {
             b.SetCellOverride(bolt, Col::Description,
                               u"Hexagon head bolt, property class 8.8, zinc plated, with a "
                               u"long note that needs more lines than one");
         },
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Drawing d;
        ASSERT_TRUE(d.sheet && d.bom);
        DLxPartListTable* table = d.Place();
        ASSERT_TRUE(table);
        d.Recompute(table);
        DLxTableStatePartlist* state = table->GetPartListTableState().get();
        ASSERT_TRUE(state && table->GetDisplayList());
        SMxDisplayList& drawn = *table->GetDisplayList();
        ASSERT_GT(drawn.Count(), 0);
        const std::vector<std::string> before = KorvuDescribe(drawn);
        // A mark the drawing never sets: it stays on the items that are not drawn again.
        drawn.GetAt(0).SetStyledColor(SMxColor());

        c.change(*d.bom);
        const int32_t index = IndexOf(state, c.row);
        ASSERT_GE(index, 0);
        state->UpdateRow(index);
        d.Recompute(table);
        EXPECT_EQ(drawn.GetAt(0).HasStyledColor(), c.kept);
        EXPECT_NE(KorvuDescribe(drawn), before);

        DLxPartListTable* whole = d.Place();
        ASSERT_TRUE(whole);
        d.Recompute(whole);
        ASSERT_TRUE(whole->GetDisplayList());
        EXPECT_EQ(KorvuDescribe(drawn), KorvuDescribe(*whole->GetDisplayList()));
    }
}

} // namespace
