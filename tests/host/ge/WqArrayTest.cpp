#include "GeTestSupport.h"

#include "ge/WqArray.h"
#include "ge/WqGePoint3d.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<int> items(const WqArray<int>& a) {
    return {a.begin(), a.end()};
}

TEST(WqArray, EditOperations) {
    WqArray<int> a;
    EXPECT_TRUE(a.isEmpty());
    a.append(1).append(2).append(3);
    a.insertAt(0, 0);
    a.insertAt(a.length(), 4);
    a.insertAt(2, 9);
    EXPECT_EQ(items(a), (std::vector<int>{0, 1, 9, 2, 3, 4}));
    EXPECT_EQ(a.length(), 6);
    EXPECT_EQ(a.logicalLength(), 6);

    a.removeAt(2);
    EXPECT_EQ(items(a), (std::vector<int>{0, 1, 2, 3, 4}));
    a.removeAt(0).removeLast();
    EXPECT_EQ(items(a), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(a.first(), 1);
    EXPECT_EQ(a.last(), 3);

    a[1] = 20;
    a.at(2) += 10;
    a.last() = 7;
    EXPECT_EQ(items(a), (std::vector<int>{1, 20, 7}));

    // Arguments that alias the array's own storage.
    a.insertAt(0, a[2]);
    EXPECT_EQ(items(a), (std::vector<int>{7, 1, 20, 7}));
    a.append(a);
    EXPECT_EQ(items(a), (std::vector<int>{7, 1, 20, 7, 7, 1, 20, 7}));
}

TEST(WqArray, FindAndContains) {
    const WqArray<int> a{5, 6, 5, 8};
    int32_t index = -1;
    EXPECT_TRUE(a.find(5, index));
    EXPECT_EQ(index, 0);
    EXPECT_TRUE(a.find(5, index, 1));
    EXPECT_EQ(index, 2);
    EXPECT_FALSE(a.find(6, index, 2));
    EXPECT_EQ(index, 2); // untouched when not found
    EXPECT_FALSE(a.find(5, index, 4));
    EXPECT_TRUE(a.contains(8));
    EXPECT_FALSE(a.contains(7));
}

TEST(WqArray, LengthsReverseAndEquality) {
    WqArray<WqGePoint3d> pts;
    pts.setPhysicalLength(100);
    EXPECT_EQ(pts.length(), 0);
    EXPECT_GE(pts.physicalLength(), 100);

    pts.setLogicalLength(3);
    EXPECT_EQ(pts.length(), 3);
    EXPECT_EQ(pts[2], WqGePoint3d::kOrigin);
    pts[0] = {1, 0, 0};
    pts[1] = {2, 0, 0};
    pts[2] = {3, 0, 0};
    // Contiguous, for callers that hand the points to C-style APIs.
    EXPECT_EQ(pts.asArrayPtr()[1].x, 2.0);
    EXPECT_EQ(&pts.asArrayPtr()[2], &pts.last());

    pts.setPhysicalLength(1); // never drops elements
    EXPECT_EQ(pts.length(), 3);

    pts.reverse();
    EXPECT_EQ(pts.first(), WqGePoint3d(3, 0, 0));
    EXPECT_EQ(pts.last(), WqGePoint3d(1, 0, 0));
    WqArray<int> even{1, 2, 3, 4};
    EXPECT_EQ(even.reverse(), (WqArray<int>{4, 3, 2, 1}));

    EXPECT_NE(pts, (WqArray<WqGePoint3d>{{3, 0, 0}, {2, 0, 0}}));
    pts.setLogicalLength(2);
    EXPECT_EQ(pts, (WqArray<WqGePoint3d>{{3, 0, 0}, {2, 0, 0}}));
    pts.setLogicalLength(0);
    EXPECT_TRUE(pts.isEmpty());
}

#ifndef NDEBUG
TEST(WqArrayDeathTest, OutOfBoundsAccessAssertsInDebug) {
    WqArray<int> a{1, 2};
    EXPECT_DEATH(a.at(2), "");
    EXPECT_DEATH(a.at(-1), "");
    EXPECT_DEATH(a.insertAt(3, 0), "");
    EXPECT_DEATH(WqArray<int>().removeLast(), "");
}
#endif

} // namespace
