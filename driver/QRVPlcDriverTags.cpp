// QRVPlcDriver: the members that pass texts and tags through the driver's
// fixed buffers, and tag import.
#include "driver/DriverText.h"
#include "driver/EntryPointCall.h"

using namespace DriverText;

namespace
{
const int kGenericTagScratch = 20;
} // namespace

// Setup, model and project data

int QRVPlcDriver::GetPLCNodeStringAsIP(uPLCSETUP* pSetup, CString& strText)
{
    CTextBuffer buffer(strText, kTagBufferSize);
    int nResult = Call<DriverEntry::ExpGetPLCNodeStringAsIP>(0, pSetup, buffer.Get());
    strText = buffer.Text();
    return nResult;
}

int QRVPlcDriver::SetPLCParamData(uPLCSETUP* pSetup, unsigned long nValue, char* pszData)
{
    if (!IsPLCParamDataDriver())
        return 0;
    return Call<DriverEntry::ExpSetPLCParamData>(0, pSetup, nValue, pszData);
}

// ----------------------------------------------------------------------------
// Field dialog and field controls

// Drivers without the extended entry point still get their controls set up,
// but the caller learns that the two texts were not taken.
int QRVPlcDriver::InitTagFieldControls(HWND hWnd, _tagDEFIELD* pField, unsigned short nValue,
                                       CString strA, CString strB)
{
    CTextBuffer bufferA(strA, kPathBufferSize);
    CTextBuffer bufferB(strB, kPathBufferSize);
    if (Call<DriverEntry::ExpInitFieldControls1>(0, hWnd, pField, nValue, bufferA.Get(),
                                                 bufferB.Get()))
        return 1;
    InitFieldControls(hWnd, pField, nValue);
    return 0;
}

// ----------------------------------------------------------------------------

// Addresses and tags

int QRVPlcDriver::GetLogicalAddress(char* pszText, uPLCSETUP* pSetup, uPLCADR* pAdr)
{
    if (IsTerminalEmulator())
        return 0;
    return Call<DriverEntry::ExpGetLogicalTag>(0, pszText, pSetup, pAdr);
}

int QRVPlcDriver::GetLogicalAddress(char* pszText, uPLCSETUP* pSetup, uPLCADR* pAdr,
                                    unsigned char byValue, int nA, int nB, sPROJECT* pProject)
{
    if (IsTerminalEmulator())
        return 0;
    return Call<DriverEntry::ExpWriteLogicalAddressString>(0, pszText, pProject, pSetup, pAdr,
                                                           byValue, nA, nB);
}

int QRVPlcDriver::UpdateFieldFromTagDb(CString strTag, unsigned short nId, uPLCSETUP* pSetup,
                                       uPLCADR* pAdr)
{
    CTextBuffer buffer(strTag, kPathBufferSize);
    return Call<DriverEntry::ExpUpdateFieldFromTagDb>(0, buffer.Get(), nId, pSetup, pAdr);
}

int QRVPlcDriver::UpdateFieldFromTagDb(CString strTag, CString strFormat, uPLCSETUP* pSetup,
                                       uPLCADR* pAdr)
{
    unsigned short nId = 0;
    ResolveFormatId(nId, strFormat, pSetup, pAdr);
    return UpdateFieldFromTagDb(strTag, nId, pSetup, pAdr);
}

// The driver reports its models as a count and a name-block size packed into
// one result, then fills an id array and the zero-separated names.

// Tag import

// The list travels by value and comes back as the entry point's result.
int QRVPlcDriver::ExpParseCustomTagFileExt(char* pszFile, uPLCSETUP* pSetup, void** ppList, long nA,
                                           long* pB, unsigned char byC)
{
    if (!HasEntryPoint(DriverEntry::ExpParseCustomTagFileExt::Name))
        return 0;
    *ppList = Call<DriverEntry::ExpParseCustomTagFileExt>(static_cast<void*>(nullptr), pszFile,
                                                          pSetup, *ppList, nA, pB, byC);
    return 1;
}

int QRVPlcDriver::ExpParseCustomTagFile1(char* pszFile, uPLCSETUP* pSetup, void** ppList, long nA,
                                         long* pB, sZ32TAG* pTag, long nC)
{
    if (!HasEntryPoint(DriverEntry::ExpParseCustomTagFile1::Name))
        return ExpParseCustomTagFileExt(pszFile, pSetup, ppList, nA, pB, 0);
    *ppList = Call<DriverEntry::ExpParseCustomTagFile1>(static_cast<void*>(nullptr), pszFile,
                                                        pSetup, *ppList, nA, pB, pTag, nC);
    return 1;
}

int QRVPlcDriver::IsGenericTagImportSupported()
{
    unsigned char abyScratch[kGenericTagScratch] = {0};
    return Call<DriverEntry::ExpIsGenericTagImportSupported>(1, static_cast<void*>(abyScratch));
}

// ----------------------------------------------------------------------------
