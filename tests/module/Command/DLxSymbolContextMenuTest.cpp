// The document's annotation command group and its context menus, driven as a user would: objects
// selected on the drawing, the host building a context menu for them, items asked whether they
// are enabled and then chosen while a datum target's leader is being picked.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <typeindex>
#include <vector>

#include "BofM/DLxOpenBOMEditorCmd.h"
#include "BofM/DLxPartListCmd.h"
#include "BofM/DLxPartListConvertToBomCmd.h"
#include "BofM/DLxPartListData.h"
#include "BofM/DLxPartListEditCmd.h"
#include "BofM/DLxPartListExportCmd.h"
#include "BofM/DLxPartListPushbackIDsCmd.h"
#include "BofM/DLxPartListSelection.h"
#include "BofM/DLxPartListTable.h"
#include "BofM/DLxPartListUpdateCmd.h"
#include "Command/DLxArrowheadEditCmd.h"
#include "Command/DLxCenterDatumEditCmd.h"
#include "Command/DLxDatumTargetAttachCmd.h"
#include "Command/DLxDatumTargetCmd.h"
#include "Command/DLxDatumTargetEditCmd.h"
#include "Command/DLxDatumTargetHideLeaderCmd.h"
#include "Command/DLxExtendSymbolContextCmd.h"
#include "Command/DLxSymbolContextCmd.h"
#include "Command/DLxSymbolDocCmdGroup.h"
#include "DatumTarget/DLxDatumTarget.h"
#include "DatumTarget/DLxDatumTargetSelection.h"
#include "GeneralNote/DLxCopyPasteGeneralNoteCmd.h"
#include "GeneralNote/DLxGeneralNoteCmd.h"
#include "GeneralNote/DLxGeneralNoteSelection.h"
#include "GeneralNote/DLxNoteLocationCmd.h"
#include "KorvuBOMFixture.h"
#include "KorvuLoadedModule.h"
#include "NoteTestDoc.h"
#include "Request/DLxCreatePartListLocalBOMRequest.h"
#include "Request/DLxSortSketchedSymbolsRequest.h"
#include "Standard/DLxCTarget.h"
#include "WinModule.h"
#include "dl/DLxIntent.h"
#include "dl/DLxSheetInstanceSelection.h"
#include "dl/DLxViewInstance.h"
#include "fw/FWxCommand.h"
#include "fw/FWxMenuContext.h"
#include "fw/FWxSelection.h"
#include "fw/FWxSelectionSetMgr.h"
#include "fw/FWxUIManager.h"
#include "ge/BBox.h"
#include "rse/RSeDatabase.h"
#include "sm/SMxDisplayList.h"
#include "utx/UTxUtil.h"

namespace {

constexpr int32_t kSeparator = 0;
constexpr int32_t kPopup = -1;

// The top level of a menu: item ids, kSeparator and kPopup.
std::vector<int32_t> TopLevel(const FWxMenuContext& menu) {
    std::vector<int32_t> ids;
    for (const FWxMenuEntry& e : menu.GetEntries())
        ids.push_back(e.kind == FWxMenuEntry::Kind::Item        ? e.id
                      : e.kind == FWxMenuEntry::Kind::Separator ? kSeparator
                                                                : kPopup);
    return ids;
}

std::vector<int32_t> ItemIds(const std::vector<FWxMenuEntry>& entries) {
    std::vector<int32_t> ids;
    for (const FWxMenuEntry& e : entries) ids.push_back(e.id);
    return ids;
}

std::vector<int32_t> ResourceIds(const FWxMenuContext& menu) {
    std::vector<int32_t> ids;
    for (const auto& r : menu.GetAppendedResources()) ids.push_back(r.id);
    return ids;
}

// A drawing with a view whose edge 1 runs along y = 150, where datum targets go, and notes.
struct MenuDoc : KorvuLoadedModule, NoteTestDoc {
    DLxViewInstance* view = nullptr;
    DLxSymbolDocCmdGroup* group = nullptr;

