// The leader style over a symbol state: per-object values kept by the state (stored, undone,
// read by every later wrapper), the defaults under them, and what the leader draws from them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <memory>
#include <vector>

#include "TstDocWriter.h"
#include "TstFnRequest.h"
#include "dl/DLxDrawing.h"
#include "dl/DLxDrawingDoc.h"
#include "dl/DLxSheet.h"
#include "du/DUxArrowHead.h"
#include "du/DUxLeaderNode.h"
#include "du/DUxLeaderNodeTree.h"
#include "du/DUxLeaderStyle.h"
#include "du/DUxLeaderStyleWrapper.h"
#include "du/DUxSymState.h"
#include "rse/RSeDatabase.h"
#include "sm/SMxDisplayItem.h"
#include "sm/SMxDisplayList.h"

namespace {

using Bytes = std::vector<uint8_t>;
using Wrapper = DUxLeaderStyleWrapper;

Wrapper::Defaults FrameLike() {
    Wrapper::Defaults d;
    d.arrowHead = 28030;
    d.overshoot = 2.0;
    d.allAroundDiameter = 3.15;
    return d;
}

class LeaderStyleOverState : public ::testing::Test {
protected:
    Bytes Save() {
        Bytes b;
        EXPECT_FALSE(doc.GetRSeDb()->SaveToBuffer(b).Failed());
        return b;
    }
    void Run(std::function<void()> body) {
        ASSERT_FALSE(
            doc.ProcessChangeRequest(SmartPtr<FWxChangeRequest>(new TstFnRequest(std::move(body))))
                .Failed());
    }

    DLxDrawingDoc doc;
    DLxSheet* sheet = doc.CreateSheet(u"S", 420, 297);
    DUxSymState* state = DUxSymState::Create(sheet);
};

TEST_F(LeaderStyleOverState, OwnValuesLiveOnTheStateStoreAndUndo) {
    DUxLeaderStyle* pen = DUxLeaderStyle::CreateStyle(doc.GetDrawing()->GetSegment(), u"Red");
    pen->SetColor(SMxColor::FromRgba(255, 0, 0));
    pen->SetLineWeight(50);
    const Bytes before = Save();

    Wrapper first(state, FrameLike());
    EXPECT_EQ(first.GetAllAroundDiameter(), 3.15);
    EXPECT_EQ(first.GetArrowHead(), 28030u);
    EXPECT_EQ(first.GetArrowHeadSize(), 0.0);
    EXPECT_EQ(first.Style(), nullptr);
    Run([&] {
        first.SetAllAroundDiameter(5.0);
        first.SetArrowHeadSize(4.0);
        first.SetPrimaryStyle(pen);
    });

    // Another wrapper over the state reads its values; the rest comes from its own defaults.
    Wrapper other(state, {});
    EXPECT_EQ(other.GetAllAroundDiameter(), 5.0);
    EXPECT_EQ(other.GetArrowHeadSize(), 4.0);
    EXPECT_EQ(other.GetArrowHead(), 28029u);
    EXPECT_EQ(other.GetExtensionLineOvershoot(), 0.0);
    EXPECT_EQ(other.Style(), pen);
    EXPECT_EQ(other.GetColor(), SMxColor::FromRgba(255, 0, 0));
    EXPECT_EQ(other.GetLineWeight(), 50);

    const Bytes after = Save();
    EXPECT_NE(after, before);
    std::unique_ptr<RSeDatabase> db;
    ASSERT_FALSE(RSeDatabase::LoadFromBuffer(after.data(), after.size(), db).Failed());
    auto* loaded = dynamic_cast<DUxSymState*>(db->FindObject(state->GetId()));
    ASSERT_TRUE(loaded);
    Wrapper back(loaded, FrameLike());
    EXPECT_EQ(back.GetAllAroundDiameter(), 5.0);
    EXPECT_EQ(back.GetArrowHeadSize(), 4.0);
    EXPECT_EQ(back.GetArrowHead(), 28030u);
    ASSERT_TRUE(back.Style());
    EXPECT_EQ(back.Style()->GetLineWeight(), 50);
    Bytes again;
    ASSERT_FALSE(db->SaveToBuffer(again).Failed());
    EXPECT_EQ(again, after);

    ASSERT_FALSE(doc.Undo().Failed());
    EXPECT_EQ(Save(), before);
    EXPECT_EQ(other.GetAllAroundDiameter(), 0.0);
    EXPECT_EQ(other.Style(), nullptr);
}

TEST_F(LeaderStyleOverState, SettingTheValueItHoldsRecordsNothing) {
    Wrapper w(state, FrameLike());
    Run([&] { w.SetExtensionLineOvershoot(1.0); });
    const Bytes set = Save();
    // The same value again: the state is not touched, the request changes nothing.
    Run([&] { Wrapper(state, {}).SetExtensionLineOvershoot(1.0); });
    EXPECT_EQ(Save(), set);
    EXPECT_EQ(Wrapper(state, {}).GetExtensionLineOvershoot(), 1.0);
}

TEST_F(LeaderStyleOverState, AStateOfTheFirstLayoutLoadsWithoutOwnValues) {
    const Bytes current = Save();
    // The first layout ended before the mask (a state without own values writes only the
    // mask: its type mark and four bytes).
    const Bytes old = TstDocWriter::AsOlder(current, u"DUxSymState", 0, 5);
    ASSERT_FALSE(old.empty());
    std::unique_ptr<RSeDatabase> db;
    const UTxResult r = RSeDatabase::LoadFromBuffer(old.data(), old.size(), db);
    ASSERT_FALSE(r.Failed()) << r.GetMessageUtf8();
    auto* loaded = dynamic_cast<DUxSymState*>(db->FindObject(state->GetId()));
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->GetLeaderStyleOverrides().mask, 0u);
    Bytes saved;
    ASSERT_FALSE(db->SaveToBuffer(saved).Failed());
    EXPECT_EQ(saved, current);
}

