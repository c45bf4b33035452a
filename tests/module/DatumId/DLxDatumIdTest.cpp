// Datum and feature identifiers: the identifier standards, creation through the request on a
// view edge, the look the identifier style gives (framed text, filled or open triangle), the
// transcript record, undo, refused records, and finding an identifier by its key.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "DatumId/DLxDatumIdInstance.h"
#include "DatumId/DLxDatumIdSelection.h"
#include "DatumId/DLxDatumIdSymbolONKTranslator.h"
#include "Leader/DLxMoveDatumIdNodeManipulator.h"
#include "Leader/DLxSymFilters.h"
#include "Request/DLxCreateDatumIdRequest.h"
#include "Standard/DLxCIdStd.h"
#include "Standard/DLxStdNorms.h"
#include "Standard/DLxStdRegistration.h"
#include "Standard/DLxStdStyles.h"
#include "dc/RDxComputeContext.h"
#include "dl/DLxAnchorPoint.h"
#include "dl/DLxDrawing.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxSheet.h"
#include "dl/DLxViewInstance.h"
#include "du/DUxArrowHead.h"
#include "du/DUxCAuxEntArray.h"
#include "du/DUxCategoryDefault.h"
#include "du/DUxDatumIDLeader.h"
#include "du/DUxDatumIdState.h"
#include "du/DUxFeatureControlFrameStyle.h"
#include "du/DUxIdStyle.h"
#include "du/DUxLeaderNode.h"
#include "du/DUxLeaderNodeTree.h"
#include "du/DUxStandard.h"
#include "du/DUxSymStyleWrapUtils.h"
#include "fb/FBxLayerStyle.h"
#include "fw/FBxObjectNameKey.h"
#include "fw/FWxTranscriptMgr.h"
#include "fw/FWxUtil.h"
#include "ge/BBox.h"
#include "ge/WqGeMatrix3d.h"
#include "rd/RDxString.h"
#include "rse/RSe.h"
#include "rse/RSeDatabase.h"
#include "rse/RSeMetaType.h"
#include "rse/RSeSegment.h"
#include "rse/RSeTransaction.h"
#include "sm/SMxDisplayItem.h"
#include "sm/SMxDisplayList.h"
#include "uc/UCxStringUtil.h"

namespace {

// An ISO drawing with one sheet and a view whose edge 1 runs along y = 150 from x 150 to 250,
// with the document's styles.
struct IdDoc {
    std::unique_ptr<DLxDrawingDoc> doc = std::make_unique<DLxDrawingDoc>();
    DLxSheet* sheet = nullptr;
    DLxViewInstance* view = nullptr;

    IdDoc() {
        doc->GetDrawing()->SetStandardName(u"ISO");
        sheet = doc->CreateSheet(u"Sheet 1", 420, 297);
        view = sheet->CreateView(u"Front");
        view->SetViewCenter({200, 150, 0});
        view->SetEdges({DLxViewEdge::Line(1, {-50, 0, 0}, {50, 0, 0})});
        DLxStdStyles::AddDocumentStyles(doc.get());
        RDxComputeContext ctx;
        sheet->Recompute(ctx);
    }

    ~IdDoc() {
        for (RSeRef<RDxString>& text : m_texts)
            if (RDxString* s = text.get()) RSe::DeleteObject(s);
    }

