#include "DropFiles.h"
#include "FileList.h"
#include <shlobj.h>
#include <cstring>
#include <string>

HGLOBAL CDropFiles::CreateBlock(const CString& strFiles)
{
    SIZE_T cbList = static_cast<SIZE_T>(strFiles.GetLength());
    SIZE_T cbBlock = kHeaderSize + cbList + 2;
    // Grown in steps of 4096 bytes, as clipboard blocks of this library are.
    SIZE_T cbAlloc = (cbBlock + 4095) / 4096 * 4096;
    HGLOBAL hBlock = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_SHARE | GMEM_ZEROINIT, cbAlloc);
    if (!hBlock)
        return nullptr;
    BYTE* pBlock = static_cast<BYTE*>(::GlobalLock(hBlock));
    if (!pBlock) {
        ::GlobalFree(hBlock);
        return nullptr;
    }
    static_assert(sizeof(DROPFILES) == kHeaderSize, "the dropped-files header is 20 bytes");
    DROPFILES* pHeader = reinterpret_cast<DROPFILES*>(pBlock);
    pHeader->pFiles = kHeaderSize;
    pHeader->pt.x = 0;
    pHeader->pt.y = 0;
    pHeader->fNC = FALSE;
    pHeader->fWide = FALSE;
    memcpy(pBlock + kHeaderSize, strFiles.GetString(), cbList);   // the two zeros come from GMEM_ZEROINIT
    ::GlobalUnlock(hBlock);
    return hBlock;
}

BOOL CDropFiles::IsFullPath(const CString& strPath)
{
    // A relative entry would be taken from whatever the current folder is.
    int n = strPath.GetLength();
    bool bDrive = n >= 3 && isalpha(static_cast<unsigned char>(strPath[0])) && strPath[1] == ':' &&
                  (strPath[2] == '\\' || strPath[2] == '/');
    bool bNetwork = n >= 3 && strPath[0] == '\\' && strPath[1] == '\\';
    return bDrive || bNetwork;
}

void CDropFiles::AddEntry(const CString& strEntry, CString& strFiles)
{
    if (strEntry.GetLength() <= MAX_PATH && IsFullPath(strEntry))
        CFileList::Append(strFiles, strEntry);
}

void CDropFiles::ReadNarrow(const char* pch, size_t cch, CString& strFiles)
{
    CFileList walk(pch, static_cast<int>(cch));
    CString strEntry;
    while (walk.GetNext(strEntry))
        AddEntry(strEntry, strFiles);
}

void CDropFiles::ReadWide(const BYTE* pb, size_t cch, CString& strFiles)
{
    // The list may start at an odd offset: copy it to aligned characters first.
    std::wstring wide(cch, L'\0');
    memcpy(&wide[0], pb, cch * sizeof(wchar_t));
    const wchar_t* pwch = wide.c_str();
    size_t nPos = 0;
    while (nPos < cch) {
        size_t nLen = 0;
        while (nPos + nLen < cch && pwch[nPos + nLen] != 0 && nLen <= MAX_PATH)
            ++nLen;
        if (nPos + nLen >= cch || pwch[nPos + nLen] != 0 || nLen < 2)
            break;   // no terminator inside the block, too long, or the end
        char szPath[MAX_PATH * 2 + 1] = {};
        int cb = ::WideCharToMultiByte(CP_ACP, 0, pwch + nPos, static_cast<int>(nLen), szPath,
                                       sizeof(szPath) - 1, nullptr, nullptr);
        if (cb > 0)
            AddEntry(CString(szPath, cb), strFiles);
        nPos += nLen + 1;
    }
}

BOOL CDropFiles::ReadBlock(HGLOBAL hDrop, CString& strFiles, POINT* pPoint)
{
    if (!hDrop)
        return FALSE;
    SIZE_T cbBlock = ::GlobalSize(hDrop);
    if (cbBlock < kHeaderSize)
        return FALSE;
    const BYTE* pBlock = static_cast<const BYTE*>(::GlobalLock(hDrop));
    if (!pBlock)
        return FALSE;
    DROPFILES header;
    memcpy(&header, pBlock, sizeof(header));
    CString strRead;
    if (header.pFiles >= kHeaderSize && header.pFiles < cbBlock) {
        SIZE_T cbList = cbBlock - header.pFiles;
        if (header.fWide)
            ReadWide(pBlock + header.pFiles, cbList / sizeof(wchar_t), strRead);
        else
            ReadNarrow(reinterpret_cast<const char*>(pBlock + header.pFiles), cbList, strRead);
    }
    ::GlobalUnlock(hDrop);
    if (strRead.IsEmpty())
        return FALSE;
    strFiles = strRead;
    if (pPoint)
        *pPoint = header.pt;
    return TRUE;
}
