#include "SoakHost.h"

#include <cstdio>

#include "ValuesDialog.h"
#include "browse/FileList.h"
#include "resources/select_ids.h"
#include "select/PlcSelectDlg.h"
#include "uiauto/ControlActions.h"
#include "uiauto/ModalDriver.h"
#include "viewer/LeadViewerWnd.h"

namespace {

const char kViewerKey[] = "Software\\QRV Soak\\Viewer";
const int kPictureCount = int(std::size(leadtest::kPictureFiles));
// Every setting the image viewer has, one changed per step.
const int kSettingCount = 13;
const int kColorBits[] = {1, 2, 3, 4, 8, 16};

void Pump()
{
    for (MSG msg; ::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE);) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

// Opens a modal dialog on the calling thread and, once it shows, lets an
// action work its controls and then cancels it, as a user who looks, tries
// and closes. A thread timer does the work inside the dialog's own modal
// loop, so no second thread is started per dialog.
struct SCloser {
    const std::function<void(HWND hDlg)> *pAction;
    std::vector<HWND> existing;
    bool bFound;
} g_closer;

void CALLBACK CloseDialog(HWND, UINT, UINT_PTR nId, DWORD)
{
    HWND hDlg = qrvtest::FindDialog(::GetCurrentThreadId(), "", g_closer.existing);
    if (!hDlg || g_closer.bFound)
        return;
    g_closer.bFound = true;
    ::KillTimer(nullptr, nId);
    (*g_closer.pAction)(hDlg);
    // Posted behind whatever the action posted, so its clicks come first.
    ::PostMessageA(hDlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}

// True when the dialog appeared and the cancel closed it with IDCANCEL.
bool OpenAndCancel(CDialog &dlg, const std::function<void(HWND hDlg)> &action)
{
    g_closer = {&action, qrvtest::ThreadDialogs(::GetCurrentThreadId()), false};
    const UINT_PTR nTimer = ::SetTimer(nullptr, 0, 10, CloseDialog);
    const INT_PTR result = dlg.DoModal();
    if (!g_closer.bFound)
        ::KillTimer(nullptr, nTimer);
    return g_closer.bFound && result == IDCANCEL;
}

} // namespace

CSoakHost::CSoakHost(const CString &strFolder) : m_strFolder(strFolder), m_catalogue("VARN\\")
{
    if (m_strFolder.Right(1) != "\\")
        m_strFolder += '\\';
    memset(&m_project, 0, sizeof m_project);
    // The round: a picture loaded, then a setting changed, for every picture;
    // then the clipboard, the file operations, the catalogue and the dialogs.
    for (int i = 0; i < kPictureCount; ++i) {
        m_round.push_back({"Bild laden", [this, i](int) { return LoadPicture(i); }});
        m_round.push_back(
            {"Einstellung", [this, i](int round) { return ChangeSetting(round * kPictureCount + i); }});
    }
    m_round.push_back({"Kopieren/Einfügen", [this](int) { return CopyAndPaste(); }});
    m_round.push_back({"Datei kopieren", [this](int) { return CopyFile(); }});
    m_round.push_back({"Umbenennen", [this](int) { return RenameFile(); }});
    m_round.push_back({"Verschieben", [this](int) { return MoveFile(); }});
    m_round.push_back({"Löschen", [this](int) { return DeleteFile(); }});
    m_round.push_back({"Katalog von der Platte", [this](int) { return RebuildCatalogue(1); }});
    m_round.push_back({"Katalog aus der Registry", [this](int) { return RebuildCatalogue(0); }});
    m_round.push_back({"Controller-Auswahl", [this](int) { return SelectController(); }});
    m_round.push_back({"Werte", [this](int) { return EditValues(); }});
}

CSoakHost::~CSoakHost()
{
    if (m_hWnd)
        DestroyWindow();
    m_pane.Reset();
    m_viewers.DeleteAll();
}

// The sample drivers beside the program, copied into the work folder's driver folder.
bool CSoakHost::CopyDrivers()
{
    char exe[MAX_PATH] = "";
    ::GetModuleFileNameA(nullptr, exe, MAX_PATH);
    const CString from = CString(exe, int(strrchr(exe, '\\') + 1 - exe)) + "drivers\\";
    WIN32_FIND_DATAA fd;
    HANDLE h = ::FindFirstFileA(from + "*.dll", &fd);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    int n = 0;
    do {
        n += ::CopyFileA(from + fd.cFileName, Path("Treiber\\") + fd.cFileName, FALSE) ? 1 : 0;
    } while (::FindNextFileA(h, &fd));
    ::FindClose(h);
    return n > 0;
}

bool CSoakHost::Start()
{
    for (LPCSTR sub : {"", "Bilder", "Ablage", "Kopien", "Verschoben", "Treiber"})
        ::CreateDirectoryA(Path(sub), nullptr);
    if (!leadtest::WritePictureFiles(Path("Bilder\\").GetString(), leadtest::GradientImage(160, 120),
                                     leadtest::IndexedImage(150, 100), 96) ||
        !CopyDrivers()) {
        std::printf("soak: the pictures or drivers could not be put into %s\n", m_strFolder.GetString());
        return false;
    }
    ::SetDllDirectoryA(Path("Treiber\\"));
    m_catalogue.SetDLLPath(Path("Treiber\\"));
    if (!CreateEx(0, AfxRegisterWndClass(0), "QRV Soak", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN,
                  0, 0, 900, 600, nullptr, nullptr))
        return false;
    // The image viewer, registered as a host registers its viewers.
    const CString key = CString(kViewerKey) + "\\Bild";
    const DWORD type = 1, style = VWS_PANELTABS | VWS_GENERALPAGE;
    const char info[] = "*.bmp;*.png;*.jpg;*.gif;*.tif;*.wmf;*.emf|Bilder";
    ::RegSetKeyValueA(HKEY_CURRENT_USER, key, "Type", REG_DWORD, &type, sizeof type);
    ::RegSetKeyValueA(HKEY_CURRENT_USER, key, "Style", REG_DWORD, &style, sizeof style);
    ::RegSetKeyValueA(HKEY_CURRENT_USER, key, "File Info", REG_SZ, info, sizeof info);
    m_viewers.LoadFromRegistry(kViewerKey);
    if (!m_pane.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_CLIPCHILDREN, CRect(300, 0, 880, 560), this,
                       2) ||
        !m_tree.CreateEx(WS_EX_ACCEPTFILES,
                         WS_CHILD | WS_VISIBLE | WS_BORDER | TVS_HASBUTTONS | TVS_EDITLABELS,
                         CRect(0, 0, 300, 560), this, 1))
        return false;
    m_pane.AddViewerList(&m_viewers);
    m_pane.SetColorInfo(8, m_pal.pal16, m_pal.pal256, m_pal.plx508, m_pal.pal8);
    m_tree.SetFilterExt("*.*");
    CString root = m_strFolder.Left(m_strFolder.GetLength() - 1);
    m_tree.LoadTree(root);
    if (!m_tree.GetRootItem() || !m_catalogue.Load(1)) {
        std::printf("soak: the file tree or the catalogue could not be loaded\n");
        return false;
    }
    m_tree.Expand(m_tree.GetRootItem(), TVE_EXPAND);
    for (LPCSTR sub : {"Bilder", "Ablage", "Kopien", "Verschoben"})
        m_tree.Expand(FolderItem(sub), TVE_EXPAND);
    return true;
}

