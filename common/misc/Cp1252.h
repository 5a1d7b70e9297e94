// The Windows-1252 code page, character by character: the ANSI code page of the host build and
// one of the character sets that vCard and iCalendar values may name.
#pragma once

// The UTF-16 character of a byte. The five bytes that have no character (0x81, 0x8D, 0x8F, 0x90,
// 0x9D) stand for the control character of the same number, as on Windows.
char16_t Cp1252ToUtf16(unsigned char c);

// The byte of a UTF-16 character; false when the code page has none.
bool Utf16ToCp1252(char16_t w, unsigned char* pByte);
