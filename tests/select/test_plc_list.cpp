// The driver list control over a hand-made catalogue: its columns, filters,
// sorting and selection, and the list whose header cannot be dragged.
#include <afxcmn.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "catalogue/PlcInfo.h"
#include "catalogue/PlcInfoList.h"
#include "resources/select_ids.h"
#include "select/PlcListCtl.h"
#include "select/QRVFixedHeaderList.h"
#include "uiauto/ControlActions.h"
#include "uiauto/MessagePump.h"
#include "tests/support/TestApp.h"

using namespace qrvtest;

namespace {

// Makes "PlxAbout.dll" findable (or not) and sets its feature word.
class FeatureModule
{
public:
    explicit FeatureModule(DWORD dwFeatures)
    {
        ::SetDllDirectoryA((ProgramFolder() + "\\plxabout").c_str());
        m_h = ::LoadLibraryA("PlxAbout.dll");
        typedef void(WINAPI * SetFn)(DWORD);
        if (auto pfn = reinterpret_cast<SetFn>(::GetProcAddress(m_h, "SetPlxFeatureFlag")))
            pfn(dwFeatures);
    }
    ~FeatureModule()
    {
        ::FreeLibrary(m_h);
        ::SetDllDirectoryA(nullptr);
    }
    bool Loaded() const { return m_h != nullptr; }

private:
    HMODULE m_h;
};

// The selection template as a plain dialog: the list control to take over.
class TemplateHostTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_LISTVIEW_CLASSES};
        ::InitCommonControlsEx(&icc);
        ASSERT_TRUE(m_host.Create(IDD_PLC_SELECT));
        m_host.ShowWindow(SW_SHOW);
    }
    void TearDown() override { m_host.DestroyWindow(); }

    CDialog m_host;
};

class PlcListTest : public TemplateHostTest
{
protected:
    void SetUp() override
    {
        TemplateHostTest::SetUp();
        ASSERT_TRUE(m_list.SubclassDlgItem(IDC_PLC_LIST, &m_host));
    }

    CPlcInfo* Add(int code, const char* name, const char* dll, bool dproto = false, bool tags = true,
                  int major = 1, int minor = 0, bool oldTags = false)
    {
        CPlcInfo* p = new CPlcInfo;
        p->m_byCode = static_cast<unsigned char>(code);
        p->m_strDriverName = name;
        p->m_strDllName = dll;
        p->m_strDllVersion = "1.00";
        p->m_nMajor = major;
        p->m_nMinor = minor;
        p->m_bDProto = dproto;
        p->m_bTagSupport = tags;
        p->m_bOldTagSupport = oldTags;
        m_catalogue.AddTail(p);
        return p;
    }
    std::vector<std::string> Column(int column)
    {
        std::vector<std::string> texts;
        for (int i = 0; i < m_list.GetItemCount(); ++i)
            texts.push_back(static_cast<LPCSTR>(m_list.GetItemText(i, column)));
        return texts;
    }
    void ClickColumn(int column)
    {
        ClickListColumn(m_list.m_hWnd, column);
        PumpFor(80);
    }

    CPlcInfoList m_catalogue{"VARN\\"};
    CPlcListCtl m_list;
};

using Names = std::vector<std::string>;

} // namespace

TEST_F(PlcListTest, ColumnsFromTheStringTableWithPerCentWidths)
{
    CHeaderCtrl* pHeader = m_list.GetHeaderCtrl();
    ASSERT_NE(nullptr, pHeader);
    ASSERT_EQ(4, pHeader->GetItemCount());
    const char* headings[] = {"Name", "Treiber Version", "DLL Name", "DLL Version"};
    const int percent[] = {35, 15, 35, 15};
    CRect rc;
    m_list.GetClientRect(&rc);
    for (int i = 0; i < 4; ++i) {
        char text[64] = "";
        LVCOLUMNA col = {};
        col.mask = LVCF_TEXT | LVCF_FMT;
        col.pszText = text;
        col.cchTextMax = sizeof text;
        ASSERT_TRUE(m_list.GetColumn(i, &col));
        EXPECT_STREQ(headings[i], text);
        EXPECT_EQ(LVCFMT_LEFT, col.fmt & LVCFMT_JUSTIFYMASK);
        EXPECT_EQ(rc.Width() * percent[i] / 100, m_list.GetColumnWidth(i));
    }
    EXPECT_TRUE(m_list.GetExtendedStyle() & LVS_EX_FULLROWSELECT);
}

