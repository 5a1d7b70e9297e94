#include "HelperDatabase.h"

#include "HelperFiles.h"

#include "common/lotus/LNExchange.h"
#include "common/misc/CxDebugUtil.h"
#include "helpers/CxPimFile.h"
#include "helpers/CxPimMap.h"

#include <windows.h>

#include <memory>
#include <vector>

namespace {

// What differs between the kinds: the file format, the entry kind, the record, its mapping and
// the words for messages.
template <typename TRecord> struct KindTraits;

template <> struct KindTraits<LNAddrRecord> {
    static constexpr CxPimFormat kFormat = CxPimFormat::VCard;
    static constexpr CxEntryKind kEntry = CxEntryKind::Card;
    static constexpr const char* kOne = "contact";
    static constexpr const char* kMany = "contacts";
    static constexpr const char* kFileKind = "vCard";
    static void Map(const CxPimFile& f, const CxPimEntry& e, int32_t n, LNAddrRecord* r) {
        MapCard(f, e, n, r);
    }
    static const char* Name(const LNAddrRecord& r) { return r.DisplayName; }
};

template <> struct KindTraits<LNDateRecord> {
    static constexpr CxPimFormat kFormat = CxPimFormat::ICalendar;
    static constexpr CxEntryKind kEntry = CxEntryKind::Event;
    static constexpr const char* kOne = "calendar entry";
    static constexpr const char* kMany = "calendar entries";
    static constexpr const char* kFileKind = "iCalendar";
    static void Map(const CxPimFile& f, const CxPimEntry& e, int32_t n, LNDateRecord* r) {
        MapEvent(f, e, n, r);
    }
    static const char* Name(const LNDateRecord& r) { return r.Subject; }
};

template <> struct KindTraits<LNTaskRecord> {
    static constexpr CxPimFormat kFormat = CxPimFormat::ICalendar;
    static constexpr CxEntryKind kEntry = CxEntryKind::Todo;
    static constexpr const char* kOne = "task";
    static constexpr const char* kMany = "tasks";
    static constexpr const char* kFileKind = "iCalendar";
    static void Map(const CxPimFile& f, const CxPimEntry& e, int32_t n, LNTaskRecord* r) {
        MapTodo(f, e, n, r);
    }
    static const char* Name(const LNTaskRecord& r) { return r.Subject; }
};

template <> struct KindTraits<LNNoteRecord> {
    static constexpr CxPimFormat kFormat = CxPimFormat::ICalendar;
    static constexpr CxEntryKind kEntry = CxEntryKind::Journal;
    static constexpr const char* kOne = "notebook entry";
    static constexpr const char* kMany = "notebook entries";
    static constexpr const char* kFileKind = "iCalendar";
    static void Map(const CxPimFile& f, const CxPimEntry& e, int32_t n, LNNoteRecord* r) {
        MapJournal(f, e, n, r);
    }
    static const char* Name(const LNNoteRecord& r) { return r.Subject; }
};

const char* const kStopped = "The run was stopped before it finished; nothing was changed.";

// Reads and parses the database file; reports what cannot be read. False when the file cannot
// be had at all or is not of the kind's format.
template <typename TRecord>
bool ReadDatabase(HelperSession& session, CxPimFile& file, bool bReportProblems) {
    using K = KindTraits<TRecord>;
    const std::string& path = session.Params().Database;
    std::string bytes, error;
    session.Status("Opening %s", path.c_str());
    if (!ReadWholeFile(path, bytes, error)) {
        session.Error("%s", error.c_str());
        return false;
    }
    bool bEmpty = bytes.find_first_not_of(" \t\r\n") == std::string::npos;
    file.Parse(std::move(bytes), K::kFormat);
    if (!bEmpty && file.Entries().empty() && !file.Problems().empty()) {
        session.Error("%s is not a %s file: %s", path.c_str(), K::kFileKind,
                      file.Problems().front().Describe().c_str());
        return false;
    }
    // Loading tells the user what could not be read; applying, which leaves those parts as they
    // are, only logs them again.
    for (const CxPimProblem& problem : file.Problems()) {
        if (bReportProblems)
            session.Error("%s, %s (this part of the file is kept as it is)", path.c_str(),
                          problem.Describe().c_str());
        else
            CXLOG(2, "%s, %s", path.c_str(), problem.Describe().c_str());
    }
    return true;
}

template <typename TRecord> bool Export(HelperSession& session) {
    using K = KindTraits<TRecord>;
    CxPimFile file;
    if (!ReadDatabase<TRecord>(session, file, true))
        return false;
    std::vector<const CxPimEntry*> entries = file.ExportedEntries(K::kEntry);
    const uint32_t nTotal = (uint32_t)entries.size();

    // The records go into one buffer, which is written in one piece. (Mapping on several
    // threads was measured slower under Wine: the threads queue on the process heap's lock.)
    std::string bytes;
    bytes.reserve(file.Bytes().size() + 4);
    char aCount[4] = {(char)nTotal, (char)(nTotal >> 8), (char)(nTotal >> 16),
                      (char)(nTotal >> 24)};
    bytes.append(aCount, 4);
    std::unique_ptr<TRecord> pRecord(new TRecord());
    DWORD nLastStatus = 0;
    for (uint32_t i = 0; i < nTotal; ++i) {
        DWORD nNow = GetTickCount();
        if (i == 0 || nNow - nLastStatus >= 100) {
            session.Status("Reading %s: %u of %u", K::kMany, i + 1, nTotal);
            nLastStatus = nNow;
        }
        if (session.StopRequested()) {
            session.Error("%s", kStopped);
            return false;
        }
        K::Map(file, *entries[i], (int32_t)i, pRecord.get());
        AppendRecordItems(bytes, pRecord.get(), LayoutOf<TRecord>());
    }

    const HelperParams& params = session.Params();
    std::string dataPath = session.WorkPath(params.DataFile);
    std::string error;
    if (!WriteFileAtomically(dataPath, bytes, error)) {
        session.Error("%s", error.c_str());
        return false;
    }
    session.Status("Read %u %s", nTotal, nTotal == 1 ? K::kOne : K::kMany);
    CXLOG(2, "%u %s written to %s.", nTotal, nTotal == 1 ? K::kOne : K::kMany, dataPath.c_str());
    return true;
}

template <typename TRecord> bool Apply(HelperSession& session) {
    using K = KindTraits<TRecord>;
    const HelperParams& params = session.Params();
    std::string dataPath = session.WorkPath(params.DataFile);
    std::vector<std::unique_ptr<TRecord>> records;
    ExchangeReadResult read = ReadExchangeFile<TRecord>(dataPath.c_str(), records);
    if (read.status == ExchangeReadResult::kOpenFailed) {
        session.Error("Cannot open %s: %s", dataPath.c_str(),
                      DescribeFileError(GetLastError()).c_str());
        return false;
    }
    if (read.status == ExchangeReadResult::kDamaged) {
        session.Error("The exchange file %s is damaged (it ends at byte %lld); nothing was "
                      "changed.",
                      dataPath.c_str(), (long long)read.nEndOffset);
        return false;
    }
    std::vector<std::string> ids;
    std::vector<const TRecord*> marked;
    for (const auto& pRecord : records) {
        if (pRecord->Action == kActionDelete) {
            ids.push_back(pRecord->ID.c_str());
            marked.push_back(pRecord.get());
        }
    }
    if (ids.empty()) {
        session.Status("Nothing to delete");
        return true;
    }

    CxPimFile file;
    if (!ReadDatabase<TRecord>(session, file, false))
        return false;
    if (session.StopRequested()) {
        session.Error("%s", kStopped);
        return false;
    }
    session.Status("Deleting %u %s", (unsigned)ids.size(), ids.size() == 1 ? K::kOne : K::kMany);
    CxRemoval removal = RemoveEntries(file, K::kEntry, ids);
    for (const std::string& id : removal.unmatched) {
        const char* szName = "";
        for (const TRecord* pRecord : marked)
            if (id == pRecord->ID.c_str())
                szName = K::Name(*pRecord);
        session.Error("The %s \"%s\" changed in %s since it was loaded, or is no longer there; "
                      "it was left alone.",
                      K::kOne, szName, params.Database.c_str());
    }
    if (removal.removed.empty())
        return removal.unmatched.empty();
    if (session.StopRequested()) {
        session.Error("%s", kStopped);
        return false;
    }
    std::string backup, error;
    if (!ReplaceWithBackup(params.Database, removal.bytes, backup, error)) {
        session.Error("%s Nothing was deleted.", error.c_str());
        return false;
    }
    CXLOG(2, "%u %s deleted from %s; the file as it was is kept as %s.",
          (unsigned)removal.removed.size(), removal.removed.size() == 1 ? K::kOne : K::kMany,
          params.Database.c_str(), backup.c_str());
    session.Status("Deleted %u %s", (unsigned)removal.removed.size(),
                   removal.removed.size() == 1 ? K::kOne : K::kMany);
    return removal.unmatched.empty();
}

} // namespace

bool ExportDatabase(LNKind kind, HelperSession& session) {
    switch (kind) {
    case LNKind::kAddr:
        return Export<LNAddrRecord>(session);
    case LNKind::kDate:
        return Export<LNDateRecord>(session);
    case LNKind::kTask:
        return Export<LNTaskRecord>(session);
    case LNKind::kNote:
        return Export<LNNoteRecord>(session);
    }
    return false;
}

bool ApplyExchangeFile(LNKind kind, HelperSession& session) {
    switch (kind) {
    case LNKind::kAddr:
        return Apply<LNAddrRecord>(session);
    case LNKind::kDate:
        return Apply<LNDateRecord>(session);
    case LNKind::kTask:
        return Apply<LNTaskRecord>(session);
    case LNKind::kNote:
        return Apply<LNNoteRecord>(session);
    }
    return false;
}
