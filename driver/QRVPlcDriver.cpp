#include "driver/QRVPlcDriver.h"
#include "driver/EntryPointCall.h"
#include "toolkit/PlxUtil.h"
#include <mbstring.h>
#include <stdarg.h>
#include <stdlib.h>
#include <string.h>
#include <type_traits>

namespace
{
// Fixed text buffers at the driver boundary.
const int kTagBufferSize = 50;
const int kPathBufferSize = 260;
const int kNameBufferSize = 255;
const int kGenericTagScratch = 20;

const char kTerminalEmulatorDll[] = "Z32TPLC027.DLL";

int MbsEqual(LPCSTR a, LPCSTR b)
{
    return _mbscmp(reinterpret_cast<const unsigned char*>(a),
                   reinterpret_cast<const unsigned char*>(b)) == 0;
}

// A text copied into a zeroed buffer of a fixed size, as the drivers expect.
class CTextBuffer
{
public:
    CTextBuffer(const CString& str, int nSize) : m_str(str), m_nSize(nSize)
    {
        LPSTR psz = m_str.GetBuffer(nSize);
        int nLength = m_str.GetLength() < nSize ? m_str.GetLength() : nSize - 1;
        memset(psz + nLength, 0, nSize - nLength);
    }
    ~CTextBuffer() { m_str.ReleaseBuffer(); }
    char* Get() { return m_str.GetBuffer(m_nSize); }
    CString Text()
    {
        Get()[m_nSize - 1] = 0;
        return CString(Get());
    }

private:
    CString m_str;
    int m_nSize;
};
} // namespace

int QRVPlcDriver::HasEntryPoint(const char* pszName) const
{
    return Lookup<FARPROC>(pszName) != nullptr;
}

bool QRVPlcDriver::NameLess::operator()(const CString& a, const CString& b) const
{
    return _mbscmp(reinterpret_cast<const unsigned char*>(static_cast<LPCSTR>(a)),
                   reinterpret_cast<const unsigned char*>(static_cast<LPCSTR>(b))) < 0;
}

// ----------------------------------------------------------------------------
// Construction and stored setup

QRVPlcDriver::QRVPlcDriver() : m_hModule(nullptr), m_pPlcSetup(nullptr)
{
}

QRVPlcDriver::QRVPlcDriver(HINSTANCE hModule) : m_hModule(hModule), m_pPlcSetup(nullptr)
{
}

QRVPlcDriver::QRVPlcDriver(const QRVPlcDriver& src)
    : m_hModule(src.m_hModule), m_mapFormats(src.m_mapFormats),
      m_mapModules(src.m_mapModules), m_pPlcSetup(nullptr)
{
    CopySetupFrom(src);
}

QRVPlcDriver& QRVPlcDriver::operator=(const QRVPlcDriver& src)
{
    if (this == &src)
        return *this;
    m_hModule = src.m_hModule;
    m_mapFormats = src.m_mapFormats;
    m_mapModules = src.m_mapModules;
    delete m_pPlcSetup;
    m_pPlcSetup = nullptr;
    CopySetupFrom(src);
    return *this;
}

QRVPlcDriver::~QRVPlcDriver()
{
    delete m_pPlcSetup;
}

void QRVPlcDriver::CopySetupFrom(const QRVPlcDriver& src)
{
    if (src.m_pPlcSetup != nullptr)
        m_pPlcSetup = new uPLCSETUP(*src.m_pPlcSetup);
}

int QRVPlcDriver::IsValid() const
{
    return m_hModule != nullptr ? 1 : 0;
}

HINSTANCE QRVPlcDriver::GetHandle() const
{
    return m_hModule;
}

int QRVPlcDriver::SetPlcSetup(uPLCSETUP* pSetup)
{
    if (m_pPlcSetup == nullptr)
        m_pPlcSetup = new uPLCSETUP;
    memcpy(m_pPlcSetup, pSetup, sizeof(uPLCSETUP));
    return 1;
}

int QRVPlcDriver::GetPlcSetup(uPLCSETUP* pSetup) const
{
    if (m_pPlcSetup == nullptr)
        return 0;
    memcpy(pSetup, m_pPlcSetup, sizeof(uPLCSETUP));
    return 1;
}

uPLCSETUP* QRVPlcDriver::GetPlcSetupPtr() const
{
    return m_pPlcSetup;
}

// ----------------------------------------------------------------------------
// Binding

int QRVPlcDriver::LoadDriver(CString& strDllName)
{
    m_mapFormats.clear();
    auto it = m_mapModules.find(strDllName);
    if (it != m_mapModules.end())
    {
        m_hModule = it->second;
        return 1;
    }
    if (strDllName.IsEmpty())
    {
        m_hModule = nullptr;
        return 0;
    }
    m_hModule = ::LoadLibraryA(strDllName);
    DoSpecialInit();
    m_mapModules[strDllName] = m_hModule;
    return 1;
}

int QRVPlcDriver::LoadDriverByDllCode(unsigned short nDllCode)
{
    CString strName;
    strName.Format("Z32TPLC%03d.dll", static_cast<int>(nDllCode));
    return LoadDriver(strName);
}

int QRVPlcDriver::SetDriver(HINSTANCE hModule)
{
    m_mapFormats.clear();
    m_hModule = hModule;
    return 1;
}

