// The invariants both fuzz targets check after reading, mapping and removing. A broken one
// stops the fuzzer with a message.
#pragma once

#include "helpers/CxPimMap.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <vector>

namespace fuzzcheck {

inline void Require(bool bHolds, const char* szWhat) {
    if (!bHolds) {
        fprintf(stderr, "invariant broken: %s\n", szWhat);
        abort();
    }
}

// Lines cover the file after its byte-order mark in order; entries are ordered, disjoint, begin
// at a line and carry short, distinct identities.
inline void CheckStructure(const CxPimFile& file, const std::string& bytes) {
    const std::vector<CxContentLine>& lines = file.Lines();
    size_t pos = bytes.size() >= 3 && memcmp(bytes.data(), "\xEF\xBB\xBF", 3) == 0 ? 3 : 0;
    for (const CxContentLine& line : lines) {
        Require(line.nStart == pos, "lines are contiguous");
        Require(line.nEnd > line.nStart && line.nEnd <= bytes.size(), "line span in the file");
        Require(line.text.size() <= line.nEnd - line.nStart, "unfolded text is not longer");
        pos = line.nEnd;
    }
    Require(pos == bytes.size() || lines.empty(), "lines reach the end of the file");

    std::set<std::string> ids;
    size_t nPrevEnd = 0;
    for (const CxPimEntry& e : file.Entries()) {
        Require(e.nStart >= nPrevEnd && e.nStart < e.nEnd && e.nEnd <= bytes.size(),
                "entries are ordered and disjoint");
        Require(e.nFirstLine < e.nLastLine && e.nLastLine < lines.size(), "entry lines");
        Require(lines[e.nFirstLine].nStart == e.nStart && lines[e.nLastLine].nEnd == e.nEnd,
                "entry spans its lines");
        Require(!e.id.empty() && e.id.size() <= 63, "identity fits the ID field");
        Require(ids.insert(e.id).second, "identities are distinct");
        nPrevEnd = e.nEnd;
    }
    Require(file.Problems().size() <= CxPimFile::kMaxProblems + 1, "problem list is capped");
}

// Every text field of the record ends within its capacity.
template <typename TRecord> void CheckRecord(const TRecord& record) {
    const RecordLayout& layout = LayoutOf<TRecord>();
    const char* pBase = reinterpret_cast<const char*>(&record);
    for (size_t i = 0; i < layout.nFields; ++i) {
        const FieldDesc& f = layout.pFields[i];
        if (f.kind == FieldKind::Text)
            Require(memchr(pBase + f.nOffset, 0, f.nCapacity) != nullptr, "text is terminated");
    }
}

// Removing nothing, or only unknown IDs, gives the file unchanged; removing a choice of entries
// gives exactly the file without their ranges.
inline void CheckRemoval(const CxPimFile& file, const std::string& bytes, CxEntryKind kind,
                         unsigned nChoice) {
    CxRemoval none = RemoveEntries(file, kind, {});
    Require(none.bytes == bytes && none.removed.empty(), "removing nothing changes nothing");
    CxRemoval unknown = RemoveEntries(file, kind, {"not-an-id"});
    Require(unknown.bytes == bytes && unknown.unmatched.size() == 1, "unknown IDs remove nothing");

    std::vector<const CxPimEntry*> entries = file.ExportedEntries(kind);
    std::vector<std::string> ids;
    for (size_t i = 0; i < entries.size(); ++i) {
        if ((i + nChoice) % 3 == 0)
            ids.push_back(entries[i]->id);
    }
    CxRemoval some = RemoveEntries(file, kind, ids);
    Require(some.unmatched.empty(), "offered IDs all match");
    Require(some.removed.size() >= ids.size(), "every chosen entry goes");
    std::string expected;
    size_t nFrom = 0, nPrev = 0;
    for (size_t k = 0; k < some.removed.size(); ++k) {
        Require(k == 0 || some.removed[k] > nPrev, "removed entries in file order");
        nPrev = some.removed[k];
        const CxPimEntry& e = file.Entries()[some.removed[k]];
        Require(e.kind == kind, "only entries of the kind go");
        expected.append(bytes, nFrom, e.nStart - nFrom);
        nFrom = e.nEnd;
    }
    expected.append(bytes, nFrom, std::string::npos);
    Require(some.bytes == expected, "output is the input without the removed ranges");
}

} // namespace fuzzcheck
