// The feature-control-frame state: defaults, values by variable number, the symbol offers of its
// frame style, default visibility, drawing through the frame layout, ownership of its lines
// under undo and cloning, and storage of the current and the older versions.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>

#include "KorvuTestSupport.h"
#include "Standard/DLxStdStyles.h"
#include "Symbol/DLxGDTState.h"
#include "Symbol/KorvuModule.h"
#include "TstDocWriter.h"
#include "WinModule.h"
#include "dl/DLxDrawing.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxSheet.h"
#include "du/DUxFeatureControlFrameStyle.h"
#include "du/DUxStandard.h"
#include "du/DUxSymStyleWrapUtils.h"
#include "du/DUxSymUnitAttr.h"
#include "fw/FWxChangeRequest.h"
#include "rse/RSe.h"
#include "rse/RSeCloneCommander.h"
#include "rse/RSeDatabase.h"
#include "rse/RSeSegment.h"
#include "rse/RSeTransaction.h"
#include "sm/SMxDisplayItem.h"
#include "sm/SMxDisplayList.h"
#include "uc/UCxTranscriptDataExchange.h"
#include "uc/UCxUtil.h"

namespace {

constexpr double kDegree = 0.01745329251994;
constexpr uint32_t kUnknownVariable = 0x200B0323u;

struct Line {
    int32_t symbol;
    const char16_t *tolA, *tolB, *datumA, *datumB, *datumC;
    bool framed = true;
};

std::vector<const SMxTextItem*> TextItems(const SMxDisplayList& list) {
    std::vector<const SMxTextItem*> out;
    for (const SMxDisplayItem& item : list)
        if (const auto* t = item.As<SMxTextItem>()) out.push_back(t);
    return out;
}

std::vector<UTxString16> Texts(const SMxDisplayList& list) {
    std::vector<UTxString16> out;
    for (const SMxTextItem* t : TextItems(list))
        out.push_back(t->text);
    return out;
}

const SMxTextItem* FindText(const SMxDisplayList& list, const UTxString16& text) {
    for (const SMxTextItem* t : TextItems(list))
        if (t->text == text) return t;
    return nullptr;
}

// ASCII texts for traces.
std::string Narrow(std::u16string_view text) {
    return std::string(text.begin(), text.end());
}

// Where a drawn text stands between the frame's vertical lines: the room left of its box up to
// the nearest line on that side, and right of it likewise.
struct CellRoom {
    double left = -1, right = -1;
};
CellRoom RoomAround(const SMxDisplayList& list, const SMxTextItem& text) {
    const BBox ink = text.GetBBox();
    const double centre = (ink.min.x + ink.max.x) / 2;
    double leftEdge = -1e9, rightEdge = 1e9;
    auto edge = [&](const WqGePoint3d& a, const WqGePoint3d& b) {
        if (std::abs(a.x - b.x) > 1e-9 || std::max(a.y, b.y) < ink.min.y ||
            std::min(a.y, b.y) > ink.max.y)
            return;
        if (a.x <= centre) leftEdge = std::max(leftEdge, a.x);
        if (a.x >= centre) rightEdge = std::min(rightEdge, a.x);
    };
    for (const SMxDisplayItem& item : list) {
        if (const auto* l = item.As<SMxLineItem>()) edge(l->start, l->end);
        if (const auto* p = item.As<SMxPolylineItem>())
            for (int32_t i = 0; i + 1 < p->points.length(); ++i)
                edge(p->points[i], p->points[i + 1]);
    }
    return {ink.min.x - leftEdge, rightEdge - ink.max.x};
}

std::vector<uint8_t> ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

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

// A drawing with one sheet and the six standard frame styles; frames take the ANSI one.
class GDTStateTest : public ::testing::Test {
protected:
    GDTStateTest() : sheet(doc.CreateSheet(u"S", 420, 297)) {
        DLxStdStyles::AddDocumentStyles(&doc);
    }

    DUxFeatureControlFrameStyle* Style() { return DUxSymStyleWrapUtils::GetDocumentFCFStyle(&doc); }
    double Cell() { return 2 * Style()->GetTextStyle().GetFontSize(); }
    void RemoveStyles() { doc.GetDrawing()->SetStandardName(u"NONE"); }

    static void Set(DLxGDTState* st, int32_t i, const Line& l) {
        while (st->GetNumberOfLines() <= i)
            st->AddLine();
        st->SetSymbol(i, l.symbol);
        st->SetValue(DLxGDTState::kToleranceA, i, l.tolA);
        st->SetValue(DLxGDTState::kToleranceB, i, l.tolB);
        st->SetValue(DLxGDTState::kDatumA, i, l.datumA);
        st->SetValue(DLxGDTState::kDatumB, i, l.datumB);
        st->SetValue(DLxGDTState::kDatumC, i, l.datumC);
        st->SetLineFramed(i, l.framed);
    }
    static SMxDisplayList Draw(DLxGDTState* st) {
        SMxDisplayList list, texts;
        st->GenGraphics(list, texts, 0, UTxGUID(), false, 0);
        EXPECT_TRUE(texts.IsEmpty()); // everything goes to the first list
        return list;
    }