void QRVPlcDriver::FreeDrivers()
{
    m_mapFormats.clear();
    for (auto& entry : m_mapModules)
    {
        if (entry.second != nullptr)
            ::FreeLibrary(entry.second);
    }
    m_mapModules.clear();
}

// The special drivers live somewhere along the default search path; they are
// loaded by the full path that the search finds.
int QRVPlcDriver::LoadSpecialDriver(const char* pszFileName)
{
    char szPath[kPathBufferSize];
    LPSTR pszFilePart = nullptr;
    DWORD nLength = ::SearchPathA(nullptr, pszFileName, nullptr, kPathBufferSize, szPath,
                                  &pszFilePart);
    if (nLength < 1 || nLength >= static_cast<DWORD>(kPathBufferSize))
        return 0;
    CString strPath(szPath);
    return LoadDriver(strPath);
}

int QRVPlcDriver::LoadSysVarDriver()
{
    m_mapFormats.clear();
    return LoadSpecialDriver("Z32TPANEL.DLL");
}

int QRVPlcDriver::LoadInternalDriver()
{
    return LoadSpecialDriver("Z32TPLC089.DLL");
}

int QRVPlcDriver::LoadInternalMemoryBufferDriver()
{
    return LoadSpecialDriver("Z32TPLC204.DLL");
}

int QRVPlcDriver::LoadForthDriver()
{
    return LoadSpecialDriver("Z32TPLC108.DLL");
}

int QRVPlcDriver::LoadInternalDriver(unsigned int nKind)
{
    if (nKind == 89)
        return LoadInternalDriver();
    if (nKind == 175)
        return LoadDriverByDllCode(196);
    return 0;
}

int QRVPlcDriver::InitForth(CString strText)
{
    CTextBuffer buffer(strText, kPathBufferSize);
    char* pszText = strText.IsEmpty() ? nullptr : buffer.Get();
    return Call<int(WINAPI*)(char*)>("InitForth", 0, pszText);
}

bool QRVPlcDriver::GetDLLName(CString& strName) const
{
    if (m_hModule == nullptr)
        return false;
    char szPath[kPathBufferSize] = {0};
    ::GetModuleFileNameA(m_hModule, szPath, kPathBufferSize);
    szPath[kPathBufferSize - 1] = 0;
    const unsigned char* pszSlash =
        _mbsrchr(reinterpret_cast<const unsigned char*>(szPath), '\\');
    const unsigned char* pszSlash2 =
        _mbsrchr(reinterpret_cast<const unsigned char*>(szPath), '/');
    if (pszSlash2 > pszSlash)
        pszSlash = pszSlash2;
    strName = pszSlash != nullptr ? reinterpret_cast<LPCSTR>(pszSlash + 1) : szPath;
    return true;
}

int QRVPlcDriver::IsTerminalEmulator() const
{
    CString strName;
    if (!GetDLLName(strName))
        return 0;
    strName.MakeUpper();
    return MbsEqual(strName, kTerminalEmulatorDll) ? 1 : 0;
}

// ----------------------------------------------------------------------------
// Setup, model and project data

int QRVPlcDriver::InitPlcDefaults(sTARGSETUP* pTarget, uPLCSETUP* pSetup, uPLCSETUP* pSetup2,
                                  tagFIELDREC* pField, unsigned short nValue)
{
    return Call<int(WINAPI*)(sTARGSETUP*, uPLCSETUP*, uPLCSETUP*, tagFIELDREC*, unsigned short)>(
        "InitPlcDefaults", 0, pTarget, pSetup, pSetup2, pField, nValue);
}

int QRVPlcDriver::InitTagSetupDefaults(sTARGSETUP* pTarget, uPLCSETUP* pSetup,
                                       uPLCSETUP* pSetup2, tagFIELDREC* pField)
{
    return Call<int(WINAPI*)(sTARGSETUP*, uPLCSETUP*, uPLCSETUP*, tagFIELDREC*)>(
        "ExpInitTagSetupDefaults", 0, pTarget, pSetup, pSetup2, pField);
}

int QRVPlcDriver::SetPLCModel(int nModel, uPLCSETUP* pSetup)
{
    return Call<void(WINAPI*)(int, uPLCSETUP*)>("ExpSetPLCModel", 0, nModel, pSetup);
}

int QRVPlcDriver::GetModelName(sSETUPNETINFO* pNetInfo, unsigned short nModel, char* pszName,
                               int nSize)
{
    return Call<int(WINAPI*)(sSETUPNETINFO*, unsigned short, char*, int)>(
        "ExpGetModelName", 0, pNetInfo, nModel, pszName, nSize);
}

long QRVPlcDriver::GetModelIDandNameArrays(uPLCSETUP* pSetup, int* pIds, char* pNames)
{
    return Call<long(WINAPI*)(uPLCSETUP*, int*, char*)>("ExpGetModelIDandNameArrays", 0L,
                                                         pSetup, pIds, pNames);
}

int QRVPlcDriver::SetModelUpdateAreas(uPLCADR* pAdr, sTARGSETUP* pTarget, uPLCSETUP* pSetup,
                                      unsigned short nValue)
{
    return Call<int(WINAPI*)(uPLCADR*, sTARGSETUP*, uPLCSETUP*, unsigned short)>(
        "ExpSetModelUpdateAreas", 0, pAdr, pTarget, pSetup, nValue);
}

