// The message-map entry macros. Each casts the handler to the exact type its
// signature code promises, so a handler with the wrong type does not compile.
#pragma once
#include "Wnd.h"
#include "CmdUI.h"

#define AFX_MSG_ENTRY(msg, sig, type, fn) \
    { msg, 0, 0, 0, sig, AFX_PMSG_CAST(type, &ThisClass::fn) },

#define ON_WM_CREATE()        AFX_MSG_ENTRY(WM_CREATE, AfxSig_is, int (CWnd::*)(LPCREATESTRUCT), OnCreate)
#define ON_WM_NCCREATE()      AFX_MSG_ENTRY(WM_NCCREATE, AfxSig_is, BOOL (CWnd::*)(LPCREATESTRUCT), OnNcCreate)
#define ON_WM_QUERYDRAGICON() AFX_MSG_ENTRY(WM_QUERYDRAGICON, AfxSig_hv, HCURSOR (CWnd::*)(), OnQueryDragIcon)
#define ON_WM_DESTROY()       AFX_MSG_ENTRY(WM_DESTROY, AfxSig_vv, void (CWnd::*)(), OnDestroy)
#define ON_WM_NCDESTROY()     AFX_MSG_ENTRY(WM_NCDESTROY, AfxSig_vv, void (CWnd::*)(), OnNcDestroy)
#define ON_WM_PAINT()         AFX_MSG_ENTRY(WM_PAINT, AfxSig_vv, void (CWnd::*)(), OnPaint)
#define ON_WM_ERASEBKGND()    AFX_MSG_ENTRY(WM_ERASEBKGND, AfxSig_bD, BOOL (CWnd::*)(CDC*), OnEraseBkgnd)
#define ON_WM_SIZE()          AFX_MSG_ENTRY(WM_SIZE, AfxSig_vwii, void (CWnd::*)(UINT, int, int), OnSize)
#define ON_WM_SIZING()        AFX_MSG_ENTRY(WM_SIZING, AfxSig_vwr, void (CWnd::*)(UINT, LPRECT), OnSizing)
#define ON_WM_MOVE()          AFX_MSG_ENTRY(WM_MOVE, AfxSig_vii, void (CWnd::*)(int, int), OnMove)
#define ON_WM_CLOSE()         AFX_MSG_ENTRY(WM_CLOSE, AfxSig_vv, void (CWnd::*)(), OnClose)
#define ON_WM_TIMER()         AFX_MSG_ENTRY(WM_TIMER, AfxSig_vt, void (CWnd::*)(UINT_PTR), OnTimer)
#define ON_WM_SETFOCUS()      AFX_MSG_ENTRY(WM_SETFOCUS, AfxSig_vW, void (CWnd::*)(CWnd*), OnSetFocus)
#define ON_WM_KILLFOCUS()     AFX_MSG_ENTRY(WM_KILLFOCUS, AfxSig_vW, void (CWnd::*)(CWnd*), OnKillFocus)
#define ON_WM_SHOWWINDOW()    AFX_MSG_ENTRY(WM_SHOWWINDOW, AfxSig_vbw, void (CWnd::*)(BOOL, UINT), OnShowWindow)
#define ON_WM_LBUTTONDOWN()   AFX_MSG_ENTRY(WM_LBUTTONDOWN, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), OnLButtonDown)
#define ON_WM_LBUTTONUP()     AFX_MSG_ENTRY(WM_LBUTTONUP, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK() AFX_MSG_ENTRY(WM_LBUTTONDBLCLK, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), OnLButtonDblClk)
#define ON_WM_RBUTTONDOWN()   AFX_MSG_ENTRY(WM_RBUTTONDOWN, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), OnRButtonDown)
#define ON_WM_RBUTTONUP()     AFX_MSG_ENTRY(WM_RBUTTONUP, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), OnRButtonUp)
#define ON_WM_MOUSEMOVE()     AFX_MSG_ENTRY(WM_MOUSEMOVE, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), OnMouseMove)
#define ON_WM_MOUSEWHEEL()    AFX_MSG_ENTRY(WM_MOUSEWHEEL, AfxSig_bwsp, BOOL (CWnd::*)(UINT, short, CPoint), OnMouseWheel)
#define ON_WM_KEYDOWN()       AFX_MSG_ENTRY(WM_KEYDOWN, AfxSig_vwww, void (CWnd::*)(UINT, UINT, UINT), OnKeyDown)
#define ON_WM_KEYUP()         AFX_MSG_ENTRY(WM_KEYUP, AfxSig_vwww, void (CWnd::*)(UINT, UINT, UINT), OnKeyUp)
#define ON_WM_CHAR()          AFX_MSG_ENTRY(WM_CHAR, AfxSig_vwww, void (CWnd::*)(UINT, UINT, UINT), OnChar)
#define ON_WM_SYSKEYDOWN()    AFX_MSG_ENTRY(WM_SYSKEYDOWN, AfxSig_vwww, void (CWnd::*)(UINT, UINT, UINT), OnSysKeyDown)
#define ON_WM_GETDLGCODE()    AFX_MSG_ENTRY(WM_GETDLGCODE, AfxSig_wv, UINT (CWnd::*)(), OnGetDlgCode)
#define ON_WM_SETCURSOR()     AFX_MSG_ENTRY(WM_SETCURSOR, AfxSig_bWww, BOOL (CWnd::*)(CWnd*, UINT, UINT), OnSetCursor)
#define ON_WM_CONTEXTMENU()   AFX_MSG_ENTRY(WM_CONTEXTMENU, AfxSig_vWp, void (CWnd::*)(CWnd*, CPoint), OnContextMenu)
#define ON_WM_GETMINMAXINFO() AFX_MSG_ENTRY(WM_GETMINMAXINFO, AfxSig_vs, void (CWnd::*)(MINMAXINFO*), OnGetMinMaxInfo)
#define ON_WM_WINDOWPOSCHANGING() AFX_MSG_ENTRY(WM_WINDOWPOSCHANGING, AfxSig_vs, void (CWnd::*)(WINDOWPOS*), OnWindowPosChanging)
#define ON_WM_WINDOWPOSCHANGED()  AFX_MSG_ENTRY(WM_WINDOWPOSCHANGED, AfxSig_vs, void (CWnd::*)(WINDOWPOS*), OnWindowPosChanged)
#define ON_WM_NCHITTEST()     AFX_MSG_ENTRY(WM_NCHITTEST, AfxSig_lp, LRESULT (CWnd::*)(CPoint), OnNcHitTest)
#define ON_WM_SYSCOMMAND()    AFX_MSG_ENTRY(WM_SYSCOMMAND, AfxSig_vwl, void (CWnd::*)(UINT, LPARAM), OnSysCommand)
#define ON_WM_INITMENUPOPUP() AFX_MSG_ENTRY(WM_INITMENUPOPUP, AfxSig_vMwb, void (CWnd::*)(CMenu*, UINT, BOOL), OnInitMenuPopup)
#define ON_WM_ACTIVATE()      AFX_MSG_ENTRY(WM_ACTIVATE, AfxSig_vwWb, void (CWnd::*)(UINT, CWnd*, BOOL), OnActivate)
#define ON_WM_QUERYNEWPALETTE() AFX_MSG_ENTRY(WM_QUERYNEWPALETTE, AfxSig_bv, BOOL (CWnd::*)(), OnQueryNewPalette)
#define ON_WM_PALETTECHANGED()  AFX_MSG_ENTRY(WM_PALETTECHANGED, AfxSig_vW, void (CWnd::*)(CWnd*), OnPaletteChanged)
#define ON_WM_DROPFILES()     AFX_MSG_ENTRY(WM_DROPFILES, AfxSig_vHDROP, void (CWnd::*)(HDROP), OnDropFiles)
#define ON_WM_HELPINFO()      AFX_MSG_ENTRY(WM_HELP, AfxSig_bHELPINFO, BOOL (CWnd::*)(HELPINFO*), OnHelpInfo)
#define ON_WM_SYSCOLORCHANGE() AFX_MSG_ENTRY(WM_SYSCOLORCHANGE, AfxSig_vv, void (CWnd::*)(), OnSysColorChange)
#define ON_WM_CTLCOLOR()      AFX_MSG_ENTRY(WM_CTLCOLOR, AfxSig_hDWw, HBRUSH (CWnd::*)(CDC*, CWnd*, UINT), OnCtlColor)
#define ON_WM_DRAWITEM()      AFX_MSG_ENTRY(WM_DRAWITEM, AfxSig_vOWNER, void (CWnd::*)(int, LPDRAWITEMSTRUCT), OnDrawItem)
#define ON_WM_MEASUREITEM()   AFX_MSG_ENTRY(WM_MEASUREITEM, AfxSig_vOWNER, void (CWnd::*)(int, LPMEASUREITEMSTRUCT), OnMeasureItem)
#define ON_WM_DELETEITEM()    AFX_MSG_ENTRY(WM_DELETEITEM, AfxSig_vOWNER, void (CWnd::*)(int, LPDELETEITEMSTRUCT), OnDeleteItem)
#define ON_WM_HSCROLL()       AFX_MSG_ENTRY(WM_HSCROLL, AfxSig_vwwW, void (CWnd::*)(UINT, UINT, CScrollBar*), OnHScroll)
#define ON_WM_VSCROLL()       AFX_MSG_ENTRY(WM_VSCROLL, AfxSig_vwwW, void (CWnd::*)(UINT, UINT, CScrollBar*), OnVScroll)

