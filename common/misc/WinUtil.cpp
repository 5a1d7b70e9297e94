#include "WinUtil.h"

#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {
ShellOpenHook g_pShellOpenHook = nullptr;

// Reads a text value into szBuf, which always ends terminated. Lotus Notes is a 32-bit program
// and keeps its keys in the 32-bit view of the registry, so that view is asked when the native
// one has no such key. nRoom is the most characters the value may have.
bool ReadRegistryText(HKEY hRoot, const char* szKey, const char* szValue, char* szBuf,
                      DWORD nRoom) {
    const REGSAM aViews[2] = {0, KEY_WOW64_32KEY};
    for (REGSAM view : aViews) {
        HKEY hKey;
        if (RegOpenKeyExA(hRoot, szKey, 0, KEY_READ | view, &hKey) != ERROR_SUCCESS)
            continue;
        std::vector<char> value(nRoom + 1, '\0');
        DWORD cb = nRoom + 1;
        LONG rc = RegQueryValueExA(hKey, szValue, nullptr, nullptr,
                                   reinterpret_cast<BYTE*>(value.data()), &cb);
        RegCloseKey(hKey);
        if (rc != ERROR_SUCCESS)
            continue;
        // A stored text need not carry its terminator; one that fills the room without one is
        // too long.
        size_t nLen = strnlen(value.data(), cb);
        if (nLen > nRoom)
            continue;
        memcpy(szBuf, value.data(), nLen);
        szBuf[nLen] = '\0';
        return true;
    }
    return false;
}
} // namespace

int GetProgramFolder(HMODULE hModule, char* szBuf, size_t nSize) {
    if (szBuf == nullptr || nSize == 0)
        return 0;
    char szModule[MAX_PATH + 1] = "";
    DWORD n = GetModuleFileNameA(hModule, szModule, MAX_PATH);
    szModule[n < MAX_PATH ? n : MAX_PATH] = '\0';
    char szDrive[_MAX_DRIVE], szDir[_MAX_DIR];
    _splitpath(szModule, szDrive, szDir, nullptr, nullptr);
    snprintf(szBuf, nSize, "%s%s", szDrive, szDir);
    return 1;
}

int ReadNotesPath(char* szBuf, DWORD nSize) {
    if (szBuf == nullptr || nSize == 0)
        return 0;
    szBuf[0] = '\0';
    return ReadRegistryText(HKEY_LOCAL_MACHINE, "SOFTWARE\\Lotus\\Notes", "Path", szBuf, nSize - 1)
               ? 1
               : 0;
}

int ReadNotesDataDir(char* szBuf, DWORD nSize) {
    if (szBuf == nullptr || nSize == 0)
        return 0;
    szBuf[0] = '\0';
    // Room is kept for the backslash that may be added.
    if (nSize < 3 || !ReadRegistryText(HKEY_CURRENT_USER, "SOFTWARE\\Lotus\\Notes\\Installer",
                                       "DATADIR", szBuf, nSize - 2)) {
        szBuf[0] = '\0';
        return 0;
    }
    size_t nLen = strlen(szBuf);
    if (nLen == 0)
        return 0;
    if (szBuf[nLen - 1] != '\\') {
        szBuf[nLen] = '\\';
        szBuf[nLen + 1] = '\0';
    }
    return 1;
}

int OpenWithShell(const char* szTarget) {
    if (szTarget == nullptr || szTarget[0] == '\0')
        return 0;
    if (g_pShellOpenHook != nullptr)
        g_pShellOpenHook(szTarget);
    else
        ShellExecuteA(nullptr, "open", szTarget, nullptr, nullptr, SW_SHOWNORMAL);
    return 1;
}

void SetShellOpenHook(ShellOpenHook pHook) {
    g_pShellOpenHook = pHook;
}
