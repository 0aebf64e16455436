// CValueSpinCtl: the up-down control of a value editor. Each arrow step goes
// to its manager as a delta; the manager, not the control, changes the value.
// CMemorySpinCtl and CTimerSpinCtl are this control under their own class names.
#pragma once
#include <afxwin.h>
#include <afxcmn.h>

class CSpinEditMgr;

class AFX_EXT_CLASS CValueSpinCtl : public CSpinButtonCtrl
{
    DECLARE_DYNAMIC(CValueSpinCtl)
public:
    explicit CValueSpinCtl(CSpinEditMgr* pMgr = nullptr);
    ~CValueSpinCtl() override;

    void SetManager(CSpinEditMgr* pMgr) { m_pMgr = pMgr; }
    CSpinEditMgr* GetManager() const { return m_pMgr; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    afx_msg void OnDeltapos(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    CSpinEditMgr* m_pMgr;
};
