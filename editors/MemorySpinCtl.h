// CMemorySpinCtl: the up-down control of a value editor. Each arrow step goes
// to its manager as a delta; the manager, not the control, changes the value.
#pragma once
#include <afxwin.h>
#include <afxcmn.h>

class CSpinEditMgr;

class AFX_EXT_CLASS CMemorySpinCtl : public CSpinButtonCtrl
{
    DECLARE_DYNAMIC(CMemorySpinCtl)
public:
    explicit CMemorySpinCtl(CSpinEditMgr* pMgr = nullptr);
    ~CMemorySpinCtl() override;

    void SetManager(CSpinEditMgr* pMgr) { m_pMgr = pMgr; }
    CSpinEditMgr* GetManager() const { return m_pMgr; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    afx_msg void OnDeltapos(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    CSpinEditMgr* m_pMgr;
};
