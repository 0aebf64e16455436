#include "viewer/LeadViewerPages.h"
#include <afxdlgs.h>
#include "viewer/LeadViewerPpg.h"
#include "viewer/LeadViewerWnd.h"
#include "viewer/ViewerGeneralPpg.h"
#include "viewer/ViewerPanelPpg.h"
#include "viewer/ViewerPps.h"

CLeadViewerPages::CLeadViewerPages(CLeadViewerWnd* pViewer)
    : m_pViewer(pViewer), m_pImagePage(nullptr), m_pPanelPage(nullptr), m_pGeneralPage(nullptr)
{
}

CLeadViewerPages::~CLeadViewerPages()
{
    delete m_pImagePage;
    delete m_pPanelPage;
    delete m_pGeneralPage;
}

void CLeadViewerPages::RemovePage(CPropertySheet* pSheet, CPropertyPage* pPage)
{
    if (!pSheet || !pPage)
        return;
    const int nIndex = pSheet->GetPageIndex(pPage);
    if (nIndex >= 0)
        pSheet->RemovePage(nIndex);
}

void CLeadViewerPages::Add(CPropertySheet* pSheet)
{
    if (!pSheet)
        return;
    if (m_pViewer->GetViewerStyle() & VWS_GENERALPAGE)
    {
        // A fresh page each time; the previous one leaves the sheet first.
        RemovePage(pSheet, m_pGeneralPage);
        delete m_pGeneralPage;
        m_pGeneralPage = new CViewerGeneralPpg(m_pViewer);
        pSheet->AddPage(m_pGeneralPage);
    }
    if (!m_pImagePage)
    {
        m_pImagePage = new CLeadViewerPpg(m_pViewer);
        if (m_pViewer->GetPanelSettings().pPalPlx508)
            m_pImagePage->SetPlx5CompMode(1);
    }
    pSheet->AddPage(m_pImagePage);
    if (m_pViewer->GetImageColorBits() >= 8)
    {
        if (!m_pPanelPage)
        {
            CViewerPps* pPps = DYNAMIC_DOWNCAST(CViewerPps, pSheet);
            m_pPanelPage = new CViewerPanelPpg(pPps ? pPps->GetColorNames() : nullptr, m_pViewer);
        }
        pSheet->AddPage(m_pPanelPage);
    }
}

void CLeadViewerPages::Remove(CPropertySheet* pSheet)
{
    if ((m_pViewer->GetViewerStyle() & VWS_GENERALPAGE) && m_pGeneralPage)
    {
        RemovePage(pSheet, m_pGeneralPage);
        delete m_pGeneralPage;
        m_pGeneralPage = nullptr;
    }
    RemovePage(pSheet, m_pImagePage);
    delete m_pImagePage;
    m_pImagePage = nullptr;
    RemovePage(pSheet, m_pPanelPage);
    delete m_pPanelPage;
    m_pPanelPage = nullptr;
}

void CLeadViewerPages::Update()
{
    if (m_pGeneralPage && m_pGeneralPage->GetSafeHwnd())
        m_pGeneralPage->OnUpdate();
    if (m_pImagePage && m_pImagePage->GetSafeHwnd())
        m_pImagePage->OnUpdate();
    if (m_pPanelPage && m_pPanelPage->GetSafeHwnd())
        m_pPanelPage->OnUpdate();
}
