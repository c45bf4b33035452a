// Leader texts through their request: where the text goes against its leader under the
// dimension style (landing, gap, underline, no landing, a mirrored second leader), the
// transcript record and its replay, undo back to the empty drawing, storage and picking.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "Leader/DLxLeaderTextSymbolSelection.h"
#include "Leader/DLxSymFilters.h"
#include "Leader/DLxTerminalNodeGenerator.h"
#include "Request/DLxLeaderTextRequest.h"
#include "Standard/DLxStdStyles.h"
#include "Symbol/DLxLeaderTextInstance.h"
#include "Symbol/DLxLeaderTextInstanceONKTranslator.h"
#include "dc/RDxComputeContext.h"
#include "dl/DLxAnchorPoint.h"
#include "dl/DLxDrawing.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxSheet.h"
#include "dl/DLxViewInstance.h"
#include "du/DUxDimensionStyle.h"
#include "du/DUxLeaderNode.h"
#include "du/DUxLeaderNodeTree.h"
#include "du/DUxLeaderTextState.h"
#include "du/DUxTextStyle.h"
#include "fw/FBxObjectNameKey.h"
#include "fw/FWxTranscriptMgr.h"
#include "fw/FWxUtil.h"
#include "ge/BBox.h"
#include "rd/RDxString.h"
#include "rse/RSe.h"
#include "rse/RSeDatabase.h"
#include "rse/RSeTransaction.h"
#include "sm/SMxDisplayItem.h"
#include "sm/SMxDisplayList.h"

namespace {

using Tree = DUxLeaderNodeTree;
constexpr double kTol = 1e-9;

RSeRef<RDxString> Text(const char16_t* value, double height = 3.5) {
    auto* s = new (RSe::_GetMeta(static_cast<const RDxString*>(nullptr)), RSe::TransientSegment())
        RDxString();
    s->SetFormattedValue(value, 0x131);
    s->SetTextHeight(height);
    return RSeRef<RDxString>(s);
}

// An ISO drawing with one sheet and a view whose edge 1 runs along y = 150 from x 150 to 250.
struct TextDoc {
    std::unique_ptr<DLxDrawingDoc> doc = std::make_unique<DLxDrawingDoc>();
    DLxSheet* sheet = nullptr;
    DLxViewInstance* view = nullptr;
    std::vector<RSeRef<RDxString>> texts; // the requests' texts, deleted with the fixture

    TextDoc() {
        doc->GetDrawing()->SetStandardName(u"ISO");
        sheet = doc->CreateSheet(u"Sheet 1", 420, 297);
        view = sheet->CreateView(u"Front");
        view->SetViewCenter({200, 150, 0});
        view->SetEdges({DLxViewEdge::Line(1, {-50, 0, 0}, {50, 0, 0})});
        DLxStdStyles::AddDocumentStyles(doc.get());
        RDxComputeContext ctx;
        sheet->Recompute(ctx);
    }
    ~TextDoc() {
        for (RSeRef<RDxString>& t : texts)
            if (RDxString* s = t.get()) RSe::DeleteObject(s);
    }

