// The project the demo host configures: its project record, the controller
// mode and the active driver, chosen in the library's controller selection
// dialog over the sample drivers.
#pragma once
#include <afxwin.h>
#include "catalogue/PlcInfoList.h"
#include "driver/PlcDriverRecords.h"

class CPlcSelectDlg;

class CDemoProject
{
public:
    CDemoProject();
    ~CDemoProject();

    // Runs the selection dialog; true after OK, when the choice is taken over.
    bool ChooseController(CWnd* pParent);
    // A new selection dialog, created modeless for the screenshot; delete it after use.
    CPlcSelectDlg* CreateDialogFor(CWnd* pParent);

    CString ActiveDll() const;
    CString ModeText() const;

private:
    CPlcSelectDlg* NewDialog(CWnd* pParent);
    void Activate(const CString& strDll);

    CPlcInfoList m_catalogue;
    sPROJECT m_project;
    HMODULE m_hActive;
    IPLCMODE m_mode;
};
