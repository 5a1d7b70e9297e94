// The binary primitives of the exchange and parameter files, and the lines of the debug log:
// little-endian 32-bit integers and doubles, truth values as 4 bytes, texts as a 4-byte length
// followed by the bytes without terminator. Reads and writes go through a buffer of our own, so
// that field-by-field access stays cheap.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <vector>

class CxTextBase;

class CxFile {
public:
    CxFile() = default;
    virtual ~CxFile();
    CxFile(const CxFile&) = delete;
    CxFile& operator=(const CxFile&) = delete;

    // Opens with a C runtime mode text ("rb", "wb", "ab"). An earlier file is closed first.
    bool Open(const char* szPath, const char* szMode);
    // Writes out what is buffered and closes; always true (see HadWriteError).
    bool Close();
    bool IsOpen() const { return m_pFile != nullptr; }

    // Reads a text into a buffer of nCapacity bytes. A stored length at or above the capacity
    // keeps its first nCapacity - 1 bytes and skips the rest, so the file stays in step. A
    // length of 0 or below leaves the buffer as it was.
    bool ReadString(char* szBuf, size_t nCapacity);
    // The same into a text field of the given capacity; a length of 0 or below empties it.
    bool ReadString(CxTextBase& text, size_t nCapacity);
    bool ReadInt32(int32_t* pValue);
    bool ReadUInt32(uint32_t* pValue);
    bool ReadDouble(double* pValue);
    // Keeps the lowest-order of the 4 bytes.
    bool ReadBool(uint8_t* pValue);
    // Reads raw bytes; the number read (fewer at the end of the file).
    size_t ReadBytes(void* pDest, size_t nBytes);

    bool WriteString(const char* szText);
    bool WriteInt32(int32_t nValue);
    bool WriteUInt32(uint32_t nValue);
    bool WriteDouble(double dValue);
    bool WriteBool(uint8_t bValue);
    // The text followed by CR LF.
    bool WriteLine(const char* szText);

    // Beyond the primitives: a read that found the end of the file before all its bytes, a
    // write that the system refused, the position in the file and the size at opening.
    bool HadShortRead() const { return m_bShortRead; }
    // Whether the last text or truth value read would be written back to the same bytes: a text
    // whose stored length was 0, or positive, within the capacity and free of zero bytes; a
    // truth value whose three upper bytes were zero.
    bool LastReadCanonical() const { return m_bLastCanonical; }
    bool HadWriteError() const { return m_bWriteError; }
    int64_t Tell() const { return m_nPos; }
    int64_t SizeAtOpen() const { return m_nSizeAtOpen; }

    // Size in bytes of the file at the path, or -1 when it cannot be opened for reading.
    static int64_t GetFileSize(const char* szPath);

private:
    size_t ReadRaw(void* pDest, size_t nBytes);
    void SkipRaw(uint64_t nBytes);
    bool WriteRaw(const void* pSrc, size_t nBytes);
    void FlushWrites();

    FILE* m_pFile = nullptr;
    bool m_bReading = false;
    std::vector<unsigned char> m_Buf;
    size_t m_nBufPos = 0;
    size_t m_nBufLen = 0;
    int64_t m_nPos = 0;
    int64_t m_nSizeAtOpen = 0;
    bool m_bShortRead = false;
    bool m_bLastCanonical = true;
    bool m_bWriteError = false;
};