TEST_F(PlcListTest, RowsShowTheFourTextsAndCarryTheDescriptor)
{
    CPlcInfo* p = Add(20, "Simatic S7", "Z32TPLC020.dll", false, true, 2, 5);
    p->m_strDllVersion = "3.10";
    CPlcInfo* legacy = Add(22, "Alt", "Z32TPLC022.dll");
    legacy->m_wVersion = (1 << 8) | 0x37;   // legacy form: "1.%02d" of the low nibble
    m_list.UpdateDriverList(&m_catalogue);
    ASSERT_EQ(2, m_list.GetItemCount());
    EXPECT_EQ((Names{"Alt", "Simatic S7"}), Column(0));
    EXPECT_EQ((Names{"1.07", "2.05"}), Column(1));
    EXPECT_EQ((Names{"Z32TPLC022.dll", "Z32TPLC020.dll"}), Column(2));
    EXPECT_EQ("3.10", Column(3)[1]);
    EXPECT_EQ(reinterpret_cast<DWORD_PTR>(p), m_list.GetItemData(1));
}

TEST_F(PlcListTest, RowsWithoutADescriptorAreHarmless)
{
    m_list.InsertDriverItem(0, nullptr);
    EXPECT_EQ(0, m_list.GetItemCount());
    Add(20, "S7", "Z32TPLC020.dll");
    m_list.UpdateDriverList(&m_catalogue);
    m_list.InsertItem(1, "fremd");   // a row the owner added itself, without item data
    ClickColumn(2);
    EXPECT_EQ(2, m_list.GetItemCount());
    EXPECT_TRUE(m_list.SetSelectedDriver(CString("fremd")));
    EXPECT_EQ(nullptr, m_list.GetSelectedDriver());
    EXPECT_STREQ("", m_list.GetSelectedDriverDll());
}

TEST_F(PlcListTest, OldS5DriverIsNeverListed)
{
    Add(1, "Simatic S5", "Z32TPLC001.dll");
    m_list.UpdateDriverList(&m_catalogue);
    EXPECT_EQ(0, m_list.GetItemCount());
}

TEST_F(PlcListTest, InternalControllersAndClientsHidden)
{
    for (int code : {107, 126, 214, 222, 2, 20})
        Add(code, ("Code " + std::to_string(code)).c_str(), "x.dll");
    m_list.UpdateDriverList(&m_catalogue);
    EXPECT_EQ((Names{"Code 107", "Code 126", "Code 2", "Code 20", "Code 214", "Code 222"}), Column(0));
    m_list.HideInternalControllers(true);
    m_list.HideClients(true);
    EXPECT_EQ(6, m_list.GetItemCount()) << "filters act at the next refill only";
    m_list.UpdateDriverList(&m_catalogue);
    EXPECT_EQ((Names{"Code 20"}), Column(0));
}

TEST_F(PlcListTest, HostFeatureFlagHidesIsaGrafOnly)
{
    Add(107, "IsaGRAF", "Z32TPLC107.dll");
    Add(126, "Forth", "Z32TPLC126.dll");
    Add(20, "S7", "Z32TPLC020.dll");
    {
        FeatureModule module(0x100);
        ASSERT_TRUE(module.Loaded());
        m_list.UpdateDriverList(&m_catalogue);
        EXPECT_EQ((Names{"Forth", "S7"}), Column(0));
    }
    {
        FeatureModule module(0xFEFF);   // every bit but the one that counts
        m_list.UpdateDriverList(&m_catalogue);
        EXPECT_EQ((Names{"Forth", "IsaGRAF", "S7"}), Column(0));
    }
    ASSERT_EQ(nullptr, ::GetModuleHandleA("PlxAbout.dll"));
    m_list.UpdateDriverList(&m_catalogue);   // no module at all: the bit counts as clear
    EXPECT_EQ((Names{"Forth", "IsaGRAF", "S7"}), Column(0));
}

