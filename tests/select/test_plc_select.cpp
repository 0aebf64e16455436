// The driver list over a hand-made catalogue, the list whose header cannot be
// dragged, and the controller selection dialog over a catalogue of recording
// drivers, driven like a user would.
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <tuple>
#include "catalogue/PlcInfo.h"
#include "catalogue/PlcInfoList.h"
#include "resources/select_ids.h"
#include "select/PlcListCtl.h"
#include "select/PlcSelectDlg.h"
#include "select/QRVFixedHeaderList.h"
#include "tests/catalogue/CatalogueFixtures.h"
#include "tests/driver/DriverFixture.h"
#include "uiauto/ControlActions.h"
#include "uiauto/MessageBoxAnswer.h"
#include "uiauto/MessagePump.h"
#include "uiauto/ModalDriver.h"
#include "tests/support/DialogLayout.h"
#include "tests/support/TestApp.h"

using namespace qrvtest;

namespace {

// The dialog's recording drivers, listed by name: CoDeSys (593), NMEA 0183 (548), NMEA 0183 with a
// blank (547), QMove (578), the first two of one family; 507, 514 internal (hidden), 501 old S5 (unlisted).
const int kModules[] = {578, 593, 547, 548, 507, 514, 501};

// The dialog's message boxes, noted as W, R and A: the question before a change of controller, the one
// before a removal and the refusal to remove the active driver.
const std::map<std::pair<std::string, UINT>, std::string> kBoxes = {
    {{"Sie wechseln zu einem anderen Controller. Adressinformationen könnten verloren gehen! Fortfahren?",
      MB_OKCANCEL | MB_ICONQUESTION},
     "W"},
    {{"Der Treiber wird von der Liste entfernt. \nWollen Sie den Treiber permanent von der Festplatte "
      "löschen?",
      MB_YESNOCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2},
     "R"},
    {{"Kann aktiven Treiber nicht entfernen.", MB_OK | MB_ICONEXCLAMATION}, "A"},
};
std::string Noted(const MessageBoxRecord &box)
{
    const auto known = kBoxes.find({box.text, box.Style()});
    return known != kBoxes.end() ? known->second : "{" + box.text + " " + std::to_string(box.Style()) + "}";
}

// What the user sees: which of the list, Setup, OK, Remove and the three mode radios are
// enabled (1), the checked mode, the number of listed drivers and the active driver's name.
std::string Seen(HWND hDlg)
{
    const int radios[] = {IDC_PLC_MODE_EXTERNAL, IDC_PLC_MODE_INTERNAL, IDC_PLC_MODE_BOTH};
    std::string seen, checked = "-";
    for (int id : {IDC_PLC_LIST, IDC_PLC_SETUP, IDOK, IDC_PLC_REMOVE, radios[0], radios[1], radios[2]})
        seen += ::IsWindowEnabled(Item(hDlg, id)) ? '1' : '0';
    for (int mode = 0; mode < 3; ++mode)
        checked = ::IsDlgButtonChecked(hDlg, radios[mode]) ? std::to_string(mode) : checked;
    const int rows = ListRowCount(Item(hDlg, IDC_PLC_LIST));
    return seen + " " + checked + " " + std::to_string(rows) + " " + ItemText(hDlg, IDC_PLC_ACTIVE_NAME);
}

// The controls as the user reads them and what is out of place: besides LayoutFaults, the mode group
// over the list, the list not level with Remove, the list's style, the radios not a group.
std::string Layout(HWND hDlg)
{
    HWND hList = Item(hDlg, IDC_PLC_LIST), hRadio = Item(hDlg, IDC_PLC_MODE_EXTERNAL);
    CRect both, list = Place(hList), group = Place(::GetWindow(hRadio, GW_HWNDPREV));
    std::string seen =
        Controls(hDlg) + LayoutFaults(hDlg, {-1, IDC_PLC_ACTIVE_NAME, -1, IDC_PLC_MODE_EXTERNAL,
                                             IDC_PLC_MODE_INTERNAL, IDC_PLC_MODE_BOTH, IDC_PLC_LIST, IDOK,
                                             IDCANCEL, IDC_PLC_REMOVE, IDC_PLC_RESCAN, IDC_PLC_SETUP});
    auto note = [&](bool bad, const std::string &what) { seen += bad ? " " + what : ""; };
    note(both.IntersectRect(&group, &list), "overlap:group/list");
    note(list.top != Place(Item(hDlg, IDC_PLC_REMOVE)).top, "list and Remove not level");
    const LONG style =
        ::GetWindowLongA(hList, GWL_STYLE) & (LVS_TYPEMASK | LVS_SINGLESEL | LVS_SHOWSELALWAYS);
    note(style != (LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS), "list style");
    note(!(::GetWindowLongA(hRadio, GWL_STYLE) & WS_GROUP), "radios ungrouped");
    return seen;
}

// The selection template as a plain dialog whose list control the test takes over, with a catalogue of
// the test's own; for the dialog, a catalogue scanned from a private folder with its own registry cache
// and the recording modules loaded.
class SelectTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_host.Create(IDD_PLC_SELECT));
        m_host.ShowWindow(SW_SHOW);
        ASSERT_TRUE(m_plcList.SubclassDlgItem(IDC_PLC_LIST, &m_host));
        for (int module : kModules) {
            const std::string built = ProgramFolder() + "\\" + Dll(module);
            m_scene.Add(built, Dll(module));
            ASSERT_NE(nullptr, m_modules[module] = ::LoadLibraryA(built.c_str()));
        }
        m_list.SetDLLPath(m_scene.DllPath());
        ASSERT_EQ(1, m_list.Load(1));
        memset(&m_project, 0x11, sizeof m_project);
    }
    void TearDown() override
    {
        m_host.DestroyWindow();
        for (auto &m : m_modules)
            ::FreeLibrary(m.second);
    }

    // flags: 'd' D protocol, 't' tags, 'o' old tags.
    CPlcInfo *Add(int code, const char *name, const char *dll = "x.dll", const char *flags = "t",
                  int major = 1, int minor = 0)
    {
        CPlcInfo *p = new CPlcInfo;
        p->m_byCode = static_cast<unsigned char>(code);
        p->m_strDriverName = name;
        p->m_strDllName = dll;
        p->m_strDllVersion = "1.00";
        p->m_nMajor = major;
        p->m_nMinor = minor;
        p->m_bDProto = strchr(flags, 'd');
        p->m_bTagSupport = strchr(flags, 't');
        p->m_bOldTagSupport = strchr(flags, 'o');
        m_catalogue.AddTail(p);
        return p;
    }
    // The column's texts, each followed by a space.
    std::string Column(int column)
    {
        std::string texts;
        for (int i = 0; i < m_plcList.GetItemCount(); ++i)
            texts += static_cast<LPCSTR>(m_plcList.GetItemText(i, column) + " ");
        return texts;
    }
    void ClickColumn(int column)
    {
        ClickListColumn(m_plcList.m_hWnd, column);
        PumpFor(80);
    }
    void Refill() { m_plcList.UpdateDriverList(&m_catalogue); }
    static std::string Dll(int module) { return "Z32TPLC" + std::to_string(module) + ".dll"; }
    // The rows, the selected row, and the file in the folder and entry in the registry cache of QMove,
    // CoDeSys and NMEA 0183 (blank).
    std::string Stored(HWND hList)
    {
        ::SendMessageA(hList, WM_NULL, 0, 0); // the handler of the answered box has returned to the dialog
        std::string stored =
            std::to_string(ListRowCount(hList)) + " " + std::to_string(SelectedListRow(hList));
        for (int module : {578, 593, 547}) {
            const std::string path = m_scene.folder + "\\" + Dll(module);
            const bool file = ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
            const bool key = cattest::SubkeyCount(HKEY_CURRENT_USER, m_scene.Item(Dll(module))) >= 0;
            stored += std::string(file ? " file" : " ") + (key ? "+key" : "");
        }
        return stored + "|";
    }
    // QMove's setup ran on a project copy made afresh from the driver's defaults (filled with 0xA5).
    void ExpectFreshCopyForQMove()
    {
        auto init = DriverFixture::Calls(m_modules[578], "InitPlcDefaults");
        ASSERT_EQ(1u, init.size());
        const auto &a = init[0].aArgs; // the target setup is the copy's start, the setup (twice) at 17
        EXPECT_TRUE(a[1] == a[0] + 17 && a[2] == a[1] && (a[3] | a[4]) == 0);
        sSETUPDLGPARAM block = {};
        ASSERT_GT(DriverFixture::ParamBlock(m_modules[578], &block, sizeof block), 0);
        const unsigned char *project = reinterpret_cast<const unsigned char *>(&block.project);
        EXPECT_EQ(0x5A, project[0]) << "what the driver wrote into the target setup";
        for (int i = 1; i < 427; ++i) { // the copy is cleared but for the driver's setup at 17..80
            const int j = i - 17; // the setup's byte: the driver's fill, the cleared fields and the code
            const bool cleared = j < 0 || j >= 64 || (j >= 38 && j < 44) || j == 51;
            const int expected = cleared ? 0 : j == 44 ? 0xA4 : j == 50 || j == 52 ? 78 : 0xA5;
            ASSERT_EQ(expected, project[i]) << "byte " << i;
        }
        EXPECT_EQ(0, memcmp(&block.plcSetup, project + 17, 64)) << "the setup argument is the copy's setup";
        EXPECT_EQ(1u, block.dwMode) << "byte 411 of the copy is zero: a new project";
        EXPECT_EQ(reinterpret_cast<UINT_PTR>(&m_project), block.dwUser) << "the host's own record";
        EXPECT_EQ(0, memcmp(&block.fieldRec, &m_field, sizeof m_field));
    }

    cattest::Scene m_scene{"select-" +
                           std::string(::testing::UnitTest::GetInstance()->current_test_info()->name())};
    CDialog m_host;
    CPlcInfoList m_catalogue{"VARN\\"};
    CPlcListCtl m_plcList;
    CPlcInfoList m_list{"VARN\\"}; // after the registry key: it builds its key at construction
    std::map<int, HMODULE> m_modules;
    sPROJECT m_project;
    tagFIELDREC m_field = {};
};

} // namespace

