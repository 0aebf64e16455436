// Small helpers of the shell tree's source files: a path's name and folder
// part, one item's attributes, and the desktop's identifier for a path.
// Private to browse/.
#pragma once
#include <afxwin.h>
#include <shlobj.h>
#include "framework/PathStrPart.h"

namespace ShellTreeParts
{
inline CString NameOf(const CString& strPath)
{
    CString s = strPath;
    CPathStrPart part;
    part.Attach(&s);
    return part.GetName();
}

inline CString FolderOf(const CString& strPath)
{
    CString s = strPath;
    CPathStrPart part;
    part.Attach(&s);
    return part.GetPath();
}

inline ULONG AttributesOf(LPSHELLFOLDER lpsf, LPCITEMIDLIST lpi, ULONG ulAsk)
{
    ULONG ul = ulAsk;
    if (FAILED(lpsf->GetAttributesOf(1, &lpi, &ul)))
        return 0;
    return ul;
}

// The desktop's identifier for a path, or none; paths the shell cannot take
// (too long, unknown) fail quietly.
inline LPITEMIDLIST ParsePath(LPSHELLFOLDER lpsfDesktop, const CString& strPath)
{
    if (strPath.IsEmpty() || strPath.GetLength() > MAX_PATH)
        return nullptr;
    WCHAR wsz[MAX_PATH + 1];
    if (!::MultiByteToWideChar(CP_ACP, 0, strPath, -1, wsz, MAX_PATH + 1))
        return nullptr;
    LPITEMIDLIST pidl = nullptr;
    ULONG ulEaten = 0;
    if (FAILED(lpsfDesktop->ParseDisplayName(nullptr, nullptr, wsz, &ulEaten, &pidl, nullptr)))
        return nullptr;
    return pidl;
}
} // namespace ShellTreeParts
