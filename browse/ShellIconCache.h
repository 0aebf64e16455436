// CShellIconCache: the small system icons of the items one fill of the shell
// tree inserts. Asking the shell for an item's icon by identifier is slow
// (milliseconds per item), and files of one type share one icon, so a file's
// icon is looked up once per extension, unless its type draws a per-file icon
// (programs, icons, links). Folders and virtual items are asked one by one.
#pragma once
#include <afx.h>
#include <shlobj.h>
#include <map>
#include <string>

class CShellIconCache
{
public:
    // lpifq: the item's identifier from the desktop; pszFileName: its file
    // name for a file, null for anything else. -1 when the shell has no icon.
    int GetIcon(LPCITEMIDLIST lpifq, LPCSTR pszFileName);

private:
    static std::string ExtensionKey(LPCSTR pszFileName);
    static bool IconFollowsType(const std::string& strExt);

    std::map<std::string, int> m_icons;   // upper-case extension -> icon
};
