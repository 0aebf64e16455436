#include "ShellPidl.h"
#include <cstring>

LPITEMIDLIST CShellPidl::Next(LPCITEMIDLIST pidl)
{
    const BYTE* p = reinterpret_cast<const BYTE*>(pidl);
    return reinterpret_cast<LPITEMIDLIST>(const_cast<BYTE*>(p + pidl->mkid.cb));
}

UINT CShellPidl::GetSize(LPCITEMIDLIST pidl)
{
    if (!pidl)
        return 0;
    UINT cbTotal = sizeof(pidl->mkid.cb);
    for (; pidl->mkid.cb; pidl = Next(pidl))
        cbTotal += pidl->mkid.cb;
    return cbTotal;
}

LPITEMIDLIST CShellPidl::CreatePidl(UINT cbSize)
{
    LPMALLOC lpMalloc = nullptr;
    if (FAILED(::SHGetMalloc(&lpMalloc)))
        return nullptr;
    LPITEMIDLIST pidl = static_cast<LPITEMIDLIST>(lpMalloc->Alloc(cbSize));
    if (pidl)
        std::memset(pidl, 0, cbSize);
    lpMalloc->Release();
    return pidl;
}

LPITEMIDLIST CShellPidl::ConcatPidls(LPCITEMIDLIST pidl1, LPCITEMIDLIST pidl2)
{
    UINT cb1 = pidl1 ? GetSize(pidl1) - sizeof(pidl1->mkid.cb) : 0;
    UINT cb2 = GetSize(pidl2);
    LPITEMIDLIST pidlNew = CreatePidl(cb1 + cb2);
    if (!pidlNew)
        return nullptr;
    if (pidl1)
        std::memcpy(pidlNew, pidl1, cb1);
    if (pidl2)
        std::memcpy(reinterpret_cast<BYTE*>(pidlNew) + cb1, pidl2, cb2);
    return pidlNew;
}

LPITEMIDLIST CShellPidl::CopyITEMID(LPMALLOC lpMalloc, LPCITEMIDLIST lpi)
{
    UINT cb = lpi->mkid.cb + sizeof(lpi->mkid.cb);
    LPITEMIDLIST lpiTemp = static_cast<LPITEMIDLIST>(lpMalloc->Alloc(cb));
    if (lpiTemp)
        std::memcpy(lpiTemp, lpi, cb);
    return lpiTemp;
}

BOOL CShellPidl::GetName(LPSHELLFOLDER lpsf, LPCITEMIDLIST lpi, DWORD dwFlags, LPSTR lpName)
{
    STRRET str = {};
    if (FAILED(lpsf->GetDisplayNameOf(lpi, dwFlags, &str)))
        return FALSE;
    switch (str.uType) {
    case STRRET_WSTR: {
        // The shell allocated the wide string from the task allocator.
        int n = ::WideCharToMultiByte(CP_ACP, 0, str.pOleStr, -1, lpName, MAX_PATH + 1, nullptr, nullptr);
        if (n == 0)
            lpName[MAX_PATH] = '\0';
        ::CoTaskMemFree(str.pOleStr);
        return n != 0;
    }
    case STRRET_OFFSET:
        lstrcpynA(lpName, reinterpret_cast<LPCSTR>(lpi) + str.uOffset, MAX_PATH + 1);
        return TRUE;
    case STRRET_CSTR:
        lstrcpynA(lpName, str.cStr, MAX_PATH + 1);
        return TRUE;
    default:
        return FALSE;
    }
}

int CShellPidl::GetIcon(LPCITEMIDLIST lpifq, UINT uFlags)
{
    SHFILEINFOA sfi = {};
    if (!::SHGetFileInfoA(reinterpret_cast<LPCSTR>(lpifq), 0, &sfi, sizeof(sfi),
                          SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_SMALLICON | uFlags))
        return -1;
    return sfi.iIcon;
}

BOOL CShellPidl::DoTheMenuThing(HWND hwnd, LPSHELLFOLDER lpsfParent, LPITEMIDLIST lpi, LPPOINT lppt)
{
    LPCONTEXTMENU lpcm = nullptr;
    LPCITEMIDLIST apidl[1] = {lpi};
    if (FAILED(lpsfParent->GetUIObjectOf(hwnd, 1, apidl, IID_IContextMenu, nullptr, reinterpret_cast<void**>(&lpcm))))
        return FALSE;
    BOOL bInvoked = FALSE;
    HMENU hMenu = ::CreatePopupMenu();
    if (hMenu && SUCCEEDED(lpcm->QueryContextMenu(hMenu, 0, 1, 0x7fff, CMF_EXPLORE))) {
        int idCmd = ::TrackPopupMenu(hMenu, TPM_LEFTALIGN | TPM_RETURNCMD | TPM_RIGHTBUTTON,
                                     lppt->x, lppt->y, 0, hwnd, nullptr);
        if (idCmd) {
            CMINVOKECOMMANDINFO cmi = {};
            cmi.cbSize = sizeof(cmi);
            cmi.hwnd = hwnd;
            cmi.lpVerb = MAKEINTRESOURCEA(idCmd - 1);
            cmi.nShow = SW_SHOWNORMAL;
            bInvoked = SUCCEEDED(lpcm->InvokeCommand(&cmi));
        }
    }
    if (hMenu)
        ::DestroyMenu(hMenu);
    lpcm->Release();
    return bInvoked;
}
