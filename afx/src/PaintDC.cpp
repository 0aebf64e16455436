#include "PaintDC.h"
#include "Wnd.h"

IMPLEMENT_DYNAMIC(CPaintDC, CDC)

CPaintDC::CPaintDC(CWnd* pWnd) : m_ps(), m_hWnd(AfxHwndOf(pWnd))
{
    if (m_hWnd)
        Attach(::BeginPaint(m_hWnd, &m_ps));
}

CPaintDC::~CPaintDC()
{
    if (m_hWnd && m_hDC) {
        ::EndPaint(m_hWnd, &m_ps);
        Detach();
    }
}
