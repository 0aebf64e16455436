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

const char kCaption[] = "Controller auswählen";
const char kChangeText[] =
    "Sie wechseln zu einem anderen Controller. Adressinformationen könnten verloren gehen! Fortfahren?";
const char kCannotRemoveText[] = "Kann aktiven Treiber nicht entfernen.";
const char kRemoveText[] =
    "Der Treiber wird von der Liste entfernt. \nWollen Sie den Treiber permanent von der Festplatte löschen?";

// The drivers of every test (recording copies with identity strings), as listed:
// names sorted without regard to case; 507 and 514 are internal and hidden, 501
// is the old S5 driver and never listed.
const char* const kModules[] = {"Z32TPLC578.dll", "Z32TPLC593.dll", "Z32TPLC547.dll", "Z32TPLC548.dll",
                                "Z32TPLC507.dll", "Z32TPLC514.dll", "Z32TPLC501.dll"};
enum Row { ROW_CODESYS, ROW_NMEA, ROW_NMEA_BLANK, ROW_QMOVE };

bool Enabled(HWND hDlg, int id) { return ::IsWindowEnabled(Item(hDlg, id)) != 0; }

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
        for (const char* module : kModules) {
            HMODULE h = ::LoadLibraryA((ProgramFolder() + "\\" + module).c_str());
            ASSERT_NE(nullptr, h);
            m_modules[module] = h;
            DriverFixture::Reset(h);
            DriverFixture::SetResult(h, "InitPlcDefaultsFill", 0);
            DriverFixture::SetParamEdit(h, -1, 0, 1);   // the setup dialog succeeds
        }
        memset(&m_project, 0x11, sizeof m_project);
    }
    void TearDown() override
    {
        for (auto& m : m_modules)
            ::FreeLibrary(m.second);
    }

    HMODULE Module(const char* name) { return m_modules[name]; }
    int SetupCalls(const char* name) { return (int)DriverFixture::Calls(Module(name), "ExecPlcSetupDlg").size(); }
    bool KeyExists(const std::string& path)
    {
        HKEY h = nullptr;
        if (::RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS)
            return false;
        ::RegCloseKey(h);
        return true;
    }
    bool FileExists(const char* module)
    {
        return ::GetFileAttributesA((m_folder + "\\" + module).c_str()) != INVALID_FILE_ATTRIBUTES;
    }
    // Runs the dialog with the script; returns DoModal's result.
    int Run(CPlcSelectDlg& dlg, ModalDriver::Script script)
    {
        ModalDriver driver(script, kCaption);
        int result = static_cast<int>(dlg.DoModal());
        EXPECT_TRUE(driver.Join());
        for (const auto& failure : driver.Failures())
            ADD_FAILURE() << failure;
        return result;
    }

    std::unique_ptr<CPlcInfoList> m_list;   // after the registry key: it builds its key at construction
    std::map<std::string, HMODULE> m_modules;
    std::string m_key, m_folder;
    sPROJECT m_project;
    tagFIELDREC m_field = {};
};

IPLCMODE Mode(int n) { return static_cast<IPLCMODE>(n); }

// Waits a moment, then tells whether the dialog is still there.
bool StaysOpen(HWND hDlg)
{
    ::Sleep(250);
    return ::IsWindow(hDlg) && ::IsWindowVisible(hDlg);
}

} // namespace