    DUxIdStyle* Style(const char16_t* name) const {
        return dynamic_cast<DUxIdStyle*>(doc->GetDrawing()->FindStyle(
            RSe::_GetMeta(static_cast<const DUxIdStyle*>(nullptr)), name));
    }
    // A text in the transient segment, as a command hands it over; the request copies it.
    RSeRef<RDxString> Text(const char16_t* text) {
        auto* s = new (RSe::_GetMeta(static_cast<const RDxString*>(nullptr)),
                       RSe::TransientSegment()) RDxString();
        s->SetSimpleValue(text);
        s->SetFormattedValue(text, 0);
        m_texts.emplace_back(s);
        return RSeRef<RDxString>(s);
    }
    // An identifier whose leader stands on edge 1 at `param` and rises 15 to its frame.
    UTxResult Create(const char16_t* text, double param = 0.5, const char16_t* style = u"ISO",
                     bool feature = false, uint32_t arrow = 0) {
        const WqGePoint3d end{150 + 100 * param, 150, 0};
        const WqGePoint3d root{end.x, 165, 0};
        return doc->ProcessChangeRequest(new DLxCreateDatumIdRequest(
            DLxIntent::OnEdge(view, 1, param), Text(text), {end, root}, root, arrow, true, true,
            feature, RSeRef<DUxIdStyle>(style ? Style(style) : nullptr), {}));
    }
    DLxDatumIdInstance* Identifier(size_t i = 0) const {
        size_t n = 0;
        for (const RSeRef<RDxNode>& r : sheet->GetNodes())
            if (auto* f = dynamic_cast<DLxDatumIdInstance*>(r.GetTarget()))
                if (n++ == i) return f;
        return nullptr;
    }
    std::vector<uint8_t> Bytes() {
        std::vector<uint8_t> bytes;
        EXPECT_FALSE(doc->GetRSeDb()->SaveToBuffer(bytes).Failed());
        return bytes;
    }

private:
    std::vector<RSeRef<RDxString>> m_texts;
};

// Items of a list at any depth that satisfy `pred`.
int32_t CountItems(const SMxDisplayList& list,
                   const std::function<bool(const SMxDisplayItem&)>& pred) {
    int32_t n = 0;
    for (const SMxDisplayItem& item : list) {
        if (auto* child = item.As<SMxChildItem>())
            n += CountItems(child->list, pred);
        else if (pred(item))
            ++n;
    }
    return n;
}

bool IsArrowHead(const SMxDisplayItem& item) {
    int32_t kind, leader, arrow, node;
    DUxLeaderNodeTree::AnalyzeItemID(item.GetId(), kind, leader, arrow, node);
    return kind == DUxLeaderNodeTree::kArrowHeadItem;
}

// ---- standards

TEST(DatumIdStandard, EachStandardAnswersItsIdentifierRules) {
    IdDoc d;
    const struct {
        const char16_t* name;
        const UTxGUID& (*guid)();
        int32_t defaultType;
        bool allowsType5;
        DLxStdWhich which;
    } cases[] = {
        {u"ANSI", &DUxStandardGUID::GetANSIGuid, 4, false, DLxStdWhich::ANSI},
        {u"BSI", &DUxStandardGUID::GetBSIGuid, 4, true, DLxStdWhich::BSI},
        {u"DIN", &DUxStandardGUID::GetDINGuid, 4, true, DLxStdWhich::DIN},
        {u"GB", []() -> const UTxGUID& { return DLxGBStandardGUID; }, 17, true, DLxStdWhich::GB},
        {u"ISO", &DUxStandardGUID::GetISOGuid, 4, true, DLxStdWhich::ISO},
        {u"JIS", &DUxStandardGUID::GetJISGuid, 4, true, DLxStdWhich::JIS},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(UTx::ToUtf8(c.name));
        for (int32_t category : {DLxCIdStd::kFirstCategory, DLxCIdStd::kSecondCategory}) {
            RSeRef<DUxCategoryDefault> def =
                DUxStandardUtil::GetCategoryDefault(d.doc.get(), c.guid(), category);
            auto* std = dynamic_cast<DLxCIdStd*>(def.get());
            ASSERT_NE(std, nullptr);
            EXPECT_EQ(std->GetDefaultIdType(), c.defaultType);
            EXPECT_TRUE(std->IsIdTypeAllowed(4, false));
            EXPECT_EQ(std->IsIdTypeAllowed(5, false), c.allowsType5);
            EXPECT_TRUE(std->IsStyleIdTypeAllowed(5, false));
            EXPECT_EQ(std->GetIdGap(), 0.0);

            // No standard gives an identifier geometry of its own.
            DUxDatumIdState* state = DUxDatumIdState::Create(d.sheet, nullptr);
            BBox extents;
            EXPECT_FALSE(
                std->GetIdExtents(extents, state, WqGeMatrix3d::translation({5, 5, 0})).Failed());
            EXPECT_TRUE(extents.isEmpty());
            SMxDisplayList list;
            EXPECT_TRUE(std->DrawId(list, state, WqGeMatrix3d(), nullptr));
            EXPECT_TRUE(list.IsEmpty());
        }
        // The drawing's identifier style of the standard: flagged and described by its norm.
        DUxIdStyle* style = d.Style(c.name);
        ASSERT_NE(style, nullptr);
        EXPECT_TRUE(style->GetIdentifierFlag());
        EXPECT_EQ(style->GetStyleDescription(), DLxNormTitle(DLxStdKind::Id, c.which));
    }
}

// ---- creation and look

TEST(DatumIdRequest, AnIdentifierStandsOnItsEdgeWithACopyOfItsText) {
    IdDoc d;
    RSeRef<RDxString> text = d.Text(u"A");
    const WqGePoint3d end{200, 150, 0}, root{200, 165, 0};
    auto* request =
        new DLxCreateDatumIdRequest(DLxIntent::OnEdge(d.view, 1, 0.5), text, {end, root}, root, 0,
                                    true, true, false, RSeRef<DUxIdStyle>(d.Style(u"ISO")), {});
    SmartPtr<FWxChangeRequest> keep(request);
    const UTxResult made = d.doc->ProcessChangeRequest(request);
    ASSERT_FALSE(made.Failed()) << made.GetMessageUtf8();
    DLxDatumIdInstance* id = d.Identifier();
    ASSERT_NE(id, nullptr);
    EXPECT_EQ(request->GetInstance().get(), id);
    ASSERT_NE(id->GetSymbolString(), nullptr);
    EXPECT_NE(id->GetSymbolString(), text.get());
    EXPECT_EQ(id->GetSymbolString()->GetDisplayText(), u"A");
    EXPECT_FALSE(id->GetDatumIdState()->IsFeatureIdentifier());
    EXPECT_EQ(id->GetBirthday(), 1);

    DLxAnchorPoint* anchor = id->GetFirstAnchor();
    ASSERT_NE(anchor, nullptr);
    EXPECT_TRUE(anchor->IsOnEdge());
    EXPECT_NEAR(anchor->GetPoint().x, 200, 1e-9);
    EXPECT_NEAR(anchor->GetPoint().y, 150, 1e-9);
    EXPECT_EQ(id->GetDatumIdState()->GetOrigin(), anchor->GetBrokenPoint());

    // The frame stands above the leader's root: the key point lies above the edge.
    const WqGePoint3d key = id->GetKeyPoint();
    EXPECT_NEAR(key.x, 200, 1e-6);
    EXPECT_GT(key.y, 165);
    const SMxDisplayList* list = id->GetDisplayList();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(CountItems(*list,
                         [](const SMxDisplayItem& i) {
                             auto* t = i.As<SMxTextItem>();
                             return t && t->text == u"A";
                         }),
              1);
}

// Arrowhead 0 takes the triangle of the identifier style: filled for ISO, open for DIN; a
// given arrowhead stays.
TEST(DatumIdRequest, TheStyleChoosesAFilledOrAnOpenTriangle) {
    const struct {
        const char16_t* style;
        uint32_t arrow;
        uint32_t expected;
        bool filled;
    } cases[] = {
        {u"ISO", 0, DUxIdStyle::kFilledTriangle, true},
        {u"ANSI", 0, DUxIdStyle::kFilledTriangle, true},
        {u"DIN", 0, DUxIdStyle::kOpenTriangle, false},
        {u"JIS", 0, DUxIdStyle::kOpenTriangle, false},
        {u"DIN", DUxIdStyle::kFilledTriangle, DUxIdStyle::kFilledTriangle, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(UTx::ToUtf8(c.style) + " " + std::to_string(c.arrow));
        IdDoc d;
        ASSERT_FALSE(d.Create(u"B", 0.5, c.style, false, c.arrow).Failed());
        DLxDatumIdInstance* id = d.Identifier();
        ASSERT_NE(id, nullptr);
        EXPECT_EQ(id->GetArrowHeadRef(0, 0)->id, c.expected);
        const SMxDisplayList& list = *id->GetDisplayList();
        EXPECT_EQ(CountItems(list,
                             [](const SMxDisplayItem& i) {
                                 return IsArrowHead(i) && i.As<SMxFillItem>();
                             }),
                  c.filled ? 1 : 0);
        EXPECT_EQ(CountItems(list,
                             [](const SMxDisplayItem& i) {
                                 return IsArrowHead(i) && i.As<SMxPolylineItem>();
                             }),
                  c.filled ? 0 : 1);
        // The triangle's base lies across the leader's end, on the edge.
        CountItems(list, [](const SMxDisplayItem& i) {
            if (!IsArrowHead(i)) return false;
            const WqArray<WqGePoint3d>* pts = nullptr;
            if (auto* f = i.As<SMxFillItem>()) pts = &f->boundary;
            if (auto* p = i.As<SMxPolylineItem>()) pts = &p->points;
            EXPECT_NEAR((*pts)[0].y, 150, 1e-9);
            EXPECT_NEAR((*pts)[1].y, 150, 1e-9);
            EXPECT_GT((*pts)[2].y, 150);
            return true;
        });
    }
}

// Feature and datum identifiers differ in their label; whether landings are allowed and the
// symbol stays horizontal follow the style at every compute, whatever the creation set.
TEST(DatumIdInstance, TheStyleRulesAtEveryCompute) {
    IdDoc d;
    ASSERT_FALSE(d.Create(u"A", 0.3).Failed());
    ASSERT_FALSE(d.Create(u"F1", 0.7, u"ISO", true).Failed());
    DLxDatumIdInstance* datum = d.Identifier(0);
    DLxDatumIdInstance* feature = d.Identifier(1);
    EXPECT_EQ(datum->GetBrowserLabel(), u"Datum Identifier");
    EXPECT_EQ(feature->GetBrowserLabel(), u"Feature Identifier");
    EXPECT_TRUE(feature->GetDatumIdState()->IsFeatureIdentifier());

    DUxIdStyle* iso = d.Style(u"ISO");
    for (bool allow : {false, true}) {
        iso->SetAllowHorizontal(allow);
        iso->SetAllowedHorizontalLanding(allow);
        datum->MarkEdited(true);
        RDxComputeContext ctx;
        d.sheet->Recompute(ctx);
        EXPECT_EQ(datum->AlwaysHorizontal(), allow);
        EXPECT_EQ(datum->GetLeader(0)->GetLandingDirectionFlag(0), allow);
        EXPECT_EQ(datum->GetLeader(0)->GetLandingDirectionFlag(1), allow);
    }
}

// On the sheet without a view the identifier is laid out at scale 1, whatever the views'.
TEST(DatumIdRequest, AnIdentifierOffAnyViewIsLaidOutAtScaleOne) {
    IdDoc d;
    d.view->SetViewScale(2);
    const WqGePoint3d end{60, 60, 0}, root{60, 75, 0};
    ASSERT_FALSE(d.doc
                     ->ProcessChangeRequest(new DLxCreateDatumIdRequest(
                         DLxIntent::Free(end), d.Text(u"Z"), {end, root}, root, 0, true, true,
                         false, {}, {}))
                     .Failed());
    DLxDatumIdInstance* id = d.Identifier();
    ASSERT_NE(id, nullptr);
    EXPECT_FALSE(id->GetFirstAnchor()->IsOnEdge());
    EXPECT_EQ(id->GetDatumIdState()->GetScale(), 1.0);
    EXPECT_TRUE(id->GetDatumIdState()->GetOrigin().isEqualTo(end));
}

TEST(DatumIdInstance, NothingIsMadeWithoutAText) {
    IdDoc d;
    const size_t before = d.sheet->GetNodes().size();
    std::vector<WqGePoint3d> points{{200, 150, 0}};
    EXPECT_EQ(DLxDatumIdInstance::CreateFromString(nullptr, points, {}, 0, false, nullptr, nullptr,
                                                   nullptr),
              nullptr);
    EXPECT_EQ(d.sheet->GetNodes().size(), before);
}

// ---- transcript, undo, refusals

TEST(DatumIdRequest, ARecordReplaysToTheSameDrawingAndUndoesToTheEmptyOne) {
    FWxTranscriptMgr& mgr = FWxUtil::GetTranscriptMgr();
    mgr.ClearLines();
    IdDoc d;
    const std::vector<uint8_t> empty = d.Bytes();
    ASSERT_FALSE(d.Create(u"A", 0.2).Failed());
    ASSERT_FALSE(d.Create(u"B", 0.5, u"DIN").Failed());
    ASSERT_FALSE(d.Create(u"F", 0.8, nullptr, true).Failed());
    const std::vector<UTxString16> lines = mgr.GetLines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1].rfind(u"CreateDatumIdSymbol Arrow=0 Intent=", 0), 0u)
        << UTx::ToUtf8(lines[1]);
    EXPECT_NE(lines[1].find(u"String=\"B\""), UTxString16::npos);
    EXPECT_NE(lines[1].find(u"DatumIDStyle=@\"DUxIdStyle#DIN\""), UTxString16::npos);