TEST_F(LeaderStyleOverState, AMaskNamingUnknownValuesFailsTheLoad) {
    const double marker = 12345.678;
    Run([&] { Wrapper(state, {}).SetAllAroundDiameter(marker); });
    Bytes file = Save();
    // The mask stands just before the diameter it names (each value after its type mark).
    uint8_t pattern[sizeof marker];
    std::memcpy(pattern, &marker, sizeof marker);
    auto it = std::search(file.begin(), file.end(), std::begin(pattern), std::end(pattern));
    ASSERT_NE(it, file.end());
    const size_t mask = size_t(it - file.begin()) - 1 - 4;
    ASSERT_EQ(file[mask], DUxLeaderStyleOverrides::kAllAroundDiameter);
    std::unique_ptr<RSeDatabase> db;
    ASSERT_FALSE(RSeDatabase::LoadFromBuffer(file.data(), file.size(), db).Failed());
    file[mask] |= 0x40;
    db.reset();
    EXPECT_TRUE(RSeDatabase::LoadFromBuffer(file.data(), file.size(), db).Failed());
}

TEST(LeaderStylePlain, SettersChangeTheWrapperAloneAndClampNegativeSizes) {
    Wrapper w(SMxColor::FromRgba(0, 0, 255), 25, 3);
    EXPECT_EQ(w.GetState(), nullptr);
    w.SetAllAroundDiameter(-1.0);
    w.SetArrowHeadSize(-2.0);
    w.SetArrowHead(28031);
    EXPECT_EQ(w.GetAllAroundDiameter(), 0.0);
    EXPECT_EQ(w.GetArrowHeadSize(), 0.0);
    EXPECT_EQ(w.GetArrowHead(), 28031u);
    EXPECT_EQ(w.GetLineWeight(), 25);
}

