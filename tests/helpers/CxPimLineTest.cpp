#include "helpers/CxPimLine.h"

#include <gtest/gtest.h>

namespace {

std::vector<CxContentLine> Split(const std::string& bytes) {
    return SplitContentLines(bytes.data(), bytes.size());
}

struct Expected {
    std::string text;
    size_t start, end;
    uint32_t line;
};

void ExpectLines(const std::vector<CxContentLine>& lines, const std::vector<Expected>& expected) {
    ASSERT_EQ(lines.size(), expected.size());
    for (size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i].text, expected[i].text) << i;
        EXPECT_EQ(lines[i].nStart, expected[i].start) << i;
        EXPECT_EQ(lines[i].nEnd, expected[i].end) << i;
        EXPECT_EQ(lines[i].nLine, expected[i].line) << i;
    }
}

TEST(ContentLines, UnfoldsAfterEveryKindOfLineEnding) {
    ExpectLines(Split("A:1\r\n 2\r\nB:x\n\t3\nC:y\r 4\rD:z"), {
                                                                  {"A:12", 0, 9, 1},
                                                                  {"B:x3", 9, 16, 3},
                                                                  {"C:y4", 16, 23, 5},
                                                                  {"D:z", 23, 26, 7},
                                                              });
    // Only the one blank of the fold goes; the next is part of the value.
    ExpectLines(Split("NOTE:a\r\n  b\r\n"), {{"NOTE:a b", 0, 13, 1}});
}

TEST(ContentLines, ByteOrderMarkEmptyLinesAndNul) {
    ExpectLines(
        Split(std::string("\xEF\xBB\xBF"
                          "BEGIN:VCARD\r\n\r\nX:a\0b",
                          23)),
        {{"BEGIN:VCARD", 3, 16, 1}, {"", 16, 18, 2}, {std::string("X:a\0b", 5), 18, 23, 3}});
    // A blank at the very start has no line to continue.
    ExpectLines(Split(" X:1\nY:2\n"), {{" X:1", 0, 5, 1}, {"Y:2", 5, 9, 2}});
    EXPECT_TRUE(Split("").empty());
}

TEST(ContentLines, QuotedPrintableSoftBreaks) {
    // The line after a soft break continues the value as it is, a leading blank included.
    ExpectLines(
        Split("NOTE;ENCODING=QUOTED-PRINTABLE:abc=\r\ndef=\r\n ghi\r\nEND:VCARD\r\n"),
        {{"NOTE;ENCODING=QUOTED-PRINTABLE:abcdef ghi", 0, 49, 1}, {"END:VCARD", 49, 60, 4}});
    // vCard 2.1 bare parameter, any letter case.
    ExpectLines(Split("NOTE;charset=UTF-8;quoted-printable:a=\nb\nX:1"),
                {{"NOTE;charset=UTF-8;quoted-printable:ab", 0, 41, 1}, {"X:1", 41, 44, 3}});
    // Without QUOTED-PRINTABLE a final "=" is just a character; at the end of the file too.
    ExpectLines(Split("URL:http://x/?a=\r\nEND:VCARD"),
                {{"URL:http://x/?a=", 0, 18, 1}, {"END:VCARD", 18, 27, 2}});
    ExpectLines(Split("NOTE;QUOTED-PRINTABLE:abc="), {{"NOTE;QUOTED-PRINTABLE:abc=", 0, 26, 1}});
}

TEST(ContentLines, LargeValuesAndManyLinesStayExact) {
    std::string bytes = "BEGIN:VCARD\r\nNOTE:";
    for (int i = 0; i < 40000; ++i)
        bytes += std::string(74, (char)('a' + i % 26)) + "\r\n ";
    bytes += "end\r\n";
    for (int i = 0; i < 5000; ++i)
        bytes += "X-P" + std::to_string(i) + ":v\n";
    std::vector<CxContentLine> lines = Split(bytes);
    ASSERT_EQ(lines.size(), 5002u);
    EXPECT_EQ(lines[1].text.size(), 5u + 40000 * 74 + 3);
    EXPECT_EQ(lines[2].nLine, 40003u);
    size_t pos = 0;
    for (const CxContentLine& line : lines) {
        ASSERT_EQ(line.nStart, pos);
        pos = line.nEnd;
    }
    EXPECT_EQ(pos, bytes.size());
}

TEST(Property, GroupNameParametersValue) {
    CxProperty p;
    ASSERT_TRUE(p.Parse("item1.EMAIL;type=INTERNET;type=pref:john@example.com"));
    EXPECT_EQ(p.Group(), "item1");
    EXPECT_EQ(p.Name(), "EMAIL");
    EXPECT_TRUE(p.HasType("internet"));
    EXPECT_TRUE(p.HasType("PREF"));
    EXPECT_FALSE(p.HasType("home"));
    EXPECT_EQ(p.Preference(), 1);
    EXPECT_EQ(p.Value(), "john@example.com");

    ASSERT_TRUE(p.Parse("note:lower case name"));
    EXPECT_EQ(p.Name(), "NOTE");
    EXPECT_EQ(p.Group(), "");
    EXPECT_EQ(p.Preference(), 101);

    ASSERT_TRUE(p.Parse("TEL;VALUE=uri;PREF=2:tel:+1-555"));
    EXPECT_EQ(p.Preference(), 2);
    EXPECT_EQ(p.Value(), "tel:+1-555");
}

