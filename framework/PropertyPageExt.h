// CPropertyPageExt: a property page that addresses its own controls through
// CDlgCtrlUtils. Its message map is the page's own; it adds no handlers.
#pragma once
#include <afxdlgs.h>
#include "framework/DlgCtrlUtils.h"

// The framework's help-command message (F1 inside a dialog).
#ifndef WM_COMMANDHELP
#define WM_COMMANDHELP 0x0365
#endif

class AFX_EXT_CLASS CPropertyPageExt : public CPropertyPage, public CDlgCtrlUtils
{
    DECLARE_DYNAMIC(CPropertyPageExt)
public:
    CPropertyPageExt();
    CPropertyPageExt(UINT nIDTemplate, UINT nIDCaption = 0);

    virtual unsigned long GetPageType();

    // Hands WM_COMMANDHELP on to the sheet, which knows the help context;
    // not mapped here: derived pages map it with ON_MESSAGE when they want it.
    afx_msg LRESULT OnCommandHelp(WPARAM wParam, LPARAM lParam);

    using CPropertyPage::Attach;
    using CDlgCtrlUtils::Attach;
};
