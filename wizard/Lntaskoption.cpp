#include "Lntaskoption.h"

TfmLNTaskOption::TfmLNTaskOption(IWizardHost& host)
    : TfmLNMailOption(host,
                      "Please specify the Lotus Notes Task database information below. "
                      "Generally, Lotus Notes Task database is just the",
                      {Label1, Label2, Label3, Label5, Label4, edtTaskName}) {}
