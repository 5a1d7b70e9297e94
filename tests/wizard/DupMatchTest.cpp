#include "wizard/DupMatch.h"

#include "wizard/AppSettings.h"
#include "wizard/LoadedData.h"
#include "wizard/PairwiseDupScan.h"

#include <gtest/gtest.h>

#include <type_traits>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

// ---- Record fields and criteria, as the tests see them ------------------------------------

enum class Kind { Text, Date, Int };

struct TField {
    const char* szName;
    size_t nOffset;
    size_t nCapacity;
    Kind kind;
};

#define TEXT_F(rec, f)                                                                             \
    TField {                                                                                       \
#f, offsetof(rec, f), std::remove_extent_t < decltype(rec::f)> ::kCapacity, Kind::Text     \
    }
#define DATE_F(rec, f)                                                                             \
    TField {                                                                                       \
#f, offsetof(rec, f), sizeof(double), Kind::Date                                           \
    }
#define INT_F(rec, f)                                                                              \
    TField {                                                                                       \
#f, offsetof(rec, f), sizeof(int32_t), Kind::Int                                           \
    }

struct TCriterion {
    bool AppSettings::*pSwitch;
    std::vector<TField> fields;
};

CxTextBase& TextOf(void* pRecord, const TField& f) {
    return *reinterpret_cast<CxTextBase*>(static_cast<char*>(pRecord) + f.nOffset);
}

template <typename R> void SetText(R& r, const TField& f, const std::string& s) {
    TextOf(&r, f).Assign(s.data(), s.size(), f.nCapacity);
}

template <typename R> void SetDate(R& r, const TField& f, double d) {
    memcpy(reinterpret_cast<char*>(&r) + f.nOffset, &d, sizeof d);
}

template <typename R> void SetInt(R& r, const TField& f, int32_t n) {
    memcpy(reinterpret_cast<char*>(&r) + f.nOffset, &n, sizeof n);
}

// Per kind: its bit, its comparison, its slot of the loaded data, its criteria in table order
// and fields that take part in no criterion.
template <typename R> struct Traits;

template <> struct Traits<LNAddrRecord> {
    static constexpr int kBit = kAppAddr;
    static constexpr int kStoresPerMask = 1;
    static constexpr int kMaxRecords = 30;
    static bool IsDup(const LNAddrRecord* a, const LNAddrRecord* b) { return IsDupAddr(a, b); }
    static CommAddrMgr*& Index() { return Loaded().pAddrIndex; }
    static const std::vector<TCriterion>& Criteria() {
#define A(f) TEXT_F(LNAddrRecord, f)
        static const std::vector<TCriterion> s = {
            {&AppSettings::AddrDisplayName, {A(DisplayName)}},
            {&AppSettings::AddrFirstName, {A(FirstName)}},
            {&AppSettings::AddrMiddleName, {A(MiddleName)}},
            {&AppSettings::AddrLastName, {A(LastName)}},
            {&AppSettings::AddrCompanyName, {A(CompanyName)}},
            {&AppSettings::AddrDepartment, {A(Department)}},
            {&AppSettings::AddrTitle, {A(JobTitle)}},
            {&AppSettings::AddrEmail,
             {A(BusinessEmail), A(PersonalEmail), A(BusinessEmail2), A(PersonalEmail2)}},
            {&AppSettings::AddrPhone,
             {A(PrimaryPhone), A(BusinessPhone), A(HomePhone), A(MobilePhone), A(BusinessFax),
              A(HomeFax), A(Pager)}},
            {&AppSettings::AddrAddress,
             {A(BusinessStreet), A(BusinessCity), A(BusinessState), A(BusinessCountry),
              A(BusinessPostal), A(HomeStreet), A(HomeCity), A(HomeState), A(HomeCountry),
              A(HomePostal), A(OtherStreet), A(OtherCity), A(OtherState), A(OtherCountry),
              A(OtherPostal)}},
            {&AppSettings::AddrIM, {A(InstantMessenger)}},
            {&AppSettings::AddrWebSite, {A(WebSite), A(BlogSite)}},
            {&AppSettings::AddrNote, {A(Note)}},
        };
        return s;
    }
    static const std::vector<TField>& Unmatched() {
        static const std::vector<TField> s = {A(ID),
                                              A(Suffix),
                                              A(Location),
                                              A(AssistantName),
                                              A(ManagerName),
                                              A(AssistantPhone),
                                              A(SpouseName),
                                              A(ChildrenNames),
                                              A(Category),
                                              A(CustomField),
                                              A(CustomLabel),
                                              DATE_F(LNAddrRecord, BirthDate),
                                              DATE_F(LNAddrRecord, Anniversary)};
        return s;
#undef A
    }
};

