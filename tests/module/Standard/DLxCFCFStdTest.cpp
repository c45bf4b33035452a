// Drafting-standard defaults: registration, norm titles, the frame standards' masks, glyphs,
// descriptors, visibility rules and transcript.
#include <gtest/gtest.h>

#include <functional>

#include "Standard/DLxCBalloonStd.h"
#include "Standard/DLxCDatumStd.h"
#include "Standard/DLxCFCFStd.h"
#include "Standard/DLxCIdStd.h"
#include "Standard/DLxCPartListStd.h"
#include "Standard/DLxCSurfTextStd.h"
#include "Standard/DLxStdRegistration.h"
#include "Symbol/DLxGDTState.h"
#include "dc/RDxTemplateFactory.h"
#include "du/DUxCAuxEntArray.h"
#include "du/DUxFeatureControlFrameStyle.h"
#include "du/DUxStandard.h"
#include "du/DUxSymUnitAttr.h"
#include "fw/FWxChangeRequest.h"
#include "fw/FWxSceneDoc.h"
#include "ge/WqGeMatrix3d.h"
#include "rse/RSe.h"
#include "rse/RSeDatabase.h"
#include "uc/UCxTranscriptDataExchange.h"

namespace {

enum Std { ANSI, BSI, DIN, GB, ISO, JIS };
const char* const kNames[] = {"ANSI", "BSI", "DIN", "GB", "ISO", "JIS"};

const UTxGUID& GuidOf(Std s) {
    switch (s) {
    case ANSI:
        return DUxStandardGUID::GetANSIGuid();
    case BSI:
        return DUxStandardGUID::GetBSIGuid();
    case DIN:
        return DUxStandardGUID::GetDINGuid();
    case GB:
        return DLxGBStandardGUID;
    case ISO:
        return DUxStandardGUID::GetISOGuid();
    case JIS:
        break;
    }
    return DUxStandardGUID::GetJISGuid();
}

class StdTest : public ::testing::Test {
protected:
    RSeRef<DUxCategoryDefault> Get(Std s, int32_t category) {
        return DUxStandardUtil::GetCategoryDefault(&doc, GuidOf(s), category);
    }
    DLxCFCFStd& Fcf(Std s) {
        RSeRef<DLxCFCFStd> r = RSeRefCast<DLxCFCFStd>(Get(s, DLxCFCFStd::kCategory));
        EXPECT_TRUE(r.HasTarget()) << kNames[s];
        return *r;
    }
    RSeRef<DUxFeatureControlFrameStyle> NewStyle() {
        auto* st = new (RSe::_GetMeta(static_cast<const DUxFeatureControlFrameStyle*>(nullptr)),
                        RSe::SegmentOf(doc.GetRSeDb())) DUxFeatureControlFrameStyle();
        return RSeRef<DUxFeatureControlFrameStyle>(st);
    }
    // A state of `lines` blank lines, as the standards' rules start from.
    RSeRef<DLxGDTState> NewState(int32_t lines) {
        auto* st = new (RSe::_GetMeta(static_cast<const DLxGDTState*>(nullptr)),
                        RSe::SegmentOf(doc.GetRSeDb())) DLxGDTState(RSeRef<RDxFragment>());
        st->SetSymbol(0, 0);
        st->SetValue(DLxGDTState::kToleranceA, 0, u"");
        while (st->GetNumberOfLines() > lines)
            st->RemoveLastLine();
        while (st->GetNumberOfLines() < lines)
            st->AddLine();
        return RSeRef<DLxGDTState>(st);
    }

