// CArchive: a buffered binary stream over a CFile, in one direction. Values
// are stored little-endian with MFC's sizes (int and unsigned as 4 bytes,
// short as 2, char as 1), so that archives are exchanged with MFC programs.
// A read that finds the file ended throws CArchiveException::endOfFile; a
// write into a loading archive (or the reverse) throws readOnly/writeOnly.
#pragma once
#include "ArchiveException.h"
#include "File.h"

class CDocument;
class CArchive;

// A CString as MFC streams it: its length (see CArchive::WriteStringLength),
// then its characters. Reading accepts strings written as wide characters too.
AFX_CORE_API CArchive& AFXAPI operator<<(CArchive& ar, const CString& string);
AFX_CORE_API CArchive& AFXAPI operator>>(CArchive& ar, CString& string);

class AFX_CORE_CLASS CArchive
{
public:
    enum Mode { store = 0, load = 1, bNoFlushOnDelete = 2, bNoByteSwap = 4 };

    CArchive(CFile* pFile, UINT nMode, int nBufSize = 4096, void* lpBuf = nullptr);
    // Flushes what is buffered unless bNoFlushOnDelete was given; errors of
    // that flush are lost, so a writer that cares calls Close() itself.
    ~CArchive();

    BOOL IsLoading() const { return (m_nMode & load) != 0; }
    BOOL IsStoring() const { return (m_nMode & load) == 0; }
    BOOL IsByteSwapping() const { return FALSE; }
    BOOL IsBufferEmpty() const { return m_lpBufCur == m_lpBufMax; }
    CFile* GetFile() const { return m_pFile; }
    UINT GetObjectSchema() { UINT n = m_nObjectSchema; m_nObjectSchema = (UINT)-1; return n; }
    void SetObjectSchema(UINT nSchema) { m_nObjectSchema = nSchema; }

    // Reads up to nMax bytes; fewer only at the end of the file.
    UINT Read(void* lpBuf, UINT nMax);
    void Write(const void* lpBuf, UINT nMax);
    // Storing: writes the buffer to the file. Loading: gives back to the
    // file what was read ahead, so that the file stands after the last value read.
    void Flush();
    void Close();
    // Detaches from the file without writing what is buffered.
    void Abort();

    // Text lines: WriteString writes the characters only; ReadString reads up
    // to a line feed and drops the line end. FALSE/null at the end of the file.
    void WriteString(LPCSTR lpsz);
    LPSTR ReadString(LPSTR lpsz, UINT nMax);
    BOOL ReadString(CString& rString);

    CArchive& operator<<(BYTE by);
    CArchive& operator<<(WORD w);
    CArchive& operator<<(LONG l);
    CArchive& operator<<(DWORD dw);
    CArchive& operator<<(float f);
    CArchive& operator<<(double d);
    CArchive& operator<<(int i);
    CArchive& operator<<(short w);
    CArchive& operator<<(char ch);
    CArchive& operator<<(unsigned u);
    CArchive& operator<<(bool b);
    CArchive& operator<<(LONGLONG n);
    CArchive& operator<<(ULONGLONG n);

    CArchive& operator>>(BYTE& by);
    CArchive& operator>>(WORD& w);
    CArchive& operator>>(LONG& l);
    CArchive& operator>>(DWORD& dw);
    CArchive& operator>>(float& f);
    CArchive& operator>>(double& d);
    CArchive& operator>>(int& i);
    CArchive& operator>>(short& w);
    CArchive& operator>>(char& ch);
    CArchive& operator>>(unsigned& u);
    CArchive& operator>>(bool& b);
    CArchive& operator>>(LONGLONG& n);
    CArchive& operator>>(ULONGLONG& n);

    // The length of a CString as it precedes the characters: one byte below
    // 255, else 0xFF and a WORD below 0xFFFE, else 0xFF 0xFFFF and a DWORD.
    // ReadStringLength returns -1 for the marker of a string of wide characters.
    void WriteStringLength(DWORD nLength);
    INT_PTR ReadStringLength();

    CDocument* m_pDocument;   // the document being saved or loaded, if any
    CString m_strFileName;

private:
    void StoreBytes(const void* p, UINT n);
    void LoadBytes(void* p, UINT n);
    // Makes at least nBytesNeeded bytes available in the buffer or throws endOfFile.
    void FillBuffer(UINT nBytesNeeded);

    CFile* m_pFile;
    UINT m_nMode;
    UINT m_nObjectSchema;
    BOOL m_bUserBuf;
    UINT m_nBufSize;
    BYTE* m_lpBufStart;
    BYTE* m_lpBufCur;
    BYTE* m_lpBufMax;

    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;
};
