// Program entry: the main window and its message loop on the user-interface thread.
#include "Main.h"

#include "common/misc/CxDebugUtil.h"
#include "ui/CxUiError.h"

#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <exception>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
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
            ReportUnhandledException(nullptr, e.what());
            nExit = 1;
        } catch (...) {
            ReportUnhandledException(nullptr, nullptr);
            nExit = 1;
        }
        SetMainWindowForErrors(nullptr);
    }
    if (SUCCEEDED(hrCom))
        OleUninitialize();
    return nExit;
}
