// The four record types of the exchange files, their record indexes and the layouts by which
// their exchange-file codec reads and writes them field by field. Every record begins with
// Action, Tag and ID; Flags and Entry live in memory only.
#pragma once

#include "../misc/CxList.h"
#include "../misc/CxText.h"

#include <cstddef>
#include <cstdint>
#include <new>

// A truth value as the exchange files hold it: one byte, kept exactly as read (the lowest byte
// of the stored four), so that it is written back unchanged.
using CxBool = uint8_t;

// Action asking the helper to delete the record when the file is applied.
const int32_t kActionDelete = 3;

// Bits of a record's in-memory Flags.
const uint32_t kFlagDuplicate = 1; // equal to an earlier record under the current criteria
const uint32_t kFlagTicked = 2;    // ticked when the user left the review page

template <typename TRecord> class CommMgr;

// Records hold their texts in CxText fields: each field keeps the capacity of its exchange-file
// item and cuts longer texts, but holds only what its text needs.

// An entry of a record index; it refers to exactly one record, whose Entry refers back.
template <typename TRecord> struct CommEntry { TRecord* pRecord = nullptr; };

struct LNAddrRecord;
struct LNDateRecord;
struct LNTaskRecord;
struct LNNoteRecord;

struct LNAddrRecord {
    int32_t Action;
    int32_t Tag;
    CxText<64> ID;
    CxText<64> FirstName;
    CxText<64> MiddleName;
    CxText<64> LastName;
    CxText<64> Suffix;
    CxText<256> DisplayName;
    CxText<64> CompanyName;
    CxText<64> Department;
    CxText<64> JobTitle;
    CxText<256> Location;
    CxText<64> AssistantName;
    CxText<64> ManagerName;
    CxText<128> BusinessEmail;
    CxText<128> PersonalEmail;
    CxText<128> AssistantPhone;
    CxText<128> BusinessEmail2;
    CxText<128> PersonalEmail2;
    CxText<256> BusinessStreet;
    CxText<32> BusinessCity;
    CxText<32> BusinessState;
    CxText<32> BusinessCountry;
    CxText<32> BusinessPostal;
    CxText<256> HomeStreet;
    CxText<32> HomeCity;
    CxText<32> HomeState;
    CxText<32> HomeCountry;
    CxText<32> HomePostal;
    CxText<256> OtherStreet;
    CxText<32> OtherCity;
    CxText<32> OtherState;
    CxText<32> OtherCountry;
    CxText<32> OtherPostal;
    CxText<32> PrimaryPhone;
    CxText<32> BusinessPhone;
    CxText<32> HomePhone;
    CxText<32> MobilePhone;
    CxText<32> BusinessFax;
    CxText<32> HomeFax;
    CxText<32> Pager;
    CxText<64> InstantMessenger;
    CxText<256> WebSite;
    CxText<256> BlogSite;
    CxText<64> SpouseName;
    CxText<256> ChildrenNames;
    CxText<4096> Note;
    CxText<256> Category;
    CxText<256> CustomField[10];
    CxText<64> CustomLabel[10];
    double BirthDate;
    double Anniversary;

    uint32_t Flags;
    CommEntry<LNAddrRecord>* Entry;
};

struct LNDateRecord {
    int32_t Action;
    int32_t Tag;
    CxText<64> ID;
    CxText<256> Subject;
    CxText<256> Location;
    CxText<20480> Body;
    CxText<10> Repeats;
    CxText<256> Resources;
    CxText<64> StartTimeZone;
    CxText<64> EndTimeZone;
    double DisplayStart;
    double DisplayEnd;
    double DateTime3;
    double DateTime4;
    double StartDateTime;
    double EndDateTime;
    CxText<10> RepeatUnit;
    CxText<10> RepeatInterval;
    CxText<10> RepeatWeekdays;
    CxText<10> ExtraText1;
    double ExtraDate1;
    CxText<16> ExtraText2;
    double RepeatUntil;
    CxText<10> ExtraText3;
    int32_t ExtraNumber;
    CxText<16> ExtraText4;
    double ExtraDate2;
    CxText<10> ExtraText5;
    CxText<10> ExtraText6;
    CxBool Private;

