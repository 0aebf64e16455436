// The toolkit's file-system and registry key objects, as the catalogue and
// the browsing code rely on them.
#include "toolkit/FileSystemObject.h"
#include "toolkit/RegistryKey.h"
#include "tests/support/TestApp.h"
#include <gtest/gtest.h>
#include <fstream>
#include <string>

namespace {

bool Exists(const std::string &path)
{
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool KeyExists(const std::string &path)
{
    HKEY hKey = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return false;
    ::RegCloseKey(hKey);
    return true;
}

void WriteValue(const std::string &path, const char *name, DWORD type, const void *data, size_t size)
{
    ASSERT_EQ(ERROR_SUCCESS,
              ::RegSetKeyValueA(HKEY_CURRENT_USER, path.c_str(), name, type, data, static_cast<DWORD>(size)));
}

void WriteText(const std::string &path, const char *name, const std::string &text)
{
    WriteValue(path, name, REG_SZ, text.c_str(), text.size() + 1);
}

TEST(FileSystemObject, RenameDeleteAndCreateFolder)
{
    const std::string folder = qrvtest::FreshTempFolder("toolkit-fs");
    std::ofstream(folder + "\\a.txt") << "x";
    CFileSystemObject fs;
    EXPECT_NE(fs.Rename((folder + "\\a.txt").c_str(), (folder + "\\b.txt").c_str()), 0);
    EXPECT_FALSE(Exists(folder + "\\a.txt"));
    EXPECT_TRUE(Exists(folder + "\\b.txt"));
    EXPECT_EQ(fs.Rename((folder + "\\a.txt").c_str(), (folder + "\\c.txt").c_str()), 0);
    EXPECT_NE(fs.Delete((folder + "\\b.txt").c_str()), 0);
    EXPECT_EQ(fs.Delete((folder + "\\b.txt").c_str()), 0);
    EXPECT_NE(fs.CreateFolder((folder + "\\Neuer Ordner").c_str()), 0);
    EXPECT_EQ(fs.CreateFolder((folder + "\\Neuer Ordner").c_str()), 0);    // already there
    EXPECT_EQ(fs.CreateFolder((folder + "\\missing\\deeper").c_str()), 0); // the last level only
    EXPECT_EQ(fs.Rename(nullptr, "x"), 0);
    EXPECT_EQ(fs.Delete(nullptr), 0);
}

TEST(RegistryKey, WritesReadsEnumeratesAndDeletes)
{
    const std::string base = "Software\\QRV Tests\\toolkit\\regkey";
    ::RegDeleteTreeA(HKEY_CURRENT_USER, base.c_str());
    CRegistryKey key;
    key.Attach(HKEY_CURRENT_USER);
    EXPECT_FALSE(key.Open(base.c_str()));
    ASSERT_TRUE(key.Create((base + "\\one").c_str()));
    EXPECT_TRUE(key.SetString("Text", "Wert ä"));
    CString text;
    EXPECT_TRUE(key.QueryString("Text", text));
    EXPECT_STREQ(text, "Wert ä");
    EXPECT_FALSE(key.QueryString("Missing", text));
    EXPECT_STREQ(text, "");
    ASSERT_TRUE(key.Create((base + "\\two").c_str()));
    ASSERT_TRUE(key.Open(base.c_str()));
    CString name;
    EXPECT_TRUE(key.EnumKey(0, name));
    EXPECT_STREQ(name, "one");
    EXPECT_TRUE(key.EnumKey(1, name));
    EXPECT_STREQ(name, "two");
    EXPECT_FALSE(key.EnumKey(2, name));
    key.Close();
    EXPECT_FALSE(key.EnumKey(0, name)); // no key open
    EXPECT_TRUE(key.DeleteKey(base.c_str()));
    EXPECT_FALSE(KeyExists(base));
    EXPECT_FALSE(key.DeleteKey("")); // never the whole root
}

TEST(RegistryKey, WrongTypesAndAbsurdSizesReadAsMissing)
{
    const std::string path = "Software\\QRV Tests\\toolkit\\regtypes";
    ::RegDeleteTreeA(HKEY_CURRENT_USER, path.c_str());
    const DWORD number = 42;
    WriteValue(path, "Number", REG_DWORD, &number, sizeof(number));
    WriteText(path, "Huge", std::string(CRegistryKey::kMaxValueBytes + 10, 'x'));
    WriteText(path, "Long", std::string(3000, 'y'));
    WriteValue(path, "NoTerminator", REG_SZ, "abc", 3);
    CRegistryKey key;
    key.Attach(HKEY_CURRENT_USER);
    ASSERT_TRUE(key.Open(path.c_str()));
    CString text;
    EXPECT_FALSE(key.QueryString("Number", text));
    EXPECT_STREQ(text, "");
    DWORD n = 0;
    EXPECT_TRUE(key.QueryDWORD("Number", n));
    EXPECT_EQ(n, 42u);
    EXPECT_FALSE(key.QueryDWORD("Long", n));
    EXPECT_EQ(n, 0u);
    EXPECT_FALSE(key.QueryString("Huge", text));
    EXPECT_TRUE(key.QueryString("Long", text));
    EXPECT_EQ(text.GetLength(), 3000);
    EXPECT_TRUE(key.QueryString("NoTerminator", text));
    EXPECT_STREQ(text, "abc");
    key.Close();
    ::RegDeleteTreeA(HKEY_CURRENT_USER, path.c_str());
}

} // namespace
