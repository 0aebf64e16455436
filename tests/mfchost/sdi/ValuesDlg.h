// ValuesDlg.h : header file
#pragma once

class CValuesDlg : public CDialog {
public:
    CValuesDlg(CWnd *pParent = NULL); // standard constructor

    enum { IDD = IDD_VALUES };
    CString m_strName;
    long m_lCount;
    double m_dLevel;

protected:
    virtual void DoDataExchange(CDataExchange *pDX); // DDX/DDV support
};
