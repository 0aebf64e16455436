#include "HostView.h"
#include "HostDoc.h"
#include "MainFrame.h"
#include "PanelPalettes.h"
#include "resource.h"
#include <afxole.h>
#include "framework/RealRect.h"
#include "viewer/LeadViewerPpg.h"
#include "viewer/LeadViewerWnd.h"
#include "viewer/ViewerPps.h"

namespace {
const DWORD kSheetStyle = WS_CHILD | WS_VISIBLE | DS_3DLOOK | DS_SETFONT | DS_CONTEXTHELP;

// The filter entries: label and pattern.
const struct { LPCSTR pszLabel, pszFilter; } kFilters[] = {
    {"Alle Bilder", "*.bmp;*.png;*.jpg;*.jpeg;*.wmf;*.emf"},
    {"Bitmaps (*.bmp)", "*.bmp"},
    {"PNG-Dateien (*.png)", "*.png"},
    {"Nur Ordner", ""},
};
const int kFilterCount = (int)(sizeof(kFilters) / sizeof(kFilters[0]));

void SetDword(HKEY hKey, LPCSTR pszName, DWORD value)
{
    ::RegSetValueExA(hKey, pszName, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
}

CString FileNameOf(const CString& path) { return path.Mid(path.ReverseFind('\\') + 1); }

// The rectangle of a dialog control in its parent's client coordinates.
CRect ChildRect(CWnd* pParent, UINT nID)
{
    CRect rc(0, 0, 0, 0);
    if (HWND hCtrl = ::GetDlgItem(pParent->m_hWnd, (int)nID)) {
        ::GetWindowRect(hCtrl, &rc);
        ::MapWindowPoints(nullptr, pParent->m_hWnd, reinterpret_cast<LPPOINT>(&rc), 2);
    }
    return rc;
}
}

IMPLEMENT_DYNCREATE(CHostView, CResizeFormView)

BEGIN_MESSAGE_MAP(CHostView, CResizeFormView)
    ON_NOTIFY(FLN_FILESELECTED, IDC_HOST_TREE, OnFileSelected)
    ON_NOTIFY(FFN_SELCHANGE, IDC_HOST_FILTER, OnFilterChange)
    ON_NOTIFY(VWN_ACTIVATE, IDC_HOST_PANE, OnViewerActivate)
END_MESSAGE_MAP()

CHostView::CHostView() : CResizeFormView(IDD_HOST_FORM) {}

CHostView::~CHostView()
{
    delete m_pSheet;
    m_pane.Reset();
    m_viewers.DeleteAll();
}

// One image viewer for every picture type the imaging control reads, with
// the panel and original on tabs and the general page among its pages.
void CHostView::RegisterViewers()
{
    CString key = CString(ViewerKey()) + "\\Bild";
    HKEY hKey = nullptr;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &hKey, nullptr) !=
        ERROR_SUCCESS)
        return;
    SetDword(hKey, "Type", 1);
    SetDword(hKey, "Style", VWS_PANELTABS | VWS_GENERALPAGE);
    const char info[] = "*.bmp;*.dib;*.png;*.jpg;*.jpeg;*.wmf;*.emf|Bilder (*.bmp, *.png, *.jpg, *.wmf)";
    ::RegSetValueExA(hKey, "File Info", 0, REG_SZ, reinterpret_cast<const BYTE*>(info), sizeof info);
    ::RegCloseKey(hKey);
}

void CHostView::OnInitialUpdate()
{
    m_filter.SubclassDlgItem(IDC_HOST_FILTER, this);
    FillFilter();
    m_tree.SubclassDlgItem(IDC_HOST_TREE, this);
    m_tree.SetFilterExt(kFilters[0].pszFilter);
    CreatePane();
    CreateSheet();

    // The filter keeps its width, the tree follows the height, the pane
    // takes the rest and the sheet keeps to the right edge.
    SetResize(IDC_HOST_FILTER, 0.0f, 0.0f, 0.0f, 0.0f);
    SetResize(IDC_HOST_TREE, 0.0f, 0.0f, 0.0f, 1.0f);
    SetResize(IDC_HOST_PANE, 0.0f, 0.0f, 1.0f, 1.0f);
    if (m_pSheet && m_pSheet->m_hWnd) {
        CRect rc;
        m_pSheet->GetWindowRect(&rc);
        ScreenToClient(&rc);
        SetResize(m_pSheet, CRealRect(1.0f, 0.0f, 1.0f, 0.0f), rc);
    }
    CResizeFormView::OnInitialUpdate();
    OnUpdate(nullptr, CHostDoc::HintAll, nullptr);
    // The user starts in the folder, where the picture is chosen.
    m_tree.SetFocus();
}

