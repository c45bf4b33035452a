// Surface-texture standards: their options and lay symbols as they reach the drawing's styles,
// which values each standard shows, locks and clears, and the line work of the symbol.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <vector>

#include "KorvuTestSupport.h"
#include "Standard/DLxCSurfTextStd.h"
#include "Standard/DLxStdRegistration.h"
#include "Standard/DLxStdStyles.h"
#include "dl/DLxDrawing.h"
#include "dl/DLxDrawingDoc.h"
#include "du/DUxCAuxEntArray.h"
#include "du/DUxStandard.h"
#include "du/DUxSurfTXTState.h"
#include "du/DUxSurfaceTextureStyle.h"
#include "fw/FWxTranscriptMgr.h"
#include "fw/FWxUtil.h"
#include "rse/RSeMeta.h"
#include "rse/RSeTransaction.h"
#include "uc/UCxTranscriptDataExchange.h"

namespace {
using S = DUxSurfTXTState;
constexpr double kTan60 = 1.7320508075688772;

struct Std {
    const char16_t* name;
    const UTxGUID& (*guid)();
};
const UTxGUID& Gb() {
    return DLxGBStandardGUID;
}

// A drawing with the standard styles, and a symbol state outside any sheet.
struct SurfDoc {
    std::unique_ptr<DLxDrawingDoc> doc = std::make_unique<DLxDrawingDoc>();
    S state;
    SurfDoc() { DLxStdStyles::AddDocumentStyles(doc.get()); }
    DLxCSurfTextStd* Std(const UTxGUID& guid) {
        return dynamic_cast<DLxCSurfTextStd*>(
            DUxStandardUtil::GetCategoryDefault(doc.get(), guid, DLxCSurfTextStd::kCategory)
                .GetTarget());
    }
    DUxSurfaceTextureStyle* Style(const char16_t* name) {
        return dynamic_cast<DUxSurfaceTextureStyle*>(doc->GetDrawing()->FindStyle(
            RSe::_GetMeta(static_cast<const DUxSurfaceTextureStyle*>(nullptr)), name));
    }
};

// Exposes the leg-height table of the DIN family.
struct LegTable : DLxCSurfTextStd {
    using DLxCSurfTextStd::TableLegHeights;
};
} // namespace