    IdDoc replay;
    for (const UTxString16& line : lines)
        ASSERT_FALSE(mgr.ReplayLine(replay.doc.get(), line).Failed()) << UTx::ToUtf8(line);
    const std::vector<uint8_t> full = d.Bytes();
    EXPECT_EQ(replay.Bytes(), full);
    mgr.ClearLines();

    // A stored identifier reloads as it was saved.
    std::unique_ptr<RSeDatabase> loaded;
    ASSERT_FALSE(RSeDatabase::LoadFromBuffer(full.data(), full.size(), loaded).Failed());
    std::vector<uint8_t> again;
    ASSERT_FALSE(loaded->SaveToBuffer(again).Failed());
    EXPECT_EQ(again, full);

    for (int round = 0; round < 2; ++round) {
        while (d.doc->CanUndo())
            ASSERT_FALSE(d.doc->Undo().Failed());
        EXPECT_EQ(d.Bytes(), empty);
        while (d.doc->CanRedo())
            ASSERT_FALSE(d.doc->Redo().Failed());
        EXPECT_EQ(d.Bytes(), full);
    }
}

// A record without the style keys takes the drawing's style; every other key is required.
TEST(DatumIdRequest, StyleKeysAreOptionalTheOthersRequired) {
    FWxTranscriptMgr& mgr = FWxUtil::GetTranscriptMgr();
    IdDoc d;
    const UTxString16 full =
        u"CreateDatumIdSymbol Arrow=0 Intent=@\"DLxViewInstance#Sheet 1/Front\" Intent_Edge=1 "
        u"Intent_Param=0.5 Intent_Point=(0,0,0) LeaderPoints_Count=2 "
        u"LeaderPoints_0=(200,150,0) LeaderPoints_1=(200,165,0) EndLand=(200,165,0) "
        u"DispLeader=true String=\"A\" Horizontal=true Feature=false";
    ASSERT_FALSE(mgr.ReplayLine(d.doc.get(), full).Failed());
    DLxDatumIdInstance* id = d.Identifier();
    ASSERT_NE(id, nullptr);
    EXPECT_EQ(id->GetDatumIdState()->GetStyle(), nullptr);
    EXPECT_EQ(id->GetArrowHeadRef(0, 0)->id, DUxIdStyle::kFilledTriangle);
    for (const char16_t* key : {u" Feature=false", u" String=\"A\"", u" EndLand=(200,165,0)"}) {
        UTxString16 line = full;
        line.erase(line.find(key), std::char_traits<char16_t>::length(key));
        EXPECT_TRUE(mgr.ReplayLine(d.doc.get(), line).Failed()) << UTx::ToUtf8(key);
    }
}