    // A leader text whose leader ends on the edge at `param` and has its root at `root`.
    UTxResult Create(const char16_t* value, WqGePoint3d root = {220, 190, 0}, double param = 0.5,
                     DUxDimensionStyle* style = nullptr, int32_t overrides = 0) {
        RSeRef<RDxString> text = value ? Text(value) : RSeRef<RDxString>();
        if (value) texts.push_back(text);
        const WqGePoint3d end = {150 + 100 * param, 150, 0};
        return doc->ProcessChangeRequest(new DLxLeaderTextRequest(
            DLxIntent::OnEdge(view, 1, param), text, {end, root}, {}, 28029, true, true,
            RSeRef<DUxDimensionStyle>(style), {}, overrides));
    }
    DLxLeaderTextInstance* Leader(size_t i = 0) const {
        size_t n = 0;
        for (const RSeRef<RDxNode>& r : sheet->GetNodes())
            if (auto* t = dynamic_cast<DLxLeaderTextInstance*>(r.GetTarget()))
                if (n++ == i) return t;
        return nullptr;
    }
    DUxDimensionStyle* Style() const {
        return DUxDimensionStyleWrapper::GetDocumentStyle(doc.get());
    }
    void Recompute(DLxLeaderTextInstance* t) {
        t->MarkEdited(true);
        RDxComputeContext ctx;
        for (int pass = 0; pass < 3 && (pass == 0 || !sheet->IsUpToDate()); ++pass)
            sheet->Recompute(ctx);
    }
    std::vector<uint8_t> Bytes() {
        std::vector<uint8_t> bytes;
        EXPECT_FALSE(doc->GetRSeDb()->SaveToBuffer(bytes).Failed());
        return bytes;
    }
};

// The placed text: the box of its outline.
BBox TextBox(const DLxLeaderTextInstance& t) {
    std::vector<WqGePoint3d> outline;
    BBox box;
    if (t.GetEmblemBoundingBox(outline, 0))
        for (const WqGePoint3d& p : outline)
            box.extend(p);
    return box;
}

// The underlines the leader list holds, in sheet coordinates.
std::vector<const SMxLineItem*> Underlines(const DLxLeaderTextInstance& t) {
    std::vector<const SMxLineItem*> out;
    const SMxDisplayList* list = t.GetDisplayList();
    if (!list || list->ChildCount() == 0) return out;
    for (const SMxDisplayItem& item : list->GetChild(0).list)
        if (DUxLeaderTextState::IsUnderlineItemId(item.GetId()))
            if (const auto* line = item.As<SMxLineItem>()) out.push_back(line);
    return out;
}

WqGePoint3d Root(const DLxLeaderTextInstance& t, int32_t leader = 0) {
    return t.GetLeader(leader)->GetRoot()->GetPoint();
}

// A new leader text sits at the end of its landing, text height and all as given, its
// leader anchored on the edge; the drawing's style of its standard was made for it.
TEST(LeaderTextRequest, ATextSitsAtTheEndOfItsLanding) {
    TextDoc d;
    ASSERT_FALSE(d.Create(u"BREAK EDGE").Failed());
    DLxLeaderTextInstance* t = d.Leader();
    ASSERT_NE(t, nullptr);
    ASSERT_NE(d.Style(), nullptr);
    EXPECT_EQ(d.Style()->GetStyleName(), u"ISO");
    EXPECT_EQ(t->GetFirstAnchor()->GetPoint(), WqGePoint3d(200, 150, 0));
    Tree* leader = t->GetLeader(0);
    EXPECT_EQ(leader->GetLandingPosition(), Tree::kPosX);
    EXPECT_DOUBLE_EQ(leader->GetReferenceLandingLength(),
                     DLxLeaderTextInstance::kDefaultLandingLength);
    EXPECT_TRUE(t->IsSymFlagOn(DLxLeaderTextInstance::kCurrentLayoutFlag));
    EXPECT_TRUE(t->AlwaysHorizontal());
    const BBox box = TextBox(*t);
    ASSERT_FALSE(box.isEmpty());
    EXPECT_NEAR(box.min.x, 220.25, kTol);
    EXPECT_NEAR(box.max.x - box.min.x, 10 * 0.6 * 3.5, kTol);
    EXPECT_EQ(t->GetTextItem(0)->GetFormattedValue(), u"BREAK EDGE");
}

// Where the text goes under each style: the reference line (the underline on the landing,
// else the middle of the top line) level with the landing, a gap only where no underline
// runs on from the landing, and a leader from the right putting the text to the left.
TEST(LeaderTextRequest, TheStyleDecidesGapUnderlineAndSide) {
    struct Case {
        const char* name;
        int32_t underline;
        double gap;
        WqGePoint3d root;
        const char16_t* text;
        double wantLeft; // the text's left (leader from the left) or right (from the right)
        double wantRefY; // the underline's y, or the top line's middle
        bool fromRight;
    };
    const double h = 3.5;
    const Case cases[] = {
        {"plain, gap 2", 0, 2.0, {220, 190, 0}, u"A", 222.25, 190, false},
        {"plain, leader from the right", 0, 2.0, {180, 190, 0}, u"A", 177.75, 190, true},
        {"first line underlined: no gap", 1, 2.0, {220, 190, 0}, u"AB\\PC", 220.25, 190, false},
        {"last line underlined", 4, 0.0, {220, 190, 0}, u"AB\\PC", 220.25, 190, false},
        {"every line underlined", 2, 0.0, {220, 190, 0}, u"AB\\PC", 220.25, 190, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TextDoc d;
        DUxDimensionStyle* style = DLxStdStyles::GetLeaderTextStyle(d.doc.get());
        style->SetLeaderUnderliningType(c.underline);
        style->SetTextGap(c.gap);
        ASSERT_FALSE(d.Create(c.text, c.root).Failed());
        DLxLeaderTextInstance* t = d.Leader();
        const BBox box = TextBox(*t);
        ASSERT_FALSE(box.isEmpty());
        EXPECT_NEAR(c.fromRight ? box.max.x : box.min.x, c.wantLeft, kTol);
        const std::vector<const SMxLineItem*> lines = Underlines(*t);
        if (c.underline == 0) {
            EXPECT_TRUE(lines.empty());
            EXPECT_NEAR(box.max.y - h / 2, c.wantRefY, 1e-6);
            continue;
        }
        ASSERT_EQ(lines.size(), c.underline == 2 ? 2u : 1u);
        // The underline on the landing joins it: it starts where the landing ends.
        const SMxLineItem* onLanding = c.underline == 4 ? lines.back() : lines.front();
        EXPECT_NEAR(onLanding->start.y, c.wantRefY, 1e-6);
        EXPECT_NEAR(std::min(onLanding->start.x, onLanding->end.x), 220.25, 1e-6);
        // The text above the underline of its last line, across it below that of its first.
        if (c.underline == 4) {
            EXPECT_GT(box.min.y, c.wantRefY);
        }
        if (c.underline == 1) {
            EXPECT_LT(box.min.y, c.wantRefY);
        }
    }
}

// Justified to its leader, a text of several lines keeps its lines to the side its leader
// comes from: left under a leader from the left, right under one from the right.
TEST(LeaderTextRequest, AJustifiedTextLinesUpOnItsLeadersSide) {
    for (const bool fromRight : {false, true}) {
        SCOPED_TRACE(fromRight);
        TextDoc d;
        DUxDimensionStyle* style = DLxStdStyles::GetLeaderTextStyle(d.doc.get());
        style->SetJustifyToLeader(true);
        ASSERT_FALSE(d.Create(u"LONG LINE\\PX",
                              fromRight ? WqGePoint3d(180, 190, 0) : WqGePoint3d(220, 190, 0))
                         .Failed());
        DLxLeaderTextInstance* t = d.Leader();
        const SMxDisplayList* list = t->GetDisplayList();
        const SMxDisplayList& text = list->GetChild(list->ChildCount() - 1).list;
        std::vector<BBox> runs;
        for (const SMxDisplayItem& item : text)
            if (item.GetKind() == SMxItemKind::Text) runs.push_back(item.GetBBox());
        ASSERT_EQ(runs.size(), 2u); // one justification of two lines
        const BBox& longLine =
            runs[0].max.x - runs[0].min.x > runs[1].max.x - runs[1].min.x ? runs[0] : runs[1];
        const BBox& shortLine = &longLine == &runs[0] ? runs[1] : runs[0];
        if (fromRight) {
            EXPECT_NEAR(shortLine.max.x, longLine.max.x, 1e-9);
        } else {
            EXPECT_NEAR(shortLine.min.x, longLine.min.x, 1e-9);
        }
        // The reference line runs under the whole text.
        const std::vector<const SMxLineItem*> lines = Underlines(*t);
        ASSERT_EQ(lines.size(), 1u);
        const BBox box = TextBox(*t);
        EXPECT_NEAR(std::fabs(lines[0]->end.x - lines[0]->start.x), box.max.x - box.min.x, 1e-9);
    }
}

// Without a landing the leader loses it on every compute and the text follows the leader's
// first segment, turned upright along it; landing again, the default landing comes back
// where it had gone.
TEST(LeaderTextRequest, WithoutALandingTheTextFollowsTheLeader) {
    TextDoc d;
    DUxDimensionStyle* style = DLxStdStyles::GetLeaderTextStyle(d.doc.get());
    style->SetHasLeaderLanding(false);
    style->SetLeaderUnderliningType(0);
    ASSERT_FALSE(d.Create(u"NOTE", {240, 190, 0}).Failed());
    DLxLeaderTextInstance* t = d.Leader();
    Tree* leader = t->GetLeader(0);
    EXPECT_EQ(leader->GetLandingPosition(), Tree::kNoLanding);
    EXPECT_EQ(leader->GetReferenceLandingLength(), 0.0);
    std::vector<WqGePoint3d> outline;
    ASSERT_TRUE(t->GetEmblemBoundingBox(outline, 0));
    ASSERT_EQ(outline.size(), 4u);
    // The baseline runs along the leader (45 degrees), starting a text gap past the root.
    const WqGeVector3d base = outline[1] - outline[0];
    EXPECT_NEAR(base.x, base.y, 1e-9);
    EXPECT_GT(base.x, 0);
    const WqGePoint3d mid((outline[0].x + outline[3].x) / 2, (outline[0].y + outline[3].y) / 2, 0);
    EXPECT_NEAR(mid.distanceTo(Root(*t)), style->GetTextGap(), 1e-9);
    EXPECT_GT(style->GetTextGap(), 0);

    style->SetHasLeaderLanding(true);
    d.Recompute(t);
    EXPECT_DOUBLE_EQ(leader->GetReferenceLandingLength(),
                     DLxLeaderTextInstance::kDefaultLandingLength);
    EXPECT_EQ(leader->GetLandingPosition(), Tree::kPosX);
}

// A second leader mirrors the first about the middle of the text: its landing faces the
// other way and its root sits at the mirrored landing end.
TEST(LeaderTextInstance, ASecondLeaderMirrorsTheFirst) {
    TextDoc d;
    ASSERT_FALSE(d.Create(u"TWO SIDES").Failed());
    DLxLeaderTextInstance* t = d.Leader();
    RDxFragment* fragment = d.sheet;
    auto* generator = DLxTerminalNodeGenerator::Create(fragment);
    Tree* second = Tree::Create(fragment, generator, {300, 150, 0});
    second->InsertNode(second->GetRoot(), {290, 190, 0});
    t->AppendLeader(second);
    d.Recompute(t);
    const BBox box = TextBox(*t);
    WqGePoint3d e;
    ASSERT_TRUE(t->GetLandingEndPoint(e, 0));
    EXPECT_EQ(second->GetLandingPosition(), Tree::kNegX);
    const BBox placed = t->GetSymState()->GetBoundingBox();
    EXPECT_NEAR(Root(*t, 1).x, placed.min.x + placed.max.x - e.x, 1e-9);
    EXPECT_NEAR(Root(*t, 1).y, e.y, 1e-9);
    EXPECT_FALSE(box.isEmpty());

    // A landing up or down has no mirror: the second leader stays as it is.
    for (Tree::ELandingPos pos : {Tree::kPosY, Tree::kNegY}) {
        SCOPED_TRACE(int(pos));
        t->GetLeader(0)->SetLandingPosition(pos);
        const WqGePoint3d kept = Root(*t, 1);
        const Tree::ELandingPos keptPos = second->GetLandingPosition();
        d.Recompute(t);
        EXPECT_EQ(t->GetLeader(0)->GetLandingPosition(), pos);
        EXPECT_EQ(Root(*t, 1), kept);
        EXPECT_EQ(second->GetLandingPosition(), keptPos);
    }
}

// The request's short form, a missing text and the colour the user chose.
TEST(LeaderTextRequest, DefaultsEmptyTextAndColourOverride) {
    TextDoc d;
    const WqGePoint3d end(200, 150, 0);
    DLxLeaderTextRequest shortForm(DLxIntent::OnEdge(d.view, 1, 0.5), {}, {end, {220, 190, 0}}, {},
                                   {});
    EXPECT_EQ(shortForm.GetArrowId(), 28029u);
    EXPECT_TRUE(shortForm.GetDisplayLeader());
    EXPECT_TRUE(shortForm.GetHorizontal());
    EXPECT_EQ(shortForm.GetOverrideFlags(), 0);

    // Without a text: an empty one, and the leader is still placed.
    ASSERT_FALSE(d.Create(nullptr).Failed());
    DLxLeaderTextInstance* empty = d.Leader(0);
    ASSERT_NE(empty->GetTextItem(0), nullptr);
    EXPECT_TRUE(empty->GetTextItem(0)->GetFormattedValue().empty());
    EXPECT_GT(empty->GetTextItem(0)->GetTextHeight(), 0);
    EXPECT_EQ(empty->GetLeader(0)->GetNumNodes(), 2);

    // A colour of the user's own stays; otherwise the text takes its layer's.
    for (int32_t flags : {0, int32_t(DUxLeaderTextState::kColorModified)}) {
        SCOPED_TRACE(flags);
        RSeRef<RDxString> red = Text(u"RED");
        d.texts.push_back(red);
        const float rgba[4] = {1, 0, 0, 1};
        red->SetColor(rgba);
        red->SetNoColor(false);
        ASSERT_FALSE(d.doc
                         ->ProcessChangeRequest(new DLxLeaderTextRequest(
                             DLxIntent::OnEdge(d.view, 1, 0.2), red, {{170, 150, 0}, {160, 200, 0}},
                             {}, 28029, true, true, {}, {}, flags))
                         .Failed());
        DLxLeaderTextInstance* t = d.Leader(d.texts.size()); // after the empty one
        EXPECT_EQ(t->GetTextItem(0)->GetNoColor(), flags == 0);
        bool own = false, byLayerSet = false, byLayer = false;
        SMxColor color;
        t->GetTextColor(own, color, byLayerSet, byLayer);
        EXPECT_EQ(own, flags != 0);
        if (own) {
            EXPECT_EQ(color, SMxColor::FromRgba(255, 0, 0, 255));
        }
    }
}

// What a request refuses: a document that is not a drawing, points off any sheet, a text
// height no layout can place.
TEST(LeaderTextRequest, ValidationRefusesBadInput) {
    TextDoc d;
    FWxSceneDoc plain;
    DLxLeaderTextRequest notADrawing(DLxIntent::Free({0, 0, 0}), {}, {}, {}, {});
    EXPECT_EQ(notADrawing.ValidateInputs(&plain).GetCode(), 0xE009033Cu);
    EXPECT_EQ(notADrawing.ValidateInputs(nullptr).GetCode(), 0xE009033Cu);

    const WqGePoint3d far(1e300, 0, 0);
    DLxLeaderTextRequest offSheet(DLxIntent::Free({0, 0, 0}), {}, {far}, {}, {});
    EXPECT_TRUE(offSheet.ValidateInputs(d.doc.get()).Failed());
    RSeRef<RDxString> huge = Text(u"HUGE", 1e300);
    d.texts.push_back(huge);
    DLxLeaderTextRequest tooHigh(DLxIntent::Free({0, 0, 0}), huge, {}, {}, {});
    EXPECT_TRUE(tooHigh.ValidateInputs(d.doc.get()).Failed());

    // A record naming something else for its style or layer (the view here) is refused, not
    // read as the default.
    const UTxString16 record =
        u"CreateLeaderTextSymbol ArrowId=28029 Points=[(200,150,0),(220,190,0)] "
        u"LandingPoint=(0,0,0) DisplayLeader=true Intent=@\"DLxViewInstance#Sheet 1/Front\" "
        u"Intent_Edge=1 Intent_Param=0.5 Intent_Point=(0,0,0) String=\"A\" Horizontal=true "
        u"LeaderTextOverrideFlags=0";
    FWxTranscriptMgr& mgr = FWxUtil::GetTranscriptMgr();
    for (const char16_t* styles :
         {u" DimensionStyle=@\"DLxViewInstance#Sheet 1/Front\" LayerStyle=null",
          u" DimensionStyle=null LayerStyle=@\"DLxViewInstance#Sheet 1/Front\""}) {
        SCOPED_TRACE(UTx::ToUtf8(styles));
        EXPECT_TRUE(mgr.ReplayLine(d.doc.get(), record + styles).Failed());
    }
    EXPECT_FALSE(
        mgr.ReplayLine(d.doc.get(), record + u" DimensionStyle=null LayerStyle=null").Failed());
    mgr.ClearLines();
    EXPECT_NE(d.Leader(), nullptr);
    EXPECT_EQ(d.Leader(1), nullptr);
}

// The record written by a session replays to the same drawing; one naming the drawing's own
// leader-text style reads as no style.
TEST(LeaderTextRequest, ARecordReplaysToTheSameDrawing) {
    FWxTranscriptMgr& mgr = FWxUtil::GetTranscriptMgr();
    mgr.ClearLines();
    // A style of its own for the third text, in both drawings.
    auto addOwn = [](TextDoc& doc) {
        DLxDrawing* drawing = doc.doc->GetDrawing();
        DUxDimensionStyle* style = DUxDimensionStyle::CreateStyle(drawing->GetSegment(), u"OWN");
        style->SetTextGap(1.5);
        drawing->AddStyle(style);
        return style;
    };
    TextDoc d;
    DUxDimensionStyle* own = addOwn(d);
    ASSERT_FALSE(d.Create(u"BREAK EDGE\\P0.5 X 45°").Failed());
    ASSERT_FALSE(d.Create(nullptr, {160, 200, 0}, 0.2).Failed());
    ASSERT_FALSE(d.Create(u"SECOND", {240, 120, 0}, 0.8, own).Failed());
    const std::vector<UTxString16> lines = mgr.GetLines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].rfind(u"CreateLeaderTextSymbol ArrowId=28029 Points=", 0), 0u)
        << UTx::ToUtf8(lines[0]);
    for (const char16_t* key :
         {u" LandingPoint=", u" DisplayLeader=true", u" Intent=", u" String=", u" Horizontal=true",
          u" LeaderTextOverrideFlags=0", u" DimensionStyle=", u" LayerStyle="})
        EXPECT_NE(lines[0].find(key), UTxString16::npos) << UTx::ToUtf8(key);

