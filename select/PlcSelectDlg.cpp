#include "select/PlcSelectDlg.h"
#include "catalogue/PlcInfo.h"
#include "catalogue/PlcInfoList.h"
#include "driver/PlcProjectCodes.h"
#include "driver/QRVPlcDriver.h"
#include "resources/resource.h"
#include "resources/select_ids.h"
#include <mbstring.h>
#include <string.h>

namespace
{
// The mode's radio button, in mode order.
const UINT kModeButtons[] = {IDC_PLC_MODE_EXTERNAL, IDC_PLC_MODE_INTERNAL, IDC_PLC_MODE_BOTH};

// The driver's setup dialog reads one flag more than this dialog has to say;
// it gets 0.
const int kSetupDialogFlag = 0;

bool SameText(const CString& a, const CString& b)
{
    return _mbscmp(reinterpret_cast<const unsigned char*>(static_cast<LPCSTR>(a)),
                   reinterpret_cast<const unsigned char*>(static_cast<LPCSTR>(b))) == 0;
}

bool HasDriverOfCode(CPlcInfoList* pList, unsigned char byCode)
{
    return pList != nullptr && pList->FindVersion(byCode) != nullptr;
}
} // namespace

BEGIN_MESSAGE_MAP(CPlcSelectDlg, CDialogEx)
    ON_BN_CLICKED(IDC_PLC_REMOVE, OnRemove)
    ON_BN_CLICKED(IDC_PLC_RESCAN, OnRescan)
    ON_BN_CLICKED(IDC_PLC_SETUP, OnSetup)
    ON_BN_CLICKED(IDC_PLC_MODE_EXTERNAL, OnModeExternal)
    ON_BN_CLICKED(IDC_PLC_MODE_INTERNAL, OnModeInternal)
    ON_BN_CLICKED(IDC_PLC_MODE_BOTH, OnModeBoth)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_PLC_LIST, OnItemChanged)
    ON_NOTIFY(NM_DBLCLK, IDC_PLC_LIST, OnDblClkList)
END_MESSAGE_MAP()

CPlcSelectDlg::CPlcSelectDlg(CPlcInfoList* pList, sPROJECT* pProject, HINSTANCE hActiveDriver,
                             IPLCMODE mode, int bInternalAllowed, tagFIELDREC* pField,
                             CWnd* pParent)
    : CDialogEx(IDD_PLC_SELECT, pParent), m_pProject(pProject), m_pList(pList),
      m_pActive(nullptr), m_mode(mode), m_initialMode(mode), m_bInternalAllowed(bInternalAllowed),
      m_bInitialised(FALSE), m_pField(pField), m_bSetupDone(FALSE)
{
    memset(&m_project, 0, sizeof(m_project));
    if (pProject != nullptr)
        memcpy(&m_project, pProject, sizeof(m_project));
    if (hActiveDriver != nullptr)
    {
        m_pActive = new CPlcInfo;
        m_pActive->CreateIndirect(hActiveDriver);
        m_bSetupDone = TRUE;
    }
}

CPlcSelectDlg::~CPlcSelectDlg()
{
    delete m_pActive;
}

CString CPlcSelectDlg::GetSelectedDriverDll()
{
    return m_strSelectedDll;
}

IPLCMODE CPlcSelectDlg::GetControllerMode()
{
    return m_mode;
}

void CPlcSelectDlg::SetSelectedDriver(CPlcInfo* pInfo)
{
    if (pInfo == nullptr)
        return;
    m_wndList.SetSelectedDriver(pInfo->m_strDriverName);
    m_strSelectedDll = pInfo->m_strDllName;
    UpdateControls();
}

// ----------------------------------------------------------------------------
// Initialisation and the state of the controls

BOOL CPlcSelectDlg::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    m_wndList.SubclassDlgItem(IDC_PLC_LIST, this);
    m_wndList.HideInternalControllers(true);
    m_wndList.HideClients(true);
    m_wndList.ShowDProtocolControllers(false);
    m_wndList.UpdateDriverList(m_pList);

    if (!m_bInternalAllowed || !HasDriverOfCode(m_pList, PlcCode::ISAGRAF))
    {
        m_mode = m_initialMode = MODE_EXTERNAL;
        EnableDlgItemArray(FALSE, kModeButtons, 3);
    }
    if (m_mode >= MODE_EXTERNAL && m_mode <= MODE_BOTH)
        CheckRadioButton(IDC_PLC_MODE_INTERNAL, IDC_PLC_MODE_BOTH, kModeButtons[m_mode]);

    if (m_pActive != nullptr)
    {
        SetSelectedDriver(m_pActive);
        ShowActiveDriver();
    }
    UpdateControls();
    m_wndList.SetFocus();
    m_bInitialised = TRUE;
    return FALSE;
}

void CPlcSelectDlg::UpdateControls()
{
    const bool bSelected = m_wndList.GetSelectedDriver() != nullptr;
    const bool bInternalOnly = m_mode == MODE_INTERNAL;
    EnableDlgItem(IDC_PLC_REMOVE, bSelected);
    EnableDlgItem(IDOK, bSelected || bInternalOnly);
    // The setup button follows the mode alone; without a row it does nothing.
    EnableDlgItem(IDC_PLC_SETUP, !bInternalOnly);
    EnableDlgItem(IDC_PLC_LIST, !bInternalOnly);
    ShowActiveDriver();
}