    FWxSceneDoc doc;
};

// The category ids are the host's numbers and every saved default object carries its id, so
// the named constants must keep these values.
TEST(DLxStdRegistration, CategoryIdsAreTheHostsNumbers) {
    EXPECT_EQ(DLxCSurfTextStd::kCategory, 56460);
    EXPECT_EQ(DLxCFCFStd::kCategory, 56462);
    EXPECT_EQ(DLxCDatumStd::kCategory, 56463);
    EXPECT_EQ(DLxCIdStd::kFirstCategory, 56464);
    EXPECT_EQ(DLxCIdStd::kSecondCategory, 56465);
    EXPECT_EQ(DLxCPartListStd::kCategory, 56467);
    EXPECT_EQ(DLxCBalloonStd::kCategory, 56468);
}

TEST(DLxStdRegistration, FactoriesRegisterInTheFixedOrderWithOurGBGuid) {
    struct Row {
        int32_t category;
        Std std;
    };
    std::vector<Row> expected;
    auto add = [&](std::vector<int32_t> cats, std::vector<Std> stds) {
        for (Std s : stds)
            for (int32_t c : cats)
                expected.push_back({c, s});
    };
    add({DLxCBalloonStd::kCategory}, {ANSI, BSI, DIN, GB, ISO, JIS});
    add({DLxCDatumStd::kCategory}, {BSI, GB});
    add({DLxCFCFStd::kCategory}, {BSI, GB});
    add({DLxCIdStd::kFirstCategory, DLxCIdStd::kSecondCategory}, {BSI, GB});
    add({DLxCPartListStd::kCategory}, {ANSI, BSI, DIN, GB, ISO, JIS});
    add({DLxCSurfTextStd::kCategory}, {BSI, GB});
    add({DLxCDatumStd::kCategory}, {ANSI, DIN, ISO, JIS});
    add({DLxCFCFStd::kCategory}, {ANSI, DIN, ISO, JIS});
    add({DLxCIdStd::kFirstCategory, DLxCIdStd::kSecondCategory}, {ANSI, DIN, ISO, JIS});
    add({DLxCSurfTextStd::kCategory}, {ANSI, DIN, ISO, JIS});
    ASSERT_EQ(expected.size(), 42u);

    const auto& all = DUxCategoryDefaultFactory::Registered();
    ASSERT_GE(all.size(), 42u);
    for (size_t i = 0; i < 42; ++i) {
        EXPECT_EQ(all[i]->GetCategoryId(), expected[i].category) << i;
        EXPECT_EQ(all[i]->GetStandardGUID(), GuidOf(expected[i].std)) << i;
    }
    EXPECT_EQ(DLxGBStandardGUID.ToString16(), u"{F00A3AB0-06CC-11D3-BF27-00104BB54A0B}");
    EXPECT_EQ(DUxCategoryDefaultFactory::Find(DLxCFCFStd::kCategory, DUxStandardGUID::GetGBGuid()),
              nullptr);

    const RDxTemplateFactory* t = RDxTemplateFactory::Find(DLxSymbolTemplateGUID);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->GetName(), u"MyStandard");
    std::unique_ptr<RDxTemplate> tmpl(t->GetFunction()(nullptr));
    EXPECT_EQ(static_cast<RDxPrimitiveTemplate*>(tmpl.get())->GetFlags(), 16);
    EXPECT_EQ(tmpl->GetGUID(), DLxSymbolTemplateGUID);
}

