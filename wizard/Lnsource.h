// Step 0: the kind of data to clean, and the way to the duplicate criteria.
#pragma once

#include "WizardPage.h"

#include "ui/CxControls.h"

class TfmLNSource : public TfmWizardPage {
public:
    using TfmWizardPage::TfmWizardPage;

    // Entering: select the button of AppFlag (contacts for an unknown value). Leaving: AppFlag
    // becomes the selected button's value; false, AppFlag unchanged, when none is selected.
    bool UpdatePage(bool bLeave) override;

    CxGroupBox suiGroupBox1;
    CxRadioButton rbtnAddr, rbtnDate, rbtnTask, rbtnNote;
    CxButton btnOption;

protected:
    bool CreateControls() override;

private:
    void btnOptionClick();
};
