// CDialogEx: a dialog that addresses its own controls through CDlgCtrlUtils.
// Its message map is the dialog's own; it adds no handlers.
#pragma once
#include <afxwin.h>
#include "framework/DlgCtrlUtils.h"

class AFX_EXT_CLASS CDialogEx : public CDialog, public CDlgCtrlUtils
{
    DECLARE_DYNAMIC(CDialogEx)
public:
    explicit CDialogEx(UINT nIDTemplate);
    CDialogEx(UINT nIDTemplate, CWnd* pParentWnd);

    // What kind of dialog this is for the host; 0xFFFFFFFF unless a derived class says otherwise.
    virtual unsigned long GetPageType();

    // Both: Attach(HWND) binds a window, Attach(CWnd*) chooses the controls' window.
    using CDialog::Attach;
    using CDlgCtrlUtils::Attach;
};
