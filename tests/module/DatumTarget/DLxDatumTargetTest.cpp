// Datum targets: what each target type draws and which hot points it offers, its balloons, its
// transcript form, its file, its name keys, and the requests that place and change it (replay,
// undo and the refusals).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "DatumTarget/DLxDatumTarget.h"
#include "DatumTarget/DLxDatumTargetFilter.h"
#include "DatumTarget/DLxDatumTargetManipulators.h"
#include "DatumTarget/DLxDatumTargetONKTranslator.h"
#include "DatumTarget/DLxDatumTargetSelection.h"
#include "KorvuTestSupport.h"
#include "Request/DLxCreateSymbolRequest.h"
#include "Request/DLxDatumTargetRequest.h"
#include "Standard/DLxCTarget.h"
#include "Standard/DLxStdStyles.h"
#include "dc/RDxComputeContext.h"
#include "dc/RDxFragment.h"
#include "dl/DLxAnchorPoint.h"
#include "dl/DLxDrawing.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxPrefUtil.h"
#include "dl/DLxSheet.h"
#include "dl/DLxViewInstance.h"
#include "du/DUxDatumTargetStyle.h"
#include "fw/FWxSelection.h"
#include "fw/FWxTranscriptMgr.h"
#include "fw/FWxUtil.h"
#include "rse/RSeDatabase.h"
#include "sm/SMxDisplayItem.h"
#include "sm/SMxDisplayList.h"
#include "uc/UCxTranscriptDataExchange.h"

namespace {

using namespace DLxDatumTargetRequestUtil;
using Points = std::vector<WqGePoint3d>;

// An ISO drawing with one sheet and a view whose edge 1 runs along y = 150 from x 150 to 250.
struct TargetDoc {
    std::unique_ptr<DLxDrawingDoc> doc = std::make_unique<DLxDrawingDoc>();
    DLxSheet* sheet = nullptr;
    DLxViewInstance* view = nullptr;

    TargetDoc() {
        doc->GetDrawing()->SetStandardName(u"ISO");
        sheet = doc->CreateSheet(u"Sheet 1", 420, 297);
        view = sheet->CreateView(u"Front");
        view->SetViewCenter({200, 150, 0});
        view->SetEdges({DLxViewEdge::Line(1, {-50, 0, 0}, {50, 0, 0})});
        DLxStdStyles::AddDocumentStyles(doc.get());
        RDxComputeContext ctx;
        sheet->Recompute(ctx);
    }

