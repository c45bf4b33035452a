// Sorting a parts list by request: the rows' order, the empty definition, what it refuses,
// its journalled line replayed on a fresh drawing (it names the list and the definition),
// and its undo.
#include <gtest/gtest.h>

#include "BofM/DLxPartListTable.h"
#include "BofM/DLxTableStatePartlist.h"
#include "KorvuPartListDoc.h"
#include "KorvuTestSupport.h"
#include "Request/DLxPartListSortRequest.h"
#include "dl/DLxDrawingDoc.h"
#include "du/DUxTableStyleColumn.h"
#include "fw/FWxTranscriptMgr.h"
#include "fw/FWxUtil.h"
#include "utx/UTxUtil.h"

namespace {

using namespace KorvuPartList;

class PartListSortRequest : public ModuleTest {};

DLxTableStatePartlist* State(const Doc& d) {
    return d.table->GetPartListTableState().get();
}
// The index of the list's column of that parts-list property.
int16_t ColumnOf(const Doc& d, const char16_t* property) {
    const DUxTableColumnList& columns = State(d)->GetOriginalColumns();
    for (size_t i = 0; i < columns.size(); ++i) {
        const auto* c = dynamic_cast<const DUxTableStylePartsListColumn*>(columns[i].get());
        if (c &&
            c->GetPropertyID()->IsPropertySet(
                DUxStyleFormatColumnPropertyID::PartsListPropertySet()) &&
            c->GetPropertyID()->GetPropertyID() == property)
            return int16_t(i);
    }
    ADD_FAILURE() << "no column of property " << UTx::ToUtf8(property);
    return -1;
}
// The item numbers of the rows, in table order.
std::vector<UTxString16> Items(const Doc& d) {
    std::vector<UTxString16> out;
    for (int32_t i = 0; i < State(d)->GetRowCount(); ++i)
        out.push_back(CellText(d.table.get(), i, u"1"));
    return out;
}
DUxTableStateBase::SortDef ByQuantityDescending(const Doc& d) {
    return {{ColumnOf(d, u"2"), DUxTableStateBase::eDescending}};
}

// Replaying the line sorts the fresh drawing's list the same way: the line names the list and
// carries the definition.
TEST_F(PartListSortRequest, SortsTheRowsAndItsLineReplaysTheSameSort) {
    const DocSetup setup = DefaultSetup();
    Doc d(setup);
    const std::vector<UTxString16> modelOrder = Items(d);
    ASSERT_EQ(modelOrder.front(), u"1");
    const DUxTableStateBase::SortDef def = ByQuantityDescending(d);
    const UTxString16 line = ExpectJournalledAndUndoable(
        setup, d, new DLxPartListSortRequest(d.table, def), u"PartListSort", [&](Doc& done) {
            const std::vector<UTxString16> sorted = Items(done);
            // The three rows of quantity 4 (bolts, washers, nuts) lead.
            ASSERT_GE(sorted.size(), 3u);
            EXPECT_EQ(std::vector<UTxString16>(sorted.begin(), sorted.begin() + 3),
                      (std::vector<UTxString16>{u"4", u"5", u"6"}));
            EXPECT_EQ(State(done)->GetSortDef(), def);
        });
    EXPECT_NE(line.find(u"Object=\"" + FWxUtil::GetTranscriptMgr().StringFromRef(d.table)),
              UTxString16::npos)
        << UTx::ToUtf8(line);
    EXPECT_EQ(Items(d), modelOrder);

    SmartPtr<DLxPartListSortRequest> read(new DLxPartListSortRequest());
    ASSERT_FALSE(read->InitFromTranscript(d.doc.get(), line).Failed()) << UTx::ToUtf8(line);
    EXPECT_EQ(read->GetSortDef(), def);
    EXPECT_EQ(read->GetPartList(), d.table);
}

// A sorted list sorted by nothing goes back to the model's order, and draws it: it draws as a
// list that was never sorted.
TEST_F(PartListSortRequest, AnEmptyDefinitionPutsTheModelOrderBackAndDrawsIt) {
    const std::vector<std::string> unsorted = KorvuDescribe(*Doc().table->GetDisplayList());
    DocSetup setup = DefaultSetup();
    setup.prepare = [](Doc& d) { d.Change([&] { State(d)->SortRows(ByQuantityDescending(d)); }); };
    Doc d(setup);
    ASSERT_EQ(Items(d).front(), u"4");
    ExpectJournalledAndUndoable(
        setup, d, new DLxPartListSortRequest(d.table, {}), u"PartListSort", [&](Doc& done) {
            EXPECT_EQ(Items(done).front(), u"1");
            EXPECT_TRUE(State(done)->GetSortDef().empty());
            EXPECT_EQ(KorvuDescribe(*done.table->GetDisplayList()), unsorted);
        });
}

TEST_F(PartListSortRequest, LinesThatDoNotMatchAreRefused) {
    Doc d;
    const UTxString16 ref = FWxUtil::GetTranscriptMgr().StringFromRef(d.table);
    for (const UTxString16& tail :
         {UTxString16(u" SortColumns=[1,2] SortOrders=[0]"),
          UTxString16(u" SortColumns=[1] SortOrders=[2]"), UTxString16(u" SortColumns=[1]")}) {
        SCOPED_TRACE(UTx::ToUtf8(tail));
        SmartPtr<DLxPartListSortRequest> read(new DLxPartListSortRequest());
        EXPECT_TRUE(
            read->InitFromTranscript(d.doc.get(), u"PartListSort Object=\"" + ref + u"\"" + tail)
                .Failed());
    }
}

TEST_F(PartListSortRequest, WithoutAPartsListItIsRefused) {
    Doc d;
    const Bytes before = d.Save();
    const UTxResult r = d.Process(new DLxPartListSortRequest(RSeRef<DLxPartListTable>(), {}));
    EXPECT_TRUE(r.Failed());
    EXPECT_EQ(r.GetCode(), UTxResultCode(0xE009033C));
    EXPECT_TRUE(FWxUtil::GetTranscriptMgr().GetLines().empty());
    EXPECT_EQ(d.Save(), before);
}

} // namespace
