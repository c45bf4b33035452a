// How the rest of the system reaches a parts list: its name key and the translator that finds
// it again, its binding to a design view, its entry in the drawing's browser, and its picking.
#include <gtest/gtest.h>

#include <filesystem>

#include "BofM/DLxPartListDwgBrowserEntry.h"
#include "BofM/DLxPartListFilter.h"
#include "BofM/DLxPartListSelection.h"
#include "BofM/DLxPartListTable.h"
#include "BofM/DLxPartListTableONKTranslator.h"
#include "BofM/DLxPartlistFilter.h"
#include "BofM/DLxTableStatePartlist.h"
#include "KorvuBOMFixture.h"
#include "Symbol/KorvuModule.h"
#include "WinModule.h"
#include "br/BRxDocManager.h"
#include "dc/RDxComputeContext.h"
#include "dl/DLxAnnotationUpdateState.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxLocalBOM.h"
#include "dl/DLxLocalBOMMgr.h"
#include "dl/DLxSheet.h"
#include "du/DUxTableDispIDs.h"
#include "du/DUxTableRowFilter.h"
#include "fb/FBxSelectionGenerator.h"
#include "fw/FBxObjectNameKey.h"
#include "fw/FWxDesignView.h"
#include "rse/RSe.h"
#include "rse/RSeDatabase.h"
#include "rse/RSeNotifier.h"
#include "rse/RSeSegment.h"
#include "rse/RSeTransaction.h"
#include "sm/SMxDisplayList.h"
#include "uc/UCxBrowserUtil.h"
#include "uc/UCxTranscriptDataExchange.h"
#include "ufr/UFRxInstance.h"
#include "utx/UTxUtil.h"

namespace {

using namespace KorvuBOM;

std::u16string Resource(uint32_t id) {
    HMODULE res = KorvuGetResourceHandle();
    auto text = res ? FindStringResource(res, id) : std::nullopt;
    return text ? std::u16string(*text) : std::u16string();
}

// A drawing of the bracket assembly (whose root also has an "Exploded" design view) with its
// structured bill, two sheets, and parts lists placed on them.
class PartListReach : public ::testing::Test {
protected:
    void SetUp() override {
        const std::filesystem::path bin = std::filesystem::path(KORVU_BIN).parent_path();
        m_module = LoadLibraryW(UTx::MakeWideString((bin / "libkorvu.so").string()).c_str());
        ASSERT_NE(m_module, nullptr);
        m_assembly.components.front().representations.push_back(u"Exploded");
        ASSERT_TRUE(m_doc.SetAssembly(m_assembly));
        m_sheet = m_doc.CreateSheet(u"Sheet 1", 420, 297);
        m_other = m_doc.CreateSheet(u"Sheet 2", 420, 297);
        m_bom = DLxLocalBOMMgr::GetLocalBOM(m_doc.GetRSeDb(), m_assembly, 1, true);
        ASSERT_TRUE(m_bom);
    }
    void TearDown() override {
        if (m_module) FreeLibrary(m_module);
    }

    DLxPartListTable* Place(DLxSheet* sheet, const WqGePoint3d& origin, bool withBOM = true) {
        RSeRef<DLxPartListTable> t = DLxPartListTable::Create(
            sheet, origin, withBOM ? RSeRef<DLxLocalBOM>(m_bom) : RSeRef<DLxLocalBOM>(), {}, {});
        if (t && withBOM) t->RegisterAnnotation(sheet);
        RDxComputeContext ctx;
        EXPECT_FALSE(sheet->Recompute(ctx).Failed());
        return t.get();
    }
    RSeRef<FWxDesignView> View(const std::u16string& name) {
        return FWxDesignViewAccessor(&m_doc).GetDesignView(m_bom->GetMasterRDxComp(), name);
    }
    DLxAnnotationUpdateState* UpdateOf(DLxPartListTable* t) {
        return m_bom->FindAnnotationUpdateState(t);
    }

