// Balloon styles: their values, their own item copies, storage (and refusal of a damaged type),
// undo, the documents' collection and name keys, and the wrapper's choice of style and defaults.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "KorvuTestSupport.h"
#include "dl/DLxDrawing.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxSheet.h"
#include "du/DUxBalloonStyle.h"
#include "du/DUxBalloonStyleWrapper.h"
#include "du/DUxFeatureControlFrameStyle.h"
#include "du/DUxLeaderStyle.h"
#include "du/DUxLeaderStyleWrapper.h"
#include "du/DUxSymState.h"
#include "du/DUxSymStyleWrapUtils.h"
#include "du/DUxTableStyleColumn.h"
#include "du/DUxTextStyle.h"
#include "fb/IFxStyles.h"
#include "fw/FWxChangeRequest.h"
#include "rse/RSe.h"
#include "rse/RSeCloneCommander.h"
#include "rse/RSeDatabase.h"
#include "rse/RSeTransaction.h"
#include "uc/UCxTranscriptDataExchange.h"

namespace {

using Bytes = std::vector<uint8_t>;

// Runs a function as the body of one change request, so that it can be undone.
class TstRunRequest : public FWxChangeRequest {
public:
    explicit TstRunRequest(std::function<void()> body) : m_body(std::move(body)) {}
    UTxResult Script(FWxSceneDoc*) override { return {}; }
    UTxResult DoTranscriptDataExchange(UCxTranscriptDataExchange& tdx) override {
        return tdx.GetResult();
    }
    UTxResult _Execute(FWxSceneDoc*) override {
        m_body();
        return {};
    }

private:
    std::function<void()> m_body;
};

class DUxBalloonStyleTest : public ::testing::Test {
protected:
    RSeSegment* Seg() { return doc.GetDrawing()->GetSegment(); }
    Bytes Save() {
        Bytes out;
        EXPECT_FALSE(doc.GetRSeDb()->SaveToBuffer(out).Failed());
        return out;
    }
    DUxTableStylePartsListColumn* NewColumn(const char16_t* id, double width) {
        DUxTableStylePartsListColumn* c = DUxTableStylePartsListColumn::New(Seg());
        c->GetPropertyID()->SetPropertyID(id);
        c->SetWidth(width);
        return c;
    }
    // A style of every value, with the styles it names, all kept by the drawing.
    DUxBalloonStyle* FullStyle(const UTxString16& name) {
        text = DUxTextStyle::CreateStyle(Seg(), u"Balloon text");
        text->SetFontId(3);
        text->SetHeight(5.0);
        leader = DUxLeaderStyle::CreateStyle(Seg(), u"Thin");
        leader->SetColor(SMxColor::FromIndex(5));
        leader->SetLineWeight(18);
        leader->SetLineType(2);
        alt = DUxLeaderStyle::CreateStyle(Seg(), u"Thick");
        alt->SetLineWeight(50);
        EXPECT_TRUE(doc.AddStyle(text));
        EXPECT_TRUE(doc.AddStyle(leader));
        EXPECT_TRUE(doc.AddStyle(alt));
        DUxBalloonStyle* style = DUxBalloonStyle::CreateStyle(Seg(), name);
        style->SetDefaultType(DUxBalloonStyle::eCircularSplit);
        style->SetSize(2.25);
        style->SetScaleToTextHeight(true);
        style->SetStretchBalloonToText(true);
        style->SetOffsetSpacing(0.5);
        style->SetTextStyle(RSeRef<DUxTextStyle>(text));
        style->SetLeaderStyle(RSeRef<DUxLeaderStyle>(leader));
        style->SetAltLeaderStyle(RSeRef<DUxLeaderStyle>(alt));
        DUxTableStylePartsListColumn* item = NewColumn(u"1", 8);
        DUxTableStylePartsListColumn* qty = NewColumn(u"2", 9);
        style->SetItems({RSeRef<DUxTableStyleColumn>(item), RSeRef<DUxTableStyleColumn>(qty)});
        RSe::DeleteObject(item);
        RSe::DeleteObject(qty);
        EXPECT_TRUE(doc.AddStyle(style));
        return style;
    }
    static void ExpectFull(const DUxBalloonStyle& s) {
        EXPECT_EQ(s.GetDefaultType(), DUxBalloonStyle::eCircularSplit);
        EXPECT_EQ(s.GetSize(), 2.25);
        EXPECT_TRUE(s.GetScaleToTextHeight());
        EXPECT_TRUE(s.GetStretchBalloonToText());
        EXPECT_EQ(s.GetOffsetSpacing(), 0.5);
        ASSERT_TRUE(s.GetTextStyle().HasTarget());
        EXPECT_EQ(s.GetTextStyle().Read()->GetStyleName(), u"Balloon text");
        ASSERT_TRUE(s.GetLeaderStyle().HasTarget());
        EXPECT_EQ(s.GetLeaderStyle().Read()->GetLineWeight(), 18);
        ASSERT_TRUE(s.GetAltLeaderStyle().HasTarget());
        EXPECT_EQ(s.GetAltLeaderStyle().Read()->GetLineWeight(), 50);
        ASSERT_EQ(s.GetItems().size(), 2u);
        EXPECT_EQ(s.GetItems()[0].Read()->GetPropertyID()->GetPropertyID(), u"1");
        EXPECT_EQ(s.GetItems()[1].Read()->GetWidth(), 9.0);
        EXPECT_NE(dynamic_cast<const DUxTableStylePartsListColumn*>(s.GetItems()[1].Read()),
                  nullptr);
    }

