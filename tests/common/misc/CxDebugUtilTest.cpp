#include "common/misc/CxDebugUtil.h"
#include "common/misc/CxFile.h"

#include "TestUtil.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

CxSystemTime Noonish() {
    CxSystemTime t{};
    t.wYear = 2026;
    t.wMonth = 12;
    t.wDay = 11;
    t.wHour = 9;
    t.wMinute = 5;
    t.wSecond = 3;
    return t;
}

TEST(LogLine, ExactFormat) {
    EXPECT_EQ(FormatLogLine(Noonish(), "C:\\src\\CxLNAddr.cpp", 42, 0x1a2b, 2, "hello"),
              "[2026/12/11 09:05:03][CxLNAddr.cpp        (42  )][01a2b][   ] - hello");
    EXPECT_EQ(FormatLogLine(Noonish(), "x.cpp", 12345, 0xabcdef, 0, "failed"),
              "[2026/12/11 09:05:03][x.cpp               (12345)][abcdef][!!!] - failed");
}

TEST(LogLine, IntoABufferTheSameLineCutAtItsCapacity) {
    const std::string whole =
        FormatLogLine(Noonish(), "C:\\src\\Fault.cpp", 7, 0x24, 0, "Fault 0xC0000005");
    char sz[200];
    EXPECT_EQ(FormatLogLineTo(sz, sizeof sz, Noonish(), "C:\\src\\Fault.cpp", 7, 0x24, 0,
                              "Fault 0xC0000005"),
              whole.size());
    EXPECT_EQ(std::string(sz), whole);
    char szShort[12];
    EXPECT_EQ(FormatLogLineTo(szShort, sizeof szShort, Noonish(), "a.cpp", 1, 1, 0, "m"), 11u);
    EXPECT_EQ(std::string(szShort), whole.substr(0, 11));
}

TEST(LogLine, SourceNames) {
    struct Case {
        const char* source;
        std::string shown;
    } cases[] = {
        {nullptr, "<null>"},
        {"plain.cpp", "plain.cpp"},
        {"dir/sub/unix.cpp", "dir/sub/unix.cpp"}, // only a backslash separates
        {"C:\\a\\b\\", ""},
        {"C:\\src\\a_source_file_longer_than_twenty.cpp", "a_source_file_longer_than_twenty.cpp"},
    };
    for (const Case& c : cases) {
        std::string line = FormatLogLine(Noonish(), c.source, 1, 1, 1, "m");
        std::string field = c.shown;
        if (field.size() < 20)
            field.resize(20, ' ');
        EXPECT_EQ(line, "[2026/12/11 09:05:03][" + field + "(1   )][00001][   ] - m");
    }
    std::string longName(300, 'n');
    std::string line = FormatLogLine(Noonish(), ("C:\\" + longName).c_str(), 1, 1, 3, "m");
    EXPECT_NE(line.find("[" + std::string(255, 'n') + "(1   )]"), std::string::npos);
}

class LogFile : public ::testing::Test {
protected:
    testutil::TempDir dir;
    CxDebugUtil log;
    void SetUp() override { log.SetFolder(dir.Folder().c_str()); }
    std::string Text() { return testutil::ReadText(log.GetPath()); }
    int Lines() {
        std::string t = Text();
        int n = 0;
        for (size_t p = t.find("\r\n"); p != std::string::npos; p = t.find("\r\n", p + 2))
            ++n;
        return n;
    }
};

TEST_F(LogFile, DefaultsAndLevelBounds) {
    CxDebugUtil fresh;
    EXPECT_STREQ(fresh.GetFolder(), "./");
    EXPECT_STREQ(fresh.GetFileName(), "appdebug.log");
    EXPECT_EQ(fresh.GetLevel(), 0);
    EXPECT_FALSE(fresh.IsEnabled());
    fresh.SetLevel(7);
    EXPECT_EQ(fresh.GetLevel(), 3);
    fresh.SetLevel(-2);
    EXPECT_EQ(fresh.GetLevel(), 0);
    fresh.SetFolder(nullptr);
    EXPECT_STREQ(fresh.GetFolder(), "./");
}

