// The wait window on its own thread: calls made before the thread has run, the status line,
// the ticks, its place on the screen, and many runs in a row without a leak.
#include "wizard/Waitwindow.h"

#include "TestUtil.h"

#include <windows.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <algorithm>
#include <functional>
#include <vector>

namespace {

HANDLE g_hGate = nullptr;

// Holds every new wait thread until the test opens the gate.
struct Gate {
    Gate() {
        g_hGate = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        SetWaitThreadStartHook([] { WaitForSingleObject(g_hGate, 10000); });
    }
    ~Gate() {
        Open();
        SetWaitThreadStartHook(nullptr);
        CloseHandle(g_hGate);
        g_hGate = nullptr;
    }
    void Open() { SetEvent(g_hGate); }
};

// Waits, handling this thread's messages meanwhile, until the condition holds.
bool WaitFor(const std::function<bool()>& cond, int nMs = 10000) {
    for (int t = 0; t < nMs; t += 10) {
        if (cond())
            return true;
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
        Sleep(10);
    }
    return cond();
}

int WaitWindowsOnScreen() {
    int n = 0;
    EnumWindows(
        [](HWND hWnd, LPARAM lParam) -> BOOL {
            char sz[64] = "";
            GetClassNameA(hWnd, sz, sizeof sz);
            if (lstrcmpA(sz, "CommWaitWindow") == 0)
                ++*reinterpret_cast<int*>(lParam);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&n));
    return n;
}

// The kernel handles this process holds, from the system's handle table (Wine answers 0 to
// GetProcessHandleCount).
int HandlesOfThisProcess() {
    using NtQuerySystemInformationFn = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);
    static auto pQuery = reinterpret_cast<NtQuerySystemInformationFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation")));
    struct Entry {
        PVOID pObject;
        ULONG_PTR nPid;
        ULONG_PTR hValue;
        ULONG nAccess;
        USHORT nCreatorBackTrace;
        USHORT nType;
        ULONG nAttributes;
        ULONG nReserved;
    };
    std::vector<unsigned char> buf(1 << 20);
    ULONG nNeeded = 0;
    const ULONG kExtendedHandleInformation = 64;
    for (;;) {
        LONG st = pQuery(kExtendedHandleInformation, buf.data(), (ULONG)buf.size(), &nNeeded);
        if (st == 0)
            break;
        if (buf.size() > (64u << 20))
            return -1;
        buf.resize(buf.size() * 2);
    }
    ULONG_PTR nCount = *reinterpret_cast<ULONG_PTR*>(buf.data());
    auto* pEntries = reinterpret_cast<Entry*>(buf.data() + 2 * sizeof(ULONG_PTR));
    int n = 0;
    for (ULONG_PTR i = 0; i < nCount; ++i)
        if (pEntries[i].nPid == GetCurrentProcessId())
            ++n;
    return n;
}

int ThreadsOfThisProcess() {
    HANDLE hSnap = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    THREADENTRY32 te{};
    te.dwSize = sizeof te;
    int n = 0;
    for (BOOL b = Thread32First(hSnap, &te); b; b = Thread32Next(hSnap, &te))
        if (te.th32OwnerProcessID == GetCurrentProcessId())
            ++n;
    CloseHandle(hSnap);
    return n;
}

WaitWindowState State() {
    WaitWindowState s{};
    GetWaitWindowState(&s);
    return s;
}

bool Shown() {
    WaitWindowState s;
    return GetWaitWindowState(&s) && s.hWnd != nullptr;
}

class WaitWindow : public ::testing::Test {
protected:
    void TearDown() override {
        CloseWaitWindow();
        EXPECT_TRUE(WaitFor([] { return WaitThreadsRunning() == 0; }));
        EXPECT_EQ(WaitWindowsOnScreen(), 0);
    }
};

