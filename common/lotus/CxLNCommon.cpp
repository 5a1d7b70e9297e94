#include "CxLNCommon.h"

#include "../misc/CxDebugUtil.h"
#include "../misc/WinUtil.h"

#include <cstdio>

namespace {
void CopyField(char (&szField)[260], const char* szText) {
    if (szText != nullptr)
        snprintf(szField, sizeof szField, "%s", szText);
}

void CloseIfOpen(HANDLE& h) {
    if (h != nullptr) {
        CloseHandle(h);
        h = nullptr;
    }
}
} // namespace

CxLNDataReader::CxLNDataReader() {
    m_szProgramFile[0] = m_szWorkFolder[0] = m_szParamFile[0] = m_szDataFile[0] = '\0';
}

CxLNDataReader::~CxLNDataReader() {
    Stop();
    char szPath[600];
    snprintf(szPath, sizeof szPath, "%s\\%s", m_szWorkFolder, m_szParamFile);
    DeleteFileA(szPath);
    snprintf(szPath, sizeof szPath, "%s\\%s", m_szWorkFolder, m_szDataFile);
    DeleteFileA(szPath);
}

void CxLNDataReader::SetProgramFile(const char* szText) {
    CopyField(m_szProgramFile, szText);
}
void CxLNDataReader::SetWorkFolder(const char* szText) {
    CopyField(m_szWorkFolder, szText);
}
void CxLNDataReader::SetParamFile(const char* szText) {
    CopyField(m_szParamFile, szText);
}
void CxLNDataReader::SetDataFile(const char* szText) {
    CopyField(m_szDataFile, szText);
}

void CxLNDataReader::Stop() {
    if (m_hWorker != nullptr) {
        if (m_hStopEvent != nullptr)
            SetEvent(m_hStopEvent);
        WaitForSingleObject(m_hWorker, m_nStopGrace);
        CloseIfOpen(m_hWorker);
    }
    CloseIfOpen(m_hProcess);
    CloseIfOpen(m_hThread);
    CloseIfOpen(m_hStopEvent);
}

void CxLNDataReader::RequestStop() {
    HANDLE hEvent = m_hStopEvent;
    if (hEvent != nullptr)
        SetEvent(hEvent);
}

HelperRunResult CxLNDataReader::Run() {
    Stop();
    m_hStopEvent = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    if (m_hStopEvent == nullptr)
        return HelperRunResult::kNotStarted;

    char szOriginal[257] = "";
    GetCurrentDirectoryA(sizeof szOriginal, szOriginal);
    CXLOG(2, "Original current directory: %s", szOriginal);

    char szProgramFolder[MAX_PATH] = "";
    GetProgramFolder(nullptr, szProgramFolder);
    SetCurrentDirectoryA(szProgramFolder);
    CXLOG(2, "Set current directory: %s", szProgramFolder);

    char szNotesPath[257] = "";
    ReadNotesPath(szNotesPath, sizeof szNotesPath);
    CXLOG(2, "Get Lotus Notes Path: %s", szNotesPath);

    char szCommand[1025];
    snprintf(szCommand, sizeof szCommand, "\"%s\" \"%s%s\"", m_szProgramFile, m_szWorkFolder,
             m_szParamFile);
    CXLOG(2, "Executing command: %s", szCommand);

    STARTUPINFOA si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION pi{};
    // Without a Lotus Notes installation there is no program folder to start in; the helper
    // then starts in our own folder (the current one, made so above).
    // The same when the registered folder is gone (an uninstalled Lotus Notes leaves its key
    // behind): the platform would refuse the start.
    DWORD nNotesAttr =
        szNotesPath[0] != '\0' ? GetFileAttributesA(szNotesPath) : INVALID_FILE_ATTRIBUTES;
    const char* szStartFolder =
        nNotesAttr != INVALID_FILE_ATTRIBUTES && (nNotesAttr & FILE_ATTRIBUTE_DIRECTORY)
            ? szNotesPath
            : nullptr;
    HelperRunResult result;
    if (CreateProcessA(nullptr, szCommand, nullptr, nullptr, TRUE, 0, nullptr, szStartFolder, &si,
                       &pi)) {
        m_hProcess = pi.hProcess;
        m_hThread = pi.hThread;
        CXLOG(2, "Command executed successfully.");
        HANDLE aWait[2] = {m_hProcess, m_hStopEvent};
        DWORD nWait = WaitForMultipleObjects(2, aWait, FALSE, m_nTimeout);
        if (nWait == WAIT_OBJECT_0) {
            CXLOG(2, "Helper utility program exited successfully.");
            result = HelperRunResult::kExited;
        } else if (nWait == WAIT_OBJECT_0 + 1) {
            CXLOG(2, "Force stopping the helper utility program.");
            result = HelperRunResult::kStopped;
        } else if (nWait == WAIT_TIMEOUT) {
            CXLOG(2, "The helper utility program has no response. Got timeout event.");
            result = HelperRunResult::kTimedOut;
        } else {
            CXLOG(0, "Got unexpected error, return code=%d", (int)nWait);
            result = HelperRunResult::kWaitFailed;
        }
        CloseIfOpen(m_hProcess);
        CloseIfOpen(m_hThread);
        CloseIfOpen(m_hStopEvent);
    } else {
        DWORD nError = GetLastError();
        char* szMessage = nullptr;
        FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                           FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, nError, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
                       reinterpret_cast<char*>(&szMessage), 0, nullptr);
        CXLOG(0, "CreateProcess Error: %s", szMessage != nullptr ? szMessage : "");
        if (szMessage != nullptr)
            LocalFree(szMessage);
        result = HelperRunResult::kNotStarted;
    }
    SetCurrentDirectoryA(szOriginal);
    return result;
}