TEST(DatumIdRequest, UnsoundRecordsAreRefusedAndChangeNothing) {
    IdDoc d;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const std::vector<uint8_t> before = d.Bytes();
    const WqGePoint3d end{200, 150, 0}, root{200, 165, 0};
    auto* frameStyle = d.doc->GetDrawing()->FindStyle(
        RSe::_GetMeta(static_cast<const DUxFeatureControlFrameStyle*>(nullptr)), u"ISO");
    const std::function<UTxResult()> cases[] = {
        // No text.
        [&] {
            return d.doc->ProcessChangeRequest(
                new DLxCreateDatumIdRequest(DLxIntent::OnEdge(d.view, 1, 0.5), {}, {end, root},
                                            root, 0, true, true, false, {}, {}));
        },
        // A leader point that is not a number.
        [&] {
            return d.doc->ProcessChangeRequest(new DLxCreateDatumIdRequest(
                DLxIntent::OnEdge(d.view, 1, 0.5), d.Text(u"A"), {end, {nan, 0, 0}}, root, 0, true,
                true, false, {}, {}));
        },
        // A text too high for any layout.
        [&] {
            return FWxUtil::GetTranscriptMgr().ReplayLine(
                d.doc.get(),
                u"CreateDatumIdSymbol Arrow=0 Intent=null Intent_Edge=0 Intent_Param=0 "
                u"Intent_Point=(200,150,0) LeaderPoints_Count=0 EndLand=(200,165,0) "
                u"DispLeader=false String=\"A\" String_Height=1e300 Horizontal=true "
                u"Feature=false");
        },
        // A style key naming a frame style.
        [&] {
            return FWxUtil::GetTranscriptMgr().ReplayLine(
                d.doc.get(),
                u"CreateDatumIdSymbol Arrow=0 Intent=null Intent_Edge=0 Intent_Param=0 "
                u"Intent_Point=(200,150,0) LeaderPoints_Count=0 EndLand=(200,165,0) "
                u"DispLeader=false String=\"A\" Horizontal=true Feature=false "
                u"DatumIDStyle=@\"" +
                    FWxUtil::GetTranscriptMgr().StringFromRef(RSeRef<FWxStyle>(frameStyle)) +
                    u"\"");
        },
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(i);
        EXPECT_TRUE(cases[i]().Failed());
        EXPECT_EQ(d.Bytes(), before);
    }
}

