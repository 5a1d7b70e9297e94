#include "CxList.h"

#include "CxAssert.h"

#include <new>

CxList::~CxList() {
    Clear();
}

bool CxList::Append(void* pItem) {
    if (pItem == nullptr)
        return false;
    Node* pNode = new (std::nothrow) Node{pItem, m_nCount, m_pTail, nullptr};
    if (pNode == nullptr)
        return false;
    if (m_pTail != nullptr) {
        m_pTail->pNext = pNode;
        m_pTail = pNode;
        m_pCurr = pNode;
        m_nCurrIndex = pNode->nPos;
    } else {
        m_pHead = m_pTail = m_pCurr = pNode;
        m_nCurrIndex = 0;
    }
    ++m_nCount;
    return true;
}

void* CxList::First() {
    m_pCurr = m_pHead;
    m_nCurrIndex = 0;
    return m_pHead != nullptr ? m_pHead->pItem : nullptr;
}

void* CxList::Next() {
    if (m_nCount == 0 || m_nCurrIndex >= m_nCount - 1)
        return nullptr;
    CX_ASSERT(m_pCurr != nullptr && m_pCurr->nPos == m_nCurrIndex);
    if (m_pCurr == nullptr)
        return nullptr;
    uint32_t nWanted = m_nCurrIndex + 1;
    Node* pNode = m_pCurr;
    while (pNode != nullptr && pNode->nPos < nWanted)
        pNode = pNode->pNext;
    if (pNode == nullptr)
        return nullptr;
    m_pCurr = pNode;
    m_nCurrIndex = pNode->nPos;
    return pNode->pItem;
}

bool CxList::Contains(const void* pItem) const {
    if (pItem == nullptr)
        return false;
    for (Node* pNode = m_pHead; pNode != nullptr; pNode = pNode->pNext) {
        if (pNode->pItem == pItem)
            return true;
    }
    return false;
}

bool CxList::Seek(const void* pItem) {
    for (Node* pNode = m_pHead; pNode != nullptr; pNode = pNode->pNext) {
        if (pNode->pItem == pItem) {
            m_pCurr = pNode;
            m_nCurrIndex = pNode->nPos;
            return true;
        }
    }
    return false;
}

void CxList::Clear() {
    Node* pNode = m_pHead;
    while (pNode != nullptr) {
        Node* pNext = pNode->pNext;
        delete pNode;
        pNode = pNext;
    }
    m_pHead = m_pTail = m_pCurr = nullptr;
    m_nCount = 0;
    m_nCurrIndex = 0;
}