    // A placement as the placement commands make it: a transient target handed to the
    // create request.
    UTxResult Place(int32_t type, const Points& leader, const WqGePoint3d& origin,
                    const WqGePoint3d& second, double param = 0.5,
                    const char16_t* style = nullptr) {
        RDxFragment* fragment = nullptr;
        DLxDatumTarget* transient = MakeTransient(fragment);
        transient->SetTargetType(type);
        transient->AddLeaderFromPoints(leader);
        transient->GetTargetShape()->SetOrigin(origin);
        transient->SetSecondTargetPoint(second);
        RSeRef<DUxDatumTargetStyle> s;
        if (style)
            s = dynamic_cast<DUxDatumTargetStyle*>(doc->FindStyle(
                RSe::_GetMeta(static_cast<const DUxDatumTargetStyle*>(nullptr)), style));
        const UTxResult r = doc->ProcessChangeRequest(new DLxCreateSymbolRequest(
            transient, DLxIntent::OnEdge(view, 1, param), s, {}));
        DeleteTransient(transient, fragment);
        return r;
    }
    DLxDatumTarget* Target(size_t i = 0) const {
        size_t n = 0;
        for (const RSeRef<RDxNode>& r : sheet->GetNodes())
            if (auto* t = dynamic_cast<DLxDatumTarget*>(r.GetTarget()))
                if (n++ == i) return t;
        return nullptr;
    }
    RSeRef<DLxDatumTarget> Ref(size_t i = 0) const { return RSeRef<DLxDatumTarget>(Target(i)); }
    UTxResult Run(FWxChangeRequest* request) { return doc->ProcessChangeRequest(request); }
    std::vector<uint8_t> Bytes() {
        std::vector<uint8_t> bytes;
        EXPECT_FALSE(doc->GetRSeDb()->SaveToBuffer(bytes).Failed());
        return bytes;
    }
};

// The ids of the hot points a target drew.
std::set<int32_t> HotPoints(const DLxDatumTarget& target) {
    std::set<int32_t> ids;
    for (const SMxDisplayItem& item : *target.GetDisplayList())
        if (item.GetKind() == SMxItemKind::Point) ids.insert(item.GetId());
    return ids;
}

std::set<int32_t> Lists(const DLxDatumTarget& target) {
    std::set<int32_t> ids;
    for (const SMxDisplayItem& item : *target.GetDisplayList())
        if (item.GetKind() == SMxItemKind::Child) ids.insert(item.GetId());
    return ids;
}

// A transient copy of a placed target, as an edit starts from.
struct TransientCopy {
    RDxFragment* fragment = nullptr;
    DLxDatumTarget* target = nullptr;
    TransientCopy(DLxDatumTarget& from, FWxSceneDoc* doc) {
        target = MakeTransientCopy(from, doc, fragment);
        EXPECT_NE(target, nullptr);
    }
    ~TransientCopy() { DeleteTransient(target, fragment); }
};

const Points kLeader = {{200, 200, 0}, {210, 150, 0}};

TEST(DatumTarget, EachTypeDrawsItsShapeAndHotPoints) {
    struct Case {
        int32_t type;
        WqGePoint3d second;
        std::set<int32_t> vertexIds; // the leader's two vertices are 0 and 1, the grips follow
    };
    const Case cases[] = {
        {0, {210, 150, 0}, {0, 1}},                // leader end only: its end point counts once
        {2, {210, 150, 0}, {0, 2}},                // the point's grip stands for the leader end
        {3, {230, 150, 0}, {0, 1, 2, 3}},          // start, end, ratio point (the end repeats)
        {4, {215, 150, 0}, {0, 2, 3, 4, 5, 6}},    // centre and four rim grips
        {5, {220, 156, 0}, {0, 2, 3, 4}},          // centre, corner, rotation point
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        TargetDoc d;
        ASSERT_FALSE(d.Place(c.type, kLeader, {210, 150, 0}, c.second).Failed());
        DLxDatumTarget* t = d.Target();
        ASSERT_NE(t, nullptr);
        EXPECT_EQ(t->GetTargetType(), c.type);
        // One attached balloon adds its own hot point.
        ASSERT_FALSE(d.Run(new DLxDatumTargetAttachRequest(d.Ref(), {212, 200, 0})).Failed());
        std::set<int32_t> expected = c.vertexIds;
        expected.insert({DLxDatumTarget::kBalloonHotPoint, DLxDatumTarget::kArrowHeadHotPoint});
        EXPECT_EQ(HotPoints(*t), expected);
        EXPECT_EQ(Lists(*t), (std::set<int32_t>{DLxDatumTarget::kShapeList,
                                                DLxDatumTarget::kBalloonList,
                                                DLxDatumTarget::kArrowHeadList, 0x4000}));
    }
}

TEST(DatumTarget, AnAreaWithoutLeaderDrawsOnlyItsShape) {
    TargetDoc d;
    ASSERT_FALSE(d.Place(4, {{210, 150, 0}}, {210, 150, 0}, {215, 150, 0}).Failed());
    DLxDatumTarget* t = d.Target();
    EXPECT_FALSE(t->HasLeader());
    EXPECT_EQ(Lists(*t), (std::set<int32_t>{DLxDatumTarget::kShapeList}));
    // The grips, and the balloon's origin in place of a leader (the sixth from last is skipped).
    EXPECT_EQ(HotPoints(*t), (std::set<int32_t>{1, 2, 3, 4, 5}));
}

TEST(DatumTarget, PlacedAreasGetTheirSizeAndTinyOnesStayDrawable) {
    TargetDoc d;
    ASSERT_FALSE(d.Place(4, kLeader, {210, 150, 0}, {215, 150, 0}).Failed());
    ASSERT_FALSE(d.Place(4, kLeader, {210, 150, 0}, {210, 150, 0}).Failed());
    ASSERT_FALSE(d.Place(5, kLeader, {210, 150, 0}, {210, 156, 0}).Failed());
    auto circle = [&](size_t i) {
        return dynamic_cast<DLxCTargetCircularArea*>(d.Target(i)->GetTargetShape());
    };
    EXPECT_DOUBLE_EQ(circle(0)->GetRadius(), 5);
    EXPECT_DOUBLE_EQ(circle(1)->GetRadius(), 0.0001);
    auto* rect = dynamic_cast<DLxCTargetRectangularArea*>(d.Target(2)->GetTargetShape());
    EXPECT_NEAR(rect->GetWidth(), 0.002, 1e-12);
    EXPECT_NEAR(rect->GetHeight(), 12, 1e-12);
    // The leader ends on the circle's rim and at the rectangle's nearest corner.
    const Points leader = d.Target(0)->GetFirstLeaderPoints();
    EXPECT_NEAR(leader.back().distanceTo({210, 150, 0}), 5, 1e-9);
    EXPECT_NEAR(d.Target(2)->GetFirstLeaderPoints().back().y, 156, 1e-9);
}

TEST(DatumTarget, BalloonsAreRemovedByIndexEvenWhereTheyCoincide) {
    TargetDoc d;
    ASSERT_FALSE(d.Place(2, kLeader, {210, 150, 0}, {210, 150, 0}).Failed());
    DLxDatumTarget* t = d.Target();
    for (const char16_t* label : {u"B", u"C", u"D"}) {
        ASSERT_FALSE(d.Run(new DLxDatumTargetAttachRequest(d.Ref(), {230, 200, 0})).Failed());
        t->SetBalloonTexts(t->GetNumAttachedBalloons(), u"", label);
    }
    auto labels = [&] {
        std::u16string all;
        for (int32_t n = 0; n <= t->GetNumAttachedBalloons(); ++n)
            all += t->GetBalloon(n)->GetTargetText();
        return all;
    };
    ASSERT_EQ(labels(), u"ABCD");
    // Balloons 2 and 3 lie on one point: the one named goes.
    ASSERT_FALSE(d.Run(new DLxDatumTargetRemoveRequest(d.Ref(), 3)).Failed());
    EXPECT_EQ(labels(), u"ABC");
    // Removing the default balloon puts the first attached one in its place.
    const WqGePoint3d origin = t->GetBalloon(0)->GetOrigin();
    ASSERT_FALSE(d.Run(new DLxDatumTargetRemoveRequest(d.Ref(), 0)).Failed());
    EXPECT_EQ(labels(), u"BC");
    EXPECT_EQ(t->GetBalloon(0)->GetOrigin(), origin);
    // The rest are spaced two balloon sizes apart along the old direction.
    EXPECT_NEAR(t->GetBalloon(1)->GetOrigin().distanceTo(origin), 2 * t->GetBalloonSize(), 1e-9);
    // -1 names no balloon; the last balloon stays.
    ASSERT_FALSE(d.Run(new DLxDatumTargetRemoveRequest(d.Ref(), -1)).Failed());
    ASSERT_FALSE(d.Run(new DLxDatumTargetRemoveRequest(d.Ref(), 1)).Failed());
    ASSERT_FALSE(d.Run(new DLxDatumTargetRemoveRequest(d.Ref(), 0)).Failed());
    EXPECT_EQ(labels(), u"B");
}

TEST(DatumTarget, ATargetCarriesAtMostEighteenBalloons) {
    TargetDoc d;
    ASSERT_FALSE(d.Place(2, kLeader, {210, 150, 0}, {210, 150, 0}).Failed());
    for (int i = 1; i < DLxDatumTarget::kMaxBalloons; ++i)
        ASSERT_FALSE(
            d.Run(new DLxDatumTargetAttachRequest(d.Ref(), {200.0 + 10 * i, 200, 0})).Failed());
    const std::vector<uint8_t> full = d.Bytes();
    EXPECT_TRUE(d.Run(new DLxDatumTargetAttachRequest(d.Ref(), {400, 200, 0})).Failed());
    EXPECT_EQ(d.Target()->GetNumAttachedBalloons(), DLxDatumTarget::kMaxBalloons - 1);
    EXPECT_EQ(d.Bytes(), full);
}

TEST(DatumTarget, TheTranscriptFormNamesEachBalloonByItsNumber) {
    TargetDoc d;
    ASSERT_FALSE(d.Place(3, kLeader, {205, 150, 0}, {225, 150, 0}).Failed());
    for (int i = 1; i <= 3; ++i)
        ASSERT_FALSE(
            d.Run(new DLxDatumTargetAttachRequest(d.Ref(), {200.0 + 10 * i, 210, 0})).Failed());
    DLxDatumTarget* t = d.Target();
    t->SetBalloonTexts(3, u"%%c4", u"A3");
    TransientCopy copy(*t, d.doc.get());
    DLxDatumTarget* back = copy.target;
    EXPECT_EQ(back->GetTargetType(), 3);
    EXPECT_EQ(back->GetNumAttachedBalloons(), 3);
    EXPECT_EQ(back->GetBalloon(3)->GetTargetText(), u"A3");
    EXPECT_EQ(back->GetBalloon(3)->GetSizeTextValue(), u"%%c4");
    EXPECT_EQ(back->GetFirstLeaderPoints(), t->GetFirstLeaderPoints());
    EXPECT_EQ(dynamic_cast<DLxCTargetLine*>(back->GetTargetShape())->GetEndPoint(),
              WqGePoint3d(225, 150, 0));
    UTxString16 line = u"Copy";
    UTxResult result;
    UCxTranscriptDataExchange out(line, result, d.doc.get(), true);
    back->Transcript(out, u"P", true);
    for (const char16_t* key : {u" P_Balloon3_Origin=", u" P_Balloon3_DatumTargetText=\"A3\"",
                                u" P_NumBalloons=3", u" P_DefaultBalloon_ConnectionTypeId=7"})
        EXPECT_NE(line.find(key), UTxString16::npos) << UTx::ToUtf8(key);
    EXPECT_EQ(line.find(u"P_Balloon4"), UTxString16::npos);

    // A record claiming more balloons than a target may carry is refused before any is made.
    const size_t at = line.find(u"P_NumBalloons=3");
    ASSERT_NE(at, UTxString16::npos);
    line.replace(at, 15, u"P_NumBalloons=18");
    RDxFragment* fragment = nullptr;
    DLxDatumTarget* other = MakeTransient(fragment);
    UTxResult read;
    {
        UCxTranscriptDataExchange in(line, read, d.doc.get(), false);
        EXPECT_TRUE(other->Transcript(in, u"P", true).Failed());
    }
    EXPECT_EQ(other->GetNumAttachedBalloons(), 0);
    DeleteTransient(other, fragment);
}

TEST(DatumTargetRequest, AnEditNeedsABalloonForEachOfTheTargets) {
    TargetDoc d;
    ASSERT_FALSE(d.Place(2, kLeader, {210, 150, 0}, {210, 150, 0}).Failed());
    ASSERT_FALSE(d.Run(new DLxDatumTargetAttachRequest(d.Ref(), {220, 200, 0})).Failed());
    RDxFragment* fragment = nullptr;
    DLxDatumTarget* fewer = MakeTransient(fragment);
    const std::vector<uint8_t> before = d.Bytes();
    EXPECT_TRUE(d.Run(new DLxSymbolEditRequest(d.Ref(), fewer)).Failed());
    EXPECT_EQ(d.Bytes(), before);
    DeleteTransient(fewer, fragment);
}

TEST(DatumTarget, AFileKeepsTheTargetAndForgetsTheEditState) {
    TargetDoc d;
    ASSERT_FALSE(d.Place(5, kLeader, {210, 150, 0}, {220, 156, 0}).Failed());
    ASSERT_FALSE(d.Run(new DLxDatumTargetAttachRequest(d.Ref(), {220, 200, 0})).Failed());
    d.Target()->SetActiveBalloonIndex(1);
    KorvuTempDir dir;
    const std::string path = dir.File("target.kvd");
    ASSERT_FALSE(d.doc->Save(path).Failed());
    std::unique_ptr<DLxDrawingDoc> loaded;
    const UTxResult r = DLxDrawingDoc::Open(path, loaded);
    ASSERT_FALSE(r.Failed()) << r.GetMessageUtf8();
    std::vector<uint8_t> again;
    ASSERT_FALSE(loaded->GetRSeDb()->SaveToBuffer(again).Failed());
    EXPECT_EQ(again, d.Bytes());
    DLxDatumTarget* t = nullptr;
    for (const RSeRef<RDxNode>& n : loaded->GetSheets().front()->GetNodes())
        if (auto* x = dynamic_cast<DLxDatumTarget*>(n.GetTarget())) t = x;
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->GetActiveBalloonIndex(), 0);
    EXPECT_EQ(t->GetNumAttachedBalloons(), 1);
    EXPECT_EQ(t->GetBalloon(1)->GetOwner().GetTarget(), t);
    t->MarkEdited(true);
    RDxComputeContext ctx;
    EXPECT_FALSE(loaded->GetSheets().front()->Recompute(ctx).Failed());
    EXPECT_EQ(HotPoints(*t).count(DLxDatumTarget::kBalloonHotPoint), 1u);
}

