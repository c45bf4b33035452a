// The upgrade contexts' reference map: insertion order and indexes through the switch to its
// hash table and every rebuild, collisions with wrap-around, and present keys left alone.
#include <gtest/gtest.h>

#include <vector>

#include "BofM/DLxRefIndexMap.h"
#include "TstStoredClasses.h"
#include "rse/RSeDatabase.h"
#include "rse/RSeSegment.h"

namespace {

using Map = DLxRefIndexMap<RSeRef<TstNode>, int32_t>;

class RefIndexMap : public ::testing::Test {
protected:
    RSeRef<TstNode> NewKey() { return RSeRef<TstNode>(TstNew<TstNode>(m_seg)); }
    std::vector<RSeRef<TstNode>> NewKeys(size_t n) {
        std::vector<RSeRef<TstNode>> keys;
        for (size_t i = 0; i < n; ++i)
            keys.push_back(NewKey());
        return keys;
    }
    void ExpectOrderAndIndexes(const Map& map, const std::vector<RSeRef<TstNode>>& keys) {
        ASSERT_EQ(map.size(), keys.size());
        size_t i = 0;
        for (const auto& entry : map) {
            EXPECT_TRUE(entry.first.IsSameValue(keys[i])) << "entry " << i;
            EXPECT_EQ(entry.second, int32_t(i) * 10) << "entry " << i;
            ++i;
        }
        for (size_t k = 0; k < keys.size(); ++k)
            EXPECT_EQ(map.IndexOf(keys[k]), int32_t(k)) << "key " << k;
    }

    RSeDatabase m_db;
    RSeSegment* m_seg = m_db.CreateSegment(u"Sheet");
};

TEST_F(RefIndexMap, EmptyMapFindsNothing) {
    Map map;
    const RSeRef<TstNode> key = NewKey();
    EXPECT_EQ(map.IndexOf(key), -1);
    EXPECT_EQ(map.IndexOf(RSeRef<TstNode>()), -1);
    EXPECT_TRUE(map.Find(key) == map.end());
}

TEST_F(RefIndexMap, PresentKeyKeepsItsEntryAndValue) {
    Map map;
    const auto keys = NewKeys(2);
    auto [first, inserted] = map.Insert({keys[0], 5});
    EXPECT_TRUE(inserted);
    auto [again, insertedAgain] = map.Insert({keys[0], 9});
    EXPECT_FALSE(insertedAgain);
    EXPECT_TRUE(again == map.begin());
    EXPECT_EQ(again->second, 5);
    EXPECT_EQ(map[keys[0]], 5);
    EXPECT_EQ(map.size(), 1u);

    // An absent key gets a zero value, appended.
    EXPECT_EQ(map[keys[1]], 0);
    EXPECT_EQ(map.size(), 2u);
    map[keys[1]] = 3;
    EXPECT_EQ(map.Find(keys[1])->second, 3);

    // A map of pointer values hands out null for a new key.
    DLxRefIndexMap<RSeRef<TstNode>, TstNode*> pointers;
    EXPECT_EQ(pointers[keys[0]], nullptr);
}

// The table comes at the 16th entry and is rebuilt at the 37th, 76th and 153rd; through each
// step every key keeps the index it was inserted at and iteration keeps insertion order.
TEST_F(RefIndexMap, OrderAndIndexesSurviveTheSwitchAndEveryRebuild) {
    Map map;
    const auto keys = NewKeys(200);
    struct Step {
        size_t entries;
        size_t slots;
    };
    const Step steps[] = {{15, 0}, {16, 46}, {36, 46}, {37, 94}, {75, 94},
                          {76, 190}, {152, 190}, {153, 382}, {200, 382}};
    size_t inserted = 0;
    for (const Step& step : steps) {
        SCOPED_TRACE(testing::Message() << step.entries << " entries");
        for (; inserted < step.entries; ++inserted)
            map.Insert({keys[inserted], int32_t(inserted) * 10});
        EXPECT_EQ(map.SlotCount(), step.slots);
        ExpectOrderAndIndexes(map, {keys.begin(), keys.begin() + long(step.entries)});
        if (map.SlotCount()) {
            EXPECT_LE(double(map.size()) / double(map.SlotCount()), 0.8);
        }
        // Keys not inserted yet are not found; inserting a present one again changes nothing.
        if (inserted < keys.size()) {
            EXPECT_EQ(map.IndexOf(keys[inserted]), -1);
        }
        EXPECT_FALSE(map.Insert({keys[0], -1}).second);
        EXPECT_EQ(map.size(), step.entries);
    }
}

TEST_F(RefIndexMap, EntryArrayGrowsToTwicePlusOne) {
    Map map;
    const auto keys = NewKeys(24);
    std::vector<size_t> capacities;
    for (const auto& key : keys) {
        map.Insert({key, 0});
        if (capacities.empty() || capacities.back() != map.EntryCapacity())
            capacities.push_back(map.EntryCapacity());
    }
    EXPECT_EQ(capacities, (std::vector<size_t>{1, 2, 5, 11, 23, 47}));
}

// Keys that start at the table's last slot land in the next free slots, wrapping to slot 0, and
// every one is found.
TEST_F(RefIndexMap, CollidingKeysWrapAroundAndAreFound) {
    constexpr size_t kSlots = 46; // the table made at the 16th entry
    std::vector<RSeRef<TstNode>> atLast, others;
    while (atLast.size() < 4 || others.size() < 16) {
        RSeRef<TstNode> key = NewKey();
        if (key.HashVal(kSlots - 1) == kSlots - 1) {
            if (atLast.size() < 4) atLast.push_back(key);
        } else if (others.size() < 16 && key.HashVal(kSlots - 1) > 3) {
            others.push_back(key);
        }
    }
    Map map;
    std::vector<RSeRef<TstNode>> order;
    for (const auto& key : others) {
        map.Insert({key, int32_t(order.size()) * 10});
        order.push_back(key);
    }
    ASSERT_EQ(map.SlotCount(), kSlots);
    for (const auto& key : atLast) {
        map.Insert({key, int32_t(order.size()) * 10});
        order.push_back(key);
    }
    ASSERT_EQ(map.SlotCount(), kSlots); // 20 entries stay under the load limit
    ExpectOrderAndIndexes(map, order);
}

} // namespace
