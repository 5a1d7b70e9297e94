#include "HelperSession.h"

#include "common/lotus/CxLNParamParser.h"
#include "common/misc/CxDebugUtil.h"
#include "common/misc/CxIniUtil.h"

#include <windows.h>

#include <cstdio>

namespace {

bool IsBareFileName(const std::string& name) {
    return !name.empty() && name.find_first_of("\\/:") == std::string::npos && name != "." &&
           name != "..";
}

std::string Format(const char* szFormat, va_list args) {
    char szBuf[2048];
    vsnprintf(szBuf, sizeof szBuf, szFormat, args);
    return szBuf;
}

} // namespace

const char* StatusIniName(LNKind kind) {
    static const char* const kNames[] = {"LNAddr.ini", "LNDate.ini", "LNTask.ini", "LNNote.ini"};
    return kNames[(int)kind];
}

bool ReadHelperParams(LNKind kind, const char* szPath, HelperParams& p, std::string& error) {
    CxLNParamParser parser;
    if (!parser.LoadFromFile(szPath, &error))
        return false;
    p.ServerName = parser.GetText(kParamServerName);
    p.UserName = parser.GetText(kParamUserName);
    p.Password = parser.GetText(kParamPassword);
    p.DataFile = parser.GetText(kParamDataFile);
    p.WorkFolder = parser.GetText(kParamWorkFolder);
    p.Operation = ParseLeadingInt(parser.GetText(kParamOperation).c_str());
    p.ErrorFile = parser.GetText(kParamErrorFile);
    p.StatusFile = parser.GetText(kParamStatusFile);
    p.Database =
        parser.GetText(kind == LNKind::kAddr ? (int32_t)kParamAddrFile : (int32_t)kParamDatabase);
    p.LogFolder = parser.GetText(kParamLogFolder);
    p.LogFile = parser.GetText(kParamLogFile);
    p.LogLevel = ParseLeadingInt(parser.GetText(kParamLogLevel).c_str());
    p.LogEnabled = parser.GetText(kParamLogEnabled) == "1";
    p.IDFile = parser.GetText(kParamIDFile);

    if (!p.WorkFolder.empty() && p.WorkFolder.back() != '\\')
        p.WorkFolder += '\\';
    DWORD nAttr = GetFileAttributesA(p.WorkFolder.c_str());
    if (p.WorkFolder.empty() || nAttr == INVALID_FILE_ATTRIBUTES ||
        (nAttr & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        error = "The working folder \"" + p.WorkFolder + "\" does not exist.";
        return false;
    }
    for (const std::string* name : {&p.DataFile, &p.ErrorFile, &p.StatusFile}) {
        if (!IsBareFileName(*name)) {
            error = "The parameter file names \"" + *name +
                    "\" as an exchange file; only a plain file name is allowed.";
            return false;
        }
    }
    if (!p.LogFile.empty() && !IsBareFileName(p.LogFile))
        p.LogFile.clear();
    if (p.Operation != 1 && p.Operation != 2) {
        error = "The parameter file asks for operation " + std::to_string(p.Operation) +
                "; only 1 (load) and 2 (apply) exist.";
        return false;
    }
    return true;
}

HelperSession::HelperSession(LNKind kind, const HelperParams& params)
    : m_Kind(kind), m_Params(params), m_StatusIni(params.WorkFolder + StatusIniName(kind)) {
    CxDebugUtil& log = CxDebugUtil::Instance();
    if (!m_Params.LogFolder.empty() && !m_Params.LogFile.empty()) {
        std::string folder = m_Params.LogFolder;
        if (folder.back() != '\\')
            folder += '\\';
        log.SetFolder(folder.c_str());
    } else {
        log.SetFolder(m_Params.WorkFolder.c_str());
    }
    log.SetEnabled(m_Params.LogEnabled);
    log.SetLevel(m_Params.LogLevel);

    // A stop asked of an earlier run does not stop this one; errors of an earlier run go.
    WritePrivateProfileStringA("Status", "Stop", nullptr, m_StatusIni.c_str());
    WritePrivateProfileStringA("Status", "Running", "1", m_StatusIni.c_str());
    DeleteFileA(WorkPath(m_Params.ErrorFile).c_str());
}

HelperSession::~HelperSession() {
    WritePrivateProfileStringA("Status", "Running", "0", m_StatusIni.c_str());
}

void HelperSession::Status(const char* szFormat, ...) {
    va_list args;
    va_start(args, szFormat);
    std::string line = Format(szFormat, args);
    va_end(args);
    // The wizard reads this file while we write it, so it is opened for shared access.
    HANDLE h = CreateFileA(WorkPath(m_Params.StatusFile).c_str(), GENERIC_WRITE,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return;
    line += "\r\n";
    DWORD nWritten = 0;
    WriteFile(h, line.data(), (DWORD)line.size(), &nWritten, nullptr);
    CloseHandle(h);
}

void HelperSession::Error(const char* szFormat, ...) {
    va_list args;
    va_start(args, szFormat);
    std::string message = Format(szFormat, args);
    va_end(args);
    m_Errors.push_back(message);
    CXLOG(0, "%s", message.c_str());
    // Written at once, so that the errors survive a helper that goes down later.
    WriteErrorFile();
}

bool HelperSession::StopRequested() {
    if (m_bStopped)
        return true;
    unsigned long nNow = GetTickCount();
    if (m_nLastStopCheck != 0 && nNow - m_nLastStopCheck < 50)
        return false;
    m_nLastStopCheck = nNow == 0 ? 1 : nNow;
    m_bStopped = GetPrivateProfileIntA("Status", "Stop", 0, m_StatusIni.c_str()) == 1;
    return m_bStopped;
}

void HelperSession::WriteErrorFile() {
    std::string path = WorkPath(m_Params.ErrorFile);
    size_t n = m_Errors.size();
    // Each entry is one line of the INI file: a line break inside a message would end it.
    std::string text = m_Errors[n - 1];
    for (char& c : text)
        if (c == '\r' || c == '\n')
            c = ' ';
    char szKey[32], szCount[16];
    snprintf(szKey, sizeof szKey, "Error.%u", (unsigned)n);
    snprintf(szCount, sizeof szCount, "%u", (unsigned)n);
    WritePrivateProfileStringA("Error", szKey, text.c_str(), path.c_str());
    WritePrivateProfileStringA("Error", "Error.Count", szCount, path.c_str());
}
