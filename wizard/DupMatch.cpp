#include "DupMatch.h"

#include "AppSettings.h"
#include "LoadedData.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <vector>

namespace {

// ---- Criteria tables ----------------------------------------------------------------------
//
// A criterion is one switch of the settings record and the fields it covers, in the order in
// which they are compared. Both the comparison and the key hashing of FindDups read these tables,
// so the two cannot disagree about which fields count.

enum class DupFieldKind : uint8_t { Text, Date, Int32 };

struct DupField {
    uint32_t nOffset;
    uint32_t nCapacity; // texts: the field's capacity, terminator included
    DupFieldKind kind;
};

struct DupCriterion {
    bool AppSettings::*pSwitch;
    const DupField* pFields;
    size_t nFields;
};

struct DupCriteria {
    const DupCriterion* pItems;
    size_t nItems;
};

#define DUP_TEXT(rec, field)                                                                       \
    {                                                                                              \
        (uint32_t) offsetof(rec, field), (uint32_t) decltype(rec::field)::kCapacity,               \
            DupFieldKind::Text                                                                     \
    }
#define DUP_DATE(rec, field)                                                                       \
    { (uint32_t) offsetof(rec, field), 0, DupFieldKind::Date }
#define DUP_INT(rec, field)                                                                        \
    { (uint32_t) offsetof(rec, field), 0, DupFieldKind::Int32 }
#define DUP_CRITERION(setting, fields)                                                             \
    { &AppSettings::setting, fields, std::size(fields) }

#define A(field) DUP_TEXT(LNAddrRecord, field)
const DupField kAddrDisplayName[] = {A(DisplayName)};
const DupField kAddrFirstName[] = {A(FirstName)};
const DupField kAddrMiddleName[] = {A(MiddleName)};
const DupField kAddrLastName[] = {A(LastName)};
const DupField kAddrCompanyName[] = {A(CompanyName)};
const DupField kAddrDepartment[] = {A(Department)};
const DupField kAddrTitle[] = {A(JobTitle)};
const DupField kAddrEmail[] = {A(BusinessEmail), A(PersonalEmail), A(BusinessEmail2),
                               A(PersonalEmail2)};
const DupField kAddrPhone[] = {A(PrimaryPhone), A(BusinessPhone), A(HomePhone), A(MobilePhone),
                               A(BusinessFax),  A(HomeFax),       A(Pager)};
const DupField kAddrAddress[] = {
    A(BusinessStreet), A(BusinessCity), A(BusinessState), A(BusinessCountry), A(BusinessPostal),
    A(HomeStreet),     A(HomeCity),     A(HomeState),     A(HomeCountry),     A(HomePostal),
    A(OtherStreet),    A(OtherCity),    A(OtherState),    A(OtherCountry),    A(OtherPostal)};
const DupField kAddrIM[] = {A(InstantMessenger)};
const DupField kAddrWebSite[] = {A(WebSite), A(BlogSite)};
const DupField kAddrNote[] = {A(Note)};
#undef A

const DupCriterion kAddrCriteria[] = {
    DUP_CRITERION(AddrDisplayName, kAddrDisplayName),
    DUP_CRITERION(AddrFirstName, kAddrFirstName),
    DUP_CRITERION(AddrMiddleName, kAddrMiddleName),
    DUP_CRITERION(AddrLastName, kAddrLastName),
    DUP_CRITERION(AddrCompanyName, kAddrCompanyName),
    DUP_CRITERION(AddrDepartment, kAddrDepartment),
    DUP_CRITERION(AddrTitle, kAddrTitle),
    DUP_CRITERION(AddrEmail, kAddrEmail),
    DUP_CRITERION(AddrPhone, kAddrPhone),
    DUP_CRITERION(AddrAddress, kAddrAddress),
    DUP_CRITERION(AddrIM, kAddrIM),
    DUP_CRITERION(AddrWebSite, kAddrWebSite),
    DUP_CRITERION(AddrNote, kAddrNote),
};

const DupField kDateSubject[] = {DUP_TEXT(LNDateRecord, Subject)};
const DupField kDateLocation[] = {DUP_TEXT(LNDateRecord, Location)};
const DupField kDateStartTime[] = {DUP_DATE(LNDateRecord, StartDateTime)};
const DupField kDateEndTime[] = {DUP_DATE(LNDateRecord, EndDateTime)};
const DupField kDateNote[] = {DUP_TEXT(LNDateRecord, Body)};

const DupCriterion kDateCriteria[] = {
    DUP_CRITERION(DateSubject, kDateSubject),     DUP_CRITERION(DateLocation, kDateLocation),
    DUP_CRITERION(DateStartTime, kDateStartTime), DUP_CRITERION(DateEndTime, kDateEndTime),
    DUP_CRITERION(DateNote, kDateNote),
};

const DupField kTaskSubject[] = {DUP_TEXT(LNTaskRecord, Subject)};
const DupField kTaskImportance[] = {DUP_INT(LNTaskRecord, Importance)};
const DupField kTaskDueDate[] = {DUP_DATE(LNTaskRecord, DueDate)};
const DupField kTaskNote[] = {DUP_TEXT(LNTaskRecord, Body)};

const DupCriterion kTaskCriteria[] = {
    DUP_CRITERION(TaskSubject, kTaskSubject),
    DUP_CRITERION(TaskImportance, kTaskImportance),
    DUP_CRITERION(TaskDueDate, kTaskDueDate),
    DUP_CRITERION(TaskNote, kTaskNote),
};

const DupField kNoteSubject[] = {DUP_TEXT(LNNoteRecord, Subject)};
const DupField kNoteNotes[] = {DUP_TEXT(LNNoteRecord, Body)};

const DupCriterion kNoteCriteria[] = {
    DUP_CRITERION(NoteSubject, kNoteSubject),
    DUP_CRITERION(NoteNotes, kNoteNotes),
};

template <typename TRecord> DupCriteria CriteriaOf();
template <> DupCriteria CriteriaOf<LNAddrRecord>() {
    return {kAddrCriteria, std::size(kAddrCriteria)};
}
template <> DupCriteria CriteriaOf<LNDateRecord>() {
    return {kDateCriteria, std::size(kDateCriteria)};
}
template <> DupCriteria CriteriaOf<LNTaskRecord>() {
    return {kTaskCriteria, std::size(kTaskCriteria)};
}
template <> DupCriteria CriteriaOf<LNNoteRecord>() {
    return {kNoteCriteria, std::size(kNoteCriteria)};
}

// ---- Comparison ---------------------------------------------------------------------------

// The case rule folds the ASCII lower-case letters and nothing else.
inline unsigned char FoldCase(unsigned char c) {
    return (unsigned char)(c - (((unsigned)(c - 'a') < 26u) ? ('a' - 'A') : 0));
}

// Compares at most nMax bytes: a text ends at its terminating zero or at its field's capacity,
// whichever comes first.
int CompareText(const char* szA, const char* szB, size_t nMax, bool bCaseSensitive) {
    for (size_t i = 0; i < nMax; ++i) {
        unsigned char a = (unsigned char)szA[i];
        unsigned char b = (unsigned char)szB[i];
        if (!bCaseSensitive) {
            a = FoldCase(a);
            b = FoldCase(b);
        }
        if (a != b)
            return a < b ? -1 : 1;
        if (a == 0)
            return 0;
    }
    return 0;
}

double ReadDate(const unsigned char* pRecord, uint32_t nOffset) {
    double d;
    memcpy(&d, pRecord + nOffset, sizeof d);
    return d;
}

int32_t ReadInt32(const unsigned char* pRecord, uint32_t nOffset) {
    int32_t n;
    memcpy(&n, pRecord + nOffset, sizeof n);
    return n;
}

// The characters of the text field at an offset of a record.
inline const char* TextAt(const unsigned char* pRecord, uint32_t nOffset) {
    return reinterpret_cast<const CxTextBase*>(pRecord + nOffset)->c_str();
}

bool FieldsEqual(const DupField& field, const unsigned char* pA, const unsigned char* pB) {
    switch (field.kind) {
    case DupFieldKind::Text:
        return CompareText(TextAt(pA, field.nOffset), TextAt(pB, field.nOffset), field.nCapacity,
                           Settings().CaseSensitive) == 0;
    case DupFieldKind::Date:
        return ReadDate(pA, field.nOffset) == ReadDate(pB, field.nOffset);
    case DupFieldKind::Int32:
        return ReadInt32(pA, field.nOffset) == ReadInt32(pB, field.nOffset);
    }
    return false;
}

// Every switched-on criterion, in table order; stops at the first that fails.
bool RecordsEqual(const DupCriteria& criteria, const void* pRecA, const void* pRecB) {
    if (pRecA == nullptr || pRecB == nullptr)
        return false;
    const auto* pA = static_cast<const unsigned char*>(pRecA);
    const auto* pB = static_cast<const unsigned char*>(pRecB);
    for (size_t i = 0; i < criteria.nItems; ++i) {
        const DupCriterion& c = criteria.pItems[i];
        if (!(Settings().*c.pSwitch))
            continue;
        for (size_t f = 0; f < c.nFields; ++f) {
            if (!FieldsEqual(c.pFields[f], pA, pB))
                return false;
        }
    }
    return true;
}

// ---- Key hashing --------------------------------------------------------------------------
//
// The key of a record is the sequence of its switched-on fields as the comparison sees them:
// each text's bytes up to its end, folded by the case rule, followed by its length (which
// separates the fields); each date's value with -0.0 taken as 0.0; each integer. Records that
// compare equal therefore have equal keys and equal hashes. A record with NaN in a switched-on
// date equals no record at all and gets no key.

inline uint64_t MulFold(uint64_t a, uint64_t b) {
    unsigned __int128 p = (unsigned __int128)a * b;
    return (uint64_t)p ^ (uint64_t)(p >> 64);
}

class KeyHash {
public:
    void Add(uint64_t w) { m_h = MulFold(m_h ^ w, 0x9e3779b97f4a7c15ull) + w; }
    uint64_t Value() const { return MulFold(m_h ^ (m_h >> 29), 0xd6e8feb86659fd93ull); }

private:
    uint64_t m_h = 0x243f6a8885a308d3ull;
};

void HashText(KeyHash& h, const char* sz, size_t nMax, bool bCaseSensitive) {
    uint64_t w = 0;
    unsigned nInWord = 0;
    size_t n = 0;
    for (; n < nMax; ++n) {
        unsigned char c = (unsigned char)sz[n];
        if (c == 0)
            break;
        if (!bCaseSensitive)
            c = FoldCase(c);
        w |= (uint64_t)c << (8 * nInWord);
        if (++nInWord == 8) {
            h.Add(w);
            w = 0;
            nInWord = 0;
        }
    }
    if (nInWord != 0)
        h.Add(w);
    h.Add(n);
}

// The hash of the record's key; false when the record has no key (NaN in a switched-on date).
bool HashKey(const std::vector<DupField>& fields, const void* pRecord, bool bCaseSensitive,
             uint64_t& nHash) {
    const auto* p = static_cast<const unsigned char*>(pRecord);
    KeyHash h;
    for (const DupField& field : fields) {
        switch (field.kind) {
        case DupFieldKind::Text:
            HashText(h, TextAt(p, field.nOffset), field.nCapacity, bCaseSensitive);
            break;
        case DupFieldKind::Date: {
            double d = ReadDate(p, field.nOffset);
            if (d != d)
                return false;
            if (d == 0.0)
                d = 0.0;
            uint64_t nBits;
            memcpy(&nBits, &d, sizeof nBits);
            h.Add(nBits);
            break;
        }
        case DupFieldKind::Int32:
            h.Add((uint32_t)ReadInt32(p, field.nOffset));
            break;
        }
    }
    nHash = h.Value();
    return true;
}

template <typename TRecord>
inline void Prefetch(const TRecord* pRecord, const std::vector<DupField>& fields) {
    const auto* p = reinterpret_cast<const unsigned char*>(pRecord);
    __builtin_prefetch(&pRecord->Flags, 1);
    for (const DupField& field : fields) {
        if (field.kind == DupFieldKind::Text)
            __builtin_prefetch(TextAt(p, field.nOffset));
    }
}

// ---- The search ---------------------------------------------------------------------------
//
// Equality of records is symmetric and transitive (NaN only makes it irreflexive), so the
// records that equal anything fall into disjoint groups. Walking the records in store order, a
// record either equals the first record of a group already seen (it joins that group, and it can
// equal no other group's first record, for those differ from each other) or it opens a group of
// its own. Groups are listed in the order of their first records, members in store order.

template <typename TRecord>
bool FindDupsIn(CommMgr<TRecord>* pIndex, CxList* pList,
                bool (*pfnIsDup)(const TRecord*, const TRecord*)) {
    if (pIndex == nullptr || pList == nullptr)
        return false;
    pList->Clear();

    // The records as the walk gives them: it ends at the first entry without a record.
    std::vector<TRecord*> records;
    records.reserve(pIndex->Count());
    for (TRecord* p = WalkFirst(pIndex); p != nullptr; p = WalkNext(pIndex))
        records.push_back(p);
    const uint32_t nRecords = (uint32_t)records.size();
    if (nRecords < 2) {
        for (TRecord* p : records)
            p->Flags &= ~kFlagDuplicate;
        return true;
    }

    const bool bCaseSensitive = Settings().CaseSensitive;
    std::vector<DupField> keyFields;
    const DupCriteria criteria = CriteriaOf<TRecord>();
    for (size_t i = 0; i < criteria.nItems; ++i) {
        const DupCriterion& c = criteria.pItems[i];
        if (Settings().*c.pSwitch)
            keyFields.insert(keyFields.end(), c.pFields, c.pFields + c.nFields);
    }

    // Open addressing over the first records of the groups; a slot holds the key's hash and the
    // first record's position + 1 (0 = free). At most half full.
    struct Slot {
        uint64_t nHash;
        uint32_t nHead;
    };
    size_t nSlots = 16;
    while (nSlots < (size_t)nRecords * 2)
        nSlots *= 2;
    const size_t nMask = nSlots - 1;
    std::vector<Slot> slots(nSlots, Slot{0, 0});

    const uint32_t kNone = UINT32_MAX;
    std::vector<uint32_t> heads;                 // first records of the groups, in store order
    std::vector<uint32_t> next(nRecords, kNone); // next member of the same group
    std::vector<uint32_t> last(nRecords, kNone); // of a first record: its group's last member

    // Records are large and lie apart in memory: the fields of the records a little ahead are
    // fetched while this one is hashed.
    const uint32_t kAhead = 16;
    for (uint32_t i = 0; i < nRecords; ++i) {
        if (i + kAhead < nRecords)
            Prefetch(records[i + kAhead], keyFields);
        records[i]->Flags &= ~kFlagDuplicate;
        uint64_t nHash;
        if (!HashKey(keyFields, records[i], bCaseSensitive, nHash))
            continue;
        nHash &= g_nDupHashMask;
        for (size_t s = (size_t)nHash & nMask;; s = (s + 1) & nMask) {
            Slot& slot = slots[s];
            if (slot.nHead == 0) {
                slot = Slot{nHash, i + 1};
                heads.push_back(i);
                last[i] = i;
                break;
            }
            const uint32_t nHead = slot.nHead - 1;
            if (slot.nHash == nHash && pfnIsDup(records[nHead], records[i])) {
                records[i]->Flags |= kFlagDuplicate;
                next[last[nHead]] = i;
                last[nHead] = i;
                break;
            }
        }
    }

    for (uint32_t nHead : heads) {
        for (uint32_t m = next[nHead]; m != kNone; m = next[m])
            pList->Append(records[m]);
    }
    return true;
}

} // namespace

