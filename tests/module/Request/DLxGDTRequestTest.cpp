// Feature control frames through their requests: creation on a view edge, validation against the
// frame style, edits, quarter turns, the transcript record (and its older form) and undo.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "KorvuTestSupport.h"
#include "Leader/DLxLeaderUtils.h"
#include "Request/DLxCreateGDTRequest.h"
#include "Standard/DLxStdStyles.h"
#include "Symbol/DLxGDTInstance.h"
#include "Symbol/DLxGDTInstanceONKTranslator.h"
#include "Symbol/DLxGDTSelection.h"
#include "Symbol/DLxGDTState.h"
#include "dc/RDxComputeContext.h"
#include "dl/DLxAnchorPoint.h"
#include "dl/DLxDrawing.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxSheet.h"
#include "dl/DLxViewInstance.h"
#include "du/DUxArrowHead.h"
#include "du/DUxFeatureControlFrameStyle.h"
#include "du/DUxLeaderNode.h"
#include "du/DUxLeaderNodeTree.h"
#include "du/DUxSymStyleWrapUtils.h"
#include "fb/FBxLayerStyle.h"
#include "fw/FBxObjectNameKey.h"
#include "fw/FWxTranscriptMgr.h"
#include "fw/FWxUtil.h"
#include "ge/BBox.h"
#include "rse/RSeDatabase.h"
#include "rse/RSeErrors.h"
#include "rse/RSeMetaType.h"
#include "rse/RSeTransaction.h"
#include "sm/SMxDisplayItem.h"
#include "sm/SMxDisplayList.h"

namespace {

using Tree = DUxLeaderNodeTree;
constexpr double kDegree = 0.01745329251994;

struct Line {
    int code;
    const char16_t* tolA = u"";
    const char16_t* tolB = u"";
    const char16_t* datumA = u"";
    const char16_t* datumB = u"";
    const char16_t* datumC = u"";
};

// The field vector of a frame: the datum identifier, then six fields a line.
std::vector<UTxString16> Fields(std::vector<Line> lines, const char16_t* datumId = u"") {
    std::vector<UTxString16> f{datumId};
    for (const Line& l : lines) {
        f.push_back(UTx::MakeWideString(std::to_string(l.code)));
        for (const char16_t* t : {l.tolA, l.tolB, l.datumA, l.datumB, l.datumC})
            f.emplace_back(t);
    }
    return f;
}

// An ISO drawing with one sheet and a view whose edge 1 runs along y = 150 from x 150 to 250.
struct FrameDoc {
    std::unique_ptr<DLxDrawingDoc> doc = std::make_unique<DLxDrawingDoc>();
    DLxSheet* sheet = nullptr;
    DLxViewInstance* view = nullptr;

    explicit FrameDoc(bool styles = true) {
        doc->GetDrawing()->SetStandardName(u"ISO");
        sheet = doc->CreateSheet(u"Sheet 1", 420, 297);
        view = sheet->CreateView(u"Front");
        view->SetViewCenter({200, 150, 0});
        view->SetEdges({DLxViewEdge::Line(1, {-50, 0, 0}, {50, 0, 0})});
        if (styles) DLxStdStyles::AddDocumentStyles(doc.get());
        RDxComputeContext ctx;
        sheet->Recompute(ctx);
    }

    UTxResult Create(std::vector<UTxString16> fields, double param = 0.5,
                     WqGePoint3d root = {220, 190, 0}) {
        std::vector<int32_t> vis(fields.size(), 3);
        std::vector<bool> framed((fields.size() - 1) / 6, true);
        const WqGePoint3d end = {150 + 100 * param, 150, 0};
        return doc->ProcessChangeRequest(new DLxCreateGDTRequest(DLxIntent::OnEdge(view, 1, param),
                                                                 {end, root}, 28029, true, false,
                                                                 fields, vis, framed, {}, {}));
    }
    DLxGDTInstance* Frame(size_t i = 0) const {
        size_t n = 0;
        for (const RSeRef<RDxNode>& r : sheet->GetNodes())
            if (auto* f = dynamic_cast<DLxGDTInstance*>(r.GetTarget()))
                if (n++ == i) return f;
        return nullptr;
    }
    UTxResult Edit(DLxGDTInstance* f, std::vector<UTxString16> fields) {
        std::vector<int32_t> vis(fields.size(), 3);
        std::vector<bool> framed((fields.size() - 1) / 6, true);
        return doc->ProcessChangeRequest(
            new DLxCreateGDTRequest(RSeRef<DLxGDTInstance>(f), false, fields, vis, framed, {}, {}));
    }
    UTxResult Rotate(DLxGDTInstance* f, bool clockwise) {
        return doc->ProcessChangeRequest(
            new DLxGDTRotateRequest(RSeRef<DLxGDTInstance>(f), clockwise));
    }
    std::vector<uint8_t> Bytes() {
        std::vector<uint8_t> bytes;
        EXPECT_FALSE(doc->GetRSeDb()->SaveToBuffer(bytes).Failed());
        return bytes;
    }
    DUxFeatureControlFrameStyle* Style() const {
        return DUxSymStyleWrapUtils::GetDocumentFCFStyle(doc.get());
    }
};

TEST(GDTRequest, ACreatedFrameSitsOnItsEdgeAndDraws) {
    FrameDoc d;
    const UTxResult made = d.Create(Fields({{5, u"0.1", u"", u"A", u"B"}}));
    ASSERT_FALSE(made.Failed()) << made.GetMessageUtf8();
    DLxGDTInstance* f = d.Frame();
    ASSERT_NE(f, nullptr);
    DLxGDTState* s = f->GetGDTState();
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->GetNumberOfLines(), 1);
    EXPECT_EQ(s->GetLineSymbolCode(0), 5);
    EXPECT_EQ(s->Value(DLxGDTState::kDatumB, 0), u"B");
    EXPECT_EQ(f->GetNumLeaders(), 2);
    EXPECT_TRUE(f->AlwaysHorizontal());
    EXPECT_TRUE(f->GetAttachmentRule());
    DLxAnchorPoint* a = f->GetFirstAnchor();
    ASSERT_NE(a, nullptr);
    EXPECT_TRUE(a->IsOnEdge());
    EXPECT_NEAR(a->GetPoint().x, 200, 1e-9);
    EXPECT_NEAR(a->GetPoint().y, 150, 1e-9);
    EXPECT_FALSE(s->GetBoundingBox().isEmpty());
    ASSERT_NE(f->GetDisplayList(), nullptr);
    EXPECT_FALSE(f->GetDisplayList()->IsEmpty());
}

