// Dates, times and durations of vCard and iCalendar values, and their way into OLE Automation
// dates in local time.
#pragma once

#include "common/misc/Platform.h"

#include <cstdint>
#include <string>

struct CxPimDateTime {
    CxSystemTime time{};    // as written (seconds 60 taken as 59)
    bool bDateOnly = false; // a date without a time: midnight
    bool bUtc = false;      // "Z", or a UTC offset
    int nOffsetMinutes = 0; // the offset a vCard time may carry ("-05:00"); 0 for "Z"
};

// Reads "YYYYMMDD", "YYYYMMDDTHHMM[SS][Z]" and the extended forms "YYYY-MM-DD" and
// "YYYY-MM-DDTHH:MM[:SS][.fff][Z|+HH[:MM]|-HH[:MM]]". False for anything else and for a date
// that does not exist (30 February, month 13, year before 100).
bool ParsePimDateTime(const std::string& text, CxPimDateTime* pValue);

// The OLE Automation date of the value moved by nAddSeconds: a UTC time converted to local
// time (PlatformUtcToLocal; kept as UTC when the platform cannot convert it), any other time
// as its clock shows. 0 when the result lies outside the range of OLE dates.
double PimDateToOle(const CxPimDateTime& value, int64_t nAddSeconds = 0);

// An iCalendar duration ("P1W", "P2DT3H", "-PT15M", "PT1H30M10S") in seconds. False when the
// text is not one.
bool ParsePimDuration(const std::string& text, int64_t* pSeconds);

// An OLE date cut to midnight of its day (0 stays 0).
double OleDateOnly(double dValue);
