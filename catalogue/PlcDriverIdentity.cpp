// QRVPlcDriver: loading through the driver catalogue, the display name and
// the project-code predicates of the bound driver, and the entry points that
// only drivers of one project code are asked for.
#include "driver/QRVPlcDriver.h"
#include "driver/EntryPointCall.h"
#include "catalogue/PlcInfo.h"
#include "catalogue/PlcInfoList.h"
#include "driver/PlcProjectCodes.h"

namespace
{
const int kNameBufferSize = 255;
const int kInternalDriverProxyAnswer = 175;
const char kNoRdaDriverName[] = "NMEA 0183 ";
} // namespace

// ----------------------------------------------------------------------------
// Loading through a descriptor or the catalogue

int QRVPlcDriver::LoadDriver(CPlcInfo* pInfo)
{
    if (pInfo == nullptr || pInfo->m_strDllName.IsEmpty())
        return 0;
    // The bare file name only: the module is found along the library search
    // order, wherever the descriptor says it was seen.
    CString strName = pInfo->m_strDllName;
    return LoadDriver(strName);
}

int QRVPlcDriver::LoadDriver(unsigned short nProjectCode)
{
    CPlcInfoList catalogue("VARN\\");
    catalogue.m_bNoClient = false; // the network client driver stays findable
    catalogue.Load(0);
    CPlcInfo* pInfo = catalogue.FindVersion(static_cast<unsigned char>(nProjectCode & 0xFF));
    if (pInfo == nullptr)
        return 0;
    LoadDriver(pInfo);
    return 1;
}

// ----------------------------------------------------------------------------
// Display name

bool QRVPlcDriver::GetDriverName(CString& strName)
{
    if (m_hModule == nullptr)
        return false;
    char szName[kNameBufferSize + 1] = "";
    ::LoadStringA(m_hModule, CPlcInfo::IDS_DRIVER_NAME, szName, kNameBufferSize);
    strName = szName;
    if (IsInternalDriver() && ProxyToDll(-1) == kInternalDriverProxyAnswer &&
        HasEntryPoint(DriverEntry::ExpGetDriverName::Name))
    {
        LPSTR psz = strName.GetBuffer(kNameBufferSize);
        Call<DriverEntry::ExpGetDriverName>(0, psz, kNameBufferSize);
        psz[kNameBufferSize - 1] = '\0';
        strName.ReleaseBuffer();
    }
    return true;
}

bool QRVPlcDriver::IsRDAPermitted()
{
    CString strName;
    if (!GetDriverName(strName))
        return true;
    return strcmp(strName, kNoRdaDriverName) != 0;
}

// ----------------------------------------------------------------------------
// Project code and the predicates over it

unsigned char QRVPlcDriver::GetPlcType() const
{
    if (m_hModule == nullptr)
        return 0;
    CPlcInfo info;
    info.CreateIndirect(m_hModule);
    return info.m_byCode;
}

int QRVPlcDriver::IsSimaticS5OldDriver() const
{
    return GetPlcType() == PlcCode::SIMATIC_S5_OLD;
}

int QRVPlcDriver::IsQEMQMOVEDriver() const
{
    return GetPlcType() == PlcCode::QEM_QMOVE;
}

int QRVPlcDriver::IsSaisABusDriver() const
{
    return GetPlcType() == PlcCode::SAIS_A_BUS;
}

int QRVPlcDriver::IsInternalDriver() const
{
    unsigned char byCode = GetPlcType();
    return byCode == PlcCode::ISAGRAF || byCode == PlcCode::INTERNAL_MEMORY;
}

int QRVPlcDriver::IsForthDriver() const
{
    return GetPlcType() == PlcCode::FORTH;
}

int QRVPlcDriver::IsCodeSysDriver() const
{
    return GetPlcType() == PlcCode::CODESYS;
}

// ----------------------------------------------------------------------------
// Entry points gated by the project code

int QRVPlcDriver::SetQEMCheckSum(uPLCSETUP* pSetup, unsigned long nChecksum, short nValue)
{
    if (!IsQEMQMOVEDriver())
        return 0;
    return Call<DriverEntry::ExpSetSymbolChecksum>(0, pSetup, nChecksum, nValue);
}

int QRVPlcDriver::GetQEMCheckSum(uPLCSETUP* pSetup, unsigned long* pChecksum, short* pValue)
{
    if (!IsQEMQMOVEDriver())
        return 0;
    return Call<DriverEntry::ExpGetSymbolChecksum>(0, pSetup, pChecksum, pValue);
}

int QRVPlcDriver::ParseTagsFromAdditionalFile(sADDFILE* pFile, uPLCSETUP* pSetup, void** ppList,
                                              long* pCount)
{
    if (!IsCodeSysDriver() || !HasEntryPoint(DriverEntry::ExpParseTagsFromAdditionalFile::Name))
        return 0;
    *ppList = Call<DriverEntry::ExpParseTagsFromAdditionalFile>(static_cast<void*>(nullptr), pFile,
                                                                pSetup, *ppList, pCount);
    return 1;
}

int QRVPlcDriver::GetTagnameFromGA(sADDFILE* pFile, uPLCADR* pAdr, char* pszTag, int nSize,
                                   uPLCSETUP* pSetup)
{
    if (!IsCodeSysDriver())
        return 0;
    return Call<DriverEntry::ExpGetTagnameFromGA>(0, pFile, pAdr, pszTag, nSize, pSetup);
}

int QRVPlcDriver::UpdateGAforCodesys(sADDFILE* pFile, uPLCADR* pAdr, uPLCSETUP* pSetup)
{
    if (!IsCodeSysDriver())
        return 0;
    return Call<DriverEntry::ExpMakeGACompatiable>(0, pFile, pAdr, pSetup);
}
