// CNewFolderDlg: asks for the name of a new folder. The name is taken as
// typed; whether it makes a valid folder is found out when it is created.
#pragma once
#include <afxwin.h>

class AFX_EXT_CLASS CNewFolderDlg : public CDialog
{
public:
    explicit CNewFolderDlg(CWnd* pParent = nullptr);

    CString m_strName;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
};