    DLxDrawingDoc doc;
    DUxTextStyle* text = nullptr;
    DUxLeaderStyle* leader = nullptr;
    DUxLeaderStyle* alt = nullptr;
};

TEST_F(DUxBalloonStyleTest, ANewStyleIsACircleOfSizeOneWithNothingNamed) {
    DUxBalloonStyle* style = DUxBalloonStyle::CreateStyle(Seg(), u"Plain");
    EXPECT_EQ(style->GetStyleName(), u"Plain");
    EXPECT_EQ(style->GetDefaultType(), DUxBalloonStyle::eCircular);
    EXPECT_EQ(style->GetSize(), 1.0);
    EXPECT_FALSE(style->GetScaleToTextHeight());
    EXPECT_FALSE(style->GetStretchBalloonToText());
    EXPECT_EQ(style->GetOffsetSpacing(), 0.0);
    EXPECT_TRUE(style->GetTextStyle().IsNull());
    EXPECT_TRUE(style->GetLeaderStyle().IsNull());
    EXPECT_TRUE(style->GetItems().empty());
    EXPECT_EQ(style->GetEditCount(), 0);
    EXPECT_EQ(DUxBalloonStyle::CreateStyle(Seg(), u"Edited", 1)->GetEditCount(), 1);
    EXPECT_EQ(RSe::SegmentOf(DUxBalloonStyle::CreateStyle(nullptr, u"T")), RSe::TransientSegment());
}

TEST_F(DUxBalloonStyleTest, ItemsGoInAsCopiesAndTheOldOnesGo) {
    DUxBalloonStyle* style = FullStyle(u"ISO");
    ExpectFull(*style);
    const DUxTableStyleColumn* first = style->GetItems()[0].Read();
    const uint32_t firstId = first->GetId();
    EXPECT_EQ(RSe::SegmentOf(first), Seg());
    // The style's own list given back: copies are made before the old ones go.
    style->SetItems({style->GetItems()[1]});
    ASSERT_EQ(style->GetItems().size(), 1u);
    EXPECT_EQ(style->GetItems()[0].Read()->GetWidth(), 9.0);
    EXPECT_EQ(doc.GetRSeDb()->FindObject(firstId), nullptr);
    style->SetItems({});
    EXPECT_TRUE(style->GetItems().empty());
}

TEST_F(DUxBalloonStyleTest, AStyleSavesAndLoadsToTheSameBytesWithItsReferences) {
    const uint32_t id = FullStyle(u"ISO")->GetId();
    const Bytes bytes = Save();
    std::unique_ptr<RSeDatabase> back;
    ASSERT_FALSE(RSeDatabase::LoadFromBuffer(bytes.data(), bytes.size(), back).Failed());
    DLxDrawingDoc reopened(std::move(back));
    auto* loaded = dynamic_cast<DUxBalloonStyle*>(reopened.GetRSeDb()->FindObject(id));
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->GetStyleName(), u"ISO");
    ExpectFull(*loaded);
    // The references lead to the loaded document's styles.
    EXPECT_EQ(
        loaded->GetLeaderStyle().Read(),
        reopened.FindStyle(RSe::_GetMeta(static_cast<const DUxLeaderStyle*>(nullptr)), u"Thin"));
    EXPECT_EQ(loaded->GetLeaderStyle().Read()->GetColor(), SMxColor::FromIndex(5));
    Bytes again;
    ASSERT_FALSE(reopened.GetRSeDb()->SaveToBuffer(again).Failed());
    EXPECT_EQ(again, bytes);
}

