// vCard (2.1, 3.0 and 4.0) into LNAddrRecord.
#include "CxPimMap.h"

#include "CxPimDate.h"

#include <algorithm>
#include <utility>

using namespace pimmap;

namespace pimmap {

std::u16string Join(const std::vector<std::u16string>& parts, const char16_t* szSeparator) {
    std::u16string out;
    for (const std::u16string& part : parts) {
        if (part.empty())
            continue;
        if (!out.empty())
            out += szSeparator;
        out += part;
    }
    return out;
}

std::vector<std::u16string> ListItems(const CxProperty& prop) {
    std::vector<std::u16string> items;
    for (const std::string& item : SplitEscaped(prop.DecodedValue(), ',')) {
        std::u16string text = prop.Text(item);
        if (!text.empty())
            items.push_back(text);
    }
    return items;
}

} // namespace pimmap

namespace {

// The components of a structured value ("a;b;c"), each a list whose items are joined by the
// separator; missing components are empty.
std::vector<std::u16string> Components(const CxProperty& prop, size_t nCount,
                                       const char16_t* szListSeparator) {
    std::vector<std::string> raw = SplitEscaped(prop.DecodedValue(), ';');
    std::vector<std::u16string> out(nCount);
    for (size_t i = 0; i < nCount && i < raw.size(); ++i) {
        std::vector<std::u16string> items;
        for (const std::string& item : SplitEscaped(raw[i], ','))
            items.push_back(prop.Text(item));
        out[i] = Join(items, szListSeparator);
    }
    return out;
}

std::u16string Trimmed(const std::u16string& text) {
    size_t b = 0, e = text.size();
    while (b < e && (text[b] == u' ' || text[b] == u'\t'))
        ++b;
    while (e > b && (text[e - 1] == u' ' || text[e - 1] == u'\t'))
        --e;
    return text.substr(b, e - b);
}

// The value without a leading URI scheme such as "mailto:" or "tel:".
std::u16string WithoutScheme(const std::u16string& text, const char* szScheme) {
    size_t n = 0;
    while (szScheme[n] != '\0')
        ++n;
    if (text.size() < n)
        return text;
    for (size_t i = 0; i < n; ++i) {
        char16_t c = text[i];
        if (c >= u'A' && c <= u'Z')
            c = (char16_t)(c - u'A' + u'a');
        if (c != (char16_t)szScheme[i])
            return text;
    }
    return text.substr(n);
}

bool IsOneOf(const std::string& name, std::initializer_list<const char*> names) {
    for (const char* n : names) {
        if (name == n)
            return true;
    }
    return false;
}

struct Candidate {
    Candidate(const CxProperty* p, std::u16string v)
        : pProp(p), value(std::move(v)), nPreference(p->Preference()) {}
    const CxProperty* pProp;
    std::u16string value;
    int nPreference;
};

// The candidates in preference order; equal preferences keep file order.
void SortByPreference(std::vector<Candidate>& list) {
    std::stable_sort(list.begin(), list.end(), [](const Candidate& a, const Candidate& b) {
        return a.nPreference < b.nPreference;
    });
}

template <size_t N> bool Fill(CxText<N>& field, const std::u16string& value) {
    if (!field.Empty())
        return false;
    SetField(field, value);
    return true;
}

double DateOf(const CxProperty& prop) {
    CxPimDateTime dt;
    if (!ParsePimDateTime(prop.DecodedValue(), &dt))
        return 0;
    // A birthday or anniversary is a day of the calendar: the day as written, at midnight.
    dt.time.wHour = dt.time.wMinute = dt.time.wSecond = 0;
    dt.bUtc = false;
    dt.nOffsetMinutes = 0;
    return PimDateToOle(dt);
}

void MapPhones(const std::vector<Candidate>& phonesIn, LNAddrRecord* r) {
    std::vector<Candidate> phones = phonesIn;
    SortByPreference(phones);
    const Candidate* pPreferred =
        !phones.empty() && phones.front().nPreference <= 100 ? &phones.front() : nullptr;
    if (pPreferred != nullptr)
        SetField(r->PrimaryPhone, pPreferred->value);
    for (const Candidate& c : phones) {
        const CxProperty& p = *c.pProp;
        CxText<32>* pSlot; // every phone field but the assistant's has this capacity
        if (p.HasType("X-EVOLUTION-ASSISTANT") || p.HasType("ASSISTANT")) {
            Fill(r->AssistantPhone, c.value);
            continue;
        } else if (p.HasType("CELL") || p.HasType("MOBILE") || p.HasType("IPHONE")) {
            pSlot = &r->MobilePhone;
        } else if (p.HasType("PAGER")) {
            pSlot = &r->Pager;
        } else if (p.HasType("FAX")) {
            pSlot = p.HasType("HOME") ? &r->HomeFax : &r->BusinessFax;
        } else if (p.HasType("WORK")) {
            pSlot = &r->BusinessPhone;
        } else if (p.HasType("HOME")) {
            pSlot = &r->HomePhone;
        } else {
            pSlot = &r->PrimaryPhone;
            if (&c == pPreferred)
                continue; // already there
        }
        if (pSlot->Empty())
            SetField(*pSlot, c.value);
        else if (r->PrimaryPhone[0] == '\0')
            SetField(r->PrimaryPhone, c.value);
    }
}

void MapEmails(const std::vector<Candidate>& emailsIn, LNAddrRecord* r) {
    std::vector<Candidate> emails = emailsIn;
    SortByPreference(emails);
    std::vector<const Candidate*> rest;
    for (const Candidate& c : emails) {
        bool bWork = c.pProp->HasType("WORK");
        bool bHome = c.pProp->HasType("HOME");
        if (bWork && (Fill(r->BusinessEmail, c.value) || Fill(r->BusinessEmail2, c.value)))
            continue;
        if (bHome && !bWork &&
            (Fill(r->PersonalEmail, c.value) || Fill(r->PersonalEmail2, c.value)))
            continue;
        rest.push_back(&c);
    }
    for (const Candidate* c : rest) {
        if (!Fill(r->BusinessEmail, c->value) && !Fill(r->PersonalEmail, c->value) &&
            !Fill(r->BusinessEmail2, c->value))
            Fill(r->PersonalEmail2, c->value);
    }
}

struct AddressFields {
    CxText<256>* street;
    CxText<32>* city;
    CxText<32>* state;
    CxText<32>* country;
    CxText<32>* postal;
};

void MapAddresses(const std::vector<const CxProperty*>& addrsIn, LNAddrRecord* r) {
    std::vector<Candidate> addrs;
    for (const CxProperty* p : addrsIn)
        addrs.emplace_back(p, std::u16string());
    SortByPreference(addrs);
    AddressFields business = {&r->BusinessStreet, &r->BusinessCity, &r->BusinessState, &r->BusinessCountry, &r->BusinessPostal};
    AddressFields home = {&r->HomeStreet, &r->HomeCity, &r->HomeState, &r->HomeCountry, &r->HomePostal};
    AddressFields other = {&r->OtherStreet, &r->OtherCity, &r->OtherState, &r->OtherCountry, &r->OtherPostal};
    bool bUsed[3] = {false, false, false};
    for (const Candidate& c : addrs) {
        const CxProperty& p = *c.pProp;
        int slot = p.HasType("WORK") ? 0 : p.HasType("HOME") ? 1 : 2;
        if (bUsed[slot])
            slot = 2;
        if (bUsed[slot])
            continue;
        bUsed[slot] = true;
        const AddressFields& f = slot == 0 ? business : slot == 1 ? home : other;
        // Post office box; extended address; street; locality; region; postal code; country.
        std::vector<std::u16string> parts = Components(p, 7, u", ");
        SetField(*f.street, Join({parts[0], parts[1], parts[2]}, u", "));
        SetField(*f.city, parts[3]);
        SetField(*f.state, parts[4]);
        SetField(*f.postal, parts[5]);
        SetField(*f.country, parts[6]);
    }
}

} // namespace