template <> struct Traits<LNDateRecord> {
    static constexpr int kBit = kAppDate;
    static constexpr int kStoresPerMask = 60;
    static constexpr int kMaxRecords = 30;
    static bool IsDup(const LNDateRecord* a, const LNDateRecord* b) { return IsDupDate(a, b); }
    static CommDateMgr*& Index() { return Loaded().pDateIndex; }
    static const std::vector<TCriterion>& Criteria() {
        static const std::vector<TCriterion> s = {
            {&AppSettings::DateSubject, {TEXT_F(LNDateRecord, Subject)}},
            {&AppSettings::DateLocation, {TEXT_F(LNDateRecord, Location)}},
            {&AppSettings::DateStartTime, {DATE_F(LNDateRecord, StartDateTime)}},
            {&AppSettings::DateEndTime, {DATE_F(LNDateRecord, EndDateTime)}},
            {&AppSettings::DateNote, {TEXT_F(LNDateRecord, Body)}},
        };
        return s;
    }
    static const std::vector<TField>& Unmatched() {
        static const std::vector<TField> s = {TEXT_F(LNDateRecord, ID),
                                              TEXT_F(LNDateRecord, Repeats),
                                              TEXT_F(LNDateRecord, Resources),
                                              TEXT_F(LNDateRecord, StartTimeZone),
                                              TEXT_F(LNDateRecord, EndTimeZone),
                                              DATE_F(LNDateRecord, DisplayStart),
                                              DATE_F(LNDateRecord, DisplayEnd),
                                              DATE_F(LNDateRecord, DateTime3),
                                              DATE_F(LNDateRecord, DateTime4),
                                              TEXT_F(LNDateRecord, RepeatUnit),
                                              TEXT_F(LNDateRecord, RepeatInterval),
                                              DATE_F(LNDateRecord, RepeatUntil),
                                              INT_F(LNDateRecord, ExtraNumber),
                                              TEXT_F(LNDateRecord, ExtraText6)};
        return s;
    }
};

template <> struct Traits<LNTaskRecord> {
    static constexpr int kBit = kAppTask;
    static constexpr int kStoresPerMask = 100;
    static constexpr int kMaxRecords = 30;
    static bool IsDup(const LNTaskRecord* a, const LNTaskRecord* b) { return IsDupTask(a, b); }
    static CommTaskMgr*& Index() { return Loaded().pTaskIndex; }
    static const std::vector<TCriterion>& Criteria() {
        static const std::vector<TCriterion> s = {
            {&AppSettings::TaskSubject, {TEXT_F(LNTaskRecord, Subject)}},
            {&AppSettings::TaskImportance, {INT_F(LNTaskRecord, Importance)}},
            {&AppSettings::TaskDueDate, {DATE_F(LNTaskRecord, DueDate)}},
            {&AppSettings::TaskNote, {TEXT_F(LNTaskRecord, Body)}},
        };
        return s;
    }
    static const std::vector<TField>& Unmatched() {
        static const std::vector<TField> s = {
            TEXT_F(LNTaskRecord, ID),         TEXT_F(LNTaskRecord, Repeats),
            TEXT_F(LNTaskRecord, Categories), TEXT_F(LNTaskRecord, TaskType),
            DATE_F(LNTaskRecord, StartDate),  DATE_F(LNTaskRecord, EndDate),
            INT_F(LNTaskRecord, DueState),    TEXT_F(LNTaskRecord, AlarmString)};
        return s;
    }
};

template <> struct Traits<LNNoteRecord> {
    static constexpr int kBit = kAppNote;
    static constexpr int kStoresPerMask = 300;
    static constexpr int kMaxRecords = 30;
    static bool IsDup(const LNNoteRecord* a, const LNNoteRecord* b) { return IsDupNote(a, b); }
    static CommNoteMgr*& Index() { return Loaded().pNoteIndex; }
    static const std::vector<TCriterion>& Criteria() {
        static const std::vector<TCriterion> s = {
            {&AppSettings::NoteSubject, {TEXT_F(LNNoteRecord, Subject)}},
            {&AppSettings::NoteNotes, {TEXT_F(LNNoteRecord, Body)}},
        };
        return s;
    }
    static const std::vector<TField>& Unmatched() {
        static const std::vector<TField> s = {
            TEXT_F(LNNoteRecord, ID),         TEXT_F(LNNoteRecord, Categories),
            INT_F(LNNoteRecord, BorderColor), DATE_F(LNNoteRecord, DiaryDate),
            DATE_F(LNNoteRecord, CreateTime), DATE_F(LNNoteRecord, EditTime)};
        return s;
    }
};

