#include "common/misc/CxDateTime.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace {

CxSystemTime Make(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
    CxSystemTime st{};
    st.wYear = (uint16_t)y;
    st.wMonth = (uint16_t)mo;
    st.wDay = (uint16_t)d;
    st.wHour = (uint16_t)h;
    st.wMinute = (uint16_t)mi;
    st.wSecond = (uint16_t)s;
    return st;
}

double ValueOf(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
    CxSystemTime st = Make(y, mo, d, h, mi, s);
    double v = 0;
    EXPECT_TRUE(SystemTimeToOleDate(&st, &v));
    return v;
}

std::string DateText(double v) {
    char sz[32] = "x";
    EXPECT_TRUE(DateToText(v, sz, sizeof sz));
    return sz;
}

std::string TimeText(double v) {
    char sz[32] = "x";
    EXPECT_TRUE(TimeToText(v, sz, sizeof sz));
    return sz;
}

TEST(OleDate, KnownValues) {
    struct Case {
        double value;
        int y, mo, d, h, mi, s, dow;
    } cases[] = {
        {0.0, 1899, 12, 30, 0, 0, 0, 6},
        {36526.5, 2000, 1, 1, 12, 0, 0, 6},
        {-1.25, 1899, 12, 29, 6, 0, 0, 5},
        {-1.0, 1899, 12, 29, 0, 0, 0, 5},
        {1.75, 1899, 12, 31, 18, 0, 0, 0},
        {45000.99999999, 2023, 3, 16, 0, 0, 0, 3}, // rounds up into the next day
        {-657434.0, 100, 1, 1, 0, 0, 0, 5},
        {2958465.0, 9999, 12, 31, 0, 0, 0, 5},
        {60.0, 1900, 2, 28, 0, 0, 0, 3},
        {61.0, 1900, 3, 1, 0, 0, 0, 4},
    };
    for (const Case& c : cases) {
        CxSystemTime st{};
        ASSERT_TRUE(OleDateToSystemTime(c.value, &st)) << c.value;
        EXPECT_EQ(st.wYear, c.y) << c.value;
        EXPECT_EQ(st.wMonth, c.mo) << c.value;
        EXPECT_EQ(st.wDay, c.d) << c.value;
        EXPECT_EQ(st.wHour, c.h) << c.value;
        EXPECT_EQ(st.wMinute, c.mi) << c.value;
        EXPECT_EQ(st.wSecond, c.s) << c.value;
        EXPECT_EQ(st.wDayOfWeek, c.dow) << c.value;
        EXPECT_EQ(st.wMilliseconds, 0) << c.value;
    }
}

TEST(OleDate, OutOfRangeAndNaNAreRefused) {
    CxSystemTime st{};
    EXPECT_FALSE(OleDateToSystemTime(-657435.0, &st));
    EXPECT_FALSE(OleDateToSystemTime(2958466.0, &st));
    EXPECT_FALSE(OleDateToSystemTime(2958465.99999999, &st)); // would round into year 10000
    EXPECT_FALSE(OleDateToSystemTime(std::numeric_limits<double>::quiet_NaN(), &st));
    EXPECT_FALSE(OleDateToSystemTime(std::numeric_limits<double>::infinity(), &st));
    EXPECT_FALSE(OleDateToSystemTime(1.0, nullptr));
}

TEST(OleDate, RoundsToTheNearestSecond) {
    const double kSecond = 1.0 / 86400.0;
    CxSystemTime st{};
    ASSERT_TRUE(OleDateToSystemTime(36526.0 + 10 * kSecond + 0.4 * kSecond, &st));
    EXPECT_EQ(st.wSecond, 10);
    ASSERT_TRUE(OleDateToSystemTime(36526.0 + 10 * kSecond + 0.6 * kSecond, &st));
    EXPECT_EQ(st.wSecond, 11);
    ASSERT_TRUE(OleDateToSystemTime(36526.0 + 86399.7 * kSecond, &st));
    EXPECT_EQ(st.wDay, 2);
    EXPECT_EQ(st.wHour, 0);
}

