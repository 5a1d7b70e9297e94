#include "helpers/CxPimText.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(Utf8ToUtf16, DecodesWellFormedText) {
    EXPECT_EQ(Utf8ToUtf16("a\xC3\xA9"), u"a\u00E9");
    EXPECT_EQ(Utf8ToUtf16("\xE2\x82\xAC"), u"\u20AC");
    EXPECT_EQ(Utf8ToUtf16("\xF0\x9F\x98\x80!"), u"\xD83D\xDE00!");
    EXPECT_EQ(Utf8ToUtf16("\xF4\x8F\xBF\xBF"), u"\xDBFF\xDFFF"); // U+10FFFF, the last
    EXPECT_EQ(Utf8ToUtf16(std::string("a\0b", 3)), std::u16string(u"a\0b", 3));
}

TEST(Utf8ToUtf16, EachIllFormedSequenceIsOneQuestionMark) {
    struct Case {
        const char* bytes;
        const char16_t* text;
    } cases[] = {
        {"\x80", u"?"},                // stray continuation byte
        {"\xC0\xAF", u"??"},           // overlong "/": C0 can never begin a sequence
        {"\xE0\x80\x80", u"???"},      // overlong three-byte form
        {"\xED\xA0\x80", u"???"},      // a surrogate
        {"\xF4\x90\x80\x80", u"????"}, // above U+10FFFF
        {"\xF5\x80", u"??"},           // no such lead byte
        {"\xE2\x82", u"?"},            // cut off at the end: one character was meant
        {"\xE2\x82"
         "A",
         u"?A"}, // broken off by a plain character, which stays
        {"\xF0\x9F\x98"
         "\xC3\xA9",
         u"?\u00E9"},
        {"x\xFFy", u"x?y"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Utf8ToUtf16(c.bytes), c.text) << c.bytes;
}

TEST(Charsets, NamesInTheirUsualSpellings) {
    struct Case {
        const char* name;
        CxCharset charset;
        bool known;
    } cases[] = {
        {"UTF-8", CxCharset::Utf8, true},
        {"utf8", CxCharset::Utf8, true},
        {"", CxCharset::Utf8, true},
        {"ISO-8859-1", CxCharset::Latin1, true},
        {"iso_8859-1", CxCharset::Latin1, true},
        {"Latin1", CxCharset::Latin1, true},
        {"US-ASCII", CxCharset::Ascii, true},
        {"ascii", CxCharset::Ascii, true},
        {"windows-1252", CxCharset::Windows1252, true},
        {"CP1252", CxCharset::Windows1252, true},
        {"Shift_JIS", CxCharset::Utf8, false},
    };
    for (const Case& c : cases) {
        bool known = !c.known;
        EXPECT_EQ(CharsetFromName(c.name, &known), c.charset) << c.name;
        EXPECT_EQ(known, c.known) << c.name;
    }
}

TEST(Charsets, DecodeTheirBytes) {
    EXPECT_EQ(DecodeCharset("caf\xE9", CxCharset::Latin1), u"caf\u00E9");
    EXPECT_EQ(DecodeCharset("\x80\x93\xE9", CxCharset::Windows1252), u"\u20AC\u201C\u00E9");
    EXPECT_EQ(DecodeCharset("\x80", CxCharset::Latin1), u"\u0080");
    EXPECT_EQ(DecodeCharset("caf\xE9", CxCharset::Ascii), u"caf?");
    EXPECT_EQ(DecodeCharset("caf\xC3\xA9", CxCharset::Utf8), u"caf\u00E9");
}

TEST(QuotedPrintable, Decodes) {
    EXPECT_EQ(DecodeQuotedPrintable("caf=C3=A9"), "caf\xC3\xA9");
    EXPECT_EQ(DecodeQuotedPrintable("a=3db=3D"), "a=b=");
    EXPECT_EQ(DecodeQuotedPrintable("line=0D=0Anext"), "line\r\nnext");
    EXPECT_EQ(DecodeQuotedPrintable("soft=\r\nbreak=\nand=\rmore"), "softbreakandmore");
    // An "=" that starts no escape stays, as lenient readers keep it.
    EXPECT_EQ(DecodeQuotedPrintable("50% = half, =G1, end="), "50% = half, =G1, end=");
    EXPECT_EQ(DecodeQuotedPrintable("=4"), "=4");
}

TEST(FieldText, AnsiWithWindowsLineBreaks) {
    // The tests run with the ANSI code page 1252 in both builds.
    EXPECT_EQ(ToFieldText(u"a\nb\rc\r\nd", 100), "a\r\nb\r\nc\r\nd");
    EXPECT_EQ(ToFieldText(u"caf\u00E9 \u20AC", 100), "caf\xE9 \x80");
    EXPECT_EQ(ToFieldText(u"\u03A9mega", 100), "?mega");
    EXPECT_EQ(ToFieldText(u"smile \xD83D\xDE00.", 100), "smile ?.");
    EXPECT_EQ(ToFieldText(u"lone \xDC00 half", 100), "lone ? half");
    EXPECT_EQ(ToFieldText(std::u16string(u"nul\0byte", 8), 100), "nul?byte");
}

TEST(FieldText, CutToCapacityBetweenCharacters) {
    EXPECT_EQ(ToFieldText(u"abcdef", 4), "abc");
    EXPECT_EQ(ToFieldText(u"abc", 4), "abc");
    EXPECT_EQ(ToFieldText(u"\u00E9\u00E9\u00E9\u00E9", 3), "\xE9\xE9");
    EXPECT_EQ(ToFieldText(u"ab\ncd", 4), "ab"); // CR LF is not split
    EXPECT_EQ(ToFieldText(u"ab\xD83D\xDE00"
                          u"cd",
                          4),
              "ab?");
    EXPECT_EQ(ToFieldText(u"abc", 1), "");
    EXPECT_EQ(ToFieldText(u"abc", 0), "");
}

TEST(FieldText, CopyKeepsTheFieldsCapacity) {
    CxText<6> field;
    CopyToField(field, 6, std::u16string(1000000, u'\u00E9'));
    EXPECT_EQ(std::string(field.c_str()), "\xE9\xE9\xE9\xE9\xE9");
    SetField(field, u"");
    EXPECT_TRUE(field.Empty());
}

} // namespace
