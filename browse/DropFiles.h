// CDropFiles: the platform's dropped-files block (CF_HDROP) for a file list,
// and the file list read back out of such a block. Blocks come from other
// programs, so reading trusts nothing in them: the list must start inside
// the block, every entry must end inside it, wide lists are converted to
// the ANSI code page, and only full paths (drive or network) are taken.
#pragma once
#include <afx.h>

class AFX_EXT_CLASS CDropFiles
{
public:
    enum { kHeaderSize = 20 };

    // A movable, shareable block: the 20-byte header (list at offset 20,
    // point 0,0, not non-client, narrow), the list's characters as stored
    // (its whole length, embedded zeros included), then two zero bytes.
    // The caller owns it; null without memory.
    static HGLOBAL CreateBlock(const CString& strFiles);

    // The block's files as a file list (each at most MAX_PATH characters)
    // and its drop point; FALSE, with both untouched, when the block is
    // malformed or names no usable file.
    static BOOL ReadBlock(HGLOBAL hDrop, CString& strFiles, POINT* pPoint = nullptr);

private:
    static BOOL IsFullPath(const CString& strPath);
    static void ReadNarrow(const char* pch, size_t cch, CString& strFiles);
    static void ReadWide(const BYTE* pb, size_t cch, CString& strFiles);
    static void AddEntry(const CString& strEntry, CString& strFiles);
};
