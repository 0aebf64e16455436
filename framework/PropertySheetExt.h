// CPropertySheetExt: a property sheet whose standard buttons carry the
// library's German captions, whatever language the platform's sheet uses.
#pragma once
#include <afxdlgs.h>

class AFX_EXT_CLASS CPropertySheetExt : public CPropertySheet
{
    DECLARE_DYNAMIC(CPropertySheetExt)
public:
    explicit CPropertySheetExt(UINT nIDCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
    explicit CPropertySheetExt(LPCSTR pszCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);

    // The sheet's own initialisation, then the button captions.
    BOOL OnInitDialog() override;

private:
    void SetButtonCaption(int nButtonID, UINT nStringID);
};
