// The wrappers of the common controls and dialogs a host builds its user
// interface from, where they add to the platform's: toolbar images and texts
// from resources and the owner's part, tooltips, bitmap buttons that show the
// bitmap of their state, clips from resources, and the file dialog with its
// filter, its answer in parts and multiple choices.
#include <afxcmn.h>
#include <afxdlgs.h>
#include <afxext.h>
#include <dlgs.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "afx_tests_res.h"
#include "tests/support/ScreenPixels.h"
#include "tests/support/TestApp.h"
#include "uiauto/ControlActions.h"
#include "uiauto/MessagePump.h"
#include "uiauto/ModalDriver.h"

using namespace qrvtest;

namespace {

// A top-level window that records the commands its children send and, as a
// toolbar's owner, describes the buttons it knows when the toolbar asks.
class CCommandWnd : public CWnd {
public:
    std::vector<UINT> m_commands;
    std::vector<TBBUTTON> m_known;

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT *pResult) override
    {
        NMTOOLBARA *pInfo = reinterpret_cast<NMTOOLBARA *>(lParam);
        if (pInfo->hdr.code == TBN_GETBUTTONINFOA || pInfo->hdr.code == TBN_GETBUTTONINFOW) {
            bool known = pInfo->iItem >= 0 && pInfo->iItem < (int)m_known.size();
            if (known)
                pInfo->tbButton = m_known[pInfo->iItem];
            *pResult = known;
            return TRUE;
        }
        return CWnd::OnNotify(wParam, lParam, pResult);
    }
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        m_commands.push_back(LOWORD(wParam));
        return CWnd::OnCommand(wParam, lParam);
    }
};

const UINT kOpen = 100, kRecord = 101, kStop = 102;

// A top-level window holding a toolbar of three buttons; tests add controls of their own.
class ControlWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        LPCSTR cls = AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW), (HBRUSH)(COLOR_BTNFACE + 1));
        ASSERT_TRUE(m_wnd.CreateEx(0, cls, "Werkzeuge", WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE, 40, 40, 300,
                                   160, nullptr, nullptr));
        ASSERT_TRUE(
            m_bar.Create(WS_CHILD | WS_VISIBLE | CCS_TOP | TBSTYLE_TOOLTIPS, CRect(0, 0, 0, 0), &m_wnd, 1));
        ASSERT_EQ(0, m_bar.AddBitmap(3, IDB_TEST_TOOLBAR)) << "the images come from the program's resources";
        TBBUTTON buttons[] = {
            {0, (int)kOpen, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, 0},
            {0, 0, 0, TBSTYLE_SEP, {}, 0, 0},
            {1, (int)kRecord, TBSTATE_ENABLED | TBSTATE_CHECKED, TBSTYLE_CHECK, {}, 0, 0},
            {2, (int)kStop, 0, TBSTYLE_BUTTON, {}, 0, 0},
        };
        ASSERT_TRUE(m_bar.AddButtons(4, buttons));
        m_wnd.m_known.assign(buttons, buttons + 4);
        m_bar.AutoSize();
        PumpFor(30);
    }
    void TearDown() override { m_wnd.DestroyWindow(); }
    // Pure red, green or blue pixels of the image of the button with this command.
    int ImagePixels(UINT nID, COLORREF colour)
    {
        CRect rc;
        m_bar.GetItemRect((int)m_bar.CommandToIndex(nID), &rc);
        return ScreenPixels(m_bar.m_hWnd).Count(rc, colour);
    }

    CCommandWnd m_wnd;
    CToolBarCtrl m_bar;
};

// The images and texts come from the program's resources.
TEST_F(ControlWindow, ToolBarImagesAndTextsShowAndADisabledButtonIsGreyed)
{
    EXPECT_GT(ImagePixels(kOpen, RGB(255, 0, 0)), 100) << "the first image is red";
    EXPECT_GT(ImagePixels(kRecord, RGB(0, 255, 0)), 100) << "the second image is green";
    EXPECT_EQ(0, ImagePixels(kStop, RGB(0, 0, 255))) << "the disabled button is drawn without its colour";
    m_bar.EnableButton(kStop);
    EXPECT_GT(ImagePixels(kStop, RGB(0, 0, 255)), 100) << "enabled, it shows its blue image";
    // A resource holds several texts, each behind the separator it starts
    // with and each ended by it; a separator at the very end counts as none.
    EXPECT_EQ(0, m_bar.AddString(IDS_TEST_TOOLBAR_TEXTS)) << "the resource's texts come first";
    EXPECT_EQ(3, m_bar.AddStrings("Start\0Halt\0")) << "two more follow its three";
    const char *expected[] = {"Öffnen", "Aufnehmen", "Anhalten", "Start", "Halt"};
    for (int i = 0; i < 5; i++) {
        char text[64] = "";
        m_bar.SendMessage(TB_GETSTRINGA, MAKEWPARAM(sizeof text, i), reinterpret_cast<LPARAM>(text));
        EXPECT_STREQ(expected[i], text) << i;
    }
}

