// The few things the platform-free core needs from the operating system. Each function is
// defined once for Windows (PlatformWin.cpp) and once for the host build (PlatformHost.cpp).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Broken-down date and time; the same fields, in the same order, as the Windows SYSTEMTIME.
struct CxSystemTime {
    uint16_t wYear;
    uint16_t wMonth;
    uint16_t wDayOfWeek;
    uint16_t wDay;
    uint16_t wHour;
    uint16_t wMinute;
    uint16_t wSecond;
    uint16_t wMilliseconds;
};

// The current local time.
void PlatformGetLocalTime(CxSystemTime* st);

// Converts a UTC time to local time under the system's time-zone rules for that date (daylight
// saving included). False, leaving pLocal untouched, when the platform cannot convert it.
bool PlatformUtcToLocal(const CxSystemTime* pUtc, CxSystemTime* pLocal);

// The id of the calling thread.
unsigned long PlatformThreadId();

// Copies a file, replacing the destination if it exists.
bool PlatformCopyFile(const char* from, const char* to);

// Deletes a file; false when it could not be deleted (a missing file included).
bool PlatformDeleteFile(const char* path);

// True when a file or folder exists at the path.
bool PlatformPathExists(const char* path);

// Conversions between the system ANSI code page and UTF-16. A character without an ANSI form
// becomes '?'. The results are whole strings; callers cut them to their own capacities.
std::u16string PlatformAnsiToUtf16(const std::string& ansi);
std::string PlatformUtf16ToAnsi(const std::u16string& wide);