// A new frame: three lines, the default tolerance in the standard's decimal marker, two leaders
// of which the first runs through the placed points to its root, always horizontal.
TEST(GDTInstance, ANewFrameTakesTheDecimalMarkerOfItsStyle) {
    FrameDoc d;
    const struct {
        int32_t marker;
        const char16_t* tolerance;
    } cases[] = {{0, u"0.000"}, {1, u"0,000"}, {2, u"0.000"}};
    for (const auto& c : cases) {
        d.Style()->SetUnitValue(DUxUnitField::PrimDecimalMarker, c.marker);
        std::vector<WqGePoint3d> points{{200, 150, 0}, {210, 170, 0}, {230, 180, 0}};
        DLxGDTInstance* f = DLxGDTInstance::CreateInstance(d.sheet, points, 28029, {}, {}, {});
        ASSERT_NE(f, nullptr);
        DLxGDTState* s = f->GetGDTState();
        EXPECT_EQ(s->GetNumberOfLines(), 3);
        EXPECT_EQ(s->Value(DLxGDTState::kToleranceA, 0), c.tolerance) << c.marker;
        EXPECT_TRUE(f->AlwaysHorizontal());
        EXPECT_TRUE(f->GetAttachmentRule());
        ASSERT_EQ(f->GetNumLeaders(), 2);
        EXPECT_EQ(f->GetLeader(0)->GetNumNodes(), 3);
        EXPECT_EQ(f->GetLeader(0)->GetRoot()->GetPoint().x, 230);
        EXPECT_EQ(f->GetLeader(1)->GetNumNodes(), 1);
        EXPECT_EQ(f->GetLeader(0)->GetSecondLandingDistance(),
                  d.Style()->GetExtensionLineOvershoot());
    }
}

// Whether some item of the list (at any depth) is drawn in `color`.
bool DrawsIn(const SMxDisplayList& list, SMxDrawAttributes attrs, const SMxColor& color) {
    attrs.Enter(list);
    for (const SMxDisplayItem& item : list) {
        if (auto* child = item.As<SMxChildItem>()) {
            if (DrawsIn(child->list, attrs, color)) return true;
        } else if (attrs.ColorOf(item) == color) {
            return true;
        }
    }
    return false;
}

// A frame on a layer draws in the layer's colour; the layer travels in the transcript by name.
TEST(GDTRequest, AFrameOnALayerDrawsInItsColour) {
    const SMxColor red = SMxColor::FromRgba(255, 0, 0);
    auto addLayer = [&](FrameDoc& d) {
        auto* layer = new (RSe::_GetMeta(static_cast<const FBxLayerStyle*>(nullptr)),
                           d.doc->GetDrawing()->GetSegment()) FBxLayerStyle();
        layer->SetStyleName(u"Red");
        layer->SetColor(red);
        d.doc->GetDrawing()->AddStyle(layer);
        return layer;
    };
    FWxTranscriptMgr& mgr = FWxUtil::GetTranscriptMgr();
    mgr.ClearLines();
    FrameDoc d;
    FBxLayerStyle* layer = addLayer(d);
    const std::vector<UTxString16> fields = Fields({{10, u"0.1"}});
    ASSERT_FALSE(d.doc
                     ->ProcessChangeRequest(new DLxCreateGDTRequest(
                         DLxIntent::OnEdge(d.view, 1, 0.5), {{200, 150, 0}, {220, 190, 0}}, 28029,
                         true, false, fields, std::vector<int32_t>(fields.size(), 3), {true},
                         RSeRef<FBxLayerStyle>(layer), {}))
                     .Failed());
    DLxGDTInstance* f = d.Frame();
    EXPECT_EQ(DUxStyleUtil::GetLayerStyle(f->GetGDTState()), layer);
    EXPECT_TRUE(DrawsIn(*f->GetDisplayList(), SMxDrawAttributes(), red));
    ASSERT_EQ(mgr.GetLines().size(), 1u);
    EXPECT_NE(mgr.GetLines()[0].find(u"LayerStyle=@\"FBxLayerStyle#Red\""), UTxString16::npos);

    FrameDoc replay;
    FBxLayerStyle* again = addLayer(replay);
    ASSERT_FALSE(mgr.ReplayLine(replay.doc.get(), mgr.GetLines()[0]).Failed());
    EXPECT_EQ(DUxStyleUtil::GetLayerStyle(replay.Frame()->GetGDTState()), again);
    mgr.ClearLines();
}