    MenuDoc() {
        view = sheet->CreateView(u"Front");
        view->SetViewCenter({200, 150, 0});
        view->SetEdges({DLxViewEdge::Line(1, {-50, 0, 0}, {50, 0, 0})});
        group = new DLxSymbolDocCmdGroup(doc.get());
        doc->AddCommand(group);
    }
    template <class T>
    T* Command() const {
        for (size_t i = 0; i < group->GetCommandCount(); ++i)
            if (auto* c = dynamic_cast<T*>(group->GetCommand(i))) return c;
        return nullptr;
    }
    // A point target placed as a user would, with `balloons` attached balloons.
    DLxDatumTarget* PlaceTarget(int32_t balloons) {
        DLxDatumTargetPointCmd place(doc.get());
        EXPECT_TRUE(place.OnInitialize());
        place.Pick({210, 150, 0}, DLxIntent::OnEdge(view, 1, 0.6));
        place.Pick({200, 200, 0}, DLxIntent::Free({200, 200, 0}));
        EXPECT_TRUE(place.Done());
        DLxDatumTarget* target = place.GetCreated().get();
        place.OnTerminate();
        doc->GetRSeDb()->BeginTxn();
        for (int32_t i = 0; i < balloons; ++i)
            EXPECT_NE(target->AddBalloon({250.0 + 10 * i, 220, 0}), nullptr);
        doc->GetRSeDb()->CommitTxn();
        return target;
    }
    // The menu the host builds for these selections.
    FWxMenuContext Menu(const std::vector<FWxSelection*>& selections) const {
        FWxSelectionSet set;
        for (FWxSelection* s : selections) set.Add(SmartPtr<FWxSelection>(s));
        FWxMenuContext menu;
        FWxCtxMenuExtender extender(&menu, &set);
        EXPECT_TRUE(doc->OnCmdMsg(DLxExtendSymbolContextCmd::kExtendMenuNotification,
                                  FWxCmd::kNotify, &extender));
        return menu;
    }
    FWxCmdUI Update(int32_t id, bool hostEnabled) const {
        FWxCmdUI ui;
        ui.id = id;
        ui.enabled = hostEnabled;
        group->OnCmdMsg(id, FWxCmd::kUpdateUI, &ui);
        return ui;
    }
};

TEST(SymbolCmdGroup, MakesTheDocumentsAnnotationCommandsInRoutingOrder) {
    MenuDoc d;
    const std::vector<std::type_index> expected = {
        typeid(DLxExtendSymbolContextCmd), typeid(DLxSymbolContextCmd),
        typeid(DLxDatumTargetEditCmd),     typeid(DLxDatumTargetHideLeaderCmd),
        typeid(DLxDatumTargetAttachCmd),
        typeid(DLxPartListCmd),            typeid(DLxPartListEditCmd),
        typeid(DLxPartListUpdateCmd),      typeid(DLxPartListExportCmd),
        typeid(DLxPartListConvertToBomCmd), typeid(DLxDatumTargetCircleCmd),
        typeid(DLxDatumTargetLeaderCmd),   typeid(DLxDatumTargetLineCmd),
        typeid(DLxDatumTargetPointCmd),    typeid(DLxDatumTargetRectCmd),
        typeid(DLxGeneralNoteCmd),         typeid(DLxGeneralNoteTextEditCmd),
        typeid(DLxArrowheadEditCmd),       typeid(DLxDatumTargetRemoveCmd),
        typeid(DLxPartListContextCmd),     typeid(DLxCopyPasteGeneralNoteCmd),
        typeid(DLxNoteLocationCmd),        typeid(DLxCenterDatumEditCmd),
        typeid(DLxOpenBOMEditorCmd),       typeid(DLxPartListPushbackIDsCmd),
        typeid(DLxSortSketchedSymbolsCmd),
    };
    std::vector<std::type_index> made;
    for (size_t i = 0; i < d.group->GetCommandCount(); ++i)
        made.emplace_back(typeid(*d.group->GetCommand(i)));
    EXPECT_EQ(made, expected);
}

TEST(SymbolCmdGroup, RegistersItsContextMenuCommandNames) {
    struct Row {
        int32_t id;
        const char16_t* name;
        int32_t classification;
    };
    const Row rows[] = {
        {44015, u"DrawingEditOriginIndicatorCtxCmd", 1},
        {44016, u"DrawingHideOriginIndicatorCtxCmd", 64},
        {44053, u"DrawingEditDatumTargetSymbolCtxCmd", 1},
        {44064, u"DrawingEditDatumTgt02CtxCmd", 1},
        {44071, u"DrawingEditDatumTgt09CtxCmd", 1},
        {44054, u"DrawingEditDatumTgt10CtxCmd", 1},
        {44063, u"DrawingEditDatumTgt19CtxCmd", 1},
        {44048, u"DrawingDatumTargetHiddenLeaderLineCtxCmd", 64},
        {40046, u"DrawingAttachBalloonToDatumTargetCtxCmd", 1},
        {44007, u"DLxDatumTargetRemoveCmd", 1},
        {40158, u"DrawingSortSketchedSymbols", 64},
        {44094, u"DrawingSymOldCtxDone", 1},
        {44093, u"DrawingSymOldCtxCancel", 1},
        {44097, u"DrawingSymOldCtxUndo", 1},
        {44047, u"DrawingChangeArrowheadCtxCmd", 1},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.id);
        const FWxUIManager::CtxMenuCommand* c = FWxUIManager::Get().FindCtxMenuCommand(r.id);
        ASSERT_NE(c, nullptr);
        EXPECT_EQ(c->name, UTxString16(r.name));
        EXPECT_EQ(c->classification, r.classification);
    }
}

