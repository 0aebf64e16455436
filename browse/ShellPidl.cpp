#include "ShellPidl.h"
#include <shlwapi.h>
#include <cstring>

// The identifier helpers are the shell's own; every list they make comes
// from the task allocator.

LPITEMIDLIST CShellPidl::Next(LPCITEMIDLIST pidl)
{
    return const_cast<LPITEMIDLIST>(ILNext(pidl));
}

UINT CShellPidl::GetSize(LPCITEMIDLIST pidl)
{
    return pidl ? ::ILGetSize(pidl) : 0;
}

LPITEMIDLIST CShellPidl::CreatePidl(UINT cbSize)
{
    LPITEMIDLIST pidl = static_cast<LPITEMIDLIST>(::CoTaskMemAlloc(cbSize));
    if (pidl)
        std::memset(pidl, 0, cbSize);
    return pidl;
}

LPITEMIDLIST CShellPidl::ConcatPidls(LPCITEMIDLIST pidl1, LPCITEMIDLIST pidl2)
{
    return ::ILCombine(pidl1, pidl2);
}

LPITEMIDLIST CShellPidl::CopyITEMID(LPMALLOC, LPCITEMIDLIST lpi)
{
    return ::ILCloneFirst(lpi);
}

BOOL CShellPidl::GetName(LPSHELLFOLDER lpsf, LPCITEMIDLIST lpi, DWORD dwFlags, LPSTR lpName)
{
    STRRET str = {};
    if (FAILED(lpsf->GetDisplayNameOf(lpi, dwFlags, &str)))
        return FALSE;
    // StrRetToBuf frees a name the shell allocated.
    return SUCCEEDED(::StrRetToBufA(&str, lpi, lpName, MAX_PATH + 1));
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
