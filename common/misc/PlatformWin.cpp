#include "Platform.h"

#include <windows.h>

void PlatformGetLocalTime(CxSystemTime* st) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    st->wYear = now.wYear;
    st->wMonth = now.wMonth;
    st->wDayOfWeek = now.wDayOfWeek;
    st->wDay = now.wDay;
    st->wHour = now.wHour;
    st->wMinute = now.wMinute;
    st->wSecond = now.wSecond;
    st->wMilliseconds = now.wMilliseconds;
}

bool PlatformUtcToLocal(const CxSystemTime* pUtc, CxSystemTime* pLocal) {
    SYSTEMTIME utc = {pUtc->wYear, pUtc->wMonth,  pUtc->wDayOfWeek, pUtc->wDay,
                      pUtc->wHour, pUtc->wMinute, pUtc->wSecond,    pUtc->wMilliseconds};
    SYSTEMTIME local;
    if (!SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local))
        return false;
    pLocal->wYear = local.wYear;
    pLocal->wMonth = local.wMonth;
    pLocal->wDayOfWeek = local.wDayOfWeek;
    pLocal->wDay = local.wDay;
    pLocal->wHour = local.wHour;
    pLocal->wMinute = local.wMinute;
    pLocal->wSecond = local.wSecond;
    pLocal->wMilliseconds = local.wMilliseconds;
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
    int n = WideCharToMultiByte(CP_ACP, dwFlags, w, (int)wide.size(), nullptr, 0, szDefault,
                                nullptr);
    if (n <= 0)
        return std::string();
    std::string out((size_t)n, '\0');
    WideCharToMultiByte(CP_ACP, dwFlags, w, (int)wide.size(), &out[0], n, szDefault, nullptr);
    return out;
}