TEST(OleDate, SystemTimeToValue) {
    EXPECT_DOUBLE_EQ(ValueOf(2000, 1, 1, 12), 36526.5);
    EXPECT_DOUBLE_EQ(ValueOf(1899, 12, 30), 0.0);
    EXPECT_DOUBLE_EQ(ValueOf(1899, 12, 29, 6), -1.25);
    // A day past the end of its month runs on into the next month.
    EXPECT_DOUBLE_EQ(ValueOf(2023, 2, 30), ValueOf(2023, 3, 2));

    CxSystemTime bad = Make(2023, 13, 1);
    double v = 7;
    EXPECT_FALSE(SystemTimeToOleDate(&bad, &v));
    bad = Make(2023, 1, 1, 24);
    EXPECT_FALSE(SystemTimeToOleDate(&bad, &v));
}

TEST(OleDate, WholeSecondsRoundTrip) {
    for (double day = -657434; day <= 2958465; day += 997.0) {
        for (int sec : {0, 1, 3599, 43200, 86399}) {
            double value = day >= 0 ? day + sec / 86400.0 : day - sec / 86400.0;
            CxSystemTime st{};
            ASSERT_TRUE(OleDateToSystemTime(value, &st)) << value;
            double back = 0;
            ASSERT_TRUE(SystemTimeToOleDate(&st, &back));
            EXPECT_NEAR(back, value, 1e-9) << value;
        }
    }
}

TEST(DateTexts, NoDateIsNA) {
    for (double v : {0.0, 0.0005, -3.5}) {
        EXPECT_EQ(DateText(v), "N/A") << v;
        EXPECT_EQ(TimeText(v), "N/A") << v;
    }
}

TEST(DateTexts, NoonOnFirstOfJanuary2000) {
    EXPECT_EQ(DateText(36526.5), "01/01/2000");
    EXPECT_EQ(TimeText(36526.5), "12:00:00");
    CxDateTime dt(36526.5);
    char sz[32];
    dt.FormatDateTime(sz, sizeof sz);
    EXPECT_STREQ(sz, "01/01/2000 12:00:00");
}

TEST(DateTexts, YearRangeOfTheDateText) {
    struct Case {
        int y, mo, d;
        const char* text;
    } cases[] = {
        {1930, 6, 1, ""},           {1930, 12, 31, ""},
        {1931, 1, 1, "01/01/1931"}, {2030, 12, 31, "12/31/2030"},
        {2031, 1, 1, ""},
    };
    for (const Case& c : cases) {
        double v = ValueOf(c.y, c.mo, c.d, 8, 30, 15);
        EXPECT_EQ(DateText(v), c.text) << c.y;
        EXPECT_EQ(TimeText(v), "08:30:15") << c.y;
        CxDateTime dt(v);
        char sz[32];
        dt.FormatDateTime(sz, sizeof sz);
        EXPECT_EQ(std::string(sz), std::string(c.text) + " 08:30:15");
    }
}

TEST(DateTexts, RefusesMissingBuffer) {
    char sz[4] = "abc";
    EXPECT_FALSE(DateToText(36526.5, nullptr, 10));
    EXPECT_FALSE(TimeToText(36526.5, sz, 0));
    EXPECT_STREQ(sz, "abc");
}

TEST(DateTexts, UnconvertibleValueGivesEmptyText) {
    EXPECT_EQ(DateText(std::numeric_limits<double>::quiet_NaN()), "");
    EXPECT_EQ(TimeText(1e12), "");
}

TEST(CxDateTime, NowIsValidAndConsistent) {
    CxDateTime now;
    ASSERT_TRUE(now.IsValid());
    EXPECT_GT(now.GetValue(), ValueOf(2020, 1, 1));
    CxDateTime copy(now.GetValue());
    EXPECT_EQ(copy.GetSystemTime().wYear, now.GetSystemTime().wYear);
    EXPECT_EQ(copy.GetSystemTime().wDay, now.GetSystemTime().wDay);
}

} // namespace
