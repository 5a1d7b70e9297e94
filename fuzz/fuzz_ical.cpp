// Reads any bytes as an iCalendar file, maps every event, task and journal entry, and removes a
// choice of each kind.
#include "FuzzChecks.h"

#include <memory>

namespace {

template <typename TRecord, typename TMap>
void MapAll(const CxPimFile& file, CxEntryKind kind, TMap map) {
    static std::unique_ptr<TRecord> s_pRecord(new TRecord());
    std::vector<const CxPimEntry*> entries = file.ExportedEntries(kind);
    for (size_t i = 0; i < entries.size(); ++i) {
        map(file, *entries[i], (int32_t)i, s_pRecord.get());
        fuzzcheck::CheckRecord(*s_pRecord);
        fuzzcheck::Require(s_pRecord->ID == entries[i]->id, "the record names its entry");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize) {
    std::string bytes(reinterpret_cast<const char*>(pData), nSize);
    CxPimFile file;
    file.Parse(bytes, CxPimFormat::ICalendar);
    fuzzcheck::CheckStructure(file, bytes);

    MapAll<LNDateRecord>(file, CxEntryKind::Event, MapEvent);
    MapAll<LNTaskRecord>(file, CxEntryKind::Todo, MapTodo);
    MapAll<LNNoteRecord>(file, CxEntryKind::Journal, MapJournal);
    for (CxEntryKind kind : {CxEntryKind::Event, CxEntryKind::Todo, CxEntryKind::Journal})
        fuzzcheck::CheckRemoval(file, bytes, kind, (unsigned)nSize);
    return 0;
}