template <typename R> void SwitchAll(bool bOn) {
    for (const TCriterion& c : Traits<R>::Criteria())
        Settings().*c.pSwitch = bOn;
}

// A store as the search sees it: records, their index and a duplicate list. Records are kept
// from one Reset to the next, so whatever a field held before lies beyond its new terminator.
template <typename R> class TestStore {
public:
    R* Add() {
        if (m_nUsed == m_pool.size())
            m_pool.push_back(std::make_unique<R>());
        R* p = m_pool[m_nUsed++].get();
        p->Entry = index.Add(p);
        return p;
    }
    void AddEntryWithoutRecord() { index.Add(nullptr); }
    void Reset() {
        index.Clear();
        dups.Clear();
        m_nUsed = 0;
    }
    size_t Size() const { return m_nUsed; }
    R* At(size_t i) const { return m_pool[i].get(); }
    int PositionOf(const void* p) const {
        for (size_t i = 0; i < m_nUsed; ++i) {
            if (m_pool[i].get() == p)
                return (int)i;
        }
        return -1;
    }
    // The duplicate list as positions in the store.
    std::vector<int> Listed() {
        std::vector<int> v;
        if (dups.Count() == 0)
            return v;
        for (void* p = dups.First(); p != nullptr; p = dups.Next())
            v.push_back(PositionOf(p));
        return v;
    }
    std::vector<uint32_t> Flags() const {
        std::vector<uint32_t> v;
        for (size_t i = 0; i < m_nUsed; ++i)
            v.push_back(m_pool[i]->Flags);
        return v;
    }
    void SetFlags(const std::vector<uint32_t>& v) {
        for (size_t i = 0; i < m_nUsed; ++i)
            m_pool[i]->Flags = v[i];
    }

    CommMgr<R> index;
    CxList dups;

private:
    std::vector<std::unique_ptr<R>> m_pool;
    size_t m_nUsed = 0;
};

// Keeps the settings and the loaded-data slots of the program as they were.
class DupTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_savedSettings = Settings();
        m_savedLoaded = Loaded();
        Settings().CaseSensitive = false;
        // The defaults of the settings file.
        SwitchAll<LNAddrRecord>(false);
        SwitchAll<LNDateRecord>(false);
        SwitchAll<LNTaskRecord>(false);
        SwitchAll<LNNoteRecord>(false);
        AppSettings& s = Settings();
        s.AddrDisplayName = s.AddrFirstName = s.AddrMiddleName = s.AddrLastName = true;
        s.AddrEmail = true;
        s.DateSubject = s.DateStartTime = s.DateEndTime = true;
        s.DateAllDayEvent = true;
        s.DateRecur = false;
        s.TaskSubject = s.TaskImportance = s.TaskDueDate = true;
        s.NoteSubject = s.NoteNotes = true;
    }
    void TearDown() override {
        Settings() = m_savedSettings;
        Loaded() = m_savedLoaded;
    }

private:
    AppSettings m_savedSettings{};
    LoadedData m_savedLoaded;
};

// ---- Text comparison ----------------------------------------------------------------------

TEST_F(DupTest, CompareDupTextFoldsOnlyAsciiLettersAndOnlyWhenCaseInsensitive) {
    struct Case {
        const char* a;
        const char* b;
        bool bEqualInsensitive;
        bool bEqualSensitive;
    };
    const Case cases[] = {
        {"Smith", "smith", true, false},   {"Smith", "Smith", true, true},
        {"Smith", "Smith ", false, false}, {" Smith", "Smith", false, false},
        {"\xDC", "\xFC", false, false}, // U and u with diaeresis
        {"\xC0", "\xE0", false, false}, // A and a with grave
        {"@[", "`{", false, false},     // the bytes next to the letter ranges
        {"a-z!", "A-Z!", true, false},     {"", "", true, true},
        {"", "a", false, false},           {nullptr, "", true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("'") + (c.a ? c.a : "(null)") + "' vs '" + c.b + "'");
        Settings().CaseSensitive = false;
        EXPECT_EQ(CompareDupText(c.a, c.b) == 0, c.bEqualInsensitive);
        EXPECT_EQ(CompareDupText(c.b, c.a) == 0, c.bEqualInsensitive);
        Settings().CaseSensitive = true;
        EXPECT_EQ(CompareDupText(c.a, c.b) == 0, c.bEqualSensitive);
    }
}

