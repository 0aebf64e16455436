#include "select/PlcListCtl.h"
#include "catalogue/PlcInfo.h"
#include "catalogue/PlcInfoList.h"
#include "driver/PlcProjectCodes.h"
#include "framework/ParseStrPart.h"
#include "resources/resource.h"
#include <mbstring.h>
#include <utility>

namespace
{
const int kColumnCount = 4;
const int kColumnPercent[kColumnCount] = {35, 15, 35, 15};

// The host's feature word: bit 0x100 hides the IsaGRAF controller.
const DWORD kFeatureNoIsaGraf = 0x100;

DWORD HostFeatureFlags()
{
    HMODULE hModule = ::LoadLibraryA("PlxAbout.dll");
    if (hModule == nullptr)
        return 0;
    DWORD dwFlags = 0;
    typedef DWORD(WINAPI * FeatureFn)();
    if (auto pfn = reinterpret_cast<FeatureFn>(::GetProcAddress(hModule, "GetPlxFeatureFlag")))
        dwFlags = pfn();
    ::FreeLibrary(hModule);
    return dwFlags;
}

CString ColumnText(CPlcInfo& info, int nColumn)
{
    switch (nColumn)
    {
    case 0: return info.m_strDriverName;
    case 1: { CString s; info.GetVersionStr(&s); return s; }
    case 2: return info.m_strDllName;
    case 3: return info.m_strDllVersion;
    default: return CString();
    }
}

const unsigned char* Bytes(const CString& s)
{
    return reinterpret_cast<const unsigned char*>(static_cast<LPCSTR>(s));
}
} // namespace

BEGIN_MESSAGE_MAP(CPlcListCtl, CListCtrl)
    ON_NOTIFY_REFLECT(LVN_COLUMNCLICK, OnColumnclick)
END_MESSAGE_MAP()

CPlcListCtl::CPlcListCtl()
    : m_nSortColumn(0), m_bSortAscending(TRUE), m_bHideInternal(false), m_bHideClients(false),
      m_bOnlyDProto(false), m_bHideNoTags(false), m_nComparing(0), m_bComparingAscending(true)
{
}

CPlcListCtl::~CPlcListCtl() {}

int CPlcListCtl::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    int nResult = CListCtrl::SubclassDlgItem(nID, pParent);
    if (nResult)
        Init();
    return nResult;
}

void CPlcListCtl::Init()
{
    m_nSortColumn = 0;
    m_bSortAscending = TRUE;
    SetExtendedStyle(GetExtendedStyle() | LVS_EX_FULLROWSELECT);

    CRect rcClient;
    GetClientRect(&rcClient);
    CString strHeadings;
    strHeadings.LoadString(IDS_PLC_LIST_COLUMNS);
    CParseStrPart parser;
    parser.Attach(&strHeadings);
    CString strHeading;
    int nColumn = 0;
    for (int bMore = parser.GetFirst("\t", &strHeading); bMore && nColumn < kColumnCount;
         bMore = parser.GetNext("\t", &strHeading), ++nColumn)
    {
        InsertColumn(nColumn, strHeading, LVCFMT_LEFT, rcClient.Width() * kColumnPercent[nColumn] / 100);
    }
}

void CPlcListCtl::HideInternalControllers(bool bHide) { m_bHideInternal = bHide; }
void CPlcListCtl::HideClients(bool bHide) { m_bHideClients = bHide; }
void CPlcListCtl::ShowDProtocolControllers(bool bOnly) { m_bOnlyDProto = bOnly; }
void CPlcListCtl::HideNoTagControllers(bool bHide) { m_bHideNoTags = bHide; }

bool CPlcListCtl::IsFilteredOut(const CPlcInfo& info, bool bNoIsaGraf) const
{
    const unsigned char byCode = info.m_byCode;
    if (m_bHideInternal && (byCode == PlcCode::ISAGRAF || byCode == PlcCode::FORTH ||
                            byCode == PlcCode::INTERNAL_MEMORY || byCode == PlcCode::INTERNAL_OTHER))
        return true;
    if (bNoIsaGraf && byCode == PlcCode::ISAGRAF)
        return true;
    if (m_bHideClients && byCode == PlcCode::NETWORK_CLIENT)
        return true;
    if (m_bOnlyDProto && !info.m_bDProto)
        return true;
    if (m_bHideNoTags && !info.m_bTagSupport)
        return true;
    return byCode == PlcCode::SIMATIC_S5_OLD; // the old S5 driver is never offered
}

void CPlcListCtl::UpdateDriverList(CPlcInfoList* pList)
{
    DeleteAllItems();
    const bool bNoIsaGraf = (HostFeatureFlags() & kFeatureNoIsaGraf) != 0;
    int nRow = 0;
    for (POSITION pos = pList ? pList->GetHeadPosition() : nullptr; pos;)
    {
        CPlcInfo* pInfo = pList->GetNext(pos);
        if (!IsFilteredOut(*pInfo, bNoIsaGraf))
            InsertDriverItem(nRow++, pInfo);
    }
    SortBy(0, true);
}

