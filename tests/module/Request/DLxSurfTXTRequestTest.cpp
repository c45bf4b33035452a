// Surface-texture symbols through their request: validation against the style's standard and
// lay symbols, creation on a view edge, edits, the transcript record, storage and undo.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "KorvuTestSupport.h"
#include "Request/DLxCreateSurfTXTRequest.h"
#include "Standard/DLxStdStyles.h"
#include "Leader/DLxSymFilters.h"
#include "Symbol/DLxSurfTXTInstance.h"
#include "Symbol/DLxSurfTXTInstanceONKTranslator.h"
#include "Symbol/DLxSurfTXTSelection.h"
#include "dc/RDxComputeContext.h"
#include "dl/DLxAnchorPoint.h"
#include "dl/DLxDrawing.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxSheet.h"
#include "dl/DLxViewInstance.h"
#include "du/DUxLeaderNodeTree.h"
#include "du/DUxSurfTXTState.h"
#include "du/DUxSurfaceTextureStyle.h"
#include "fw/FWxTranscriptMgr.h"
#include "fw/FWxUtil.h"
#include "rse/RSeDatabase.h"
#include "rse/RSeMeta.h"
#include "sm/SMxDisplayList.h"

namespace {
using S = DUxSurfTXTState;
using Flags = DLxCreateSurfTXTRequest::Flags;
constexpr UTxResultCode kBadInput = 0x200B0323;
constexpr UTxResultCode kNoStyle = 0x200B0321;

std::vector<UTxString16> Values(std::vector<std::pair<int32_t, const char16_t*>> given = {}) {
    std::vector<UTxString16> v(S::kValueCount);
    for (const auto& [i, text] : given)
        v[size_t(i)] = text;
    return v;
}

// A drawing of `standard` with one sheet and a view whose edge 1 runs along y = 150 from x 150
// to 250.
struct SurfDoc {
    std::unique_ptr<DLxDrawingDoc> doc = std::make_unique<DLxDrawingDoc>();
    DLxSheet* sheet = nullptr;
    DLxViewInstance* view = nullptr;

    explicit SurfDoc(const char16_t* standard = u"ISO", bool styles = true) {
        doc->GetDrawing()->SetStandardName(standard);
        sheet = doc->CreateSheet(u"Sheet 1", 420, 297);
        view = sheet->CreateView(u"Front");
        view->SetViewCenter({200, 150, 0});
        view->SetEdges({DLxViewEdge::Line(1, {-50, 0, 0}, {50, 0, 0})});
        if (styles) DLxStdStyles::AddDocumentStyles(doc.get());
        RDxComputeContext ctx;
        sheet->Recompute(ctx);
    }
    DUxSurfaceTextureStyle* Style(const char16_t* name) const {
        return dynamic_cast<DUxSurfaceTextureStyle*>(doc->GetDrawing()->FindStyle(
            RSe::_GetMeta(static_cast<const DUxSurfaceTextureStyle*>(nullptr)), name));
    }
    UTxResult Create(std::vector<UTxString16> values, int32_t subType = 1, Flags flags = {},
                     const char16_t* style = nullptr, double param = 0.5,
                     std::vector<WqGePoint3d> points = {}) {
        flags.displayLeader = !points.empty();
        return doc->ProcessChangeRequest(new DLxCreateSurfTXTRequest(
            DLxIntent::OnEdge(view, 1, param), points, {150 + 100 * param, 160, 0}, 28029,
            values, {}, subType, 0, 0.0, flags,
            RSeRef<DUxSurfaceTextureStyle>(style ? Style(style) : nullptr), {}));
    }
    DLxSurfTXTInstance* Symbol(size_t i = 0) const {
        size_t n = 0;
        for (const RSeRef<RDxNode>& r : sheet->GetNodes())
            if (auto* s = dynamic_cast<DLxSurfTXTInstance*>(r.GetTarget()))
                if (n++ == i) return s;
        return nullptr;
    }
    UTxResult Edit(DLxSurfTXTInstance* s, std::vector<UTxString16> values, int32_t subType = 1,
                   Flags flags = {}) {
        return doc->ProcessChangeRequest(new DLxCreateSurfTXTRequest(
            RSeRef<DLxSurfTXTInstance>(s), values, {}, subType, 0, 0.0, flags, {}, {}));
    }
    std::vector<uint8_t> Bytes() {
        std::vector<uint8_t> bytes;
        EXPECT_FALSE(doc->GetRSeDb()->SaveToBuffer(bytes).Failed());
        return bytes;
    }
};
} // namespace

