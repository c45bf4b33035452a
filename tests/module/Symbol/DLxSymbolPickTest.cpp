// Picking placed symbols as a user clicks on the sheet: through the select command's filters,
// through the pick requests a command runs, and the services the module publishes to the host
// about its annotations.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "BofM/DLxPartListDwgBrowserEntry.h"
#include "BofM/DLxPartListTable.h"
#include "BofM/DLxTableStatePartlist.h"
#include "DatumId/DLxCenterDatumInstance.h"
#include "DatumId/DLxCenterDatumSelection.h"
#include "DatumId/DLxDatumIdInstance.h"
#include "DatumId/DLxDatumIdSelection.h"
#include "Leader/DLxLeaderTextSymbolSelection.h"
#include "Leader/DLxSymFilters.h"
#include "Symbol/DLxBalloonSymInstance.h"
#include "Symbol/DLxBalloonSymSelection.h"
#include "Symbol/DLxCallOutFolderEntry.h"
#include "Symbol/DLxCallOutInstance.h"
#include "Symbol/DLxCallOutSelection.h"
#include "Symbol/DLxGDTInstance.h"
#include "Symbol/DLxGDTSelection.h"
#include "Symbol/DLxGetDataSheet.h"
#include "Symbol/DLxGetDataSymbolRequest.h"
#include "Symbol/DLxLeaderTextInstance.h"
#include "Symbol/DLxSymBrowserUtil.h"
#include "Symbol/KorvuAppletExtension.h"
#include "WinModule.h"
#include "dl/DLxAnchorPoint.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxEmblem.h"
#include "dl/DLxModelFile.h"
#include "dl/DLxSelectCmd.h"
#include "dl/DLxSheet.h"
#include "dl/DLxSketch.h"
#include "dl/DLxTDXUtil.h"
#include "dl/DLxViewInstance.h"
#include "du/DUxLayerStyleAbstract.h"
#include "du/DUxSymState.h"
#include "du/DUxTableStyle.h"
#include "fw/FWxSelection.h"
#include "fw/FWxTranscriptMgr.h"
#include "fw/FWxUtil.h"
#include "fw/IFxInterfaces.h"
#include "ge/WqGeMatrix3d.h"
#include "rse/RSe.h"
#include "rse/RSeInterface.h"
#include "rse/RSeMetaType.h"
#include "sm/SMxDisplayItem.h"
#include "sm/SMxDisplayList.h"
#include "utx/UTxString16.h"
#include "utx/UTxUtil.h"

extern "C" FWxAppletExtension* ExtensionGetExtensionInterface();

namespace {

std::string Example(const char* name) {
    if (const char* data = std::getenv("KORVU_TEST_DATA"))
        return std::string(data) + "/../examples/" + name;
    return (std::filesystem::path(__FILE__).parent_path() / "../../../examples" / name).string();
}

// The example model with one example transcript replayed on it, as `korvu run` makes it.
struct ExampleDoc {
    std::unique_ptr<DLxDrawingDoc> doc;
    DLxSheet* sheet = nullptr;

    explicit ExampleDoc(const char* transcript) {
        UTxResult r = DLxModelFile::Load(Example("assembly.json"), doc);
        EXPECT_FALSE(r.Failed()) << r.GetMessageUtf8();
        if (!doc) return;
        FWxAppletExtension* ext = ExtensionGetExtensionInterface();
        ext->CreateDocumentInterfaces(doc.get());
        ext->SetUpNewDocument(doc.get());
        FWxTranscriptMgr& mgr = FWxUtil::GetTranscriptMgr();
        r = mgr.ReplayFile(doc.get(), Example(transcript));
        EXPECT_FALSE(r.Failed()) << transcript << ": " << r.GetMessageUtf8();
        mgr.ClearLines();
        sheet = doc->GetSheets().front();
    }

    template <class T> std::vector<T*> All() const {
        std::vector<T*> found;
        for (const RSeRef<RDxNode>& node : sheet->GetNodes())
            if (auto* t = dynamic_cast<T*>(node.GetTarget())) found.push_back(t);
        return found;
    }