// ---- The criteria of each kind --------------------------------------------------------------

template <typename R> class DupCriteriaTest : public DupTest {
protected:
    // Both records hold the same value in every field that the tests know of.
    void FillAlike(R& a, R& b) {
        for (const TCriterion& c : Traits<R>::Criteria()) {
            for (const TField& f : c.fields) {
                Set(a, f, 0);
                Set(b, f, 0);
            }
        }
        for (const TField& f : Traits<R>::Unmatched()) {
            Set(a, f, 0);
            Set(b, f, 0);
        }
    }
    static void Set(R& r, const TField& f, int nVariant) {
        switch (f.kind) {
        case Kind::Text:
            SetText(r, f, nVariant == 0 ? "Same text" : "Same text?");
            break;
        case Kind::Date:
            SetDate(r, f, nVariant == 0 ? 40000.25 : 40000.25 + 1.0 / 86400);
            break;
        case Kind::Int:
            SetInt(r, f, nVariant == 0 ? 1 : 2);
            break;
        }
    }
};

using RecordTypes = ::testing::Types<LNAddrRecord, LNDateRecord, LNTaskRecord, LNNoteRecord>;
TYPED_TEST_SUITE(DupCriteriaTest, RecordTypes);

TYPED_TEST(DupCriteriaTest, EachSwitchCoversExactlyItsFields) {
    using R = TypeParam;
    auto a = std::make_unique<R>();
    auto b = std::make_unique<R>();
    for (const TCriterion& c : Traits<R>::Criteria()) {
        for (const TField& f : c.fields) {
            SCOPED_TRACE(f.szName);
            this->FillAlike(*a, *b);
            this->Set(*b, f, 1);
            SwitchAll<R>(false);
            Settings().*c.pSwitch = true;
            EXPECT_FALSE(Traits<R>::IsDup(a.get(), b.get())) << "switch on, field differs";
            SwitchAll<R>(true);
            Settings().*c.pSwitch = false;
            EXPECT_TRUE(Traits<R>::IsDup(a.get(), b.get())) << "only this switch off";
        }
    }
    SwitchAll<R>(true);
    for (const TField& f : Traits<R>::Unmatched()) {
        SCOPED_TRACE(f.szName);
        this->FillAlike(*a, *b);
        this->Set(*b, f, 1);
        EXPECT_TRUE(Traits<R>::IsDup(a.get(), b.get())) << "field of no criterion";
    }
}

TYPED_TEST(DupCriteriaTest, MissingRecordsAreNeverEqualAndNoCriterionMakesAllEqual) {
    using R = TypeParam;
    auto a = std::make_unique<R>();
    auto b = std::make_unique<R>();
    this->FillAlike(*a, *b);
    for (const TCriterion& c : Traits<R>::Criteria())
        this->Set(*b, c.fields[0], 1);
    EXPECT_FALSE(Traits<R>::IsDup(a.get(), b.get()));
    EXPECT_FALSE(Traits<R>::IsDup(a.get(), nullptr));
    EXPECT_FALSE(Traits<R>::IsDup(nullptr, b.get()));
    SwitchAll<R>(false);
    EXPECT_TRUE(Traits<R>::IsDup(a.get(), b.get()));
    EXPECT_FALSE(Traits<R>::IsDup(nullptr, nullptr));
}

TEST_F(DupTest, DatesMustBeExactlyEqualAndNanEqualsNothing) {
    const TField start = DATE_F(LNDateRecord, StartDateTime);
    const double kNaN = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        double a;
        double b;
        bool bEqual;
    };
    const Case cases[] = {
        {45000.5, 45000.5, true}, {45000.5, 45000.5 + 1.0 / 86400, false}, // one second apart
        {0.0, -0.0, true},        {kNaN, kNaN, false},
        {kNaN, 0.0, false},
    };
    auto a = std::make_unique<LNDateRecord>();
    auto b = std::make_unique<LNDateRecord>();
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.a) + " vs " + std::to_string(c.b));
        SetDate(*a, start, c.a);
        SetDate(*b, start, c.b);
        EXPECT_EQ(IsDupDate(a.get(), b.get()), c.bEqual);
        Settings().DateStartTime = false;
        EXPECT_TRUE(IsDupDate(a.get(), b.get()));
        Settings().DateStartTime = true;
    }
    SetDate(*a, start, kNaN);
    EXPECT_FALSE(IsDupDate(a.get(), a.get()));
}

