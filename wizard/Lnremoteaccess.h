// Step 2: the user ID file and the password. Leaving it forward loads the chosen data through
// its helper program while the wait window runs.
#pragma once

#include "WizardPage.h"

#include "ui/CxControls.h"

#include <cstddef>
#include <string>

// The Lotus Notes program folder followed by "Data\user.id"; false, buffer unchanged, when no
// program folder is registered.
bool GetDefaultIDFile(char* szBuf, size_t nCapacity);

// The message of a failed load; the helper's own error, when it gave one, on a line of its own.
std::string LoadFailureMessage(const std::string& helperError);

class TfmLNRemoteAccess : public TfmWizardPage {
public:
    using TfmWizardPage::TfmWizardPage;

    bool UpdatePage(bool bLeave) override;

    CxLabel Label1, Label2, Label3, Label8;
    CxLinkLabel Label5;
    CxCheckBox cbLNPassword, cbLNSavePassword;
    CxEdit edtLNPassword, edtIDFile;
    CxButton btnIDFileBrowse;

protected:
    bool CreateControls() override;

private:
    void cbLNPasswordClick();
    void btnIDFileBrowseClick();
    // Stores the page, then runs the loading run with the wait window.
    bool Leave();
};