    // A point a user would click to hit `emblem` alone: inside what it draws and outside what
    // every other annotation draws. Fails the test when the emblem has no such point.
    WqGePoint3d PointOnlyOn(DLxEmblem* emblem) const {
        // A placed symbol is hit on its symbol box, anything else on what it draws.
        BBox box = emblem->GetSheetDisplayList()->GetBBox();
        if (auto* symbol = dynamic_cast<DLxSymInstance*>(emblem))
            if (!symbol->GetSymState()->GetBoundingBox().isEmpty())
                box = symbol->GetSymState()->GetBoundingBox();
        const std::vector<DLxEmblem*> others = All<DLxEmblem>();
        constexpr int kSteps = 24;
        for (int i = 1; i < kSteps; ++i)
            for (int j = 1; j < kSteps; ++j) {
                const WqGePoint3d p{box.min.x + (box.max.x - box.min.x) * i / kSteps,
                                    box.min.y + (box.max.y - box.min.y) * j / kSteps, 0};
                bool alone = emblem->HitTest(p, 1e-9);
                for (DLxEmblem* other : others)
                    if (other != emblem && other->HitTest(p, 1e-9)) alone = false;
                if (alone) return p;
            }
        ADD_FAILURE() << "no point hits the annotation alone";
        return box.min;
    }

    template <class I> I* Interface(const UTxGUID& guid) const {
        return RSe::InterfaceSet(doc->GetRSeDb())->Query<I>(guid);
    }
};

// One kind of symbol: where an example places some, its request, and how a command reads the
// symbol back out of the item.
struct PickKind {
    const char* name;
    const char* example;
    std::function<std::vector<DLxSymInstance*>(const ExampleDoc&)> symbols;
    std::function<DLxGetDataSelectRequest*(int32_t)> request;
    std::function<bool(DLxGetDataItem*, DLxSymInstance*&)> read;
};

template <class T> std::vector<DLxSymInstance*> Symbols(const ExampleDoc& d) {
    std::vector<DLxSymInstance*> out;
    for (T* t : d.All<T>())
        out.push_back(t);
    return out;
}

// Reads as the kind's own reader does; when that refuses the item, `out` stays as it was only
// if the reader left its own reference alone.
template <class T, bool (*Fn)(DLxGetDataItem*, T*&)>
bool ReadAs(DLxGetDataItem* item, DLxSymInstance*& out) {
    static T* const kUntouched = reinterpret_cast<T*>(alignof(T));
    T* symbol = kUntouched;
    if (!Fn(item, symbol)) {
        if (symbol != kUntouched) out = nullptr;
        return false;
    }
    out = symbol;
    return true;
}

const std::vector<PickKind>& Kinds() {
    static const std::vector<PickKind> kinds = {
        {"sketched symbol", "sketched.txt", Symbols<DLxCallOutInstance>,
         [](int32_t id) { return new DLxGetDataCallOutRequest(id); },
         ReadAs<DLxCallOutInstance, DLxGetDataSheet::GetCallOutInstance>},
        {"datum identifier", "datums.txt", Symbols<DLxDatumIdInstance>,
         [](int32_t id) { return new DLxGetDataDatumIdRequest(id); },
         ReadAs<DLxDatumIdInstance, DLxGetDataSheet::GetDatumIdInstance>},
        {"feature control frame", "assembly.txt", Symbols<DLxGDTInstance>,
         [](int32_t id) { return new DLxGetDataGDTRequest(id); },
         ReadAs<DLxGDTInstance, DLxGetDataSheet::GetGDTInstance>},
        {"leader text", "notes.txt", Symbols<DLxLeaderTextInstance>,
         [](int32_t id) { return new DLxGetDataLeaderTextRequest(id); },
         ReadAs<DLxLeaderTextInstance, DLxGetDataSheet::GetLeaderTextInstance>},
        {"balloon", "balloons.txt", Symbols<DLxBalloonSymInstance>,
         [](int32_t id) { return new DLxGetDataBalloonSymRequest(id); },
         ReadAs<DLxBalloonSymInstance, DLxGetDataSheet::GetBalloonSymInstance>},
    };
    return kinds;
}

} // namespace

// ---- pick requests