TEST_F(DUxBalloonStyleTest, AStoredTypeOutsideTheShapesIsRefused) {
    DUxBalloonStyle* style = DUxBalloonStyle::CreateStyle(Seg(), u"S");
    ASSERT_TRUE(doc.AddStyle(style));
    const Bytes circle = Save();
    style->SetDefaultType(DUxBalloonStyle::eLinear);
    const Bytes linear = Save();
    const size_t at = KorvuFirstDifference(circle, linear);
    ASSERT_EQ(circle[at], 2);
    for (const uint8_t type : {0, 10, 0xff}) {
        SCOPED_TRACE(int(type));
        Bytes damaged = circle;
        damaged[at] = type;
        std::unique_ptr<RSeDatabase> db;
        const UTxResult r = RSeDatabase::LoadFromBuffer(damaged.data(), damaged.size(), db);
        ASSERT_TRUE(r.Failed());
        EXPECT_NE(r.GetMessageUtf8().find("balloon type"), std::string::npos) << r.GetMessageUtf8();
    }
    for (const uint8_t type : {1, 9}) {
        Bytes fine = circle;
        fine[at] = type;
        std::unique_ptr<RSeDatabase> db;
        EXPECT_FALSE(RSeDatabase::LoadFromBuffer(fine.data(), fine.size(), db).Failed()) << type;
    }
}

TEST_F(DUxBalloonStyleTest, UndoGivesBackTheStyleAndItsItems) {
    DUxBalloonStyle* style = FullStyle(u"ISO");
    const Bytes before = Save();
    const SmartPtr<FWxChangeRequest> change(new TstRunRequest([&] {
        style->SetDefaultType(DUxBalloonStyle::eHexagon);
        style->SetSize(4.0);
        style->SetScaleToTextHeight(false);
        style->SetTextStyle({});
        style->SetAltLeaderStyle(RSeRef<DUxLeaderStyle>(leader));
        style->SetItems({style->GetItems()[1]});
    }));
    ASSERT_FALSE(doc.ProcessChangeRequest(change).Failed());
    EXPECT_EQ(style->GetDefaultType(), DUxBalloonStyle::eHexagon);
    EXPECT_NE(Save(), before);
    ASSERT_FALSE(doc.Undo().Failed());
    EXPECT_EQ(Save(), before);
    ExpectFull(*style);
}

TEST_F(DUxBalloonStyleTest, ACloneCarriesEveryValue) {
    DUxBalloonStyle* style = FullStyle(u"ISO");
    std::vector<RSeVMeta*> sources{style};
    for (const RSeRef<DUxTableStyleColumn>& item : style->GetItems())
        sources.push_back(item.get());
    RSeCloneCommander cc(RSe::TransientSegment());
    ASSERT_FALSE(cc.Clone(sources).Failed());
    auto* copy = dynamic_cast<DUxBalloonStyle*>(cc.CloneOf(style));
    ASSERT_NE(copy, nullptr);
    ExpectFull(*copy);
    // Its items are its own; the styles it names stay the document's.
    EXPECT_NE(copy->GetItems()[0].Read(), style->GetItems()[0].Read());
    EXPECT_EQ(copy->GetLeaderStyle().Read(), leader);
}

