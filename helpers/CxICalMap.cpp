// iCalendar VEVENT, VTODO and VJOURNAL into LNDateRecord, LNTaskRecord and LNNoteRecord.
#include "CxPimMap.h"

#include "CxPimDate.h"

#include "common/misc/CxDateTime.h"

#include <cstdlib>
#include <string>

using namespace pimmap;

namespace {

std::u16string Ascii(const std::string& text) {
    return std::u16string(text.begin(), text.end());
}

// A date-time property in local time, and the time zone its clock time is in (TZID; empty for
// UTC and floating times).
struct Moment {
    bool bSet = false;
    CxPimDateTime value;
    std::string tzid;
};

Moment MomentOf(const CxProperty& prop) {
    Moment m;
    if (!ParsePimDateTime(prop.DecodedValue(), &m.value))
        return m;
    m.bSet = true;
    if (!m.value.bUtc)
        m.tzid = prop.ParamText("TZID");
    return m;
}

double OleOf(const Moment& m, int64_t nAddSeconds = 0) {
    return m.bSet ? PimDateToOle(m.value, nAddSeconds) : 0;
}

bool IsPrivate(const CxProperty& prop) {
    std::string v = ToUpperAscii(TrimBlanks(prop.DecodedValue()));
    return v == "PRIVATE" || v == "CONFIDENTIAL";
}

// The weekday bit of a two-letter day code: 1 Sunday, 2 Monday, ... 64 Saturday; 0 for none.
int WeekdayBit(const std::string& code) {
    static const char* const kDays[7] = {"SU", "MO", "TU", "WE", "TH", "FR", "SA"};
    for (int i = 0; i < 7; ++i) {
        if (code == kDays[i])
            return 1 << i;
    }
    return 0;
}

struct Repetition {
    std::string unit; // D, W, MD, MP, Y, or empty for a frequency the record cannot hold
    std::string interval = "1";
    int weekdays = 0;
    double until = 0;
};

Repetition ReadRule(const std::string& rule, const Moment& start, double dStart) {
    Repetition rep;
    std::string freq, byday, bysetpos;
    for (const std::string& part : SplitEscaped(ToUpperAscii(rule), ';')) {
        size_t eq = part.find('=');
        if (eq == std::string::npos)
            continue;
        std::string key = part.substr(0, eq), value = part.substr(eq + 1);
        if (key == "FREQ") {
            freq = value;
        } else if (key == "INTERVAL") {
            bool bDigits = !value.empty() && value.size() <= 9;
            for (char c : value)
                bDigits = bDigits && c >= '0' && c <= '9';
            if (bDigits && atol(value.c_str()) > 0)
                rep.interval = std::to_string(atol(value.c_str()));
        } else if (key == "BYDAY") {
            byday = value;
        } else if (key == "BYSETPOS") {
            bysetpos = value;
        } else if (key == "UNTIL") {
            CxPimDateTime until;
            if (ParsePimDateTime(value, &until))
                rep.until = OleDateOnly(PimDateToOle(until));
        }
    }
    bool bPositioned = !bysetpos.empty();
    for (const std::string& day : SplitEscaped(byday, ',')) {
        size_t n = day.size();
        if (n < 2)
            continue;
        rep.weekdays |= WeekdayBit(day.substr(n - 2));
        if (n > 2)
            bPositioned = true; // "2MO", "-1FR"
    }
    if (freq == "DAILY")
        rep.unit = "D";
    else if (freq == "WEEKLY")
        rep.unit = "W";
    else if (freq == "MONTHLY")
        rep.unit = bPositioned && rep.weekdays != 0 ? "MP" : "MD";
    else if (freq == "YEARLY")
        rep.unit = "Y";
    if (rep.unit == "W" && rep.weekdays == 0 && start.bSet) {
        CxSystemTime st{};
        if (OleDateToSystemTime(dStart, &st))
            rep.weekdays = 1 << st.wDayOfWeek;
    }
    return rep;
}

// SUMMARY, DESCRIPTION and CATEGORIES, which events, tasks and journal entries share.
struct CommonTexts {
    std::u16string subject; // the first non-empty SUMMARY
    std::vector<std::u16string> bodies, categories;

    // Takes the property if it is one of them.
    bool Take(const CxProperty& p) {
        const std::string& name = p.Name();
        if (name == "SUMMARY") {
            if (subject.empty())
                subject = p.Text();
        } else if (name == "DESCRIPTION") {
            bodies.push_back(p.Text());
        } else if (name == "CATEGORIES") {
            for (const std::u16string& item : ListItems(p))
                categories.push_back(item);
        } else {
            return false;
        }
        return true;
    }
    std::u16string Body() const { return Join(bodies, u"\r\n"); }
    std::u16string Categories() const { return Join(categories, u", "); }
};

} // namespace