void CPlcSelectDlg::ShowActiveDriver()
{
    const bool bShow = m_pActive != nullptr && m_mode != MODE_INTERNAL;
    UpdateDlgItemText(IDC_PLC_ACTIVE_NAME, bShow ? static_cast<LPCSTR>(m_pActive->m_strDriverName) : "");
}

void CPlcSelectDlg::SetMode(int nMode)
{
    m_mode = static_cast<IPLCMODE>(nMode);
    UpdateControls();
}

void CPlcSelectDlg::OnModeExternal() { SetMode(MODE_EXTERNAL); }
void CPlcSelectDlg::OnModeInternal() { SetMode(MODE_INTERNAL); }
void CPlcSelectDlg::OnModeBoth() { SetMode(MODE_BOTH); }

// ----------------------------------------------------------------------------
// Choosing a driver and its setup

void CPlcSelectDlg::OnItemChanged(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    if (!m_bInitialised)
        return;
    if (CPlcInfo* pInfo = m_wndList.GetSelectedDriver())
    {
        ResetProjectCopyFor(pInfo);
        m_bSetupDone = FALSE;
    }
    m_strSelectedDll = m_wndList.GetSelectedDriverDll();
    UpdateControls();
}

// The project copy starts afresh with the chosen driver's defaults.
void CPlcSelectDlg::ResetProjectCopyFor(CPlcInfo* pInfo)
{
    memset(&m_project, 0, sizeof(m_project));
    QRVPlcDriver driver;
    driver.LoadDriver(pInfo);
    uPLCSETUP& setup = m_project.plcSetup;
    if (driver.IsValid())
        driver.InitPlcDefaults(reinterpret_cast<sTARGSETUP*>(&m_project), &setup, &setup, nullptr, 0);
    setup.fields.wCleared38 = 0;
    setup.fields.dwCleared40 = 0;
    setup.fields.byFlags = static_cast<unsigned char>(setup.fields.byFlags & ~1);
    setup.fields.wProjectCode = pInfo->m_byCode;
    setup.fields.byProjectCode = pInfo->m_byCode;
    driver.GetPlcSetup(&setup);
}

void CPlcSelectDlg::OnSetup()
{
    CPlcInfo* pInfo = m_wndList.GetSelectedDriver();
    if (pInfo == nullptr)
        return;
    QRVPlcDriver driver;
    driver.LoadDriver(pInfo);
    if (!driver.IsValid())
        return;
    const int nNewProject = m_project.byFlag411 == 0 ? 1 : 0;
    if (driver.DoPlc(GetSafeHwnd(), nNewProject, &m_project, &m_project.plcSetup, m_pField,
                     m_pProject, kSetupDialogFlag))
        m_bSetupDone = TRUE;
}

void CPlcSelectDlg::OnDblClkList(NMHDR*, LRESULT* pResult)
{
    OnSetup();
    *pResult = 0;
}

// ----------------------------------------------------------------------------
// Remove and rescan

void CPlcSelectDlg::OnRemove()
{
    CPlcInfo* pInfo = m_wndList.GetSelectedDriver();
    if (pInfo == nullptr)
        return;
    if (m_pActive != nullptr && SameText(pInfo->m_strDllName, m_pActive->m_strDllName))
    {
        AfxMessageBox(IDS_PLC_CANNOT_REMOVE, MB_OK);
        UpdateControls();
        return;
    }
    int nAnswer = AfxMessageBox(IDS_PLC_REMOVE_DRIVER, MB_YESNOCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2);
    if (nAnswer == IDYES || nAnswer == IDNO)
    {
        m_wndList.DeleteDriverItem(pInfo);
        if (m_pList != nullptr)
            m_pList->DeleteItem(pInfo, nAnswer == IDYES);
        SetSelectedDriver(m_pActive);
    }
    UpdateControls();
}

void CPlcSelectDlg::OnRescan()
{
    CWaitCursor wait;
    if (m_pList != nullptr)
        m_pList->Load(1);
    m_wndList.UpdateDriverList(m_pList);
    if (m_pActive != nullptr)
        SetSelectedDriver(m_pActive);
    ShowActiveDriver();
    UpdateControls();
}

// ----------------------------------------------------------------------------
// Closing

void CPlcSelectDlg::OnOK()
{
    if (!m_bSetupDone)
    {
        OnSetup();
        if (!m_bSetupDone)
            return;
    }
    m_strSelectedDll = m_wndList.GetSelectedDriverDll();
    if (MustConfirmChange() &&
        AfxMessageBox(IDS_PLC_CHANGE_CONTROLLER, MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
        return;
    EndDialog(IDOK);
}

// Another controller family or a move into or out of the internal controller
// may lose address information; the user confirms it.
bool CPlcSelectDlg::MustConfirmChange()
{
    if (m_pActive == nullptr)
        return true;
    CPlcInfo* pInfo = m_wndList.GetSelectedDriver();
    const bool bCompatible = pInfo == nullptr || pInfo->m_byCode == m_pActive->m_byCode ||
                             SameText(pInfo->m_strCompatibility, m_pActive->m_strCompatibility);
    const bool bToInternal = m_mode == MODE_INTERNAL && m_initialMode != MODE_INTERNAL;
    const bool bFromInternal = m_mode != MODE_INTERNAL && m_initialMode == MODE_INTERNAL;
    return !bCompatible || bToInternal || bFromInternal;
}

void CPlcSelectDlg::OnCancel()
{
    EndDialog(IDCANCEL);
}