TEST(DatumTarget, AKeyFindsItsTargetAndAPickAtTheBalloonSelectsIt) {
    TargetDoc d;
    ASSERT_FALSE(d.Place(2, kLeader, {210, 150, 0}, {210, 150, 0}).Failed());
    ASSERT_FALSE(d.Place(2, {{200, 200, 0}, {230, 150, 0}}, {230, 150, 0}, {230, 150, 0}).Failed());
    FWxTranscriptMgr& mgr = FWxUtil::GetTranscriptMgr();
    for (size_t i = 0; i < 2; ++i) {
        const UTxString16 key = mgr.StringFromRef(d.Ref(i));
        EXPECT_EQ(key.rfind(u"DLxDatumTarget#200,200#", 0), 0u) << UTx::ToUtf8(key);
        RSeRefBase found;
        ASSERT_FALSE(mgr.RefFromString(d.doc.get(), key, found).Failed());
        EXPECT_EQ(found.GetTarget(), d.Target(i));
    }
    EXPECT_EQ(DLxDatumTargetONKTranslator::ObjectFromPoint(d.doc.get(), {200, 200, 0}),
              d.Target(0));
    EXPECT_EQ(DLxDatumTargetONKTranslator::ObjectFromPoint(d.doc.get(), {380, 20, 0}), nullptr);
    // The filter admits datum targets only.
    DLxDatumTargetFilter filter(DLxDatumTargetFilter::ESubType(1));
    EXPECT_TRUE(filter.Select(*d.Target(), {200, 200, 0}));
    EXPECT_FALSE(filter.Select(*d.sheet, {200, 200, 0}));
}