TEST_F(DupTest, AllDayAndRecurrenceSwitchesTakePartInNoMatch) {
    auto a = std::make_unique<LNDateRecord>();
    auto b = std::make_unique<LNDateRecord>();
    a->Subject = "Review";
    b->Subject = "Review";
    b->Repeats = "1";
    for (int n = 0; n < 4; ++n) {
        Settings().DateAllDayEvent = (n & 1) != 0;
        Settings().DateRecur = (n & 2) != 0;
        EXPECT_TRUE(IsDupDate(a.get(), b.get()));
    }
}

// ---- The record walk ------------------------------------------------------------------------

TEST_F(DupTest, WalkGivesRecordsInEntryOrderAndSeekResumesAfterTheRecord) {
    TestStore<LNNoteRecord> st;
    LNNoteRecord* r0 = st.Add();
    LNNoteRecord* r1 = st.Add();
    LNNoteRecord* r2 = st.Add();
    EXPECT_EQ(WalkFirst(&st.index), r0);
    EXPECT_EQ(WalkNext(&st.index), r1);
    EXPECT_EQ(WalkNext(&st.index), r2);
    EXPECT_EQ(WalkNext(&st.index), nullptr);

    ASSERT_TRUE(WalkSeek(&st.index, r0));
    EXPECT_EQ(WalkNext(&st.index), r1);
    ASSERT_TRUE(WalkSeek(&st.index, r1));
    EXPECT_EQ(WalkNext(&st.index), r2);

    LNNoteRecord stranger{};
    EXPECT_FALSE(WalkSeek(&st.index, &stranger));
    EXPECT_EQ(WalkNext(&st.index), nullptr) << "a failed seek leaves the cursor";
    EXPECT_FALSE(WalkSeek(&st.index, static_cast<LNNoteRecord*>(nullptr)));

    CommNoteMgr* pNone = nullptr;
    EXPECT_EQ(WalkFirst(pNone), nullptr);
    EXPECT_EQ(WalkNext(pNone), nullptr);
    EXPECT_FALSE(WalkSeek(pNone, r0));
}

TEST_F(DupTest, WalkEndsAtAnEntryWithoutRecord) {
    TestStore<LNTaskRecord> st;
    LNTaskRecord* r0 = st.Add();
    st.AddEntryWithoutRecord();
    st.Add();
    EXPECT_EQ(WalkFirst(&st.index), r0);
    EXPECT_EQ(WalkNext(&st.index), nullptr);

    TestStore<LNTaskRecord> empty;
    EXPECT_EQ(WalkFirst(&empty.index), nullptr);
}

// ---- FindDups on small stores -------------------------------------------------------------

class FindDupsTest : public DupTest {
protected:
    void SetUp() override {
        DupTest::SetUp();
        Loaded().pAddrIndex = &contacts.index;
        Loaded().pDupList[0] = &contacts.dups;
        Loaded().pDateIndex = &entries.index;
        Loaded().pDupList[1] = &entries.dups;
    }
    LNAddrRecord* Contact(const char* szDisplay, const char* szEmail = "") {
        LNAddrRecord* p = contacts.Add();
        p->DisplayName = szDisplay;
        p->BusinessEmail = szEmail;
        return p;
    }
    LNDateRecord* CalendarEntry(const char* szSubject, double dStart) {
        LNDateRecord* p = entries.Add();
        p->Subject = szSubject;
        p->StartDateTime = dStart;
        p->EndDateTime = 45000.75;
        return p;
    }
    std::vector<uint32_t> DuplicateBits(TestStore<LNAddrRecord>& st) {
        std::vector<uint32_t> v = st.Flags();
        for (uint32_t& n : v)
            n &= kFlagDuplicate;
        return v;
    }

    TestStore<LNAddrRecord> contacts;
    TestStore<LNDateRecord> entries;
};

TEST_F(FindDupsTest, GroupsAreListedInTheOrderOfTheirFirstRecords) {
    Contact("A");
    Contact("B");
    Contact("a");
    Contact("B");
    ASSERT_TRUE(FindDups(kAppAddr));
    EXPECT_EQ(contacts.Listed(), (std::vector<int>{2, 3}));
    EXPECT_EQ(DuplicateBits(contacts), (std::vector<uint32_t>{0, 0, 1, 1}));
}

TEST_F(FindDupsTest, TheFirstOfThreeEqualContactsSurvives) {
    for (int i = 0; i < 3; ++i) {
        LNAddrRecord* p = Contact("Ann Lee", "ann@example.com");
        p->FirstName = "Ann";
        p->LastName = "Lee";
        p->PrimaryPhone = ("555-" + std::to_string(i)).c_str(); // not a default criterion
    }
    ASSERT_TRUE(FindDups(kAppAddr));
    EXPECT_EQ(contacts.Listed(), (std::vector<int>{1, 2}));
    EXPECT_EQ(DuplicateBits(contacts), (std::vector<uint32_t>{0, 1, 1}));
}

