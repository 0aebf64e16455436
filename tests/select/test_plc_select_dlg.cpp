// The controller selection dialog over a catalogue of recording drivers,
// driven like a user would: selections, mode buttons, OK with its setup and
// question, removing drivers with each answer, and the project copy that the
// chosen driver's setup dialog receives.
#include <afxwin.h>
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <string>
#include <vector>
#include <commctrl.h>
#include "catalogue/PlcInfo.h"
#include "catalogue/PlcInfoList.h"
#include "resources/select_ids.h"
#include "select/PlcSelectDlg.h"
#include "tests/driver/DriverFixture.h"
#include "uiauto/ControlActions.h"
#include "uiauto/MessageBoxAnswer.h"
#include "uiauto/MessagePump.h"
#include "uiauto/ModalDriver.h"
#include "tests/support/TestApp.h"

using namespace qrvtest;

namespace {

const char kChangeText[] =
    "Sie wechseln zu einem anderen Controller. Adressinformationen könnten verloren gehen! Fortfahren?";

// The drivers of every test (recording copies with identity strings), as listed:
// names sorted without regard to case; 507 and 514 are internal and hidden, 501
// is the old S5 driver and never listed.
const char* const kModules[] = {"Z32TPLC578.dll", "Z32TPLC593.dll", "Z32TPLC547.dll", "Z32TPLC548.dll",
                                "Z32TPLC507.dll", "Z32TPLC514.dll", "Z32TPLC501.dll"};
enum Row { ROW_CODESYS, ROW_NMEA, ROW_NMEA_BLANK, ROW_QMOVE };

bool Enabled(HWND hDlg, int id) { return ::IsWindowEnabled(Item(hDlg, id)) != 0; }
void Pick(HWND hDlg, int row) { SelectListRow(Item(hDlg, IDC_PLC_LIST), row); }
MessageBoxRecord Answer(HWND hDlg, int button) { return AnswerMessageBox(::GetWindowThreadProcessId(hDlg, nullptr), button); }
// Waits a moment, then tells whether the dialog is still there.
bool StaysOpen(HWND hDlg) { ::Sleep(250); return ::IsWindow(hDlg) && ::IsWindowVisible(hDlg); }
// The posted click on the internal mode has been handled: the list is off.
void InternalModeShown(HWND hDlg) { WaitUntil([&] { return !::IsWindowEnabled(Item(hDlg, IDC_PLC_LIST)); }); }

// A catalogue scanned from a private folder with its own registry cache, and
// the recording modules as the dialog's bindings will find them.
class SelectDlgTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_LISTVIEW_CLASSES};
        ::InitCommonControlsEx(&icc);
        const std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        m_key = "Software\\QRV Tests\\select\\" + name + "\\PLC Drivers";
        ::RegDeleteTreeA(HKEY_CURRENT_USER, ("Software\\QRV Tests\\select\\" + name).c_str());
        App().UseRegistryKey("select\\" + name + "\\");
        m_folder = FreshTempFolder("select-" + name);
        for (const char* module : kModules)
            ASSERT_TRUE(::CopyFileA((ProgramFolder() + "\\" + module).c_str(), (m_folder + "\\" + module).c_str(), FALSE));
        m_list.reset(new CPlcInfoList("VARN\\"));
        m_list->SetDLLPath(CString((m_folder + "\\").c_str()));
        ASSERT_EQ(1, m_list->Load(1));
        for (const char* module : kModules)
            ASSERT_NE(nullptr, m_modules[module] = ::LoadLibraryA((ProgramFolder() + "\\" + module).c_str()));
        Prepare();
        memset(&m_project, 0x11, sizeof m_project);
    }
    void TearDown() override
    {
        for (auto& m : m_modules)
            ::FreeLibrary(m.second);
    }
    // Clears the recorders; every setup dialog succeeds.
    void Prepare()
    {
        for (auto& m : m_modules) {
            DriverFixture::Reset(m.second);
            DriverFixture::SetResult(m.second, "InitPlcDefaultsFill", 0);
            DriverFixture::SetParamEdit(m.second, -1, 0, 1);
        }
    }
    HMODULE Module(const char* name) { return name ? m_modules[name] : nullptr; }
    int SetupCalls(const char* name) { return (int)DriverFixture::Calls(Module(name), "ExecPlcSetupDlg").size(); }
    bool KeyExists(const char* module)
    {
        HKEY h = nullptr;
        const bool found = !::RegOpenKeyExA(HKEY_CURRENT_USER, (m_key + "\\" + module).c_str(), 0, KEY_READ, &h);
        return found && !::RegCloseKey(h);
    }
    bool FileExists(const char* module)
    {
        return ::GetFileAttributesA((m_folder + "\\" + module).c_str()) != INVALID_FILE_ATTRIBUTES;
    }
    // Runs a dialog with the active driver (module name or null) and the mode;
    // returns DoModal's result.
    int Run(const char* active, int mode, ModalDriver::Script script, bool withCatalogue = true)
    {
        m_dlg.reset(withCatalogue ? new CPlcSelectDlg(m_list.get(), &m_project, Module(active), IPLCMODE(mode), 1,
                                                      &m_field, nullptr)
                                  : new CPlcSelectDlg(nullptr, nullptr, nullptr, IPLCMODE(mode), 1, nullptr, nullptr));
        ModalDriver driver(script, "Controller auswählen");
        int result = static_cast<int>(m_dlg->DoModal());
        EXPECT_TRUE(driver.Join());
        for (const auto& failure : driver.Failures())
            ADD_FAILURE() << failure;
        return result;
    }

    std::unique_ptr<CPlcInfoList> m_list;   // after the registry key: it builds its key at construction
    std::unique_ptr<CPlcSelectDlg> m_dlg;
    std::map<std::string, HMODULE> m_modules;
    std::string m_key, m_folder;
    sPROJECT m_project;
    tagFIELDREC m_field = {};
};

} // namespace

