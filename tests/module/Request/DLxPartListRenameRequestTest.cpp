// Renaming a parts list: its title and nothing else changes, what it refuses, its journalled
// line replayed on a fresh drawing, and its undo.
#include <gtest/gtest.h>

#include "BofM/DLxPartListTable.h"
#include "BofM/DLxTableStatePartlist.h"
#include "KorvuPartListDoc.h"
#include "Request/DLxPartListRenameRequest.h"
#include "dc/RDxComputeContext.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxLocalBOM.h"
#include "dl/DLxSheet.h"
#include "dl/DLxViewInstance.h"
#include "du/DUxTableStyle.h"
#include "fb/FBxLayerStyle.h"
#include "fw/FWxTranscriptMgr.h"
#include "fw/FWxUtil.h"
#include "ge/WqGePoint3d.h"
#include "sm/SMxDisplayItem.h"
#include "sm/SMxDisplayList.h"
#include "utx/UTxUtil.h"

namespace {

using namespace KorvuPartList;

class PartListRenameRequest : public ModuleTest {};

UTxString16 Title(const Doc& d) {
    return DUxTableStyleWrapper(RSeRef<DUxTableStateBase>(d.table->GetPartListTableState()), {})
        .GetTitle();
}

TEST_F(PartListRenameRequest, SetsTheTitleReplaysAndUndoes) {
    const DocSetup setup = DefaultSetup();
    for (const char16_t* name : {u"Bracket parts", u"", u"Teile \"Halter\" \u00e4\u00f6\u00fc"}) {
        SCOPED_TRACE(UTx::ToUtf8(name));
        Doc d(setup);
        const UTxString16 line = ExpectJournalledAndUndoable(
            setup, d, new DLxPartListRenameRequest(d.table, name), u"PartListRename",
            [&](Doc& done) { EXPECT_EQ(Title(done), name); });
        EXPECT_NE(line.find(u"Object=\"" + FWxUtil::GetTranscriptMgr().StringFromRef(d.table)),
                  UTxString16::npos)
            << UTx::ToUtf8(line);
    }
}

bool Draws(const DLxPartListTable* table, const UTxString16& text) {
    const SMxDisplayList* list = table ? table->GetDisplayList() : nullptr;
    for (int32_t i = 0; list && i < list->Count(); ++i)
        if (const auto* t = dynamic_cast<const SMxTextItem*>(&list->GetAt(i)); t && t->text == text)
            return true;
    return false;
}

// The title is the style's: another parts list drawn in the same style shows the new title at
// once, not only after the drawing is computed again.
TEST_F(PartListRenameRequest, AnotherListInTheSameStyleRedrawsWithTheNewTitle) {
    Doc d;
    DLxTableStatePartlist* state = d.table->GetPartListTableState().get();
    RSeRef<DLxPartListTable> other;
    d.Change([&] {
        other = DLxPartListTable::Create(
            d.sheet1, WqGePoint3d(150, 250, 0), RSeRef<DLxLocalBOM>(state->LocalBOM()),
            RSeRef<DUxTableStylePartsList>(dynamic_cast<DUxTableStylePartsList*>(state->GetStyle())),
            RSeRef<FBxLayerStyle>());
        other->RegisterAnnotation(d.sheet1);
        RDxComputeContext ctx;
        (void)d.sheet1->Recompute(ctx);
    });
    ASSERT_TRUE(other.HasTarget());
    ASSERT_TRUE(Draws(other.get(), Title(d)));
    ASSERT_FALSE(d.Process(new DLxPartListRenameRequest(d.table, u"Bracket parts")).Failed());
    EXPECT_TRUE(Draws(other.get(), u"Bracket parts"));
}

// Renamed and named back again, the drawing is what it was: the title is all a rename touches.
TEST_F(PartListRenameRequest, ChangesTheTitleAndNothingElse) {
    Doc d;
    const UTxString16 title = Title(d);
    const Bytes before = d.Save();
    ASSERT_FALSE(d.Process(new DLxPartListRenameRequest(d.table, u"Bracket parts")).Failed());
    EXPECT_NE(d.Save(), before);
    ASSERT_FALSE(d.Process(new DLxPartListRenameRequest(d.table, title)).Failed());
    EXPECT_EQ(d.Save(), before);
}

TEST_F(PartListRenameRequest, AnObjectThatIsNoPartsListIsRefused) {
    Doc d;
    const Bytes before = d.Save();
    SmartPtr<DLxPartListRenameRequest> req(
        new DLxPartListRenameRequest(RSeRefBase(d.sheet1->FindView(u"Front")), u"Front parts"));
    EXPECT_FALSE(req->GetPartList().HasTarget());
    const UTxResult r = d.Process(req);
    EXPECT_TRUE(r.Failed());
    EXPECT_EQ(r.GetCode(), UTxResultCode(0xE009033C));
    EXPECT_TRUE(FWxUtil::GetTranscriptMgr().GetLines().empty());
    EXPECT_EQ(d.Save(), before);
}

} // namespace