// Messages reflected to the control that caused them.
#define ON_WM_CTLCOLOR_REFLECT() \
    { WM_CTLCOLOR + WM_REFLECT_BASE, 0, 0, 0, AfxSig_hDw, AFX_PMSG_CAST(HBRUSH (CWnd::*)(CDC*, UINT), &ThisClass::CtlColor) },
#define ON_WM_DRAWITEM_REFLECT() \
    { WM_DRAWITEM + WM_REFLECT_BASE, 0, 0, 0, AfxSig_vOWNERr, AFX_PMSG_CAST(void (CWnd::*)(LPDRAWITEMSTRUCT), &ThisClass::DrawItem) },
#define ON_WM_MEASUREITEM_REFLECT() \
    { WM_MEASUREITEM + WM_REFLECT_BASE, 0, 0, 0, AfxSig_vOWNERr, AFX_PMSG_CAST(void (CWnd::*)(LPMEASUREITEMSTRUCT), &ThisClass::MeasureItem) },
#define ON_WM_HSCROLL_REFLECT() \
    { WM_HSCROLL + WM_REFLECT_BASE, 0, 0, 0, AfxSig_vwwx, AFX_PMSG_CAST(void (CWnd::*)(UINT, UINT), &ThisClass::HScroll) },
#define ON_WM_VSCROLL_REFLECT() \
    { WM_VSCROLL + WM_REFLECT_BASE, 0, 0, 0, AfxSig_vwwx, AFX_PMSG_CAST(void (CWnd::*)(UINT, UINT), &ThisClass::VScroll) },