TEST_F(StdTest, NormTitlesPerCategoryAndStandard) {
    struct Row {
        int32_t category;
        const char16_t* titles[6];
    };
    const Row rows[] = {
        {DLxCBalloonStd::kCategory,
         {u"ASME Y14.36M - 1989", u"BS 142 - 1992", u"DIN 6771 - 1987", u"GB/T 4458.2-84",
          u"ISO 7573 - 1983", u"ISO 7573 - 1983"}},
        {DLxCPartListStd::kCategory,
         {u"ASME Y14.36M - 1989", u"BS 142 - 1992", u"DIN 6771 - 1987", u"GB/T  GB 10609.2-89",
          u"ISO 7573 - 1983", u"ISO 7573 - 1983"}},
        {DLxCDatumStd::kCategory,
         {u"ASME Y14.5M - 1994", u"BS 308 - 1990", u"DIN ISO 1101 - 1983", u"GB/T 1182-96",
          u"ISO 1101 - 1983, ISO 7083 - 1983", u"JIS B 0021 (1984)"}},
        {DLxCIdStd::kFirstCategory,
         {u"ASME Y14.5M - 1994", u"BS 308 - 1990", u"DIN ISO 1101 - 1983", u"GB/T 1182-96",
          u"ISO 1101 - 1983", u"JIS B 0021 (1984)"}},
        {DLxCIdStd::kSecondCategory,
         {u"ASME Y14.5M - 1994", u"BS 308 - 1990", u"DIN ISO 1101 - 1983", u"GB/T 1182-96",
          u"ISO 1101 - 1983", u"JIS B 0021 (1984)"}},
        {DLxCFCFStd::kCategory,
         {u"ASME Y14.5M - 1994", u"BS 308 - 1990", u"DIN ISO 1101 - 1983", u"GB/T 1182-96",
          u"ISO 1101 - 1983", u"JIS B 0021 (1984)"}},
        {DLxCSurfTextStd::kCategory,
         {u"ASME Y14.36M - 1996", u"BS 308 - 1990", u"DIN ISO 1302 : 1992", u"GB/T 131-93",
          u"ISO 1302 - 1978", u"JIS B 0031 (1994)"}},
    };
    for (const Row& r : rows)
        for (int s = ANSI; s <= JIS; ++s) {
            RSeRef<DUxCategoryDefault> obj = Get(Std(s), r.category);
            ASSERT_TRUE(obj.HasTarget()) << r.category << " " << kNames[s];
            EXPECT_EQ(obj->GetStandardReference(), r.titles[s]) << r.category << " " << kNames[s];
            EXPECT_EQ(obj->GetCategoryId(), r.category);
            EXPECT_EQ(obj->GetStandardGUID(), GuidOf(Std(s)));
        }
}

TEST_F(StdTest, ClassesOfEachStandardAndTheirFactoryPreparation) {
    // GB and BSI derive from ISO; the GB balloon gets type 4.
    EXPECT_NE(dynamic_cast<DLxCFCFStdISO*>(Get(GB, DLxCFCFStd::kCategory).get()), nullptr);
    EXPECT_NE(dynamic_cast<DLxCFCFStdISO*>(Get(BSI, DLxCFCFStd::kCategory).get()), nullptr);
    EXPECT_EQ(dynamic_cast<DLxCFCFStdISO*>(Get(JIS, DLxCFCFStd::kCategory).get()), nullptr);
    auto gbBalloon = RSeRefCast<DLxCBalloonStdGB>(Get(GB, DLxCBalloonStd::kCategory));
    ASSERT_TRUE(gbBalloon.HasTarget());
    EXPECT_EQ(gbBalloon->GetDefaultBalloonType(), 4);
    auto isoBalloon = RSeRefCast<DLxCBalloonStdISO>(Get(ISO, DLxCBalloonStd::kCategory));
    EXPECT_NE(isoBalloon->GetDefaultBalloonType(), 4);
    // The two identifier categories give two objects of one class.
    RSeRef<DUxCategoryDefault> a = Get(DIN, DLxCIdStd::kFirstCategory),
                               b = Get(DIN, DLxCIdStd::kSecondCategory);
    ASSERT_TRUE(a.HasTarget() && b.HasTarget());
    EXPECT_NE(a.get(), b.get());
    EXPECT_NE(dynamic_cast<DLxCIdStdDIN*>(b.get()), nullptr);
    EXPECT_EQ(Get(DIN, DLxCIdStd::kFirstCategory).get(), a.get()); // made once
    // The host's own GB GUID has no factories.
    EXPECT_FALSE(DUxStandardUtil::GetCategoryDefault(&doc, DUxStandardGUID::GetGBGuid(),
                                                     DLxCFCFStd::kCategory)
                     .HasTarget());
}

