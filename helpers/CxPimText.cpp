#include "CxPimText.h"

#include "common/misc/Cp1252.h"
#include "common/misc/Platform.h"

#include <cstring>

namespace {

char Upper(char c) {
    return c >= 'a' && c <= 'z' ? (char)(c - 'a' + 'A') : c;
}

// The name in upper case with '-' and '_' dropped, so that "ISO-8859-1", "iso_8859-1" and
// "ISO8859-1" compare equal.
std::string CharsetKey(const std::string& name) {
    std::string key;
    for (char c : name) {
        if (c != '-' && c != '_' && c != ' ' && c != '"')
            key.push_back(Upper(c));
    }
    return key;
}

int HexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

bool IsContinuation(unsigned char c, unsigned char lo = 0x80, unsigned char hi = 0xBF) {
    return c >= lo && c <= hi;
}

} // namespace

CxCharset CharsetFromName(const std::string& name, bool* pKnown) {
    struct Name {
        const char* szKey;
        CxCharset charset;
    };
    static const Name kNames[] = {
        {"UTF8", CxCharset::Utf8},
        {"ISO88591", CxCharset::Latin1},
        {"LATIN1", CxCharset::Latin1},
        {"L1", CxCharset::Latin1},
        {"ISOIR100", CxCharset::Latin1},
        {"CP819", CxCharset::Latin1},
        {"IBM819", CxCharset::Latin1},
        {"USASCII", CxCharset::Ascii},
        {"ASCII", CxCharset::Ascii},
        {"ANSIX3.41968", CxCharset::Ascii},
        {"WINDOWS1252", CxCharset::Windows1252},
        {"CP1252", CxCharset::Windows1252},
        {"MSANSI", CxCharset::Windows1252},
    };
    std::string key = CharsetKey(name);
    for (const Name& n : kNames) {
        if (key == n.szKey) {
            if (pKnown != nullptr)
                *pKnown = true;
            return n.charset;
        }
    }
    if (pKnown != nullptr)
        *pKnown = key.empty();
    return CxCharset::Utf8;
}

std::u16string Utf8ToUtf16(const char* pData, size_t nBytes) {
    const unsigned char* p = reinterpret_cast<const unsigned char*>(pData);
    std::u16string out;
    out.reserve(nBytes);
    size_t i = 0;
    while (i < nBytes) {
        unsigned char c = p[i];
        if (c < 0x80) {
            out.push_back((char16_t)c);
            ++i;
            continue;
        }
        // The length of the sequence and the range its second byte must lie in, which rules out
        // overlong forms, surrogates and values above U+10FFFF.
        size_t nLen = 0;
        unsigned char lo = 0x80, hi = 0xBF;
        uint32_t cp = 0;
        if (c >= 0xC2 && c <= 0xDF) {
            nLen = 2;
            cp = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            nLen = 3;
            cp = c & 0x0F;
            if (c == 0xE0)
                lo = 0xA0;
            else if (c == 0xED)
                hi = 0x9F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            nLen = 4;
            cp = c & 0x07;
            if (c == 0xF0)
                lo = 0x90;
            else if (c == 0xF4)
                hi = 0x8F;
        }
        if (nLen == 0) {
            out.push_back(u'?');
            ++i;
            continue;
        }
        size_t k = 1;
        for (; k < nLen && i + k < nBytes; ++k) {
            bool ok = k == 1 ? IsContinuation(p[i + k], lo, hi) : IsContinuation(p[i + k]);
            if (!ok)
                break;
            cp = cp << 6 | (p[i + k] & 0x3F);
        }
        if (k < nLen) {
            // The longest well-formed beginning of a sequence counts as one bad character; the
            // byte that broke it off starts the next.
            out.push_back(u'?');
            i += k;
            continue;
        }
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out.push_back((char16_t)(0xD800 + (cp >> 10)));
            out.push_back((char16_t)(0xDC00 + (cp & 0x3FF)));
        } else {
            out.push_back((char16_t)cp);
        }
        i += nLen;
    }
    return out;
}

std::u16string DecodeCharset(const std::string& bytes, CxCharset charset) {
    if (charset == CxCharset::Utf8)
        return Utf8ToUtf16(bytes);
    std::u16string out;
    out.reserve(bytes.size());
    for (unsigned char c : bytes) {
        switch (charset) {
        case CxCharset::Ascii:
            out.push_back(c < 0x80 ? (char16_t)c : u'?');
            break;
        case CxCharset::Windows1252:
            out.push_back(Cp1252ToUtf16(c));
            break;
        default:
            out.push_back((char16_t)c);
            break;
        }
    }
    return out;
}

std::string DecodeQuotedPrintable(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c != '=') {
            out.push_back(c);
            continue;
        }
        if (i + 2 < text.size() && HexValue(text[i + 1]) >= 0 && HexValue(text[i + 2]) >= 0) {
            out.push_back((char)(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2])));
            i += 2;
        } else if (i + 1 < text.size() && (text[i + 1] == '\r' || text[i + 1] == '\n')) {
            ++i;
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else {
            out.push_back(c);
        }
    }
    return out;
}

std::string ToFieldText(const std::u16string& text, size_t nCapacity) {
    if (nCapacity <= 1)
        return std::string();
    const size_t nMax = nCapacity - 1;
    // Every character takes at least one byte in any ANSI code page, so no more than nMax
    // characters can fit; nothing beyond them is converted.
    std::u16string clean;
    clean.reserve(text.size() < nMax ? text.size() : nMax);
    bool bAscii = true;
    for (size_t i = 0; i < text.size() && clean.size() < nMax; ++i) {
        char16_t w = text[i];
        if (w == u'\r' || w == u'\n') {
            if (w == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            if (clean.size() + 2 > nMax)
                break;
            clean.push_back(u'\r');
            clean.push_back(u'\n');
            continue;
        }
        if (w >= 0xD800 && w <= 0xDFFF) {
            // A pair stands for one character beyond U+FFFF, which no ANSI code page has; a lone
            // half is no character at all. Either becomes one '?'.
            if (w <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
                text[i + 1] <= 0xDFFF)
                ++i;
            w = u'?';
        } else if (w == 0) {
            w = u'?';
        }
        if (w >= 0x80)
            bAscii = false;
        clean.push_back(w);
    }
    if (bAscii)
        return std::string(clean.begin(), clean.end());

    std::string ansi = PlatformUtf16ToAnsi(clean);
    if (ansi.size() <= nMax)
        return ansi;
    // A code page with characters of more than one byte: the longest beginning that fits. The
    // length of a conversion grows with the characters converted, so a bisection finds it.
    size_t lo = 0, hi = clean.size(); // the beginning of lo characters fits, of hi does not
    while (hi - lo > 1) {
        size_t mid = lo + (hi - lo) / 2;
        if (PlatformUtf16ToAnsi(clean.substr(0, mid)).size() <= nMax)
            lo = mid;
        else
            hi = mid;
    }
    // Keep a CR LF pair whole.
    if (lo > 0 && clean[lo - 1] == u'\r' && lo < clean.size() && clean[lo] == u'\n')
        --lo;
    return PlatformUtf16ToAnsi(clean.substr(0, lo));
}

void CopyToField(CxTextBase& field, size_t nCapacity, const std::u16string& text) {
    if (nCapacity == 0) {
        field.Clear();
        return;
    }
    std::string ansi = ToFieldText(text, nCapacity);
    field.Assign(ansi.data(), ansi.size(), nCapacity);
}