TEST_F(SelectDlgTest, WithoutActiveDriverOkRunsTheSetupAndAsks)
{
    CPlcSelectDlg dlg(m_list.get(), &m_project, nullptr, Mode(0), 1, &m_field, nullptr);
    MessageBoxRecord question;
    std::string rows[4];
    bool okBefore = true, okAfter = false, radios = false, removeBefore = true, setupBefore = false;
    std::string active = "?";
    EXPECT_EQ(IDOK, Run(dlg, [&](HWND hDlg, ModalDriver&) {
        HWND hList = Item(hDlg, IDC_PLC_LIST);
        for (int i = 0; i < 4; ++i)
            rows[i] = ListCellText(hList, i, 0);
        active = ItemText(hDlg, IDC_PLC_ACTIVE_NAME);
        okBefore = Enabled(hDlg, IDOK);
        removeBefore = Enabled(hDlg, IDC_PLC_REMOVE);
        setupBefore = Enabled(hDlg, IDC_PLC_SETUP);
        radios = Enabled(hDlg, IDC_PLC_MODE_INTERNAL);
        SelectListRow(hList, ROW_QMOVE);
        okAfter = Enabled(hDlg, IDOK) && Enabled(hDlg, IDC_PLC_REMOVE) && Enabled(hDlg, IDC_PLC_SETUP);
        Click(hDlg, IDOK);
        question = AnswerMessageBox(::GetWindowThreadProcessId(hDlg, nullptr), IDOK);
    }));
    EXPECT_EQ("CoDeSys", rows[ROW_CODESYS]);
    EXPECT_EQ("NMEA 0183", rows[ROW_NMEA]);
    EXPECT_EQ("NMEA 0183 ", rows[ROW_NMEA_BLANK]);
    EXPECT_EQ("QMove", rows[ROW_QMOVE]);
    EXPECT_EQ("", active);
    EXPECT_FALSE(okBefore) << "nothing selected in mode 0";
    EXPECT_FALSE(removeBefore);
    EXPECT_TRUE(setupBefore) << "the setup button follows the mode only";
    EXPECT_TRUE(okAfter);
    EXPECT_TRUE(radios) << "internal allowed and a driver of code 107 installed";
    EXPECT_EQ(1, SetupCalls("Z32TPLC578.dll"));
    ASSERT_TRUE(question.shown);
    EXPECT_EQ(kChangeText, question.text);
    EXPECT_EQ(static_cast<UINT>(MB_OKCANCEL | MB_ICONQUESTION), question.Style());
    EXPECT_STREQ("Z32TPLC578.dll", dlg.GetSelectedDriverDll());
    EXPECT_EQ(0, dlg.GetControllerMode());
}

TEST_F(SelectDlgTest, ProjectCopyAfterASelectionIsTheDriversDefaultsWithTheCodeFields)
{
    HMODULE h = Module("Z32TPLC578.dll");
    DriverFixture::SetResult(h, "InitPlcDefaultsFill", 0xA5);
    m_project.byFlag411 = 0;   // a new project: the setup dialog is told so
    CPlcSelectDlg dlg(m_list.get(), &m_project, nullptr, Mode(0), 1, &m_field, nullptr);
    EXPECT_EQ(IDOK, Run(dlg, [&](HWND hDlg, ModalDriver&) {
        SelectListRow(Item(hDlg, IDC_PLC_LIST), ROW_QMOVE);
        Click(hDlg, IDC_PLC_SETUP);
        ::Sleep(200);
        Click(hDlg, IDOK);   // the setup is done: only the question remains
        AnswerMessageBox(::GetWindowThreadProcessId(hDlg, nullptr), IDOK);
    }));
    EXPECT_EQ(1, SetupCalls("Z32TPLC578.dll"));

    auto init = DriverFixture::Calls(h, "InitPlcDefaults");
    ASSERT_EQ(1u, init.size());
    EXPECT_EQ(init[0].aArgs[0] + 17, init[0].aArgs[1]) << "target setup is the copy's start, the setup at 17";
    EXPECT_EQ(init[0].aArgs[1], init[0].aArgs[2]);
    EXPECT_EQ(0u, init[0].aArgs[3]);
    EXPECT_EQ(0u, init[0].aArgs[4]);

    sSETUPDLGPARAM block = {};
    ASSERT_GT(DriverFixture::ParamBlock(h, &block, sizeof block), 0);
    const unsigned char* project = reinterpret_cast<const unsigned char*>(&block.project);
    EXPECT_EQ(0x5A, project[0]) << "what the driver wrote into the target setup";
    for (int i = 1; i < 17; ++i)
        EXPECT_EQ(0, project[i]) << "byte " << i;
    for (int i = 81; i < 427; ++i)
        ASSERT_EQ(0, project[i]) << "byte " << i << " of the cleared copy";
    const unsigned char* setup = project + 17;
    for (int i = 0; i < 64; ++i) {
        int expected = 0xA5;
        if ((i >= 38 && i < 44) || i == 51)
            expected = 0;
        else if (i == 44)
            expected = 0xA4;
        else if (i == 50 || i == 52)
            expected = 78;
        EXPECT_EQ(expected, setup[i]) << "setup byte " << i;
    }
    EXPECT_EQ(0, memcmp(&block.plcSetup, setup, 64)) << "the setup argument is the copy's setup";
    EXPECT_EQ(1u, block.dwMode) << "byte 411 of the copy is zero";
    EXPECT_EQ(reinterpret_cast<UINT_PTR>(&m_project), block.dwUser) << "the host's own record";
    EXPECT_EQ(0, memcmp(&block.fieldRec, &m_field, sizeof m_field));
}

