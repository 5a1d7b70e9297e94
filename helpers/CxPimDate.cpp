#include "CxPimDate.h"

#include "CxPimLine.h"

#include "common/misc/CxDateTime.h"

#include <cmath>

namespace {

bool IsLeap(int y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int DaysInMonth(int y, int m) {
    static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && IsLeap(y) ? 29 : kDays[m - 1];
}

// Reads exactly n digits at pos.
bool Digits(const std::string& s, size_t& pos, size_t n, int* pValue) {
    if (pos + n > s.size())
        return false;
    int v = 0;
    for (size_t i = 0; i < n; ++i) {
        char c = s[pos + i];
        if (c < '0' || c > '9')
            return false;
        v = v * 10 + (c - '0');
    }
    pos += n;
    *pValue = v;
    return true;
}

bool Skip(const std::string& s, size_t& pos, char c) {
    if (pos < s.size() && s[pos] == c) {
        ++pos;
        return true;
    }
    return false;
}

// OLE dates before 30 December 1899 count their time of day forward from a day counted
// backward; the linear count (days and fraction on one axis) is what arithmetic needs.
double OleToLinear(double dOle) {
    if (dOle >= 0)
        return dOle;
    double dDays = std::trunc(dOle);
    return dDays + (dDays - dOle);
}

// Ten thousand years: longer durations lead out of the range of OLE dates anyway.
const int64_t kMaxDurationSeconds = 10000LL * 366 * 86400;

double LinearToOle(double dLinear) {
    if (dLinear >= 0)
        return dLinear;
    double dDays = std::floor(dLinear);
    double dTime = dLinear - dDays;
    return dDays - dTime;
}

} // namespace

bool ParsePimDateTime(const std::string& textIn, CxPimDateTime* pValue) {
    std::string text = TrimBlanks(textIn);
    size_t pos = 0;
    CxPimDateTime v;
    int y, mo, d;
    if (!Digits(text, pos, 4, &y))
        return false;
    bool bExtended = Skip(text, pos, '-');
    if (!Digits(text, pos, 2, &mo) || (bExtended && !Skip(text, pos, '-')) ||
        !Digits(text, pos, 2, &d))
        return false;
    if (y < 100 || mo < 1 || mo > 12 || d < 1 || d > DaysInMonth(y, mo))
        return false;
    v.time.wYear = (uint16_t)y;
    v.time.wMonth = (uint16_t)mo;
    v.time.wDay = (uint16_t)d;
    if (pos == text.size()) {
        v.bDateOnly = true;
        *pValue = v;
        return true;
    }
    if (!Skip(text, pos, 'T') && !Skip(text, pos, 't'))
        return false;
    int h, mi, sec = 0;
    if (!Digits(text, pos, 2, &h))
        return false;
    bool bColon = Skip(text, pos, ':');
    if (!Digits(text, pos, 2, &mi))
        return false;
    if (pos < text.size() && (!bColon || Skip(text, pos, ':'))) {
        if (pos < text.size() && text[pos] >= '0' && text[pos] <= '9' &&
            !Digits(text, pos, 2, &sec))
            return false;
    }
    if (Skip(text, pos, '.') || Skip(text, pos, ',')) {
        while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9')
            ++pos;
    }
    if (h > 23 || mi > 59 || sec > 60)
        return false;
    v.time.wHour = (uint16_t)h;
    v.time.wMinute = (uint16_t)mi;
    v.time.wSecond = (uint16_t)(sec == 60 ? 59 : sec);
    if (Skip(text, pos, 'Z') || Skip(text, pos, 'z')) {
        v.bUtc = true;
    } else if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        int sign = text[pos] == '-' ? -1 : 1;
        ++pos;
        int oh, om = 0;
        if (!Digits(text, pos, 2, &oh))
            return false;
        Skip(text, pos, ':');
        if (pos < text.size() && !Digits(text, pos, 2, &om))
            return false;
        if (oh > 23 || om > 59)
            return false;
        v.bUtc = true;
        v.nOffsetMinutes = sign * (oh * 60 + om);
    }
    if (pos != text.size())
        return false;
    *pValue = v;
    return true;
}

double PimDateToOle(const CxPimDateTime& value, int64_t nAddSeconds) {
    double dOle = 0;
    if (!SystemTimeToOleDate(&value.time, &dOle))
        return 0;
    double dLinear =
        OleToLinear(dOle) + ((double)nAddSeconds - value.nOffsetMinutes * 60.0) / 86400.0;
    if (value.bUtc) {
        CxSystemTime utc{}, local{};
        if (!OleDateToSystemTime(LinearToOle(dLinear), &utc))
            return 0;
        if (PlatformUtcToLocal(&utc, &local) && SystemTimeToOleDate(&local, &dOle))
            dLinear = OleToLinear(dOle);
    }
    dOle = LinearToOle(dLinear);
    CxSystemTime check{};
    if (!OleDateToSystemTime(dOle, &check))
        return 0;
    // Whole seconds, as the platform keeps them.
    double dBack = 0;
    if (!SystemTimeToOleDate(&check, &dBack))
        return 0;
    return dBack;
}

bool ParsePimDuration(const std::string& textIn, int64_t* pSeconds) {
    std::string text = TrimBlanks(textIn);
    size_t pos = 0;
    int64_t sign = 1;
    if (Skip(text, pos, '-'))
        sign = -1;
    else
        Skip(text, pos, '+');
    if (!Skip(text, pos, 'P'))
        return false;
    int64_t total = 0;
    bool bTime = false, bAny = false;
    while (pos < text.size()) {
        if (Skip(text, pos, 'T')) {
            if (bTime)
                return false;
            bTime = true;
            continue;
        }
        int64_t n = 0;
        size_t start = pos;
        while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9' && pos - start < 9)
            n = n * 10 + (text[pos++] - '0');
        if (pos == start || pos >= text.size())
            return false;
        char unit = text[pos++];
        int64_t scale;
        if (!bTime && unit == 'W')
            scale = 7 * 86400;
        else if (!bTime && unit == 'D')
            scale = 86400;
        else if (bTime && unit == 'H')
            scale = 3600;
        else if (bTime && unit == 'M')
            scale = 60;
        else if (bTime && unit == 'S')
            scale = 1;
        else
            return false;
        total += n * scale;
        if (total > kMaxDurationSeconds)
            return false; // far beyond any date; and the sum must not overflow
        bAny = true;
    }
    if (!bAny)
        return false;
    *pSeconds = sign * total;
    return true;
}

double OleDateOnly(double dValue) {
    if (dValue == 0)
        return 0;
    CxSystemTime st{};
    if (!OleDateToSystemTime(dValue, &st))
        return 0;
    st.wHour = st.wMinute = st.wSecond = 0;
    double d = 0;
    return SystemTimeToOleDate(&st, &d) ? d : 0;
}