// ---- drags

TEST(DatumTargetDrag, EachHotPointRangeHasItsDrag) {
    TargetDoc d;
    ASSERT_FALSE(d.Place(2, kLeader, {210, 150, 0}, {210, 150, 0}).Failed());
    struct Row {
        int32_t id;
        int kind; // 0 none, 1 vertex move, 2 alternate-unit turn
    };
    for (const Row& r : {Row{0, 1}, Row{999, 1}, Row{1000, 1}, Row{1999, 1}, Row{2000, 2},
                         Row{4095, 2}, Row{4096, 0}, Row{-1, 0}}) {
        const auto drag = DLxDatumTargetDrag::ForHotPoint(d.doc.get(), d.Ref(), r.id);
        const int kind = !drag                                                          ? 0
                         : dynamic_cast<DLxDatumLeaderVertexMove*>(drag.get()) != nullptr ? 1
                                                                                          : 2;
        EXPECT_EQ(kind, r.kind) << r.id;
    }
}

TEST(DatumTargetDrag, TheAlternateUnitTextTurnsToWholeDegreesAndSnaps) {
    TargetDoc d;
    ASSERT_FALSE(d.Place(2, kLeader, {210, 150, 0}, {210, 150, 0}).Failed());
    DLxDatumAltUnitManipulator drag(d.doc.get(), d.Ref(), DLxDatumTarget::kAltUnitHotPoint);
    ASSERT_TRUE(drag.StartDrag({210, 210, 0}));
    auto at = [](double degrees) {
        const double a = degrees * M_PI / 180;
        return WqGePoint3d(200 + 10 * std::cos(a), 200 + 10 * std::sin(a), 0);
    };
    struct Case {
        WqGePoint3d point;
        double degrees;
    };
    for (const Case& c : {Case{at(4), 0}, Case{at(45.5), 45}, Case{at(93), 90}, Case{at(176), 180},
                          Case{{190, 195, 0}, 180}, Case{{210, 195, 0}, 0}}) {
        ASSERT_TRUE(drag.Drag(c.point));
        EXPECT_NEAR(drag.GetAngle() * 180 / M_PI, c.degrees, 1e-9) << c.point.x << "," << c.point.y;
    }
    // The drag shows on a copy; the end posts the turn.
    EXPECT_NEAR(d.Target()->GetBalloon(0)->GetAlternateUnitAngle(), M_PI / 4, 1e-12);
    ASSERT_TRUE(drag.EndDrag(at(93)));
    EXPECT_NEAR(d.Target()->GetBalloon(0)->GetAlternateUnitAngle(), M_PI / 2, 1e-12);
    EXPECT_EQ(drag.GetPreview(), nullptr);
}

