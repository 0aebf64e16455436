#include "FolderWindow.h"
#include "DemoPaths.h"

namespace {
const UINT kTreeId = 1200;
const UINT kFilterId = 1201;
const int kFilterHeight = 200;   // with the drop-down list
const int kFilterRow = 24;       // the closed box's row above the tree

// The filter entries: label and pattern.
const struct { LPCSTR pszLabel, pszFilter; } kFilters[] = {
    {"Bilder (*.bmp, *.png)", "*.bmp;*.png"},
    {"Bitmaps (*.bmp)", "*.bmp"},
    {"PNG-Dateien (*.png)", "*.png"},
    {"Nur Ordner", ""},
};

bool IsFolder(const CString& path)
{
    DWORD attrs = ::GetFileAttributesA(path);
    return attrs != INVALID_FILE_ATTRIBUTES && (attrs & FILE_ATTRIBUTE_DIRECTORY);
}

// A folder above the program (build\<preset>\bin\..\..\..\rel), made absolute.
CString SourceFolder(LPCSTR pszRelative)
{
    char exe[MAX_PATH] = "";
    ::GetModuleFileNameA(nullptr, exe, MAX_PATH);
    CString path = exe;
    path = path.Left(path.ReverseFind('\\')) + "\\..\\..\\..\\" + pszRelative;
    char full[MAX_PATH] = "";
    if (!::GetFullPathNameA(path, MAX_PATH, full, nullptr))
        return CString();
    return full;
}
}

BEGIN_MESSAGE_MAP(CFolderWindow, CWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_NOTIFY(FFN_SELCHANGE, kFilterId, OnFilterChange)
END_MESSAGE_MAP()

CString CFolderWindow::ImageFolder()
{
    // Installed, the pictures lie beside the program.
    CString installed = DemoProgramFolder() + "Bilder";
    if (IsFolder(installed))
        return installed + "\\";
    for (LPCSTR pszCandidate : {"samples\\images", "docs", "samples"}) {
        CString folder = SourceFolder(pszCandidate);
        if (!folder.IsEmpty() && IsFolder(folder))
            return folder + "\\";
    }
    return CString();
}

CFolderWindow* CFolderWindow::s_pCurrent = nullptr;

int CFolderWindow::Paste() { return m_tree.DoPaste(m_tree.GetSelectedItem()); }

CWnd* CFolderWindow::Show(CWnd* pParent, LPCSTR pszFolder)
{
    CFolderWindow* pWnd = new CFolderWindow;
    pWnd->m_strFolder = pszFolder ? pszFolder : "";
    LPCSTR cls = AfxRegisterWndClass(0, ::LoadCursorA(nullptr, (LPCSTR)IDC_ARROW), (HBRUSH)(COLOR_BTNFACE + 1));
    if (!pWnd->CreateEx(0, cls, "Ordner – Bilder (*.bmp, *.png)", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE,
                        100, 60, 460, 600, pParent ? pParent->m_hWnd : nullptr, nullptr)) {
        delete pWnd;
        return nullptr;
    }
    return pWnd;
}

int CFolderWindow::OnCreate(LPCREATESTRUCT)
{
    // Full size from the start: opening the tree scrolls to fit its width.
    CRect rc;
    GetClientRect(&rc);
    if (!CreateFilterCombo(rc))
        return -1;
    rc.top += kFilterRow;
    if (!m_tree.CreateEx(WS_EX_ACCEPTFILES,
                         WS_CHILD | WS_VISIBLE | WS_BORDER | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT |
                             TVS_SHOWSELALWAYS | TVS_EDITLABELS,
                         rc, this, kTreeId))
        return -1;
    m_tree.SendMessage(WM_SETFONT, (WPARAM)::GetStockObject(DEFAULT_GUI_FONT), FALSE);
    m_tree.SetFilterExt("*.bmp;*.png");
    m_tree.LoadTree();
    CString folder = m_strFolder.IsEmpty() ? ImageFolder() : m_strFolder;
    if (!folder.IsEmpty())
        m_tree.TunnelTree(folder);
    if (HTREEITEM hSel = m_tree.GetSelectedItem())
        m_tree.EnsureVisible(hSel);
    s_pCurrent = this;
    return 0;
}

bool CFolderWindow::CreateFilterCombo(const CRect& rc)
{
    if (!m_filter.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST,
                         CRect(rc.left, rc.top, rc.right, rc.top + kFilterHeight), this, kFilterId))
        return false;
    m_filter.SendMessage(WM_SETFONT, (WPARAM)::GetStockObject(DEFAULT_GUI_FONT), FALSE);
    for (int i = 0; i < (int)(sizeof(kFilters) / sizeof(kFilters[0])); ++i)
        m_filter.SetItemData(m_filter.AddString(kFilters[i].pszLabel), (DWORD_PTR)i);
    m_filter.SetCurSel(0);
    return true;
}

void CFolderWindow::OnFilterChange(NMHDR* pNMHDR, LRESULT* pResult)
{
    DWORD_PTR index = reinterpret_cast<NMFILEFILTER*>(pNMHDR)->dwItemData;
    if (index < sizeof(kFilters) / sizeof(kFilters[0]))
        m_tree.SetFilterExt(kFilters[index].pszFilter);
    *pResult = 0;
}

void CFolderWindow::OnSize(UINT, int cx, int cy)
{
    if (m_filter.m_hWnd)
        m_filter.MoveWindow(0, 0, cx, kFilterHeight);
    if (m_tree.m_hWnd)
        m_tree.MoveWindow(0, kFilterRow, cx, cy > kFilterRow ? cy - kFilterRow : 0);
}

void CFolderWindow::PostNcDestroy()
{
    if (s_pCurrent == this)
        s_pCurrent = nullptr;
    delete this;
}
