#include "CxUiError.h"

#include "CxModal.h"

#include "common/misc/CxDebugUtil.h"

namespace {
HWND g_hMainWindow = nullptr;
ExceptionDialogProc g_pShowDialog = nullptr;
bool g_bReporting = false;

const char* MessageOrNote(const char* szMessage) {
    return szMessage != nullptr ? szMessage : "(not an exception object)";
}

// The top-level window of hOwner, else the main window; none when neither is there.
HWND ReportOwner(HWND hOwner) {
    HWND h = hOwner != nullptr ? hOwner : g_hMainWindow;
    if (h == nullptr || !IsWindow(h))
        return nullptr;
    return GetAncestor(h, GA_ROOT);
}

void ShowDialog(HWND hOwner) {
    if (g_pShowDialog != nullptr)
        g_pShowDialog(hOwner);
}
} // namespace

void SetMainWindowForErrors(HWND hWnd) {
    g_hMainWindow = hWnd;
}

HWND MainWindowForErrors() {
    return g_hMainWindow;
}

void SetExceptionDialog(ExceptionDialogProc pShow) {
    g_pShowDialog = pShow;
}

void ReportUnhandledException(HWND hOwner, const char* szMessage) {
    CXLOG(0, "Unhandled exception: %s", MessageOrNote(szMessage));
    // A failure while the report is on the screen is logged only.
    if (g_bReporting)
        return;
    g_bReporting = true;
    HWND hDialogOwner = ReportOwner(hOwner);
    if (g_pShowDialog == nullptr)
        ModalUi().ShowMessageBox(hDialogOwner, szMessage != nullptr ? szMessage : "", "Mirrowick",
                                 MB_OK | MB_ICONERROR);
    else
        ShowDialog(hDialogOwner);
    g_bReporting = false;
}

void ReportEscapedException(const char* szMessage) {
    CXLOG(0, "Unhandled exception: %s", MessageOrNote(szMessage));
    if (g_bReporting)
        return;
    g_bReporting = true;
    HWND hOwner = ReportOwner(nullptr);
    // A thrown value that is not an exception object has no message: the dialog alone tells
    // the user, rather than an error box without a word in it.
    if (szMessage != nullptr || g_pShowDialog == nullptr)
        ModalUi().ShowMessageBox(hOwner, szMessage != nullptr ? szMessage : "", "Mirrowick",
                                 MB_OK | MB_ICONERROR);
    ShowDialog(hOwner);
    g_bReporting = false;
}