    TextDoc replay;
    addOwn(replay);
    for (const UTxString16& line : lines)
        ASSERT_FALSE(mgr.ReplayLine(replay.doc.get(), line).Failed()) << UTx::ToUtf8(line);
    EXPECT_EQ(replay.Bytes(), d.Bytes());

    EXPECT_NE(lines[2].find(u"DimensionStyle=@\"DUxDimensionStyle#OWN\""), UTxString16::npos);
    UTxString16 naming = lines[2];
    naming.replace(naming.find(u"#OWN"), 4, u"#ISO");
    DLxLeaderTextRequest read;
    ASSERT_FALSE(read.InitFromTranscript(d.doc.get(), naming).Failed());
    EXPECT_FALSE(read.GetDimensionStyle().HasTarget());
    ASSERT_FALSE(read.InitFromTranscript(d.doc.get(), lines[2]).Failed());
    EXPECT_EQ(read.GetDimensionStyle().GetTarget(), own);
    mgr.ClearLines();
}

TEST(LeaderTextRequest, UndoingEveryRequestGivesBackTheEmptyDrawing) {
    TextDoc d;
    const std::vector<uint8_t> empty = d.Bytes();
    ASSERT_FALSE(d.Create(u"ONE").Failed());
    ASSERT_FALSE(d.Create(u"TWO\\PLINES", {160, 200, 0}, 0.2).Failed());
    ASSERT_FALSE(d.Create(nullptr, {240, 120, 0}, 0.8).Failed());
    const std::vector<uint8_t> full = d.Bytes();
    for (int round = 0; round < 2; ++round) {
        while (d.doc->CanUndo())
            ASSERT_FALSE(d.doc->Undo().Failed());
        EXPECT_EQ(d.Bytes(), empty);
        while (d.doc->CanRedo())
            ASSERT_FALSE(d.doc->Redo().Failed());
        EXPECT_EQ(d.Bytes(), full);
    }
}

