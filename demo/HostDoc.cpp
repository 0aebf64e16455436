#include "HostDoc.h"
#include "DemoPaths.h"
#include "HostView.h"
#include "select/PlcSelectDlg.h"

namespace {
// The sample driver with a setup dialog of its own starts as the project's.
const char kStartDriver[] = "Z32TPLC072.dll";
const char kStartPicture[] = "landscape.png";
// The first string of a project file, and the largest controller mode.
const char kHeading[] = "QRV-Demo-Projekt 2";
const LONG kMaxMode = 0xFFFF;
}

IMPLEMENT_DYNCREATE(CHostDoc, CDocument)

// The application owns its document: it stays when its view goes.
CHostDoc::CHostDoc()
{
    m_bAutoDelete = FALSE;
}

BOOL CHostDoc::OnNewDocument()
{
    if (!CDocument::OnNewDocument())
        return FALSE;
    CHostProject project;
    project.strDriverDll = kStartDriver;
    project.strPictureFolder = DemoPictureFolder();
    project.strPicture = kStartPicture;
    SetTitle("Unbenannt");
    return Apply(project);
}

void CHostDoc::AttachView(CHostView* pView)
{
    if (m_pView)
        RemoveView(m_pView);
    m_pView = pView;
    if (pView)
        AddView(pView);
}

BOOL CHostDoc::Apply(const CHostProject& project)
{
    if (!m_controller.Activate(project.strDriverDll, project.nControllerMode))
        return FALSE;
    m_project = project;
    UpdateAllViews(nullptr, HintAll);
    return TRUE;
}

BOOL CHostDoc::OnOpenDocument(LPCSTR pszPath)
{
    if (!CDocument::OnOpenDocument(pszPath) || !Apply(m_loaded))
        return FALSE;
    SetPathName(pszPath);
    UpdateAllViews(nullptr, HintPath);
    return TRUE;
}

BOOL CHostDoc::OnSaveDocument(LPCSTR pszPath)
{
    m_project.strDriverDll = m_controller.ActiveDll();
    m_project.nControllerMode = m_controller.Mode();
    if (!CDocument::OnSaveDocument(pszPath))
        return FALSE;
    SetPathName(pszPath);
    UpdateAllViews(nullptr, HintPath);
    return TRUE;
}

// The project as the archive holds it: heading, depth, Plx508 wiring,
// driver, mode, picture folder and picture. Anything else is no project.
void CHostDoc::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << CString(kHeading) << (LONG)m_project.nColorBits << (BYTE)(m_project.bPlx508 ? 1 : 0)
           << m_project.strDriverDll << (LONG)m_project.nControllerMode << m_project.strPictureFolder
           << m_project.strPicture;
        return;
    }
    CString heading;
    LONG nBits = 0, nMode = 0;
    BYTE bPlx508 = 0;
    CHostProject read;
    ar >> heading >> nBits >> bPlx508 >> read.strDriverDll >> nMode >> read.strPictureFolder >> read.strPicture;
    if (heading != kHeading || !CHostProject::IsValidDepth((int)nBits) || bPlx508 > 1 || nMode < 0 || nMode > kMaxMode)
        AfxThrowArchiveException(CArchiveException::badSchema);
    read.nColorBits = (int)nBits;
    read.bPlx508 = bPlx508 != 0;
    read.nControllerMode = (int)nMode;
    m_loaded = read;
}

void CHostDoc::SetColorDepth(int nBits, bool bPlx508)
{
    if (bPlx508)
        nBits = 8;
    if (!CHostProject::IsValidDepth(nBits))
        return;
    m_project.nColorBits = nBits;
    m_project.bPlx508 = bPlx508;
    UpdateAllViews(nullptr, HintDepth);
}

bool CHostDoc::ChooseController(CWnd* pParent)
{
    CPlcSelectDlg* pDlg = m_controller.NewDialog(pParent);
    bool bChosen = pDlg->DoModal() == IDOK && TakeControllerChoice(*pDlg);
    delete pDlg;
    return bChosen;
}

bool CHostDoc::TakeControllerChoice(CPlcSelectDlg& dlg)
{
    if (!m_controller.TakeChoice(dlg))
        return false;
    m_project.strDriverDll = m_controller.ActiveDll();
    m_project.nControllerMode = m_controller.Mode();
    UpdateAllViews(nullptr, HintController);
    return true;
}

void CHostDoc::SetPicture(const CString& strName)
{
    if (strName.CompareNoCase(m_project.strPicture) == 0)
        return;
    m_project.strPicture = strName;
    UpdateAllViews(nullptr, HintPicture);
}

CString CHostDoc::PicturePath() const
{
    return m_project.strPicture.IsEmpty() ? CString() : m_project.strPictureFolder + m_project.strPicture;
}
