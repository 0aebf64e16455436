// CShellPidl: small helpers for the shell's item identifier lists. An
// identifier list is a run of elements, each starting with its own 16-bit
// byte count, ended by a zero count. Every list made here comes from the
// shell's task allocator, so whoever receives it frees it there.
#pragma once
#include <afx.h>
#include <shlobj.h>

// The record a shell tree item carries as its item data. The record and both
// identifiers come from the shell's task allocator; the record holds one
// reference on its parent folder.
struct tagID
{
    LPSHELLFOLDER lpsfParent;   // the folder that contains the item
    LPITEMIDLIST lpi;           // the item relative to lpsfParent (one element)
    LPITEMIDLIST lpifq;         // the item relative to the desktop
};
typedef tagID* LPTVITEMDATA;

class AFX_EXT_CLASS CShellPidl
{
public:
    // The element after pidl's first one (the terminator at the end).
    static LPITEMIDLIST Next(LPCITEMIDLIST pidl);
    // Bytes of the whole list with its terminator; 0 without a list.
    static UINT GetSize(LPCITEMIDLIST pidl);
    // A zero-filled block of cbSize bytes from the task allocator, or none.
    static LPITEMIDLIST CreatePidl(UINT cbSize);
    // pidl1 without its terminator followed by all of pidl2; a copy of pidl2
    // when there is no pidl1.
    static LPITEMIDLIST ConcatPidls(LPCITEMIDLIST pidl1, LPCITEMIDLIST pidl2);
    // The first element and the two bytes after it (the terminator of the
    // one-element lists that enumeration hands out).
    static LPITEMIDLIST CopyITEMID(LPMALLOC lpMalloc, LPCITEMIDLIST lpi);

    // The element's name as lpsf gives it for dwFlags, in the ANSI code page,
    // at most MAX_PATH characters (lpName holds MAX_PATH + 1). 1 or 0.
    static BOOL GetName(LPSHELLFOLDER lpsf, LPCITEMIDLIST lpi, DWORD dwFlags, LPSTR lpName);
    // The system image list index of the item's small icon (uFlags may add
    // SHGFI_OPENICON); -1 when the shell has none.
    static int GetIcon(LPCITEMIDLIST lpifq, UINT uFlags);

    // Shows the shell's context menu of lpi (an element of lpsfParent) at the
    // screen point and runs the chosen command; hwnd owns the menu.
    static BOOL DoTheMenuThing(HWND hwnd, LPSHELLFOLDER lpsfParent, LPITEMIDLIST lpi, LPPOINT lppt);
};