TEST_F(StdTest, FactoryValuesAndCopiedMasksPerStandard) {
    struct Row {
        Std std;
        bool mergeTol, mergeDatum, endPadding;
        double whiteSpace;
        size_t auxCount;
        uint32_t gdtMask, auxMask;
    };
    const Row rows[] = {
        // white space in sheet millimetres: 0.089 cm and 0.1 cm
        {ANSI, false, false, false, 0.89, 9, 0x3FFF, 0x1FF},
        {BSI, true, true, true, 1.0, 4, 0x3FFF, 0x305},
        {DIN, false, true, true, 1.0, 3, 0x3FFF, 0x105},
        {GB, false, true, true, 1.0, 8, 0x3FFF, 0xF17},
        {ISO, false, true, true, 1.0, 3, 0x3FFF, 0x105},
        {JIS, false, false, false, 1.0, 6, 0x3FFF, 0x317},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(kNames[r.std]);
        DLxCFCFStd& s = Fcf(r.std);
        EXPECT_TRUE(s.m_MergeSymbol);
        EXPECT_EQ(s.m_MergeTolerance, r.mergeTol);
        EXPECT_EQ(s.m_MergeDatum, r.mergeDatum);
        EXPECT_EQ(s.m_EndPadding, r.endPadding);
        EXPECT_DOUBLE_EQ(s.m_FrameGap, 20.0);
        EXPECT_DOUBLE_EQ(s.m_WhiteSpace, r.whiteSpace);
        EXPECT_EQ(s.m_GdtSymbols, std::vector<uint32_t>(14, 1));
        EXPECT_EQ(s.m_AuxSymbols, std::vector<uint32_t>(r.auxCount, 1));
        ASSERT_TRUE(s.m_SymUnitAttr.HasTarget());

        RSeRef<DUxFeatureControlFrameStyle> style = NewStyle();
        s.CopyToStyle(style);
        EXPECT_EQ(style->GetGdtSymbols(), r.gdtMask);
        EXPECT_EQ(style->GetAuxSymbols(), r.auxMask);
        EXPECT_EQ(style->GetStyleDescription(), s.GetStandardReference());
        EXPECT_EQ(style->GetWhiteSpace(), s.m_WhiteSpace);
        EXPECT_EQ(style->GetEndPadding(), r.endPadding);
        EXPECT_EQ(style->GetUnitValue(DUxUnitField::AltPrecision),
                  s.m_SymUnitAttr->GetAltPrecision());
        // frame gap is not the standard's to copy
        EXPECT_EQ(style->GetFrameGap(), 0.0);

        // A second copy changes nothing and marks nothing edited.
        const int32_t edits = style->GetEditCount();
        s.CopyToStyle(style);
        EXPECT_EQ(style->GetEditCount(), edits);
    }
    // A disabled symbol leaves its bit out; a base-class object copies an empty description.
    DLxCFCFStd& iso = Fcf(ISO);
    iso.m_GdtSymbols[11] = 0; // type 13
    RSeRef<DUxFeatureControlFrameStyle> style = NewStyle();
    style->SetStyleDescription(u"old");
    iso.CopyToStyle(style);
    EXPECT_EQ(style->GetGdtSymbols(), 0x3FFFu & ~0x400u);
    auto* plain =
        new (RSe::_GetMeta(static_cast<const DLxCFCFStd*>(nullptr)), RSe::SegmentOf(doc.GetRSeDb()))
            DLxCFCFStd(&doc, DLxCFCFStd::kCategory, GuidOf(ISO));
    plain->CopyToStyle(style);
    EXPECT_EQ(style->GetStyleDescription(), u"");
}

