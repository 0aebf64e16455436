// CPlcListCtl: a report list of the drivers of a catalogue, four columns
// (name, driver version, DLL name, DLL version), filtered by what the host
// wants to offer and sorted by a clicked column. Each row's item data is the
// catalogue's own CPlcInfo*: the catalogue must outlive the rows, so after it
// is reloaded or an entry deleted the list is refilled or the row removed.
#pragma once
#include <afxcmn.h>

class CPlcInfo;
class CPlcInfoList;

class AFX_EXT_CLASS CPlcListCtl : public CListCtrl
{
public:
    CPlcListCtl();
    ~CPlcListCtl() override;

    // Takes over the dialog's list control and creates the columns.
    int SubclassDlgItem(UINT nID, CWnd* pParent);

    // Filters; they act at the next UpdateDriverList.
    void HideInternalControllers(bool bHide);
    void HideClients(bool bHide);
    void ShowDProtocolControllers(bool bOnly);
    void HideNoTagControllers(bool bHide);

    void UpdateDriverList(CPlcInfoList* pList);
    // Only the drivers with the older tag support, no other filter.
    void UpdateUtgDriverList(CPlcInfoList* pList);
    void InsertDriverItem(int nItem, CPlcInfo* pInfo);
    // Removes the first row showing the descriptor's display name.
    void DeleteDriverItem(CPlcInfo* pInfo);

    CPlcInfo* GetSelectedDriver();
    CString GetSelectedDriverDll();
    bool SetSelectedDriver(CPlcInfo* pInfo);
    bool SetSelectedDriver(CString strName);
    bool SetSelectedDriverDll(CString strDllName);
    void ClearSelections();

protected:
    void Init();
    afx_msg void OnColumnclick(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    static int CALLBACK CompareRows(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort);
    void SortBy(int nColumn, bool bAscending);
    bool IsFilteredOut(const CPlcInfo& info, bool bNoIsaGraf) const;
    // Selects the first row whose column text matches, scrolls it into full view.
    bool SelectFirstMatch(int nColumn, const CString& strText, bool bIgnoreCase);

    int m_nSortColumn;
    int m_bSortAscending;
    bool m_bHideInternal;
    bool m_bHideClients;
    bool m_bOnlyDProto;
    bool m_bHideNoTags;
    // Column of the sort in progress and its direction (CompareRows reads them).
    int m_nComparing;
    bool m_bComparingAscending;
};
