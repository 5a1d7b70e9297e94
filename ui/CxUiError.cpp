#include "CxUiError.h"

#include "CxModal.h"

#include "common/misc/CxDebugUtil.h"

namespace {
HWND g_hMainWindow = nullptr;
bool g_bReporting = false;
} // namespace

void SetMainWindowForErrors(HWND hWnd) {
    g_hMainWindow = hWnd;
}

void ReportUnhandledException(HWND hOwner, const char* szMessage) {
    CXLOG(0, "Unhandled exception: %s",
          szMessage != nullptr ? szMessage : "(not an exception object)");
    // A failure while the report is on the screen is logged only.
    if (g_bReporting)
        return;
    g_bReporting = true;
    HWND hBoxOwner = hOwner != nullptr ? hOwner : g_hMainWindow;
    if (hBoxOwner != nullptr && !IsWindow(hBoxOwner))
        hBoxOwner = nullptr;
    // The exception dialog joins here: after the message for an exception object, before the
    // (empty) message for any other thrown value.
    ModalUi().ShowMessageBox(hBoxOwner, szMessage != nullptr ? szMessage : "", "Mirrowick",
                             MB_OK | MB_ICONERROR);
    g_bReporting = false;
}
