// Step 1 for contacts: the personal address book, a local file or a database on a server.
#pragma once

#include "Lnoptionpage.h"

// The data folder's "names.nsf", whether it exists or not; false, buffer unchanged, when no
// Lotus Notes data folder is registered.
bool GetDefaultAddrFile(char* szBuf, size_t nCapacity);

class TfmLNAddrOption : public TfmLNFileOption {
public:
    explicit TfmLNAddrOption(IWizardHost& host);

    CxLabel Label1, Label2, Label3;
    CxLinkLabel Label5;
    CxRadioButton rbtnAddrLocal, rbtnAddrRemote;
    CxEdit edtLNAddrLocal, edtLNAddrRemote;
    CxButton btnLNAddrBrowse;
};
