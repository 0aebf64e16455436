// CToolTipCtrl: the common tooltip control. A tool is a window, or a
// rectangle of a window with an id of its own; its tip text is given as a
// string, a string resource or LPSTR_TEXTCALLBACK (asked for through
// TTN_NEEDTEXT). The owner hands the mouse messages of its tools to
// RelayEvent, so that the control knows when to show a tip.
#pragma once
#include "Wnd.h"
#include "Point.h"
#include "String.h"
#include <commctrl.h>

class AFX_CORE_CLASS CToolTipCtrl : public CWnd
{
    DECLARE_DYNAMIC(CToolTipCtrl)
public:
    CToolTipCtrl() = default;
    ~CToolTipCtrl() override;

    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = 0);

    // The text of tool nIDTool of pWnd (0: the window itself is the tool).
    void GetText(CString& str, CWnd* pWnd, UINT nIDTool = 0) const;
    BOOL GetToolInfo(LPTOOLINFOA lpToolInfo, CWnd* pWnd, UINT nIDTool = 0) const;
    void SetToolInfo(LPTOOLINFOA lpToolInfo) { SendMessage(TTM_SETTOOLINFOA, 0, reinterpret_cast<LPARAM>(lpToolInfo)); }
    void SetToolRect(CWnd* pWnd, UINT nIDTool, LPCRECT lpRect);
    int GetToolCount() const { return (int)SendMessage(TTM_GETTOOLCOUNT); }

    void Activate(BOOL bActivate) { SendMessage(TTM_ACTIVATE, bActivate); }
    // A tool nIDTool over lpRectTool of pWnd, or pWnd as a whole when nIDTool is 0.
    BOOL AddTool(CWnd* pWnd, UINT nIDText, LPCRECT lpRectTool = nullptr, UINT nIDTool = 0);
    BOOL AddTool(CWnd* pWnd, LPCSTR lpszText = LPSTR_TEXTCALLBACKA, LPCRECT lpRectTool = nullptr, UINT nIDTool = 0);
    void DelTool(CWnd* pWnd, UINT nIDTool = 0);
    // The tool at pt (client coordinates of pWnd); FALSE when there is none.
    BOOL HitTest(CWnd* pWnd, CPoint pt, LPTOOLINFOA lpToolInfo) const;
    void RelayEvent(LPMSG lpMsg) { SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(lpMsg)); }
    void SetDelayTime(UINT nDelay) { SendMessage(TTM_SETDELAYTIME, TTDT_AUTOMATIC, MAKELPARAM(nDelay, 0)); }
    void UpdateTipText(LPCSTR lpszText, CWnd* pWnd, UINT nIDTool = 0);
    void UpdateTipText(UINT nIDText, CWnd* pWnd, UINT nIDTool = 0);

protected:
    // The parts of a TOOLINFO that name tool nIDTool of pWnd.
    void FillInToolInfo(TOOLINFOA& ti, CWnd* pWnd, UINT nIDTool) const;
};