TEST_F(StdTest, GlyphsBothWays) {
    DLxCFCFStd& iso = Fcf(ISO);
    DLxCFCFStd& gb = Fcf(GB);
    for (int32_t t = 1; t <= 25; ++t) {
        UTxString16 g;
        ASSERT_TRUE(iso.GetSymbolGlyph(t, g)) << t;
        int32_t back = 0;
        EXPECT_TRUE(iso.GetSymbolType(g, back));
        EXPECT_EQ(back, t);
    }
    UTxString16 g = u"keep";
    EXPECT_FALSE(iso.GetSymbolGlyph(26, g));
    EXPECT_EQ(g, u"keep");
    EXPECT_TRUE(gb.GetSymbolGlyph(26, g));
    EXPECT_EQ(g, u"o");
    EXPECT_TRUE(gb.GetSymbolString(25, g));
    EXPECT_EQ(g, u"\\}");
    for (DLxCFCFStd* s : {&Fcf(ANSI), &Fcf(BSI), &Fcf(DIN), &Fcf(JIS)})
        EXPECT_FALSE(s->GetSymbolGlyph(26, g));
    EXPECT_FALSE(gb.GetSymbolGlyph(27, g));

    struct Case {
        const char16_t* glyph;
        bool known;
        int32_t type;
    };
    const Case cases[] = {{u"o", true, 26},      {u"\\}", true, 25}, {u"\\{", true, 20},
                          {u"U", false, 0},      {u"u", true, 1},    {u"uu", false, 0},
                          {u"\u00a3", false, 0}, {u"", false, 0}};
    for (const Case& c : cases) {
        int32_t type = -7;
        EXPECT_EQ(iso.GetSymbolType(c.glyph, type), c.known);
        EXPECT_EQ(type, c.known ? c.type : -7);
    }
    std::string layout;
    ASSERT_TRUE(DLxCFCFStd::LayoutGlyph(27, layout));
    EXPECT_EQ(layout, "\xA3");
    ASSERT_TRUE(DLxCFCFStd::LayoutGlyph(30, layout));
    EXPECT_EQ(layout, "\xA1");
    EXPECT_FALSE(DLxCFCFStd::LayoutGlyph(31, layout));
    EXPECT_FALSE(DLxCFCFStd::LayoutGlyph(0, layout));
}

TEST_F(StdTest, DescriptorsKeepSymbolsInUseAndPickTheDefaultSymbol) {
    DLxCFCFStd& ansi = Fcf(ANSI);
    ansi.m_GdtSymbols.assign(14, 0);
    RSeRef<DLxGDTState> state = NewState(3);
    state->SetSymbol(0, 13);
    state->SetSymbol(1, 5);
    state->SetSymbol(2, 7); // line 2 is not looked at
    DLxCFCFStd::DLxSymbolDescs list;
    EXPECT_FALSE(ansi.GetGdtSymbolDescsForState(list, RSeRef<DLxGDTState>()));
    ASSERT_TRUE(ansi.GetGdtSymbolDescsForState(list, state));
    ASSERT_EQ(list.size(), 14u);
    std::vector<int32_t> enabled;
    for (const auto& d : list)
        if (d->m_enabled) enabled.push_back(d->m_value);
    EXPECT_EQ(enabled, (std::vector<int32_t>{5, 13}));
    EXPECT_EQ(list[11]->m_value, 13); // 13 stands before 12
    EXPECT_EQ(list[11]->m_nameId, 8332u);
    EXPECT_EQ(list[11]->m_position, 11);

    // A one-line state: line 1 counts as symbol 0.
    RSeRef<DLxGDTState> one = NewState(1);
    one->SetSymbol(0, 2);
    ASSERT_TRUE(Fcf(ISO).GetGdtSymbolDescsForState(list, one));
    EXPECT_EQ(list[4]->m_nameId, 8324u); // base names outside ANSI

    // Default symbol: position when offered, else the first offered, else none.
    RSeRef<DLxGDTState> fresh = NewState(1);
    DLxCFCFStd& iso = Fcf(ISO);
    iso.SetDefaultSymbol(fresh);
    int32_t sym = -1;
    fresh->GetSymbol(0, sym);
    EXPECT_EQ(sym, 10);
    iso.m_GdtSymbols[9] = 0;
    iso.m_GdtSymbols[0] = 0;
    iso.SetDefaultSymbol(fresh);
    fresh->GetSymbol(0, sym);
    EXPECT_EQ(sym, 2);
    iso.m_GdtSymbols.assign(14, 0);
    iso.SetDefaultSymbol(fresh);
    fresh->GetSymbol(0, sym);
    EXPECT_EQ(sym, 0);

    DLxCFCFStd::DLxSymbolDescs aux;
    Fcf(GB).GetAuxSymbolDescs(aux);
    std::vector<int32_t> types;
    for (const auto& d : aux)
        types.push_back(d->m_value);
    EXPECT_EQ(types, (std::vector<int32_t>{16, 17, 23, 15, 19, 25, 26, 20}));
    EXPECT_EQ(aux[6]->m_nameId, 13237u);
    EXPECT_EQ(aux[6]->m_bitmapId, 13091u);
}

