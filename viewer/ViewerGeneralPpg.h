// CViewerGeneralPpg: the page "Allgemein", showing the viewer's image size
// and file name, read only.
#pragma once
#include <afxdlgs.h>

class CLeadViewerWnd;

class AFX_EXT_CLASS CViewerGeneralPpg : public CPropertyPage
{
    DECLARE_DYNAMIC(CViewerGeneralPpg)
public:
    explicit CViewerGeneralPpg(CLeadViewerWnd* pViewer);
    ~CViewerGeneralPpg() override;

    virtual void OnUpdate();
    BOOL OnInitDialog() override;

protected:
    CLeadViewerWnd* m_pViewer;
};