TEST(DatumTargetDrag, LeaderVerticesLandOnTheAxesAndBalloonsTurnByQuarters) {
    FWxTranscriptMgr& mgr = FWxUtil::GetTranscriptMgr();
    mgr.ClearLines();
    TargetDoc d;
    ASSERT_FALSE(
        d.Place(2, {{200, 200, 0}, {205, 180, 0}, {210, 150, 0}}, {210, 150, 0}, {210, 150, 0})
            .Failed());
    {
        // A middle vertex within three degrees of horizontal from its neighbour.
        DLxDatumLeaderVertexMove drag(d.doc.get(), d.Ref(), 1);
        ASSERT_TRUE(drag.StartDrag({205, 180, 0}));
        ASSERT_TRUE(drag.EndDrag({230.5, 200.9, 0}));
    }
    EXPECT_EQ(d.Target()->GetFirstLeaderPoints()[1], WqGePoint3d(230.5, 200, 0));
    {
        // The balloon end within three degrees of vertical above the next vertex.
        DLxDatumLeaderVertexMove drag(d.doc.get(), d.Ref(), 0);
        ASSERT_TRUE(drag.StartDrag({200, 200, 0}));
        ASSERT_TRUE(drag.EndDrag({231.5, 240, 0}));
    }
    EXPECT_EQ(d.Target()->GetSymbolOrigin(), WqGePoint3d(230.5, 240, 0));
    ASSERT_FALSE(d.Run(new DLxDatumTargetAttachRequest(d.Ref(), {245, 240, 0})).Failed());
    ASSERT_FALSE(d.Run(new DLxDatumTargetAttachRequest(d.Ref(), {260, 240, 0})).Failed());
    {
        // Dragged above the default balloon, the row of balloons turns a quarter.
        DLxDatumLeaderVertexMove drag(d.doc.get(), d.Ref(), DLxDatumTarget::kBalloonHotPoint);
        ASSERT_TRUE(drag.StartDrag({245, 240, 0}));
        ASSERT_TRUE(drag.EndDrag({232, 270, 0}));
        EXPECT_NEAR(drag.GetBalloonDirection().y, 1, 1e-12);
    }
    const double step = 2 * d.Target()->GetBalloonSize();
    EXPECT_NEAR(d.Target()->GetBalloon(2)->GetOrigin().x, 230.5, 1e-9);
    EXPECT_NEAR(d.Target()->GetBalloon(2)->GetOrigin().y, 240 + 2 * step, 1e-9);
    // What the drags posted replays to the same drawing.
    const std::vector<UTxString16> lines = mgr.GetLines();
    TargetDoc replay;
    for (const UTxString16& line : lines)
        ASSERT_FALSE(mgr.ReplayLine(replay.doc.get(), line).Failed()) << UTx::ToUtf8(line);
    EXPECT_EQ(replay.Bytes(), d.Bytes());
}