    HMODULE m_module = nullptr;
    DLxAssemblyData m_assembly = BracketAssembly();
    DLxDrawingDoc m_doc;
    DLxSheet* m_sheet = nullptr;
    DLxSheet* m_other = nullptr;
    DLxLocalBOM* m_bom = nullptr;
};

// ---- name key --------------------------------------------------------------------------------

TEST_F(PartListReach, KeyNamesTheOriginAndFindsTheTableAgain) {
    DLxPartListTable* t = Place(m_sheet, WqGePoint3d(30.25, 40, 0));
    ASSERT_TRUE(t);
    FBxObjectNameKey key;
    ASSERT_TRUE(t->BuildObjectNameKey(key, true));
    EXPECT_EQ(UTx::ToUtf8(key.GetText()), "DLxPartListTable#30.25,40");
    FBxObjectNameKey fromHost;
    ASSERT_FALSE(FBxObjectNameKey::FromObject(t, fromHost).Failed());
    // What a transcript writes adds the table's id, which tells tables at one point apart.
    EXPECT_EQ(fromHost.GetText(),
              key.GetText() + u"#" + UTx::MakeWideString(std::to_string(t->GetId())));
    RSeIDed* found = nullptr;
    ASSERT_FALSE(key.FindObject(*m_doc.GetRSeDb(), &m_doc, found).Failed());
    EXPECT_EQ(found, t);
    EXPECT_EQ(t->GetObjectNameKeyParent(), m_sheet);

    FBxObjectNameKey nowhere(u"DLxPartListTable#1000,1000");
    found = nullptr;
    EXPECT_TRUE(nowhere.FindObject(*m_doc.GetRSeDb(), &m_doc, found).Failed());
    EXPECT_EQ(found, nullptr);
    EXPECT_EQ(DLxPartListTableONKTranslator::TranslateKey(&m_doc, WqGePoint3d(1000, 1000, 0)),
              nullptr);
}

// A transcript line names the table by its key and reads back to the same table.
TEST_F(PartListReach, TranscriptsNameTheTableByItsKey) {
    DLxPartListTable* t = Place(m_sheet, WqGePoint3d(70, 80, 0));
    ASSERT_TRUE(t);
    UTxString16 line;
    UTxResult result;
    {
        UCxTranscriptDataExchange out(line, result, &m_doc, true);
        RSeRef<DLxPartListTable> ref(t);
        ASSERT_TRUE(_TDX_RSeRef(out, u"PartsList", ref, true));
    }
    ASSERT_FALSE(result.Failed()) << result.GetMessageUtf8();
    EXPECT_NE(UTx::ToUtf8(line).find("PartsList=@\"DLxPartListTable#70,80#"), std::string::npos)
        << UTx::ToUtf8(line);
    RSeRef<DLxPartListTable> back;
    {
        UCxTranscriptDataExchange in(line, result, &m_doc, false);
        ASSERT_TRUE(_TDX_RSeRef(in, u"PartsList", back, true));
    }
    ASSERT_FALSE(result.Failed()) << result.GetMessageUtf8();
    EXPECT_EQ(back.get(), t);
}

// A pick at a point yields the first table there; a key names its own table all the same, the
// second of two tables at one origin, or a table whose origin lies on another's border.
TEST_F(PartListReach, EachTableIsFoundByItsOwnKey) {
    DLxPartListTable* first = Place(m_sheet, WqGePoint3d(50, 60, 0));
    DLxPartListTable* second = Place(m_sheet, WqGePoint3d(50, 60, 0));
    ASSERT_TRUE(first && second);
    EXPECT_EQ(DLxPartListTableONKTranslator::TranslateKey(&m_doc, WqGePoint3d(50, 60, 0)), first);
    DLxPartListTable* over = nullptr;
    // On one of the borders that meet at the first table's origin.
    for (WqGePoint3d p : {WqGePoint3d(52, 60, 0), WqGePoint3d(48, 60, 0), WqGePoint3d(50, 62, 0),
                          WqGePoint3d(50, 58, 0)})
        if (first->HitTest(p, 1e-9)) {
            over = Place(m_sheet, p);
            break;
        }
    ASSERT_TRUE(over) << "no border of the first table next to its origin";
    for (DLxPartListTable* t : {first, second, over}) {
        FBxObjectNameKey key;
        ASSERT_FALSE(FBxObjectNameKey::FromObject(t, key).Failed());
        SCOPED_TRACE(UTx::ToUtf8(key.GetText()));
        RSeIDed* found = nullptr;
        ASSERT_FALSE(key.FindObject(*m_doc.GetRSeDb(), &m_doc, found).Failed());
        EXPECT_EQ(found, t);
    }
}

// ---- design view -----------------------------------------------------------------------------

TEST_F(PartListReach, BindingTheSameViewTwiceChangesNothing) {
    DLxPartListTable* t = Place(m_sheet, WqGePoint3d(10, 10, 0));
    ASSERT_TRUE(t);
    EXPECT_EQ(t->GetDesignViewName(), Resource(9760)) << "unbound: the default name";

    t->BindDesignView(View(u"Exploded"));
    UFRxInstance* instance = t->GetDesignViewRef().GetInstance();
    ASSERT_TRUE(instance);
    EXPECT_EQ(instance->GetSegmentLoadState(), u"Sheet 1");
    EXPECT_EQ(t->GetDesignViewName(), u"Exploded");
    ASSERT_TRUE(UpdateOf(t));
    EXPECT_TRUE(UpdateOf(t)->IsDirty()) << "a new binding tells the bill";

    UpdateOf(t)->SetDirty(false);
    t->BindDesignView(View(u"Exploded"));
    EXPECT_EQ(t->GetDesignViewRef().GetInstance(), instance);
    EXPECT_EQ(instance->GetRefdStates().size(), 1u);
    EXPECT_FALSE(UpdateOf(t)->IsDirty());

    t->BindDesignView(View(u"Default"));
    EXPECT_EQ(t->GetDesignViewRef().GetInstance(), instance) << "rebinding keeps the instance";
    ASSERT_EQ(instance->GetRefdStates().size(), 1u);
    EXPECT_EQ(instance->GetRefdStates().front().Name(), u"Default");
    EXPECT_TRUE(UpdateOf(t)->IsDirty());

    t->BindDesignView(nullptr);
    EXPECT_EQ(t->GetDesignViewRef().GetInstance(), nullptr);
}

TEST_F(PartListReach, AVanishedViewGivesTheDefaultNameAndUnbinds) {
    DLxPartListTable* t = Place(m_sheet, WqGePoint3d(10, 10, 0));
    ASSERT_TRUE(t);
    t->BindDesignView(View(u"Exploded"));
    UFRxInstance* instance = t->GetDesignViewRef().GetInstance();
    ASSERT_TRUE(instance);
    instance->RemoveRefdStates(UFRx::DesignView, false);
    EXPECT_EQ(t->GetDesignViewName(), Resource(9760));
    EXPECT_EQ(t->GetDesignViewRef().GetInstance(), nullptr);
}

TEST_F(PartListReach, AFilterListBindsItsDesignViewAndItsRemovalUnbinds) {
    DLxPartListTable* t = Place(m_sheet, WqGePoint3d(10, 10, 0));
    ASSERT_TRUE(t);
    DUxTableRowFilterList* filters = DUxTableRowFilterList::New(RSe::TransientSegment());
    auto* byView = dynamic_cast<DLxPartlistFilterDesignView*>(DLxTableStatePartlist::NewFilter(
        DUxTableRowFilter::FilterType(5), RSe::TransientSegment()));
    ASSERT_TRUE(byView);
    byView->SetDesignView(u"Exploded");
    filters->Add(byView);

    t->SetFilterList(*filters);
    EXPECT_EQ(t->GetDesignViewName(), u"Exploded");
    auto* kept = dynamic_cast<DLxPartlistFilterDesignView*>(
        t->GetPartListTableState()->GetFilterList()->GetFilterOfType(
            DUxTableRowFilter::FilterType(5), false));
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->GetTable().get(), t) << "the table's filter follows the table";
    EXPECT_EQ(kept->DesignView(), u"Exploded");

