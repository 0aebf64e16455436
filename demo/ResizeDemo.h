// The demo's resizable windows from QRV.dll's layout framework: a dialog
// with a picture tree and a tab control with a disabled tab, and a sheet
// with the same two controls on pages of their own. The ids below are
// shared with resize.rc.
#pragma once

#define IDD_RESIZE_DEMO            210
#define IDD_RESIZE_TREE_PAGE       211
#define IDD_RESIZE_TABS_PAGE       212
#define IDC_RESIZE_TREE            2101
#define IDC_RESIZE_TABS            2102
#define IDC_RESIZE_GROUP           2103
#define IDC_RESIZE_NAME            2104
#define IDC_RESIZE_NOTE            2105
#define IDC_RESIZE_PAGE_TREE       2110
#define IDC_RESIZE_PAGE_TABS       2111
#define IDC_RESIZE_PAGE_TEXT       2112

#ifndef RC_INVOKED
#include <afxcmn.h>
#include "framework/QRVBmpTreeCtrl.h"
#include "framework/ResizeDialog.h"
#include "framework/ResizePropertyPage.h"
#include "framework/ResizePropertySheet.h"
#include "framework/TabCtrlEx.h"

// Fills a tree with a small project outline.
void FillDemoTree(CTreeCtrl& tree);
// Tabs "Allgemein", "Verbindung", "Protokoll" (disabled) and "Anzeige".
void FillDemoTabs(CTabCtrlEx& tabs);

class CResizeDemoDialog : public CResizeDialog
{
public:
    enum { IDD = IDD_RESIZE_DEMO };
    explicit CResizeDemoDialog(CWnd* pParent = nullptr);

protected:
    BOOL OnInitDialog() override;

    QRVBmpTreeCtrl m_tree;
    CTabCtrlEx m_tabs;
};

class CDemoTreePage : public CResizePropertyPage
{
public:
    CDemoTreePage();

protected:
    BOOL OnInitDialog() override;
    QRVBmpTreeCtrl m_tree;
};

class CDemoTabsPage : public CResizePropertyPage
{
public:
    CDemoTabsPage();

protected:
    BOOL OnInitDialog() override;
    CTabCtrlEx m_tabs;
};

// The sheet hands Ctrl+Tab and friends to its own tab control.
class CResizeDemoSheet : public CResizePropertySheet
{
public:
    explicit CResizeDemoSheet(CWnd* pParent = nullptr);
    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    CDemoTreePage m_treePage;
    CDemoTabsPage m_tabsPage;
    CTabCtrlEx m_sheetTabs;
};
#endif
