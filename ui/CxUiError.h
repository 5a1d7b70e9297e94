// The one place where a failure that escaped the program's own handling is shown to the user.
#pragma once

#include <windows.h>

// Logs the failure and shows its message (none for a thrown value that is not an exception
// object) in the error box, owned by hOwner (none: the program's main window).
void ReportUnhandledException(HWND hOwner, const char* szMessage);

// The program's main window, the owner of the error box when none is given.
void SetMainWindowForErrors(HWND hWnd);