    t->UpdateDesignViewFilter(u"Default");
    EXPECT_EQ(t->GetDesignViewName(), u"Default");

    filters->RemoveAll();
    t->SetFilterList(*filters);
    EXPECT_EQ(t->GetDesignViewRef().GetInstance(), nullptr);
    t->UpdateDesignViewFilter(u"Exploded");
    EXPECT_EQ(t->GetDesignViewRef().GetInstance(), nullptr) << "no filter, no binding";
    RSe::DeleteObject(filters);
}

// A preview (a table in the transient segment) never binds: its filter keeps the name.
TEST_F(PartListReach, APreviewKeepsTheNameInItsFilter) {
    RSeRef<DLxPartListTable> preview =
        DLxPartListTable::Create(nullptr, WqGePoint3d(0, 0, 0), RSeRef<DLxLocalBOM>(m_bom), {}, {});
    ASSERT_TRUE(preview);
    ASSERT_TRUE(preview->GetSegment()->IsTransient());
    DUxTableRowFilterList* filters = DUxTableRowFilterList::New(RSe::TransientSegment());
    filters->Add(DLxTableStatePartlist::NewFilter(DUxTableRowFilter::FilterType(5),
                                                  RSe::TransientSegment()));
    preview->SetFilterList(*filters);
    preview->UpdateDesignViewFilter(u"Exploded");
    auto* kept = dynamic_cast<DLxPartlistFilterDesignView*>(
        preview->GetPartListTableState()->GetFilterList()->GetFilterOfType(
            DUxTableRowFilter::FilterType(5), false));
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->GetTable().get(), nullptr);
    EXPECT_EQ(kept->DesignView(), u"Exploded");
    EXPECT_EQ(preview->GetDesignViewRef().GetInstance(), nullptr);
    RSe::DeleteObject(filters);
}

