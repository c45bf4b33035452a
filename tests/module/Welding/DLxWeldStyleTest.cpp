// Weld styles: the drawing's style made with its first weld symbol and what new symbols take
// from it, the gap and all-around circle drawn from it, the symbol's own diameter, storage, and
// the "WeldStyle" key of the create request.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "WeldTestDoc.h"
#include "du/DUxLeaderStyleWrapper.h"
#include "du/DUxSymStyleWrapUtils.h"
#include "du/DUxWeldStyle.h"
#include "fw/FWxTranscriptMgr.h"
#include "fw/FWxUtil.h"
#include "sm/SMxDisplayItem.h"
#include "sm/SMxDisplayList.h"

namespace {
using namespace weldtest;

DUxWeldStyle* DocStyle(WeldDoc& d) {
    return DUxWeldStyleWrapper::GetDocumentStyle(d.doc.get());
}

// The y of the identification line and the diameter of the all-around circle as drawn.
struct Look {
    double identY = NAN;
    double circle = 0;
};
Look Drawn(W& state) {
    SMxDisplayList lines, texts;
    state.GenGraphics(lines, texts, 0, UTxGUID(), false, 0);
    Look look;
    for (const SMxDisplayItem& item : lines) {
        if (item.GetId() == W::kIdentLineItem)
            if (const auto* line = item.As<SMxLineItem>()) look.identY = line->start.y;
        if (item.GetId() == W::kAllAroundItem)
            if (const auto* arc = item.As<SMxArcItem>()) look.circle = 2 * arc->radius;
    }
    return look;
}

TEST(WeldStyle, TheFirstSymbolMakesTheDrawingsStyleAndLaterOnesTakeItsValues) {
    WeldDoc d(u"ANSI");
    const std::vector<uint8_t> empty = d.Bytes();
    EXPECT_EQ(DocStyle(d), nullptr); // drawings without welds carry none
    ASSERT_FALSE(d.Create().Failed());
    DUxWeldStyle* style = DocStyle(d);
    ASSERT_TRUE(style);
    EXPECT_EQ(style->GetStyleName(), u"ANSI");
    EXPECT_EQ(d.State()->GetArrowSidePosition(), 0);
    EXPECT_EQ(d.State()->GetIdentLineType(), W::kNoIdentLine);

    // The symbol takes the style's values, not the standard's rule.
    style->SetArrowSidePosition(1);
    style->SetIdentLineType(W::kIdentLineAbove);
    style->SetRecoverPrefix(false);
    ASSERT_FALSE(d.Create().Failed());
    EXPECT_EQ(d.State(1)->GetArrowSidePosition(), 1);
    EXPECT_EQ(d.State(1)->GetIdentLineType(), W::kIdentLineAbove);
    EXPECT_FALSE(d.State(1)->GetRecoverPrefix());
    // The first symbol keeps what it took.
    EXPECT_EQ(d.State(0)->GetIdentLineType(), W::kNoIdentLine);

    while (d.doc->CanUndo())
        ASSERT_FALSE(d.doc->Undo().Failed());
    EXPECT_EQ(d.Bytes(), empty);
}

TEST(WeldStyle, TheGapAndTheAllAroundCircleComeFromTheStyleUnlessTheSymbolHasItsOwn) {
    WeldDoc d;
    ASSERT_FALSE(d.Create({Rec(u"WeldAllAround", 4)}).Failed());
    W* state = d.State();
    EXPECT_DOUBLE_EQ(Drawn(*state).identY, -W::kIdentLineGap);
    EXPECT_DOUBLE_EQ(Drawn(*state).circle, 2 * W::kIdentLineGap);

    DocStyle(d)->SetIdentLineGap(2.5);
    EXPECT_DOUBLE_EQ(DUxSymStyleWrapUtils::GetWeldStyle(state)->GetIdentLineGap(), 2.5);
    EXPECT_DOUBLE_EQ(Drawn(*state).identY, -2.5);
    EXPECT_DOUBLE_EQ(Drawn(*state).circle, 5.0);

    // The symbol's own diameter, set on its leader style, wins; it is stored with the symbol.
    const SmartPtr<DUxLeaderStyleWrapper> leader = d.Weld()->GetLeaderStyleWrapper();
    ASSERT_TRUE(leader);
    EXPECT_DOUBLE_EQ(leader->GetAllAroundDiameter(), 0.0);
    leader->SetAllAroundDiameter(7.0);
    EXPECT_DOUBLE_EQ(Drawn(*state).circle, 7.0);
    const std::vector<uint8_t> bytes = d.Bytes();
    std::unique_ptr<RSeDatabase> db;
    ASSERT_FALSE(RSeDatabase::LoadFromBuffer(bytes.data(), bytes.size(), db).Failed());
    auto* loaded = dynamic_cast<W*>(db->FindObject(state->GetId()));
    ASSERT_TRUE(loaded);
    EXPECT_DOUBLE_EQ(loaded->GetAllAroundDiameter(), 7.0);
    auto* loadedStyle = dynamic_cast<DUxWeldStyle*>(db->FindObject(DocStyle(d)->GetId()));
    ASSERT_TRUE(loadedStyle);
    EXPECT_DOUBLE_EQ(loadedStyle->GetIdentLineGap(), 2.5);
}

TEST(WeldStyle, TheCreateRecordNamesItsStyleAndOlderRecordsReplayWithTheDrawings) {
    FWxTranscriptMgr& mgr = FWxUtil::GetTranscriptMgr();
    mgr.ClearLines();
    WeldDoc d;
    ASSERT_FALSE(d.Create().Failed());
    ASSERT_EQ(mgr.GetLines().size(), 1u);
    UTxString16 line = mgr.GetLines()[0];
    // Following the drawing's style is journalled as no style.
    const size_t at = line.find(u" WeldStyle=null LayerStyle=");
    ASSERT_NE(at, UTxString16::npos) << UTx::ToUtf8(line);

    // A record older than the key replays with the drawing's style, to the same drawing.
    UTxString16 older = line;
    older.erase(at, UTxString16(u" WeldStyle=null").size());
    WeldDoc replay;
    ASSERT_FALSE(mgr.ReplayLine(replay.doc.get(), older).Failed()) << UTx::ToUtf8(older);
    EXPECT_EQ(replay.Bytes(), d.Bytes());

    // A style the user names is journalled by name and becomes the symbol's own.
    mgr.ClearLines();
    DUxWeldStyle* mine = DUxWeldStyle::CreateStyle(d.doc->GetDrawing()->GetSegment(), u"Mine");
    mine->SetArrowSidePosition(0);
    d.doc->GetDrawing()->AddStyle(mine);
    ASSERT_FALSE(d.doc->ProcessChangeRequest(
                          new DLxCreateWeldSymbolRequest(DLxIntent::OnEdge(d.view, 1, 0.3),
                                                         {{180, 150, 0}, {200, 180, 0}},
                                                         {200, 180, 0}, RSeRef<DUxWeldStyle>(mine),
                                                         {}, {}))
                     .Failed());
    EXPECT_EQ(d.State(1)->GetStyle(), mine);
    EXPECT_EQ(d.State(1)->GetArrowSidePosition(), 0);
    ASSERT_EQ(mgr.GetLines().size(), 1u);
    EXPECT_NE(mgr.GetLines()[0].find(u"WeldStyle=@\"DUxWeldStyle#Mine\""), UTxString16::npos)
        << UTx::ToUtf8(mgr.GetLines()[0]);

    // A name that resolves to another kind of style is refused, not taken as the default.
    UTxString16 wrong = line;
    wrong.replace(at, UTxString16(u" WeldStyle=null").size(),
                  u" WeldStyle=@\"DUxDimensionStyle#ISO\"");
    DLxStdStyles::GetLeaderTextStyle(d.doc.get());
    DLxCreateWeldSymbolRequest request;
    ASSERT_FALSE(request.InitFromTranscript(d.doc.get(), wrong).Failed()) << UTx::ToUtf8(wrong);
    EXPECT_TRUE(request.ValidateInputs(d.doc.get()).Failed());
}

} // namespace