int QRVPlcDriver::SetPanelInternalMemorySize(unsigned long nSize)
{
    return Call<void(WINAPI*)(unsigned long)>("ExpSetPanelInternalMemorySize", 0, nSize);
}

int QRVPlcDriver::SetProjectData(int nValue, long lValue)
{
    return Call<void(WINAPI*)(int, long)>("ExpSetProjectData", 0, nValue, lValue);
}

int QRVPlcDriver::GetPLCNodeStringAsIP(uPLCSETUP* pSetup, CString& strText)
{
    CTextBuffer buffer(strText, kTagBufferSize);
    int nResult = Call<void(WINAPI*)(uPLCSETUP*, char*)>("ExpGetPLCNodeStringAsIP", 0, pSetup,
                                                          buffer.Get());
    strText = buffer.Text();
    return nResult;
}

int QRVPlcDriver::SetMPIFeatureSet(sMPIFEATURESET featureSet)
{
    return Call<void(WINAPI*)(sMPIFEATURESET)>("ExpSetMPIFeatureSet", 0, featureSet);
}

int QRVPlcDriver::SetPLCParamData(uPLCSETUP* pSetup, unsigned long nValue, char* pszData)
{
    if (!IsPLCParamDataDriver())
        return 0;
    return Call<void(WINAPI*)(uPLCSETUP*, unsigned long, char*)>("ExpSetPLCParamData", 0, pSetup,
                                                                  nValue, pszData);
}

bool QRVPlcDriver::AfterPrjLoadAndUpload(sPROJECT* pProject, unsigned short nValue)
{
    return Call<void(WINAPI*)(sPROJECT*, unsigned short)>("ExpAfterPrjLoadAndUpload", false,
                                                           pProject, nValue);
}

bool QRVPlcDriver::BeforePrjSaveAndDownload(sPROJECT* pProject, unsigned short nValue)
{
    return Call<void(WINAPI*)(sPROJECT*, unsigned short)>("ExpBeforePrjSaveAndDownload", false,
                                                           pProject, nValue);
}

// ----------------------------------------------------------------------------
// Field dialog and field controls

int QRVPlcDriver::AttachPLCFieldDialog(_tagDEFIELD* pField, PLCCREATEDLGPROC pfnCreate,
                                       PLCDLGHOOKPROC pfnHook, unsigned long nValue)
{
    return Call<void(WINAPI*)(_tagDEFIELD*, PLCCREATEDLGPROC, PLCDLGHOOKPROC, unsigned long)>(
        "AttachPLCFieldDialog", 0, pField, pfnCreate, pfnHook, nValue);
}

int QRVPlcDriver::InitFieldControls(HWND hWnd, _tagDEFIELD* pField, unsigned short nValue)
{
    return Call<void(WINAPI*)(HWND, _tagDEFIELD*, unsigned short)>("ExpInitFieldControls", 0,
                                                                    hWnd, pField, nValue);
}

// Drivers without the extended entry point still get their controls set up,
// but the caller learns that the two texts were not taken.
int QRVPlcDriver::InitTagFieldControls(HWND hWnd, _tagDEFIELD* pField, unsigned short nValue,
                                       CString strA, CString strB)
{
    CTextBuffer bufferA(strA, kPathBufferSize);
    CTextBuffer bufferB(strB, kPathBufferSize);
    if (Call<void(WINAPI*)(HWND, _tagDEFIELD*, unsigned short, char*, char*)>(
            "ExpInitFieldControls1", 0, hWnd, pField, nValue, bufferA.Get(), bufferB.Get()))
        return 1;
    InitFieldControls(hWnd, pField, nValue);
    return 0;
}

int QRVPlcDriver::IsValidAddressAndDataFormat(_tagDEFIELD* pField, uPLCADR* pAdr,
                                              unsigned short nValue)
{
    return Call<int(WINAPI*)(_tagDEFIELD*, uPLCADR*, unsigned short)>(
        "ExpIsValidAddressAndDataFormat", 0, pField, pAdr, nValue);
}

int QRVPlcDriver::CanCloseDialog(_tagDEFIELD* pField)
{
    return Call<int(WINAPI*)(_tagDEFIELD*)>("ExpCanCloseDialog", 1, pField);
}

int QRVPlcDriver::ResetNativeDataFormat(_tagDEFIELD* pField)
{
    return Call<void(WINAPI*)(_tagDEFIELD*)>("ExpResetNativeDataFormat", 0, pField);
}

void QRVPlcDriver::OnSignedUnsigned(tagFIELDREC* pField, int nValue)
{
    Call<void(WINAPI*)(tagFIELDREC*, int)>("ExpOnSignedUnsigned", 0, pField, nValue);
}

void QRVPlcDriver::OnFixedPointChanged(tagFIELDREC* pField, int nValue)
{
    Call<void(WINAPI*)(tagFIELDREC*, int)>("ExpOnFixedPointChanged", 0, pField, nValue);
}

void QRVPlcDriver::OnPrecChanged(tagFIELDREC* pField, unsigned short nValue)
{
    Call<void(WINAPI*)(tagFIELDREC*, unsigned short)>("ExpOnPrecChanged", 0, pField, nValue);
}