TEST(SymbolPick, EachKindsRequestAndTheCompositeNameThePickedSymbolAndNothingElse) {
    constexpr int32_t kRequestId = 77;
    for (const PickKind& kind : Kinds()) {
        SCOPED_TRACE(kind.name);
        ExampleDoc d(kind.example);
        const std::vector<DLxSymInstance*> symbols = kind.symbols(d);
        ASSERT_FALSE(symbols.empty());
        std::unique_ptr<DLxGetDataSelectRequest> own(kind.request(kRequestId));
        DLxGetDataSymbolRequest composite(kRequestId);
        for (DLxSymInstance* symbol : symbols) {
            const WqGePoint3d p = d.PointOnlyOn(symbol);
            for (DLxGetDataSelectRequest* request :
                 {own.get(), static_cast<DLxGetDataSelectRequest*>(&composite)}) {
                std::unique_ptr<DLxGetDataItem> item = request->Pick(d.doc.get(), p);
                ASSERT_NE(item, nullptr);
                auto* symbolItem = dynamic_cast<DLxGetDataSymbolItem*>(item.get());
                ASSERT_NE(symbolItem, nullptr);
                EXPECT_EQ(symbolItem->GetSymbol(), symbol);
                EXPECT_TRUE(symbolItem->GetPoint().isEqualTo(p));
                EXPECT_EQ(symbolItem->GetView(), symbol->GetView());
                EXPECT_EQ(item->GetRequestID(), kRequestId);
                DLxSymInstance* read = nullptr;
                EXPECT_TRUE(kind.read(item.get(), read));
                EXPECT_EQ(read, symbol);
                EXPECT_TRUE(DLxGetDataSheet::GetSymbolInstance(item.get(), read));
                EXPECT_EQ(read, symbol);
            }
            // The other kinds' requests pick nothing there, and their readers refuse the item
            // and leave what they were given alone.
            std::unique_ptr<DLxGetDataItem> item = own->Pick(d.doc.get(), p);
            for (const PickKind& other : Kinds()) {
                if (&other == &kind) continue;
                SCOPED_TRACE(other.name);
                std::unique_ptr<DLxGetDataSelectRequest> theirs(other.request(kRequestId));
                EXPECT_EQ(theirs->Pick(d.doc.get(), p), nullptr);
                DLxSymInstance* untouched = symbol;
                EXPECT_FALSE(other.read(item.get(), untouched));
                EXPECT_EQ(untouched, symbol);
            }
        }
    }
}

// The middles of the texts a list draws, through its nested placements.
void TextMiddles(const SMxDisplayList& list, const WqGeMatrix3d& xform,
                 std::vector<WqGePoint3d>& out) {
    for (const SMxDisplayItem& item : list) {
        if (item.GetKind() == SMxTextItem::kKind) {
            BBox box;
            item.ExtendBBox(box, xform);
            if (!box.isEmpty()) out.push_back(box.center());
        } else if (item.GetKind() == SMxChildItem::kKind) {
            const auto& child = static_cast<const SMxChildItem&>(item);
            TextMiddles(child.list, xform * child.GetTransform(), out);
        }
    }
}

// A click on any text a placed symbol shows hits that symbol: a surface-texture symbol's values
// or a borderless balloon's texts lie past its lines.
TEST(SymbolPick, EveryTextASymbolShowsHitsThatSymbol) {
    for (const char* example : {"balloons.txt", "surfacetexture.txt", "welds.txt", "notes.txt",
                                "datums.txt", "assembly.txt"}) {
        SCOPED_TRACE(example);
        ExampleDoc d(example);
        ASSERT_NE(d.sheet, nullptr);
        const std::vector<DLxSymInstance*> symbols = d.All<DLxSymInstance>();
        ASSERT_FALSE(symbols.empty());
        for (DLxSymInstance* symbol : symbols) {
            std::vector<WqGePoint3d> middles;
            TextMiddles(*symbol->GetSheetDisplayList(), WqGeMatrix3d::kIdentity, middles);
            for (const WqGePoint3d& p : middles)
                EXPECT_TRUE(symbol->HitTest(p, 1e-9)) << UTx::ToUtf8(symbol->GetMeta()->GetName())
                                                      << ": text at " << p.x << "," << p.y;
        }
    }
}

TEST(SymbolPick, PicksOffEverySymbolOrOnOtherAnnotationsGiveNoItem) {
    ExampleDoc d("datums.txt");
    DLxGetDataSymbolRequest composite(1);
    // Far off the drawing.
    EXPECT_EQ(composite.Pick(d.doc.get(), {-500, -500, 0}), nullptr);
    // An origin indicator is no symbol that a command picks.
    const std::vector<DLxCenterDatumInstance*> indicators = d.All<DLxCenterDatumInstance>();
    ASSERT_FALSE(indicators.empty());
    EXPECT_EQ(composite.Pick(d.doc.get(), d.PointOnlyOn(indicators[0])), nullptr);
    // Nor is a table callout other than a balloon: its selection offers no item.
    DLxTableCalloutBaseSelection callout(nullptr, {0, 0, 0});
    EXPECT_EQ(composite.GetItem(&callout), nullptr);
    EXPECT_EQ(composite.GetItem(nullptr), nullptr);
}