TEST(SurfTXTRequest, ValidationFollowsTheStandardAndItsLays) {
    struct Row {
        const char* what;
        const char16_t* style;
        std::vector<UTxString16> values;
        int32_t subType;
        UTxResultCode want; // 0: accepted
    } rows[] = {
        {"thirteen values", u"ISO", std::vector<UTxString16>(13), 1, kBadInput},
        {"fifteen values", u"ISO", std::vector<UTxString16>(15), 1, kBadInput},
        {"a minimum without a maximum", u"ISO", Values({{S::kRaMin, u"0.8"}}), 1, kBadInput},
        {"a second production line alone", u"ISO", Values({{S::kProduction2, u"x"}}), 1,
         kBadInput},
        {"an other minimum alone", u"ISO", Values({{S::kOtherMin, u"1"}}), 1, kBadInput},
        {"a cutoff alone", u"ISO", Values({{S::kCutoff, u"0.8"}}), 1, kBadInput},
        {"a cutoff alone in GB", u"GB", Values({{S::kCutoff, u"0.8"}}), 1, 0},
        {"a cutoff alone in JIS", u"JIS", Values({{S::kCutoff, u"0.8"}}), 1, 0},
        {"an allowance on the basic symbol", u"ISO", Values({{S::kAllowance, u"0.5"}}), 0,
         kBadInput},
        {"an allowance when removal is required", u"ISO", Values({{S::kAllowance, u"0.5"}}), 1,
         0},
        {"an allowance when removal is prohibited", u"ISO", Values({{S::kAllowance, u"0.5"}}), 2,
         kBadInput},
        {"a lay when removal is prohibited", u"ISO", Values({{S::kLay, u"1"}}), 2, kBadInput},
        {"a production method in BSI without removal", u"BSI",
         Values({{S::kProduction, u"cast"}}), 2, kBadInput},
        {"lay 7 where the style offers 1 to 6", u"BSI", Values({{S::kLay, u"7"}}), 1, kBadInput},
        {"lay 7 where it is offered", u"ISO", Values({{S::kLay, u"7"}}), 1, 0},
        {"lay 8 exists nowhere", u"ISO", Values({{S::kLay, u"8"}}), 1, kBadInput},
        {"a lay that is no number reads as none", u"BSI", Values({{S::kLay, u"abc"}}), 1, 0},
        // Read without overflowing, and refused like any lay no standard has.
        {"a lay of twenty digits", u"ISO", Values({{S::kLay, u"99999999999999999999"}}), 1,
         kBadInput},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        SurfDoc d;
        const UTxResult res = d.Create(r.values, r.subType, {}, r.style);
        if (r.want == 0)
            EXPECT_FALSE(res.Failed()) << res.GetMessageUtf8();
        else
            EXPECT_EQ(res.GetCode(), r.want);
    }
    // A drawing without surface-texture styles has none to follow.
    SurfDoc bare(u"ISO", false);
    EXPECT_EQ(bare.Create(Values()).GetCode(), kNoStyle);
}

TEST(SurfTXTRequest, AnEditKeepsALayTheStyleNoLongerOffers) {
    SurfDoc d(u"BSI");
    ASSERT_FALSE(d.Create(Values({{S::kLay, u"6"}})).Failed());
    DLxSurfTXTInstance* s = d.Symbol();
    ASSERT_NE(s, nullptr);
    // The style stops offering lay 6: the symbol keeps it, but cannot take it anew elsewhere.
    d.Style(u"BSI")->SetLaySymbolMask(0x1F);
    EXPECT_FALSE(d.Edit(s, Values({{S::kLay, u"6"}, {S::kRaMax, u"3.2"}})).Failed());
    EXPECT_EQ(d.Create(Values({{S::kLay, u"6"}})).GetCode(), kBadInput);
    EXPECT_EQ(s->GetSurfTXTState()->GetValue(S::kRaMax), u"3.2");
}

TEST(SurfTXTRequest, ASymbolSitsOnItsEdgeAndDraws) {
    SurfDoc d;
    Flags flags;
    flags.allAround = true;
    ASSERT_FALSE(d.Create(Values({{S::kRaMax, u"Ra 3.2"}, {S::kLay, u"2"}}), 1, flags).Failed());
    DLxSurfTXTInstance* s = d.Symbol();
    ASSERT_NE(s, nullptr);
    const S* state = s->GetSurfTXTState();
    ASSERT_NE(state, nullptr);
    // The anchor at the middle of the edge; the state's origin on it.
    EXPECT_NEAR(state->GetOrigin().x, 200, 1e-9);
    EXPECT_NEAR(state->GetOrigin().y, 150, 1e-9);
    EXPECT_TRUE(state->IsAllAround());
    EXPECT_EQ(state->GetDirectionLay(), 2);
    // The ISO style does not force the tail.
    EXPECT_FALSE(state->IsForcedTail());
    EXPECT_EQ(s->GetObjectType(), 0x0700AA00);
    ASSERT_NE(s->GetDisplayList(), nullptr);
    EXPECT_FALSE(s->GetDisplayList()->IsEmpty());
}