// Saved and loaded, a drawing with leader texts saves to the same bytes, and its texts draw
// where they were.
TEST(LeaderTextInstance, ADrawingWithLeaderTextsRoundTrips) {
    TextDoc d;
    ASSERT_FALSE(d.Create(u"ROUND\\PTRIP").Failed());
    const BBox before = TextBox(*d.Leader());
    const std::vector<uint8_t> bytes = d.Bytes();
    std::unique_ptr<RSeDatabase> db;
    ASSERT_FALSE(RSeDatabase::LoadFromBuffer(bytes.data(), bytes.size(), db).Failed());
    DLxDrawingDoc loaded(std::move(db));
    std::vector<uint8_t> again;
    ASSERT_FALSE(loaded.GetRSeDb()->SaveToBuffer(again).Failed());
    EXPECT_EQ(again, bytes);

    DLxSheet* sheet = loaded.GetSheets().front();
    DLxLeaderTextInstance* t = nullptr;
    for (const RSeRef<RDxNode>& r : sheet->GetNodes())
        if (auto* found = dynamic_cast<DLxLeaderTextInstance*>(r.GetTarget())) t = found;
    ASSERT_NE(t, nullptr);
    ASSERT_NE(t->GetLeaderTextState(), nullptr);
    EXPECT_EQ(t->GetTextItem(0)->GetFormattedValue(), u"ROUND\\PTRIP");
    // Not drawn since it loaded: no outline yet.
    std::vector<WqGePoint3d> outline;
    EXPECT_FALSE(t->GetEmblemBoundingBox(outline, 0));
    t->MarkEdited(true);
    RDxComputeContext ctx;
    sheet->Recompute(ctx);
    const BBox after = TextBox(*t);
    EXPECT_NEAR(after.min.x, before.min.x, 1e-9);
    EXPECT_NEAR(after.max.y, before.max.y, 1e-9);
}

