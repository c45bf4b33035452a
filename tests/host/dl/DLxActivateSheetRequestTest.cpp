// Showing a sheet through a request that runs without a transaction: it changes which sheet
// is active and nothing stored, journals nothing, leaves the undo history alone, and is
// refused for a sheet of another drawing or while a transaction is open.
#include <gtest/gtest.h>

#include <vector>

#include "dl/DLxActivateSheetRequest.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxSheet.h"
#include "fw/FWxSceneDoc.h"
#include "fw/FWxTranscriptMgr.h"
#include "fw/FWxUtil.h"
#include "rse/RSeDatabase.h"
#include "rse/RSeTransaction.h"

namespace {

std::vector<uint8_t> Save(const DLxDrawingDoc& doc) {
    std::vector<uint8_t> out;
    EXPECT_FALSE(doc.GetRSeDb()->SaveToBuffer(out).Failed());
    return out;
}

TEST(DLxActivateSheetRequest, ShowsASheetOfItsDrawingWithoutChangingTheDocument) {
    enum class Target { OwnSheet, OtherDrawingsSheet, NoSheet, OwnSheetInATransaction };
    const struct {
        const char* name;
        Target target;
        bool shown;
    } cases[] = {
        {"a sheet of the drawing", Target::OwnSheet, true},
        {"a sheet of another drawing", Target::OtherDrawingsSheet, false},
        {"no sheet", Target::NoSheet, false},
        {"while a transaction is open", Target::OwnSheetInATransaction, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FWxUtil::GetTranscriptMgr().ClearLines();
        DLxDrawingDoc doc;
        DLxDrawingDoc other;
        DLxSheet* sheet1 = doc.CreateSheet(u"Sheet 1", 420, 297);
        DLxSheet* sheet2 = doc.CreateSheet(u"Sheet 2", 420, 297);
        DLxSheet* foreign = other.CreateSheet(u"Sheet 2", 420, 297);
        doc.SetActiveSheet(sheet1);
        const std::vector<uint8_t> before = Save(doc);
        const size_t undoDepth = doc.GetUndoDepth();

        DLxSheet* target = c.target == Target::OtherDrawingsSheet ? foreign
                           : c.target == Target::NoSheet          ? nullptr
                                                                  : sheet2;
        const bool inTxn = c.target == Target::OwnSheetInATransaction;
        if (inTxn) doc.GetRSeDb()->BeginTxn();
        const UTxResult r = doc.ProcessNoTxnRequest(
            SmartPtr<FWxChangeRequest>(new DLxActivateSheetRequest(target)));
        if (inTxn) doc.GetRSeDb()->AbortTxn();

        EXPECT_EQ(r.Failed(), !c.shown);
        EXPECT_EQ(doc.GetActiveSheet(), c.shown ? sheet2 : sheet1);
        EXPECT_EQ(doc.GetUndoDepth(), undoDepth);
        EXPECT_TRUE(FWxUtil::GetTranscriptMgr().GetLines().empty());
        EXPECT_EQ(Save(doc), before);
    }
}

} // namespace
