#include "helpers/CxPimDate.h"

#include "PimTestDates.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>

namespace {

using pimtest::LocalOf;
using pimtest::Ole;

TEST(PimDateTime, ReadsTheForms) {
    struct Case {
        const char* text;
        int y, mo, d, h, mi, s;
        bool dateOnly, utc;
        int offset;
    } cases[] = {
        {"20250115", 2025, 1, 15, 0, 0, 0, true, false, 0},
        {"20250115T100000", 2025, 1, 15, 10, 0, 0, false, false, 0},
        {"20250115T100000Z", 2025, 1, 15, 10, 0, 0, false, true, 0},
        {"20250115T1030", 2025, 1, 15, 10, 30, 0, false, false, 0},
        {"1985-04-15", 1985, 4, 15, 0, 0, 0, true, false, 0},
        {"2024-02-29", 2024, 2, 29, 0, 0, 0, true, false, 0},
        {"2012-03-05T13:32:54Z", 2012, 3, 5, 13, 32, 54, false, true, 0},
        {"2012-03-05T13:32Z", 2012, 3, 5, 13, 32, 0, false, true, 0},
        {"2025-01-15T10:00:00.123+01:30", 2025, 1, 15, 10, 0, 0, false, true, 90},
        {"19961231T235960-0500", 1996, 12, 31, 23, 59, 59, false, true, -300},
        {" 20250115 ", 2025, 1, 15, 0, 0, 0, true, false, 0},
    };
    for (const Case& c : cases) {
        CxPimDateTime v;
        ASSERT_TRUE(ParsePimDateTime(c.text, &v)) << c.text;
        EXPECT_EQ(v.time.wYear, c.y) << c.text;
        EXPECT_EQ(v.time.wMonth, c.mo) << c.text;
        EXPECT_EQ(v.time.wDay, c.d) << c.text;
        EXPECT_EQ(v.time.wHour, c.h) << c.text;
        EXPECT_EQ(v.time.wMinute, c.mi) << c.text;
        EXPECT_EQ(v.time.wSecond, c.s) << c.text;
        EXPECT_EQ(v.bDateOnly, c.dateOnly) << c.text;
        EXPECT_EQ(v.bUtc, c.utc) << c.text;
        EXPECT_EQ(v.nOffsetMinutes, c.offset) << c.text;
    }
    for (const char* bad : {"", "2023-02-29", "20240230", "20241301", "20240001", "2024011",
                            "20240115T25", "20240115T2400", "20240115T1000X", "--0415", "abcd0101",
                            "20240115T", "00990101", "2024-0115"}) {
        CxPimDateTime v;
        EXPECT_FALSE(ParsePimDateTime(bad, &v)) << bad;
    }
}

TEST(PimDateTime, OleValuesInLocalTime) {
    CxPimDateTime v;
    ASSERT_TRUE(ParsePimDateTime("20000101T120000", &v));
    EXPECT_DOUBLE_EQ(PimDateToOle(v), 36526.5);
    EXPECT_DOUBLE_EQ(PimDateToOle(v, -3600), Ole(2000, 1, 1, 11));
    ASSERT_TRUE(ParsePimDateTime("20000101", &v));
    EXPECT_DOUBLE_EQ(PimDateToOle(v), 36526.0);
    EXPECT_DOUBLE_EQ(PimDateToOle(v, 86400), 36527.0);

    ASSERT_TRUE(ParsePimDateTime("20240701T120000Z", &v));
    EXPECT_DOUBLE_EQ(PimDateToOle(v), LocalOf(2024, 7, 1, 12, 0, 0));
    EXPECT_DOUBLE_EQ(PimDateToOle(v, 5400), LocalOf(2024, 7, 1, 13, 30, 0));
    ASSERT_TRUE(ParsePimDateTime("2024-07-01T14:00:00+02:00", &v));
    EXPECT_DOUBLE_EQ(PimDateToOle(v), LocalOf(2024, 7, 1, 12, 0, 0));

    // Before 30 December 1899 the arithmetic still runs forward in time.
    ASSERT_TRUE(ParsePimDateTime("18991229T060000", &v));
    EXPECT_DOUBLE_EQ(PimDateToOle(v), -1.25);
    EXPECT_DOUBLE_EQ(PimDateToOle(v, 12 * 3600), -1.75);
    EXPECT_DOUBLE_EQ(PimDateToOle(v, 24 * 3600), 0.25);

    ASSERT_TRUE(ParsePimDateTime("99991231T120000", &v));
    EXPECT_EQ(PimDateToOle(v, 86400), 0.0); // beyond the last OLE date
    EXPECT_DOUBLE_EQ(OleDateOnly(36526.75), 36526.0);
    EXPECT_EQ(OleDateOnly(0), 0.0);
}

TEST(PimDuration, ReadsTheForms) {
    struct Case {
        const char* text;
        int64_t seconds;
    } cases[] = {
        {"P1W", 604800}, {"P2DT3H", 183600}, {"-PT15M", -900},     {"+PT1H30M10S", 5410},
        {"PT0S", 0},     {"P1D", 86400},     {"P0DT0H10M0S", 600},
    };
    for (const Case& c : cases) {
        int64_t n = 12345;
        ASSERT_TRUE(ParsePimDuration(c.text, &n)) << c.text;
        EXPECT_EQ(n, c.seconds) << c.text;
    }
    std::string huge = "P";
    for (int i = 0; i < 40; ++i)
        huge += "999999999W"; // would overflow a 64-bit sum
    for (std::string bad : {std::string(""), std::string("P"), std::string("1D"), std::string("PT"),
                            std::string("P1H"), std::string("PT1D"), std::string("P1DT2H3X"),
                            std::string("P1DTT1H"), std::string("PD"), huge}) {
        int64_t n = 0;
        EXPECT_FALSE(ParsePimDuration(bad, &n)) << bad;
    }
}

#ifndef _WIN32
// The host's conversion under a fixed rule set (central European time with daylight saving).
TEST(PlatformUtcToLocal, FollowsTheDaylightSavingOfTheDate) {
    const char* old = getenv("TZ");
    std::string saved = old != nullptr ? old : "";
    setenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3", 1);
    tzset();
    EXPECT_DOUBLE_EQ(LocalOf(2024, 7, 1, 12, 0, 0), Ole(2024, 7, 1, 14));
    EXPECT_DOUBLE_EQ(LocalOf(2024, 1, 15, 12, 0, 0), Ole(2024, 1, 15, 13));
    CxSystemTime utc{2024, 12, 0, 31, 23, 30, 5, 0}, local{};
    ASSERT_TRUE(PlatformUtcToLocal(&utc, &local));
    EXPECT_EQ(local.wYear, 2025);
    EXPECT_EQ(local.wMonth, 1);
    EXPECT_EQ(local.wDay, 1);
    EXPECT_EQ(local.wHour, 0);
    EXPECT_EQ(local.wMinute, 30);
    EXPECT_EQ(local.wSecond, 5);
    EXPECT_EQ(local.wDayOfWeek, 3);
    if (old != nullptr)
        setenv("TZ", saved.c_str(), 1);
    else
        unsetenv("TZ");
    tzset();
}
#endif

} // namespace
