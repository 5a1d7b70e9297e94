#include "common/misc/CxIniUtil.h"
#include "common/misc/WinUtil.h"

#include "TestUtil.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

TEST(ParseLeadingInt, ReadsTheNumberAtTheStart) {
    struct Case {
        const char* text;
        int value;
    } cases[] = {
        {"42", 42},
        {"  -17", -17},
        {"+8", 8},
        {"12abc", 12},
        {"abc", 0},
        {"", 0},
        {"-", 0},
        {"0x10", 0},
        {"2147483647", INT_MAX},
        {"99999999999", INT_MAX},
        {"-2147483648", INT_MIN},
        {"-99999999999", INT_MIN},
        {"\t5", 5},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseLeadingInt(c.text), c.value) << c.text;
}

class IniFile : public ::testing::Test {
protected:
    testutil::TempDir dir;
    CxIniUtil ini{dir.Folder().c_str(), "test.ini"};
};

TEST_F(IniFile, PathFromFolderOrProgramFolder) {
    EXPECT_EQ(std::string(ini.GetFile()), dir.Path("test.ini"));
    char szProgram[MAX_PATH];
    GetProgramFolder(nullptr, szProgram);
    CxIniUtil fallback("", "pellora.ini");
    EXPECT_EQ(std::string(fallback.GetFile()), std::string(szProgram) + "pellora.ini");
    fallback.IniSetFile("");
    EXPECT_EQ(std::string(fallback.GetFile()), std::string(szProgram) + "pellora.ini");
    fallback.IniSetFile("C:\\x\\y.ini");
    EXPECT_STREQ(fallback.GetFile(), "C:\\x\\y.ini");
}

TEST_F(IniFile, TextsWithDefaultsAndCapacity) {
    char sz[8] = "junk";
    EXPECT_EQ(ini.IniReadText("S", "Missing", sz, sizeof sz, "dflt"), 4);
    EXPECT_STREQ(sz, "dflt");
    ini.IniWriteText("S", "Name", "a longer value");
    EXPECT_EQ(ini.IniReadText("S", "Name", sz, sizeof sz, ""), 7);
    EXPECT_STREQ(sz, "a longe");
    ini.IniWriteText("S", "Empty", nullptr);
    EXPECT_EQ(ini.IniReadText("S", "Empty", sz, sizeof sz, "dflt"), 0);
    EXPECT_STREQ(sz, "");
    // An empty key, a missing buffer or no capacity do nothing.
    strcpy(sz, "keep");
    EXPECT_EQ(ini.IniReadText("S", "", sz, sizeof sz, "dflt"), 0);
    EXPECT_EQ(ini.IniReadText("S", "Name", sz, 0, "dflt"), 0);
    EXPECT_EQ(ini.IniReadText("S", "Name", nullptr, 8, "dflt"), 0);
    EXPECT_STREQ(sz, "keep");
    EXPECT_FALSE(ini.IniWriteText("S", "", "x"));
}

TEST_F(IniFile, IntegersAndTruthValues) {
    EXPECT_EQ(ini.IniReadInt("S", "N", 5), 5); // no file
    testutil::WriteText(dir.Path("test.ini"), "[S]\r\nEmpty=\r\nWord=abc\r\nTwo=2\r\nNum= 12 \r\n");
    EXPECT_EQ(ini.IniReadInt("S", "Empty", 1), 1);
    EXPECT_EQ(ini.IniReadInt("S", "Word", 1), 0);
    EXPECT_EQ(ini.IniReadInt("S", "Num", 0), 12);
    EXPECT_TRUE(ini.IniReadBool("S", "Two", false));
    EXPECT_FALSE(ini.IniReadBool("S", "Word", true));
    EXPECT_TRUE(ini.IniReadBool("S", "Empty", true));
    ini.IniWriteInt("S", "Neg", -40);
    ini.IniWriteBool("S", "Yes", true);
    EXPECT_EQ(ini.IniReadInt("S", "Neg", 0), -40);
    char sz[8];
    ini.IniReadText("S", "Yes", sz, sizeof sz, "");
    EXPECT_STREQ(sz, "1");
}

} // namespace