TEST_F(SelectDlgTest, ActiveDriverAndOkAtOnceClosesWithoutSetupOrQuestion)
{
    CPlcSelectDlg dlg(m_list.get(), &m_project, Module("Z32TPLC547.dll"), Mode(0), 1, &m_field, nullptr);
    std::string active;
    int selected = -1;
    EXPECT_EQ(IDOK, Run(dlg, [&](HWND hDlg, ModalDriver&) {
        active = ItemText(hDlg, IDC_PLC_ACTIVE_NAME);
        selected = SelectedListRow(Item(hDlg, IDC_PLC_LIST));
        Click(hDlg, IDOK);
    }));
    EXPECT_EQ("NMEA 0183 ", active);
    EXPECT_EQ(ROW_NMEA_BLANK, selected);
    EXPECT_EQ(0, SetupCalls("Z32TPLC547.dll"));
    EXPECT_STREQ("Z32TPLC547.dll", dlg.GetSelectedDriverDll());
    EXPECT_EQ(0, memcmp(&m_project, std::string(sizeof m_project, '\x11').data(), sizeof m_project))
        << "the host's record is only the setup dialog's to change";
}

TEST_F(SelectDlgTest, SameCodeRunsTheSetupButAsksOnlyWhenTheModeCrossesInternal)
{
    {
        CPlcSelectDlg dlg(m_list.get(), &m_project, Module("Z32TPLC547.dll"), Mode(0), 1, &m_field, nullptr);
        EXPECT_EQ(IDOK, Run(dlg, [&](HWND hDlg, ModalDriver&) {
            SelectListRow(Item(hDlg, IDC_PLC_LIST), ROW_NMEA);
            Click(hDlg, IDOK);
        }));
        EXPECT_EQ(1, SetupCalls("Z32TPLC548.dll"));
        EXPECT_STREQ("Z32TPLC548.dll", dlg.GetSelectedDriverDll());
    }
    {
        CPlcSelectDlg dlg(m_list.get(), &m_project, Module("Z32TPLC547.dll"), Mode(0), 1, &m_field, nullptr);
        MessageBoxRecord question;
        bool open = false;
        EXPECT_EQ(IDCANCEL, Run(dlg, [&](HWND hDlg, ModalDriver&) {
            SelectListRow(Item(hDlg, IDC_PLC_LIST), ROW_NMEA);
            Click(hDlg, IDC_PLC_MODE_INTERNAL);
            ::Sleep(100);
            Click(hDlg, IDOK);
            question = AnswerMessageBox(::GetWindowThreadProcessId(hDlg, nullptr), IDCANCEL);
            open = StaysOpen(hDlg);
            Click(hDlg, IDCANCEL);
        }));
        EXPECT_EQ(kChangeText, question.text);
        EXPECT_TRUE(open) << "Abbrechen on the question keeps the dialog";
        EXPECT_EQ(1, dlg.GetControllerMode());
    }
}

