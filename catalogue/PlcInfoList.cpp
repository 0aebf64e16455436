#include "PlcInfoList.h"
#include "CacheRecord.h"
#include <afxwin.h>
#include "framework/PathStrPart.h"
#include "toolkit/FileSystemObject.h"
#include "toolkit/RegistryKey.h"
#include <mbstring.h>
#include <stdio.h>
#include <stdlib.h>

namespace {
const char kOldLayoutKey[] = "VarnPlexa\\PLCDrivers";

// The older layout keeps these seven as subkeys with a default value each.
const char* const kOldLayoutNames[] = {
    "Firmware_Ver", "Project_Code", "DLL_Ver", "FullPath", "Compatibility", "DProto", "TagSupport"};

CString Decimal(int n)
{
    CString s;
    s.Format("%d", n);
    return s;
}

CString HostRegistryKey()
{
    CWinApp* pApp = AfxGetApp();
    return pApp && pApp->m_pszRegistryKey ? CString(pApp->m_pszRegistryKey) : CString();
}

// The texts stored for one descriptor, in the order they are written.
struct ValueTexts
{
    CString firmware, code, dllVersion, folder, compatibility, dproto, tags, oldTags, special;
};

ValueTexts TextsOf(CPlcInfo& info)
{
    ValueTexts t;
    info.GetVersionStr(&t.firmware);
    t.code = Decimal(info.m_byCode);
    t.dllVersion = info.m_strDllVersion;
    t.folder = info.m_strFolder;
    t.compatibility = info.m_strCompatibility;
    t.dproto = Decimal(info.m_bDProto ? 1 : 0);
    t.tags = Decimal(info.m_bTagSupport ? 1 : 0);
    t.oldTags = Decimal(info.m_bOldTagSupport ? 1 : 0);
    t.special = Decimal(info.m_bSpecialImport ? 1 : 0);
    return t;
}

// A value that cannot be written is passed over, as the cache is rebuilt by the next scan.
void WriteCurrentLayout(CRegistryKey& key, CPlcInfo& info)
{
    ValueTexts t = TextsOf(info);
    key.SetString("Driver_Name", info.m_strDriverName);
    key.SetString("Firmware_Ver", t.firmware);
    key.SetString("Project_Code", t.code);
    key.SetString("DLL_Ver", t.dllVersion);
    key.SetString("FullPath", t.folder);
    key.SetString("Compatibility", t.compatibility);
    key.SetString("DProto", t.dproto);
    key.SetString("TagSupport", t.tags);
    key.SetString("OldTagSupport", t.oldTags);
    key.SetString("SpecialImport", t.special);
}

// The value's text; "" when it is missing or not text.
CString QueryText(CRegistryKey& key, LPCSTR pszName)
{
    CString text;
    key.QueryString(pszName, text);
    return text;
}

void ReadDescriptor(CRegistryKey& key, CPlcInfo& info)
{
    key.QueryString("Driver_Name", info.m_strDriverName);
    key.QueryString("DLL_Ver", info.m_strDllVersion);
    key.QueryString("FullPath", info.m_strFolder);
    key.QueryString("Compatibility", info.m_strCompatibility);
    const CString code = QueryText(key, "Project_Code"), firmware = QueryText(key, "Firmware_Ver"),
                  dproto = QueryText(key, "DProto"), tags = QueryText(key, "TagSupport"),
                  oldTags = QueryText(key, "OldTagSupport"), special = QueryText(key, "SpecialImport");
    CacheRecordTexts texts;
    texts.code = code;
    texts.firmware = firmware;
    texts.dproto = dproto;
    texts.tags = tags;
    texts.oldTags = oldTags;
    texts.special = special;
    CacheRecord record;
    record.major = info.m_nMajor;
    record.minor = info.m_nMinor;
    DecodeCacheRecord(texts, CPlcInfo::LEGACY_FORM, record);
    info.m_byCode = record.code;
    info.m_wVersion = record.version;
    info.m_nMajor = record.major;
    info.m_nMinor = record.minor;
    info.m_bDProto = record.dproto;
    info.m_bTagSupport = record.tags;
    info.m_bOldTagSupport = record.oldTags;
    info.m_bSpecialImport = record.special;
}

bool SetDefaultValue(HKEY hKey, LPCSTR pszText)
{
    return ::RegSetValueExA(hKey, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(pszText),
                            static_cast<DWORD>(lstrlenA(pszText) + 1)) == ERROR_SUCCESS;
}

HKEY CreateKey(HKEY hParent, LPCSTR pszName)
{
    HKEY hKey = nullptr;
    if (::RegCreateKeyExA(hParent, pszName, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &hKey,
                          nullptr) != ERROR_SUCCESS)
        return nullptr;
    return hKey;
}

bool KeyOpens(HKEY hRoot, LPCSTR pszPath)
{
    HKEY hKey = nullptr;
    if (::RegOpenKeyExA(hRoot, pszPath, 0, KEY_ALL_ACCESS, &hKey) != ERROR_SUCCESS)
        return false;
    ::RegCloseKey(hKey);
    return true;
}

// Keeps the platform from asking the user about modules that cannot be loaded.
class CQuietLoads
{
public:
    CQuietLoads() : m_uOld(::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX)) {}
    ~CQuietLoads() { ::SetErrorMode(m_uOld); }
private:
    UINT m_uOld;
};
}

