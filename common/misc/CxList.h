// An ordered list of item references with one built-in cursor. The list owns its nodes, never
// its items: it neither copies nor frees what the items refer to.
#pragma once

#include <cstdint>

class CxList {
public:
    CxList() = default;
    virtual ~CxList();
    CxList(const CxList&) = delete;
    CxList& operator=(const CxList&) = delete;

    // Adds the item after the tail and leaves the cursor on it. A null item is refused.
    bool Append(void* pItem);
    // The head item (none for an empty list); the cursor moves to the head.
    void* First();
    // The item after the cursor; none, cursor unchanged, once the last item is reached.
    void* Next();
    uint32_t Count() const { return m_nCount; }
    bool Contains(const void* pItem) const;
    // Moves the cursor to the first node that holds the item; false, cursor unchanged, if none.
    bool Seek(const void* pItem);
    // Frees every node; the items are untouched.
    void Clear();

private:
    struct Node {
        void* pItem;
        uint32_t nPos;
        Node* pPrev;
        Node* pNext;
    };

    Node* m_pHead = nullptr;
    Node* m_pTail = nullptr;
    Node* m_pCurr = nullptr;
    uint32_t m_nCount = 0;
    uint32_t m_nCurrIndex = 0;
};