TEST(Property, TypeInAllItsSpellings) {
    for (const char* line :
         {"TEL;WORK;VOICE:1", "TEL;TYPE=work,voice:1", "TEL;TYPE=\"work,voice\":1",
          "TEL;type=WORK;type=VOICE:1", "TEL;TYPE=work, voice:1"}) {
        CxProperty p;
        ASSERT_TRUE(p.Parse(line)) << line;
        EXPECT_TRUE(p.HasType("WORK")) << line;
        EXPECT_TRUE(p.HasType("voice")) << line;
        EXPECT_FALSE(p.HasType("work,voice")) << line;
        EXPECT_EQ(p.Value(), "1") << line;
    }
    // Bare encodings and value kinds are no types.
    CxProperty p;
    ASSERT_TRUE(p.Parse("NOTE;HOME;QUOTED-PRINTABLE;INLINE:x"));
    EXPECT_TRUE(p.HasType("HOME"));
    EXPECT_FALSE(p.HasType("QUOTED-PRINTABLE"));
    EXPECT_EQ(p.ParamText("ENCODING"), "QUOTED-PRINTABLE");
    EXPECT_EQ(p.ParamText("VALUE"), "INLINE");
}

TEST(Property, QuotedParameterValues) {
    CxProperty p;
    ASSERT_TRUE(p.Parse("DTSTART;TZID=\"Eastern: Time; US\":20130610T120000"));
    EXPECT_EQ(p.ParamText("TZID"), "Eastern: Time; US");
    EXPECT_EQ(p.Value(), "20130610T120000");

    ASSERT_TRUE(p.Parse("X-A;LIST=1,\"b,c\",d;CN=\"Doe, John\":mailto:a@b"));
    const CxParam* list = p.FindParam("LIST");
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->values, (std::vector<std::string>{"1", "b,c", "d"}));
    EXPECT_EQ(p.ParamText("CN"), "Doe, John");
    EXPECT_EQ(p.Value(), "mailto:a@b");
}

TEST(Property, LinesThatAreNoProperty) {
    for (const char* line :
         {"hello world", "NOTE", ":value", "NO TE:x", "X;A=\"open:x", "", "X;A=1"}) {
        CxProperty p;
        EXPECT_FALSE(p.Parse(line)) << line;
        std::string name, value;
        EXPECT_FALSE(PropertyNameAndValue(line, &name, &value)) << line;
    }
    std::string name, value;
    ASSERT_TRUE(PropertyNameAndValue("item2.begin;X=\"a:b\":VCARD ", &name, &value));
    EXPECT_EQ(name, "BEGIN");
    EXPECT_EQ(value, "VCARD ");
}

TEST(Property, DecodedTextWithCharsetAndQuotedPrintable) {
    CxProperty p;
    ASSERT_TRUE(p.Parse("N;CHARSET=ISO-8859-1;ENCODING=QUOTED-PRINTABLE:M=FCller;J=F6rg"));
    std::vector<std::string> parts = SplitEscaped(p.DecodedValue(), ';');
    ASSERT_EQ(parts.size(), 2u);
    EXPECT_EQ(p.Text(parts[0]), u"M\u00FCller");
    EXPECT_EQ(p.Text(parts[1]), u"J\u00F6rg");

    ASSERT_TRUE(p.Parse("NOTE;QUOTED-PRINTABLE;CHARSET=UTF-8:Gr=C3=BC=C3=9Fe=0D=0Aaus K=C3=B6ln"));
    EXPECT_EQ(p.Text(), u"Gr\u00FC\u00DFe\r\naus K\u00F6ln");

    ASSERT_TRUE(p.Parse("NOTE:two\\nlines\\, escaped"));
    EXPECT_EQ(p.Text(), u"two\nlines, escaped");

    ASSERT_TRUE(p.Parse("PHOTO;ENCODING=b;TYPE=JPEG:/9j/4AAQSkZJRgABAQ"));
    EXPECT_EQ(p.Text(), u"");
}

TEST(Value, EscapesAndStructure) {
    EXPECT_EQ(UnescapeText("a\\nb\\Nc\\,d\\;e\\\\f\\x\\"), "a\nb\nc,d;e\\f\\x\\");
    EXPECT_EQ(SplitEscaped("Doe;John;Richter\\, James;;", ';'),
              (std::vector<std::string>{"Doe", "John", "Richter\\, James", "", ""}));
    EXPECT_EQ(SplitEscaped("a\\\\;b\\;c", ';'), (std::vector<std::string>{"a\\\\", "b\\;c"}));
    EXPECT_EQ(SplitEscaped("", ','), (std::vector<std::string>{""}));
}

} // namespace