TEST(SymbolContextMenu, ADatumTargetGetsItsItemsAndOneBalloonItemPerAttachedBalloon) {
    struct Case {
        int32_t balloons;
        std::vector<int32_t> popup; // empty: no balloon pop-up
        std::vector<int32_t> rest;
        std::vector<int32_t> resources;
    };
    const Case cases[] = {
        {0, {}, {44053, 44048, 40046, kSeparator, 44007}, {7523, 7520, 7522, 7548, 7524}},
        {1, {44064}, {44053, 44048, kSeparator, 44007}, {7523, 7520, 7548, 7524}},
        // As many as a target holds.
        {17,
         {44064, 44065, 44066, 44067, 44068, 44069, 44070, 44071, 44054, 44055, 44056, 44057,
          44058, 44059, 44060, 44061, 44062},
         {44053, 44048, kSeparator, 44007},
         {7523, 7520, 7548, 7524}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.balloons);
        MenuDoc d;
        DLxDatumTarget* target = d.PlaceTarget(c.balloons);
        ASSERT_EQ(target->GetNumAttachedBalloons(), c.balloons);
        const FWxMenuContext menu = d.Menu({new DLxDatumTargetSelection(target, {200, 200, 0})});
        std::vector<int32_t> top = TopLevel(menu);
        EXPECT_EQ(ResourceIds(menu), c.resources);
        if (c.popup.empty()) {
            EXPECT_EQ(top, c.rest);
            continue;
        }
        // The balloons' pop-up comes first, above everything else.
        ASSERT_FALSE(top.empty());
        EXPECT_EQ(top.front(), kPopup);
        EXPECT_EQ(std::vector<int32_t>(top.begin() + 1, top.end()), c.rest);
        const FWxMenuEntry& popup = menu.GetEntries().front();
        EXPECT_EQ(popup.text, UTxString16(u"Edit &Balloon"));
        EXPECT_EQ(ItemIds(popup.children), c.popup);
        EXPECT_EQ(popup.children.front().text, UTxString16(u"Balloon 2"));
    }
}

