#include "DialogEx.h"

IMPLEMENT_DYNAMIC(CDialogEx, CDialog)

CDialogEx::CDialogEx(UINT nIDTemplate) : CDialog(nIDTemplate) { CDlgCtrlUtils::Attach(this); }

CDialogEx::CDialogEx(UINT nIDTemplate, CWnd* pParentWnd) : CDialog(nIDTemplate, pParentWnd)
{
    CDlgCtrlUtils::Attach(this);
}

unsigned long CDialogEx::GetPageType() { return 0xFFFFFFFFUL; }
