// Text of vCard and iCalendar values: the character sets a value may come in, quoted-printable
// decoding, and the way into the fixed-capacity ANSI text fields of the records.
#pragma once

#include "common/misc/CxText.h"

#include <cstddef>
#include <string>

enum class CxCharset { Utf8, Latin1, Ascii, Windows1252 };

// The character set a CHARSET parameter names, without regard to letter case ("UTF-8",
// "ISO-8859-1", "US-ASCII", "windows-1252" and their usual other spellings). An empty or unknown
// name gives UTF-8; pKnown (optional) tells which it was.
CxCharset CharsetFromName(const std::string& name, bool* pKnown = nullptr);

// UTF-8 to UTF-16. Each ill-formed sequence (a stray continuation byte, a lead byte without its
// continuation bytes, an overlong form, a surrogate, a value above U+10FFFF) becomes one '?'.
std::u16string Utf8ToUtf16(const char* pData, size_t nBytes);
inline std::u16string Utf8ToUtf16(const std::string& text) {
    return Utf8ToUtf16(text.data(), text.size());
}

// Bytes of the given character set to UTF-16. US-ASCII bytes above 0x7F become '?'.
std::u16string DecodeCharset(const std::string& bytes, CxCharset charset);

// QUOTED-PRINTABLE: "=XX" (two hexadecimal digits, either case) becomes that byte; "=" followed
// by a line break is a soft break and goes; any other "=" stays as it is.
std::string DecodeQuotedPrintable(const std::string& text);

// The text as a record field holds it: in the system ANSI code page (a character without an
// ANSI form, a character beyond U+FFFF and U+0000 all become '?'), every line break (CR LF, LF
// or CR) as CR LF, and at most nCapacity - 1 bytes, cut between two characters.
std::string ToFieldText(const std::u16string& text, size_t nCapacity);

// ToFieldText into a text field of that capacity.
void CopyToField(CxTextBase& field, size_t nCapacity, const std::u16string& text);
template <size_t N> void SetField(CxText<N>& field, const std::u16string& text) {
    CopyToField(field, N, text);
}
