// The settings record: every key of the settings file "pellora.ini" under its own name. Read at
// start-up, written at shutdown; in between the pages and dialogs read and change it directly.
#pragma once

#include <cstdint>

// The chosen kind of data, as a bit value.
enum : int32_t {
    kAppAddr = 1, // contacts
    kAppDate = 2, // calendar
    kAppTask = 4, // tasks
    kAppNote = 8, // notebook
};

struct AppSettings {
    char NotesPath[256];
    char ServerName[64];
    char UserName[64];
    char AddrFile[256];
    char NoteFile[256];
    char MailDBName[256];
    char IDFile[256];
    bool HasPassword;
    bool SavePassword;
    char Password[64]; // in clear; the file holds its Base64 text
    int32_t AppFlag;
    bool CaseSensitive;
    bool AddrLocal;
    bool NoteLocal;

    bool AddrDisplayName;
    bool AddrFirstName;
    bool AddrMiddleName;
    bool AddrLastName;
    bool AddrCompanyName;
    bool AddrDepartment;
    bool AddrTitle;
    bool AddrEmail;
    bool AddrPhone;
    bool AddrAddress;
    bool AddrIM;
    bool AddrWebSite;
    bool AddrNote;
    bool DateSubject;
    bool DateLocation;
    bool DateStartTime;
    bool DateEndTime;
    bool DateAllDayEvent;
    bool DateRecur;
    bool DateNote;
    bool TaskSubject;
    bool TaskImportance;
    bool TaskDueDate;
    bool TaskNote;
    bool NoteSubject;
    bool NoteNotes;

    bool EnableDebug;
    int32_t LogLevel;
};

// The program's one settings record.
AppSettings& Settings();

// Every text empty, every number and truth value 0.
void ClearSettings(AppSettings& s);

// Copies a text into a fixed-capacity field, cut to its capacity.
void CopySettingText(char* szField, unsigned nCapacity, const char* szText);
#define SET_SETTING_TEXT(field, text) CopySettingText((field), (unsigned)sizeof(field), (text))
