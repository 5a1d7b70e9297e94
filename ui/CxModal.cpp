#include "CxModal.h"

#include "CxLook.h"

#include "common/misc/CxDebugUtil.h"

#include <commdlg.h>

#include <vector>

namespace {

class CxRealModalUi : public CxModalUi {
public:
    int ShowMessageBox(HWND hOwner, const char* szText, const char* szCaption,
                       UINT uType) override {
        return ::MessageBoxA(hOwner, szText, szCaption, uType);
    }

    bool OpenFileName(HWND hOwner, const CxOpenFileRequest& request, std::string& path) override {
        // The filter: description and pattern pairs, each ended by a zero, the whole by two.
        std::string filter;
        for (const auto& f : request.filters) {
            filter.append(f.first).push_back('\0');
            filter.append(f.second).push_back('\0');
        }
        filter.push_back('\0');
        std::vector<char> name(request.nMaxChars + 1, '\0');
        request.startName.copy(name.data(), request.nMaxChars);
        OPENFILENAMEA ofn{};
        ofn.lStructSize = sizeof ofn;
        ofn.hwndOwner = hOwner;
        ofn.hInstance = GetModuleHandleA(nullptr);
        ofn.lpstrFilter = filter.c_str();
        ofn.nFilterIndex = 1;
        ofn.lpstrFile = name.data();
        ofn.nMaxFile = static_cast<DWORD>(name.size());
        if (!GetOpenFileNameA(&ofn)) {
            DWORD nError = CommDlgExtendedError();
            if (nError != 0)
                CXLOG(0, "The open-file dialog failed: 0x%lx", nError);
            return false;
        }
        path = name.data();
        return true;
    }

    int RunModal(HWND hOwner, CxModalWindow& window) override {
        if (!window.IsCreated() && !window.Create(hOwner))
            return IDCANCEL;
        window.ResetModal();
        HWND hWnd = window.Handle();
        // The owner is disabled while the window runs, as with any modal dialog.
        bool bOwnerEnabled = hOwner != nullptr && IsWindowEnabled(hOwner);
        if (bOwnerEnabled)
            EnableWindow(hOwner, FALSE);
        ShowWindow(hWnd, SW_SHOW);
        SetForegroundWindow(hWnd);
        bool bQuit = false;
        WPARAM nQuitCode = 0;
        MSG msg;
        while (!window.IsEnded() && window.IsCreated()) {
            BOOL r = GetMessageA(&msg, nullptr, 0, 0);
            if (r == 0) {
                bQuit = true;
                nQuitCode = msg.wParam;
                break;
            }
            if (r < 0)
                break;
            if (!IsDialogMessageA(hWnd, &msg)) {
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
        }
        // The owner comes back before the window goes, so it gets the activation.
        if (bOwnerEnabled)
            EnableWindow(hOwner, TRUE);
        if (hOwner != nullptr)
            SetActiveWindow(hOwner);
        int nResult = window.IsEnded() ? window.Result() : IDCANCEL;
        window.Destroy();
        if (bQuit)
            PostQuitMessage(static_cast<int>(nQuitCode));
        return nResult;
    }
};

CxRealModalUi g_RealUi;
CxModalUi* g_pUi = nullptr;

} // namespace

CxModalUi& ModalUi() {
    return g_pUi != nullptr ? *g_pUi : g_RealUi;
}

void SetModalUi(CxModalUi* pUi) {
    g_pUi = pUi;
}

std::string CxModalWindow::Caption() const {
    char szCaption[256] = "";
    if (Handle() != nullptr)
        GetWindowTextA(Handle(), szCaption, sizeof szCaption);
    return szCaption;
}

void CxModalWindow::EndModal(int nResult) {
    m_nResult = nResult;
    m_bEnded = true;
}

void CxModalWindow::ResetModal() {
    m_bEnded = false;
    m_nResult = IDCANCEL;
}

bool CxModalWindow::CreateFrame(HWND hOwner, const char* szCaption, int w, int h) {
    const DWORD dwStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    const DWORD dwExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
    RECT rc = {0, 0, look::Scale(w), look::Scale(h)};
    AdjustWindowRectEx(&rc, dwStyle, FALSE, dwExStyle);
    int nWidth = rc.right - rc.left, nHeight = rc.bottom - rc.top;
    RECT rcWork;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &rcWork, 0);
    int x = rcWork.left + (rcWork.right - rcWork.left - nWidth) / 2;
    int y = rcWork.top + (rcWork.bottom - rcWork.top - nHeight) / 2;
    return CreateWindowOf(RegisterClass("MwDialog"), dwExStyle, szCaption, dwStyle, x, y, nWidth,
                          nHeight, hOwner);
}

LRESULT CxModalWindow::HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    switch (uMsg) {
    case WM_COMMAND:
        if (lParam == 0 || LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            // Enter and Esc as the dialog manager reports them.
            if (LOWORD(wParam) == IDOK) {
                OnOK();
                return 0;
            }
            if (LOWORD(wParam) == IDCANCEL) {
                OnCancel();
                return 0;
            }
        }
        break;
    case WM_CLOSE:
        OnCancel();
        return 0;
    default:
        break;
    }
    return DefaultMessage(uMsg, wParam, lParam);
}
