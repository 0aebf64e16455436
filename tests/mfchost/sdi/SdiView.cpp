// SdiView.cpp : implementation of the CSdiView class
#include "stdafx.h"
#include "SdiHost.h"
#include "SdiDoc.h"
#include "SdiView.h"
#include "ValuesDlg.h"

IMPLEMENT_DYNCREATE(CSdiView, CView)

BEGIN_MESSAGE_MAP(CSdiView, CView)
ON_COMMAND(ID_EDIT_VALUES, OnEditValues)
END_MESSAGE_MAP()

void CSdiView::OnDraw(CDC *pDC)
{
    CSdiDoc *pDoc = GetDocument();
    ASSERT_VALID(pDoc);

    CString strLine;
    strLine.Format(IDS_LINE_NAME, (LPCTSTR)pDoc->m_strName);
    pDC->TextOut(10, 10, strLine);
    strLine.Format(IDS_LINE_COUNT, pDoc->m_lCount);
    pDC->TextOut(10, 30, strLine);
    strLine.Format(IDS_LINE_LEVEL, pDoc->m_dLevel);
    pDC->TextOut(10, 50, strLine);
}

// Edit > Werte: the document's values in a dialog; OK takes them over.
void CSdiView::OnEditValues()
{
    CSdiDoc *pDoc = GetDocument();
    CValuesDlg dlg(this);
    dlg.m_strName = pDoc->m_strName;
    dlg.m_lCount = pDoc->m_lCount;
    dlg.m_dLevel = pDoc->m_dLevel;
    if (dlg.DoModal() != IDOK)
        return;
    pDoc->m_strName = dlg.m_strName;
    pDoc->m_lCount = dlg.m_lCount;
    pDoc->m_dLevel = dlg.m_dLevel;
    pDoc->SetModifiedFlag();
    pDoc->UpdateAllViews(NULL);
}
