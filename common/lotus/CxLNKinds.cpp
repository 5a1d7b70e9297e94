// The four kinds of records: their files, helper programs and log texts.
#include "CxLNAddr.h"
#include "CxLNDate.h"
#include "CxLNNote.h"
#include "CxLNTask.h"

#include <cstdio>

namespace {

const char kOpenFailed[] = "Failed to open file: %s";
const char kSubmitFailed[] = "Can not save information to temperary file.";

const LNKindInfo kAddrInfo = {
    LNKind::kAddr,
    "LNAddr.dat",
    "LNAddrErr.dat",
    "LNAddrStatus.dat",
    "LNAddrParam.dat",
    "LNAddr.ini",
    "Pellora.NotesAddr.exe",
    kParamAddrFile,
    {
        "Start loading Lotus Notes Contacts.",
        "Load Lotus Notes Contacts information successfully.",
        "Failed to load Lotus Notes Contacts information.",
        "Start loading Lotus Notes Contacts from temperary file: %s",
        kOpenFailed,
        "There are %d Contact records in total.",
        "Load Lotus Notes Contact information from file successfully.",
        "Start saving Lotus Notes Contacts information to file: %s",
        kOpenFailed,
        "Save Lotus Notes Contacts information to file successfully.",
        "Submit changes to Lotus Notes contacts database",
        kSubmitFailed,
    },
};

const LNKindInfo kDateInfo = {
    LNKind::kDate,
    "LNDate.dat",
    "LNDateErr.dat",
    "LNDateStatus.dat",
    "LNDateParam.dat",
    "LNDate.ini",
    "Pellora.NotesDate.exe",
    kParamDatabase,
    {
        "Start loading Lotus Notes Calendar.",
        "Load Lotus Notes Calendar information successfully.",
        "Failed to load Lotus Notes Calendar information.",
        "Start loading Lotus Notes Calendar from temperary file: %s",
        kOpenFailed,
        "There are %d Calendar records in total.",
        "Load Lotus Notes Calendar information from file successfully.",
        "Start saving Lotus Notes Calendar information to file: %s",
        kOpenFailed,
        "Save Lotus Notes Calendar information to file successfully.",
        "Submit changes to Lotus Notes calendar database",
        kSubmitFailed,
    },
};

const LNKindInfo kTaskInfo = {
    LNKind::kTask,
    "LNTask.dat",
    "LNTaskErr.dat",
    "LNTaskStatus.dat",
    "LNTaskParam.dat",
    "LNTask.ini",
    "Pellora.NotesTask.exe",
    kParamDatabase,
    {
        "Start loading Lotus Notes Tasks.",
        "Load Lotus Notes Tasks information successfully.",
        "Failed to load Lotus Notes Tasks information.",
        "Start loading Lotus Notes Tasks from temperary file: %s",
        kOpenFailed,
        "There are %d Task records in total.",
        "Load Lotus Notes Tasks information from file successfully.",
        "Start saving Lotus Notes Tasks information to file: %s",
        kOpenFailed,
        "Save Lotus Notes Tasks information to file successfully.",
        "Submit changes to Lotus Notes task database",
        kSubmitFailed,
    },
};

const LNKindInfo kNoteInfo = {
    LNKind::kNote,
    "LNNote.dat",
    "LNNoteErr.dat",
    "LNNoteStatus.dat",
    "LNNoteParam.dat",
    "LNNote.ini",
    "Pellora.NotesNote.exe",
    kParamDatabase,
    {
        nullptr,
        nullptr,
        nullptr,
        nullptr,
        "Cannot load Lotus Notes Note records from temperary file: %s",
        nullptr,
        nullptr,
        nullptr,
        "Cannot save Lotus Notes Notes records to temperary file: %s",
        nullptr,
        nullptr,
        kSubmitFailed,
    },
};

} // namespace

CxLNAddrUtil::CxLNAddrUtil() : CxLNStore<LNAddrRecord>(kAddrInfo) {
    m_szAddrFile[0] = '\0';
}

void CxLNAddrUtil::SetAddrFile(const char* szText) {
    if (szText != nullptr)
        snprintf(m_szAddrFile, sizeof m_szAddrFile, "%s", szText);
}

CxLNDateUtil::CxLNDateUtil() : CxLNStore<LNDateRecord>(kDateInfo) {}
CxLNTaskUtil::CxLNTaskUtil() : CxLNStore<LNTaskRecord>(kTaskInfo) {}
CxLNNoteUtil::CxLNNoteUtil() : CxLNStore<LNNoteRecord>(kNoteInfo) {}
