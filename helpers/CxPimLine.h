// Content lines of vCard and iCalendar files: the split of a file's bytes into logical lines with
// their exact byte spans, and the parse of one line into group, name, parameters and value.
#pragma once

#include "CxPimText.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// One logical line: a physical line together with its folded continuation lines.
struct CxContentLine {
    size_t nStart = 0;  // offset of its first byte in the file
    size_t nEnd = 0;    // offset just past its last line ending (the end of the file if none)
    uint32_t nLine = 0; // number of its first physical line, counted from 1
    std::string text;   // unfolded, without line endings
};

// Splits a file into content lines. Line endings may be CR LF, LF or CR, mixed. A line that
// begins with a blank or a tab continues the line before it (that one character and the line
// ending before it are dropped). In a QUOTED-PRINTABLE value an "=" at the end of a line is a
// soft break: the "=" and the line ending are dropped and the next line, whatever it begins
// with, continues the value. A UTF-8 byte-order mark at the start belongs to no line. Every
// byte after the mark lies in exactly one line's span, in order.
std::vector<CxContentLine> SplitContentLines(const char* pData, size_t nBytes);

struct CxParam {
    std::string name;                // upper case
    std::vector<std::string> values; // without their quotes
};

// A property line "group.NAME;PARAM=value,value;PARAM:value".
class CxProperty {
public:
    // False when the line is no property line: no name of letters, digits, "-" and "_", or no
    // ":" after the parameters. vCard 2.1 parameters without a name ("TEL;WORK;FAX:") are taken
    // as TYPE values, except the encodings (ENCODING) and the value kinds (VALUE). TYPE values
    // are split at commas, quoted or not.
    bool Parse(const std::string& line);

    const std::string& Group() const { return m_Group; }
    const std::string& Name() const { return m_Name; } // upper case
    const std::vector<CxParam>& Params() const { return m_Params; }
    const std::string& Value() const { return m_Value; } // as written, still escaped

    const CxParam* FindParam(const char* szName) const;
    // The first value of a parameter, or empty.
    std::string ParamText(const char* szName) const;
    // Whether a TYPE value equals the given one, without regard to letter case.
    bool HasType(const char* szType) const;
    // The preference order: PREF=n gives n, TYPE=pref 1, neither 101 (lower comes first).
    int Preference() const;

    // The value's bytes with its QUOTED-PRINTABLE encoding undone; a BASE64 value gives
    // nothing, as no text of ours comes that way.
    std::string DecodedValue() const;
    // The character set of the value's bytes (CHARSET, UTF-8 by default).
    CxCharset Charset() const;
    // One text component of the decoded value (or the whole decoded value), unescaped and
    // decoded from the value's character set.
    std::u16string Text(const std::string& component) const;
    std::u16string Text() const { return Text(DecodedValue()); }

private:
    std::string m_Group;
    std::string m_Name;
    std::vector<CxParam> m_Params;
    std::string m_Value;
};

// The name of a property line in upper case, without its group, and whether the line looks
// like a property line; cheaper than a full Parse, for the walk over a file's structure. The
// value is the text after the first ":" outside quotes.
bool PropertyNameAndValue(const std::string& line, std::string* pName, std::string* pValue);

// Splits a value at every separator that no backslash escapes; the parts keep their escapes.
std::vector<std::string> SplitEscaped(const std::string& value, char cSeparator);

// Undoes the text escapes: "\n" and "\N" become a line feed, "\," "\;" "\\" the character.
// A backslash before anything else stays as it is.
std::string UnescapeText(const std::string& text);

// The text without blanks and tabs at either end.
std::string TrimBlanks(const std::string& text);

// Case-insensitive comparison of ASCII texts.
bool EqualsNoCase(const std::string& a, const char* b);
std::string ToUpperAscii(std::string text);
