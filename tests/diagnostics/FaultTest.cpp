// Failures of every kind in the test build of the program (MirrowickFaultTest.exe, the program
// with a hook that fails on request), seen from outside as a user sees them: the exception
// dialog comes up while the program is still there, the log has a level-0 line saying what
// happened, and "Quit Mirrowick" ends the program. Also: the program that ships has no hook.
#include "wizard/Apputil.h"

#include "TestUtil.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace {

const char kDumpCaption[] = "Handle Mirrowick Exception";
const char kMainTitle[] = "Mirrowick - Remove Duplicates in Lotus Notes Contacts and Calendar";

std::string ProgramFolder() {
    char sz[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, sz, sizeof sz);
    std::string path = sz;
    return path.substr(0, path.rfind('\\') + 1);
}

std::string TextOf(HWND h) {
    char sz[1024] = "";
    SendMessageTimeoutA(h, WM_GETTEXT, sizeof sz, reinterpret_cast<LPARAM>(sz), SMTO_ABORTIFHUNG,
                        2000, nullptr);
    return sz;
}

std::string ClassOf(HWND h) {
    char sz[64] = "";
    GetClassNameA(h, sz, sizeof sz);
    return sz;
}

// The title of a top-level window, read without sending it a message: a window whose thread
// has faulted answers none.
std::string TitleOf(HWND h) {
    char sz[256] = "";
    GetWindowTextA(h, sz, sizeof sz);
    return sz;
}

