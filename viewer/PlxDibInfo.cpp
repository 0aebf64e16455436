#include "viewer/PlxDibInfo.h"
#include <string.h>

namespace
{
// Block size of the record's clipboard memory, the growth step of a shared memory file.
const SIZE_T kSharedFileGrowth = 4096;

void CopyCut(char* pszField, size_t nField, LPCSTR pszText)
{
    strncpy(pszField, pszText ? pszText : "", nField - 1);
    pszField[nField - 1] = 0;
}
} // namespace

CLIPFORMAT CPlxDibInfo::GetFormat()
{
    static const CLIPFORMAT s_cf = static_cast<CLIPFORMAT>(::RegisterClipboardFormatA("PlxDibInfo"));
    return s_cf;
}

void CPlxDibInfo::SetNames(sPLXDIBINFO& info, LPCSTR pszFileName, LPCSTR pszBaseName)
{
    CopyCut(info.szFileName, sizeof(info.szFileName), pszFileName);
    CopyCut(info.szBaseName, sizeof(info.szBaseName), pszBaseName);
}

HGLOBAL CPlxDibInfo::Write(const sPLXDIBINFO& info)
{
    HGLOBAL hBlock = ::GlobalAlloc(GMEM_SHARE | GMEM_MOVEABLE | GMEM_ZEROINIT, kSharedFileGrowth);
    void* p = hBlock ? ::GlobalLock(hBlock) : nullptr;
    if (!p)
    {
        if (hBlock)
            ::GlobalFree(hBlock);
        return nullptr;
    }
    memcpy(p, &info, sizeof(info));
    ::GlobalUnlock(hBlock);
    return hBlock;
}

BOOL CPlxDibInfo::Read(HGLOBAL hBlock, sPLXDIBINFO& info)
{
    if (!hBlock || ::GlobalSize(hBlock) < sizeof(info))
        return FALSE;
    const void* p = ::GlobalLock(hBlock);
    if (!p)
        return FALSE;
    memcpy(&info, p, sizeof(info));
    ::GlobalUnlock(hBlock);
    return TRUE;
}

CString CPlxDibInfo::GetFileName(const sPLXDIBINFO& info)
{
    return CString(info.szFileName, static_cast<int>(strnlen(info.szFileName, sizeof(info.szFileName))));
}

CString CPlxDibInfo::GetBaseName(const sPLXDIBINFO& info)
{
    return CString(info.szBaseName, static_cast<int>(strnlen(info.szBaseName, sizeof(info.szBaseName))));
}
