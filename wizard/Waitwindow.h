// The wait window: while the loading run blocks the user-interface thread, a small pop-up on a
// thread of its own shows what is being loaded (later the helper's latest status line), the
// seconds elapsed and a row of blocks that grows every 100 ms.
//
// The user-interface thread only starts it, feeds it a text and a status file, and asks it to
// close; none of these calls waits for the wait thread. One lock guards the current wait
// window, its text and its status-file path. The object and its close event are made by
// StartWaitWindow before the thread starts, so that a text, a path or a close request given at
// once is neither lost nor leaves a window behind.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

class CxCommWaitWindow {
public:
    CxCommWaitWindow();
    virtual ~CxCommWaitWindow();
    CxCommWaitWindow(const CxCommWaitWindow&) = delete;
    CxCommWaitWindow& operator=(const CxCommWaitWindow&) = delete;

    virtual LRESULT OnCreate();
    virtual LRESULT OnPaint();
    virtual LRESULT OnSize() { return 0; }
    virtual LRESULT OnTimer(UINT_PTR nId);

    HANDLE m_hCloseEvent = nullptr; // auto-reset, unnamed
    HWND m_hWnd = nullptr;
    char m_szMessage[1024];
    char m_szStatusFile[260];
    uint32_t m_nTickCount = 0;
    HFONT m_hBoldFont = nullptr;
    HFONT m_hNormalFont = nullptr;
    uint32_t m_nElapsed = 0; // milliseconds, 100 for every tick
};

// Starts a wait window on a new thread; hOwner is brought back to the front when it closes.
// True when the thread started.
bool StartWaitWindow(HWND hOwner);
// The message line (cut to 1023 characters), when a wait window is current.
void SetWaitText(const char* szText);
// When a wait window is current: deletes the file (a status line of an earlier run) and
// watches it from now on; its first line becomes the message whenever it is not empty.
void SetWaitStatusFile(const char* szPath);
// Asks the current wait window to close; does not wait for it.
void CloseWaitWindow();

// Lets the wait window finish closing (it brings its owner forward as its last act), up to nMs,
// while handling the messages other threads send to this one. Called by the user-interface
// thread after CloseWaitWindow and before it shows anything else, so that the owner is never
// raised over a message box that came up meanwhile. True when no wait window is left.
bool WaitForWaitWindowToClose(DWORD nMs);

// What a test or the debug log may read of the current wait window: false when none is current.
struct WaitWindowState {
    HWND hWnd;
    std::string message;
    std::string statusFile;
    uint32_t nTicks;
    uint32_t nElapsed;
};
bool GetWaitWindowState(WaitWindowState* pState);
// The wait threads that have started and not yet ended.
int WaitThreadsRunning();
// Tests hold a new wait thread back before it makes its window, to give it calls "before it
// has run"; none (the default) lets it go at once.
using WaitThreadHook = void (*)();
void SetWaitThreadStartHook(WaitThreadHook pHook);

const UINT_PTR kWaitTimerId = 10000;
const int kWaitWidth = 480;
const int kWaitHeight = 150;

// The number of blocks shown after nTicks ticks in a client area nClientWidth pixels wide.
inline int WaitBlockCount(uint32_t nTicks, int nClientWidth) {
    int nPositions = (nClientWidth - 40) / 25 + 1;
    return nPositions > 0 ? static_cast<int>(nTicks % static_cast<uint32_t>(nPositions)) : 0;
}