TEST_F(SelectDlgTest, OtherCodeWithTheSameCompatibilityNeedsNoQuestion)
{
    CPlcSelectDlg dlg(m_list.get(), &m_project, Module("Z32TPLC578.dll"), Mode(2), 1, &m_field, nullptr);
    EXPECT_EQ(IDOK, Run(dlg, [&](HWND hDlg, ModalDriver&) {
        SelectListRow(Item(hDlg, IDC_PLC_LIST), ROW_CODESYS);
        Click(hDlg, IDOK);
    }));
    EXPECT_EQ(1, SetupCalls("Z32TPLC593.dll"));
    EXPECT_STREQ("Z32TPLC593.dll", dlg.GetSelectedDriverDll());
    EXPECT_EQ(2, dlg.GetControllerMode());
}

TEST_F(SelectDlgTest, FailedSetupKeepsTheDialogOpen)
{
    DriverFixture::SetParamEdit(Module("Z32TPLC548.dll"), -1, 0, 0);   // the user cancels the setup
    CPlcSelectDlg dlg(m_list.get(), &m_project, Module("Z32TPLC547.dll"), Mode(0), 1, &m_field, nullptr);
    bool open = false;
    EXPECT_EQ(IDCANCEL, Run(dlg, [&](HWND hDlg, ModalDriver&) {
        SelectListRow(Item(hDlg, IDC_PLC_LIST), ROW_NMEA);
        Click(hDlg, IDOK);
        open = StaysOpen(hDlg);
        Click(hDlg, IDCANCEL);
    }));
    EXPECT_TRUE(open);
    EXPECT_EQ(1, SetupCalls("Z32TPLC548.dll"));
}

TEST_F(SelectDlgTest, ChoosingTheActiveRowAgainRequiresTheSetupAgain)
{
    CPlcSelectDlg dlg(m_list.get(), &m_project, Module("Z32TPLC547.dll"), Mode(0), 1, &m_field, nullptr);
    EXPECT_EQ(IDOK, Run(dlg, [&](HWND hDlg, ModalDriver&) {
        HWND hList = Item(hDlg, IDC_PLC_LIST);
        SelectListRow(hList, ROW_NMEA);
        SelectListRow(hList, ROW_NMEA_BLANK);
        Click(hDlg, IDOK);
    }));
    EXPECT_EQ(1, SetupCalls("Z32TPLC547.dll"));
    EXPECT_EQ(0, SetupCalls("Z32TPLC548.dll"));
    EXPECT_EQ(1u, DriverFixture::Calls(Module("Z32TPLC547.dll"), "InitPlcDefaults").size());
}

TEST_F(SelectDlgTest, InternalModeDisablesTheListAndStillNeedsARowForItsSetup)
{
    CPlcSelectDlg dlg(m_list.get(), &m_project, nullptr, Mode(0), 1, &m_field, nullptr);
    bool list = true, setup = true, ok = false, open = false;
    std::string active = "?";
    EXPECT_EQ(IDCANCEL, Run(dlg, [&](HWND hDlg, ModalDriver&) {
        Click(hDlg, IDC_PLC_MODE_INTERNAL);
        ::Sleep(100);
        list = Enabled(hDlg, IDC_PLC_LIST);
        setup = Enabled(hDlg, IDC_PLC_SETUP);
        ok = Enabled(hDlg, IDOK);
        active = ItemText(hDlg, IDC_PLC_ACTIVE_NAME);
        Click(hDlg, IDOK);
        open = StaysOpen(hDlg);
        Click(hDlg, IDCANCEL);
    }));
    EXPECT_FALSE(list);
    EXPECT_FALSE(setup);
    EXPECT_TRUE(ok);
    EXPECT_EQ("", active);
    EXPECT_TRUE(open) << "no row, so the setup cannot run and OK does not close";
}

