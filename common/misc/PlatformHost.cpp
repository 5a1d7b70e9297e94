// Host build: POSIX calls, and the Windows-1252 code page, which is the ANSI code page of the
// Windows build as the tests run it.
#include "Platform.h"

#include <cstdio>
#include <ctime>
#include <fstream>
#include <pthread.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

void PlatformGetLocalTime(CxSystemTime* st) {
    struct timeval tv;
    gettimeofday(&tv, nullptr);
    time_t secs = tv.tv_sec;
    struct tm lt;
    localtime_r(&secs, &lt);
    st->wYear = (uint16_t)(lt.tm_year + 1900);
    st->wMonth = (uint16_t)(lt.tm_mon + 1);
    st->wDayOfWeek = (uint16_t)lt.tm_wday;
    st->wDay = (uint16_t)lt.tm_mday;
    st->wHour = (uint16_t)lt.tm_hour;
    st->wMinute = (uint16_t)lt.tm_min;
    st->wSecond = (uint16_t)lt.tm_sec;
    st->wMilliseconds = (uint16_t)(tv.tv_usec / 1000);
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

namespace {
// Windows-1252 bytes 0x80 to 0x9F; 0 marks the five bytes that have no character.
const char16_t kCp1252High[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                  0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                  0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                  0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
} // namespace

std::u16string PlatformAnsiToUtf16(const std::string& ansi) {
    std::u16string out;
    out.reserve(ansi.size());
    for (unsigned char c : ansi) {
        if (c >= 0x80 && c < 0xA0 && kCp1252High[c - 0x80] != 0)
            out.push_back(kCp1252High[c - 0x80]);
        else
            out.push_back((char16_t)c);
    }
    return out;
}

std::string PlatformUtf16ToAnsi(const std::u16string& wide) {
    std::string out;
    out.reserve(wide.size());
    for (char16_t w : wide) {
        bool undefinedByte = w >= 0x80 && w < 0xA0 && kCp1252High[w - 0x80] == 0;
        if (w < 0x80 || (w >= 0xA0 && w <= 0xFF) || undefinedByte) {
            out.push_back((char)w);
            continue;
        }
        char mapped = '?';
        for (int i = 0; i < 32; ++i) {
            if (kCp1252High[i] != 0 && kCp1252High[i] == w) {
                mapped = (char)(0x80 + i);
                break;
            }
        }
        out.push_back(mapped);
    }
    return out;
}