// The owner describes its buttons when a saved layout is restored and hears
// the command of a clicked button.
TEST_F(ControlWindow, ToolBarTheOwnerRestoresTheSavedLayoutAndHearsClicks)
{
    const char *subKey = "Software\\QRV Tests\\toolbar";
    m_bar.SaveState(HKEY_CURRENT_USER, subKey, "Leiste");
    ASSERT_TRUE(m_bar.DeleteButton(0));
    ASSERT_EQ(3, m_bar.GetButtonCount());
    EXPECT_EQ((UINT)-1, m_bar.CommandToIndex(kOpen)) << "no button has this command";
    m_bar.RestoreState(HKEY_CURRENT_USER, subKey, "Leiste");
    EXPECT_EQ(4, m_bar.GetButtonCount()) << "the saved layout brings the button back";
    EXPECT_EQ(0u, m_bar.CommandToIndex(kOpen));
    EXPECT_EQ(TBSTATE_ENABLED | TBSTATE_CHECKED, m_bar.GetState(kRecord));
    ::RegDeleteTreeA(HKEY_CURRENT_USER, subKey);

    CRect rc;
    m_bar.GetItemRect((int)m_bar.CommandToIndex(kOpen), &rc);
    LPARAM at = MAKELPARAM(rc.CenterPoint().x, rc.CenterPoint().y);
    m_bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
    m_bar.SendMessage(WM_LBUTTONUP, 0, at);
    PumpFor(30);
    EXPECT_EQ(std::vector<UINT>{kOpen}, m_wnd.m_commands);
    ASSERT_NE(nullptr, m_bar.GetToolTips()) << "TBSTYLE_TOOLTIPS gives the toolbar its tooltip control";
}

TEST_F(ControlWindow, ToolTipToolsAreAddedReadBackUpdatedAndFound)
{
    CButton button;
    ASSERT_TRUE(button.Create("Start", WS_CHILD | WS_VISIBLE, CRect(10, 10, 90, 34), &m_wnd, 7));
    CToolTipCtrl tip;
    ASSERT_TRUE(tip.Create(&m_wnd));
    const CRect area(120, 10, 200, 60);
    ASSERT_TRUE(tip.AddTool(&button, "Startet die Anlage"));
    ASSERT_TRUE(tip.AddTool(&m_wnd, IDS_TEST_TIP, &area, 5));
    EXPECT_FALSE(tip.AddTool(&m_wnd, 12345u, &area, 6)) << "a missing string adds no tool";
    EXPECT_EQ(2, tip.GetToolCount());

    auto text = [&](CWnd *pWnd, UINT id) {
        CString s;
        tip.GetText(s, pWnd, id);
        return std::string((LPCSTR)s);
    };
    EXPECT_EQ("Startet die Anlage", text(&button, 0));
    EXPECT_EQ("Messung starten", text(&m_wnd, 5));
    tip.UpdateTipText("Messung läuft", &m_wnd, 5);
    EXPECT_EQ("Messung läuft", text(&m_wnd, 5));

    TOOLINFOA ti = {};
    ASSERT_TRUE(tip.HitTest(&m_wnd, CPoint(150, 30), &ti));
    EXPECT_EQ(5u, ti.uId);
    EXPECT_FALSE(tip.HitTest(&m_wnd, CPoint(250, 100), &ti)) << "outside every tool";
    ASSERT_TRUE(tip.GetToolInfo(&ti, &button));
    EXPECT_TRUE(ti.uFlags & TTF_IDISHWND) << "a window tool is named by its handle";

    tip.DelTool(&m_wnd, 5);
    EXPECT_EQ(1, tip.GetToolCount());
}

const uint32_t kUp = 0xC80000, kDown = 0x00A000, kFocus = 0x0000C8, kDisabled = 0x808000;

class BitmapButtonTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dlg.Create(IDD_TEST_BUTTONS));
        m_dlg.ShowWindow(SW_SHOW);
        m_dlg.SetForegroundWindow();
        m_dlg.GotoDlgCtrl(m_dlg.GetDlgItem(IDC_TEST_PLAIN_BTN));
        PumpFor(30);
    }
    void TearDown() override { m_dlg.DestroyWindow(); }

    uint32_t Shown(CWnd &button)
    {
        PumpFor(20);
        ScreenPixels px(button.m_hWnd);
        return px.At(px.Width() / 2, px.Height() / 2);
    }

    CDialog m_dlg;
};

// Each state shows its bitmap; a state without one shows the up bitmap.
// AutoLoad takes the bitmaps named by the caption and sizes the button to them.
TEST_F(BitmapButtonTest, EachStateShowsItsBitmapOrElseTheUpOne)
{
    CBitmapButton loaded, partial;
    ASSERT_TRUE(loaded.AutoLoad(IDC_TEST_BITMAP_BTN, &m_dlg));
    CRect rc;
    loaded.GetClientRect(&rc);
    EXPECT_EQ(CSize(40, 24), rc.Size()) << "SizeToContent: the size of the up bitmap";
    ASSERT_TRUE(partial.Create("", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(90, 40, 100, 50), &m_dlg, 50));
    ASSERT_TRUE(partial.LoadBitmaps(IDB_TEST_BTN_UP, 0, 0, IDB_TEST_BTN_DISABLED));
    partial.SizeToContent();
    const struct {
        CBitmapButton *button;
        std::vector<uint32_t> shown; // up, pressed, focused, disabled
    } cases[] = {{&loaded, {kUp, kDown, kFocus, kDisabled}}, {&partial, {kUp, kUp, kUp, kDisabled}}};
    for (const auto &c : cases) {
        CBitmapButton &button = *c.button;
        std::vector<uint32_t> shown = {Shown(button)};
        button.SetState(TRUE);
        shown.push_back(Shown(button));
        button.SetState(FALSE);
        m_dlg.GotoDlgCtrl(&button);
        shown.push_back(Shown(button));
        m_dlg.GotoDlgCtrl(m_dlg.GetDlgItem(IDC_TEST_PLAIN_BTN));
        button.EnableWindow(FALSE);
        shown.push_back(Shown(button));
        EXPECT_EQ(c.shown, shown);
    }
    EXPECT_FALSE(partial.LoadBitmaps(IDB_TEST_BTN_UP, 4711)) << "a missing bitmap is reported";
    EXPECT_FALSE(CBitmapButton().AutoLoad(4711, &m_dlg)) << "no such control";
}

TEST(FileDialog, PathPartsAndTheFilterAsTheDialogReadsThem)
{
    struct Case {
        const char *path;
        const char *name;
        const char *ext;
        const char *title;
    };
    const Case cases[] = {
        {"C:\\daten\\messung.csv", "messung.csv", "csv", "messung"},
        {"bericht", "bericht", "", "bericht"},
        {"D:\\a.b\\wert", "wert", "", "wert"},
        {"E:\\archiv.tar.gz", "archiv.tar.gz", "gz", "archiv.tar"},
    };
    for (const Case &c : cases) {
        CFileDialog dlg(FALSE, "csv", c.path);
        EXPECT_STREQ(c.path, dlg.GetPathName());
        EXPECT_STREQ(c.name, dlg.GetFileName()) << c.path;
        EXPECT_STREQ(c.ext, dlg.GetFileExt()) << c.path;
        EXPECT_STREQ(c.title, dlg.GetFileTitle()) << c.path;
    }

    struct Filter {
        const char *given;
        std::string read;
    };
    const Filter filters[] = {
        {"Text (*.txt)|*.txt|Alle Dateien (*.*)|*.*||",
         std::string("Text (*.txt)\0*.txt\0Alle Dateien (*.*)\0*.*\0\0", 43)},
        {"Messdaten|*.csv;*.txt", std::string("Messdaten\0*.csv;*.txt\0\0", 23)},
    };
    for (const Filter &f : filters) {
        CFileDialog dlg(TRUE, nullptr, nullptr, OFN_HIDEREADONLY, f.given);
        ASSERT_NE(nullptr, dlg.m_ofn.lpstrFilter);
        EXPECT_EQ(f.read, std::string(dlg.m_ofn.lpstrFilter, f.read.size())) << f.given;
    }
    EXPECT_EQ(nullptr, CFileDialog(TRUE).m_ofn.lpstrFilter);
}