    uint32_t Flags;
    CommEntry<LNDateRecord>* Entry;
};

struct LNTaskRecord {
    int32_t Action;
    int32_t Tag;
    CxText<64> ID;
    CxText<256> Subject;
    CxText<8192> Body;
    CxText<256> Repeats;
    CxText<256> Categories;
    int32_t Importance; // 0 high, 1 normal, 2 low
    CxBool Private;
    CxText<32> TaskType;
    double DueDate;
    double StartDate;
    double EndDate;
    int32_t DueState;
    int32_t Alarm;
    CxText<16> AlarmUnit;
    CxText<256> AlarmMemoOptions;
    CxText<256> AlarmDescription;
    int32_t AlarmOffset;
    CxText<256> AlarmString;

    uint32_t Flags;
    CommEntry<LNTaskRecord>* Entry;
};

struct LNNoteRecord {
    int32_t Action;
    int32_t Tag;
    CxText<64> ID;
    CxText<256> Subject;
    CxText<8192> Body;
    CxText<256> Categories;
    int32_t BorderColor;
    double DiaryDate;
    double CreateTime;
    double EditTime;

    uint32_t Flags;
    CommEntry<LNNoteRecord>* Entry;
};

// A record index: the entries in load order, walked with one cursor. It owns its entries, not
// the records.
template <typename TRecord> class CommMgr {
public:
    using Entry = CommEntry<TRecord>;

    CommMgr() = default;
    ~CommMgr() { Clear(); }
    CommMgr(const CommMgr&) = delete;
    CommMgr& operator=(const CommMgr&) = delete;

    Entry* First() { return static_cast<Entry*>(m_List.First()); }
    Entry* Next() { return static_cast<Entry*>(m_List.Next()); }
    bool Seek(const Entry* pEntry) { return m_List.Seek(pEntry); }
    uint32_t Count() const { return m_List.Count(); }
    bool Contains(const Entry* pEntry) const { return m_List.Contains(pEntry); }

    // A new entry that refers to the record; none when no memory is left.
    Entry* Add(TRecord* pRecord) {
        Entry* pEntry = new (std::nothrow) Entry;
        if (pEntry == nullptr)
            return nullptr;
        pEntry->pRecord = pRecord;
        if (!m_List.Append(pEntry)) {
            delete pEntry;
            return nullptr;
        }
        return pEntry;
    }

    void Clear() {
        for (void* p = m_List.First(); p != nullptr; p = m_List.Next())
            delete static_cast<Entry*>(p);
        m_List.Clear();
    }

private:
    CxList m_List;
};

using CommAddrMgr = CommMgr<LNAddrRecord>;
using CommDateMgr = CommMgr<LNDateRecord>;
using CommTaskMgr = CommMgr<LNTaskRecord>;
using CommNoteMgr = CommMgr<LNNoteRecord>;

// One item of a record in the exchange file.
enum class FieldKind : uint8_t { Int32, Text, Date, Bool };

struct FieldDesc {
    const char* szName;
    FieldKind kind;
    uint32_t nOffset;
    uint32_t nCapacity; // texts: the field's capacity, terminator included
};

struct RecordLayout {
    const FieldDesc* pFields;
    size_t nFields;
    // Bytes of a record whose texts are all empty: the least a record can take in the file.
    size_t MinBytes() const;
};

template <typename TRecord> const RecordLayout& LayoutOf();
template <> const RecordLayout& LayoutOf<LNAddrRecord>();
template <> const RecordLayout& LayoutOf<LNDateRecord>();
template <> const RecordLayout& LayoutOf<LNTaskRecord>();
template <> const RecordLayout& LayoutOf<LNNoteRecord>();
