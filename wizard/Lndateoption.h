// Step 1 for the calendar: the user's mail database.
#pragma once

#include "Lnoptionpage.h"

class TfmLNDateOption : public TfmLNMailOption {
public:
    explicit TfmLNDateOption(IWizardHost& host);

    CxLabel Label1, Label2, Label3, Label4;
    CxLinkLabel Label5;
    CxEdit edtDateName;
};
