// A text field of fixed capacity: it holds at most N - 1 characters (a capacity counts the
// terminating zero, as everywhere in the records) and cuts longer texts silently. The characters
// live in a block of their own, sized to the text, so that a record of many wide but mostly empty
// fields stays small in memory; an empty field holds nothing.
#pragma once

#include <cstddef>
#include <cstring>
#include <new>
#include <string>

// The part of every text field that does not depend on its capacity, so that the exchange-file
// codec can reach any field by its offset in the record.
class CxTextBase {
public:
    const char* c_str() const { return m_p != nullptr ? m_p : ""; }
    operator const char*() const { return c_str(); }
    bool Empty() const { return m_p == nullptr || m_p[0] == '\0'; }
    size_t Length() const { return m_p != nullptr ? strlen(m_p) : 0; }

    // Keeps the first bytes of the text, at most nCapacity - 1 of them and none after a zero
    // byte. Without memory the field stays empty.
    void Assign(const char* pText, size_t nBytes, size_t nCapacity) {
        if (pText == nullptr || nCapacity == 0) {
            Free();
            return;
        }
        const void* pZero = memchr(pText, 0, nBytes);
        if (pZero != nullptr)
            nBytes = (size_t)(static_cast<const char*>(pZero) - pText);
        if (nBytes > nCapacity - 1)
            nBytes = nCapacity - 1;
        // The new block is made before the old one goes: the text may be our own.
        char* pNew = nullptr;
        if (nBytes > 0) {
            pNew = new (std::nothrow) char[nBytes + 1];
            if (pNew != nullptr) {
                memcpy(pNew, pText, nBytes);
                pNew[nBytes] = '\0';
            }
        }
        Free();
        m_p = pNew;
    }

    // A block of nBytes + 1 bytes for a reader to fill; it ends terminated. Null without memory.
    char* Prepare(size_t nBytes) {
        Free();
        m_p = new (std::nothrow) char[nBytes + 1];
        if (m_p != nullptr)
            memset(m_p, 0, nBytes + 1);
        return m_p;
    }

    void Clear() { Free(); }

protected:
    CxTextBase() = default;
    ~CxTextBase() { Free(); }
    CxTextBase(const CxTextBase&) = delete;
    CxTextBase& operator=(const CxTextBase&) = delete;

    void Free() {
        delete[] m_p;
        m_p = nullptr;
    }
    void Steal(CxTextBase& other) {
        if (this != &other) {
            Free();
            m_p = other.m_p;
            other.m_p = nullptr;
        }
    }

private:
    char* m_p = nullptr;
};

template <size_t N> class CxText : public CxTextBase {
    static_assert(N >= 2, "a text field holds at least one character");

public:
    static constexpr size_t kCapacity = N;

    CxText() = default;
    CxText(const char* szText) { Set(szText); }
    CxText(const CxText& other) : CxTextBase() { Set(other.c_str()); }
    CxText(CxText&& other) noexcept : CxTextBase() { Steal(other); }
    CxText& operator=(const CxText& other) {
        if (this != &other)
            Set(other.c_str());
        return *this;
    }
    CxText& operator=(CxText&& other) noexcept {
        Steal(other);
        return *this;
    }
    CxText& operator=(const char* szText) {
        Set(szText);
        return *this;
    }

    // Copies the text, cut to N - 1 characters; a null text empties the field.
    void Set(const char* szText) {
        if (szText == nullptr) {
            Clear();
            return;
        }
        Assign(szText, strnlen(szText, N - 1), N);
    }
    void Set(const char* pText, size_t nBytes) { Assign(pText, nBytes, N); }
};

// A field compares with a text by its characters.
inline bool operator==(const CxTextBase& field, const std::string& text) {
    return text == field.c_str();
}
inline bool operator==(const std::string& text, const CxTextBase& field) { return field == text; }
inline bool operator!=(const CxTextBase& field, const std::string& text) {
    return !(field == text);
}
inline bool operator!=(const std::string& text, const CxTextBase& field) {
    return !(field == text);
}