// Leader texts stored before version 4 held the same placed-symbol part: such a drawing loads,
// draws its texts where they were and saves as the current version.
TEST(LeaderTextInstance, OlderStoredVersionsLoadAsTheCurrentOne) {
    TextDoc d;
    ASSERT_FALSE(d.Create(u"OLDER").Failed());
    const BBox before = TextBox(*d.Leader());
    const std::vector<uint8_t> current = d.Bytes();
    // The meta table names each class (u32 length, UTF-16 name), then its GUID and version.
    const std::u16string name = u"DLxLeaderTextInstance";
    std::vector<uint8_t> pattern;
    for (char16_t c : name) {
        pattern.push_back(uint8_t(c & 0xFF));
        pattern.push_back(uint8_t(c >> 8));
    }
    auto at = std::search(current.begin(), current.end(), pattern.begin(), pattern.end());
    ASSERT_NE(at, current.end());
    const size_t version = size_t(at - current.begin()) + pattern.size() + 16;
    ASSERT_EQ(current[version], 4);
    for (uint8_t v = 0; v < 4; ++v) {
        SCOPED_TRACE(int(v));
        std::vector<uint8_t> old = current;
        old[version] = v;
        std::unique_ptr<RSeDatabase> db;
        const UTxResult r = RSeDatabase::LoadFromBuffer(old.data(), old.size(), db);
        ASSERT_FALSE(r.Failed()) << r.GetMessageUtf8();
        DLxDrawingDoc loaded(std::move(db));
        std::vector<uint8_t> saved;
        ASSERT_FALSE(loaded.GetRSeDb()->SaveToBuffer(saved).Failed());
        EXPECT_EQ(saved, current);
        DLxSheet* sheet = loaded.GetSheets().front();
        for (const RSeRef<RDxNode>& n : sheet->GetNodes())
            if (auto* t = dynamic_cast<DLxLeaderTextInstance*>(n.GetTarget())) {
                t->MarkEdited(true);
                RDxComputeContext ctx;
                sheet->Recompute(ctx);
                const BBox after = TextBox(*t);
                EXPECT_NEAR(after.min.x, before.min.x, 1e-9);
                EXPECT_NEAR(after.min.y, before.min.y, 1e-9);
            }
    }
}

