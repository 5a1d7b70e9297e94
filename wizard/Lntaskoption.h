// Step 1 for tasks: the user's mail database (the same setting as the calendar page's).
#pragma once

#include "Lnoptionpage.h"

class TfmLNTaskOption : public TfmLNMailOption {
public:
    explicit TfmLNTaskOption(IWizardHost& host);

    CxLabel Label1, Label2, Label3, Label4;
    CxLinkLabel Label5;
    CxEdit edtTaskName;
};