// ---- names and picks

TEST(DatumIdTranslator, AnIdentifierIsFoundByItsKeyAndByAPick) {
    IdDoc d;
    ASSERT_FALSE(d.Create(u"A", 0.2).Failed());
    ASSERT_FALSE(d.Create(u"B", 0.8).Failed());
    DLxDatumIdInstance* b = d.Identifier(1);
    FWxTranscriptMgr& mgr = FWxUtil::GetTranscriptMgr();
    const UTxString16 key = mgr.StringFromRef(RSeRef<DLxDatumIdInstance>(b));
    EXPECT_EQ(key.rfind(u"DLxDatumIdInstance#", 0), 0u) << UTx::ToUtf8(key);
    RSeRefBase found;
    ASSERT_FALSE(mgr.RefFromString(d.doc.get(), key, found).Failed());
    EXPECT_EQ(found.GetTarget(), b);

    EXPECT_EQ(DLxDatumIdSymbolONKTranslator::ObjectFromPoint(d.doc.get(), b->GetKeyPoint()), b);
    EXPECT_EQ(DLxDatumIdSymbolONKTranslator::ObjectFromPoint(d.doc.get(), {10, 10, 0}), nullptr);

    // The filter admits identifiers only.
    DLxDatumIdFilter filter(DLxDatumIdFilter::ESubType(1));
    SmartPtr<FWxSelection> sel = filter.Select(*b, b->GetKeyPoint());
    auto* idSel = dynamic_cast<DLxDatumIdSelection*>(sel.get());
    ASSERT_NE(idSel, nullptr);
    EXPECT_EQ(idSel->GetInstance(), b);
    EXPECT_EQ(filter.Select(*d.view, {}).get(), nullptr);
}

