// Program entry: the main window and its message loop on the user-interface thread. A failure
// that escapes the loop is shown in the error box and the exception dialog, and the program
// ends; a fault that is not a C++ exception goes to the fault handler.
#include "Main.h"

#include "common/misc/CxDebugUtil.h"
#include "diagnostics/Dump.h"
#include "diagnostics/FaultHandler.h"
#include "ui/CxUiError.h"

#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <exception>

#ifdef MW_FAULT_INJECTION
// Only the test build of the program has this (tests/diagnostics): it fails on request once the
// main window is up. The program that ships is built without it.
void InjectTestFault();
#endif

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    InstallFaultHandler();
    SetExceptionDialog(ShowDumpDialog);
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_STANDARD_CLASSES | ICC_TAB_CLASSES |
                                                ICC_LISTVIEW_CLASSES | ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&icc);
    // The file dialogs need a single-threaded apartment.
    HRESULT hrCom = OleInitialize(nullptr);

    int nExit = 0;
    {
        TfmMain fmMain;
        fmMain.SetQuitOnDestroy(true);
        try {
            if (!fmMain.Create(true)) {
                CXLOG(0, "The main window could not be created");
                nExit = 1;
            } else {
                SetMainWindowForErrors(fmMain.Handle());
#ifdef MW_FAULT_INJECTION
                InjectTestFault();
#endif
                MSG msg;
                BOOL r;
                while ((r = GetMessageA(&msg, nullptr, 0, 0)) != 0 && r != -1) {
                    // Tab, the mnemonics, Enter for Next and Esc for Cancel.
                    if (fmMain.Handle() != nullptr && IsDialogMessageA(fmMain.Handle(), &msg))
                        continue;
                    TranslateMessage(&msg);
                    DispatchMessageA(&msg);
                }
                nExit = r == -1 ? 1 : static_cast<int>(msg.wParam);
            }
        } catch (const std::exception& e) {
            ReportEscapedException(e.what());
            nExit = 1;
        } catch (...) {
            ReportEscapedException(nullptr);
            nExit = 1;
        }
        SetMainWindowForErrors(nullptr);
    }
    if (SUCCEEDED(hrCom))
        OleUninitialize();
    return nExit;
}
