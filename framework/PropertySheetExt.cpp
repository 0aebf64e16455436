#include "PropertySheetExt.h"
#include "resources/resource.h"

IMPLEMENT_DYNAMIC(CPropertySheetExt, CPropertySheet)

CPropertySheetExt::CPropertySheetExt(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
    : CPropertySheet(nIDCaption, pParentWnd, iSelectPage)
{
}

CPropertySheetExt::CPropertySheetExt(LPCSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
    : CPropertySheet(pszCaption, pParentWnd, iSelectPage)
{
}

BOOL CPropertySheetExt::OnInitDialog()
{
    BOOL bResult = CPropertySheet::OnInitDialog();
    SetButtonCaption(IDOK, IDS_SHEET_OK);
    SetButtonCaption(IDCANCEL, IDS_SHEET_CANCEL);
    SetButtonCaption(ID_APPLY_NOW, IDS_SHEET_APPLY);
    SetButtonCaption(IDHELP, IDS_SHEET_HELP);
    return bResult;
}

// A sheet without the button, or a string table without the text, keeps what it has.
void CPropertySheetExt::SetButtonCaption(int nButtonID, UINT nStringID)
{
    HWND hButton = ::GetDlgItem(m_hWnd, nButtonID);
    if (!hButton)
        return;
    CString strCaption;
    if (strCaption.LoadString(nStringID) && !strCaption.IsEmpty())
        ::SetWindowTextA(hButton, strCaption);
}
