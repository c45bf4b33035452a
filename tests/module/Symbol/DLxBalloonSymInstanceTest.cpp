// The placed balloon on a drawing with a real local bill: its stored class and creation, the
// entries it hands out, its compute, and its round trip through a saved document.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>
#include <vector>

#include "BofM/DLxPartListTable.h"
#include "KorvuTestSupport.h"
#include "Leader/DLxSymFilters.h"
#include "Standard/DLxCBalloon.h"
#include "Symbol/DLxBalloonSymInstance.h"
#include "Symbol/DLxBalloonSymState.h"
#include "Symbol/DLxTableCalloutBaseSelection.h"
#include "TstBalloonDrawing.h"
#include "TstFnRequest.h"
#include "dc/RDxComputeContext.h"
#include "dl/DLxAnnotationUpdateState.h"
#include "dl/DLxConfiguration.h"
#include "dl/DLxDrawing.h"
#include "dl/DLxLocalBOM.h"
#include "dl/DLxLocalBOMColumn.h"
#include "dl/DLxSheet.h"
#include "dl/DLxStructureNode.h"
#include "du/DUxArrowHead.h"
#include "du/DUxBalloonStyle.h"
#include "du/DUxLayerStyleAbstract.h"
#include "du/DUxLeaderNode.h"
#include "du/DUxLeaderNodeTree.h"
#include "fw/FWxChangeRequest.h"
#include "rse/RSe.h"
#include "rse/RSeDatabase.h"
#include "rse/RSeMetaType.h"
#include "rse/RSeSegmentMigrator.h"
#include "rse/RSeTransaction.h"
#include "sm/SMxDisplayItem.h"
#include "sm/SMxDisplayList.h"
#include "uc/UCxTranscriptDataExchange.h"
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

void RunRequest(Drawing& d, std::function<void()> f) {
    ASSERT_FALSE(d.doc.ProcessChangeRequest(new TstFnRequest(std::move(f))).Failed());
}

// A cookie that names a row no more: a custom row taken out of the bill again.
DLxLocalBOMCookie LostCookie(Drawing& d) {
    const DLxLocalBOMCookie cookie = d.bom->AddCustom();
    EXPECT_TRUE(d.bom->RemoveCustom(cookie));
    return cookie;
}