TEST(SymbolPick, RequestsGivenNoPromptUseTheDefaultOne) {
    const struct {
        uint32_t cursor, status, menu;
        uint32_t wantCursor, wantStatus;
    } cases[] = {
        {0, 0, 0, kDLxGetDataSymbolDefaultPrompt, kDLxGetDataSymbolDefaultPrompt},
        {12, 0, 7, 12, kDLxGetDataSymbolDefaultPrompt},
        {0, 34, 0, kDLxGetDataSymbolDefaultPrompt, 34},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.cursor << "," << c.status << "," << c.menu);
        DLxGetDataSymbolRequest composite(5, c.cursor, c.status, c.menu);
        EXPECT_EQ(composite.GetCursor(), c.wantCursor);
        EXPECT_EQ(composite.GetStatusText(), c.wantStatus);
        EXPECT_EQ(composite.GetMenu(), c.menu);
        for (const PickKind& kind : Kinds()) {
            std::unique_ptr<DLxGetDataSelectRequest> own(kind.request(5));
            EXPECT_EQ(own->GetCursor(), kDLxGetDataSymbolDefaultPrompt);
            EXPECT_EQ(own->GetMenu(), 0u);
        }
    }
    DLxGetDataGDTRequest defaulted;
    EXPECT_EQ(defaulted.GetRequestID(), -1);
}

TEST(SymbolPick, ALeaderTextItemTellsAPickOnTheTextFromOneOnTheLeader) {
    ExampleDoc d("notes.txt");
    const std::vector<DLxLeaderTextInstance*> texts = d.All<DLxLeaderTextInstance>();
    ASSERT_FALSE(texts.empty());
    DLxLeaderTextInstance* text = texts[0];
    std::vector<WqGePoint3d> outline;
    ASSERT_TRUE(text->GetEmblemBoundingBox(outline, 0));
    BBox box;
    for (const WqGePoint3d& p : outline)
        box.extend(p);
    DLxGetDataLeaderTextRequest request(3);
    const WqGePoint3d onText{(box.min.x + box.max.x) / 2, (box.min.y + box.max.y) / 2, 0};
    const std::unique_ptr<DLxGetDataItem> item = request.Pick(d.doc.get(), onText);
    auto* textItem = dynamic_cast<DLxGetDataLeaderTextItem*>(item.get());
    ASSERT_NE(textItem, nullptr);
    EXPECT_EQ(textItem->GetSymbol(), text);
    EXPECT_TRUE(textItem->GetIsPureText());
    // A pick on the leader's end, off the text, as the selector makes it for a leader node.
    std::vector<DLxAnchorPoint*> anchors;
    text->GetAnchors(anchors);
    ASSERT_FALSE(anchors.empty());
    DLxLeaderTextSymbolSelection leaderPick(text, anchors[0]->GetBrokenPoint());
    const std::unique_ptr<DLxGetDataItem> onLeader(request.GetItem(&leaderPick));
    auto* leaderItem = dynamic_cast<DLxGetDataLeaderTextItem*>(onLeader.get());
    ASSERT_NE(leaderItem, nullptr);
    EXPECT_FALSE(leaderItem->GetIsPureText());
}

// ---- published interfaces

TEST(SymbolInterfaces, TheBalloonServicesTellTheKindsApart) {
    for (const char* example : {"balloons.txt", "partslist.txt", "sketched.txt", "datums.txt"}) {
        SCOPED_TRACE(example);
        ExampleDoc d(example);
        auto* comp = d.Interface<IFxBalloonComp>(UTxGuidForIFxBalloonComp());
        ASSERT_NE(comp, nullptr);
        EXPECT_FALSE(comp->IsBalloon(nullptr));
        EXPECT_FALSE(comp->IsPartListTable(nullptr));
        for (DLxEmblem* emblem : d.All<DLxEmblem>()) {
            EXPECT_EQ(comp->IsBalloon(emblem),
                      dynamic_cast<DLxBalloonSymInstance*>(emblem) != nullptr);
            EXPECT_EQ(comp->IsPartListTable(emblem),
                      dynamic_cast<DLxPartListTable*>(emblem) != nullptr);
            auto* callout = dynamic_cast<DLxCallOutInstance*>(emblem);
            EXPECT_EQ(comp->GetCallOutSketchInstance(emblem),
                      callout ? callout->GetSketchInstance() : nullptr);
            if (callout) {
                EXPECT_NE(callout->GetSketchInstance(), nullptr);
            }
        }
    }
}

