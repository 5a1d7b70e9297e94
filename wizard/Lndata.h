// Step 3, the duplicate review page. Its content (the lists of duplicates, the search again,
// the detail viewers) lands next; until then the page exists at its place in the sequence and
// lets every move through.
#pragma once

#include "WizardPage.h"

class TfmLNData : public TfmWizardPage {
public:
    using TfmWizardPage::TfmWizardPage;

    bool UpdatePage(bool /*bLeave*/) override { return true; }

protected:
    bool CreateControls() override { return true; }
};
