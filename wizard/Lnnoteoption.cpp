#include "Lnnoteoption.h"

#include "AppSettings.h"

#include "common/misc/WinUtil.h"

#include <cstdio>

bool GetDefaultNoteFile(char* szBuf, size_t nCapacity) {
    char szFolder[260];
    if (szBuf == nullptr || nCapacity == 0 || !ReadNotesDataDir(szFolder, sizeof szFolder))
        return false;
    char szPath[280];
    snprintf(szPath, sizeof szPath, "%snotebook.nsf", szFolder);
    DWORD nAttr = GetFileAttributesA(szPath);
    bool bExists = nAttr != INVALID_FILE_ATTRIBUTES && (nAttr & FILE_ATTRIBUTE_DIRECTORY) == 0;
    snprintf(szBuf, nCapacity, "%s", bExists ? szPath : "");
    return true;
}

namespace {
const TfmLNFileOption::Texts kTexts = {
    "Please specify the Lotus Notes Notebook database information as below. For example, Lotus "
    "Notes uses a local \"notebook1.nsf\" database",
    "as your default Notebook database file name.",
    "lotus-notes-database.htm",
    "Local Notebook Database (e.g. notebook.nsf)",
    "Remote Notebook Database (If you are not sure about this, please check with your Domino "
    "Admin)",
    "Invalid Notebook database name.",
    "Lotus Notes Notebook Database file (notebook.nsf)",
};
} // namespace

TfmLNNoteOption::TfmLNNoteOption(IWizardHost& host)
    : TfmLNFileOption(host, kTexts,
                      {Label1, Label2, Label5, rbtnNoteLocal, edtLNNoteLocal, btnLNNoteBrowse,
                       rbtnNoteRemote, edtLNNoteRemote, Label3},
                      Settings().NoteLocal, Settings().NoteFile, &GetDefaultNoteFile) {}
