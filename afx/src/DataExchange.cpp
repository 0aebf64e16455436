#include "DataExchange.h"
#include "WinApp.h"
#include <stdio.h>
#include <stdlib.h>
#include <errno.h>
#include <limits.h>
#include <string.h>

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd), m_bFailed(FALSE),
      m_hWndLastControl(nullptr), m_bEditLastControl(FALSE)
{
}

HWND CDataExchange::PrepareCtrl(int nIDC)
{
    m_hWndLastControl = ::GetDlgItem(m_pDlgWnd->m_hWnd, nIDC);
    m_bEditLastControl = FALSE;
    return m_hWndLastControl;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC)
{
    HWND hWnd = PrepareCtrl(nIDC);
    m_bEditLastControl = TRUE;
    return hWnd;
}

void CDataExchange::Fail()
{
    if (m_bSaveAndValidate && m_hWndLastControl) {
        ::SetFocus(m_hWndLastControl);
        if (m_bEditLastControl)
            ::SendMessageA(m_hWndLastControl, EM_SETSEL, 0, -1);
    }
    m_bFailed = TRUE;
}

BOOL CWnd::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    DoDataExchange(&dx);
    return !dx.m_bFailed;
}

namespace {
CString ControlText(HWND hWnd)
{
    CString text;
    if (hWnd)
        CWnd::FromHandle(hWnd)->GetWindowText(text);
    return text;
}

void FailWith(CDataExchange* pDX, LPCSTR lpszText)
{
    AfxMessageBox(lpszText, MB_ICONEXCLAMATION);
    pDX->Fail();
}

// Parses a whole decimal number, blanks around it allowed.
bool ParseLong(const CString& text, bool bSigned, long long& value)
{
    const char* p = text;
    char* end = nullptr;
    errno = 0;
    value = bSigned ? strtoll(p, &end, 10) : (long long)strtoull(p, &end, 10);
    if (end == p || errno == ERANGE)
        return false;
    while (*end == ' ' || *end == '\t')
        ++end;
    return *end == '\0' && (bSigned || strchr(p, '-') == nullptr);
}

template <typename T>
void ExchangeInteger(CDataExchange* pDX, int nIDC, T& value, bool bSigned, long long lo, long long hi)
{
    if (pDX->m_bFailed)
        return;
    HWND hWnd = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        long long v = 0;
        if (!ParseLong(ControlText(hWnd), bSigned, v) || v < lo || v > hi)
            return FailWith(pDX, "Bitte geben Sie eine ganze Zahl ein.");
        value = (T)v;
    } else {
        char buf[32];
        snprintf(buf, sizeof buf, bSigned ? "%lld" : "%llu", (long long)value);
        ::SetWindowTextA(hWnd, buf);
    }
}
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, CString& value)
{
    if (pDX->m_bFailed)
        return;
    HWND hWnd = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = ControlText(hWnd);
    else
        ::SetWindowTextA(hWnd, value);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, int& value)
{
    ExchangeInteger(pDX, nIDC, value, true, INT_MIN, INT_MAX);
}
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, long& value)
{
    ExchangeInteger(pDX, nIDC, value, true, LONG_MIN, LONG_MAX);
}
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, UINT& value)
{
    ExchangeInteger(pDX, nIDC, value, false, 0, UINT_MAX);
}
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, DWORD& value)
{
    ExchangeInteger(pDX, nIDC, value, false, 0, 0xFFFFFFFFLL);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, double& value)
{
    if (pDX->m_bFailed)
        return;
    HWND hWnd = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        CString text = ControlText(hWnd);
        char* end = nullptr;
        double v = strtod(text, &end);
        if (end == (const char*)text || *end)
            return FailWith(pDX, "Bitte geben Sie eine Zahl ein.");
        value = v;
    } else {
        char buf[64];
        snprintf(buf, sizeof buf, "%.15g", value);
        ::SetWindowTextA(hWnd, buf);
    }
}

void AFXAPI DDX_Check(CDataExchange* pDX, int nIDC, int& value)
{
    if (pDX->m_bFailed)
        return;
    HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = (int)::SendMessageA(hWnd, BM_GETCHECK, 0, 0);
    else
        ::SendMessageA(hWnd, BM_SETCHECK, (WPARAM)value, 0);
}

// value is the index of the checked button in the group that starts at nIDC, -1 for none.
void AFXAPI DDX_Radio(CDataExchange* pDX, int nIDC, int& value)
{
    if (pDX->m_bFailed)
        return;
    HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = -1;
    for (int nButton = 0; hWnd; ++nButton) {
        if (pDX->m_bSaveAndValidate) {
            if (::SendMessageA(hWnd, BM_GETCHECK, 0, 0) == BST_CHECKED)
                value = nButton;
        } else {
            ::SendMessageA(hWnd, BM_SETCHECK, nButton == value, 0);
        }
        hWnd = ::GetWindow(hWnd, GW_HWNDNEXT);
        if (!hWnd || (::GetWindowLongA(hWnd, GWL_STYLE) & WS_GROUP))
            break;
    }
}

void AFXAPI DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    if (pDX->m_bFailed)
        return;
    HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        index = (int)::SendMessageA(hWnd, CB_GETCURSEL, 0, 0);
    else
        ::SendMessageA(hWnd, CB_SETCURSEL, (WPARAM)index, 0);
}

void AFXAPI DDX_CBString(CDataExchange* pDX, int nIDC, CString& value)
{
    if (pDX->m_bFailed)
        return;
    HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        value = ControlText(hWnd);
    } else if (::SendMessageA(hWnd, CB_SELECTSTRING, (WPARAM)-1, (LPARAM)(LPCSTR)value) == CB_ERR) {
        ::SetWindowTextA(hWnd, value);
    }
}

void AFXAPI DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    if (pDX->m_bFailed)
        return;
    HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        index = (int)::SendMessageA(hWnd, LB_GETCURSEL, 0, 0);
    else
        ::SendMessageA(hWnd, LB_SETCURSEL, (WPARAM)index, 0);
}

void AFXAPI DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (pDX->m_bFailed || rControl.m_hWnd)
        return;
    pDX->PrepareCtrl(nIDC);
    if (!rControl.SubclassDlgItem((UINT)nIDC, pDX->m_pDlgWnd))
        pDX->Fail();
}

void AFXAPI DDV_MaxChars(CDataExchange* pDX, CString const& value, int nChars)
{
    if (pDX->m_bFailed)
        return;
    if (pDX->m_bSaveAndValidate && value.GetLength() > nChars) {
        CString text;
        text.Format("Bitte geben Sie nicht mehr als %d Zeichen ein.", nChars);
        FailWith(pDX, text);
    }
}

void AFXAPI DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal)
{
    if (pDX->m_bFailed || !pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal))
        return;
    CString text;
    text.Format("Bitte geben Sie eine ganze Zahl zwischen %d und %d ein.", minVal, maxVal);
    FailWith(pDX, text);
}

void AFXAPI DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal)
{
    if (pDX->m_bFailed || !pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal))
        return;
    CString text;
    text.Format("Bitte geben Sie eine ganze Zahl zwischen %u und %u ein.", minVal, maxVal);
    FailWith(pDX, text);
}