// Loaded from before version 4, texts on a dimension style of their own get the underline
// their leader wants (the first line's under a leader from above) through one style that has
// it, made once for all of them; texts on the drawing's style are left as they are.
TEST(LeaderTextInstance, OlderTextsTakeTheUnderlineTheirLeaderWants) {
    TextDoc d;
    DLxDrawing* drawing = d.doc->GetDrawing();
    DUxDimensionStyle* own = DUxDimensionStyle::CreateStyle(drawing->GetSegment(), u"OWN");
    own->SetLeaderUnderliningType(DUxDimensionStyle::kUnderlineLast);
    own->SetTextGap(1.25);
    drawing->AddStyle(own);
    ASSERT_FALSE(d.Create(u"FROM ABOVE", {220, 120, 0}, 0.5, own).Failed());
    ASSERT_FALSE(d.Create(u"ALSO", {160, 110, 0}, 0.2, own).Failed());
    ASSERT_FALSE(d.Create(u"FROM BELOW", {240, 190, 0}, 0.8, own).Failed());
    ASSERT_FALSE(d.Create(u"DEFAULT", {180, 100, 0}, 0.3).Failed());
    std::vector<uint8_t> bytes = d.Bytes();
    const std::u16string name = u"DLxLeaderTextInstance";
    std::vector<uint8_t> pattern;
    for (char16_t c : name) {
        pattern.push_back(uint8_t(c & 0xFF));
        pattern.push_back(uint8_t(c >> 8));
    }
    auto at = std::search(bytes.begin(), bytes.end(), pattern.begin(), pattern.end());
    ASSERT_NE(at, bytes.end());
    bytes[size_t(at - bytes.begin()) + pattern.size() + 16] = 2;

    std::unique_ptr<RSeDatabase> db;
    const UTxResult r = RSeDatabase::LoadFromBuffer(bytes.data(), bytes.size(), db);
    ASSERT_FALSE(r.Failed()) << r.GetMessageUtf8();
    DLxDrawingDoc loaded(std::move(db));
    std::vector<DLxLeaderTextInstance*> texts;
    for (const RSeRef<RDxNode>& n : loaded.GetSheets().front()->GetNodes())
        if (auto* t = dynamic_cast<DLxLeaderTextInstance*>(n.GetTarget())) texts.push_back(t);
    ASSERT_EQ(texts.size(), 4u);
    auto styleOf = [](DLxLeaderTextInstance* t) {
        return dynamic_cast<DUxDimensionStyle*>(t->GetSymState()->GetStyle());
    };
    DUxDimensionStyle* made = styleOf(texts[0]);
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->GetStyleName(), u"OWN (2)");
    EXPECT_EQ(made->GetLeaderUnderliningType(), DUxDimensionStyle::kUnderlineFirst);
    EXPECT_EQ(made->GetTextGap(), 1.25);
    EXPECT_EQ(loaded.GetDrawing()->FindStyle(made->GetMeta(), u"OWN (2)"), made);
    EXPECT_EQ(styleOf(texts[1]), made);
    ASSERT_NE(styleOf(texts[2]), nullptr);
    EXPECT_EQ(styleOf(texts[2])->GetStyleName(), u"OWN");
    EXPECT_EQ(styleOf(texts[3]), nullptr);
}

