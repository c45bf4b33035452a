// The placed balloon on a drawing with a real local bill: its stored class and creation, the
// entries it hands out, its compute, and its round trip through a saved document.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "Standard/DLxCBalloon.h"
#include "Symbol/DLxBalloonSymInstance.h"
#include "Symbol/DLxBalloonSymState.h"
#include "TstBalloonDrawing.h"
#include "dc/RDxComputeContext.h"
#include "dl/DLxDrawing.h"
#include "dl/DLxLocalBOM.h"
#include "dl/DLxLocalBOMColumn.h"
#include "dl/DLxSheet.h"
#include "dl/DLxStructureNode.h"
#include "du/DUxArrowHead.h"
#include "du/DUxBalloonStyle.h"
#include "du/DUxLeaderNode.h"
#include "du/DUxLeaderNodeTree.h"
#include "rse/RSe.h"
#include "rse/RSeDatabase.h"
#include "rse/RSeMetaType.h"
#include "sm/SMxDisplayList.h"
#include "utx/UTxUtil.h"

namespace {

using namespace TstBalloon;

const DUxStyleFormatColumnPropertyID kItem = Prop(u"1");

std::vector<uint8_t> Bytes(RSeDatabase* db) {
    std::vector<uint8_t> out;
    EXPECT_FALSE(db->SaveToBuffer(out).Failed());
    return out;
}

bool InUsage(const DLxLocalBOM* bom, const DUxStyleFormatColumnPropertyID& p) {
    DLxLocalBOMColumn column;
    return DLxLocalBOMColumn::FromPropertyID(p, column) && bom->IsPropIDInUse(column);
}

UTxResult Compute(DLxBalloonSymInstance* inst) {
    RDxComputeContext ctx;
    return inst->Compute(ctx);
}

class BalloonInstance : public ::testing::Test {
protected:
    BalloonInstance() { d.SetItems({kItem}); }
    Drawing d;
};

TEST_F(BalloonInstance, StoredClassAndAWholeNewBalloon) {
    RSeMetaType* mt = RSe::_GetMeta(static_cast<const DLxBalloonSymInstance*>(nullptr));
    EXPECT_EQ(UTx::ToUtf8(mt->GetName()), "DLxBalloonSymInstance");
    EXPECT_EQ(mt->GetGUID(), UTxGUID(0x3962E9DB, 0xB8444202, 0xBD4EB106, 0x300EA086));
    EXPECT_EQ(mt->GetVersion(), 4);
    EXPECT_EQ(mt->GetBase(),
              RSe::_GetMeta(static_cast<const DLxTableCalloutSymInstance*>(nullptr)));

    const DLxLocalBOMCookie cookie = d.bom->CookieOfOccurrencePath({kMotorOcc});
    ASSERT_TRUE(cookie.IsValid());
    std::vector<WqGePoint3d> points{{100, 100, 0}, {110, 105, 0}, {130, 120, 0}};
    const RSeRef<DLxBalloonSymInstance> ref = DLxBalloonSymInstance::CreateInstance(
        RSeRef<RDxFragment>(d.sheet), points, 28030, d.Node(kMotorOcc), cookie,
        DLxBomStdInfo::kLeft, RSeRef<DUxBalloonStyle>(d.style), {}, {});
    DLxBalloonSymInstance* inst = ref.get();
    ASSERT_NE(inst, nullptr);
    EXPECT_EQ(inst->GetObjectType(), 0x7005800);
    EXPECT_EQ(inst->GetBrowserLabel(), u"Balloon");
    EXPECT_EQ(inst->GetFragment().get(), static_cast<RDxFragment*>(d.sheet));

    const DLxBalloonSymState* state = inst->GetBalloonSymState().Read();
    ASSERT_NE(state, nullptr);
    EXPECT_EQ(state->GetStyle(), d.style);
    // The bill is the caller's to set.
    EXPECT_FALSE(state->GetLocalBOM());

    const DLxCBalloon* primary = inst->GetBalloon().Read();
    ASSERT_NE(primary, nullptr);
    EXPECT_EQ(primary->GetIndex(), 0);
    EXPECT_EQ(primary->direction(), DLxBomStdInfo::kLeft);
    EXPECT_EQ(primary->GetCookie(), cookie);
    EXPECT_EQ(inst->GetCookie(), cookie);
    EXPECT_EQ(inst->GetStructureNode(), d.Node(kMotorOcc));
    EXPECT_EQ(inst->AttachedCount(), 0u);

    // One leader from its end through the bend to its root, with the arrowhead asked for.
    ASSERT_EQ(inst->GetNumLeaders(), 1);
    DUxLeaderNodeTree* tree = inst->GetLeader(0);
    ASSERT_EQ(tree->GetNumBranches(), 1);
    EXPECT_TRUE(tree->GetTerminalNode(0)->GetPoint().isEqualTo({100, 100, 0}));
    EXPECT_TRUE(tree->GetRoot()->GetPoint().isEqualTo({130, 120, 0}));
    EXPECT_EQ(tree->GetNumNodes(), 3);
    ASSERT_NE(tree->GetArrowHead(0), nullptr);
    EXPECT_EQ(tree->GetArrowHead(0)->GetTemplateId(), 28030u);
}

TEST_F(BalloonInstance, EntriesAreHandedOutAsBalloonsInStackOrder) {
    DLxBalloonSymInstance* inst = d.Place(d.Node(kFirstBoltOcc));
    ASSERT_NE(inst, nullptr);
    const RSeRef<DLxCTableCallout> motor = inst->AttachNewBalloon({140, 120, 0}, d.Node(kMotorOcc));
    const RSeRef<DLxCTableCallout> cover = inst->AttachNewBalloon({150, 120, 0}, d.Node(kCoverOcc));
    ASSERT_TRUE(motor && cover);

    DLxBalloonSymInstance::Balloons all;
    inst->GetAllBalloons(&all);
    ASSERT_EQ(all.size(), 3u);
    EXPECT_EQ(all[0], inst->GetBalloon());
    EXPECT_EQ(RSeRef<DLxCTableCallout>(all[1]), motor);
    EXPECT_EQ(RSeRef<DLxCTableCallout>(all[2]), cover);
    inst->GetAllBalloons(nullptr);

    const struct {
        int32_t index;
        RSeRef<DLxCTableCallout> expected;
    } attached[] = {{-1, {}}, {0, motor}, {1, cover}, {2, {}}, {1000, {}}};
    for (const auto& c : attached) {
        SCOPED_TRACE(c.index);
        EXPECT_EQ(RSeRef<DLxCTableCallout>(inst->GetAttachedBalloon(c.index)), c.expected);
    }
    EXPECT_EQ(RSeRef<DLxCTableCallout>(inst->GetClosestBalloon(cover->origin())), cover);

    // The primary entry's binding through the instance.
    inst->SetStructureNode(d.Node(kNutOcc));
    EXPECT_EQ(inst->GetBalloon()->GetStructureNode(), d.Node(kNutOcc));
    const DLxLocalBOMCookie cookie = d.bom->CookieOfOccurrencePath({kNutOcc});
    inst->SetCookie(cookie);
    EXPECT_EQ(inst->GetBalloon()->GetCookie(), cookie);
}

TEST_F(BalloonInstance, ComputeReportsTheBalloonAndKeepsTheBillsUsage) {
    DLxBalloonSymInstance* inst = d.Place(d.Node(kFirstBoltOcc));
    ASSERT_NE(inst, nullptr);
    DLxBalloonSymState* state = inst->GetBalloonSymState().get();
    state->ClearUsedProperties();
    ASSERT_FALSE(InUsage(d.bom, kItem));

    ASSERT_FALSE(Compute(inst).Failed());
    EXPECT_TRUE(d.doc.GetDrawing()->IsAnnotationUpdated(inst));
    ASSERT_EQ(state->GetLastUsedProperties().size(), 1u);
    EXPECT_TRUE(InUsage(d.bom, kItem));
    // The stack sits at the leader's root and draws.
    EXPECT_TRUE(inst->GetBalloon()->origin().isEqualTo({120, 120, 0}));
    ASSERT_NE(inst->GetDisplayList(), nullptr);
    EXPECT_FALSE(inst->GetDisplayList()->IsEmpty());
}

TEST_F(BalloonInstance, SavedBalloonLoadsBackWhole) {
    DLxBalloonSymInstance* inst = d.Place(d.Node(kFirstBoltOcc));
    ASSERT_NE(inst, nullptr);
    inst->AttachNewBalloon({140, 120, 0}, d.Node(kMotorOcc));
    ASSERT_FALSE(Compute(inst).Failed());

    const std::vector<uint8_t> bytes = Bytes(d.doc.GetRSeDb());
    std::unique_ptr<RSeDatabase> db;
    ASSERT_FALSE(RSeDatabase::LoadFromBuffer(bytes.data(), bytes.size(), db).Failed());
    auto* back = dynamic_cast<DLxBalloonSymInstance*>(db->FindObject(inst->GetId()));
    ASSERT_NE(back, nullptr);
    const DLxBalloonSymState* state = back->GetBalloonSymState().Read();
    ASSERT_NE(state, nullptr);
    ASSERT_TRUE(state->GetLocalBOM());
    EXPECT_EQ(state->GetLocalBOM()->GetId(), d.bom->GetId());
    ASSERT_TRUE(back->GetBalloon());
    EXPECT_EQ(back->GetStructureNode()->GetId(), d.Node(kFirstBoltOcc)->GetId());
    EXPECT_EQ(back->AttachedCount(), 1u);
    EXPECT_EQ(back->GetNumLeaders(), 1);

    const std::vector<uint8_t> saved = Bytes(db.get());
    EXPECT_EQ(saved, bytes);
}

} // namespace
