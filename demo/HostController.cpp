#include "HostController.h"
#include "DemoPaths.h"
#include "catalogue/PlcInfo.h"
#include "resources/select_ids.h"
#include "select/PlcSelectDlg.h"
#include <string.h>

CHostController::CHostController() : m_catalogue("VARN\\"), m_hActive(nullptr), m_mode(0)
{
    memset(&m_project, 0, sizeof(m_project));
    // The drivers are found by their bare names, as in the host's own folder.
    ::SetDllDirectoryA(DemoDriverFolder());
    m_catalogue.SetDLLPath(DemoDriverFolder());
    m_catalogue.Load(1);
}

CHostController::~CHostController()
{
    if (m_hActive)
        ::FreeLibrary(m_hActive);
}

bool CHostController::Activate(const CString& strDll, int nMode)
{
    if (nMode < 0 || nMode > 2)
        return false;
    HMODULE hNew = nullptr;
    if (!strDll.IsEmpty()) {
        // Only modules of the driver folder, by their bare names.
        if (strDll.FindOneOf("\\/:") >= 0 || !(hNew = ::LoadLibraryA(DemoDriverFolder() + strDll)))
            return false;
    }
    if (m_hActive)
        ::FreeLibrary(m_hActive);
    m_hActive = hNew;
    m_mode = nMode;
    return true;
}

CPlcSelectDlg* CHostController::NewDialog(CWnd* pParent)
{
    return new CPlcSelectDlg(&m_catalogue, &m_project, m_hActive, static_cast<IPLCMODE>(m_mode), TRUE, nullptr,
                             pParent);
}

bool CHostController::TakeChoice(CPlcSelectDlg& dlg)
{
    CString dll = dlg.GetSelectedDriverDll();
    return !dll.IsEmpty() && Activate(dll, dlg.GetControllerMode());
}

CString CHostController::ActiveDll() const
{
    char path[MAX_PATH] = "";
    if (!m_hActive || !::GetModuleFileNameA(m_hActive, path, MAX_PATH))
        return CString();
    const char* name = strrchr(path, '\\');
    return name ? name + 1 : path;
}

CString CHostController::ActiveName()
{
    CString dll = ActiveDll();
    CPlcInfo* pInfo = dll.IsEmpty() ? nullptr : m_catalogue.FindDLL(dll);
    return pInfo && !pInfo->m_strDriverName.IsEmpty() ? pInfo->m_strDriverName : dll;
}

CString CHostController::ModeText() const
{
    switch (m_mode) {
    case 0: return "nur externe Controller";
    case 1: return "nur interner Controller";
    default: return "interner + externe Controller";
    }
}

CString CHostController::Describe()
{
    CString dll = ActiveDll();
    if (dll.IsEmpty())
        return "kein Controller, " + ModeText();
    return ActiveName() + " (" + dll + "), " + ModeText();
}
