// Balloons placed through their creation requests on the example drawing: the row a picked
// edge or a cookie names, refusals that leave the drawing as it was, the transcript record (and
// its older form), replay, undo and the clipboard.
#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "BofM/DLxPartListData.h"
#include "BofM/DLxPartListPlacement.h"
#include "Clipboard.h"
#include "KorvuTestSupport.h"
#include "Leader/DLxLeaderUtils.h"
#include "Request/DLxCreateBalloonSymRequest.h"
#include "Standard/DLxCBalloon.h"
#include "Standard/DLxStdStyles.h"
#include "TstBalloonDrawing.h"
#include "WinModule.h"
#include "Symbol/DLxBalloonSymInstance.h"
#include "Symbol/DLxBalloonSymInstanceONKTranslator.h"
#include "Symbol/DLxBalloonSymState.h"
#include "Symbol/DLxBalloonSymUtil.h"
#include "dl/DLxAnchorPoint.h"
#include "dl/DLxConfiguration.h"
#include "dl/DLxDragDropData.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxEdgeGeometryProxy.h"
#include "dl/DLxLocalBOM.h"
#include "dl/DLxLocalBOMMgr.h"
#include "dl/DLxModelFile.h"
#include "dl/DLxSheet.h"
#include "dl/DLxStructureNode.h"
#include "dl/DLxTagManager.h"
#include "dl/DLxViewInstance.h"
#include "du/DUxBalloonStyle.h"
#include "du/DUxLeaderNodeTree.h"
#include "du/DUxTableStyleColumn.h"
#include "du/DUxSymStyleWrapUtils.h"
#include "fw/FWxTranscriptMgr.h"
#include "fw/FWxUtil.h"
#include "rse/RSe.h"
#include "rse/RSeDatabase.h"
#include "rse/RSeTransaction.h"
#include "sm/SMxDisplayItem.h"
#include "sm/SMxDisplayList.h"

namespace {

using Bytes = std::vector<uint8_t>;
using Dir = DLxBomStdInfo::EDirection;

std::string Example(const char* name) {
    if (const char* data = std::getenv("KORVU_TEST_DATA"))
        return std::string(data) + "/../examples/" + name;
    return (std::filesystem::path(__FILE__).parent_path() / "../../../examples" / name).string();
}

// The example drawing as the program starts it: the model's sheet and views, the document's
// styles and the model's parts list (so the structured bill exists).
struct BalloonDoc {
    std::unique_ptr<DLxDrawingDoc> doc;
    DLxSheet* sheet = nullptr;
    DLxViewInstance* front = nullptr;