// ---- browser entry ---------------------------------------------------------------------------

class PartListEntry : public PartListReach {
protected:
    DLxPartListDwgBrowserEntry* EntryOf(DLxPartListTable* t) {
        return dynamic_cast<DLxPartListDwgBrowserEntry*>(m_doc.GetEntry(t));
    }
    DLxPartListDwgBrowserEntry* PlaceWithEntry(bool withBOM = true) {
        DLxPartListTable* t = Place(m_sheet, WqGePoint3d(10, 10, 0), withBOM);
        if (!t) return nullptr;
        t->SetTitle(u"Parts of the bracket");
        t->AddDLBrowserEntry(m_sheet);
        return EntryOf(t);
    }
};

TEST_F(PartListEntry, ShowsTheStyleTitleAndTheBillsFileUnderItsSheet) {
    DLxPartListDwgBrowserEntry* entry = PlaceWithEntry();
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->Name(), u"Parts of the bracket");
    EXPECT_EQ(entry->Text(), u"Parts of the bracket:bracket-assembly.asm");
    EXPECT_EQ(entry->GetParent(), m_doc.GetEntry(m_sheet));
    EXPECT_EQ(entry->Icon(), DLxPartListDwgBrowserEntry::kIcon);
    EXPECT_NE(m_doc.GetBrowser()->Print().find("    " + UTx::ToUtf8(entry->Text())),
              std::string::npos)
        << m_doc.GetBrowser()->Print();

    auto* t = dynamic_cast<DLxPartListTable*>(entry->Subject().GetTarget());
    t->AddDLBrowserEntry(m_sheet);
    EXPECT_EQ(EntryOf(t), entry) << "one entry a table";
}