// The headings are drawn with an inner margin on each side; a column narrower
// than heading plus margins would show "Treiber Versi…". OK runs the setup of
// the chosen driver on a project copy made afresh from the driver's defaults.
TEST_F(SelectDlgTest, WithoutActiveDriverOkRunsTheSetupOnAFreshCopyAndAsks)
{
    HMODULE h = Module("Z32TPLC578.dll");
    DriverFixture::SetResult(h, "InitPlcDefaultsFill", 0xA5);
    m_project.byFlag411 = 0;   // a new project: the setup dialog is told so
    MessageBoxRecord question;
    std::vector<std::string> rows, cut;
    std::string states, active = "?";
    EXPECT_EQ(IDOK, Run(nullptr, 0, [&](HWND hDlg, ModalDriver&) {
        HWND hList = Item(hDlg, IDC_PLC_LIST), hHeader = ListView_GetHeader(hList);
        for (int i = 0; i < ListRowCount(hList); ++i)
            rows.push_back(ListCellText(hList, i, 0));
        HDC hdc = ::GetDC(hHeader);
        HGDIOBJ old = ::SelectObject(hdc, (HFONT)::SendMessageA(hHeader, WM_GETFONT, 0, 0));
        for (int i = 0; i < Header_GetItemCount(hHeader); ++i) {
            char text[64] = "";
            HDITEMA item = {};
            item.mask = HDI_TEXT | HDI_WIDTH, item.pszText = text, item.cchTextMax = sizeof text;
            ::SendMessageA(hHeader, HDM_GETITEMA, i, (LPARAM)&item);
            SIZE size = {};
            ::GetTextExtentPoint32A(hdc, text, (int)strlen(text), &size);
            if (item.cxy < size.cx + 6 * ::GetSystemMetrics(SM_CXEDGE))
                cut.push_back(text);
        }
        ::SelectObject(hdc, old);
        ::ReleaseDC(hHeader, hdc);
        active = ItemText(hDlg, IDC_PLC_ACTIVE_NAME);
        for (int id : {IDOK, IDC_PLC_REMOVE, IDC_PLC_SETUP, IDC_PLC_MODE_INTERNAL})
            states += Enabled(hDlg, id) ? '1' : '0';
        Pick(hDlg, ROW_QMOVE);
        for (int id : {IDOK, IDC_PLC_REMOVE, IDC_PLC_SETUP})
            states += Enabled(hDlg, id) ? '1' : '0';
        Click(hDlg, IDOK);
        question = Answer(hDlg, IDOK);
    }));
    EXPECT_EQ((std::vector<std::string>{"CoDeSys", "NMEA 0183", "NMEA 0183 ", "QMove"}), rows);
    EXPECT_TRUE(cut.empty()) << "cut heading: " << (cut.empty() ? "" : cut[0]);
    EXPECT_EQ("", active);
    // Nothing selected: OK and Remove off, Setup follows the mode only; the
    // radios are on (internal allowed, a driver of code 107 installed).
    EXPECT_EQ("0011" "111", states);
    EXPECT_EQ(1, SetupCalls("Z32TPLC578.dll"));
    ASSERT_TRUE(question.shown);
    EXPECT_EQ(kChangeText, question.text);
    EXPECT_EQ(static_cast<UINT>(MB_OKCANCEL | MB_ICONQUESTION), question.Style());
    EXPECT_STREQ("Z32TPLC578.dll", m_dlg->GetSelectedDriverDll());
    EXPECT_EQ(0, m_dlg->GetControllerMode());

    auto init = DriverFixture::Calls(h, "InitPlcDefaults");
    ASSERT_EQ(1u, init.size());
    EXPECT_EQ(init[0].aArgs[0] + 17, init[0].aArgs[1]) << "target setup is the copy's start, the setup at 17";
    EXPECT_EQ(init[0].aArgs[1], init[0].aArgs[2]);
    EXPECT_EQ(0u, init[0].aArgs[3] | init[0].aArgs[4]);
    sSETUPDLGPARAM block = {};
    ASSERT_GT(DriverFixture::ParamBlock(h, &block, sizeof block), 0);
    const unsigned char* project = reinterpret_cast<const unsigned char*>(&block.project);
    EXPECT_EQ(0x5A, project[0]) << "what the driver wrote into the target setup";
    for (int i = 1; i < 427; ++i) {   // the copy is cleared but for the driver's setup at 17..80
        const int j = i - 17;   // the setup's byte: the driver's fill, the cleared fields and the code
        const int expected = j < 0 || j >= 64 || (j >= 38 && j < 44) || j == 51 ? 0 : j == 44 ? 0xA4
                           : j == 50 || j == 52 ? 78 : 0xA5;
        ASSERT_EQ(expected, project[i]) << "byte " << i;
    }
    EXPECT_EQ(0, memcmp(&block.plcSetup, project + 17, 64)) << "the setup argument is the copy's setup";
    EXPECT_EQ(1u, block.dwMode) << "byte 411 of the copy is zero";
    EXPECT_EQ(reinterpret_cast<UINT_PTR>(&m_project), block.dwUser) << "the host's own record";
    EXPECT_EQ(0, memcmp(&block.fieldRec, &m_field, sizeof m_field));
}