CPlcInfoList::CPlcInfoList(LPCSTR pszCompany)
    : CTypedPtrList<CPtrList, CPlcInfo*>(10), m_bNoClient(true)
{
    UNUSED_ALWAYS(pszCompany);
    // No separator is inserted: the host's key name ends with a backslash.
    m_strRegKey = "Software\\" + HostRegistryKey() + "PLC Drivers";
}

CPlcInfoList::~CPlcInfoList()
{
    DeleteAll();
}

int CPlcInfoList::Load(int bFromDisk)
{
    int result = 0;
    if (!bFromDisk && IsRegInfoValid())
        result = LoadFromRegistry();
    if (bFromDisk || result == 0) {
        if (!LoadFromDisk())
            return result;
        SaveToRegistry();
        result = 1;
    }
    if (m_bNoClient)
        RemoveFirstOfCode(CLIENT_CODE);
    return result;
}

void CPlcInfoList::RemoveFirstOfCode(unsigned char byCode)
{
    for (POSITION pos = GetHeadPosition(); pos;) {
        POSITION at = pos;
        CPlcInfo* pInfo = GetNext(pos);
        if (pInfo->m_byCode == byCode) {
            RemoveAt(at);
            delete pInfo;
            return;
        }
    }
}

CPlcInfo* CPlcInfoList::FindVersion(unsigned char byCode)
{
    for (POSITION pos = GetHeadPosition(); pos;) {
        CPlcInfo* pInfo = GetNext(pos);
        if (pInfo->m_byCode == byCode)
            return pInfo;
    }
    return nullptr;
}

CPlcInfo* CPlcInfoList::FindDLL(CString& strName)
{
    for (POSITION pos = GetHeadPosition(); pos;) {
        CPlcInfo* pInfo = GetNext(pos);
        if (_mbsicmp(reinterpret_cast<const unsigned char*>((LPCSTR)pInfo->m_strDllName),
                     reinterpret_cast<const unsigned char*>((LPCSTR)strName)) == 0)
            return pInfo;
    }
    return nullptr;
}

void CPlcInfoList::DeleteAll()
{
    while (!IsEmpty())
        delete RemoveHead();
}

int CPlcInfoList::DeleteItem(CPlcInfo* pItem, int bFromDisk)
{
    if (!pItem)
        return 0;
    // The item is usually an entry of this list: keep its name before it goes.
    CString strDllName = pItem->m_strDllName;
    int result = DeleteRegistryItem(pItem);
    if (bFromDisk)
        DeleteDiskItem(pItem);
    for (POSITION pos = GetHeadPosition(); pos;) {
        POSITION at = pos;
        CPlcInfo* pInfo = GetNext(pos);
        if (pInfo->m_strDllName.Compare(strDllName) == 0) {
            RemoveAt(at);
            delete pInfo;
            break;
        }
    }
    return result;
}

CString CPlcInfoList::ItemKey(const CString& strDllName) const
{
    return m_strRegKey + "\\" + strDllName;
}

int CPlcInfoList::DeleteRegistryItem(CPlcInfo* pItem)
{
    if (!pItem || pItem->m_strDllName.IsEmpty())
        return 0;
    return ::RegDeleteTreeA(HKEY_CURRENT_USER, ItemKey(pItem->m_strDllName)) == ERROR_SUCCESS ? 1 : 0;
}

int CPlcInfoList::DeleteDiskItem(CPlcInfo* pItem)
{
    if (!pItem || pItem->m_strFolder.IsEmpty())
        return 0;
    CFileSystemObject fs;
    return fs.Delete(pItem->m_strFolder + pItem->m_strDllName);
}

int CPlcInfoList::IsRegInfoValid()
{
    return KeyOpens(HKEY_CURRENT_USER, m_strRegKey) ? 1 : 0;
}

int CPlcInfoList::IsRegInfoValid16()
{
    return KeyOpens(HKEY_CLASSES_ROOT, kOldLayoutKey) ? 1 : 0;
}

