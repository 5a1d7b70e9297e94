#include "Waitwindow.h"

#include "common/misc/CxDebugUtil.h"
#include "ui/CxGdi.h"

#include <atomic>
#include <cstdio>
#include <cstring>
#include <new>

namespace {

const char kClassName[] = "CommWaitWindow";
const COLORREF kBlockColor = RGB(0, 128, 192);

// The one lock of both threads: guards g_pCurrent and the current window's texts. A slim
// reader/writer lock holds no kernel object, so contention never makes one.
SRWLOCK g_Lock = SRWLOCK_INIT;

class CxLockGuard {
public:
    explicit CxLockGuard(SRWLOCK& lock) : m_lock(lock) { AcquireSRWLockExclusive(&m_lock); }
    ~CxLockGuard() { ReleaseSRWLockExclusive(&m_lock); }
    CxLockGuard(const CxLockGuard&) = delete;
    CxLockGuard& operator=(const CxLockGuard&) = delete;

private:
    SRWLOCK& m_lock;
};
CxCommWaitWindow* g_pCurrent = nullptr;
bool g_bClassRegistered = false;
std::atomic<int> g_nThreads{0};
std::atomic<WaitThreadHook> g_pStartHook{nullptr};

void CopyCut(char* szDest, size_t nCapacity, const char* szSrc) {
    snprintf(szDest, nCapacity, "%s", szSrc != nullptr ? szSrc : "");
}

LRESULT CALLBACK WaitWindowProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    if (uMsg == WM_CREATE) {
        auto* pThis = static_cast<CxCommWaitWindow*>(
            reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        if (pThis == nullptr)
            return 0;
        {
            CxLockGuard lock(g_Lock);
            pThis->m_hWnd = hWnd;
        }
        SetWindowLongPtrA(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(pThis));
        pThis->OnCreate();
    } else {
        auto* pThis = reinterpret_cast<CxCommWaitWindow*>(GetWindowLongPtrA(hWnd, GWLP_USERDATA));
        if (pThis != nullptr) {
            switch (uMsg) {
            case WM_SIZE:
                pThis->OnSize();
                break;
            case WM_PAINT:
                // Painted here completely; the default handling only validates what is left.
                pThis->OnPaint();
                break;
            case WM_NCDESTROY:
                SetWindowLongPtrA(hWnd, GWLP_USERDATA, 0);
                {
                    CxLockGuard lock(g_Lock);
                    pThis->m_hWnd = nullptr;
                }
                break;
            default:
                break;
            }
        }
    }
    return DefWindowProcA(hWnd, uMsg, wParam, lParam);
}

bool RegisterWaitClass() {
    CxLockGuard lock(g_Lock);
    if (g_bClassRegistered)
        return true;
    HINSTANCE hInst = GetModuleHandleA(nullptr);
    WNDCLASSA wc{};
    if (!GetClassInfoA(hInst, kClassName, &wc)) {
        wc = WNDCLASSA{};
        wc.cbWndExtra = 4;
        wc.lpfnWndProc = WaitWindowProc;
        wc.hInstance = hInst;
        wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)); // IDC_ARROW
        wc.lpszClassName = kClassName;
        if (RegisterClassA(&wc) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
            CXLOG(0, "Registering the wait window class failed: %lu", GetLastError());
            return false;
        }
    }
    g_bClassRegistered = true;
    return true;
}