// Which symbol codes a request may set, against the style's mask.
TEST(GDTRequest, ValidationFollowsTheStyleMask) {
    FrameDoc d;
    DUxFeatureControlFrameStyle* style = d.Style();
    ASSERT_NE(style, nullptr);
    style->SetGdtSymbols(0x1 | 0x100); // straightness (1) and position (10) only
    struct Case {
        std::vector<UTxString16> fields;
        UTxResultCode code; // 0: accepted
    } cases[] = {
        {Fields({{10, u"0.1"}}), 0},
        {Fields({{1, u"0.1"}, {0}}), 0},
        {Fields({{2, u"0.1"}}), 0x200B0323},  // flatness: bit clear
        {Fields({{15, u"0.1"}}), 0x200B0323}, // a modifier is no line symbol
        {Fields({{31, u"0.1"}}), 0x200B0323},
        {Fields({{-1, u"0.1"}}), 0x200B0323},
        {{u""}, 0x200B0323}, // fewer than two fields
    };
    for (const Case& c : cases) {
        DLxCreateGDTRequest req(DLxIntent::OnEdge(d.view, 1, 0.5), {}, 28029, true, false, c.fields,
                                std::vector<int32_t>(c.fields.size(), 3), {}, {}, {});
        const UTxResult r = req.ValidateInputs(d.doc.get());
        EXPECT_EQ(r.GetCode(), c.code) << UTx::ToUtf8(c.fields.size() > 1 ? c.fields[1] : u"");
    }
    DLxCreateGDTRequest req(DLxIntent::OnEdge(d.view, 1, 0.5), {}, 28029, true, false,
                            Fields({{10}}), {3, 3, 3, 3, 3, 3, 3}, {}, {}, {});
    EXPECT_TRUE(req.ValidateInputs(nullptr).Failed());

    // A document without frame styles refuses with its own code.
    FrameDoc bare(false);
    DLxCreateGDTRequest none(DLxIntent::OnEdge(bare.view, 1, 0.5), {}, 28029, true, false,
                             Fields({{10}}), {3, 3, 3, 3, 3, 3, 3}, {}, {}, {});
    EXPECT_EQ(none.ValidateInputs(bare.doc.get()).GetCode(), 0x200B0321u);
}

TEST(GDTRequest, AnEditKeepsASymbolTheStyleNoLongerOffers) {
    FrameDoc d;
    ASSERT_FALSE(d.Create(Fields({{2, u"0.05"}})).Failed());
    DLxGDTInstance* f = d.Frame();
    d.Style()->SetGdtSymbols(0x100);
    EXPECT_FALSE(d.Edit(f, Fields({{2, u"0.02"}})).Failed());
    EXPECT_EQ(f->GetGDTState()->Value(DLxGDTState::kToleranceA, 0), u"0.02");
    EXPECT_EQ(d.Edit(f, Fields({{3, u"0.02"}})).GetCode(), 0x200B0323u);
    // An edit whose frame is gone is refused, not followed.
    EXPECT_EQ(d.doc
                  ->ProcessChangeRequest(
                      new DLxCreateGDTRequest(RSeRef<DLxGDTInstance>(), false, Fields({{10}}),
                                              std::vector<int32_t>(7, 3), {}, {}, {}))
                  .GetCode(),
              0x200B0323u);
}

TEST(GDTRequest, AnEditWithFewerLinesDropsTheRestButNeverTheLast) {
    FrameDoc d;
    ASSERT_FALSE(d.Create(Fields({{10, u"0.1", u"", u"A"}, {10, u"0.2"}, {1, u"0.3"}})).Failed());
    DLxGDTInstance* f = d.Frame();
    EXPECT_EQ(f->GetGDTState()->GetNumberOfLines(), 3);
    ASSERT_FALSE(d.Edit(f, Fields({{10, u"0.4"}})).Failed());
    EXPECT_EQ(f->GetGDTState()->GetNumberOfLines(), 1);
    EXPECT_EQ(f->GetGDTState()->Value(DLxGDTState::kToleranceA, 0), u"0.4");
    ASSERT_FALSE(d.Edit(f, {u"", u"10", u"0.5"}).Failed()); // a short last line
    EXPECT_EQ(f->GetGDTState()->GetNumberOfLines(), 1);
}

TEST(GDTRequest, QuarterTurnsComeBackToTheStart) {
    FrameDoc d;
    ASSERT_FALSE(d.Create(Fields({{10, u"0.1", u"", u"A"}})).Failed());
    DLxGDTInstance* f = d.Frame();
    DLxGDTState* s = f->GetGDTState();
    const Tree::ELandingPos start = f->GetLeader(0)->GetLandingPosition();

    ASSERT_FALSE(d.Rotate(f, true).Failed());
    EXPECT_DOUBLE_EQ(s->GetRotationAngle(), 4.7123889803838);
    for (int i = 0; i < 3; ++i)
        ASSERT_FALSE(d.Rotate(f, true).Failed());
    EXPECT_NEAR(s->GetRotationAngle(), 0, 1e-9);
    EXPECT_EQ(f->GetLeader(0)->GetLandingPosition(), start);

    // Counter-clockwise from 270 degrees lands exactly on 0.
    ASSERT_FALSE(d.Rotate(f, true).Failed());
    ASSERT_NEAR(s->GetRotationAngle() / kDegree, 270, 1e-4);
    ASSERT_FALSE(d.Rotate(f, false).Failed());
    EXPECT_EQ(s->GetRotationAngle(), 0.0);
}

// A free frame turned to 90, 180 and 270 degrees attaches towards -X, -Y and +X.
TEST(GDTInstance, AFreeFrameAttachesByItsTurn) {
    FrameDoc d;
    std::vector<UTxString16> fields = Fields({{10, u"0.1"}});
    ASSERT_FALSE(d.doc
                     ->ProcessChangeRequest(new DLxCreateGDTRequest(
                         DLxIntent::Free({100, 100, 0}), {{100, 100, 0}}, 28029, false, false,
                         fields, std::vector<int32_t>(7, 3), {true}, {}, {}))
                     .Failed());
    DLxGDTInstance* f = d.Frame();
    const struct {
        double degrees;
        WqGeVector3d dir;
    } cases[] = {{90, {-1, 0, 0}}, {180, {0, -1, 0}}, {270, {1, 0, 0}}};
    for (const auto& c : cases) {
        f->GetGDTState()->SetRotationAngle(c.degrees * kDegree);
        WqGePoint3d at;
        WqGeVector3d dir;
        Tree::ELandingPos pos = Tree::kNoLanding;
        int32_t index = 0;
        EXPECT_TRUE(f->GetNoLeaderSymAttachment(at, dir, pos, index));
        EXPECT_NEAR(dir.x, c.dir.x, 1e-12) << c.degrees;
        EXPECT_NEAR(dir.y, c.dir.y, 1e-12) << c.degrees;
    }
}

