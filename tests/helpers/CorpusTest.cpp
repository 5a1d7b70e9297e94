// The real files of tests/data/corpus, written by other programs (see SOURCES.md there).
#include "helpers/CxPimMap.h"

#include "PimTestDates.h"
#include "TestUtil.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using pimtest::LocalOf;
using pimtest::Ole;

std::string Corpus(const std::string& name) {
    return testutil::ReadText(std::string(MW_TEST_DATA) + "/corpus/" + name);
}

struct CorpusFile {
    const char* name;
    CxPimFormat format;
    size_t cards, events, todos, journals;
};

const CorpusFile kFiles[] = {
    {"evolution.vcf", CxPimFormat::VCard, 1, 0, 0, 0},
    {"vcard40-full.vcf", CxPimFormat::VCard, 1, 0, 0, 0},
    {"outlook-2010.ics", CxPimFormat::ICalendar, 0, 1, 0, 0},
    {"google-alarms.ics", CxPimFormat::ICalendar, 0, 1, 0, 0},
    {"events-todos-journal.ics", CxPimFormat::ICalendar, 0, 2, 1, 1},
};

const CxEntryKind kKinds[] = {CxEntryKind::Card, CxEntryKind::Event, CxEntryKind::Todo,
                              CxEntryKind::Journal};

// Where the n-th component of a kind lies, found by plain text search: from its BEGIN line to
// the line ending after its END line.
std::pair<size_t, size_t> Located(const std::string& text, const char* szComponent, size_t n) {
    std::string begin = std::string("BEGIN:") + szComponent,
                end = std::string("END:") + szComponent;
    size_t at = 0;
    for (size_t k = 0;; ++k) {
        at = text.find(begin, at);
        if (at == std::string::npos)
            return {0, 0};
        if (k == n)
            break;
        at += begin.size();
    }
    size_t stop = text.find(end, at) + end.size();
    if (stop < text.size() && text[stop] == '\r')
        ++stop;
    if (stop < text.size() && text[stop] == '\n')
        ++stop;
    return {at, stop};
}

TEST(Corpus, EveryFileReadsWithoutProblems) {
    for (const CorpusFile& f : kFiles) {
        std::string bytes = Corpus(f.name);
        ASSERT_FALSE(bytes.empty()) << f.name;
        CxPimFile file;
        file.Parse(bytes, f.format);
        for (const CxPimProblem& p : file.Problems())
            ADD_FAILURE() << f.name << ": " << p.Describe();
        EXPECT_EQ(file.ExportedEntries(CxEntryKind::Card).size(), f.cards) << f.name;
        EXPECT_EQ(file.ExportedEntries(CxEntryKind::Event).size(), f.events) << f.name;
        EXPECT_EQ(file.ExportedEntries(CxEntryKind::Todo).size(), f.todos) << f.name;
        EXPECT_EQ(file.ExportedEntries(CxEntryKind::Journal).size(), f.journals) << f.name;
    }
}

TEST(Corpus, EachEntryIsRemovedByteExactly) {
    for (const CorpusFile& f : kFiles) {
        std::string bytes = Corpus(f.name);
        CxPimFile file;
        file.Parse(bytes, f.format);
        for (CxEntryKind kind : kKinds) {
            std::vector<const CxPimEntry*> entries = file.ExportedEntries(kind);
            for (size_t n = 0; n < entries.size(); ++n) {
                std::pair<size_t, size_t> span = Located(bytes, EntryComponentName(kind), n);
                ASSERT_LT(span.first, span.second) << f.name << " " << n;
                std::string expected = bytes.substr(0, span.first) + bytes.substr(span.second);

                CxRemoval r = RemoveEntries(file, kind, {entries[n]->id});
                EXPECT_EQ(r.bytes, expected) << f.name << " " << n;
                EXPECT_TRUE(r.unmatched.empty());

                CxPimFile after;
                after.Parse(r.bytes, f.format);
                EXPECT_EQ(after.Entries().size() + 1, file.Entries().size()) << f.name;
                if (!after.Entries().empty()) {
                    EXPECT_TRUE(after.Problems().empty()) << f.name << " " << n;
                }
            }
        }
    }
}

