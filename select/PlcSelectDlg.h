// CPlcSelectDlg: the modal dialog in which the user chooses the project's
// controller driver and the controller mode. It works on a private copy of
// the project record; the host's own record is only handed on to the
// driver's setup dialog. After OK the host reads GetSelectedDriverDll and
// GetControllerMode.
#pragma once
#include "framework/DialogEx.h"
#include "driver/PlcDriverRecords.h"
#include "select/PlcListCtl.h"

class CPlcInfo;
class CPlcInfoList;

class AFX_EXT_CLASS CPlcSelectDlg : public CDialogEx
{
public:
    // Controller modes.
    static constexpr IPLCMODE MODE_EXTERNAL = static_cast<IPLCMODE>(0);
    static constexpr IPLCMODE MODE_INTERNAL = static_cast<IPLCMODE>(1);
    static constexpr IPLCMODE MODE_BOTH = static_cast<IPLCMODE>(2);

    // hActiveDriver: module of the project's active driver, or null.
    CPlcSelectDlg(CPlcInfoList* pList, sPROJECT* pProject, HINSTANCE hActiveDriver, IPLCMODE mode,
                  int bInternalAllowed, tagFIELDREC* pField, CWnd* pParent);
    ~CPlcSelectDlg() override;

    CString GetSelectedDriverDll();
    IPLCMODE GetControllerMode();
    void SetSelectedDriver(CPlcInfo* pInfo);

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

    afx_msg void OnRemove();
    afx_msg void OnRescan();
    afx_msg void OnSetup();
    afx_msg void OnModeExternal();
    afx_msg void OnModeInternal();
    afx_msg void OnModeBoth();
    afx_msg void OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnDblClkList(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    void UpdateControls();
    void SetMode(int nMode);
    void ShowActiveDriver();
    void ResetProjectCopyFor(CPlcInfo* pInfo);
    bool MustConfirmChange();

    sPROJECT* m_pProject;
    CPlcInfoList* m_pList;
    CPlcListCtl m_wndList;
    CPlcInfo* m_pActive;
    CString m_strSelectedDll;
    IPLCMODE m_mode;
    IPLCMODE m_initialMode;
    int m_bInternalAllowed;
    sPROJECT m_project;
    int m_bInitialised;
    tagFIELDREC* m_pField;
    int m_bSetupDone;
};
