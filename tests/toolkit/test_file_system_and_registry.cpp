// The toolkit's file-system and registry key objects and its DIB depth
// conversion, as the catalogue, the browsing code and the viewer rely on them.
#include "toolkit/FileSystemObject.h"
#include "toolkit/PlxUtil.h"
#include "toolkit/RegistryKey.h"
#include "tests/support/TestApp.h"
#include <gtest/gtest.h>
#include <fstream>
#include <string>
#include <vector>

namespace {

using qrvtest::Exists;

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

// Drive, folder without and with its separator, title, extension and name
// of local, relative, drive-relative and network paths with either separator.
TEST(FileSystemObject, SplitsPathsIntoTheirParts)
{
    const struct {
        const char *path, *drive, *folder, *folderSlash, *title, *ext, *name;
    } cases[] = {
        {"C:\\Daten\\Bild.bmp", "C:\\", "C:\\Daten", "C:\\Daten\\", "Bild", "bmp", "Bild.bmp"},
        {"C:\\Bild.bmp", "C:\\", "C:\\", "C:\\", "Bild", "bmp", "Bild.bmp"},
        {"C:Bild", "C:\\", "C:", "C:", "Bild", "", "Bild"},
        {"d:/a/b.c", "d:\\", "d:/a", "d:/a/", "b", "c", "b.c"},
        {"\\\\srv\\share\\x.tar.gz", "\\\\srv\\share\\", "\\\\srv\\share\\", "\\\\srv\\share\\", "x.tar",
         "gz", "x.tar.gz"},
        {"\\\\srv\\share\\dir\\x", "\\\\srv\\share\\", "\\\\srv\\share\\dir", "\\\\srv\\share\\dir\\", "x",
         "", "x"},
        {"Bild.", "", "", "", "Bild", "", "Bild."},
    };
    CFileSystemObject fs;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_STREQ(c.drive, fs.GetDrive(c.path));
        EXPECT_STREQ(c.folder, fs.GetFolder(c.path, 0));
        EXPECT_STREQ(c.folderSlash, fs.GetFolder(c.path, 1));
        EXPECT_STREQ(c.title, fs.GetTitle(c.path));
        EXPECT_STREQ(c.ext, fs.GetExtension(c.path));
        EXPECT_STREQ(c.name, fs.GetName(c.path));
    }
    EXPECT_STREQ("", fs.GetName(nullptr));
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

namespace {

// A 16-bit DIB of one row in a movable block, with bit-field masks when given.
HGLOBAL Dib16(std::vector<WORD> pixels, std::vector<DWORD> masks)
{
    BITMAPINFOHEADER bih = {};
    bih.biSize = sizeof(bih);
    bih.biWidth = LONG(pixels.size());
    bih.biHeight = 1;
    bih.biPlanes = 1;
    bih.biBitCount = 16;
    bih.biCompression = masks.empty() ? BI_RGB : BI_BITFIELDS;
    pixels.resize((pixels.size() + 1) & ~size_t(1));
    std::vector<BYTE> bytes((BYTE *)&bih, (BYTE *)(&bih + 1));
    bytes.insert(bytes.end(), (BYTE *)masks.data(), (BYTE *)(masks.data() + masks.size()));
    bytes.insert(bytes.end(), (BYTE *)pixels.data(), (BYTE *)(pixels.data() + pixels.size()));
    HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    memcpy(::GlobalLock(h), bytes.data(), bytes.size());
    ::GlobalUnlock(h);
    return h;
}

// The blue, green, red bytes of a converted one-row DIB; empty when refused.
std::vector<int> Converted(HGLOBAL hDib)
{
    HGLOBAL hOut = CPlxUtil::ConvertDib(hDib, 24, 0);
    ::GlobalFree(hDib);
    if (!hOut)
        return {};
    const BYTE *p = static_cast<const BYTE *>(::GlobalLock(hOut));
    const BITMAPINFOHEADER &bih = *reinterpret_cast<const BITMAPINFOHEADER *>(p);
    std::vector<int> bgr(p + bih.biSize, p + bih.biSize + 3 * bih.biWidth);
    EXPECT_EQ(24, bih.biBitCount);
    ::GlobalUnlock(hOut);
    ::GlobalFree(hOut);
    return bgr;
}

} // namespace

// 16-bit pixels become blue, green, red bytes: 5-5-5 without masks, the
// masks' own layout with them; masks with gaps are refused.
TEST(PlxUtil, ConvertsSixteenBitDibsByTheirMasks)
{
    EXPECT_EQ((std::vector<int>{0, 0, 255, 255, 0, 0, 132, 132, 132}),
              Converted(Dib16({0x7C00, 0x001F, 0x4210}, {})));
    EXPECT_EQ((std::vector<int>{0, 0, 255, 0, 255, 0, 255, 0, 0}),
              Converted(Dib16({0xF800, 0x07E0, 0x001F}, {0xF800, 0x07E0, 0x001F})));
    EXPECT_EQ(std::vector<int>{}, Converted(Dib16({0xF800}, {0xF00F, 0x07E0, 0x001F})));
}