CxPimFile Read(const char* name, CxPimFormat format) {
    CxPimFile file;
    file.Parse(Corpus(name), format);
    return file;
}

TEST(Corpus, EvolutionCard) {
    CxPimFile file = Read("evolution.vcf", CxPimFormat::VCard);
    ASSERT_EQ(file.Entries().size(), 1u);
    std::unique_ptr<LNAddrRecord> r(new LNAddrRecord());
    MapCard(file, file.Entries()[0], 0, r.get());
    EXPECT_STREQ(r->DisplayName, "Mr. John Richter, James Doe Sr.");
    EXPECT_STREQ(r->LastName, "Doe");
    EXPECT_STREQ(r->FirstName, "John");
    EXPECT_STREQ(r->MiddleName, "Richter, James");
    EXPECT_STREQ(r->Suffix, "Sr.");
    EXPECT_STREQ(r->CompanyName, "IBM");
    EXPECT_STREQ(r->Department, "Accounting, Dungeon");
    EXPECT_STREQ(r->JobTitle, "Money Counter");
    EXPECT_STREQ(r->MobilePhone, "905-666-1234");
    EXPECT_STREQ(r->BusinessPhone, "905-555-1234");
    EXPECT_STREQ(r->BusinessEmail, "john.doe@ibm.com");
    EXPECT_STREQ(r->HomeStreet, "ASB-123, 15 Crescent moon drive");
    EXPECT_STREQ(r->HomeCity, "Albaney");
    EXPECT_STREQ(r->HomeState, "New York");
    EXPECT_STREQ(r->HomePostal, "12345");
    EXPECT_STREQ(r->HomeCountry, "United States of America"); // folded after a blank
    EXPECT_STREQ(r->WebSite, "http://www.ibm.com");
    EXPECT_STREQ(r->InstantMessenger, "johnny5@aol.com");
    EXPECT_STREQ(r->SpouseName, "Maria");
    EXPECT_STREQ(r->ManagerName, "Big Blue");
    EXPECT_STREQ(r->AssistantName, "Little Red");
    EXPECT_STREQ(r->Category, "VIP");
    std::string note = r->Note.c_str();
    EXPECT_EQ(
        note.rfind("THIS SOFTWARE IS PROVIDED BY THE COPYRIGHT HOLDERS AND CONTRIBUTORS \"AS "
                   "IS\" AND ANY EXPRESS OR IMPLIED WARRANTIES, INCLUDING, BUT NOT LIMITED TO,",
                   0),
        0u)
        << note;
    EXPECT_NE(note.find("SERVICES; LOSS OF USE, DATA, OR PROFITS; OR BUSINESS"), std::string::npos);
    EXPECT_EQ(note.substr(note.size() - 7), "DAMAGE.");
    EXPECT_DOUBLE_EQ(r->BirthDate, Ole(1980, 3, 22));
    EXPECT_DOUBLE_EQ(r->Anniversary, Ole(1980, 3, 22));
}

