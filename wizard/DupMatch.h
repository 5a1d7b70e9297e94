// Duplicate matching: which records of one kind equal an earlier record of the same kind under
// the user's criteria (the per-kind field switches and CaseSensitive of the settings record).
//
// Two records are equal when every switched-on criterion of their kind holds; a criterion holds
// when all of its fields are equal. Texts are compared up to their terminating zero, byte for
// byte, with the ASCII letters a to z folded to A to Z unless CaseSensitive is set. Dates must
// be exactly equal as doubles (so -0.0 equals 0.0 and NaN equals nothing, not even itself);
// integers as integers. DateAllDayEvent and DateRecur take no part.
//
// FindDups rebuilds a kind's duplicate list: of each group of equal records the first in store
// order survives; every other member has Duplicate set and is listed, groups in the order of
// their first records, members in store order.
#pragma once

#include "../common/lotus/LNRecords.h"

#include <cstdint>

// Zero when the two texts are equal under the current case rule, otherwise the sign of the
// first difference of the compared bytes. A missing text counts as empty. Reads CaseSensitive at
// each call.
int CompareDupText(const char* szA, const char* szB);

// True when both records are present and every switched-on criterion of the kind holds. They
// read the settings at each call and change nothing.
bool IsDupAddr(const LNAddrRecord* pA, const LNAddrRecord* pB);
bool IsDupDate(const LNDateRecord* pA, const LNDateRecord* pB);
bool IsDupTask(const LNTaskRecord* pA, const LNTaskRecord* pB);
bool IsDupNote(const LNNoteRecord* pA, const LNNoteRecord* pB);

// The record walk over a store's record index, in entry order, on the index's one cursor. A
// missing index, the end of the index and an entry without a record all give none.
template <typename TRecord> TRecord* WalkFirst(CommMgr<TRecord>* pIndex) {
    if (pIndex == nullptr)
        return nullptr;
    CommEntry<TRecord>* pEntry = pIndex->First();
    return pEntry != nullptr ? pEntry->pRecord : nullptr;
}

template <typename TRecord> TRecord* WalkNext(CommMgr<TRecord>* pIndex) {
    if (pIndex == nullptr)
        return nullptr;
    CommEntry<TRecord>* pEntry = pIndex->Next();
    return pEntry != nullptr ? pEntry->pRecord : nullptr;
}

// Puts the cursor back on the record's entry, so that the next WalkNext gives the record after
// it. False, cursor unchanged, for a missing index or record or an entry not in the index.
template <typename TRecord> bool WalkSeek(CommMgr<TRecord>* pIndex, const TRecord* pRecord) {
    if (pIndex == nullptr || pRecord == nullptr)
        return false;
    return pIndex->Seek(pRecord->Entry);
}

// Rebuilds the duplicate list of one kind of the loaded data (kind as its bit value: 1 contacts,
// 2 calendar, 4 tasks, 8 notebook) and sets or clears Duplicate in each record; Ticked is left
// alone. False, with nothing touched, when the kind's record index or duplicate list does not
// exist or the kind is unknown.
//
// One pass over the records: each record's switched-on fields, folded by the case rule, are
// hashed, and the record is compared in full only with the first records of the groups whose key
// has the same hash. Expected linear in the number of records.
bool FindDups(int nKind);

// For tests: FindDups keeps only these bits of each key's hash, so that records of different keys
// share hashes and only the full comparison tells them apart. All bits unless a test narrows it.
extern uint64_t g_nDupHashMask;
