// Texts at the driver boundary: fixed, zero-padded buffers as the drivers
// expect them, and the multibyte-aware comparison of names. Private to the
// library.
#pragma once
#include <afxwin.h>
#include <mbstring.h>
#include <string.h>

namespace DriverText
{
// Fixed text buffer sizes of the entry points.
const int kTagBufferSize = 50;
const int kPathBufferSize = 260;
const int kNameBufferSize = 255;

inline int MbsEqual(LPCSTR a, LPCSTR b)
{
    return _mbscmp(reinterpret_cast<const unsigned char*>(a),
                   reinterpret_cast<const unsigned char*>(b)) == 0;
}
} // namespace DriverText

// A text copied into a zeroed buffer of a fixed size, as the drivers expect.
class CTextBuffer
{
public:
    CTextBuffer(const CString& str, int nSize) : m_str(str), m_nSize(nSize)
    {
        LPSTR psz = m_str.GetBuffer(nSize);
        int nLength = m_str.GetLength() < nSize ? m_str.GetLength() : nSize - 1;
        memset(psz + nLength, 0, nSize - nLength);
    }
    ~CTextBuffer() { m_str.ReleaseBuffer(); }
    char* Get() { return m_str.GetBuffer(m_nSize); }
    CString Text()
    {
        Get()[m_nSize - 1] = 0;
        return CString(Get());
    }

private:
    CString m_str;
    int m_nSize;
};
