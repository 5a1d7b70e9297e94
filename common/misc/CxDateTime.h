// Date-time values as OLE Automation dates: days since midnight of 30 December 1899, the
// fraction being the time of day (for dates before that day the fraction still counts forward
// from midnight: -1.25 is 29 December 1899, 06:00). 0 means no date.
#pragma once

#include "Platform.h"

#include <cstddef>

// Our own conversions, in step with the platform's VariantTimeToSystemTime and
// SystemTimeToVariantTime: the time is rounded to the nearest second, milliseconds are 0.
bool OleDateToSystemTime(double dValue, CxSystemTime* pTime);
bool SystemTimeToOleDate(const CxSystemTime* pTime, double* pValue);

class CxDateTime {
public:
    // The current local time.
    CxDateTime();
    explicit CxDateTime(double dValue);
    virtual ~CxDateTime() = default;

    void SetValue(double dValue);
    double GetValue() const { return m_dValue; }
    const CxSystemTime& GetSystemTime() const { return m_Time; }
    bool IsValid() const { return m_bValid; }

    // "%02d/%02d/%04d" (month, day, year); empty for a year up to 1930 or after 2030.
    void FormatDate(char* szBuf, size_t nSize) const;
    // "%02d:%02d:%02d", 24-hour clock.
    void FormatTime(char* szBuf, size_t nSize) const;
    // The date text, one blank, the time text.
    void FormatDateTime(char* szBuf, size_t nSize) const;

private:
    double m_dValue = 0.0;
    CxSystemTime m_Time{};
    bool m_bValid = false;
};

// List-cell texts of a stored date value: "N/A" for a value below 0.001 (no date).
bool DateToText(double dValue, char* szBuf, size_t nSize);
bool TimeToText(double dValue, char* szBuf, size_t nSize);
