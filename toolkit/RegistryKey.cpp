#include "RegistryKey.h"

namespace {
bool IsText(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ; }

// Registry texts need not carry their terminator; cut at the first zero.
void TakeText(const char* pData, DWORD cb, CString& strValue)
{
    DWORD n = 0;
    while (n < cb && pData[n])
        ++n;
    strValue = CString(pData, static_cast<int>(n));
}
}

CRegistryKey::CRegistryKey() : m_hRoot(HKEY_CURRENT_USER), m_hKey(nullptr) {}

CRegistryKey::~CRegistryKey() { Close(); }

void CRegistryKey::Attach(HKEY hRoot)
{
    Close();
    m_hRoot = hRoot;
}

BOOL CRegistryKey::Open(LPCSTR pszPath, REGSAM samDesired)
{
    Close();
    if (!pszPath)
        return FALSE;
    return ::RegOpenKeyExA(m_hRoot, pszPath, 0, samDesired, &m_hKey) == ERROR_SUCCESS;
}

BOOL CRegistryKey::Create(LPCSTR pszPath, REGSAM samDesired)
{
    Close();
    if (!pszPath)
        return FALSE;
    return ::RegCreateKeyExA(m_hRoot, pszPath, 0, nullptr, REG_OPTION_NON_VOLATILE, samDesired, nullptr,
                             &m_hKey, nullptr) == ERROR_SUCCESS;
}

BOOL CRegistryKey::DeleteKey(LPCSTR pszPath)
{
    // An empty path would delete the root's whole contents.
    if (!pszPath || !*pszPath)
        return FALSE;
    return ::RegDeleteTreeA(m_hRoot, pszPath) == ERROR_SUCCESS;
}

void CRegistryKey::Close()
{
    if (m_hKey) {
        ::RegCloseKey(m_hKey);
        m_hKey = nullptr;
    }
}

BOOL CRegistryKey::EnumKey(DWORD nIndex, CString& strName)
{
    if (!m_hKey)
        return FALSE;
    char name[256];
    DWORD cch = sizeof(name);
    if (::RegEnumKeyExA(m_hKey, nIndex, name, &cch, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        return FALSE;
    strName = CString(name, static_cast<int>(cch));
    return TRUE;
}

BOOL CRegistryKey::QueryString(LPCSTR pszName, CString& strValue)
{
    strValue.Empty();
    if (!m_hKey)
        return FALSE;
    // One call for the usual short texts; a second only for long ones.
    char small[512];
    DWORD type = 0, cb = sizeof(small);
    LONG rc = ::RegQueryValueExA(m_hKey, pszName, nullptr, &type, reinterpret_cast<BYTE*>(small), &cb);
    if (rc == ERROR_SUCCESS) {
        if (!IsText(type))
            return FALSE;
        TakeText(small, cb, strValue);
        return TRUE;
    }
    if (rc != ERROR_MORE_DATA || !IsText(type) || cb > kMaxValueBytes)
        return FALSE;
    CString buffer;
    char* pData = buffer.GetBuffer(static_cast<int>(cb));
    DWORD cbRead = cb;
    rc = ::RegQueryValueExA(m_hKey, pszName, nullptr, &type, reinterpret_cast<BYTE*>(pData), &cbRead);
    if (rc != ERROR_SUCCESS || !IsText(type) || cbRead > cb) {
        buffer.ReleaseBuffer(0);
        return FALSE;
    }
    TakeText(pData, cbRead, strValue);
    buffer.ReleaseBuffer(0);
    return TRUE;
}

BOOL CRegistryKey::QueryDWORD(LPCSTR pszName, DWORD& dwValue)
{
    dwValue = 0;
    if (!m_hKey)
        return FALSE;
    DWORD type = 0, value = 0, cb = sizeof(value);
    if (::RegQueryValueExA(m_hKey, pszName, nullptr, &type, reinterpret_cast<BYTE*>(&value), &cb) != ERROR_SUCCESS
        || type != REG_DWORD || cb != sizeof(value))
        return FALSE;
    dwValue = value;
    return TRUE;
}

BOOL CRegistryKey::SetString(LPCSTR pszName, LPCSTR pszValue)
{
    if (!m_hKey)
        return FALSE;
    if (!pszValue)
        pszValue = "";
    return ::RegSetValueExA(m_hKey, pszName, 0, REG_SZ, reinterpret_cast<const BYTE*>(pszValue),
                            static_cast<DWORD>(lstrlenA(pszValue) + 1)) == ERROR_SUCCESS;
}
