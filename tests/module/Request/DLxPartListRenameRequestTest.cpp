// Renaming a parts list: its title and nothing else changes, what it refuses, its journalled
// line replayed on a fresh drawing, and its undo.
#include <gtest/gtest.h>

#include "BofM/DLxPartListTable.h"
#include "BofM/DLxTableStatePartlist.h"
#include "KorvuPartListDoc.h"
#include "Request/DLxPartListRenameRequest.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxSheet.h"
#include "dl/DLxViewInstance.h"
#include "du/DUxTableStyle.h"
#include "fw/FWxTranscriptMgr.h"
#include "fw/FWxUtil.h"
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