TEST(SymbolContextMenu, NotesGetTheirItemsAndSharedTextsTheLinkItem) {
    MenuDoc d;
    ASSERT_FALSE(d.Create(u"SHARED").Failed());
    ASSERT_FALSE(d.Create(u"SHARED", {100, 100, 0}).Failed());
    ASSERT_FALSE(d.Create(u"OTHER", {100, 50, 0}).Failed());
    DLxGeneralNote* a = d.Note(0);
    DLxGeneralNote* b = d.Note(1);
    DLxGeneralNote* other = d.Note(2);
    ASSERT_NE(other, nullptr);
    auto note = [](DLxGeneralNote* n) -> FWxSelection* { return new DLxGeneralNoteSelection(n, {}); };

    const FWxMenuContext one = d.Menu({note(a)});
    EXPECT_EQ(TopLevel(one), (std::vector<int32_t>{kSeparator, 44076}));
    EXPECT_EQ(ResourceIds(one), (std::vector<int32_t>{7548, 7533}));

    struct Case {
        const char* what;
        std::vector<FWxSelection*> selections;
        std::vector<int32_t> expected;
    };
    const std::vector<Case> cases = {
        {"two notes with one text", {note(a), note(b)}, {40071}},
        {"with a sheet", {new DLxSheetInstanceSelection(d.sheet), note(a), note(b)}, {40071}},
        {"texts differ", {note(a), note(other)}, {}},
        {"the same note twice", {note(a), note(a)}, {}},
        {"one note", {note(a), new DLxSheetInstanceSelection(d.sheet)}, {}},
        {"with a datum target",
         {note(a), note(b), new DLxDatumTargetSelection(d.PlaceTarget(0), {})},
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const FWxMenuContext menu = d.Menu(c.selections);
        EXPECT_EQ(TopLevel(menu), c.expected);
    }
}

TEST(SymbolContextMenu, APartsListGetsTheEditorItemBeforeItsItems) {
    KorvuLoadedModule module;
    NoteTestDoc base;
    DLxDrawingDoc* doc = base.doc.get();
    ASSERT_TRUE(doc->SetAssembly(KorvuBOM::BracketAssembly()));
    doc->SetActiveSheet(base.sheet);
    DLxPartListData data(doc);
    data.SetFilename(u"bracket-assembly.asm");
    data.SetSheetInstance(RSeRef<DLxSheet>(base.sheet));
    data.SetOrigin(WqGePoint3d(300, 250, 0));
    SmartPtr<DLxCreatePartListLocalBOMRequest> req(new DLxCreatePartListLocalBOMRequest(data));
    ASSERT_FALSE(doc->ProcessChangeRequest(req).Failed());
    DLxExtendSymbolContextCmd extend(doc);

    FWxSelectionSet set;
    set.Add(SmartPtr<FWxSelection>(new DLxPartListSelection(req->GetPartList().get(), {})));
    FWxMenuContext menu;
    FWxCtxMenuExtender extender(&menu, &set);
    EXPECT_EQ(extend.ExtendContextMenu(&extender), 0);
    EXPECT_EQ(TopLevel(menu),
              (std::vector<int32_t>{39100,
                                    kSeparator, 44078, 44091, 44084, 40056}));
    ASSERT_EQ(menu.GetAppendedResources().size(), 2u);
    for (const auto& r : menu.GetAppendedResources()) EXPECT_FALSE(r.flag) << r.id;
    EXPECT_EQ(menu.GetEntries().front().text, UTxString16(u"Open BOM &Editor"));

    // Nothing selected, or no menu: nothing added.
    FWxSelectionSet empty;
    FWxMenuContext none;
    FWxCtxMenuExtender nothing(&none, &empty);
    EXPECT_EQ(extend.ExtendContextMenu(&nothing), 0);
    EXPECT_TRUE(none.GetEntries().empty());
    FWxCtxMenuExtender noMenu(nullptr, &set);
    EXPECT_EQ(extend.ExtendContextMenu(&noMenu), 0);
}

TEST(SymbolLeaderMenu, ItemsActOnTheCommandThatShowedTheMenu) {
    MenuDoc d;
    const std::vector<uint8_t> empty = d.Bytes();
    // No placement running: the items do nothing and Undo stays as the host set it.
    for (int32_t id : {DLxSymbolContextCmd::kDoneId, DLxSymbolContextCmd::kCancelId,
                       DLxSymbolContextCmd::kUndoId})
        EXPECT_TRUE(d.group->OnCmdMsg(id, FWxCmd::kCommand, nullptr));
    EXPECT_EQ(d.Bytes(), empty);
    for (bool host : {true, false})
        EXPECT_EQ(d.Update(DLxSymbolContextCmd::kUndoId, host).enabled, host);

    DLxDatumTargetPointCmd* place = d.Command<DLxDatumTargetPointCmd>();
    ASSERT_TRUE(d.group->OnCmdMsg(place->GetCommandId(), FWxCmd::kCommand, nullptr));
    place->OnPrepareContextMenu(DLxDatumTargetCmd::kLeaderMenuId);
    ASSERT_EQ(DLxDatumTargetCmd::GetActiveSymbolLeaderCmd(), place);
    // Nothing picked yet: nothing to finish or take back.
    EXPECT_FALSE(d.Update(DLxSymbolContextCmd::kDoneId, true).enabled);
    EXPECT_FALSE(d.Update(DLxSymbolContextCmd::kUndoId, true).enabled);
    // The flag is read once: the next menu starts with Done enabled.
    EXPECT_TRUE(d.Update(DLxSymbolContextCmd::kDoneId, true).enabled);

    place->Pick({210, 150, 0}, DLxIntent::OnEdge(d.view, 1, 0.6));
    place->Pick({200, 200, 0}, DLxIntent::Free({200, 200, 0}));
    place->OnPrepareContextMenu(DLxDatumTargetCmd::kLeaderMenuId);
    EXPECT_TRUE(d.Update(DLxSymbolContextCmd::kDoneId, true).enabled);
    EXPECT_TRUE(d.Update(DLxSymbolContextCmd::kUndoId, false).enabled);

    // Undo takes the balloon vertex back: the target can no longer finish.
    ASSERT_TRUE(d.group->OnCmdMsg(DLxSymbolContextCmd::kUndoId, FWxCmd::kCommand, nullptr));
    EXPECT_FALSE(place->CanFinish());
    place->Pick({200, 200, 0}, DLxIntent::Free({200, 200, 0}));
    ASSERT_TRUE(d.group->OnCmdMsg(DLxSymbolContextCmd::kDoneId, FWxCmd::kCommand, nullptr));
    ASSERT_TRUE(place->GetCreated());
    const std::vector<uint8_t> placed = d.Bytes();
    EXPECT_NE(placed, empty);

    // Cancel in the middle of the next target: the placement ends, the drawing keeps only the
    // placed target, and the menu's items no longer reach the ended command.
    place->Pick({220, 150, 0}, DLxIntent::OnEdge(d.view, 1, 0.7));
    ASSERT_TRUE(d.group->OnCmdMsg(DLxSymbolContextCmd::kCancelId, FWxCmd::kCommand, nullptr));
    EXPECT_FALSE(place->IsActive());
    EXPECT_EQ(DLxDatumTargetCmd::GetActiveSymbolLeaderCmd(), nullptr);
    EXPECT_EQ(d.Bytes(), placed);
}

TEST(SymbolLeaderMenu, CancellingTheFirstTargetLeavesTheDrawingAsItWas) {
    MenuDoc d;
    const std::vector<uint8_t> before = d.Bytes();
    DLxDatumTargetCircleCmd* place = d.Command<DLxDatumTargetCircleCmd>();
    ASSERT_TRUE(d.group->OnCmdMsg(place->GetCommandId(), FWxCmd::kCommand, nullptr));
    place->OnPrepareContextMenu(DLxDatumTargetCmd::kLeaderMenuId);
    place->Pick({210, 150, 0}, DLxIntent::OnEdge(d.view, 1, 0.6));
    place->Pick({215, 150, 0}, DLxIntent::OnEdge(d.view, 1, 0.65));
    place->MoveCursor({260, 200, 0});
    ASSERT_TRUE(d.group->OnCmdMsg(DLxSymbolContextCmd::kCancelId, FWxCmd::kCommand, nullptr));
    EXPECT_EQ(d.Bytes(), before);
    EXPECT_EQ(DLxDatumTargetCmd::GetActiveSymbolLeaderCmd(), nullptr);
}

} // namespace