TEST(GDTInstance, TheCornerStyleSetsLandingsAndUndoesThem) {
    FrameDoc d;
    ASSERT_FALSE(d.Create(Fields({{10, u"0.1"}})).Failed());
    DLxGDTInstance* f = d.Frame();
    DLxGDTState* s = f->GetGDTState();
    auto recompute = [&] {
        f->MarkEdited(true);
        RDxComputeContext ctx;
        d.sheet->Recompute(ctx);
    };
    d.Style()->SetLeaderAtCorner(true);
    recompute();
    EXPECT_TRUE(s->IsFlagOn(DLxGDTInstance::kCornerSetUpFlag));
    for (int i = 0; i < f->GetNumLeaders(); ++i) {
        EXPECT_EQ(f->GetLeader(i)->GetLandingPosition(), Tree::kNoLanding);
        EXPECT_EQ(f->GetLeader(i)->GetLandingLength(), 0.0);
    }
    // Off again: landings follow the turn (1 at 0 degrees, 2 at 90, ...), leader 1 on the
    // opposite side; a 45-degree frame keeps what it has.
    const struct {
        double degrees;
        Tree::ELandingPos expected;
    } cases[] = {{0, Tree::kPosX}, {90, Tree::kPosY}, {180, Tree::kNegX}, {270, Tree::kNegY}};
    for (const auto& c : cases) {
        d.Style()->SetLeaderAtCorner(true);
        recompute();
        s->SetRotationAngle(c.degrees * kDegree);
        d.Style()->SetLeaderAtCorner(false);
        recompute();
        EXPECT_FALSE(s->IsFlagOn(DLxGDTInstance::kCornerSetUpFlag));
        EXPECT_EQ(f->GetLeader(0)->GetLandingPosition(), c.expected) << c.degrees;
        EXPECT_EQ(f->GetLeader(0)->GetLandingDirectionFlag(0), c.degrees == 90 || c.degrees == 270);
        EXPECT_GT(f->GetLeader(0)->GetLandingLength(), 0.0);
    }
    d.Style()->SetLeaderAtCorner(true);
    recompute();
    s->SetRotationAngle(45 * kDegree);
    f->GetLeader(0)->SetLandingPosition(Tree::kNegY);
    d.Style()->SetLeaderAtCorner(false);
    recompute();
    EXPECT_EQ(f->GetLeader(0)->GetLandingPosition(), Tree::kNegY);
}

// Two active leaders meeting at a corner share leader 0's root as their common hot point; without
// the corner rule it is the middle of the frame.
TEST(GDTInstance, TheCommonRootOfCornerLeadersIsLeaderZerosRoot) {
    FrameDoc d;
    ASSERT_FALSE(d.Create(Fields({{10, u"0.1"}})).Failed());
    DLxGDTInstance* f = d.Frame();
    Tree* second = f->GetLeader(1);
    second->InsertNode(second->GetRoot(), {230, 200, 0});
    DLxAnchorPoint* end = f->GetLeader(1) ? DLxLeaderUtils::GetAnchorPoint(second, 0) : nullptr;
    ASSERT_NE(end, nullptr);
    ASSERT_TRUE(end->AttachToEdge(d.view, 1, 0.9));
    auto commonRoot = [&](WqGePoint3d& at) {
        f->MarkEdited(true);
        RDxComputeContext ctx;
        d.sheet->Recompute(ctx);
        d.sheet->Recompute(ctx);
        for (const SMxDisplayItem& item : *f->GetDisplayList())
            if (item.GetId() == Tree::SynthesizeItemID(Tree::kLeaderRootItem, 0, 0, 0))
                if (auto* p = item.As<SMxPointItem>()) {
                    at = p->position;
                    return true;
                }
        return false;
    };
    ASSERT_EQ(f->GetNumberOfActiveLeaders(), 2);
    WqGePoint3d at;
    ASSERT_TRUE(commonRoot(at));
    const WqGePoint3d centre = f->GetGDTState()->GetBoundingBox().center();
    EXPECT_NEAR(at.x, centre.x, 1e-9);
    d.Style()->SetLeaderAtCorner(true);
    ASSERT_TRUE(commonRoot(at));
    const WqGePoint3d root = f->GetLeader(0)->GetRoot()->GetPoint();
    EXPECT_NEAR(at.x, root.x, 1e-9);
    EXPECT_NEAR(at.y, root.y, 1e-9);
}

// Dragging the roots of a frame with two leaders: a corner frame's leaders move from leader 0's
// root (their common root), any other from the middle of the frame; both keep their spacing.
TEST(GDTInstance, DraggingTheLeaderRootsMovesTheCommonRootToThePoint) {
    for (const bool corner : {true, false}) {
        SCOPED_TRACE(corner ? "corner" : "side");
        FrameDoc d;
        ASSERT_FALSE(d.Create(Fields({{10, u"0.1"}})).Failed());
        DLxGDTInstance* f = d.Frame();
        Tree* second = f->GetLeader(1);
        second->InsertNode(second->GetRoot(), {230, 200, 0});
        ASSERT_TRUE(DLxLeaderUtils::GetAnchorPoint(second, 0)->AttachToEdge(d.view, 1, 0.9));
        d.Style()->SetLeaderAtCorner(corner);
        f->MarkEdited(true);
        RDxComputeContext ctx;
        d.sheet->Recompute(ctx);
        ASSERT_EQ(f->GetNumberOfActiveLeaders(), 2);
        ASSERT_EQ(f->GetGDTState()->IsFlagOn(DLxGDTInstance::kCornerSetUpFlag), corner);

        const WqGePoint3d r0 = f->GetLeader(0)->GetRoot()->GetPoint();
        const WqGePoint3d r1 = f->GetLeader(1)->GetRoot()->GetPoint();
        const WqGePoint3d from = corner ? r0 : f->GetGDTState()->GetBoundingBox().center();
        const WqGePoint3d to(260, 210, 0);
        f->AdjustLeaderRoot(to, 0);
        const WqGePoint3d n0 = f->GetLeader(0)->GetRoot()->GetPoint();
        const WqGePoint3d n1 = f->GetLeader(1)->GetRoot()->GetPoint();
        EXPECT_NEAR(n0.x, r0.x + to.x - from.x, 1e-9);
        EXPECT_NEAR(n0.y, r0.y + to.y - from.y, 1e-9);
        EXPECT_NEAR(n1.x - n0.x, r1.x - r0.x, 1e-9);
        EXPECT_NEAR(n1.y - n0.y, r1.y - r0.y, 1e-9);
        if (corner) {
            EXPECT_NEAR(n0.x, to.x, 1e-9);
            EXPECT_NEAR(n0.y, to.y, 1e-9);
        }
    }
}

