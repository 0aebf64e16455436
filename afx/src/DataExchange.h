// Dialog data exchange. Validation failures do not throw here: the failing
// DDX/DDV routine reports the problem, puts the focus on the control and marks
// the exchange as failed; the remaining routines then do nothing and
// UpdateData returns FALSE.
#pragma once
#include "Wnd.h"

class AFX_CORE_CLASS CDataExchange
{
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate);

    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;
    BOOL m_bFailed;

    // Remembers the control that the following DDV routines check.
    HWND PrepareCtrl(int nIDC);
    HWND PrepareEditCtrl(int nIDC);
    void Fail();

private:
    HWND m_hWndLastControl;
    BOOL m_bEditLastControl;
};

AFX_CORE_API void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
AFX_CORE_API void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, int& value);
AFX_CORE_API void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, UINT& value);
AFX_CORE_API void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, long& value);
AFX_CORE_API void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, DWORD& value);
AFX_CORE_API void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, double& value);
AFX_CORE_API void AFXAPI DDX_Check(CDataExchange* pDX, int nIDC, int& value);
AFX_CORE_API void AFXAPI DDX_Radio(CDataExchange* pDX, int nIDC, int& value);
AFX_CORE_API void AFXAPI DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index);
AFX_CORE_API void AFXAPI DDX_CBString(CDataExchange* pDX, int nIDC, CString& value);
AFX_CORE_API void AFXAPI DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index);
AFX_CORE_API void AFXAPI DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
AFX_CORE_API void AFXAPI DDV_MaxChars(CDataExchange* pDX, CString const& value, int nChars);
AFX_CORE_API void AFXAPI DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal);
AFX_CORE_API void AFXAPI DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal);
