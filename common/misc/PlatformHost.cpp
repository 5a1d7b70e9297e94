// Host build: POSIX calls, and the Windows-1252 code page, which is the ANSI code page of the
// Windows build as the tests run it.
#include "Platform.h"

#include "Cp1252.h"

#include <cstdio>
#include <ctime>
#include <fstream>
#include <pthread.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

namespace {
CxSystemTime FromTm(const struct tm& t, uint16_t nMilliseconds) {
    return {(uint16_t)(t.tm_year + 1900), (uint16_t)(t.tm_mon + 1),
            (uint16_t)t.tm_wday,          (uint16_t)t.tm_mday,
            (uint16_t)t.tm_hour,          (uint16_t)t.tm_min,
            (uint16_t)t.tm_sec,           nMilliseconds};
}
} // namespace

void PlatformGetLocalTime(CxSystemTime* st) {
    struct timeval tv;
    gettimeofday(&tv, nullptr);
    time_t secs = tv.tv_sec;
    struct tm lt;
    localtime_r(&secs, &lt);
    *st = FromTm(lt, (uint16_t)(tv.tv_usec / 1000));
}

bool PlatformUtcToLocal(const CxSystemTime* pUtc, CxSystemTime* pLocal) {
    struct tm ut = {};
    ut.tm_year = pUtc->wYear - 1900;
    ut.tm_mon = pUtc->wMonth - 1;
    ut.tm_mday = pUtc->wDay;
    ut.tm_hour = pUtc->wHour;
    ut.tm_min = pUtc->wMinute;
    ut.tm_sec = pUtc->wSecond;
    time_t secs = timegm(&ut);
    struct tm lt;
    if (secs == (time_t)-1 || localtime_r(&secs, &lt) == nullptr)
        return false;
    *pLocal = FromTm(lt, pUtc->wMilliseconds);
    return true;
}

unsigned long PlatformThreadId() {
    return (unsigned long)gettid();
}

bool PlatformCopyFile(const char* from, const char* to) {
    std::ifstream in(from, std::ios::binary);
    if (!in)
        return false;
    std::ofstream out(to, std::ios::binary | std::ios::trunc);
    if (!out)
        return false;
    out << in.rdbuf();
    return (bool)out;
}

bool PlatformDeleteFile(const char* path) {
    return std::remove(path) == 0;
}

bool PlatformPathExists(const char* path) {
    struct stat sb;
    return stat(path, &sb) == 0;
}

std::u16string PlatformAnsiToUtf16(const std::string& ansi) {
    std::u16string out;
    out.reserve(ansi.size());
    for (unsigned char c : ansi)
        out.push_back(Cp1252ToUtf16(c));
    return out;
}

std::string PlatformUtf16ToAnsi(const std::u16string& wide) {
    std::string out;
    out.reserve(wide.size());
    for (char16_t w : wide) {
        unsigned char c;
        out.push_back(Utf16ToCp1252(w, &c) ? (char)c : '?');
    }
    return out;
}
