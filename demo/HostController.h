// The project's controller: the active driver module and the controller
// mode, chosen in the library's controller selection dialog over the
// catalogue of the sample drivers beside the demo.
#pragma once
#include <afxwin.h>
#include "catalogue/PlcInfoList.h"
#include "driver/PlcDriverRecords.h"

class CPlcSelectDlg;

class CHostController
{
public:
    CHostController();
    ~CHostController();

    // The driver module by its file name (none when empty) and the mode;
    // false, with nothing changed, when the module cannot be loaded.
    bool Activate(const CString& strDll, int nMode);
    // Takes over what the dialog has selected; false if it has no driver.
    bool TakeChoice(CPlcSelectDlg& dlg);
    // A new selection dialog, not yet created; delete it after use.
    CPlcSelectDlg* NewDialog(CWnd* pParent);

    CString ActiveDll() const;
    // The driver's name from the catalogue, else its file name.
    CString ActiveName();
    int Mode() const { return m_mode; }
    CString ModeText() const;
    // "Simatic S7 PPI (Z32TPLC072.dll), nur externe Controller"
    CString Describe();
    CPlcInfoList& Catalogue() { return m_catalogue; }

private:
    CPlcInfoList m_catalogue;
    sPROJECT m_project;
    HMODULE m_hActive;
    int m_mode;
};