void QRVPlcDriver::ValidateFieldOnPlcSetupChange(uPLCSETUP* pSetup, tagFIELDREC* pField)
{
    Call<void(WINAPI*)(uPLCSETUP*, tagFIELDREC*)>("ExpValidateField", 0, pSetup, pField);
}

int QRVPlcDriver::FixNumericbase(uPLCSETUP* pSetup, tagFIELDREC* pField)
{
    return Call<int(WINAPI*)(uPLCSETUP*, tagFIELDREC*)>("ExpFixNumericbase", 0, pSetup, pField);
}

int QRVPlcDriver::FixExtraAddressElement2(uPLCSETUP* pSetup, tagFIELDREC* pField)
{
    return Call<int(WINAPI*)(uPLCSETUP*, tagFIELDREC*)>("ExpFixExtraAddrElem2", 0, pSetup,
                                                         pField);
}

int QRVPlcDriver::IsFieldSaveReqd()
{
    return Call<int(WINAPI*)()>("ExpIsFieldSaveReqd", 0);
}

void QRVPlcDriver::ResetFieldSaveReqdFlag()
{
    Call<void(WINAPI*)()>("ExpResetFieldSaveReqdFlag", 0);
}

// ----------------------------------------------------------------------------
// Data formats and display conversions

int QRVPlcDriver::GetDataFormat(unsigned short& nId, uPLCADR* pAdr)
{
    if (!HasEntryPoint("ExpGetDataFormat"))
        return 0;
    nId = static_cast<unsigned short>(Call<int(WINAPI*)(uPLCADR*)>("ExpGetDataFormat", 0, pAdr));
    return 1;
}

int QRVPlcDriver::SetDataFormat(unsigned short nId, uPLCADR* pAdr)
{
    return Call<void(WINAPI*)(uPLCADR*, unsigned short)>("ExpSetDataFormat", 0, pAdr, nId);
}

int QRVPlcDriver::GetPreferredDataFormat(unsigned short& nId, uPLCSETUP* pSetup, uPLCADR* pAdr)
{
    if (!HasEntryPoint("ExpGetPreferredDataFormat"))
        return 0;
    nId = static_cast<unsigned short>(Call<int(WINAPI*)(uPLCSETUP*, uPLCADR*)>(
        "ExpGetPreferredDataFormat", 0, pSetup, pAdr));
    return 1;
}

void QRVPlcDriver::ResetDataFormat(uPLCADR* pAdr, uPLCSETUP* pSetup, sDISPFORMAT* pFormat,
                                   unsigned short nValue)
{
    Call<void(WINAPI*)(int, uPLCADR*, uPLCSETUP*, sDISPFORMAT*, unsigned short)>(
        "ExpResetDataFormat", 0, 0, pAdr, pSetup, pFormat, nValue);
}

int QRVPlcDriver::IsASCIIDataFormat(uPLCADR* pAdr)
{
    return Call<int(WINAPI*)(uPLCADR*)>("ExpIsASCIIDataFormat", 0, pAdr);
}

int QRVPlcDriver::IsFormatSupported(uPLCSETUP* pSetup, unsigned short nA, uPLCADR* pAdr,
                                    unsigned short nB, int nC)
{
    return Call<int(WINAPI*)(uPLCSETUP*, unsigned short, uPLCADR*, unsigned short, int)>(
        "ExpIsFormatSupported", 0, pSetup, nA, pAdr, nB, nC);
}

int QRVPlcDriver::IsReadWriteSupported(uPLCSETUP* pSetup, unsigned short nA, uPLCADR* pAdr,
                                       unsigned short nB)
{
    return Call<int(WINAPI*)(uPLCSETUP*, unsigned short, uPLCADR*, unsigned short)>(
        "ExpIsReadWriteSupported", 0, pSetup, nA, pAdr, nB);
}

int QRVPlcDriver::IsNumericBaseSupported(uPLCSETUP* pSetup, unsigned short nA, unsigned short nB,
                                         uPLCADR* pAdr, unsigned short nC)
{
    return Call<int(WINAPI*)(uPLCSETUP*, unsigned short, unsigned short, uPLCADR*,
                             unsigned short)>("ExpIsNumericBaseSupported", 0, pSetup, nA, nB,
                                              pAdr, nC);
}

int QRVPlcDriver::IsSignedUnsignedSupported(uPLCSETUP* pSetup, unsigned short nA, uPLCADR* pAdr,
                                            unsigned short nB, unsigned short nC)
{
    return Call<int(WINAPI*)(uPLCSETUP*, unsigned short, uPLCADR*, unsigned short,
                             unsigned short)>("ExpIsSignedUnsignedSupported", 0, pSetup, nA,
                                              pAdr, nB, nC);
}

int QRVPlcDriver::IsFixedPointSupported(uPLCSETUP* pSetup, unsigned short nA, uPLCADR* pAdr,
                                        unsigned short nB, unsigned short nC)
{
    return Call<int(WINAPI*)(uPLCSETUP*, unsigned short, uPLCADR*, unsigned short,
                             unsigned short)>("ExpIsFixedPointSupported", 0, pSetup, nA, pAdr,
                                              nB, nC);
}

