// The exchange-file codec: a count of records followed by the records, each its items in the
// order of its layout. The same format goes both ways between the wizard and the helpers.
#pragma once

#include "LNRecords.h"

#include "../misc/CxFile.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// Reads one record's items into a zeroed record. pExact (optional) is cleared when an item
// would not be written back to the bytes it was read from.
void ReadRecordItems(CxFile& file, void* pRecord, const RecordLayout& layout, bool* pExact);
void WriteRecordItems(CxFile& file, const void* pRecord, const RecordLayout& layout);
// The same bytes as WriteRecordItems, appended to a buffer in memory.
void AppendRecordItems(std::string& out, const void* pRecord, const RecordLayout& layout);

struct ExchangeReadResult {
    enum Status { kOk, kOpenFailed, kDamaged };
    Status status = kOpenFailed;
    uint32_t nCount = 0;       // the count the file gives
    uint32_t nRecordsRead = 0; // records read whole
    int64_t nFileSize = 0;
    // Damaged: the offset at which the file ended, inside record nRecordsRead + 1 (or, for a
    // count the file cannot hold, the file's size).
    int64_t nEndOffset = 0;
    // Ok: every item reads back to the same bytes and nothing follows the last record, so
    // writing the records again gives the file byte for byte.
    bool bExact = false;
    // Damaged: the count alone is more than the file's bytes could hold.
    bool bCountTooLarge = false;
};

// Reads a whole exchange file. On success the records are in file order; a file that ends
// before its count of records is complete gives kDamaged and no records. A count larger than
// the file could hold is refused before anything is allocated.
template <typename TRecord>
ExchangeReadResult ReadExchangeFile(const char* szPath,
                                    std::vector<std::unique_ptr<TRecord>>& records) {
    ExchangeReadResult result;
    records.clear();
    CxFile file;
    if (!file.Open(szPath, "rb"))
        return result;
    const RecordLayout& layout = LayoutOf<TRecord>();
    result.nFileSize = file.SizeAtOpen();
    uint32_t nCount = 0;
    file.ReadUInt32(&nCount);
    result.nCount = nCount;
    result.status = ExchangeReadResult::kDamaged;
    if (file.HadShortRead()) {
        result.nEndOffset = file.Tell();
        return result;
    }
    int64_t nRoom = result.nFileSize - file.Tell();
    if ((uint64_t)nCount * layout.MinBytes() > (uint64_t)(nRoom > 0 ? nRoom : 0)) {
        result.nEndOffset = result.nFileSize;
        result.bCountTooLarge = true;
        return result;
    }
    bool bExact = true;
    records.reserve(nCount);
    for (uint32_t i = 0; i < nCount; ++i) {
        std::unique_ptr<TRecord> pRecord(new (std::nothrow) TRecord());
        if (!pRecord) {
            records.clear();
            result.nEndOffset = file.Tell();
            return result;
        }
        ReadRecordItems(file, pRecord.get(), layout, &bExact);
        if (file.HadShortRead()) {
            records.clear();
            result.nEndOffset = file.Tell();
            return result;
        }
        records.push_back(std::move(pRecord));
        result.nRecordsRead = i + 1;
    }
    result.status = ExchangeReadResult::kOk;
    result.bExact = bExact && file.Tell() == result.nFileSize;
    return result;
}