TEST_F(SelectDlgTest, ActiveNameIsHiddenInInternalMode)
{
    CPlcSelectDlg dlg(m_list.get(), &m_project, Module("Z32TPLC547.dll"), Mode(1), 1, &m_field, nullptr);
    std::string inInternal, inBoth;
    EXPECT_EQ(IDCANCEL, Run(dlg, [&](HWND hDlg, ModalDriver&) {
        inInternal = ItemText(hDlg, IDC_PLC_ACTIVE_NAME);
        Click(hDlg, IDC_PLC_MODE_BOTH);
        ::Sleep(100);
        inBoth = ItemText(hDlg, IDC_PLC_ACTIVE_NAME);
        Click(hDlg, IDCANCEL);
    }));
    EXPECT_EQ("", inInternal);
    EXPECT_EQ("NMEA 0183 ", inBoth);
    EXPECT_EQ(2, dlg.GetControllerMode()) << "Abbrechen only closes";
}

TEST_F(SelectDlgTest, WithoutIsaGrafTheModeButtonsAreOffAndTheModeIsExternal)
{
    CPlcInfo* pIsaGraf = m_list->FindVersion(107);
    ASSERT_NE(nullptr, pIsaGraf);
    m_list->RemoveAt(m_list->Find(pIsaGraf));
    delete pIsaGraf;
    CPlcSelectDlg dlg(m_list.get(), &m_project, nullptr, Mode(1), 1, &m_field, nullptr);
    bool radios = true, externalChecked = false;
    EXPECT_EQ(IDCANCEL, Run(dlg, [&](HWND hDlg, ModalDriver&) {
        radios = Enabled(hDlg, IDC_PLC_MODE_EXTERNAL) || Enabled(hDlg, IDC_PLC_MODE_INTERNAL) ||
                 Enabled(hDlg, IDC_PLC_MODE_BOTH);
        externalChecked = ::SendMessageA(Item(hDlg, IDC_PLC_MODE_EXTERNAL), BM_GETCHECK, 0, 0) == BST_CHECKED;
        Click(hDlg, IDCANCEL);
    }));
    EXPECT_FALSE(radios);
    EXPECT_TRUE(externalChecked);
    EXPECT_EQ(0, dlg.GetControllerMode());
}

