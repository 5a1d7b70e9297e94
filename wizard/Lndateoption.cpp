#include "Lndateoption.h"

TfmLNDateOption::TfmLNDateOption(IWizardHost& host)
    : TfmLNMailOption(host,
                      "Please specify the Lotus Notes Calendar database information below. "
                      "Generally, Lotus Notes Calendar database is just the",
                      {Label1, Label2, Label3, Label5, Label4, edtDateName}) {}
