// CSpinEditMgr: the base of the value editors. A manager owns one number and
// the text of an edit box; the up-down control beside the box only reports
// arrow clicks (its own position is never shown).
#pragma once
#include <afxwin.h>
#include <afxcmn.h>

class AFX_EXT_CLASS CSpinEditMgr : public CCmdTarget
{
    DECLARE_DYNCREATE(CSpinEditMgr)
public:
    CSpinEditMgr();
    ~CSpinEditMgr() override;

    // Called by the edit box when it loses the focus, with its text.
    virtual void ParseUserData(CString strText);
    // Called by the up-down control with the delta of an arrow click.
    virtual void IncDecPos(int nDelta);

    CEdit* GetEditCtrl() const { return m_pEdit; }
    CSpinButtonCtrl* GetSpinCtrl() const { return m_pSpin; }

    // The up-down control may have been made with the buddy-integer style,
    // which it keeps to itself even when the style is taken away: whatever
    // it writes into the box while it handles a message is refused, unless
    // it is this manager's own text.
    void EnterSpinMessage() { ++m_nSpinMessages; }
    void LeaveSpinMessage() { --m_nSpinMessages; }
    BOOL AcceptEditText() const { return m_nSpinMessages == 0 || m_bWritingText; }

protected:
    enum CONTROL_PAIR { TIMER_PAIR, MEMORY_PAIR };

    // Takes over the parent's up-down control (nSpinID) and edit box
    // (nEditID) with control objects of the chosen pair, which report to this
    // manager. TRUE when both controls were found.
    BOOL SubClassControls(UINT nSpinID, UINT nEditID, CWnd* pParent, CONTROL_PAIR ePair);

    // The edit box's text; the shown text when there is no edit box, so
    // that a manager without controls never sees "typed" text.
    CString GetEditText(const CString& strShown) const;
    void SetEditText(LPCSTR lpszText);
    void EnableControls(BOOL bEnable);
    // A typed number toward zero; beyond the int range, its nearest end.
    static int TruncateToInt(double d);

    CEdit* m_pEdit;
    CSpinButtonCtrl* m_pSpin;

private:
    int m_nSpinMessages;
    BOOL m_bWritingText;

    void CreateControls(CONTROL_PAIR ePair);
    void ReleaseControls();

    CSpinEditMgr(const CSpinEditMgr&) = delete;
    CSpinEditMgr& operator=(const CSpinEditMgr&) = delete;
};
