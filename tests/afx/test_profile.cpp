// The application's profile in the registry: integers, strings, binary
// entries, and the standard settings' most recently used files.
#include <afxwin.h>
#include <afxpriv.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "tests/support/TestApp.h"

namespace {

// Each test starts on an empty section of a registry key of its own.
class Profile : public ::testing::Test {
protected:
    void SetUp() override
    {
        app.UseRegistryKey("Profile");
        app.WriteProfileString("Werte", nullptr, nullptr);
        app.WriteProfileString("Recent File List", nullptr, nullptr);
    }
    void TearDown() override { app.LoadStdProfileSettings(0); }
    std::vector<std::string> Recent()
    {
        std::vector<std::string> files;
        for (int i = 0; app.m_pRecentFileList && i < app.m_pRecentFileList->GetSize(); ++i)
            files.push_back((LPCSTR)(*app.m_pRecentFileList)[i]);
        return files;
    }
    qrvtest::TestApp &app = qrvtest::App();
};

TEST_F(Profile, EntriesLiveUnderSoftwareKeyAndProfileName)
{
    ASSERT_TRUE(app.WriteProfileInt("Werte", "Zahl", -5));
    ASSERT_TRUE(app.WriteProfileString("Werte", "Text", "Größe"));
    DWORD value = 0, size = sizeof value, type = 0;
    EXPECT_EQ(ERROR_SUCCESS,
              ::RegGetValueA(HKEY_CURRENT_USER, "Software\\QRV Tests\\Profile\\QRV Tests\\Werte", "Zahl",
                             RRF_RT_ANY, &type, &value, &size));
    EXPECT_EQ((DWORD)REG_DWORD, type);
    EXPECT_EQ((DWORD)-5, value);
    EXPECT_EQ((UINT)-5, app.GetProfileInt("Werte", "Zahl", 0));
    EXPECT_STREQ("Größe", app.GetProfileString("Werte", "Text"));
    EXPECT_EQ(11u, app.GetProfileInt("Werte", "Fehlt", 11));
    EXPECT_STREQ("vorgabe", app.GetProfileString("Werte", "Fehlt", "vorgabe"));
    EXPECT_EQ(4u, app.GetProfileInt("Werte", "Text", 4)) << "a string is no integer";
    // A null value deletes the entry, a null entry the section.
    app.WriteProfileString("Werte", "B", "2");
    EXPECT_TRUE(app.WriteProfileString("Werte", "Text", nullptr));
    EXPECT_STREQ("", app.GetProfileString("Werte", "Text"));
    EXPECT_STREQ("2", app.GetProfileString("Werte", "B"));
    EXPECT_TRUE(app.WriteProfileString("Werte", nullptr, nullptr));
    EXPECT_STREQ("", app.GetProfileString("Werte", "B"));
}

TEST_F(Profile, BinaryEntriesRoundTripAndWrongTypesAreRefused)
{
    BYTE data[300];
    for (int i = 0; i < 300; ++i)
        data[i] = (BYTE)(i * 7);
    ASSERT_TRUE(app.WriteProfileBinary("Werte", "Block", data, sizeof data));
    LPBYTE pRead = nullptr;
    UINT n = 0;
    ASSERT_TRUE(app.GetProfileBinary("Werte", "Block", &pRead, &n));
    EXPECT_EQ(std::vector<BYTE>(data, data + 300), std::vector<BYTE>(pRead, pRead + n));
    delete[] pRead;
    app.WriteProfileString("Werte", "Text", "kein Block");
    EXPECT_FALSE(app.GetProfileBinary("Werte", "Text", &pRead, &n));
    EXPECT_EQ(nullptr, pRead);
    EXPECT_EQ(0u, n);
}

// LoadStdProfileSettings reads the list, newest first; a known name (in any
// case) moves up, a new one pushes the oldest out; it is written back on exit.
TEST_F(Profile, RecentFilesAreReadNewestFirstAndWrittenBack)
{
    app.WriteProfileString("Recent File List", "File1", "C:\\Projekte\\Anlage.qrv");
    app.WriteProfileString("Recent File List", "File2", "C:\\Projekte\\Halle 2.qrv");
    app.LoadStdProfileSettings(3);
    EXPECT_EQ((std::vector<std::string>{"C:\\Projekte\\Anlage.qrv", "C:\\Projekte\\Halle 2.qrv", ""}),
              Recent());
    app.AddToRecentFileList("c:\\projekte\\halle 2.qrv");
    EXPECT_EQ((std::vector<std::string>{"c:\\projekte\\halle 2.qrv", "C:\\Projekte\\Anlage.qrv", ""}),
              Recent());
    app.AddToRecentFileList("D:\\Neu.qrv");
    app.AddToRecentFileList("D:\\Neuer.qrv");
    EXPECT_EQ((std::vector<std::string>{"D:\\Neuer.qrv", "D:\\Neu.qrv", "c:\\projekte\\halle 2.qrv"}),
              Recent());
    app.SaveStdProfileSettings();
    EXPECT_STREQ("D:\\Neuer.qrv", app.GetProfileString("Recent File List", "File1"));
    EXPECT_STREQ("c:\\projekte\\halle 2.qrv", app.GetProfileString("Recent File List", "File3"));
    EXPECT_STREQ("-", app.GetProfileString("Recent File List", "File4", "-"));
    // Without entries to keep there is no list, and nothing is written.
    app.WriteProfileString("Recent File List", nullptr, nullptr);
    app.LoadStdProfileSettings(0);
    EXPECT_EQ(nullptr, app.m_pRecentFileList);
    app.AddToRecentFileList("C:\\egal.qrv");
    app.SaveStdProfileSettings();
    EXPECT_STREQ("-", app.GetProfileString("Recent File List", "File1", "-"));
}

TEST(WaitCursor, NestsAndRestores)
{
    CWinApp &app = qrvtest::App();
    int before = app.GetWaitCursorCount();
    {
        CWaitCursor outer;
        {
            CWaitCursor inner;
            EXPECT_EQ(before + 2, app.GetWaitCursorCount());
        }
        EXPECT_EQ(before + 1, app.GetWaitCursorCount());
    }
    EXPECT_EQ(before, app.GetWaitCursorCount());
}

} // namespace