// The frame's own arrowhead boxes (one a framed line, one for the datum identifier) cover the
// frame as drawn: together they are its placed box, at every quarter turn.
TEST(GDTInstance, ArrowHeadBoxesCoverTheDrawnFrame) {
    struct Case {
        const char* name;
        std::vector<Line> lines;
        const char16_t* datumId;
    };
    const Case cases[] = {
        {"one line", {{10, u"0.1", u"", u"A"}}, u""},
        {"one line, datum identifier", {{10, u"0.1", u"", u"A"}}, u"E"},
        {"three lines, datum identifier",
         {{10, u"0.1", u"0.05", u"A", u"B"}, {10, u"0.05", u"", u"A"}, {1, u"0.01"}},
         u"E"},
    };
    for (const Case& c : cases) {
        for (int turns = 0; turns < 2; ++turns) {
            SCOPED_TRACE(std::string(c.name) + (turns ? ", turned" : ""));
            FrameDoc d;
            ASSERT_FALSE(d.Create(Fields(c.lines, c.datumId)).Failed());
            DLxGDTInstance* f = d.Frame();
            if (turns) {
                ASSERT_FALSE(d.Rotate(f, true).Failed());
            }
            std::vector<DUxArrowHeadBox> boxes;
            f->GetArrowHeadBoxes(boxes);
            const size_t own = c.lines.size() + (c.datumId[0] ? 1 : 0);
            ASSERT_GE(boxes.size(), own);
            BBox covered;
            for (size_t i = 0; i < own; ++i)
                for (const WqGePoint3d& p : boxes[i].GetPoints())
                    covered.extend(p);
            const BBox drawn = f->GetGDTState()->GetBoundingBox();
            EXPECT_NEAR(covered.min.x, drawn.min.x, 1e-9);
            EXPECT_NEAR(covered.min.y, drawn.min.y, 1e-9);
            EXPECT_NEAR(covered.max.x, drawn.max.x, 1e-9);
            EXPECT_NEAR(covered.max.y, drawn.max.y, 1e-9);
        }
    }
}

// Frames upgraded from older versions attach by the box centre x and the attach offset.
TEST(GDTInstance, AnOlderFrameAttachesByTheAttachOffset) {
    FrameDoc d;
    ASSERT_FALSE(d.Create(Fields({{10, u"0.1"}})).Failed());
    DLxGDTInstance* f = d.Frame();
    const BBox box({10, 20, 0}, {50, 30, 0});
    f->SetAttachmentRule(false);
    const WqGeVector3d old = f->GetAttachPointOffset(box);
    EXPECT_EQ(old.x, 30);
    EXPECT_EQ(old.y, f->GetGDTState()->GetAttachOffset());
    f->SetAttachmentRule(true);
    f->SetFlag(DLxGDTInstance::kUpgradedFlag);
    f->SetAttachmentRule(false);
    f->MarkEdited(true);
    RDxComputeContext ctx;
    d.sheet->Recompute(ctx);
    EXPECT_TRUE(f->GetAttachmentRule());
}

// Transcript: the record written by a session replays to the same document; an older record
// with 13 fields is reordered and frames every line when "LinesFramed" is absent.
TEST(GDTRequest, ARecordReplaysAndAnOlderOneIsReordered) {
    FWxTranscriptMgr& mgr = FWxUtil::GetTranscriptMgr();
    mgr.ClearLines();
    FrameDoc d;
    ASSERT_FALSE(
        d.Create(Fields({{10, u"0.1", u"0.2", u"A", u"B", u"C"}, {1, u"0.05"}}, u"D")).Failed());
    DLxGDTInstance* f = d.Frame();
    ASSERT_FALSE(d.Edit(f, Fields({{10, u"0.3", u"", u"A"}})).Failed());
    ASSERT_FALSE(d.Rotate(f, false).Failed());
    const std::vector<UTxString16> lines = mgr.GetLines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].rfind(u"CreateGDTSymbol ", 0), 0u) << UTx::ToUtf8(lines[0]);
    EXPECT_EQ(lines[2].rfind(u"RotateGDTSymbol ", 0), 0u) << UTx::ToUtf8(lines[2]);

    FrameDoc replay;
    for (const UTxString16& line : lines)
        ASSERT_FALSE(mgr.ReplayLine(replay.doc.get(), line).Failed()) << UTx::ToUtf8(line);
    EXPECT_EQ(replay.Bytes(), d.Bytes());

    // Version 0: two lines interleaved, the datum identifier last.
    DLxCreateGDTRequest old;
    UTxString16 record = u"CreateGDTSymbol Arrow=28029 Intent=null Intent_Edge=0 Intent_Param=0 "
                         u"Intent_Point=(1,2,0) Points=[] "
                         u"AllAround=false DisplayLeader=false Fields_Count=13";
    const char16_t* old13[13] = {u"10", u"1", u"0.1", u"0.2", u"", u"", u"A",
                                 u"B",  u"",  u"",    u"",    u"", u"D"};
    for (int i = 0; i < 13; ++i)
        record += u" Fields_" + UTx::MakeWideString(std::string(1, "0123456789abc"[i])) + u"=\"" +
                  old13[i] + u"\"";
    record += u" FieldsVisibility=[3,3,3,3,3,3,3,3,3,3,3,3,1] Create=true";
    ASSERT_FALSE(old.InitFromTranscript(d.doc.get(), record).Failed());
    const std::vector<UTxString16> want{u"D", u"10",  u"0.1", u"",  u"A", u"", u"",
                                        u"1", u"0.2", u"",    u"B", u"",  u""};
    EXPECT_EQ(old.GetFields(), want);
    EXPECT_EQ(old.GetVisibilities()[0], 1);
    EXPECT_EQ(old.GetLinesFramed(), (std::vector<bool>{true, true}));
    // Replayed, every key of the old layout counts as read.
    UTxResult r = mgr.ReplayLine(d.doc.get(), record);
    EXPECT_TRUE(r.IsEmpty()) << r.GetMessageUtf8();
    mgr.ClearLines();
}