TEST_F(StdTest, VisibilityChainsBaseAndANSI) {
    struct Line {
        int32_t symbol;
        bool framed;
        const char16_t *tolA, *datumA, *datumB;
        // expected: tolA, tolB, datumA, datumB, datumC
        int32_t vis[5];
    };
    struct Case {
        Std std;
        Line line;
    };
    const Case cases[] = {
        {ISO, {1, true, u"0.1", u"", u"", {3, 1, 3, 1, 1}}},
        {ISO, {1, true, u"", u"A", u"", {3, 1, 1, 1, 1}}},
        {ISO, {1, true, u"0.1", u"A", u"B", {3, 1, 3, 3, 3}}},
        {ISO, {0, false, u"0.1", u"A", u"B", {1, 1, 1, 1, 1}}},
        {ANSI, {1, true, u"0.1", u"", u"", {3, 3, 3, 1, 1}}},
        {ANSI, {1, true, u"0.1", u"A", u"", {3, 3, 3, 3, 1}}},
        {ANSI, {0, true, u"0.1", u"A", u"B", {1, 1, 1, 1, 1}}},
        {ANSI, {0, false, u"0.1", u"A", u"B", {3, 3, 3, 3, 3}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << kNames[c.std] << " symbol " << c.line.symbol
                                        << " framed " << c.line.framed);
        RSeRef<DLxGDTState> st = NewState(1);
        st->SetSymbol(0, c.line.symbol);
        st->SetLineFramed(0, c.line.framed);
        st->SetValue(DLxGDTState::kToleranceA, 0, c.line.tolA);
        st->SetValue(DLxGDTState::kDatumA, 0, c.line.datumA);
        st->SetValue(DLxGDTState::kDatumB, 0, c.line.datumB);
        st->SetVariableStatus(DLxGDTState::kSymbolValue, 0, DUxValue::kVisibilityDefault);
        Fcf(c.std).SetDefaultValueVisibility(st);
        const DLxSym::Variable vars[5] = {DLxGDTState::kToleranceA, DLxGDTState::kToleranceB,
                                          DLxGDTState::kDatumA, DLxGDTState::kDatumB,
                                          DLxGDTState::kDatumC};
        for (int k = 0; k < 5; ++k)
            EXPECT_EQ(st->VariableStatus(vars[k], 0), c.line.vis[k]) << vars[k];
        EXPECT_EQ(st->VariableStatus(DLxGDTState::kSymbolValue, 0), 3);
        EXPECT_EQ(st->VariableStatus(DLxGDTState::kDatumIdentifier, 0), 0);
    }
    // The frame-level text shows under ANSI only.
    for (Std s : {ISO, ANSI}) {
        RSeRef<DLxGDTState> st = NewState(1);
        st->SetValue(DLxGDTState::kDatumIdentifier, 0, u"2X");
        Fcf(s).SetDefaultValueVisibility(st);
        EXPECT_EQ(st->VariableStatus(DLxGDTState::kDatumIdentifier, 0), s == ANSI ? 3 : 0);
    }
}

TEST_F(StdTest, CircleSymbolFollowsTheStandardTextHeight) {
    DLxCFCFStd& iso = Fcf(ISO);
    const double r = 0.9 * DUxStandardUtil::GetTextHeight(&doc, GuidOf(ISO));
    DUxCAuxEntArray array;
    iso.CreateCircleSymbol(array, WqGeMatrix3d::translation(WqGeVector3d(10, 0, 0)));
    ASSERT_EQ(array.GetSize(), 1);
    auto* c = dynamic_cast<DUxCAuxCircle*>(array.GetAt(0));
    ASSERT_NE(c, nullptr);
    EXPECT_DOUBLE_EQ(c->radius, r);
    EXPECT_DOUBLE_EQ(c->centre.x, 10);
    BBox box;
    iso.GetCircleSymbolExtents(box, WqGeMatrix3d());
    EXPECT_NEAR(box.max.x, r, 1e-9);
    EXPECT_NEAR(box.min.y, -r, 1e-9);
}

TEST_F(StdTest, TranscriptWritesPrefixedKeysAndReadsThemBack) {
    DLxCFCFStd& src = Fcf(GB);
    src.m_FrameGap = 1.25;
    src.m_AuxSymbols[2] = 0;
    src.m_GdtSymbols.resize(17, 1); // past 16 the index is two hex digits
    UTxString16 line;
    UTxResult result;
    {
        UCxTranscriptDataExchange tdx(line, result, &doc, true);
        src.Transcript(tdx, u"Fcf", false);
    }
    ASSERT_FALSE(result.Failed());
    for (const char16_t* key :
         {u"Fcf_SepProjected=", u"Fcf_FrameGap=", u"Fcf_GdtSymbols=", u"Fcf_GdtSymbols_Count=17",
          u"Fcf_GdtSymbols_10=", u"Fcf_AuxSymbols_Count=8", u"Fcf_UseCommonSetting="})
        EXPECT_NE(line.find(key), UTxString16::npos) << UTx::ToUtf8(key);
    EXPECT_LT(line.find(u"Fcf_AuxSymbols="), line.find(u"Fcf_GdtSymbols="));

    DLxCFCFStd& dst = Fcf(ISO);
    UTxResult readResult;
    {
        UCxTranscriptDataExchange tdx(line, readResult, &doc, false);
        dst.Transcript(tdx, u"Fcf", false);
    }
    ASSERT_FALSE(readResult.Failed());
    EXPECT_EQ(dst.m_FrameGap, 1.25);
    EXPECT_EQ(dst.m_AuxSymbols, src.m_AuxSymbols);
    EXPECT_EQ(dst.m_GdtSymbols, src.m_GdtSymbols);
    EXPECT_EQ(dst.m_EndPadding, src.m_EndPadding);
}

} // namespace

