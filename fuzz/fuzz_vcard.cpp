// Reads any bytes as a vCard file, maps every contact, and removes a choice of them.
#include "FuzzChecks.h"

#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize) {
    std::string bytes(reinterpret_cast<const char*>(pData), nSize);
    CxPimFile file;
    file.Parse(bytes, CxPimFormat::VCard);
    fuzzcheck::CheckStructure(file, bytes);

    static std::unique_ptr<LNAddrRecord> s_pRecord(new LNAddrRecord());
    std::vector<const CxPimEntry*> entries = file.ExportedEntries(CxEntryKind::Card);
    for (size_t i = 0; i < entries.size(); ++i) {
        MapCard(file, *entries[i], (int32_t)i, s_pRecord.get());
        fuzzcheck::CheckRecord(*s_pRecord);
        fuzzcheck::Require(s_pRecord->ID == entries[i]->id, "the record names its entry");
    }
    fuzzcheck::CheckRemoval(file, bytes, CxEntryKind::Card, (unsigned)nSize);
    return 0;
}