bool CSoakHost::Step(long n)
{
    const bool ok = m_round[size_t(n % StepsPerRound())].act(int(n / StepsPerRound()));
    Pump();
    // As a host's message loop does when it runs idle: temporary objects go.
    AfxGetApp()->OnIdle(0);
    AfxGetApp()->OnIdle(1);
    return ok;
}

CLeadViewerWnd *CSoakHost::ImageViewer()
{
    CViewerWnd *pViewer = m_pane.GetCurViewer();
    return pViewer && pViewer->GetType() == 1 ? static_cast<CLeadViewerWnd *>(pViewer) : nullptr;
}

HTREEITEM CSoakHost::ChildItem(HTREEITEM hFolder, LPCSTR pszName)
{
    return qrvtest::FindTreeItem(m_tree.m_hWnd, pszName, hFolder);
}

HTREEITEM CSoakHost::FolderItem(LPCSTR pszName)
{
    return ChildItem(m_tree.GetRootItem(), pszName);
}

bool CSoakHost::LoadPicture(int nPicture)
{
    return m_pane.LoadFile(Path("Bilder\\") + leadtest::kPictureFiles[nPicture]) != 0 &&
           ImageViewer() != nullptr;
}

bool CSoakHost::ChangeSetting(int nSetting)
{
    CLeadViewerWnd *v = ImageViewer();
    if (!v)
        return false;
    const int k = nSetting % kSettingCount, turn = nSetting / kSettingCount;
    switch (k) {
    case 0: v->EnableSmooth(!v->GetSmooth(), 1); break;
    case 1: v->EnableInvert(!v->GetInvert(), 1); break;
    case 2: v->EnableBlur(!v->GetBlur(), 1); break;
    case 3: v->EnableSharpen(!v->GetSharpen(), 1); break;
    case 4: v->EnableFlip(!v->GetFlip(), 1); break;
    case 5: v->EnableMirror(!v->GetMirror(), 1); break;
    case 6: v->SetDither((v->GetDither() + 1) % CPanelSettings::ditherCount, 1); break;
    case 7: v->SetContrast(v->GetContrast() >= 900 ? -900 : v->GetContrast() + 300, 1); break;
    case 8: v->SetBrightness(v->GetBrightness() >= 900 ? -900 : v->GetBrightness() + 300, 1); break;
    case 9: v->EnablePlx508Mode(!v->GetPlx508Mode(), 1); break;
    case 10: v->SetImageColorBits(kColorBits[turn % 6], 1); break;
    case 11: v->EnableSizeToFit(!v->IsSizeToFitEnabled()); break;
    case 12: v->ResetPropertySettings(); break;
    }
    // The panel image as a host takes it; the DIB is the caller's.
    HGLOBAL hDib = static_cast<HGLOBAL>(v->GetPanelImage());
    if (!hDib)
        return false;
    ::GlobalFree(hDib);
    return true;
}

