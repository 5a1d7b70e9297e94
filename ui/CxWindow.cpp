#include "CxWindow.h"

#include "CxControls.h"
#include "CxGdi.h"
#include "CxUiError.h"

#include "common/misc/CxDebugUtil.h"

#include <exception>

namespace {
const char kChildClass[] = "MwChild";

struct FindById {
    UINT nId;
    HWND hFound;
};

BOOL CALLBACK FindChildById(HWND hChild, LPARAM lParam) {
    auto* pFind = reinterpret_cast<FindById*>(lParam);
    if (static_cast<UINT>(GetDlgCtrlID(hChild)) == pFind->nId && CxControl::FromHandle(hChild)) {
        pFind->hFound = hChild;
        return FALSE;
    }
    return TRUE;
}

// A push button of ours that has the keyboard focus inside hTop.
HWND FocusedPushButton(HWND hTop) {
    HWND hFocus = GetFocus();
    if (hFocus == nullptr || !IsChild(hTop, hFocus) || CxControl::FromHandle(hFocus) == nullptr)
        return nullptr;
    char szClass[16] = "";
    GetClassNameA(hFocus, szClass, sizeof szClass);
    if (lstrcmpiA(szClass, "Button") != 0)
        return nullptr;
    LONG_PTR nType = GetWindowLongPtrA(hFocus, GWL_STYLE) & BS_TYPEMASK;
    return nType == BS_PUSHBUTTON || nType == BS_DEFPUSHBUTTON ? hFocus : nullptr;
}

BOOL CALLBACK DetachChild(HWND hChild, LPARAM) {
    if (CxControl* pCtl = CxControl::FromHandle(hChild))
        pCtl->Detach();
    return TRUE;
}
} // namespace

CxWindow::~CxWindow() {
    Destroy();
    if (m_bOwnBrush && m_hBackground != nullptr)
        DeleteObject(m_hBackground);
}

void CxWindow::Destroy() {
    if (m_hWnd != nullptr)
        DestroyWindow(m_hWnd);
}

void CxWindow::Show(bool bShow) {
    if (m_hWnd != nullptr)
        ShowWindow(m_hWnd, bShow ? SW_SHOW : SW_HIDE);
}

bool CxWindow::IsVisible() const {
    return m_hWnd != nullptr && (GetWindowLongPtrA(m_hWnd, GWL_STYLE) & WS_VISIBLE) != 0;
}

void CxWindow::SetBackgroundColor(COLORREF cr) {
    if (m_bOwnBrush && m_hBackground != nullptr)
        DeleteObject(m_hBackground);
    m_crBackground = cr;
    m_bOwnBrush = cr != GetSysColor(COLOR_BTNFACE);
    m_hBackground = m_bOwnBrush ? CreateSolidBrush(cr) : GetSysColorBrush(COLOR_BTNFACE);
    if (m_hWnd != nullptr)
        InvalidateRect(m_hWnd, nullptr, TRUE);
}

CxWindow* CxWindow::FromHandle(HWND hWnd) {
    if (hWnd == nullptr ||
        reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hWnd, GWLP_WNDPROC)) != &CxWindow::WindowProc)
        return nullptr;
    return reinterpret_cast<CxWindow*>(GetWindowLongPtrA(hWnd, GWLP_USERDATA));
}

const char* CxWindow::RegisterClass(const char* szClass, HICON hIcon, HICON hIconSmall) {
    HINSTANCE hInst = GetModuleHandleA(nullptr);
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    if (GetClassInfoExA(hInst, szClass, &wc))
        return szClass;
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = &CxWindow::WindowProc;
    wc.hInstance = hInst;
    wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)); // IDC_ARROW
    wc.hIcon = hIcon;
    wc.hIconSm = hIconSmall;
    wc.lpszClassName = szClass;
    if (RegisterClassExA(&wc) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        CXLOG(0, "RegisterClassEx(%s) failed: %lu", szClass, GetLastError());
    return szClass;
}

const char* CxWindow::ChildClass() {
    return RegisterClass(kChildClass);
}

bool CxWindow::CreateWindowOf(const char* szClass, DWORD dwExStyle, const char* szTitle,
                              DWORD dwStyle, int x, int y, int w, int h, HWND hParent, UINT nId) {
    if (m_hWnd != nullptr)
        return true;
    if (m_hBackground == nullptr)
        SetBackgroundColor(m_crBackground);
    HMENU hMenu =
        (dwStyle & WS_CHILD) != 0 ? reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nId)) : nullptr;
    HWND hWnd = CreateWindowExA(dwExStyle, szClass, szTitle, dwStyle, x, y, w, h, hParent, hMenu,
                                GetModuleHandleA(nullptr), this);
    if (hWnd == nullptr) {
        CXLOG(0, "CreateWindowEx(%s) failed: %lu", szClass, GetLastError());
        return false;
    }
    return true;
}

