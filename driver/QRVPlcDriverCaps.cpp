// QRVPlcDriver: the model number, the driver's binary resource and the
// capability bits of "ExpGetDriverCapability".
#include "driver/DriverText.h"
#include "driver/EntryPointCall.h"
#include <stdlib.h>

using namespace DriverText;

short QRVPlcDriver::GetModelNumber(uPLCSETUP* pSetup, CString strModelName)
{
    unsigned long nSizes =
        static_cast<unsigned long>(GetModelIDandNameArrays(nullptr, nullptr, nullptr));
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

// Driver identity and resources

int QRVPlcDriver::IsDProtoSupported()
{
    char* pBlock = nullptr;
    unsigned char abyInfo[SPROTINFO_SCRATCH_SIZE] = {0};
    GetVarnBinaryResource(&pBlock, reinterpret_cast<sSPROTINFO*>(abyInfo));
    int nResult = 0;
    if (pBlock != nullptr)
        nResult =
            (static_cast<unsigned char>(pBlock[VARNRES_DPROTO_BYTE]) & VARNRES_DPROTO_MASK) ? 1 : 0;
    FreeVarnBinaryResource();
    return nResult;
}

int QRVPlcDriver::SupportsPropPages() const
{
    return HasEntryPoint(DriverEntry::AttachPLCFieldDialog::Name);
}

bool QRVPlcDriver::IsDprotoAddFileSupported() const
{
    return HasEntryPoint(DriverEntry::ExpBeforePrjSaveAndDownload::Name) &&
           HasEntryPoint(DriverEntry::ExpAfterPrjLoadAndUpload::Name);
}

// ----------------------------------------------------------------------------
// Capability bits

// The block is not cleared first: a driver that exports the entry point
// writes the whole first word.
int QRVPlcDriver::TestCapability(unsigned long dwMask, int nWhenMissing)
{
    sDRIVERCAPABILITY caps;
    if (!Call<DriverEntry::ExpGetDriverCapability>(0, &caps))
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
