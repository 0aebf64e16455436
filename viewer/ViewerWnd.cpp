#include "ViewerWnd.h"

IMPLEMENT_DYNAMIC(CViewerWnd, CWnd)

CViewerWnd::CViewerWnd(int nType, DWORD dwStyle)
    : m_dwType((DWORD)nType), m_dwViewerStyle(dwStyle), m_nPanelColorBits(1), m_pPal16(nullptr),
      m_pPal256(nullptr), m_pPalPlx508(nullptr), m_pPal8(nullptr), m_sizeRequested(0, 0), m_bModified(0)
{
}

CViewerWnd::~CViewerWnd() = default;

void CViewerWnd::SetModified(int bModified)
{
    m_bModified = bModified;
}

int CViewerWnd::IsModified()
{
    return m_bModified;
}

int CViewerWnd::SetFileInfo(const CString& strInfo)
{
    int nBar = strInfo.Find('|');
    if (nBar < 0)
    {
        m_strExt = strInfo;
        m_strFilter.Empty();
    }
    else
    {
        m_strExt = strInfo.Left(nBar);
        m_strFilter = strInfo.Mid(nBar + 1);
    }
    return 1;
}

int CViewerWnd::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID, CCreateContext* pContext)
{
    return CWnd::Create(nullptr, nullptr, m_dwViewerStyle | dwStyle, rect, pParentWnd, nID, pContext);
}