// Steps: a digit selects that row, 'd' double-clicks the first row, 'i' clicks
// the internal mode, 'o' clicks OK.
TEST_F(SelectDlgTest, OkRunsTheSetupWhereNeededAndAsksOnlyOnAChangeOfFamilyOrInternalMode)
{
    const struct {
        const char* active; int mode; const char* steps; bool setupFails; int answer; int result;
        const char* setupOn; const char* dll; int modeAfter;
    } cases[] = {
        {"Z32TPLC547.dll", 0, "o", false, 0, IDOK, nullptr, "Z32TPLC547.dll", 0},       // the active row: done
        {"Z32TPLC547.dll", 0, "1o", false, 0, IDOK, "Z32TPLC548.dll", "Z32TPLC548.dll", 0},   // same code
        {"Z32TPLC547.dll", 0, "1io", false, IDCANCEL, IDCANCEL, "Z32TPLC548.dll", "", 1},   // into internal
        {"Z32TPLC578.dll", 2, "0o", false, 0, IDOK, "Z32TPLC593.dll", "Z32TPLC593.dll", 2},   // same compatibility
        {"Z32TPLC547.dll", 0, "1o", true, 0, IDCANCEL, "Z32TPLC548.dll", "", 0},   // the setup is cancelled
        {"Z32TPLC547.dll", 0, "12o", false, 0, IDOK, "Z32TPLC547.dll", "Z32TPLC547.dll", 0},   // active row again
        {"Z32TPLC547.dll", 0, "do", false, IDOK, IDOK, "Z32TPLC593.dll", "Z32TPLC593.dll", 0},   // other family
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.active) + " " + c.steps);
        Prepare();
        if (c.setupFails)
            DriverFixture::SetParamEdit(Module(c.setupOn), -1, 0, 0);
        MessageBoxRecord question;
        bool open = false;
        EXPECT_EQ(c.result, Run(c.active, c.mode, [&](HWND hDlg, ModalDriver&) {
            for (const char* s = c.steps; *s; ++s) {
                if (*s == 'd')
                    ClickListRow(Item(hDlg, IDC_PLC_LIST), ROW_CODESYS, true), ::Sleep(300);
                else if (*s == 'i')
                    Click(hDlg, IDC_PLC_MODE_INTERNAL), InternalModeShown(hDlg);
                else if (*s == 'o')
                    Click(hDlg, IDOK);
                else
                    Pick(hDlg, *s - '0');
            }
            if (c.answer)
                question = Answer(hDlg, c.answer);
            if (c.result == IDCANCEL) {
                open = StaysOpen(hDlg);
                Click(hDlg, IDCANCEL);
            }
        }));
        EXPECT_EQ(c.answer != 0, question.shown);
        if (c.answer) {
            EXPECT_EQ(kChangeText, question.text);
        }
        EXPECT_EQ(c.result == IDCANCEL, open);
        for (const char* module : kModules)
            EXPECT_EQ(c.setupOn && !strcmp(module, c.setupOn) ? 1 : 0, SetupCalls(module)) << module;
        if (c.result == IDOK) {
            EXPECT_STREQ(c.dll, m_dlg->GetSelectedDriverDll());
        }
        EXPECT_EQ(c.modeAfter, m_dlg->GetControllerMode());
    }
    EXPECT_EQ(0, memcmp(&m_project, std::string(sizeof m_project, '\x11').data(), sizeof m_project))
        << "the host's record is only the setup dialog's to change";
}