// Headings have an inner margin on each side: a narrower column would show "Treiber Versi…".
TEST_F(SelectTest, ColumnsShowTheDescriptorsTextsAndClicksSortAndFlip)
{
    CRect rc;
    m_plcList.GetClientRect(&rc);
    HWND hHeader = m_plcList.GetHeaderCtrl()->m_hWnd;
    const char *headings[] = {"Name", "Treiber Version", "DLL Name", "DLL Version"};
    ASSERT_EQ(4, Header_GetItemCount(hHeader));
    for (int i = 0; i < 4; ++i) {
        char text[64] = "";
        LVCOLUMNA col = {};
        col.mask = LVCF_TEXT | LVCF_WIDTH;
        col.pszText = text;
        col.cchTextMax = sizeof text;
        m_plcList.GetColumn(i, &col);
        EXPECT_STREQ(headings[i], text);
        EXPECT_EQ(rc.Width() * (i % 2 ? 15 : 35) / 100, col.cx) << "35, 15, 35 and 15 % of the width";
        EXPECT_GE(col.cx, TextWidth(hHeader, text) + 6 * ::GetSystemMetrics(SM_CXEDGE)) << text << " is cut";
    }
    EXPECT_TRUE(m_plcList.GetExtendedStyle() & LVS_EX_FULLROWSELECT);
    Add(20, "Beta", "Z32TPLC020.dll", "t", 2, 0)->m_strDllVersion = "3.10";
    Add(21, "alpha", "Z32TPLC021.dll", "t", 10, 0);
    Add(22, "Gamma", "z32tplc009.dll", "t", 9, 50);
    Add(23, "alt", "Z32TPLC023.dll")->m_wVersion = (1 << 8) | 0x37; // legacy form: "1.%02d" of the low nibble
    Refill();
    EXPECT_EQ("alpha alt Beta Gamma ", Column(0)) << "names without regard to case";
    EXPECT_EQ("10.00 1.07 2.00 9.50 ", Column(1));
    EXPECT_EQ("Z32TPLC021.dll Z32TPLC023.dll Z32TPLC020.dll z32tplc009.dll ", Column(2));
    EXPECT_EQ("1.00 1.00 3.10 1.00 ", Column(3));
    EXPECT_EQ(reinterpret_cast<DWORD_PTR>(m_catalogue.GetHead()), m_plcList.GetItemData(2)) << "Beta's";
    ClickColumn(1); // another column: the direction (ascending) stays; versions compare as texts
    EXPECT_EQ("1.07 10.00 2.00 9.50 ", Column(1));
    ClickColumn(1); // the same column again: descending
    EXPECT_EQ("9.50 2.00 10.00 1.07 ", Column(1));
    ClickColumn(2); // another column keeps descending
    EXPECT_EQ("Z32TPLC023.dll Z32TPLC021.dll Z32TPLC020.dll z32tplc009.dll ", Column(2));
    // A refill sorts by name but keeps the remembered column and direction: column 2 flips to ascending.
    Refill();
    EXPECT_EQ("alpha alt Beta Gamma ", Column(0));
    ClickColumn(2);
    EXPECT_EQ("z32tplc009.dll Z32TPLC020.dll Z32TPLC021.dll Z32TPLC023.dll ", Column(2));
    m_plcList.InsertItem(2, "fremd"); // a row the owner added itself, without item data, sorts anywhere
    ClickColumn(0);
    EXPECT_EQ(5, m_plcList.GetItemCount());
    EXPECT_TRUE(m_plcList.SetSelectedDriver(CString("fremd")));
    EXPECT_TRUE(m_plcList.GetSelectedDriver() == nullptr && m_plcList.GetSelectedDriverDll() == "");
}

