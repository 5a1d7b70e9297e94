// What the two troubleshooting dialogs share: the logo panel at their top and the two rows that
// show where the debug log is.
#pragma once

#include "ui/CxControls.h"
#include "ui/CxWindow.h"

#include <cstddef>

// Finds the working folder (with its trailing backslash) into the buffer; false when it cannot
// be had. The program's own is GetWorkFolder.
using WorkFolderProc = bool (*)(char* szBuf, size_t nSize);

// A group box paints only its frame and caption: the dialog must paint beneath its children
// for the box's inside to show the dialog's background.
void PaintBeneathChildren(HWND hDialog);

// The white panel across the top of a dialog of nWidth (96-dpi pixels): the logo, disabled,
// and the product name in the header font, whose click opens the maker's product page.
bool CreateLogoPanel(HWND hDialog, int nWidth, CxPanel& pLogo, CxPicture& imgLogo,
                     CxClickLabel& lblName);
// The name's click: the product page, opened with the shell.
void OpenProductPage();

// The two rows "Log Folder:" and "Log File:": filled from the working folder; when there is
// none, both fields stay empty and both "..." buttons are disabled.
void FillLogRows(WorkFolderProc pWorkFolder, CxEdit& edtFolder, CxButton& btnFolder,
                 CxEdit& edtFile, CxButton& btnFile);
// The folder "...": the folder handed to the shell, which opens it.
void OpenLogFolder(const CxEdit& edtFolder);
// The file "...": the log handed to the shell when it exists, else a message box owned by
// hOwner says that it does not.
void OpenLogFile(HWND hOwner, const CxEdit& edtFile);
