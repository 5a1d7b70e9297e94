// SHA-256 (FIPS 180-4), for the fingerprints that name the entries of a vCard or iCalendar file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class CxSha256 {
public:
    CxSha256();

    void Update(const void* pData, size_t nBytes);
    // The 32-byte digest of everything given so far. The object must not be updated afterwards.
    void Final(uint8_t digest[32]);

    // The digest of one block of bytes as 64 lowercase hexadecimal digits.
    static std::string HexDigest(const void* pData, size_t nBytes);

private:
    void Compress(const uint8_t* pBlock);

    uint32_t m_State[8];
    uint8_t m_Block[64];
    size_t m_nBlockLen = 0;
    uint64_t m_nTotalBytes = 0;
};
