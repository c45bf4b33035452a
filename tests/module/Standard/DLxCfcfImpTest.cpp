// Frame layout through the text engine: cell widths, merges, padding, text placement and
// borders; each layout case is drawn and compared with its expected SVG in expected/.
#include <gtest/gtest.h>

#include <string>

#include "KorvuTestSupport.h"
#include "Standard/DLxCfcfImp.h"
#include "SvgCompare.h"
#include "Symbol/DLxGDTState.h"
#include "du/DUxCAuxEntArray.h"
#include "du/DUxFeatureControlFrameStyle.h"
#include "fw/FWxSceneDoc.h"
#include "render/RNxRenderer.h"
#include "rse/RSe.h"
#include "rse/RSeDatabase.h"
#include "sm/SMxDisplayList.h"
#include "uc/UCxStringUtil.h"

namespace {

constexpr double kFont = 2.0;
constexpr double kH = 2 * kFont; // scaled to the text height
constexpr double kWhite = 0.5;
constexpr double kChar = UCxStringUtil::kAdvanceRatio * kFont;

double W(int chars) {
    return chars * kChar + kWhite;
}
// A characteristic symbol's cell: nearly as wide as the frame is tall, not a letter's sliver.
constexpr double kGlyphCell = UCxStringUtil::kGdtSymbolAdvanceRatio * kFont + kWhite;

struct Seg {
    double x0, y0, x1, y1;
};

class CfcfTest : public ::testing::Test {
protected:
    std::unique_ptr<DLxCfcfImpSymbol> Make(bool endPadding, bool newState) {
        auto* seg = RSe::SegmentOf(doc.GetRSeDb());
        auto* style = new (RSe::_GetMeta(static_cast<const DUxFeatureControlFrameStyle*>(nullptr)),
                           seg) DUxFeatureControlFrameStyle();
        style->SetTextStyle(DUxTextStyleWrapper(1, 2, kFont));
        style->SetScaleToTextHeight(true);
        style->SetWhiteSpace(kWhite);
        style->SetEndPadding(endPadding);
        auto* state = new (RSe::_GetMeta(static_cast<const DLxGDTState*>(nullptr)), seg)
            DLxGDTState(RSeRef<RDxFragment>());
        if (!newState) state->ClearFlag(DLxGDTState::kNewStateFlag);
        DUxFeatureControlFrameStyleWrapper w{RSeRef<DUxFeatureControlFrameStyle>(style),
                                             RSeRef<RDxObject>(state)};
        return std::make_unique<DLxCfcfImpSymbol>(w);
    }
    static std::vector<Seg> Segments(const DUxCAuxEntArray& a) {
        std::vector<Seg> out;
        for (int32_t i = 0; i < a.GetSize(); ++i)
            if (auto* p = dynamic_cast<DUxCAuxPolyLine*>(a.GetAt(i)))
                out.push_back({p->points[0].x, p->points[0].y, p->points[1].x, p->points[1].y});
        return out;
    }
    static std::vector<DUxCAuxText*> Texts(const DUxCAuxEntArray& a) {
        std::vector<DUxCAuxText*> out;
        for (int32_t i = 0; i < a.GetSize(); ++i)
            if (auto* t = dynamic_cast<DUxCAuxText*>(a.GetAt(i))) out.push_back(t);
        return out;
    }
    // The layout drawn on an A4 sheet matches the expected picture of that name.
    static ::testing::AssertionResult DrawsAsExpected(const DUxCAuxEntArray& entities,
                                                      const std::string& name) {
        SMxDisplayList list;
        entities.Draw(list);
        KorvuTempDir dir;
        const std::string path = dir.File(name);
        RNxLayer layer{&list, WqGeMatrix3d::translation(WqGeVector3d(40, 150, 0))};
        if (RNx::RenderSheet(RNxSheet{u"Frame", 210, 297}, {layer}, path).Failed())
            return ::testing::AssertionFailure() << "drawing " << name << " failed";
        return MatchesExpectedFile(path, "module/Standard/expected", name);
    }
    static bool Has(const std::vector<Seg>& segs, Seg s) {
        for (const Seg& g : segs)
            if (std::abs(g.x0 - s.x0) < 1e-9 && std::abs(g.y0 - s.y0) < 1e-9 &&
                std::abs(g.x1 - s.x1) < 1e-9 && std::abs(g.y1 - s.y1) < 1e-9)
                return true;
        return false;
    }

