#include "ShellIconCache.h"
#include "ShellPidl.h"
#include <cctype>
#include <cstring>

namespace {

// Types whose icon the shell takes from the file itself.
const char* const kPerFileTypes[] = {"EXE", "ICO", "CUR", "ANI", "LNK", "URL", "PIF", "SCR", "CPL"};

bool ReadClassValue(const std::string& strKey, std::string* pValue)
{
    char sz[MAX_PATH] = "";
    LONG cb = sizeof(sz);
    if (::RegQueryValueA(HKEY_CLASSES_ROOT, strKey.c_str(), sz, &cb) != ERROR_SUCCESS)
        return false;
    *pValue = sz;
    return true;
}

bool ClassKeyExists(const std::string& strKey)
{
    HKEY hKey = nullptr;
    if (::RegOpenKeyExA(HKEY_CLASSES_ROOT, strKey.c_str(), 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return false;
    ::RegCloseKey(hKey);
    return true;
}

}

std::string CShellIconCache::ExtensionKey(LPCSTR pszFileName)
{
    LPCSTR pszDot = std::strrchr(pszFileName, '.');
    std::string strExt = pszDot ? pszDot + 1 : "";
    for (char& c : strExt)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return strExt;
}

// A type draws one icon for all its files unless its class names the file
// itself ("%1") as the icon or has an icon handler.
bool CShellIconCache::IconFollowsType(const std::string& strExt)
{
    for (const char* pszType : kPerFileTypes)
        if (strExt == pszType)
            return false;
    std::string strClass;
    if (strExt.empty() || !ReadClassValue("." + strExt, &strClass) || strClass.empty())
        return true;
    std::string strIcon;
    if (ReadClassValue(strClass + "\\DefaultIcon", &strIcon) && strIcon.find("%1") != std::string::npos)
        return false;
    return !ClassKeyExists(strClass + "\\shellex\\IconHandler");
}

int CShellIconCache::GetIcon(LPCITEMIDLIST lpifq, LPCSTR pszFileName)
{
    if (!pszFileName)
        return CShellPidl::GetIcon(lpifq, 0);
    std::string strExt = ExtensionKey(pszFileName);
    auto it = m_icons.find(strExt);
    if (it != m_icons.end() && it->second >= 0)
        return it->second;
    int nIcon = CShellPidl::GetIcon(lpifq, 0);
    if (it == m_icons.end())
        // Remember the icon for types that share one, a marker for the others.
        m_icons[strExt] = IconFollowsType(strExt) ? nIcon : -1;
    return nIcon;
}
