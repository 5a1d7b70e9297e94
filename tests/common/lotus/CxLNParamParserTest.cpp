#include "common/lotus/CxLNParamParser.h"

#include "TestUtil.h"

#include <gtest/gtest.h>

using testutil::Bytes;

namespace {

class ParamFile : public ::testing::Test {
protected:
    testutil::TempDir dir;
    std::string path = dir.Path("LNAddrParam.dat");

    Bytes Saved(CxLNParamParser& p) {
        EXPECT_TRUE(p.SaveToFile(path.c_str()));
        return testutil::ReadBytes(path);
    }
};

TEST_F(ParamFile, EmptySetIsFourZeroBytes) {
    CxLNParamParser p;
    EXPECT_EQ(Saved(p), (Bytes{0, 0, 0, 0}));
}

TEST_F(ParamFile, EncodingsOfEachType) {
    CxLNParamParser p;
    int32_t n = -2;
    double d = 1.0;
    uint8_t b = 2;
    EXPECT_TRUE(p.AddParam(1000, kParamText, ""));
    EXPECT_TRUE(p.AddParam(1001, kParamText, "ab"));
    EXPECT_TRUE(p.AddParam(7, kParamInt, &n));
    EXPECT_TRUE(p.AddParam(8, kParamReal, &d));
    EXPECT_TRUE(p.AddParam(9, kParamBool, &b));
    EXPECT_TRUE(p.AddParam(10, 99, &b));
    Bytes expected = {6,    0, 0, 0, 0xE8, 3, 0,    0,    8,    0,    0,  0, 0,   0,   0,  0,
                      0xE9, 3, 0, 0, 8,    0, 0,    0,    2,    0,    0,  0, 'a', 'b', 7,  0,
                      0,    0, 3, 0, 0,    0, 0xFE, 0xFF, 0xFF, 0xFF, 8,  0, 0,   0,   5,  0,
                      0,    0, 0, 0, 0,    0, 0,    0,    0xF0, 0x3F, 9,  0, 0,   0,   11, 0,
                      0,    0, 1, 0, 0,    0, 10,   0,    0,    0,    99, 0, 0,   0};
    EXPECT_EQ(Saved(p), expected);
}

TEST_F(ParamFile, RepeatedIdsAndTypeChanges) {
    CxLNParamParser p;
    int32_t n = 5;
    EXPECT_TRUE(p.AddParam(1000, kParamText, "first"));
    EXPECT_TRUE(p.AddParam(1001, kParamText, "other"));
    EXPECT_TRUE(p.AddParam(1000, kParamText, "second"));
    EXPECT_FALSE(p.AddParam(1000, kParamInt, &n));
    EXPECT_FALSE(p.AddParam(1002, kParamText, nullptr));
    EXPECT_EQ(p.Count(), 2u);
    EXPECT_EQ(p.GetText(1000), "second");
    EXPECT_EQ(p.FindParam(1000)->nType, kParamText);
    Bytes bytes = Saved(p);
    // "second" keeps the first place.
    EXPECT_EQ(bytes[4], 0xE8);
    EXPECT_EQ(std::string(bytes.begin() + 16, bytes.begin() + 22), "second");
}

TEST_F(ParamFile, TextsAreCutAndConvertedThroughTheCodePage) {
    CxLNParamParser p;
    std::string longText(3000, 'x');
    p.AddParam(1, kParamText, longText.c_str());
    p.AddParam(2, kParamText, "caf\xE9 \x80");
    EXPECT_EQ(p.FindParam(1)->Text.size(), 1023u);
    EXPECT_EQ(p.FindParam(2)->Text, u"caf\u00E9 \u20AC");
    Bytes bytes = Saved(p);
    EXPECT_EQ(bytes[12], 0xFE); // 1022
    EXPECT_EQ(bytes[13], 0x03);
    CxLNParamParser back;
    ASSERT_TRUE(back.LoadFromFile(path.c_str()));
    EXPECT_EQ(back.GetText(1), std::string(1022, 'x'));
    EXPECT_EQ(back.GetText(2), "caf\xE9 \x80");
}

TEST_F(ParamFile, ReadsBackWhatWasWritten) {
    CxLNParamParser p;
    int32_t n = 42;
    double d = 2.5;
    uint8_t b = 1;
    p.AddParam(kParamServerName, kParamText, "PRIMAR1/PELLORA");
    p.AddParam(3, kParamInt, &n);
    p.AddParam(4, kParamReal, &d);
    p.AddParam(5, kParamBool, &b);
    p.AddParam(6, 77, &b);
    Saved(p);
    CxLNParamParser back;
    std::string error;
    ASSERT_TRUE(back.LoadFromFile(path.c_str(), &error)) << error;
    EXPECT_EQ(back.Count(), 5u);
    EXPECT_EQ(back.GetText(kParamServerName), "PRIMAR1/PELLORA");
    EXPECT_EQ(back.FindParam(3)->nInt, 42);
    EXPECT_EQ(back.FindParam(4)->dReal, 2.5);
    EXPECT_EQ(back.FindParam(5)->nBool, 1);
    EXPECT_EQ(back.FindParam(6)->nType, 77);
    EXPECT_EQ(back.GetText(3), "");
    EXPECT_EQ(back.GetText(999), "");
}

TEST_F(ParamFile, DamagedFilesAreRefusedWhole) {
    struct Case {
        const char* what;
        Bytes bytes;
    } cases[] = {
        {"short count", {1, 0}},
        {"count beyond the bytes", {0xFF, 0xFF, 0xFF, 0x7F, 1, 0, 0, 0, 3, 0, 0, 0}},
        {"text longer than the file", {1, 0, 0, 0, 1, 0, 0, 0, 8, 0, 0, 0, 50, 0, 0, 0, 'a'}},
        {"negative text length", {1, 0, 0, 0, 1, 0, 0, 0, 8, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF}},
        {"integer cut short", {1, 0, 0, 0, 1, 0, 0, 0, 3, 0, 0, 0, 1, 0}},
        {"second entry missing", {2, 0, 0, 0, 1, 0, 0, 0, 3, 0, 0, 0, 1, 0, 0, 0, 9, 9, 9, 9}},
    };
    for (const Case& c : cases) {
        testutil::WriteBytes(path, c.bytes);
        CxLNParamParser p;
        std::string error;
        EXPECT_FALSE(p.LoadFromFile(path.c_str(), &error)) << c.what;
        EXPECT_EQ(p.Count(), 0u) << c.what;
        EXPECT_NE(error.find("damaged"), std::string::npos) << c.what;
    }
    CxLNParamParser p;
    std::string error;
    EXPECT_FALSE(p.LoadFromFile(dir.Path("missing.dat").c_str(), &error));
    EXPECT_NE(error.find("Cannot open"), std::string::npos);
}

} // namespace
