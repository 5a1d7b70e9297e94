#include "helpers/CxPimDate.h"
#include "helpers/CxPimMap.h"

#include "PimTestDates.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using pimtest::LocalOf;
using pimtest::Ole;

template <typename TRecord, typename TMap>
std::unique_ptr<TRecord> MapOne(const std::vector<std::string>& props, const char* szComponent,
                                CxEntryKind kind, TMap map) {
    std::string text =
        "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nBEGIN:" + std::string(szComponent) + "\r\nUID:x\r\n";
    for (const std::string& p : props)
        text += p + "\r\n";
    text += "END:" + std::string(szComponent) + "\r\nEND:VCALENDAR\r\n";
    CxPimFile file;
    file.Parse(text, CxPimFormat::ICalendar);
    std::unique_ptr<TRecord> r(new TRecord());
    std::vector<const CxPimEntry*> entries = file.ExportedEntries(kind);
    EXPECT_EQ(entries.size(), 1u) << text;
    EXPECT_TRUE(file.Problems().empty()) << file.Problems()[0].Describe();
    if (!entries.empty())
        map(file, *entries[0], 3, r.get());
    return r;
}

std::unique_ptr<LNDateRecord> Event(const std::vector<std::string>& props) {
    return MapOne<LNDateRecord>(props, "VEVENT", CxEntryKind::Event, MapEvent);
}

TEST(ICalMap, EventMainFields) {
    std::unique_ptr<LNDateRecord> r =
        Event({"SUMMARY;LANGUAGE=en-us:Team meeting", "LOCATION:Room 1\\, floor 2",
               "DESCRIPTION:Agenda:\\n1. Budget",
               "DTSTART;TZID=\"Eastern Standard Time\":20130610T120000",
               "DTEND;TZID=\"Eastern Standard Time\":20130610T130000", "CLASS:CONFIDENTIAL",
               "RESOURCES:Projector,Whiteboard",
               "RRULE:FREQ=WEEKLY;INTERVAL=2;BYDAY=MO,WE;UNTIL=20131231T235959Z", "BEGIN:VALARM",
               "DESCRIPTION:Not the body", "END:VALARM"});
    EXPECT_EQ(r->Tag, 3);
    EXPECT_EQ(r->Action, 0);
    EXPECT_STREQ(r->Subject, "Team meeting");
    EXPECT_STREQ(r->Location, "Room 1, floor 2");
    EXPECT_STREQ(r->Body, "Agenda:\r\n1. Budget");
    EXPECT_DOUBLE_EQ(r->StartDateTime, Ole(2013, 6, 10, 12));
    EXPECT_DOUBLE_EQ(r->EndDateTime, Ole(2013, 6, 10, 13));
    EXPECT_DOUBLE_EQ(r->DisplayStart, r->StartDateTime);
    EXPECT_DOUBLE_EQ(r->DisplayEnd, r->EndDateTime);
    EXPECT_STREQ(r->StartTimeZone, "Eastern Standard Time");
    EXPECT_STREQ(r->EndTimeZone, "Eastern Standard Time");
    EXPECT_EQ(r->Private, 1);
    EXPECT_STREQ(r->Resources, "Projector, Whiteboard");
    EXPECT_STREQ(r->Repeats, "1");
    EXPECT_STREQ(r->RepeatUnit, "W");
    EXPECT_STREQ(r->RepeatInterval, "2");
    EXPECT_STREQ(r->RepeatWeekdays, "10");
    EXPECT_DOUBLE_EQ(r->RepeatUntil, OleDateOnly(LocalOf(2013, 12, 31, 23, 59, 59)));
    EXPECT_EQ(r->DateTime3, 0.0);
    EXPECT_STREQ(r->ExtraText1, "");
}