    BalloonDoc() {
        const UTxResult r = DLxModelFile::Load(Example("assembly.json"), doc);
        EXPECT_FALSE(r.Failed()) << r.GetMessageUtf8();
        if (!doc) return;
        DLxStdStyles::AddDocumentStyles(doc.get());
        EXPECT_TRUE(DLxPartListPlacement::PlaceModelPartsLists(doc.get()));
        // The drawing's balloon style, showing the ITEM column.
        DUxBalloonStyle* style = DLxStdStyles::GetBalloonStyle(doc.get());
        DUxTableStylePartsListColumn* item = DUxTableStylePartsListColumn::New(nullptr);
        *item->GetPropertyID() = TstBalloon::Prop(u"1", u"ITEM");
        style->SetItems({RSeRef<DUxTableStyleColumn>(item)});
        RSe::DeleteObject(item);
        sheet = doc->GetSheets().front();
        front = sheet->FindView(u"Front");
    }
    DLxLocalBOM* Bill() const { return DLxLocalBOMMgr::GetAnyLocalBOM(doc->GetRSeDb()); }
    DLxLocalBOMCookie RowOf(const std::vector<int32_t>& occurrence) const {
        return Bill()->CookieOfOccurrencePath(occurrence);
    }
    RSeRef<DLxStructureNode> NodeOf(const std::vector<int32_t>& occurrence) const {
        return RSeRef<DLxStructureNode>(
            Bill()->GetConfiguration(true)->GetTagManager(true)->FindNode(occurrence));
    }
    // The view makes an edge's proxy when first asked: in a transaction that is then thrown
    // away, so that asking leaves the drawing as it was.
    WqGePoint3d OnEdge(int32_t edge, double param) const {
        WqGePoint3d p;
        doc->GetRSeDb()->BeginTxn();
        EXPECT_TRUE(front->FindEdgeProxy(edge)->EvalPoint(param, p));
        doc->GetRSeDb()->AbortTxn();
        return p;
    }
    std::vector<DLxBalloonSymInstance*> Balloons() const {
        std::vector<DLxBalloonSymInstance*> out;
        for (const RSeRef<RDxNode>& r : sheet->GetNodes())
            if (auto* b = dynamic_cast<DLxBalloonSymInstance*>(r.GetTarget())) out.push_back(b);
        return out;
    }
    // A balloon on edge `edge` of the front view (at its middle), its root 20 up and 20 left.
    UTxResult OnEdgeOf(int32_t edge, const DLxLocalBOMCookie& cookie = {},
                       Dir direction = DLxBomStdInfo::kRight) {
        const WqGePoint3d end = OnEdge(edge, 0.5);
        return Place(DLxIntent::OnEdge(front, edge, 0.5), {end, {end.x - 20, end.y + 20, 0}},
                     cookie, direction);
    }
    UTxResult Place(const DLxIntent& intent, const std::vector<WqGePoint3d>& points,
                    const DLxLocalBOMCookie& cookie = {}, Dir direction = DLxBomStdInfo::kRight) {
        DLxPartListData setup(doc.get());
        setup.SetSchemeIDRaw(1);
        return doc->ProcessChangeRequest(new DLxCreateBalloonSymLocalBOMRequest(
            intent, points, 0, &setup, direction, cookie, {}, {}));
    }
    Bytes Save() const {
        Bytes bytes;
        EXPECT_FALSE(doc->GetRSeDb()->SaveToBuffer(bytes).Failed());
        return bytes;
    }
};

UTxString16 TagOf(DLxBalloonSymInstance* balloon) {
    UTxString16 tag;
    EXPECT_TRUE(DLxBalloonSymUtil::GetBalloonTag(balloon->GetBalloonSymState(),
                                                 balloon->GetBalloon(), tag));
    return tag;
}

// The texts a display list draws, its children's included.
void CollectTexts(const SMxDisplayList& list, std::vector<UTxString16>& out) {
    for (const SMxDisplayItem& item : list) {
        if (const auto* t = item.As<SMxTextItem>()) out.push_back(t->text);
        if (const auto* c = item.As<SMxChildItem>()) CollectTexts(c->list, out);
    }
}
std::vector<UTxString16> DrawnTexts(DLxBalloonSymInstance* balloon) {
    std::vector<UTxString16> out;
    if (const SMxDisplayList* list = balloon->GetDisplayList()) CollectTexts(*list, out);
    return out;
}

class BalloonCreate : public ::testing::Test {
protected:
    FWxTranscriptMgr& mgr = FWxUtil::GetTranscriptMgr();
    // The module registers its requests when it is loaded.
    void SetUp() override {
        const std::filesystem::path bin = std::filesystem::path(KORVU_BIN).parent_path();
        m_module = LoadLibraryW(UTx::MakeWideString((bin / "libkorvu.so").string()).c_str());
        ASSERT_NE(m_module, nullptr);
        mgr.SetKeepLines(true);
        mgr.ClearLines();
        WinClipboardResetForTests();
    }
    void TearDown() override {
        mgr.ClearLines();
        if (m_module) FreeLibrary(m_module);
    }
    UTxString16 OnlyLine() const {
        EXPECT_EQ(mgr.GetLines().size(), 1u);
        return mgr.GetLines().empty() ? UTxString16() : mgr.GetLines().back();
    }
    HMODULE m_module = nullptr;
};

TEST_F(BalloonCreate, ABalloonOnAnEdgeNumbersTheRowOfTheEdgesComponent) {
    struct Case {
        int32_t edge;
        std::vector<int32_t> occurrence;
    };
    // The bracket, a bolt and a part inside the collar sub-assembly.
    for (const Case& c : {Case{1, {1}}, Case{52, {5}}, Case{41, {18, 19}}}) {
        SCOPED_TRACE(c.edge);
        BalloonDoc d;
        mgr.ClearLines();
        const UTxResult r = d.OnEdgeOf(c.edge);
        ASSERT_FALSE(r.Failed()) << r.GetMessageUtf8();
        ASSERT_EQ(d.Balloons().size(), 1u);
        DLxBalloonSymInstance* b = d.Balloons()[0];
        EXPECT_EQ(b->GetStructureNode().get(), d.NodeOf(c.occurrence).get());
        EXPECT_FALSE(b->GetCookie().IsValid());
        EXPECT_EQ(TagOf(b), d.Bill()->ItemNumberOf(d.RowOf(c.occurrence)));
        EXPECT_FALSE(TagOf(b).empty());
        EXPECT_EQ(DrawnTexts(b), std::vector<UTxString16>{TagOf(b)});
        EXPECT_EQ(b->GetBalloonSymState()->GetLocalBOM().get(), d.Bill());
        EXPECT_TRUE(d.Bill()->IsRelatedAnnotation(b));
        DLxAnchorPoint* anchor = DLxLeaderUtils::GetAnchorPoint(b->GetLeader(0), 0);
        ASSERT_NE(anchor, nullptr);
        EXPECT_TRUE(anchor->IsOnEdge());
        EXPECT_NEAR(anchor->GetPoint().x, d.OnEdge(c.edge, 0.5).x, 1e-9);
        EXPECT_NEAR(anchor->GetPoint().y, d.OnEdge(c.edge, 0.5).y, 1e-9);
        EXPECT_EQ(OnlyLine().rfind(u"CreateBalloonSymbolLocalBOM ", 0), 0u);
    }
}

TEST_F(BalloonCreate, ACookieChoosesTheRowWhereverThePickIs) {
    BalloonDoc d;
    const DLxLocalBOMCookie bolt = d.RowOf({5});
    // Picked on the bracket's edge, and free beside the view.
    for (const DLxIntent& pick :
         {DLxIntent::OnEdge(d.front, 1, 0.25), DLxIntent::Free({60, 250, 0}, d.front)}) {
        BalloonDoc fresh;
        DLxIntent at = pick.IsOnEdge() ? DLxIntent::OnEdge(fresh.front, 1, 0.25)
                                       : DLxIntent::Free({60, 250, 0}, fresh.front);
        ASSERT_FALSE(fresh.Place(at, {at.GetPoint(), {40, 270, 0}}, bolt).Failed());
        ASSERT_EQ(fresh.Balloons().size(), 1u);
        DLxBalloonSymInstance* b = fresh.Balloons()[0];
        EXPECT_EQ(b->GetCookie(), bolt);
        EXPECT_FALSE(b->GetStructureNode().HasTarget());
        EXPECT_EQ(TagOf(b), fresh.Bill()->ItemNumberOf(bolt));
    }
}

TEST_F(BalloonCreate, APickOnNoComponentWithoutACookiePlacesNothing) {
    BalloonDoc d;
    const Bytes before = d.Save();
    const UTxResult r = d.Place(DLxIntent::Free({60, 250, 0}, d.front), {{60, 250, 0}});
    EXPECT_FALSE(r.Failed()) << r.GetMessageUtf8();
    EXPECT_TRUE(d.Balloons().empty());
    EXPECT_EQ(d.Save(), before);
}

// Lines that name no view, a style of another kind, no stacking direction, a row the bill does
// not have, or an edge the view does not have (found only after the balloon is made): each is
// refused, journals nothing and leaves the drawing's bytes as they were.
TEST_F(BalloonCreate, ARefusedRequestLeavesTheDrawingAsItWas) {
    BalloonDoc probe;
    const UTxString16 view = mgr.StringFromRef(RSeRef<DLxViewInstance>(probe.front));
    const UTxString16 frameStyle = mgr.StringFromRef(
        RSeRef<RSeIDed>(DUxSymStyleWrapUtils::GetDocumentFCFStyle(probe.doc.get())));
    const UTxString16 bolt = probe.RowOf({5}).Key();
    auto line = [&](const UTxString16& intentView, int32_t edge, const UTxString16& cookie,
                    int32_t direction, const UTxString16& style) {
        return u"CreateBalloonSymbolLocalBOM Arrow=0 Intent=" + intentView +
               u" Intent_Edge=" + UTx::MakeWideString(std::to_string(edge)) +
               u" Intent_Param=0.5 Intent_Point=(60.0,250.0,0.0) LeaderPoints_Count=2"
               u" LeaderPoints_0=(100.0,190.0,0.0) LeaderPoints_1=(80.0,210.0,0.0) Direction=" +
               UTx::MakeWideString(std::to_string(direction)) + u" Cookie=\"" + cookie +
               u"\" BalloonStyle=" + style + u" LayerStyle=null SchemeID=1";
    };
    const UTxString16 viewRef = u"@\"" + view + u"\"";
    const UTxString16 styleRef = u"@\"" + frameStyle + u"\"";
    // The good line, to be sure the faults alone make the difference.
    {
        BalloonDoc d;
        mgr.ClearLines();
        const UTxResult r = mgr.ReplayLine(d.doc.get(), line(viewRef, 1, u"", 4, u"null"));
        ASSERT_FALSE(r.Failed()) << r.GetMessageUtf8();
        EXPECT_EQ(d.Balloons().size(), 1u);
    }
    struct Case {
        const char* what;
        UTxString16 text;
    };
    const Case cases[] = {
        {"no view", line(u"null", 0, bolt, 4, u"null")},
        {"a style of another kind", line(viewRef, 1, u"", 4, styleRef)},
        {"no stacking direction", line(viewRef, 1, u"", 5, u"null")},
        {"a row the bill does not have", line(viewRef, 1, u"c999", 4, u"null")},
        {"an edge the view does not have", line(viewRef, 999, bolt, 4, u"null")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        BalloonDoc d;
        const Bytes before = d.Save();
        mgr.ClearLines();
        EXPECT_TRUE(mgr.ReplayLine(d.doc.get(), c.text).Failed());
        EXPECT_TRUE(mgr.GetLines().empty());
        EXPECT_TRUE(d.Balloons().empty());
        EXPECT_EQ(d.Save(), before);
    }
}

TEST_F(BalloonCreate, TheJournalledLineReplaysToTheSameDrawingAndUndoGivesTheOldOneBack) {
    BalloonDoc d;
    const Bytes before = d.Save();
    // Seventeen points: the keys run 0 to f, then 10.
    const WqGePoint3d end = d.OnEdge(52, 0.5);
    std::vector<WqGePoint3d> points{end};
    for (int i = 1; i < 17; ++i)
        points.push_back({end.x + 3 * i, end.y + 2 * i, 0});
    mgr.ClearLines();
    ASSERT_FALSE(d.Place(DLxIntent::OnEdge(d.front, 52, 0.5), points).Failed());
    const UTxString16 journalled = OnlyLine();
    FWxTranscriptLine parsed;
    ASSERT_FALSE(FWxTranscriptMgr::ParseLine(journalled, parsed).Failed());
    std::vector<std::u16string> keys;
    for (const FWxTranscriptPair& p : parsed.pairs)
        keys.emplace_back(p.key);
    auto at = [&](const std::u16string& key) {
        return std::find(keys.begin(), keys.end(), key) - keys.begin();
    };
    EXPECT_EQ(parsed.Find(u"LeaderPoints_Count")->GetInt(), 17);
    EXPECT_LT(at(u"LeaderPoints_f"), at(u"LeaderPoints_10"));
    EXPECT_EQ(at(u"LeaderPoints_11"), std::ptrdiff_t(keys.size()));
    for (const char16_t* key : {u"Arrow", u"Intent", u"LeaderPoints_Count", u"Direction",
                                u"Cookie", u"BalloonStyle", u"LayerStyle", u"SchemeID", u"Snap"})
        EXPECT_LT(at(key), std::ptrdiff_t(keys.size())) << UTx::ToUtf8(key);
    EXPECT_LT(at(u"Arrow"), at(u"Intent"));
    EXPECT_LT(at(u"Cookie"), at(u"BalloonStyle"));
    EXPECT_LT(at(u"LayerStyle"), at(u"Snap"));

    BalloonDoc replayed;
    mgr.ClearLines();
    const UTxResult r = mgr.ReplayLine(replayed.doc.get(), journalled);
    ASSERT_FALSE(r.Failed()) << r.GetMessageUtf8();
    EXPECT_EQ(OnlyLine(), journalled);
    EXPECT_EQ(replayed.Save(), d.Save());

    ASSERT_FALSE(d.doc->Undo().Failed());
    EXPECT_EQ(d.Save(), before);
    ASSERT_FALSE(d.doc->Redo().Failed());
    EXPECT_EQ(d.Save(), replayed.Save());
}

TEST_F(BalloonCreate, TheDirectionComesFromTheLeaderUnlessThereIsNone) {
    struct Case {
        const char* what;
        bool snap;
        std::vector<WqGePoint3d> points; // relative to the end on the edge
        Dir asked, expected;
    };
    const Case cases[] = {
        {"no points: as asked", true, {}, DLxBomStdInfo::kLeft, DLxBomStdInfo::kLeft},
        {"root up and left: leftwards", true, {{0, 0, 0}, {-20, 20, 0}}, DLxBomStdInfo::kRight,
         DLxBomStdInfo::kLeft},
        {"root up and right: rightwards", true, {{0, 0, 0}, {20, 20, 0}}, DLxBomStdInfo::kLeft,
         DLxBomStdInfo::kRight},
        {"unsnapped", false, {{0, 0, 0}, {20, 20, 0}}, DLxBomStdInfo::kLeft,
         DLxBomStdInfo::kRight},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        BalloonDoc d;
        const WqGePoint3d end = d.OnEdge(1, 0.5);
        std::vector<WqGePoint3d> points;
        for (const WqGePoint3d& p : c.points)
            points.push_back({end.x + p.x, end.y + p.y, 0});
        DLxPartListData setup(d.doc.get());
        SmartPtr<DLxCreateBalloonSymLocalBOMRequest> request(
            new DLxCreateBalloonSymLocalBOMRequest(DLxIntent::OnEdge(d.front, 1, 0.5), points, 0,
                                                   &setup, c.asked, {}, {}, {}, false, c.snap));
        ASSERT_FALSE(d.doc->ProcessChangeRequest(request).Failed());
        EXPECT_EQ(request->GetDirection(), c.expected);
        ASSERT_EQ(d.Balloons().size(), 1u);
        EXPECT_EQ(d.Balloons()[0]->GetBalloon()->direction(), c.expected);
        EXPECT_EQ(request->GetPoints(), points);
    }
}

TEST_F(BalloonCreate, AnOlderLineWithoutSnapReadsWithSnappingOn) {
    BalloonDoc d;
    mgr.ClearLines();
    ASSERT_FALSE(d.OnEdgeOf(1).Failed());
    UTxString16 line = OnlyLine();
    const size_t snap = line.find(u" Snap=");
    ASSERT_NE(snap, UTxString16::npos);
    line.erase(snap);
    SmartPtr<DLxCreateBalloonSymLocalBOMRequest> read(new DLxCreateBalloonSymLocalBOMRequest);
    BalloonDoc other;
    ASSERT_FALSE(read->InitFromTranscript(other.doc.get(), line).Failed());
    EXPECT_TRUE(read->GetSnap());
    EXPECT_EQ(read->GetPartListData().GetSchemeID(), 1);
}

// The request works on its own copy of the setup: the command's may be gone by the time the
// request runs.
TEST_F(BalloonCreate, TheRequestKeepsItsOwnSetup) {
    BalloonDoc d;
    auto setup = std::make_unique<DLxPartListData>(d.doc.get());
    setup->SetSchemeIDRaw(1);
    const WqGePoint3d end = d.OnEdge(1, 0.5);
    SmartPtr<FWxChangeRequest> request(new DLxCreateBalloonSymLocalBOMRequest(
        DLxIntent::OnEdge(d.front, 1, 0.5), {end, {end.x - 20, end.y + 20, 0}}, 0, setup.get(),
        DLxBomStdInfo::kRight, {}, {}, {}));
    setup.reset();
    ASSERT_FALSE(d.doc->ProcessChangeRequest(request).Failed());
    EXPECT_EQ(d.Balloons().size(), 1u);
}

TEST_F(BalloonCreate, UndoingACopiedBalloonsCreationEmptiesTheClipboard) {
    BalloonDoc d;
    ASSERT_FALSE(d.OnEdgeOf(1).Failed());
    ASSERT_EQ(d.Balloons().size(), 1u);
    const uint32_t format = RegisterClipboardFormatW(kDLxSymbolClipboardFormat);
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    SetClipboardData(format,
                     DLxDragDropData::Create(d.doc.get(), {RSeRefBase(d.Balloons()[0])}));
    CloseClipboard();
    ASSERT_FALSE(d.doc->Undo().Failed());
    EXPECT_FALSE(IsClipboardFormatAvailable(format));
}

// A balloon is named by the centre of its primary entry, and that name finds it again among
// other balloons; a name at a point where there is none finds nothing.
TEST_F(BalloonCreate, ABalloonsNameKeyFindsThatBalloon) {
    BalloonDoc d;
    ASSERT_FALSE(d.OnEdgeOf(1).Failed());
    ASSERT_FALSE(d.OnEdgeOf(52).Failed());
    ASSERT_EQ(d.Balloons().size(), 2u);
    for (DLxBalloonSymInstance* b : d.Balloons()) {
        const UTxString16 key = mgr.StringFromRef(RSeRef<DLxBalloonSymInstance>(b));
        SCOPED_TRACE(UTx::ToUtf8(key));
        EXPECT_EQ(key.rfind(u"DLxBalloonSymInstance#", 0), 0u);
        RSeRefBase found;
        ASSERT_FALSE(mgr.RefFromString(d.doc.get(), key, found).Failed());
        EXPECT_EQ(found.GetTarget(), b);
        const WqGePoint3d at = b->GetKeyPoint();
        EXPECT_EQ(DLxBalloonSymInstanceONKTranslator::ObjectFromPoint(d.doc.get(), at), b);
    }
    EXPECT_EQ(DLxBalloonSymInstanceONKTranslator::ObjectFromPoint(d.doc.get(), {5, 5, 0}),
              nullptr);
}

// ---- the older record

TEST(BalloonCreateOlderScheme, TheSchemeFollowsThePartsListAndBalloonModes) {
    struct Case {
        uint32_t mode;
        bool balloonMode;
        int32_t scheme;
    };
    for (const Case& c : {Case{0, false, 2}, Case{0, true, 1}, Case{1, false, 1},
                          Case{1, true, 1}, Case{2, true, 2}, Case{2, false, 2},
                          Case{7, false, 1}}) {
        SCOPED_TRACE(testing::Message() << c.mode << " " << c.balloonMode);
        EXPECT_EQ(DLxCreateBalloonSymRequest::SchemeFor(c.mode, c.balloonMode), c.scheme);
    }
}

class BalloonCreateOlder : public BalloonCreate {
protected:
    static std::u16string Num(double v) {
        char buf[64];
        const auto r = std::to_chars(buf, buf + sizeof buf, v);
        std::string t(buf, r.ptr);
        if (t.find_first_of(".e") == std::string::npos) t += ".0";
        return UTx::MakeWideString(t);
    }
    static std::u16string Point(const WqGePoint3d& p) {
        return u"(" + Num(p.x) + u"," + Num(p.y) + u"," + Num(p.z) + u")";
    }
    // A balloon on the middle of edge 52 (a bolt), its root 20 up and 20 left.
    static UTxString16 OlderLine(const BalloonDoc& d, bool custom, int32_t index) {
        const WqGePoint3d end = d.OnEdge(52, 0.5);
        const UTxString16 view =
            FWxUtil::GetTranscriptMgr().StringFromRef(RSeRef<DLxViewInstance>(d.front));
        return u"CreateBalloonSymbol Arrow=0 Intent=@\"" + view +
               u"\" Intent_Edge=52 Intent_Param=0.5 Intent_Point=(0.0,0.0,0.0)"
               u" LeaderPoints_Count=2 LeaderPoints_0=" +
               Point(end) + u" LeaderPoints_1=" + Point({end.x - 20, end.y + 20, 0}) +
               u" PartListMode=1 BalloonMode=true Direction=4 IsCustom=" +
               UTx::MakeWideString(custom ? "true" : "false") +
               u" CustomIndex=" + UTx::MakeWideString(std::to_string(index)) +
               u" BalloonStyle=null LayerStyle=null";
    }
};

TEST_F(BalloonCreateOlder, AnOlderLineReplaysToTheBalloonTheNewOneMakes) {
    BalloonDoc older, newer;
    mgr.ClearLines();
    const UTxResult r = mgr.ReplayLine(older.doc.get(), OlderLine(older, false, -1));
    ASSERT_FALSE(r.Failed()) << r.GetMessageUtf8();
    ASSERT_EQ(older.Balloons().size(), 1u);
    EXPECT_EQ(OnlyLine().rfind(u"CreateBalloonSymbol ", 0), 0u);

    ASSERT_FALSE(newer.OnEdgeOf(52).Failed());
    EXPECT_EQ(older.Save(), newer.Save());
    EXPECT_EQ(TagOf(older.Balloons()[0]), older.Bill()->ItemNumberOf(older.RowOf({5})));
}

TEST_F(BalloonCreateOlder, ACustomRowIsFoundByItsIndexAndAMissingOnePlacesNothing) {
    for (int32_t index : {-1, 0, 1}) {
        SCOPED_TRACE(index);
        BalloonDoc d;
        // One custom row, made before the balloon as a parts-list edit would.
        DLxLocalBOMCookie custom;
        d.doc->GetRSeDb()->BeginTxn();
        custom = d.Bill()->AddCustom();
        d.doc->GetRSeDb()->CommitTxn();
        const Bytes before = d.Save();
        const UTxResult r = mgr.ReplayLine(d.doc.get(), OlderLine(d, true, index));
        EXPECT_FALSE(r.Failed()) << r.GetMessageUtf8();
        if (index == 0) {
            ASSERT_EQ(d.Balloons().size(), 1u);
            EXPECT_EQ(d.Balloons()[0]->GetCookie(), custom);
        } else {
            EXPECT_TRUE(d.Balloons().empty());
            EXPECT_EQ(d.Save(), before);
        }
    }
}

} // namespace
