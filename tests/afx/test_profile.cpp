// The application's profile in the registry: integers, strings, binary entries.
#include <afxwin.h>
#include <gtest/gtest.h>
#include "tests/support/TestApp.h"

namespace {

class Profile : public ::testing::Test
{
protected:
    void SetUp() override
    {
        qrvtest::App().UseRegistryKey("Profile");
        qrvtest::App().WriteProfileString("Werte", nullptr, nullptr);
    }
};

TEST_F(Profile, EntriesLiveUnderSoftwareKeyAndProfileName)
{
    CWinApp& app = qrvtest::App();
    ASSERT_TRUE(app.WriteProfileInt("Werte", "Zahl", -5));
    ASSERT_TRUE(app.WriteProfileString("Werte", "Text", "Größe"));
    HKEY hKey;
    ASSERT_EQ(ERROR_SUCCESS, ::RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\QRV Tests\\Profile\\QRV Tests\\Werte",
                                             0, KEY_READ, &hKey));
    DWORD value = 0, size = sizeof value, type = 0;
    EXPECT_EQ(ERROR_SUCCESS, ::RegQueryValueExA(hKey, "Zahl", nullptr, &type, (LPBYTE)&value, &size));
    EXPECT_EQ((DWORD)REG_DWORD, type);
    EXPECT_EQ((DWORD)-5, value);
    ::RegCloseKey(hKey);
    EXPECT_EQ((UINT)-5, app.GetProfileInt("Werte", "Zahl", 0));
    EXPECT_STREQ("Größe", app.GetProfileString("Werte", "Text"));
    EXPECT_EQ(11u, app.GetProfileInt("Werte", "Fehlt", 11));
    EXPECT_STREQ("vorgabe", app.GetProfileString("Werte", "Fehlt", "vorgabe"));
}

TEST_F(Profile, BinaryEntriesRoundTripAndWrongTypesAreRefused)
{
    CWinApp& app = qrvtest::App();
    BYTE data[300];
    for (int i = 0; i < 300; ++i)
        data[i] = (BYTE)(i * 7);
    ASSERT_TRUE(app.WriteProfileBinary("Werte", "Block", data, sizeof data));
    LPBYTE pRead = nullptr;
    UINT n = 0;
    ASSERT_TRUE(app.GetProfileBinary("Werte", "Block", &pRead, &n));
    ASSERT_EQ(300u, n);
    EXPECT_EQ(0, memcmp(data, pRead, n));
    delete[] pRead;
    app.WriteProfileString("Werte", "Text", "kein Block");
    EXPECT_FALSE(app.GetProfileBinary("Werte", "Text", &pRead, &n));
    EXPECT_EQ(nullptr, pRead);
    EXPECT_EQ(0u, n);
    // A string is not an integer either.
    EXPECT_EQ(4u, app.GetProfileInt("Werte", "Text", 4));
}

TEST_F(Profile, NullValueDeletesEntryAndNullEntryDeletesSection)
{
    CWinApp& app = qrvtest::App();
    app.WriteProfileString("Werte", "A", "1");
    app.WriteProfileString("Werte", "B", "2");
    EXPECT_TRUE(app.WriteProfileString("Werte", "A", nullptr));
    EXPECT_STREQ("", app.GetProfileString("Werte", "A"));
    EXPECT_STREQ("2", app.GetProfileString("Werte", "B"));
    EXPECT_TRUE(app.WriteProfileString("Werte", nullptr, nullptr));
    EXPECT_STREQ("", app.GetProfileString("Werte", "B"));
}

TEST(WaitCursor, NestsAndRestores)
{
    CWinApp& app = qrvtest::App();
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

}
