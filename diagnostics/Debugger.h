// The debug options dialog: switches the debug log on or off and sets its level. OK stores both
// into the settings and applies them to the log at once; Cancel changes nothing. It also shows
// where the log is.
#pragma once

#include "DiagCommon.h"

#include "ui/CxControls.h"
#include "ui/CxModal.h"
#include "wizard/Apputil.h"

class TfmDebug : public CxModalWindow {
public:
    explicit TfmDebug(WorkFolderProc pWorkFolder = GetWorkFolder) : m_pWorkFolder(pWorkFolder) {}

    bool Create(HWND hOwner) override;

    CxPanel pLogo;
    CxPicture imgLogo;
    CxClickLabel lblName;
    CxCheckBox cbEnable;
    CxLabel lblLevel;
    CxComboBox cbxLevel;
    CxGroupBox gbInfo;
    CxLabel lblFolder, lblFile;
    CxEdit edtFolder, edtFile;
    CxButton btnFolder, btnFile;
    CxButton btnOK, btnCancel;

protected:
    void OnOK() override { btnOKClick(); }
    HWND DefaultButton() const override { return btnOK.Handle(); }

private:
    void FormCreate();
    void btnOKClick();
    void imgLogoClick() { OpenProductPage(); }
    void btnFolderClick() { OpenLogFolder(edtFolder); }
    void btnFileClick() { OpenLogFile(Handle(), edtFile); }

    WorkFolderProc m_pWorkFolder;
};