// A visible top-level window of the process with the title, waited for up to nMs.
HWND FindWindowOf(DWORD nPid, const std::string& title, int nMs) {
    struct Find {
        DWORD nPid;
        const std::string* pTitle;
        HWND hFound;
    };
    for (int t = 0; t <= nMs; t += 100) {
        Find f{nPid, &title, nullptr};
        EnumWindows(
            [](HWND h, LPARAM l) -> BOOL {
                auto* p = reinterpret_cast<Find*>(l);
                DWORD nPid = 0;
                GetWindowThreadProcessId(h, &nPid);
                if (nPid == p->nPid && IsWindowVisible(h) && TitleOf(h) == *p->pTitle) {
                    p->hFound = h;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&f));
        if (f.hFound != nullptr)
            return f.hFound;
        Sleep(100);
    }
    return nullptr;
}

std::vector<HWND> ChildrenOf(HWND hTop) {
    std::vector<HWND> v;
    EnumChildWindows(
        hTop,
        [](HWND h, LPARAM l) -> BOOL {
            reinterpret_cast<std::vector<HWND>*>(l)->push_back(h);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&v));
    return v;
}

bool Shows(HWND hTop, const std::string& text) {
    for (HWND h : ChildrenOf(hTop))
        if (TextOf(h) == text)
            return true;
    return false;
}

// Presses the button with the caption, posted, as the user's click would come.
bool Press(HWND hTop, const std::string& caption) {
    for (HWND h : ChildrenOf(hTop)) {
        if (ClassOf(h) == "Button" && TextOf(h) == caption && IsWindowEnabled(h)) {
            PostMessageA(h, BM_CLICK, 0, 0);
            return true;
        }
    }
    return false;
}

// The test program, started with the failure to make.
class FaultingProgram {
public:
    explicit FaultingProgram(const char* szMode) {
        SetEnvironmentVariableA("MW_TEST_FAULT", szMode);
        std::string exe = ProgramFolder() + "MirrowickFaultTest.exe";
        std::string cmd = "\"" + exe + "\"";
        STARTUPINFOA si{};
        si.cb = sizeof si;
        m_bStarted = CreateProcessA(exe.c_str(), &cmd[0], nullptr, nullptr, FALSE, 0, nullptr,
                                    nullptr, &si, &m_pi) != 0;
        SetEnvironmentVariableA("MW_TEST_FAULT", nullptr);
    }
    ~FaultingProgram() {
        if (!m_bStarted)
            return;
        if (WaitForSingleObject(m_pi.hProcess, 0) == WAIT_TIMEOUT)
            TerminateProcess(m_pi.hProcess, 99);
        CloseHandle(m_pi.hThread);
        CloseHandle(m_pi.hProcess);
    }
    bool Started() const { return m_bStarted; }
    DWORD Pid() const { return m_pi.dwProcessId; }
    // The exit code, or STILL_ACTIVE when it has not ended within nMs.
    DWORD WaitForExit(DWORD nMs) {
        WaitForSingleObject(m_pi.hProcess, nMs);
        DWORD nCode = STILL_ACTIVE;
        GetExitCodeProcess(m_pi.hProcess, &nCode);
        return nCode;
    }

private:
    PROCESS_INFORMATION m_pi{};
    bool m_bStarted = false;
};

// The working folder's settings file and log, put back as they were afterwards.
class WorkFiles {
public:
    WorkFiles() {
        char sz[260] = "";
        EXPECT_TRUE(GetWorkFolder(sz, sizeof sz));
        m_folder = sz;
        for (const char* szName : {"pellora.ini", "appdebug.log"}) {
            std::string path = m_folder + szName;
            m_saved.push_back({path, GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES,
                               testutil::ReadText(path)});
        }
        m_nLogStart = m_saved[1].text.size();
        DeleteFileA((m_folder + "pellora.ini").c_str());
    }
    ~WorkFiles() {
        for (const Saved& s : m_saved) {
            if (s.bExisted)
                testutil::WriteText(s.path, s.text);
            else
                DeleteFileA(s.path.c_str());
        }
    }
    // What the log got since the test began.
    std::string NewLog() const {
        std::string text = testutil::ReadText(m_folder + "appdebug.log");
        return text.size() > m_nLogStart ? text.substr(m_nLogStart) : std::string();
    }
    bool SettingsWritten() const {
        return GetFileAttributesA((m_folder + "pellora.ini").c_str()) != INVALID_FILE_ATTRIBUTES;
    }

private:
    struct Saved {
        std::string path;
        bool bExisted;
        std::string text;
    };
    std::string m_folder;
    std::vector<Saved> m_saved;
    size_t m_nLogStart = 0;
};

struct Case {
    const char* szMode;
    const char* szBox;     // the error box's message before the dialog, if there is one
    const char* szLogLine; // in the level-0 line that says what happened
    DWORD nExitCode;
    bool bSettingsSaved; // the program went on and closed as the user closed it
};

void PrintTo(const Case& c, std::ostream* pOut) {
    *pOut << c.szMode;
}

class Faults : public ::testing::TestWithParam<Case> {};

TEST_P(Faults, EndInTheExceptionDialogWithALogLine) {
    const Case& c = GetParam();
    WorkFiles files;
    FaultingProgram program(c.szMode);
    ASSERT_TRUE(program.Started());
    ASSERT_NE(FindWindowOf(program.Pid(), kMainTitle, 20000), nullptr) << "the main window";
    if (c.szBox != nullptr) {
        HWND hBox = FindWindowOf(program.Pid(), "Mirrowick", 20000);
        ASSERT_NE(hBox, nullptr) << "the error box";
        EXPECT_TRUE(Shows(hBox, c.szBox));
        ASSERT_TRUE(Press(hBox, "OK"));
    }
    HWND hDump = FindWindowOf(program.Pid(), kDumpCaption, 20000);
    ASSERT_NE(hDump, nullptr) << "the exception dialog";
    EXPECT_TRUE(Shows(hDump, "We're sorry that an unhandled exception occurred  in Mirrowick."));
    // The program has not vanished: its main window is still there behind the dialog.
    EXPECT_NE(FindWindowOf(program.Pid(), kMainTitle, 0), nullptr);
    ASSERT_TRUE(Press(hDump, "Quit Mirrowick"));
    EXPECT_EQ(program.WaitForExit(20000), c.nExitCode);

    const std::string log = files.NewLog();
    const size_t nAt = log.find(c.szLogLine);
    ASSERT_NE(nAt, std::string::npos) << log;
    const size_t nLineStart = log.rfind('\n', nAt) == std::string::npos ? 0 : log.rfind('\n', nAt);
    EXPECT_NE(log.substr(nLineStart, nAt - nLineStart).find("[!!!] - "), std::string::npos)
        << "a level-0 line: " << log;
    EXPECT_EQ(files.SettingsWritten(), c.bSettingsSaved);
}

INSTANTIATE_TEST_SUITE_P(
    EveryKind, Faults,
    ::testing::Values(
        Case{"access", nullptr, "Fault 0xC0000005 (access violation) at 0x", 0xC0000005, false},
        Case{"stack", nullptr, "Fault 0xC00000FD (stack overflow) at 0x", 0xC00000FD, false},
        Case{"library", nullptr, ", reading 0x0000000000000010", 0xC0000005, false},
        Case{"terminate", nullptr,
             "The program was ended by an uncaught exception: thrown on a thread of its own", 3,
             false},
        Case{"throw", "escaped the message loop", "Unhandled exception: escaped the message loop",
             1, true},
        Case{"window", "thrown in a window procedure",
             "Unhandled exception: thrown in a window procedure", 0, true}),
    [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.szMode); });

TEST(FaultHook, OnlyTheTestBuildHasIt) {
    const std::string shipped = testutil::ReadText(MW_SHIPPED_EXE);
    const std::string test = testutil::ReadText(ProgramFolder() + "MirrowickFaultTest.exe");
    ASSERT_GT(shipped.size(), 100000u);
    ASSERT_GT(test.size(), 100000u);
    EXPECT_NE(test.find("MW_TEST_FAULT"), std::string::npos);
    EXPECT_EQ(shipped.find("MW_TEST_FAULT"), std::string::npos);
}

} // namespace
