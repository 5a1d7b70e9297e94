#include "helpers/CxPimMap.h"

#include "PimTestDates.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

namespace {

using pimtest::Ole;

std::unique_ptr<LNAddrRecord> MapText(const std::string& text, int32_t nTag = 0,
                                      std::string* pId = nullptr) {
    CxPimFile file;
    file.Parse(text, CxPimFormat::VCard);
    std::unique_ptr<LNAddrRecord> r(new LNAddrRecord());
    // Whatever was there before goes.
    r->Action = 0x5A5A;
    r->Flags = 0x5A;
    r->Note = "left over";
    r->HomeFax = "left over";
    r->BirthDate = 5.0;
    std::vector<const CxPimEntry*> entries = file.ExportedEntries(CxEntryKind::Card);
    EXPECT_EQ(entries.size(), 1u) << text;
    EXPECT_TRUE(file.Problems().empty()) << file.Problems()[0].Describe();
    if (entries.empty())
        return r;
    MapCard(file, *entries[0], nTag, r.get());
    if (pId != nullptr)
        *pId = entries[0]->id;
    return r;
}

std::unique_ptr<LNAddrRecord> Card(const std::vector<std::string>& props) {
    std::string text = "BEGIN:VCARD\r\nVERSION:3.0\r\n";
    for (const std::string& p : props)
        text += p + "\r\n";
    return MapText(text + "END:VCARD\r\n");
}

TEST(VCardMap, MainFields) {
    std::string id;
    std::unique_ptr<LNAddrRecord> r =
        MapText("BEGIN:VCARD\r\n"
                "VERSION:3.0\r\n"
                "FN:Dr. Jane Q. Public\r\n"
                "N:Public;Jane;Quinn,Q.;Dr.;PhD\r\n"
                "ORG:Example Corp.;Sales;EMEA\r\n"
                "TITLE:Director\r\n"
                "item1.EMAIL;TYPE=HOME:home1@example.com\r\n"
                "EMAIL;TYPE=WORK:work1@example.com\r\n"
                "EMAIL;TYPE=work:work2@example.com\r\n"
                "EMAIL;TYPE=home:home2@example.com\r\n"
                "TEL;TYPE=WORK,VOICE:+1 111\r\n"
                "TEL;TYPE=HOME:+1 222\r\n"
                "TEL;TYPE=CELL:+1 333\r\n"
                "TEL;TYPE=WORK,FAX:+1 444\r\n"
                "TEL;TYPE=HOME,FAX:+1 555\r\n"
                "TEL;TYPE=PAGER:+1 666\r\n"
                "TEL:+1 777\r\n"
                "ADR;TYPE=WORK:;Suite 5;1 Main St;Springfield;IL;62701;USA\r\n"
                "ADR;TYPE=HOME:PO Box 9;;2 Oak Ave;Shelbyville;IL;62565;USA\r\n"
                "ADR:;;3 Elm Rd;Capital City;;;\r\n"
                "URL:http://example.com/\r\n"
                "IMPP:xmpp:jane@example.com\r\n"
                "NOTE:Line one\\nLine two\r\n"
                "CATEGORIES:Friends,Work\r\n"
                "CATEGORIES:VIP\r\n"
                "BDAY:1970-05-17\r\n"
                "ANNIVERSARY:20000610\r\n"
                "X-EVOLUTION-SPOUSE:John\r\n"
                "X-EVOLUTION-MANAGER:Mary\r\n"
                "X-EVOLUTION-ASSISTANT:Pat\r\n"
                "END:VCARD\r\n",
                7, &id);
    EXPECT_EQ(r->Action, 0);
    EXPECT_EQ(r->Tag, 7);
    EXPECT_EQ(r->ID, id);
    EXPECT_STREQ(r->DisplayName, "Dr. Jane Q. Public");
    EXPECT_STREQ(r->LastName, "Public");
    EXPECT_STREQ(r->FirstName, "Jane");
    EXPECT_STREQ(r->MiddleName, "Quinn Q.");
    EXPECT_STREQ(r->Suffix, "PhD");
    EXPECT_STREQ(r->CompanyName, "Example Corp.");
    EXPECT_STREQ(r->Department, "Sales, EMEA");
    EXPECT_STREQ(r->JobTitle, "Director");
    EXPECT_STREQ(r->BusinessEmail, "work1@example.com");
    EXPECT_STREQ(r->PersonalEmail, "home1@example.com");
    EXPECT_STREQ(r->BusinessEmail2, "work2@example.com");
    EXPECT_STREQ(r->PersonalEmail2, "home2@example.com");
    EXPECT_STREQ(r->BusinessPhone, "+1 111");
    EXPECT_STREQ(r->HomePhone, "+1 222");
    EXPECT_STREQ(r->MobilePhone, "+1 333");
    EXPECT_STREQ(r->BusinessFax, "+1 444");
    EXPECT_STREQ(r->HomeFax, "+1 555");
    EXPECT_STREQ(r->Pager, "+1 666");
    EXPECT_STREQ(r->PrimaryPhone, "+1 777");
    EXPECT_STREQ(r->BusinessStreet, "Suite 5, 1 Main St");
    EXPECT_STREQ(r->BusinessCity, "Springfield");
    EXPECT_STREQ(r->BusinessState, "IL");
    EXPECT_STREQ(r->BusinessPostal, "62701");
    EXPECT_STREQ(r->BusinessCountry, "USA");
    EXPECT_STREQ(r->HomeStreet, "PO Box 9, 2 Oak Ave");
    EXPECT_STREQ(r->HomeCity, "Shelbyville");
    EXPECT_STREQ(r->OtherStreet, "3 Elm Rd");
    EXPECT_STREQ(r->OtherCity, "Capital City");
    EXPECT_STREQ(r->OtherCountry, "");
    EXPECT_STREQ(r->WebSite, "http://example.com/");
    EXPECT_STREQ(r->InstantMessenger, "xmpp:jane@example.com");
    EXPECT_STREQ(r->Note, "Line one\r\nLine two");
    EXPECT_STREQ(r->Category, "Friends, Work, VIP");
    EXPECT_DOUBLE_EQ(r->BirthDate, Ole(1970, 5, 17));
    EXPECT_DOUBLE_EQ(r->Anniversary, Ole(2000, 6, 10));
    EXPECT_STREQ(r->SpouseName, "John");
    EXPECT_STREQ(r->ManagerName, "Mary");
    EXPECT_STREQ(r->AssistantName, "Pat");
    // Nothing of the card goes here.
    EXPECT_STREQ(r->Location, "");
    EXPECT_STREQ(r->BlogSite, "");
    EXPECT_STREQ(r->CustomField[0], "");
    EXPECT_STREQ(r->CustomLabel[9], "");
    EXPECT_EQ(r->Flags, 0u);
    EXPECT_EQ(r->Entry, nullptr);
}

TEST(VCardMap, Version21WithCharsetsAndQuotedPrintable) {
    std::unique_ptr<LNAddrRecord> r =
        MapText("BEGIN:VCARD\r\n"
                "VERSION:2.1\r\n"
                "N;CHARSET=ISO-8859-1;ENCODING=QUOTED-PRINTABLE:M=FCller;J=F6rg\r\n"
                "FN;CHARSET=UTF-8;QUOTED-PRINTABLE:J=C3=B6rg M=C3=BCller\r\n"
                "TEL;WORK;VOICE:+49 30 1\r\n"
                "TEL;CELL;PREF:+49 170 2\r\n"
                "EMAIL;INTERNET;PREF:joerg@example.de\r\n"
                "ADR;HOME;CHARSET=windows-1252:;;Stra\xDF"
                "e 1;K\xF6ln;;50667;Deutschland\r\n"
                "NOTE;ENCODING=QUOTED-PRINTABLE:Erste Zeile=0D=0A=\r\n"
                "Zweite Zeile \x80=\r\n"
                "=E2=82=AC\r\n"
                "END:VCARD\r\n");
    EXPECT_STREQ(r->LastName, "M\xFCller");
    EXPECT_STREQ(r->FirstName, "J\xF6rg");
    EXPECT_STREQ(r->DisplayName, "J\xF6rg M\xFCller");
    EXPECT_STREQ(r->BusinessPhone, "+49 30 1");
    EXPECT_STREQ(r->MobilePhone, "+49 170 2");
    EXPECT_STREQ(r->PrimaryPhone, "+49 170 2");
    EXPECT_STREQ(r->BusinessEmail, "joerg@example.de");
    EXPECT_STREQ(r->HomeStreet, "Stra\xDF"
                                "e 1");
    EXPECT_STREQ(r->HomeCity, "K\xF6ln");
    EXPECT_STREQ(r->HomeCountry, "Deutschland");
    // A raw byte that is no UTF-8 is a "?"; the euro sign arrives in UTF-8.
    EXPECT_STREQ(r->Note, "Erste Zeile\r\nZweite Zeile ?\x80");
}

TEST(VCardMap, EmailSlotsByTypeThenOrder) {
    struct Case {
        std::vector<std::string> props;
        const char *business, *personal, *business2, *personal2;
    } cases[] = {
        {{"EMAIL:a@x", "EMAIL:b@x"}, "a@x", "b@x", "", ""},
        {{"EMAIL;TYPE=home:h@x", "EMAIL:u@x"}, "u@x", "h@x", "", ""},
        {{"EMAIL;TYPE=INTERNET:mailto:m@x"}, "m@x", "", "", ""},
        {{"EMAIL;TYPE=work:w1", "EMAIL;TYPE=work:w2", "EMAIL;TYPE=work:w3"}, "w1", "w3", "w2", ""},
        {{"EMAIL;TYPE=work:w1", "EMAIL;TYPE=work;PREF=1:w2"}, "w2", "", "w1", ""},
        {{"EMAIL:1", "EMAIL:2", "EMAIL:3", "EMAIL:4", "EMAIL:5"}, "1", "2", "3", "4"},
    };
    for (const Case& c : cases) {
        std::unique_ptr<LNAddrRecord> r = Card(c.props);
        EXPECT_STREQ(r->BusinessEmail, c.business) << c.props[0];
        EXPECT_STREQ(r->PersonalEmail, c.personal) << c.props[0];
        EXPECT_STREQ(r->BusinessEmail2, c.business2) << c.props[0];
        EXPECT_STREQ(r->PersonalEmail2, c.personal2) << c.props[0];
    }
}

TEST(VCardMap, PhoneSlotsByType) {
    struct Case {
        std::vector<std::string> props;
        const char *primary, *business, *mobile, *businessFax;
    } cases[] = {
        {{"TEL;TYPE=work:1", "TEL;TYPE=work:2", "TEL;TYPE=work:3"}, "2", "1", "", ""},
        {{"TEL;TYPE=fax:3"}, "", "", "", "3"},
        {{"TEL;VALUE=uri;TYPE=voice;PREF=1:tel:+1-555"}, "+1-555", "", "", ""},
        {{"TEL;TYPE=work:9", "TEL;TYPE=cell;PREF=1:8"}, "8", "9", "8", ""},
        {{"TEL;TYPE=iphone:5", "TEL;TYPE=MSG:6"}, "6", "", "5", ""},
    };
    for (const Case& c : cases) {
        std::unique_ptr<LNAddrRecord> r = Card(c.props);
        EXPECT_STREQ(r->PrimaryPhone, c.primary) << c.props[0];
        EXPECT_STREQ(r->BusinessPhone, c.business) << c.props[0];
        EXPECT_STREQ(r->MobilePhone, c.mobile) << c.props[0];
        EXPECT_STREQ(r->BusinessFax, c.businessFax) << c.props[0];
    }
}

TEST(VCardMap, DisplayNameFromTheNameWhenThereIsNoFn) {
    std::unique_ptr<LNAddrRecord> r = Card({"N:Doe;John;;Mr.;Jr."});
    EXPECT_STREQ(r->DisplayName, "Mr. John Doe Jr.");
    EXPECT_STREQ(r->LastName, "Doe");
    r = Card({"N:Doe;John;;;", "FN:Johnny"});
    EXPECT_STREQ(r->DisplayName, "Johnny");
}

TEST(VCardMap, RelatedPeopleOnlyByName) {
    std::unique_ptr<LNAddrRecord> r =
        Card({"RELATED;TYPE=spouse:urn:uuid:b8767877", "RELATED;TYPE=child;VALUE=text:Kim",
              "RELATED;TYPE=child;VALUE=text:Lee", "X-EVOLUTION-BLOG-URL:http://blog.example.com"});
    EXPECT_STREQ(r->SpouseName, "");
    EXPECT_STREQ(r->ChildrenNames, "Kim, Lee");
    EXPECT_STREQ(r->BlogSite, "http://blog.example.com");
}

TEST(VCardMap, LongValuesAreCutInTheRecordOnly) {
    std::string longName;
    for (int i = 0; i < 300; ++i)
        longName += "\xC3\xA9"; // é
    std::unique_ptr<LNAddrRecord> r =
        Card({"FN:" + longName, "TEL:" + std::string(100, '5'), "NOTE:" + std::string(10000, 'n'),
              "ADR:;;" + std::string(40, 's') + ";" + std::string(40, 'c') + ";;;"});
    EXPECT_EQ(std::string(r->DisplayName), std::string(255, '\xE9'));
    EXPECT_EQ(std::string(r->PrimaryPhone), std::string(31, '5'));
    EXPECT_EQ(std::string(r->Note), std::string(4095, 'n'));
    EXPECT_EQ(std::string(r->OtherStreet), std::string(40, 's'));
    EXPECT_EQ(std::string(r->OtherCity), std::string(31, 'c'));
}

TEST(VCardMap, DatesWithoutAYearOrOfNoDayAreNone) {
    std::unique_ptr<LNAddrRecord> r = Card({"BDAY:--0415", "ANNIVERSARY:2023-02-30"});
    EXPECT_EQ(r->BirthDate, 0.0);
    EXPECT_EQ(r->Anniversary, 0.0);
    // A birthday with a time is still that calendar day.
    r = Card({"BDAY:1985-04-15T23:30:00-08:00"});
    EXPECT_DOUBLE_EQ(r->BirthDate, Ole(1985, 4, 15));
}

} // namespace
