// The four record types of the exchange files, their record indexes and the layouts by which
// their exchange-file codec reads and writes them field by field. Every record begins with
// Action, Tag and ID; Flags and Entry live in memory only.
#pragma once

#include "../misc/CxList.h"

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

// An entry of a record index; it refers to exactly one record, whose Entry refers back.
template <typename TRecord> struct CommEntry { TRecord* pRecord = nullptr; };

struct LNAddrRecord;
struct LNDateRecord;
struct LNTaskRecord;
struct LNNoteRecord;

struct LNAddrRecord {
    int32_t Action;
    int32_t Tag;
    char ID[64];
    char FirstName[64];
    char MiddleName[64];
    char LastName[64];
    char Suffix[64];
    char DisplayName[256];
    char CompanyName[64];
    char Department[64];
    char JobTitle[64];
    char Location[256];
    char AssistantName[64];
    char ManagerName[64];
    char BusinessEmail[128];
    char PersonalEmail[128];
    char AssistantPhone[128];
    char BusinessEmail2[128];
    char PersonalEmail2[128];
    char BusinessStreet[256];
    char BusinessCity[32];
    char BusinessState[32];
    char BusinessCountry[32];
    char BusinessPostal[32];
    char HomeStreet[256];
    char HomeCity[32];
    char HomeState[32];
    char HomeCountry[32];
    char HomePostal[32];
    char OtherStreet[256];
    char OtherCity[32];
    char OtherState[32];
    char OtherCountry[32];
    char OtherPostal[32];
    char PrimaryPhone[32];
    char BusinessPhone[32];
    char HomePhone[32];
    char MobilePhone[32];
    char BusinessFax[32];
    char HomeFax[32];
    char Pager[32];
    char InstantMessenger[64];
    char WebSite[256];
    char BlogSite[256];
    char SpouseName[64];
    char ChildrenNames[256];
    char Note[4096];
    char Category[256];
    char CustomField[10][256];
    char CustomLabel[10][64];
    double BirthDate;
    double Anniversary;

    uint32_t Flags;
    CommEntry<LNAddrRecord>* Entry;
};

struct LNDateRecord {
    int32_t Action;
    int32_t Tag;
    char ID[64];
    char Subject[256];
    char Location[256];
    char Body[20480];
    char Repeats[10];
    char Resources[256];
    char StartTimeZone[64];
    char EndTimeZone[64];
    double DisplayStart;
    double DisplayEnd;
    double DateTime3;
    double DateTime4;
    double StartDateTime;
    double EndDateTime;
    char RepeatUnit[10];
    char RepeatInterval[10];
    char RepeatWeekdays[10];
    char ExtraText1[10];
    double ExtraDate1;
    char ExtraText2[16];
    double RepeatUntil;
    char ExtraText3[10];
    int32_t ExtraNumber;
    char ExtraText4[16];
    double ExtraDate2;
    char ExtraText5[10];
    char ExtraText6[10];
    CxBool Private;

    uint32_t Flags;
    CommEntry<LNDateRecord>* Entry;
};

struct LNTaskRecord {
    int32_t Action;
    int32_t Tag;
    char ID[64];
    char Subject[256];
    char Body[8192];
    char Repeats[256];
    char Categories[256];
    int32_t Importance; // 0 high, 1 normal, 2 low
    CxBool Private;
    char TaskType[32];
    double DueDate;
    double StartDate;
    double EndDate;
    int32_t DueState;
    int32_t Alarm;
    char AlarmUnit[16];
    char AlarmMemoOptions[256];
    char AlarmDescription[256];
    int32_t AlarmOffset;
    char AlarmString[256];

    uint32_t Flags;
    CommEntry<LNTaskRecord>* Entry;
};

struct LNNoteRecord {
    int32_t Action;
    int32_t Tag;
    char ID[64];
    char Subject[256];
    char Body[8192];
    char Categories[256];
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