// A frame is named by the centre of its body and its id. The key finds that frame even where
// another lies over the point (the first in the sheet's order would win a pick) or shares it; a
// key without the id, as typed by hand, finds the first frame whose centre is the point, and
// any other point is picked at.
TEST(GDTInstance, TheTranslatorFindsTheFrameItsKeyNames) {
    FWxTranscriptMgr& mgr = FWxUtil::GetTranscriptMgr();
    FrameDoc d;
    ASSERT_FALSE(d.Create(Fields({{10, u"0.1"}})).Failed());
    // Beside the first, over its body.
    ASSERT_FALSE(d.Create(Fields({{5, u"0.2", u"", u"A"}}), 0.8, {222, 190, 0}).Failed());
    ASSERT_FALSE(d.Create(Fields({{10, u"0.1"}})).Failed()); // the first again, to the bit
    DLxGDTInstance* first = d.Frame(0);
    DLxGDTInstance* second = d.Frame(1);
    DLxGDTInstance* twin = d.Frame(2);
    ASSERT_TRUE(first->HitTest(second->GetKeyPoint(), 1e-9)) << "the case needs an overlap";
    const auto keyOf = [&](DLxGDTInstance* f) { return mgr.StringFromRef(RSeRefBase(f)); };
    const auto find = [&](const UTxString16& key) -> RSeIDed* {
        RSeRefBase found;
        if (mgr.RefFromString(d.doc.get(), key, found).Failed()) return nullptr;
        return dynamic_cast<RSeIDed*>(found.GetTarget());
    };
    const UTxString16 point = FBxObjectNameKey::PointRest(first->GetKeyPoint());
    for (DLxGDTInstance* f : {first, second, twin}) {
        const UTxString16 key = keyOf(f);
        SCOPED_TRACE(UTx::ToUtf8(key));
        EXPECT_EQ(key, u"DLxGDTInstance#" + FBxObjectNameKey::PointRest(f->GetKeyPoint()) + u"#" +
                           UTx::MakeWideString(std::to_string(f->GetId())));
        EXPECT_EQ(find(key), f);
    }
    // Without the id, or with one of a frame elsewhere: the first frame centred there.
    EXPECT_EQ(find(u"DLxGDTInstance#" + point), first);
    EXPECT_EQ(find(u"DLxGDTInstance#" + point + u"#" +
                   UTx::MakeWideString(std::to_string(second->GetId()))),
              first);

    // Typed by hand: a point inside both overlapping frames picks the first.
    const WqGePoint3d inBoth = second->GetKeyPoint() + WqGeVector3d(0.01, 0, 0);
    EXPECT_EQ(DLxGDTInstanceONKTranslator::ObjectFromPoint(d.doc.get(), inBoth), first);
    const WqGePoint3d far(5, 5, 0);
    EXPECT_EQ(DLxGDTInstanceONKTranslator::ObjectFromPoint(d.doc.get(), far), nullptr);
    EXPECT_FALSE(DLxGDTInstanceONKTranslator::SelectionFromPoint(d.doc.get(), far));
    // A pick on a leader far from the body finds nothing.
    const WqGePoint3d onLeader(205, 160, 0);
    EXPECT_EQ(DLxGDTInstanceONKTranslator::ObjectFromPoint(d.doc.get(), onLeader), nullptr);
    // Malformed keys are refused.
    RSeRefBase found;
    for (const char16_t* bad :
         {u"DLxGDTInstance#1", u"DLxGDTInstance#1,", u"DLxGDTInstance#a,b", u"DLxGDTInstance#1,2#",
          u"DLxGDTInstance#1,2#0", u"DLxGDTInstance#1,2#02", u"DLxGDTInstance#1,2#x",
          u"DLxGDTInstance#1,2#4294967296"})
        EXPECT_TRUE(mgr.RefFromString(d.doc.get(), bad, found).Failed()) << UTx::ToUtf8(bad);
}

// Edits of frames that lie over one another replay onto the frames they were made on.
TEST(GDTRequest, EditsOfOverlappingFramesReplayOntoTheirOwnFrames) {
    FWxTranscriptMgr& mgr = FWxUtil::GetTranscriptMgr();
    mgr.ClearLines();
    FrameDoc d;
    ASSERT_FALSE(d.Create(Fields({{10, u"0.1"}})).Failed());
    ASSERT_FALSE(d.Create(Fields({{5, u"0.2", u"", u"A"}}), 0.8, {222, 190, 0}).Failed());
    ASSERT_FALSE(d.Create(Fields({{10, u"0.1"}})).Failed());
    ASSERT_FALSE(d.Rotate(d.Frame(1), true).Failed());
    ASSERT_FALSE(d.Edit(d.Frame(2), Fields({{10, u"0.3"}, {1, u"0.05"}})).Failed());
    ASSERT_FALSE(d.Rotate(d.Frame(2), false).Failed());
    const std::vector<UTxString16> lines = mgr.GetLines();
    ASSERT_EQ(lines.size(), 6u);

    FrameDoc replay;
    for (const UTxString16& line : lines)
        ASSERT_FALSE(mgr.ReplayLine(replay.doc.get(), line).Failed()) << UTx::ToUtf8(line);
    EXPECT_EQ(replay.Bytes(), d.Bytes());
    mgr.ClearLines();
}