TEST(Corpus, FullVersion4Card) {
    CxPimFile file = Read("vcard40-full.vcf", CxPimFormat::VCard);
    ASSERT_EQ(file.Entries().size(), 1u);
    std::unique_ptr<LNAddrRecord> r(new LNAddrRecord());
    MapCard(file, file.Entries()[0], 0, r.get());
    EXPECT_STREQ(r->DisplayName, "Dr. John Q. Public, III");
    EXPECT_STREQ(r->LastName, "Public");
    EXPECT_STREQ(r->FirstName, "John");
    EXPECT_STREQ(r->MiddleName, "Quinlan");
    EXPECT_STREQ(r->Suffix, "III");
    EXPECT_STREQ(r->CompanyName, "Example Corp.");
    EXPECT_STREQ(r->Department, "North Division, Marketing");
    EXPECT_STREQ(r->JobTitle, "CEO");
    EXPECT_STREQ(r->BusinessStreet, "123 Main Street");
    EXPECT_STREQ(r->BusinessCity, "Any Town");
    EXPECT_STREQ(r->BusinessState, "CA");
    EXPECT_STREQ(r->BusinessPostal, "91921-1234");
    EXPECT_STREQ(r->BusinessCountry, "U.S.A.");
    EXPECT_STREQ(r->HomeStreet, "456 Oak Lane");
    EXPECT_STREQ(r->HomeState, "NY");
    EXPECT_STREQ(r->PrimaryPhone, "+1-555-555-5555");
    EXPECT_STREQ(r->MobilePhone, "+1-555-123-4567");
    EXPECT_STREQ(r->BusinessEmail, "john.public@example.com");
    EXPECT_STREQ(r->PersonalEmail, "johnny@personal.example.org");
    EXPECT_STREQ(r->InstantMessenger, "xmpp:john@jabber.example.com");
    EXPECT_STREQ(r->WebSite, "http://www.example.com/~jqpublic");
    EXPECT_STREQ(r->Category, "BUSINESS, NETWORKING");
    EXPECT_STREQ(r->Note, "This is a note about John.\r\nHe likes vCards.");
    EXPECT_STREQ(r->SpouseName, ""); // a reference, not a name
    EXPECT_DOUBLE_EQ(r->BirthDate, Ole(1985, 4, 15));
    EXPECT_DOUBLE_EQ(r->Anniversary, Ole(2010, 6, 12));
}

TEST(Corpus, CalendarEntries) {
    std::unique_ptr<LNDateRecord> r(new LNDateRecord());
    CxPimFile outlook = Read("outlook-2010.ics", CxPimFormat::ICalendar);
    MapEvent(outlook, *outlook.ExportedEntries(CxEntryKind::Event)[0], 0, r.get());
    EXPECT_STREQ(r->Subject, "Team Meeting");
    EXPECT_STREQ(r->Location, "Auditorium 16");
    EXPECT_STREQ(r->Body, "Meeting will discuss objectives for next project.\r\nWill include a "
                          "presentation and food.");
    EXPECT_DOUBLE_EQ(r->StartDateTime, Ole(2013, 6, 10, 12));
    EXPECT_DOUBLE_EQ(r->EndDateTime, Ole(2013, 6, 10, 13));
    EXPECT_STREQ(r->StartTimeZone, "Eastern Standard Time");
    EXPECT_STREQ(r->EndTimeZone, "Eastern Standard Time");
    EXPECT_EQ(r->Private, 0);
    EXPECT_STREQ(r->Repeats, "");

    CxPimFile google = Read("google-alarms.ics", CxPimFormat::ICalendar);
    MapEvent(google, *google.ExportedEntries(CxEntryKind::Event)[0], 0, r.get());
    EXPECT_STREQ(r->Subject, "event with alarms");
    EXPECT_STREQ(r->Body, ""); // the alarms' descriptions are theirs
    EXPECT_DOUBLE_EQ(r->StartDateTime, LocalOf(2024, 10, 4, 18, 15));
    EXPECT_DOUBLE_EQ(r->EndDateTime, LocalOf(2024, 10, 4, 19, 0));
    EXPECT_STREQ(r->StartTimeZone, "");

    CxPimFile mixed = Read("events-todos-journal.ics", CxPimFormat::ICalendar);
    std::vector<const CxPimEntry*> events = mixed.ExportedEntries(CxEntryKind::Event);
    MapEvent(mixed, *events[1], 1, r.get());
    EXPECT_STREQ(r->Subject, "Test Event 2");
    EXPECT_DOUBLE_EQ(r->StartDateTime, Ole(2025, 1, 16, 10));
    EXPECT_STREQ(r->StartTimeZone, "America/New_York");
    EXPECT_EQ(r->Tag, 1);
    std::unique_ptr<LNTaskRecord> t(new LNTaskRecord());
    MapTodo(mixed, *mixed.ExportedEntries(CxEntryKind::Todo)[0], 0, t.get());
    EXPECT_STREQ(t->Subject, "Test Todo 1");
    EXPECT_EQ(t->Importance, 1);
    std::unique_ptr<LNNoteRecord> n(new LNNoteRecord());
    MapJournal(mixed, *mixed.ExportedEntries(CxEntryKind::Journal)[0], 0, n.get());
    EXPECT_STREQ(n->Subject, "Test Journal 1");
}

} // namespace