int QRVPlcDriver::IsScalingSupported(uPLCSETUP* pSetup, unsigned short nA, uPLCADR* pAdr,
                                     unsigned short nB)
{
    return Call<int(WINAPI*)(uPLCSETUP*, unsigned short, uPLCADR*, unsigned short)>(
        "ExpIsScalingSupported", 0, pSetup, nA, pAdr, nB);
}

void QRVPlcDriver::ConvertString2MaxMin(sDISPFORMAT* pFormat, unsigned long* pValue,
                                        char* pszText, uPLCADR* pAdr, eCONSTRACTION action)
{
    Call<void(WINAPI*)(sDISPFORMAT*, unsigned long*, char*, uPLCADR*, eCONSTRACTION)>(
        "ExpConvertString2MaxMin", 0, pFormat, pValue, pszText, pAdr, action);
}

void QRVPlcDriver::ConvertMaxMin2String(sDISPFORMAT* pFormat, unsigned long nValue,
                                        char* pszText, uPLCADR* pAdr)
{
    Call<void(WINAPI*)(sDISPFORMAT*, unsigned long, char*, uPLCADR*)>(
        "ExpConvertMaxMin2String", 0, pFormat, nValue, pszText, pAdr);
}

void QRVPlcDriver::ConvertString2ScaleFac(eSCALETYPE type, sDISPFORMAT* pFormat,
                                          unsigned long* pValue, char* pszText, uPLCADR* pAdr)
{
    Call<void(WINAPI*)(eSCALETYPE, sDISPFORMAT*, unsigned long*, char*, uPLCADR*)>(
        "ExpConvertString2ScaleFac", 0, type, pFormat, pValue, pszText, pAdr);
}

void QRVPlcDriver::ConvertScaleFac2String(eSCALETYPE type, sDISPFORMAT* pFormat,
                                          unsigned long nValue, char* pszText, uPLCADR* pAdr)
{
    Call<void(WINAPI*)(eSCALETYPE, sDISPFORMAT*, unsigned long, char*, uPLCADR*)>(
        "ExpConvertScaleFac2String", 0, type, pFormat, nValue, pszText, pAdr);
}

void QRVPlcDriver::ValidateMaxMin(sDISPFORMAT* pFormat, unsigned long* pMax, unsigned long* pMin,
                                  uPLCADR* pAdr, int nA, int nB)
{
    Call<void(WINAPI*)(sDISPFORMAT*, unsigned long*, unsigned long*, uPLCADR*, int, int)>(
        "ExpValidateMaxMin", 0, pFormat, pMax, pMin, pAdr, nA, nB);
}

// A round trip through the driver's text form brings the value to what the
// driver can represent.
unsigned long QRVPlcDriver::ValidateScaleFac(eSCALETYPE type, sDISPFORMAT* pFormat,
                                             unsigned long nValue, uPLCADR* pAdr)
{
    char szText[kNameBufferSize] = {0};
    ConvertScaleFac2String(type, pFormat, nValue, szText, pAdr);
    ConvertString2ScaleFac(type, pFormat, &nValue, szText, pAdr);
    return nValue;
}

int QRVPlcDriver::GetDataFormatIdFromString(unsigned short& nId, CString strText)
{
    if (m_hModule == nullptr)
        return 0;
    nId = 0;
    for (const auto& entry : m_mapFormats)
    {
        if (MbsEqual(entry.second, strText))
        {
            nId = entry.first;
            return 1;
        }
    }
    if (!HasEntryPoint("ExpGetDataFormatIdFromString"))
        return 0;
    nId = static_cast<unsigned short>(
        Call<int(WINAPI*)(const char*)>("ExpGetDataFormatIdFromString", 0,
                                        static_cast<LPCSTR>(strText)));
    if (nId != 0)
        m_mapFormats.emplace(nId, strText);
    return 1;
}

int QRVPlcDriver::GetDataFormatStringFromId(unsigned short nId, CString& strText)
{
    if (m_hModule == nullptr)
        return 0;
    auto it = m_mapFormats.find(nId);
    if (it != m_mapFormats.end())
    {
        strText = it->second;
        return 1;
    }
    if (!HasEntryPoint("ExpGetDataFormatStringFromId"))
        return 0;
    CTextBuffer buffer(strText, kPathBufferSize);
    Call<void(WINAPI*)(unsigned short, char*, int)>("ExpGetDataFormatStringFromId", 0, nId,
                                                     buffer.Get(), kPathBufferSize);
    strText = buffer.Text();
    if (!strText.IsEmpty())
        m_mapFormats.emplace(nId, strText);
    return 1;
}

// Drivers without "ExpGetDataFormat" leave the format undefined; such an
// address is not a bit address.
int QRVPlcDriver::IsBitDataFormat(uPLCADR* pAdr)
{
    if (m_hModule == nullptr)
        return 0;
    unsigned short nId = 0;
    if (!GetDataFormat(nId, pAdr))
        return 0;
    CString strText;
    GetDataFormatStringFromId(nId, strText);
    return _mbsicmp(reinterpret_cast<const unsigned char*>(static_cast<LPCSTR>(strText)),
                    reinterpret_cast<const unsigned char*>("BIT")) == 0
               ? 1
               : 0;
}

