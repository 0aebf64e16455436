// CString: an ANSI string with an explicit length, so that embedded zero
// characters survive copying, concatenation and the buffer operations.
// Comparisons follow the multibyte rules of the current code page.
#pragma once
#include "AfxDefs.h"
#include <stdarg.h>

class AFX_CORE_CLASS CString
{
public:
    CString();
    CString(const CString& src);
    CString(CString&& src) noexcept;
    CString(LPCSTR psz);
    CString(LPCSTR pch, int nLength);
    CString(char ch, int nRepeat = 1);
    ~CString();

    int GetLength() const { return m_nLength; }
    BOOL IsEmpty() const { return m_nLength == 0; }
    void Empty();
    char GetAt(int nIndex) const { return m_pchData[nIndex]; }
    char operator[](int nIndex) const { return m_pchData[nIndex]; }
    void SetAt(int nIndex, char ch);
    operator LPCSTR() const { return m_pchData; }
    LPCSTR GetString() const { return m_pchData; }

    CString& operator=(const CString& src);
    CString& operator=(CString&& src) noexcept;
    CString& operator=(LPCSTR psz);
    CString& operator=(char ch);
    CString& operator+=(const CString& src);
    CString& operator+=(LPCSTR psz);
    CString& operator+=(char ch);

    // Multibyte-aware, stop at the first zero character as the runtime does.
    int Compare(LPCSTR psz) const;
    int CompareNoCase(LPCSTR psz) const;
    int Collate(LPCSTR psz) const;
    int CollateNoCase(LPCSTR psz) const;

    CString Mid(int nFirst) const;
    CString Mid(int nFirst, int nCount) const;
    CString Left(int nCount) const;
    CString Right(int nCount) const;
    CString SpanIncluding(LPCSTR pszCharSet) const;
    CString SpanExcluding(LPCSTR pszCharSet) const;

    void MakeUpper();
    void MakeLower();
    void MakeReverse();
    int Replace(char chOld, char chNew);
    int Replace(LPCSTR pszOld, LPCSTR pszNew);
    int Remove(char ch);
    int Insert(int nIndex, char ch);
    int Insert(int nIndex, LPCSTR psz);
    int Delete(int nIndex, int nCount = 1);
    void TrimRight();
    void TrimRight(char chTarget);
    void TrimRight(LPCSTR pszTargets);
    void TrimLeft();
    void TrimLeft(char chTarget);
    void TrimLeft(LPCSTR pszTargets);

    int Find(char ch) const;
    int Find(char ch, int nStart) const;
    int Find(LPCSTR pszSub) const;
    int Find(LPCSTR pszSub, int nStart) const;
    int ReverseFind(char ch) const;
    int FindOneOf(LPCSTR pszCharSet) const;

    void AFX_CDECL Format(LPCSTR pszFormat, ...);
    void AFX_CDECL Format(UINT nFormatID, ...);
    void FormatV(LPCSTR pszFormat, va_list argList);

    // Loads string nID from the first module of the resource chain that has it.
    BOOL LoadString(UINT nID);

    LPSTR GetBuffer(int nMinBufLength);
    LPSTR GetBufferSetLength(int nNewLength);
    void ReleaseBuffer(int nNewLength = -1);
    LPSTR LockBuffer() { return GetBuffer(0); }
    void UnlockBuffer() {}
    void FreeExtra();
    int GetAllocLength() const { return m_nAlloc; }

private:
    void Assign(LPCSTR pch, int nLength);
    void Append(LPCSTR pch, int nLength);
    void Reserve(int nLength);
    void SetLength(int nLength);
    int SafeStrlen(LPCSTR psz) const;

    char* m_pchData;   // always zero-terminated; never null
    int m_nLength;
    int m_nAlloc;      // capacity without the terminator; 0 = the shared empty text
};

AFX_CORE_API CString AFXAPI operator+(const CString& s1, const CString& s2);
AFX_CORE_API CString AFXAPI operator+(const CString& s, LPCSTR psz);
AFX_CORE_API CString AFXAPI operator+(LPCSTR psz, const CString& s);
AFX_CORE_API CString AFXAPI operator+(const CString& s, char ch);
AFX_CORE_API CString AFXAPI operator+(char ch, const CString& s);

inline bool operator==(const CString& s1, const CString& s2) { return s1.Compare(s2) == 0; }
inline bool operator==(const CString& s1, LPCSTR s2) { return s1.Compare(s2) == 0; }
inline bool operator==(LPCSTR s1, const CString& s2) { return s2.Compare(s1) == 0; }
inline bool operator!=(const CString& s1, const CString& s2) { return s1.Compare(s2) != 0; }
inline bool operator!=(const CString& s1, LPCSTR s2) { return s1.Compare(s2) != 0; }
inline bool operator!=(LPCSTR s1, const CString& s2) { return s2.Compare(s1) != 0; }
inline bool operator<(const CString& s1, const CString& s2) { return s1.Compare(s2) < 0; }
inline bool operator<(const CString& s1, LPCSTR s2) { return s1.Compare(s2) < 0; }
inline bool operator>(const CString& s1, const CString& s2) { return s1.Compare(s2) > 0; }
inline bool operator>(const CString& s1, LPCSTR s2) { return s1.Compare(s2) > 0; }
inline bool operator<=(const CString& s1, const CString& s2) { return s1.Compare(s2) <= 0; }
inline bool operator>=(const CString& s1, const CString& s2) { return s1.Compare(s2) >= 0; }