TEST_F(SelectDlgTest, RemoveAsksAndEachAnswerDoesItsPart)
{
    ASSERT_TRUE(KeyExists(m_key + "\\Z32TPLC578.dll")) << "the scan cached every driver";
    CPlcSelectDlg dlg(m_list.get(), &m_project, Module("Z32TPLC547.dll"), Mode(0), 1, &m_field, nullptr);
    MessageBoxRecord onCancel, onNo, onYes, onActive;
    int rowsAfterCancel = 0, rowsAfterNo = 0, rowsAfterYes = 0, reselected = -1;
    EXPECT_EQ(IDCANCEL, Run(dlg, [&](HWND hDlg, ModalDriver&) {
        HWND hList = Item(hDlg, IDC_PLC_LIST);
        DWORD ui = ::GetWindowThreadProcessId(hDlg, nullptr);
        SelectListRow(hList, ROW_QMOVE);
        Click(hDlg, IDC_PLC_REMOVE);
        onCancel = AnswerMessageBox(ui, IDCANCEL);
        ::Sleep(100);
        rowsAfterCancel = ListRowCount(hList);

        Click(hDlg, IDC_PLC_REMOVE);   // QMove is still selected
        onNo = AnswerMessageBox(ui, IDNO);
        ::Sleep(100);
        rowsAfterNo = ListRowCount(hList);
        reselected = SelectedListRow(hList);

        SelectListRow(hList, ROW_CODESYS);
        Click(hDlg, IDC_PLC_REMOVE);
        onYes = AnswerMessageBox(ui, IDYES);
        ::Sleep(100);
        rowsAfterYes = ListRowCount(hList);

        SelectListRow(hList, 1);   // the active driver ("NMEA 0183 " is now row 1)
        Click(hDlg, IDC_PLC_REMOVE);
        onActive = AnswerMessageBox(ui, IDOK);
        Click(hDlg, IDCANCEL);
    }));
    EXPECT_EQ(kRemoveText, onCancel.text);
    EXPECT_EQ(static_cast<UINT>(MB_YESNOCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2), onCancel.Style());
    EXPECT_EQ(4, rowsAfterCancel);

    EXPECT_EQ(3, rowsAfterNo);
    EXPECT_EQ(ROW_NMEA_BLANK, reselected) << "the active driver is selected again";
    EXPECT_FALSE(KeyExists(m_key + "\\Z32TPLC578.dll")) << "No: the registry entry goes";
    EXPECT_TRUE(FileExists("Z32TPLC578.dll")) << "No: the file stays";

    EXPECT_EQ(2, rowsAfterYes);
    EXPECT_FALSE(KeyExists(m_key + "\\Z32TPLC593.dll"));
    EXPECT_FALSE(FileExists("Z32TPLC593.dll")) << "Yes: the file is deleted too";
    EXPECT_TRUE(KeyExists(m_key + "\\Z32TPLC547.dll"));

    EXPECT_EQ(kCannotRemoveText, onActive.text);
    EXPECT_EQ(static_cast<UINT>(MB_OK), onActive.Style() & ~MB_ICONMASK);
    EXPECT_TRUE(FileExists("Z32TPLC547.dll"));
}

TEST_F(SelectDlgTest, CancelOnTheRemoveQuestionChangesNothing)
{
    CPlcSelectDlg dlg(m_list.get(), &m_project, Module("Z32TPLC547.dll"), Mode(0), 1, &m_field, nullptr);
    int items = static_cast<int>(m_list->GetCount());
    EXPECT_EQ(IDCANCEL, Run(dlg, [&](HWND hDlg, ModalDriver&) {
        SelectListRow(Item(hDlg, IDC_PLC_LIST), ROW_CODESYS);
        Click(hDlg, IDC_PLC_REMOVE);
        AnswerMessageBox(::GetWindowThreadProcessId(hDlg, nullptr), IDCANCEL);
        Click(hDlg, IDCANCEL);
    }));
    EXPECT_EQ(items, static_cast<int>(m_list->GetCount()));
    EXPECT_TRUE(KeyExists(m_key + "\\Z32TPLC593.dll"));
    EXPECT_TRUE(FileExists("Z32TPLC593.dll"));
}

TEST_F(SelectDlgTest, RescanFindsNewDriversAndKeepsTheActiveOneSelected)
{
    CPlcSelectDlg dlg(m_list.get(), &m_project, Module("Z32TPLC547.dll"), Mode(0), 1, &m_field, nullptr);
    int before = 0, after = 0, selected = -1;
    std::string active;
    EXPECT_EQ(IDCANCEL, Run(dlg, [&](HWND hDlg, ModalDriver&) {
        HWND hList = Item(hDlg, IDC_PLC_LIST);
        before = ListRowCount(hList);
        ::DeleteFileA((m_folder + "\\Z32TPLC578.dll").c_str());
        ClickAndWait(hDlg, IDC_PLC_RESCAN);
        after = ListRowCount(hList);
        selected = SelectedListRow(hList);
        active = ItemText(hDlg, IDC_PLC_ACTIVE_NAME);
        Click(hDlg, IDCANCEL);
    }));
    EXPECT_EQ(4, before);
    EXPECT_EQ(3, after);
    EXPECT_EQ(ROW_NMEA_BLANK, selected);
    EXPECT_EQ("NMEA 0183 ", active);
    EXPECT_FALSE(KeyExists(m_key + "\\Z32TPLC578.dll")) << "the scan rewrote the cache";
}