// Setting the tag may replace the format of an ASCII address, so the format
// is set again afterwards.
int QRVPlcDriver::SetTagAndDataFormat(CString strTag, unsigned short nId, uPLCSETUP* pSetup,
                                      uPLCADR* pAdr)
{
    if (m_hModule == nullptr)
        return 0;
    SetDataFormat(nId, pAdr);
    int nAscii = IsASCIIDataFormat(pAdr);
    CTextBuffer buffer(strTag, kTagBufferSize);
    int nResult = SetLogicalTag(buffer.Get(), pSetup, pAdr);
    if (nAscii)
        SetDataFormat(nId, pAdr);
    return nResult;
}

int QRVPlcDriver::ResolveFormatId(unsigned short& nId, const CString& strFormat,
                                  uPLCSETUP* pSetup, uPLCADR* pAdr)
{
    if (GetDataFormatIdFromString(nId, strFormat))
        return 1;
    return GetPreferredDataFormat(nId, pSetup, pAdr);
}

int QRVPlcDriver::SetTagAndDataFormat(CString strTag, CString strFormat, uPLCSETUP* pSetup,
                                      uPLCADR* pAdr)
{
    unsigned short nId = 0;
    ResolveFormatId(nId, strFormat, pSetup, pAdr);
    return SetTagAndDataFormat(strTag, nId, pSetup, pAdr);
}

// ----------------------------------------------------------------------------
// Addresses and tags

int QRVPlcDriver::SetLogicalTag(char* pszTag, uPLCSETUP* pSetup, uPLCADR* pAdr)
{
    return Call<int(WINAPI*)(char*, uPLCSETUP*, uPLCADR*)>("ExpSetLogicalTag", 0, pszTag, pSetup,
                                                            pAdr);
}

int QRVPlcDriver::GetLogicalAddress(char* pszText, uPLCSETUP* pSetup, uPLCADR* pAdr)
{
    if (IsTerminalEmulator())
        return 0;
    return Call<void(WINAPI*)(char*, uPLCSETUP*, uPLCADR*)>("ExpGetLogicalTag", 0, pszText,
                                                             pSetup, pAdr);
}

int QRVPlcDriver::GetLogicalAddress(char* pszText, uPLCSETUP* pSetup, uPLCADR* pAdr,
                                    unsigned char byValue, int nA, int nB, sPROJECT* pProject)
{
    if (IsTerminalEmulator())
        return 0;
    return Call<void(WINAPI*)(char*, sPROJECT*, uPLCSETUP*, uPLCADR*, unsigned char, int, int)>(
        "ExpWriteLogicalAddressString", 0, pszText, pProject, pSetup, pAdr, byValue, nA, nB);
}

int QRVPlcDriver::IsCompatibleTag(char* pszTag, unsigned short nValue, uPLCSETUP* pSetup,
                                  uPLCADR* pAdr)
{
    return Call<int(WINAPI*)(char*, unsigned short, uPLCSETUP*, uPLCADR*)>(
        "ExpIsCompatibleTag", 0, pszTag, nValue, pSetup, pAdr);
}

int QRVPlcDriver::UpdateFieldFromTagDb(CString strTag, unsigned short nId, uPLCSETUP* pSetup,
                                       uPLCADR* pAdr)
{
    CTextBuffer buffer(strTag, kPathBufferSize);
    return Call<int(WINAPI*)(char*, unsigned short, uPLCSETUP*, uPLCADR*)>(
        "ExpUpdateFieldFromTagDb", 0, buffer.Get(), nId, pSetup, pAdr);
}

int QRVPlcDriver::UpdateFieldFromTagDb(CString strTag, CString strFormat, uPLCSETUP* pSetup,
                                       uPLCADR* pAdr)
{
    unsigned short nId = 0;
    ResolveFormatId(nId, strFormat, pSetup, pAdr);
    return UpdateFieldFromTagDb(strTag, nId, pSetup, pAdr);
}

int QRVPlcDriver::ValidatePLCAddress(uPLCADR* pAdr, uPLCSETUP* pSetup, sPROJECT* pProject,
                                     unsigned char byValue)
{
    return Call<int(WINAPI*)(uPLCADR*, uPLCSETUP*, sPROJECT*, unsigned char)>(
        "ExpValidatePLCAddress", 0, pAdr, pSetup, pProject, byValue);
}

void QRVPlcDriver::SetFieldVarPageNum(uPLCADR* pAdr, int nA, int nB)
{
    Call<void(WINAPI*)(uPLCADR*, int, int)>("ExpSetFieldVarPageNum", 0, pAdr, nA, nB);
}

void QRVPlcDriver::SetFieldVarBitIndex(uPLCADR* pAdr, int nA, int nB)
{
    Call<void(WINAPI*)(uPLCADR*, int, int)>("ExpSetFieldVarBitIndex", 0, pAdr, nA, nB);
}

int QRVPlcDriver::IsTimeSchdulerFieldUsed(uPLCADR* pAdr, int nValue)
{
    return Call<int(WINAPI*)(uPLCADR*, int)>("ExpIsTimeSchdulerFieldUsed", 0, pAdr, nValue);
}

unsigned short QRVPlcDriver::GetSizeofZ32Tag()
{
    return Call<unsigned short(WINAPI*)()>("ExpGetSizeofZ32Tag",
                                            static_cast<unsigned short>(0));
}