// Keys written under the feature identifier's name find identifiers as datum identifier keys
// do: by their point and id, and by a pick at a point typed by hand.
TEST(DatumIdTranslator, AFeatureIdentifierKeyFindsTheIdentifierAtItsPoint) {
    IdDoc d;
    ASSERT_FALSE(d.Create(u"A", 0.2).Failed());
    ASSERT_FALSE(d.Create(u"B", 0.8).Failed());
    DLxDatumIdInstance* b = d.Identifier(1);
    FWxTranscriptMgr& mgr = FWxUtil::GetTranscriptMgr();
    const UTxString16 key = mgr.StringFromRef(RSeRef<DLxDatumIdInstance>(b));
    const UTxString16 rest = key.substr(key.find(u'#'));
    const WqGePoint3d at = b->GetKeyPoint();
    struct Case {
        UTxString16 text;
        DLxDatumIdInstance* found;
    } cases[] = {
        {u"DLxFeatureIdSymbol" + rest, b},
        {u"DLxFeatureIdSymbol#" +
             UTx::MakeWideString(std::to_string(at.x) + "," + std::to_string(at.y)),
         b},
        {u"DLxFeatureIdSymbol#10,10", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(UTx::ToUtf8(c.text));
        RSeIDed* found = nullptr;
        const UTxResult r =
            FBxObjectNameKey(c.text).FindObject(*d.doc->GetRSeDb(), d.doc.get(), found);
        EXPECT_EQ(r.Failed(), c.found == nullptr);
        EXPECT_EQ(found, c.found);
    }
}

// ---- dragging the leader's end, driven by cursor events

// The last segment keeps its length and stands on the edge the end lands on, on the side it
// stood before; over no edge it keeps its direction. One request at the end of the drag.
TEST(DatumIdManipulator, TheLastSegmentTurnsToStandOnTheEdge) {
    IdDoc d;
    // A second edge, upright at x = 260 from y 150 to 190.
    d.view->AddEdge(DLxViewEdge::Line(2, {60, 0, 0}, {60, 40, 0}));
    ASSERT_FALSE(d.Create(u"A", 0.5).Failed());
    DLxDatumIdInstance* id = d.Identifier();
    const struct {
        WqGePoint3d release;
        WqGePoint3d end;
        WqGePoint3d root;
        int32_t edge;
    } cases[] = {
        // Along the same edge: the segment still rises.
        {{230, 151, 0}, {230, 150, 0}, {230, 165, 0}, 1},
        // Onto the upright edge: the segment turns to stand across it.
        {{261, 170, 0}, {260, 170, 0}, {275, 170, 0}, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.edge);
        DLxMoveDatumIdNodeManipulator m(id, d.doc.get());
        ASSERT_TRUE(m.StartDrag(id->GetFirstAnchor()->GetPoint()));
        EXPECT_NEAR(m.GetSegmentLength(), 15, 1e-9);
        ASSERT_TRUE(m.Drag({300, 300, 0}));
        // Over nothing: the direction stays.
        EXPECT_NEAR(m.GetRootPoint().distanceTo(m.GetEndPoint() +
                                                WqGeVector3d(m.GetSegmentDirection()) * 15),
                    0, 1e-9);
        ASSERT_TRUE(m.Drag(c.release));
        EXPECT_NEAR(m.GetEndPoint().distanceTo(c.end), 0, 1e-9);
        EXPECT_NEAR(m.GetRootPoint().distanceTo(c.root), 0, 1e-9);
        ASSERT_TRUE(m.EndDrag(c.release));
        ASSERT_NE(m.GetRequest().get(), nullptr);
        int32_t edge = 0;
        ASSERT_TRUE(id->GetFirstAnchor()->GetEdgeId(edge));
        EXPECT_EQ(edge, c.edge);
        EXPECT_NEAR(id->GetFirstAnchor()->GetPoint().distanceTo(c.end), 0, 1e-9);
        EXPECT_NEAR(id->GetLeader(0)->GetRoot()->GetPoint().distanceTo(c.root), 0, 1e-9);
    }
}

} // namespace