TEST_F(PlcListTest, DProtoAndTagFiltersTogetherNeedBothFlags)
{
    Add(20, "both", "a.dll", true, true);
    Add(21, "dproto only", "b.dll", true, false);
    Add(22, "tags only", "c.dll", false, true);
    Add(23, "neither", "d.dll", false, false);
    m_list.ShowDProtocolControllers(true);
    m_list.HideNoTagControllers(true);
    m_list.UpdateDriverList(&m_catalogue);
    EXPECT_EQ((Names{"both"}), Column(0));
    m_list.ShowDProtocolControllers(false);
    m_list.UpdateDriverList(&m_catalogue);
    EXPECT_EQ((Names{"both", "tags only"}), Column(0));
}

TEST_F(PlcListTest, ColumnClicksSortAndFlip)
{
    Add(20, "Beta", "Z32TPLC020.dll", false, true, 2, 0);
    Add(21, "alpha", "Z32TPLC021.dll", false, true, 10, 0);
    Add(22, "Gamma", "z32tplc009.dll", false, true, 9, 50);
    m_list.UpdateDriverList(&m_catalogue);
    EXPECT_EQ((Names{"alpha", "Beta", "Gamma"}), Column(0)) << "names without regard to case";

    ClickColumn(1);   // another column: the direction (ascending) stays
    EXPECT_EQ((Names{"10.00", "2.00", "9.50"}), Column(1)) << "version texts compare as texts";
    ClickColumn(1);   // the same column again: descending
    EXPECT_EQ((Names{"9.50", "2.00", "10.00"}), Column(1));
    ClickColumn(2);   // another column keeps descending
    EXPECT_EQ((Names{"Z32TPLC021.dll", "Z32TPLC020.dll", "z32tplc009.dll"}), Column(2));

    // A refill sorts by name ascending but keeps the remembered column and
    // direction: the next click on column 2 flips to ascending.
    m_list.UpdateDriverList(&m_catalogue);
    EXPECT_EQ((Names{"alpha", "Beta", "Gamma"}), Column(0));
    ClickColumn(2);
    EXPECT_EQ((Names{"z32tplc009.dll", "Z32TPLC020.dll", "Z32TPLC021.dll"}), Column(2));
}

TEST_F(PlcListTest, SelectionByDescriptorNameAndDll)
{
    CPlcInfo* first = Add(20, "Doppelt", "Z32TPLC020.dll");
    CPlcInfo* second = Add(21, "Doppelt", "Z32TPLC021.dll");
    CPlcInfo* other = Add(22, "Einzeln", "Z32TPLC022.dll");
    m_list.UpdateDriverList(&m_catalogue);

    EXPECT_EQ(nullptr, m_list.GetSelectedDriver());
    EXPECT_STREQ("", m_list.GetSelectedDriverDll());
    EXPECT_FALSE(m_list.SetSelectedDriver(static_cast<CPlcInfo*>(nullptr)));

    ASSERT_TRUE(m_list.SetSelectedDriver(second));   // by name: the first row of that name
    CPlcInfo* chosen = m_list.GetSelectedDriver();
    EXPECT_TRUE(chosen == first || chosen == second);
    EXPECT_EQ(0, SelectedListRow(m_list.m_hWnd));
    EXPECT_EQ(m_list.m_hWnd, ::GetFocus());

    EXPECT_FALSE(m_list.SetSelectedDriver(CString("doppelt"))) << "names match with their case";
    EXPECT_EQ(nullptr, m_list.GetSelectedDriver()) << "a failed search leaves nothing selected";

    ASSERT_TRUE(m_list.SetSelectedDriverDll(CString("z32tplc022.DLL")));
    EXPECT_EQ(other, m_list.GetSelectedDriver());
    EXPECT_STREQ("Z32TPLC022.dll", m_list.GetSelectedDriverDll());
    m_list.ClearSelections();
    EXPECT_EQ(nullptr, m_list.GetSelectedDriver());
}

