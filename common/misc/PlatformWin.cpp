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
    int n = WideCharToMultiByte(CP_ACP, 0, w, (int)wide.size(), nullptr, 0, "?", nullptr);
    if (n <= 0)
        return std::string();
    std::string out((size_t)n, '\0');
    WideCharToMultiByte(CP_ACP, 0, w, (int)wide.size(), &out[0], n, "?", nullptr);
    return out;
}
