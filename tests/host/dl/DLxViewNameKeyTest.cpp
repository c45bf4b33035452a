// Views are named in transcripts by their sheet and their own name.
#include <gtest/gtest.h>

#include "dl/DLxDrawingDoc.h"
#include "dl/DLxSheet.h"
#include "dl/DLxViewInstance.h"
#include "fw/FBxObjectNameKey.h"
#include "rse/RSeDatabase.h"

TEST(DLxViewNameKey, AViewIsFoundAgainByItsSheetAndName) {
    DLxDrawingDoc doc;
    DLxSheet* a = doc.CreateSheet(u"A/B", 420, 297); // a slash in a sheet name is allowed
    DLxSheet* b = doc.CreateSheet(u"A", 420, 297);
    DLxViewInstance* front = a->CreateView(u"Front");
    DLxViewInstance* other = b->CreateView(u"Side");
    for (DLxViewInstance* view : {front, other}) {
        FBxObjectNameKey key;
        ASSERT_FALSE(FBxObjectNameKey::FromObject(view, key).Failed());
        RSeIDed* found = nullptr;
        ASSERT_FALSE(key.FindObject(*doc.GetRSeDb(), &doc, found).Failed());
        EXPECT_EQ(found, view) << UTx::ToUtf8(key.GetText());
    }
    FBxObjectNameKey key;
    ASSERT_FALSE(FBxObjectNameKey::FromObject(front, key).Failed());
    EXPECT_EQ(key.GetText(), u"DLxViewInstance#A/B/Front");

    // An unknown view names nothing; a key without a sheet is malformed.
    RSeIDed* found = nullptr;
    const UTxResult r =
        FBxObjectNameKey(u"DLxViewInstance#A/Top").FindObject(*doc.GetRSeDb(), &doc, found);
    EXPECT_TRUE(r.Failed() || !found);
    EXPECT_TRUE(FBxObjectNameKey(u"DLxViewInstance#Front")
                    .FindObject(*doc.GetRSeDb(), &doc, found)
                    .Failed());
}