TEST(SurfTXTRequest, ARecordReplaysToTheSameDrawing) {
    FWxTranscriptMgr& mgr = FWxUtil::GetTranscriptMgr();
    mgr.ClearLines();
    SurfDoc d;
    Flags majority;
    majority.majority = true;
    ASSERT_FALSE(d.Create(Values({{S::kRaMax, u"1.6"}, {S::kProduction, u"milled"},
                                  {S::kProduction2, u"ground"}}),
                          1, majority, u"DIN")
                     .Failed());
    ASSERT_FALSE(d.Create(Values({{S::kRaMax, u"6.3"}}), 0, {}, u"ANSI", 0.2,
                          {{170, 150, 0}, {160, 180, 0}})
                     .Failed());
    ASSERT_FALSE(d.Edit(d.Symbol(0), Values({{S::kRaMax, u"0.8"}, {S::kLay, u"5"}})).Failed());
    const std::vector<UTxString16> lines = mgr.GetLines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].rfind(u"CreateSurfTXTSymbol ", 0), 0u) << UTx::ToUtf8(lines[0]);
    EXPECT_NE(lines[2].find(u"SurfTextSymbol="), UTxString16::npos) << UTx::ToUtf8(lines[2]);

    SurfDoc replay;
    for (const UTxString16& line : lines)
        ASSERT_FALSE(mgr.ReplayLine(replay.doc.get(), line).Failed()) << UTx::ToUtf8(line);
    EXPECT_EQ(replay.Bytes(), d.Bytes());
    EXPECT_EQ(replay.Symbol(0)->GetSurfTXTState()->GetValue(S::kRaMax), u"0.8");

    // An edit naming no symbol (nothing there, or the sheet) is refused, not executed.
    const size_t at = lines[2].find(u"SurfTextSymbol=");
    const size_t end = lines[2].find(u' ', at);
    const UTxString16 sheetKey = u"@\"" + mgr.StringFromRef(RSeRefBase(replay.sheet)) + u"\"";
    for (const UTxString16& key : {UTxString16(u"@\"DLxSurfTXTInstance#1,1\""), sheetKey}) {
        UTxString16 wrong = lines[2];
        wrong.replace(at, end - at, u"SurfTextSymbol=" + key);
        const UTxResult r = mgr.ReplayLine(replay.doc.get(), wrong);
        EXPECT_EQ(r.GetCode(), kBadInput) << r.GetMessageUtf8() << UTx::ToUtf8(wrong);
    }
}

TEST(SurfTXTRequest, ASymbolComesBackFromItsFile) {
    SurfDoc d;
    Flags flags;
    flags.forcedTail = true;
    flags.majority = true;
    ASSERT_FALSE(d.Create(Values({{S::kRaMax, u"3.2"}, {S::kRaMin, u"1.6"}, {S::kLay, u"3"},
                                  {S::kAllowance, u"0.2"}, {S::kOtherValue, u"Rz 12"}}),
                          3, flags)
                     .Failed());
    KorvuTempDir dir;
    const std::string path = dir.File("surf.kvd");
    ASSERT_FALSE(d.doc->Save(path).Failed());
    std::unique_ptr<DLxDrawingDoc> loaded;
    const UTxResult r = DLxDrawingDoc::Open(path, loaded);
    ASSERT_FALSE(r.Failed()) << r.GetMessageUtf8();
    std::vector<uint8_t> again;
    ASSERT_FALSE(loaded->GetRSeDb()->SaveToBuffer(again).Failed());
    EXPECT_EQ(again, d.Bytes());

    DLxSurfTXTInstance* s = nullptr;
    for (const RSeRef<RDxNode>& n : loaded->GetSheets().front()->GetNodes())
        if (auto* t = dynamic_cast<DLxSurfTXTInstance*>(n.GetTarget())) s = t;
    ASSERT_NE(s, nullptr);
    const S* state = s->GetSurfTXTState();
    EXPECT_EQ(state->GetSubType(), 3);
    EXPECT_TRUE(state->IsForcedTail());
    EXPECT_TRUE(state->IsMajority());
    EXPECT_EQ(state->GetValue(S::kOtherValue), u"Rz 12");
    EXPECT_EQ(state->GetValue(S::kAllowance), u"0.2");
}