// Root at (0,0) with one end at (-10,-10) and a landing of 5 to the right.
class LeaderDrawing : public ::testing::Test {
protected:
    LeaderDrawing() {
        tree->InsertNode(tree->GetRoot(), {0, 0, 0});
        tree->SetLandingPosition(DUxLeaderNodeTree::kPosX);
        tree->SetLandingLength(5.0);
    }
    SMxDisplayList Draw(const Wrapper* style) {
        SMxDisplayList list;
        tree->GenGraphics(nullptr, list, 0, false, false, style, nullptr, false, true, false);
        return list;
    }
    static const SMxArcItem* Circle(const SMxDisplayList& list) {
        for (int32_t i = 0; i < list.Count(); ++i)
            if (const auto* arc = list.GetAt(i).As<SMxArcItem>()) return arc;
        return nullptr;
    }

    DLxDrawingDoc doc;
    DLxSheet* sheet = doc.CreateSheet(u"S", 420, 297);
    DUxLeaderNodeTree* tree = DUxLeaderNodeTree::Create(sheet, nullptr, {-10, -10, 0});
};

TEST_F(LeaderDrawing, TheAllAroundCircleTakesTheStylesDiameterAtTheRoot) {
    Wrapper style;
    style.SetAllAroundDiameter(3.0);
    EXPECT_EQ(Circle(Draw(&style)), nullptr); // not an all-around leader
    tree->SetAllAround(true);
    const SMxDisplayList list = Draw(&style);
    const SMxArcItem* circle = Circle(list);
    ASSERT_TRUE(circle);
    EXPECT_EQ(circle->center, WqGePoint3d(0, 0, 0));
    EXPECT_DOUBLE_EQ(circle->radius, 1.5);
    int32_t kind, leader, arrow, node;
    DUxLeaderNodeTree::AnalyzeItemID(circle->GetId(), kind, leader, arrow, node);
    EXPECT_EQ(kind, DUxLeaderNodeTree::kLeaderNodeItem);
    EXPECT_EQ(node, tree->GetRoot()->GetNodeId());
    // Without a style, or with a diameter of 0, there is no circle to draw.
    EXPECT_EQ(Circle(Draw(nullptr)), nullptr);
    style.SetAllAroundDiameter(0.0);
    EXPECT_EQ(Circle(Draw(&style)), nullptr);
    // A leader that runs into its symbol has no bend of its own to mark.
    style.SetAllAroundDiameter(3.0);
    tree->SetLandingPosition(DUxLeaderNodeTree::kNoLanding);
    EXPECT_EQ(Circle(Draw(&style)), nullptr);
}

TEST(LeaderStyleArrowHead, TheStylesSizeScalesTheArrowheadInProportion) {
    const DUxArrowHeadTemplate* t = DUxArrowHeadTemplate::Default();
    const DUxArrowHeadState state(t->id);
    const WqGePoint3d tip(-10, -10, 0);
    WqGeVector3d v;
    ASSERT_TRUE(state.GetArrowHeadVector(tip, WqGeVector3d(-1, -1, 0), v));
    auto outline = [&](const Wrapper* style) {
        std::vector<WqGePoint3d> pts;
        state.GetArrowHeadPoints(tip, v, pts, style);
        return pts;
    };
    auto length = [&](const std::vector<WqGePoint3d>& p) {
        const WqGePoint3d back((p[1].x + p[2].x) / 2, (p[1].y + p[2].y) / 2, 0);
        return back.distanceTo(tip);
    };
    const std::vector<WqGePoint3d> own = outline(nullptr);
    ASSERT_EQ(own.size(), 3u);
    EXPECT_NEAR(length(own), t->length, 1e-9);
    EXPECT_NEAR(own[1].distanceTo(own[2]), t->width, 1e-9);
    // A style without a size leaves the service's own.
    const Wrapper plain;
    EXPECT_EQ(outline(&plain), own);

    Wrapper style;
    style.SetArrowHeadSize(2 * t->length);
    const std::vector<WqGePoint3d> big = outline(&style);
    ASSERT_EQ(big.size(), 3u);
    EXPECT_EQ(big[0], tip);
    EXPECT_NEAR(length(big), 2 * t->length, 1e-9);
    EXPECT_NEAR(big[1].distanceTo(big[2]), 2 * t->width, 1e-9);
}

} // namespace
