// The structure of a vCard or iCalendar file: its entries with their exact byte ranges and
// identities, the problems found in it, and the removal of entries that leaves every other byte
// as it was.
#pragma once

#include "CxPimLine.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

enum class CxPimFormat { VCard, ICalendar };

// The kinds of entry: each VCARD of a vCard file; each VEVENT, VTODO and VJOURNAL directly
// inside a VCALENDAR of an iCalendar file.
enum class CxEntryKind { Card, Event, Todo, Journal };

struct CxPimEntry {
    CxEntryKind kind = CxEntryKind::Card;
    size_t nStart = 0;        // offset of its BEGIN line
    size_t nEnd = 0;          // offset just past the line ending of its END line
    size_t nFirstLine = 0;    // index of its BEGIN line among the file's content lines
    size_t nLastLine = 0;     // index of its END line
    uint32_t nLine = 0;       // line number of its BEGIN line
    std::string uid;          // UID, calendar entries only
    std::string recurrenceId; // RECURRENCE-ID (parameters and value): an override of one
                              // occurrence of a repeating entry
    // Offered to the wizard: every entry except an override whose repeating entry (same UID,
    // no RECURRENCE-ID) is in the file too; an override goes with its repeating entry.
    bool bExported = true;
    std::string digest; // SHA-256 of its bytes, 64 hexadecimal digits
    // Its identity: the first 32 digits of the digest, "-", and the number of this copy among
    // the entries with the very same bytes (1 for the first). At most 63 characters.
    std::string id;
};

struct CxPimProblem {
    uint32_t nLine = 0; // the line it concerns, counted from 1
    std::string text;   // an English sentence for the user
    // "Line 12: " and the text.
    std::string Describe() const;
};

class CxPimFile {
public:
    // Reads the structure of a file's bytes. Whatever cannot be read (a component without its
    // END, lines that are no property lines, lines outside every component, a file that is not
    // of the format at all) is reported in Problems() and belongs to no entry, so it stays in the
    // file byte for byte.
    void Parse(std::string bytes, CxPimFormat format);

    CxPimFormat Format() const { return m_Format; }
    const std::string& Bytes() const { return m_Bytes; }
    const std::vector<CxContentLine>& Lines() const { return m_Lines; }
    // Every entry read whole, in file order, overrides included.
    const std::vector<CxPimEntry>& Entries() const { return m_Entries; }
    // The exported entries of one kind, in file order.
    std::vector<const CxPimEntry*> ExportedEntries(CxEntryKind kind) const;
    const std::vector<CxPimProblem>& Problems() const { return m_Problems; }

    // The entry's own property lines, parsed, in file order: without BEGIN and END and without
    // the lines of components nested in it (VALARM, an embedded vCard).
    std::vector<CxProperty> EntryProperties(const CxPimEntry& entry) const;

    // At most this many problems are listed; a last one tells how many more there were.
    static const size_t kMaxProblems = 100;

private:
    friend class CxPimStructureReader;
    void AddProblem(uint32_t nLine, std::string text);

    CxPimFormat m_Format = CxPimFormat::VCard;
    std::string m_Bytes;
    std::vector<CxContentLine> m_Lines;
    std::vector<CxPimEntry> m_Entries;
    std::vector<CxPimProblem> m_Problems;
    size_t m_nProblemsLeftOut = 0;
};

struct CxRemoval {
    std::string bytes;                  // the new file
    std::vector<size_t> removed;        // indices into Entries() of what went, in file order
    std::vector<std::string> unmatched; // asked-for IDs that name no exported entry of the kind
};

// The file without the exported entries of the kind that the IDs name: only their byte ranges
// go, every other byte stays in place. An ID that names no entry (the file changed since it was
// read, or the entry was never offered) is listed in unmatched and removes nothing. A repeating
// calendar entry takes its overrides along once no copy of it stays in the file; while a copy
// stays, each override it had loses as many exact copies as repeating entries went, but never
// its last one.
CxRemoval RemoveEntries(const CxPimFile& file, CxEntryKind kind,
                        const std::vector<std::string>& ids);

// The component name of an entry kind ("VCARD", "VEVENT", "VTODO", "VJOURNAL").
const char* EntryComponentName(CxEntryKind kind);
