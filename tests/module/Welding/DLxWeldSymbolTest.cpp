// Weld symbols: where each standard puts the arrow side and the identification line, the
// reference line's direction and stack, the all-around circle, the edit records, the request's
// refusals, and the round trips (replay, file, undo).
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "KorvuTestSupport.h"
#include "TstDocWriter.h"
#include "WeldTestDoc.h"
#include "Request/DLxCreateWeldSymbolRequest.h"
#include "Standard/DLxStdStyles.h"
#include "Symbol/DLxGDTInstance.h"
#include "Welding/DLxWeldInstance.h"
#include "Welding/DLxWeldInstanceONKTranslator.h"
#include "Welding/DLxWeldSelection.h"
#include "dc/RDxComputeContext.h"
#include "dl/DLxAnchorPoint.h"
#include "dl/DLxDrawing.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxSheet.h"
#include "dl/DLxViewInstance.h"
#include "du/DUxLeaderNode.h"
#include "du/DUxLeaderNodeTree.h"
#include "du/DUxWeldState.h"
#include "fb/FBxObjectEditRecord.h"
#include "fw/FBxObjectNameKey.h"
#include "fw/FWxTranscriptMgr.h"
#include "fw/FWxUtil.h"
#include "ge/BBox.h"
#include "rse/RSeDatabase.h"
#include "sm/SMxDisplayItem.h"
#include "sm/SMxDisplayList.h"