// ---- requests

// Every request of the kind once, as a session would make them.
void Session(TargetDoc& d) {
    ASSERT_FALSE(d.Place(2, kLeader, {210, 150, 0}, {210, 150, 0}, 0.6, u"ANSI").Failed());
    ASSERT_FALSE(d.Place(4, {{160, 200, 0}, {170, 150, 0}}, {170, 150, 0}, {174, 150, 0}, 0.2)
                     .Failed());
    ASSERT_FALSE(d.Run(new DLxDatumTargetAttachRequest(d.Ref(), {215, 200, 0})).Failed());
    ASSERT_FALSE(d.Run(new DLxDatumTargetAttachRequest(d.Ref(), {225, 200, 0})).Failed());
    ASSERT_FALSE(
        d.Run(new DLxDatumTargetOrientAttachRequest(d.Ref(), {0, -1, 0})).Failed());
    ASSERT_FALSE(d.Run(new DLxDatumTargetMoveAltUnitRequest(d.Ref(), 2001, 1.25)).Failed());
    // The balloon end moves (the key of the target with it).
    ASSERT_FALSE(d.Run(new DLxDatumTargetLeaderMoveRequest(d.Ref(), 0, {-5, 5, 0}, false,
                                                           DLxIntent::Free({})))
                     .Failed());
    {
        TransientCopy copy(*d.Target(1), d.doc.get());
        copy.target->SetBalloonTexts(0, u"%%c8", u"C1");
        copy.target->SetHiddenLeader(true);
        ASSERT_FALSE(d.Run(new DLxSymbolEditRequest(d.Ref(1), copy.target)).Failed());
    }
    ASSERT_FALSE(d.Run(new DLxDatumTargetRemoveRequest(d.Ref(), 1)).Failed());
}

