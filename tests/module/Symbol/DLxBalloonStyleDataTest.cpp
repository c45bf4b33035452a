// The balloon's style data: every answer is the balloon style of its state, read afresh, with
// the defaults when the state names none; balloons keep no anchored offset and take the type
// codes 28 and 29 only.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "Standard/DLxStdStyles.h"
#include "Symbol/DLxBalloonStyleData.h"
#include "dl/DLxDrawing.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxSheet.h"
#include "du/DUxBalloonStyle.h"
#include "du/DUxFeatureControlFrameStyle.h"
#include "du/DUxLeaderStyle.h"
#include "du/DUxLeaderStyleWrapper.h"
#include "du/DUxSymState.h"
#include "du/DUxTableStyleColumn.h"
#include "du/DUxTextStyle.h"
#include "rse/RSe.h"
#include "rse/RSeTransaction.h"

namespace {

class BalloonStyleData : public ::testing::Test {
protected:
    BalloonStyleData()
        : sheet(doc.CreateSheet(u"S", 420, 297)), state(DUxSymState::Create(sheet)),
          data(std::make_unique<DLxBalloonStyleData>(RSeRef<DUxSymState>(state))) {}
    RSeSegment* Seg() { return doc.GetDrawing()->GetSegment(); }

    DLxDrawingDoc doc;
    DLxSheet* sheet;
    DUxSymState* state;
    // Callers hold it as the table callout's interface.
    std::unique_ptr<DLxTableCalloutStyleData> data;
};

TEST_F(BalloonStyleData, WithoutABalloonStyleItAnswersTheDefaults) {
    bool found = true;
    EXPECT_EQ(data->GetBalloonType(&found), DUxBalloonStyle::eCircular);
    EXPECT_FALSE(found);
    EXPECT_EQ(data->GetBalloonType(), DUxBalloonStyle::eCircular);
    EXPECT_EQ(data->GetSize(), 1.0);
    EXPECT_FALSE(data->GetScaleToTextHeight());
    EXPECT_FALSE(data->GetStretchBalloonToText());
    EXPECT_EQ(data->GetTextStyle().get(), nullptr);
    EXPECT_EQ(data->GetLeaderStyle().get(), nullptr);
    EXPECT_EQ(data->GetAltLeaderStyle().get(), nullptr);
    std::vector<RSeRef<DUxTableStyleColumn>> items{RSeRef<DUxTableStyleColumn>()};
    data->GetItems(items);
    EXPECT_TRUE(items.empty());
    EXPECT_EQ(data->GetState().get(), state);
}

TEST_F(BalloonStyleData, ItAnswersTheStatesBalloonStyleAsItIsNow) {
    DUxBalloonStyle* style = DLxStdStyles::GetBalloonStyle(&doc); // ISO: a circle of size 1
    ASSERT_NE(style, nullptr);
    state->SetStyle(style);
    bool found = false;
    EXPECT_EQ(data->GetBalloonType(&found), DUxBalloonStyle::eCircular);
    EXPECT_TRUE(found);
    ASSERT_NE(data->GetTextStyle().get(), nullptr);
    EXPECT_EQ(data->GetTextStyle()->GetFontSize(), style->GetTextStyle().Read()->GetHeight());

    // Changes of the style show at once: nothing is kept.
    DUxLeaderStyle* thin = DUxLeaderStyle::CreateStyle(Seg(), u"Thin");
    thin->SetLineWeight(18);
    DUxLeaderStyle* thick = DUxLeaderStyle::CreateStyle(Seg(), u"Thick");
    thick->SetLineWeight(50);
    DUxTextStyle* large = DUxTextStyle::CreateStyle(Seg(), u"Large");
    large->SetHeight(7.0);
    style->SetDefaultType(DUxBalloonStyle::eTriangle);
    style->SetSize(3.5);
    style->SetScaleToTextHeight(true);
    style->SetStretchBalloonToText(true);
    style->SetTextStyle(RSeRef<DUxTextStyle>(large));
    style->SetLeaderStyle(RSeRef<DUxLeaderStyle>(thin));
    style->SetAltLeaderStyle(RSeRef<DUxLeaderStyle>(thick));
    DUxTableStylePartsListColumn* item = DUxTableStylePartsListColumn::New(nullptr);
    item->GetPropertyID()->SetPropertyID(u"1");
    style->SetItems({RSeRef<DUxTableStyleColumn>(item)});
    RSe::DeleteObject(item);

    EXPECT_EQ(data->GetBalloonType(), DUxBalloonStyle::eTriangle);
    EXPECT_EQ(data->GetSize(), 3.5);
    EXPECT_TRUE(data->GetScaleToTextHeight());
    EXPECT_TRUE(data->GetStretchBalloonToText());
    EXPECT_EQ(data->GetTextStyle()->GetFontSize(), 7.0);
    EXPECT_EQ(data->GetLeaderStyle()->GetLineWeight(), 18);
    EXPECT_EQ(data->GetAltLeaderStyle()->GetLineWeight(), 50);
    std::vector<RSeRef<DUxTableStyleColumn>> items;
    data->GetItems(items);
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].Read(), style->GetItems()[0].Read());

    // A state whose style is of another kind has no balloon style.
    auto* frame = new (RSe::_GetMeta(static_cast<const DUxFeatureControlFrameStyle*>(nullptr)),
                       Seg()) DUxFeatureControlFrameStyle();
    state->SetStyle(frame);
    EXPECT_EQ(data->GetSize(), 1.0);
    data->GetBalloonType(&found);
    EXPECT_FALSE(found);
}

TEST_F(BalloonStyleData, BalloonsKeepNoAnchoredOffsetAndTakeTypeCodes28And29) {
    EXPECT_FALSE(data->KeepsAnchoredOffset());
    const struct {
        int32_t code;
        bool accepted;
    } cases[] = {{27, false}, {28, true}, {29, true}, {30, false}, {0, false}, {-28, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(data->AcceptsTypeCode(c.code), c.accepted);
    }
}

} // namespace
