// The update of a placed parts list from its bill of materials: what it refuses, which sheet
// it recomputes, its journalled line replayed on a fresh drawing, and its undo.
#include <gtest/gtest.h>

#include "BofM/DLxPartListTable.h"
#include "BofM/DLxTableStatePartlist.h"
#include "KorvuBOMFixture.h"
#include "KorvuPartListDoc.h"
#include "Request/DLxUpdatePartsListRequest.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxLocalBOM.h"
#include "dl/DLxSheet.h"
#include "dl/DLxViewInstance.h"
#include "fw/FWxTranscriptMgr.h"
#include "fw/FWxUtil.h"
#include "rse/RSeDatabase.h"
#include "rse/RSeTransaction.h"

namespace {

using namespace KorvuPartList;

class UpdatePartsListRequest : public ModuleTest {};

// The bill numbers the bracket 42 behind the list's back: only an update shows it.
void RenumberBracketInBill(Doc& d) {
    DLxLocalBOM* bom = d.table->GetPartListTableState()->LocalBOM();
    ASSERT_NE(bom, nullptr);
    d.Change(
        [&] { EXPECT_TRUE(bom->SetItemNumber(DLxLocalBOMCookie({}, KorvuBOM::kBracket), u"42")); });
}

TEST_F(UpdatePartsListRequest, RebuildsTheListFromTheBillAndReplaysAndUndoes) {
    const DocSetup setup = DefaultSetup();
    Doc d(setup);
    ASSERT_EQ(CellText(d.table.get(), 0, u"1"), u"1");
    ExpectJournalledAndUndoable(setup, d, new DLxUpdatePartsListRequest(d.table),
                                u"UpdatePartsList", [](Doc& done) {
                                    EXPECT_TRUE(done.sheet1->IsUpToDate());
                                    EXPECT_FALSE(done.table->IsPendingRefresh());
                                });

    RenumberBracketInBill(d);
    EXPECT_EQ(CellText(d.table.get(), 0, u"1"), u"1");
    ASSERT_FALSE(d.Process(new DLxUpdatePartsListRequest(d.table)).Failed());
    EXPECT_EQ(CellText(d.table.get(), 0, u"1"), u"42");
}

// Another sheet than the list's is active: that sheet computes, the list waits for its own.
TEST_F(UpdatePartsListRequest, RecomputesTheActiveSheetAndOnlyMarksAListElsewhere) {
    DocSetup setup = DefaultSetup();
    setup.onSecondSheet = true;
    Doc d(setup);
    ASSERT_TRUE(d.sheet2->IsUpToDate());
    RenumberBracketInBill(d);
    DLxViewInstance* front = d.sheet1->FindView(u"Front");
    ASSERT_NE(front, nullptr);
    d.Change([&] {
        RSe::PrepareWrite(front);
        front->MarkEdited(true);
    });
    ASSERT_FALSE(d.sheet1->IsUpToDate());

    ASSERT_FALSE(d.Process(new DLxUpdatePartsListRequest(d.table)).Failed());
    EXPECT_TRUE(d.sheet1->IsUpToDate());
    EXPECT_TRUE(d.table->IsPendingRefresh());
    EXPECT_FALSE(d.sheet2->IsUpToDate());
    EXPECT_EQ(CellText(d.table.get(), 0, u"1"), u"1");
}

TEST_F(UpdatePartsListRequest, RefusalsChangeNothingAndJournalNothing) {
    struct Case {
        const char* name;
        bool withList;
        bool deferred;
    };
    for (const Case& c :
         {Case{"no parts list", false, false}, Case{"a deferred drawing", true, true}}) {
        SCOPED_TRACE(c.name);
        Doc d;
        d.doc->SetDocDeferred(c.deferred);
        const Bytes before = d.Save();
        const UTxResult r = d.Process(
            new DLxUpdatePartsListRequest(c.withList ? d.table : RSeRef<DLxPartListTable>()));
        EXPECT_TRUE(r.Failed());
        EXPECT_EQ(r.GetCode(), UTxResultCode(0xE009033C));
        EXPECT_TRUE(FWxUtil::GetTranscriptMgr().GetLines().empty());
        EXPECT_EQ(d.Save(), before);
        // The placing is all there is to undo.
        ASSERT_FALSE(d.doc->Undo().Failed());
        EXPECT_FALSE(d.table.HasTarget());
    }
}

} // namespace