TEST(DatumTargetRequest, EveryRequestReplaysToTheSameDrawing) {
    FWxTranscriptMgr& mgr = FWxUtil::GetTranscriptMgr();
    mgr.ClearLines();
    TargetDoc d;
    Session(d);
    ASSERT_FALSE(HasFatalFailure());
    const std::vector<UTxString16> lines = mgr.GetLines();
    std::set<std::u16string> names;
    for (const UTxString16& line : lines)
        names.insert(line.substr(0, line.find(u' ')));
    EXPECT_EQ(names, (std::set<std::u16string>{u"CreateDatumTarget", u"EditDatumTarget",
                                               u"LeaderMoveDatumTarget", u"ReOrientDatumTarget",
                                               u"AttachBalloon", u"RemoveDatumBalloon",
                                               u"DTAltUnitMove"}));
    EXPECT_EQ(d.Target(1)->GetBalloon(0)->GetTargetText(), u"C1");
    EXPECT_TRUE(d.Target(1)->IsHiddenLeader());
    TargetDoc replay;
    for (const UTxString16& line : lines)
        ASSERT_FALSE(mgr.ReplayLine(replay.doc.get(), line).Failed()) << UTx::ToUtf8(line);
    EXPECT_EQ(replay.Bytes(), d.Bytes());
    // A replayed attach journals the same values again.
    mgr.ClearLines();
    TargetDoc again;
    for (const UTxString16& line : lines)
        ASSERT_FALSE(mgr.ReplayLine(again.doc.get(), line).Failed());
    EXPECT_EQ(mgr.GetLines(), lines);
}