TEST_F(SelectTest, FiltersActAtTheNextRefill)
{
    const std::tuple<int, const char *, const char *> drivers[] = {
        {1, "S5", "to"},     {2, "Client", "t"},     {20, "Both", "dt"},
        {21, "DProto", "d"}, {22, "Tags", "t"},      {107, "IsaGRAF", "to"},
        {126, "Forth", "t"}, {214, "Speicher", "t"}, {222, "Anderes", "t"}};
    for (const auto &[code, name, flags] : drivers)
        Add(code, name, "x.dll", flags);
    // Filters: 'i' hides the internal controllers, 'c' the clients, 't' those without tags; 'd' shows
    // D-protocol controllers only. The feature word of the host's module, or -1 for no module at all.
    const std::string all = "Anderes Both Client DProto Forth IsaGRAF Speicher Tags ";
    const std::tuple<const char *, const char *, long> cases[] = {
        {"", all.c_str(), -1}, // the old S5 driver is never listed
        {"i", "Both Client DProto Tags ", -1},
        {"c", "Anderes Both DProto Forth IsaGRAF Speicher Tags ", -1},
        {"dt", "Both ", -1},
        {"d", "Both DProto ", -1},
        {"t", "Anderes Both Client Forth IsaGRAF Speicher Tags ", -1},
        {"", "Anderes Both Client DProto Forth Speicher Tags ", 0x100},
        {"", all.c_str(), 0xFEFF}, // every bit but the one that counts
    };
    ASSERT_EQ(nullptr, ::GetModuleHandleA("PlxAbout.dll"));
    for (const auto &[filters, expected, feature] : cases) {
        SCOPED_TRACE(expected);
        // The host's module, findable while it is loaded.
        const std::string module = ProgramFolder() + "\\plxabout\\PlxAbout.dll";
        HMODULE h = feature < 0 ? nullptr : ::LoadLibraryA(module.c_str());
        if (auto set = reinterpret_cast<void(WINAPI *)(DWORD)>(::GetProcAddress(h, "SetPlxFeatureFlag")))
            set(feature);
        const int rows = m_plcList.GetItemCount();
        m_plcList.HideInternalControllers(strchr(filters, 'i'));
        m_plcList.HideClients(strchr(filters, 'c'));
        m_plcList.ShowDProtocolControllers(strchr(filters, 'd'));
        m_plcList.HideNoTagControllers(strchr(filters, 't'));
        EXPECT_EQ(rows, m_plcList.GetItemCount());
        Refill();
        EXPECT_EQ(expected, Column(0));
        ::FreeLibrary(h);
    }
    m_plcList.HideInternalControllers(true); // the old-tag list knows no filter but its own
    m_plcList.UpdateUtgDriverList(&m_catalogue);
    EXPECT_EQ("IsaGRAF S5 ", Column(0));
}

