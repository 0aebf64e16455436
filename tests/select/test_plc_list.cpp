// The driver list control over a hand-made catalogue: its columns, filters,
// sorting and selection, and the list whose header cannot be dragged.
#include <afxcmn.h>
#include <gtest/gtest.h>
#include <memory>
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
using Names = std::vector<std::string>;

namespace {

// Makes "PlxAbout.dll" findable and sets its feature word while it lives.
struct FeatureModule
{
    explicit FeatureModule(DWORD dwFeatures)
    {
        ::SetDllDirectoryA((ProgramFolder() + "\\plxabout").c_str());
        h = ::LoadLibraryA("PlxAbout.dll");
        typedef void(WINAPI * SetFn)(DWORD);
        if (auto pfn = reinterpret_cast<SetFn>(::GetProcAddress(h, "SetPlxFeatureFlag")))
            pfn(dwFeatures);
    }
    ~FeatureModule() { ::FreeLibrary(h); ::SetDllDirectoryA(nullptr); }
    HMODULE h;
};

// The selection template as a plain dialog whose list control the test takes over.
class PlcListTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_LISTVIEW_CLASSES};
        ::InitCommonControlsEx(&icc);
        ASSERT_TRUE(m_host.Create(IDD_PLC_SELECT));
        m_host.ShowWindow(SW_SHOW);
        ASSERT_TRUE(m_list.SubclassDlgItem(IDC_PLC_LIST, &m_host));
    }
    void TearDown() override { m_host.DestroyWindow(); }

    // flags: 'd' D protocol, 't' tags, 'o' old tags.
    CPlcInfo* Add(int code, const char* name, const char* dll = "x.dll", const char* flags = "t", int major = 1,
                  int minor = 0)
    {
        CPlcInfo* p = new CPlcInfo;
        p->m_byCode = static_cast<unsigned char>(code);
        p->m_strDriverName = name;
        p->m_strDllName = dll;
        p->m_strDllVersion = "1.00";
        p->m_nMajor = major;
        p->m_nMinor = minor;
        p->m_bDProto = strchr(flags, 'd') != nullptr;
        p->m_bTagSupport = strchr(flags, 't') != nullptr;
        p->m_bOldTagSupport = strchr(flags, 'o') != nullptr;
        m_catalogue.AddTail(p);
        return p;
    }
    Names Column(int column)
    {
        Names texts;
        for (int i = 0; i < m_list.GetItemCount(); ++i)
            texts.push_back(static_cast<LPCSTR>(m_list.GetItemText(i, column)));
        return texts;
    }
    void ClickColumn(int column) { ClickListColumn(m_list.m_hWnd, column); PumpFor(80); }
    void Refill() { m_list.UpdateDriverList(&m_catalogue); }

    CDialog m_host;
    CPlcInfoList m_catalogue{"VARN\\"};
    CPlcListCtl m_list;
};

} // namespace