TEST_F(SelectDlgTest, InternalModeDisablesTheListAndHidesTheActiveName)
{
    std::string states, active = "?";
    bool open = false;
    EXPECT_EQ(IDCANCEL, Run(nullptr, 0, [&](HWND hDlg, ModalDriver&) {
        Click(hDlg, IDC_PLC_MODE_INTERNAL);
        InternalModeShown(hDlg);
        for (int id : {IDC_PLC_LIST, IDC_PLC_SETUP, IDOK})
            states += Enabled(hDlg, id) ? '1' : '0';
        active = ItemText(hDlg, IDC_PLC_ACTIVE_NAME);
        Click(hDlg, IDOK);
        open = StaysOpen(hDlg);   // no row, so the setup cannot run and OK does not close
        Click(hDlg, IDCANCEL);
    }));
    EXPECT_EQ("001", states);
    EXPECT_EQ("", active);
    EXPECT_TRUE(open);
    std::string inInternal = "?", inBoth;
    Run("Z32TPLC547.dll", 1, [&](HWND hDlg, ModalDriver&) {
        inInternal = ItemText(hDlg, IDC_PLC_ACTIVE_NAME);
        ClickAndWait(hDlg, IDC_PLC_MODE_BOTH);
        inBoth = ItemText(hDlg, IDC_PLC_ACTIVE_NAME);
        Click(hDlg, IDCANCEL);
    });
    EXPECT_EQ("", inInternal);
    EXPECT_EQ("NMEA 0183 ", inBoth);
    EXPECT_EQ(2, m_dlg->GetControllerMode()) << "Abbrechen only closes";
}

// Without an IsaGRAF driver, or without any catalogue, the mode is external
// and the mode buttons are off; an empty dialog still works.
TEST_F(SelectDlgTest, WithoutIsaGrafOrCatalogueTheModeButtonsAreOffAndTheModeIsExternal)
{
    CPlcInfo* pIsaGraf = m_list->FindVersion(107);
    ASSERT_NE(nullptr, pIsaGraf);
    m_list->RemoveAt(m_list->Find(pIsaGraf));
    delete pIsaGraf;
    for (bool catalogue : {true, false}) {
        bool radios = true, external = false;
        int rows = -1;
        EXPECT_EQ(IDCANCEL, Run(nullptr, catalogue ? 1 : 2, [&](HWND hDlg, ModalDriver&) {
            if (!catalogue)
                for (int id : {IDC_PLC_RESCAN, IDC_PLC_SETUP, IDC_PLC_REMOVE})
                    ClickAndWait(hDlg, id);
            rows = ListRowCount(Item(hDlg, IDC_PLC_LIST));
            radios = Enabled(hDlg, IDC_PLC_MODE_EXTERNAL) || Enabled(hDlg, IDC_PLC_MODE_INTERNAL) ||
                     Enabled(hDlg, IDC_PLC_MODE_BOTH);
            external = ::SendMessageA(Item(hDlg, IDC_PLC_MODE_EXTERNAL), BM_GETCHECK, 0, 0) == BST_CHECKED;
            Click(hDlg, IDCANCEL);
        }, catalogue));
        EXPECT_EQ(catalogue ? 4 : 0, rows);
        EXPECT_FALSE(radios);
        EXPECT_TRUE(external);
        EXPECT_EQ(0, m_dlg->GetControllerMode());
        EXPECT_STREQ("", m_dlg->GetSelectedDriverDll());
    }
}