uint64_t g_nDupHashMask = ~(uint64_t)0;

int CompareDupText(const char* szA, const char* szB) {
    return CompareText(szA != nullptr ? szA : "", szB != nullptr ? szB : "", SIZE_MAX,
                       Settings().CaseSensitive);
}

bool IsDupAddr(const LNAddrRecord* pA, const LNAddrRecord* pB) {
    return RecordsEqual(CriteriaOf<LNAddrRecord>(), pA, pB);
}

bool IsDupDate(const LNDateRecord* pA, const LNDateRecord* pB) {
    return RecordsEqual(CriteriaOf<LNDateRecord>(), pA, pB);
}

bool IsDupTask(const LNTaskRecord* pA, const LNTaskRecord* pB) {
    return RecordsEqual(CriteriaOf<LNTaskRecord>(), pA, pB);
}

bool IsDupNote(const LNNoteRecord* pA, const LNNoteRecord* pB) {
    return RecordsEqual(CriteriaOf<LNNoteRecord>(), pA, pB);
}

bool FindDups(int nKind) {
    LoadedData& data = Loaded();
    const int nSlot = KindSlot(nKind);
    if (nSlot < 0)
        return false;
    CxList* pList = data.pDupList[nSlot];
    switch (nKind) {
    case kAppAddr:
        return FindDupsIn(data.pAddrIndex, pList, IsDupAddr);
    case kAppDate:
        return FindDupsIn(data.pDateIndex, pList, IsDupDate);
    case kAppTask:
        return FindDupsIn(data.pTaskIndex, pList, IsDupTask);
    case kAppNote:
        return FindDupsIn(data.pNoteIndex, pList, IsDupNote);
    }
    return false;
}