TEST_F(PlcListTest, ColumnsAndRowsShowTheDescriptorsTexts)
{
    CRect rc;
    m_list.GetClientRect(&rc);
    ASSERT_EQ(4, m_list.GetHeaderCtrl()->GetItemCount());
    const char* headings[] = {"Name", "Treiber Version", "DLL Name", "DLL Version"};
    const int percent[] = {35, 15, 35, 15};
    for (int i = 0; i < 4; ++i) {
        char text[64] = "";
        LVCOLUMNA col = {};
        col.mask = LVCF_TEXT | LVCF_FMT, col.pszText = text, col.cchTextMax = sizeof text;
        ASSERT_TRUE(m_list.GetColumn(i, &col));
        EXPECT_STREQ(headings[i], text);
        EXPECT_EQ(LVCFMT_LEFT, col.fmt & LVCFMT_JUSTIFYMASK);
        EXPECT_EQ(rc.Width() * percent[i] / 100, m_list.GetColumnWidth(i));
    }
    EXPECT_TRUE(m_list.GetExtendedStyle() & LVS_EX_FULLROWSELECT);

    m_list.InsertDriverItem(0, nullptr);
    EXPECT_EQ(0, m_list.GetItemCount()) << "a missing descriptor adds no row";
    CPlcInfo* p = Add(20, "Simatic S7", "Z32TPLC020.dll", "t", 2, 5);
    p->m_strDllVersion = "3.10";
    Add(22, "Alt", "Z32TPLC022.dll")->m_wVersion = (1 << 8) | 0x37;   // legacy form: "1.%02d" of the low nibble
    Refill();
    EXPECT_EQ((Names{"Alt", "Simatic S7"}), Column(0));
    EXPECT_EQ((Names{"1.07", "2.05"}), Column(1));
    EXPECT_EQ((Names{"Z32TPLC022.dll", "Z32TPLC020.dll"}), Column(2));
    EXPECT_EQ((Names{"1.00", "3.10"}), Column(3));
    EXPECT_EQ(reinterpret_cast<DWORD_PTR>(p), m_list.GetItemData(1));

    m_list.InsertItem(2, "fremd");   // a row the owner added itself, without item data
    ClickColumn(2);
    EXPECT_EQ(3, m_list.GetItemCount());
    EXPECT_TRUE(m_list.SetSelectedDriver(CString("fremd")));
    EXPECT_EQ(nullptr, m_list.GetSelectedDriver());
    EXPECT_STREQ("", m_list.GetSelectedDriverDll());
}

TEST_F(PlcListTest, FiltersActAtTheNextRefill)
{
    const struct { int code; const char* name; const char* flags; } drivers[] = {
        {1, "S5", "to"}, {2, "Client", "t"}, {20, "Both", "dt"}, {21, "DProto", "d"}, {22, "Tags", "t"},
        {107, "IsaGRAF", "to"}, {126, "Forth", "t"}, {214, "Speicher", "t"}, {222, "Anderes", "t"}};
    for (const auto& d : drivers)
        Add(d.code, d.name, "x.dll", d.flags);
    const Names all = {"Anderes", "Both", "Client", "DProto", "Forth", "IsaGRAF", "Speicher", "Tags"};
    const struct { bool internal, clients, dproto, noTags; long feature; Names expected; } cases[] = {
        {false, false, false, false, -1, all},   // the old S5 driver is never listed
        {true, false, false, false, -1, {"Both", "Client", "DProto", "Tags"}},
        {false, true, false, false, -1, {"Anderes", "Both", "DProto", "Forth", "IsaGRAF", "Speicher", "Tags"}},
        {false, false, true, true, -1, {"Both"}},
        {false, false, true, false, -1, {"Both", "DProto"}},
        {false, false, false, true, -1, {"Anderes", "Both", "Client", "Forth", "IsaGRAF", "Speicher", "Tags"}},
        {false, false, false, false, 0x100, {"Anderes", "Both", "Client", "DProto", "Forth", "Speicher", "Tags"}},
        {false, false, false, false, 0xFEFF, all},   // every bit but the one that counts
    };
    ASSERT_EQ(nullptr, ::GetModuleHandleA("PlxAbout.dll")) << "no module at all: the bit counts as clear";
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.expected));
        std::unique_ptr<FeatureModule> module(c.feature >= 0 ? new FeatureModule(c.feature) : nullptr);
        const int rows = m_list.GetItemCount();
        m_list.HideInternalControllers(c.internal);
        m_list.HideClients(c.clients);
        m_list.ShowDProtocolControllers(c.dproto);
        m_list.HideNoTagControllers(c.noTags);
        EXPECT_EQ(rows, m_list.GetItemCount());
        Refill();
        EXPECT_EQ(c.expected, Column(0));
    }
    m_list.HideInternalControllers(true);   // the old-tag list knows no filter but its own
    m_list.UpdateUtgDriverList(&m_catalogue);
    EXPECT_EQ((Names{"IsaGRAF", "S5"}), Column(0));
}