void CHostView::FillFilter()
{
    for (int i = 0; i < kFilterCount; ++i)
        m_filter.SetItemData(m_filter.AddString(kFilters[i].pszLabel), (DWORD_PTR)i);
    m_filter.SetCurSel(0);
}

// The pane takes the place and id of its placeholder in the form.
void CHostView::CreatePane()
{
    CRect rc = ChildRect(this, IDC_HOST_PANE);
    if (CWnd* pPlaceholder = GetDlgItem(IDC_HOST_PANE))
        pPlaceholder->DestroyWindow();
    RegisterViewers();
    m_viewers.LoadFromRegistry(ViewerKey());
    if (!m_pane.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_CLIPCHILDREN, rc, this, IDC_HOST_PANE))
        return;
    m_pane.AddViewerList(&m_viewers);
}

// The sheet at its own size, at the top left of its placeholder.
void CHostView::CreateSheet()
{
    CRect rc = ChildRect(this, IDC_HOST_SHEET);
    if (CWnd* pPlaceholder = GetDlgItem(IDC_HOST_SHEET))
        pPlaceholder->DestroyWindow();
    m_pSheet = new CViewerPps(CPanelPalettes::ColorNames(), "", this, 0);
    m_pSheet->EnableSizeToPage(1);
    if (!m_pSheet->Create(this, kSheetStyle, 0)) {
        delete m_pSheet;
        m_pSheet = nullptr;
        return;
    }
    m_pSheet->ModifyStyleEx(0, WS_EX_CONTROLPARENT);
    m_pSheet->SetWindowPos(nullptr, rc.left, rc.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CHostView::OnUpdate(CView*, LPARAM lHint, CObject*)
{
    if (!m_pDoc || !m_tree.m_hWnd)
        return;
    switch (lHint) {
    case CHostDoc::HintDepth:
        ApplyDepth();
        break;
    case CHostDoc::HintPicture:
        SelectPictureInTree();
        ShowPicture();
        break;
    case CHostDoc::HintController:
    case CHostDoc::HintPath:
        break;
    default:
        LoadFolder();
        ApplyDepth();
        SelectPictureInTree();
        ShowPicture();
        break;
    }
    if (auto* pFrame = DYNAMIC_DOWNCAST(CMainFrame, GetParentFrame()))
        pFrame->UpdateStatus();
}

// The project's picture folder as the tree's one top-level item.
void CHostView::LoadFolder()
{
    CString folder = m_pDoc->Project().strPictureFolder;
    if (folder.CompareNoCase(m_strLoadedFolder) == 0 && m_tree.GetRootItem())
        return;
    m_tree.DeleteAllItems();
    m_strLoadedFolder = folder;
    if (folder.IsEmpty())
        return;
    CString path = folder.Left(folder.GetLength() - 1);
    m_tree.LoadTree(path);
}

HTREEITEM CHostView::FindChild(HTREEITEM hParent, const CString& strPath)
{
    for (HTREEITEM h = m_tree.GetChildItem(hParent); h; h = m_tree.GetNextSiblingItem(h)) {
        CString path;
        if (m_tree.GetItemPath(h, &path) && path.CompareNoCase(strPath) == 0)
            return h;
    }
    return nullptr;
}

// The tree's selection follows the document; its notification then finds
// the picture already chosen.
void CHostView::SelectPictureInTree()
{
    HTREEITEM hRoot = m_tree.GetRootItem();
    CString path = m_pDoc->PicturePath();
    HTREEITEM hItem = hRoot && !path.IsEmpty() ? FindChild(hRoot, path) : nullptr;
    m_bSelecting = TRUE;
    m_tree.SelectItem(hItem ? hItem : hRoot);
    if (hItem)
        m_tree.EnsureVisible(hItem);
    m_bSelecting = FALSE;
}

void CHostView::ShowPicture()
{
    CString path = m_pDoc->PicturePath();
    if (path.IsEmpty() || path.CompareNoCase(ShownFile()) == 0)
        return;
    m_pane.LoadFile(path);
}

// The panel's colour depth into the pane, and the Plx508 wiring into the
// image viewer; the sheet's pages show the new state.
void CHostView::ApplyDepth()
{
    const CHostProject& project = m_pDoc->Project();
    m_pane.SetColorInfo(project.nColorBits, CPanelPalettes::Pal16(), CPanelPalettes::Pal256(),
                        CPanelPalettes::PalPlx508(), CPanelPalettes::Pal8());
    if (CLeadViewerWnd* pViewer = ImageViewer()) {
        pViewer->EnablePlx508Mode(project.bPlx508 ? 1 : 0, 0);
        pViewer->Refresh();
        OpenPages(pViewer);
    }
}

void CHostView::OnFileSelected(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    CString path = reinterpret_cast<NMFILELIST*>(pNMHDR)->pszPath;
    if (m_bSelecting || !m_pDoc)
        return;
    // Pictures of the project's own folder become the project's picture;
    // others (a subfolder's) are only shown.
    CString folder = path.Left(path.ReverseFind('\\') + 1);
    if (folder.CompareNoCase(m_pDoc->Project().strPictureFolder) == 0)
        m_pDoc->SetPicture(FileNameOf(path));
    else
        m_pane.LoadFile(path);
}

void CHostView::OnFilterChange(NMHDR* pNMHDR, LRESULT* pResult)
{
    DWORD_PTR index = reinterpret_cast<NMFILEFILTER*>(pNMHDR)->dwItemData;
    if (index < (DWORD_PTR)kFilterCount)
        m_tree.SetFilterExt(kFilters[index].pszFilter);
    *pResult = 0;
}

// A viewer that became current brings its pages into the sheet.
void CHostView::OnViewerActivate(NMHDR* pNMHDR, LRESULT* pResult)
{
    CViewerWnd* pViewer = reinterpret_cast<NMVIEWER*>(pNMHDR)->pViewer;
    if (pViewer && pViewer->GetType() == 1 && m_pDoc)
        static_cast<CLeadViewerWnd*>(pViewer)->EnablePlx508Mode(m_pDoc->Project().bPlx508 ? 1 : 0, 0);
    OpenPages(pViewer);
    *pResult = 0;
}

void CHostView::OpenPages(CViewerWnd* pViewer)
{
    if (!m_pSheet || !pViewer)
        return;
    // The pages are the viewer's; it drops its old ones before adding them anew.
    pViewer->RemovePropertyPages(m_pSheet);
    m_pSheet->OnOpenViewer(pViewer);
    // The image page is where the user works; the general page only informs.
    if (pViewer->GetType() == 1) {
        if (CPropertyPage* pImagePage = static_cast<CLeadViewerWnd*>(pViewer)->GetImagePage())
            m_pSheet->SetActivePage(pImagePage);
    }
}

CLeadViewerWnd* CHostView::ImageViewer()
{
    CViewerWnd* pViewer = m_pane.GetCurViewer();
    return pViewer && pViewer->GetType() == 1 ? static_cast<CLeadViewerWnd*>(pViewer) : nullptr;
}

CString CHostView::ShownFile()
{
    CString name;
    return m_pane.GetCurViewer() && m_pane.GetCurFileName(&name) ? name : CString();
}

CString CHostView::SelectedFile()
{
    CString path;
    return m_tree.GetSelectedFile(&path) ? path : CString();
}

BOOL CHostView::SelectFile(LPCSTR pszName)
{
    HTREEITEM hRoot = m_tree.GetRootItem();
    HTREEITEM hItem = hRoot && m_pDoc ? FindChild(hRoot, m_pDoc->Project().strPictureFolder + pszName) : nullptr;
    return hItem && m_tree.SelectItem(hItem);
}

BOOL CHostView::SelectSubfolder(LPCSTR pszName)
{
    HTREEITEM hRoot = m_tree.GetRootItem();
    if (!m_pDoc || !hRoot)
        return FALSE;
    CString path = m_pDoc->Project().strPictureFolder + pszName;
    ::CreateDirectoryA(path, nullptr);
    HTREEITEM hItem = FindChild(hRoot, path);
    if (!hItem) {
        // Made after the folder was read: the tree reads it again.
        m_strLoadedFolder.Empty();
        LoadFolder();
        SelectPictureInTree();
        hRoot = m_tree.GetRootItem();
        hItem = hRoot ? FindChild(hRoot, path) : nullptr;
    }
    if (!hItem)
        return FALSE;
    m_tree.SelectItem(hItem);
    m_tree.EnsureVisible(hItem);
    return TRUE;
}

// The panel image with its "PlxDibInfo" record, which Einfügen in the tree
// saves as a bitmap file of the panel's colour depth.
BOOL CHostView::CopyPanelImage()
{
    CLeadViewerWnd* pViewer = ImageViewer();
    if (!pViewer)
        return FALSE;
    COleDataSource* pSource = new COleDataSource;
    if (!pViewer->CacheData(pSource)) {
        pSource->InternalRelease();
        return FALSE;
    }
    pSource->SetClipboard();
    return TRUE;
}

BOOL CHostView::PasteIntoSelectedFolder()
{
    HTREEITEM hItem = m_tree.GetSelectedItem();
    if (!hItem || !m_tree.DoPaste(hItem))
        return FALSE;
    // The pasted files in sight.
    if (m_tree.IsFolderItem(hItem))
        m_tree.Expand(hItem, TVE_EXPAND);
    return TRUE;
}
