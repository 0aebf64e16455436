// CDialog: modal and modeless dialogs from templates found through the
// resource chain. The dialog window is subclassed by the framework, so its
// message map sees every message before the dialog manager does.
#pragma once
#include "Wnd.h"
#include "DataExchange.h"

class AFX_CORE_CLASS CDialog : public CWnd
{
    DECLARE_DYNAMIC(CDialog)
public:
    CDialog();
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    explicit CDialog(LPCSTR lpszTemplateName, CWnd* pParentWnd = nullptr);

    // Modeless creation; TRUE when the window exists.
    virtual BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    virtual BOOL Create(LPCSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
    BOOL CreateIndirect(LPCDLGTEMPLATEA lpDialogTemplate, CWnd* pParentWnd = nullptr);

    // Runs the dialog; IDOK, IDCANCEL or what EndDialog was given, -1 when
    // the template cannot be found or the window cannot be created.
    virtual INT_PTR DoModal();
    void EndDialog(int nResult);

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    BOOL PreTranslateMessage(MSG* pMsg) override;

    void NextDlgCtrl() const { ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, 0, 0); }
    void PrevDlgCtrl() const { ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, 1, 0); }
    void GotoDlgCtrl(CWnd* pWndCtrl) { ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, (WPARAM)AfxHwndOf(pWndCtrl), 1); }
    void SetDefID(UINT nID) { ::SendMessageA(m_hWnd, DM_SETDEFID, nID, 0); }
    DWORD GetDefID() const { return (DWORD)::SendMessageA(m_hWnd, DM_GETDEFID, 0, 0); }
    void MapDialogRect(LPRECT lpRect) const { ::MapDialogRect(m_hWnd, lpRect); }

    LPCSTR m_lpszTemplateName;
    UINT m_nIDHelp;
    CWnd* m_pParentWnd;

protected:
    DECLARE_MESSAGE_MAP()

    // The window the dialog is owned by: the given parent's top-level window,
    // else the application's main window, else the active window.
    HWND PreModal();
    BOOL CreateFromTemplate(LPCDLGTEMPLATEA lpTemplate, HINSTANCE hInst, HWND hWndParent);

private:
    LPCDLGTEMPLATEA LoadTemplate(HINSTANCE* phInst) const;
};

AFX_CORE_API INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