void MapCard(const CxPimFile& file, const CxPimEntry& entry, int32_t nTag, LNAddrRecord* r) {
    Begin(entry, nTag, r);
    std::vector<CxProperty> props = file.EntryProperties(entry);

    std::vector<Candidate> phones, emails, ims;
    std::vector<const CxProperty*> addrs;
    std::vector<std::u16string> notes, categories, children;
    const CxProperty* pName = nullptr;
    for (const CxProperty& p : props) {
        const std::string& name = p.Name();
        if (name == "FN") {
            Fill(r->DisplayName, Trimmed(p.Text()));
        } else if (name == "N") {
            if (pName == nullptr)
                pName = &p;
        } else if (name == "ORG") {
            if (r->CompanyName[0] == '\0' && r->Department[0] == '\0') {
                std::vector<std::string> raw = SplitEscaped(p.DecodedValue(), ';');
                std::vector<std::u16string> units;
                for (size_t i = 1; i < raw.size(); ++i)
                    units.push_back(p.Text(raw[i]));
                SetField(r->CompanyName, p.Text(raw[0]));
                SetField(r->Department, Join(units, u", "));
            }
        } else if (name == "TITLE") {
            Fill(r->JobTitle, p.Text());
        } else if (name == "EMAIL") {
            emails.push_back({&p, Trimmed(WithoutScheme(p.Text(), "mailto:"))});
        } else if (name == "TEL") {
            phones.push_back({&p, Trimmed(WithoutScheme(p.Text(), "tel:"))});
        } else if (name == "ADR") {
            addrs.push_back(&p);
        } else if (name == "URL") {
            if (p.HasType("BLOG"))
                Fill(r->BlogSite, p.Text());
            else
                Fill(r->WebSite, p.Text());
        } else if (name == "X-EVOLUTION-BLOG-URL") {
            Fill(r->BlogSite, p.Text());
        } else if (IsOneOf(name, {"IMPP", "X-AIM", "X-ICQ", "X-JABBER", "X-MSN", "X-YAHOO",
                                  "X-SKYPE", "X-SKYPE-USERNAME", "X-GADUGADU", "X-GOOGLE-TALK",
                                  "X-GTALK", "X-GROUPWISE", "X-QQ"})) {
            ims.push_back({&p, Trimmed(p.Text())});
        } else if (name == "NOTE") {
            notes.push_back(p.Text());
        } else if (name == "CATEGORIES") {
            for (const std::u16string& item : ListItems(p))
                categories.push_back(Trimmed(item));
        } else if (name == "BDAY") {
            if (r->BirthDate == 0)
                r->BirthDate = DateOf(p);
        } else if (IsOneOf(name, {"ANNIVERSARY", "X-ANNIVERSARY", "X-EVOLUTION-ANNIVERSARY",
                                  "X-MS-ANNIVERSARY"})) {
            if (r->Anniversary == 0)
                r->Anniversary = DateOf(p);
        } else if (IsOneOf(name, {"X-EVOLUTION-SPOUSE", "X-SPOUSE", "X-MS-SPOUSE"})) {
            Fill(r->SpouseName, p.Text());
        } else if (IsOneOf(name, {"X-EVOLUTION-MANAGER", "X-MANAGER", "X-MS-MANAGER"})) {
            Fill(r->ManagerName, p.Text());
        } else if (IsOneOf(name, {"X-EVOLUTION-ASSISTANT", "X-ASSISTANT", "X-MS-ASSISTANT"})) {
            Fill(r->AssistantName, p.Text());
        } else if (IsOneOf(name, {"X-CHILDREN", "X-MS-CHILD"})) {
            for (const std::u16string& item : ListItems(p))
                children.push_back(item);
        } else if (name == "X-EVOLUTION-OFFICE") {
            Fill(r->Location, p.Text());
        } else if (name == "RELATED" && EqualsNoCase(p.ParamText("VALUE"), "text")) {
            // Only a related person given by name; a reference (a URI) names nobody here.
            if (p.HasType("SPOUSE"))
                Fill(r->SpouseName, p.Text());
            else if (p.HasType("CHILD"))
                children.push_back(p.Text());
        }
    }

    if (pName != nullptr) {
        // Family name; given name; additional names; prefixes; suffixes.
        std::vector<std::u16string> n = Components(*pName, 5, u" ");
        SetField(r->LastName, Trimmed(n[0]));
        SetField(r->FirstName, Trimmed(n[1]));
        SetField(r->MiddleName, Trimmed(n[2]));
        SetField(r->Suffix, Trimmed(n[4]));
        if (r->DisplayName[0] == '\0')
            SetField(r->DisplayName, Join({n[3], n[1], n[2], n[0], n[4]}, u" "));
    }
    MapPhones(phones, r);
    MapEmails(emails, r);
    MapAddresses(addrs, r);
    if (!ims.empty()) {
        SortByPreference(ims);
        SetField(r->InstantMessenger, ims.front().value);
    }
    SetField(r->Note, Join(notes, u"\r\n"));
    SetField(r->Category, Join(categories, u", "));
    SetField(r->ChildrenNames, Join(children, u", "));
}
