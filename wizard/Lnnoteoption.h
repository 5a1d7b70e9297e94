// Step 1 for the notebook: a local file or a database on a server.
#pragma once

#include "Lnoptionpage.h"

// The data folder's "notebook.nsf" when that file exists, else an empty text; false, buffer
// unchanged, when no Lotus Notes data folder is registered.
bool GetDefaultNoteFile(char* szBuf, size_t nCapacity);

class TfmLNNoteOption : public TfmLNFileOption {
public:
    explicit TfmLNNoteOption(IWizardHost& host);

    CxLabel Label1, Label2, Label3;
    CxLinkLabel Label5;
    CxRadioButton rbtnNoteLocal, rbtnNoteRemote;
    CxEdit edtLNNoteLocal, edtLNNoteRemote;
    CxButton btnLNNoteBrowse;
};