int QRVPlcDriver::UseTagforAllFormats()
{
    return Call<int(WINAPI*)()>("ExpUseTagforAllFormats", 0);
}

int QRVPlcDriver::UseCustomTagValdiation()
{
    return Call<int(WINAPI*)()>("ExpUseCustomTagValidation", 0);
}

int QRVPlcDriver::IsTagReimportSupported()
{
    return Call<int(WINAPI*)()>("ExpIsTagReimportSupported", 0);
}

int QRVPlcDriver::DownloadAllTags()
{
    return Call<int(WINAPI*)()>("ExpDownloadAllTags", 0);
}

// The driver reports its models as a count and a name-block size packed into
// one result, then fills an id array and the zero-separated names.
short QRVPlcDriver::GetModelNumber(uPLCSETUP* pSetup, CString strModelName)
{
    unsigned long nSizes = static_cast<unsigned long>(
        GetModelIDandNameArrays(nullptr, nullptr, nullptr));
    if (nSizes == 0)
        return 0;
    unsigned int nCount = nSizes & 0xFFFF;
    unsigned int nNameBytes = nSizes >> 16;
    int* pIds = static_cast<int*>(calloc(nCount + 1, sizeof(int)));
    char* pNames = static_cast<char*>(calloc(nNameBytes + 1, 1));
    short nResult = 1;
    if (pIds != nullptr && pNames != nullptr)
    {
        GetModelIDandNameArrays(pSetup, pIds, pNames);
        const char* pszName = pNames;
        const char* pszEnd = pNames + nNameBytes;
        for (unsigned int i = 0; i < nCount && pszName < pszEnd; ++i)
        {
            if (MbsEqual(pszName, strModelName))
            {
                nResult = static_cast<short>(pIds[i] & 0xFFFF);
                break;
            }
            pszName += strlen(pszName) + 1;
        }
    }
    free(pIds);
    free(pNames);
    return nResult;
}

// ----------------------------------------------------------------------------
// Tag import

// The list travels by value and comes back as the entry point's result.
int QRVPlcDriver::ExpParseCustomTagFileExt(char* pszFile, uPLCSETUP* pSetup, void** ppList,
                                           long nA, long* pB, unsigned char byC)
{
    if (!HasEntryPoint("ExpParseCustomTagFileExt"))
        return 0;
    *ppList = Call<void*(WINAPI*)(char*, uPLCSETUP*, void*, long, long*, unsigned char)>(
        "ExpParseCustomTagFileExt", static_cast<void*>(nullptr), pszFile, pSetup, *ppList, nA,
        pB, byC);
    return 1;
}

int QRVPlcDriver::ExpParseCustomTagFile1(char* pszFile, uPLCSETUP* pSetup, void** ppList,
                                         long nA, long* pB, sZ32TAG* pTag, long nC)
{
    if (!HasEntryPoint("ExpParseCustomTagFile1"))
        return ExpParseCustomTagFileExt(pszFile, pSetup, ppList, nA, pB, 0);
    *ppList = Call<void*(WINAPI*)(char*, uPLCSETUP*, void*, long, long*, sZ32TAG*, long)>(
        "ExpParseCustomTagFile1", static_cast<void*>(nullptr), pszFile, pSetup, *ppList, nA, pB,
        pTag, nC);
    return 1;
}

int QRVPlcDriver::ExpGetTagImportColumnOrderAndFormat(char* pszText, int* pA, int* pB)
{
    return Call<int(WINAPI*)(char*, int*, int*)>("ExpGetTagImportColumnOrderAndFormat", 0,
                                                 pszText, pA, pB);
}

int QRVPlcDriver::IsGenericTagImportSupported()
{
    unsigned char abyScratch[kGenericTagScratch] = {0};
    return Call<int(WINAPI*)(void*)>("ExpIsGenericTagImportSupported", 1,
                                     static_cast<void*>(abyScratch));
}

int QRVPlcDriver::ExpGetCustomTagFileFilters(char* pszFilters, unsigned int nSize)
{
    return Call<void(WINAPI*)(char*, unsigned int)>("ExpGetCustomTagFileFilters", 0, pszFilters,
                                                     nSize);
}

// ----------------------------------------------------------------------------
// Driver identity and resources

int QRVPlcDriver::DoSpecialInit()
{
    return Call<int(WINAPI*)()>("ExpDoSpecialInit", 0);
}

int QRVPlcDriver::ProxyToDll(int nValue)
{
    return Call<int(WINAPI*)(int)>("ProxyToDll", 0, nValue);
}

int QRVPlcDriver::IsPLCParamDataDriver()
{
    return Call<int(WINAPI*)()>("ExpIsPLCParamDataDriver", 0);
}

unsigned long QRVPlcDriver::GetVarnBinaryResourceSize(sSPROTINFO* pInfo)
{
    return Call<unsigned long(WINAPI*)(sSPROTINFO*)>("GetVarnBinaryResourceSize", 0UL, pInfo);
}

long QRVPlcDriver::GetVarnBinaryResource(char** ppBlock, sSPROTINFO* pInfo)
{
    return Call<long(WINAPI*)(char**, sSPROTINFO*)>("GetVarnBinaryResource", 0L, ppBlock, pInfo);
}

