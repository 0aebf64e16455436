// ValuesDlg.cpp : implementation file
//
#include "stdafx.h"
#include "SdiHost.h"
#include "ValuesDlg.h"

CValuesDlg::CValuesDlg(CWnd* pParent /*=NULL*/)
    : CDialog(CValuesDlg::IDD, pParent)
{
    //{{AFX_DATA_INIT(CValuesDlg)
    m_strName = _T("");
    m_lCount = 0;
    m_dLevel = 0.0;
    //}}AFX_DATA_INIT
}

void CValuesDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    //{{AFX_DATA_MAP(CValuesDlg)
    DDX_Text(pDX, IDC_VALUE_NAME, m_strName);
    DDV_MaxChars(pDX, m_strName, 40);
    DDX_Text(pDX, IDC_VALUE_COUNT, m_lCount);
    DDX_Text(pDX, IDC_VALUE_LEVEL, m_dLevel);
    //}}AFX_DATA_MAP
}

BEGIN_MESSAGE_MAP(CValuesDlg, CDialog)
    //{{AFX_MSG_MAP(CValuesDlg)
    //}}AFX_MSG_MAP
END_MESSAGE_MAP()