LRESULT CALLBACK CxWindow::WindowProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    CxWindow* pThis;
    if (uMsg == WM_NCCREATE) {
        auto* pCreate = reinterpret_cast<CREATESTRUCTA*>(lParam);
        pThis = static_cast<CxWindow*>(pCreate->lpCreateParams);
        if (pThis == nullptr)
            return FALSE;
        pThis->m_hWnd = hWnd;
        SetWindowLongPtrA(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(pThis));
    } else {
        pThis = reinterpret_cast<CxWindow*>(GetWindowLongPtrA(hWnd, GWLP_USERDATA));
    }
    if (pThis == nullptr)
        return DefWindowProcA(hWnd, uMsg, wParam, lParam);

    LRESULT lResult = 0;
    try {
        lResult = pThis->HandleMessage(uMsg, wParam, lParam);
    } catch (const std::exception& e) {
        ReportEscapedException(e.what());
    } catch (...) {
        ReportEscapedException(nullptr);
    }
    if (uMsg == WM_NCDESTROY) {
        SetWindowLongPtrA(hWnd, GWLP_USERDATA, 0);
        pThis->m_hWnd = nullptr;
    }
    return lResult;
}

LRESULT CxWindow::HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    return DefaultMessage(uMsg, wParam, lParam);
}

LRESULT CxWindow::DefaultMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    switch (uMsg) {
    case WM_COMMAND: {
        HWND hCtl = reinterpret_cast<HWND>(lParam);
        if (hCtl == nullptr && HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) >= 1000) {
            // The dialog manager names the default button by its id only.
            FindById find = {LOWORD(wParam), nullptr};
            EnumChildWindows(m_hWnd, FindChildById, reinterpret_cast<LPARAM>(&find));
            hCtl = find.hFound;
        }
        if (hCtl != nullptr) {
            if (CxControl* pCtl = CxControl::FromHandle(hCtl))
                if (pCtl->OnCommand(HIWORD(wParam)))
                    return 0;
        }
        // Commands from inside a panel or page reach the window that handles them.
        if (GetWindowLongPtrA(m_hWnd, GWL_STYLE) & WS_CHILD)
            return SendMessageA(GetParent(m_hWnd), uMsg, wParam, lParam);
        break;
    }
    case DM_GETDEFID: {
        // Enter presses the focused push button, else the window's default button.
        HWND hButton = FocusedPushButton(m_hWnd);
        if (hButton == nullptr)
            hButton = DefaultButton();
        if (hButton != nullptr && IsWindowEnabled(hButton) && IsWindowVisible(hButton))
            return MAKELRESULT(GetDlgCtrlID(hButton), DC_HASDEFID);
        return 0;
    }
    case WM_NOTIFY: {
        auto* pHdr = reinterpret_cast<NMHDR*>(lParam);
        if (CxControl* pCtl = CxControl::FromHandle(pHdr->hwndFrom)) {
            LRESULT lResult = 0;
            if (pCtl->OnNotify(pHdr, &lResult))
                return lResult;
        }
        break;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX: {
        HDC hdc = reinterpret_cast<HDC>(wParam);
        HBRUSH hBrush = nullptr;
        if (uMsg == WM_CTLCOLORSTATIC || uMsg == WM_CTLCOLORBTN) {
            SetBkColor(hdc, m_crBackground);
            hBrush = m_hBackground;
        } else {
            hBrush = reinterpret_cast<HBRUSH>(DefWindowProcA(m_hWnd, uMsg, wParam, lParam));
        }
        if (CxControl* pCtl = CxControl::FromHandle(reinterpret_cast<HWND>(lParam)))
            if (HBRUSH hOwn = pCtl->OnCtlColor(hdc))
                hBrush = hOwn;
        return reinterpret_cast<LRESULT>(hBrush);
    }
    case WM_ERASEBKGND: {
        RECT rc;
        GetClientRect(m_hWnd, &rc);
        FillRect(reinterpret_cast<HDC>(wParam), &rc, m_hBackground);
        return 1;
    }
    case WM_DESTROY:
        EnumChildWindows(m_hWnd, DetachChild, 0);
        break;
    default:
        break;
    }
    return DefWindowProcA(m_hWnd, uMsg, wParam, lParam);
}

bool CxPanel::Create(HWND hParent, int x, int y, int w, int h, COLORREF crBackground, Edge edge) {
    SetBackgroundColor(crBackground);
    m_edge = edge;
    return CreateWindowOf(ChildClass(), WS_EX_CONTROLPARENT, "",
                          WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, x, y, w, h, hParent);
}

LRESULT CxPanel::HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    if (uMsg == WM_PAINT && m_edge != Edge::None) {
        CxPaintDC dc(Handle());
        RECT rc;
        GetClientRect(Handle(), &rc);
        switch (m_edge) {
        case Edge::Raised:
            DrawEdge(dc.Get(), &rc, EDGE_RAISED, BF_RECT);
            break;
        case Edge::TopLine:
            DrawEdge(dc.Get(), &rc, EDGE_ETCHED, BF_TOP);
            break;
        case Edge::BottomLine:
            DrawEdge(dc.Get(), &rc, EDGE_ETCHED, BF_BOTTOM);
            break;
        case Edge::None:
            break;
        }
        return 0;
    }
    return DefaultMessage(uMsg, wParam, lParam);
}