TEST_F(DUxBalloonStyleTest, TheCollectionAndTheNameKeysFindBalloonStylesByName) {
    DUxBalloonStyle* style = FullStyle(u"Shop");
    FWxStylesCollection* balloons =
        GetIFxStyles(&doc)->GetCollection(DUxBalloonStyle::GetInternalStylesCollectionNameStatic());
    ASSERT_NE(balloons, nullptr);
    EXPECT_EQ(balloons->Find(u"Shop").get(), style);
    EXPECT_EQ(balloons->Find(u"Thin").get(), nullptr); // a leader style is of another kind
    FWxStylesCollection* leaders =
        GetIFxStyles(&doc)->GetCollection(DUxLeaderStyle::m_sLeaderCollectionName);
    ASSERT_NE(leaders, nullptr);
    EXPECT_EQ(leaders->Find(u"Thin").get(), leader);

    struct Case {
        FWxStyle* style;
        const char16_t* reference;
    } cases[] = {{style, u"DUxBalloonStyle#Shop"},
                 {leader, u"DUxLeaderStyle#Thin"},
                 {text, u"DUxTextStyle#Balloon text"}};
    FBxLocalStylesManager* manager = GetIFxStyles(&doc)->GetLocalStylesManager();
    for (const Case& c : cases) {
        SCOPED_TRACE(UTx::ToUtf8(c.reference));
        const UTxString16 reference = FWxStyle::GetStyleReference(RSeRef<FWxStyle>(c.style));
        EXPECT_EQ(reference, c.reference);
        EXPECT_EQ(manager->GetStyleByReference(reference).get(), c.style);
    }
}

TEST_F(DUxBalloonStyleTest, TheWrapperReadsTheGivenStyleElseTheStatesElseDefaults) {
    DLxSheet* sheet = doc.CreateSheet(u"S", 420, 297);
    DUxSymState* state = DUxSymState::Create(sheet);
    const RSeRef<DUxSymState> stateRef(state);

    DUxBalloonStyleWrapper none(stateRef, {});
    bool found = true;
    EXPECT_EQ(none.Style().get(), nullptr);
    EXPECT_EQ(none.GetDefaultType(&found), DUxBalloonStyle::eCircular);
    EXPECT_FALSE(found);
    found = true;
    EXPECT_EQ(none.GetSize(&found), 1.0);
    EXPECT_FALSE(found);
    EXPECT_EQ(none.GetTextStyle().get(), nullptr);
    EXPECT_EQ(none.GetLeaderStyle().get(), nullptr);
    EXPECT_FALSE(none.GetScaleToTextHeight());
    EXPECT_FALSE(none.GetStretchBallonToText());
    std::vector<RSeRef<DUxTableStyleColumn>> items{RSeRef<DUxTableStyleColumn>()};
    none.GetItems(items);
    EXPECT_TRUE(items.empty());
    none.SetDefaultType(DUxBalloonStyle::eSquare); // no style: nothing to write

    // A frame style on the state is no balloon style.
    auto* frame = new (RSe::_GetMeta(static_cast<const DUxFeatureControlFrameStyle*>(nullptr)),
                       Seg()) DUxFeatureControlFrameStyle();
    state->SetStyle(frame);
    EXPECT_EQ(DUxBalloonStyleWrapper(stateRef, {}).Style().get(), nullptr);

    DUxBalloonStyle* own = FullStyle(u"Own");
    none.SetPrimaryStyle(RSeRef<DUxBalloonStyle>(own));
    EXPECT_EQ(state->GetStyle(), own);
    DUxBalloonStyleWrapper wrapper(stateRef, {});
    EXPECT_EQ(wrapper.Style().get(), own);
    EXPECT_EQ(wrapper.GetDefaultType(&found), DUxBalloonStyle::eCircularSplit);
    EXPECT_TRUE(found);
    EXPECT_EQ(wrapper.GetSize(), 2.25);
    EXPECT_EQ(wrapper.GetOffsetSpacing(), 0.5);
    EXPECT_TRUE(wrapper.GetScaleToTextHeight());
    EXPECT_TRUE(wrapper.GetStretchBallonToText());
    SmartPtr<DUxTextStyleWrapper> look = wrapper.GetTextStyle();
    ASSERT_NE(look.get(), nullptr);
    EXPECT_EQ(look->GetFontId(), 3);
    EXPECT_EQ(look->GetFontSize(), 5.0);
    SmartPtr<DUxLeaderStyleWrapper> pen = wrapper.GetLeaderStyle();
    ASSERT_NE(pen.get(), nullptr);
    EXPECT_EQ(pen->GetColor(), SMxColor::FromIndex(5));
    EXPECT_EQ(pen->GetLineWeight(), 18);
    EXPECT_EQ(pen->GetLineType(), 2);
    EXPECT_EQ(wrapper.GetAltLeaderStyle()->GetLineWeight(), 50);
    wrapper.GetItems(items);
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].Read(), own->GetItems()[0].Read()); // the style's own, not copies
    wrapper.SetDefaultType(DUxBalloonStyle::eLinear);
    EXPECT_EQ(own->GetDefaultType(), DUxBalloonStyle::eLinear);

    // A given style wins over the state's.
    DUxBalloonStyle* given = DUxBalloonStyle::CreateStyle(Seg(), u"Given");
    given->SetSize(7.0);
    EXPECT_EQ(DUxBalloonStyleWrapper(stateRef, RSeRef<DUxBalloonStyle>(given)).GetSize(), 7.0);
    EXPECT_EQ(DUxBalloonStyleWrapper({}, RSeRef<DUxBalloonStyle>(given)).GetSize(), 7.0);
}