namespace {
using namespace weldtest;


// What a weld state draws about its root, split by part.
struct Drawn {
    SMxDisplayList lines, texts;
    explicit Drawn(W& state) {
        state.GenGraphics(lines, texts, 0, UTxGUID(), false, 0);
    }
    BBox Box(int32_t id) const {
        BBox box;
        for (const SMxDisplayItem& item : lines)
            if (item.GetId() == id) box.extend(item.GetBBox());
        return box;
    }
    std::vector<const SMxDisplayItem*> Items(int32_t id) const {
        std::vector<const SMxDisplayItem*> out;
        for (const SMxDisplayItem& item : lines)
            if (item.GetId() == id) out.push_back(&item);
        return out;
    }
};

// Each standard's weld symbol: ANSI and JIS put the arrow side under the reference line and
// draw no identification line; the others put it above and draw the dashed line below, and
// the other side's symbol sits on that dashed line.
TEST(WeldSymbol, EachStandardPutsTheArrowSideAndTheIdentificationLine) {
    struct Case {
        const char16_t* standard;
        bool arrowAbove;
        bool identLine;
    };
    const Case cases[] = {{u"ANSI", false, false}, {u"BSI", true, true},  {u"DIN", true, true},
                          {u"GB", true, true},     {u"ISO", true, true}, {u"JIS", false, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(UTx::ToUtf8(c.standard));
        WeldDoc d(c.standard);
        ASSERT_FALSE(d.Create().Failed());
        W* state = d.State();
        ASSERT_NE(state, nullptr);
        {
            Drawn drawn(*state);
            const BBox fillet = drawn.Box(W::kSymbolItem);
            ASSERT_FALSE(fillet.isEmpty());
            if (c.arrowAbove) {
                EXPECT_NEAR(fillet.min.y, 0, 1e-9);
                EXPECT_NEAR(fillet.max.y, W::kTextHeight, 1e-9);
            } else {
                EXPECT_NEAR(fillet.max.y, 0, 1e-9);
                EXPECT_NEAR(fillet.min.y, -W::kTextHeight, 1e-9);
            }
            const auto ident = drawn.Items(W::kIdentLineItem);
            ASSERT_EQ(ident.size(), c.identLine ? 1u : 0u);
            if (c.identLine) {
                EXPECT_EQ(ident[0]->GetLineStyle(), 1); // dashed
                EXPECT_NEAR(ident[0]->GetBBox().max.y, -W::kIdentLineGap, 1e-9);
            }
        }
        // The other side's weld: on the other side of the line, on the dashed line where
        // there is one (alone there, the arrow side's weld removed).
        ASSERT_FALSE(d.Edit(d.Weld(), {Weld(u"AddPrimaryArrowWeld", 0),
                                       Weld(u"AddPrimaryOtherWeld", DUxCWeld::kV)})
                         .Failed());
        Drawn other(*state);
        const BBox v = other.Box(W::kSymbolItem);
        const double base = c.identLine ? -W::kIdentLineGap : 0.0;
        if (c.arrowAbove) {
            EXPECT_NEAR(v.max.y, base, 1e-9);
        } else {
            EXPECT_NEAR(v.min.y, base, 1e-9);
        }
    }
}

// A weld on both sides is symmetrical about the continuous line: no dashed line, the two
// symbols mirrored on the line.
TEST(WeldSymbol, WeldsOnBothSidesDropTheIdentificationLine) {
    WeldDoc d(u"ISO");
    ASSERT_FALSE(d.Create({Weld(u"AddPrimaryOtherWeld", DUxCWeld::kFillet)}).Failed());
    Drawn drawn(*d.State());
    EXPECT_TRUE(drawn.Items(W::kIdentLineItem).empty());
    const BBox both = drawn.Box(W::kSymbolItem);
    EXPECT_NEAR(both.max.y, W::kTextHeight, 1e-9);
    EXPECT_NEAR(both.min.y, -W::kTextHeight, 1e-9);
}

// The reference line runs from the root away from the arrow; its tail and notes at the far
// end; stacked sub-weldings above one another, joined at the root.
TEST(WeldSymbol, TheReferenceLineRunsAwayFromTheArrow) {
    for (const bool arrowLeft : {true, false}) {
        SCOPED_TRACE(arrowLeft);
        WeldDoc d;
        const WqGePoint3d root = arrowLeft ? WqGePoint3d(220, 180, 0) : WqGePoint3d(180, 180, 0);
        ASSERT_FALSE(d.Create({Rec(u"NoteText", u"111"), Rec(u"AddSubWeld", 1)}, 0.5, root)
                         .Failed());
        W* state = d.State();
        EXPECT_EQ(state->GetOrientation(), arrowLeft ? 1 : 0);
        Drawn drawn(*state);
        const BBox line = drawn.Box(W::kReferenceLineItem);
        const double length = state->GetReferenceLineLength(0);
        EXPECT_GT(length, 0);
        EXPECT_NEAR(arrowLeft ? line.min.x : line.max.x, 0, 1e-9);
        EXPECT_NEAR(arrowLeft ? line.max.x : -line.min.x, length, 1e-9);
        // Two lines: the second a stack pitch above the first.
        EXPECT_NEAR(line.max.y, W::kStackPitch, 1e-9);
        const BBox tail = drawn.Box(W::kTailItem);
        ASSERT_FALSE(tail.isEmpty());
        EXPECT_LT(tail.max.y, W::kStackPitch / 2); // the first line's tail
        if (arrowLeft) {
            EXPECT_GE(tail.min.x, length - 1e-9);
        } else {
            EXPECT_LE(tail.max.x, -length + 1e-9);
        }
        // Placed on the sheet, the root of the drawing is the leader's root.
        DLxWeldInstance* w = d.Weld();
        WqGePoint3d r, first;
        ASSERT_EQ(w->GetReferencePoints(r, first), 2);
        EXPECT_EQ(r, root);
    }
}

// The all-around circle: its size follows the first sub-welding with an all-around kind.
TEST(WeldSymbol, TheAllAroundDiameterFollowsTheFirstAllAroundSubWelding) {
    struct Case {
        std::vector<int32_t> kinds;
        double diameter;
    };
    const Case cases[] = {
        {{1}, 1.8 * W::kTextHeight},    {{2}, W::kTextHeight},       {{4}, 2 * W::kIdentLineGap},
        {{3, 2}, W::kTextHeight},       {{0, 4, 1}, 2 * W::kIdentLineGap},
        {{0, 3}, 0.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.kinds));
        WeldDoc d;
        Records records;
        for (size_t i = 0; i < c.kinds.size(); ++i) {
            if (i > 0) records.push_back(Rec(u"AddSubWeld", int32_t(i)));
            records.push_back(Rec(u"WeldAllAround", c.kinds[i]));
        }
        ASSERT_FALSE(d.Create(records).Failed());
        EXPECT_DOUBLE_EQ(d.State()->GetAllAroundDiameter(), c.diameter);
        Drawn drawn(*d.State());
        const auto circles = drawn.Items(W::kAllAroundItem);
        if (c.diameter == 0) {
            EXPECT_TRUE(circles.empty());
            continue;
        }
        ASSERT_FALSE(circles.empty());
        const auto* arc = circles[0]->As<SMxArcItem>();
        ASSERT_NE(arc, nullptr);
        EXPECT_DOUBLE_EQ(arc->radius * 2, c.diameter);
        EXPECT_DOUBLE_EQ(arc->center.x, 0.0); // at the root
    }
}

// Edit records, each list applied to a new ISO symbol (a fillet weld on the arrow side).
TEST(WeldSymbol, EditRecordsChangeWhatTheyName) {
    using Check = std::function<void(const W&)>;
    auto sub0 = [](const W& s) -> const DUxCSubWelding& { return *s.subWelding(0); };
    struct Case {
        const char* name;
        Records records;
        Check check;
    };
    const Case cases[] = {
        {"ident line on: the dashed line opposite the arrow side", {Rec(u"WeldIdentLineType", 0), Rec(u"WeldIdentLine", true)},
         [](const W& s) { EXPECT_EQ(s.GetIdentLineType(), W::kIdentLineBelow); }},
        {"ident line off", {Rec(u"WeldIdentLine", false)},
         [](const W& s) { EXPECT_EQ(s.GetIdentLineType(), W::kNoIdentLine); }},
        {"swap twice", {Rec(u"WeldSwap", true), Rec(u"WeldSwap", true)},
         [&](const W& s) { EXPECT_EQ(sub0(s).arrowSidePosition, 1); }},
        {"swap once", {Rec(u"WeldSwap", true)},
         [&](const W& s) { EXPECT_EQ(sub0(s).arrowSidePosition, 0); }},
        {"primary type 0 removes both arrow welds",
         {Weld(u"AddSecondaryArrowWeld", DUxCWeld::kV), Weld(u"AddPrimaryArrowWeld", 0)},
         [&](const W& s) {
             EXPECT_EQ(sub0(s).weldOnArrowSide(true), nullptr);
             EXPECT_EQ(sub0(s).weldOnArrowSide(false), nullptr);
         }},
        {"a secondary toggles whatever type is named",
         {Weld(u"AddPrimaryOtherWeld", DUxCWeld::kBevel),
          Weld(u"AddSecondaryOtherWeld", DUxCWeld::kFillet),
          Weld(u"AddSecondaryOtherWeld", DUxCWeld::kSquare)},
         [&](const W& s) {
             ASSERT_NE(sub0(s).weldOnOtherSide(true), nullptr);
             EXPECT_EQ(sub0(s).weldOnOtherSide(true)->weldType, DUxCWeld::kBevel);
             EXPECT_EQ(sub0(s).weldOnOtherSide(false), nullptr);
         }},
        {"a plug weld takes no secondary",
         {Weld(u"AddSecondaryArrowWeld", DUxCWeld::kV), Weld(u"AddPrimaryArrowWeld", DUxCWeld::kPlug)},
         [&](const W& s) { EXPECT_EQ(sub0(s).weldOnArrowSide(false), nullptr); }},
        {"values by dialog index",
         {Rec(u"WeldPrimaryValuePositions", true), Rec(u"WeldValueIndex", 0),
          Rec(u"WeldValue", u"5"), Rec(u"WeldValueIndex", 3), Rec(u"WeldValue", u"100")},
         [&](const W& s) {
             const DUxCWeld* w = sub0(s).weldOnArrowSide(true);
             EXPECT_EQ(w->values[DUxCWeld::kSize], u"5");
             EXPECT_EQ(w->values[DUxCWeld::kPitch], u"100");
         }},
        {"an index past the table sets nothing",
         {Rec(u"WeldPrimaryValuePositions", true), Rec(u"WeldValueIndex", 21),
          Rec(u"WeldValue", u"5")},
         [&](const W& s) { EXPECT_EQ(sub0(s).weldOnArrowSide(true)->values, DUxCWeld().values); }},
        {"a field the weld type lacks sets nothing",
         {Rec(u"WeldPrimaryValuePositions", true), Rec(u"WeldValueIndex", DUxCWeld::kAngle),
          Rec(u"WeldValue", u"60")},
         [&](const W& s) { EXPECT_EQ(sub0(s).weldOnArrowSide(true)->values, DUxCWeld().values); }},
        {"a value before any listing sets nothing",
         {Rec(u"WeldValueIndex", 0), Rec(u"WeldValue", u"5")},
         [&](const W& s) { EXPECT_EQ(sub0(s).weldOnArrowSide(true)->values, DUxCWeld().values); }},
        {"the secondary's values follow the primary's",
         {Weld(u"AddPrimaryArrowWeld", DUxCWeld::kV), Weld(u"AddSecondaryArrowWeld", DUxCWeld::kFillet),
          Rec(u"WeldPrimaryValuePositions", true), Rec(u"WeldSecondaryValuePositions", true),
          Rec(u"WeldValueIndex", 4), Rec(u"WeldValue", u"60"), Rec(u"WeldValueIndex", 10),
          Rec(u"WeldValue", u"3"), Rec(u"WeldValueIndex", 20), Rec(u"WeldValue", u"1")},
         [&](const W& s) {
             EXPECT_EQ(sub0(s).weldOnArrowSide(true)->values[DUxCWeld::kAngle], u"60");
             EXPECT_EQ(sub0(s).weldOnArrowSide(false)->values[DUxCWeld::kSize], u"3");
             EXPECT_TRUE(sub0(s).weldOnArrowSide(true)->brazing);
         }},
        {"a new sub-welding in front becomes current",
         {Rec(u"AddSubWeld", 0), Rec(u"NoteText", u"141"), Rec(u"SubWeldIndex", 1),
          Rec(u"NoteBox", true)},
         [](const W& s) {
             ASSERT_EQ(s.numOfSubWeldings(), 2);
             EXPECT_EQ(s.subWelding(0)->notes, u"141");
             EXPECT_FALSE(s.subWelding(0)->closedTail);
             EXPECT_TRUE(s.subWelding(1)->closedTail);
             EXPECT_EQ(s.subWelding(0)->arrowSidePosition, s.GetArrowSidePosition());
         }},
        {"deleting another sub-welding keeps the current one",
         {Rec(u"AddSubWeld", 1), Rec(u"DeleteSubweld", 0), Rec(u"FieldWeld", 1)},
         [](const W& s) {
             ASSERT_EQ(s.numOfSubWeldings(), 1);
             EXPECT_EQ(s.subWelding(0)->fieldWeldType, 1);
         }},
        {"prefixes and contours", {Rec(u"WeldArrowPrefix", u"a"), Rec(u"ArrowContourType", 2)},
         [&](const W& s) {
             EXPECT_EQ(sub0(s).weldOnArrowSide(true)->prefix, u"a");
             EXPECT_EQ(sub0(s).weldOnArrowSide(true)->contourType, DUxCWeld::kConvex);
         }},
        {"unknown keys are skipped", {Rec(u"NoSuchKey", 3)},
         [&](const W& s) { EXPECT_EQ(sub0(s).weldOnArrowSide(true)->weldType, DUxCWeld::kFillet); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WeldDoc d;
        ASSERT_FALSE(d.Create().Failed());
        const UTxResult r = d.Edit(d.Weld(), c.records);
        ASSERT_FALSE(r.Failed()) << r.GetMessageUtf8();
        c.check(*d.State());
    }
}

// Lists that name no sub-welding, or edit one they deleted, or leave none, are refused before
// anything changes; so is an edit of something that is not a weld symbol.
TEST(WeldSymbol, TheRequestRefusesWhatItCannotApply) {
    WeldDoc d;
    ASSERT_FALSE(d.Create().Failed());
    const std::vector<uint8_t> before = d.Bytes();
    const Records refused[] = {
        {Rec(u"SubWeldIndex", 1)},
        {Rec(u"SubWeldIndex", -1)},
        {Rec(u"AddSubWeld", 2)},
        {Rec(u"DeleteSubweld", 0)},
        {Rec(u"AddSubWeld", 1), Rec(u"DeleteSubweld", 2)},
        {Rec(u"AddSubWeld", 1), Rec(u"DeleteSubweld", 1), Rec(u"NoteText", u"x")},
    };
    for (const Records& records : refused) {
        SCOPED_TRACE(UTx::ToUtf8(records.back().GetKey()));
        EXPECT_TRUE(d.Edit(d.Weld(), records).Failed());
        EXPECT_TRUE(d.Create(records).Failed());
        EXPECT_EQ(d.Bytes(), before);
    }

    FWxTranscriptMgr& mgr = FWxUtil::GetTranscriptMgr();
    const UTxString16 sheetKey = mgr.StringFromRef(RSeRefBase(d.sheet));
    for (const UTxString16& key :
         {UTxString16(u"DLxWeldInstance#1,1"), sheetKey}) {
        SCOPED_TRACE(UTx::ToUtf8(key));
        DLxCreateWeldSymbolRequest edit;
        ASSERT_FALSE(edit.InitFromTranscript(d.doc.get(), u"CreateWeldSymbol Create=false "
                                                          u"WeldSymbolInstance=\"" +
                                                              key + u"\" ObjectRecordList=[]")
                         .Failed());
        EXPECT_EQ(edit.GetInstance().get(), nullptr);
        EXPECT_TRUE(edit.ValidateInputs(d.doc.get()).Failed());
    }
}

// The weld symbol's leader: a pick at the root is not on it; with a stack of sub-weldings the
// root and its direct children stay.
TEST(WeldSymbol, TheLeaderKeepsTheRootOfAStack) {
    WeldDoc d;
    ASSERT_FALSE(d.Create().Failed());
    DLxWeldInstance* w = d.Weld();
    WqGePoint3d nearRoot(220.05, 180, 0);
    EXPECT_FALSE(w->IsOnLeader(nearRoot, 0));
    // 0.2 along the leader from the root toward the arrow at (200,150).
    const WqGeVector3d along = (WqGePoint3d(200, 150, 0) - WqGePoint3d(220, 180, 0)).normal();
    WqGePoint3d onLeader = WqGePoint3d(220, 180, 0) + along * 0.2 + WqGeVector3d(0.01, 0, 0);
    EXPECT_TRUE(w->IsOnLeader(onLeader, 0));
    EXPECT_LT((onLeader - WqGePoint3d(220, 180, 0)).crossProduct(along).length(), 1e-9);

    for (int32_t id : {1, 2}) // an end and its root alone: both may go
        EXPECT_TRUE(w->CanDeleteSelectedLeader(0, id));

    // A leader with a bend: the root and the bend (its direct child) hold a stack.
    ASSERT_FALSE(d.CreateThrough({{180, 150, 0}, {170, 165, 0}, {150, 175, 0}}, 0.3).Failed());
    DLxWeldInstance* bent = d.Weld(1);
    DUxLeaderNodeTree* tree = bent->GetLeader(0);
    DUxLeaderNode* root = tree->GetRoot();
    ASSERT_EQ(root->GetChildren().size(), 1u);
    DUxLeaderNode* bend = root->GetChildren().front().get();
    ASSERT_EQ(bend->GetChildren().size(), 1u);
    DUxLeaderNode* end = bend->GetChildren().front().get();
    struct Case {
        int32_t subWeldings;
        bool root, bend, end;
    };
    for (const Case& c : {Case{1, true, true, true}, Case{2, false, false, true}}) {
        SCOPED_TRACE(c.subWeldings);
        if (c.subWeldings == 2) {
            ASSERT_FALSE(d.Edit(bent, {Rec(u"AddSubWeld", 1)}).Failed());
        }
        EXPECT_EQ(bent->CanDeleteSelectedLeader(0, root->GetNodeId()), c.root);
        EXPECT_EQ(bent->CanDeleteSelectedLeader(0, bend->GetNodeId()), c.bend);
        EXPECT_EQ(bent->CanDeleteSelectedLeader(0, end->GetNodeId()), c.end);
    }
    // The key point is the middle of the root and the bend.
    WqGePoint3d key;
    ASSERT_TRUE(bent->GetKeyPoint(key));
    EXPECT_EQ(key, WqGePoint3d(160, 170, 0));
}

// The key names the symbol by the middle of its root and the leader's first point; the
// translator finds it there, and nothing where there is no weld symbol.
TEST(WeldSymbol, TheTranslatorFindsTheSymbolItsKeyNames) {
    WeldDoc d;
    ASSERT_FALSE(d.Create().Failed());
    ASSERT_FALSE(d.Create({}, 0.2, {130, 180, 0}).Failed());
    FWxTranscriptMgr& mgr = FWxUtil::GetTranscriptMgr();
    for (size_t i = 0; i < 2; ++i) {
        DLxWeldInstance* w = d.Weld(i);
        const UTxString16 key = mgr.StringFromRef(RSeRefBase(w));
        SCOPED_TRACE(UTx::ToUtf8(key));
        EXPECT_EQ(key.rfind(u"DLxWeldInstance#", 0), 0u);
        RSeRefBase found;
        ASSERT_FALSE(mgr.RefFromString(d.doc.get(), key, found).Failed());
        EXPECT_EQ(found.GetTarget(), w);
    }
    WqGePoint3d key;
    ASSERT_TRUE(d.Weld(0)->GetKeyPoint(key));
    EXPECT_EQ(key, WqGePoint3d(210, 165, 0));
    EXPECT_EQ(DLxWeldInstanceONKTranslator::ObjectFromPoint(d.doc.get(), {400, 20, 0}), nullptr);
    // A pick on the drawn reference line finds the symbol.
    EXPECT_EQ(DLxWeldInstanceONKTranslator::ObjectFromPoint(d.doc.get(), {225, 180, 0}), d.Weld(0));
}

// A session's records replay to the same bytes; the drawing comes back from its file and
// draws; undo of every request gives back the empty drawing.
TEST(WeldSymbol, RoundTripsKeepEverything) {
    FWxTranscriptMgr& mgr = FWxUtil::GetTranscriptMgr();
    mgr.ClearLines();
    WeldDoc d;
    const std::vector<uint8_t> empty = d.Bytes();
    ASSERT_FALSE(d.Create({Weld(u"AddPrimaryOtherWeld", DUxCWeld::kFillet),
                           Rec(u"WeldPrimaryValuePositions", false), Rec(u"WeldValueIndex", 0),
                           Rec(u"WeldValue", u"a5"), Rec(u"FieldWeld", 1)})
                     .Failed());
    ASSERT_FALSE(d.Create({}, 0.2, {130, 180, 0}).Failed());
    ASSERT_FALSE(d.Edit(d.Weld(1), {Rec(u"AddSubWeld", 1), Weld(u"AddPrimaryArrowWeld", DUxCWeld::kU),
                                    Rec(u"NoteText", u"ISO 4063-111"), Rec(u"WeldAllAround", 1),
                                    Rec(u"ArrowContourType", 1),
                                    Rec(u"WeldPrimaryValuePositions", true),
                                    Rec(u"WeldValueIndex", 15), Rec(u"WeldValue", u"M")})
                     .Failed());
    ASSERT_EQ(d.State(1)->subWelding(1)->weldOnArrowSide(true)->finish, u"M");
    const std::vector<uint8_t> full = d.Bytes();
    const std::vector<UTxString16> lines = mgr.GetLines();
    ASSERT_EQ(lines.size(), 3u);

    WeldDoc replay;
    for (const UTxString16& line : lines)
        ASSERT_FALSE(mgr.ReplayLine(replay.doc.get(), line).Failed()) << UTx::ToUtf8(line);
    EXPECT_EQ(replay.Bytes(), full);

    KorvuTempDir dir;
    const std::string path = dir.File("welds.kvd");
    ASSERT_FALSE(d.doc->Save(path).Failed());
    std::unique_ptr<DLxDrawingDoc> loaded;
    const UTxResult r = DLxDrawingDoc::Open(path, loaded);
    ASSERT_FALSE(r.Failed()) << r.GetMessageUtf8();
    std::vector<uint8_t> again;
    ASSERT_FALSE(loaded->GetRSeDb()->SaveToBuffer(again).Failed());
    EXPECT_EQ(again, full);
    DLxSheet* sheet = loaded->GetSheets().front();
    std::vector<DLxWeldInstance*> welds;
    for (const RSeRef<RDxNode>& n : sheet->GetNodes())
        if (auto* w = dynamic_cast<DLxWeldInstance*>(n.GetTarget())) welds.push_back(w);
    ASSERT_EQ(welds.size(), 2u);
    EXPECT_EQ(*welds[1]->GetWeldState()->subWelding(1), *d.State(1)->subWelding(1));
    EXPECT_EQ(welds[0]->GetArrowID(), DLxWeldInstance::kNoFeature);
    welds[1]->MarkEdited(true);
    RDxComputeContext ctx;
    EXPECT_FALSE(sheet->Recompute(ctx).Failed());
    EXPECT_FALSE(welds[1]->GetDisplayList()->IsEmpty());

    for (int round = 0; round < 2; ++round) {
        while (d.doc->CanUndo())
            ASSERT_FALSE(d.doc->Undo().Failed());
        EXPECT_EQ(d.Bytes(), empty);
        while (d.doc->CanRedo())
            ASSERT_FALSE(d.doc->Redo().Failed());
        EXPECT_EQ(d.Bytes(), full);
    }
}

// A symbol made on a weld bead of the model shows the weld symbol the model keeps for that weld
// (its sides swapped for a reversed weld) and keeps the weld's id; one made elsewhere does not.
TEST(WeldSymbol, ASymbolOnAModelWeldTakesTheModelsSymbol) {
    for (const bool reverse : {false, true}) {
        SCOPED_TRACE(reverse);
        WeldDoc d;
        DLxViewEdge bead = DLxViewEdge::Line(1, {-50, 0, 0}, {50, 0, 0});
        bead.weld = 7;
        ASSERT_TRUE(d.view->SetEdges({bead, DLxViewEdge::Line(2, {-50, 40, 0}, {50, 40, 0})}));
        DUxCSubWelding sub;
        DUxCWeld fillet;
        fillet.setWeldType(DUxCWeld::kFillet, 0);
        fillet.prefix = u"a";
        fillet.values[DUxCWeld::kSize] = u"5";
        sub.setWeldOnArrowSide(&fillet, true);
        sub.notes = u"141";
        ASSERT_TRUE(d.view->SetModelWelds({{7, reverse, {sub}}}));
        RDxComputeContext ctx;
        d.sheet->Recompute(ctx);

        // Records of a create on a weld give way to the model's symbol.
        ASSERT_FALSE(d.Create({Rec(u"NoteText", u"mine")}).Failed());
        DLxWeldInstance* onBead = d.Weld(0);
        EXPECT_TRUE(onBead->IsRecovered());
        EXPECT_EQ(onBead->GetArrowID(), 7u);
        EXPECT_EQ(onBead->GetOtherID(), DLxWeldInstance::kNoFeature);
        EXPECT_EQ(onBead->GetFeatureIdFromAnchorEdgeProxy(), 7u);
        const DUxCSubWelding& shown = *onBead->GetWeldState()->subWelding(0);
        EXPECT_EQ(shown.notes, u"141");
        const DUxCWeld* w = reverse ? shown.weldOnOtherSide(true) : shown.weldOnArrowSide(true);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->values[DUxCWeld::kSize], u"5");
        EXPECT_EQ(w->prefix, u"a");
        EXPECT_EQ(reverse ? shown.weldOnArrowSide(true) : shown.weldOnOtherSide(true), nullptr);
        EXPECT_EQ(shown.arrowSidePosition, onBead->GetWeldState()->GetArrowSidePosition());

        const std::vector<uint8_t> before = d.Bytes();
        ASSERT_FALSE(d.doc->ProcessChangeRequest(new DLxCreateWeldSymbolRequest(
                                                     DLxIntent::OnEdge(d.view, 2, 0.5),
                                                     {{200, 190, 0}, {220, 210, 0}}, {}, {}, {}, {}))
                         .Failed());
        DLxWeldInstance* elsewhere = d.Weld(1);
        EXPECT_FALSE(elsewhere->IsRecovered());
        EXPECT_EQ(elsewhere->GetArrowID(), DLxWeldInstance::kNoFeature);
        EXPECT_EQ(elsewhere->GetFeatureIdFromAnchorEdgeProxy(), DLxWeldInstance::kNoFeature);
        ASSERT_FALSE(d.doc->Undo().Failed());
        EXPECT_EQ(d.Bytes(), before);
    }
}

// A view hides the weld symbols recovered from the model's welds and shows them again; the
// others stay; undo and replay follow.
TEST(WeldSymbol, AViewHidesItsRecoveredWeldSymbols) {
    FWxTranscriptMgr& mgr = FWxUtil::GetTranscriptMgr();
    mgr.ClearLines();
    WeldDoc d;
    DLxViewEdge bead = DLxViewEdge::Line(1, {-50, 0, 0}, {50, 0, 0});
    bead.weld = 7;
    ASSERT_TRUE(d.view->SetEdges({bead, DLxViewEdge::Line(2, {-50, 40, 0}, {50, 40, 0})}));
    DUxCSubWelding sub;
    DUxWeldState::SetDefaultSubSymbol(sub);
    ASSERT_TRUE(d.view->SetModelWelds({{7, false, {sub}}}));
    RDxComputeContext ctx;
    d.sheet->Recompute(ctx);
    ASSERT_FALSE(d.Create().Failed());
    ASSERT_FALSE(d.doc->ProcessChangeRequest(new DLxCreateWeldSymbolRequest(
                                                 DLxIntent::OnEdge(d.view, 2, 0.5),
                                                 {{200, 190, 0}, {220, 210, 0}}, {}, {}, {}, {}))
                     .Failed());
    DLxWeldInstance* recovered = d.Weld(0);
    DLxWeldInstance* own = d.Weld(1);
    ASSERT_TRUE(recovered->IsRecovered());
    ASSERT_FALSE(own->IsRecovered());
    const auto shown = [](DLxWeldInstance* w) { return !w->GetDisplayList()->IsEmpty(); };
    const std::vector<uint8_t> before = d.Bytes();

    const auto hide = [&](bool visible) {
        return d.doc->ProcessChangeRequest(
            new DLxWeldSymbolVisibilityRequest(RSeRef<DLxViewInstance>(d.view), visible));
    };
    ASSERT_FALSE(hide(false).Failed());
    EXPECT_FALSE(d.view->GetWeldSymbolsVisible());
    EXPECT_FALSE(shown(recovered));
    EXPECT_TRUE(shown(own));
    const std::vector<uint8_t> hidden = d.Bytes();

    WeldDoc replay;
    ASSERT_TRUE(replay.view->SetEdges(d.view->GetEdges()));
    ASSERT_TRUE(replay.view->SetModelWelds(d.view->GetModelWelds()));
    replay.sheet->Recompute(ctx);
    for (const UTxString16& line : mgr.GetLines())
        ASSERT_FALSE(mgr.ReplayLine(replay.doc.get(), line).Failed()) << UTx::ToUtf8(line);
    EXPECT_EQ(replay.Bytes(), hidden);

    ASSERT_FALSE(d.doc->Undo().Failed());
    EXPECT_EQ(d.Bytes(), before);
    // As a shown sheet does: what shows nothing draws again.
    for (DLxWeldInstance* w : {recovered, own})
        if (!shown(w)) w->MarkEdited(true);
    d.sheet->Recompute(ctx);
    EXPECT_TRUE(shown(recovered));
    ASSERT_FALSE(d.doc->Redo().Failed());
    ASSERT_FALSE(hide(true).Failed());
    EXPECT_TRUE(shown(recovered));

    DLxWeldSymbolVisibilityRequest noView;
    ASSERT_FALSE(noView.InitFromTranscript(d.doc.get(), u"WeldSymbolVisibility IsVisible=true View=null")
                     .Failed());
    EXPECT_TRUE(noView.ValidateInputs(d.doc.get()).Failed());
}

TEST(WeldSymbol, DamagedDrawingsWithWeldsLoadAndDrawOrFailCleanly) {
    WeldDoc d;
    ASSERT_FALSE(d.Create({Weld(u"AddPrimaryOtherWeld", DUxCWeld::kV), Rec(u"NoteText", u"x"),
                           Rec(u"AddSubWeld", 1)})
                     .Failed());
    const std::vector<uint8_t> valid = d.Bytes();
    std::mt19937 rng(20261211);
    for (int round = 0; round < 400; ++round) {
        std::vector<uint8_t> bytes = valid;
        for (int e = 0; e < 1 + int(rng() % 3); ++e)
            bytes[rng() % bytes.size()] ^= uint8_t(1u << (rng() % 8));
        if (round % 10 == 0) bytes.resize(rng() % bytes.size());
        SCOPED_TRACE(round);
        std::unique_ptr<RSeDatabase> db;
        const UTxResult r = RSeDatabase::LoadFromBuffer(bytes.data(), bytes.size(), db);
        if (r.Failed()) {
            EXPECT_FALSE(r.GetMessage().empty());
            continue;
        }
        DLxDrawingDoc doc(std::move(db));
        for (DLxSheet* sheet : doc.GetSheets()) {
            for (const RSeRef<RDxNode>& n : sheet->GetNodes())
                if (RDxNode* node = n.get()) node->MarkEdited(true);
            RDxComputeContext ctx;
            (void)sheet->Recompute(ctx);
            sheet->ClearDiagnoses();
        }
    }
}

// A weld state stored before the finishing method (version 0) loads with none.
TEST(WeldSymbol, AStateOfTheFirstVersionLoadsWithoutFinishingMethods) {
    WeldDoc d;
    ASSERT_FALSE(d.Create().Failed());
    const std::vector<uint8_t> old = TstDocWriter::OneRecord(
        RSe::_GetMeta(static_cast<const W*>(nullptr)), 0, d.State(), [](RSeStream& s) {
            s.Write(int32_t(0));    // orientation
            s.Write(int32_t(2));    // ident line
            s.Write(int32_t(1));    // arrow side above
            s.Write(true);          // recover prefix
            s.Write(false);         // recovered
            s.Write(uint32_t(1));   // one sub-welding
            for (int32_t v : {1, 0, 0, 2, 0}) s.Write(v);
            s.Write(true);          // closed tail
            s.Write(UTxString16(u"141"));
            for (int k = 0; k < 4; ++k) {
                s.Write(k == 0);
                if (k != 0) continue;
                s.Write(uint32_t(DUxCWeld::kFillet));
                s.Write(int32_t(0));
                s.Write(int32_t(DUxCWeld::kFlush));
                s.Write(false);
                s.Write(UTxString16(u"a"));
                for (int f = 0; f < DUxCWeld::kFields; ++f) s.Write(UTxString16(f == 0 ? u"5" : u""));
            }
        });
    std::unique_ptr<RSeDatabase> db;
    const UTxResult r = RSeDatabase::LoadFromBuffer(old.data(), old.size(), db);
    ASSERT_FALSE(r.Failed()) << r.GetMessageUtf8();
    auto* state = dynamic_cast<W*>(db->FindObject(1));
    ASSERT_NE(state, nullptr);
    EXPECT_EQ(state->GetOrientation(), 0);
    EXPECT_EQ(state->GetIdentLineType(), 2);
    ASSERT_EQ(state->numOfSubWeldings(), 1);
    const DUxCSubWelding& sub = *state->subWelding(0);
    EXPECT_EQ(sub.areaDescType, 2);
    EXPECT_EQ(sub.notes, u"141");
    ASSERT_NE(sub.weldOnArrowSide(true), nullptr);
    EXPECT_EQ(sub.weldOnArrowSide(true)->values[DUxCWeld::kSize], u"5");
    EXPECT_EQ(sub.weldOnArrowSide(true)->contourType, DUxCWeld::kFlush);
    EXPECT_EQ(sub.weldOnArrowSide(true)->finish, u"");
    EXPECT_EQ(sub.weldOnOtherSide(true), nullptr);
}

} // namespace
