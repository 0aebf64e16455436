#include "NewFolderDlg.h"
#include "resources/resource.h"

CNewFolderDlg::CNewFolderDlg(CWnd* pParent) : CDialog(IDD_NEW_FOLDER, pParent) {}

void CNewFolderDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_NEW_FOLDER_NAME, m_strName);
}

BOOL CNewFolderDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    GotoDlgCtrl(GetDlgItem(IDC_NEW_FOLDER_NAME));
    return FALSE;   // the focus is set
}
