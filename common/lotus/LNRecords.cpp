#include "LNRecords.h"

#include <cstddef>

namespace {

// clang-format off
#define F_INT(rec, field) {#field, FieldKind::Int32, (uint32_t)offsetof(rec, field), 0}
#define F_TEXT(rec, field) \
    {#field, FieldKind::Text, (uint32_t)offsetof(rec, field), \
     (uint32_t)decltype(rec::field)::kCapacity}
#define F_TEXT_AT(rec, field, i, cap) \
    {#field "[" #i "]", FieldKind::Text, \
     (uint32_t)(offsetof(rec, field) + (i) * sizeof(CxText<cap>)), (cap)}
#define F_DATE(rec, field) {#field, FieldKind::Date, (uint32_t)offsetof(rec, field), 0}
#define F_BOOL(rec, field) {#field, FieldKind::Bool, (uint32_t)offsetof(rec, field), 0}
// clang-format on

#define A(kind, field) F_##kind(LNAddrRecord, field)
const FieldDesc kAddrFields[] = {
    A(INT, Action),
    A(INT, Tag),
    A(TEXT, ID),
    A(TEXT, FirstName),
    A(TEXT, MiddleName),
    A(TEXT, LastName),
    A(TEXT, Suffix),
    A(TEXT, DisplayName),
    A(TEXT, CompanyName),
    A(TEXT, Department),
    A(TEXT, JobTitle),
    A(TEXT, Location),
    A(TEXT, AssistantName),
    A(TEXT, ManagerName),
    A(TEXT, BusinessEmail),
    A(TEXT, PersonalEmail),
    A(TEXT, AssistantPhone),
    A(TEXT, BusinessEmail2),
    A(TEXT, PersonalEmail2),
    A(TEXT, BusinessStreet),
    A(TEXT, BusinessCity),
    A(TEXT, BusinessState),
    A(TEXT, BusinessCountry),
    A(TEXT, BusinessPostal),
    A(TEXT, HomeStreet),
    A(TEXT, HomeCity),
    A(TEXT, HomeState),
    A(TEXT, HomeCountry),
    A(TEXT, HomePostal),
    A(TEXT, OtherStreet),
    A(TEXT, OtherCity),
    A(TEXT, OtherState),
    A(TEXT, OtherCountry),
    A(TEXT, OtherPostal),
    A(TEXT, PrimaryPhone),
    A(TEXT, BusinessPhone),
    A(TEXT, HomePhone),
    A(TEXT, MobilePhone),
    A(TEXT, BusinessFax),
    A(TEXT, HomeFax),
    A(TEXT, Pager),
    A(TEXT, InstantMessenger),
    A(TEXT, WebSite),
    A(TEXT, BlogSite),
    A(TEXT, SpouseName),
    A(TEXT, ChildrenNames),
    A(TEXT, Note),
    A(TEXT, Category),
    F_TEXT_AT(LNAddrRecord, CustomField, 0, 256),
    F_TEXT_AT(LNAddrRecord, CustomField, 1, 256),
    F_TEXT_AT(LNAddrRecord, CustomField, 2, 256),
    F_TEXT_AT(LNAddrRecord, CustomField, 3, 256),
    F_TEXT_AT(LNAddrRecord, CustomField, 4, 256),
    F_TEXT_AT(LNAddrRecord, CustomField, 5, 256),
    F_TEXT_AT(LNAddrRecord, CustomField, 6, 256),
    F_TEXT_AT(LNAddrRecord, CustomField, 7, 256),
    F_TEXT_AT(LNAddrRecord, CustomField, 8, 256),
    F_TEXT_AT(LNAddrRecord, CustomField, 9, 256),
    F_TEXT_AT(LNAddrRecord, CustomLabel, 0, 64),
    F_TEXT_AT(LNAddrRecord, CustomLabel, 1, 64),
    F_TEXT_AT(LNAddrRecord, CustomLabel, 2, 64),
    F_TEXT_AT(LNAddrRecord, CustomLabel, 3, 64),
    F_TEXT_AT(LNAddrRecord, CustomLabel, 4, 64),
    F_TEXT_AT(LNAddrRecord, CustomLabel, 5, 64),
    F_TEXT_AT(LNAddrRecord, CustomLabel, 6, 64),
    F_TEXT_AT(LNAddrRecord, CustomLabel, 7, 64),
    F_TEXT_AT(LNAddrRecord, CustomLabel, 8, 64),
    F_TEXT_AT(LNAddrRecord, CustomLabel, 9, 64),
    A(DATE, BirthDate),
    A(DATE, Anniversary),
};
#undef A

#define D(kind, field) F_##kind(LNDateRecord, field)
const FieldDesc kDateFields[] = {
    D(INT, Action),          D(INT, Tag),           D(TEXT, ID),
    D(TEXT, Subject),        D(TEXT, Location),     D(TEXT, Body),
    D(TEXT, Repeats),        D(TEXT, Resources),    D(TEXT, StartTimeZone),
    D(TEXT, EndTimeZone),    D(DATE, DisplayStart), D(DATE, DisplayEnd),
    D(DATE, DateTime3),      D(DATE, DateTime4),    D(DATE, StartDateTime),
    D(DATE, EndDateTime),    D(TEXT, RepeatUnit),   D(TEXT, RepeatInterval),
    D(TEXT, RepeatWeekdays), D(TEXT, ExtraText1),   D(DATE, ExtraDate1),
    D(TEXT, ExtraText2),     D(DATE, RepeatUntil),  D(TEXT, ExtraText3),
    D(INT, ExtraNumber),     D(TEXT, ExtraText4),   D(DATE, ExtraDate2),
    D(TEXT, ExtraText5),     D(TEXT, ExtraText6),   D(BOOL, Private),
};
#undef D

#define T(kind, field) F_##kind(LNTaskRecord, field)
const FieldDesc kTaskFields[] = {
    T(INT, Action),
    T(INT, Tag),
    T(TEXT, ID),
    T(TEXT, Subject),
    T(TEXT, Body),
    T(TEXT, Repeats),
    T(TEXT, Categories),
    T(INT, Importance),
    T(BOOL, Private),
    T(TEXT, TaskType),
    T(DATE, DueDate),
    T(DATE, StartDate),
    T(DATE, EndDate),
    T(INT, DueState),
    T(INT, Alarm),
    T(TEXT, AlarmUnit),
    T(TEXT, AlarmMemoOptions),
    T(TEXT, AlarmDescription),
    T(INT, AlarmOffset),
    T(TEXT, AlarmString),
};
#undef T

#define N(kind, field) F_##kind(LNNoteRecord, field)
const FieldDesc kNoteFields[] = {
    N(INT, Action),      N(INT, Tag),         N(TEXT, ID),         N(TEXT, Subject),
    N(TEXT, Body),       N(TEXT, Categories), N(INT, BorderColor), N(DATE, DiaryDate),
    N(DATE, CreateTime), N(DATE, EditTime),
};
#undef N

template <size_t N> RecordLayout MakeLayout(const FieldDesc (&fields)[N]) {
    return RecordLayout{fields, N};
}

} // namespace

size_t RecordLayout::MinBytes() const {
    size_t n = 0;
    for (size_t i = 0; i < nFields; ++i)
        n += pFields[i].kind == FieldKind::Date ? 8 : 4;
    return n;
}

template <> const RecordLayout& LayoutOf<LNAddrRecord>() {
    static const RecordLayout s_Layout = MakeLayout(kAddrFields);
    return s_Layout;
}
template <> const RecordLayout& LayoutOf<LNDateRecord>() {
    static const RecordLayout s_Layout = MakeLayout(kDateFields);
    return s_Layout;
}
template <> const RecordLayout& LayoutOf<LNTaskRecord>() {
    static const RecordLayout s_Layout = MakeLayout(kTaskFields);
    return s_Layout;
}
template <> const RecordLayout& LayoutOf<LNNoteRecord>() {
    static const RecordLayout s_Layout = MakeLayout(kNoteFields);
    return s_Layout;
}