TEST(ICalMap, StartAndEndInEveryForm) {
    struct Case {
        std::vector<std::string> props;
        double start, end;
        const char *startZone, *endZone;
    } cases[] = {
        {{"DTSTART:20241004T181500Z", "DTEND:20241004T190000Z"},
         LocalOf(2024, 10, 4, 18, 15, 0),
         LocalOf(2024, 10, 4, 19, 0, 0),
         "",
         ""},
        {{"DTSTART:20250115T100000"}, Ole(2025, 1, 15, 10), Ole(2025, 1, 15, 10), "", ""},
        {{"DTSTART;VALUE=DATE:20250115"}, Ole(2025, 1, 15), Ole(2025, 1, 16), "", ""},
        {{"DTSTART;VALUE=DATE:20250115", "DTEND;VALUE=DATE:20250117"},
         Ole(2025, 1, 15),
         Ole(2025, 1, 17),
         "",
         ""},
        {{"DTSTART;TZID=Europe/Berlin:20250115T100000", "DURATION:PT1H30M"},
         Ole(2025, 1, 15, 10),
         Ole(2025, 1, 15, 11, 30),
         "Europe/Berlin",
         "Europe/Berlin"},
        {{"DTSTART:20240331T003000Z", "DURATION:PT2H"},
         LocalOf(2024, 3, 31, 0, 30, 0),
         LocalOf(2024, 3, 31, 2, 30, 0),
         "",
         ""},
        {{"DTSTART;TZID=A:20250115T100000", "DTEND;TZID=B:20250115T200000"},
         Ole(2025, 1, 15, 10),
         Ole(2025, 1, 15, 20),
         "A",
         "B"},
        {{"DTSTART:not a date", "DTEND:20250115T100000"}, 0, Ole(2025, 1, 15, 10), "", ""},
        {{}, 0, 0, "", ""},
    };
    for (const Case& c : cases) {
        std::string what = c.props.empty() ? "no dates" : c.props[0];
        std::unique_ptr<LNDateRecord> r = Event(c.props);
        EXPECT_DOUBLE_EQ(r->StartDateTime, c.start) << what;
        EXPECT_DOUBLE_EQ(r->EndDateTime, c.end) << what;
        EXPECT_DOUBLE_EQ(r->DisplayStart, c.start) << what;
        EXPECT_DOUBLE_EQ(r->DisplayEnd, c.end) << what;
        EXPECT_STREQ(r->StartTimeZone, c.startZone) << what;
        EXPECT_STREQ(r->EndTimeZone, c.endZone) << what;
    }
}

TEST(ICalMap, RepeatRules) {
    struct Case {
        const char* rule;
        const char *unit, *interval, *weekdays;
        double until;
    } cases[] = {
        {"FREQ=DAILY", "D", "1", "", 0},
        {"FREQ=DAILY;BYDAY=MO,TU,WE,TH,FR", "D", "1", "62", 0},
        {"FREQ=WEEKLY", "W", "1", "8", 0}, // the weekday of the start, a Wednesday
        {"FREQ=WEEKLY;COUNT=10", "W", "1", "8", 0},
        {"freq=weekly;byday=su,sa;interval=x", "W", "1", "65", 0},
        {"FREQ=MONTHLY;BYMONTHDAY=15", "MD", "1", "", 0},
        {"FREQ=MONTHLY;BYDAY=2TU", "MP", "1", "4", 0},
        {"FREQ=MONTHLY;BYDAY=-1FR;INTERVAL=6", "MP", "6", "32", 0},
        {"FREQ=MONTHLY;BYDAY=MO;BYSETPOS=1", "MP", "1", "2", 0},
        {"FREQ=YEARLY;INTERVAL=3;UNTIL=20300115", "Y", "3", "", Ole(2030, 1, 15)},
        {"FREQ=HOURLY", "", "1", "", 0},
    };
    for (const Case& c : cases) {
        std::unique_ptr<LNDateRecord> r =
            Event({"DTSTART:20250115T100000", std::string("RRULE:") + c.rule});
        EXPECT_STREQ(r->Repeats, "1") << c.rule;
        EXPECT_STREQ(r->RepeatUnit, c.unit) << c.rule;
        EXPECT_STREQ(r->RepeatInterval, c.interval) << c.rule;
        EXPECT_STREQ(r->RepeatWeekdays, c.weekdays) << c.rule;
        EXPECT_DOUBLE_EQ(r->RepeatUntil, c.until) << c.rule;
    }
    std::unique_ptr<LNDateRecord> single = Event({"DTSTART:20250115T100000"});
    EXPECT_STREQ(single->Repeats, "");
    EXPECT_STREQ(single->RepeatUnit, "");
    std::unique_ptr<LNDateRecord> dates =
        Event({"DTSTART:20250115T100000", "RDATE:20250120T100000"});
    EXPECT_STREQ(dates->Repeats, "1");
    EXPECT_STREQ(dates->RepeatUnit, "");
}

