#include "HelperFiles.h"

#include <windows.h>

#include <cstdio>

std::string DescribeFileError(unsigned long nError) {
    switch (nError) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_NETPATH:
        return "the file does not exist.";
    case ERROR_ACCESS_DENIED:
        return "access is denied (the file may be read-only, or you may lack the rights to "
               "change it).";
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return "another program is using the file; close it and try again.";
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return "the disk is full.";
    case ERROR_WRITE_PROTECT:
        return "the disk is write-protected.";
    default:
        break;
    }
    char* szMessage = nullptr;
    FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                       FORMAT_MESSAGE_IGNORE_INSERTS,
                   nullptr, nError, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
                   reinterpret_cast<char*>(&szMessage), 0, nullptr);
    std::string text = szMessage != nullptr ? szMessage : "";
    if (szMessage != nullptr)
        LocalFree(szMessage);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' '))
        text.pop_back();
    if (text.empty())
        text = "Windows error " + std::to_string(nError);
    if (text.back() != '.')
        text += '.';
    return text;
}

bool ReadWholeFile(const std::string& path, std::string& bytes, std::string& error) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        error = "Cannot open " + path + ": " + DescribeFileError(GetLastError());
        return false;
    }
    LARGE_INTEGER size;
    if (!GetFileSizeEx(h, &size) || size.QuadPart > 0x7FFFFFFF) {
        CloseHandle(h);
        error = "Cannot read " + path + ": the file is larger than 2 GB.";
        return false;
    }
    bytes.assign((size_t)size.QuadPart, '\0');
    size_t nDone = 0;
    while (nDone < bytes.size()) {
        DWORD nRead = 0;
        DWORD nWant = (DWORD)std::min<size_t>(bytes.size() - nDone, 1 << 24);
        if (!ReadFile(h, &bytes[nDone], nWant, &nRead, nullptr) || nRead == 0) {
            DWORD nError = GetLastError();
            CloseHandle(h);
            error = "Cannot read " + path + ": " + DescribeFileError(nError);
            return false;
        }
        nDone += nRead;
    }
    CloseHandle(h);
    return true;
}

namespace {

std::string FolderOf(const std::string& path) {
    size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// Writes the bytes into a new file beside the target and flushes it; its path in tempPath.
bool WriteBeside(const std::string& path, const std::string& bytes, std::string& tempPath,
                 std::string& error) {
    char szTemp[MAX_PATH];
    std::string folder = FolderOf(path);
    if (GetTempFileNameA(folder.empty() ? "." : folder.c_str(), "mwk", 0, szTemp) == 0) {
        error = "Cannot write in the folder of " + path + ": " + DescribeFileError(GetLastError());
        return false;
    }
    tempPath = szTemp;
    HANDLE h = CreateFileA(szTemp, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                           nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        error = "Cannot write " + tempPath + ": " + DescribeFileError(GetLastError());
        DeleteFileA(szTemp);
        return false;
    }
    size_t nDone = 0;
    bool bOk = true;
    while (nDone < bytes.size()) {
        DWORD nWritten = 0;
        DWORD nWant = (DWORD)std::min<size_t>(bytes.size() - nDone, 1 << 24);
        if (!WriteFile(h, bytes.data() + nDone, nWant, &nWritten, nullptr) || nWritten == 0) {
            bOk = false;
            break;
        }
        nDone += nWritten;
    }
    if (bOk && !FlushFileBuffers(h))
        bOk = false;
    DWORD nError = GetLastError();
    CloseHandle(h);
    if (!bOk) {
        error = "Cannot write " + tempPath + ": " + DescribeFileError(nError);
        DeleteFileA(szTemp);
        return false;
    }
    return true;
}

bool MoveOver(const std::string& from, const std::string& to, std::string& error) {
    if (!MoveFileExA(from.c_str(), to.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        error = "Cannot replace " + to + ": " + DescribeFileError(GetLastError());
        DeleteFileA(from.c_str());
        return false;
    }
    return true;
}

} // namespace

bool WriteFileAtomically(const std::string& path, const std::string& bytes, std::string& error) {
    std::string temp;
    if (!WriteBeside(path, bytes, temp, error))
        return false;
    return MoveOver(temp, path, error);
}

bool ReplaceWithBackup(const std::string& path, const std::string& bytes, std::string& backupPath,
                       std::string& error) {
    // A read-only file is refused before anything is made.
    DWORD nAttr = GetFileAttributesA(path.c_str());
    if (nAttr == INVALID_FILE_ATTRIBUTES) {
        error = "Cannot open " + path + ": " + DescribeFileError(GetLastError());
        return false;
    }
    if (nAttr & FILE_ATTRIBUTE_READONLY) {
        error = "Cannot change " + path + ": the file is read-only.";
        return false;
    }
    SYSTEMTIME now;
    GetLocalTime(&now);
    char szStamp[32];
    snprintf(szStamp, sizeof szStamp, "%04u-%02u-%02u_%02u%02u%02u", now.wYear, now.wMonth,
             now.wDay, now.wHour, now.wMinute, now.wSecond);
    backupPath.clear();
    for (int n = 1; n < 1000 && backupPath.empty(); ++n) {
        std::string candidate =
            path + "." + szStamp + (n > 1 ? "-" + std::to_string(n) : "") + ".bak";
        if (CopyFileA(path.c_str(), candidate.c_str(), TRUE)) {
            backupPath = candidate;
        } else {
            DWORD nError = GetLastError();
            if (nError != ERROR_FILE_EXISTS && nError != ERROR_ALREADY_EXISTS) {
                error = "Cannot make a backup of " + path + ": " + DescribeFileError(nError);
                return false;
            }
        }
    }
    if (backupPath.empty()) {
        error = "Cannot make a backup of " + path + ": too many backups of the same second.";
        return false;
    }
    std::string temp;
    if (!WriteBeside(path, bytes, temp, error) || !MoveOver(temp, path, error)) {
        DeleteFileA(backupPath.c_str());
        backupPath.clear();
        return false;
    }
    return true;
}
