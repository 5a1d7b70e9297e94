// Step 4, the cleaning page. Its content (the deletion run, its log and progress, "Back to
// First Step") lands next; until then the page exists at its place in the sequence and lets
// every move through.
#pragma once

#include "WizardPage.h"

class TfmLNClean : public TfmWizardPage {
public:
    using TfmWizardPage::TfmWizardPage;

    bool UpdatePage(bool /*bLeave*/) override { return true; }

protected:
    bool CreateControls() override { return true; }
};
