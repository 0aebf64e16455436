// CStringList: a doubly linked list of CString (see CList: block-allocated
// nodes, POSITIONs that stay valid until their node is removed).
#pragma once
#include "List.h"
#include "String.h"
class AFX_CORE_CLASS CStringList : public CObject
{
    DECLARE_DYNAMIC(CStringList)
public:
    explicit CStringList(INT_PTR nBlockSize = 10) : m_l(nBlockSize) {}
    ~CStringList() override = default;

    INT_PTR GetCount() const { return m_l.GetCount(); }
    INT_PTR GetSize() const { return m_l.GetSize(); }
    BOOL IsEmpty() const { return m_l.IsEmpty(); }

    CString& GetHead() { return m_l.GetHead(); }
    const CString& GetHead() const { return m_l.GetHead(); }
    CString& GetTail() { return m_l.GetTail(); }
    const CString& GetTail() const { return m_l.GetTail(); }
    CString RemoveHead() { return m_l.RemoveHead(); }
    CString RemoveTail() { return m_l.RemoveTail(); }
    POSITION AddHead(const CString& newElement) { return m_l.AddHead(newElement); }
    POSITION AddTail(const CString& newElement) { return m_l.AddTail(newElement); }
    void AddHead(CStringList* pNewList) { if (pNewList) m_l.AddHead(&pNewList->m_l); }
    void AddTail(CStringList* pNewList) { if (pNewList) m_l.AddTail(&pNewList->m_l); }
    void RemoveAll() { m_l.RemoveAll(); }

    POSITION GetHeadPosition() const { return m_l.GetHeadPosition(); }
    POSITION GetTailPosition() const { return m_l.GetTailPosition(); }
    CString& GetNext(POSITION& rPosition) { return m_l.GetNext(rPosition); }
    const CString& GetNext(POSITION& rPosition) const { return m_l.GetNext(rPosition); }
    CString& GetPrev(POSITION& rPosition) { return m_l.GetPrev(rPosition); }
    const CString& GetPrev(POSITION& rPosition) const { return m_l.GetPrev(rPosition); }
    CString& GetAt(POSITION position) { return m_l.GetAt(position); }
    const CString& GetAt(POSITION position) const { return m_l.GetAt(position); }
    void SetAt(POSITION pos, const CString& newElement) { m_l.SetAt(pos, newElement); }
    void RemoveAt(POSITION position) { m_l.RemoveAt(position); }
    POSITION InsertBefore(POSITION position, const CString& newElement) { return m_l.InsertBefore(position, newElement); }
    POSITION InsertAfter(POSITION position, const CString& newElement) { return m_l.InsertAfter(position, newElement); }

    // Compares the texts as CString::Compare does, up to the first zero.
    POSITION Find(LPCSTR searchValue, POSITION startAfter = nullptr) const { return m_l.Find(searchValue, startAfter); }
    POSITION FindIndex(INT_PTR nIndex) const { return m_l.FindIndex(nIndex); }

    POSITION AddHead(LPCSTR newElement) { return m_l.AddHead(CString(newElement)); }
    POSITION AddTail(LPCSTR newElement) { return m_l.AddTail(CString(newElement)); }
    void SetAt(POSITION pos, LPCSTR newElement) { m_l.SetAt(pos, CString(newElement)); }
    POSITION InsertBefore(POSITION position, LPCSTR newElement) { return m_l.InsertBefore(position, CString(newElement)); }
    POSITION InsertAfter(POSITION position, LPCSTR newElement) { return m_l.InsertAfter(position, CString(newElement)); }
private:
    CList<CString, const CString&> m_l;
};
