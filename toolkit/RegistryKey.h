// CRegistryKey: one open registry key below a root key. Paths are relative
// to the root; Open and Create make the opened key the current one, and the
// value operations work on it. Values of the wrong type or of absurd size
// read as missing. The key is closed by Close, by the next Open or Create and
// by the destructor.
#pragma once
#include <afx.h>

class AFX_EXT_CLASS CRegistryKey
{
public:
    CRegistryKey();
    ~CRegistryKey();

    void Attach(HKEY hRoot);
    HKEY GetKey() const { return m_hKey; }

    // Non-zero on success.
    BOOL Open(LPCSTR pszPath, REGSAM samDesired = KEY_ALL_ACCESS);
    BOOL Create(LPCSTR pszPath, REGSAM samDesired = KEY_ALL_ACCESS);
    // Deletes the key at pszPath below the root with all its subkeys.
    BOOL DeleteKey(LPCSTR pszPath);
    void Close();

    // Subkey names of the current key; FALSE when there is none at nIndex.
    BOOL EnumKey(DWORD nIndex, CString& strName);
    // A missing or unreadable value gives FALSE and an empty text (or 0).
    BOOL QueryString(LPCSTR pszName, CString& strValue);
    BOOL QueryDWORD(LPCSTR pszName, DWORD& dwValue);
    BOOL SetString(LPCSTR pszName, LPCSTR pszValue);

    // Longest value text that is read; longer ones count as unreadable.
    enum { kMaxValueBytes = 64 * 1024 };

private:
    CRegistryKey(const CRegistryKey&) = delete;
    CRegistryKey& operator=(const CRegistryKey&) = delete;

    HKEY m_hRoot;
    HKEY m_hKey;
};
