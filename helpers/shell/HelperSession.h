// What every helper program does around its real work: it reads its parameter file, keeps the
// status INI file's "Running" up while it works, watches "Stop", rewrites its one-line status
// file, collects its errors for the error file and logs in the wizard's format.
#pragma once

#include "common/lotus/CxLNBase.h"

#include <cstdarg>
#include <string>
#include <vector>

struct HelperParams {
    std::string ServerName;
    std::string UserName;
    std::string Password;
    std::string DataFile;
    std::string WorkFolder; // ends in a backslash
    int Operation = 0;      // 1 load, 2 apply
    std::string ErrorFile;
    std::string StatusFile;
    std::string Database; // 1008, or 1009 for contacts
    std::string LogFolder;
    std::string LogFile;
    int LogLevel = 0;
    bool LogEnabled = false;
    std::string IDFile;
};

// Reads and checks the parameters: the file names must be bare names (no folder), the working
// folder must exist, the operation must be 1 or 2. False with a message a user can act on.
bool ReadHelperParams(LNKind kind, const char* szPath, HelperParams& params, std::string& error);

// The status INI file of a kind ("LNAddr.ini", ...).
const char* StatusIniName(LNKind kind);

class HelperSession {
public:
    // Marks the helper as running and points the debug log at the given log file.
    HelperSession(LNKind kind, const HelperParams& params);
    // Writes the error file and marks the helper as no longer running.
    ~HelperSession();
    HelperSession(const HelperSession&) = delete;
    HelperSession& operator=(const HelperSession&) = delete;

    const HelperParams& Params() const { return m_Params; }
    // The working folder followed by a file name.
    std::string WorkPath(const std::string& name) const { return m_Params.WorkFolder + name; }

    // Rewrites the status file with one line of progress text.
    void Status(const char* szFormat, ...)
#if defined(__GNUC__)
        __attribute__((format(printf, 2, 3)))
#endif
        ;
    // Adds an error for the error file (and the debug log, at level 0).
    void Error(const char* szFormat, ...)
#if defined(__GNUC__)
        __attribute__((format(printf, 2, 3)))
#endif
        ;
    const std::vector<std::string>& Errors() const {
        return m_Errors;
    }

    // True once "Stop" of the status INI file is 1. Checked between entries; the file is read
    // at most every 50 ms.
    bool StopRequested();

private:
    void WriteErrorFile();

    LNKind m_Kind;
    HelperParams m_Params;
    std::string m_StatusIni;
    std::vector<std::string> m_Errors;
    unsigned long m_nLastStopCheck = 0;
    bool m_bStopped = false;
};
