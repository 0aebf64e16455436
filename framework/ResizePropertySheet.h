// CResizePropertySheet: a property sheet with a sizable border. The buttons
// follow the bottom-right corner, the tab control and every page stretch,
// and the system menu gains the size commands (in the host's language when
// the host's own system menu has them).
#pragma once
#include <afxdlgs.h>
#include "framework/PropertySheetExt.h"
#include "framework/Resize.h"

class AFX_EXT_CLASS CResizePropertySheet : public CPropertySheetExt, public CResize
{
    DECLARE_DYNAMIC(CResizePropertySheet)
public:
    explicit CResizePropertySheet(UINT nIDCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0, UINT nFlags = 0);
    explicit CResizePropertySheet(LPCSTR pszCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0, UINT nFlags = 0);

    BOOL OnInitDialog() override;

    // Styles the owner adds to and removes from the sheet's window when it
    // initialises; set before the sheet is shown.
    DWORD m_dwAddStyle;
    DWORD m_dwRemoveStyle;

protected:
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnGetMinMaxInfo(MINMAXINFO* pMMI);
    DECLARE_MESSAGE_MAP()

private:
    void GrowByOnePixel();
    void AddSizeCommands();
    void RegisterControls();
};