TEST_F(DUxBalloonStyleTest, TheUtilityWrapsStatesAndFallsBackOnTheDocumentsStyle) {
    DLxSheet* sheet = doc.CreateSheet(u"S", 420, 297);
    DUxSymState* state = DUxSymState::Create(sheet);
    EXPECT_EQ(DUxSymStyleWrapUtils::GetBalloonStyle(sheet), nullptr); // no symbol state
    EXPECT_EQ(DUxSymStyleWrapUtils::GetBalloonStyle(nullptr), nullptr);
    std::unique_ptr<DUxBalloonStyleWrapper> bare = DUxSymStyleWrapUtils::GetBalloonStyle(state);
    ASSERT_NE(bare, nullptr);
    EXPECT_EQ(bare->Style().get(), nullptr);

    // The document's style is the one named after its standard, ISO when it names none.
    DUxBalloonStyle* iso = DUxBalloonStyle::CreateStyle(Seg(), u"ISO");
    DUxBalloonStyle* din = DUxBalloonStyle::CreateStyle(Seg(), u"DIN");
    ASSERT_TRUE(doc.AddStyle(iso));
    ASSERT_TRUE(doc.AddStyle(din));
    EXPECT_EQ(DUxSymStyleWrapUtils::GetDocumentBalloonStyle(&doc), iso);
    EXPECT_EQ(DUxSymStyleWrapUtils::GetBalloonStyle(state, &doc)->Style().get(), iso);
    EXPECT_EQ(DUxSymStyleWrapUtils::GetBalloonStyle(state)->Style().get(), nullptr);
    doc.GetDrawing()->SetStandardName(u"DIN");
    EXPECT_EQ(DUxSymStyleWrapUtils::GetDocumentBalloonStyle(&doc), din);
    doc.GetDrawing()->SetStandardName(u"JIS");
    EXPECT_EQ(DUxSymStyleWrapUtils::GetDocumentBalloonStyle(&doc), nullptr);
    EXPECT_EQ(DUxSymStyleWrapUtils::GetDocumentBalloonStyle(nullptr), nullptr);

    // The state's own style wins over the document's.
    state->SetStyle(iso);
    doc.GetDrawing()->SetStandardName(u"DIN");
    EXPECT_EQ(DUxSymStyleWrapUtils::GetBalloonStyle(state, &doc)->Style().get(), iso);
}

} // namespace
