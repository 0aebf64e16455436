#include "PlcInfo.h"
#include "PlcIdentityTable.h"
#include "IdentityString.h"
#include "framework/PathStrPart.h"
#include "driver/QRVPlcDriver.h"
#include <stdio.h>
#include <stdlib.h>

namespace {
// String resources are read into buffers of 255 characters.
CString ModuleString(HINSTANCE hModule, UINT nID)
{
    char buffer[256] = "";
    int n = ::LoadStringA(hModule, nID, buffer, sizeof(buffer));
    return n > 0 ? CString(buffer, n) : CString();
}
}

CPlcInfo::CPlcInfo()
    : m_byCode(0), m_byReserved(0), m_wVersion(0), m_nMajor(0), m_nMinor(0),
      m_bDProto(false), m_bTagSupport(true), m_bOldTagSupport(false), m_bSpecialImport(false) {}

CPlcInfo::CPlcInfo(const CPlcInfo& src)
    : m_byCode(src.m_byCode), m_byReserved(src.m_byReserved), m_wVersion(src.m_wVersion),
      m_nMajor(src.m_nMajor), m_nMinor(src.m_nMinor), m_strDllName(src.m_strDllName),
      m_strDriverName(src.m_strDriverName), m_strDllVersion(src.m_strDllVersion),
      m_strFolder(src.m_strFolder), m_strCompatibility(src.m_strCompatibility),
      m_bDProto(src.m_bDProto), m_bTagSupport(src.m_bTagSupport),
      m_bOldTagSupport(src.m_bOldTagSupport), m_bSpecialImport(src.m_bSpecialImport) {}

CPlcInfo& CPlcInfo::operator=(const CPlcInfo& src)
{
    if (this != &src) {
        m_byCode = src.m_byCode;
        m_byReserved = src.m_byReserved;
        m_wVersion = src.m_wVersion;
        m_nMajor = src.m_nMajor;
        m_nMinor = src.m_nMinor;
        m_strDllName = src.m_strDllName;
        m_strDriverName = src.m_strDriverName;
        m_strDllVersion = src.m_strDllVersion;
        m_strFolder = src.m_strFolder;
        m_strCompatibility = src.m_strCompatibility;
        m_bDProto = src.m_bDProto;
        m_bTagSupport = src.m_bTagSupport;
        m_bOldTagSupport = src.m_bOldTagSupport;
        m_bSpecialImport = src.m_bSpecialImport;
    }
    return *this;
}

CPlcInfo::~CPlcInfo() {}

int CPlcInfo::CreateIndirect(HINSTANCE hModule)
{
    char path[MAX_PATH + 1] = "";
    DWORD n = ::GetModuleFileNameA(hModule, path, MAX_PATH);
    path[n < MAX_PATH ? n : MAX_PATH] = '\0';
    CString strPath(path);
    CPathStrPart parts;
    parts.Attach(&strPath);
    m_strDllName = parts.GetName();
    m_strFolder = parts.GetPath();

    m_strDriverName = ModuleString(hModule, IDS_DRIVER_NAME);
    m_strCompatibility = ModuleString(hModule, IDS_COMPATIBILITY);
    GetVersionInfo(hModule, &m_wVersion, &m_byCode);
    m_strDllVersion = ModuleString(hModule, IDS_DLL_VERSION);
    if (m_strDllVersion.IsEmpty())
        m_strDllVersion = "1.00";
    ReadCapabilities();
    return 1;
}

// The capability flags come from the driver's own queries, through a binding
// of its own by file name: the module is already loaded, so this finds it.
void CPlcInfo::ReadCapabilities()
{
    QRVPlcDriver driver;
    driver.LoadDriver(m_strDllName);
    m_bDProto = driver.IsDProtoSupported() != 0;
    m_bTagSupport = driver.IsTagSupported() != 0;
    m_bOldTagSupport = driver.IsOldTagSupported() != 0;
    m_bSpecialImport = driver.IsSplTagImportSupported() != 0;
    driver.FreeDrivers();
}

int CPlcInfo::GetVersionInfo(HINSTANCE hModule, unsigned short* pwVersion, unsigned char* pbyCode)
{
    CString identity = ModuleString(hModule, IDS_IDENTITY);
    if (identity.IsEmpty())
        return 0;
    int code = 0, version = 0;
    const int result = ParseIdentityString(identity, code, version) ? 1 : 0;
    const unsigned char byCode = static_cast<unsigned char>(code & 0xFF);
    const unsigned char byVersion = static_cast<unsigned char>(version & 0xFF);
    if (pbyCode)
        *pbyCode = byCode;
    if (pwVersion)
        *pwVersion = static_cast<unsigned short>(byCode * 256 + byVersion);
    // The version number packs major and minor into its nibbles; without one
    // the module gives them as strings 6 and 7. The whole parsed number
    // decides, not the byte kept in the version word: "20.256" is major 16.
    if (version != 0) {
        m_nMajor = version >> 4;
        m_nMinor = version & 15;
    } else {
        ReadFirmwareStrings(hModule);
    }
    return result;
}

void CPlcInfo::ReadFirmwareStrings(HINSTANCE hModule)
{
    CString major = ModuleString(hModule, IDS_FIRMWARE_MAJOR);
    if (major.IsEmpty())
        return;
    m_nMajor = atoi(major);
    m_nMinor = atoi(ModuleString(hModule, IDS_FIRMWARE_MINOR));
}

void CPlcInfo::SetVersion(LPCSTR pszVersion, unsigned char byForm)
{
    int major = 0, minor = 0;
    if (pszVersion)
        sscanf(pszVersion, "%d.%d", &major, &minor);
    if (byForm == LEGACY_FORM) {
        m_wVersion = static_cast<unsigned short>((major & 0xFF) * 256 + (minor & 0xFF));
        return;
    }
    m_nMajor = major;
    m_nMinor = minor;
    m_wVersion = static_cast<unsigned short>((major & 15) * 16 + (minor & 15));
}

void CPlcInfo::GetVersionStr(CString* pstrVersion)
{
    if (!pstrVersion)
        return;
    if ((m_wVersion >> 8) == LEGACY_FORM)
        pstrVersion->Format("%d.%02d", 1, m_wVersion & 15);
    else
        pstrVersion->Format("%d.%02d", m_nMajor, m_nMinor);
}

CString& CPlcInfo::GetCompatibility()
{
    return m_strCompatibility;
}

void CPlcInfo::GetDriverDetails(CString& strTag, CString& strName, unsigned short wCode)
{
    strTag.Empty();
    if (wCode >= PLC_IDENTITY_ROWS)
        return;
    strTag = g_PlcIdentityTable[wCode].szTag;
    strName = g_PlcIdentityTable[wCode].szName;
}