// Runs the file dialog on the folder; the driver reads the file types
// offered and types `name` into the name field (the combo box of the
// Explorer-style dialog, else the old edit), or cancels without a name.
INT_PTR RunFileDialog(CFileDialog &dlg, const std::string &folder, const std::string &name,
                      std::vector<std::string> *pTypes = nullptr)
{
    dlg.m_ofn.lpstrInitialDir = folder.c_str();
    ModalDriver driver([&](HWND hDlg, ModalDriver &) {
        HWND hTypes = ::GetDlgItem(hDlg, cmb1);
        for (int i = 0, n = (int)::SendMessageA(hTypes, CB_GETCOUNT, 0, 0); pTypes && i < n; i++) {
            char text[128] = "";
            ::SendMessageA(hTypes, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
            pTypes->push_back(text);
        }
        HWND hName = ::GetDlgItem(hDlg, cmb13) ? ::GetDlgItem(hDlg, cmb13) : ::GetDlgItem(hDlg, edt1);
        ::SendMessageA(hName, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
        Click(hDlg, name.empty() ? IDCANCEL : IDOK);
    });
    INT_PTR result = dlg.DoModal();
    EXPECT_TRUE(driver.Join());
    return result;
}

// Save As adds the default extension and offers the filter's types.
TEST(FileDialog, TheChosenFilesComeBackWithTheirFullPaths)
{
    const std::string folder = FreshTempFolder("filedialog");
    CFileDialog dlg(FALSE, "csv", nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                    "Messdaten (*.csv)|*.csv|Alle Dateien (*.*)|*.*||");
    std::vector<std::string> types;
    ASSERT_EQ(IDOK, RunFileDialog(dlg, folder, "messung", &types));
    EXPECT_EQ((std::vector<std::string>{"Messdaten (*.csv)", "Alle Dateien (*.*)"}), types);
    EXPECT_STRCASEEQ((folder + "\\messung.csv").c_str(), dlg.GetPathName());
    // Several files come back with their full paths.
    for (const char *name : {"a.txt", "b.txt"})
        CFile((folder + "\\" + name).c_str(), CFile::modeCreate | CFile::modeWrite);
    CFileDialog multi(TRUE, nullptr, nullptr, OFN_ALLOWMULTISELECT | OFN_FILEMUSTEXIST, "Text|*.txt||");
    ASSERT_EQ(IDOK, RunFileDialog(multi, folder, "\"a.txt\" \"b.txt\""));
    std::vector<std::string> paths;
    for (POSITION pos = multi.GetStartPosition(); pos && paths.size() < 5;)
        paths.push_back((LPCSTR)multi.GetNextPathName(pos));
    ASSERT_EQ(2u, paths.size());
    EXPECT_STRCASEEQ((folder + "\\a.txt").c_str(), paths[0].c_str());
    EXPECT_STRCASEEQ((folder + "\\b.txt").c_str(), paths[1].c_str());
    // Cancel leaves the dialog's name as it was.
    CFileDialog again(TRUE, nullptr, "start.txt");
    EXPECT_EQ(IDCANCEL, RunFileDialog(again, folder, ""));
    EXPECT_STREQ("start.txt", again.GetPathName());
}

TEST_F(ControlWindow, AnimateCtrlResourceClipsShowTheirFramesAndThoseThatCannotBeReadFailCleanly)
{
    CAnimateCtrl anim; // below the toolbar
    ASSERT_TRUE(anim.Create(WS_CHILD | WS_VISIBLE, CRect(10, 40, 74, 104), &m_wnd, 3));
    // The centre's colour once Seek showed frame n.
    auto frame = [&anim](UINT n) {
        EXPECT_TRUE(anim.Seek(n));
        PumpFor(20);
        ScreenPixels px(anim.m_hWnd);
        return px.Width() > 0 ? px.At(px.Width() / 2, px.Height() / 2) : 0xFFFFFFFFu;
    };
    ASSERT_TRUE(anim.Open(IDR_TEST_CLIP)) << "the AVI resource of the program";
    EXPECT_EQ(0xFF0000u, frame(0));
    EXPECT_EQ(0x0000FFu, frame(1));
    EXPECT_TRUE(anim.Close());
    EXPECT_FALSE(anim.Open("C:\\gibt\\es\\nicht.avi"));
    EXPECT_FALSE(anim.Open(4711u));
    EXPECT_FALSE(anim.Open(""));
}

} // namespace