TEST_F(FindDupsTest, WithNoCriterionEveryRecordAfterTheFirstIsListed) {
    Contact("A");
    Contact("B");
    Contact("C");
    Contact("A");
    SwitchAll<LNAddrRecord>(false);
    ASSERT_TRUE(FindDups(kAppAddr));
    EXPECT_EQ(contacts.Listed(), (std::vector<int>{1, 2, 3}));
}

TEST_F(FindDupsTest, NanStartMatchesNothingAndSignedZerosMatch) {
    const double kNaN = std::numeric_limits<double>::quiet_NaN();
    CalendarEntry("Lunch", kNaN);
    CalendarEntry("Lunch", kNaN);
    CalendarEntry("Lunch", -0.0);
    CalendarEntry("Lunch", 0.0);
    CalendarEntry("Lunch", kNaN);
    ASSERT_TRUE(FindDups(kAppDate));
    EXPECT_EQ(entries.Listed(), (std::vector<int>{3}));
    Settings().DateStartTime = false;
    ASSERT_TRUE(FindDups(kAppDate));
    EXPECT_EQ(entries.Listed(), (std::vector<int>{1, 2, 3, 4}));
}

TEST_F(FindDupsTest, RebuildsFromScratchKeepingTicked) {
    LNAddrRecord* a = Contact("Smith");
    LNAddrRecord* b = Contact("smith");
    LNAddrRecord* c = Contact("Jones");
    a->Flags = kFlagDuplicate; // left from an earlier search
    b->Flags = kFlagTicked;
    c->Flags = kFlagTicked | kFlagDuplicate;
    contacts.dups.Append(c); // a record the user ticked
    ASSERT_TRUE(FindDups(kAppAddr));
    EXPECT_EQ(contacts.Listed(), (std::vector<int>{1}));
    EXPECT_EQ(contacts.Flags(),
              (std::vector<uint32_t>{0, kFlagTicked | kFlagDuplicate, kFlagTicked}));

    Settings().CaseSensitive = true;
    ASSERT_TRUE(FindDups(kAppAddr));
    EXPECT_TRUE(contacts.Listed().empty());
    EXPECT_EQ(contacts.Flags(), (std::vector<uint32_t>{0, kFlagTicked, kFlagTicked}));
}

TEST_F(FindDupsTest, EmptyAndSingleStoresGiveAnEmptyList) {
    LNAddrRecord* stale = Contact("Old");
    contacts.dups.Append(stale);
    contacts.Reset();
    contacts.dups.Append(stale);
    ASSERT_TRUE(FindDups(kAppAddr));
    EXPECT_EQ(contacts.dups.Count(), 0u);

    LNAddrRecord* only = Contact("Only");
    only->Flags = kFlagDuplicate;
    ASSERT_TRUE(FindDups(kAppAddr));
    EXPECT_EQ(contacts.dups.Count(), 0u);
    EXPECT_EQ(only->Flags, 0u);
}

TEST_F(FindDupsTest, MissingStoreOrListOrUnknownKindChangesNothing) {
    LNAddrRecord* a = Contact("Same");
    LNAddrRecord* b = Contact("Same");
    a->Flags = kFlagDuplicate;
    contacts.dups.Append(a);

    Loaded().pAddrIndex = nullptr;
    EXPECT_FALSE(FindDups(kAppAddr));
    Loaded().pAddrIndex = &contacts.index;
    Loaded().pDupList[0] = nullptr;
    EXPECT_FALSE(FindDups(kAppAddr));
    for (int nKind : {0, 3, 16, -1})
        EXPECT_FALSE(FindDups(nKind)) << nKind;

    EXPECT_EQ(contacts.Listed(), (std::vector<int>{0}));
    EXPECT_EQ(a->Flags, kFlagDuplicate);
    EXPECT_EQ(b->Flags, 0u);
}

// ---- FindDups against the pairwise scan ---------------------------------------------------
//
// Generated stores: a few prototype records, each record a copy of one with some of its
// criteria fields changed a little (letter case, a trailing blank, an accented letter of the
// other case, another value from a small set, another date among them NaN and -0.0). Whatever a
// field held before lies behind its terminator. Now and then an entry without a record, which
// ends the walk. Both searches start from the same flags and a list with stale items.

