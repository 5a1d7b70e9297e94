// The program's diagnostic log, "appdebug.log": one instance for the whole program. Level 0
// marks failures and is always written; levels 1 to 3 only when the log is enabled and the
// configured level reaches them. Each line opens, appends and closes the file.
#pragma once

#include "CxAssert.h"
#include "Platform.h"

#include <cstdarg>
#include <cstdint>
#include <string>

class CxDebugUtil {
public:
    static CxDebugUtil& Instance();

    // Writes one line, unless the filter drops it; a dropped call formats nothing.
    void Print(int nLevel, const char* szSource, int nLine, const char* szFormat, ...)
#if defined(__GNUC__)
        __attribute__((format(printf, 5, 6)))
#endif
        ;
    void PrintV(int nLevel, const char* szSource, int nLine, const char* szFormat, va_list args);

    // True when a line of this level would be written.
    bool IsWritten(int nLevel) const;

    void SetFolder(const char* szFolder);
    // Stored within 0 to 3.
    void SetLevel(int nLevel);
    void SetEnabled(bool bEnabled);

    const char* GetFolder() const {
        return m_szFolder;
    }
    const char* GetFileName() const {
        return m_szFileName;
    }
    int GetLevel() const {
        return m_nLevel;
    }
    bool IsEnabled() const {
        return m_bEnabled;
    }
    // Folder followed directly by the file name.
    std::string GetPath() const;

    // The rotation threshold: a file above this size is copied to ".old.log" and emptied.
    static constexpr int64_t kRotateSize = 10485760;

    CxDebugUtil();

private:
    char m_szFileName[260];
    char m_szFolder[260];
    int m_nLevel = 0;
    bool m_bEnabled = false;
};

// One line of the log, without its CR LF, in the format
// "[%04d/%02d/%02d %02d:%02d:%02d][%-20s(%-4d)][%05x][%s] - %s".
std::string FormatLogLine(const CxSystemTime& now, const char* szSource, int nLine,
                          unsigned long nThreadId, int nLevel, const char* szMessage);
// The same line into a caller's buffer, cut at its capacity, with no allocation: for code that
// must log while another thread may hold the heap (the fault handler). Returns the characters
// stored.
size_t FormatLogLineTo(char* szBuf, size_t nCapacity, const CxSystemTime& now, const char* szSource,
                       int nLine, unsigned long nThreadId, int nLevel, const char* szMessage);

// Logs with the caller's source file and line.
#define CXLOG(level, ...)                                                                          \
    CxDebugUtil::Instance().Print((level), CX_SOURCE_NAME, __LINE__, __VA_ARGS__)