TEST_F(LogFile, FilterByEnabledAndLevel) {
    struct Case {
        bool enabled;
        int configured;
        int written[4]; // whether levels 0..3 reach the file
    } cases[] = {
        {false, 3, {1, 0, 0, 0}}, {true, 0, {1, 0, 0, 0}}, {true, 1, {1, 1, 0, 0}},
        {true, 2, {1, 1, 1, 0}},  {true, 3, {1, 1, 1, 1}},
    };
    for (const Case& c : cases) {
        std::remove(log.GetPath().c_str());
        log.SetEnabled(c.enabled);
        log.SetLevel(c.configured);
        for (int level = 0; level <= 3; ++level)
            log.Print(level, "t.cpp", level, "level %d", level);
        std::string text = Text();
        for (int level = 0; level <= 3; ++level) {
            bool found = text.find("level " + std::to_string(level) + "\r\n") != std::string::npos;
            EXPECT_EQ(found, c.written[level] != 0)
                << "enabled " << c.enabled << " configured " << c.configured << " level " << level;
        }
    }
}

TEST_F(LogFile, TagMarksLevelZero) {
    log.SetEnabled(true);
    log.SetLevel(3);
    log.Print(0, "t.cpp", 1, "bad");
    log.Print(2, "t.cpp", 2, "fine");
    std::string text = Text();
    EXPECT_NE(text.find("][!!!] - bad\r\n"), std::string::npos);
    EXPECT_NE(text.find("][   ] - fine\r\n"), std::string::npos);
}

TEST_F(LogFile, FilteredCallFormatsNothing) {
    log.SetEnabled(false);
    // Formatting this argument would read through an invalid pointer.
    log.Print(3, "t.cpp", 1, "%s", reinterpret_cast<const char*>(16));
    EXPECT_EQ(CxFile::GetFileSize(log.GetPath().c_str()), -1);
}

TEST_F(LogFile, LongMessageIsCut) {
    std::string big(50000, 'm');
    log.Print(0, "t.cpp", 1, "%s", big.c_str());
    std::string text = Text();
    size_t start = text.find(" - ") + 3;
    EXPECT_EQ(text.size() - start, 40959u + 2u);
}

void FillTo(const std::string& path, int64_t size) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    std::string chunk(1 << 20, 'x');
    for (int64_t left = size; left > 0; left -= (int64_t)chunk.size())
        out.write(chunk.data(), (std::streamsize)std::min<int64_t>(left, (int64_t)chunk.size()));
}

TEST_F(LogFile, AtTheThresholdTheFileIsAppendedTo) {
    FillTo(log.GetPath(), CxDebugUtil::kRotateSize);
    log.Print(0, "t.cpp", 1, "next");
    EXPECT_GT(CxFile::GetFileSize(log.GetPath().c_str()), CxDebugUtil::kRotateSize);
    EXPECT_EQ(CxFile::GetFileSize((log.GetPath() + ".old.log").c_str()), -1);
}

TEST_F(LogFile, AboveTheThresholdTheFileIsRotated) {
    FillTo(log.GetPath(), CxDebugUtil::kRotateSize + 1);
    log.Print(0, "t.cpp", 1, "fresh");
    EXPECT_EQ(CxFile::GetFileSize((log.GetPath() + ".old.log").c_str()),
              CxDebugUtil::kRotateSize + 1);
    EXPECT_EQ(Lines(), 1);
    EXPECT_NE(Text().find("] - fresh\r\n"), std::string::npos);
    // A second rotation replaces the older copy.
    FillTo(log.GetPath(), CxDebugUtil::kRotateSize + 5);
    log.Print(0, "t.cpp", 1, "again");
    EXPECT_EQ(CxFile::GetFileSize((log.GetPath() + ".old.log").c_str()),
              CxDebugUtil::kRotateSize + 5);
}

TEST_F(LogFile, MissingFolderLosesTheLineSilently) {
    log.SetFolder(dir.Path("no-such-folder/").c_str());
    log.Print(0, "t.cpp", 1, "lost");
    EXPECT_EQ(CxFile::GetFileSize(log.GetPath().c_str()), -1);
}

TEST(LogMacro, SuppliesFileAndLine) {
    testutil::TempDir dir;
    CxDebugUtil& log = CxDebugUtil::Instance();
    std::string oldFolder = log.GetFolder();
    log.SetFolder(dir.Folder().c_str());
    int line = __LINE__ + 1;
    CXLOG(0, "from the macro %d", 7);
    log.SetFolder(oldFolder.c_str());
    std::string text = testutil::ReadText(dir.Path("appdebug.log"));
    EXPECT_NE(text.find("CxDebugUtilTest.cpp (" + std::to_string(line)), std::string::npos) << text;
    EXPECT_NE(text.find("] - from the macro 7\r\n"), std::string::npos);
}

} // namespace