TEST_F(PartListEntry, LabelFollowsTheTitleAndFallsBackWithoutOne) {
    DLxPartListDwgBrowserEntry* entry = PlaceWithEntry();
    ASSERT_TRUE(entry);
    auto* t = dynamic_cast<DLxPartListTable*>(entry->Subject().GetTarget());
    entry->SetModified(false);
    t->SetTitle(u"Bill of the bracket");
    EXPECT_TRUE(entry->IsModified()) << "the title's event reaches the entry";
    EXPECT_EQ(entry->Text(), u"Bill of the bracket:bracket-assembly.asm");
    EXPECT_EQ(entry->Name(), u"Bill of the bracket") << "asking for the label renames";

    t->SetTitle(u"");
    EXPECT_EQ(entry->Text(), Resource(8163) + u":bracket-assembly.asm");
}

TEST_F(PartListEntry, StateIconAndTooltipFollowTheBillsHealth) {
    DLxPartListDwgBrowserEntry* entry = PlaceWithEntry();
    ASSERT_TRUE(entry);
    const std::u16string message = Resource(0x600E076A);
    ASSERT_FALSE(message.empty());
    struct Case {
        uint32_t status;
        bool deferred;
        int32_t icon;
        std::u16string tooltip;
    };
    const Case cases[] = {
        {0x0, false, UCxBrowserUtil::kNoStateIcon, u""},
        {0x1 | 0x2, false, UCxBrowserUtil::UnresolvedIcon(), message},
        {0x2, false, UCxBrowserUtil::ErrorIcon(), Resource(8178)},
        {0x10, false, UCxBrowserUtil::kNoStateIcon, u""},
        {0x20, false, UCxBrowserUtil::kNoStateIcon, u""},
        {0x10, true, UCxBrowserUtil::UpdateRequiredIcon(), u""},
        {0x20, true, UCxBrowserUtil::UpdateRequiredIcon(), u""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "status " << c.status << " deferred " << c.deferred);
        m_bom->UnsetFlag(0xff);
        m_bom->SetStatusOn(c.status);
        m_doc.SetDocDeferred(c.deferred);
        EXPECT_EQ(entry->StateIcon(), c.icon);
        EXPECT_EQ(entry->StateIconTooltip(), c.tooltip);
    }
}

TEST_F(PartListEntry, AnErrorTheStateReportedIsExplained) {
    DLxPartListDwgBrowserEntry* entry = PlaceWithEntry();
    ASSERT_TRUE(entry);
    auto* t = dynamic_cast<DLxPartListTable*>(entry->Subject().GetTarget());
    // The table's state keeps the status its last rebuild saw; event 3 brings it over.
    m_bom->SetStatusOn(0x4);
    RDxComputeContext ctx;
    t->SetPendingRefresh(true);
    ASSERT_FALSE(m_sheet->Recompute(ctx).Failed());
    const uint32_t seen = t->GetPartListTableState()->GetBOMStatus();
    ASSERT_NE(seen & 0x3ff, 0u);
    EXPECT_EQ(entry->GetStatusCode(), seen) << "the rebuild's own event brought it over";
    m_bom->UnsetFlag(0xff);
    EXPECT_EQ(entry->StateIcon(), UCxBrowserUtil::ErrorIcon());
    std::u16string expected = Resource(8177);
    expected.replace(expected.find(u"%s"), 2, DLxLocalBOM::GetErrorDescription(seen));
    EXPECT_EQ(entry->StateIconTooltip(), expected);

    entry->SetModified(false);
    RSeNotifier::NotifyOf(3, RSeRefBase(t));
    EXPECT_FALSE(entry->IsModified()) << "the same status again is no news";
    RSeNotifier::NotifyOf(7, RSeRefBase(t));
    EXPECT_FALSE(entry->IsModified());
    RSeNotifier::NotifyOf(1, RSeRefBase(t));
    EXPECT_TRUE(entry->IsModified());
}

TEST_F(PartListEntry, WithoutABillTheEntryShowsAnError) {
    DLxPartListDwgBrowserEntry* entry = PlaceWithEntry(false);
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->GetLocalBOM(), nullptr);
    EXPECT_EQ(entry->StateIcon(), UCxBrowserUtil::ErrorIcon());
    EXPECT_EQ(entry->StateIconTooltip(), u"");
    EXPECT_EQ(entry->Text(), u"Parts of the bracket") << "no bill, no file name";
}

