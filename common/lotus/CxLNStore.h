// What the four record stores share: the record list and its index, the loading run through the
// helper program and the exchange file, marking for deletion and submitting the marks back. Each
// kind supplies its file names, its helper program and its log texts.
#pragma once

#include "CxLNBase.h"
#include "LNRecords.h"

#include "../misc/CxList.h"

// The debug-log texts of a kind; a null text is not logged.
struct LNStoreTexts {
    const char* szLoadStart;       // level 2
    const char* szLoadOk;          // level 2
    const char* szLoadFailed;      // level 0
    const char* szReadStart;       // level 2, with the file name
    const char* szReadOpenFailed;  // level 0, with the path
    const char* szCount;           // level 2, with the number of records
    const char* szReadOk;          // level 2
    const char* szWriteStart;      // level 2, with the file name
    const char* szWriteOpenFailed; // level 0, with the path
    const char* szWriteOk;         // level 2
    const char* szSubmitStart;     // level 2
    const char* szSubmitFailed;    // level 0
};

struct LNKindInfo {
    LNKind kind;
    const char* szDataFile;
    const char* szErrorFile;
    const char* szStatusFile;
    const char* szParamFile;
    const char* szStatusIni;
    const char* szProgram;
    int32_t nDatabaseId; // the database parameter of the helper
    LNStoreTexts texts;
};

template <typename TRecord> class CxLNStore : public CxLNBaseUtil {
public:
    using Index = CommMgr<TRecord>;
    using Entry = CommEntry<TRecord>;

    // Destruction frees the records, asks a helper that still runs to stop, then the frame
    // deletes the status and error files.
    ~CxLNStore() override;

    // Clears, has the helper write every record of the database into the exchange file (which
    // is deleted first, so that no earlier run's file can pass for this one's) and reads it. A
    // helper that did not finish, a missing file or a damaged one make it fail.
    bool Load() override;
    // Frees all records and index entries; no file is touched.
    bool Clear() override;
    // When records are marked: writes the exchange file and has the helper apply it. False when
    // the file cannot be written or the helper did not finish; the marks then stay pending.
    bool Submit() override;
    // Marks the entry's record for deletion. False for a null entry.
    bool MarkForDeletion(Entry* pEntry);
    // Read and write the exchange file of the working folder; no name means the kind's own.
    bool ReadDataFile(const char* szName = nullptr);
    bool WriteDataFile(const char* szName = nullptr);

    Index* GetRecordIndex() { return &m_Index; }
    const LNKindInfo& Info() const { return m_Info; }

protected:
    explicit CxLNStore(const LNKindInfo& info);
    // The text of the database parameter.
    virtual const char* DatabaseParam() const { return m_szDatabase; }

private:
    void DataPath(char* szBuf, size_t nSize, const char* szName) const;

    const LNKindInfo& m_Info;
    CxList m_Records; // owns the records
    Index m_Index;
};
