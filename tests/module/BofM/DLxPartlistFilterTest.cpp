// Row filters of a parts list over the shared bracket bill: which rows each kind hides, the
// item-range strings and the natural order of item numbers, settings through assignment, edit
// records, copies and storage (the design-view filter's older record included).
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <vector>

#include "BofM/DLxItemRangeStringParser.h"
#include "BofM/DLxPartlistFilter.h"
#include "KorvuBOMFixture.h"
#include "TstDocWriter.h"
#include "WinModule.h"
#include "dl/DLxAnchorPoint.h"
#include "dl/DLxAnnotationUpdateState.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxLocalBOM.h"
#include "dl/DLxLocalBOMMgr.h"
#include "dl/DLxLocalBOMQuery.h"
#include "dl/DLxSheet.h"
#include "fb/FBxObjectEditRecord.h"
#include "fb/FBxXmlElement.h"
#include "fw/FWxDesignView.h"
#include "ge/WqGePoint3d.h"
#include "rd/RDxComponent.h"
#include "rse/RSe.h"
#include "rse/RSeCloneCommander.h"
#include "rse/RSeDatabase.h"
#include "rse/RSeSegment.h"
#include "rse/RSeTransaction.h"
#include "utx/UTxUtil.h"

namespace {

using Parser = DLxItemRangeStringParser;
using namespace KorvuBOM;

std::unique_ptr<RSeDatabase> Load(const std::vector<uint8_t>& bytes) {
    std::unique_ptr<RSeDatabase> db;
    const UTxResult r = RSeDatabase::LoadFromBuffer(bytes.data(), bytes.size(), db);
    EXPECT_FALSE(r.Failed()) << r.GetMessageUtf8();
    return db;
}

std::vector<uint8_t> Save(RSeDatabase& db) {
    std::vector<uint8_t> bytes;
    EXPECT_FALSE(db.SaveToBuffer(bytes).Failed());
    return bytes;
}

template <class T> T* New(RSeSegment* segment) {
    return static_cast<T*>(DLxNewPartlistFilter(T().GetFilterType(), segment, nullptr));
}

// Display names come from the resource module, which loading the module opens.
class WithModule : public ::testing::Test {
protected:
    void SetUp() override {
        const std::filesystem::path bin = std::filesystem::path(KORVU_BIN).parent_path();
        m_module = LoadLibraryW(UTx::MakeWideString((bin / "libkorvu.so").string()).c_str());
        ASSERT_NE(m_module, nullptr);
    }
    void TearDown() override {
        DLxPartlistFilterDesignView::SetTableDesignViewName(nullptr);
        if (m_module) FreeLibrary(m_module);
    }
    HMODULE m_module = nullptr;
};

// The bracket bill's top-level rows "1" to "8", a custom row "9", and the bolts ballooned.
class BillFilters : public WithModule {
protected:
    void SetUp() override {
        WithModule::SetUp();
        m_bom = DLxLocalBOMMgr::GetLocalBOM(m_doc.GetRSeDb(), m_assembly, 1, true);
        ASSERT_TRUE(m_bom);
        m_bom->AddCustom();
        DLxSheet* sheet = m_doc.CreateSheet(u"Sheet 1", 420, 297);
        DLxAnchorPoint* balloon = DLxAnchorPoint::CreateFree(sheet, WqGePoint3d(10, 10, 0));
        DLxAnnotationUpdateState* state = m_bom->RegisterAnnotation(sheet, balloon, true);
        state->SetUpdateType(DLxAnnotationUpdateState::kBalloon);
        auto* data = new (RSe::_GetMeta(static_cast<const DLxBalloonUpdateData*>(nullptr)),
                          m_bom->GetSegment()) DLxBalloonUpdateData();
        data->AddItem(DLxLocalBOMCookie({}, kBolt), {105});
        state->SetAnnoSpecificData(data);
        m_list = DUxTableRowFilterList::New(m_bom->GetSegment());
    }