// ---- the balloon attach and remove items

namespace {
void PreSelect(FWxSceneDoc* doc, FWxSelection* selection) {
    FWxSelectionSet* pre = FWxSelectionSetMgr::Get(doc)->GetPreSelectionSet();
    pre->RemoveAll();
    if (selection) pre->Add(SmartPtr<FWxSelection>(selection));
}
} // namespace

TEST(DatumTargetBalloonItems, AreEnabledByWhatIsPreSelected) {
    MenuDoc d;
    DLxDatumTarget* none = d.PlaceTarget(0);
    // A target holds 18 balloons in all, its default balloon among them.
    DLxDatumTarget* sixteen = d.PlaceTarget(16);
    DLxDatumTarget* full = d.PlaceTarget(17);
    struct Case {
        const char* name;
        std::function<FWxSelection*()> selection;
        bool attach;
        bool remove;
    };
    const Case cases[] = {
        {"no selection", [] { return nullptr; }, true, false},
        {"a sheet", [&] { return new DLxSheetInstanceSelection(d.sheet); }, true, false},
        {"no attached balloon", [&] { return new DLxDatumTargetSelection(none, {}); }, true, false},
        {"16 attached", [&] { return new DLxDatumTargetSelection(sixteen, {}); }, true, true},
        {"17 attached: full", [&] { return new DLxDatumTargetSelection(full, {}); }, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PreSelect(d.doc.get(), c.selection());
        EXPECT_EQ(d.Update(DLxDatumTargetAttachCmd::kCommandId, true).enabled, c.attach);
        EXPECT_EQ(d.Update(DLxDatumTargetRemoveCmd::kCommandId, true).enabled, c.remove);
    }
}

TEST(DatumTargetBalloonItems, AFirstBalloonGoesToTheSideClickedAndUndoes) {
    MenuDoc d;
    DLxDatumTarget* target = d.PlaceTarget(0);
    const WqGePoint3d c = target->GetBalloon(0)->GetOrigin();
    const double s = 2 * target->GetBalloonSize();
    const std::vector<uint8_t> before = d.Bytes();
    struct Case {
        WqGeVector3d click;
        WqGeVector3d placed;
    };
    const Case cases[] = {
        {{30, 2, 5}, {s, 0, 0}}, {{-30, -2, 0}, {-s, 0, 0}}, {{1, 30, 0}, {0, s, 0}},
        {{-1, -30, 0}, {0, -s, 0}}};
    auto* attach = d.Command<DLxDatumTargetAttachCmd>();
    for (const Case& k : cases) {
        SCOPED_TRACE(k.click.x);
        PreSelect(d.doc.get(), new DLxDatumTargetSelection(target, c));
        ASSERT_TRUE(d.group->OnCmdMsg(DLxDatumTargetAttachCmd::kCommandId, FWxCmd::kCommand, nullptr));
        EXPECT_EQ(DLxDatumTargetAttachCmd::GetActive(), attach);
        ASSERT_TRUE(attach->Pick(c + k.click));
        EXPECT_EQ(DLxDatumTargetAttachCmd::GetActive(), nullptr);
        ASSERT_EQ(target->GetNumAttachedBalloons(), 1);
        const WqGePoint3d at = target->GetBalloon(1)->GetOrigin();
        EXPECT_NEAR(at.distanceTo(c + k.placed), 0, 1e-9);
        EXPECT_TRUE(FWxSelectionSetMgr::Get(d.doc.get())->GetPreSelectionSet()->IsEmpty());
        ASSERT_FALSE(d.doc->Undo().Failed());
        EXPECT_EQ(d.Bytes(), before);
    }
    // Cancelled before the click: nothing changes and the command is no longer waiting.
    PreSelect(d.doc.get(), new DLxDatumTargetSelection(target, c));
    ASSERT_TRUE(d.group->OnCmdMsg(DLxDatumTargetAttachCmd::kCommandId, FWxCmd::kCommand, nullptr));
    attach->Cancel();
    EXPECT_EQ(DLxDatumTargetAttachCmd::GetActive(), nullptr);
    EXPECT_FALSE(attach->Pick(c));
    EXPECT_EQ(d.Bytes(), before);
}

// While the command waits for the click, a preview balloon follows the cursor to the side the
// click would choose; it stores nothing: the drawing changes only with the click, and a cancel
// leaves it as it was and the preview gone.
TEST(DatumTargetBalloonItems, APreviewBalloonFollowsTheCursorAndStoresNothing) {
    MenuDoc d;
    DLxDatumTarget* target = d.PlaceTarget(0);
    const WqGePoint3d c = target->GetBalloon(0)->GetOrigin();
    const double s = 2 * target->GetBalloonSize();
    const std::vector<uint8_t> before = d.Bytes();
    auto* attach = d.Command<DLxDatumTargetAttachCmd>();
    EXPECT_FALSE(attach->MoveCursor(c));
    PreSelect(d.doc.get(), new DLxDatumTargetSelection(target, c));
    ASSERT_TRUE(d.group->OnCmdMsg(DLxDatumTargetAttachCmd::kCommandId, FWxCmd::kCommand, nullptr));
    const DLxDatumAttachTarget& waiting = attach->GetTarget();
    ASSERT_NE(waiting.GetPreviewBalloon(), nullptr);
    EXPECT_TRUE(waiting.GetPreviewList().IsEmpty());
    const struct {
        WqGeVector3d cursor;
        WqGeVector3d side;
    } moves[] = {{{1, 30, 0}, {0, s, 0}}, {{-30, 2, 0}, {-s, 0, 0}}, {{30, -2, 4}, {s, 0, 0}}};
    for (const auto& m : moves) {
        SCOPED_TRACE(m.side.x + 10 * m.side.y);
        ASSERT_TRUE(attach->MoveCursor(c + m.cursor));
        const BBox box = waiting.GetPreviewList().GetBBox();
        ASSERT_FALSE(box.isEmpty());
        EXPECT_NEAR(box.center().distanceTo(c + m.side), 0, 1e-6);
        EXPECT_EQ(d.Bytes(), before);
    }
    ASSERT_TRUE(attach->Pick(c + moves[2].cursor));
    EXPECT_EQ(waiting.GetPreviewBalloon(), nullptr);
    ASSERT_EQ(target->GetNumAttachedBalloons(), 1);
    EXPECT_NEAR(target->GetBalloon(1)->GetOrigin().distanceTo(c + moves[2].side), 0, 1e-9);
    ASSERT_FALSE(d.doc->Undo().Failed());

    PreSelect(d.doc.get(), new DLxDatumTargetSelection(target, c));
    ASSERT_TRUE(d.group->OnCmdMsg(DLxDatumTargetAttachCmd::kCommandId, FWxCmd::kCommand, nullptr));
    ASSERT_TRUE(attach->MoveCursor(c + moves[0].cursor));
    attach->Cancel();
    EXPECT_EQ(waiting.GetPreviewBalloon(), nullptr);
    EXPECT_TRUE(waiting.GetPreviewList().IsEmpty());
    EXPECT_FALSE(attach->MoveCursor(c));
    EXPECT_EQ(d.Bytes(), before);
}

TEST(DatumTargetBalloonItems, FurtherBalloonsGoOnAlongTheRowAndTheRemoveTakesTheNearest) {
    MenuDoc d;
    DLxDatumTarget* target = d.PlaceTarget(2);
    const WqGePoint3d c = target->GetBalloon(0)->GetOrigin();
    const WqGePoint3d last = target->GetBalloon(2)->GetOrigin();
    const double s = 2 * target->GetBalloonSize();
    const std::vector<uint8_t> before = d.Bytes();
    PreSelect(d.doc.get(), new DLxDatumTargetSelection(target, c));
    ASSERT_TRUE(d.group->OnCmdMsg(DLxDatumTargetAttachCmd::kCommandId, FWxCmd::kCommand, nullptr));
    // No click is needed.
    EXPECT_EQ(DLxDatumTargetAttachCmd::GetActive(), nullptr);
    ASSERT_EQ(target->GetNumAttachedBalloons(), 3);
    const WqGePoint3d expected = c + (last - c).normal() * (last.distanceTo(c) + s);
    EXPECT_NEAR(target->GetBalloon(3)->GetOrigin().distanceTo(expected), 0, 1e-9);
    ASSERT_FALSE(d.doc->Undo().Failed());
    EXPECT_EQ(d.Bytes(), before);

    // Picked on the first attached balloon, the remove takes that one.
    const DLxCTargetBalloon* second = target->GetBalloon(2);
    PreSelect(d.doc.get(), new DLxDatumTargetSelection(target, target->GetBalloon(1)->GetOrigin()));
    ASSERT_TRUE(d.group->OnCmdMsg(DLxDatumTargetRemoveCmd::kCommandId, FWxCmd::kCommand, nullptr));
    ASSERT_EQ(target->GetNumAttachedBalloons(), 1);
    EXPECT_EQ(target->GetBalloon(1), second);
    ASSERT_FALSE(d.doc->Undo().Failed());
    EXPECT_EQ(d.Bytes(), before);
}
