// QRVPlcDriver: data formats, the cache of format names and ids, and the
// display conversions that go through it.
#include "driver/DriverText.h"
#include "driver/EntryPointCall.h"

using namespace DriverText;

// Data formats and display conversions

int QRVPlcDriver::GetDataFormat(unsigned short& nId, uPLCADR* pAdr)
{
    if (!HasEntryPoint(DriverEntry::ExpGetDataFormat::Name))
        return 0;
    nId = static_cast<unsigned short>(Call<DriverEntry::ExpGetDataFormat>(0, pAdr));
    return 1;
}

int QRVPlcDriver::GetPreferredDataFormat(unsigned short& nId, uPLCSETUP* pSetup, uPLCADR* pAdr)
{
    if (!HasEntryPoint(DriverEntry::ExpGetPreferredDataFormat::Name))
        return 0;
    nId =
        static_cast<unsigned short>(Call<DriverEntry::ExpGetPreferredDataFormat>(0, pSetup, pAdr));
    return 1;
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
    if (!HasEntryPoint(DriverEntry::ExpGetDataFormatIdFromString::Name))
        return 0;
    nId = static_cast<unsigned short>(
        Call<DriverEntry::ExpGetDataFormatIdFromString>(0, static_cast<LPCSTR>(strText)));
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
    if (!HasEntryPoint(DriverEntry::ExpGetDataFormatStringFromId::Name))
        return 0;
    CTextBuffer buffer(strText, kPathBufferSize);
    Call<DriverEntry::ExpGetDataFormatStringFromId>(0, nId, buffer.Get(), kPathBufferSize);
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

int QRVPlcDriver::ResolveFormatId(unsigned short& nId, const CString& strFormat, uPLCSETUP* pSetup,
                                  uPLCADR* pAdr)
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
