#include "Platform.h"

#include <windows.h>

namespace {
// CxSystemTime has the fields of SYSTEMTIME, in the same order.
CxSystemTime FromSystemTime(const SYSTEMTIME& t) {
    return {t.wYear, t.wMonth,  t.wDayOfWeek, t.wDay,
            t.wHour, t.wMinute, t.wSecond,    t.wMilliseconds};
}
SYSTEMTIME ToSystemTime(const CxSystemTime& t) {
    return {t.wYear, t.wMonth,  t.wDayOfWeek, t.wDay,
            t.wHour, t.wMinute, t.wSecond,    t.wMilliseconds};
}
} // namespace

void PlatformGetLocalTime(CxSystemTime* st) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    *st = FromSystemTime(now);
}

bool PlatformUtcToLocal(const CxSystemTime* pUtc, CxSystemTime* pLocal) {
    SYSTEMTIME utc = ToSystemTime(*pUtc), local;
    if (!SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local))
        return false;
    *pLocal = FromSystemTime(local);
    return true;
}

unsigned long PlatformThreadId() {
    return GetCurrentThreadId();
}

bool PlatformCopyFile(const char* from, const char* to) {
    return CopyFileA(from, to, FALSE) != 0;
}

bool PlatformDeleteFile(const char* path) {
    return DeleteFileA(path) != 0;
}

bool PlatformPathExists(const char* path) {
    return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

std::u16string PlatformAnsiToUtf16(const std::string& ansi) {
    if (ansi.empty())
        return std::u16string();
    int n = MultiByteToWideChar(CP_ACP, 0, ansi.data(), (int)ansi.size(), nullptr, 0);
    if (n <= 0)
        return std::u16string();
    std::u16string out((size_t)n, u'\0');
    MultiByteToWideChar(CP_ACP, 0, ansi.data(), (int)ansi.size(), (wchar_t*)&out[0], n);
    return out;
}

std::string PlatformUtf16ToAnsi(const std::u16string& wide) {
    if (wide.empty())
        return std::string();
    const wchar_t* w = (const wchar_t*)wide.data();
    // No best-fit look-alikes (an omega must not turn into "O"): a character without an ANSI
    // form becomes "?". The UTF-8 code page has every character and takes neither option.
    bool bUtf8 = GetACP() == CP_UTF8;
    DWORD dwFlags = bUtf8 ? 0 : WC_NO_BEST_FIT_CHARS;
    const char* szDefault = bUtf8 ? nullptr : "?";
    int n =
        WideCharToMultiByte(CP_ACP, dwFlags, w, (int)wide.size(), nullptr, 0, szDefault, nullptr);
    if (n <= 0)
        return std::string();
    std::string out((size_t)n, '\0');
    WideCharToMultiByte(CP_ACP, dwFlags, w, (int)wide.size(), &out[0], n, szDefault, nullptr);
    return out;
}
