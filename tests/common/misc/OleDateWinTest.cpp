// Our OLE Automation date conversion against the platform's own, over a sweep of values.
#include "common/misc/CxDateTime.h"

#include <windows.h>
#include <oleauto.h>

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

std::vector<double> SweepValues() {
    std::vector<double> values;
    const double kSecond = 1.0 / 86400.0;
    const double kMilli = kSecond / 1000.0;
    // Whole days across the range, negative ones included.
    for (double d = -657434; d <= 2958465; d += 1237)
        values.push_back(d);
    // The first and last days of the years around the date text's range, at several times.
    for (int year : {1899, 1900, 1930, 1931, 2000, 2030, 2031}) {
        for (int month : {1, 2, 12}) {
            SYSTEMTIME st{};
            st.wYear = (WORD)year;
            st.wMonth = (WORD)month;
            st.wDay = 1;
            double v = 0;
            SystemTimeToVariantTime(&st, &v);
            for (double t : {0.0, 0.25, 0.5, 0.999, 1.0 - kSecond, 1.0 - kMilli, 1.0 - kMilli / 2})
                values.push_back(v + t);
        }
    }
    // Times just before midnight and values with milliseconds, on both sides of the epoch.
    for (double day : {-700.0, -1.0, 0.0, 1.0, 36526.0, 45000.0, 47847.0}) {
        for (int ms : {0, 1, 250, 499, 500, 501, 750, 999}) {
            for (double sec : {0.0, 59.0, 3599.0, 43199.0, 86398.0, 86399.0}) {
                double frac = (sec + ms / 1000.0) * kSecond;
                values.push_back(day >= 0 ? day + frac : day - frac);
            }
        }
    }
    // Every millisecond of a few seconds, where the rounding to the second decides.
    for (double day : {-36000.0, -2.0, 3.0, 44000.0}) {
        for (double sec : {0.0, 30.0, 86398.0, 86399.0}) {
            for (int ms = 0; ms < 1000; ++ms) {
                double frac = (sec + ms / 1000.0) * kSecond;
                values.push_back(day >= 0 ? day + frac : day - frac);
            }
        }
    }
    values.push_back(45000.99999999);
    values.push_back(-1.25);
    // Random values with milliseconds.
    std::mt19937 rng(20261211);
    std::uniform_real_distribution<double> any(-700000.0, 2958465.0);
    std::uniform_real_distribution<double> modern(10000.0, 60000.0);
    for (int i = 0; i < 200000; ++i)
        values.push_back(i % 2 ? any(rng) : modern(rng));
    return values;
}

TEST(OleDateAgainstPlatform, ValueToSystemTime) {
    int compared = 0;
    for (double v : SweepValues()) {
        SYSTEMTIME platform{};
        bool platformOk = VariantTimeToSystemTime(v, &platform) != 0;
        CxSystemTime ours{};
        bool oursOk = OleDateToSystemTime(v, &ours);
        ASSERT_EQ(oursOk, platformOk) << std::hexfloat << v;
        if (!platformOk)
            continue;
        ++compared;
        ASSERT_EQ(ours.wYear, platform.wYear) << std::hexfloat << v;
        ASSERT_EQ(ours.wMonth, platform.wMonth) << std::hexfloat << v;
        ASSERT_EQ(ours.wDay, platform.wDay) << std::hexfloat << v;
        ASSERT_EQ(ours.wDayOfWeek, platform.wDayOfWeek) << std::hexfloat << v;
        ASSERT_EQ(ours.wHour, platform.wHour) << std::hexfloat << v;
        ASSERT_EQ(ours.wMinute, platform.wMinute) << std::hexfloat << v;
        ASSERT_EQ(ours.wSecond, platform.wSecond) << std::hexfloat << v;
        ASSERT_EQ(ours.wMilliseconds, platform.wMilliseconds) << std::hexfloat << v;
    }
    EXPECT_GT(compared, 200000);
}

TEST(OleDateAgainstPlatform, SystemTimeToValue) {
    std::mt19937 rng(7);
    std::vector<SYSTEMTIME> times;
    for (int i = 0; i < 5000; ++i) {
        SYSTEMTIME st{};
        st.wYear = (WORD)(100 + rng() % 9900);
        st.wMonth = (WORD)(1 + rng() % 12);
        st.wDay = (WORD)(1 + rng() % 28);
        st.wHour = (WORD)(rng() % 24);
        st.wMinute = (WORD)(rng() % 60);
        st.wSecond = (WORD)(rng() % 60);
        st.wMilliseconds = (WORD)(rng() % 1000);
        times.push_back(st);
    }
    for (int year : {1899, 1930, 1931, 2030, 2031}) {
        for (WORD day : {1, 28, 29, 30, 31}) {
            SYSTEMTIME st{};
            st.wYear = (WORD)year;
            st.wMonth = 2;
            st.wDay = day;
            st.wHour = 23;
            st.wMinute = 59;
            st.wSecond = 59;
            st.wMilliseconds = 999;
            times.push_back(st);
        }
    }
    for (const SYSTEMTIME& st : times) {
        double platform = 0, ours = 0;
        SYSTEMTIME copy = st;
        ASSERT_TRUE(SystemTimeToVariantTime(&copy, &platform));
        CxSystemTime in{st.wYear, st.wMonth,  st.wDayOfWeek, st.wDay,
                        st.wHour, st.wMinute, st.wSecond,    st.wMilliseconds};
        ASSERT_TRUE(SystemTimeToOleDate(&in, &ours));
        ASSERT_NEAR(ours, platform, 1e-9) << st.wYear << "-" << st.wMonth << "-" << st.wDay;
    }
}

} // namespace