TEST(SymbolInterfaces, AnchorViewsFollowTheAnchorsWithoutAdjacentRepeats) {
    ExampleDoc d("datums.txt");
    auto* comp = d.Interface<IFxBalloonComp>(UTxGuidForIFxBalloonComp());
    ASSERT_NE(comp, nullptr);
    const std::vector<DLxDatumIdInstance*> ids = d.All<DLxDatumIdInstance>();
    ASSERT_FALSE(ids.empty());
    DLxViewInstance* front = nullptr;
    for (DLxViewInstance* view : d.sheet->GetViews())
        if (view->GetName() == u"Front") front = view;
    ASSERT_NE(front, nullptr);
    std::vector<DLxViewInstance*> views{front, front}; // emptied first
    comp->GetAnchorViews(ids[0], views);
    EXPECT_EQ(views, std::vector<DLxViewInstance*>{front});

    // An origin indicator is no placed symbol: it has no anchor views to give.
    const std::vector<DLxCenterDatumInstance*> indicators = d.All<DLxCenterDatumInstance>();
    ASSERT_FALSE(indicators.empty());
    comp->GetAnchorViews(indicators[0], views);
    EXPECT_TRUE(views.empty());
}

TEST(SymbolInterfaces, RenamingASketchRenamesTheEntriesStillNamedAfterIt) {
    ExampleDoc d("sketched.txt");
    auto* comp = d.Interface<IFxBalloonComp>(UTxGuidForIFxBalloonComp());
    ASSERT_NE(comp, nullptr);
    DLxCallOutFolderEntry* folder = DLxSymBrowserUtil::FindCallOutFolderEntry(d.sheet);
    ASSERT_NE(folder, nullptr);
    DLxSketch* flag = nullptr;
    std::vector<DLxCallOutInstEntry*> flagEntries, others;
    for (BRxEntry* child : folder->GetChildren()) {
        auto* entry = dynamic_cast<DLxCallOutInstEntry*>(child);
        ASSERT_NE(entry, nullptr);
        auto* symbol = dynamic_cast<DLxCallOutInstance*>(entry->Subject().GetTarget());
        ASSERT_NE(symbol, nullptr);
        DLxSketch* sketch = symbol->GetSketchInstance()->GetSketch();
        if (sketch->GetName() == u"Revision flag") {
            flag = sketch;
            flagEntries.push_back(entry);
        } else {
            others.push_back(entry);
        }
    }
    ASSERT_NE(flag, nullptr);
    ASSERT_GE(flagEntries.size(), 2u);
    ASSERT_FALSE(others.empty());
    // The first entry still carries the name the sketch had; the others were named by hand.
    flagEntries[0]->Rename(u"Old flag");
    for (size_t i = 1; i < flagEntries.size(); ++i)
        flagEntries[i]->Rename(u"Mine");
    for (DLxCallOutInstEntry* entry : flagEntries)
        entry->SetModified(false);
    const std::u16string otherName = others[0]->Name();

    EXPECT_EQ(comp->RenameCallOutEntries(d.doc.get(), flag, u"Old flag", false), 1);
    EXPECT_EQ(flagEntries[0]->Name(), u"Revision flag");
    EXPECT_TRUE(flagEntries[0]->IsModified());
    EXPECT_EQ(flagEntries[1]->Name(), u"Mine");
    EXPECT_FALSE(flagEntries[1]->IsModified());

    EXPECT_EQ(comp->RenameCallOutEntries(d.doc.get(), flag, u"Old flag", true),
              int32_t(flagEntries.size()));
    for (DLxCallOutInstEntry* entry : flagEntries)
        EXPECT_EQ(entry->Name(), u"Revision flag");
    // Entries of other sketches are never touched.
    EXPECT_EQ(others[0]->Name(), otherName);

    EXPECT_EQ(comp->RenameCallOutEntries(nullptr, flag, u"Old flag", true), 0);
    EXPECT_EQ(comp->RenameCallOutEntries(d.doc.get(), nullptr, u"Old flag", true), 0);
}

TEST(SymbolInterfaces, APartListsMembersReadAndSetThroughTheServices) {
    ExampleDoc d("partslist.txt");
    auto* comp = d.Interface<IFxBalloonComp>(UTxGuidForIFxBalloonComp());
    ASSERT_NE(comp, nullptr);
    const std::vector<DLxPartListTable*> tables = d.All<DLxPartListTable>();
    ASSERT_FALSE(tables.empty());
    DLxPartListTable* table = tables[0];
    DLxTableStatePartlist* state = table->GetPartListTableState().get();
    ASSERT_NE(state, nullptr);

    std::vector<std::u16string> members{u"left over"};
    ASSERT_TRUE(comp->GetPartListSelectedMembers(table, members));
    EXPECT_EQ(members, state->GetSelectedMembers());
    const uint32_t hideBit = state->GetFlags() & DLxTableStatePartlist::kHideZeroQuantityRows;
    ASSERT_TRUE(comp->SetPartListSelectedMembers(table, members));
    EXPECT_EQ(state->GetFlags() & DLxTableStatePartlist::kHideZeroQuantityRows, hideBit);

    // Not a parts list: false, and the members are emptied all the same.
    members = {u"x"};
    EXPECT_FALSE(comp->GetPartListSelectedMembers(nullptr, members));
    EXPECT_TRUE(members.empty());
    EXPECT_FALSE(comp->SetPartListSelectedMembers(nullptr, {u"x"}));
}

