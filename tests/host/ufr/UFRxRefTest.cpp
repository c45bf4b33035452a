// Model references: binding an instance of a master component to a design view's state, the
// reactors that hear recached fields, and the instance and embedded reference through storage.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "fw/FWxDesignView.h"
#include "rd/RDxComponent.h"
#include "rse/RSeCloneCommander.h"
#include "rse/RSeDatabase.h"
#include "rse/RSeMeta.h"
#include "rse/RSeSegment.h"
#include "rse/RSeTransaction.h"
#include "ufr/UFRxInstance.h"
#include "ufr/UFRxRef.h"

// A stored object that embeds a reference, as a parts list does.
class TstRefHolder : public RSeIDed {
public:
    TstRefHolder() = default;
    explicit TstRefHolder(const RSeStream* s) : RSeIDed(s) {}
    RSeMetaType* GetMeta() const override;
    void Load(RSeStream& s) {
        RSeMetaType::PlainLoad(this, s);
        ref.Load(s);
    }
    void Save(RSeStream& s) const {
        RSeMetaType::PlainSave(this, s);
        ref.Save(s);
    }
    void FixPtrs(RSeMetaContext& ctx) {
        RSeMetaType::PlainFixPtrs(this, ctx);
        ref.FixPtrs(ctx);
    }
    UTxResult Clone(TstRefHolder* target, RSeCloneCommander* cc) const {
        RSeMetaType::PlainClone(this, target, cc);
        ref.CloneTo(target->ref, cc);
        return {};
    }
    UFRxRootRef ref{3, 2};
};

namespace {
void HolderGuid(UTxGUID& g) {
    g = UTxGUID(0x5a5a0101, 0x3c4e11d2, 0x9a110800, 0x09db0001);
}
} // namespace

namespace RSe {
RSeMetaType* _GetMeta(const TstRefHolder*) {
    static RSeMetaType* mt =
        RSeMakeMeta<TstRefHolder>(u"TstRefHolder", &HolderGuid, 0, RSeMetaType::kClass,
                                  RSe::_InitMeta(static_cast<const RSeIDed*>(nullptr)));
    return mt;
}
} // namespace RSe
static RSeMetaType* const s_holder = RSe::_GetMeta(static_cast<const TstRefHolder*>(nullptr));
RSeMetaType* TstRefHolder::GetMeta() const {
    return RSe::_GetMeta(this);
}

