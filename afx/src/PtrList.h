// CPtrList: a doubly linked list of untyped pointers (see CList: block-allocated
// nodes, POSITIONs that stay valid until their node is removed).
#pragma once
#include "List.h"

class AFX_CORE_CLASS CPtrList : public CObject
{
    DECLARE_DYNAMIC(CPtrList)
public:
    explicit CPtrList(INT_PTR nBlockSize = 10) : m_l(nBlockSize) {}
    ~CPtrList() override = default;

    INT_PTR GetCount() const { return m_l.GetCount(); }
    INT_PTR GetSize() const { return m_l.GetSize(); }
    BOOL IsEmpty() const { return m_l.IsEmpty(); }

    void*& GetHead() { return m_l.GetHead(); }
    void* GetHead() const { return m_l.GetHead(); }
    void*& GetTail() { return m_l.GetTail(); }
    void* GetTail() const { return m_l.GetTail(); }
    void* RemoveHead() { return m_l.RemoveHead(); }
    void* RemoveTail() { return m_l.RemoveTail(); }
    POSITION AddHead(void* newElement) { return m_l.AddHead(newElement); }
    POSITION AddTail(void* newElement) { return m_l.AddTail(newElement); }
    void AddHead(CPtrList* pNewList) { if (pNewList) m_l.AddHead(&pNewList->m_l); }
    void AddTail(CPtrList* pNewList) { if (pNewList) m_l.AddTail(&pNewList->m_l); }
    void RemoveAll() { m_l.RemoveAll(); }

    POSITION GetHeadPosition() const { return m_l.GetHeadPosition(); }
    POSITION GetTailPosition() const { return m_l.GetTailPosition(); }
    void*& GetNext(POSITION& rPosition) { return m_l.GetNext(rPosition); }
    void* GetNext(POSITION& rPosition) const { return m_l.GetNext(rPosition); }
    void*& GetPrev(POSITION& rPosition) { return m_l.GetPrev(rPosition); }
    void* GetPrev(POSITION& rPosition) const { return m_l.GetPrev(rPosition); }
    void*& GetAt(POSITION position) { return m_l.GetAt(position); }
    void* GetAt(POSITION position) const { return m_l.GetAt(position); }
    void SetAt(POSITION pos, void* newElement) { m_l.SetAt(pos, newElement); }
    void RemoveAt(POSITION position) { m_l.RemoveAt(position); }
    POSITION InsertBefore(POSITION position, void* newElement) { return m_l.InsertBefore(position, newElement); }
    POSITION InsertAfter(POSITION position, void* newElement) { return m_l.InsertAfter(position, newElement); }

    // Compares pointers.
    POSITION Find(void* searchValue, POSITION startAfter = nullptr) const { return m_l.Find(searchValue, startAfter); }
    POSITION FindIndex(INT_PTR nIndex) const { return m_l.FindIndex(nIndex); }

private:
    CList<void*, void*> m_l;
};