int CPlcInfoList::LoadFromRegistry()
{
    DeleteAll();
    CRegistryKey key;
    key.Attach(HKEY_CURRENT_USER);
    if (!key.Open(m_strRegKey, KEY_ALL_ACCESS))
        return 0;
    CRegistryKey item;
    item.Attach(HKEY_CURRENT_USER);
    CString strName;
    int added = 0;
    for (DWORD index = 0; key.EnumKey(index, strName); ++index) {
        if (!item.Open(ItemKey(strName), KEY_ALL_ACCESS))
            continue;
        CPlcInfo* pInfo = new CPlcInfo;
        pInfo->m_strDllName = strName;
        ReadDescriptor(item, *pInfo);
        if (m_bNoClient && pInfo->m_byCode == CLIENT_CODE) {
            delete pInfo;
        } else {
            AddTail(pInfo);
            ++added;
        }
    }
    item.Close();
    key.Close();
    return added > 0 ? 1 : 0;
}

CString CPlcInfoList::ScanFolder() const
{
    CString strStart = m_strDllPath;
    if (strStart.IsEmpty()) {
        char path[MAX_PATH + 1] = "";
        DWORD n = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
        path[n < MAX_PATH ? n : MAX_PATH] = '\0';
        strStart = path;
    }
    CPathStrPart parts;
    parts.Attach(&strStart);
    return parts.GetPath();
}

int CPlcInfoList::LoadFromDisk()
{
    DeleteAll();
    const CString strFolder = ScanFolder();
    WIN32_FIND_DATAA found;
    HANDLE hFind = ::FindFirstFileA(strFolder + "Z32TPLC*.DLL", &found);
    if (hFind == INVALID_HANDLE_VALUE)
        return 0;
    CQuietLoads quiet;
    int loaded = 0;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            continue;
        HINSTANCE hModule = ::LoadLibraryA(strFolder + found.cFileName);
        if (!hModule)
            continue;
        CPlcInfo* pInfo = new CPlcInfo;
        pInfo->CreateIndirect(hModule);
        AddTail(pInfo);
        ::FreeLibrary(hModule);
        ++loaded;
    } while (::FindNextFileA(hFind, &found));
    ::FindClose(hFind);
    return loaded > 0 ? 1 : 0;
}

int CPlcInfoList::SaveToRegistry()
{
    CRegistryKey key;
    key.Attach(HKEY_CURRENT_USER);
    if (key.Open(m_strRegKey, KEY_ALL_ACCESS)) {
        key.Close();
        key.DeleteKey(m_strRegKey);
    }
    key.Create(m_strRegKey, KEY_ALL_ACCESS);
    CRegistryKey item;
    item.Attach(HKEY_CURRENT_USER);
    int written = 0;
    for (POSITION pos = GetHeadPosition(); pos;) {
        CPlcInfo* pInfo = GetNext(pos);
        if (!item.Create(ItemKey(pInfo->m_strDllName), KEY_ALL_ACCESS))
            continue;
        WriteCurrentLayout(item, *pInfo);
        ++written;
    }
    item.Close();
    key.Close();
    return written > 0 ? 1 : 0;
}

int CPlcInfoList::SaveToRegistry16()
{
    if (IsRegInfoValid16())
        ::RegDeleteTreeA(HKEY_CLASSES_ROOT, kOldLayoutKey);
    HKEY hRoot = CreateKey(HKEY_CLASSES_ROOT, kOldLayoutKey);
    if (!hRoot)
        return 0;
    int written = 0;
    for (POSITION pos = GetHeadPosition(); pos;) {
        CPlcInfo* pInfo = GetNext(pos);
        HKEY hModule = CreateKey(hRoot, pInfo->m_strDllName);
        if (!hModule)
            continue;
        ++written;
        SetDefaultValue(hModule, pInfo->m_strDriverName);
        ValueTexts t = TextsOf(*pInfo);
        const CString* texts[] = {&t.firmware, &t.code, &t.dllVersion, &t.folder, &t.compatibility, &t.dproto, &t.tags};
        for (size_t i = 0; i < sizeof(texts) / sizeof(texts[0]); ++i) {
            HKEY hValue = CreateKey(hModule, kOldLayoutNames[i]);
            if (!hValue)
                continue;
            SetDefaultValue(hValue, *texts[i]);
            ::RegCloseKey(hValue);
        }
        ::RegCloseKey(hModule);
    }
    ::RegCloseKey(hRoot);
    return written > 0 ? 1 : 0;
}

void CPlcInfoList::SetDLLPath(CString strPath)
{
    m_strDllPath = strPath;
}

void CPlcInfoList::InsertClientInfo(int bInsert)
{
    m_bNoClient = !bInsert;
}
