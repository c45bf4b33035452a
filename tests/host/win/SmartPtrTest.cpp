#include <gtest/gtest.h>

#include <set>
#include <type_traits>
#include <utility>

#include "fw/SmartPtr.h"

namespace {

int g_live = 0;

class TstNode : public CountedCObj {
public:
    TstNode() { ++g_live; }
    TstNode(const TstNode& other) : CountedCObj(other), m_value(other.m_value) { ++g_live; }
    ~TstNode() override { --g_live; }
    int m_value = 0;
};

class TstLeaf : public TstNode {
public:
    int m_leafValue = 7;
};

class TstOther : public CountedCObj {};

static_assert(std::is_convertible_v<SmartPtr<TstLeaf>, SmartPtr<TstNode>>);
static_assert(std::is_convertible_v<SmartPtr<TstLeaf>, SmartPtr<CountedCObj>>);
static_assert(std::is_convertible_v<SmartPtr<TstNode>, SmartPtr<const TstNode>>);
static_assert(!std::is_convertible_v<SmartPtr<TstNode>, SmartPtr<TstLeaf>>);
static_assert(!std::is_convertible_v<SmartPtr<const TstNode>, SmartPtr<TstNode>>);
static_assert(!std::is_convertible_v<SmartPtr<TstOther>, SmartPtr<TstNode>>);
static_assert(!std::is_convertible_v<SmartPtr<TstNode>, TstNode*>);

class SmartPtrTest : public testing::Test {
protected:
    void SetUp() override { g_live = 0; }
    void TearDown() override { EXPECT_EQ(g_live, 0) << "an object outlived its owners"; }
};

TEST_F(SmartPtrTest, LastOwnerDeletes) {
    SmartPtr<TstNode> a(new TstNode);
    EXPECT_EQ(a->GetRefCount(), 1);
    {
        SmartPtr<TstNode> b = a;
        EXPECT_EQ(a->GetRefCount(), 2);
        a.reset();
        EXPECT_FALSE(a);
        EXPECT_EQ(g_live, 1) << "the copy keeps it alive";
        EXPECT_EQ(b->GetRefCount(), 1);
    }
    EXPECT_EQ(g_live, 0);

    // Manual references count like owners.
    SmartPtr<TstNode> c(new TstNode);
    EXPECT_EQ(c->AddRef(), 2);
    TstNode* raw = c.get();
    c = nullptr;
    EXPECT_EQ(g_live, 1);
    EXPECT_EQ(raw->Release(), 0);
    EXPECT_EQ(g_live, 0);
}

TEST_F(SmartPtrTest, MovesAndReassignmentsKeepTheCountExact) {
    SmartPtr<TstNode> a(new TstNode);
    SmartPtr<TstNode> b(std::move(a));
    EXPECT_FALSE(a);
    EXPECT_EQ(b->GetRefCount(), 1);

    // Assigning an owner to itself, or its own raw pointer, must not release first.
    SmartPtr<TstNode>& alias = b;
    b = alias;
    b = b.get();
    b.reset(b.get());
    EXPECT_EQ(b->GetRefCount(), 1);

    // A second owner made from the raw pointer shares the count.
    SmartPtr<TstNode> fromRaw = b.get();
    EXPECT_EQ(b->GetRefCount(), 2);

    b = SmartPtr<TstNode>(new TstNode);
    EXPECT_EQ(g_live, 2);
    fromRaw = std::move(b);
    EXPECT_EQ(g_live, 1);
    EXPECT_EQ(fromRaw->GetRefCount(), 1);

    // A copied object is new: it has no owners of its own and leaves the original's count alone.
    fromRaw->m_value = 4;
    SmartPtr<TstNode> copy(new TstNode(*fromRaw));
    EXPECT_EQ(copy->GetRefCount(), 1);
    EXPECT_EQ(copy->m_value, 4);
    EXPECT_EQ(fromRaw->GetRefCount(), 1);
}

TEST_F(SmartPtrTest, ConvertsToBaseAndDeletesThroughIt) {
    SmartPtr<TstLeaf> leaf(new TstLeaf);
    SmartPtr<TstNode> node = leaf;
    SmartPtr<CountedCObj> counted = node;
    SmartPtr<const TstNode> readOnly = leaf;
    EXPECT_EQ(leaf->GetRefCount(), 4);
    EXPECT_TRUE(counted->IsKindOf(RUNTIME_CLASS(CountedCObj)));
    EXPECT_EQ(readOnly->m_value, 0);

    SmartPtr<TstNode> moved = std::move(leaf);
    EXPECT_FALSE(leaf);
    EXPECT_EQ(moved->GetRefCount(), 4);

    moved.reset();
    node.reset();
    readOnly.reset();
    EXPECT_EQ(g_live, 1);
    counted.reset(); // the leaf's destructor runs through the base's pointer
    EXPECT_EQ(g_live, 0);
}

TEST_F(SmartPtrTest, ComparesByTheObjectOwned) {
    SmartPtr<TstLeaf> leaf(new TstLeaf);
    SmartPtr<TstNode> sameAsBase = leaf;
    SmartPtr<TstNode> other(new TstNode);
    SmartPtr<TstNode> empty;

    EXPECT_TRUE(leaf == sameAsBase);
    EXPECT_TRUE(sameAsBase == leaf);
    EXPECT_TRUE(other != sameAsBase);
    EXPECT_TRUE(leaf == leaf.get());
    EXPECT_TRUE(other.get() != sameAsBase);
    EXPECT_TRUE(empty == nullptr);
    EXPECT_TRUE(nullptr != other);
    EXPECT_EQ(&*leaf, &*sameAsBase);

    // Comparing with a raw pointer nobody owns yet must not take (and drop) a reference.
    TstNode* unowned = new TstNode;
    EXPECT_FALSE(other == unowned);
    EXPECT_EQ(unowned->GetRefCount(), 0);
    EXPECT_EQ(g_live, 3);
    SmartPtr<TstNode> owner(unowned);

    std::set<SmartPtr<TstNode>> set{other, sameAsBase, SmartPtr<TstNode>(leaf), owner};
    EXPECT_EQ(set.size(), 3u);
    EXPECT_EQ(set.count(other), 1u);
}

} // namespace