TEST(GDTRequest, AReplayedEditOfAMissingFrameIsRefused) {
    FrameDoc d;
    DLxGDTRotateRequest rotate;
    ASSERT_FALSE(rotate
                     .InitFromTranscript(d.doc.get(),
                                         u"RotateGDTSymbol GDTSymbol=@\"DLxGDTInstance#"
                                         u"1,1\" RotationDirection=true")
                     .Failed());
    EXPECT_EQ(rotate.ValidateInputs(d.doc.get()).GetCode(), 0x200B0323u);
    // A key that names another kind of object reads as no frame.
    DLxGDTRotateRequest wrong;
    const UTxString16 sheetKey = FWxUtil::GetTranscriptMgr().StringFromRef(RSeRefBase(d.sheet));
    (void)wrong.InitFromTranscript(d.doc.get(), u"RotateGDTSymbol GDTSymbol=@\"" + sheetKey +
                                                    u"\" RotationDirection=true");
    EXPECT_TRUE(wrong.ValidateInputs(d.doc.get()).Failed());
}

TEST(GDTRequest, AFrameComesBackFromItsFile) {
    FrameDoc d;
    ASSERT_FALSE(
        d.Create(Fields({{10, u"0.1", u"", u"A", u"B", u"C"}, {10, u"0.05"}, {1, u"0.01"}}, u"E"))
            .Failed());
    ASSERT_FALSE(d.Rotate(d.Frame(), true).Failed());
    KorvuTempDir dir;
    const std::string path = dir.File("frame.kvd");
    ASSERT_FALSE(d.doc->Save(path).Failed());
    std::unique_ptr<DLxDrawingDoc> loaded;
    const UTxResult r = DLxDrawingDoc::Open(path, loaded);
    ASSERT_FALSE(r.Failed()) << r.GetMessageUtf8();
    std::vector<uint8_t> again;
    ASSERT_FALSE(loaded->GetRSeDb()->SaveToBuffer(again).Failed());
    EXPECT_EQ(again, d.Bytes());

    DLxSheet* sheet = loaded->GetSheets().front();
    DLxGDTInstance* f = nullptr;
    for (const RSeRef<RDxNode>& n : sheet->GetNodes())
        if (auto* g = dynamic_cast<DLxGDTInstance*>(n.GetTarget())) f = g;
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->GetGDTState()->GetNumberOfLines(), 3);
    EXPECT_EQ(f->GetGDTState()->Value(DLxGDTState::kDatumIdentifier, 0), u"E");
    EXPECT_NEAR(f->GetGDTState()->GetRotationAngle(), 4.7123889803838, 1e-12);
    // The loaded frame draws again.
    f->MarkEdited(true);
    RDxComputeContext ctx;
    EXPECT_FALSE(sheet->Recompute(ctx).Failed());
    EXPECT_FALSE(f->GetDisplayList()->IsEmpty());
}

TEST(GDTRequest, UndoingEveryRequestGivesBackTheEmptyDrawing) {
    FrameDoc d;
    const std::vector<uint8_t> empty = d.Bytes();
    ASSERT_FALSE(d.Create(Fields({{10, u"0.1", u"", u"A"}})).Failed());
    ASSERT_FALSE(d.Create(Fields({{5, u"0.2"}}), 0.2, {160, 200, 0}).Failed());
    ASSERT_FALSE(d.Edit(d.Frame(0), Fields({{10, u"0.3"}, {1, u"0.01"}})).Failed());
    ASSERT_FALSE(d.Rotate(d.Frame(1), true).Failed());
    const std::vector<uint8_t> full = d.Bytes();
    // Twice: what a redo gives back is taken anew by each undo.
    for (int round = 0; round < 2; ++round) {
        while (d.doc->CanUndo())
            ASSERT_FALSE(d.doc->Undo().Failed());
        EXPECT_EQ(d.Bytes(), empty);
        while (d.doc->CanRedo())
            ASSERT_FALSE(d.doc->Redo().Failed());
        EXPECT_EQ(d.Bytes(), full);
    }
}

// The history of a request holds what the request touched: a frame made apart from the others
// on a sheet of 80 frames keeps as much as one made on a sheet of 2.
TEST(GDTRequest, AFramesHistoryDoesNotGrowWithTheSheet) {
    auto lastCreate = [](int before) {
        FrameDoc d;
        for (int i = 0; i < before; ++i)
            EXPECT_FALSE(
                d.Create(Fields({{5, u"0.2"}}), 0.9, {200.0 + i % 10 * 20, 200.0 + i / 10 * 10, 0})
                    .Failed());
        EXPECT_FALSE(d.Create(Fields({{5, u"0.2"}}), 0.1, {60, 60, 0}).Failed());
        return d.doc->GetHistoryByteSize(1);
    };
    const size_t small = lastCreate(2), large = lastCreate(80);
    EXPECT_GT(small, 0u);
    EXPECT_EQ(large, small);
}

