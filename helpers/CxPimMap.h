// The records of the exchange files filled from the entries of vCard and iCalendar files:
// a vCard gives an LNAddrRecord, a VEVENT an LNDateRecord, a VTODO an LNTaskRecord and a
// VJOURNAL an LNNoteRecord. helpers/README.md lists the mapping field by field.
//
// Each function first clears the whole record, then sets Action 0, Tag nTag (the entry's number
// among the file's entries of its kind, from 0) and ID the entry's identity. Texts are converted
// to the system ANSI code page and cut to their field's capacity in the record only.
#pragma once

#include "CxPimFile.h"

#include "common/lotus/LNRecords.h"

#include <cstdint>

void MapCard(const CxPimFile& file, const CxPimEntry& entry, int32_t nTag, LNAddrRecord* pRecord);
void MapEvent(const CxPimFile& file, const CxPimEntry& entry, int32_t nTag, LNDateRecord* pRecord);
void MapTodo(const CxPimFile& file, const CxPimEntry& entry, int32_t nTag, LNTaskRecord* pRecord);
void MapJournal(const CxPimFile& file, const CxPimEntry& entry, int32_t nTag,
                LNNoteRecord* pRecord);

// Shared by the mappings.
namespace pimmap {

std::u16string Join(const std::vector<std::u16string>& parts, const char16_t* szSeparator);
// The text of a list value ("a,b\,c" is a and b,c), each item decoded, empty items dropped.
std::vector<std::u16string> ListItems(const CxProperty& prop);
// Action, Tag and ID, on a cleared record.
template <typename TRecord> void Begin(const CxPimEntry& entry, int32_t nTag, TRecord* pRecord) {
    *pRecord = TRecord();
    pRecord->Action = 0;
    pRecord->Tag = nTag;
    SetField(pRecord->ID, std::u16string(entry.id.begin(), entry.id.end()));
}

} // namespace pimmap