// Kopieren in the viewer, Einfügen on the folder: a bitmap arrives, and is deleted again.
bool CSoakHost::CopyAndPaste()
{
    CLeadViewerWnd *v = ImageViewer();
    HTREEITEM hFolder = FolderItem("Ablage");
    if (!v || !hFolder)
        return false;
    COleDataSource *pSource = new COleDataSource;
    if (!v->CacheData(pSource)) {
        pSource->InternalRelease();
        return false;
    }
    pSource->SetClipboard();
    if (!m_tree.DoPaste(hFolder))
        return false;
    HTREEITEM hPasted = m_tree.GetChildItem(hFolder);
    bool ok = hPasted != nullptr;
    while (hPasted) {
        ok = m_tree.DoDeleteItem(hPasted) && ok;
        hPasted = m_tree.GetChildItem(hFolder);
    }
    ::OleSetClipboard(nullptr);
    return ok;
}

bool CSoakHost::CopyFile()
{
    CString files;
    CFileList::Append(files, Path("Bilder\\a.bmp"));
    return m_tree.CopyFileItems(files, FolderItem("Kopien")) && ChildItem(FolderItem("Kopien"), "a.bmp");
}

// In-place label editing, as the user renames: the edit box, the new name, Enter.
bool CSoakHost::RenameFile()
{
    HTREEITEM hItem = ChildItem(FolderItem("Kopien"), "a.bmp");
    if (!hItem || !m_tree.DoRenameItem(hItem))
        return false;
    CEdit *pEdit = m_tree.GetEditControl();
    if (!pEdit)
        return false;
    pEdit->SetWindowText("b.bmp");
    pEdit->SendMessage(WM_KEYDOWN, VK_RETURN, 0);
    Pump();
    return ::GetFileAttributesA(Path("Kopien\\b.bmp")) != INVALID_FILE_ATTRIBUTES;
}

bool CSoakHost::MoveFile()
{
    HTREEITEM hItem = ChildItem(FolderItem("Kopien"), "b.bmp");
    if (!hItem)
        return false;
    CString files;
    CFileList::Append(files, Path("Kopien\\b.bmp"));
    CPtrList items;
    items.AddTail(hItem);
    return m_tree.MoveFileItems(files, items, FolderItem("Verschoben")) &&
           ChildItem(FolderItem("Verschoben"), "b.bmp") && !ChildItem(FolderItem("Kopien"), "b.bmp");
}

bool CSoakHost::DeleteFile()
{
    HTREEITEM hItem = ChildItem(FolderItem("Verschoben"), "b.bmp");
    return hItem && m_tree.DoDeleteItem(hItem) &&
           ::GetFileAttributesA(Path("Verschoben\\b.bmp")) == INVALID_FILE_ATTRIBUTES;
}

bool CSoakHost::RebuildCatalogue(int bFromDisk)
{
    m_catalogue.DeleteAll();
    return m_catalogue.Load(bFromDisk) && m_catalogue.GetCount() > 0;
}

// Controller wählen: a row chosen, then Abbrechen.
bool CSoakHost::SelectController()
{
    CPlcSelectDlg dlg(&m_catalogue, &m_project, nullptr, CPlcSelectDlg::MODE_EXTERNAL, 1, nullptr, this);
    return OpenAndCancel(dlg, [](HWND hDlg) {
        HWND hList = qrvtest::Item(hDlg, IDC_PLC_LIST);
        qrvtest::SelectListRow(hList, qrvtest::ListRowCount(hList) / 2);
    });
}

// Werte: a value typed into each editor, every arrow clicked once, then Abbrechen.
bool CSoakHost::EditValues()
{
    CValuesDialog dlg(this);
    return OpenAndCancel(dlg, [](HWND hDlg) {
        qrvtest::Type(hDlg, IDC_VALUES_BAUD_EDIT, "19200");
        qrvtest::Type(hDlg, IDC_VALUES_MEMORY_EDIT, "512");
        qrvtest::Type(hDlg, IDC_VALUES_TIMER_EDIT, "2 s");
        qrvtest::Focus(hDlg, IDC_VALUES_TREND_EDIT);
        for (int id : {IDC_VALUES_BAUD_SPIN, IDC_VALUES_BAUDINDEX_SPIN, IDC_VALUES_MEMORY_SPIN,
                       IDC_VALUES_TREND_SPIN, IDC_VALUES_TIMER_SPIN})
            qrvtest::ClickSpinArrow(qrvtest::Item(hDlg, id), id % 4 == 0);
    });
}
