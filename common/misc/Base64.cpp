#include "Base64.h"

#include <cstring>

namespace {
const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

int ValueOf(char c) {
    if (c >= 'A' && c <= 'Z')
        return c - 'A';
    if (c >= 'a' && c <= 'z')
        return c - 'a' + 26;
    if (c >= '0' && c <= '9')
        return c - '0' + 52;
    if (c == '+')
        return 62;
    if (c == '/')
        return 63;
    return -1;
}
} // namespace

std::string Base64Encode(const void* pData, size_t nBytes) {
    const unsigned char* p = static_cast<const unsigned char*>(pData);
    std::string out;
    out.reserve((nBytes + 2) / 3 * 4);
    for (size_t i = 0; i < nBytes; i += 3) {
        unsigned v = (unsigned)p[i] << 16;
        if (i + 1 < nBytes)
            v |= (unsigned)p[i + 1] << 8;
        if (i + 2 < nBytes)
            v |= p[i + 2];
        out.push_back(kAlphabet[(v >> 18) & 63]);
        out.push_back(kAlphabet[(v >> 12) & 63]);
        out.push_back(i + 1 < nBytes ? kAlphabet[(v >> 6) & 63] : '=');
        out.push_back(i + 2 < nBytes ? kAlphabet[v & 63] : '=');
    }
    return out;
}

bool Base64DecodeText(const char* szText, char* szOut, size_t nCapacity) {
    if (szOut == nullptr || nCapacity == 0)
        return false;
    szOut[0] = '\0';
    if (szText == nullptr)
        return false;
    size_t nLen = strlen(szText);
    if (nLen % 4 != 0)
        return false;
    size_t nOut = 0;
    for (size_t i = 0; i < nLen; i += 4) {
        const char* g = szText + i;
        bool bLast = i + 4 == nLen;
        // Padding may stand only in the last group: "xx==" or "xxx=".
        int nPad = 0;
        if (bLast && g[3] == '=')
            nPad = g[2] == '=' ? 2 : 1;
        unsigned v = 0;
        for (int k = 0; k < 4 - nPad; ++k) {
            int d = ValueOf(g[k]);
            if (d < 0) {
                szOut[0] = '\0';
                return false;
            }
            v = v << 6 | (unsigned)d;
        }
        v <<= 6 * nPad;
        unsigned char bytes[3] = {(unsigned char)(v >> 16), (unsigned char)(v >> 8),
                                  (unsigned char)v};
        for (int k = 0; k < 3 - nPad; ++k) {
            if (bytes[k] == 0 || nOut + 1 >= nCapacity) {
                szOut[0] = '\0';
                return false;
            }
            szOut[nOut++] = (char)bytes[k];
        }
    }
    szOut[nOut] = '\0';
    return true;
}
