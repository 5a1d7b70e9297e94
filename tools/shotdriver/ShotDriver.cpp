// Drives a running Mirrowick.exe from outside, as a user would, for the screenshot script: one
// action per call, found by window titles and control captions.
//
//   ShotDriver wait <title>                    until a visible top-level window has the title
//   ShotDriver gone <title>                    until no window has the title
//   ShotDriver click <title> <caption>         presses the visible control with the caption
//   ShotDriver settext <title> <n> <text>      sets the text of the n-th visible enabled edit
//   ShotDriver expect <title> <text>           until a visible control shows the text
//   ShotDriver close <title>                   asks the window to close
//   ShotDriver list -                          prints every top-level window
//
// Exit code 0 on success, 1 when the window or the control was not found in time.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

HWND FindTop(const char* szTitle, int nMs) {
    for (int t = 0; t <= nMs; t += 100) {
        HWND hWnd = FindWindowA(nullptr, szTitle);
        if (hWnd != nullptr && IsWindowVisible(hWnd))
            return hWnd;
        Sleep(100);
    }
    return nullptr;
}

std::vector<HWND> Descendants(HWND hTop) {
    std::vector<HWND> v;
    EnumChildWindows(
        hTop,
        [](HWND h, LPARAM p) -> BOOL {
            reinterpret_cast<std::vector<HWND>*>(p)->push_back(h);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&v));
    return v;
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

int Usage() {
    fprintf(stderr, "usage: ShotDriver wait|gone|click|settext|close <title> ...\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3)
        return Usage();
    const std::string action = argv[1];
    const char* szTitle = argv[2];
    if (action == "list") {
        EnumWindows(
            [](HWND h, LPARAM) -> BOOL {
                DWORD nPid = 0;
                DWORD nTid = GetWindowThreadProcessId(h, &nPid);
                RECT rc;
                GetWindowRect(h, &rc);
                printf("%p pid %lx tid %lx %s %s \"%s\" (%ld,%ld)-(%ld,%ld)\n",
                       static_cast<void*>(h), nPid, nTid, IsWindowVisible(h) ? "visible" : "hidden",
                       ClassOf(h).c_str(), TextOf(h).c_str(), rc.left, rc.top, rc.right, rc.bottom);
                return TRUE;
            },
            0);
        return 0;
    }
    if (action == "gone") {
        for (int t = 0; t < 20000; t += 100) {
            if (FindWindowA(nullptr, szTitle) == nullptr)
                return 0;
            Sleep(100);
        }
        return 1;
    }
    HWND hTop = FindTop(szTitle, 20000);
    if (hTop == nullptr) {
        fprintf(stderr, "ShotDriver: no window \"%s\"\n", szTitle);
        return 1;
    }
    if (action == "wait")
        return 0;
    if (action == "close") {
        PostMessageA(hTop, WM_CLOSE, 0, 0);
        return 0;
    }
    if (action == "click" && argc == 4) {
        for (int t = 0; t < 5000; t += 100) {
            for (HWND h : Descendants(hTop)) {
                if (IsWindowVisible(h) && IsWindowEnabled(h) && TextOf(h) == argv[3]) {
                    // Posted: a click that opens a modal window must not hold this program.
                    if (ClassOf(h) == "Button")
                        PostMessageA(h, BM_CLICK, 0, 0);
                    else {
                        PostMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
                        PostMessageA(h, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
                    }
                    return 0;
                }
            }
            Sleep(100);
        }
        fprintf(stderr, "ShotDriver: no control \"%s\" in \"%s\"\n", argv[3], szTitle);
        return 1;
    }
    if (action == "expect" && argc == 4) {
        for (int t = 0; t < 30000; t += 100) {
            for (HWND h : Descendants(hTop))
                if (IsWindowVisible(h) && TextOf(h) == argv[3])
                    return 0;
            Sleep(100);
        }
        fprintf(stderr, "ShotDriver: \"%s\" does not show \"%s\"\n", szTitle, argv[3]);
        return 1;
    }
    if (action == "settext" && argc == 5) {
        int n = atoi(argv[3]);
        for (HWND h : Descendants(hTop)) {
            if (lstrcmpiA(ClassOf(h).c_str(), "Edit") == 0 && IsWindowVisible(h) &&
                IsWindowEnabled(h) && n-- == 0) {
                SendMessageTimeoutA(h, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[4]),
                                    SMTO_ABORTIFHUNG, 2000, nullptr);
                return 0;
            }
        }
        fprintf(stderr, "ShotDriver: no edit %s in \"%s\"\n", argv[3], szTitle);
        return 1;
    }
    return Usage();
}