namespace {

template <class T> T* Make(RSeSegment* seg) {
    return new (RSe::_GetMeta(static_cast<const T*>(nullptr)), seg) T();
}

class Hearing : public UFRxRefReactor {
public:
    Hearing(UFRxRef* ref) : UFRxRefReactor(ref, 23) {}
    bool OnNotify(const UFRxNotificationField& f) override {
        heard.push_back({f.Field(), f.Bool()});
        return true;
    }
    std::vector<std::pair<int32_t, bool>> heard;
};

class Binding : public ::testing::Test {
protected:
    RSeDatabase m_db;
    RSeSegment* m_seg = m_db.CreateSegment(u"Sheet 1");
    RDxComponent* m_master = Make<RDxComponent>(m_seg);
};

TEST_F(Binding, InstanceRefersToDesignViewStatesByClient) {
    RSeDatabase other;
    EXPECT_EQ(UFRxInstance::Make(nullptr, m_master), nullptr);
    EXPECT_EQ(UFRxInstance::Make(&m_db, nullptr), nullptr);
    EXPECT_EQ(UFRxInstance::Make(&other, m_master), nullptr) << "a master of another database";

    UFRxInstance* instance = UFRxInstance::Make(&m_db, m_master);
    ASSERT_TRUE(instance);
    EXPECT_EQ(instance->GetMaster(), m_master);
    EXPECT_EQ(instance->GetRefdState(UFRx::DesignView), nullptr);
    FWxDesignView* exploded = FWxDesignView::Create(nullptr, m_master, u"Exploded");
    FWxDesignView* unnamed = FWxDesignView::Create(nullptr, m_master, u"");
    EXPECT_EQ(unnamed->GetUFRxState(), nullptr) << "no state to refer to";
    EXPECT_FALSE(instance->AddRefdState(unnamed->GetUFRxState(), 0xffffffffu, false));

    const UFRxState other1(2, u"Simplified");
    ASSERT_TRUE(instance->AddRefdState(&other1, 0xffffffffu, false));
    ASSERT_TRUE(instance->AddRefdState(exploded->GetUFRxState(), 0, false));
    EXPECT_EQ(instance->GetRefdStates().front().Name(), u"Exploded") << "inserted at 0";
    ASSERT_TRUE(instance->GetRefdState(UFRx::DesignView));
    EXPECT_EQ(instance->GetRefdState(UFRx::DesignView)->Name(), exploded->GetName());

    // Rebinding: the names differ, so the client's states go and the new one comes.
    FWxDesignView* assembled = FWxDesignView::Create(nullptr, m_master, u"Assembled");
    EXPECT_NE(instance->GetRefdState(UFRx::DesignView)->Name(), assembled->GetName());
    EXPECT_EQ(instance->RemoveRefdStates(UFRx::DesignView, false), 1);
    EXPECT_EQ(instance->RemoveRefdStates(UFRx::DesignView, false), 0);
    instance->AddRefdState(assembled->GetUFRxState(), 0xffffffffu, false);
    EXPECT_EQ(instance->GetRefdState(UFRx::DesignView)->Name(), u"Assembled");
    EXPECT_EQ(instance->GetRefdState(2)->Name(), u"Simplified") << "other clients stay";
    for (FWxDesignView* v : {exploded, unnamed, assembled})
        RSe::DeleteObject(v);
}

TEST_F(Binding, RecacheReachesTheObservingReactorsOfTargetingRefs) {
    UFRxInstance* instance = UFRxInstance::Make(&m_db, m_master);
    UFRxInstance* elsewhere = UFRxInstance::Make(&m_db, m_master);
    UFRxRootRef ref(3, 2), away(3, 2);
    Hearing reactor(&ref), notTargeted(&away);
    reactor.Observe(22, true);
    reactor.Observe(9, true);
    reactor.Observe(9, true);
    notTargeted.Observe(22, true);
    ref.Target(UFRxRefTarget(instance, m_master));
    away.Target(UFRxRefTarget(elsewhere, m_master));

    EXPECT_EQ(instance->RecacheReactionField(22), 1);
    EXPECT_EQ(instance->RecacheReactionField(9, true), 1) << "observing twice hears once";
    EXPECT_EQ(instance->RecacheReactionField(5), 0);
    reactor.Observe(22, false);
    EXPECT_EQ(instance->RecacheReactionField(22), 0);
    EXPECT_EQ(reactor.heard, (std::vector<std::pair<int32_t, bool>>{{22, false}, {9, true}}));
    EXPECT_TRUE(notTargeted.heard.empty());

    instance->Delete();
    EXPECT_EQ(ref.GetInstance(), nullptr);
    {
        UFRxRootRef shortLived(3, 2);
        Hearing r(&shortLived);
        EXPECT_EQ(r.GetRef(), &shortLived);
    }
}

// A reference embedded in a stored object, with its instance: saved, loaded and saved again to
// the same bytes, the loaded reference targeting the loaded instance.
TEST_F(Binding, EmbeddedReferenceAndInstanceRoundTrip) {
    UFRxInstance* instance = UFRxInstance::Make(&m_db, m_master);
    const UFRxState state(UFRx::DesignView, u"Exploded");
    instance->AddRefdState(&state, 0xffffffffu, false);
    instance->SegmentLoadState(u"Sheet 1");
    auto* holder = Make<TstRefHolder>(m_seg);
    holder->ref.Target(UFRxRefTarget(instance, m_master));

    std::vector<uint8_t> bytes, again;
    ASSERT_FALSE(m_db.SaveToBuffer(bytes).Failed());
    std::unique_ptr<RSeDatabase> db;
    ASSERT_FALSE(RSeDatabase::LoadFromBuffer(bytes.data(), bytes.size(), db).Failed());
    ASSERT_FALSE(db->SaveToBuffer(again).Failed());
    EXPECT_EQ(again, bytes);
    auto* loaded = dynamic_cast<TstRefHolder*>(db->FindObject(holder->GetId()));
    ASSERT_TRUE(loaded);
    UFRxInstance* li = loaded->ref.GetInstance();
    ASSERT_TRUE(li);
    EXPECT_EQ(li->GetId(), instance->GetId());
    EXPECT_EQ(li->GetSegmentLoadState(), u"Sheet 1");
    EXPECT_EQ(li->GetRefdStates(), instance->GetRefdStates());
    EXPECT_EQ(loaded->ref.GetComponent(), li->GetMaster());
    EXPECT_EQ(loaded->ref.GetKind(), 3);

    // A copy in the same database targets the same instance.
    RSeCloneCommander cc(m_seg);
    ASSERT_FALSE(cc.Clone({holder}).Failed());
    auto* copy = dynamic_cast<TstRefHolder*>(cc.CloneOf(holder));
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->ref.GetInstance(), instance);
}

} // namespace
