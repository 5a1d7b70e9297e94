#include "CxDateTime.h"

#include <cmath>
#include <cstdio>

namespace {

// The range of an OLE Automation date: 1 January 100 to 31 December 9999.
const double kFirstDay = -657434.0;
const double kLastDay = 2958465.0;
const long kSecondsPerDay = 86400;

// Days from 1 January of year 0 of the proleptic Gregorian calendar to the given date; the
// usual era-based count (eras of 400 years are 146097 days).
long DaysFromCivil(long y, unsigned m, unsigned d) {
    y -= m <= 2 ? 1 : 0;
    const long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = (unsigned)(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + (long)doe;
}

void CivilFromDays(long z, long* py, unsigned* pm, unsigned* pd) {
    const long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = (unsigned)(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    *pd = doy - (153 * mp + 2) / 5 + 1;
    *pm = mp < 10 ? mp + 3 : mp - 9;
    *py = (long)yoe + era * 400 + (*pm <= 2 ? 1 : 0);
}

// Day number (in DaysFromCivil's count) of 30 December 1899, the OLE epoch.
long EpochDays() {
    static const long s_nEpoch = DaysFromCivil(1899, 12, 30);
    return s_nEpoch;
}

} // namespace

bool OleDateToSystemTime(double dValue, CxSystemTime* pTime) {
    if (pTime == nullptr || std::isnan(dValue))
        return false;
    if (dValue <= kFirstDay - 1.0 || dValue >= kLastDay + 1.0)
        return false;

    // The whole days count toward zero; the time of day is the fraction's size either way.
    double dDays = std::trunc(dValue);
    // The platform lifts the time of day by 1e-11 of a day before it rounds (so that a time
    // stored a hair below a whole second is not taken for the second before); ours does too.
    double dTime = std::fabs(dValue - dDays) + 1e-11;
    if (dTime >= 1.0)
        dTime -= 1e-11;
    double dSeconds = dTime * (double)kSecondsPerDay;
    double dWhole = std::floor(dSeconds);
    long nSeconds = (long)dWhole;
    if (dSeconds - dWhole > 0.5)
        ++nSeconds;

    long nDay = EpochDays() + (long)dDays;
    if (nSeconds >= kSecondsPerDay) {
        nSeconds -= kSecondsPerDay;
        ++nDay;
    }
    long nYear;
    unsigned nMonth, nDayOfMonth;
    CivilFromDays(nDay, &nYear, &nMonth, &nDayOfMonth);
    if (nYear < 100 || nYear > 9999)
        return false;

    // 30 December 1899 was a Saturday (6). Like the platform, the day of the week is that of
    // the whole days, even when the time rounds up into the next day.
    long nWeekday = ((long)dDays + 6) % 7;
    if (nWeekday < 0)
        nWeekday += 7;

    pTime->wYear = (uint16_t)nYear;
    pTime->wMonth = (uint16_t)nMonth;
    pTime->wDayOfWeek = (uint16_t)nWeekday;
    pTime->wDay = (uint16_t)nDayOfMonth;
    pTime->wHour = (uint16_t)(nSeconds / 3600);
    pTime->wMinute = (uint16_t)(nSeconds / 60 % 60);
    pTime->wSecond = (uint16_t)(nSeconds % 60);
    pTime->wMilliseconds = 0;
    return true;
}

bool SystemTimeToOleDate(const CxSystemTime* pTime, double* pValue) {
    if (pTime == nullptr || pValue == nullptr)
        return false;
    if (pTime->wYear < 100 || pTime->wYear > 9999 || pTime->wMonth < 1 || pTime->wMonth > 12)
        return false;
    if (pTime->wDay < 1 || pTime->wDay > 31 || pTime->wHour > 23 || pTime->wMinute > 59 ||
        pTime->wSecond > 59)
        return false;
    // A day beyond the end of its month runs on into the next month (30 February is 2 March
    // or 1 March), as the platform does it.
    long nDays = DaysFromCivil(pTime->wYear, pTime->wMonth, 1) + (pTime->wDay - 1) - EpochDays();
    double dTime =
        (pTime->wHour * 3600.0 + pTime->wMinute * 60.0 + pTime->wSecond) / (double)kSecondsPerDay;
    *pValue = nDays >= 0 ? (double)nDays + dTime : (double)nDays - dTime;
    return true;
}

CxDateTime::CxDateTime() {
    PlatformGetLocalTime(&m_Time);
    m_bValid = SystemTimeToOleDate(&m_Time, &m_dValue);
}

CxDateTime::CxDateTime(double dValue) {
    SetValue(dValue);
}

void CxDateTime::SetValue(double dValue) {
    m_dValue = dValue;
    m_bValid = OleDateToSystemTime(dValue, &m_Time);
}

void CxDateTime::FormatDate(char* szBuf, size_t nSize) const {
    if (szBuf == nullptr || nSize == 0)
        return;
    szBuf[0] = '\0';
    if (!m_bValid || m_Time.wYear > 2030 || m_Time.wYear <= 1930)
        return;
    snprintf(szBuf, nSize, "%02d/%02d/%04d", m_Time.wMonth, m_Time.wDay, m_Time.wYear);
}

void CxDateTime::FormatTime(char* szBuf, size_t nSize) const {
    if (szBuf == nullptr || nSize == 0)
        return;
    szBuf[0] = '\0';
    if (!m_bValid)
        return;
    snprintf(szBuf, nSize, "%02d:%02d:%02d", m_Time.wHour, m_Time.wMinute, m_Time.wSecond);
}

void CxDateTime::FormatDateTime(char* szBuf, size_t nSize) const {
    if (szBuf == nullptr || nSize == 0)
        return;
    char szDate[32], szTime[32];
    FormatDate(szDate, sizeof szDate);
    FormatTime(szTime, sizeof szTime);
    snprintf(szBuf, nSize, "%s %s", szDate, szTime);
}

namespace {
bool ValueToText(double dValue, char* szBuf, size_t nSize, bool bDate) {
    if (szBuf == nullptr || nSize == 0)
        return false;
    if (dValue < 0.001) {
        snprintf(szBuf, nSize, "%s", "N/A");
        return true;
    }
    CxDateTime dt(dValue);
    if (bDate)
        dt.FormatDate(szBuf, nSize);
    else
        dt.FormatTime(szBuf, nSize);
    return true;
}
} // namespace

bool DateToText(double dValue, char* szBuf, size_t nSize) {
    return ValueToText(dValue, szBuf, nSize, true);
}

bool TimeToText(double dValue, char* szBuf, size_t nSize) {
    return ValueToText(dValue, szBuf, nSize, false);
}
