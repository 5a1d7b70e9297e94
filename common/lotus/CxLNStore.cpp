#include "CxLNStore.h"

#include "LNExchange.h"

#include "../misc/CxDebugUtil.h"
#include "../misc/WinUtil.h"

#include <cstdio>

namespace {
// Logs a text of the kind's table unless the kind has none for this place. The texts are
// constants of ours with at most one conversion.
#define LOG_TEXT(level, text, ...)                                                                 \
    do {                                                                                           \
        if ((text) != nullptr)                                                                     \
            CxDebugUtil::Instance().Print((level), CX_SOURCE_NAME, __LINE__, (text),               \
                                          ##__VA_ARGS__);                                          \
    } while (0)
} // namespace

#if defined(__GNUC__)
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
#pragma GCC diagnostic ignored "-Wformat-security"
#endif

template <typename TRecord> CxLNStore<TRecord>::CxLNStore(const LNKindInfo& info) : m_Info(info) {
    SetDataFile(info.szDataFile);
    SetErrorFile(info.szErrorFile);
    SetStatusFile(info.szStatusFile);
    SetParamFile(info.szParamFile);
    char szFolder[MAX_PATH] = "";
    GetProgramFolder(nullptr, szFolder);
    SetWorkFolder(szFolder);
}

template <typename TRecord> CxLNStore<TRecord>::~CxLNStore() {
    Clear();
    RequestHelperStop(m_Info.szStatusIni);
}

template <typename TRecord> bool CxLNStore<TRecord>::Clear() {
    for (void* p = m_Records.First(); p != nullptr; p = m_Records.Next())
        delete static_cast<TRecord*>(p);
    m_Records.Clear();
    m_Index.Clear();
    return true;
}

template <typename TRecord>
void CxLNStore<TRecord>::DataPath(char* szBuf, size_t nSize, const char* szName) const {
    // The working folder ends in a backslash already; the platform takes the doubled one.
    snprintf(szBuf, nSize, "%s\\%s", m_szWorkFolder, szName);
}

template <typename TRecord> bool CxLNStore<TRecord>::Load() {
    Clear();
    const LNStoreTexts& t = m_Info.texts;
    LOG_TEXT(2, t.szLoadStart);
    m_nOperation = 1;

    char szPath[600];
    DataPath(szPath, sizeof szPath, m_szDataFile);
    DeleteFileA(szPath);

    HelperRunResult run =
        RunHelper(m_Info.kind, m_Info.szProgram, m_Info.nDatabaseId, DatabaseParam());
    bool bLoaded = false;
    if (run == HelperRunResult::kExited) {
        bLoaded = ReadDataFile(nullptr);
    } else {
        // A helper that still runs may still be writing the file.
        CXLOG(0, "The helper program %s did not finish; its data file is not read.",
              m_Info.szProgram);
    }
    if (bLoaded)
        LOG_TEXT(2, t.szLoadOk);
    else
        LOG_TEXT(0, t.szLoadFailed);
    return bLoaded;
}

template <typename TRecord> bool CxLNStore<TRecord>::ReadDataFile(const char* szName) {
    const LNStoreTexts& t = m_Info.texts;
    const char* szFile = szName != nullptr && szName[0] != '\0' ? szName : m_szDataFile;
    LOG_TEXT(2, t.szReadStart, szFile);
    char szPath[600];
    DataPath(szPath, sizeof szPath, szFile);

    std::vector<std::unique_ptr<TRecord>> records;
    ExchangeReadResult result = ReadExchangeFile<TRecord>(szPath, records);
    if (result.status == ExchangeReadResult::kOpenFailed) {
        LOG_TEXT(0, t.szReadOpenFailed, szPath);
        return false;
    }
    if (result.nFileSize >= 4)
        LOG_TEXT(2, t.szCount, (int)result.nCount);
    if (result.status == ExchangeReadResult::kDamaged && result.bCountTooLarge) {
        CXLOG(0, "The file %s is damaged: its %lld bytes cannot hold the %u records it counts.",
              szPath, (long long)result.nFileSize, result.nCount);
        return false;
    }
    if (result.status == ExchangeReadResult::kDamaged) {
        CXLOG(0,
              "The file %s is damaged: it ends at byte %lld, before record %u of its %u records "
              "is complete.",
              szPath, (long long)result.nEndOffset, result.nRecordsRead + 1, result.nCount);
        return false;
    }
    for (std::unique_ptr<TRecord>& pRecord : records) {
        if (!m_Records.Append(pRecord.get()))
            break;
        TRecord* pKept = pRecord.release();
        pKept->Entry = m_Index.Add(pKept);
    }
    LOG_TEXT(2, t.szReadOk);
    return true;
}

template <typename TRecord> bool CxLNStore<TRecord>::WriteDataFile(const char* szName) {
    const LNStoreTexts& t = m_Info.texts;
    const char* szFile = szName != nullptr && szName[0] != '\0' ? szName : m_szDataFile;
    LOG_TEXT(2, t.szWriteStart, szFile);
    char szPath[600];
    DataPath(szPath, sizeof szPath, szFile);
    CxFile file;
    if (!file.Open(szPath, "wb")) {
        LOG_TEXT(0, t.szWriteOpenFailed, szPath);
        return false;
    }
    file.WriteUInt32(m_Records.Count());
    LOG_TEXT(2, t.szCount, (int)m_Records.Count());
    const RecordLayout& layout = LayoutOf<TRecord>();
    for (void* p = m_Records.First(); p != nullptr; p = m_Records.Next())
        WriteRecordItems(file, p, layout);
    file.Close();
    if (file.HadWriteError()) {
        // A file cut short by a full disk must never reach the helper.
        CXLOG(0, "Could not write the whole file %s.", szPath);
        DeleteFileA(szPath);
        return false;
    }
    LOG_TEXT(2, t.szWriteOk);
    return true;
}

template <typename TRecord> bool CxLNStore<TRecord>::Submit() {
    if (!m_bPendingChanges)
        return true;
    const LNStoreTexts& t = m_Info.texts;
    LOG_TEXT(2, t.szSubmitStart);
    if (!WriteDataFile(nullptr)) {
        LOG_TEXT(0, t.szSubmitFailed);
        return false;
    }
    m_nOperation = 2;
    HelperRunResult run =
        RunHelper(m_Info.kind, m_Info.szProgram, m_Info.nDatabaseId, DatabaseParam());
    if (run != HelperRunResult::kExited) {
        CXLOG(0, "The helper program %s did not finish; the changes may not have been applied.",
              m_Info.szProgram);
        return false;
    }
    m_bPendingChanges = false;
    return true;
}

template <typename TRecord> bool CxLNStore<TRecord>::MarkForDeletion(Entry* pEntry) {
    if (pEntry == nullptr)
        return false;
    if (pEntry->pRecord != nullptr) {
        pEntry->pRecord->Action = kActionDelete;
        m_bPendingChanges = true;
    }
    return true;
}

template class CxLNStore<LNAddrRecord>;
template class CxLNStore<LNDateRecord>;
template class CxLNStore<LNTaskRecord>;
template class CxLNStore<LNNoteRecord>;