TEST(ICalMap, TaskFieldsAndPriorities) {
    std::unique_ptr<LNTaskRecord> r = MapOne<LNTaskRecord>(
        {"SUMMARY:File taxes", "DESCRIPTION:Forms\\, receipts", "CATEGORIES:Home,Money",
         "PRIORITY:2", "CLASS:PRIVATE", "DUE;VALUE=DATE:20250415", "DTSTART:20250301T090000",
         "COMPLETED:20250410T120000Z", "RRULE:FREQ=YEARLY"},
        "VTODO", CxEntryKind::Todo, MapTodo);
    EXPECT_STREQ(r->Subject, "File taxes");
    EXPECT_STREQ(r->Body, "Forms, receipts");
    EXPECT_STREQ(r->Categories, "Home, Money");
    EXPECT_EQ(r->Importance, 0);
    EXPECT_EQ(r->Private, 1);
    EXPECT_DOUBLE_EQ(r->DueDate, Ole(2025, 4, 15));
    EXPECT_DOUBLE_EQ(r->StartDate, Ole(2025, 3, 1, 9));
    EXPECT_DOUBLE_EQ(r->EndDate, LocalOf(2025, 4, 10, 12, 0, 0));
    EXPECT_STREQ(r->Repeats, "FREQ=YEARLY");
    EXPECT_EQ(r->Alarm, 0);

    struct Case {
        const char* priority;
        int32_t importance;
    } cases[] = {{"PRIORITY:1", 0}, {"PRIORITY:4", 0}, {"PRIORITY:5", 1}, {"PRIORITY:0", 1},
                 {"PRIORITY:6", 2}, {"PRIORITY:9", 2}, {"PRIORITY:x", 1}, {"X-NONE:1", 1}};
    for (const Case& c : cases) {
        std::unique_ptr<LNTaskRecord> t =
            MapOne<LNTaskRecord>({c.priority}, "VTODO", CxEntryKind::Todo, MapTodo);
        EXPECT_EQ(t->Importance, c.importance) << c.priority;
    }
}

TEST(ICalMap, JournalFields) {
    std::unique_ptr<LNNoteRecord> r =
        MapOne<LNNoteRecord>({"SUMMARY:Trip", "DESCRIPTION:Day one", "DESCRIPTION:Day two",
                              "CATEGORIES:Travel", "DTSTART;VALUE=DATE:20250102",
                              "CREATED:20250102T080000Z", "LAST-MODIFIED:20250103T201500Z"},
                             "VJOURNAL", CxEntryKind::Journal, MapJournal);
    EXPECT_STREQ(r->Subject, "Trip");
    EXPECT_STREQ(r->Body, "Day one\r\nDay two");
    EXPECT_STREQ(r->Categories, "Travel");
    EXPECT_DOUBLE_EQ(r->DiaryDate, Ole(2025, 1, 2));
    EXPECT_DOUBLE_EQ(r->CreateTime, LocalOf(2025, 1, 2, 8, 0, 0));
    EXPECT_DOUBLE_EQ(r->EditTime, LocalOf(2025, 1, 3, 20, 15, 0));
    EXPECT_EQ(r->BorderColor, 0);
}

TEST(ICalMap, LongBodyIsCutInTheRecordOnly) {
    std::unique_ptr<LNDateRecord> r = Event({"DESCRIPTION:" + std::string(30000, 'b')});
    EXPECT_EQ(std::string(r->Body), std::string(20479, 'b'));
    std::unique_ptr<LNNoteRecord> n = MapOne<LNNoteRecord>(
        {"DESCRIPTION:" + std::string(9000, 'j')}, "VJOURNAL", CxEntryKind::Journal, MapJournal);
    EXPECT_EQ(std::string(n->Body), std::string(8191, 'j'));
}

} // namespace
