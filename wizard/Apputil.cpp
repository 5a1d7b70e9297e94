#include "Apputil.h"

#include "../common/misc/Base64.h"
#include "../common/misc/CxIniUtil.h"

#include <windows.h>
#include <shlobj.h>

#include <cstddef>
#include <cstdio>
#include <cstring>

const char kSettingsSection[] = "Mirrowick";

namespace {

enum class Kind { Text, Bool, Int, Password };

struct Key {
    const char* szName;
    Kind kind;
    size_t nOffset;
    size_t nCapacity; // texts only
    int nDefault;     // truth values and integers
};

#define TEXT_KEY(name)                                                                             \
    { #name, Kind::Text, offsetof(AppSettings, name), sizeof(AppSettings::name), 0 }
#define BOOL_KEY(name, def)                                                                        \
    { #name, Kind::Bool, offsetof(AppSettings, name), 0, def }
#define INT_KEY(name, def)                                                                         \
    { #name, Kind::Int, offsetof(AppSettings, name), 0, def }

// Every key, in the order SaveSettings writes them.
const Key kKeys[] = {
    INT_KEY(AppFlag, 1),
    BOOL_KEY(CaseSensitive, 0),
    BOOL_KEY(AddrLocal, 1),
    BOOL_KEY(NoteLocal, 1),
    BOOL_KEY(AddrDisplayName, 1),
    BOOL_KEY(AddrFirstName, 1),
    BOOL_KEY(AddrMiddleName, 1),
    BOOL_KEY(AddrLastName, 1),
    BOOL_KEY(AddrCompanyName, 0),
    BOOL_KEY(AddrDepartment, 0),
    BOOL_KEY(AddrTitle, 0),
    BOOL_KEY(AddrEmail, 1),
    BOOL_KEY(AddrPhone, 0),
    BOOL_KEY(AddrAddress, 0),
    BOOL_KEY(AddrIM, 0),
    BOOL_KEY(AddrWebSite, 0),
    BOOL_KEY(AddrNote, 0),
    BOOL_KEY(DateSubject, 1),
    BOOL_KEY(DateLocation, 0),
    BOOL_KEY(DateStartTime, 1),
    BOOL_KEY(DateEndTime, 1),
    BOOL_KEY(DateAllDayEvent, 1),
    BOOL_KEY(DateRecur, 0),
    BOOL_KEY(DateNote, 0),
    BOOL_KEY(TaskSubject, 1),
    BOOL_KEY(TaskImportance, 1),
    BOOL_KEY(TaskDueDate, 1),
    BOOL_KEY(TaskNote, 0),
    BOOL_KEY(NoteSubject, 1),
    BOOL_KEY(NoteNotes, 1),
    BOOL_KEY(EnableDebug, 0),
    INT_KEY(LogLevel, 3),
    TEXT_KEY(NotesPath),
    TEXT_KEY(ServerName),
    TEXT_KEY(UserName),
    TEXT_KEY(AddrFile),
    TEXT_KEY(NoteFile),
    TEXT_KEY(MailDBName),
    TEXT_KEY(IDFile),
    BOOL_KEY(HasPassword, 0),
    BOOL_KEY(SavePassword, 0),
    {"Password", Kind::Password, offsetof(AppSettings, Password), sizeof(AppSettings::Password), 0},
};

// LoadSettings reads the texts and the two password switches first (from kFirstLoaded on),
// then the password, then the rest from the start of the table.
const int kFirstLoaded = 32;
const int kPasswordIndex = (int)(sizeof kKeys / sizeof kKeys[0]) - 1;

// The Base64 text of a password of 63 characters takes 84; a longer value cannot be ours.
const size_t kPasswordTextCapacity = 256;

void LoadKey(CxIniUtil& ini, AppSettings& s, const Key& key) {
    char* pField = reinterpret_cast<char*>(&s) + key.nOffset;
    switch (key.kind) {
    case Kind::Text:
        ini.IniReadText(kSettingsSection, key.szName, pField, key.nCapacity, "");
        break;
    case Kind::Bool:
        *reinterpret_cast<bool*>(pField) =
            ini.IniReadBool(kSettingsSection, key.szName, key.nDefault != 0);
        break;
    case Kind::Int:
        *reinterpret_cast<int32_t*>(pField) =
            ini.IniReadInt(kSettingsSection, key.szName, key.nDefault);
        break;
    case Kind::Password: {
        // A value that is not well-formed Base64, or that decodes to more than the field
        // holds, reads as no password at all.
        char szText[kPasswordTextCapacity] = "";
        ini.IniReadText(kSettingsSection, key.szName, szText, sizeof szText, "");
        Base64DecodeText(szText, pField, key.nCapacity);
        break;
    }
    }
}

void SaveKey(CxIniUtil& ini, const AppSettings& s, const Key& key) {
    const char* pField = reinterpret_cast<const char*>(&s) + key.nOffset;
    switch (key.kind) {
    case Kind::Text:
        ini.IniWriteText(kSettingsSection, key.szName, pField);
        break;
    case Kind::Bool:
        ini.IniWriteBool(kSettingsSection, key.szName, *reinterpret_cast<const bool*>(pField));
        break;
    case Kind::Int:
        ini.IniWriteInt(kSettingsSection, key.szName, *reinterpret_cast<const int32_t*>(pField));
        break;
    case Kind::Password:
        if (s.SavePassword) {
            size_t nLen = strnlen(pField, key.nCapacity);
            ini.IniWriteText(kSettingsSection, key.szName, Base64Encode(pField, nLen).c_str());
        } else {
            ini.IniWriteText(kSettingsSection, key.szName, "");
        }
        break;
    }
}

} // namespace

const int kSettingsKeyCount = (int)(sizeof kKeys / sizeof kKeys[0]);

const char* SettingsKeyName(int nIndex) {
    return nIndex >= 0 && nIndex < kSettingsKeyCount ? kKeys[nIndex].szName : nullptr;
}

bool GetWorkFolder(char* szBuf, size_t nSize) {
    if (szBuf == nullptr || nSize == 0)
        return false;
    char szPath[MAX_PATH] = "";
    if (FAILED(SHGetFolderPathA(nullptr, CSIDL_COMMON_APPDATA | CSIDL_FLAG_CREATE, nullptr,
                                SHGFP_TYPE_CURRENT, szPath)))
        return false;
    char szFolder[MAX_PATH];
    for (const char* szPart : {"\\pellora\\", "Mirrowick\\"}) {
        size_t nLen = strlen(szPath);
        if (nLen + strlen(szPart) >= sizeof szPath)
            return false;
        // Append the part, without doubling a backslash the folder already ends in.
        const char* szAdd =
            nLen > 0 && szPath[nLen - 1] == '\\' && szPart[0] == '\\' ? szPart + 1 : szPart;
        snprintf(szFolder, sizeof szFolder, "%s%s", szPath, szAdd);
        snprintf(szPath, sizeof szPath, "%s", szFolder);
        DWORD nAttr = GetFileAttributesA(szPath);
        if (nAttr == INVALID_FILE_ATTRIBUTES) {
            if (!CreateDirectoryA(szPath, nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
                return false;
        } else if ((nAttr & FILE_ATTRIBUTE_DIRECTORY) == 0) {
            return false;
        }
    }
    if (strlen(szPath) >= nSize)
        return false;
    snprintf(szBuf, nSize, "%s", szPath);
    return true;
}

CxIniUtil& SettingsIni() {
    static CxIniUtil s_Ini("", "pellora.ini");
    return s_Ini;
}

void LoadSettings(CxIniUtil& ini, AppSettings& s) {
    ClearSettings(s);
    for (int i = kFirstLoaded; i < kPasswordIndex; ++i)
        LoadKey(ini, s, kKeys[i]);
    if (s.SavePassword)
        LoadKey(ini, s, kKeys[kPasswordIndex]);
    for (int i = 0; i < kFirstLoaded; ++i)
        LoadKey(ini, s, kKeys[i]);
}

void SaveSettings(CxIniUtil& ini, const AppSettings& s) {
    for (const Key& key : kKeys)
        SaveKey(ini, s, key);
}