TEST(DatumTargetRequest, UndoingEveryRequestGivesBackTheEmptyDrawing) {
    TargetDoc d;
    const std::vector<uint8_t> empty = d.Bytes();
    Session(d);
    ASSERT_FALSE(HasFatalFailure());
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

TEST(DatumTargetRequest, ARecordNamingNoTargetOrNoBalloonIsRefused) {
    TargetDoc d;
    ASSERT_FALSE(d.Place(2, kLeader, {210, 150, 0}, {210, 150, 0}).Failed());
    FWxTranscriptMgr& mgr = FWxUtil::GetTranscriptMgr();
    const std::string sheet = UTx::ToUtf8(mgr.StringFromRef(RSeRefBase(d.sheet)));
    const std::string target = "\"DLxDatumTarget#200,200\"";
    const std::string attach =
        " BalloonOrigin=(1.0,2.0,0.0) TranscriptingBalloon_ConnectionTypeId=7 "
        "TranscriptingBalloon_DatumTargetSize=\"\" TranscriptingBalloon_DatumTargetText=\"B\" "
        "TranscriptingBalloon_OrientationType=1 TranscriptingBalloon_AlternateUnitAngle=0.5 "
        "TranscriptingBalloon_AlternateUnitPosition=(0.0,0.0,0.0) "
        "TranscriptingBalloon_IsAltOutside=false TranscriptingBalloon_UnitAttributes=null";
    const std::string move =
        " VertexOffset=(1.0,0.0,0.0) Intent=null Intent_Edge=0 Intent_Param=0.0 "
        "Intent_Point=(0.0,0.0,0.0) IsArrowhead=false";
    struct Case {
        std::string line;
        bool refused;
    };
    const Case cases[] = {
        // No target there, or an object of another kind.
        {"ReOrientDatumTarget DatumTarget=@\"DLxDatumTarget#1,1\" AttachVector=(1.0,0.0,0.0)",
         true},
        {"ReOrientDatumTarget DatumTarget=@\"" + sheet + "\" AttachVector=(1.0,0.0,0.0)", true},
        {"AttachBalloon DatumTarget=@\"" + sheet + "\"" + attach, true},
        {"DTAltUnitMove DatumTarget=@\"DLxDatumTarget#1,1\" Index=2000 Angle=0.5", true},
        {"RemoveDatumBalloon DatumTarget=@\"" + sheet + "\" BalloonIndex=0", true},
        {"LeaderMoveDatumTarget DatumTarget=\"" + sheet + "\" VertexIndex=0" + move, true},
        // Indices naming no balloon or vertex.
        {"RemoveDatumBalloon DatumTarget=@" + target + " BalloonIndex=1", true},
        {"RemoveDatumBalloon DatumTarget=@" + target + " BalloonIndex=-1", false},
        {"DTAltUnitMove DatumTarget=@" + target + " Index=1999 Angle=0.5", true},
        {"DTAltUnitMove DatumTarget=@" + target + " Index=2001 Angle=0.5", true},
        {"DTAltUnitMove DatumTarget=@" + target + " Index=2000 Angle=0.5", false},
        {"LeaderMoveDatumTarget DatumTarget=" + target + " VertexIndex=-1" + move, true},
        {"LeaderMoveDatumTarget DatumTarget=" + target + " VertexIndex=2000" + move, true},
        {"LeaderMoveDatumTarget DatumTarget=" + target + " VertexIndex=1999" + move, false},
        {"AttachBalloon DatumTarget=@" + target + attach, false},
    };
    for (const Case& c : cases) {
        const std::vector<uint8_t> before = d.Bytes();
        const UTxResult r = mgr.ReplayLine(d.doc.get(), UTx::MakeWideString(c.line));
        EXPECT_EQ(r.Failed(), c.refused) << c.line << ": " << r.GetMessageUtf8();
        if (c.refused) {
            EXPECT_EQ(d.Bytes(), before) << c.line;
        }
    }
}

TEST(DatumTargetRequest, AnEditWhoseJournalIsSkippedWritesNothingOnce) {
    FWxTranscriptMgr& mgr = FWxUtil::GetTranscriptMgr();
    TargetDoc d;
    ASSERT_FALSE(d.Place(2, kLeader, {210, 150, 0}, {210, 150, 0}).Failed());
    TransientCopy copy(*d.Target(), d.doc.get());
    DLxSymbolEditRequest edit(d.Ref(), copy.target);
    edit.SetSkipScript(true);
    mgr.ClearLines();
    EXPECT_FALSE(edit.Script(d.doc.get()).Failed());
    EXPECT_TRUE(mgr.GetLines().empty());
    EXPECT_FALSE(edit.GetSkipScript());
    EXPECT_FALSE(edit.Script(d.doc.get()).Failed());
    ASSERT_EQ(mgr.GetLines().size(), 1u);
    EXPECT_EQ(mgr.GetLines()[0].rfind(u"EditDatumTarget DatumTarget=", 0), 0u);
}

} // namespace

// A target on a suppressed view draws nothing while annotations are suppressed with their
// views, and draws as before when they are not, or once the view is shown again.
TEST(DatumTarget, ASuppressedViewHidesItsTargetsWhileThePreferenceSaysSo) {
    TargetDoc d;
    ASSERT_FALSE(d.Place(2, kLeader, {210, 150, 0}, {210, 150, 0}).Failed());
    DLxDatumTarget* t = d.Target();
    const std::set<int32_t> drawn = Lists(*t);
    ASSERT_FALSE(drawn.empty());
    auto compute = [&] {
        RDxComputeContext ctx;
        EXPECT_FALSE(t->Compute(ctx).Failed());
        return Lists(*t);
    };
    d.view->SetSuppressed(true);
    EXPECT_TRUE(t->IsSuppressed());
    EXPECT_TRUE(compute().empty());
    EXPECT_TRUE(t->GetDisplayList()->IsEmpty());
    DLxPrefUtil::SetSuppressAnnotations(false);
    EXPECT_EQ(compute(), drawn);
    DLxPrefUtil::SetSuppressAnnotations(true);
    d.view->SetSuppressed(false);
    EXPECT_FALSE(t->IsSuppressed());
    EXPECT_EQ(compute(), drawn);
}
