#include "common/misc/CxFile.h"

#include "TestUtil.h"

#include <gtest/gtest.h>

#include <cstring>

using testutil::Bytes;

namespace {

class CxFileTest : public ::testing::Test {
protected:
    testutil::TempDir dir;
    std::string path = dir.Path("file.dat");

    template <typename Fn> Bytes Written(Fn write) {
        CxFile f;
        EXPECT_TRUE(f.Open(path.c_str(), "wb"));
        write(f);
        f.Close();
        return testutil::ReadBytes(path);
    }

    void Reading(const Bytes& bytes, CxFile& f) {
        testutil::WriteBytes(path, bytes);
        ASSERT_TRUE(f.Open(path.c_str(), "rb"));
    }
};

TEST_F(CxFileTest, WritesTheExchangeEncodings) {
    EXPECT_EQ(Written([](CxFile& f) { f.WriteString(""); }), (Bytes{0, 0, 0, 0}));
    EXPECT_EQ(Written([](CxFile& f) { f.WriteString(nullptr); }), (Bytes{0, 0, 0, 0}));
    EXPECT_EQ(Written([](CxFile& f) { f.WriteString("abc"); }), (Bytes{3, 0, 0, 0, 'a', 'b', 'c'}));
    EXPECT_EQ(Written([](CxFile& f) { f.WriteBool(1); }), (Bytes{1, 0, 0, 0}));
    EXPECT_EQ(Written([](CxFile& f) { f.WriteBool(0); }), (Bytes{0, 0, 0, 0}));
    EXPECT_EQ(Written([](CxFile& f) { f.WriteDouble(1.0); }),
              (Bytes{0, 0, 0, 0, 0, 0, 0xF0, 0x3F}));
    EXPECT_EQ(Written([](CxFile& f) { f.WriteInt32(-2); }), (Bytes{0xFE, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(Written([](CxFile& f) { f.WriteLine("log"); }), (Bytes{'l', 'o', 'g', '\r', '\n'}));
    EXPECT_EQ(Written([](CxFile& f) { f.WriteLine(nullptr); }), (Bytes{'\r', '\n'}));
}

TEST_F(CxFileTest, ReadsBoolByItsLowestByte) {
    struct Case {
        Bytes bytes;
        uint8_t value;
    } cases[] = {
        {{1, 0, 0, 0}, 1},
        {{1, 0, 0, 0xFF}, 1},
        {{0, 1, 0, 0}, 0},
        {{7, 0, 0, 0}, 7},
    };
    for (const Case& c : cases) {
        CxFile f;
        Reading(c.bytes, f);
        uint8_t guard[3] = {0xAA, 0x55, 0xAA};
        ASSERT_TRUE(f.ReadBool(&guard[1]));
        EXPECT_EQ(guard[1], c.value);
        EXPECT_EQ(guard[0], 0xAA);
        EXPECT_EQ(guard[2], 0xAA);
    }
}

TEST_F(CxFileTest, NonPositiveLengthConsumesOnlyTheLength) {
    CxFile f;
    Reading({0xFB, 0xFF, 0xFF, 0xFF, 2, 0, 0, 0, 'h', 'i'}, f); // -5, then "hi"
    char buf[8] = "keep";
    ASSERT_TRUE(f.ReadString(buf, sizeof buf));
    EXPECT_STREQ(buf, "keep");
    EXPECT_EQ(f.Tell(), 4);
    ASSERT_TRUE(f.ReadString(buf, sizeof buf));
    EXPECT_STREQ(buf, "hi");
    EXPECT_FALSE(f.HadShortRead());
}

TEST_F(CxFileTest, LongStoredTextIsCutAndTheRestSkipped) {
    CxFile f;
    Reading({6, 0, 0, 0, 'a', 'b', 'c', 'd', 'e', 'f', 9, 0, 0, 0}, f);
    char buf[4];
    memset(buf, 'X', sizeof buf);
    ASSERT_TRUE(f.ReadString(buf, sizeof buf));
    EXPECT_STREQ(buf, "abc");
    int32_t n = 0;
    ASSERT_TRUE(f.ReadInt32(&n));
    EXPECT_EQ(n, 9);
    EXPECT_FALSE(f.HadShortRead());
}

TEST_F(CxFileTest, LengthAtCapacityKeepsCapacityLessOne) {
    CxFile f;
    Reading({4, 0, 0, 0, 'w', 'x', 'y', 'z'}, f);
    char buf[4];
    ASSERT_TRUE(f.ReadString(buf, sizeof buf));
    EXPECT_STREQ(buf, "wxy");
    EXPECT_EQ(f.Tell(), 8);
}

TEST_F(CxFileTest, ShortReadsAreNoticedAndKeepTheDestination) {
    CxFile f;
    Reading({10, 0, 0, 0, 'a', 'b'}, f);
    char buf[32];
    ASSERT_TRUE(f.ReadString(buf, sizeof buf));
    EXPECT_STREQ(buf, "ab");
    EXPECT_TRUE(f.HadShortRead());
    double d = 4.5;
    ASSERT_TRUE(f.ReadDouble(&d));
    EXPECT_EQ(d, 4.5);
}

TEST_F(CxFileTest, SkipPastTheEndIsAShortRead) {
    CxFile f;
    Reading({0x00, 0x00, 0x00, 0x40, 'a', 'b', 'c'}, f); // a length of 1 GiB
    char buf[2];
    ASSERT_TRUE(f.ReadString(buf, sizeof buf));
    EXPECT_TRUE(f.HadShortRead());
    EXPECT_EQ(f.Tell(), 7);
}

TEST_F(CxFileTest, RoundTripOfEveryPrimitiveAcrossTheBuffer) {
    // Enough data to cross the internal buffer several times.
    std::string longText(70000, 'q');
    Written([&](CxFile& f) {
        for (int i = 0; i < 3000; ++i) {
            f.WriteInt32(i);
            f.WriteDouble(i + 0.25);
            f.WriteBool((uint8_t)(i & 1));
            f.WriteString("text");
        }
        f.WriteString(longText.c_str());
    });
    CxFile f;
    ASSERT_TRUE(f.Open(path.c_str(), "rb"));
    for (int i = 0; i < 3000; ++i) {
        int32_t n = -1;
        double d = -1;
        uint8_t b = 9;
        char sz[8] = "";
        f.ReadInt32(&n);
        f.ReadDouble(&d);
        f.ReadBool(&b);
        f.ReadString(sz, sizeof sz);
        ASSERT_EQ(n, i);
        ASSERT_EQ(d, i + 0.25);
        ASSERT_EQ(b, i & 1);
        ASSERT_STREQ(sz, "text");
    }
    std::vector<char> big(80000, '\0');
    f.ReadString(big.data(), big.size());
    EXPECT_EQ(std::string(big.data()), longText);
    EXPECT_FALSE(f.HadShortRead());
    EXPECT_EQ(f.Tell(), f.SizeAtOpen());
}

TEST_F(CxFileTest, PrimitivesOnAnUnopenedFileFail) {
    CxFile f;
    char sz[4];
    int32_t n;
    uint32_t u;
    double d;
    uint8_t b;
    EXPECT_FALSE(f.ReadString(sz, sizeof sz));
    EXPECT_FALSE(f.ReadInt32(&n));
    EXPECT_FALSE(f.ReadUInt32(&u));
    EXPECT_FALSE(f.ReadDouble(&d));
    EXPECT_FALSE(f.ReadBool(&b));
    EXPECT_FALSE(f.WriteString("a"));
    EXPECT_FALSE(f.WriteInt32(1));
    EXPECT_FALSE(f.WriteDouble(1));
    EXPECT_FALSE(f.WriteBool(1));
    EXPECT_FALSE(f.WriteLine("a"));
    EXPECT_TRUE(f.Close());
}

TEST_F(CxFileTest, NullDestinationsAndBadOpenArguments) {
    CxFile f;
    EXPECT_FALSE(f.Open(nullptr, "rb"));
    EXPECT_FALSE(f.Open("", "rb"));
    EXPECT_FALSE(f.Open(path.c_str(), ""));
    EXPECT_FALSE(f.Open(dir.Path("missing.dat").c_str(), "rb"));
    Reading({1, 0, 0, 0}, f);
    EXPECT_FALSE(f.ReadInt32(nullptr));
    EXPECT_FALSE(f.ReadString(nullptr, 4));
}

TEST_F(CxFileTest, FileSize) {
    EXPECT_EQ(CxFile::GetFileSize(dir.Path("missing.dat").c_str()), -1);
    EXPECT_EQ(CxFile::GetFileSize(nullptr), -1);
    EXPECT_EQ(CxFile::GetFileSize(""), -1);
    testutil::WriteBytes(path, {});
    EXPECT_EQ(CxFile::GetFileSize(path.c_str()), 0);
    testutil::WriteBytes(path, Bytes(12345, 7));
    EXPECT_EQ(CxFile::GetFileSize(path.c_str()), 12345);
}

TEST_F(CxFileTest, AppendModeAppends) {
    Written([](CxFile& f) { f.WriteLine("one"); });
    CxFile f;
    ASSERT_TRUE(f.Open(path.c_str(), "ab"));
    f.WriteLine("two");
    f.Close();
    EXPECT_EQ(testutil::ReadText(path), "one\r\ntwo\r\n");
}

} // namespace