TEST_F(SelectTest, SelectionAndDeletionByNameAndDll)
{
    CPlcInfo *first = Add(20, "Doppelt", "Z32TPLC020.dll");
    CPlcInfo *second = Add(21, "Doppelt", "Z32TPLC021.dll");
    Add(22, "Einzeln", "Z32TPLC022.dll");
    Refill();
    EXPECT_FALSE(m_plcList.SetSelectedDriver(static_cast<CPlcInfo *>(nullptr)));
    ASSERT_TRUE(m_plcList.SetSelectedDriver(second)); // by name: the first row of that name
    EXPECT_TRUE(m_plcList.GetSelectedDriver() == first || m_plcList.GetSelectedDriver() == second);
    EXPECT_TRUE(SelectedListRow(m_plcList.m_hWnd) == 0 && ::GetFocus() == m_plcList.m_hWnd);
    EXPECT_FALSE(m_plcList.SetSelectedDriver(CString("doppelt"))) << "names match with their case";
    EXPECT_EQ(nullptr, m_plcList.GetSelectedDriver()) << "a failed search leaves nothing selected";
    ASSERT_TRUE(m_plcList.SetSelectedDriverDll(CString("z32tplc022.DLL")));
    EXPECT_STREQ("Z32TPLC022.dll", m_plcList.GetSelectedDriverDll()) << "the row's own name";
    m_plcList.ClearSelections();
    EXPECT_EQ(nullptr, m_plcList.GetSelectedDriver());
    m_plcList.DeleteDriverItem(Add(23, "Niemand")); // not listed
    m_plcList.DeleteDriverItem(nullptr);
    m_plcList.InsertDriverItem(0, nullptr);
    EXPECT_EQ(3, m_plcList.GetItemCount()) << "a missing descriptor adds no row";
    m_plcList.DeleteDriverItem(second); // the first row of the name goes
    EXPECT_EQ("Doppelt Einzeln ", Column(0));
    for (int i = 0; i < 2; ++i)
        m_plcList.DeleteDriverItem(second);
    EXPECT_EQ("Einzeln ", Column(0));
}

