#include "Edit.h"
#include <string.h>

IMPLEMENT_DYNAMIC(CEdit, CWnd)

CEdit::~CEdit()
{
    DestroyWindow();
}

BOOL CEdit::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create("EDIT", nullptr, dwStyle, rect, pParentWnd, nID);
}

void CEdit::GetSel(int& nStartChar, int& nEndChar) const
{
    DWORD dwStart = 0, dwEnd = 0;
    SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&dwStart), reinterpret_cast<LPARAM>(&dwEnd));
    nStartChar = static_cast<int>(dwStart);
    nEndChar = static_cast<int>(dwEnd);
}

void CEdit::SetSel(int nStartChar, int nEndChar, BOOL bNoScroll)
{
    SendMessage(EM_SETSEL, static_cast<WPARAM>(nStartChar), nEndChar);
    if (!bNoScroll)
        SendMessage(EM_SCROLLCARET);
}

// EM_GETLINE reads the buffer size from the first WORD of the buffer.
int CEdit::GetLine(int nIndex, LPSTR lpszBuffer) const
{
    return static_cast<int>(SendMessage(EM_GETLINE, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpszBuffer)));
}

int CEdit::GetLine(int nIndex, LPSTR lpszBuffer, int nMaxLength) const
{
    if (!lpszBuffer || nMaxLength <= 0)
        return 0;
    if (nMaxLength < static_cast<int>(sizeof(WORD))) {
        // Too small to carry the size word: go through a buffer of our own.
        char tmp[sizeof(WORD)] = {};
        *reinterpret_cast<WORD*>(tmp) = static_cast<WORD>(nMaxLength);
        int n = GetLine(nIndex, tmp);
        if (n > nMaxLength)
            n = nMaxLength;
        memcpy(lpszBuffer, tmp, static_cast<size_t>(n));
        return n;
    }
    *reinterpret_cast<WORD*>(lpszBuffer) = static_cast<WORD>(nMaxLength > 0xffff ? 0xffff : nMaxLength);
    return GetLine(nIndex, lpszBuffer);
}