TEST_F(PartListEntry, ActivatingAsksForTheEditCommand) {
    DLxPartListDwgBrowserEntry* entry = PlaceWithEntry();
    ASSERT_TRUE(entry);
    EXPECT_FALSE(entry->Activate().Failed());
    ASSERT_EQ(m_doc.GetPostedCommands().size(), 1u);
    EXPECT_EQ(m_doc.GetPostedCommands().front(), DLxPartListDwgBrowserEntry::kEditCommand);
    EXPECT_TRUE(entry->CanRename());
    EXPECT_EQ(entry->GetHowToHelp(), u"DL_Parts_List");
}

// ---- picking ---------------------------------------------------------------------------------

TEST_F(PartListReach, ADisabledFilterRefusesEverything) {
    DLxPartListTable* t = Place(m_sheet, WqGePoint3d(10, 10, 0));
    ASSERT_TRUE(t);
    DLxPartListFilter filter{DLxPartListFilter::ESubType(1)};
    SmartPtr<FWxSelection> sel = filter.Select(*t, WqGePoint3d(10, 10, 0));
    ASSERT_TRUE(sel);
    EXPECT_TRUE(filter.PreQualify(typeid(DLxPartListSelection)));
    EXPECT_FALSE(filter.PreQualify(typeid(FWxSelection)));
    EXPECT_TRUE(filter.Qualify(sel.get()));
    DLxPartListBrowserSelection fromBrowser(t, BRxAbsPath());
    EXPECT_TRUE(filter.Qualify(&fromBrowser));
    EXPECT_FALSE(filter.Select(*m_sheet, WqGePoint3d(10, 10, 0)));
    std::u16string name;
    EXPECT_TRUE(filter.GetString(0, name));
    EXPECT_EQ(name, Resource(8165));
    EXPECT_FALSE(filter.GetString(1, name));

    filter.SetEnabled(false);
    EXPECT_FALSE(filter.PreQualify(typeid(DLxPartListSelection)));
    EXPECT_FALSE(filter.Qualify(sel.get()));
    EXPECT_FALSE(filter.Qualify(&fromBrowser));
    EXPECT_FALSE(filter.Select(*t, WqGePoint3d(10, 10, 0)));
}

TEST_F(PartListReach, PickedItemsDecodeIntoWhatTheManipulatorsNeed) {
    DLxPartListTable* t = Place(m_sheet, WqGePoint3d(10, 10, 0));
    ASSERT_TRUE(t);
    DLxPartListSelector selector(t);
    using Pick = DLxPartListSelection::Pick;
    const WqGePoint3d at(10, 10, 0);
    for (int32_t id : {0, 3, 7}) {
        SCOPED_TRACE(id);
        SmartPtr<DLxPartListSelection> sel = selector.OnGripSelection(id, at);
        ASSERT_TRUE(sel);
        EXPECT_EQ(sel->GetPick().kind, Pick::kStretch);
        EXPECT_EQ(sel->GetPick().hotPoint, id);
    }
    for (int32_t id : {8, -1, DUxTableDispIDs::MakeTextItemId(3, 0, 0)}) {
        SCOPED_TRACE(id);
        SmartPtr<DLxPartListSelection> sel = selector.OnGripSelection(id, at);
        ASSERT_TRUE(sel) << "still a selection of the table";
        EXPECT_EQ(sel->GetPick().kind, Pick::kNone);
    }

    // Line ids carry side, category, row and column; the manipulator takes category, side,
    // column, row.
    SmartPtr<DLxPartListSelection> line =
        selector.OnTableLineSelection(DUxTableDispIDs::MakeLineItemId(2, 17, 300, 9), at);
    ASSERT_TRUE(line);
    EXPECT_EQ(line->GetPick(), (Pick{Pick::kLine, -1, 2, 17, 9, 300, 0}));

    SmartPtr<DLxPartListSelection> text =
        selector.OnTableTextSelection(DUxTableDispIDs::MakeTextItemId(3, 12, 4), at);
    ASSERT_TRUE(text);
    EXPECT_EQ(text->GetPick(), (Pick{Pick::kText, -1, 0, 0, 4, 12, 3}));
    EXPECT_EQ(text->GetManipulator(false), text->GetPick());
    EXPECT_EQ(text->GetManipulator(true), DLxPartListSelection::DefaultEditor())
        << "several selected objects share the default editor";
}