// A frame looks at its style and never changes it: no request on a frame keeps an image of the
// style in its history, whether the request names the style or the frame takes the document's.
// Nor does any keep one of the sheet: placing a frame only adds nodes to the sheet's list, which
// the history keeps as that change.
TEST(GDTRequest, TheHistoryOfAFrameKeepsNoImageOfWhatItOnlyReads) {
    FrameDoc d;
    DUxFeatureControlFrameStyle* style = d.Style();
    ASSERT_NE(style, nullptr);
    const std::vector<UTxString16> fields = Fields({{5, u"0.2"}});
    const std::vector<int32_t> vis(fields.size(), 3);
    const std::vector<bool> framed{true};
    struct Case {
        const char* name;
        std::function<UTxResult()> run;
    };
    const Case cases[] = {
        {"create taking the document's style", [&] { return d.Create(fields); }},
        {"create naming the style",
         [&] {
             return d.doc->ProcessChangeRequest(new DLxCreateGDTRequest(
                 DLxIntent::OnEdge(d.view, 1, 0.3), {{180, 150, 0}, {200, 200, 0}}, 28029, true,
                 false, fields, vis, framed, {}, RSeRef<DUxFeatureControlFrameStyle>(style)));
         }},
        {"create on the same edge again", [&] { return d.Create(fields, 0.3); }},
        {"edit", [&] { return d.Edit(d.Frame(0), Fields({{10, u"0.3"}})); }},
        {"rotate", [&] { return d.Rotate(d.Frame(1), true); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_FALSE(c.run().Failed());
        const RSeTxnRecord* record = d.doc->GetUndoRecord();
        ASSERT_NE(record, nullptr);
        EXPECT_FALSE(record->Holds(style));
        EXPECT_FALSE(record->Holds(d.sheet));
    }
    // What the history does keep still gives the drawing back.
    const std::vector<uint8_t> full = d.Bytes();
    while (d.doc->CanUndo())
        ASSERT_FALSE(d.doc->Undo().Failed());
    while (d.doc->CanRedo())
        ASSERT_FALSE(d.doc->Redo().Failed());
    EXPECT_EQ(d.Bytes(), full);
}

// A damaged drawing with frames loads or fails with a result; one that loads computes and
// draws without crashing (the sanitizer build checks memory), whatever its frames hold.
TEST(GDTRequest, DamagedDrawingsWithFramesLoadAndDrawOrFailCleanly) {
    FrameDoc d;
    ASSERT_FALSE(
        d.Create(Fields({{10, u"0.1", u"0.2", u"A", u"B", u"C"}, {10, u"0.05"}}, u"D")).Failed());
    ASSERT_FALSE(d.Create(Fields({{5, u"0.2"}}), 0.2, {160, 200, 0}).Failed());
    ASSERT_FALSE(d.Rotate(d.Frame(1), false).Failed());
    const std::vector<uint8_t> valid = d.Bytes();
    std::mt19937 rng(20261210);
    int loaded = 0;
    for (int round = 0; round < 1000; ++round) {
        std::vector<uint8_t> bytes = valid;
        const int edits = 1 + int(rng() % 3);
        for (int e = 0; e < edits; ++e) {
            const size_t at = rng() % bytes.size();
            if (rng() % 2)
                bytes[at] ^= uint8_t(1u << (rng() % 8));
            else
                for (size_t k = at; k < std::min(bytes.size(), at + 4); ++k)
                    bytes[k] = (rng() % 2) ? 0xFF : uint8_t(rng());
        }
        if (round % 10 == 0) bytes.resize(rng() % bytes.size());
        SCOPED_TRACE(round);
        std::unique_ptr<RSeDatabase> db;
        const UTxResult r = RSeDatabase::LoadFromBuffer(bytes.data(), bytes.size(), db);
        if (r.Failed()) {
            EXPECT_FALSE(r.GetMessage().empty());
            continue;
        }
        ++loaded;
        DLxDrawingDoc doc(std::move(db));
        for (DLxSheet* sheet : doc.GetSheets()) {
            for (const RSeRef<RDxNode>& n : sheet->GetNodes())
                if (RDxNode* node = n.get()) node->MarkEdited(true);
            RDxComputeContext ctx;
            ctx.SetInt(u"DUxPersistantComputeContextAttr", 1);
            (void)sheet->Recompute(ctx);
            sheet->ClearDiagnoses();
        }
    }
    EXPECT_GT(loaded, 0);
}

// A quarter turn looks the landing position up in a table of five: a stored position outside
// 0..4 is a failed load that says so, as a setter would never store it.
TEST(GDTRequest, AStoredLandingPositionOutOfRangeFailsTheLoad) {
    FrameDoc d;
    ASSERT_FALSE(d.Create(Fields({{5, u"0.2"}})).Failed());
    Tree* leader = d.Frame()->GetLeader(0);
    ASSERT_TRUE(leader);
    leader->SetLandingPosition(Tree::kPosY);
    const std::vector<uint8_t> good = d.Bytes();
    leader->SetLandingPosition(Tree::kNegY);
    const size_t at = KorvuFirstDifference(good, d.Bytes());
    for (const int32_t pos : {7, -1, 5}) {
        SCOPED_TRACE(pos);
        std::vector<uint8_t> bytes = good;
        std::memcpy(&bytes[at], &pos, sizeof(pos));
        std::vector<std::vector<uint8_t>> inputs{bytes};
        if (pos == 7)
            inputs.push_back(
                KorvuCorpusFile("document_load", "leader-landing-position-7.kvd", bytes));
        for (const std::vector<uint8_t>& input : inputs) {
            std::unique_ptr<RSeDatabase> db;
            const UTxResult r = RSeDatabase::LoadFromBuffer(input.data(), input.size(), db);
            EXPECT_EQ(r.GetCode(), kRSeErrDamaged) << r.GetMessageUtf8();
            EXPECT_NE(r.GetMessageUtf8().find("a leader's landing position is " +
                                              std::to_string(pos) + " (expected 0 to 4)"),
                      std::string::npos)
                << r.GetMessageUtf8();
            EXPECT_FALSE(db);
        }
    }
}

// A drawing whose frame's lines and their values come back in an order of the file's own: when
// the database closes, it deletes every object itself, and no object's end deletes another that
// is gone or going.
TEST(GDTStoredDocuments, AClosingDatabaseDeletesLinesAndValuesInAnyOrder) {
    const std::vector<uint8_t> input = KorvuCorpusFile(
        "document_load", "closing-database-deletes-a-line-and-its-values.kvd", {});
    ASSERT_FALSE(input.empty());
    std::unique_ptr<RSeDatabase> db;
    const UTxResult r = RSeDatabase::LoadFromBuffer(input.data(), input.size(), db);
    EXPECT_FALSE(r.Failed()) << r.GetMessageUtf8();
    db.reset();
}

} // namespace
