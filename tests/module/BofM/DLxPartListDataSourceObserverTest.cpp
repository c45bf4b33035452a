// Data-source observers of older parts lists: the listener they attach after a load or a clone,
// which events reach their node, and observed objects that are gone.
#include <gtest/gtest.h>

#include <memory>

#include "BofM/DLxPartListDataSourceObserver.h"
#include "TstStoredClasses.h"
#include "dc/RDxComponentInstanceEvent.h"
#include "dc/RDxNode.h"
#include "rd/RDxInt.h"
#include "rse/RSeCloneCommander.h"
#include "rse/RSeDatabase.h"
#include "rse/RSeSegment.h"
#include "rse/RSeTransaction.h"

namespace {

using Observer = DLxPartListAssemblyDataSourceObserver;

std::unique_ptr<RSeDatabase> Reload(RSeDatabase& db) {
    std::vector<uint8_t> bytes;
    EXPECT_FALSE(db.SaveToBuffer(bytes).Failed());
    std::unique_ptr<RSeDatabase> out;
    const UTxResult r = RSeDatabase::LoadFromBuffer(bytes.data(), bytes.size(), out);
    EXPECT_FALSE(r.Failed()) << r.GetMessageUtf8();
    return out;
}

class DataSourceObserver : public ::testing::Test {
protected:
    RDxNode* NewNode() {
        // A concrete node: the store makes no plain RDxNode.
        auto* node = new (RSe::_GetMeta(static_cast<const RDxInt*>(nullptr)), m_seg) RDxInt();
        node->MarkEdited(false);
        return node;
    }
    Observer* NewObserver(RDxNode* node, RSeIDed* observed) {
        return new (RSe::_GetMeta(static_cast<const Observer*>(nullptr)), m_seg)
            Observer(RSeRef<RDxNode>(node), RSeRefBase(observed));
    }
    // Tells the notifier of an event on `subject`.
    static void Send(int32_t event, RSeIDed* subject, bool componentEvent = true) {
        const RSeRefBase ref(subject);
        if (componentEvent)
            RSeNotifier::Notify(RDxComponentInstanceEvent(event, ref));
        else
            RSeNotifier::Notify(RSeEvent(event, ref));
    }

    RSeDatabase m_db;
    RSeSegment* m_seg = m_db.CreateSegment(u"Sheet");
};

TEST_F(DataSourceObserver, TheEventSetHoldsEvents26And27) {
    const RSeNotifierEventMask set = Observer::EventSet();
    EXPECT_EQ(set.word, 0x30000000u);
    EXPECT_TRUE(set.Contains(26));
    EXPECT_TRUE(set.Contains(27));
    EXPECT_FALSE(set.Contains(3));
}

TEST_F(DataSourceObserver, OnlyComponentInstanceEvents26And27MarkTheNode) {
    RDxNode* node = NewNode();
    TstNode* assembly = TstNew<TstNode>(m_seg);
    TstNode* other = TstNew<TstNode>(m_seg);
    Observer* observer = NewObserver(node, assembly);
    observer->Attach();
    ASSERT_NE(observer->GetListener(), nullptr);
    EXPECT_EQ(RSeNotifier::ObserverCount(RSeRefBase(assembly)), 1u);

    struct Case {
        int32_t event;
        bool componentEvent;
        TstNode* subject;
        bool marks;
    };
    const Case cases[] = {
        {26, true, assembly, true},  {27, true, assembly, true},  {28, true, assembly, false},
        {26, false, assembly, false}, {27, false, assembly, false}, {26, true, other, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "event " << c.event << (c.componentEvent ? " on" : " not on")
                                        << " a component instance");
        node->MarkEdited(false);
        Send(c.event, c.subject, c.componentEvent);
        EXPECT_EQ(node->IsEdited(), c.marks);
    }

    // An inactive listener lets everything pass.
    observer->GetListener()->SetActive(false);
    node->MarkEdited(false);
    Send(26, assembly);
    EXPECT_FALSE(node->IsEdited());

    // Deleting the observer takes its listener off the notifier.
    RSe::DeleteObject(observer);
    EXPECT_EQ(RSeNotifier::ObserverCount(RSeRefBase(assembly)), 0u);
    Send(27, assembly);
    EXPECT_FALSE(node->IsEdited());
}

// The listener is attached again by a load, and by a clone, as long as the watched object is
// there; an observer of a deleted object stays deaf and asks nothing of the notifier.
TEST_F(DataSourceObserver, LoadsAndClonesAttachUnlessTheObservedObjectIsGone) {
    RDxNode* node = NewNode();
    RDxNode* lonelyNode = NewNode();
    TstNode* assembly = TstNew<TstNode>(m_seg);
    TstNode* gone = TstNew<TstNode>(m_seg);
    Observer* live = NewObserver(node, assembly);
    Observer* deaf = NewObserver(lonelyNode, gone);
    RSe::DeleteObject(gone);
    deaf->Attach();
    EXPECT_EQ(deaf->GetListener(), nullptr);

    auto loaded = Reload(m_db);
    auto* liveLoaded = dynamic_cast<Observer*>(loaded->FindObject(live->GetId()));
    auto* deafLoaded = dynamic_cast<Observer*>(loaded->FindObject(deaf->GetId()));
    ASSERT_TRUE(liveLoaded && deafLoaded);
    ASSERT_NE(liveLoaded->GetListener(), nullptr);
    EXPECT_EQ(deafLoaded->GetListener(), nullptr);
    auto* loadedAssembly = loaded->FindObject(assembly->GetId());
    auto* loadedNode = dynamic_cast<RDxNode*>(loaded->FindObject(node->GetId()));
    auto* loadedLonely = dynamic_cast<RDxNode*>(loaded->FindObject(lonelyNode->GetId()));
    ASSERT_TRUE(loadedAssembly && loadedNode && loadedLonely);
    loadedNode->MarkEdited(false);
    loadedLonely->MarkEdited(false);
    Send(26, loadedAssembly);
    EXPECT_TRUE(loadedNode->IsEdited());
    EXPECT_FALSE(loadedLonely->IsEdited());

    // Deleting an observer without listener leaves the notifier alone.
    const uint64_t changes = RSeNotifier::ChangeCount();
    RSe::DeleteObject(deafLoaded);
    EXPECT_EQ(RSeNotifier::ChangeCount(), changes);

    // A clone keeps the watched object and gets a listener of its own.
    RSeCloneCommander cc(loaded->GetSegment(0));
    ASSERT_FALSE(cc.Clone({liveLoaded, loadedNode}).Failed());
    auto* copy = dynamic_cast<Observer*>(cc.CloneOf(liveLoaded));
    auto* copyNode = dynamic_cast<RDxNode*>(cc.CloneOf(loadedNode));
    ASSERT_TRUE(copy && copyNode);
    ASSERT_NE(copy->GetListener(), nullptr);
    EXPECT_NE(copy->GetListener(), liveLoaded->GetListener());
    EXPECT_EQ(copy->GetObserved().GetTarget(), loadedAssembly);
    EXPECT_EQ(copy->GetNode().get(), copyNode);
    EXPECT_EQ(RSeNotifier::ObserverCount(RSeRefBase(loadedAssembly)), 2u);
    copyNode->MarkEdited(false);
    Send(27, loadedAssembly);
    EXPECT_TRUE(copyNode->IsEdited());
}

} // namespace
