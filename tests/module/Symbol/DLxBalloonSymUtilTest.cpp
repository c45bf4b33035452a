// The balloon's bill utilities on a drawing with a real local bill: rows by cookie and by
// structure node, item numbers, the stacking direction from a leader, and the rows numbered.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <set>

#include "Standard/DLxCBalloon.h"
#include "SymTestKind.h"
#include "Symbol/DLxBalloonSymInstance.h"
#include "Symbol/DLxBalloonSymState.h"
#include "Symbol/DLxBalloonSymUtil.h"
#include "TstBalloonDrawing.h"
#include "dl/DLxLocalBOM.h"
#include "dl/DLxLocalBOMQuery.h"
#include "dl/DLxSheet.h"
#include "dl/DLxStructureNode.h"
#include "dl/DLxTagManager.h"
#include "du/DUxLeaderNode.h"
#include "du/DUxLeaderNodeTree.h"

namespace {

using namespace TstBalloon;
namespace U = DLxBalloonSymUtil;

class BalloonUtil : public ::testing::Test {
protected:
    RSeRef<DLxLocalBOM> Bom() const { return RSeRef<DLxLocalBOM>(d.bom); }
    DLxLocalBOMCookie Cookie(int32_t occurrence) const {
        return d.bom->CookieOfOccurrencePath({occurrence});
    }
    Drawing d;
};

TEST_F(BalloonUtil, RowsAndItemNumbersByCookieAndByNode) {
    const DLxLocalBOMCookie custom = d.bom->AddCustom();
    const struct {
        const char* name;
        RSeRef<DLxStructureNode> node;
        DLxLocalBOMCookie cookie;
        bool found;
        const char16_t* item;
    } cases[] = {
        {"cookie of the motor", {}, Cookie(kMotorOcc), true, u"7"},
        // A cookie finds the row that shows it: the plate lies under the collapsed cover.
        {"cookie of the plate",
         {},
         d.bom->CookieOfOccurrencePath({kCoverOcc, kPlateOcc}),
         true,
         u"8"},
        {"cookie of a custom row", {}, custom, true, u"9"},
        {"invalid cookie", {}, DLxLocalBOMCookie(), false, u""},
        {"node of the second bolt", d.Node(kSecondBoltOcc), {}, true, u"4"},
        {"node of the plate",
         RSeRef<DLxStructureNode>(d.tags->FindNode({kCoverOcc, kPlateOcc})),
         {},
         true,
         u"8.1"},
        // The root is no occurrence: the first row of the bill without custom rows.
        {"root node", RSeRef<DLxStructureNode>(d.tags->GetRootNode()), {}, true, u"1"},
        {"no node", {}, {}, false, u""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        UTxString16 item = u"unchanged";
        const bool byNode = bool(c.node);
        const DLxCBalloonRow row =
            byNode ? U::GetBOMRow(Bom(), c.node) : U::GetBOMRow(Bom(), c.cookie);
        EXPECT_EQ(bool(row), c.found);
        const bool tag = byNode ? U::GetComponentTag(Bom(), c.node, item)
                                : U::GetComponentTag(Bom(), c.cookie, item);
        EXPECT_EQ(tag, c.found);
        if (c.found) {
            EXPECT_EQ(item, c.item);
        }
        // Nothing without a bill.
        EXPECT_FALSE(byNode ? U::GetBOMRow({}, c.node) : U::GetBOMRow({}, c.cookie));
    }
}

// An entry with a node is found by its node even when its cookie names another row.
TEST_F(BalloonUtil, BalloonTagPrefersTheNode) {
    DLxBalloonSymState* state = d.Balloon(d.Node(kFirstBoltOcc), Cookie(kMotorOcc));
    const RSeRef<DLxBalloonSymState> s(state);
    UTxString16 item;
    EXPECT_TRUE(U::GetBalloonTag(s, state->GetBalloon(), item));
    EXPECT_EQ(item, u"4");
    state->GetBalloon()->SetStructureNode({});
    EXPECT_TRUE(U::GetBalloonTag(s, state->GetBalloon(), item));
    EXPECT_EQ(item, u"7");
    state->GetBalloon()->SetCookie({});
    EXPECT_FALSE(U::GetBalloonTag(s, state->GetBalloon(), item));
    state->GetBalloon()->SetStructureNode(d.Node(kMotorOcc));
    state->SetLocalBOM({});
    EXPECT_FALSE(U::GetBalloonTag(s, state->GetBalloon(), item));
    EXPECT_FALSE(U::GetBalloonTag({}, state->GetBalloon(), item));
}

// The leader's last segment runs from its first child c to the root r; straightening puts a
// segment within about 3 degrees of an axis onto the axis through c.
TEST_F(BalloonUtil, DirectionFromTheLeaderAndStraightening) {
    const double deg = std::numbers::pi / 180.0;
    const WqGePoint3d c(100, 100, 0);
    auto at = [&](double angleDeg) {
        return WqGePoint3d(c.x + 20 * std::cos(angleDeg * deg), c.y + 20 * std::sin(angleDeg * deg),
                           0);
    };
    const struct {
        const char* name;
        WqGePoint3d root;
        DLxBomStdInfo::EDirection direction;
        WqGePoint3d straightened;
    } cases[] = {
        {"2 degrees right", at(2), DLxBomStdInfo::kRight, {c.x + 20 * std::cos(2 * deg), c.y, 0}},
        {"5 degrees right", at(5), DLxBomStdInfo::kRight, at(5)},
        {"2 degrees left", at(178), DLxBomStdInfo::kLeft, {c.x + 20 * std::cos(178 * deg), c.y, 0}},
        {"88 degrees up", at(88), DLxBomStdInfo::kRight, {c.x, c.y + 20 * std::sin(88 * deg), 0}},
        {"exactly vertical", {c.x, c.y - 20, 0}, DLxBomStdInfo::kRight, {c.x, c.y - 20, 0}},
        {"45 degrees left", at(135), DLxBomStdInfo::kLeft, at(135)},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.name);
        for (const bool straighten : {false, true}) {
            SCOPED_TRACE(straighten);
            DUxLeaderNodeTree* leader = DUxLeaderNodeTree::Create(d.sheet, nullptr, k.root);
            DUxLeaderNode* root = leader->GetRoot();
            ASSERT_NE(root, nullptr);
            leader->AddTerminalNode(root, c);
            EXPECT_EQ(U::CalcBalloonDirection(leader, straighten), k.direction);
            const WqGePoint3d p = root->GetPoint();
            const WqGePoint3d expected = straighten ? k.straightened : k.root;
            EXPECT_NEAR(p.x, expected.x, 1e-9);
            EXPECT_NEAR(p.y, expected.y, 1e-9);
        }
    }
    // No leader, and a root without a child (v is zero: towards +x).
    EXPECT_EQ(U::CalcBalloonDirection(static_cast<DUxLeaderNodeTree*>(nullptr), true),
              DLxBomStdInfo::kRight);
    DUxLeaderNodeTree* lone = DUxLeaderNodeTree::Create(d.sheet, nullptr, c);
    EXPECT_EQ(U::CalcBalloonDirection(lone, true), DLxBomStdInfo::kRight);
    // A placed balloon answers for its first leader: root left of its end.
    const RSeRef<DLxBalloonSymInstance> placed(d.Place(d.Node(kMotorOcc), {}, {100, 100, 0},
                                                       {80, 101, 0}));
    ASSERT_TRUE(placed);
    EXPECT_EQ(U::CalcBalloonDirection(placed, true), DLxBomStdInfo::kLeft);
    EXPECT_TRUE(placed->GetLeader(0)->GetRoot()->GetPoint().isEqualTo({80, 100, 0}));
    EXPECT_EQ(U::CalcBalloonDirection(RSeRef<DLxBalloonSymInstance>(), true),
              DLxBomStdInfo::kRight);
}

// Every row numbered by a registered balloon, once: an entry with a node names its node's row
// (nothing when the node finds none), any other its cookie.
TEST_F(BalloonUtil, BalloonCookiesListEachNumberedRowOnce) {
    auto place = [&](DLxBalloonSymState* state, bool registered) {
        auto* sym = new (RSe::_InitMeta(static_cast<const DLxBalloonSymInstance*>(nullptr)),
                         d.sheet->GetSegment()) DLxBalloonSymInstance(d.sheet, state);
        if (registered) d.bom->RegisterAnnotation(d.sheet, sym, true);
        return sym;
    };
    DLxBalloonSymState* bolts = d.Balloon(d.Node(kFirstBoltOcc), Cookie(kNutOcc));
    bolts->AttachNewBalloon({10, 0, 0}, d.Node(kSecondBoltOcc));
    DLxCTableCallout* byCookie = bolts->AttachNewBalloon({20, 0, 0}, {}).get();
    static_cast<DLxCBalloon*>(byCookie)->SetCookie(Cookie(kMotorOcc));
    // A node that finds no row: an occurrence the model does not have.
    bolts->AttachNewBalloon({30, 0, 0},
                            RSeRef<DLxStructureNode>(d.tags->FindNode({kFirstBoltOcc, 999})));
    place(bolts, true);
    place(d.Balloon(d.Node(kMotorOcc)), true);
    place(d.Balloon(d.Node(kPlateOcc)), false);
    // A symbol of another kind over a balloon's state is no balloon.
    DLxBalloonSymState* coverState = d.Balloon(d.Node(kCoverOcc));
    auto* other = new (RSe::_InitMeta(static_cast<const SymTestKind*>(nullptr)),
                       d.sheet->GetSegment()) SymTestKind(d.sheet, coverState);
    d.bom->RegisterAnnotation(d.sheet, other, true);

    std::set<DLxLocalBOMCookie> out{DLxLocalBOMCookie({}, 42)};
    U::GetBalloonCookies(Bom(), out);
    const std::set<DLxLocalBOMCookie> expected{Cookie(kFirstBoltOcc), Cookie(kMotorOcc)};
    EXPECT_EQ(out, expected);
    U::GetBalloonCookies({}, out);
    EXPECT_TRUE(out.empty());
}

} // namespace