#define ON_MESSAGE(message, memberFxn) \
    { message, 0, 0, 0, AfxSig_lwl, AFX_PMSG_CAST(LRESULT (CWnd::*)(WPARAM, LPARAM), &ThisClass::memberFxn) },
#define ON_COMMAND(id, memberFxn) \
    { WM_COMMAND, 0, (WORD)(id), (WORD)(id), AfxSig_cmd, AFX_PMSG_CAST(void (CCmdTarget::*)(), &ThisClass::memberFxn) },
#define ON_UPDATE_COMMAND_UI(id, memberFxn) \
    { WM_COMMAND, (WORD)CN_UPDATE_COMMAND_UI, (WORD)(id), (WORD)(id), AfxSig_cmdUI, AFX_PMSG_CAST(void (CCmdTarget::*)(CCmdUI*), &ThisClass::memberFxn) },
#define ON_UPDATE_COMMAND_UI_RANGE(id, idLast, memberFxn) \
    { WM_COMMAND, (WORD)CN_UPDATE_COMMAND_UI, (WORD)(id), (WORD)(idLast), AfxSig_cmdUIRange, AFX_PMSG_CAST(void (CCmdTarget::*)(CCmdUI*), &ThisClass::memberFxn) },
#define ON_COMMAND_RANGE(id, idLast, memberFxn) \
    { WM_COMMAND, 0, (WORD)(id), (WORD)(idLast), AfxSig_cmdRange, AFX_PMSG_CAST(void (CCmdTarget::*)(UINT), &ThisClass::memberFxn) },