TEST_F(PartListReach, OnlyTheActiveSheetShowsAHighlight) {
    DLxPartListTable* here = Place(m_sheet, WqGePoint3d(10, 10, 0));
    DLxPartListTable* there = Place(m_other, WqGePoint3d(10, 10, 0));
    ASSERT_TRUE(here && there);
    ASSERT_EQ(m_doc.GetActiveSheet(), m_sheet);
    DLxPartListSelection onActive(here, WqGePoint3d(10, 10, 0));
    DLxPartListSelection elsewhere(there, WqGePoint3d(10, 10, 0));
    SMxDisplayList drawn;
    ASSERT_TRUE(onActive.Draw(drawn, true));
    EXPECT_FALSE(drawn.IsEmpty());
    ASSERT_FALSE(drawn.GetAttributes().empty());
    EXPECT_EQ(drawn.GetAttributes().back().source, SMxAttributes::kHighlight);
    SMxDisplayList untouched;
    EXPECT_FALSE(elsewhere.Draw(untouched, true));
    EXPECT_TRUE(untouched.IsEmpty());

    m_doc.SetActiveSheet(m_other);
    EXPECT_TRUE(elsewhere.Draw(untouched, false));
    EXPECT_TRUE(untouched.GetAttributes().empty() ||
                untouched.GetAttributes().back().source != SMxAttributes::kHighlight);
    EXPECT_TRUE(onActive.IsEqual(&onActive));
    EXPECT_FALSE(onActive.IsEqual(&elsewhere));
}

TEST_F(PartListEntry, BrowserPathNeedsAnEntryAndIsKeptOnceBuilt) {
    DLxPartListTable* t = Place(m_sheet, WqGePoint3d(10, 10, 0));
    ASSERT_TRUE(t);
    DLxPartListBrowserSelection sel(t, BRxAbsPath());
    EXPECT_EQ(sel.GetBrowserPath(), nullptr);
    t->AddDLBrowserEntry(m_sheet);
    const BRxAbsPath* path = sel.GetBrowserPath();
    ASSERT_TRUE(path);
    EXPECT_EQ(path->GetArrangement(), m_doc.GetBrowser());
    ASSERT_EQ(path->GetEntries().size(), 2u);
    EXPECT_EQ(path->GetEntries().front(), m_doc.GetBrowser()->GetRoot());
    EXPECT_EQ(path->Last(), m_doc.GetEntry(t));
    EXPECT_EQ(sel.GetBrowserPath(), path);

    SmartPtr<FWxSelection> fromEntry = EntryOf(t)->CreateSelection(BRxAbsPath());
    auto* browserSel = dynamic_cast<DLxPartListBrowserSelection*>(fromEntry.get());
    ASSERT_TRUE(browserSel);
    EXPECT_EQ(browserSel->GetInstance(), t);
}

TEST_F(PartListReach, TheSelectionGeneratorMakesSelectionsOfTablesOnly) {
    DLxPartListTable* t = Place(m_sheet, WqGePoint3d(10, 10, 0));
    ASSERT_TRUE(t);
    SmartPtr<CountedCObj> made = FBxSelectionGenerator::GenerateFor(&m_doc, RSeRefBase(t));
    auto* sel = dynamic_cast<DLxPartListSelection*>(made.get());
    ASSERT_TRUE(sel);
    EXPECT_EQ(sel->GetInstance(), t);
    EXPECT_FALSE(CreatePartListSelection(&m_doc, RSeRefBase(m_sheet)));
}

} // namespace
