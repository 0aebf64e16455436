// Expands a folder of 5,000 files of which 500 pass the filter "*.bmp" in the
// shell tree, and times it against a bare loop over the same folder: the
// shell's enumeration with the attributes and the display name of each
// element. Prints the best of several runs of each and their ratio.
#include <afxwin.h>
#include <afxcmn.h>
#include <cstdio>
#include <functional>
#include "browse/ShellTree.h"

namespace {

CWinApp theApp("QRV Bench");

double Millis(const std::function<void()>& fn)
{
    LARGE_INTEGER f, t0, t1;
    ::QueryPerformanceFrequency(&f);
    ::QueryPerformanceCounter(&t0);
    fn();
    ::QueryPerformanceCounter(&t1);
    return 1000.0 * double(t1.QuadPart - t0.QuadPart) / double(f.QuadPart);
}

double Best(int runs, const std::function<double()>& fn)
{
    double best = 1e30;
    for (int i = 0; i < runs; ++i) {
        double ms = fn();
        if (ms < best)
            best = ms;
    }
    return best;
}

LPSHELLFOLDER BindPath(const char* pszPath)
{
    LPSHELLFOLDER desktop = nullptr, folder = nullptr;
    ::SHGetDesktopFolder(&desktop);
    WCHAR w[MAX_PATH];
    ::MultiByteToWideChar(CP_ACP, 0, pszPath, -1, w, MAX_PATH);
    LPITEMIDLIST pidl = nullptr;
    ULONG eaten = 0;
    if (SUCCEEDED(desktop->ParseDisplayName(nullptr, nullptr, w, &eaten, &pidl, nullptr))) {
        desktop->BindToObject(pidl, nullptr, IID_IShellFolder, reinterpret_cast<void**>(&folder));
        ::CoTaskMemFree(pidl);
    }
    desktop->Release();
    return folder;
}

// Enumeration with attributes and one name per element; returns the element count.
int BareLoop(LPSHELLFOLDER folder, DWORD dwNameFlags)
{
    LPENUMIDLIST e = nullptr;
    if (FAILED(folder->EnumObjects(nullptr, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS, &e)) || !e)
        return 0;
    int n = 0;
    LPITEMIDLIST pidl = nullptr;
    ULONG fetched = 0;
    while (e->Next(1, &pidl, &fetched) == S_OK) {
        ULONG attrs = SFGAO_HASSUBFOLDER | SFGAO_FILESYSTEM | SFGAO_FOLDER;
        LPCITEMIDLIST one = pidl;
        folder->GetAttributesOf(1, &one, &attrs);
        char name[MAX_PATH + 1];
        CShellPidl::GetName(folder, pidl, dwNameFlags, name);
        ::CoTaskMemFree(pidl);
        ++n;
    }
    e->Release();
    return n;
}

}

int main(int argc, char** argv)
{
    AfxWinInit(::GetModuleHandleA(nullptr), nullptr, ::GetCommandLineA(), SW_SHOWNORMAL);
    ::OleInitialize(nullptr);
    const char* pszParent = argc > 1 ? argv[1] : "C:\\qrv-big";
    CString strParent = pszParent;
    CString strFolder = strParent + "\\gross";
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_TREEVIEW_CLASSES};
    ::InitCommonControlsEx(&icc);

    CWnd host;
    host.CreateEx(0, AfxRegisterWndClass(0), "bench", WS_OVERLAPPEDWINDOW, 0, 0, 400, 600, nullptr, nullptr);
    CShellTree tree;
    tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_LINESATROOT, CRect(0, 0, 400, 600), &host, 1);
    tree.SetFilterExt("*.bmp");

    LPSHELLFOLDER folder = BindPath(strFolder);
    if (!folder) {
        std::fprintf(stderr, "bench browse: %s not found\n", (LPCSTR)strFolder);
        return 1;
    }
    int elements = BareLoop(folder, SHGDN_NORMAL);   // warms the shell's caches
    size_t shown = 0;
    auto expandOnce = [&]() {
        tree.DeleteAllItems();
        tree.LoadTree(strParent);
        HTREEITEM hBig = tree.GetChildItem(tree.GetRootItem());
        double ms = Millis([&] { tree.Expand(hBig, TVE_EXPAND); });
        shown = 0;
        for (HTREEITEM h = tree.GetChildItem(hBig); h; h = tree.GetNextSiblingItem(h))
            ++shown;
        return ms;
    };
    const int runs = 5;
    double tree_ms = Best(runs, expandOnce);
    double bare_ms = Best(runs, [&] { return Millis([&] { BareLoop(folder, SHGDN_NORMAL); }); });
    double parse_ms = Best(runs, [&] { return Millis([&] { BareLoop(folder, SHGDN_INFOLDER | SHGDN_FORPARSING); }); });
    folder->Release();
    tree.DestroyWindow();
    host.DestroyWindow();

    std::printf("folder: %s, %d elements, %u shown with filter *.bmp (best of %d runs)\n", (LPCSTR)strFolder, elements,
                static_cast<unsigned>(shown), runs);
    std::printf("shell tree expand:                           %8.1f ms\n", tree_ms);
    std::printf("bare loop, attributes + display name:        %8.1f ms\n", bare_ms);
    std::printf("bare loop, attributes + parsing name:        %8.1f ms\n", parse_ms);
    std::printf("ratio to the bare loop (display names):      %8.2f x  (target <= 1.5, expand < 500 ms)\n",
                tree_ms / bare_ms);
    bool ok = tree_ms < 500.0 && tree_ms <= 1.5 * bare_ms && shown == 500;
    std::printf("%s\n", ok ? "targets met" : "TARGETS MISSED");
    return ok ? 0 : 2;
}
