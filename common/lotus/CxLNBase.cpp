#include "CxLNBase.h"

#include "../misc/CxIniUtil.h"

#include <cstdio>
#include <memory>

namespace {
template <size_t N> void SetField(char (&szField)[N], const char* szText) {
    snprintf(szField, N, "%s", szText != nullptr ? szText : "");
}
} // namespace

CxLNBaseUtil::CxLNBaseUtil() {
    for (char* sz : {m_szServerName, m_szUserName, m_szPassword, m_szDatabase, m_szWorkFolder,
                     m_szDataFile, m_szParamFile, m_szErrorFile, m_szStatusFile,
                     m_szLastHelperError, m_szLogFolder, m_szIDFile})
        sz[0] = '\0';
    SetField(m_szLogFile, "appdebug.log");
}

CxLNBaseUtil::~CxLNBaseUtil() {
    DeleteKindFiles();
}

bool CxLNBaseUtil::Clear() {
    DeleteKindFiles();
    return true;
}

void CxLNBaseUtil::DeleteKindFiles() {
    char szPath[600];
    WorkPath(szPath, sizeof szPath, m_szStatusFile);
    DeleteFileA(szPath);
    WorkPath(szPath, sizeof szPath, m_szErrorFile);
    DeleteFileA(szPath);
}

void CxLNBaseUtil::SetServerName(const char* szText) {
    SetField(m_szServerName, szText);
}
void CxLNBaseUtil::SetUserName(const char* szText) {
    SetField(m_szUserName, szText);
}
void CxLNBaseUtil::SetPassword(const char* szText) {
    SetField(m_szPassword, szText);
}
void CxLNBaseUtil::SetDatabase(const char* szText) {
    SetField(m_szDatabase, szText);
}
void CxLNBaseUtil::SetWorkFolder(const char* szText) {
    SetField(m_szWorkFolder, szText);
}
void CxLNBaseUtil::SetLogFolder(const char* szText) {
    SetField(m_szLogFolder, szText);
}
void CxLNBaseUtil::SetIDFile(const char* szText) {
    SetField(m_szIDFile, szText);
}
void CxLNBaseUtil::SetDataFile(const char* szText) {
    SetField(m_szDataFile, szText);
}
void CxLNBaseUtil::SetParamFile(const char* szText) {
    SetField(m_szParamFile, szText);
}
void CxLNBaseUtil::SetErrorFile(const char* szText) {
    SetField(m_szErrorFile, szText);
}
void CxLNBaseUtil::SetStatusFile(const char* szText) {
    SetField(m_szStatusFile, szText);
}

void CxLNBaseUtil::WorkPath(char* szBuf, size_t nSize, const char* szName) const {
    snprintf(szBuf, nSize, "%s%s", m_szWorkFolder, szName);
}

CxLNDataReader& CxLNBaseUtil::RunnerOf(LNKind kind) {
    static std::unique_ptr<CxLNDataReader> s_Runners[4];
    std::unique_ptr<CxLNDataReader>& runner = s_Runners[(int)kind];
    if (!runner)
        runner.reset(new CxLNDataReader);
    return *runner;
}

HelperRunResult CxLNBaseUtil::RunHelper(LNKind kind, const char* szProgram, int32_t nDatabaseId,
                                        const char* szDatabase) {
    char szOperation[16], szLevel[16];
    snprintf(szOperation, sizeof szOperation, "%d", m_nOperation);
    snprintf(szLevel, sizeof szLevel, "%d", m_nLogLevel);
    CxLNParamParser params;
    struct {
        int32_t nId;
        const char* szValue;
    } const entries[] = {
        {kParamServerName, m_szServerName},
        {kParamUserName, m_szUserName},
        {kParamPassword, m_szPassword},
        {kParamDataFile, m_szDataFile},
        {kParamWorkFolder, m_szWorkFolder},
        {kParamOperation, szOperation},
        {kParamErrorFile, m_szErrorFile},
        {kParamStatusFile, m_szStatusFile},
        {nDatabaseId, szDatabase != nullptr ? szDatabase : ""},
        {kParamLogFolder, m_szLogFolder},
        {kParamLogFile, m_szLogFile},
        {kParamLogLevel, szLevel},
        {kParamLogEnabled, m_bDebugEnabled ? "1" : "0"},
        {kParamIDFile, m_szIDFile},
    };
    for (const auto& entry : entries)
        params.AddParam(entry.nId, kParamText, entry.szValue);

    char szParamPath[600];
    snprintf(szParamPath, sizeof szParamPath, "%s\\%s", m_szWorkFolder, m_szParamFile);
    params.SaveToFile(szParamPath);
    params.Clear();

    m_bHelperFailed = false;
    m_szLastHelperError[0] = '\0';
    // An error file left by an earlier run must not pass for this run's: a helper that cannot
    // start would otherwise seem to report the old errors again.
    char szErrorPath[600];
    WorkPath(szErrorPath, sizeof szErrorPath, m_szErrorFile);
    DeleteFileA(szErrorPath);

    CxLNDataReader& runner = RunnerOf(kind);
    runner.SetWorkFolder(m_szWorkFolder);
    runner.SetProgramFile(szProgram);
    runner.SetParamFile(m_szParamFile);
    runner.SetDataFile(m_szDataFile);
    HelperRunResult result = runner.Run();
    // The parameter file holds the password in clear: it goes as soon as the helper is done
    // with it. It is written afresh before every run.
    DeleteFileA(szParamPath);

    ReadHelperError();
    return result;
}

void CxLNBaseUtil::ReadHelperError() {
    char szPath[600];
    WorkPath(szPath, sizeof szPath, m_szErrorFile);
    CxIniUtil ini("", "");
    ini.IniSetFile(szPath);
    int nCount = ini.IniReadInt("Error", "Error.Count", 0);
    if (nCount <= 0) {
        m_bHelperFailed = false;
        m_szLastHelperError[0] = '\0';
        return;
    }
    char szKey[32];
    snprintf(szKey, sizeof szKey, "Error.%d", nCount);
    ini.IniReadText("Error", szKey, m_szLastHelperError, sizeof m_szLastHelperError, "");
    m_bHelperFailed = true;
}

void CxLNBaseUtil::RequestHelperStop(const char* szStatusIni) {
    char szPath[600];
    WorkPath(szPath, sizeof szPath, szStatusIni);
    CxIniUtil ini("", "");
    ini.IniSetFile(szPath);
    if (ini.IniReadInt("Status", "Running", 0) != 0)
        ini.IniWriteText("Status", "Stop", "1");
}
