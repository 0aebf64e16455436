// CCmdTarget and the message-map machinery: tables of (message, code, id,
// signature, member) entries walked from the most derived class to the base.
#pragma once
#include "Object.h"

class CCmdTarget;
typedef void (CCmdTarget::*AFX_PMSG)();

struct AFX_MSGMAP_ENTRY
{
    UINT nMessage;   // window message, or WM_COMMAND / WM_NOTIFY (+ WM_REFLECT_BASE)
    UINT nCode;      // control notification code
    UINT nID;        // first control id
    UINT nLastID;    // last control id
    UINT_PTR nSig;   // AfxSig: how to call pfn
    AFX_PMSG pfn;
};

struct AFX_MSGMAP
{
    const AFX_MSGMAP* (PASCAL* pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// The 16-bit colour message; WM_CTLCOLORxxx messages are mapped to it.
#ifndef WM_CTLCOLOR
#define WM_CTLCOLOR 0x0019
#endif

// Messages reflected back to the control that sent them.
#define WM_REFLECT_BASE 0xBC00

// Signatures of message handlers (how OnWndMsg unpacks wParam and lParam).
enum AfxSig
{
    AfxSig_end = 0,
    AfxSig_vv,        // void ()
    AfxSig_bv,        // BOOL ()
    AfxSig_wv,        // UINT ()
    AfxSig_vw,        // void (UINT)
    AfxSig_vt,        // void (UINT_PTR)            timer
    AfxSig_vwii,      // void (UINT, int, int)      size
    AfxSig_vii,       // void (int, int)            move
    AfxSig_vwp,       // void (UINT, CPoint)        mouse
    AfxSig_vwww,      // void (UINT, UINT, UINT)    keys, characters
    AfxSig_is,        // int (LPCREATESTRUCT)
    AfxSig_bD,        // BOOL (CDC*)                erase background
    AfxSig_lwl,       // LRESULT (WPARAM, LPARAM)   ON_MESSAGE
    AfxSig_vW,        // void (CWnd*)               focus, palette changed
    AfxSig_vWp,       // void (CWnd*, CPoint)       context menu
    AfxSig_bWww,      // BOOL (CWnd*, UINT, UINT)   set cursor
    AfxSig_hDWw,      // HBRUSH (CDC*, CWnd*, UINT) control colour
    AfxSig_hDw,       // HBRUSH (CDC*, UINT)        reflected control colour
    AfxSig_vwwW,      // void (UINT, UINT, CScrollBar*) scroll
    AfxSig_vwwx,      // void (UINT, UINT)          reflected scroll
    AfxSig_vs,        // void (LPVOID)              pointer in lParam
    AfxSig_vOWNER,    // void (int, LPVOID)         draw/measure item
    AfxSig_vOWNERr,   // void (LPVOID)              reflected draw/measure item
    AfxSig_vwl,       // void (UINT, LPARAM)        system command
    AfxSig_vbw,       // void (BOOL, UINT)          show window
    AfxSig_vMwb,      // void (CMenu*, UINT, BOOL)  init menu popup
    AfxSig_lp,        // LRESULT (CPoint)           hit test
    AfxSig_vwr,       // void (UINT, LPRECT)        sizing
    AfxSig_bwsp,      // BOOL (UINT, short, CPoint) mouse wheel
    AfxSig_vwWb,      // void (UINT, CWnd*, BOOL)   activate
    AfxSig_bHELPINFO, // BOOL (HELPINFO*)
    AfxSig_vHDROP,    // void (HDROP)
    AfxSig_cmd,       // void ()                    WM_COMMAND / reflected command
    AfxSig_cmdEx,     // BOOL ()                    reflected command, may pass on
    AfxSig_cmdRange,  // void (UINT)                command range
    AfxSig_notify,    // void (NMHDR*, LRESULT*)    WM_NOTIFY / reflected notify
    AfxSig_notifyEx,  // BOOL (NMHDR*, LRESULT*)    reflected notify, may pass on
    AfxSig_bwwp,      // BOOL (UINT, UINT, CPoint)  reserved
    AfxSig_cmdUI,     // void (CCmdUI*)             ON_UPDATE_COMMAND_UI
    AfxSig_cmdUIRange,// void (CCmdUI*) for an id range
    AfxSig_hv,        // HANDLE ()                  query drag icon
};

// The codes of OnCmdMsg for commands: run the command, or ask its handler to
// update the command's user interface (pExtra is the CCmdUI).
#define CN_COMMAND              0
#define CN_UPDATE_COMMAND_UI    ((UINT)(-1))

class AFX_CORE_CLASS CCmdTarget : public CObject
{
    DECLARE_DYNAMIC(CCmdTarget)
public:
    CCmdTarget() = default;

    // Route a command or notification (nCode = MAKELONG(code, message)) through
    // this object's message map. pExtra is the NMHDR for notifications.
    // CN_UPDATE_COMMAND_UI with the CCmdUI in pExtra asks the handler of
    // ON_UPDATE_COMMAND_UI; CN_COMMAND with a CCmdUI in pExtra only asks
    // whether a command handler exists (it is not called).
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, LRESULT* pResult);

    // OLE reference counting: an object starts with one reference; the
    // release of the last one calls OnFinalRelease, which deletes the object.
    // Without aggregation the external counts are the internal ones.
    DWORD InternalAddRef();
    DWORD InternalRelease();
    DWORD ExternalAddRef();
    DWORD ExternalRelease();
    // The object's interface of that IID, not AddRef'ed; null when it has none.
    LPUNKNOWN GetInterface(const void* iid);
    virtual void OnFinalRelease();
    long m_dwRef = 1;

    void BeginWaitCursor();
    void EndWaitCursor();
    void RestoreWaitCursor();

    static const AFX_MSGMAP_ENTRY* PASCAL FindMessageEntry(const AFX_MSGMAP_ENTRY* lpEntry,
                                                           UINT nMsg, UINT nCode, UINT nID);

protected:
    static const AFX_MSGMAP* PASCAL GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;
    // Where classes with COM interfaces hand them out (GetInterface asks it).
    virtual LPUNKNOWN GetInterfaceHook(const void* iid);
};

#define DECLARE_MESSAGE_MAP() \
protected: \
    static const AFX_MSGMAP* PASCAL GetThisMessageMap(); \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass) \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const AFX_MSGMAP* PASCAL theClass::GetThisMessageMap() \
    { \
        typedef theClass ThisClass; \
        typedef baseClass TheBaseClass; \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP() \
            { 0, 0, 0, 0, AfxSig_end, nullptr } \
        }; \
        static const AFX_MSGMAP messageMap = { &TheBaseClass::GetThisMessageMap, &_messageEntries[0] }; \
        return &messageMap; \
    }

#define AFX_PMSG_CAST(type, fn) reinterpret_cast<AFX_PMSG>(static_cast<type>(fn))
