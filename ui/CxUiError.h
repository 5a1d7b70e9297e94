// The one place where a failure that escaped the program's own handling is shown to the user:
// it is logged at level 0 and the exception dialog is shown, owned by the main window.
#pragma once

#include <windows.h>

// A failure that escaped a run of the program (the loading run, the cleaning run): logged with
// its message (none for a thrown value that is not an exception object), then the exception
// dialog, owned by hOwner's top-level window (none: the program's main window).
void ReportUnhandledException(HWND hOwner, const char* szMessage);

// A failure that escaped the message loop or a window procedure: logged, its message shown in
// the error box (an exception object's; a thrown value that is not one has none to show), then
// the exception dialog, owned by the main window.
void ReportEscapedException(const char* szMessage);

// The program's main window, the owner of the error box and of the exception dialog.
void SetMainWindowForErrors(HWND hWnd);
HWND MainWindowForErrors();

// Shows the exception dialog modally, owned by hOwner. The program installs its own; with none
// installed, a failure is logged and only the error box shows.
using ExceptionDialogProc = void (*)(HWND hOwner);
void SetExceptionDialog(ExceptionDialogProc pShow);