int QRVPlcDriver::FreeVarnBinaryResource()
{
    return Call<int(WINAPI*)()>("FreeVarnBinaryResource", 0);
}

int QRVPlcDriver::IsDProtoSupported()
{
    char* pBlock = nullptr;
    unsigned char abyInfo[SPROTINFO_SCRATCH_SIZE] = {0};
    GetVarnBinaryResource(&pBlock, reinterpret_cast<sSPROTINFO*>(abyInfo));
    int nResult = 0;
    if (pBlock != nullptr)
        nResult = (static_cast<unsigned char>(pBlock[VARNRES_DPROTO_BYTE]) & VARNRES_DPROTO_MASK)
                      ? 1
                      : 0;
    FreeVarnBinaryResource();
    return nResult;
}

int QRVPlcDriver::SupportsPropPages() const
{
    return HasEntryPoint("AttachPLCFieldDialog");
}

bool QRVPlcDriver::IsDprotoAddFileSupported() const
{
    return HasEntryPoint("ExpBeforePrjSaveAndDownload") &&
           HasEntryPoint("ExpAfterPrjLoadAndUpload");
}

// ----------------------------------------------------------------------------
// Capability bits

// The block is not cleared first: a driver that exports the entry point
// writes the whole first word.
int QRVPlcDriver::TestCapability(unsigned long dwMask, int nWhenMissing)
{
    sDRIVERCAPABILITY caps;
    if (!Call<void(WINAPI*)(sDRIVERCAPABILITY*)>("ExpGetDriverCapability", 0, &caps))
        return nWhenMissing;
    return (caps.dwCaps & dwMask) != 0 ? 1 : 0;
}

int QRVPlcDriver::IsOldTagSupported()
{
    return TestCapability(PLCCAP_OLDTAG, 0);
}

int QRVPlcDriver::IsTagSupported()
{
    return 1 - TestCapability(PLCCAP_NOTAG, 0);
}

int QRVPlcDriver::IsSplTagImportSupported()
{
    return TestCapability(PLCCAP_SPLTAGIMPORT, 0);
}

int QRVPlcDriver::Is64LEDUsed()
{
    return TestCapability(PLCCAP_64LED, 0);
}

int QRVPlcDriver::IsTagArray()
{
    return TestCapability(PLCCAP_TAGARRAY, 0);
}

int QRVPlcDriver::IsContinuousRDASupported()
{
    return 1 - TestCapability(PLCCAP_NOCONTINUOUSRDA, 0);
}

// ----------------------------------------------------------------------------
// Setup dialog

// The driver edits copies inside the parameter block; the caller's records
// change only when the user confirms. The setup is copied back after the
// project record, so an edited setup lying inside the project record wins
// over the project record's older copy of it.
int QRVPlcDriver::DoPlc(HWND hParent, ...)
{
    va_list args;
    va_start(args, hParent);
    unsigned long dwMode = va_arg(args, unsigned long);
    sPROJECT* pProject = va_arg(args, sPROJECT*);
    uPLCSETUP* pSetup = va_arg(args, uPLCSETUP*);
    tagFIELDREC* pField = va_arg(args, tagFIELDREC*);
    UINT_PTR dwUser = va_arg(args, UINT_PTR);
    int nFlag = va_arg(args, int);
    va_end(args);

    if (m_hModule == nullptr)
        return 0;
    sSETUPDLGPARAM* pBlock = static_cast<sSETUPDLGPARAM*>(calloc(1, sizeof(sSETUPDLGPARAM)));
    if (pBlock == nullptr)
        return 0;
    pBlock->dwSize = sizeof(sSETUPDLGPARAM);
    pBlock->pDriver = this;
    pBlock->dwUser = dwUser;
    if (nFlag != 0)
        pBlock->wFlags |= SETUPDLG_FLAG_BIT2;
    if (pField != nullptr)
        memcpy(&pBlock->fieldRec, pField, sizeof(tagFIELDREC));
    memcpy(&pBlock->project, pProject, sizeof(sPROJECT));
    memcpy(&pBlock->plcSetup, pSetup, sizeof(uPLCSETUP));
    pBlock->dwMode = dwMode;

    int nResult = 0;
    if (CPlxUtil::PrepareSetup(&pBlock->plcSetup, pSetup))
    {
        pBlock->ppszBaudRates = g_apszPlcBaudRates;
        pBlock->dwReserved2 = 0;
        auto pfnDialog = Lookup<int(WINAPI*)(HWND, sSETUPDLGPARAM*)>("ExecPlcSetupDlg");
        if (pfnDialog != nullptr)
        {
            if (pfnDialog(hParent, pBlock) == 0)
            {
                CPlxUtil::ReleaseSetup(&pBlock->plcSetup);
            }
            else
            {
                CPlxUtil::ReleaseSetup(pSetup);
                memcpy(pProject, &pBlock->project, sizeof(sPROJECT));
                memcpy(pSetup, &pBlock->plcSetup, sizeof(uPLCSETUP));
                if (pField != nullptr)
                    memcpy(pField, &pBlock->fieldRec, sizeof(tagFIELDREC));
                nResult = 1;
            }
        }
    }
    free(pBlock);
    return nResult;
}
