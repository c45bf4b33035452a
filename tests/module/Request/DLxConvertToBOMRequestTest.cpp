// Converting parts-list overrides into the bill of materials: what becomes the bill's, when
// the source model's scheme is enabled again, the journalled line replayed on a fresh drawing,
// its undo, and what it refuses.
#include <gtest/gtest.h>

#include "BofM/DLxPartListTable.h"
#include "BofM/DLxTableRowPartlist.h"
#include "BofM/DLxTableStatePartlist.h"
#include "KorvuBOMFixture.h"
#include "KorvuPartListDoc.h"
#include "Request/DLxConvertToBOMRequest.h"
#include "dl/DLxAssemblyData.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxLocalBOM.h"
#include "du/DUxTableStyleColumn.h"
#include "fw/FWxTranscriptMgr.h"
#include "fw/FWxUtil.h"
#include "utx/UTxUtil.h"

namespace {

using namespace KorvuPartList;
using KorvuBOM::kBracket;
using KorvuBOM::kCover;
using KorvuBOM::kShaft;

class ConvertToBOMRequest : public ModuleTest {};

DLxTableStatePartlist* State(Doc& d) {
    return d.table->GetPartListTableState().get();
}
DLxLocalBOM* Bill(Doc& d) {
    return State(d)->LocalBOM();
}
// The list's first column of a model property other than the item number and the quantity,
// with its bill column.
DUxTableStyleColumn* TextColumn(Doc& d, DLxLocalBOMColumn& bill) {
    for (const RSeRef<DUxTableStyleColumn>& c : State(d)->GetOriginalColumns()) {
        const auto* pl = dynamic_cast<const DUxTableStylePartsListColumn*>(c.get());
        if (pl && !pl->GetPropertyID()->IsItem() && !pl->GetPropertyID()->IsQuantity() &&
            DLxLocalBOMColumn::FromPropertyID(*pl->GetPropertyID(), bill) && bill.IsModelProperty())
            return c.get();
    }
    ADD_FAILURE() << "the list shows no model property";
    return nullptr;
}
DLxTableRowPartlist* Row(Doc& d, int32_t index) {
    return dynamic_cast<DLxTableRowPartlist*>(State(d)->GetRow(index));
}
// The list's own value of the bracket's text cell, which the bill does not know.
void OverrideBracketInList(Doc& d) {
    DLxLocalBOMColumn bill;
    DUxTableStyleColumn* column = TextColumn(d, bill);
    ASSERT_NE(column, nullptr);
    d.Change([&] {
        auto* cell = dynamic_cast<DUxTableRowData_Partlist*>(Row(d, 0)->GetValueRaw(column, true));
        ASSERT_NE(cell, nullptr);
        cell->SetOverride(u"Bracket, anodised");
    });
}
bool ListOverride(Doc& d, int32_t row) {
    DLxLocalBOMColumn bill;
    UTxString16 text;
    return Row(d, row)->GetCellOverride(TextColumn(d, bill), text);
}
std::u16string BillOverride(Doc& d, int32_t item) {
    DLxLocalBOMColumn bill;
    TextColumn(d, bill);
    std::u16string text;
    Bill(d)->GetCellOverride(DLxLocalBOMCookie({}, item), bill, text);
    return text;
}
std::u16string BillNumber(Doc& d, int32_t item) {
    std::u16string number;
    Bill(d)->GetItemNumberOverride(DLxLocalBOMCookie({}, item), number);
    return number;
}

TEST_F(ConvertToBOMRequest, TheListsOverridesAndEveryItemNumberBecomeTheBills) {
    DocSetup setup = DefaultSetup();
    setup.prepare = OverrideBracketInList;
    Doc d(setup);
    ASSERT_TRUE(ListOverride(d, 0));
    const DLxAssemblyData model = *d.doc->GetAssembly();
    SmartPtr<DLxConvertToBOMRequest> req(new DLxConvertToBOMRequest(d.table));
    ExpectJournalledAndUndoable(setup, d, req, u"ConvertToBOM", [&](Doc& done) {
        EXPECT_EQ(BillOverride(done, kBracket), u"Bracket, anodised");
        EXPECT_FALSE(ListOverride(done, 0));
        EXPECT_EQ(BillNumber(done, kBracket), u"1");
        EXPECT_EQ(BillNumber(done, kShaft), u"2");
        EXPECT_EQ(BillNumber(done, kCover), u"8");
        // The scheme was on: the model stays as it was.
        EXPECT_EQ(*done.doc->GetAssembly(), model);
    });
    EXPECT_FALSE(req->MasterRepEdited());
    ASSERT_EQ(req->GetPartLists().size(), 1u);
    EXPECT_EQ(req->GetPartLists()[0], d.table);
    EXPECT_TRUE(ListOverride(d, 0));
}

// Converting the bill alone absorbs no list's overrides but still drops them from its lists;
// its line names the bill by its scheme, so that it replays.
TEST_F(ConvertToBOMRequest, ABillAloneDropsItsListsOverridesAndReplays) {
    DocSetup setup = DefaultSetup();
    setup.prepare = OverrideBracketInList;
    Doc d(setup);
    SmartPtr<DLxConvertToBOMRequest> req(new DLxConvertToBOMRequest(RSeRef<DLxLocalBOM>(Bill(d))));
    const UTxString16 line =
        ExpectJournalledAndUndoable(setup, d, req, u"ConvertToBOM", [](Doc& done) {
            EXPECT_EQ(BillOverride(done, kBracket), u"");
            EXPECT_FALSE(ListOverride(done, 0));
            EXPECT_EQ(BillNumber(done, kShaft), u"2");
        });
    EXPECT_NE(line.find(u"PARTSLIST=null"), UTxString16::npos) << UTx::ToUtf8(line);
}

// A structured model that numbers its top level only is enabled again with every level when
// the list shows an expanded sub-assembly; a model without the scheme gets it.
TEST_F(ConvertToBOMRequest, EnablesTheSchemeInTheModelOnlyWhenItMustAndUndoesIt) {
    struct Case {
        const char* name;
        bool expandCover;
        bool disableScheme;
        bool edited;
    };
    for (const Case& c : {Case{"enabled, nothing expanded", false, false, false},
                          Case{"enabled, cover expanded", true, false, true},
                          Case{"not enabled", false, true, true}}) {
        SCOPED_TRACE(c.name);
        DocSetup setup = DefaultSetup();
        setup.prepare = [c](Doc& d) {
            d.Change([&] {
                for (int32_t i = 0; c.expandCover && i < State(d)->GetRowCount(); ++i) {
                    if (Row(d, i)->IsFlagOn(DLxTableRowPartlist::ExpandableRowFlag)) {
                        EXPECT_TRUE(State(d)->ExpandRow(i, true));
                    }
                }
                // The rows show the expansion once they are read again.
                if (c.expandCover) State(d)->RebuildRows(RSeRefBase());
                if (c.disableScheme) {
                    DLxAssemblyData model = *d.doc->GetAssembly();
                    model.scheme.structuredEnabled = false;
                    EXPECT_TRUE(d.doc->SetAssembly(model));
                }
            });
        };
        Doc d(setup);
        ASSERT_FALSE(d.doc->GetAssembly()->scheme.structuredAllLevels);
        const DLxAssemblyData model = *d.doc->GetAssembly();
        SmartPtr<DLxConvertToBOMRequest> req(new DLxConvertToBOMRequest(d.table));
        ExpectJournalledAndUndoable(setup, d, req, u"ConvertToBOM", [&](Doc& done) {
            const DLxAssemblyBOMScheme& scheme = done.doc->GetAssembly()->scheme;
            EXPECT_TRUE(scheme.structuredEnabled);
            EXPECT_EQ(scheme.structuredAllLevels, c.edited);
        });
        EXPECT_EQ(req->MasterRepEdited(), c.edited);
        EXPECT_EQ(*d.doc->GetAssembly(), model);
    }
}

TEST_F(ConvertToBOMRequest, RefusalsChangeNothingAndJournalNothing) {
    struct Case {
        const char* name;
        bool withList;
        bool deferred;
    };
    for (const Case& c : {Case{"no bill", false, false}, Case{"a deferred drawing", true, true}}) {
        SCOPED_TRACE(c.name);
        Doc d;
        d.doc->SetDocDeferred(c.deferred);
        const Bytes before = d.Save();
        const UTxResult r = d.Process(
            new DLxConvertToBOMRequest(c.withList ? d.table : RSeRef<DLxPartListTable>()));
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
