// OLE dates for the expectations of the vCard and iCalendar tests.
#pragma once

#include "common/misc/CxDateTime.h"

#include <gtest/gtest.h>

namespace pimtest {

inline CxSystemTime Time(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
    CxSystemTime st{};
    st.wYear = (uint16_t)y;
    st.wMonth = (uint16_t)mo;
    st.wDay = (uint16_t)d;
    st.wHour = (uint16_t)h;
    st.wMinute = (uint16_t)mi;
    st.wSecond = (uint16_t)s;
    return st;
}

// The OLE date of a clock time.
inline double Ole(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
    CxSystemTime st = Time(y, mo, d, h, mi, s);
    double v = 0;
    EXPECT_TRUE(SystemTimeToOleDate(&st, &v));
    return v;
}

// The OLE date of a UTC time in local time, as the platform converts it.
inline double LocalOf(int y, int mo, int d, int h, int mi, int s = 0) {
    CxSystemTime utc = Time(y, mo, d, h, mi, s), local{};
    EXPECT_TRUE(PlatformUtcToLocal(&utc, &local));
    double v = 0;
    EXPECT_TRUE(SystemTimeToOleDate(&local, &v));
    return v;
}

} // namespace pimtest