    FWxSceneDoc doc;
};

TEST_F(CfcfTest, ConvertsFontSwitchesAndEscapes) {
    struct Case {
        const char16_t *in, *out;
    };
    const Case cases[] = {
        {u"{\\FKVGDT.TTF;n}", u"\\F2;n\\F1;"},
        {u"0.1{\\FKVGDT.TTF;m}A{\\FKVGDT.TTF;p}", u"0.1\\F2;m\\F1;A\\F2;p\\F1;"},
        {u"{\\FKVGDT.TTF;\\}}", u"\\F2;\\}\\F1;"},
        {u"a{b}", u"a\\{b\\}"},
        {u"{\\FKVGDT.TTF;n", u"\\{\\FKVGDT.TTF;n"}, // unclosed: left alone, then escaped
        {u"", u""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DLxCfcfImpSymbol::ConvertText(c.in, 1, 2), c.out) << UTx::ToUtf8(c.in);
}

TEST_F(CfcfTest, MergedSymbolCellSpansBothLinesAndInterruptsTheBorder) {
    auto lay = Make(false, false);
    lay->AddLine();
    lay->AddLine();
    lay->AddCompositeSymbolBoxes(5, 5, true, 0, &doc);
    lay->AddCompositeTextBoxes(u"0.1", u"0.2", true, 0, &doc, false);
    DLxCfcfImpLine& q = *lay->Line(0);
    DLxCfcfImpLine& r = *lay->Line(1);
    ASSERT_EQ(q.CellCount(), 2);
    EXPECT_FALSE(q.Cell(0)->HasText());
    EXPECT_TRUE(q.Cell(0)->m_merged && r.Cell(0)->m_merged);
    EXPECT_FALSE(q.Cell(1)->m_merged); // different tolerances
    EXPECT_DOUBLE_EQ(r.Cell(0)->m_width, kGlyphCell);
    EXPECT_DOUBLE_EQ(q.Cell(1)->m_width, W(3));

    DUxCAuxEntArray first, second;
    lay->GenerateEntities(first, second);
    const auto texts = Texts(second);
    ASSERT_EQ(texts.size(), 3u); // the upper glyph cell draws nothing
    EXPECT_EQ(texts[0]->text, u"0.1");
    EXPECT_DOUBLE_EQ(texts[0]->position.y, -kH / 2);
    EXPECT_EQ(texts[1]->text, u"k");
    EXPECT_DOUBLE_EQ(texts[1]->position.x, kGlyphCell / 2);
    EXPECT_DOUBLE_EQ(texts[1]->position.y, -kH); // on the boundary of the two lines
    EXPECT_EQ(texts[1]->fontId, 2);

    const auto segs = Segments(second);
    // the glyph's separator reaches the top of the upper line
    EXPECT_TRUE(Has(segs, {kGlyphCell, 0, kGlyphCell, -2 * kH}));
    // the border under line 0 starts after the merged column
    EXPECT_TRUE(Has(segs, {kGlyphCell, -kH, kGlyphCell + W(3), -kH}));
    EXPECT_FALSE(Has(segs, {0, -kH, kGlyphCell + W(3), -kH}));
    EXPECT_TRUE(Has(segs, {0, -2 * kH, kGlyphCell + W(3), -2 * kH}));
    EXPECT_TRUE(Has(segs, {0, 0, kGlyphCell + W(3), 0})); // top
    EXPECT_TRUE(Has(segs, {0, 0, 0, -2 * kH}));           // left
    EXPECT_TRUE(Segments(first).size() == 1);             // only the top border: no symbol lines
    EXPECT_TRUE(DrawsAsExpected(second, "merged_symbol.svg"));
}

TEST_F(CfcfTest, TextsMergeOnlyWhenExactlyEqual) {
    struct Case {
        const char16_t *a, *b;
        bool merged;
    };
    const Case cases[] = {{u"0.1", u"0.1", true}, {u"0.1", u"0.1 ", false}, {u"A", u"a", false}};
    for (const Case& c : cases) {
        auto lay = Make(false, true);
        lay->AddLine();
        lay->AddLine();
        lay->AddCompositeSymbolBoxes(1, 2, true, 0, &doc);
        lay->AddCompositeTextBoxes(c.a, c.b, true, 0, &doc, false);
        EXPECT_EQ(lay->Line(1)->Cell(1)->m_merged, c.merged) << UTx::ToUtf8(c.b);
        EXPECT_EQ(lay->Line(0)->Cell(1)->HasText(), !c.merged);
    }
}

TEST_F(CfcfTest, EndPaddingWidensTheColumnAbove) {
    for (bool padding : {false, true}) {
        auto lay = Make(padding, true);
        lay->AddLine();
        lay->AddLine();
        lay->AddCompositeSymbolBoxes(1, 2, true, 0, &doc);
        lay->AddCompositeTextBoxes(u"0.1", u"0.025", false, 0, &doc, false);
        EXPECT_DOUBLE_EQ(lay->Line(0)->Cell(1)->m_width, padding ? W(5) : W(3)) << padding;
        EXPECT_DOUBLE_EQ(lay->Line(1)->Cell(1)->m_width, W(5));
        // an upper cell that is wider gives its width to the lower one
        lay->AddCompositeTextBoxes(u"ABCD", u"B", false, 0, &doc, false);
        EXPECT_DOUBLE_EQ(lay->Line(1)->Cell(2)->m_width, padding ? W(4) : W(1));
    }
}

TEST_F(CfcfTest, TextsSitOnTheFirstBaselineUnlessTheStateIsNew) {
    for (bool newState : {false, true}) {
        auto lay = Make(false, newState);
        lay->AddLine();
        lay->Line(0)->AddSymbolBox(10, &doc);
        lay->AddTextBox(0, u"0.1", &doc);
        lay->AddTextBox(0, u"A", &doc);
        DUxCAuxEntArray first, second;
        lay->GenerateEntities(first, second);
        const auto texts = Texts(second);
        ASSERT_EQ(texts.size(), 3u);
        EXPECT_EQ(texts[0]->attachment, 5); // glyphs always centre
        EXPECT_DOUBLE_EQ(texts[0]->position.y, -kH / 2);
        for (size_t k = 1; k < 3; ++k) {
            EXPECT_EQ(texts[k]->attachment, newState ? 12 : 5);
            EXPECT_EQ(texts[k]->refPoint, newState ? 4 : 7);
            EXPECT_DOUBLE_EQ(texts[k]->position.y, newState ? -kH / 2 - kFont / 2 : -kH / 2);
        }
        EXPECT_DOUBLE_EQ(texts[2]->position.x, kGlyphCell + W(3) + W(1) / 2);
        EXPECT_TRUE(
            DrawsAsExpected(second, newState ? "new_state_line.svg" : "old_state_line.svg"));
    }
}

TEST_F(CfcfTest, UnframedFirstLineStaysOutsideTheBorders) {
    auto lay = Make(false, true);
    DLxCfcfImpLine* note = lay->AddLine();
    note->m_framed = false;
    note->AddTextBox(u"2X", &doc, false);
    DLxCfcfImpLine* line = lay->AddLine();
    line->m_symbolLine = true;
    line->AddSymbolBox(7, &doc);
    line->AddTextBox(u"0.05", &doc, false);
    DUxCAuxEntArray first, second;
    lay->GenerateEntities(first, second);
    const auto segs = Segments(second);
    const double w = kGlyphCell + W(4);
    EXPECT_TRUE(Has(segs, {0, -kH, w, -kH}));         // top border at the first framed line
    EXPECT_TRUE(Has(segs, {0, -kH, 0, -2 * kH}));     // left border
    EXPECT_TRUE(Has(segs, {0, -2 * kH, w, -2 * kH})); // bottom
    for (const Seg& s : segs)
        EXPECT_LE(std::max(s.y0, s.y1), -kH + 1e-9); // nothing around the note
    EXPECT_EQ(Texts(first).size(), 2u); // the symbol line went into the first array too
    EXPECT_TRUE(DrawsAsExpected(second, "unframed_first_line.svg"));
}

TEST_F(CfcfTest, LineWithoutWidthEndsTheFrameAndUnknownGlyphAddsNothing) {
    auto lay = Make(false, true);
    lay->AddLine()->AddTextBox(u"0.1", &doc, false);
    DLxCfcfImpLine* empty = lay->AddLine();
    EXPECT_EQ(empty->AddSymbolBox(31, &doc), nullptr);
    EXPECT_EQ(empty->AddTextBox(u"", &doc, false), nullptr);
    EXPECT_EQ(empty->AddTextBox(u"B", &doc, false), nullptr); // refuses texts now
    lay->AddLine()->AddTextBox(u"C", &doc, false);
    DLxCfcfImpLine* appended = lay->InsertLine(9);
    EXPECT_EQ(appended, lay->Line(3));
    DUxCAuxEntArray first, second;
    lay->GenerateEntities(first, second);
    const auto texts = Texts(second);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0]->text, u"0.1");
}

TEST_F(CfcfTest, ThreeLineFrameWithModifiersDrawsAsExpected) {
    auto lay = Make(true, true);
    for (int i = 0; i < 3; ++i)
        lay->AddLine();
    lay->AddCompositeSymbolBoxes(10, 10, true, 0, &doc);
    lay->AddCompositeSymbolBoxes(10, 9, true, 1, &doc);
    lay->AddCompositeTextBoxes(u"{\\FKVGDT.TTF;n}0.2{\\FKVGDT.TTF;m}", u"0.1", true, 0, &doc,
                               false);
    lay->AddCompositeTextBoxes(u"0.1", u"0.05", true, 1, &doc, false);
    lay->AddCompositeTextBoxes(u"A", u"A", true, 0, &doc, false);
    lay->AddCompositeTextBoxes(u"A", u"B", true, 1, &doc, false);
    DUxCAuxEntArray first, second;
    lay->GenerateEntities(first, second);
    EXPECT_TRUE(DrawsAsExpected(second, "three_line_frame.svg"));
}

} // namespace