namespace {

TEST(DLxStdStorage, FrameStandardStyleAndStateComeBackAsSaved) {
    FWxSceneDoc doc;
    auto* iso =
        dynamic_cast<DLxCFCFStd*>(DUxStandardUtil::GetCategoryDefault(
                                      &doc, DUxStandardGUID::GetISOGuid(), DLxCFCFStd::kCategory)
                                      .get());
    ASSERT_NE(iso, nullptr);
    iso->m_FrameGap = 1.5;
    iso->m_SepDatumId = true;
    iso->m_AuxSymbols = {1, 0, 1};
    iso->m_SymUnitAttr->SetAltPrecision(5);
    auto* gb =
        DUxStandardUtil::GetCategoryDefault(&doc, DLxGBStandardGUID, DLxCBalloonStd::kCategory)
            .get();
    RSeSegment* seg = RSe::SegmentOf(doc.GetRSeDb());
    auto* state = new (RSe::_GetMeta(static_cast<const DLxGDTState*>(nullptr)), seg)
        DLxGDTState(RSeRef<RDxFragment>());
    state->AddLine();
    state->SetValue(DLxGDTState::kToleranceA, 0, u"0.1");
    state->SetVariableStatus(DLxGDTState::kToleranceA, 0, DUxValue::kOffered);
    state->SetLineFramed(0, false);

    std::vector<uint8_t> bytes;
    ASSERT_FALSE(doc.GetRSeDb()->SaveToBuffer(bytes).Failed());
    std::unique_ptr<RSeDatabase> back;
    ASSERT_FALSE(RSeDatabase::LoadFromBuffer(bytes.data(), bytes.size(), back).Failed());
    std::vector<uint8_t> again;
    ASSERT_FALSE(back->SaveToBuffer(again).Failed());
    EXPECT_EQ(again, bytes);

    auto* iso2 = dynamic_cast<DLxCFCFStdISO*>(back->FindObject(iso->GetId()));
    ASSERT_NE(iso2, nullptr);
    EXPECT_EQ(iso2->m_FrameGap, 1.5);
    EXPECT_TRUE(iso2->m_SepDatumId);
    EXPECT_TRUE(iso2->m_EndPadding);
    EXPECT_EQ(iso2->m_AuxSymbols, (std::vector<uint32_t>{1, 0, 1}));
    EXPECT_EQ(iso2->m_GdtSymbols, std::vector<uint32_t>(14, 1));
    EXPECT_EQ(iso2->GetCategoryId(), DLxCFCFStd::kCategory);
    EXPECT_EQ(iso2->GetStandardGUID(), DUxStandardGUID::GetISOGuid());
    ASSERT_TRUE(iso2->m_SymUnitAttr.HasTarget());
    EXPECT_EQ(iso2->m_SymUnitAttr->GetAltPrecision(), 5);
    auto* gb2 = dynamic_cast<DLxCBalloonStdGB*>(back->FindObject(gb->GetId()));
    ASSERT_NE(gb2, nullptr);
    EXPECT_EQ(gb2->GetDefaultBalloonType(), 4);
    auto* state2 = dynamic_cast<DLxGDTState*>(back->FindObject(state->GetId()));
    ASSERT_NE(state2, nullptr);
    EXPECT_EQ(state2->Value(DLxGDTState::kToleranceA, 0), u"0.1");
    EXPECT_EQ(state2->VariableStatus(DLxGDTState::kToleranceA, 0), 3);
    EXPECT_FALSE(state2->IsFramed(0));
    EXPECT_TRUE(state2->IsFlagOn(DLxGDTState::kNewStateFlag));

    // A document over the loaded objects finds them instead of making new ones.
    FWxSceneDoc loaded(std::move(back));
    RSeRef<DUxCategoryDefault> found = DUxStandardUtil::GetCategoryDefault(
        &loaded, DUxStandardGUID::GetISOGuid(), DLxCFCFStd::kCategory);
    EXPECT_EQ(found.get(), iso2);
    EXPECT_EQ(found->GetDocument(), &loaded);
}

} // namespace

