#include "CxIniUtil.h"

#include "WinUtil.h"

#include <windows.h>

#include <climits>
#include <cstdio>

CxIniUtil::CxIniUtil(const char* szFolder, const char* szFile) {
    const char* szName = szFile != nullptr ? szFile : "";
    if (szFolder != nullptr && szFolder[0] != '\0') {
        snprintf(m_szPath, sizeof m_szPath, "%s%s", szFolder, szName);
    } else {
        char szProgram[MAX_PATH];
        GetProgramFolder(nullptr, szProgram, sizeof szProgram);
        snprintf(m_szPath, sizeof m_szPath, "%s%s", szProgram, szName);
    }
}

void CxIniUtil::IniSetFile(const char* szPath) {
    if (szPath != nullptr && szPath[0] != '\0')
        snprintf(m_szPath, sizeof m_szPath, "%s", szPath);
}

int CxIniUtil::IniReadText(const char* szSection, const char* szKey, char* szBuf, size_t nCapacity,
                           const char* szDefault) {
    if (szKey == nullptr || szKey[0] == '\0' || szBuf == nullptr || nCapacity == 0)
        return 0;
    DWORD nSize = nCapacity > 0x7FFFFFFF ? 0x7FFFFFFF : (DWORD)nCapacity;
    return (int)GetPrivateProfileStringA(szSection, szKey, szDefault != nullptr ? szDefault : "",
                                         szBuf, nSize, m_szPath);
}

int CxIniUtil::IniReadInt(const char* szSection, const char* szKey, int nDefault) {
    char szValue[32] = "";
    IniReadText(szSection, szKey, szValue, sizeof szValue, "");
    if (szValue[0] == '\0')
        return nDefault;
    return ParseLeadingInt(szValue);
}

bool CxIniUtil::IniReadBool(const char* szSection, const char* szKey, bool bDefault) {
    return IniReadInt(szSection, szKey, bDefault ? 1 : 0) != 0;
}

bool CxIniUtil::IniWriteText(const char* szSection, const char* szKey, const char* szValue) {
    if (szKey == nullptr || szKey[0] == '\0')
        return false;
    return WritePrivateProfileStringA(szSection, szKey, szValue != nullptr ? szValue : "",
                                      m_szPath) != 0;
}

bool CxIniUtil::IniWriteInt(const char* szSection, const char* szKey, int nValue) {
    char szValue[16];
    snprintf(szValue, sizeof szValue, "%d", nValue);
    return IniWriteText(szSection, szKey, szValue);
}

bool CxIniUtil::IniWriteBool(const char* szSection, const char* szKey, bool bValue) {
    return IniWriteText(szSection, szKey, bValue ? "1" : "0");
}

int ParseLeadingInt(const char* szText) {
    if (szText == nullptr)
        return 0;
    const char* p = szText;
    while (*p == ' ' || *p == '\t')
        ++p;
    bool bNegative = false;
    if (*p == '+' || *p == '-') {
        bNegative = *p == '-';
        ++p;
    }
    long long nValue = 0;
    while (*p >= '0' && *p <= '9') {
        nValue = nValue * 10 + (*p - '0');
        if (nValue > (long long)INT_MAX + 1)
            nValue = (long long)INT_MAX + 1;
        ++p;
    }
    if (bNegative)
        nValue = -nValue;
    if (nValue > INT_MAX)
        return INT_MAX;
    if (nValue < INT_MIN)
        return INT_MIN;
    return (int)nValue;
}