TEST(SurfTextStd, EachStandardFillsItsStyle) {
    SurfDoc d;
    struct Row {
        Std std;
        int32_t code;
        bool fitCircle, allAround, majority, multiline;
        uint32_t mask;
        std::vector<int32_t> listed; // lay types the standard lists
    } rows[] = {
        {{u"ANSI", &DUxStandardGUID::GetANSIGuid}, 1, false, false, false, false, 0x7F,
         {1, 2, 3, 4, 5, 6, 7}},
        {{u"BSI", &DUxStandardGUID::GetBSIGuid}, 2, false, false, false, false, 0x3F,
         {1, 2, 3, 4, 5, 6}},
        {{u"DIN", &DUxStandardGUID::GetDINGuid}, 3, true, true, true, true, 0x7F,
         {1, 2, 3, 4, 5, 6, 7}},
        {{u"GB", &Gb}, 4, true, true, true, true, 0x7F, {1, 2, 3, 4, 5, 6, 7}},
        {{u"ISO", &DUxStandardGUID::GetISOGuid}, 5, true, true, true, true, 0x7F,
         {1, 2, 3, 4, 5, 6, 7}},
        // JIS offers all seven but lists six.
        {{u"JIS", &DUxStandardGUID::GetJISGuid}, 6, true, true, true, false, 0x7F,
         {1, 2, 3, 4, 5, 6}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(UTx::ToUtf8(r.std.name));
        const DUxSurfaceTextureStyle* style = d.Style(r.std.name);
        ASSERT_NE(style, nullptr);
        EXPECT_EQ(style->GetStandardCode(), r.code);
        EXPECT_EQ(style->GetFitCircle(), r.fitCircle ? 1 : 0);
        EXPECT_EQ(style->GetAllAroundAllowed(), r.allAround);
        EXPECT_EQ(style->GetMajorityAllowed(), r.majority);
        EXPECT_EQ(style->GetProductionMultiline(), r.multiline);
        EXPECT_FALSE(style->GetForceTail());
        EXPECT_EQ(style->GetLaySymbolMask(), r.mask);
        EXPECT_FALSE(style->GetStyleDescription().empty());
        // A new style counts no edits.
        EXPECT_EQ(style->GetEditCount(), 0);

        DLxCSurfTextStd::DLxSymbolDescs list;
        d.Std(r.std.guid())->GetLaySymbols(list, nullptr);
        std::vector<int32_t> listed;
        for (const auto& desc : list)
            listed.push_back(desc->m_value);
        EXPECT_EQ(listed, r.listed);
    }
}

TEST(SurfTextStd, ALayTheSymbolHasStaysAvailable) {
    SurfDoc d;
    DLxCSurfTextStd* bsi = d.Std(DUxStandardGUID::GetBSIGuid());
    // Only lay 2 offered: a symbol with lay 5 still sees its own lay.
    UTxString16 line = u"X FitCircle=false AllAroundAllowed=false ForceTail=false "
                       u"MajorityAllowed=false ProductionMultiline=false "
                       u"OfferedLaySymbols=[0,1,0,0,0,0]";
    UTxResult result;
    UCxTranscriptDataExchange tdx(line, result, d.doc.get(), false);
    ASSERT_FALSE(bsi->Transcript(tdx).Failed()) << tdx.GetResult().GetMessageUtf8();
    d.state.SetValue(S::kLay, u"5");
    DLxCSurfTextStd::DLxSymbolDescs list;
    bsi->GetLaySymbols(list, &d.state);
    std::map<int32_t, bool> enabled;
    for (const auto& desc : list)
        enabled[desc->m_value] = desc->m_enabled;
    EXPECT_EQ(enabled, (std::map<int32_t, bool>{
                           {1, false}, {2, true}, {3, false}, {4, false}, {5, true}, {6, false}}));
}

TEST(SurfTextStd, OptionsCrossStandardsThroughTheTranscript) {
    SurfDoc d;
    UTxString16 line = u"X";
    UTxResult written;
    {
        UCxTranscriptDataExchange out(line, written, d.doc.get(), true);
        ASSERT_FALSE(d.Std(DUxStandardGUID::GetDINGuid())->Transcript(out).Failed());
    }
    EXPECT_NE(line.find(u"ProductionMultiline=true"), UTxString16::npos) << UTx::ToUtf8(line);

    DLxCSurfTextStd* ansi = d.Std(DUxStandardGUID::GetANSIGuid());
    UTxResult read;
    UCxTranscriptDataExchange in(line, read, d.doc.get(), false);
    ASSERT_FALSE(ansi->Transcript(in).Failed()) << in.GetResult().GetMessageUtf8();
    EXPECT_TRUE(ansi->GetFitCircle());
    EXPECT_TRUE(ansi->GetAllAroundAllowed());
    EXPECT_TRUE(ansi->GetMajorityAllowed());
    EXPECT_TRUE(ansi->GetProductionMultiline());
    EXPECT_EQ(ansi->GetOfferedLaySymbols(), std::vector<uint32_t>(7, 1));
    // ANSI keeps hiding the switches it has no use for.
    const auto shown = ansi->ShowOptions();
    EXPECT_EQ(shown.allAround, 0);
    EXPECT_EQ(shown.productionMultiline, 0);
}

// Which values a standard offers, by what the symbol holds: 3 editable, 1 shown locked,
// 0 hidden; a cleared value is listed as cleared.
TEST(SurfTextStd, EachStandardShowsLocksAndClearsItsValues) {
    struct Row {
        const char* what;
        Std std;
        int32_t subType;
        std::map<int32_t, const char16_t*> values;
        std::map<int32_t, int32_t> visibility; // values not listed are expected hidden
        std::vector<int32_t> cleared;
    } rows[] = {
        {"DIN, empty: RaMin cleared, the second production line locked",
         {u"DIN", &DUxStandardGUID::GetDINGuid},
         1,
         {{S::kRaMin, u"0.8"}, {S::kProduction2, u"ground"}, {S::kCutoff, u"2.5"}},
         {{S::kRaMax, 3}, {S::kRaMin, 1}, {S::kAllowance, 3}, {S::kProduction, 3},
          {S::kProduction2, 1}, {S::kLay, 3}, {S::kSampLength, 3}, {S::kOtherValue, 3},
          {S::kCutoff, 1}, {S::kOtherMin, 1}},
         {S::kRaMin, S::kProduction2, S::kCutoff}},
        {"DIN, filled: RaMin, the second line and the cutoff open",
         {u"DIN", &DUxStandardGUID::GetDINGuid},
         1,
         {{S::kRaMax, u"3.2"}, {S::kProduction, u"milled"}, {S::kOtherValue, u"Rz 10"}},
         {{S::kRaMax, 3}, {S::kRaMin, 3}, {S::kAllowance, 3}, {S::kProduction, 3},
          {S::kProduction2, 3}, {S::kLay, 3}, {S::kSampLength, 3}, {S::kOtherValue, 3},
          {S::kCutoff, 3}, {S::kOtherMin, 3}},
         {}},
        {"ISO, no removal: lay and allowance cleared",
         {u"ISO", &DUxStandardGUID::GetISOGuid},
         2,
         {{S::kLay, u"3"}, {S::kAllowance, u"0.5"}, {S::kRaMax, u"1.6"}},
         {{S::kRaMax, 3}, {S::kRaMin, 3}, {S::kAllowance, 1}, {S::kProduction, 3},
          {S::kProduction2, 1}, {S::kLay, 1}, {S::kSampLength, 3}, {S::kOtherValue, 3},
          {S::kCutoff, 1}, {S::kOtherMin, 1}},
         {S::kLay, S::kAllowance}},
        {"GB never offers the cutoff",
         {u"GB", &Gb},
         0,
         {{S::kOtherValue, u"Rz 6.3"}, {S::kCutoff, u"0.8"}},
         {{S::kRaMax, 3}, {S::kRaMin, 1}, {S::kAllowance, 1}, {S::kProduction, 3},
          {S::kProduction2, 1}, {S::kLay, 3}, {S::kSampLength, 3}, {S::kOtherValue, 3},
          {S::kOtherMin, 3}},
         {}},
        {"BSI, no removal: only the roughness and the comment stay open",
         {u"BSI", &DUxStandardGUID::GetBSIGuid},
         2,
         {{S::kRaMax, u"1.6"}, {S::kProduction, u"cast"}, {S::kSampLength, u"0.8"},
          {S::kMaxRspac, u"2"}, {S::kComment, u"note"}},
         {{S::kRaMax, 3}, {S::kRaMin, 3}, {S::kAllowance, 1}, {S::kProduction, 1},
          {S::kProduction2, 1}, {S::kLay, 1}, {S::kSampLength, 1}, {S::kMaxRspac, 1},
          {S::kComment, 3}},
         {S::kProduction, S::kSampLength, S::kMaxRspac}},
        {"JIS: cutoff, other value, reference and waviness always open",
         {u"JIS", &DUxStandardGUID::GetJISGuid},
         1,
         {},
         {{S::kRaMax, 3}, {S::kRaMin, 1}, {S::kAllowance, 3}, {S::kProduction, 3}, {S::kLay, 3},
          {S::kOtherValue, 3}, {S::kCutoff, 3}, {S::kReference, 3}, {S::kWaviness, 3},
          {S::kProduction2, 1}},
         {}},
        {"ANSI without another value clears its cutoff and minimum",
         {u"ANSI", &DUxStandardGUID::GetANSIGuid},
         3,
         {{S::kCutoff, u"0.8"}, {S::kOtherMin, u"1"}, {S::kProduction2, u"x"}},
         {{S::kRaMax, 3}, {S::kRaMin, 1}, {S::kAllowance, 1}, {S::kProduction, 3}, {S::kLay, 3},
          {S::kSampLength, 3}, {S::kOtherValue, 3}, {S::kCutoff, 1}, {S::kOtherMin, 1}},
         {S::kCutoff, S::kOtherMin}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        SurfDoc d;
        d.state.SetSubType(r.subType);
        for (const auto& [v, text] : r.values)
            d.state.SetValue(v, text);
        ASSERT_FALSE(d.Std(r.std.guid())->SetValueVisibility(&d.state).Failed());
        for (int32_t v = 0; v < S::kValueCount; ++v) {
            const auto want = r.visibility.find(v);
            EXPECT_EQ(d.state.GetVariableStatus(v), want == r.visibility.end() ? 0 : want->second)
                << "value " << v;
        }
        for (int32_t v : r.cleared)
            EXPECT_TRUE(d.state.IsEmpty(v)) << "value " << v;
        for (const auto& [v, text] : r.values) {
            if (std::find(r.cleared.begin(), r.cleared.end(), v) == r.cleared.end()) {
                EXPECT_EQ(d.state.GetValue(v), text) << "value " << v;
            }
        }
    }
}

TEST(SurfTextStd, DialogValuesComeInTheStandardsOrderWithTheirPlaces) {
    SurfDoc d;
    std::vector<int32_t> values;
    DLxCSurfTextStd* din = d.Std(DUxStandardGUID::GetDINGuid());
    ASSERT_FALSE(din->GetDialogValues(&d.state, values).Failed());
    EXPECT_EQ(values, (std::vector<int32_t>{S::kRaMax, S::kRaMin, S::kAllowance, S::kProduction,
                                            S::kLay, S::kSampLength, S::kOtherValue, S::kCutoff,
                                            S::kOtherMin, S::kProduction2}));
    // Dialog order: RaMax, RaMin, Allowance, Production2, Lay, Cutoff, SampLength, OtherValue,
    // OtherMin, Production.
    const int32_t order[] = {S::kRaMax, S::kRaMin,      S::kAllowance, S::kProduction2,
                             S::kLay,   S::kCutoff,     S::kSampLength, S::kOtherValue,
                             S::kOtherMin, S::kProduction};
    for (int32_t i = 0; i < 10; ++i)
        EXPECT_EQ(d.state.GetPresentation(order[i]).dlgIndex, i) << "value " << order[i];
    EXPECT_EQ(d.state.GetPresentation(S::kProduction2).helpIndex, 2033);

    // Without a symbol nothing is appended.
    values.clear();
    EXPECT_EQ(din->GetDialogValues(nullptr, values).GetCode(), DLxCSurfTextStd::kNoSymbol);
    EXPECT_TRUE(values.empty());
}

TEST(SurfTextStd, TheDinFamilyTakesItsLegsFromTheTable) {
    struct Row {
        double h, w, H;
    } rows[] = {{2.5, 3.5, 8}, {3.5, 5, 11}, {4.25, 6, 13}, {14, 20, 42}, {26, 36, 78}};
    for (const Row& r : rows) {
        double w = 0, H = 0;
        LegTable::TableLegHeights(r.h, w, H);
        EXPECT_NEAR(w, r.w, 1e-9) << r.h;
        EXPECT_NEAR(H, r.H, 1e-9) << r.h;
    }
    // The long leg grows for values written below the first line.
    SurfDoc d;
    double w = 0, H = 0;
    d.state.SetValue(S::kOtherMin, u"1");
    d.Std(Gb())->GetLegHeights(&d.state, w, H);
    EXPECT_NEAR(H, 11 + 1.3 * 3.5, 1e-9);
    d.state.SetValue(S::kReference, u"A");
    d.Std(DUxStandardGUID::GetJISGuid())->GetLegHeights(&d.state, w, H);
    EXPECT_NEAR(H, 4.7 * 3.5, 1e-9);
}

namespace {
struct Circle {
    WqGePoint3d centre;
    double radius;
};
std::vector<Circle> Circles(const DUxCAuxEntArray& a) {
    std::vector<Circle> out;
    for (int32_t i = 0; i < a.GetSize(); ++i)
        if (auto* c = dynamic_cast<const DUxCAuxCircle*>(a.GetAt(i)))
            out.push_back({c->centre, c->radius});
    return out;
}
} // namespace

TEST(SurfTextStd, TheLineWorkFollowsTheSymbolsFlags) {
    SurfDoc d;
    DLxCSurfTextStd* din = d.Std(DUxStandardGUID::GetDINGuid());
    DLxCSurfTextStd* ansi = d.Std(DUxStandardGUID::GetANSIGuid());
    const double h = 3.5, w = 5, H = 11;
    {
        // A circle fitted to the short leg, the all-around circle at the top of the long leg.
        d.state.SetSubType(2);
        d.state.SetAllAround(true);
        DUxCAuxEntArray a;
        din->BuildSymbolGeometry(&d.state, &a, 0);
        const std::vector<Circle> c = Circles(a);
        ASSERT_EQ(c.size(), 2u);
        EXPECT_NEAR(c[0].radius, w / 3, 1e-9);
        EXPECT_NEAR(c[0].centre.y, 2 * w / 3, 1e-9);
        EXPECT_NEAR(c[1].radius, 0.45 * h, 1e-9);
        EXPECT_NEAR(c[1].centre.x, H / kTan60, 1e-9);
        EXPECT_NEAR(c[1].centre.y, H, 1e-9);
    }
    {
        // Unfitted: a circle of 0.55 h touching the legs. ANSI's text height of 0.12 inch
        // reaches the millimetre sheet as 3.048.
        DUxCAuxEntArray a;
        d.state.SetAllAround(false);
        ansi->BuildSymbolGeometry(&d.state, &a, 0);
        const std::vector<Circle> c = Circles(a);
        ASSERT_EQ(c.size(), 1u);
        EXPECT_NEAR(c[0].radius, 0.55 * 3.048, 1e-12);
        EXPECT_NEAR(c[0].centre.y, 1.1 * 3.048, 1e-12);
    }
    // The tail: 3 h when forced, as long as the texts when they are longer, else none.
    struct Tail {
        bool forced;
        double texts;
        double length; // 0: no tail
    } tails[] = {{false, 0, 0}, {true, 0, 3 * h}, {false, 20, 20}, {false, 1, 3 * h}};
    for (const Tail& t : tails) {
        d.state.SetSubType(0);
        d.state.SetForcedTail(t.forced);
        DUxCAuxEntArray a;
        din->BuildSymbolGeometry(&d.state, &a, t.texts);
        const BBox e = a.GetExtents();
        const double right = std::max(H / kTan60 + t.length, H / kTan60);
        EXPECT_NEAR(e.max.x, right, 1e-9) << t.forced << " " << t.texts;
    }
    {
        // The majority symbol repeats the legs right of the basic one; the second production
        // line lifts the long leg by 1.9 h, but not in ANSI.
        d.state.SetForcedTail(false);
        d.state.SetMajority(true);
        d.state.SetValue(S::kProduction2, u"ground");
        DUxCAuxEntArray a;
        din->BuildSymbolGeometry(&d.state, &a, 0);
        const BBox e = a.GetExtents();
        EXPECT_NEAR(e.max.y, H + 1.9 * h, 1e-9);
        const double basicWidth = H / kTan60 + w / kTan60;
        EXPECT_GT(e.max.x, basicWidth + basicWidth);
        DUxCAuxEntArray b;
        ansi->BuildSymbolGeometry(&d.state, &b, 0);
        EXPECT_NEAR(b.GetExtents().max.y, 3.3 * 3.048, 1e-9); // the majority arcs
    }
    // Without a symbol there is nothing to build or measure.
    DUxCAuxEntArray none;
    din->BuildSymbolGeometry(nullptr, &none, 0);
    EXPECT_EQ(none.GetSize(), 0);
    BBox extents;
    EXPECT_EQ(din->GetSymbolExtents(nullptr, extents).GetCode(), DLxCSurfTextStd::kNoSymbol);
}
