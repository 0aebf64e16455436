// ValuesDlg.cpp : implementation file
#include "stdafx.h"
#include "SdiHost.h"
#include "ValuesDlg.h"

CValuesDlg::CValuesDlg(CWnd *pParent /*=NULL*/) : CDialog(CValuesDlg::IDD, pParent)
{
    m_strName = _T("");
    m_lCount = 0;
    m_dLevel = 0.0;
}

void CValuesDlg::DoDataExchange(CDataExchange *pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_VALUE_NAME, m_strName);
    DDV_MaxChars(pDX, m_strName, 40);
    DDX_Text(pDX, IDC_VALUE_COUNT, m_lCount);
    DDX_Text(pDX, IDC_VALUE_LEVEL, m_dLevel);
}