TEST_F(PlcListTest, ColumnClicksSortAndFlip)
{
    Add(20, "Beta", "Z32TPLC020.dll", "t", 2, 0);
    Add(21, "alpha", "Z32TPLC021.dll", "t", 10, 0);
    Add(22, "Gamma", "z32tplc009.dll", "t", 9, 50);
    Refill();
    EXPECT_EQ((Names{"alpha", "Beta", "Gamma"}), Column(0)) << "names without regard to case";
    ClickColumn(1);   // another column: the direction (ascending) stays
    EXPECT_EQ((Names{"10.00", "2.00", "9.50"}), Column(1)) << "version texts compare as texts";
    ClickColumn(1);   // the same column again: descending
    EXPECT_EQ((Names{"9.50", "2.00", "10.00"}), Column(1));
    ClickColumn(2);   // another column keeps descending
    EXPECT_EQ((Names{"Z32TPLC021.dll", "Z32TPLC020.dll", "z32tplc009.dll"}), Column(2));
    // A refill sorts by name ascending but keeps the remembered column and
    // direction: the next click on column 2 flips to ascending.
    Refill();
    EXPECT_EQ((Names{"alpha", "Beta", "Gamma"}), Column(0));
    ClickColumn(2);
    EXPECT_EQ((Names{"z32tplc009.dll", "Z32TPLC020.dll", "Z32TPLC021.dll"}), Column(2));
}

TEST_F(PlcListTest, SelectionAndDeletionByNameAndDll)
{
    CPlcInfo* first = Add(20, "Doppelt", "Z32TPLC020.dll");
    CPlcInfo* second = Add(21, "Doppelt", "Z32TPLC021.dll");
    CPlcInfo* other = Add(22, "Einzeln", "Z32TPLC022.dll");
    Refill();
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

    CPlcInfo stranger;
    stranger.m_strDriverName = "Niemand";
    m_list.DeleteDriverItem(&stranger);
    m_list.DeleteDriverItem(nullptr);
    EXPECT_EQ(3, m_list.GetItemCount());
    m_list.DeleteDriverItem(second);   // the first row of the name goes
    EXPECT_EQ((Names{"Doppelt", "Einzeln"}), Column(0));
    m_list.DeleteDriverItem(second);
    m_list.DeleteDriverItem(second);
    EXPECT_EQ((Names{"Einzeln"}), Column(0));
}

// Dragging or double-clicking the divider after column 0 with real mouse
// messages resizes an ordinary list (so the test can fail) but not the fixed one.
TEST_F(PlcListTest, FixedHeaderDividerCannotBeDragged)
{
    auto divider = [](CListCtrl& list, UINT press) {
        HWND hHeader = list.GetHeaderCtrl()->m_hWnd;
        RECT rc = {};
        Header_GetItemRect(hHeader, 0, &rc);
        const int y = (rc.top + rc.bottom) / 2;
        ::SendMessageA(hHeader, press, MK_LBUTTON, MAKELPARAM(rc.right - 1, y));
        for (int dx : {30, 60})
            ::SendMessageA(hHeader, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(rc.right + dx, y));
        ::SendMessageA(hHeader, WM_LBUTTONUP, 0, MAKELPARAM(rc.right + 60, y));
        PumpFor(50);
        return list.GetColumnWidth(0);
    };
    m_list.SetColumnWidth(0, 100);
    EXPECT_GT(divider(m_list, WM_LBUTTONDOWN), 130);
    m_list.UnsubclassWindow();
    QRVFixedHeaderList fixed;
    ASSERT_TRUE(fixed.SubclassDlgItem(IDC_PLC_LIST, &m_host));
    EXPECT_TRUE(fixed.Init());
    fixed.SetColumnWidth(0, 100);
    EXPECT_EQ(100, divider(fixed, WM_LBUTTONDOWN));
    EXPECT_EQ(100, divider(fixed, WM_LBUTTONDBLCLK)) << "no sizing to the content either";
    // The cursor request is answered as handled, without the resize cursor.
    HWND hHeader = fixed.GetHeaderCtrl()->m_hWnd;
    EXPECT_EQ(TRUE, ::SendMessageA(hHeader, WM_SETCURSOR, (WPARAM)hHeader, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
    fixed.UnsubclassWindow();
}
