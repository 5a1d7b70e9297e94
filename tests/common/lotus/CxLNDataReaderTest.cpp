#include "common/lotus/CxLNCommon.h"

#include "LotusTestUtil.h"

#include <gtest/gtest.h>

using lotustest::CapturedLog;

namespace {

class Runner : public ::testing::Test {
protected:
    // A working folder with a blank in its name, as "C:\ProgramData\..." folders often have.
    testutil::TempDir dir;
    std::string work;
    CapturedLog log;

    void SetUp() override {
        work = dir.Path("work folder") + "\\";
        CreateDirectoryA(work.c_str(), nullptr);
        CxLNParamParser params;
        params.AddParam(kParamWorkFolder, kParamText, work.c_str());
        ASSERT_TRUE(params.SaveToFile((work + "P.dat").c_str()));
    }
    void Script(const std::string& text) { testutil::WriteText(work + "probe-probe.txt", text); }
    void Configure(CxLNDataReader& r, const char* szProgram = "probe.exe") {
        r.SetWorkFolder(work.c_str());
        r.SetProgramFile(szProgram);
        r.SetParamFile("P.dat");
        r.SetDataFile("D.dat");
    }
};

TEST_F(Runner, StartsTheHelperWithTheQuotedParameterPath) {
    Script("record\nexit=3\n");
    std::string before = lotustest::CurrentFolder();
    CxLNDataReader runner;
    Configure(runner);
    // A helper that ends with a failure code still counts as ended.
    EXPECT_EQ(runner.Run(), HelperRunResult::kExited);
    EXPECT_EQ(lotustest::CurrentFolder(), before);

    std::vector<std::string> seen = lotustest::Lines(work + "probe-seen.txt");
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0], "\"probe.exe\" \"" + work + "P.dat\"");
    // Without a Lotus Notes installation the helper starts in the program's own folder.
    std::string started = seen[1];
    if (started.back() != '\\')
        started += "\\";
    EXPECT_EQ(started, lotustest::ProgramFolder());

    std::vector<std::string> expected = {
        "    Original current directory: " + before,
        "    Set current directory: " + lotustest::ProgramFolder(),
        "    Get Lotus Notes Path: ",
        "    Executing command: \"probe.exe\" \"" + work + "P.dat\"",
        "    Command executed successfully.",
        "    Helper utility program exited successfully.",
    };
    EXPECT_EQ(log.Messages(), expected);
}

TEST_F(Runner, HelperThatCannotStart) {
    std::string before = lotustest::CurrentFolder();
    CxLNDataReader runner;
    Configure(runner, "no-such-helper.exe");
    EXPECT_EQ(runner.Run(), HelperRunResult::kNotStarted);
    EXPECT_EQ(lotustest::CurrentFolder(), before);
    std::vector<std::string> messages = log.Messages();
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.back().rfind("!!! CreateProcess Error: ", 0), 0u) << messages.back();

    // The stop event left over from the failed start is closed by the next run, so repeated
    // failures hold one handle at most.
    DWORD nAfterFirst = 0, nAfterMore = 0;
    GetProcessHandleCount(GetCurrentProcess(), &nAfterFirst);
    for (int i = 0; i < 5; ++i)
        runner.Run();
    GetProcessHandleCount(GetCurrentProcess(), &nAfterMore);
    EXPECT_EQ(nAfterMore, nAfterFirst);
}

TEST_F(Runner, TimeOutLeavesTheHelperRunning) {
    Script("sleep=4000\n");
    CxLNDataReader runner;
    Configure(runner);
    runner.SetTimeout(300);
    DWORD start = GetTickCount();
    EXPECT_EQ(runner.Run(), HelperRunResult::kTimedOut);
    EXPECT_LT(GetTickCount() - start, 3000u);
    EXPECT_TRUE(log.Has("    The helper utility program has no response. Got timeout event."));
}

TEST_F(Runner, DestructionDeletesParameterAndDataFiles) {
    testutil::WriteText(work + "D.dat", "data");
    testutil::WriteText(work + "other.dat", "keep");
    {
        CxLNDataReader runner;
        Configure(runner);
    }
    EXPECT_EQ(GetFileAttributesA((work + "P.dat").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetFileAttributesA((work + "D.dat").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_NE(GetFileAttributesA((work + "other.dat").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(Runner, StartsInTheLotusNotesProgramFolder) {
    std::string notes = dir.Path("Notes") + "\\";
    CreateDirectoryA(notes.c_str(), nullptr);
    HKEY h;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Lotus\\Notes", 0, nullptr, 0,
                              KEY_WRITE, nullptr, &h, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(h, "Path", 0, REG_SZ, reinterpret_cast<const BYTE*>(notes.c_str()),
                   (DWORD)notes.size() + 1);
    RegCloseKey(h);
    Script("record\n");
    CxLNDataReader runner;
    Configure(runner);
    HelperRunResult result = runner.Run();
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Lotus\\Notes");
    EXPECT_EQ(result, HelperRunResult::kExited);
    std::vector<std::string> seen = lotustest::Lines(work + "probe-seen.txt");
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[1] + "\\", notes);
    EXPECT_TRUE(log.Has("    Get Lotus Notes Path: " + notes));
}

TEST_F(Runner, ARegisteredFolderThatIsGoneFallsBackToTheProgramsFolder) {
    HKEY h;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Lotus\\Notes", 0, nullptr, 0,
                              KEY_WRITE, nullptr, &h, nullptr),
              ERROR_SUCCESS);
    const char szGone[] = "C:\\Gone\\Notes\\";
    RegSetValueExA(h, "Path", 0, REG_SZ, reinterpret_cast<const BYTE*>(szGone), sizeof szGone);
    RegCloseKey(h);
    Script("record\n");
    CxLNDataReader runner;
    Configure(runner);
    HelperRunResult result = runner.Run();
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Lotus\\Notes");
    EXPECT_EQ(result, HelperRunResult::kExited);
    std::vector<std::string> seen = lotustest::Lines(work + "probe-seen.txt");
    ASSERT_EQ(seen.size(), 2u);
    std::string started = seen[1];
    if (started.back() != '\\')
        started += "\\";
    EXPECT_EQ(started, lotustest::ProgramFolder());
}

} // namespace
