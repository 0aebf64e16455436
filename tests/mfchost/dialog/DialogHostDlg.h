// DialogHostDlg.h : header file
#pragma once

#include "catalogue/PlcInfoList.h"
#include "driver/PlcDriverRecords.h"

class CDialogHostDlg : public CDialog {
public:
    CDialogHostDlg(CWnd *pParent = NULL); // standard constructor

    enum { IDD = IDD_DIALOGHOST_DIALOG };
    CString m_strChoice;

protected:
    virtual void DoDataExchange(CDataExchange *pDX); // DDX/DDV support

    HICON m_hIcon;
    CPlcInfoList m_catalogue;
    sPROJECT m_project;

    virtual BOOL OnInitDialog();
    afx_msg void OnSelect();
    DECLARE_MESSAGE_MAP()
};