    DLxDrawingDoc doc;
    DLxSheet* sheet;
};

TEST_F(GDTStateTest, NewStateHasThreeFramedLinesWithPositionOnTheFirst) {
    EXPECT_EQ(DLxGDTState::Create(nullptr), nullptr);
    DLxGDTState* st = DLxGDTState::Create(sheet);
    ASSERT_NE(st, nullptr);
    EXPECT_TRUE(sheet->HasNode(st));
    EXPECT_EQ(st->GetSegment(), sheet->GetSegment());
    EXPECT_STREQ(st->GetInternalName(), "FeatureControlFrame");
    EXPECT_TRUE(st->IsFlagOn(DLxGDTState::kNewStateFlag));
    ASSERT_EQ(st->GetNumberOfLines(), 3);
    EXPECT_EQ(st->GetLineSymbolCode(0), 10);
    EXPECT_EQ(st->Value(DLxGDTState::kSymbolValue, 0), u"10");
    EXPECT_EQ(st->Value(DLxGDTState::kToleranceA, 0), u"0.000");
    for (int32_t i = 0; i < 3; ++i) {
        EXPECT_TRUE(st->IsFramed(i)) << i;
        EXPECT_EQ(st->GetLine(i)->GetSegment(), sheet->GetSegment());
        EXPECT_EQ(st->VariableStatus(DLxGDTState::kToleranceA, i), DUxValue::kVisibilityDefault);
    }
    for (int32_t i = 1; i < 3; ++i)
        for (DLxSym::Variable v :
             {DLxGDTState::kSymbolValue, DLxGDTState::kToleranceA, DLxGDTState::kToleranceB,
              DLxGDTState::kDatumA, DLxGDTState::kDatumB, DLxGDTState::kDatumC})
            EXPECT_TRUE(st->Value(v, i).empty()) << i << " " << v;
    EXPECT_EQ(st->GetLineSymbolCode(1), 0);
    EXPECT_FALSE(st->HasDatumIdentifier());
    EXPECT_NE(st->GetDatumIdentifier(), nullptr);
    EXPECT_EQ(st->GetRotationAngle(), 0.0);
    EXPECT_EQ(st->GetAttachOffset(), 0.0);
    EXPECT_EQ(st->GetDatumIdentifierWidth(), 0.0);
    int32_t note = -1;
    EXPECT_FALSE(st->FindNoteLine(&note));
    EXPECT_EQ(note, -1);
}

TEST_F(GDTStateTest, DefaultSymbolIsPositionWhenOfferedElseTheFirstOffered) {
    struct Case {
        uint32_t mask;
        int32_t expected;
    };
    const Case cases[] = {
        {0x3FFFF, 10},
        {(1u << 2) | (1u << 5), 3},    // circularity before angularity
        {(1u << 13) | (1u << 3), 4},   // cylindricity (bit 13) stands fourth in the list
        {(1u << 12) | (1u << 16), 29}, // 29 stands before 14
        {1u << 15, 28},
        {0, 10}, // nothing offered
    };
    for (const Case& c : cases) {
        Style()->SetGdtSymbols(c.mask);
        DLxGDTState* st = DLxGDTState::Create(sheet);
        st->SetSymbol(0, 1);
        st->SelectDefaultSymbol();
        EXPECT_EQ(st->GetLineSymbolCode(0), c.expected) << std::hex << c.mask;
    }
    DLxGDTState* st = DLxGDTState::Create(sheet);
    RemoveStyles();
    st->SelectDefaultSymbol();
    EXPECT_EQ(st->GetLineSymbolCode(0), 0);
}

TEST_F(GDTStateTest, DescriptorTablesFollowTheStyleMasksInOfferingOrder) {
    struct Row {
        int32_t code;
        uint32_t nameId, bitmapId;
        int32_t bit;
    };
    const Row geometric[] = {
        {1, 8333, 7764, 0},   {2, 8320, 7754, 1},   {3, 8318, 7752, 2},   {4, 8319, 7753, 13},
        {5, 8324, 7759, 3},   {6, 8326, 7761, 4},   {7, 8315, 7750, 5},   {8, 8322, 7757, 6},
        {9, 8321, 7756, 7},   {10, 8323, 7758, 8},  {11, 8316, 7751, 9},  {13, 8329, 7762, 10},
        {29, 8512, 8510, 16}, {12, 8334, 7765, 11}, {14, 8330, 7763, 12}, {30, 8513, 8511, 17},
        {27, 8508, 8506, 14}, {28, 8509, 8507, 15},
    };
    const Row auxiliary[] = {
        {16, 8379, 7772, 0}, {15, 8377, 7771, 1}, {17, 8384, 7775, 2},   {18, 8388, 7778, 3},
        {19, 8376, 7770, 4}, {21, 8386, 7776, 5}, {22, 8387, 7777, 6},   {24, 8373, 7767, 7},
        {23, 8374, 7768, 8}, {20, 8375, 7769, 9}, {25, 8385, 13090, 10}, {26, 13237, 13091, 11},
    };
    // The names and pictures come from the resource module.
    const std::filesystem::path bin = std::filesystem::path(KORVU_BIN).parent_path();
    HMODULE module = LoadLibraryW(UTx::MakeWideString((bin / "libkorvu.so").string()).c_str());
    ASSERT_NE(module, nullptr);

    DLxGDTState* st = DLxGDTState::Create(sheet);
    struct Table {
        const char* name;
        const Row* rows;
        size_t count;
        void (DUxFeatureControlFrameStyle::*setMask)(uint32_t);
        void (DLxGDTState::*get)(DLxSymbolStdInfo::DLxSymbolDescs&) const;
    };
    const Table tables[] = {
        {"geometric", geometric, std::size(geometric), &DUxFeatureControlFrameStyle::SetGdtSymbols,
         &DLxGDTState::GetGeometricSymbolDescs},
        {"auxiliary", auxiliary, std::size(auxiliary), &DUxFeatureControlFrameStyle::SetAuxSymbols,
         &DLxGDTState::GetAuxiliarySymbolDescs},
    };
    for (const Table& t : tables) {
        SCOPED_TRACE(t.name);
        for (size_t k = 0; k < t.count; ++k) {
            // One bit set: exactly the entry it belongs to is enabled.
            (Style()->*t.setMask)(1u << t.rows[k].bit);
            DLxSymbolStdInfo::DLxSymbolDescs list;
            (st->*t.get)(list);
            ASSERT_EQ(list.size(), t.count);
            for (size_t j = 0; j < t.count; ++j) {
                const DLxCSymbolDesc& d = *list[j];
                EXPECT_EQ(d.m_value, t.rows[j].code) << j;
                EXPECT_EQ(d.m_nameId, t.rows[j].nameId) << j;
                EXPECT_EQ(d.m_bitmapId, t.rows[j].bitmapId) << j;
                EXPECT_EQ(d.m_enabled, j == k) << "bit " << t.rows[k].bit << " entry " << j;
                EXPECT_EQ(d.m_position, -1);
                EXPECT_FALSE(d.m_name.empty()) << j;
                EXPECT_NE(d.m_hBitmap, nullptr) << j;
            }
        }
    }
    DLxSymbolStdInfo::DLxSymbolDescs list;
    st->GetGeometricSymbolDescs(list);
    EXPECT_EQ(list[9]->m_name, u"Position");
    EXPECT_EQ(list[1]->m_name, u"Flatness");
    EXPECT_TRUE(FreeLibrary(module));

    // Without a frame style nothing is offered; the list keeps what it had.
    RemoveStyles();
    st->GetGeometricSymbolDescs(list);
    st->GetAuxiliarySymbolDescs(list);
    EXPECT_EQ(list.size(), std::size(geometric));
}

TEST_F(GDTStateTest, ValuesByVariableNumberKeepToTheirLines) {
    DLxGDTState* st = DLxGDTState::Create(sheet);
    const DLxSym::Variable unknown = DLxSym::Variable(15);

    EXPECT_FALSE(st->SetValue(DLxGDTState::kToleranceB, 1, u"0.1").Failed());
    EXPECT_EQ(st->Value(DLxGDTState::kToleranceB, 1), u"0.1");
    EXPECT_EQ(st->GetLineToleranceB(1)->GetText(), u"0.1");
    EXPECT_TRUE(st->Value(DLxGDTState::kToleranceB, 0).empty());
    EXPECT_FALSE(st->SetValue(DLxGDTState::kSymbolValue, 2, u"5").Failed());
    EXPECT_EQ(st->GetLineSymbolCode(2), 5);
    EXPECT_EQ(st->GetLineSymbolValue(2)->GetValue(), 5);

    // A line index outside the lines changes nothing and succeeds, before the number counts.
    for (int32_t bad : {-1, 3, 100}) {
        EXPECT_FALSE(st->SetValue(DLxGDTState::kDatumA, bad, u"X").Failed()) << bad;
        EXPECT_FALSE(st->SetValue(unknown, bad, u"X").Failed()) << bad;
        EXPECT_FALSE(st->SetValue(DLxGDTState::kDatumIdentifier, bad, u"X").Failed()) << bad;
        EXPECT_FALSE(st->SetVariableStatus(DLxGDTState::kDatumA, bad, DUxValue::kOffered).Failed());
        EXPECT_EQ(st->VariableStatus(DLxGDTState::kToleranceA, bad), 0) << bad;
        EXPECT_EQ(st->VariableStatus(DLxGDTState::kDatumIdentifier, bad), 0) << bad;
    }
    for (int32_t i = 0; i < 3; ++i)
        EXPECT_TRUE(st->Value(DLxGDTState::kDatumA, i).empty());
    EXPECT_FALSE(st->HasDatumIdentifier());

    // Numbers that name no value.
    for (int32_t n : {0, 15, 17, 26, 28, -3}) {
        EXPECT_EQ(st->SetValue(DLxSym::Variable(n), 0, u"X").GetCode(), kUnknownVariable) << n;
        EXPECT_EQ(st->SetVariableStatus(DLxSym::Variable(n), 0, DUxValue::kOffered).GetCode(),
                  kUnknownVariable)
            << n;
        EXPECT_EQ(st->VariableStatus(DLxSym::Variable(n), 0), 0) << n;
    }

    // 27 sets the datum identifier from any line; 27 and every unknown number read it back.
    EXPECT_FALSE(st->SetValue(DLxGDTState::kDatumIdentifier, 2, u"D").Failed());
    EXPECT_TRUE(st->HasDatumIdentifier());
    EXPECT_EQ(st->Value(DLxGDTState::kDatumIdentifier, 0), u"D");
    EXPECT_EQ(st->Value(unknown, 1), u"D");
    EXPECT_EQ(st->Value(DLxSym::Variable(99), 0), u"D");
    EXPECT_FALSE(
        st->SetVariableStatus(DLxGDTState::kDatumIdentifier, 1, DUxValue::kOffered).Failed());
    EXPECT_EQ(st->VariableStatus(DLxGDTState::kDatumIdentifier, 0), DUxValue::kOffered);
    EXPECT_EQ(st->GetDatumIdentifier()->GetVisibility(), DUxValue::kOffered);
    EXPECT_FALSE(st->SetVariableStatus(DLxGDTState::kDatumC, 2, DUxValue::kWithdrawn).Failed());
    EXPECT_EQ(st->VariableStatus(DLxGDTState::kDatumC, 2), DUxValue::kWithdrawn);
    EXPECT_EQ(st->VariableStatus(DLxGDTState::kDatumC, 1), DUxValue::kVisibilityDefault);

    // Getters by index clamp to line 0, setters ignore a bad index.
    EXPECT_EQ(st->GetLineToleranceA(7), st->GetLineToleranceA(0));
    EXPECT_EQ(st->GetLineDatumC(-2), st->GetLineDatumC(0));
    EXPECT_EQ(st->GetLineSymbolCode(7), 0);
    int32_t code = -5;
    st->GetSymbol(7, code);
    EXPECT_EQ(code, -5);
    st->SetSymbol(7, 3);
    st->SetLineFramed(7, false);
    st->SetLineToleranceADispStr(7, u"x");
    EXPECT_TRUE(st->GetLineToleranceADispStr(7).empty());
    EXPECT_FALSE(st->IsFramed(7));
    EXPECT_EQ(st->GetLineWidth(7), 0.0);

    // Symbol 0 shows no text, so that an unframed line without symbol reads as a note.
    st->SetSymbol(0, 0);
    EXPECT_TRUE(st->Value(DLxGDTState::kSymbolValue, 0).empty());

    EXPECT_EQ(st->AddLine(), 4);
    EXPECT_EQ(st->RemoveLastLine(), 3);
    EXPECT_EQ(st->RemoveLastLine(), 2);
    EXPECT_EQ(st->RemoveLastLine(), 1);
    EXPECT_EQ(st->RemoveLastLine(), 1);
}

TEST_F(GDTStateTest, DefaultVisibilityOffersWhatTheLinesUseAndTheStyleAllows) {
    struct Case {
        bool allowTolerance2, datumId;
    };
    for (const Case c : {Case{true, true}, Case{false, false}}) {
        SCOPED_TRACE(testing::Message()
                     << "tolerance 2 " << c.allowTolerance2 << " datum id " << c.datumId);
        Style()->SetAllowTolerance2(c.allowTolerance2);
        Style()->SetDatumId(c.datumId);
        DLxGDTState* st = DLxGDTState::Create(sheet);
        Set(st, 0, {10, u"0.1", u"", u"A", u"", u""});
        Set(st, 1, {0, u"NOTE", u"", u"", u"", u"", false});
        Set(st, 2, {0, u"", u"", u"", u"", u""});
        Set(st, 3, {5, u"", u"0.2", u"B", u"C", u"D"});
        Set(st, 4, {6, u"0.3", u"", u"A", u"B", u""});
        st->SetDefaultVisibility();
        const int32_t o = c.allowTolerance2 ? 3 : 1;
        // symbol, tolerance A, tolerance B, datum A, datum B, datum C
        const int32_t expected[5][6] = {
            {3, 3, o, 3, 3, 1}, // datum A given: datum B offered, datum C not
            {3, 3, o, 3, 1, 1}, // the note line shows its text
            {3, 1, 1, 1, 1, 1}, // an empty line
            {3, 3, 1, 1, 1, 1}, // no tolerance A: nothing after it
            {3, 3, o, 3, 3, 3},
        };
        const DLxSym::Variable vars[6] = {DLxGDTState::kSymbolValue, DLxGDTState::kToleranceA,
                                          DLxGDTState::kToleranceB,  DLxGDTState::kDatumA,
                                          DLxGDTState::kDatumB,      DLxGDTState::kDatumC};
        for (int32_t i = 0; i < 5; ++i)
            for (int k = 0; k < 6; ++k)
                EXPECT_EQ(st->VariableStatus(vars[k], i), expected[i][k])
                    << "line " << i << " variable " << vars[k];
        EXPECT_EQ(st->VariableStatus(DLxGDTState::kDatumIdentifier, 0), c.datumId ? 3 : 1);
    }
    // Without a style every field but the symbol is withdrawn.
    DLxGDTState* st = DLxGDTState::Create(sheet);
    RemoveStyles();
    st->SetDefaultVisibility();
    EXPECT_EQ(st->VariableStatus(DLxGDTState::kSymbolValue, 0), 3);
    EXPECT_EQ(st->VariableStatus(DLxGDTState::kToleranceA, 0), 1);
    EXPECT_EQ(st->VariableStatus(DLxGDTState::kDatumIdentifier, 0), 1);
}

TEST_F(GDTStateTest, AnEmptyToleranceAEndsAOneLineFrameAnEmptyToleranceBDoesNot) {
    struct Case {
        Line line;
        std::vector<UTxString16> texts; // after the symbol
    };
    const Case cases[] = {
        {{10, u"", u"0.2", u"A", u"B", u"C"}, {}},
        {{10, u"0.1", u"", u"A", u"B", u""}, {u"0.1", u"A", u"B"}},
        {{10, u"0.1", u"0.2", u"A", u"", u"C"}, {u"0.1", u"0.2", u"A"}},
    };
    for (const Case& c : cases) {
        DLxGDTState* st = DLxGDTState::Create(sheet);
        Set(st, 0, c.line);
        std::vector<UTxString16> texts = Texts(Draw(st));
        ASSERT_FALSE(texts.empty());
        texts.erase(texts.begin());
        EXPECT_EQ(texts, c.texts) << UTx::ToUtf8(c.line.tolA) << "|" << UTx::ToUtf8(c.line.tolB);
        EXPECT_GT(st->GetLineWidth(0), 0.0);
        EXPECT_EQ(st->GetLineWidth(1), 0.0);
    }
}

// A frame state with unit attributes of its own or the standard's notation.
class TstUnitsState : public DLxGDTState {
public:
    using DLxGDTState::DLxGDTState;
    bool GetUseStandardsNotation() const override { return m_standard; }
    const DUxSymUnitAttr* GetUnitAttributes() const override { return m_units; }
    bool m_standard = false;
    const DUxSymUnitAttr* m_units = nullptr;
};

TEST_F(GDTStateTest, TolerancesShowAlternateUnitsWhenTheUnitAttributesSaySo) {
    DUxSymUnitAttr units;
    units.SetFactoryDefaults(); // millimetres, inches at precision 3
    units.SetField(DUxUnitField::DisplayAltUnit, 1);
    auto make = [&] {
        auto* st = new (RSe::_GetMeta(static_cast<const DLxGDTState*>(nullptr)),
                        sheet->GetSegment()) TstUnitsState(RSeRef<RDxFragment>(sheet));
        sheet->AddNode(st);
        return st;
    };
    {
        TstUnitsState* st = make();
        Set(st, 0, {10, u"25.4", u"12.7", u"A", u"", u""});
        EXPECT_EQ(Texts(Draw(st)).size(), 4u); // numbers as typed without attributes
        st->m_units = &units;
        const SMxDisplayList list = Draw(st);
        EXPECT_NE(FindText(list, u"25.4 [1.000]"), nullptr);
        EXPECT_NE(FindText(list, u"12.7 [0.500]"), nullptr);
        EXPECT_NE(FindText(list, u"A"), nullptr);
        EXPECT_EQ(st->GetLineToleranceADispStr(0), u"25.4 [1.000]");
        EXPECT_EQ(st->GetLineToleranceBDispStr(0), u"12.7 [0.500]");
        EXPECT_EQ(st->Value(DLxGDTState::kToleranceA, 0), u"25.4"); // the value stays as typed
    }
    {
        // Several lines: a line without symbol keeps its free text as typed.
        TstUnitsState* st = make();
        st->m_units = &units;
        Set(st, 0, {10, u"25.4", u"", u"", u"", u""});
        Set(st, 1, {5, u"2.54", u"", u"", u"", u""});
        Set(st, 2, {0, u"NOTE 25.4", u"", u"", u"", u"", false});
        const SMxDisplayList list = Draw(st);
        EXPECT_NE(FindText(list, u"25.4 [1.000]"), nullptr);
        EXPECT_NE(FindText(list, u"2.54 [0.100]"), nullptr);
        EXPECT_NE(FindText(list, u"NOTE 25.4"), nullptr);
        EXPECT_EQ(st->GetLineToleranceADispStr(2), u"NOTE 25.4");
    }
    {
        // The standard's notation: the style's attributes (here the standard's own style).
        TstUnitsState* st = make();
        st->m_standard = true;
        Set(st, 0, {10, u"25.4", u"", u"", u"", u""});
        EXPECT_NE(FindText(Draw(st), u"25.4"), nullptr);
        Style()->SetUnitValue(DUxUnitField::DisplayAltUnit, 1);
        Style()->SetUnitValue(DUxUnitField::PrimUnitType, 1);
        Style()->SetUnitValue(DUxUnitField::AltUnitType, 2);
        Style()->SetUnitValue(DUxUnitField::AltPrecision, 2);
        EXPECT_NE(FindText(Draw(st), u"25.4 [1.00]"), nullptr);
    }
}

TEST_F(GDTStateTest, NothingIsDrawnWithoutAFirstLineToShowOrWithoutAStyle) {
    struct Case {
        const char* name;
        Line first;
        bool drawn;
    };
    const Case cases[] = {
        {"framed without symbol", {0, u"0.1", u"", u"A", u"", u""}, false},
        {"unframed and empty", {0, u"", u"", u"", u"", u"", false}, false},
        {"unframed text above the frame", {0, u"TOP", u"", u"", u"", u"", false}, true},
    };
    for (const Case& c : cases) {
        DLxGDTState* st = DLxGDTState::Create(sheet);
        Set(st, 0, c.first);
        Set(st, 1, {5, u"0.2", u"", u"", u"", u""});
        const SMxDisplayList list = Draw(st);
        EXPECT_EQ(!list.IsEmpty(), c.drawn) << c.name;
        if (c.drawn) {
            EXPECT_NE(FindText(list, u"TOP"), nullptr);
        }
    }
    DLxGDTState* st = DLxGDTState::Create(sheet);
    RemoveStyles();
    EXPECT_TRUE(Draw(st).IsEmpty());
}

TEST_F(GDTStateTest, DatumIdentifierFollowsTheLastFramedLineWithASymbol) {
    const double cell = Cell();
    {
        // One line: the identifier is layout line 1, right under it.
        DLxGDTState* st = DLxGDTState::Create(sheet);
        Set(st, 0, {10, u"0.1", u"", u"", u"", u""});
        st->SetValue(DLxGDTState::kDatumIdentifier, 0, u"D");
        const SMxDisplayList list = Draw(st);
        const SMxTextItem* tol = FindText(list, u"0.1");
        const SMxTextItem* id = FindText(list, u"D");
        ASSERT_TRUE(tol && id);
        EXPECT_NEAR(id->position.y - tol->position.y, -cell, 1e-9);
        EXPECT_GT(st->GetDatumIdentifierWidth(), 0.0);
        EXPECT_NEAR(id->position.x, st->GetDatumIdentifierWidth() / 2, 1e-9);
        EXPECT_GT(st->GetLineWidth(0), st->GetDatumIdentifierWidth());
    }
    {
        // Two framed lines and a note: the identifier comes between them and the note, and the
        // note line keeps the width of its own text.
        DLxGDTState* st = DLxGDTState::Create(sheet);
        Set(st, 0, {10, u"0.1", u"", u"", u"", u""});
        Set(st, 1, {5, u"0.2", u"", u"", u"", u""});
        Set(st, 2, {0, u"NOTE", u"", u"", u"", u"", false});
        st->SetValue(DLxGDTState::kDatumIdentifier, 0, u"D");
        int32_t note = -1;
        ASSERT_TRUE(st->FindNoteLine(&note));
        EXPECT_EQ(note, 2);
        const SMxDisplayList list = Draw(st);
        const SMxTextItem* top = FindText(list, u"0.1");
        const SMxTextItem* id = FindText(list, u"D");
        const SMxTextItem* noteText = FindText(list, u"NOTE");
        ASSERT_TRUE(top && id && noteText);
        EXPECT_NEAR(id->position.y - top->position.y, -2 * cell, 1e-9);
        EXPECT_NEAR(noteText->position.y - top->position.y, -3 * cell, 1e-9);
        EXPECT_NEAR(st->GetLineWidth(2), 2 * noteText->position.x, 1e-9);
        EXPECT_NEAR(id->position.x, st->GetDatumIdentifierWidth() / 2, 1e-9);
        EXPECT_FALSE(st->IsFramed(2));
    }
    {
        // Unframed lines after the last one drawn are framed again; a drawn note stays.
        DLxGDTState* st = DLxGDTState::Create(sheet);
        Set(st, 1, {5, u"0.2", u"", u"", u"", u""});
        Set(st, 2, {0, u"NOTE", u"", u"", u"", u"", false});
        Set(st, 3, {0, u"", u"", u"", u"", u"", false});
        Set(st, 4, {0, u"", u"", u"", u"", u"", false});
        Draw(st);
        EXPECT_FALSE(st->IsFramed(2));
        EXPECT_TRUE(st->IsFramed(3));
        EXPECT_TRUE(st->IsFramed(4));
        EXPECT_EQ(st->GetDatumIdentifierWidth(), 0.0);
    }
}

// The standards give a cell's white space in centimetres; on our millimetre sheets a new
// drawing's frames must still leave a visible margin either side of every text, as a drafter
// draws them. A stored drawing keeps the white space it stored: no reader converts again.
TEST_F(GDTStateTest, NewDrawingFramesLeaveAMarginAroundToleranceAndDatumTexts) {
    struct Row {
        const char16_t* standard;
        double whiteSpace; // sheet millimetres
    };
    const Row rows[] = {{u"ANSI", 0.89}, {u"BSI", 1.0}, {u"DIN", 1.0},
                        {u"GB", 1.0},    {u"ISO", 1.0}, {u"JIS", 1.0}};
    for (const Row& r : rows) {
        SCOPED_TRACE(Narrow(r.standard));
        doc.GetDrawing()->SetStandardName(r.standard);
        ASSERT_NE(Style(), nullptr);
        EXPECT_DOUBLE_EQ(Style()->GetWhiteSpace(), r.whiteSpace);
        const double font = Style()->GetTextStyle().GetFontSize();
        DLxGDTState* st = DLxGDTState::Create(sheet);
        Set(st, 0, {10, u"0.1", u"", u"A", u"B", u""});
        const SMxDisplayList list = Draw(st);
        for (const char16_t* text : {u"0.1", u"A", u"B"}) {
            SCOPED_TRACE(Narrow(text));
            const SMxTextItem* item = FindText(list, text);
            ASSERT_NE(item, nullptr);
            const CellRoom room = RoomAround(list, *item);
            // A tenth of the text height each side: visibly apart from the cell's lines.
            EXPECT_GE(room.left, 0.1 * font);
            EXPECT_GE(room.right, 0.1 * font);
            EXPECT_NEAR(room.left + room.right, r.whiteSpace, 1e-9);
        }
    }

    doc.GetDrawing()->SetStandardName(u"ISO");
    Style()->SetWhiteSpace(0.1);
    DLxGDTState* st = DLxGDTState::Create(sheet);
    Set(st, 0, {10, u"0.1", u"", u"A", u"", u""});
    const uint32_t id = st->GetId();
    KorvuTempDir dir;
    ASSERT_FALSE(doc.Save(dir.File("a.kdoc")).Failed());
    std::unique_ptr<DLxDrawingDoc> loaded;
    const UTxResult result = DLxDrawingDoc::Open(dir.File("a.kdoc"), loaded);
    ASSERT_FALSE(result.Failed()) << result.GetMessageUtf8();
    loaded->GetDrawing()->SetStandardName(u"ISO");
    auto* back = dynamic_cast<DLxGDTState*>(loaded->GetRSeDb()->FindObject(id));
    ASSERT_NE(back, nullptr);
    const SMxDisplayList list = Draw(back);
    const SMxTextItem* datum = FindText(list, u"A");
    ASSERT_NE(datum, nullptr);
    const CellRoom room = RoomAround(list, *datum);
    EXPECT_NEAR(room.left + room.right, 0.1, 1e-9);
}

TEST_F(GDTStateTest, AttachOffsetIsAcrossTheReadingDirection) {
    const double h = Cell();
    struct Case {
        double degrees;
        double offset; // the frame's one line spans y from -h to 0 unturned
    };
    const Case cases[] = {{0, -h / 2}, {90, h / 2}, {180, h / 2}, {270, -h / 2}};
    for (const Case& c : cases) {
        DLxGDTState* st = DLxGDTState::Create(sheet);
        st->SetRotationAngle(c.degrees * kDegree);
        const SMxDisplayList list = Draw(st);
        EXPECT_NEAR(st->GetAttachOffset(), c.offset, 1e-9) << c.degrees;
        const BBox box = list.GetBBox();
        const bool upright = c.degrees == 0 || c.degrees == 180;
        // The frame itself turned: its height lies along y upright, along x at quarter turns.
        EXPECT_NEAR(upright ? box.max.y - box.min.y : box.max.x - box.min.x, h, 1e-9) << c.degrees;
    }
    // At any other angle the offset is still read along y.
    DLxGDTState* st = DLxGDTState::Create(sheet);
    st->SetRotationAngle(45 * kDegree);
    Draw(st);
    const double width = st->GetLineWidth(0);
    const double s = std::sqrt(0.5);
    // Corners (0,0), (w,0), (w,-h), (0,-h) turned by 45 degrees: y from -h s to w s.
    EXPECT_NEAR(st->GetAttachOffset(), (width * s - h * s) / 2, 1e-9);
}

TEST_F(GDTStateTest, NoteLineOffsetIsTheHeightBelowTheFramedLines) {
    const double cell = Cell();
    struct Case {
        double degrees;
        BBox box;
        bool datumId;
        double expected;
    };
    const Case cases[] = {
        {0, BBox({0, -30, 0}, {40, 0, 0}), false, 30 - 2 * cell},
        {0, BBox({0, -30, 0}, {40, 0, 0}), true, 30 - 3 * cell},
        {90, BBox({0, 0, 0}, {30, 40, 0}), false, 30 - 2 * cell},
    };
    for (const Case& c : cases) {
        DLxGDTState* st = DLxGDTState::Create(sheet);
        Set(st, 2, {0, u"NOTE", u"", u"", u"", u"", false});
        st->SetRotationAngle(c.degrees * kDegree);
        st->SetBoundingBox(c.box);
        if (c.datumId) st->SetValue(DLxGDTState::kDatumIdentifier, 0, u"D");
        EXPECT_NEAR(st->GetNoteLineOffset(true), c.expected, 1e-9) << c.degrees;
        EXPECT_NEAR(st->GetNoteLineOffset(false), cell, 1e-12);
    }
    DLxGDTState* st = DLxGDTState::Create(sheet);
    st->SetBoundingBox(BBox({0, -30, 0}, {40, 0, 0}));
    EXPECT_EQ(st->GetNoteLineOffset(true), 0.0);
}

TEST_F(GDTStateTest, DeletingAStateTakesItsLinesAndValuesAndUndoBringsThemBack) {
    DLxGDTState* st = DLxGDTState::Create(sheet);
    Set(st, 0, {10, u"0.3", u"", u"A", u"", u""});
    st->SetValue(DLxGDTState::kDatumIdentifier, 0, u"D");
    RSeDatabase* db = doc.GetRSeDb();
    const uint32_t stateId = st->GetId();
    std::vector<RSeVMeta*> owned;
    st->GetOwnedObjects(owned);
    ASSERT_EQ(owned.size(), 3u * 7u + 1u);
    std::vector<uint32_t> ids;
    for (RSeVMeta* o : owned)
        ids.push_back(static_cast<RSeIDed*>(o)->GetId());
    const uint32_t lastLineId = st->GetLine(2)->GetId();
    const uint32_t lastLineValueId = st->GetLine(2)->ToleranceA()->GetId();

    ASSERT_FALSE(
        doc.ProcessChangeRequest(new TstRunRequest([&] { sheet->DeleteNode(st); })).Failed());
    EXPECT_EQ(db->FindObject(stateId), nullptr);
    for (uint32_t id : ids)
        EXPECT_EQ(db->FindObject(id), nullptr) << id;

    ASSERT_FALSE(doc.Undo().Failed());
    auto* back = dynamic_cast<DLxGDTState*>(db->FindObject(stateId));
    ASSERT_NE(back, nullptr);
    for (uint32_t id : ids)
        EXPECT_NE(db->FindObject(id), nullptr) << id;
    EXPECT_TRUE(sheet->HasNode(back));
    EXPECT_EQ(back->Value(DLxGDTState::kToleranceA, 0), u"0.3");
    EXPECT_EQ(back->Value(DLxGDTState::kDatumA, 0), u"A");
    EXPECT_EQ(back->Value(DLxGDTState::kDatumIdentifier, 0), u"D");

    ASSERT_FALSE(doc.Redo().Failed());
    EXPECT_EQ(db->FindObject(stateId), nullptr);
    for (uint32_t id : ids)
        EXPECT_EQ(db->FindObject(id), nullptr) << id;
    ASSERT_FALSE(doc.Undo().Failed());

    // Removing a line takes its values; undo restores both.
    back = dynamic_cast<DLxGDTState*>(db->FindObject(stateId));
    ASSERT_NE(back, nullptr);
    ASSERT_FALSE(
        doc.ProcessChangeRequest(new TstRunRequest([&] { back->RemoveLastLine(); })).Failed());
    EXPECT_EQ(back->GetNumberOfLines(), 2);
    EXPECT_EQ(db->FindObject(lastLineId), nullptr);
    EXPECT_EQ(db->FindObject(lastLineValueId), nullptr);
    ASSERT_FALSE(doc.Undo().Failed());
    EXPECT_EQ(back->GetNumberOfLines(), 3);
    EXPECT_EQ(back->GetLine(2), db->FindObject(lastLineId));
    EXPECT_EQ(back->GetLineToleranceA(2), db->FindObject(lastLineValueId));
}

TEST_F(GDTStateTest, AClonedStateOwnsCopiesOfItsLines) {
    DLxGDTState* st = DLxGDTState::Create(sheet);
    Set(st, 1, {5, u"0.2", u"", u"B", u"", u"", false});
    st->SetValue(DLxGDTState::kDatumIdentifier, 0, u"D");
    st->SetVariableStatus(DLxGDTState::kDatumA, 1, DUxValue::kOffered);
    st->SetRotationAngle(0.25);
    RSeSegment* transient = RSe::TransientSegment();
    RSeCloneCommander cc(transient);
    ASSERT_FALSE(cc.Clone({st}).Failed());
    auto* copy = dynamic_cast<DLxGDTState*>(cc.CloneOf(st));
    ASSERT_NE(copy, nullptr);
    ASSERT_EQ(copy->GetNumberOfLines(), 3);
    for (int32_t i = 0; i < 3; ++i) {
        EXPECT_NE(copy->GetLine(i), st->GetLine(i));
        EXPECT_EQ(copy->GetLine(i)->GetSegment(), transient);
        EXPECT_NE(copy->GetLineToleranceA(i), st->GetLineToleranceA(i));
        EXPECT_EQ(copy->IsFramed(i), st->IsFramed(i));
        EXPECT_EQ(copy->GetLineSymbolCode(i), st->GetLineSymbolCode(i));
        EXPECT_EQ(copy->Value(DLxGDTState::kToleranceA, i), st->Value(DLxGDTState::kToleranceA, i));
    }
    EXPECT_EQ(copy->Value(DLxGDTState::kDatumA, 1), u"B");
    EXPECT_EQ(copy->VariableStatus(DLxGDTState::kDatumA, 1), DUxValue::kOffered);
    EXPECT_NE(copy->GetDatumIdentifier(), st->GetDatumIdentifier());
    EXPECT_EQ(copy->Value(DLxGDTState::kDatumIdentifier, 0), u"D");
    EXPECT_EQ(copy->GetRotationAngle(), 0.25);

    copy->SetValue(DLxGDTState::kToleranceA, 0, u"9");
    EXPECT_EQ(st->Value(DLxGDTState::kToleranceA, 0), u"0.000");
    RSe::DeleteObject(copy);
    EXPECT_EQ(st->Value(DLxGDTState::kToleranceA, 1), u"0.2");
    EXPECT_EQ(st->Value(DLxGDTState::kDatumIdentifier, 0), u"D");

    // Given the lines and values too, the clone uses those copies.
    RSeCloneCommander all(transient);
    std::vector<RSeVMeta*> set{st};
    st->GetOwnedObjects(set);
    ASSERT_FALSE(all.Clone(set).Failed());
    auto* copy2 = dynamic_cast<DLxGDTState*>(all.CloneOf(st));
    ASSERT_NE(copy2, nullptr);
    EXPECT_EQ(copy2->GetLine(1), all.CloneOf(st->GetLine(1)));
    EXPECT_EQ(copy2->GetLineDatumA(1), all.CloneOf(st->GetLineDatumA(1)));
    RSe::DeleteObject(copy2);
}

TEST_F(GDTStateTest, StateComesBackFromADocumentFileAsSaved) {
    DLxGDTState* st = DLxGDTState::Create(sheet);
    Set(st, 0, {10, u"0.05", u"0.1", u"A", u"B", u"C"});
    Set(st, 1, {5, u"0.2", u"", u"A", u"", u""});
    Set(st, 2, {0, u"NOTE", u"", u"", u"", u"", false});
    st->SetValue(DLxGDTState::kDatumIdentifier, 0, u"D");
    st->SetDefaultVisibility();
    st->SetRotationAngle(0.5);
    const uint32_t id = st->GetId();
    const std::vector<UTxString16> drawn = Texts(Draw(st));

    KorvuTempDir dir;
    ASSERT_FALSE(doc.Save(dir.File("a.kdoc")).Failed());
    std::unique_ptr<DLxDrawingDoc> loaded;
    UTxResult r = DLxDrawingDoc::Open(dir.File("a.kdoc"), loaded);
    ASSERT_FALSE(r.Failed()) << r.GetMessageUtf8();
    auto* back = dynamic_cast<DLxGDTState*>(loaded->GetRSeDb()->FindObject(id));
    ASSERT_NE(back, nullptr);
    ASSERT_EQ(back->GetNumberOfLines(), 3);
    const DLxSym::Variable vars[] = {DLxGDTState::kSymbolValue, DLxGDTState::kToleranceA,
                                     DLxGDTState::kToleranceB,  DLxGDTState::kDatumA,
                                     DLxGDTState::kDatumB,      DLxGDTState::kDatumC};
    for (int32_t i = 0; i < 3; ++i) {
        EXPECT_EQ(back->IsFramed(i), st->IsFramed(i)) << i;
        EXPECT_EQ(back->GetLineSymbolCode(i), st->GetLineSymbolCode(i)) << i;
        for (DLxSym::Variable v : vars) {
            EXPECT_EQ(back->Value(v, i), st->Value(v, i)) << i << " " << v;
            EXPECT_EQ(back->VariableStatus(v, i), st->VariableStatus(v, i)) << i << " " << v;
        }
    }
    EXPECT_EQ(back->Value(DLxGDTState::kDatumIdentifier, 0), u"D");
    EXPECT_EQ(back->VariableStatus(DLxGDTState::kDatumIdentifier, 0), DUxValue::kOffered);
    EXPECT_EQ(back->GetRotationAngle(), 0.5);
    EXPECT_TRUE(back->IsFlagOn(DLxGDTState::kNewStateFlag));
    ASSERT_TRUE(back->GetFragment().HasTarget());
    EXPECT_TRUE(back->GetFragment()->HasNode(back));
    // The loaded frame draws as the saved one did.
    EXPECT_EQ(Texts(Draw(back)), drawn);

    // Saved again, the file is the same.
    ASSERT_FALSE(loaded->Save(dir.File("b.kdoc")).Failed());
    EXPECT_EQ(ReadFile(dir.File("a.kdoc")), ReadFile(dir.File("b.kdoc")));
}

// Older stored states: version 0 kept the values of two framed lines inside its own record,
// value by value (line 0's, then line 1's), and always had a third, empty line; version 1 had
// line objects but no rotation.
TEST(DLxGDTStateStorage, OlderVersionsLoadTheirLinesWithoutRotation) {
    FWxSceneDoc scratch;
    RSeSegment* seg = RSe::SegmentOf(scratch.GetRSeDb());
    auto* model = new (RSe::_GetMeta(static_cast<const DLxGDTState*>(nullptr)), seg)
        DLxGDTState(RSeRef<RDxFragment>());
    model->SetOrigin({10, 20, 0});

    // The values of the two lines, in stored order per line: datum A, datum B, datum C, symbol,
    // tolerance A, tolerance B.
    struct Value {
        bool integer;
        int32_t number;
        const char16_t* text;
    };
    const Value values[13] = {
        {false, 0, u"D"}, // datum identifier
        {false, 0, u"A"},   {false, 0, u""},    {false, 0, u""},     {true, 10, u"10"},
        {false, 0, u"0.1"}, {false, 0, u"0.2"}, {false, 0, u""},     {false, 0, u""},
        {false, 0, u""},    {true, 0, u""},     {false, 0, u"NOTE"}, {false, 0, u""},
    };
    for (uint16_t version : {uint16_t(0), uint16_t(1)}) {
        SCOPED_TRACE(testing::Message() << "version " << version);
        TstDocWriter w;
        for (const char16_t* base :
             {u"RSeIDed", u"RDxObject", u"RDxNode", u"RDxState", u"DUxSymState", u"DUxValue",
              u"DUxStringValue", u"DUxIntegerValue", u"DLxGDTStateLine"})
            w.AddClass(base, RSeMetaType::Find(base)->GetVersion());
        const uint32_t stateMeta = w.AddClass(u"DLxGDTState", version);
        const uint32_t stringMeta = w.MetaIndex(RSeMetaType::Find(u"DUxStringValue"));
        const uint32_t integerMeta = w.MetaIndex(RSeMetaType::Find(u"DUxIntegerValue"));
        const uint32_t lineMeta = w.MetaIndex(RSeMetaType::Find(u"DLxGDTStateLine"));
        w.BeginSegment(u"Sheet");

        // Record 0, the state; 1 to 13 its values; (version 1) 14 and 15 its lines.
        RSeStream& s = w.BeginRecord(stateMeta, 1);
        RSe::_GetMeta(static_cast<const DUxSymState*>(nullptr))->_Save(model, s);
        w.Ref(1);
        auto lineFields = [&](RSeStream& out, int32_t line) {
            for (int32_t k = 0; k < 6; ++k)
                w.Ref(uint32_t(2 + 6 * line + k));
            out.Write(line == 0); // line 1 is the unframed note
        };
        if (version == 0) {
            for (uint32_t k = 0; k < 6; ++k) {
                w.Ref(2 + k);
                w.Ref(2 + 6 + k);
            }
        } else {
            s.Write(RSeTypeCode::kVector);
            s.Write(uint32_t(2));
            s.Write(uint32_t(2));
            s.WriteTypeMark(RSe::_GetMeta(static_cast<const void*>(nullptr)));
            w.Ref(14);
            w.Ref(15);
        }
        w.EndRecord();
        for (uint32_t k = 0; k < 13; ++k) {
            const Value& v = values[k];
            RSeStream& out = w.BeginRecord(v.integer ? integerMeta : stringMeta, 2 + k);
            out.Write(int32_t(DUxValue::kOffered));
            if (v.integer) out.Write(v.number);
            out.Write(UTxString16(v.text));
            w.EndRecord();
        }
        if (version == 1)
            for (int32_t line = 0; line < 2; ++line) {
                RSeStream& out = w.BeginRecord(lineMeta, uint32_t(15 + line));
                lineFields(out, line);
                w.EndRecord();
            }

        const std::vector<uint8_t> bytes = w.Finish(20);
        std::unique_ptr<RSeDatabase> db;
        UTxResult r = RSeDatabase::LoadFromBuffer(bytes.data(), bytes.size(), db);
        ASSERT_FALSE(r.Failed()) << r.GetMessageUtf8();
        std::unique_ptr<RSeDatabase> again;
        for (int pass = 0; pass < 2; ++pass) {
            SCOPED_TRACE(pass == 0 ? "as stored" : "saved again at the current version");
            auto* st = dynamic_cast<DLxGDTState*>((pass ? again : db)->FindObject(1));
            ASSERT_NE(st, nullptr);
            ASSERT_EQ(st->GetNumberOfLines(), version == 0 ? 3 : 2);
            EXPECT_EQ(st->GetOrigin(), WqGePoint3d(10, 20, 0));
            EXPECT_EQ(st->GetRotationAngle(), 0.0);
            EXPECT_EQ(st->Value(DLxGDTState::kDatumIdentifier, 0), u"D");
            EXPECT_EQ(st->GetLineSymbolCode(0), 10);
            EXPECT_EQ(st->Value(DLxGDTState::kDatumA, 0), u"A");
            EXPECT_EQ(st->Value(DLxGDTState::kToleranceA, 0), u"0.1");
            EXPECT_EQ(st->Value(DLxGDTState::kToleranceB, 0), u"0.2");
            EXPECT_EQ(st->VariableStatus(DLxGDTState::kToleranceB, 0), DUxValue::kOffered);
            EXPECT_TRUE(st->IsFramed(0));
            EXPECT_EQ(st->Value(DLxGDTState::kToleranceA, 1), u"NOTE");
            if (version == 0) {
                EXPECT_TRUE(st->IsFramed(1));
                EXPECT_EQ(st->Value(DLxGDTState::kToleranceA, 2), u"");
                EXPECT_EQ(st->GetLineSymbolCode(2), 0);
            } else {
                EXPECT_FALSE(st->IsFramed(1));
                int32_t note = -1;
                EXPECT_TRUE(st->FindNoteLine(&note));
                EXPECT_EQ(note, 1);
            }
            for (int32_t i = 0; i < st->GetNumberOfLines(); ++i)
                EXPECT_EQ(st->GetLine(i)->GetSegment(), st->GetSegment());
            if (pass == 0) {
                std::vector<uint8_t> saved;
                ASSERT_FALSE(db->SaveToBuffer(saved).Failed());
                r = RSeDatabase::LoadFromBuffer(saved.data(), saved.size(), again);
                ASSERT_FALSE(r.Failed()) << r.GetMessageUtf8();
            }
        }
    }
}

} // namespace