void CPlcListCtl::UpdateUtgDriverList(CPlcInfoList* pList)
{
    DeleteAllItems();
    int nRow = 0;
    for (POSITION pos = pList ? pList->GetHeadPosition() : nullptr; pos;)
    {
        CPlcInfo* pInfo = pList->GetNext(pos);
        if (pInfo->m_bOldTagSupport)
            InsertDriverItem(nRow++, pInfo);
    }
    SortBy(0, true);
}

void CPlcListCtl::InsertDriverItem(int nItem, CPlcInfo* pInfo)
{
    if (pInfo == nullptr)
        return;
    int nRow = InsertItem(LVIF_TEXT | LVIF_PARAM, nItem, pInfo->m_strDriverName, 0, 0, 0,
                          reinterpret_cast<LPARAM>(pInfo));
    if (nRow < 0)
        return;
    for (int nColumn = 1; nColumn < kColumnCount; ++nColumn)
        SetItemText(nRow, nColumn, ColumnText(*pInfo, nColumn));
}

void CPlcListCtl::DeleteDriverItem(CPlcInfo* pInfo)
{
    if (pInfo == nullptr)
        return;
    for (int nRow = 0; nRow < GetItemCount(); ++nRow)
    {
        if (_mbscmp(Bytes(GetItemText(nRow, 0)), Bytes(pInfo->m_strDriverName)) == 0)
        {
            DeleteItem(nRow);
            return;
        }
    }
}

CPlcInfo* CPlcListCtl::GetSelectedDriver()
{
    POSITION pos = GetFirstSelectedItemPosition();
    if (pos == nullptr)
        return nullptr;
    return reinterpret_cast<CPlcInfo*>(GetItemData(GetNextSelectedItem(pos)));
}

CString CPlcListCtl::GetSelectedDriverDll()
{
    CPlcInfo* pInfo = GetSelectedDriver();
    return pInfo ? pInfo->m_strDllName : CString();
}

bool CPlcListCtl::SetSelectedDriver(CPlcInfo* pInfo)
{
    if (pInfo == nullptr)
        return false;
    return SetSelectedDriver(pInfo->m_strDriverName);
}

bool CPlcListCtl::SetSelectedDriver(CString strName)
{
    return SelectFirstMatch(0, strName, false);
}

bool CPlcListCtl::SetSelectedDriverDll(CString strDllName)
{
    return SelectFirstMatch(2, strDllName, true);
}

bool CPlcListCtl::SelectFirstMatch(int nColumn, const CString& strText, bool bIgnoreCase)
{
    ClearSelections();
    for (int nRow = 0; nRow < GetItemCount(); ++nRow)
    {
        CString strCell = GetItemText(nRow, nColumn);
        int nOrder = bIgnoreCase ? _mbsicmp(Bytes(strCell), Bytes(strText))
                                 : _mbscmp(Bytes(strCell), Bytes(strText));
        if (nOrder == 0)
        {
            SetItemState(nRow, LVIS_SELECTED, LVIS_SELECTED);
            EnsureVisible(nRow, FALSE);
            SetFocus();
            return true;
        }
    }
    return false;
}

void CPlcListCtl::ClearSelections()
{
    POSITION pos = GetFirstSelectedItemPosition();
    if (pos != nullptr)
        SetItemState(GetNextSelectedItem(pos), 0, LVIS_SELECTED);
}

void CPlcListCtl::OnColumnclick(NMHDR* pNMHDR, LRESULT* pResult)
{
    const int nColumn = reinterpret_cast<NMLISTVIEW*>(pNMHDR)->iSubItem;
    if (nColumn == m_nSortColumn)
        m_bSortAscending = !m_bSortAscending;
    else
        m_nSortColumn = nColumn;
    SortBy(m_nSortColumn, m_bSortAscending != 0);
    *pResult = 0;
}

void CPlcListCtl::SortBy(int nColumn, bool bAscending)
{
    m_nComparing = nColumn;
    m_bComparingAscending = bAscending;
    SortItems(CompareRows, reinterpret_cast<DWORD_PTR>(this));
}

// Texts compared without regard to case, so a version "10.00" sorts before "2.00".
int CALLBACK CPlcListCtl::CompareRows(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort)
{
    auto* pSelf = reinterpret_cast<CPlcListCtl*>(lParamSort);
    auto* pA = reinterpret_cast<CPlcInfo*>(lParam1);
    auto* pB = reinterpret_cast<CPlcInfo*>(lParam2);
    if (!pSelf->m_bComparingAscending)
        std::swap(pA, pB);
    if (pSelf->m_nComparing < 0 || pSelf->m_nComparing >= kColumnCount || !pA || !pB)
        return 0;
    return _mbsicmp(Bytes(ColumnText(*pA, pSelf->m_nComparing)),
                    Bytes(ColumnText(*pB, pSelf->m_nComparing)));
}