#define ON_CONTROL(wNotifyCode, id, memberFxn) \
    { WM_COMMAND, (WORD)(wNotifyCode), (WORD)(id), (WORD)(id), AfxSig_cmd, AFX_PMSG_CAST(void (CCmdTarget::*)(), &ThisClass::memberFxn) },
#define ON_CONTROL_RANGE(wNotifyCode, id, idLast, memberFxn) \
    { WM_COMMAND, (WORD)(wNotifyCode), (WORD)(id), (WORD)(idLast), AfxSig_cmdRange, AFX_PMSG_CAST(void (CCmdTarget::*)(UINT), &ThisClass::memberFxn) },
#define ON_CONTROL_REFLECT(wNotifyCode, memberFxn) \
    { WM_COMMAND + WM_REFLECT_BASE, (WORD)(wNotifyCode), 0, 0, AfxSig_cmd, AFX_PMSG_CAST(void (CCmdTarget::*)(), &ThisClass::memberFxn) },
#define ON_CONTROL_REFLECT_EX(wNotifyCode, memberFxn) \
    { WM_COMMAND + WM_REFLECT_BASE, (WORD)(wNotifyCode), 0, 0, AfxSig_cmdEx, AFX_PMSG_CAST(BOOL (CCmdTarget::*)(), &ThisClass::memberFxn) },
#define ON_NOTIFY(wNotifyCode, id, memberFxn) \
    { WM_NOTIFY, (WORD)(int)(wNotifyCode), (WORD)(id), (WORD)(id), AfxSig_notify, AFX_PMSG_CAST(void (CCmdTarget::*)(NMHDR*, LRESULT*), &ThisClass::memberFxn) },
#define ON_NOTIFY_RANGE(wNotifyCode, id, idLast, memberFxn) \
    { WM_NOTIFY, (WORD)(int)(wNotifyCode), (WORD)(id), (WORD)(idLast), AfxSig_notify, AFX_PMSG_CAST(void (CCmdTarget::*)(NMHDR*, LRESULT*), &ThisClass::memberFxn) },
#define ON_NOTIFY_REFLECT(wNotifyCode, memberFxn) \
    { WM_NOTIFY + WM_REFLECT_BASE, (WORD)(int)(wNotifyCode), 0, 0, AfxSig_notify, AFX_PMSG_CAST(void (CCmdTarget::*)(NMHDR*, LRESULT*), &ThisClass::memberFxn) },
#define ON_NOTIFY_REFLECT_EX(wNotifyCode, memberFxn) \
    { WM_NOTIFY + WM_REFLECT_BASE, (WORD)(int)(wNotifyCode), 0, 0, AfxSig_notifyEx, AFX_PMSG_CAST(BOOL (CCmdTarget::*)(NMHDR*, LRESULT*), &ThisClass::memberFxn) },

#define ON_BN_CLICKED(id, memberFxn)       ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_BN_DOUBLECLICKED(id, memberFxn) ON_CONTROL(BN_DOUBLECLICKED, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn)        ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_EN_KILLFOCUS(id, memberFxn)     ON_CONTROL(EN_KILLFOCUS, id, memberFxn)
#define ON_EN_SETFOCUS(id, memberFxn)      ON_CONTROL(EN_SETFOCUS, id, memberFxn)
#define ON_EN_UPDATE(id, memberFxn)        ON_CONTROL(EN_UPDATE, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn)    ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
#define ON_CBN_SELENDOK(id, memberFxn)     ON_CONTROL(CBN_SELENDOK, id, memberFxn)
#define ON_CBN_DROPDOWN(id, memberFxn)     ON_CONTROL(CBN_DROPDOWN, id, memberFxn)
#define ON_CBN_EDITCHANGE(id, memberFxn)   ON_CONTROL(CBN_EDITCHANGE, id, memberFxn)
#define ON_LBN_SELCHANGE(id, memberFxn)    ON_CONTROL(LBN_SELCHANGE, id, memberFxn)
#define ON_LBN_DBLCLK(id, memberFxn)       ON_CONTROL(LBN_DBLCLK, id, memberFxn)