namespace {

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

TEST(DLxStdUndo, StyleCopyVisibilityAndDefaultsAreUndone) {
    FWxSceneDoc doc;
    RSeRef<DLxCFCFStd> ansi = RSeRefCast<DLxCFCFStd>(DUxStandardUtil::GetCategoryDefault(
        &doc, DUxStandardGUID::GetANSIGuid(), DLxCFCFStd::kCategory));
    RSeSegment* seg = RSe::SegmentOf(doc.GetRSeDb());
    RSeRef<DUxFeatureControlFrameStyle> style(
        new (RSe::_GetMeta(static_cast<const DUxFeatureControlFrameStyle*>(nullptr)), seg)
            DUxFeatureControlFrameStyle());
    RSeRef<DLxGDTState> state(new (RSe::_GetMeta(static_cast<const DLxGDTState*>(nullptr)), seg)
                                  DLxGDTState(RSeRef<RDxFragment>()));
    state->AddLine();
    state->SetSymbol(0, 3);
    state->SetValue(DLxGDTState::kToleranceA, 0, u"0.2");

    ASSERT_FALSE(doc.ProcessChangeRequest(new TstRunRequest([&] {
                        ansi->CopyToStyle(style);
                        ansi->SetDefaultValueVisibility(state);
                        ansi->m_GdtSymbols.clear(); // a plain write, recorded by what follows
                        ansi->setFactoryDefaults();
                        state->SetSymbol(0, 9);
                    }))
                     .Failed());
    EXPECT_EQ(style->GetAuxSymbols(), 0x1FFu);
    EXPECT_EQ(state->VariableStatus(DLxGDTState::kToleranceB, 0), 3);
    ASSERT_FALSE(doc.Undo().Failed());
    EXPECT_EQ(style->GetAuxSymbols(), 0u);
    EXPECT_EQ(style->GetStyleDescription(), u"");
    EXPECT_EQ(style->GetEditCount(), 0);
    EXPECT_EQ(state->VariableStatus(DLxGDTState::kToleranceB, 0), 0);
    int32_t sym = 0;
    state->GetSymbol(0, sym);
    EXPECT_EQ(sym, 3);
    EXPECT_EQ(ansi->m_GdtSymbols, std::vector<uint32_t>(14, 1));
    ASSERT_FALSE(doc.Redo().Failed());
    EXPECT_EQ(style->GetAuxSymbols(), 0x1FFu);
}

} // namespace