template <typename R> class StoreMaker {
public:
    explicit StoreMaker(uint64_t nSeed) : m_rng(nSeed) {}

    void Make(TestStore<R>& st) {
        st.Reset();
        const auto& criteria = Traits<R>::Criteria();
        std::vector<const TField*> fields;
        for (const TCriterion& c : criteria) {
            for (const TField& f : c.fields)
                fields.push_back(&f);
        }
        const size_t nProtos = 1 + Pick(4);
        std::vector<std::vector<Value>> protos(nProtos);
        for (auto& proto : protos) {
            for (const TField* f : fields)
                proto.push_back(RandomValue(*f));
        }
        const size_t nRecords = Pick(Traits<R>::kMaxRecords + 1);
        const size_t nHole = Pick(8) == 0 ? Pick(nRecords + 1) : SIZE_MAX;
        for (size_t i = 0; i < nRecords; ++i) {
            if (i == nHole)
                st.AddEntryWithoutRecord();
            std::vector<Value> values = protos[Pick(nProtos)];
            for (size_t nChanges = Pick(3); nChanges > 0; --nChanges) {
                size_t k = Pick(fields.size());
                values[k] = Mutate(*fields[k], values[k]);
            }
            R* p = st.Add();
            for (size_t k = 0; k < fields.size(); ++k)
                Write(*p, *fields[k], values[k]);
        }
    }

    std::vector<uint32_t> RandomFlags(size_t n) {
        std::vector<uint32_t> v(n);
        for (uint32_t& f : v)
            f = (uint32_t)Pick(4);
        return v;
    }

private:
    struct Value {
        std::string text;
        double date = 0;
        int32_t n = 0;
    };

    size_t Pick(size_t n) { return n == 0 ? 0 : (size_t)(m_rng() % n); }

    std::string RandomText(const TField& f) {
        static const char* const kTokens[] = {"",
                                              "a",
                                              "A",
                                              "a ",
                                              " a",
                                              "b",
                                              "ab",
                                              "aB",
                                              "@[",
                                              "`{",
                                              "\xDC",
                                              "\xFC",
                                              "\xE0x",
                                              "\xC0x",
                                              "abcdefgh",
                                              "ABCDEFGH",
                                              "abcdefgh ",
                                              "abcdefghi",
                                              "abcdefghijklmno",
                                              "abcdefghijklmnop"};
        size_t k = Pick(std::size(kTokens) + 1);
        if (k == std::size(kTokens))
            return std::string(f.nCapacity - 1, 'z'); // as long as the field holds
        std::string s = kTokens[k];
        return s.size() < f.nCapacity ? s : "";
    }

    double RandomDate() {
        static const double kDates[] = {0.0,
                                        -0.0,
                                        1.5,
                                        36526.5,
                                        36526.5 + 1.0 / 86400,
                                        std::numeric_limits<double>::quiet_NaN(),
                                        -std::numeric_limits<double>::quiet_NaN()};
        return kDates[Pick(std::size(kDates))];
    }

    Value RandomValue(const TField& f) {
        Value v;
        switch (f.kind) {
        case Kind::Text:
            v.text = RandomText(f);
            break;
        case Kind::Date:
            v.date = RandomDate();
            break;
        case Kind::Int: {
            static const int32_t kInts[] = {0, 1, 2, 5, -1};
            v.n = kInts[Pick(std::size(kInts))];
            break;
        }
        }
        return v;
    }

    Value Mutate(const TField& f, Value v) {
        if (f.kind != Kind::Text)
            return RandomValue(f);
        switch (Pick(4)) {
        case 0: // letter case
            for (char& c : v.text) {
                if (isalpha((unsigned char)c) && Pick(2) == 0)
                    c = (char)(c ^ 0x20);
            }
            break;
        case 1: // a trailing blank
            if (v.text.size() + 1 < f.nCapacity)
                v.text += ' ';
            break;
        case 2: // the accented letters' other case
            for (char& c : v.text) {
                if (c == '\xDC' || c == '\xFC' || c == '\xE0' || c == '\xC0')
                    c = (char)(c ^ 0x20);
            }
            break;
        default:
            return RandomValue(f);
        }
        return v;
    }

    void Write(R& r, const TField& f, const Value& v) {
        switch (f.kind) {
        case Kind::Text: {
            // Something behind the terminator now and then: the text's block may be larger
            // than the text.
            size_t nText = std::min(v.text.size(), f.nCapacity - 1);
            size_t nExtra = Pick(2) == 0 ? 1 + Pick(9) : 0;
            char* p = TextOf(&r, f).Prepare(nText + nExtra);
            if (p != nullptr) {
                memcpy(p, v.text.data(), nText);
                p[nText] = 0;
                for (size_t i = nText + 1; i < nText + nExtra; ++i)
                    p[i] = (char)(1 + Pick(255));
            }
            break;
        }
        case Kind::Date:
            SetDate(r, f, v.date);
            break;
        case Kind::Int:
            SetInt(r, f, v.n);
            break;
        }
    }

    std::mt19937_64 m_rng;
};

