#include "CxFile.h"

#include "CxText.h"

#include <cstring>

namespace {
const size_t kBufferSize = 64 * 1024;

int64_t SizeOfOpenFile(FILE* pFile) {
#ifdef _WIN32
    if (_fseeki64(pFile, 0, SEEK_END) != 0)
        return -1;
    int64_t nSize = _ftelli64(pFile);
    _fseeki64(pFile, 0, SEEK_SET);
#else
    if (fseeko(pFile, 0, SEEK_END) != 0)
        return -1;
    int64_t nSize = ftello(pFile);
    fseeko(pFile, 0, SEEK_SET);
#endif
    return nSize;
}

void PutLE32(unsigned char* p, uint32_t v) {
    p[0] = (unsigned char)v;
    p[1] = (unsigned char)(v >> 8);
    p[2] = (unsigned char)(v >> 16);
    p[3] = (unsigned char)(v >> 24);
}

uint32_t GetLE32(const unsigned char* p) {
    return (uint32_t)p[0] | (uint32_t)p[1] << 8 | (uint32_t)p[2] << 16 | (uint32_t)p[3] << 24;
}
} // namespace

CxFile::~CxFile() {
    Close();
}

bool CxFile::Open(const char* szPath, const char* szMode) {
    if (szPath == nullptr || szPath[0] == '\0' || szMode == nullptr || szMode[0] == '\0')
        return false;
    Close();
    m_pFile = fopen(szPath, szMode);
    if (m_pFile == nullptr)
        return false;
    m_bReading = szMode[0] == 'r';
    m_Buf.resize(kBufferSize);
    m_nBufPos = m_nBufLen = 0;
    m_nPos = 0;
    m_nSizeAtOpen = m_bReading ? SizeOfOpenFile(m_pFile) : 0;
    m_bShortRead = false;
    m_bWriteError = false;
    return true;
}

bool CxFile::Close() {
    if (m_pFile != nullptr) {
        if (!m_bReading) {
            FlushWrites();
            if (fflush(m_pFile) != 0)
                m_bWriteError = true;
        }
        if (fclose(m_pFile) != 0 && !m_bReading)
            m_bWriteError = true;
        m_pFile = nullptr;
    }
    m_nBufPos = m_nBufLen = 0;
    return true;
}

size_t CxFile::ReadRaw(void* pDest, size_t nBytes) {
    unsigned char* pOut = static_cast<unsigned char*>(pDest);
    size_t nDone = 0;
    while (nDone < nBytes) {
        if (m_nBufPos == m_nBufLen) {
            m_nBufPos = 0;
            m_nBufLen = fread(m_Buf.data(), 1, m_Buf.size(), m_pFile);
            if (m_nBufLen == 0)
                break;
        }
        size_t nTake = m_nBufLen - m_nBufPos;
        if (nTake > nBytes - nDone)
            nTake = nBytes - nDone;
        memcpy(pOut + nDone, m_Buf.data() + m_nBufPos, nTake);
        m_nBufPos += nTake;
        nDone += nTake;
    }
    m_nPos += (int64_t)nDone;
    if (nDone < nBytes)
        m_bShortRead = true;
    return nDone;
}

void CxFile::SkipRaw(uint64_t nBytes) {
    // Skipping reads through the buffer, so a length that runs past the end of the file is
    // seen as a short read and never seeks beyond it.
    while (nBytes > 0) {
        if (m_nBufPos == m_nBufLen) {
            m_nBufPos = 0;
            m_nBufLen = fread(m_Buf.data(), 1, m_Buf.size(), m_pFile);
            if (m_nBufLen == 0) {
                m_bShortRead = true;
                return;
            }
        }
        size_t nTake = m_nBufLen - m_nBufPos;
        if (nTake > nBytes)
            nTake = (size_t)nBytes;
        m_nBufPos += nTake;
        m_nPos += (int64_t)nTake;
        nBytes -= nTake;
    }
}

bool CxFile::ReadString(char* szBuf, size_t nCapacity) {
    if (m_pFile == nullptr || !m_bReading || szBuf == nullptr)
        return false;
    unsigned char aLen[4];
    int32_t nLen = 0;
    if (ReadRaw(aLen, 4) == 4)
        nLen = (int32_t)GetLE32(aLen);
    m_bLastCanonical = nLen >= 0;
    if (nLen <= 0)
        return true;
    if (nCapacity == 0) {
        m_bLastCanonical = false;
        SkipRaw((uint64_t)nLen);
        return true;
    }
    size_t nKeep = (size_t)nLen;
    if (nKeep > nCapacity - 1) {
        nKeep = nCapacity - 1;
        m_bLastCanonical = false;
    }
    size_t nGot = ReadRaw(szBuf, nKeep);
    szBuf[nGot] = '\0';
    if (memchr(szBuf, 0, nGot) != nullptr)
        m_bLastCanonical = false;
    if (nGot == nKeep && (size_t)nLen > nKeep)
        SkipRaw((uint64_t)nLen - nKeep);
    return true;
}

size_t CxFile::ReadBytes(void* pDest, size_t nBytes) {
    if (m_pFile == nullptr || !m_bReading || pDest == nullptr)
        return 0;
    return ReadRaw(pDest, nBytes);
}

