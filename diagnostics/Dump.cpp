#include "Dump.h"

#include "Debugger.h"

#include "common/misc/CxDebugUtil.h"
#include "common/misc/CxIniUtil.h"
#include "common/misc/Product.h"
#include "common/misc/WinUtil.h"
#include "ui/CxLayout.h"
#include "ui/CxLook.h"
#include "ui/CxUiError.h"
#include "wizard/AppSettings.h"

#include <string>

namespace {
const int kWidth = 440;
const char kContact[] = "Please contact us at:";
const char kInfo[] =
    "It is very appreciated if you can include the debug information in your error report.";
} // namespace

bool TfmDump::Create(HWND hOwner) {
    // The information line wraps inside the group box; the rows and buttons follow it.
    const int nInfoHeight = TextHeight96(look::NormalFont(), kInfo, 392);
    const int yRows = 196 + nInfoHeight + 8;
    const int yButtons = yRows + 64;
    if (!CreateFrame(hOwner, "Handle Mirrowick Exception", kWidth, yButtons + 27 + 12))
        return false;
    HWND hWnd = Handle();
    PaintBeneathChildren(hWnd);
    const int xSupport = 24 + TextWidth96(look::NormalFont(), kContact) + 8;
    bool bOk = CreateLogoPanel(hWnd, kWidth, pLogo, imgLogo, lblName);
    bOk = bOk &&
          CreateLayout(
              hWnd,
              {
                  {&lblSorry, CxKind::Label,
                   "We're sorry that an unhandled exception occurred  in Mirrowick.", 24, 116},
                  {&lblContact, CxKind::Label, kContact, 24, 142},
                  {&lblSupport, CxKind::Link, kSupportAddress, xSupport, 142},
                  {&gbInfo, CxKind::Group, " Debug Information ", 12, 172, 416, yRows + 58 - 172},
                  {&lblInfo, CxKind::MultiLabel, kInfo, 24, 196, 392, nInfoHeight},
                  {&lblFolder, CxKind::Label, "Log Folder:", 24, yRows + 3},
                  {&edtFolder, CxKind::Edit, "", 96, yRows, 292, 21, ES_READONLY},
                  {&btnFolder, CxKind::Button, "...", 394, yRows - 1, 24, 23},
                  {&lblFile, CxKind::Label, "Log File:", 24, yRows + 29},
                  {&edtFile, CxKind::Edit, "", 96, yRows + 26, 292, 21, ES_READONLY},
                  {&btnFile, CxKind::Button, "...", 394, yRows + 25, 24, 23},
                  {&btnDebug, CxKind::Button, "&Debug Options", 12, yButtons, 110, 27},
                  {&btnOK, CxKind::DefButton, "&OK", 232, yButtons, 80, 27},
                  {&btnExit, CxKind::Button, "Quit Mirrowick", 320, yButtons, 108, 27},
              });
    lblName.onClick = [this] { imgLogoClick(); };
    lblSupport.onClick = [this] { lblSupportClick(); };
    btnFolder.onClick = [this] { btnFolderClick(); };
    btnFile.onClick = [this] { btnFileClick(); };
    btnDebug.onClick = [this] { btnDebugClick(); };
    btnOK.onClick = [this] { EndModal(IDOK); };
    btnExit.onClick = [this] { btnExitClick(); };
    if (bOk)
        FormCreate();
    return bOk;
}

void TfmDump::FormCreate() {
    FillLogRows(m_pWorkFolder, edtFolder, btnFolder, edtFile, btnFile);
}

void TfmDump::lblSupportClick() {
    const std::string link =
        std::string("mailto:") + kSupportAddress + "?subject=Mirrowick%20Bug%20Report";
    OpenWithShell(link.c_str());
}

void TfmDump::btnDebugClick() {
    // Owned by this dialog, which stays open and disabled behind it.
    TfmDebug fmDebug(m_pWorkFolder);
    if (ModalUi().RunModal(Handle(), fmDebug) != IDOK || !m_bFatal)
        return;
    const AppSettings& s = Settings();
    CxIniUtil& ini = SettingsIni();
    ini.IniWriteBool(kSettingsSection, "EnableDebug", s.EnableDebug);
    ini.IniWriteInt(kSettingsSection, "LogLevel", s.LogLevel);
}

void TfmDump::btnExitClick() {
    EndModal(IDABORT);
    if (m_bFatal)
        return;
    // The main window closes as if the user had closed it, once this dialog has gone.
    if (m_hMain != nullptr && IsWindow(m_hMain))
        PostMessageA(m_hMain, WM_CLOSE, 0, 0);
    else
        PostQuitMessage(0);
}

void ShowDumpDialog(HWND hOwner) {
    HWND hMain = MainWindowForErrors();
    TfmDump fmDump(hMain != nullptr ? hMain : hOwner);
    ModalUi().RunModal(hOwner, fmDump);
}
