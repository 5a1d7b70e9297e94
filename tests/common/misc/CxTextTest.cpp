#include "common/misc/CxText.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace {

TEST(CxText, CutsToCapacityLessOne) {
    CxText<4> t;
    EXPECT_TRUE(t.Empty());
    EXPECT_STREQ(t.c_str(), "");
    t = "abcdef";
    EXPECT_STREQ(t, "abc");
    EXPECT_EQ(t.Length(), 3u);
    t = "ab";
    EXPECT_STREQ(t, "ab");
    t = nullptr;
    EXPECT_TRUE(t.Empty());
    t.Set("xyz\0tail", 8); // a text ends at its zero byte
    EXPECT_STREQ(t, "xyz");
    t.Set("", 0);
    EXPECT_TRUE(t.Empty());
    EXPECT_EQ(decltype(t)::kCapacity, 4u);
}

TEST(CxText, CopiesMovesAndSelfAssignment) {
    CxText<16> a("hello");
    CxText<16> b(a);
    EXPECT_STREQ(b, "hello");
    a = "changed";
    EXPECT_STREQ(b, "hello");
    CxText<16> c(std::move(a));
    EXPECT_STREQ(c, "changed");
    EXPECT_TRUE(a.Empty());
    CxText<16>& same = c;
    c = same;
    EXPECT_STREQ(c, "changed");
    c = c.c_str() + 2; // a text taken from the field itself
    EXPECT_STREQ(c, "anged");
    b = std::move(c);
    EXPECT_STREQ(b, "anged");
}

TEST(CxText, PreparedBlockEndsTerminated) {
    CxText<64> t;
    char* p = t.Prepare(3);
    ASSERT_NE(p, nullptr);
    p[0] = 'a';
    p[1] = 'b';
    EXPECT_STREQ(t, "ab");
    EXPECT_EQ(std::string(t.c_str()).size(), 2u);
    t.Clear();
    EXPECT_TRUE(t.Empty());
}

} // namespace