// The first line of the status file, read in shared mode (the helper writes it meanwhile).
bool ReadStatusLine(const char* szPath, char* szLine, size_t nCapacity) {
    HANDLE hFile =
        CreateFileA(szPath, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return false;
    DWORD nRead = 0;
    BOOL bOk = ReadFile(hFile, szLine, static_cast<DWORD>(nCapacity - 1), &nRead, nullptr);
    CloseHandle(hFile);
    if (!bOk)
        return false;
    szLine[nRead] = '\0';
    szLine[strcspn(szLine, "\r\n")] = '\0';
    return szLine[0] != '\0';
}

// Leaves the current wait window to a newer one if there is one: clears it only while it
// still names this object.
void ReleaseCurrent(CxCommWaitWindow* pWait) {
    CxLockGuard lock(g_Lock);
    if (g_pCurrent == pWait)
        g_pCurrent = nullptr;
}

struct ThreadStart {
    CxCommWaitWindow* pWait;
    HWND hOwner;
};

DWORD WINAPI WaitThreadProc(LPVOID pParam) {
    ThreadStart start = *static_cast<ThreadStart*>(pParam);
    delete static_cast<ThreadStart*>(pParam);
    CxCommWaitWindow* pWait = start.pWait;
    if (WaitThreadHook pHook = g_pStartHook.load())
        pHook();

    HWND hWnd = nullptr;
    if (RegisterWaitClass()) {
        RECT rcDesktop;
        GetClientRect(GetDesktopWindow(), &rcDesktop);
        int x = (rcDesktop.right - kWaitWidth) / 2;
        int y = (rcDesktop.bottom - kWaitHeight) / 2;
        hWnd = CreateWindowExA(WS_EX_TOOLWINDOW, kClassName, "", WS_POPUP | WS_BORDER, x, y,
                               kWaitWidth, kWaitHeight, nullptr, nullptr, GetModuleHandleA(nullptr),
                               pWait);
        if (hWnd == nullptr)
            CXLOG(0, "Creating the wait window failed: %lu", GetLastError());
    }
    if (hWnd != nullptr) {
        ShowWindow(hWnd, SW_SHOWNORMAL);
        UpdateWindow(hWnd);

        // Every wait that runs out counts exactly 100 ms; reading the file, painting and the
        // messages handled in between are not counted.
        DWORD nDeadline = GetTickCount() + 100;
        for (;;) {
            DWORD nNow = GetTickCount();
            DWORD nWait = static_cast<int32_t>(nDeadline - nNow) > 0 ? nDeadline - nNow : 0;
            DWORD r =
                MsgWaitForMultipleObjects(1, &pWait->m_hCloseEvent, FALSE, nWait, QS_ALLINPUT);
            if (r == WAIT_OBJECT_0)
                break;
            if (r == WAIT_OBJECT_0 + 1) {
                // The window stays responsive: it repaints when uncovered and answers the
                // messages that other programs send to every window.
                MSG msg;
                while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
                    TranslateMessage(&msg);
                    DispatchMessageA(&msg);
                }
                continue;
            }
            if (r != WAIT_TIMEOUT) {
                Sleep(10);
                continue;
            }
            char szPath[260];
            {
                CxLockGuard lock(g_Lock);
                CopyCut(szPath, sizeof szPath, pWait->m_szStatusFile);
            }
            char szLine[1024];
            bool bLine = szPath[0] != '\0' && ReadStatusLine(szPath, szLine, sizeof szLine);
            {
                CxLockGuard lock(g_Lock);
                if (bLine)
                    CopyCut(pWait->m_szMessage, sizeof pWait->m_szMessage, szLine);
                pWait->m_nElapsed += 100;
            }
            pWait->OnTimer(kWaitTimerId);
            nDeadline = GetTickCount() + 100;
        }
        // No message loop would see a posted close request once this thread leaves: the
        // window goes here, on the thread that made it.
        DestroyWindow(hWnd);
    }
    ReleaseCurrent(pWait);
    // The owner's window belongs to the user-interface thread: it serves these requests while
    // it waits for this window to close (WaitForWaitWindowToClose). A message box that it may
    // show at once comes to the front instead of the window under it.
    HWND hTop = start.hOwner != nullptr && IsWindow(start.hOwner)
                    ? GetAncestor(start.hOwner, GA_ROOT)
                    : nullptr;
    if (hTop != nullptr) {
        HWND hFront = GetLastActivePopup(hTop);
        if (hFront == nullptr || !IsWindowVisible(hFront))
            hFront = hTop;
        SetWindowPos(hFront, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        SetForegroundWindow(hFront);
    }
    delete pWait;
    --g_nThreads;
    return 0;
}

} // namespace

CxCommWaitWindow::CxCommWaitWindow() {
    m_szMessage[0] = '\0';
    m_szStatusFile[0] = '\0';
}

CxCommWaitWindow::~CxCommWaitWindow() {
    if (m_hCloseEvent != nullptr)
        CloseHandle(m_hCloseEvent);
    if (m_hBoldFont != nullptr)
        DeleteObject(m_hBoldFont);
    if (m_hNormalFont != nullptr)
        DeleteObject(m_hNormalFont);
}

LRESULT CxCommWaitWindow::OnCreate() {
    m_nTickCount = 0;
    LOGFONTA lf{};
    lf.lfHeight = -11;
    lf.lfWeight = FW_BOLD;
    lf.lfCharSet = ANSI_CHARSET;
    lstrcpynA(lf.lfFaceName, "Verdana", LF_FACESIZE);
    m_hBoldFont = CreateFontIndirectA(&lf);
    lf.lfWeight = FW_NORMAL;
    m_hNormalFont = CreateFontIndirectA(&lf);
    return 0;
}

LRESULT CxCommWaitWindow::OnTimer(UINT_PTR nId) {
    if (nId != kWaitTimerId)
        return 0;
    {
        CxLockGuard lock(g_Lock);
        ++m_nTickCount;
    }
    InvalidateRect(m_hWnd, nullptr, FALSE);
    UpdateWindow(m_hWnd);
    return 0;
}

