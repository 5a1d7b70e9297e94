// Stateless helpers for locating the program and Lotus Notes, and for handing documents to the
// shell.
#pragma once

#include <windows.h>

#include <cstddef>

// The folder of the module (none: the running executable) with its trailing backslash.
// 1 when a buffer was given, else 0.
int GetProgramFolder(HMODULE hModule, char* szBuf, size_t nSize = MAX_PATH);

// The Lotus Notes program folder: value "Path" of HKEY_LOCAL_MACHINE "SOFTWARE\Lotus\Notes",
// as stored. 1 when it was read, else 0 and an empty buffer.
int ReadNotesPath(char* szBuf, DWORD nSize);

// The Lotus Notes data folder of the current user: value "DATADIR" of HKEY_CURRENT_USER
// "SOFTWARE\Lotus\Notes\Installer", with a trailing backslash. A value that leaves no room in
// the buffer for the added backslash is not taken. 1 when a non-empty value was read.
int ReadNotesDataDir(char* szBuf, DWORD nSize);

// Hands a file, folder or address to the shell with the verb "open". 1 when something was
// handed over, else 0.
int OpenWithShell(const char* szTarget);

// Tests replace the shell call to see what would have been opened; null restores it.
using ShellOpenHook = void (*)(const char* szTarget);
void SetShellOpenHook(ShellOpenHook pHook);
