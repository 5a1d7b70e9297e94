#include "Lnaddroption.h"

#include "AppSettings.h"

#include "common/misc/WinUtil.h"

#include <cstdio>

bool GetDefaultAddrFile(char* szBuf, size_t nCapacity) {
    char szFolder[260];
    if (szBuf == nullptr || nCapacity == 0 || !ReadNotesDataDir(szFolder, sizeof szFolder))
        return false;
    snprintf(szBuf, nCapacity, "%snames.nsf", szFolder);
    return true;
}

namespace {
const TfmLNFileOption::Texts kTexts = {
    "Please specify the Lotus Notes Contacts database information as below. By default, Lotus "
    "Notes uses a local \"name.nsf\" database",
    "as your personal address book (PAB).",
    "lotus-notes-options.htm",
    "Local Contacts Database (e.g. name.nsf)",
    "Remote Contacts Database (If you are not sure about this, please check with your Domino "
    "Admin)",
    "Invalid Contacts database name.",
    "Lotus Notes Contacts Database file (names.nsf)",
};
} // namespace

TfmLNAddrOption::TfmLNAddrOption(IWizardHost& host)
    : TfmLNFileOption(host, kTexts,
                      {Label1, Label2, Label5, rbtnAddrLocal, edtLNAddrLocal, btnLNAddrBrowse,
                       rbtnAddrRemote, edtLNAddrRemote, Label3},
                      Settings().AddrLocal, Settings().AddrFile, &GetDefaultAddrFile) {}
