// The standard profile settings of an application: its most recently used
// files, read by LoadStdProfileSettings, newest first, written back on exit.
#include <afxwin.h>
#include <afxpriv.h>
#include <gtest/gtest.h>
#include "tests/support/TestApp.h"

namespace {

class RecentFiles : public ::testing::Test
{
protected:
    void SetUp() override
    {
        qrvtest::App().UseRegistryKey("RecentFiles");
        qrvtest::App().WriteProfileString("Recent File List", nullptr, nullptr);
    }
    void TearDown() override
    {
        qrvtest::App().LoadStdProfileSettings(0);
    }
};

TEST_F(RecentFiles, AreReadFromTheProfileAndNewestFirstAfterAdding)
{
    CWinApp& app = qrvtest::App();
    app.WriteProfileString("Recent File List", "File1", "C:\\Projekte\\Anlage.qrv");
    app.WriteProfileString("Recent File List", "File2", "C:\\Projekte\\Halle 2.qrv");
    app.LoadStdProfileSettings(3);
    ASSERT_NE(nullptr, app.m_pRecentFileList);
    CRecentFileList& list = *app.m_pRecentFileList;
    ASSERT_EQ(3, list.GetSize());
    EXPECT_EQ(CString("C:\\Projekte\\Anlage.qrv"), list[0]);
    EXPECT_EQ(CString("C:\\Projekte\\Halle 2.qrv"), list[1]);
    EXPECT_TRUE(list[2].IsEmpty());

    // A known name (in any case) moves up; a new one pushes the oldest out.
    app.AddToRecentFileList("c:\\projekte\\halle 2.qrv");
    EXPECT_EQ(CString("c:\\projekte\\halle 2.qrv"), list[0]);
    EXPECT_EQ(CString("C:\\Projekte\\Anlage.qrv"), list[1]);
    app.AddToRecentFileList("D:\\Neu.qrv");
    app.AddToRecentFileList("D:\\Neuer.qrv");
    EXPECT_EQ(CString("D:\\Neuer.qrv"), list[0]);
    EXPECT_EQ(CString("D:\\Neu.qrv"), list[1]);
    EXPECT_EQ(CString("c:\\projekte\\halle 2.qrv"), list[2]);

    app.SaveStdProfileSettings();
    EXPECT_EQ(CString("D:\\Neuer.qrv"), app.GetProfileString("Recent File List", "File1"));
    EXPECT_EQ(CString("c:\\projekte\\halle 2.qrv"), app.GetProfileString("Recent File List", "File3"));
    EXPECT_EQ(CString("-"), app.GetProfileString("Recent File List", "File4", "-"));
}

TEST_F(RecentFiles, NoListWithoutEntriesToKeep)
{
    CWinApp& app = qrvtest::App();
    app.LoadStdProfileSettings(0);
    EXPECT_EQ(nullptr, app.m_pRecentFileList);
    app.AddToRecentFileList("C:\\egal.qrv");   // nothing to keep it in
    app.SaveStdProfileSettings();
    EXPECT_EQ(CString("-"), app.GetProfileString("Recent File List", "File1", "-"));
}

}
