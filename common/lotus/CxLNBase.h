// The frame of the four record stores: the sign-in settings, the database, the working folder and
// the names of the kind's exchange files, the log settings handed on to the helper, the operation,
// the pending-changes flag and the helper's last reported error. It runs the helper, reads its
// error file and, when a store is discarded, asks a helper that still runs to stop.
#pragma once

#include "CxLNCommon.h"

#include <cstdint>

// The kinds, in the order in which they come everywhere.
enum class LNKind { kAddr = 0, kDate = 1, kTask = 2, kNote = 3 };

class CxLNBaseUtil {
public:
    CxLNBaseUtil();
    // Deletes the kind's status and error files from the working folder.
    virtual ~CxLNBaseUtil();
    CxLNBaseUtil(const CxLNBaseUtil&) = delete;
    CxLNBaseUtil& operator=(const CxLNBaseUtil&) = delete;

    virtual bool Load() { return true; }
    // The frame's own Clear deletes the status and error files; the stores override it.
    virtual bool Clear();
    virtual bool Submit() { return false; }

    // Each copies its text cut to 255 characters; a null or empty text empties the field.
    void SetServerName(const char* szText);
    void SetUserName(const char* szText);
    void SetPassword(const char* szText);
    void SetDatabase(const char* szText);
    void SetWorkFolder(const char* szText);
    void SetLogFolder(const char* szText);
    void SetIDFile(const char* szText);
    void SetDataFile(const char* szText);
    void SetParamFile(const char* szText);
    void SetErrorFile(const char* szText);
    void SetStatusFile(const char* szText);
    void SetLogLevel(int32_t nLevel) { m_nLogLevel = nLevel; }
    void SetDebugEnabled(bool bEnabled) { m_bDebugEnabled = bEnabled; }

    bool PendingChanges() const { return m_bPendingChanges; }
    bool HelperFailed() const { return m_bHelperFailed; }
    const char* LastHelperError() const { return m_szLastHelperError; }
    const char* GetServerName() const { return m_szServerName; }
    const char* GetUserName() const { return m_szUserName; }
    const char* GetPassword() const { return m_szPassword; }
    const char* GetDatabase() const { return m_szDatabase; }
    const char* GetWorkFolder() const { return m_szWorkFolder; }
    const char* GetDataFile() const { return m_szDataFile; }
    const char* GetParamFile() const { return m_szParamFile; }
    const char* GetErrorFile() const { return m_szErrorFile; }
    const char* GetStatusFile() const { return m_szStatusFile; }
    const char* GetLogFolder() const { return m_szLogFolder; }
    const char* GetLogFile() const { return m_szLogFile; }
    const char* GetIDFile() const { return m_szIDFile; }
    int32_t GetLogLevel() const { return m_nLogLevel; }
    bool GetDebugEnabled() const { return m_bDebugEnabled; }
    int32_t Operation() const { return m_nOperation; }

    // The runner of a kind: made at its first use, kept until the program ends. Tests set a
    // shorter time-out through it.
    static CxLNDataReader& RunnerOf(LNKind kind);

protected:
    // Runs the helper once with a fresh parameter file (the database parameter is nDatabaseId
    // with szDatabase), then reads its error file. The parameter file, which holds the password,
    // is deleted as soon as the run has ended.
    HelperRunResult RunHelper(LNKind kind, const char* szProgram, int32_t nDatabaseId,
                              const char* szDatabase);
    void ReadHelperError();
    // Writes "Stop" = "1" into the status INI file when its "Running" is not 0.
    void RequestHelperStop(const char* szStatusIni);
    // The working folder immediately followed by a file name.
    void WorkPath(char* szBuf, size_t nSize, const char* szName) const;

    bool m_bPendingChanges = true;
    bool m_bHelperFailed = false;
    char m_szServerName[256];
    char m_szUserName[256];
    char m_szPassword[256];
    char m_szDatabase[256];
    char m_szWorkFolder[256];
    char m_szDataFile[256];
    char m_szParamFile[256];
    char m_szErrorFile[256];
    char m_szStatusFile[256];
    char m_szLastHelperError[1024];
    char m_szLogFolder[256];
    char m_szLogFile[256];
    char m_szIDFile[256];
    int32_t m_nLogLevel = 3;
    bool m_bDebugEnabled = false;
    int32_t m_nOperation = 0;

private:
    void DeleteKindFiles();
};