namespace {
// The file as an older version of the symbol class would have written it: the symbol's layout
// has not changed, only the version its meta-type entry records.
std::vector<uint8_t> WithSymbolVersion(std::vector<uint8_t> bytes, uint16_t version) {
    const std::u16string name = u"DLxSurfTXTInstance";
    std::vector<uint8_t> entry;
    const uint32_t length = uint32_t(name.size());
    for (int i = 0; i < 4; ++i)
        entry.push_back(uint8_t(length >> (8 * i)));
    for (char16_t c : name) {
        entry.push_back(uint8_t(c & 0xFF));
        entry.push_back(uint8_t(c >> 8));
    }
    auto at = std::search(bytes.begin(), bytes.end(), entry.begin(), entry.end());
    EXPECT_NE(at, bytes.end());
    if (at == bytes.end()) return bytes;
    const size_t v = size_t(at - bytes.begin()) + entry.size() + 16;
    bytes[v] = uint8_t(version & 0xFF);
    bytes[v + 1] = uint8_t(version >> 8);
    return bytes;
}
} // namespace

TEST(SurfTXTRequest, OlderSymbolsLoadAndOnlyTheFirstLoseTheirLeadersAllAround) {
    SurfDoc d;
    Flags flags;
    flags.allAround = true;
    ASSERT_FALSE(d.Create(Values({{S::kRaMax, u"3.2"}}), 1, flags, nullptr, 0.5,
                          {{170, 150, 0}, {180, 170, 0}})
                     .Failed());
    DUxLeaderNodeTree* leader = d.Symbol()->GetLeader(0);
    ASSERT_NE(leader, nullptr);
    leader->SetAllAround(true);
    const std::vector<uint8_t> current = d.Bytes();
    KorvuTempDir dir;
    struct Case {
        uint16_t version;
        bool leaderAllAround;
    } cases[] = {{0, false}, {1, true}, {2, true}, {3, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.version);
        const std::vector<uint8_t> bytes = WithSymbolVersion(current, c.version);
        const std::string path = dir.File("old" + std::to_string(c.version) + ".kvd");
        {
            std::ofstream out(path, std::ios::binary);
            out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        }
        std::unique_ptr<DLxDrawingDoc> loaded;
        const UTxResult r = DLxDrawingDoc::Open(path, loaded);
        ASSERT_FALSE(r.Failed()) << r.GetMessageUtf8();
        DLxSurfTXTInstance* s = nullptr;
        for (const RSeRef<RDxNode>& n : loaded->GetSheets().front()->GetNodes())
            if (auto* t = dynamic_cast<DLxSurfTXTInstance*>(n.GetTarget())) s = t;
        ASSERT_NE(s, nullptr);
        ASSERT_NE(s->GetLeader(0), nullptr);
        EXPECT_EQ(s->GetLeader(0)->GetAllAround(), c.leaderAllAround);
        // The symbol keeps its own mark and values whatever version wrote it.
        EXPECT_TRUE(s->GetSurfTXTState()->IsAllAround());
        EXPECT_EQ(s->GetSurfTXTState()->GetValue(S::kRaMax), u"3.2");
    }
}

TEST(SurfTXTRequest, UndoingEveryRequestGivesBackTheEmptyDrawing) {
    SurfDoc d;
    const std::vector<uint8_t> empty = d.Bytes();
    ASSERT_FALSE(d.Create(Values({{S::kRaMax, u"3.2"}})).Failed());
    ASSERT_FALSE(d.Create(Values({{S::kLay, u"1"}}), 0, {}, u"JIS", 0.2).Failed());
    ASSERT_FALSE(d.Edit(d.Symbol(0), Values({{S::kRaMax, u"1.6"}}), 2).Failed());
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

TEST(SurfTXTRequest, APickAtItsKeyFindsTheSymbolAndNothingElse) {
    SurfDoc d;
    ASSERT_FALSE(d.Create(Values({{S::kRaMax, u"3.2"}})).Failed());
    ASSERT_FALSE(d.Create(Values({{S::kRaMax, u"6.3"}}), 1, {}, nullptr, 0.1).Failed());
    for (size_t i = 0; i < 2; ++i) {
        DLxSurfTXTInstance* s = d.Symbol(i);
        ASSERT_NE(s, nullptr);
        EXPECT_EQ(DLxSurfTXTInstanceONKTranslator::ObjectFromPoint(d.doc.get(), s->GetKeyPoint()),
                  s);
    }
    // Far from both symbols a pick finds none; the filter admits symbols of its kind only.
    EXPECT_EQ(DLxSurfTXTInstanceONKTranslator::ObjectFromPoint(d.doc.get(), {400, 20, 0}),
              nullptr);
    const DLxSurfTXTFilter filter(DLxSurfTXTFilter::ESubType(1));
    EXPECT_TRUE(filter.Select(*d.Symbol(0), d.Symbol(0)->GetKeyPoint()));
    EXPECT_FALSE(filter.Select(*d.sheet, {0, 0, 0}));
}
