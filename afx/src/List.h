// CList: a doubly linked list of TYPE. Nodes are carved out of blocks of
// m_nBlockSize nodes and recycled through a free list, as MFC does, so that
// adding and removing elements rarely touches the heap. A POSITION is the
// address of a node and stays valid until that node is removed.
#pragma once
#include "Object.h"
#include <new>
#include <utility>

// Element comparison used by Find; overload it for types without operator==.
template <class TYPE, class ARG_TYPE>
inline BOOL AFXAPI CompareElements(const TYPE* pElement1, const ARG_TYPE* pElement2)
{
    return *pElement1 == *pElement2;
}

template <class TYPE, class ARG_TYPE = const TYPE&>
class CList : public CObject
{
protected:
    struct CNode
    {
        CNode* pNext;
        CNode* pPrev;
        TYPE data;
    };

public:
    explicit CList(INT_PTR nBlockSize = 10)
        : m_pNodeHead(nullptr), m_pNodeTail(nullptr), m_nCount(0), m_pNodeFree(nullptr),
          m_pBlocks(nullptr), m_nBlockSize(nBlockSize > 0 ? nBlockSize : 10) {}
    ~CList() override { RemoveAll(); }

    INT_PTR GetCount() const { return m_nCount; }
    INT_PTR GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }

    TYPE& GetHead() { return m_pNodeHead->data; }
    const TYPE& GetHead() const { return m_pNodeHead->data; }
    TYPE& GetTail() { return m_pNodeTail->data; }
    const TYPE& GetTail() const { return m_pNodeTail->data; }
    TYPE RemoveHead();
    TYPE RemoveTail();
    POSITION AddHead(ARG_TYPE newElement) { return InsertBefore(nullptr, newElement); }
    POSITION AddTail(ARG_TYPE newElement) { return InsertAfter(nullptr, newElement); }
    void AddHead(CList* pNewList);
    void AddTail(CList* pNewList);
    void RemoveAll();

    POSITION GetHeadPosition() const { return reinterpret_cast<POSITION>(m_pNodeHead); }
    POSITION GetTailPosition() const { return reinterpret_cast<POSITION>(m_pNodeTail); }
    TYPE& GetNext(POSITION& rPosition) { CNode* p = Node(rPosition); rPosition = Pos(p->pNext); return p->data; }
    const TYPE& GetNext(POSITION& rPosition) const { CNode* p = Node(rPosition); rPosition = Pos(p->pNext); return p->data; }
    TYPE& GetPrev(POSITION& rPosition) { CNode* p = Node(rPosition); rPosition = Pos(p->pPrev); return p->data; }
    const TYPE& GetPrev(POSITION& rPosition) const { CNode* p = Node(rPosition); rPosition = Pos(p->pPrev); return p->data; }
    TYPE& GetAt(POSITION position) { return Node(position)->data; }
    const TYPE& GetAt(POSITION position) const { return Node(position)->data; }
    void SetAt(POSITION pos, ARG_TYPE newElement) { Node(pos)->data = newElement; }
    void RemoveAt(POSITION position);

    // A null position means: before the head / after the tail.
    POSITION InsertBefore(POSITION position, ARG_TYPE newElement);
    POSITION InsertAfter(POSITION position, ARG_TYPE newElement);

    POSITION Find(ARG_TYPE searchValue, POSITION startAfter = nullptr) const;
    POSITION FindIndex(INT_PTR nIndex) const;

protected:
    CNode* m_pNodeHead;
    CNode* m_pNodeTail;
    INT_PTR m_nCount;
    CNode* m_pNodeFree;
    void* m_pBlocks;   // chain of node blocks; the first pointer of each links the next
    INT_PTR m_nBlockSize;

private:
    CList(const CList&) = delete;
    CList& operator=(const CList&) = delete;
    static CNode* Node(POSITION pos) { return reinterpret_cast<CNode*>(pos); }
    static POSITION Pos(CNode* p) { return reinterpret_cast<POSITION>(p); }
    CNode* NewNode(CNode* pPrev, CNode* pNext, ARG_TYPE value);
    void FreeNode(CNode* pNode);
};

template <class TYPE, class ARG_TYPE>
typename CList<TYPE, ARG_TYPE>::CNode* CList<TYPE, ARG_TYPE>::NewNode(CNode* pPrev, CNode* pNext, ARG_TYPE value)
{
    if (m_pNodeFree == nullptr) {
        // One block: a link to the previous block, then m_nBlockSize raw nodes.
        const size_t nHeader = (sizeof(void*) + alignof(CNode) - 1) / alignof(CNode) * alignof(CNode);
        char* pBlock = static_cast<char*>(::operator new(nHeader + sizeof(CNode) * static_cast<size_t>(m_nBlockSize)));
        *reinterpret_cast<void**>(pBlock) = m_pBlocks;
        m_pBlocks = pBlock;
        CNode* pNodes = reinterpret_cast<CNode*>(pBlock + nHeader);
        for (INT_PTR i = m_nBlockSize - 1; i >= 0; --i) {
            pNodes[i].pNext = m_pNodeFree;
            m_pNodeFree = &pNodes[i];
        }
    }
    CNode* pNode = m_pNodeFree;
    CNode* pFreeNext = pNode->pNext;
    ::new (static_cast<void*>(&pNode->data)) TYPE(value);
    m_pNodeFree = pFreeNext;
    pNode->pPrev = pPrev;
    pNode->pNext = pNext;
    ++m_nCount;
    return pNode;
}

