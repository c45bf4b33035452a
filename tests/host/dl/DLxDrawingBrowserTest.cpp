// The drawing's model browser: its sheets and views, and the entries annotations store of
// themselves hung under their sheets, after a reload and after the entry goes.
#include <gtest/gtest.h>

#include <memory>

#include "br/BRxDocManager.h"
#include "br/BRxFixedEntry.h"
#include "dl/DLxDrawing.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxSheet.h"
#include "dl/DLxViewInstance.h"
#include "rse/RSeDatabase.h"
#include "rse/RSeMeta.h"
#include "rse/RSeTransaction.h"

namespace {

TEST(DLxDrawingBrowser, SheetsViewsAndStoredEntriesMakeTheTree) {
    DLxDrawingDoc doc;
    DLxSheet* one = doc.CreateSheet(u"Sheet 1", 420, 297);
    DLxSheet* two = doc.CreateSheet(u"Sheet 2", 420, 297);
    DLxViewInstance* front = one->CreateView(u"Front");
    one->CreateView(u"Top");

    BRxEntry* sheetEntry = doc.GetEntry(two);
    ASSERT_TRUE(sheetEntry);
    EXPECT_EQ(doc.GetEntry(front)->GetParent(), doc.GetEntry(one));
    EXPECT_EQ(doc.GetEntry(nullptr), nullptr);
    EXPECT_EQ(doc.GetEntry(doc.GetDrawing()), nullptr) << "the drawing's settings have none";

    // A parts list's entry, stored in its sheet's segment with the sheet as parent subject.
    auto* stored =
        new (RSe::_GetMeta(static_cast<const BRxFixedEntry*>(nullptr)), two->GetSegment())
            BRxFixedEntry(DLxDrawingDoc::GetEntryType(DLxDrawingDoc::kPartsListEntry),
                          u"Parts List", sheetEntry, RSeRefBase(), RSeRefBase(), true);
    const std::string expected = "Drawing [icon 100]\n"
                                 "  Sheet 1 [icon 101]\n"
                                 "    Front [icon 102]\n"
                                 "    Top [icon 102]\n"
                                 "  Sheet 2 [icon 101]\n"
                                 "    Parts List [icon 114]\n";
    EXPECT_EQ(doc.GetBrowser()->Print(), expected);
    EXPECT_EQ(doc.GetBrowser()->Print(), expected) << "asking again builds the same tree";
    EXPECT_EQ(doc.GetEntry(two), sheetEntry) << "an entry outlives the rebuilds of its tree";

    std::vector<uint8_t> bytes;
    ASSERT_FALSE(doc.GetRSeDb()->SaveToBuffer(bytes).Failed());
    std::unique_ptr<RSeDatabase> db;
    ASSERT_FALSE(RSeDatabase::LoadFromBuffer(bytes.data(), bytes.size(), db).Failed());
    DLxDrawingDoc loaded(std::move(db));
    EXPECT_EQ(loaded.GetBrowser()->Print(), expected);

    // An entry deleted leaves the tree, and so does the entry of a view that went.
    RSe::DeleteObject(stored);
    RSe::DeleteObject(front);
    EXPECT_EQ(doc.GetBrowser()->Print(), "Drawing [icon 100]\n"
                                         "  Sheet 1 [icon 101]\n"
                                         "    Top [icon 102]\n"
                                         "  Sheet 2 [icon 101]\n");
    EXPECT_EQ(doc.GetEntry(two), sheetEntry);
    EXPECT_EQ(DLxDrawingDoc::GetEntryType(3), nullptr);
}

} // namespace