bool CxFile::ReadString(CxTextBase& text, size_t nCapacity) {
    if (m_pFile == nullptr || !m_bReading)
        return false;
    text.Clear();
    unsigned char aLen[4];
    int32_t nLen = 0;
    if (ReadRaw(aLen, 4) == 4)
        nLen = (int32_t)GetLE32(aLen);
    m_bLastCanonical = nLen >= 0;
    if (nLen <= 0)
        return true;
    size_t nKeep = (size_t)nLen;
    if (nCapacity == 0 || nKeep > nCapacity - 1) {
        nKeep = nCapacity > 0 ? nCapacity - 1 : 0;
        m_bLastCanonical = false;
    }
    if (nKeep > 0) {
        // Bounded by the capacity: a length beyond the file's end never sizes the block.
        char* pBuf = text.Prepare(nKeep);
        if (pBuf == nullptr) {
            SkipRaw((uint64_t)nLen);
            return true;
        }
        size_t nGot = ReadRaw(pBuf, nKeep);
        pBuf[nGot] = '\0';
        if (memchr(pBuf, 0, nGot) != nullptr)
            m_bLastCanonical = false;
        if (nGot < nKeep)
            return true;
    }
    if ((size_t)nLen > nKeep)
        SkipRaw((uint64_t)nLen - nKeep);
    return true;
}

bool CxFile::ReadInt32(int32_t* pValue) {
    if (m_pFile == nullptr || !m_bReading || pValue == nullptr)
        return false;
    unsigned char a[4];
    if (ReadRaw(a, 4) == 4)
        *pValue = (int32_t)GetLE32(a);
    return true;
}

bool CxFile::ReadUInt32(uint32_t* pValue) {
    if (m_pFile == nullptr || !m_bReading || pValue == nullptr)
        return false;
    unsigned char a[4];
    if (ReadRaw(a, 4) == 4)
        *pValue = GetLE32(a);
    return true;
}

bool CxFile::ReadDouble(double* pValue) {
    if (m_pFile == nullptr || !m_bReading || pValue == nullptr)
        return false;
    unsigned char a[8];
    if (ReadRaw(a, 8) == 8) {
        uint64_t bits = (uint64_t)GetLE32(a) | (uint64_t)GetLE32(a + 4) << 32;
        memcpy(pValue, &bits, 8);
    }
    return true;
}

bool CxFile::ReadBool(uint8_t* pValue) {
    if (m_pFile == nullptr || !m_bReading || pValue == nullptr)
        return false;
    unsigned char a[4];
    if (ReadRaw(a, 4) == 4) {
        *pValue = a[0];
        m_bLastCanonical = a[1] == 0 && a[2] == 0 && a[3] == 0;
    }
    return true;
}

void CxFile::FlushWrites() {
    if (m_nBufLen > 0) {
        if (fwrite(m_Buf.data(), 1, m_nBufLen, m_pFile) != m_nBufLen)
            m_bWriteError = true;
        m_nBufLen = 0;
    }
}

bool CxFile::WriteRaw(const void* pSrc, size_t nBytes) {
    const unsigned char* pIn = static_cast<const unsigned char*>(pSrc);
    while (nBytes > 0) {
        if (m_nBufLen == m_Buf.size())
            FlushWrites();
        size_t nTake = m_Buf.size() - m_nBufLen;
        if (nTake > nBytes)
            nTake = nBytes;
        memcpy(m_Buf.data() + m_nBufLen, pIn, nTake);
        m_nBufLen += nTake;
        pIn += nTake;
        nBytes -= nTake;
        m_nPos += (int64_t)nTake;
    }
    return true;
}

bool CxFile::WriteString(const char* szText) {
    if (m_pFile == nullptr || m_bReading)
        return false;
    size_t nLen = szText != nullptr ? strlen(szText) : 0;
    unsigned char aLen[4];
    PutLE32(aLen, (uint32_t)nLen);
    WriteRaw(aLen, 4);
    if (nLen > 0)
        WriteRaw(szText, nLen);
    return true;
}

bool CxFile::WriteInt32(int32_t nValue) {
    return WriteUInt32((uint32_t)nValue);
}

bool CxFile::WriteUInt32(uint32_t nValue) {
    if (m_pFile == nullptr || m_bReading)
        return false;
    unsigned char a[4];
    PutLE32(a, nValue);
    return WriteRaw(a, 4);
}

bool CxFile::WriteDouble(double dValue) {
    if (m_pFile == nullptr || m_bReading)
        return false;
    uint64_t bits;
    memcpy(&bits, &dValue, 8);
    unsigned char a[8];
    PutLE32(a, (uint32_t)bits);
    PutLE32(a + 4, (uint32_t)(bits >> 32));
    return WriteRaw(a, 8);
}

bool CxFile::WriteBool(uint8_t bValue) {
    return WriteUInt32(bValue);
}

bool CxFile::WriteLine(const char* szText) {
    if (m_pFile == nullptr || m_bReading)
        return false;
    if (szText != nullptr)
        WriteRaw(szText, strlen(szText));
    return WriteRaw("\r\n", 2);
}

int64_t CxFile::GetFileSize(const char* szPath) {
    if (szPath == nullptr || szPath[0] == '\0')
        return -1;
    FILE* pFile = fopen(szPath, "rb");
    if (pFile == nullptr)
        return -1;
    int64_t nSize = SizeOfOpenFile(pFile);
    fclose(pFile);
    return nSize;
}