// Dragging or double-clicking the divider after column 0 resizes an ordinary list but not the fixed one.
TEST_F(SelectTest, FixedHeaderDividerCannotBeDragged)
{
    auto divider = [](CListCtrl &list, UINT press) {
        HWND hHeader = list.GetHeaderCtrl()->m_hWnd;
        RECT rc = {};
        Header_GetItemRect(hHeader, 0, &rc);
        const int y = (rc.top + rc.bottom) / 2;
        ::SendMessageA(hHeader, press, MK_LBUTTON, MAKELPARAM(rc.right - 1, y));
        ::SendMessageA(hHeader, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(rc.right + 60, y));
        ::SendMessageA(hHeader, WM_LBUTTONUP, 0, MAKELPARAM(rc.right + 60, y));
        PumpFor(50);
        return list.GetColumnWidth(0);
    };
    m_plcList.SetColumnWidth(0, 100);
    EXPECT_GT(divider(m_plcList, WM_LBUTTONDOWN), 130);
    m_plcList.UnsubclassWindow();
    QRVFixedHeaderList fixed;
    ASSERT_TRUE(fixed.SubclassDlgItem(IDC_PLC_LIST, &m_host) && fixed.Init());
    fixed.SetColumnWidth(0, 100);
    EXPECT_EQ(100, divider(fixed, WM_LBUTTONDOWN));
    EXPECT_EQ(100, divider(fixed, WM_LBUTTONDBLCLK)) << "no sizing to the content either";
    // The cursor request is answered as handled, without the resize cursor.
    HWND hHeader = fixed.GetHeaderCtrl()->m_hWnd;
    EXPECT_TRUE(::SendMessageA(hHeader, WM_SETCURSOR, (WPARAM)hHeader, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
    fixed.UnsubclassWindow();
}

// Each row: the active driver (0: none) and the mode the dialog starts with, the dialog's result, the
// driver whose setup runs (0: none) and the mode after; the steps: a digit selects that row, 'd'
// double-clicks the first row, 'i' and 'b' click the internal and both-modes radio (sent, so handled at
// once), 'o' clicks OK, 'x' Remove, 'r' Rescan, 's' Setup; 'Y', 'N', 'C', 'K' answer a message box with
// Yes, No, Cancel, OK and note it; '?' notes what is Seen, '#' what is Stored, 'L' the Layout; leading
// '!' makes the setup fail, 'k' drops the catalogue's IsaGRAF driver for good, 'n' gives no catalogue.
TEST_F(SelectTest, OkSetsUpAndConfirmsAChangeRemoveAsksAndRescanRereadsTheFolder)
{
    const struct {
        int active, mode, result, setupOn, modeAfter;
        const char *steps, *seen;
    } cases[] = {
        {547, 0, IDOK, 0, 0, "L?o", // done
         "Controller auswählen|Static momentan aktive Controller (extern)|Static NMEA 0183 |"
         "group Controller Modus|radio nur externe Controller|radio nur interner Controller|"
         "radio interner + externe Controller|SysListView32 |default &OK|push &Abbrechen|"
         "push &Löschen|push A&ktualisieren|push Contr. Einstellung|1111111 0 4 NMEA 0183 |"},
        {547, 0, IDOK, 548, 0, "1o", ""},        // the same code
        {547, 0, IDCANCEL, 548, 1, "1ioC", "W"}, // into the internal mode
        {578, 2, IDOK, 593, 2, "0o", ""},        // the same compatibility
        {547, 0, IDCANCEL, 548, 0, "!1o", ""},   // the setup is cancelled
        {547, 0, IDOK, 547, 0, "12o", ""},       // the active row again
        {547, 0, IDOK, 593, 0, "doK", "W"},      // another family
        // The internal mode turns the list off and hides the active name; without a row OK cannot close.
        {0, 0, IDCANCEL, 0, 1, "i?o", "0010111 1 4 |"},
        {547, 1, IDCANCEL, 0, 2, "?b?", "0011111 1 4 |1111111 2 4 NMEA 0183 |"},
        {547, 1, IDOK, 0, 2, "boK", "W"}, // out of the internal mode
        // Nothing selected: OK and Remove off, Setup follows the mode only; the radios are on
        // (internal allowed, a driver of code 107 installed). No active driver: always asked.
        {0, 0, IDOK, 578, 0, "?3?oK", "1100111 0 4 |1111111 0 4 |W"},
        // Without an IsaGRAF driver, or without any catalogue, the mode is external and the mode
        // buttons are off; Rescan, Setup and Remove do nothing on an empty list.
        {0, 1, IDCANCEL, 0, 0, "k?", "1100000 0 4 |"},
        {0, 2, IDCANCEL, 0, 0, "nrsx?", "1100000 0 0 |"},
        // Removing asks; No drops the cache entry and keeps the file, Yes deletes the file too, Cancel
        // neither; the active driver is selected again and cannot be removed. A rescan finds QMove's
        // file again, rewrites its cache entry and keeps the active driver selected.
        {547, 0, IDCANCEL, 0, 0, "3xC#3xN#0xY#1xK#r#?",
         "R4 3 file+key file+key file+key|R3 2 file file+key file+key|R2 1 file  file+key|"
         "A2 1 file  file+key|3 1 file+key  file+key|1111000 0 3 NMEA 0183 |"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::to_string(c.active) + " " + c.steps);
        if (strchr(c.steps, 'k'))
            m_list.DeleteItem(m_list.FindVersion(107), 0);
        // The recorders cleared; every setup succeeds ('!': fails) on the driver's defaults filled with 0xA5.
        for (auto &m : m_modules) {
            DriverFixture::Reset(m.second);
            DriverFixture::SetResult(m.second, "InitPlcDefaultsFill", 0xA5);
            DriverFixture::SetParamEdit(m.second, -1, 0, m.first != c.setupOn || !strchr(c.steps, '!'));
        }
        std::string seen;
        auto script = [&](HWND hDlg, ModalDriver &) {
            HWND hList = Item(hDlg, IDC_PLC_LIST);
            const DWORD thread = ::GetWindowThreadProcessId(hDlg, nullptr);
            for (const char *s = c.steps + strspn(c.steps, "!kn"); *s; ++s) {
                switch (*s) {
                case 'd': ClickListRow(hList, 0, true); break;
                case 'i': ::SendMessageA(Item(hDlg, IDC_PLC_MODE_INTERNAL), BM_CLICK, 0, 0); break;
                case 'b': ::SendMessageA(Item(hDlg, IDC_PLC_MODE_BOTH), BM_CLICK, 0, 0); break;
                case 'o': Click(hDlg, IDOK); break;
                case 'x': Click(hDlg, IDC_PLC_REMOVE); break;
                case 'r': ClickAndWait(hDlg, IDC_PLC_RESCAN); break;
                case 's': ClickAndWait(hDlg, IDC_PLC_SETUP); break;
                case 'Y': seen += Noted(AnswerMessageBox(thread, IDYES)); break;
                case 'N': seen += Noted(AnswerMessageBox(thread, IDNO)); break;
                case 'C': seen += Noted(AnswerMessageBox(thread, IDCANCEL)); break;
                case 'K': seen += Noted(AnswerMessageBox(thread, IDOK)); break;
                case '?': seen += Seen(hDlg) + "|"; break;
                case '#': seen += Stored(hList); break;
                case 'L': seen += Layout(hDlg) + "|"; break;
                default: SelectListRow(hList, *s - '0'); break;
                }
            }
            if (c.result == IDCANCEL) // OK has not closed the dialog: only Cancel does, posted after it
                Click(hDlg, IDCANCEL);
        };
        const bool all = !strchr(c.steps, 'n'); // the catalogue, project and field, or none
        CPlcSelectDlg dlg(all ? &m_list : nullptr, all ? &m_project : nullptr,
                          c.active ? m_modules[c.active] : nullptr, IPLCMODE(c.mode), 1,
                          all ? &m_field : nullptr, nullptr);
        ModalDriver driver(script, "Controller auswählen");
        EXPECT_EQ(c.result, dlg.DoModal());
        EXPECT_TRUE(driver.Join()) << (driver.Failures().empty() ? "" : driver.Failures().front());
        EXPECT_EQ(c.seen, seen);
        for (auto &m : m_modules)
            EXPECT_EQ(size_t(m.first == c.setupOn), DriverFixture::Calls(m.second, "ExecPlcSetupDlg").size())
                << m.first;
        const std::string dll = Dll(c.setupOn ? c.setupOn : c.active);
        EXPECT_TRUE(c.result != IDOK || dlg.GetSelectedDriverDll() == dll.c_str())
            << dlg.GetSelectedDriverDll();
        EXPECT_EQ(c.modeAfter, dlg.GetControllerMode()) << "Abbrechen only closes";
        if (c.setupOn == 578)
            ExpectFreshCopyForQMove();
    }
    EXPECT_EQ(0, memcmp(&m_project, std::string(sizeof m_project, '\x11').data(), sizeof m_project))
        << "the host's record is only the setup dialog's to change";
}