// ---- the identifier's leader and its text colour

// The identifier hangs on a datum-identifier leader that knows which kind it serves: set at
// creation, kept in step with the state at every compute, stored with the drawing.
TEST(DatumIdInstance, ItsLeaderKnowsWhichIdentifierItServes) {
    IdDoc d;
    ASSERT_FALSE(d.Create(u"A", 0.3).Failed());
    ASSERT_FALSE(d.Create(u"F1", 0.7, u"ISO", true).Failed());
    auto leaderOf = [&](size_t i) {
        return dynamic_cast<DUxDatumIDLeader*>(d.Identifier(i)->GetLeader(0));
    };
    ASSERT_NE(leaderOf(0), nullptr);
    ASSERT_NE(leaderOf(1), nullptr);
    EXPECT_FALSE(leaderOf(0)->IsFeatureIdentifier());
    EXPECT_TRUE(leaderOf(1)->IsFeatureIdentifier());

    d.Identifier(0)->GetDatumIdState()->SetFeatureIdentifier(true);
    d.Identifier(0)->MarkEdited(true);
    RDxComputeContext ctx;
    d.sheet->Recompute(ctx);
    EXPECT_TRUE(leaderOf(0)->IsFeatureIdentifier());

    const std::vector<uint8_t> bytes = d.Bytes();
    std::unique_ptr<RSeDatabase> loaded;
    ASSERT_FALSE(RSeDatabase::LoadFromBuffer(bytes.data(), bytes.size(), loaded).Failed());
    auto* copy = dynamic_cast<DUxDatumIDLeader*>(loaded->FindObject(leaderOf(0)->GetId()));
    ASSERT_NE(copy, nullptr);
    EXPECT_TRUE(copy->IsFeatureIdentifier());
}

