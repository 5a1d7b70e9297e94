#include "CxDebugUtil.h"

#include "CxFile.h"

#include <cstdio>
#include <cstring>
#include <vector>

namespace {
const size_t kMessageCapacity = 40960;
const size_t kSourceCapacity = 256;

void CopyCut(char* szDest, size_t nCapacity, const char* szSrc) {
    snprintf(szDest, nCapacity, "%s", szSrc);
}
} // namespace

CxDebugUtil& CxDebugUtil::Instance() {
    // Made on first use and never destroyed, so that code running during the program's
    // shutdown can still log.
    static CxDebugUtil* s_pInstance = new CxDebugUtil();
    return *s_pInstance;
}

CxDebugUtil::CxDebugUtil() {
    CopyCut(m_szFileName, sizeof m_szFileName, "appdebug.log");
    CopyCut(m_szFolder, sizeof m_szFolder, "./");
}

void CxDebugUtil::SetFolder(const char* szFolder) {
    if (szFolder != nullptr)
        CopyCut(m_szFolder, sizeof m_szFolder, szFolder);
}

void CxDebugUtil::SetLevel(int nLevel) {
    m_nLevel = nLevel > 3 ? 3 : (nLevel < 0 ? 0 : nLevel);
}

void CxDebugUtil::SetEnabled(bool bEnabled) {
    m_bEnabled = bEnabled;
}

std::string CxDebugUtil::GetPath() const {
    return std::string(m_szFolder) + m_szFileName;
}

bool CxDebugUtil::IsWritten(int nLevel) const {
    return nLevel == 0 || (m_bEnabled && nLevel <= m_nLevel);
}

void CxDebugUtil::Print(int nLevel, const char* szSource, int nLine, const char* szFormat, ...) {
    if (!IsWritten(nLevel))
        return;
    va_list args;
    va_start(args, szFormat);
    PrintV(nLevel, szSource, nLine, szFormat, args);
    va_end(args);
}

void CxDebugUtil::PrintV(int nLevel, const char* szSource, int nLine, const char* szFormat,
                         va_list args) {
    if (!IsWritten(nLevel))
        return;
    std::vector<char> message(kMessageCapacity);
    if (szFormat != nullptr)
        vsnprintf(message.data(), message.size(), szFormat, args);

    CxSystemTime now;
    PlatformGetLocalTime(&now);
    std::string line =
        FormatLogLine(now, szSource, nLine, PlatformThreadId(), nLevel, message.data());

    std::string path = GetPath();
    CxFile file;
    const char* szMode = "ab";
    if (CxFile::GetFileSize(path.c_str()) > kRotateSize) {
        // When the copy fails the log is emptied all the same.
        PlatformCopyFile(path.c_str(), (path + ".old.log").c_str());
        szMode = "wb";
    }
    if (file.Open(path.c_str(), szMode)) {
        file.WriteLine(line.c_str());
        file.Close();
    }
}

namespace {
// The source name shown in a line: the part after the last backslash, the whole path when it
// has none, "<null>" for none; at most 255 characters.
void SourceName(char (&szName)[kSourceCapacity], const char* szSource) {
    if (szSource == nullptr) {
        CopyCut(szName, sizeof szName, "<null>");
    } else {
        const char* pSlash = strrchr(szSource, '\\');
        CopyCut(szName, sizeof szName, pSlash != nullptr ? pSlash + 1 : szSource);
    }
}

int FormatLine(char* szBuf, size_t nCapacity, const CxSystemTime& now, const char* szSourceName,
               int nLine, unsigned long nThreadId, int nLevel, const char* szMessage) {
    return snprintf(szBuf, nCapacity,
                    "[%04d/%02d/%02d %02d:%02d:%02d][%-20s(%-4d)][%05lx][%s] - %s", now.wYear,
                    now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond, szSourceName, nLine,
                    nThreadId, nLevel == 0 ? "!!!" : "   ", szMessage != nullptr ? szMessage : "");
}
} // namespace

std::string FormatLogLine(const CxSystemTime& now, const char* szSource, int nLine,
                          unsigned long nThreadId, int nLevel, const char* szMessage) {
    char szSourceName[kSourceCapacity];
    SourceName(szSourceName, szSource);
    const char* szMsg = szMessage != nullptr ? szMessage : "";
    // Date and time, source, line, thread and tag take well under 400 characters.
    std::vector<char> buf(strlen(szMsg) + strlen(szSourceName) + 400);
    int nLen =
        FormatLine(buf.data(), buf.size(), now, szSourceName, nLine, nThreadId, nLevel, szMsg);
    std::string line(buf.data(), nLen > 0 ? (size_t)nLen : 0);
    return line;
}

size_t FormatLogLineTo(char* szBuf, size_t nCapacity, const CxSystemTime& now, const char* szSource,
                       int nLine, unsigned long nThreadId, int nLevel, const char* szMessage) {
    if (szBuf == nullptr || nCapacity == 0)
        return 0;
    char szSourceName[kSourceCapacity];
    SourceName(szSourceName, szSource);
    int nLen = FormatLine(szBuf, nCapacity, now, szSourceName, nLine, nThreadId, nLevel, szMessage);
    if (nLen < 0) {
        szBuf[0] = '\0';
        return 0;
    }
    return (size_t)nLen < nCapacity ? (size_t)nLen : nCapacity - 1;
}

void CxAssertFailed(const char* szExpr, const char* szFile, int nLine) {
    CxDebugUtil::Instance().Print(0, szFile, nLine, "Assertion failed: %s", szExpr);
}
