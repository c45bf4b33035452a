// Deleting a parts list: the list and what it made go from the sheet, the entity event it
// sends and the lock it leaves as found, its journalled line replayed on a fresh drawing, and
// its undo.
#include <gtest/gtest.h>

#include <vector>

#include "BofM/DLxPartListTable.h"
#include "KorvuPartListDoc.h"
#include "Request/DLxDeletePartListRequest.h"
#include "dc/RDxEntityEvent.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxLocalBOM.h"
#include "dl/DLxLocalBOMMgr.h"
#include "dl/DLxSheet.h"
#include "du/DUxEmblem.h"
#include "fw/FWxTranscriptMgr.h"
#include "fw/FWxUtil.h"
#include "utx/UTxUtil.h"

namespace {

using namespace KorvuPartList;

class DeletePartListRequest : public ModuleTest {};

SmartPtr<FWxChangeRequest> DeleteOf(const Doc& d) {
    return new DLxDeletePartListRequest(RSeRef<DUxAnnotationInstance>(d.table));
}

TEST_F(DeletePartListRequest, TakesTheListOffItsSheetReplaysAndUndoes) {
    for (const bool onSecondSheet : {false, true}) {
        SCOPED_TRACE(onSecondSheet ? "on the inactive sheet" : "on the active sheet");
        DocSetup setup = DefaultSetup();
        setup.onSecondSheet = onSecondSheet;
        Doc d(setup);
        DLxSheet* sheet = onSecondSheet ? d.sheet2 : d.sheet1;
        const RSeRef<DLxPartListTable> table = d.table;
        const UTxString16 key = FWxUtil::GetTranscriptMgr().StringFromRef(table);
        const UTxString16 line =
            ExpectJournalledAndUndoable(setup, d, DeleteOf(d), u"DeletePartList", [&](Doc& done) {
                EXPECT_FALSE(table.HasTarget());
                EXPECT_EQ(sheet->GetNodeCount(), onSecondSheet ? 0u : 1u);
                EXPECT_TRUE(sheet->IsUpToDate());
                const DLxLocalBOM* bom = DLxLocalBOMMgr::GetAnyLocalBOM(done.doc->GetRSeDb());
                ASSERT_NE(bom, nullptr);
                EXPECT_FALSE(bom->HasRelatedAnnotations());
            });
        EXPECT_NE(line.find(u"PartList=\"" + key + u"\""), UTxString16::npos) << UTx::ToUtf8(line);
        EXPECT_TRUE(table.HasTarget());
    }
}

// One event of type 2 reaches the list's observers, sent before that type is locked; the
// request leaves the lock as it found it. A type already locked sends nothing.
TEST_F(DeletePartListRequest, TellsOfTheListsGoingOnceAndLeavesTheEventLockAsFound) {
    struct Observer : RSeObjectObserverM {
        bool OnEvent(const RSeEvent* event) override {
            if (const auto* e = dynamic_cast<const RDxEntityEvent*>(event))
                seen.push_back({e->GetType(), RDxEntityEvent::IsEventLocked(e->GetType())});
            return true;
        }
        std::vector<std::pair<int32_t, bool>> seen;
    };
    struct Case {
        bool lockedBefore;
        std::vector<std::pair<int32_t, bool>> expected;
    };
    for (const Case& c : {Case{false, {{2, false}}}, Case{true, {}}}) {
        SCOPED_TRACE(c.lockedBefore ? "locked before" : "unlocked before");
        Doc d;
        Observer observer;
        RSeNotifier::NotifyOnEventTo(
            d.table, RSeNotifierEventMask::Field(RDxEntityEvent::kEntityEvent, ~0u), &observer, 0);
        RDxEntityEvent::SetEventLock(2, c.lockedBefore);
        const UTxResult r = d.Process(DeleteOf(d));
        const bool lockedAfter = RDxEntityEvent::SetEventLock(2, false);
        ASSERT_FALSE(r.Failed()) << UTx::ToUtf8(r.GetDetail());
        EXPECT_EQ(observer.seen, c.expected);
        EXPECT_EQ(lockedAfter, c.lockedBefore);
    }
}

} // namespace
