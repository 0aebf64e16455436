#include "ResizeDemo.h"
#include <initializer_list>
#include "resources/resource.h"

void FillDemoTree(CTreeCtrl& tree)
{
    HTREEITEM hProject = tree.InsertItem("Projekt Kläranlage");
    HTREEITEM hPanels = tree.InsertItem("Bediengeräte", hProject);
    tree.InsertItem("Panel Halle 1", hPanels);
    tree.InsertItem("Panel Halle 2", hPanels);
    HTREEITEM hPlc = tree.InsertItem("Steuerungen", hProject);
    tree.InsertItem("S7-300 Pumpenstation", hPlc);
    tree.InsertItem("S5-115 Belüftung", hPlc);
    HTREEITEM hImages = tree.InsertItem("Bilder", hProject);
    for (LPCSTR name : { "Übersicht", "Zulauf", "Becken 1", "Becken 2", "Ablauf", "Störmeldungen" })
        tree.InsertItem(name, hImages);
    tree.Expand(hProject, TVE_EXPAND);
    tree.Expand(hPanels, TVE_EXPAND);
    tree.Expand(hPlc, TVE_EXPAND);
    tree.Expand(hImages, TVE_EXPAND);
}

void FillDemoTabs(CTabCtrlEx& tabs)
{
    int i = 0;
    for (LPCSTR name : { "Allgemein", "Verbindung", "Protokoll", "Anzeige" })
        tabs.InsertItem(i++, name);
    tabs.EnableTab(2, FALSE);
}

CResizeDemoDialog::CResizeDemoDialog(CWnd* pParent) : CResizeDialog(IDD, pParent) {}

BOOL CResizeDemoDialog::OnInitDialog()
{
    CResizeDialog::OnInitDialog();
    m_tree.SubclassDlgItem(IDC_RESIZE_TREE, this);
    m_tree.SetBitmap(IDB_TREE_BACKGROUND);
    FillDemoTree(m_tree);
    m_tabs.SubclassDlgItem(IDC_RESIZE_TABS, this);
    FillDemoTabs(m_tabs);

    // The tree takes the left half, the tabs the right half; the note below
    // stretches across, the buttons stay in the bottom-right corner.
    SetResize(IDC_RESIZE_TREE, 0.0f, 0.0f, 0.5f, 1.0f);
    SetResize(IDC_RESIZE_TABS, 0.5f, 0.0f, 1.0f, 1.0f);
    SetResize(IDC_RESIZE_GROUP, 0.0f, 1.0f, 1.0f, 1.0f);
    SetResize(IDC_RESIZE_NAME, 0.0f, 1.0f, 1.0f, 1.0f);
    SetResize(IDC_RESIZE_NOTE, 0.0f, 1.0f, 0.0f, 1.0f);
    SetResize(IDOK, 1.0f, 1.0f, 1.0f, 1.0f);
    SetResize(IDCANCEL, 1.0f, 1.0f, 1.0f, 1.0f);
    return TRUE;
}

CDemoTreePage::CDemoTreePage() : CResizePropertyPage(IDD_RESIZE_TREE_PAGE) {}

BOOL CDemoTreePage::OnInitDialog()
{
    CResizePropertyPage::OnInitDialog();
    m_tree.SubclassDlgItem(IDC_RESIZE_PAGE_TREE, this);
    m_tree.SetBitmap(IDB_TREE_BACKGROUND);
    FillDemoTree(m_tree);
    SetResize(IDC_RESIZE_PAGE_TREE, 0.0f, 0.0f, 1.0f, 1.0f);
    return TRUE;
}

CDemoTabsPage::CDemoTabsPage() : CResizePropertyPage(IDD_RESIZE_TABS_PAGE) {}

BOOL CDemoTabsPage::OnInitDialog()
{
    CResizePropertyPage::OnInitDialog();
    m_tabs.SubclassDlgItem(IDC_RESIZE_PAGE_TABS, this);
    FillDemoTabs(m_tabs);
    SetResize(IDC_RESIZE_PAGE_TABS, 0.0f, 0.0f, 1.0f, 1.0f);
    SetResize(IDC_RESIZE_PAGE_TEXT, 0.0f, 1.0f, 1.0f, 1.0f);
    return TRUE;
}

CResizeDemoSheet::CResizeDemoSheet(CWnd* pParent) : CResizePropertySheet("Projekteigenschaften", pParent)
{
    AddPage(&m_treePage);
    AddPage(&m_tabsPage);
}

BOOL CResizeDemoSheet::OnInitDialog()
{
    BOOL bResult = CResizePropertySheet::OnInitDialog();
    m_sheetTabs.SubclassDlgItem(AFX_IDC_TAB_CONTROL, this);
    return bResult;
}

BOOL CResizeDemoSheet::PreTranslateMessage(MSG* pMsg)
{
    if (m_sheetTabs.m_hWnd && m_sheetTabs.TranslatePropSheetMsg(pMsg))
        return TRUE;
    return CResizePropertySheet::PreTranslateMessage(pMsg);
}
