// ValuesDlg.h : header file
#if !defined(AFX_VALUESDLG_H__SDIHOST__INCLUDED_)
#define AFX_VALUESDLG_H__SDIHOST__INCLUDED_

class CValuesDlg : public CDialog
{
public:
    CValuesDlg(CWnd* pParent = NULL);   // standard constructor

    //{{AFX_DATA(CValuesDlg)
    enum { IDD = IDD_VALUES };
    CString m_strName;
    long    m_lCount;
    double  m_dLevel;
    //}}AFX_DATA

    //{{AFX_VIRTUAL(CValuesDlg)
protected:
    virtual void DoDataExchange(CDataExchange* pDX);    // DDX/DDV support
    //}}AFX_VIRTUAL

protected:
    //{{AFX_MSG(CValuesDlg)
    //}}AFX_MSG
    DECLARE_MESSAGE_MAP()
};

#endif // !defined(AFX_VALUESDLG_H__SDIHOST__INCLUDED_)
