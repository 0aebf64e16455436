// QRVPlcDriver: the driver's setup dialog on a parameter block of copies.
#include "driver/DriverText.h"
#include "driver/EntryPointCall.h"
#include "toolkit/PlxUtil.h"
#include <stdarg.h>
#include <stdlib.h>

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
        auto pfnDialog = Lookup<DriverEntry::ExecPlcSetupDlg>();
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