// Removing asks, and each answer does its part; a rescan then finds what is
// on disk again and keeps the active driver selected.
TEST_F(SelectDlgTest, RemoveAsksAndEachAnswerDoesItsPartAndRescanReadsTheFolder)
{
    ASSERT_TRUE(KeyExists("Z32TPLC578.dll")) << "the scan cached every driver";
    const int items = static_cast<int>(m_list->GetCount());
    MessageBoxRecord onCancel, onActive;
    int rows[4] = {}, reselected = -1, rescanSelected = -1;
    std::string active;
    bool keptOnCancel = false, keyGoneOnNo = false;
    EXPECT_EQ(IDCANCEL, Run("Z32TPLC547.dll", 0, [&](HWND hDlg, ModalDriver&) {
        HWND hList = Item(hDlg, IDC_PLC_LIST);
        const struct { int row; int answer; } steps[] = {{ROW_QMOVE, IDCANCEL}, {ROW_QMOVE, IDNO}, {ROW_CODESYS, IDYES}};
        for (int i = 0; i < 3; ++i) {
            Pick(hDlg, steps[i].row);
            Click(hDlg, IDC_PLC_REMOVE);
            MessageBoxRecord box = Answer(hDlg, steps[i].answer);
            ::Sleep(100);
            rows[i] = ListRowCount(hList);
            if (i == 0)
                onCancel = box, keptOnCancel = KeyExists("Z32TPLC578.dll") && FileExists("Z32TPLC578.dll");
            if (i == 1)   // No: the registry entry goes, the file stays
                reselected = SelectedListRow(hList), keyGoneOnNo = !KeyExists("Z32TPLC578.dll") && FileExists("Z32TPLC578.dll");
        }
        Pick(hDlg, 1);   // the active driver ("NMEA 0183 " is now row 1)
        Click(hDlg, IDC_PLC_REMOVE);
        onActive = Answer(hDlg, IDOK);
        ::DeleteFileA((m_folder + "\\Z32TPLC548.dll").c_str());
        ClickAndWait(hDlg, IDC_PLC_RESCAN);
        rows[3] = ListRowCount(hList);
        rescanSelected = SelectedListRow(hList);
        active = ItemText(hDlg, IDC_PLC_ACTIVE_NAME);
        Click(hDlg, IDCANCEL);
    }));
    EXPECT_EQ("Der Treiber wird von der Liste entfernt. \nWollen Sie den Treiber permanent von der Festplatte löschen?",
              onCancel.text);
    EXPECT_EQ(static_cast<UINT>(MB_YESNOCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2), onCancel.Style());
    EXPECT_TRUE(keptOnCancel);
    EXPECT_EQ(4, rows[0]);
    EXPECT_EQ(3, rows[1]);
    EXPECT_EQ(ROW_NMEA_BLANK, reselected) << "the active driver is selected again";
    EXPECT_TRUE(keyGoneOnNo);
    EXPECT_EQ(2, rows[2]);
    EXPECT_FALSE(KeyExists("Z32TPLC593.dll"));
    EXPECT_FALSE(FileExists("Z32TPLC593.dll")) << "Yes: the file is deleted too";
    EXPECT_EQ(items - 2, static_cast<int>(m_list->GetCount()));
    EXPECT_EQ("Kann aktiven Treiber nicht entfernen.", onActive.text);
    EXPECT_EQ(static_cast<UINT>(MB_OK), onActive.Style() & ~MB_ICONMASK);
    EXPECT_TRUE(KeyExists("Z32TPLC547.dll") && FileExists("Z32TPLC547.dll"));
    EXPECT_EQ(2, rows[3]) << "QMove's file stayed and is found again; NMEA's is gone";
    EXPECT_EQ(0, rescanSelected) << "NMEA 0183 (blank) sorts first now";
    EXPECT_EQ("NMEA 0183 ", active);
    EXPECT_TRUE(KeyExists("Z32TPLC578.dll") && !KeyExists("Z32TPLC548.dll")) << "the scan rewrote the cache";
}
