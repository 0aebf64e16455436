// DialogHostDlg.h : header file
#if !defined(AFX_DIALOGHOSTDLG_H__INCLUDED_)
#define AFX_DIALOGHOSTDLG_H__INCLUDED_

#include "catalogue/PlcInfoList.h"
#include "driver/PlcDriverRecords.h"

class CDialogHostDlg : public CDialog
{
public:
    CDialogHostDlg(CWnd* pParent = NULL);   // standard constructor

    //{{AFX_DATA(CDialogHostDlg)
    enum { IDD = IDD_DIALOGHOST_DIALOG };
    CString m_strChoice;
    //}}AFX_DATA

    //{{AFX_VIRTUAL(CDialogHostDlg)
protected:
    virtual void DoDataExchange(CDataExchange* pDX);    // DDX/DDV support
    //}}AFX_VIRTUAL

protected:
    HICON m_hIcon;
    CPlcInfoList m_catalogue;
    sPROJECT m_project;

    //{{AFX_MSG(CDialogHostDlg)
    virtual BOOL OnInitDialog();
    afx_msg void OnPaint();
    afx_msg HCURSOR OnQueryDragIcon();
    afx_msg void OnSelect();
    //}}AFX_MSG
    DECLARE_MESSAGE_MAP()
};

#endif // !defined(AFX_DIALOGHOSTDLG_H__INCLUDED_)