    // The item numbers of the rows the list leaves shown.
    std::vector<std::u16string> Shown() {
        DLxLocalBOMQuery q(m_bom, nullptr, 1, true);
        EXPECT_TRUE(q.Execute(false));
        std::vector<DUxTableDataQueryResultRow*> rows;
        for (size_t i = 0; i < q.RowCount(); ++i)
            rows.push_back(q.RowAt(i));
        const std::vector<bool> hidden = m_list->FilterOut(rows);
        std::vector<std::u16string> out;
        for (size_t i = 0; i < rows.size(); ++i)
            if (!hidden[i]) out.push_back(q.RowAt(i)->GetItemNumber());
        return out;
    }
    template <class T> T* Only() {
        m_list->RemoveAll();
        T* f = New<T>(m_bom->GetSegment());
        m_list->Add(f);
        return f;
    }

    DLxAssemblyData m_assembly = BracketAssembly();
    DLxDrawingDoc m_doc;
    DLxLocalBOM* m_bom = nullptr;
    DUxTableRowFilterList* m_list = nullptr;
};

using Items = std::vector<std::u16string>;

TEST_F(BillFilters, PurchasedStandardAndBalloonedKindsShowTheirRows) {
    auto* purchased = Only<DLxPartlistFilterPurchased>();
    EXPECT_EQ(Shown(), (Items{u"1", u"2", u"3", u"4", u"5", u"6", u"8", u"9"}));
    purchased->SetPurchasedOnly(true);
    EXPECT_EQ(Shown(), (Items{u"7"}));

    // Bolts, washers and nuts are standard; the custom row has no component and is not.
    auto* standard = Only<DLxPartlistFilterStandard>();
    EXPECT_EQ(Shown(), (Items{u"1", u"2", u"3", u"7", u"8", u"9"}));
    standard->SetStandardOnly(true);
    EXPECT_EQ(Shown(), (Items{u"4", u"5", u"6"}));

    Only<DLxPartlistFilterBallooned>();
    EXPECT_EQ(Shown(), (Items{u"4"}));
    EXPECT_EQ(Shown(), (Items{u"4"})) << "a second pass gathers the balloons again";

    // An inactive filter takes no part; filters of a list all apply.
    standard = Only<DLxPartlistFilterStandard>();
    standard->SetStandardOnly(true);
    m_list->Add(New<DLxPartlistFilterBallooned>(m_bom->GetSegment()));
    EXPECT_EQ(Shown(), (Items{u"4"}));
    standard->SetActive(false);
    EXPECT_EQ(Shown(), (Items{u"4"}));
    m_list->GetAt(1)->SetActive(false);
    EXPECT_EQ(Shown().size(), 9u);
}

TEST_F(BillFilters, ItemRangeShowsItemsInNaturalOrder) {
    auto* range = Only<DLxPartlistFilterItemRange>();
    // A row numbered "02" by the table lies between 1 and 3: digit runs compare by value.
    ASSERT_TRUE(m_bom->SetItemNumber(DLxLocalBOMCookie({}, kMotor), u"02"));
    struct Case {
        const char16_t* ranges;
        Items shown;
    };
    const Case cases[] = {
        {u"1-3, 7", {u"1", u"2", u"3", u"02"}},
        {u"9-10", {u"9"}},
        {u"8,4-5", {u"4", u"5", u"8"}},
        {u"", {}},
        {u"3-1", {}},
        {u"1-2-3", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(UTx::ToUtf8(c.ranges));
        range->SetRangeString(c.ranges);
        EXPECT_EQ(Shown(), c.shown);
    }
}

// The ranges parsed for a pass follow a change of the string, even when the pass did not end.
TEST_F(BillFilters, ItemRangeReadsAChangedStringInTheNextPass) {
    DLxPartlistFilterItemRange range;
    DLxLocalBOMQuery q(m_bom, nullptr, 1, true);
    ASSERT_TRUE(q.Execute(false));
    DLxLocalBOMRow* seven = q.RowAt(6);
    range.SetRangeString(u"1-3");
    range.PreFilterOut(seven);
    EXPECT_TRUE(range.FilterOut(seven));
    range.SetRangeString(u"7");
    range.PreFilterOut(seven);
    EXPECT_FALSE(range.FilterOut(seven));
}

// A row of another query is never judged by the kinds that read the bill; the item range
// has no number for it and hides it.
TEST(PartlistFilters, RowsOfOtherQueriesAreNotBillRows) {
    struct OtherRow : DUxTableDataQueryResultRow {};
    OtherRow row;
    DLxPartlistFilterPurchased purchased;
    DLxPartlistFilterStandard standard;
    DLxPartlistFilterBallooned ballooned;
    DLxPartlistFilterDesignView view;
    DLxPartlistFilterItemRange range;
    purchased.SetPurchasedOnly(true);
    standard.SetStandardOnly(true);
    range.SetRangeString(u"1-9");
    for (DUxTableRowFilter* f :
         std::vector<DUxTableRowFilter*>{&purchased, &standard, &ballooned, &view}) {
        f->PreFilterOut(&row);
        EXPECT_FALSE(f->FilterOut(&row)) << f->GetFilterType();
        f->PostFilterOut();
    }
    range.PreFilterOut(&row);
    EXPECT_TRUE(range.FilterOut(&row));
    EXPECT_FALSE(range.FilterOut(nullptr));
}

TEST(ItemRangeStringParser, CleansSplitsAndReportsTheFailingSpan) {
    struct Case {
        const char16_t* text;
        const char16_t* cleaned;
        bool ok;
        int32_t errorStart, errorEnd;
        std::vector<Parser::Range> ranges;
    };
    const Case cases[] = {
        {u"1-3, 7", u"1-3,7", true, 0, 0, {{u"1", u"3"}, {u"7", u"7"}}},
        {u",,1-2,,", u"1-2", true, 0, 0, {{u"1", u"2"}}},
        {u" A - C ,b", u"A-C,b", true, 0, 0, {{u"A", u"C"}, {u"b", u"b"}}},
        {u"3-3", u"3-3", true, 0, 0, {{u"3", u"3"}}},
        {u"9-10", u"9-10", true, 0, 0, {{u"9", u"10"}}},
        {u"1,,2", u"1,,2", false, 2, 2, {}},
        {u"", u"", false, 0, 0, {}},
        {u" , ", u"", false, 0, 0, {}},
        {u"1,1-2-3", u"1,1-2-3", false, 2, 6, {}},
        {u"1,-5", u"1,-5", false, 2, 3, {}},
        {u"5-", u"5-", false, 0, 1, {}},
        {u"3--4", u"3--4", false, 0, 3, {}},
        {u"2,A-1", u"2,A-1", false, 2, 4, {}},
        {u"1-B", u"1-B", false, 0, 2, {}},
        {u"A1", u"A1", false, 0, 1, {}},
        {u"1A,2", u"1A,2", false, 0, 1, {}},
        {u"4,10-9", u"4,10-9", false, 2, 5, {}},
        {u"C-A", u"C-A", false, 0, 2, {}},
        {u"1\t,2", u"1\t,2", false, 0, 1, {}}, // only blanks go
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(UTx::ToUtf8(c.text));
        Parser p;
        EXPECT_EQ(p.Parse(c.text), c.ok);
        EXPECT_EQ(p.CleanedString(), UTxString16(c.cleaned));
        EXPECT_EQ(p.ErrorStart(), c.errorStart);
        EXPECT_EQ(p.ErrorEnd(), c.errorEnd);
        EXPECT_EQ(p.Ranges(), c.ranges);
    }
}

// Digit runs longer than a 32-bit integer compare by value all the same.
TEST(ItemRangeStringParser, ComparesItemNumbersNaturally) {
    struct Case {
        const char16_t* a;
        const char16_t* b;
        int sign;
    };
    const Case cases[] = {
        {u"2", u"10", -1},
        {u"02", u"1", 1},
        {u"007", u"7", 1},
        {u"7", u"007", -1},
        {u"A", u"AB", -1},
        {u"a", u"A", 0},
        {u"b", u"C", -1},
        {u"4.2", u"4.10", -1},
        {u"10000000000", u"2000000000", 1},
        {u"2147483648", u"2", 1},
        {u"4294967297", u"2", 1},
        {u"99999999999999999999", u"99999999999999999998", 1},
        {u"A00000000000000000001", u"A1", 1},
        {u"A18446744073709551617B", u"A18446744073709551617B", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(UTx::ToUtf8(c.a) + " vs " + UTx::ToUtf8(c.b));
        const int32_t r = Parser::CompareItemNumbers(c.a, c.b);
        EXPECT_EQ((r > 0) - (r < 0), c.sign);
    }
    Parser p;
    EXPECT_FALSE(p.Parse(u"10000000000-2000000000"));
    EXPECT_TRUE(p.Parse(u"2000000000-10000000000"));
}

// Filters in a document: every kind with settings away from its defaults, and a design-view
// filter that follows a table (here any stored object; the table's class names its view).
class StoredFilters : public WithModule {
protected:
    void SetUp() override {
        WithModule::SetUp();
        DLxPartlistFilterDesignView::SetTableDesignViewName(
            [](const RSeIDed*) { return UTxString16(u"Exploded"); });
        m_list = DUxTableRowFilterList::New(m_seg);
        auto* purchased = New<DLxPartlistFilterPurchased>(m_seg);
        purchased->SetPurchasedOnly(true);
        auto* standard = New<DLxPartlistFilterStandard>(m_seg);
        standard->SetActive(false);
        standard->SetStandardOnly(true);
        auto* range = New<DLxPartlistFilterItemRange>(m_seg);
        range->SetRangeString(u"1-3,A");
        m_view = New<DLxPartlistFilterDesignView>(m_seg);
        m_view->SetDesignView(RSeRef<RSeIDed>(m_list));
        for (DUxTableRowFilter* f : std::vector<DUxTableRowFilter*>{
                 purchased, standard, New<DLxPartlistFilterBallooned>(m_seg), range, m_view})
            m_list->Add(f);
    }
    RSeDatabase m_db;
    RSeSegment* m_seg = m_db.CreateSegment(u"Sheet");
    DUxTableRowFilterList* m_list = nullptr;
    DLxPartlistFilterDesignView* m_view = nullptr;
};

TEST_F(StoredFilters, SaveLoadSaveKeepsSettingsAndBytes) {
    const std::vector<uint8_t> bytes = Save(m_db);
    auto db = Load(bytes);
    ASSERT_TRUE(db);
    EXPECT_EQ(Save(*db), bytes);
    const auto* list = dynamic_cast<DUxTableRowFilterList*>(db->FindObject(m_list->GetId()));
    ASSERT_TRUE(list);
    EXPECT_TRUE(*list == *m_list);
    const auto* view = dynamic_cast<DLxPartlistFilterDesignView*>(list->GetAt(4));
    ASSERT_TRUE(view);
    EXPECT_EQ(view->GetTable().get(), list) << "the reference is fixed to the loaded table";
}

// A design-view filter stored at version 0 held the name as text.
TEST_F(WithModule, DesignViewFilterOfVersionZeroKeepsItsName) {
    TstDocWriter w;
    w.AddClass(u"RSeIDed", 0);
    w.AddClass(u"DUxTableRowFilter", 0);
    const uint32_t meta = w.AddClass(u"DLxPartlistFilterDesignView", 0);
    w.BeginSegment(u"Sheet");
    RSeStream& s = w.BeginRecord(meta, 1);
    s.Write(false);
    s.Write(UTxString16(u"Exploded"));
    w.EndRecord();
    auto db = Load(w.Finish(2));
    ASSERT_TRUE(db);
    const auto* view = dynamic_cast<DLxPartlistFilterDesignView*>(db->FindObject(1));
    ASSERT_TRUE(view);
    EXPECT_FALSE(view->IsActive());
    EXPECT_EQ(view->DesignView(), u"Exploded");
    EXPECT_FALSE(view->GetTable());
}

TEST_F(StoredFilters, RecordsAndListAssignmentGiveEqualLists) {
    std::vector<FBxObjectEditRecord> records;
    m_list->CreateFiltersRecords(records);
    ASSERT_EQ(records.size(), 6u);
    DUxTableRowFilterList* copy = DUxTableRowFilterList::New(RSe::TransientSegment());
    int32_t position = 0;
    ASSERT_TRUE(copy->InitFromObjectEditRecordList(records, position, &DLxNewPartlistFilter));
    EXPECT_EQ(position, 5);
    EXPECT_TRUE(*copy == *m_list);
    // A record's design view is the name: the copy holds it as text.
    const auto* view = dynamic_cast<DLxPartlistFilterDesignView*>(copy->GetAt(4));
    ASSERT_TRUE(view);
    EXPECT_FALSE(view->GetTable());
    EXPECT_EQ(view->DesignView(), u"Exploded");

    DUxTableRowFilterList* assigned = DUxTableRowFilterList::New(RSe::TransientSegment());
    *assigned = *m_list;
    EXPECT_TRUE(*assigned == *m_list);
    m_view->SetDesignView(UTxString16(u"Other"));
    EXPECT_FALSE(*assigned == *m_list);
    copy->RemoveAll();
    assigned->RemoveAll();
    RSe::DeleteObject(copy);
    RSe::DeleteObject(assigned);
}

// The filter list's XML: each kind's key with its value, the design-view filter writing the
// name of the table it follows; read back into fresh filters they equal the originals, and an
// element without the key leaves the setting alone.
TEST_F(StoredFilters, XmlAttributesCarryEachKindsSetting) {
    struct Case {
        const char16_t* key;
        const char16_t* value; // null: the kind writes no key of its own
    };
    const Case cases[] = {
        {u"Purchased_Only", u"1"},   {u"Standard_Only", u"1"},      {nullptr, nullptr},
        {u"Range_String", u"1-3,A"}, {u"Design_View", u"Exploded"},
    };
    for (int32_t i = 0; i < m_list->GetCount(); ++i) {
        const DUxTableRowFilter* f = m_list->GetAt(i);
        SCOPED_TRACE(i);
        FBxXmlElement element(u"Filter");
        EXPECT_EQ(f->SaveAttributes(element, nullptr), 0);
        EXPECT_EQ(element.GetAttributes().size(), cases[i].key ? 2u : 1u);
        std::u16string text;
        ASSERT_TRUE(element.GetAttribute(u"Active", text));
        EXPECT_EQ(text, f->IsActive() ? u"1" : u"0");
        if (cases[i].key) {
            ASSERT_TRUE(element.GetAttribute(cases[i].key, text));
            EXPECT_EQ(text, cases[i].value);
        }
        DUxTableRowFilter* fresh =
            DLxNewPartlistFilter(f->GetFilterType(), RSe::TransientSegment(), nullptr);
        ASSERT_TRUE(fresh);
        EXPECT_EQ(*fresh == *f, !cases[i].key && f->IsActive());
        fresh->LoadAttributes(element, 1);
        EXPECT_TRUE(*fresh == *f);
        fresh->LoadAttributes(FBxXmlElement(u"Filter"), 1);
        EXPECT_TRUE(*fresh == *f) << "missing keys change nothing";
        RSe::DeleteObject(fresh);
    }
    // A followed table stays followed when the XML names another view.
    FBxXmlElement element(u"Filter");
    element.SetAttribute(u"Design_View", u"Other");
    m_view->LoadAttributes(element, 1);
    EXPECT_EQ(m_view->GetTable().get(), m_list);
}

TEST_F(StoredFilters, AssignmentTakesOnlyWhatTheClassesShare) {
    // Following a table and typing its view's name are the same filter.
    DLxPartlistFilterDesignView typed;
    typed.SetDesignView(UTxString16(u"Exploded"));
    EXPECT_TRUE(typed == *m_view);
    EXPECT_FALSE(typed == *m_list->GetAt(0));

    // A ballooned filter takes a purchased filter's active flag and nothing else.
    DLxPartlistFilterBallooned ballooned;
    DLxPartlistFilterPurchased purchased;
    purchased.SetActive(false);
    purchased.SetPurchasedOnly(true);
    ballooned = static_cast<const DUxTableRowFilter&>(purchased);
    EXPECT_FALSE(ballooned.IsActive());
    DLxPartlistFilterPurchased other;
    other = static_cast<const DUxTableRowFilter&>(ballooned);
    EXPECT_FALSE(other.IsActive());
    EXPECT_FALSE(other.PurchasedOnly());
    other = static_cast<const DUxTableRowFilter&>(purchased);
    EXPECT_TRUE(other == purchased);
}

// A copy outside the document cannot hold the table: it takes the view's name as text.
TEST_F(StoredFilters, CopyOutsideTheDocumentHoldsTheName) {
    RSeCloneCommander out(RSe::TransientSegment());
    ASSERT_FALSE(out.Clone({m_view}).Failed());
    auto* copy = dynamic_cast<DLxPartlistFilterDesignView*>(out.CloneOf(m_view));
    ASSERT_TRUE(copy);
    EXPECT_FALSE(copy->GetTable());
    EXPECT_EQ(copy->DesignView(), u"Exploded");
    EXPECT_TRUE(*copy == *m_view);
    RSe::DeleteObject(copy);

    RSeCloneCommander in(m_db.CreateSegment(u"Other"));
    ASSERT_FALSE(in.Clone({m_view}).Failed());
    copy = dynamic_cast<DLxPartlistFilterDesignView*>(in.CloneOf(m_view));
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->GetTable().get(), m_list);
}

// The design views a design-view filter finds: the master component's representations, never
// the master design view by name, and none without a document.
TEST_F(WithModule, DesignViewFilterFindsTheMastersDesignViews) {
    DLxAssemblyData assembly = BracketAssembly();
    assembly.components.front().representations = {u"Default", u"Exploded", u"Master"};
    DLxDrawingDoc doc;
    ASSERT_TRUE(doc.SetAssembly(assembly));
    DLxLocalBOM* bom = DLxLocalBOMMgr::GetLocalBOM(doc.GetRSeDb(), assembly, 1, true);
    ASSERT_TRUE(bom);
    RDxComponent* master = bom->GetMasterRDxComp();
    struct Case {
        const char16_t* name;
        bool found;
    };
    for (const Case& c : {Case{u"Exploded", true}, Case{u"Default", true}, Case{u"Master", false},
                          Case{u"", false}, Case{u"Missing", false}}) {
        SCOPED_TRACE(UTx::ToUtf8(c.name));
        RSeRef<FWxDesignView> view = DLxPartlistFilterDesignView::GetDesignView(master, c.name);
        EXPECT_EQ(bool(view), c.found);
        if (view) {
            EXPECT_EQ(view->GetName(), c.name);
        }
    }
    EXPECT_FALSE(DLxPartlistFilterDesignView::GetDesignView(nullptr, u"Exploded"));
    RSeDatabase loose;
    auto* stray = new (RSe::_GetMeta(static_cast<const RDxComponent*>(nullptr)),
                       loose.CreateSegment(u"S")) RDxComponent();
    EXPECT_FALSE(DLxPartlistFilterDesignView::GetDesignView(stray, u"Exploded"))
        << "a component of no document";
}

TEST_F(WithModule, DisplayNamesSayWhatIsShown) {
    DLxPartlistFilterPurchased purchased;
    DLxPartlistFilterStandard standard;
    DLxPartlistFilterItemRange range;
    DLxPartlistFilterDesignView view;
    const UTxString16 noPurchased = purchased.DisplayName();
    purchased.SetPurchasedOnly(true);
    const UTxString16 noStandard = standard.DisplayName();
    standard.SetStandardOnly(true);
    range.SetRangeString(u"1-5,8");
    view.SetDesignView(UTxString16(u"Exploded"));
    const std::vector<UTxString16> names = {noPurchased,
                                            purchased.DisplayName(),
                                            noStandard,
                                            standard.DisplayName(),
                                            range.DisplayName(),
                                            view.DisplayName(),
                                            DLxPartlistFilterBallooned().DisplayName()};
    for (size_t i = 0; i < names.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_FALSE(names[i].empty());
        for (size_t j = 0; j < i; ++j)
            EXPECT_NE(names[i], names[j]);
    }
    EXPECT_EQ(range.DisplayName().substr(range.DisplayName().size() - 5), u"1-5,8");
    EXPECT_NE(view.DisplayName().find(u"Exploded"), UTxString16::npos);
    EXPECT_EQ(view.DisplayName().find(u"%s"), UTxString16::npos);
}

} // namespace