void MapEvent(const CxPimFile& file, const CxPimEntry& entry, int32_t nTag, LNDateRecord* r) {
    Begin(entry, nTag, r);
    std::vector<CxProperty> props = file.EntryProperties(entry);
    CommonTexts texts;
    std::vector<std::u16string> resources;
    Moment start, end;
    const CxProperty* pDuration = nullptr;
    const CxProperty* pRule = nullptr;
    bool bDates = false;
    for (const CxProperty& p : props) {
        const std::string& name = p.Name();
        if (texts.Take(p))
            continue;
        if (name == "LOCATION" && r->Location[0] == '\0')
            SetField(r->Location, p.Text());
        else if (name == "RESOURCES")
            for (const std::u16string& item : ListItems(p))
                resources.push_back(item);
        else if (name == "CLASS" && IsPrivate(p))
            r->Private = 1;
        else if (name == "DTSTART" && !start.bSet)
            start = MomentOf(p);
        else if (name == "DTEND" && !end.bSet)
            end = MomentOf(p);
        else if (name == "DURATION" && pDuration == nullptr)
            pDuration = &p;
        else if (name == "RRULE" && pRule == nullptr)
            pRule = &p;
        else if (name == "RDATE")
            bDates = true;
    }
    SetField(r->Subject, texts.subject);
    SetField(r->Body, texts.Body());
    SetField(r->Resources, Join(resources, u", "));

    r->StartDateTime = OleOf(start);
    SetField(r->StartTimeZone, Ascii(start.tzid));
    int64_t nSeconds = 0;
    if (end.bSet) {
        r->EndDateTime = OleOf(end);
        SetField(r->EndTimeZone, Ascii(end.tzid));
    } else if (start.bSet) {
        // No end: the duration after the start, else the whole day of a date, else the start.
        if (pDuration != nullptr && ParsePimDuration(pDuration->DecodedValue(), &nSeconds))
            r->EndDateTime = OleOf(start, nSeconds);
        else
            r->EndDateTime = OleOf(start, start.value.bDateOnly ? 86400 : 0);
        SetField(r->EndTimeZone, Ascii(start.tzid));
    }
    r->DisplayStart = r->StartDateTime;
    r->DisplayEnd = r->EndDateTime;

    if (pRule != nullptr) {
        Repetition rep = ReadRule(pRule->DecodedValue(), start, r->StartDateTime);
        SetField(r->Repeats, u"1");
        SetField(r->RepeatUnit, Ascii(rep.unit));
        SetField(r->RepeatInterval, Ascii(rep.interval));
        if (rep.weekdays != 0)
            SetField(r->RepeatWeekdays, Ascii(std::to_string(rep.weekdays)));
        r->RepeatUntil = rep.until;
    } else if (bDates) {
        SetField(r->Repeats, u"1");
    }
}

void MapTodo(const CxPimFile& file, const CxPimEntry& entry, int32_t nTag, LNTaskRecord* r) {
    Begin(entry, nTag, r);
    std::vector<CxProperty> props = file.EntryProperties(entry);
    CommonTexts texts;
    r->Importance = 1;
    bool bPriority = false;
    for (const CxProperty& p : props) {
        const std::string& name = p.Name();
        if (texts.Take(p)) {
            continue;
        } else if (name == "PRIORITY" && !bPriority) {
            bPriority = true;
            std::string v = p.DecodedValue();
            int n = atoi(v.c_str());
            // 1 to 4 high, 5 (and 0, which means undefined) normal, 6 to 9 low.
            r->Importance = n >= 1 && n <= 4 ? 0 : n >= 6 && n <= 9 ? 2 : 1;
        } else if (name == "CLASS" && IsPrivate(p)) {
            r->Private = 1;
        } else if (name == "DUE" && r->DueDate == 0) {
            r->DueDate = OleOf(MomentOf(p));
        } else if (name == "DTSTART" && r->StartDate == 0) {
            r->StartDate = OleOf(MomentOf(p));
        } else if (name == "COMPLETED" && r->EndDate == 0) {
            r->EndDate = OleOf(MomentOf(p));
        } else if (name == "RRULE" && r->Repeats[0] == '\0') {
            SetField(r->Repeats, p.Text());
        }
    }
    SetField(r->Subject, texts.subject);
    SetField(r->Body, texts.Body());
    SetField(r->Categories, texts.Categories());
}

void MapJournal(const CxPimFile& file, const CxPimEntry& entry, int32_t nTag, LNNoteRecord* r) {
    Begin(entry, nTag, r);
    std::vector<CxProperty> props = file.EntryProperties(entry);
    CommonTexts texts;
    for (const CxProperty& p : props) {
        const std::string& name = p.Name();
        if (texts.Take(p)) {
            continue;
        } else if (name == "DTSTART" && r->DiaryDate == 0) {
            r->DiaryDate = OleOf(MomentOf(p));
        } else if (name == "CREATED" && r->CreateTime == 0) {
            r->CreateTime = OleOf(MomentOf(p));
        } else if (name == "LAST-MODIFIED" && r->EditTime == 0) {
            r->EditTime = OleOf(MomentOf(p));
        }
    }
    SetField(r->Subject, texts.subject);
    SetField(r->Body, texts.Body());
    SetField(r->Categories, texts.Categories());
}
