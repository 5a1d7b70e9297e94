#include "Cp1252.h"

namespace {
// Bytes 0x80 to 0x9F; 0 marks the five bytes that have no character.
const char16_t kCp1252High[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                  0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                  0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                  0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
} // namespace

char16_t Cp1252ToUtf16(unsigned char c) {
    if (c >= 0x80 && c < 0xA0 && kCp1252High[c - 0x80] != 0)
        return kCp1252High[c - 0x80];
    return (char16_t)c;
}

bool Utf16ToCp1252(char16_t w, unsigned char* pByte) {
    bool undefinedByte = w >= 0x80 && w < 0xA0 && kCp1252High[w - 0x80] == 0;
    if (w < 0x80 || (w >= 0xA0 && w <= 0xFF) || undefinedByte) {
        *pByte = (unsigned char)w;
        return true;
    }
    for (int i = 0; i < 32; ++i) {
        if (kCp1252High[i] != 0 && kCp1252High[i] == w) {
            *pByte = (unsigned char)(0x80 + i);
            return true;
        }
    }
    return false;
}