TEST(SymbolInterfaces, BrowserEventsMarkAPartListsEntryOnlyForTheirCodes) {
    ExampleDoc d("partslist.txt");
    auto* utils = d.Interface<IFxBrowserUtils>(UTxGuidForIFxBrowserUtils());
    ASSERT_NE(utils, nullptr);
    const std::vector<DLxPartListTable*> tables = d.All<DLxPartListTable>();
    ASSERT_FALSE(tables.empty());
    DLxPartListDwgBrowserEntry* entry = tables[0]->FindBrowserEntry();
    ASSERT_NE(entry, nullptr);
    const struct {
        int32_t code;
        bool marks;
    } cases[] = {{10, true},  {26, true}, {27, true}, {45, true},
                 {11, false}, {0, false}, {-1, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        entry->SetModified(false);
        utils->OnBrowserEntryEvent(entry, c.code);
        EXPECT_EQ(entry->IsModified(), c.marks);
    }
    utils->OnBrowserEntryEvent(nullptr, 10); // nothing to mark
}

// ---- selection by kind

TEST(SymbolSelection, EachKindsFilterOfTheSelectCommandSelectsItsKindAlone) {
    // A filter that selects a kind's symbols, its selection class, and its name for the user.
    const struct {
        const char* kind;
        std::function<SMxTypeFilterItem*()> filter;
        const std::type_info& selection;
        const char16_t* name;
    } filters[] = {
        {"balloon", [] { return new DLxBalloonSymFilter(DLxBalloonSymFilter::ESubType(1)); },
         typeid(DLxBalloonSymSelection), u"Balloon"},
        {"sketched symbol", [] { return new DLxCallOutFilter(DLxCallOutFilter::ESubType(1)); },
         typeid(DLxCallOutSelection), u"Sketched Symbol"},
        {"datum identifier", [] { return new DLxDatumIdFilter(DLxDatumIdFilter::ESubType(1)); },
         typeid(DLxDatumIdSelection), u"Datum Identifier"},
        {"origin indicator",
         [] { return new DLxCenterDatumFilter(DLxCenterDatumFilter::ESubType(1)); },
         typeid(DLxCenterDatumSelection), u"Origin Indicator"},
        {"feature control frame", [] { return new DLxGDTFilter(DLxGDTFilter::ESubType(1)); },
         typeid(DLxGDTSelection), u"Feature Control Frame"},
        {"leader text",
         [] { return new DLxLeaderTextSymbolFilter(DLxLeaderTextSymbolFilter::ESubType(1)); },
         typeid(DLxLeaderTextSymbolSelection), u"Leader Text"},
    };
    // Where the examples place symbols of each kind.
    const struct {
        const char* example;
        const char* kind;
        std::function<std::vector<DLxEmblem*>(const ExampleDoc&)> placed;
    } placements[] = {
        {"balloons.txt", "balloon",
         [](const ExampleDoc& d) {
             std::vector<DLxEmblem*> out;
             for (auto* s : d.All<DLxBalloonSymInstance>())
                 out.push_back(s);
             return out;
         }},
        {"sketched.txt", "sketched symbol",
         [](const ExampleDoc& d) {
             std::vector<DLxEmblem*> out;
             for (auto* s : d.All<DLxCallOutInstance>())
                 out.push_back(s);
             return out;
         }},
        {"datums.txt", "datum identifier",
         [](const ExampleDoc& d) {
             std::vector<DLxEmblem*> out;
             for (auto* s : d.All<DLxDatumIdInstance>())
                 out.push_back(s);
             return out;
         }},
        {"datums.txt", "origin indicator",
         [](const ExampleDoc& d) {
             std::vector<DLxEmblem*> out;
             for (auto* s : d.All<DLxCenterDatumInstance>())
                 out.push_back(s);
             return out;
         }},
        {"assembly.txt", "feature control frame",
         [](const ExampleDoc& d) {
             std::vector<DLxEmblem*> out;
             for (auto* s : d.All<DLxGDTInstance>())
                 out.push_back(s);
             return out;
         }},
        {"notes.txt", "leader text",
         [](const ExampleDoc& d) {
             std::vector<DLxEmblem*> out;
             for (auto* s : d.All<DLxLeaderTextInstance>())
                 out.push_back(s);
             return out;
         }},
    };
    for (const auto& placement : placements) {
        SCOPED_TRACE(placement.kind);
        ExampleDoc d(placement.example);
        const std::vector<DLxEmblem*> placed = placement.placed(d);
        ASSERT_FALSE(placed.empty());
        const WqGePoint3d p = d.PointOnlyOn(placed.front());
        for (const auto& f : filters) {
            SCOPED_TRACE(f.kind);
            const bool own = std::string(f.kind) == placement.kind;
            FWxSelectionSet set;
            FWxSelectionFilter filter;
            const SmartPtr<SMxTypeFilterItem> item(f.filter());
            filter.Add(item.get());
            DLxTDXUtil::GetSelection(d.doc.get(), p, set, filter, 1e-9);
            ASSERT_EQ(set.IsEmpty(), !own);
            if (own) {
                FWxSelection* selection = set.GetAt(0).get();
                EXPECT_EQ(typeid(*selection), f.selection);
                EXPECT_EQ(static_cast<DUxEmblemSelection*>(selection)->Emblem(), placed.front());
            }
            // The select command asks the filter about selections and their classes.
            auto* sym = static_cast<DLxSymFilterBase*>(item.get());
            for (const SmartPtr<FWxSelection>& selection : set) {
                EXPECT_TRUE(sym->PreQualify(typeid(*selection.get())));
                EXPECT_TRUE(sym->Qualify(selection.get()));
                // Every other kind's filter turns it down.
                for (const auto& other : filters) {
                    if (&other == &f) continue;
                    const SmartPtr<SMxTypeFilterItem> theirs(other.filter());
                    EXPECT_FALSE(
                        static_cast<DLxSymFilterBase*>(theirs.get())->Qualify(selection.get()))
                        << other.kind;
                }
            }
            // Disabled, it selects and admits nothing.
            item->SetEnabled(false);
            FWxSelectionSet none;
            DLxTDXUtil::GetSelection(d.doc.get(), p, none, filter, 1e-9);
            EXPECT_TRUE(none.IsEmpty());
            EXPECT_FALSE(sym->PreQualify(f.selection));
            for (const SmartPtr<FWxSelection>& selection : set)
                EXPECT_FALSE(sym->Qualify(selection.get()));
        }
    }
    // The names come from the resource module, which loads with the module.
    const std::filesystem::path bin = std::filesystem::path(KORVU_BIN).parent_path();
    HMODULE module = LoadLibraryW(UTx::MakeWideString((bin / "libkorvu.so").string()).c_str());
    ASSERT_NE(module, nullptr);
    for (const auto& f : filters) {
        SCOPED_TRACE(f.kind);
        const SmartPtr<SMxTypeFilterItem> item(f.filter());
        auto* sym = static_cast<DLxSymFilterBase*>(item.get());
        std::u16string name;
        ASSERT_TRUE(sym->GetString(0, name));
        EXPECT_EQ(name, f.name);
        EXPECT_FALSE(sym->GetString(1, name));
        for (const auto& other : filters)
            EXPECT_EQ(sym->PreQualify(other.selection), &other == &f) << other.kind;
    }
    FreeLibrary(module);
}

TEST(SymbolSelection, SelectionsOfOneSymbolAreEqualWhereverItWasPicked) {
    for (const char* example : {"sketched.txt", "balloons.txt", "datums.txt"}) {
        SCOPED_TRACE(example);
        ExampleDoc d(example);
        std::vector<DLxSymInstance*> symbols;
        for (DLxSymInstance* s : d.All<DLxSymInstance>())
            if (std::string(example) != "balloons.txt" || dynamic_cast<DLxBalloonSymInstance*>(s))
                symbols.push_back(s);
        ASSERT_GE(symbols.size(), 2u);
        // Two picks on the first symbol, one on the second, through the select command's
        // filters as the document has them.
        auto select = [&](DLxSymInstance* symbol, const WqGePoint3d& p) {
            FWxSelectionFilter filter;
            DLxSelectCmd* cmd = d.doc->GetSelectCmd();
            for (size_t i = 0; i < cmd->GetFilterCount(); ++i)
                filter.Add(cmd->GetFilter(i).get());
            FWxSelectionSet set;
            DLxTDXUtil::GetSelection(d.doc.get(), p, set, filter, 1e-9);
            EXPECT_EQ(set.Count(), 1u);
            auto* sel =
                set.IsEmpty() ? nullptr : dynamic_cast<DLxSymSelection*>(set.GetAt(0).get());
            EXPECT_TRUE(sel && sel->GetSymbol() == symbol);
            return SmartPtr<DLxSymSelection>(sel);
        };
        const WqGePoint3d p = d.PointOnlyOn(symbols[0]);
        const BBox box = symbols[0]->GetSymState()->GetBoundingBox();
        const WqGePoint3d corner{box.min.x, box.min.y, 0};
        const SmartPtr<DLxSymSelection> first = select(symbols[0], p);
        const SmartPtr<DLxSymSelection> again = select(symbols[0], corner);
        const SmartPtr<DLxSymSelection> second = select(symbols[1], d.PointOnlyOn(symbols[1]));
        ASSERT_TRUE(first && again && second);
        EXPECT_TRUE(first->IsEqual(again.get()));
        EXPECT_TRUE(again->IsEqual(first.get()));
        EXPECT_FALSE(first->IsEqual(second.get()));
        EXPECT_FALSE(first->IsEqual(nullptr));
        // A selection of the bare symbol base is another class of selection.
        DLxSymSelection plain(symbols[0], p);
        EXPECT_FALSE(first->IsEqual(&plain));
        EXPECT_FALSE(first->BoundingBox().isEmpty());
        EXPECT_TRUE(first->BoundingBox().contains(p));
    }
}

TEST(SymbolSelection, ASelectionOfASymbolThatIsGoneNamesNothing) {
    ExampleDoc d("datums.txt");
    // The example's last identifier goes with the undo of the requests after it and its own.
    const std::vector<DLxDatumIdInstance*> ids = d.All<DLxDatumIdInstance>();
    ASSERT_FALSE(ids.empty());
    DLxDatumIdSelection selection(ids.back(), d.PointOnlyOn(ids.back()));
    SmartPtr<DUxLayerStyleAbstract> layer;
    selection.GetLayer(layer);
    EXPECT_TRUE(layer);
    while (selection.GetSymbol() && d.doc->CanUndo())
        ASSERT_FALSE(d.doc->Undo().Failed());
    EXPECT_EQ(selection.GetSymbol(), nullptr);
    EXPECT_EQ(selection.GetInstance(), nullptr);
    EXPECT_TRUE(selection.BoundingBox().isEmpty());
    EXPECT_FALSE(selection.IsEqual(&selection));
    SmartPtr<DUxLayerStyleAbstract> none;
    selection.GetLayer(none);
    EXPECT_FALSE(none);
    // A pick request's item of it reads back nothing.
    DLxGetDataDatumIdRequest request(4);
    const std::unique_ptr<DLxGetDataItem> item(request.GetItem(&selection));
    DLxDatumIdInstance* read = ids.back();
    ASSERT_TRUE(DLxGetDataSheet::GetDatumIdInstance(item.get(), read));
    EXPECT_EQ(read, nullptr);
}

TEST(SymbolInterfaces, APartListsColumnsAreCopiedWhereTheCallerAsks) {
    ExampleDoc d("partslist.txt");
    auto* comp = d.Interface<IFxBalloonComp>(UTxGuidForIFxBalloonComp());
    ASSERT_NE(comp, nullptr);
    const std::vector<DLxPartListTable*> tables = d.All<DLxPartListTable>();
    ASSERT_FALSE(tables.empty());
    DLxTableStatePartlist* state = tables[0]->GetPartListTableState().get();
    const DUxTableColumnList& originals = state->GetOriginalColumns();
    ASSERT_FALSE(originals.empty());
    for (const bool transient : {true, false}) {
        SCOPED_TRACE(transient);
        DUxTableColumnList columns;
        ASSERT_TRUE(comp->GetPartListColumns(tables[0], columns, transient));
        ASSERT_EQ(columns.size(), originals.size());
        for (size_t i = 0; i < columns.size(); ++i) {
            ASSERT_TRUE(columns[i]);
            EXPECT_NE(columns[i].get(), originals[i].get()) << "a copy";
            EXPECT_EQ(typeid(*columns[i].get()), typeid(*originals[i].get()));
            EXPECT_EQ(RSe::SegmentOf(columns[i].get()),
                      transient ? RSe::TransientSegment(true) : RSe::SegmentOf(state));
        }
        DUxTableStyle::ClearColumns(columns);
    }
    DUxTableColumnList kept{originals.front()};
    EXPECT_FALSE(comp->GetPartListColumns(nullptr, kept, true));
    EXPECT_EQ(kept.size(), 1u);
    ExampleDoc other("datums.txt");
    EXPECT_FALSE(comp->GetPartListColumns(other.All<DLxDatumIdInstance>().front(), kept, true));
    EXPECT_EQ(kept.size(), 1u);
}
