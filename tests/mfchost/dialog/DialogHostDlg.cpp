// DialogHostDlg.cpp : implementation file
#include "stdafx.h"
#include "DialogHost.h"
#include "DialogHostDlg.h"
#include "select/PlcSelectDlg.h"

CDialogHostDlg::CDialogHostDlg(CWnd *pParent /*=NULL*/)
    : CDialog(CDialogHostDlg::IDD, pParent), m_catalogue("VARN\\")
{
    m_hIcon = AfxGetApp()->LoadIcon(IDR_MAINFRAME);
    memset(&m_project, 0, sizeof(m_project));
}

void CDialogHostDlg::DoDataExchange(CDataExchange *pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_CHOICE, m_strChoice);
}

BEGIN_MESSAGE_MAP(CDialogHostDlg, CDialog)
ON_BN_CLICKED(IDC_SELECT, OnSelect)
END_MESSAGE_MAP()

BOOL CDialogHostDlg::OnInitDialog()
{
    CDialog::OnInitDialog();

    // Set the icon for this dialog.  The framework does not do this automatically
    //  when the application's main window is not a dialog
    SetIcon(m_hIcon, TRUE);  // Set big icon
    SetIcon(m_hIcon, FALSE); // Set small icon

    m_strChoice.LoadString(IDS_CHOICE_NONE);
    UpdateData(FALSE);
    return TRUE; // return TRUE  unless you set the focus to a control
}

void CDialogHostDlg::OnSelect()
{
    CPlcSelectDlg dlg(&m_catalogue, &m_project, NULL, CPlcSelectDlg::MODE_EXTERNAL, TRUE, NULL, this);
    if (dlg.DoModal() == IDOK)
        m_strChoice = dlg.GetSelectedDriverDll();
    else
        m_strChoice.LoadString(IDS_CHOICE_CANCELLED);
    UpdateData(FALSE);
}