// A leader text is named by the centre of its text and its id; a point typed by hand picks
// the text there, and nothing where there is none. A pick on the text itself says so.
TEST(LeaderTextInstance, TheTranslatorAndTheFilterFindTheText) {
    FWxTranscriptMgr& mgr = FWxUtil::GetTranscriptMgr();
    TextDoc d;
    ASSERT_FALSE(d.Create(u"NAMED").Failed());
    DLxLeaderTextInstance* t = d.Leader();
    const UTxString16 key = mgr.StringFromRef(RSeRef<DLxLeaderTextInstance>(t));
    EXPECT_EQ(key.rfind(u"DLxLeaderTextInstance#", 0), 0u) << UTx::ToUtf8(key);
    RSeRefBase found;
    ASSERT_FALSE(
        mgr.ResolveRSeRef(u"T", FWxTranscriptValue::MakeRef(key), d.doc.get(), found).Failed());
    EXPECT_EQ(found.GetTarget(), t);

    const WqGePoint3d centre = t->GetKeyPoint();
    EXPECT_EQ(DLxLeaderTextInstanceONKTranslator::ObjectFromPoint(d.doc.get(), centre), t);
    EXPECT_EQ(DLxLeaderTextInstanceONKTranslator::ObjectFromPoint(d.doc.get(), {10, 10, 0}),
              nullptr);

    DLxLeaderTextSymbolFilter filter(DLxLeaderTextSymbolFilter::ESubType(1));
    SmartPtr<FWxSelection> onText = filter.Select(*t, centre);
    auto* sel = dynamic_cast<DLxLeaderTextSymbolSelection*>(onText.get());
    ASSERT_NE(sel, nullptr);
    EXPECT_EQ(sel->GetLeaderTextSymbol(), t);
    EXPECT_TRUE(sel->GetIsPureText());
    SmartPtr<FWxSelection> onLeader = filter.Select(*t, {210, 170, 0});
    EXPECT_FALSE(dynamic_cast<DLxLeaderTextSymbolSelection*>(onLeader.get())->GetIsPureText());
    EXPECT_EQ(filter.Select(*d.sheet, centre).get(), nullptr);
}

} // namespace
