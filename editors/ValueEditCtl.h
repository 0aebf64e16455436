// CValueEditCtl: the edit box of a value editor. When it loses the focus it
// hands its text to its manager, which parses it and rewrites the box.
// CMemoryEditCtl and CTimerEditCtl are this box under their own class names.
#pragma once
#include <afxwin.h>

class CSpinEditMgr;

class AFX_EXT_CLASS CValueEditCtl : public CEdit
{
    DECLARE_DYNAMIC(CValueEditCtl)
public:
    explicit CValueEditCtl(CSpinEditMgr* pMgr = nullptr);
    ~CValueEditCtl() override;

    void SetManager(CSpinEditMgr* pMgr) { m_pMgr = pMgr; }
    CSpinEditMgr* GetManager() const { return m_pMgr; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    afx_msg void OnKillfocus();
    afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    CSpinEditMgr* m_pMgr;
};
