// CPlcInfoList: the catalogue of installed PLC driver modules. It owns its
// descriptors. The catalogue is cached in the current user's registry under
// "Software\" + the host application's registry key + "PLC Drivers" and read
// from there without loading any module; the driver folder is scanned only
// on request or when the cache yields nothing, and the scan rewrites the cache.
#pragma once
#include <afxtempl.h>
#include "PlcInfo.h"

class AFX_EXT_CLASS CPlcInfoList : public CTypedPtrList<CPtrList, CPlcInfo*>
{
public:
    // The text does not take part in the key (callers pass "VARN\\").
    explicit CPlcInfoList(LPCSTR pszCompany);
    ~CPlcInfoList() override;

    // Fills the list from the cache, or from a scan when bFromDisk is non-zero
    // or the cache yields nothing; 1 when the list was filled.
    int Load(int bFromDisk);
    CPlcInfo* FindVersion(unsigned char byCode);
    // Case does not matter here; DeleteItem matches the exact case only.
    CPlcInfo* FindDLL(CString& strName);
    void DeleteAll();
    // Removes the entry from the cache, from the list and, if asked, from disk.
    // The descriptor passed in is usually deleted; don't use it afterwards.
    int DeleteItem(CPlcInfo* pItem, int bFromDisk);
    int SaveToRegistry();
    // Only the folder part counts: a file in the driver folder, or the folder
    // with a final backslash.
    void SetDLLPath(CString strPath);
    // Takes effect at the next load.
    void InsertClientInfo(int bInsert);

    CString m_strRegKey;
    CString m_strDllPath;
    bool m_bNoClient;

    // The network client driver, left out unless InsertClientInfo(1).
    enum { CLIENT_CODE = 2 };

protected:
    int IsRegInfoValid();
    int IsRegInfoValid16();
    int LoadFromRegistry();
    int LoadFromDisk();
    int SaveToRegistry16();
    int DeleteRegistryItem(CPlcInfo* pItem);
    int DeleteDiskItem(CPlcInfo* pItem);

private:
    CPlcInfoList(const CPlcInfoList&) = delete;
    CPlcInfoList& operator=(const CPlcInfoList&) = delete;

    CString ItemKey(const CString& strDllName) const;
    CString ScanFolder() const;
    void RemoveFirstOfCode(unsigned char byCode);
};