TEST_F(PlcListTest, DeleteRemovesTheFirstRowOfTheName)
{
    Add(20, "Doppelt", "Z32TPLC020.dll");
    CPlcInfo* second = Add(21, "Doppelt", "Z32TPLC021.dll");
    Add(22, "Einzeln", "Z32TPLC022.dll");
    m_list.UpdateDriverList(&m_catalogue);
    CPlcInfo stranger;
    stranger.m_strDriverName = "Niemand";
    m_list.DeleteDriverItem(&stranger);
    EXPECT_EQ(3, m_list.GetItemCount());
    m_list.DeleteDriverItem(second);
    EXPECT_EQ((Names{"Doppelt", "Einzeln"}), Column(0));
    m_list.DeleteDriverItem(second);
    m_list.DeleteDriverItem(second);
    EXPECT_EQ((Names{"Einzeln"}), Column(0));
}

TEST_F(PlcListTest, UtgListShowsOnlyOldTagDriversByName)
{
    Add(1, "S5 alt", "Z32TPLC001.dll", false, false, 1, 0, true);    // the S5 filter does not apply here
    Add(20, "ohne", "Z32TPLC020.dll", false, true, 1, 0, false);
    Add(107, "Intern", "Z32TPLC107.dll", false, true, 1, 0, true);
    m_list.HideInternalControllers(true);
    m_list.UpdateUtgDriverList(&m_catalogue);
    EXPECT_EQ((Names{"Intern", "S5 alt"}), Column(0));
}

namespace {

// Drags the divider after column 0 by 60 pixels with real mouse messages.
void DragFirstDivider(HWND hList)
{
    HWND hHeader = reinterpret_cast<HWND>(::SendMessageA(hList, LVM_GETHEADER, 0, 0));
    RECT rc = {};
    ::SendMessageA(hHeader, HDM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&rc));
    int y = (rc.top + rc.bottom) / 2;
    ::SendMessageA(hHeader, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(rc.right - 1, y));
    ::SendMessageA(hHeader, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(rc.right + 30, y));
    ::SendMessageA(hHeader, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(rc.right + 60, y));
    ::SendMessageA(hHeader, WM_LBUTTONUP, 0, MAKELPARAM(rc.right + 60, y));
    PumpFor(50);
}

class FixedHeaderTest : public TemplateHostTest
{
protected:
    void Columns(CListCtrl& list)
    {
        list.InsertColumn(0, "Eins", LVCFMT_LEFT, 100);
        list.InsertColumn(1, "Zwei", LVCFMT_LEFT, 100);
    }
};

} // namespace

TEST_F(FixedHeaderTest, DividerCannotBeDragged)
{
    // An ordinary list first: the same drag does resize, so the test can fail.
    CListCtrl plain;
    ASSERT_TRUE(plain.SubclassDlgItem(IDC_PLC_LIST, &m_host));
    Columns(plain);
    DragFirstDivider(plain.m_hWnd);
    EXPECT_GT(plain.GetColumnWidth(0), 130);
    plain.DeleteColumn(1);
    plain.DeleteColumn(0);
    plain.UnsubclassWindow();

    QRVFixedHeaderList fixed;
    ASSERT_TRUE(fixed.SubclassDlgItem(IDC_PLC_LIST, &m_host));
    EXPECT_TRUE(fixed.Init());
    Columns(fixed);
    DragFirstDivider(fixed.m_hWnd);
    EXPECT_EQ(100, fixed.GetColumnWidth(0));
    // Double-clicking a divider does not size the column to its content either.
    HWND hHeader = reinterpret_cast<HWND>(::SendMessageA(fixed.m_hWnd, LVM_GETHEADER, 0, 0));
    RECT rc = {};
    ::SendMessageA(hHeader, HDM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&rc));
    ::SendMessageA(hHeader, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(rc.right - 1, (rc.top + rc.bottom) / 2));
    PumpFor(30);
    EXPECT_EQ(100, fixed.GetColumnWidth(0));
    // The cursor request is answered as handled, without the resize cursor.
    EXPECT_EQ(TRUE, ::SendMessageA(hHeader, WM_SETCURSOR, reinterpret_cast<WPARAM>(hHeader),
                                   MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
    fixed.UnsubclassWindow();
}
