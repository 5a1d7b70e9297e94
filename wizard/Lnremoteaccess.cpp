#include "Lnremoteaccess.h"

#include "AppSettings.h"
#include "Lnoptionpage.h"
#include "Waitwindow.h"

#include "common/misc/CxDebugUtil.h"
#include "common/misc/WinUtil.h"
#include "ui/CxLayout.h"
#include "ui/CxLook.h"
#include "ui/CxModal.h"
#include "ui/CxUiError.h"

#include <cstdio>
#include <exception>

namespace {
// How long the page lets the wait window take to close: it needs one tick at most.
const DWORD kCloseWait = 3000;
} // namespace

bool GetDefaultIDFile(char* szBuf, size_t nCapacity) {
    char szFolder[260];
    if (szBuf == nullptr || nCapacity == 0 || !ReadNotesPath(szFolder, sizeof szFolder))
        return false;
    snprintf(szBuf, nCapacity, "%sData\\user.id", szFolder);
    return true;
}

std::string LoadFailureMessage(const std::string& helperError) {
    std::string text = "Can not retrieve your Lotus Notes information. Please make sure that you "
                       "entered the correct Lotus Notes access information.";
    if (!helperError.empty())
        text += "\r\n\r\n" + helperError;
    return text;
}

bool TfmLNRemoteAccess::CreateControls() {
    const char* szLabel2 = "If you need a password to access the remote Domino server, please "
                           "specify the password. If you need to switch to new Domino user.";
    const char* szLabel3 = "Please choose the appropriate user ID file to access the  server.";
    const HFONT hFont = look::NormalFont();
    const int h2 = TextHeight96(hFont, szLabel2, 714);
    const int y3 = 54 + h2 + 8;
    const int y = y3 + 44;
    const int xLink = 40 + TextWidth96(hFont, szLabel3) + 8;
    bool bOk = CreateLayout(
        Handle(), {
                      {&Label1, CxKind::Label,
                       "Please specify the database access user / password information.", 40, 30},
                      {&Label2, CxKind::MultiLabel, szLabel2, 40, 54, 714, h2},
                      {&Label3, CxKind::Label, szLabel3, 40, y3},
                      {&Label5, CxKind::Link, "( More Details ... )", xLink, y3},
                      {&cbLNPassword, CxKind::Check, "Password Required:", 60, y + 2},
                      {&edtLNPassword, CxKind::Password, "", 200, y, 260, 23},
                      {&cbLNSavePassword, CxKind::Check, "Save the Password", 200, y + 32},
                      {&Label8, CxKind::Label, "User ID File:", 60, y + 80},
                      {&edtIDFile, CxKind::Edit, "", 200, y + 77, 460, 23},
                      {&btnIDFileBrowse, CxKind::Button, "...", 666, y + 77, 30, 23},
                  });
    edtLNPassword.SetLimit(63);
    edtIDFile.SetLimit(259);
    cbLNPassword.onClick = [this] { cbLNPasswordClick(); };
    btnIDFileBrowse.onClick = [this] { btnIDFileBrowseClick(); };
    Label5.onClick = [] { OpenHelpPage("lotus-notes-option.htm#user_id"); };
    return bOk;
}

void TfmLNRemoteAccess::cbLNPasswordClick() {
    bool bTicked = cbLNPassword.IsChecked();
    edtLNPassword.Enable(bTicked);
    cbLNSavePassword.Enable(bTicked);
}

void TfmLNRemoteAccess::btnIDFileBrowseClick() {
    CxOpenFileRequest request;
    request.filters = {{"Lotus Notes user ID file (user.id)", "*.id"}, {"All Files(*.*)", "*.*"}};
    char szStart[260] = "";
    edtIDFile.GetText(szStart, sizeof szStart);
    if (szStart[0] == '\0')
        GetDefaultIDFile(szStart, sizeof szStart);
    request.startName = szStart;
    std::string path;
    if (ModalUi().OpenFileName(GetAncestor(Handle(), GA_ROOT), request, path))
        edtIDFile.SetText(path.c_str());
}

bool TfmLNRemoteAccess::UpdatePage(bool bLeave) {
    if (bLeave)
        return Leave();
    AppSettings& s = Settings();
    if (s.IDFile[0] == '\0')
        GetDefaultIDFile(s.IDFile, sizeof s.IDFile);
    edtIDFile.SetText(s.IDFile);
    // Setting the ticks leaves the enabled state of the password controls as it was.
    cbLNPassword.SetCheck(s.HasPassword);
    cbLNSavePassword.SetCheck(s.SavePassword);
    edtLNPassword.SetText(s.Password);
    return true;
}

bool TfmLNRemoteAccess::Leave() {
    AppSettings& s = Settings();
    SET_SETTING_TEXT(s.IDFile, edtIDFile.GetText().c_str());
    s.HasPassword = cbLNPassword.IsChecked();
    s.SavePassword = cbLNSavePassword.IsChecked();
    SET_SETTING_TEXT(s.Password, edtLNPassword.GetText().c_str());

    Host().SetStepHint("Loading Lotus Notes information, please wait ...");
    HCURSOR hArrow = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)); // IDC_ARROW
    SetCursor(LoadCursorA(nullptr, MAKEINTRESOURCEA(32514)));       // IDC_WAIT
    StartWaitWindow(Handle());
    bool bLoaded = false;
    try {
        bLoaded = Host().LoadNotesData();
    } catch (const std::exception& e) {
        SetCursor(hArrow);
        CloseWaitWindow();
        WaitForWaitWindowToClose(kCloseWait);
        ReportUnhandledException(Host().MainWindow(), e.what());
        return false;
    } catch (...) {
        SetCursor(hArrow);
        CloseWaitWindow();
        WaitForWaitWindowToClose(kCloseWait);
        ReportUnhandledException(Host().MainWindow(), nullptr);
        return false;
    }
    CloseWaitWindow();
    WaitForWaitWindowToClose(kCloseWait);
    if (!bLoaded) {
        const std::string text = LoadFailureMessage(Host().LastLoadError());
        CXLOG(0, "Loading failed: %s", Host().LastLoadError().c_str());
        ModalUi().ShowMessageBox(GetAncestor(Handle(), GA_ROOT), text.c_str(), "Error",
                                 MB_OK | MB_ICONINFORMATION);
    }
    SetCursor(hArrow);
    return bLoaded;
}