template <typename R> class DupDifferentialTest : public DupTest {};
TYPED_TEST_SUITE(DupDifferentialTest, RecordTypes);

std::string Show(const std::vector<int>& v) {
    std::ostringstream out;
    for (int n : v)
        out << n << ' ';
    return out.str();
}

std::string Show(const std::vector<uint32_t>& v) {
    std::ostringstream out;
    for (uint32_t n : v)
        out << n;
    return out.str();
}

template <typename R>
::testing::AssertionResult SameAsPairwise(TestStore<R>& st, const std::vector<uint32_t>& flags,
                                          size_t& nListed) {
    const size_t nStale = std::min<size_t>(st.Size(), 2);
    auto start = [&] {
        st.SetFlags(flags);
        st.dups.Clear();
        for (size_t i = 0; i < nStale; ++i)
            st.dups.Append(st.At(i));
    };
    start();
    const bool bRef = PairwiseFindDups(&st.index, &st.dups, &Traits<R>::IsDup);
    const std::vector<int> listRef = st.Listed();
    const std::vector<uint32_t> flagsRef = st.Flags();

    start();
    Traits<R>::Index() = &st.index;
    Loaded().pDupList[KindSlot(Traits<R>::kBit)] = &st.dups;
    const bool bFast = FindDups(Traits<R>::kBit);
    const std::vector<int> list = st.Listed();
    const std::vector<uint32_t> flagsFast = st.Flags();

    nListed += listRef.size();
    if (bRef == bFast && list == listRef && flagsFast == flagsRef)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "pairwise list " << Show(listRef) << "flags " << Show(flagsRef) << "\nFindDups list "
           << Show(list) << "flags " << Show(flagsFast);
}

template <typename R> void CompareOverEveryCriteriaAndCaseRule(int nStoresPerMask) {
    const auto& criteria = Traits<R>::Criteria();
    const uint32_t nMasks = 1u << criteria.size();
    TestStore<R> st;
    size_t nListed = 0, nCaseMatters = 0;
    for (uint32_t nMask = 0; nMask < nMasks; ++nMask) {
        for (size_t i = 0; i < criteria.size(); ++i)
            Settings().*criteria[i].pSwitch = ((nMask >> i) & 1) != 0;
        for (int nStore = 0; nStore < nStoresPerMask; ++nStore) {
            const uint64_t nSeed = (uint64_t)nMask * 1000 + (uint64_t)nStore;
            StoreMaker<R> maker(nSeed);
            maker.Make(st);
            const std::vector<uint32_t> flags = maker.RandomFlags(st.Size());
            std::vector<int> lists[2];
            for (int nCase = 0; nCase < 2; ++nCase) {
                Settings().CaseSensitive = nCase != 0;
                ASSERT_TRUE(SameAsPairwise(st, flags, nListed))
                    << "criteria mask " << nMask << ", seed " << nSeed << ", case sensitive "
                    << nCase;
                lists[nCase] = st.Listed();
            }
            nCaseMatters += lists[0] != lists[1];
        }
    }
    // The generated stores really make groups, and the case rule really changes them.
    EXPECT_GT(nListed, (size_t)nMasks * nStoresPerMask);
    EXPECT_GT(nCaseMatters, (size_t)nMasks * nStoresPerMask / 20);
}

TYPED_TEST(DupDifferentialTest, SameListAndBitsAsPairwiseScanForEveryCriteriaAndCaseRule) {
    CompareOverEveryCriteriaAndCaseRule<TypeParam>(Traits<TypeParam>::kStoresPerMask);
}

// With only two bits of hash nearly every record shares its hash with first records of other
// groups: the result must still be exact.
TYPED_TEST(DupDifferentialTest, StaysExactWhenDifferentKeysShareHashes) {
    struct HashMask {
        HashMask() { g_nDupHashMask = 3; }
        ~HashMask() { g_nDupHashMask = ~(uint64_t)0; }
    } mask;
    CompareOverEveryCriteriaAndCaseRule<TypeParam>((Traits<TypeParam>::kStoresPerMask + 1) / 2);
}

} // namespace