TEST_F(SelectDlgTest, DoubleClickOpensTheSetup)
{
    CPlcSelectDlg dlg(m_list.get(), &m_project, Module("Z32TPLC547.dll"), Mode(0), 1, &m_field, nullptr);
    EXPECT_EQ(IDOK, Run(dlg, [&](HWND hDlg, ModalDriver&) {
        HWND hList = Item(hDlg, IDC_PLC_LIST);
        ClickListRow(hList, ROW_CODESYS, true);
        ::Sleep(300);
        Click(hDlg, IDOK);   // the setup is done and CoDeSys shares no family with NMEA
        AnswerMessageBox(::GetWindowThreadProcessId(hDlg, nullptr), IDOK);
    }));
    EXPECT_EQ(1, SetupCalls("Z32TPLC593.dll"));
}

TEST_F(SelectDlgTest, WithoutACatalogueTheDialogIsEmptyButWorks)
{
    CPlcSelectDlg dlg(nullptr, nullptr, nullptr, Mode(2), 1, nullptr, nullptr);
    int rows = -1;
    bool radios = true;
    EXPECT_EQ(IDCANCEL, Run(dlg, [&](HWND hDlg, ModalDriver&) {
        ClickAndWait(hDlg, IDC_PLC_RESCAN);
        ClickAndWait(hDlg, IDC_PLC_SETUP);
        ClickAndWait(hDlg, IDC_PLC_REMOVE);
        rows = ListRowCount(Item(hDlg, IDC_PLC_LIST));
        radios = Enabled(hDlg, IDC_PLC_MODE_INTERNAL);
        Click(hDlg, IDCANCEL);
    }));
    EXPECT_EQ(0, rows);
    EXPECT_FALSE(radios);
    EXPECT_EQ(0, dlg.GetControllerMode());
    EXPECT_STREQ("", dlg.GetSelectedDriverDll());
}

// The headings are drawn with an inner margin on each side; a column narrower
// than heading plus margins shows "Treiber Versi…".
TEST_F(SelectDlgTest, EveryColumnHeadingFitsItsColumn)
{
    CPlcSelectDlg dlg(m_list.get(), &m_project, Module("Z32TPLC547.dll"), Mode(0), 1, &m_field, nullptr);
    std::vector<std::string> cut;
    EXPECT_EQ(IDCANCEL, Run(dlg, [&](HWND hDlg, ModalDriver&) {
        HWND hList = Item(hDlg, IDC_PLC_LIST);
        HWND hHeader = ListView_GetHeader(hList);
        HDC hdc = ::GetDC(hHeader);
        HGDIOBJ old = ::SelectObject(hdc, (HFONT)::SendMessageA(hHeader, WM_GETFONT, 0, 0));
        const int margin = 3 * ::GetSystemMetrics(SM_CXEDGE);
        for (int i = 0; i < Header_GetItemCount(hHeader); ++i) {
            char text[64] = "";
            HDITEMA item = {};
            item.mask = HDI_TEXT | HDI_WIDTH;
            item.pszText = text;
            item.cchTextMax = sizeof text;
            ::SendMessageA(hHeader, HDM_GETITEMA, i, (LPARAM)&item);
            SIZE size = {};
            ::GetTextExtentPoint32A(hdc, text, (int)strlen(text), &size);
            if (item.cxy < size.cx + 2 * margin)
                cut.push_back(text);
        }
        ::SelectObject(hdc, old);
        ::ReleaseDC(hHeader, hdc);
        Click(hDlg, IDCANCEL);
    }));
    EXPECT_TRUE(cut.empty()) << "cut headings: " << (cut.empty() ? "" : cut[0]);
}