TEST_F(WaitWindow, ACloseGivenBeforeTheThreadRunsLeavesNoWindow) {
    Gate gate;
    ASSERT_TRUE(StartWaitWindow(nullptr));
    SetWaitText("Loading Lotus Notes Calendar...");
    CloseWaitWindow();
    EXPECT_EQ(WaitThreadsRunning(), 1);
    gate.Open();
    EXPECT_TRUE(WaitFor([] { return WaitThreadsRunning() == 0; }));
    EXPECT_EQ(WaitWindowsOnScreen(), 0);
    EXPECT_FALSE(GetWaitWindowState(nullptr));
}

TEST_F(WaitWindow, ATextAndAFileGivenBeforeTheThreadRunsAreShownAndWatched) {
    testutil::TempDir dir;
    const std::string status = dir.Path("LNDateStatus.dat");
    Gate gate;
    ASSERT_TRUE(StartWaitWindow(nullptr));
    SetWaitText("Loading Lotus Notes Calendar...");
    SetWaitStatusFile(status.c_str());
    gate.Open();
    ASSERT_TRUE(WaitFor(Shown));
    ASSERT_TRUE(WaitFor([] { return State().nTicks >= 2; }));
    EXPECT_EQ(State().message, "Loading Lotus Notes Calendar...");
    EXPECT_EQ(State().statusFile, status);
    // The helper's line, read while the helper holds the file open for writing.
    HANDLE hFile = CreateFileA(status.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE,
                               nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(hFile, INVALID_HANDLE_VALUE);
    const char line[] = "Reading record 5 of 9\r\nnext line";
    DWORD n;
    WriteFile(hFile, line, sizeof line - 1, &n, nullptr);
    EXPECT_TRUE(WaitFor([] { return State().message == "Reading record 5 of 9"; }));
    CloseHandle(hFile);
}

TEST_F(WaitWindow, AnEmptyOrMissingStatusFileLeavesTheText) {
    testutil::TempDir dir;
    const std::string status = dir.Path("LNDateStatus.dat");
    testutil::WriteText(status, "stale line of an earlier run");
    ASSERT_TRUE(StartWaitWindow(nullptr));
    SetWaitText("Loading Lotus Notes Calendar...");
    SetWaitStatusFile(status.c_str());
    // The earlier run's line is gone before the helper starts.
    EXPECT_EQ(GetFileAttributesA(status.c_str()), INVALID_FILE_ATTRIBUTES);
    ASSERT_TRUE(WaitFor([] { return State().nTicks >= 3; }));
    testutil::WriteText(status, "");
    uint32_t nTicks = State().nTicks;
    ASSERT_TRUE(WaitFor([&] { return State().nTicks >= nTicks + 3; }));
    EXPECT_EQ(State().message, "Loading Lotus Notes Calendar...");
}

TEST_F(WaitWindow, WithoutAWaitWindowNothingHappens) {
    testutil::TempDir dir;
    const std::string status = dir.Path("LNAddrStatus.dat");
    testutil::WriteText(status, "keep me");
    SetWaitText("nobody reads this");
    SetWaitStatusFile(status.c_str());
    CloseWaitWindow();
    EXPECT_FALSE(GetWaitWindowState(nullptr));
    EXPECT_EQ(testutil::ReadText(status), "keep me");
}

TEST_F(WaitWindow, SitsInTheMiddleAndCountsTicksAsTenthsOfSeconds) {
    ASSERT_TRUE(StartWaitWindow(nullptr));
    ASSERT_TRUE(WaitFor(Shown));
    HWND hWnd = State().hWnd;
    RECT rcDesk, rc, rcClient;
    GetClientRect(GetDesktopWindow(), &rcDesk);
    GetWindowRect(hWnd, &rc);
    GetClientRect(hWnd, &rcClient);
    EXPECT_EQ(rc.left, (rcDesk.right - 480) / 2);
    EXPECT_EQ(rc.top, (rcDesk.bottom - 150) / 2);
    if (rcDesk.right == 1024 && rcDesk.bottom == 768) {
        EXPECT_EQ(rc.left, 272);
        EXPECT_EQ(rc.top, 309);
    }
    EXPECT_EQ(rc.right - rc.left, 480);
    EXPECT_EQ(rc.bottom - rc.top, 150);
    EXPECT_EQ(rcClient.right, 478);
    EXPECT_EQ(GetWindowLongA(hWnd, GWL_STYLE) & (WS_POPUP | WS_BORDER | WS_CAPTION),
              WS_POPUP | WS_BORDER);
    EXPECT_TRUE(GetWindowLongA(hWnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    EXPECT_EQ(GetWindowTextLengthA(hWnd), 0);

    ASSERT_TRUE(WaitFor([] { return State().nTicks >= 11; }));
    WaitWindowState s = State();
    EXPECT_EQ(s.nElapsed, s.nTicks * 100);
    EXPECT_GE(s.nElapsed / 1000, 1u);
}

TEST(WaitBlocks, TheRowOf478PixelsHas18Positions) {
    for (uint32_t nTick = 0; nTick < 40; ++nTick)
        EXPECT_EQ(WaitBlockCount(nTick, 478), static_cast<int>(nTick % 18)) << nTick;
    EXPECT_EQ(WaitBlockCount(17, 478), 17);
    EXPECT_EQ(WaitBlockCount(18, 478), 0);
    // Every block fits: the last one ends within the client area.
    EXPECT_LE(40 + 25 * (WaitBlockCount(17, 478) - 1), 478);
}

// Starts and closes wait windows in a row; returns the most wait threads alive at once.
int StartAndCloseRuns(int nRuns) {
    int nMostAtOnce = 0;
    for (int i = 0; i < nRuns; ++i) {
        EXPECT_TRUE(StartWaitWindow(nullptr)) << i;
        SetWaitText("Loading Lotus Notes Contacts...");
        if (i % 2 == 0)
            Sleep(1); // every other run lets its thread get going first
        CloseWaitWindow();
        nMostAtOnce = std::max(nMostAtOnce, WaitThreadsRunning());
        // A few runs overlap, as when a load fails at once and the user clicks again; two
        // hundred window threads at once are beyond what Wine's X11 driver takes.
        WaitFor([] { return WaitThreadsRunning() < 4; });
    }
    EXPECT_TRUE(WaitFor([] { return WaitThreadsRunning() == 0; }, 60000));
    return nMostAtOnce;
}

TEST_F(WaitWindow, TwoHundredRunsLeakNoThreadWindowOrHandle) {
    // Runs of the same kind first, so that what the system makes once per process (the class,
    // the lock, the display driver's own) is counted in.
    StartAndCloseRuns(20);
    const int nThreadsBefore = ThreadsOfThisProcess();
    const int nHandlesBefore = HandlesOfThisProcess();
    ASSERT_GT(nHandlesBefore, 0);

    const int nMostAtOnce = StartAndCloseRuns(200);
    // A thread counts itself out just before it returns.
    ASSERT_TRUE(WaitFor([&] { return ThreadsOfThisProcess() <= nThreadsBefore; }, 10000));
    const int nHandlesAfter = HandlesOfThisProcess();
    printf("200 runs: handles %d -> %d, threads %d -> %d, wait windows left %d, most threads "
           "at once %d\n",
           nHandlesBefore, nHandlesAfter, nThreadsBefore, ThreadsOfThisProcess(),
           WaitWindowsOnScreen(), nMostAtOnce);
    EXPECT_GT(nMostAtOnce, 1) << "the runs overlapped";
    EXPECT_EQ(WaitWindowsOnScreen(), 0);
    EXPECT_LE(ThreadsOfThisProcess(), nThreadsBefore);
    EXPECT_LE(nHandlesAfter, nHandlesBefore);
}

} // namespace
