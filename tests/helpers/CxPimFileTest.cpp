#include "helpers/CxPimFile.h"

#include <gtest/gtest.h>

namespace {

CxPimFile Parse(const std::string& text, CxPimFormat format) {
    CxPimFile file;
    file.Parse(text, format);
    return file;
}

std::string BytesOf(const CxPimFile& file, const CxPimEntry& e) {
    return file.Bytes().substr(e.nStart, e.nEnd - e.nStart);
}

std::string AllProblems(const CxPimFile& file) {
    std::string all;
    for (const CxPimProblem& p : file.Problems())
        all += p.Describe() + "\n";
    return all;
}

std::string Without(std::string text, const std::string& part) {
    size_t at = text.find(part);
    EXPECT_NE(at, std::string::npos) << part;
    if (at != std::string::npos)
        text.erase(at, part.size());
    return text;
}

const std::string kCardA = "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Ann\r\nEND:VCARD\r\n";
const std::string kCardB = "begin:vcard\nversion:3.0\nfn:Bob\nend:vcard\n";

TEST(PimStructure, CardsWithExactRanges) {
    std::string text = "\xEF\xBB\xBF" + kCardA + "\r\n" + kCardB + "BEGIN:VCARD\rFN:Cy\rEND:VCARD";
    CxPimFile file = Parse(text, CxPimFormat::VCard);
    EXPECT_EQ(AllProblems(file), "");
    ASSERT_EQ(file.Entries().size(), 3u);
    EXPECT_EQ(BytesOf(file, file.Entries()[0]), kCardA);
    EXPECT_EQ(file.Entries()[0].nStart, 3u);
    EXPECT_EQ(BytesOf(file, file.Entries()[1]), kCardB);
    EXPECT_EQ(file.Entries()[1].nLine, 6u);
    EXPECT_EQ(BytesOf(file, file.Entries()[2]), "BEGIN:VCARD\rFN:Cy\rEND:VCARD");
    EXPECT_EQ(file.ExportedEntries(CxEntryKind::Card).size(), 3u);
}

TEST(PimStructure, CalendarEntriesDirectlyInsideTheCalendar) {
    const std::string event = "BEGIN:VEVENT\r\nUID:1\r\nBEGIN:VALARM\r\nACTION:DISPLAY\r\n"
                              "END:VALARM\r\nEND:VEVENT\r\n";
    const std::string todo = "BEGIN:VTODO\r\nUID:2\r\nEND:VTODO\r\n";
    const std::string journal = "BEGIN:VJOURNAL\r\nUID:3\r\nEND:VJOURNAL\r\n";
    std::string text = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nBEGIN:VTIMEZONE\r\nTZID:X\r\n"
                       "BEGIN:STANDARD\r\nDTSTART:19701101T020000\r\nEND:STANDARD\r\n"
                       "END:VTIMEZONE\r\n" +
                       event + "BEGIN:X-THING\r\nBEGIN:VEVENT\r\nEND:VEVENT\r\nEND:X-THING\r\n" +
                       todo + journal + "END:VCALENDAR\r\n";
    CxPimFile file = Parse(text, CxPimFormat::ICalendar);
    EXPECT_EQ(AllProblems(file), "");
    ASSERT_EQ(file.Entries().size(), 3u);
    EXPECT_EQ(BytesOf(file, file.Entries()[0]), event);
    EXPECT_EQ(file.Entries()[0].kind, CxEntryKind::Event);
    EXPECT_EQ(file.Entries()[0].uid, "1");
    EXPECT_EQ(BytesOf(file, file.Entries()[1]), todo);
    EXPECT_EQ(file.Entries()[1].kind, CxEntryKind::Todo);
    EXPECT_EQ(BytesOf(file, file.Entries()[2]), journal);
    EXPECT_EQ(file.Entries()[2].kind, CxEntryKind::Journal);
}

TEST(PimStructure, EmbeddedAgentCardBelongsToItsCard) {
    std::string text = "BEGIN:VCARD\r\nVERSION:2.1\r\nAGENT:\r\nBEGIN:VCARD\r\nFN:Agent\r\n"
                       "END:VCARD\r\nFN:Boss\r\nEND:VCARD\r\n";
    CxPimFile file = Parse(text, CxPimFormat::VCard);
    EXPECT_EQ(AllProblems(file), "");
    ASSERT_EQ(file.Entries().size(), 1u);
    EXPECT_EQ(BytesOf(file, file.Entries()[0]), text);
    std::vector<CxProperty> props = file.EntryProperties(file.Entries()[0]);
    ASSERT_EQ(props.size(), 3u); // VERSION, AGENT, FN:Boss
    EXPECT_EQ(props[2].Value(), "Boss");
}

TEST(PimStructure, MissingEndKeepsTheLinesAndReadsOn) {
    // Cut off by the next card.
    std::string broken = "BEGIN:VCARD\r\nFN:Lost\r\n";
    CxPimFile file = Parse(broken + kCardA, CxPimFormat::VCard);
    ASSERT_EQ(file.Entries().size(), 1u);
    EXPECT_EQ(BytesOf(file, file.Entries()[0]), kCardA);
    ASSERT_EQ(file.Problems().size(), 1u);
    EXPECT_EQ(file.Problems()[0].nLine, 1u);
    EXPECT_NE(file.Problems()[0].text.find("has no END:VCARD line before line 3"),
              std::string::npos)
        << AllProblems(file);

    // Cut off by the end of the file.
    file = Parse(kCardA + broken, CxPimFormat::VCard);
    ASSERT_EQ(file.Entries().size(), 1u);
    ASSERT_EQ(file.Problems().size(), 1u);
    EXPECT_EQ(file.Problems()[0].Describe(),
              "Line 5: The vCard that begins on line 5 has no END:VCARD line, so it was not read; "
              "its lines stay in the file unchanged and it is not offered for removal.");

    // An alarm without its END spoils its event; a calendar without END keeps its entries.
    std::string cal = "BEGIN:VCALENDAR\nBEGIN:VEVENT\nUID:1\nBEGIN:VALARM\nEND:VEVENT\n"
                      "BEGIN:VTODO\nUID:2\nEND:VTODO\n";
    file = Parse(cal, CxPimFormat::ICalendar);
    ASSERT_EQ(file.Entries().size(), 1u);
    EXPECT_EQ(file.Entries()[0].kind, CxEntryKind::Todo);
    ASSERT_EQ(file.Problems().size(), 2u) << AllProblems(file);
    EXPECT_EQ(file.Problems()[0].nLine, 4u);
    EXPECT_NE(file.Problems()[0].text.find("END:VALARM"), std::string::npos);
    EXPECT_NE(file.Problems()[0].text.find("calendar entry (VEVENT) that begins on line 2"),
              std::string::npos);
    EXPECT_EQ(file.Problems()[1].nLine, 1u);
    EXPECT_NE(file.Problems()[1].text.find("END:VCALENDAR"), std::string::npos);
}

TEST(PimStructure, LinesThatCannotBeReadAreReportedWithTheirNumbers) {
    std::string text = "junk one\r\njunk two\r\n" + kCardA +
                       "BEGIN:VCARD\r\nFN:Spoilt\r\nthis is no property\r\nEND:VCARD\r\n" +
                       "EMAIL:stray@example.com\r\n";
    CxPimFile file = Parse(text, CxPimFormat::VCard);
    ASSERT_EQ(file.Entries().size(), 1u);
    EXPECT_EQ(BytesOf(file, file.Entries()[0]), kCardA);
    ASSERT_EQ(file.Problems().size(), 3u) << AllProblems(file);
    EXPECT_EQ(file.Problems()[0].Describe(),
              "Line 1: Lines 1 to 2 are not inside any vCard (BEGIN:VCARD ... END:VCARD); they are "
              "kept in the file as they are.");
    EXPECT_EQ(file.Problems()[1].nLine, 9u);
    EXPECT_NE(file.Problems()[1].text.find("vCard that begins on line 7 was not read"),
              std::string::npos);
    EXPECT_EQ(file.Problems()[2].nLine, 11u);

    file = Parse("BEGIN:VCALENDAR\nEND:VTODO\nEND:VCALENDAR\n", CxPimFormat::ICalendar);
    ASSERT_EQ(file.Problems().size(), 1u);
    EXPECT_EQ(file.Problems()[0].nLine, 2u);
    EXPECT_NE(file.Problems()[0].text.find("closes nothing"), std::string::npos);
}

TEST(PimStructure, FilesOfAnotherKindSayWhatTheyAre) {
    struct Case {
        std::string bytes;
        CxPimFormat format;
        const char* says;
    } cases[] = {
        {"name,email\r\nAnn,ann@example.com\r\n", CxPimFormat::VCard, "not a vCard file"},
        {kCardA, CxPimFormat::ICalendar, "not an iCalendar file"},
        {std::string("\xFF\xFE"
                     "B\0E\0G\0I\0N\0",
                     12),
         CxPimFormat::VCard, "UTF-16"},
        {std::string(5000, '\0'), CxPimFormat::VCard, "not a vCard file"},
    };
    for (const Case& c : cases) {
        CxPimFile file = Parse(c.bytes, c.format);
        EXPECT_TRUE(file.Entries().empty());
        ASSERT_EQ(file.Problems().size(), 1u) << AllProblems(file);
        EXPECT_EQ(file.Problems()[0].nLine, 1u);
        EXPECT_NE(file.Problems()[0].text.find(c.says), std::string::npos) << AllProblems(file);
    }
    for (const char* empty : {"", "\r\n\r\n", "\xEF\xBB\xBF"}) {
        CxPimFile file = Parse(empty, CxPimFormat::VCard);
        EXPECT_TRUE(file.Entries().empty());
        EXPECT_TRUE(file.Problems().empty()) << AllProblems(file);
    }
}

TEST(PimStructure, ProblemListIsCapped) {
    std::string text;
    for (int i = 0; i < 1000; ++i)
        text += "BEGIN:VCARD\nFN:x\n";
    CxPimFile file = Parse(text, CxPimFormat::VCard);
    EXPECT_TRUE(file.Entries().empty());
    ASSERT_EQ(file.Problems().size(), CxPimFile::kMaxProblems + 1);
    EXPECT_EQ(file.Problems().back().text, "900 further problems are not listed.");
}

TEST(PimIdentity, CopiesAreNumberedAndTheFingerprintFollowsTheBytes) {
    CxPimFile file = Parse(kCardA + kCardB + kCardA + kCardA, CxPimFormat::VCard);
    const std::vector<CxPimEntry>& e = file.Entries();
    ASSERT_EQ(e.size(), 4u);
    for (const CxPimEntry& entry : e) {
        EXPECT_EQ(entry.id.size(), 34u) << entry.id;
        EXPECT_EQ(entry.id.substr(0, 32), entry.digest.substr(0, 32));
    }
    EXPECT_EQ(e[0].id.substr(32), "-1");
    EXPECT_EQ(e[2].id.substr(32), "-2");
    EXPECT_EQ(e[3].id.substr(32), "-3");
    EXPECT_EQ(e[0].digest, e[2].digest);
    EXPECT_NE(e[0].digest, e[1].digest);
    EXPECT_EQ(e[1].id.substr(32), "-1");

    // The same card with other line endings is other bytes, so another entry.
    CxPimFile lf = Parse("BEGIN:VCARD\nVERSION:3.0\nFN:Ann\nEND:VCARD\n", CxPimFormat::VCard);
    EXPECT_NE(lf.Entries()[0].digest, e[0].digest);
}

const std::string kZone = "BEGIN:VTIMEZONE\r\nTZID:Z\r\nEND:VTIMEZONE\r\n";
const std::string kMaster = "BEGIN:VEVENT\r\nUID:u1\r\nDTSTART;TZID=Z:20250106T090000\r\n"
                            "RRULE:FREQ=WEEKLY\r\nSUMMARY:Standup\r\nEND:VEVENT\r\n";
const std::string kOverride = "BEGIN:VEVENT\r\nUID:u1\r\nRECURRENCE-ID;TZID=Z:20250113T090000\r\n"
                              "DTSTART;TZID=Z:20250113T100000\r\nSUMMARY:Standup\r\nEND:VEVENT\r\n";
const std::string kOther = "BEGIN:VEVENT\r\nUID:u2\r\nSUMMARY:Lunch\r\nEND:VEVENT\r\n";

std::string Calendar(const std::string& body) {
    return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\n" + body + "END:VCALENDAR\r\n";
}

TEST(PimIdentity, OverridesGoWithTheirRepeatingEntry) {
    std::string orphan = "BEGIN:VEVENT\r\nUID:u9\r\nRECURRENCE-ID:20250101\r\nEND:VEVENT\r\n";
    CxPimFile file = Parse(Calendar(kZone + kMaster + kOverride + orphan), CxPimFormat::ICalendar);
    ASSERT_EQ(file.Entries().size(), 3u);
    EXPECT_EQ(file.Entries()[1].recurrenceId, ";TZID=Z:20250113T090000");
    EXPECT_FALSE(file.Entries()[1].bExported);
    std::vector<const CxPimEntry*> offered = file.ExportedEntries(CxEntryKind::Event);
    ASSERT_EQ(offered.size(), 2u);
    EXPECT_EQ(offered[0], &file.Entries()[0]);
    EXPECT_EQ(offered[1], &file.Entries()[2]); // no repeating entry of its own in the file
}

TEST(PimRemoval, OnlyTheRemovedRangesGo) {
    std::string cardC = "BEGIN:VCARD\rFN:Cy\rEND:VCARD\r";
    std::string text = "\xEF\xBB\xBF" + kCardA + "\r\n" + kCardB + "garbage\n" + cardC + kCardA;
    CxPimFile file = Parse(text, CxPimFormat::VCard);
    ASSERT_EQ(file.Entries().size(), 4u);

    CxRemoval none = RemoveEntries(file, CxEntryKind::Card, {});
    EXPECT_EQ(none.bytes, text);
    EXPECT_TRUE(none.removed.empty());

    CxRemoval r = RemoveEntries(file, CxEntryKind::Card,
                                {file.Entries()[1].id, file.Entries()[3].id, file.Entries()[1].id});
    EXPECT_EQ(r.bytes, "\xEF\xBB\xBF" + kCardA + "\r\n" + "garbage\n" + cardC);
    EXPECT_EQ(r.removed, (std::vector<size_t>{1, 3}));
    EXPECT_TRUE(r.unmatched.empty());

    // The first of two identical copies stays when the second goes.
    r = RemoveEntries(file, CxEntryKind::Card, {file.Entries()[3].id});
    EXPECT_EQ(r.bytes, "\xEF\xBB\xBF" + kCardA + "\r\n" + kCardB + "garbage\n" + cardC);
}

TEST(PimRemoval, IdsOfChangedEntriesRemoveNothing) {
    std::string text = kCardA + kCardB;
    CxPimFile loaded = Parse(text, CxPimFormat::VCard);
    std::string idA = loaded.Entries()[0].id, idB = loaded.Entries()[1].id;

    // Since it was loaded, someone changed Ann's card and copied Bob's.
    std::string changed =
        "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Anne\r\nEND:VCARD\r\n" + kCardB + kCardB;
    CxPimFile now = Parse(changed, CxPimFormat::VCard);
    CxRemoval r = RemoveEntries(now, CxEntryKind::Card, {idA, idB, "bogus"});
    EXPECT_EQ(r.unmatched, (std::vector<std::string>{idA, "bogus"}));
    EXPECT_EQ(r.bytes, Without(changed, kCardB)); // the first copy, the one that was seen, goes

    // An ID of another kind of entry names nothing either.
    CxPimFile cal =
        Parse(Calendar("BEGIN:VTODO\r\nUID:t\r\nEND:VTODO\r\n"), CxPimFormat::ICalendar);
    r = RemoveEntries(cal, CxEntryKind::Event, {cal.Entries()[0].id});
    EXPECT_EQ(r.unmatched.size(), 1u);
    EXPECT_EQ(r.bytes, cal.Bytes());
}

TEST(PimRemoval, RepeatingEntryTakesItsOverridesAndLeavesTheTimeZone) {
    std::string text = Calendar(kZone + kMaster + kOther + kOverride);
    CxPimFile file = Parse(text, CxPimFormat::ICalendar);
    ASSERT_EQ(file.Entries().size(), 3u);
    CxRemoval r = RemoveEntries(file, CxEntryKind::Event, {file.Entries()[0].id});
    EXPECT_EQ(r.bytes, Calendar(kZone + kOther));
    EXPECT_EQ(r.removed, (std::vector<size_t>{0, 2}));
    EXPECT_TRUE(r.unmatched.empty());
}

TEST(PimRemoval, CopyOfARepeatingEntryTakesOnlyTheCopiesOfItsOverrides) {
    std::string moved = Without(kOverride, "T100000"); // another change of the same occurrence
    moved.insert(moved.find("\r\nSUMMARY"), "T110000");

    // Imported twice: the second series goes with the second copy of its override.
    std::string text = Calendar(kMaster + kOverride + kMaster + kOverride + kOther);
    CxPimFile file = Parse(text, CxPimFormat::ICalendar);
    ASSERT_EQ(file.ExportedEntries(CxEntryKind::Event).size(), 3u);
    CxRemoval r = RemoveEntries(file, CxEntryKind::Event, {file.Entries()[2].id});
    EXPECT_EQ(r.bytes, Calendar(kMaster + kOverride + kOther));

    // An override that differs from the one the staying series has is kept.
    text = Calendar(kMaster + kOverride + kMaster + moved);
    file = Parse(text, CxPimFormat::ICalendar);
    r = RemoveEntries(file, CxEntryKind::Event, {file.Entries()[2].id});
    EXPECT_EQ(r.bytes, Calendar(kMaster + kOverride + moved));

    // Both series go: every override goes.
    file = Parse(Calendar(kMaster + kOverride + kMaster + moved), CxPimFormat::ICalendar);
    r = RemoveEntries(file, CxEntryKind::Event, {file.Entries()[0].id, file.Entries()[2].id});
    EXPECT_EQ(r.bytes, Calendar(""));
}

} // namespace
