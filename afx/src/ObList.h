// CObList: a doubly linked list of CObject pointers (not owned) (see CList: block-allocated
// nodes, POSITIONs that stay valid until their node is removed).
#pragma once
#include "List.h"

class AFX_CORE_CLASS CObList : public CObject
{
    DECLARE_DYNAMIC(CObList)
public:
    explicit CObList(INT_PTR nBlockSize = 10) : m_l(nBlockSize) {}
    ~CObList() override = default;

    INT_PTR GetCount() const { return m_l.GetCount(); }
    INT_PTR GetSize() const { return m_l.GetSize(); }
    BOOL IsEmpty() const { return m_l.IsEmpty(); }

    CObject*& GetHead() { return m_l.GetHead(); }
    CObject* GetHead() const { return m_l.GetHead(); }
    CObject*& GetTail() { return m_l.GetTail(); }
    CObject* GetTail() const { return m_l.GetTail(); }
    CObject* RemoveHead() { return m_l.RemoveHead(); }
    CObject* RemoveTail() { return m_l.RemoveTail(); }
    POSITION AddHead(CObject* newElement) { return m_l.AddHead(newElement); }
    POSITION AddTail(CObject* newElement) { return m_l.AddTail(newElement); }
    void AddHead(CObList* pNewList) { if (pNewList) m_l.AddHead(&pNewList->m_l); }
    void AddTail(CObList* pNewList) { if (pNewList) m_l.AddTail(&pNewList->m_l); }
    void RemoveAll() { m_l.RemoveAll(); }

    POSITION GetHeadPosition() const { return m_l.GetHeadPosition(); }
    POSITION GetTailPosition() const { return m_l.GetTailPosition(); }
    CObject*& GetNext(POSITION& rPosition) { return m_l.GetNext(rPosition); }
    CObject* GetNext(POSITION& rPosition) const { return m_l.GetNext(rPosition); }
    CObject*& GetPrev(POSITION& rPosition) { return m_l.GetPrev(rPosition); }
    CObject* GetPrev(POSITION& rPosition) const { return m_l.GetPrev(rPosition); }
    CObject*& GetAt(POSITION position) { return m_l.GetAt(position); }
    CObject* GetAt(POSITION position) const { return m_l.GetAt(position); }
    void SetAt(POSITION pos, CObject* newElement) { m_l.SetAt(pos, newElement); }
    void RemoveAt(POSITION position) { m_l.RemoveAt(position); }
    POSITION InsertBefore(POSITION position, CObject* newElement) { return m_l.InsertBefore(position, newElement); }
    POSITION InsertAfter(POSITION position, CObject* newElement) { return m_l.InsertAfter(position, newElement); }

    // Compares pointers, not the objects.
    POSITION Find(CObject* searchValue, POSITION startAfter = nullptr) const { return m_l.Find(searchValue, startAfter); }
    POSITION FindIndex(INT_PTR nIndex) const { return m_l.FindIndex(nIndex); }

private:
    CList<CObject*, CObject*> m_l;
};