LRESULT CxCommWaitWindow::OnPaint() {
    CxPaintDC dc(m_hWnd);
    if (dc.Get() == nullptr)
        return 0;
    RECT rc;
    GetClientRect(m_hWnd, &rc);
    const int w = rc.right - rc.left, h = rc.bottom - rc.top;

    // Everything is drawn off the screen first and copied in one step: no flicker.
    CxMemoryDC mem(dc.Get());
    CxBitmap bmp(CreateCompatibleBitmap(dc.Get(), w, h));
    if (!mem || !bmp)
        return 0;
    CxSelect selBmp(mem.Get(), bmp.Get());
    HDC hdc = mem.Get();
    FillRect(hdc, &rc, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SetBkMode(hdc, TRANSPARENT);
    SetTextColor(hdc, RGB(0, 0, 0));

    char szMessage[1024];
    {
        CxLockGuard lock(g_Lock);
        CopyCut(szMessage, sizeof szMessage, m_szMessage);
    }
    const UINT uLine = DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX | DT_END_ELLIPSIS;
    {
        CxSelect font(hdc, m_hBoldFont);
        RECT rcText = {rc.left + 20, rc.top, rc.right, rc.top + 50};
        DrawTextA(hdc, szMessage, -1, &rcText, uLine);
        rcText = {rc.left + 20, rc.top + 30, rc.right, rc.top + 80};
        DrawTextA(hdc, "Time Elapsed:", -1, &rcText, uLine);
    }
    {
        CxSelect font(hdc, m_hNormalFont);
        char szSeconds[32];
        snprintf(szSeconds, sizeof szSeconds, "%d seconds", static_cast<int>(m_nElapsed / 1000));
        RECT rcText = {rc.left + 140, rc.top + 30, rc.right, rc.top + 80};
        DrawTextA(hdc, szSeconds, -1, &rcText, uLine);
    }
    CxBrush blockBrush(CreateSolidBrush(kBlockColor));
    const int nBlocks = WaitBlockCount(m_nTickCount, w);
    for (int i = 0; i < nBlocks; ++i) {
        RECT rcBlock = {20 + 25 * i, rc.top + 100, 40 + 25 * i, rc.top + 112};
        FillRect(hdc, &rcBlock, blockBrush.Get());
    }
    BitBlt(dc.Get(), 0, 0, w, h, hdc, 0, 0, SRCCOPY);
    return 0;
}

bool StartWaitWindow(HWND hOwner) {
    auto* pWait = new (std::nothrow) CxCommWaitWindow();
    if (pWait == nullptr)
        return false;
    pWait->m_hCloseEvent = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    if (pWait->m_hCloseEvent == nullptr) {
        CXLOG(0, "Creating the wait window's close event failed: %lu", GetLastError());
        delete pWait;
        return false;
    }
    auto* pStart = new (std::nothrow) ThreadStart{pWait, hOwner};
    if (pStart == nullptr) {
        delete pWait;
        return false;
    }
    {
        CxLockGuard lock(g_Lock);
        // A wait window left current by an earlier start is asked to close: only one shows.
        if (g_pCurrent != nullptr)
            SetEvent(g_pCurrent->m_hCloseEvent);
        g_pCurrent = pWait;
    }
    ++g_nThreads;
    HANDLE hThread = CreateThread(nullptr, 0, WaitThreadProc, pStart, 0, nullptr);
    if (hThread == nullptr) {
        CXLOG(0, "Starting the wait thread failed: %lu", GetLastError());
        --g_nThreads;
        ReleaseCurrent(pWait);
        delete pStart;
        delete pWait;
        return false;
    }
    // The thread runs detached.
    CloseHandle(hThread);
    return true;
}

void SetWaitText(const char* szText) {
    CxLockGuard lock(g_Lock);
    if (g_pCurrent != nullptr && szText != nullptr)
        CopyCut(g_pCurrent->m_szMessage, sizeof g_pCurrent->m_szMessage, szText);
}

void SetWaitStatusFile(const char* szPath) {
    CxLockGuard lock(g_Lock);
    if (g_pCurrent == nullptr)
        return;
    if (szPath != nullptr && szPath[0] != '\0')
        DeleteFileA(szPath);
    CopyCut(g_pCurrent->m_szStatusFile, sizeof g_pCurrent->m_szStatusFile, szPath);
}

void CloseWaitWindow() {
    CxLockGuard lock(g_Lock);
    if (g_pCurrent != nullptr && g_pCurrent->m_hCloseEvent != nullptr)
        SetEvent(g_pCurrent->m_hCloseEvent);
}

bool WaitForWaitWindowToClose(DWORD nMs) {
    const DWORD nStart = GetTickCount();
    while (g_nThreads.load() > 0) {
        DWORD nSpent = GetTickCount() - nStart;
        if (nSpent >= nMs)
            return false;
        // Only what other threads send is handled here, nothing the user does.
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_SENDMESSAGE);
        MSG msg;
        PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
    return true;
}

bool GetWaitWindowState(WaitWindowState* pState) {
    CxLockGuard lock(g_Lock);
    if (g_pCurrent == nullptr || pState == nullptr)
        return false;
    pState->hWnd = g_pCurrent->m_hWnd;
    pState->message = g_pCurrent->m_szMessage;
    pState->statusFile = g_pCurrent->m_szStatusFile;
    pState->nTicks = g_pCurrent->m_nTickCount;
    pState->nElapsed = g_pCurrent->m_nElapsed;
    return true;
}

int WaitThreadsRunning() {
    return g_nThreads.load();
}

void SetWaitThreadStartHook(WaitThreadHook pHook) {
    g_pStartHook.store(pHook);
}
