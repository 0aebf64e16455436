// CLeadViewerPages: the property pages the image viewer contributes to a
// viewer property sheet ("Allgemein" with VWS_GENERALPAGE, "Bild", and
// "Panel" for panels of 8 colour bits or more). The pages are made on first
// use, belong to this object and outlive their sheet.
#pragma once
#include <afxwin.h>

class CPropertySheet;
class CPropertyPage;
class CLeadViewerWnd;
class CLeadViewerPpg;
class CViewerPanelPpg;
class CViewerGeneralPpg;

class AFX_EXT_CLASS CLeadViewerPages
{
public:
    explicit CLeadViewerPages(CLeadViewerWnd* pViewer);
    ~CLeadViewerPages();

    // Adds the viewer's pages to the sheet (the general page anew each time).
    void Add(CPropertySheet* pSheet);
    // Takes the pages out of the sheet (when given) and deletes them.
    void Remove(CPropertySheet* pSheet);
    // Every page that has a window reads the viewer again.
    void Update();

    CLeadViewerPpg* GetImagePage() const { return m_pImagePage; }
    CViewerPanelPpg* GetPanelPage() const { return m_pPanelPage; }
    CViewerGeneralPpg* GetGeneralPage() const { return m_pGeneralPage; }

private:
    static void RemovePage(CPropertySheet* pSheet, CPropertyPage* pPage);

    CLeadViewerWnd* m_pViewer;
    CLeadViewerPpg* m_pImagePage;
    CViewerPanelPpg* m_pPanelPage;
    CViewerGeneralPpg* m_pGeneralPage;
};
