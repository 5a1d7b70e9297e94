// The test build of the program (MirrowickFaultTest.exe) fails on request once its main window
// is up: the environment variable MW_TEST_FAULT names how. The program that ships is built
// without this file and without the call to it.
//
//   access     writes through a null pointer in a timer callback on the user-interface thread
//              (a place where the system itself would swallow the fault)
//   stack      recurses without end in a timer callback on the user-interface thread
//   library    hands a bad pointer to the C runtime on a thread of its own (a fault outside
//              the program's own code)
//   terminate  lets an exception escape a thread of its own (std::terminate)
//   throw      throws an exception object that escapes the message loop
//   window     throws in a window procedure, once the message loop runs
#include "ui/CxWindow.h"

#include <windows.h>

#include <cstring>
#include <stdexcept>
#include <string>
#include <thread>

namespace {

volatile int* volatile g_pNull = nullptr;
volatile long g_nDepth = 0x7fffffff;

int Recurse(int n) {
    volatile char buf[256];
    buf[0] = static_cast<char>(n);
    if (--g_nDepth == 0)
        return buf[0];
    return Recurse(n + 1) + buf[0];
}

void CALLBACK AccessTimer(HWND, UINT, UINT_PTR nId, DWORD) {
    KillTimer(nullptr, nId);
    *g_pNull = 1;
}

void CALLBACK StackTimer(HWND, UINT, UINT_PTR nId, DWORD) {
    KillTimer(nullptr, nId);
    Recurse(0);
}

DWORD WINAPI LibraryThread(LPVOID) {
    size_t (*volatile pLength)(const char*) = strlen;
    return static_cast<DWORD>(pLength(reinterpret_cast<const char*>(16)));
}

const UINT kThrowMessage = WM_APP + 7;

// A hidden window of ours whose procedure throws on a posted message.
class ThrowingWindow : public CxWindow {
public:
    bool Create() {
        return CreateWindowOf(RegisterClass("MwFaultTestWindow"), 0, "", WS_POPUP, 0, 0, 10, 10,
                              nullptr);
    }

protected:
    LRESULT HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) override {
        if (uMsg == kThrowMessage)
            throw std::runtime_error("thrown in a window procedure");
        return DefaultMessage(uMsg, wParam, lParam);
    }
};
ThrowingWindow g_window;

} // namespace

void InjectTestFault() {
    char szMode[32] = "";
    if (GetEnvironmentVariableA("MW_TEST_FAULT", szMode, sizeof szMode) == 0)
        return;
    const std::string mode = szMode;
    if (mode == "access") {
        SetTimer(nullptr, 0, 300, AccessTimer);
    } else if (mode == "stack") {
        SetTimer(nullptr, 0, 300, StackTimer);
    } else if (mode == "library") {
        CloseHandle(CreateThread(nullptr, 0, LibraryThread, nullptr, 0, nullptr));
    } else if (mode == "terminate") {
        std::thread([] { throw std::runtime_error("thrown on a thread of its own"); }).detach();
    } else if (mode == "throw") {
        throw std::runtime_error("escaped the message loop");
    } else if (mode == "window") {
        if (g_window.Create())
            PostMessageA(g_window.Handle(), kThrowMessage, 0, 0);
    }
}
