// The helper-program runner: starts one helper as a hidden child process with the path of its
// parameter file, and waits until it ends, a stop is asked for, or the time-out passes. Every step
// goes to the debug log.
#pragma once

#include "CxLNParamParser.h"

#include <windows.h>

#include <cstdint>

// How a run ended.
enum class HelperRunResult {
    kNotStarted, // the stop event or the process could not be made
    kExited,     // the helper ended (its exit code is not judged)
    kStopped,    // a stop was asked for while it ran; the helper was left running
    kTimedOut,   // the time-out passed; the helper was left running
    kWaitFailed, // the wait itself failed
};

class CxLNDataReader {
public:
    CxLNDataReader();
    // Stops, then deletes the parameter file and the data file in the working folder.
    virtual ~CxLNDataReader();
    CxLNDataReader(const CxLNDataReader&) = delete;
    CxLNDataReader& operator=(const CxLNDataReader&) = delete;

    // Each copies at most 259 characters; a null text leaves the field as it was.
    void SetProgramFile(const char* szText);
    void SetWorkFolder(const char* szText);
    void SetParamFile(const char* szText);
    void SetDataFile(const char* szText);
    // 1800000 ms (30 minutes) unless set.
    void SetTimeout(DWORD nMilliseconds) { m_nTimeout = nMilliseconds; }
    DWORD GetTimeout() const { return m_nTimeout; }

    // Runs the helper once and blocks until it ends or the time-out passes. The process's
    // current folder is the same afterwards, on every path.
    HelperRunResult Run();
    // Closes what a run left open.
    void Stop();
    // Asks a run under way on another thread to stop waiting (the helper is not terminated).
    void RequestStop();

private:
    char m_szProgramFile[260];
    char m_szWorkFolder[260];
    char m_szParamFile[260];
    char m_szDataFile[260];
    DWORD m_nTimeout = 1800000;
    DWORD m_nStopGrace = 3000;
    HANDLE m_hProcess = nullptr;
    HANDLE m_hThread = nullptr;
    HANDLE m_hWorker = nullptr;
    HANDLE m_hStopEvent = nullptr;
};
