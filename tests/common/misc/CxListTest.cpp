#include "common/misc/CxList.h"

#include <gtest/gtest.h>

namespace {

struct ListOfThree : ::testing::Test {
    int a = 1, b = 2, c = 3;
    CxList list;
    void SetUp() override {
        ASSERT_TRUE(list.Append(&a));
        ASSERT_TRUE(list.Append(&b));
        ASSERT_TRUE(list.Append(&c));
    }
};

TEST(CxList, EmptyListHasNothingToWalk) {
    CxList list;
    EXPECT_EQ(list.Count(), 0u);
    EXPECT_EQ(list.First(), nullptr);
    EXPECT_EQ(list.Next(), nullptr);
    EXPECT_FALSE(list.Contains(nullptr));
}

TEST(CxList, NullItemIsRefused) {
    CxList list;
    EXPECT_FALSE(list.Append(nullptr));
    EXPECT_EQ(list.Count(), 0u);
}

TEST(CxList, OneItemWalk) {
    int a = 1;
    CxList list;
    list.Append(&a);
    EXPECT_EQ(list.First(), &a);
    EXPECT_EQ(list.Next(), nullptr);
    EXPECT_EQ(list.Next(), nullptr);
}

TEST_F(ListOfThree, WalksInAppendOrder) {
    EXPECT_EQ(list.Count(), 3u);
    EXPECT_EQ(list.First(), &a);
    EXPECT_EQ(list.Next(), &b);
    EXPECT_EQ(list.Next(), &c);
    EXPECT_EQ(list.Next(), nullptr);
}

TEST_F(ListOfThree, AppendLeavesCursorOnNewTail) {
    int d = 4;
    list.First();
    list.Append(&d);
    EXPECT_EQ(list.Next(), nullptr);
    EXPECT_EQ(list.Count(), 4u);
}

TEST_F(ListOfThree, SeekMovesCursorToFirstHolder) {
    list.First();
    list.Next();
    list.Next();
    ASSERT_TRUE(list.Seek(&a));
    EXPECT_EQ(list.Next(), &b);
    EXPECT_EQ(list.Next(), &c);
    EXPECT_EQ(list.Next(), nullptr);

    ASSERT_TRUE(list.Seek(&b));
    EXPECT_EQ(list.Next(), &c);
}

TEST_F(ListOfThree, SeekOfMissingItemLeavesCursor) {
    int other = 9;
    list.First();
    EXPECT_FALSE(list.Seek(&other));
    EXPECT_FALSE(list.Seek(nullptr));
    EXPECT_EQ(list.Next(), &b);
}

TEST_F(ListOfThree, ContainsAndDuplicates) {
    int other = 9;
    EXPECT_TRUE(list.Contains(&b));
    EXPECT_FALSE(list.Contains(&other));
    // The same reference may stand twice; Seek finds the first.
    list.Append(&a);
    EXPECT_EQ(list.Count(), 4u);
    ASSERT_TRUE(list.Seek(&a));
    EXPECT_EQ(list.Next(), &b);
}

TEST_F(ListOfThree, ClearLeavesItemsAndEmptiesList) {
    list.Clear();
    EXPECT_EQ(list.Count(), 0u);
    EXPECT_EQ(list.First(), nullptr);
    EXPECT_EQ(a + b + c, 6);
    // The list is usable again.
    list.Append(&c);
    EXPECT_EQ(list.First(), &c);
}

TEST(CxList, LongWalkStaysInStep) {
    std::vector<int> items(10000);
    CxList list;
    for (int& item : items)
        list.Append(&item);
    size_t n = 0;
    for (void* p = list.First(); p != nullptr; p = list.Next())
        ASSERT_EQ(p, &items[n++]);
    EXPECT_EQ(n, items.size());
}

} // namespace