// The colour of the identifier's text where it departs from its style's: a colour of its own,
// or its layer's when it follows the layer. As the style draws it, the caller's values stay.
TEST(DatumIdInstance, TheTextColourIsTheStringsWhereItDepartsFromTheStyle) {
    IdDoc d;
    ASSERT_FALSE(d.Create(u"A").Failed());
    DLxDatumIdInstance* id = d.Identifier();
    RDxString* text = id->GetSymbolString();
    ASSERT_NE(text, nullptr);
    // Made from a bare text, an identifier's string starts as its style draws it.
    std::vector<WqGePoint3d> points{{180, 150, 0}, {180, 165, 0}};
    const DLxDatumIdInstance* made = DLxDatumIdInstance::CreateInstance(
        d.sheet, u"B", points, {180, 165, 0}, 0, false, d.Style(u"ISO"), nullptr);
    ASSERT_NE(made, nullptr);
    EXPECT_FALSE(made->GetSymbolString()->GetNoColor());
    EXPECT_EQ(UCxStringUtil::ColorOf(*made->GetSymbolString()), SMxColor());

    const SMxColor red = SMxColor::FromRgba(255, 0, 0);
    const SMxColor green = SMxColor::FromRgba(0, 255, 0);
    auto* layer = new (RSe::_GetMeta(static_cast<const FBxLayerStyle*>(nullptr)),
                       d.doc->GetDrawing()->GetSegment()) FBxLayerStyle();
    layer->SetStyleName(u"Green");
    layer->SetColor(green);
    ASSERT_TRUE(d.doc->GetDrawing()->AddStyle(layer));
    DUxStyleUtil::SetLayerStyle(id->GetDatumIdState(), layer);

    const float redRgba[4] = {1, 0, 0, 1};
    const float blackRgba[4] = {0, 0, 0, 1};
    const SMxColor unset = SMxColor::FromIndex(99);
    const struct {
        const char* name;
        bool byLayer;
        const float* rgba;
        bool own, byLayerSet, byLayerOut;
        SMxColor color, drawn;
    } cases[] = {
        {"as the style", false, blackRgba, false, false, true, unset, SMxColor()},
        {"a colour of its own", false, redRgba, true, false, false, red, red},
        {"by layer", true, blackRgba, false, true, true, green, green},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        text->SetNoColor(c.byLayer);
        text->SetColor(c.rgba);
        bool own = false, byLayerSet = false, byLayer = true;
        SMxColor color = unset;
        id->GetTextColor(own, color, byLayerSet, byLayer);
        EXPECT_EQ(own, c.own);
        EXPECT_EQ(byLayerSet, c.byLayerSet);
        EXPECT_EQ(byLayer, c.byLayerOut);
        EXPECT_EQ(color, c.color);

        id->MarkEdited(true);
        RDxComputeContext ctx;
        d.sheet->Recompute(ctx);
        std::vector<SMxColor> texts;
        std::function<void(const SMxDisplayList&, SMxDrawAttributes)> walk =
            [&](const SMxDisplayList& list, SMxDrawAttributes attrs) {
                attrs.Enter(list);
                for (const SMxDisplayItem& item : list) {
                    if (auto* child = item.As<SMxChildItem>())
                        walk(child->list, attrs);
                    else if (item.GetKind() == SMxItemKind::Text)
                        texts.push_back(attrs.ColorOf(item));
                }
            };
        walk(*id->GetDisplayList(), SMxDrawAttributes());
        ASSERT_FALSE(texts.empty());
        for (const SMxColor& drawn : texts)
            EXPECT_EQ(drawn, c.drawn);
    }
}
