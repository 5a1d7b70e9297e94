// The exception dialog: apologises for a failure that escaped the program's own handling,
// points to the support address and to the debug log, and offers to quit. OK closes it and the
// program goes on; "Quit Mirrowick" closes it and asks the main window to close.
#pragma once

#include "DiagCommon.h"

#include "ui/CxControls.h"
#include "ui/CxModal.h"
#include "wizard/Apputil.h"

class TfmDump : public CxModalWindow {
public:
    // hMain: the main window that "Quit Mirrowick" closes (none: the message loop is ended).
    explicit TfmDump(HWND hMain, WorkFolderProc pWorkFolder = GetWorkFolder)
        : m_hMain(hMain), m_pWorkFolder(pWorkFolder) {}

    bool Create(HWND hOwner) override;

    // After a fault the program cannot go on: the dialog only reports, the caller ends the
    // program whatever is pressed, and a choice made in the debug options is written to the
    // settings file at once, as the program's own shutdown will not run.
    void SetFatal(bool bFatal) { m_bFatal = bFatal; }

    CxPanel pLogo;
    CxPicture imgLogo;
    CxClickLabel lblName;
    CxLabel lblSorry, lblContact;
    CxLinkLabel lblSupport;
    CxGroupBox gbInfo;
    CxLabel lblInfo;
    CxLabel lblFolder, lblFile;
    CxEdit edtFolder, edtFile;
    CxButton btnFolder, btnFile;
    CxButton btnDebug, btnOK, btnExit;

protected:
    void OnOK() override { EndModal(IDOK); }
    HWND DefaultButton() const override { return btnOK.Handle(); }

private:
    void FormCreate();
    void imgLogoClick() { OpenProductPage(); }
    void lblSupportClick();
    void btnFolderClick() { OpenLogFolder(edtFolder); }
    void btnFileClick() { OpenLogFile(Handle(), edtFile); }
    void btnDebugClick();
    void btnExitClick();

    HWND m_hMain;
    WorkFolderProc m_pWorkFolder;
    bool m_bFatal = false;
};

// The exception dialog of the program, owned by hOwner, whose "Quit Mirrowick" closes the main
// window (hOwner when no main window is known). Installed with SetExceptionDialog.
void ShowDumpDialog(HWND hOwner);
