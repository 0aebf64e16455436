#include "DemoProject.h"
#include "DemoPaths.h"
#include "resources/select_ids.h"
#include "select/PlcSelectDlg.h"
#include <string.h>

namespace {
// The sample driver with a setup dialog of its own starts as the project's.
const char kStartDriver[] = "Z32TPLC072.dll";
}

CDemoProject::CDemoProject() : m_catalogue("VARN\\"), m_hActive(nullptr), m_mode(static_cast<IPLCMODE>(0))
{
    memset(&m_project, 0, sizeof(m_project));
    // The drivers are found by their bare names, as in the host's own folder.
    ::SetDllDirectoryA(DemoDriverFolder());
    m_catalogue.SetDLLPath(DemoDriverFolder());
    m_catalogue.Load(1);
    Activate(kStartDriver);
}

CDemoProject::~CDemoProject()
{
    if (m_hActive)
        ::FreeLibrary(m_hActive);
}

void CDemoProject::Activate(const CString& strDll)
{
    HMODULE hNew = strDll.IsEmpty() ? nullptr : ::LoadLibraryA(strDll);
    if (m_hActive)
        ::FreeLibrary(m_hActive);
    m_hActive = hNew;
}

CPlcSelectDlg* CDemoProject::NewDialog(CWnd* pParent)
{
    return new CPlcSelectDlg(&m_catalogue, &m_project, m_hActive, m_mode, TRUE, nullptr, pParent);
}

bool CDemoProject::ChooseController(CWnd* pParent)
{
    CPlcSelectDlg* pDlg = NewDialog(pParent);
    bool bChosen = pDlg->DoModal() == IDOK;
    if (bChosen) {
        m_mode = pDlg->GetControllerMode();
        if (!pDlg->GetSelectedDriverDll().IsEmpty())
            Activate(pDlg->GetSelectedDriverDll());
    }
    delete pDlg;
    return bChosen;
}

CPlcSelectDlg* CDemoProject::CreateDialogFor(CWnd* pParent)
{
    CPlcSelectDlg* pDlg = NewDialog(pParent);
    if (!pDlg->Create(IDD_PLC_SELECT, pParent)) {
        delete pDlg;
        return nullptr;
    }
    return pDlg;
}

CString CDemoProject::ActiveDll() const
{
    char path[MAX_PATH] = "";
    if (!m_hActive || !::GetModuleFileNameA(m_hActive, path, MAX_PATH))
        return "(keiner)";
    const char* name = strrchr(path, '\\');
    return name ? name + 1 : path;
}

CString CDemoProject::ModeText() const
{
    switch (m_mode) {
    case 0: return "nur externe Controller";
    case 1: return "nur interner Controller";
    case 2: return "interner + externe Controller";
    default: return "(unbekannt)";
    }
}