const DLxBalloonUpdateData* UpdateData(const Drawing& d, const DLxBalloonSymInstance* inst) {
    const DLxAnnotationUpdateState* record = d.bom->FindAnnotationUpdateState(inst);
    return record ? dynamic_cast<const DLxBalloonUpdateData*>(record->GetAnnoSpecificData())
                  : nullptr;
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

// The texts a display list draws, its children's included.
void CollectTexts(const SMxDisplayList& list, std::vector<UTxString16>& out) {
    for (const SMxDisplayItem& item : list) {
        if (const auto* t = item.As<SMxTextItem>()) out.push_back(t->text);
        if (const auto* c = item.As<SMxChildItem>()) CollectTexts(c->list, out);
    }
}
std::vector<UTxString16> Texts(const DLxBalloonSymInstance& inst) {
    std::vector<UTxString16> out;
    if (const SMxDisplayList* list = inst.GetDisplayList()) CollectTexts(*list, out);
    return out;
}

// A drawing saved to a file and opened again draws its balloons as before, each with its
// row's number: one on a component's node, one naming a row by its cookie.
TEST_F(BalloonInstance, AReopenedDrawingDrawsTheRowsNumbersAgain) {
    const DLxBalloonSymInstance* onNode = d.Place(d.Node(kFirstBoltOcc));
    const DLxLocalBOMCookie motor = d.bom->CookieOfOccurrencePath({kMotorOcc});
    const DLxBalloonSymInstance* onCookie = d.Place({}, motor, {200, 100, 0}, {220, 120, 0});
    ASSERT_NE(onNode, nullptr);
    ASSERT_NE(onCookie, nullptr);
    RDxComputeContext ctx;
    ASSERT_FALSE(d.sheet->Recompute(ctx).Failed());
    ASSERT_EQ(Texts(*onNode), std::vector<UTxString16>{u"4"});
    ASSERT_EQ(Texts(*onCookie), std::vector<UTxString16>{u"7"});

    KorvuTempDir dir;
    ASSERT_FALSE(d.doc.Save(dir.File("a.kvd")).Failed());
    std::unique_ptr<DLxDrawingDoc> loaded;
    const UTxResult r = DLxDrawingDoc::Open(dir.File("a.kvd"), loaded);
    ASSERT_FALSE(r.Failed()) << r.GetMessageUtf8();
    auto* sheet = dynamic_cast<DLxSheet*>(loaded->GetRSeDb()->FindObject(d.sheet->GetId()));
    ASSERT_NE(sheet, nullptr);
    // Drawings are not stored: the opened balloons draw afresh.
    for (const DLxBalloonSymInstance* inst : {onNode, onCookie})
        if (auto* back = dynamic_cast<DLxBalloonSymInstance*>(
                loaded->GetRSeDb()->FindObject(inst->GetId())))
            back->MarkEdited(true);
    ASSERT_FALSE(sheet->Recompute(ctx).Failed());
    for (const DLxBalloonSymInstance* inst : {onNode, onCookie}) {
        SCOPED_TRACE(inst == onNode ? "on the node" : "by the cookie");
        const auto* back =
            dynamic_cast<const DLxBalloonSymInstance*>(loaded->GetRSeDb()->FindObject(inst->GetId()));
        ASSERT_NE(back, nullptr);
        EXPECT_EQ(Texts(*back), Texts(*inst));
    }
}

// Message 3 drops the entries whose rows are gone and deletes the balloon when none is left;
// an unsettled bill, a pending configuration change or the preservation mode keep every entry.
TEST(BalloonRefresh, MessageKeepsOrDropsEntriesByTheirRows) {
    enum class Expect { Kept, Dropped, Deleted };
    const struct {
        const char* name;
        void (*before)(Drawing&);
        bool primaryCookieLost;
        bool primaryHasNode;
        bool motorAttached; // else the middle attached entry's row is gone as well
        Expect expect;
    } cases[] = {
        {"attached rows gone", nullptr, false, false, true, Expect::Dropped},
        {"lost cookie, the node finds the row", nullptr, true, true, true, Expect::Dropped},
        {"every row gone", nullptr, true, false, false, Expect::Deleted},
        {"bill in error", [](Drawing& d) { d.bom->SetStatusOn(DLxLocalBOM::kStatusError); },
         true, false, false, Expect::Kept},
        {"preserving annotations",
         [](Drawing& d) { d.doc.GetDrawing()->SetPreserveAnnotationMode(1); }, true, false, false,
         Expect::Kept},
        {"configuration change pending",
         [](Drawing& d) {
             d.Node(kMotorOcc)->GetConfiguration()->SetStatus(DLxConfiguration::kPending);
         },
         true, false, true, Expect::Kept},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Drawing d;
        d.SetItems({kItem});
        DLxBalloonSymInstance* inst = nullptr;
        RunRequest(d, [&] {
            const DLxLocalBOMCookie lost = LostCookie(d);
            inst = d.Place(c.primaryHasNode ? d.Node(kFirstBoltOcc) : RSeRef<DLxStructureNode>(),
                           c.primaryCookieLost ? lost
                                               : d.bom->CookieOfOccurrencePath({kFirstBoltOcc}));
            inst->AttachBalloonWithCookie({140, 120, 0}, {}, lost);
            if (c.motorAttached)
                inst->AttachBalloonWithNode({150, 120, 0}, d.Node(kMotorOcc));
            else
                inst->AttachBalloonWithCookie({150, 120, 0}, {}, lost);
            inst->AttachBalloonWithCookie({160, 120, 0}, {}, lost);
            inst->SetFlag(DLxBalloonSymInstance::kPendingConfigurationFlag);
            if (c.before) c.before(d);
        });
        ASSERT_NE(inst, nullptr);
        ASSERT_EQ(inst->AttachedCount(), 3u);
        const uint32_t id = inst->GetId();
        const RSeRef<DLxCTableCallout> middle = inst->GetAttachedBalloons()[1];
        inst->MarkEdited(false);
        RunRequest(d, [&] {
            int data = 0;
            EXPECT_FALSE(inst->ProcessMessage(DLxBalloonSymInstance::kRefreshMessage, &data).Failed());
        });
        auto* after = dynamic_cast<DLxBalloonSymInstance*>(d.doc.GetRSeDb()->FindObject(id));
        if (c.expect == Expect::Deleted) {
            // The bill forgets the balloon and the properties it showed.
            EXPECT_EQ(after, nullptr);
            EXPECT_TRUE(d.bom->GetAnnotationStates().empty());
            EXPECT_FALSE(InUsage(d.bom, kItem));
            continue;
        }
        ASSERT_NE(after, nullptr);
        EXPECT_TRUE(after->IsEdited());
        if (c.expect == Expect::Kept) {
            EXPECT_EQ(after->AttachedCount(), 3u);
            continue;
        }
        // Only the motor's entry is left attached, renumbered after the primary one, and the
        // bill hears which rows are left.
        ASSERT_EQ(after->AttachedCount(), 1u);
        EXPECT_EQ(after->GetAttachedBalloons()[0], middle);
        EXPECT_EQ(middle.Read()->GetIndex(), 1);
        // No configuration has a change pending: the flag goes.
        EXPECT_FALSE(after->IsFlagOn(DLxBalloonSymInstance::kPendingConfigurationFlag));
        const DLxBalloonUpdateData* data = UpdateData(d, after);
        ASSERT_NE(data, nullptr);
        EXPECT_EQ(data->GetItems().size(), 2u);
    }
}

TEST_F(BalloonInstance, DeadAndDeletingByThePrimaryEntryAndTheBill) {
    const struct {
        const char* name;
        bool node;
        bool cookie;
        bool dead;
    } cases[] = {
        {"node without cookie", true, false, false},
        {"cookie without node", false, true, false},
        {"neither", false, false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DLxBalloonSymInstance* inst =
            d.Place(c.node ? d.Node(kMotorOcc) : RSeRef<DLxStructureNode>(),
                    c.cookie ? d.bom->CookieOfOccurrencePath({kMotorOcc}) : DLxLocalBOMCookie());
        ASSERT_NE(inst, nullptr);
        EXPECT_EQ(inst->IsDead(), c.dead);
        EXPECT_FALSE(inst->NeedsDeleting());
    }
    DLxBalloonSymInstance* inst = d.Place(d.Node(kMotorOcc));
    inst->GetBalloonSymState()->SetLocalBOM({});
    EXPECT_TRUE(inst->NeedsDeleting());
    EXPECT_FALSE(inst->Refresh());
}

// The bill's record of the balloon lists every entry's row and occurrence path, in stack order,
// after every attach and detach.
TEST_F(BalloonInstance, TheBillHearsWhichRowsTheBalloonNumbers) {
    const DLxLocalBOMCookie bolt = d.bom->CookieOfOccurrencePath({kFirstBoltOcc});
    const DLxLocalBOMCookie motor = d.bom->CookieOfOccurrencePath({kMotorOcc});
    DLxBalloonSymInstance* inst = d.Place({}, bolt);
    ASSERT_NE(inst, nullptr);
    const DLxAnnotationUpdateState* record = d.bom->FindAnnotationUpdateState(inst);
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->GetSheet(), static_cast<RSeIDed*>(d.sheet));
    // Registering alone records nothing yet.
    EXPECT_EQ(UpdateData(d, inst), nullptr);

    const RSeRef<DLxCTableCallout> added =
        inst->AttachBalloonWithCookie({140, 120, 0}, d.Node(kMotorOcc), motor);
    ASSERT_TRUE(added);
    EXPECT_EQ(RSeRef<DLxCBalloon>(added)->GetCookie(), motor);
    EXPECT_EQ(record->GetUpdateType(), DLxAnnotationUpdateState::kBalloon);
    const DLxBalloonUpdateData* data = UpdateData(d, inst);
    ASSERT_NE(data, nullptr);
    ASSERT_EQ(data->GetItems().size(), 2u);
    EXPECT_EQ(data->GetItems()[0].cookie, bolt);
    EXPECT_TRUE(data->GetItems()[0].path.empty());
    EXPECT_EQ(data->GetItems()[1].cookie, motor);
    EXPECT_EQ(data->GetItems()[1].path, d.Node(kMotorOcc)->GetRDxPassivePath());
    EXPECT_TRUE(data->GetBalloonVisibility());

    inst->AttachBalloonWithNode({150, 120, 0}, d.Node(kCoverOcc));
    EXPECT_EQ(UpdateData(d, inst)->GetItems().size(), 3u);
    inst->DetachBalloon(added);
    data = UpdateData(d, inst);
    ASSERT_EQ(data->GetItems().size(), 2u);
    EXPECT_EQ(data->GetItems()[1].path, d.Node(kCoverOcc)->GetRDxPassivePath());
    inst->SetStructureNode(d.Node(kNutOcc));
    EXPECT_EQ(UpdateData(d, inst)->GetItems()[0].path, d.Node(kNutOcc)->GetRDxPassivePath());
}

TEST_F(BalloonInstance, TreatmentsNeedASecondBranchAndTheLabelNamesTheKind) {
    DLxBalloonSymInstance* inst = d.Place(d.Node(kMotorOcc));
    ASSERT_NE(inst, nullptr);
    EXPECT_FALSE(inst->CanApplySymbolTreatments());
    DUxLeaderNodeTree* tree = inst->GetLeader(0);
    ASSERT_NE(tree->AddTerminalNode(tree->GetRoot(), {90, 80, 0}), nullptr);
    EXPECT_TRUE(inst->CanApplySymbolTreatments());
    EXPECT_TRUE(inst->GetKeyPoint().isEqualTo(inst->GetBalloon()->origin()));
    EXPECT_TRUE(inst->ObjectStyleWrapper());
}

// Sets a class's stored version in a saved document's meta table.
void SetStoredVersion(std::vector<uint8_t>& bytes, const std::u16string& name, uint16_t version) {
    const auto u32 = [&](size_t pos) {
        uint32_t v = 0;
        std::memcpy(&v, &bytes[pos], 4);
        return v;
    };
    size_t at = 16; // magic, format, next id
    const uint32_t metas = u32(at);
    at += 4;
    bool found = false;
    for (uint32_t m = 0; m < metas; ++m) {
        const uint32_t length = u32(at);
        std::u16string n(length, u'\0');
        std::memcpy(n.data(), &bytes[at + 4], 2 * length);
        at += 4 + 2 * length + 16;
        if (n == name) {
            bytes[at] = uint8_t(version & 0xff);
            bytes[at + 1] = uint8_t(version >> 8);
            found = true;
        }
        at += 4;
    }
    EXPECT_TRUE(found);
}

class TstQueueMigrator : public RSeSegmentMigrator {
public:
    explicit TstQueueMigrator(const char* name) : RSeSegmentMigrator(name) {}
    void Migrate(RSeSegmentMigrationContext* ctx) override {
        if (auto* refs = dynamic_cast<RSeSegmentMigrationContextRSeRef*>(ctx))
            for (uint32_t i = 0; i < refs->Objects(); ++i)
                ids.push_back(refs->Object(i).GetId());
    }
    std::vector<uint32_t> ids;
};

// Balloons stored before version 4 load as they were and wait for the migrator that registers
// older balloons with their bill; current ones do not.
TEST_F(BalloonInstance, OlderVersionsAreQueuedForTheRegistration) {
    // Registered for this test only: the module itself has no such migrator.
    TstQueueMigrator migrator("DLxUnregisteredLBOMAnnosMigrator");
    DLxBalloonSymInstance* inst = d.Place(d.Node(kMotorOcc));
    ASSERT_NE(inst, nullptr);
    const std::vector<uint8_t> saved = Bytes(d.doc.GetRSeDb());
    for (uint16_t version = 0; version <= 4; ++version) {
        SCOPED_TRACE(version);
        migrator.ids.clear();
        std::vector<uint8_t> bytes = saved;
        SetStoredVersion(bytes, u"DLxBalloonSymInstance", version);
        std::unique_ptr<RSeDatabase> db;
        const UTxResult r = RSeDatabase::LoadFromBuffer(bytes.data(), bytes.size(), db);
        ASSERT_FALSE(r.Failed()) << r.GetMessageUtf8();
        auto* back = dynamic_cast<DLxBalloonSymInstance*>(db->FindObject(inst->GetId()));
        ASSERT_NE(back, nullptr);
        EXPECT_EQ(back->GetStructureNode()->GetId(), d.Node(kMotorOcc)->GetId());
        EXPECT_EQ(back->GetNumLeaders(), 1);
        EXPECT_EQ(migrator.ids, version < 4 ? std::vector<uint32_t>{inst->GetId()}
                                            : std::vector<uint32_t>{});
    }
}

// The balloon's own filter picks balloons, and nothing else.
TEST_F(BalloonInstance, ItsSelectionFilterAdmitsBalloonsOnly) {
    DLxBalloonSymInstance* inst = d.Place(d.Node(kMotorOcc));
    ASSERT_NE(inst, nullptr);
    const SmartPtr<DLxBalloonSymFilter> filter(inst->CreateSelectionFilter());
    ASSERT_TRUE(filter);
    EXPECT_EQ(filter->GetSubType(), 1);
    const SmartPtr<FWxSelection> picked = filter->Select(*inst, {120, 120, 0});
    const auto* selection = dynamic_cast<const DLxTableCalloutBaseSelection*>(picked.get());
    ASSERT_NE(selection, nullptr);
    EXPECT_EQ(selection->GetTableCalloutSymbol(), inst);
    EXPECT_FALSE(filter->Select(*inst->GetBalloonSymState().get(), {120, 120, 0}));
}

// Overrides equal to their rows' values go when the bill comes online; others stay.
TEST_F(BalloonInstance, WakingUpDropsOverridesThatEqualTheRows) {
    DLxBalloonSymInstance* inst = d.Place(d.Node(kMotorOcc));
    ASSERT_NE(inst, nullptr);
    const DUxStyleFormatColumnPropertyID partNumber = Prop(u"6");
    const RSeRef<DLxCBalloon> primary = inst->GetBalloon();
    DUxTableStylePartsListColumn* column = DUxTableStylePartsListColumn::New(nullptr);
    *column->GetPropertyID() = partNumber;
    const UTxString16 shown = primary->GetItemText(column, d.bom, {});
    RSe::DeleteObject(column);
    ASSERT_FALSE(shown.empty());
    primary->AddMappedOverride(&partNumber, shown);
    EXPECT_TRUE(inst->wakeUpToOnline());
    EXPECT_FALSE(inst->wakeUpToOnline());
    primary->AddMappedOverride(&partNumber, u"X");
    EXPECT_FALSE(inst->wakeUpToOnline());
    inst->GetBalloonSymState()->SetLocalBOM({});
    EXPECT_FALSE(inst->wakeUpToOnline());
}

// A balloon that goes takes its properties out of the bill's usage, is forgotten by the bill
// and makes the parts lists that show balloons' rows look again; the parts lists of its sheet
// are among what it reads.
TEST_F(BalloonInstance, GoingTellsTheBillAndItsPartsLists) {
    DLxBalloonSymInstance* inst = nullptr;
    DLxAnnotationUpdateState* listRecord = nullptr;
    DLxPartListTable* table = nullptr;
    RunRequest(d, [&] {
        table = DLxPartListTable::Create(d.sheet, {300, 200, 0}, RSeRef<DLxLocalBOM>(d.bom), {}, {})
                    .get();
        listRecord = d.bom->RegisterAnnotation(d.sheet, table, true);
        listRecord->SetUpdateType(DLxAnnotationUpdateState::kPartsList);
        inst = d.Place(d.Node(kMotorOcc));
    });
    ASSERT_NE(inst, nullptr);
    ASSERT_NE(table, nullptr);
    std::vector<RDxNode*> reads;
    inst->CollectDependencies(reads);
    EXPECT_NE(std::find(reads.begin(), reads.end(), table), reads.end());

    RunRequest(d, [&] { listRecord->SetDirty(false); });
    ASSERT_TRUE(InUsage(d.bom, kItem));
    const uint32_t id = inst->GetId();
    RunRequest(d, [&] { inst->DeleteAndVacuumClean(); });
    EXPECT_EQ(d.doc.GetRSeDb()->FindObject(id), nullptr);
    EXPECT_TRUE(listRecord->IsDirty());
    EXPECT_FALSE(InUsage(d.bom, kItem));
    EXPECT_EQ(d.bom->GetAnnotationStates().size(), 1u);
}

TEST(BalloonCreation, NoBalloonWithoutAFragment) {
    std::vector<WqGePoint3d> points{{0, 0, 0}, {10, 10, 0}};
    EXPECT_FALSE(DLxBalloonSymInstance::CreateInstance({}, points, 0, {}, {},
                                                       DLxBomStdInfo::kRight, {}, {}, {}));
}

// Placing, refreshing away and deleting a balloon are undone to the same bytes, and redone.
TEST_F(BalloonInstance, ChangesAreUndoneToTheSameBytes) {
    const std::vector<uint8_t> empty = Bytes(d.doc.GetRSeDb());
    DLxBalloonSymInstance* inst = nullptr;
    RunRequest(d, [&] {
        inst = d.Place(d.Node(kMotorOcc));
        inst->AttachBalloonWithNode({140, 120, 0}, d.Node(kCoverOcc));
        EXPECT_FALSE(Compute(inst).Failed());
    });
    ASSERT_NE(inst, nullptr);
    const uint32_t id = inst->GetId();
    const std::vector<uint8_t> placed = Bytes(d.doc.GetRSeDb());
    const std::function<void(DLxBalloonSymInstance*)> changes[] = {
        [](DLxBalloonSymInstance* b) { b->DeleteAndVacuumClean(); },
        [](DLxBalloonSymInstance* b) {
            b->GetBalloonSymState()->SetLocalBOM({});
            b->ProcessMessage(DLxBalloonSymInstance::kRefreshMessage, nullptr);
        },
        [](DLxBalloonSymInstance* b) { b->DetachBalloon(b->GetAttachedBalloons()[0]); },
    };
    for (size_t i = 0; i < std::size(changes); ++i) {
        SCOPED_TRACE(i);
        auto* balloon = dynamic_cast<DLxBalloonSymInstance*>(d.doc.GetRSeDb()->FindObject(id));
        ASSERT_NE(balloon, nullptr);
        RunRequest(d, [&] { changes[i](balloon); });
        ASSERT_FALSE(d.doc.Undo().Failed());
        EXPECT_EQ(Bytes(d.doc.GetRSeDb()), placed);
    }
    ASSERT_FALSE(d.doc.Undo().Failed());
    EXPECT_EQ(Bytes(d.doc.GetRSeDb()), empty);
    ASSERT_FALSE(d.doc.Redo().Failed());
    EXPECT_EQ(Bytes(d.doc.GetRSeDb()), placed);
}

} // namespace