template <class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::FreeNode(CNode* pNode)
{
    pNode->data.~TYPE();
    pNode->pNext = m_pNodeFree;
    m_pNodeFree = pNode;
    // An empty list gives all its blocks back.
    if (--m_nCount == 0)
        RemoveAll();
}

template <class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::RemoveAll()
{
    for (CNode* p = m_pNodeHead; p; p = p->pNext)
        p->data.~TYPE();
    m_nCount = 0;
    m_pNodeHead = m_pNodeTail = m_pNodeFree = nullptr;
    while (m_pBlocks) {
        void* pNextBlock = *static_cast<void**>(m_pBlocks);
        ::operator delete(m_pBlocks);
        m_pBlocks = pNextBlock;
    }
}

template <class TYPE, class ARG_TYPE>
TYPE CList<TYPE, ARG_TYPE>::RemoveHead()
{
    CNode* pOld = m_pNodeHead;
    TYPE ret(std::move(pOld->data));
    m_pNodeHead = pOld->pNext;
    if (m_pNodeHead)
        m_pNodeHead->pPrev = nullptr;
    else
        m_pNodeTail = nullptr;
    FreeNode(pOld);
    return ret;
}

template <class TYPE, class ARG_TYPE>
TYPE CList<TYPE, ARG_TYPE>::RemoveTail()
{
    CNode* pOld = m_pNodeTail;
    TYPE ret(std::move(pOld->data));
    m_pNodeTail = pOld->pPrev;
    if (m_pNodeTail)
        m_pNodeTail->pNext = nullptr;
    else
        m_pNodeHead = nullptr;
    FreeNode(pOld);
    return ret;
}

template <class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::AddHead(CList* pNewList)
{
    if (!pNewList || pNewList == this)
        return;
    for (POSITION pos = pNewList->GetTailPosition(); pos;)
        AddHead(pNewList->GetPrev(pos));
}

template <class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::AddTail(CList* pNewList)
{
    if (!pNewList || pNewList == this)
        return;
    for (POSITION pos = pNewList->GetHeadPosition(); pos;)
        AddTail(pNewList->GetNext(pos));
}

template <class TYPE, class ARG_TYPE>
void CList<TYPE, ARG_TYPE>::RemoveAt(POSITION position)
{
    CNode* pOld = Node(position);
    if (!pOld)
        return;
    if (pOld == m_pNodeHead)
        m_pNodeHead = pOld->pNext;
    else
        pOld->pPrev->pNext = pOld->pNext;
    if (pOld == m_pNodeTail)
        m_pNodeTail = pOld->pPrev;
    else
        pOld->pNext->pPrev = pOld->pPrev;
    FreeNode(pOld);
}

template <class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::InsertBefore(POSITION position, ARG_TYPE newElement)
{
    CNode* pOld = Node(position);
    if (!pOld) {
        CNode* pNew = NewNode(nullptr, m_pNodeHead, newElement);
        if (m_pNodeHead)
            m_pNodeHead->pPrev = pNew;
        else
            m_pNodeTail = pNew;
        m_pNodeHead = pNew;
        return Pos(pNew);
    }
    CNode* pNew = NewNode(pOld->pPrev, pOld, newElement);
    if (pOld->pPrev)
        pOld->pPrev->pNext = pNew;
    else
        m_pNodeHead = pNew;
    pOld->pPrev = pNew;
    return Pos(pNew);
}

template <class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::InsertAfter(POSITION position, ARG_TYPE newElement)
{
    CNode* pOld = Node(position);
    if (!pOld) {
        CNode* pNew = NewNode(m_pNodeTail, nullptr, newElement);
        if (m_pNodeTail)
            m_pNodeTail->pNext = pNew;
        else
            m_pNodeHead = pNew;
        m_pNodeTail = pNew;
        return Pos(pNew);
    }
    CNode* pNew = NewNode(pOld, pOld->pNext, newElement);
    if (pOld->pNext)
        pOld->pNext->pPrev = pNew;
    else
        m_pNodeTail = pNew;
    pOld->pNext = pNew;
    return Pos(pNew);
}

template <class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::Find(ARG_TYPE searchValue, POSITION startAfter) const
{
    CNode* p = startAfter ? Node(startAfter)->pNext : m_pNodeHead;
    for (; p; p = p->pNext)
        if (CompareElements(&p->data, &searchValue))
            return Pos(p);
    return nullptr;
}

template <class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::FindIndex(INT_PTR nIndex) const
{
    if (nIndex < 0 || nIndex >= m_nCount)
        return nullptr;
    CNode* p = m_pNodeHead;
    while (nIndex--)
        p = p->pNext;
    return Pos(p);
}
