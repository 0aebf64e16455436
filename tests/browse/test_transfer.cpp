// File lists and the data that carries them: the walk, the shell file
// operation without a verification list (with one: the tree's tests),
// dropped-files blocks made by the tree and by others, and the image viewer's
// record, whose base name must never lead a file out of the temporary folder.
#include <shlobj.h>
#include "browse/BitmapPaste.h"
#include "browse/FileOperations.h"
#include "tests/browse/BrowseFixture.h"
#include "tests/support/TestApp.h"
#include "toolkit/FileSystemObject.h"
#include "viewer/PlxDibInfo.h"

using namespace filetest;

// A walk ends at an entry shorter than two characters (the empty one, too)
// or longer than 260. (Unterminated ones: the dropped-files blocks.)
TEST(FileListWalk, YieldsEntriesUntilAShortOrOverlongOne)
{
    const struct {
        CString list;
        Names expected;
    } cases[] = {
        {MakeList({"C:\\a.txt", "C:\\b.txt"}), {"C:\\a.txt", "C:\\b.txt"}},
        {MakeList({"C:\\a", "x", "C:\\b"}), {"C:\\a"}},
        {MakeList({"C:\\x", std::string(261, 'b'), "C:\\y"}), {"C:\\x"}},
        {CString(), {}},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(c.expected, Entries(c.list)) << std::string(c.list).substr(0, 12);
        EXPECT_EQ(static_cast<int>(c.expected.size()), CFileList::Count(c.list));
    }
    CString entry("bleibt");
    EXPECT_FALSE(CFileList(nullptr, 100).GetNext(entry));
    EXPECT_STREQ("bleibt", entry);
}

// Without a verification list the shell's answer counts.
TEST(FileOperations, WithoutAVerificationListTheShellsAnswerCounts)
{
    std::string root = qrvtest::FreshTempFolder("fileops");
    ::CreateDirectoryA((root + "\\ziel").c_str(), nullptr);
    for (const char *name : {"\\b.txt", "\\c.txt"})
        WriteText(root + name);
    CString files = MakeList({root + "\\b.txt", root + "\\c.txt"}), target = (root + "\\ziel\\").c_str();
    EXPECT_EQ(1, CFileOperations::MoveFiles(files, target, nullptr));
    EXPECT_EQ((Names{"ziel"}), FolderEntries(root));
    EXPECT_EQ((Names{"b.txt", "c.txt"}), FolderEntries(root + "\\ziel"));
}

namespace {

// A block of the bytes given from its start, the rest up to its size filled.
HGLOBAL Bytes(const std::string &data, size_t size, char fill = 0)
{
    HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE, size);
    void *p = ::GlobalLock(h);
    memset(p, fill, ::GlobalSize(h));
    memcpy(p, data.data(), data.size());
    ::GlobalUnlock(h);
    return h;
}

// A block with a header and the bytes of the list, as another program might make it.
template <class Ch, size_t N>
HGLOBAL RawBlock(DWORD offset, const Ch (&list)[N], BOOL wide = sizeof(Ch) == 2, size_t pad = 0)
{
    DROPFILES hdr = {offset, {12, 34}, FALSE, wide};
    std::string data(reinterpret_cast<const char *>(&hdr), sizeof(hdr));
    data.append(pad, '\0').append(reinterpret_cast<const char *>(list), sizeof(list));
    return Bytes(data, data.size());
}

} // namespace

// The library's blocks carry the list after a 20-byte header, in steps of
// 4096 bytes. Read back, only full paths of up to 260 characters are taken,
// '/' separating as '\'; wide lists are converted even at an odd offset;
// malformed blocks are refused.
TEST(DropFilesBlock, CarriesTheListAndTakesOnlyFullPaths)
{
    CString list = MakeList({"C:\\daten\\a.bmp", "C:\\daten\\b.bmp"});
    HGLOBAL h = CDropFiles::CreateBlock(list);
    ASSERT_NE(nullptr, h);
    EXPECT_EQ(0u, ::GlobalSize(h) % 4096);
    DROPFILES expected = {20, {0, 0}, FALSE, FALSE};
    EXPECT_EQ(0, memcmp(::GlobalLock(h), &expected, 20));
    ::GlobalUnlock(h);
    // The platform reads the list after it as a drop of two files.
    char name[MAX_PATH] = "";
    EXPECT_EQ(2u, ::DragQueryFileA(static_cast<HDROP>(h), 0xFFFFFFFF, nullptr, 0));
    ::DragQueryFileA(static_cast<HDROP>(h), 1, name, MAX_PATH);
    EXPECT_STREQ("C:\\daten\\b.bmp", name);
    ::GlobalFree(h);
    std::string endless(23, '\0'); // a header, then characters to the block's end
    endless[0] = 20;
    endless.replace(20, 3, "C:\\");
    std::string inHeader(24, '\0'); // a wide path inside the header, ended by the wide flag
    inHeader[0] = 4;
    memcpy(&inHeader[4], L"C:\\a.txt", 16);
    char longList[600] = "C:\\"; // 260 characters, then 261
    memset(longList + 3, 'a', 257);
    memcpy(longList + 261, ("C:\\" + std::string(258, 'b')).data(), 261);
    const wchar_t wide[] = L"C:\\daten\\\u00e4pfel.txt\0\\\\server\\share\\b.txt\0";
    const Names wideNames = {"C:\\daten\\\xe4pfel.txt", "\\\\server\\share\\b.txt"};
    const wchar_t cut[] = {L'C', L':', L'\\', L'a', L'b'}; // wide, without a terminator
    wchar_t longWide[280] = L"C:\\";                       // 261 wide characters, then a short path
    wmemset(longWide + 3, L'b', 258);
    wcscpy(longWide + 262, L"C:\\x\\a.txt");
    const struct {
        HGLOBAL h;
        Names expected;
        const char *what;
    } cases[] = {
        {RawBlock(20, "relative.txt\0C:x.txt\0C:/x/c.txt\0C:\\x\\b.txt\0"),
         {"C:/x/c.txt", "C:\\x\\b.txt"},
         "mixed"},
        {RawBlock(20, longList), {"C:\\" + std::string(257, 'a')}, "260 characters, then 261"},
        {RawBlock(20, wide), wideNames, "wide"},
        {RawBlock(21, wide, TRUE, 1), wideNames, "wide at an odd offset"},
        {RawBlock(20, longWide), {"C:\\x\\a.txt"}, "wide, 261 characters, then a short one"},
        {RawBlock(20, "C:\\x\\a.txt\0\0", TRUE), {"refused"}, "narrow names marked wide"},
        {RawBlock(100000, "C:\\x\\a.txt\0"), {"refused"}, "list past the end"},
        {RawBlock(4, "C:\\x\\a.txt\0"), {"refused"}, "list inside the header"},
        {Bytes(inHeader, inHeader.size()), {"refused"}, "wide path inside the header"},
        {Bytes("", 8), {"refused"}, "shorter than its header"},
        {Bytes(endless, 64, 'A'), {"refused"}, "no terminator to the block's end"},
        {RawBlock(20, "..\\..\\secret.txt\0"), {"refused"}, "only a relative name"},
        {RawBlock(20, cut), {"refused"}, "wide, without terminator"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.expected, ReadFiles(c.h)) << c.what;
    CString nothing;
    EXPECT_FALSE(CDropFiles::ReadBlock(nullptr, nothing));
}

namespace {

// A record block of the size with the base name's bytes (as many as fit its 32-character field) and 8 colour bits.
HGLOBAL Record(const std::string &name, size_t cbBlock = sizeof(sPLXDIBINFO))
{
    HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, cbBlock);
    BYTE *p = static_cast<BYTE *>(::GlobalLock(h));
    strcpy(reinterpret_cast<char *>(p), "C:\\bilder\\quelle.png");
    if (cbBlock >= sizeof(sPLXDIBINFO)) {
        memcpy(p + offsetof(sPLXDIBINFO, szBaseName), name.c_str(), std::min<size_t>(name.size() + 1, 32));
        p[offsetof(sPLXDIBINFO, byColorBits)] = 8;
    }
    ::GlobalUnlock(h);
    return h;
}

} // namespace

// The record gives its base name made safe (never read past its 32-character
// field) and the colour bits; too small a block or a name of only dots and
// blanks is refused. A safe name only ever names a file in the temporary folder.
TEST(PasteRecord, GivesASafeBaseNameThatOnlyEverNamesAFileInTheTemporaryFolder)
{
    char temp[MAX_PATH + 1] = "";
    ::GetTempPathA(MAX_PATH, temp);
    const std::string full(32, 'n');
    const struct {
        std::string raw;
        std::string safe; // empty: refused
    } cases[] = {
        {full, full},
        {"..\\..\\evil", "______evil"},
        {"../../evil", "______evil"},
        {"C:\\windows\\evil", "C__windows_evil"},
        {"C:evil", "C_evil"},
        {"\\\\server\\share\\x", "__server_share_x"},
        {"a\\..\\..\\b", "a_______b"},
        {".hidden", "_hidden"},
        {"..", ""},
        {"...", ""},
        {" . ", ""},
        {"", ""},
        {"CON", "_CON"},
        {"nul.txt", "_nul.txt"},
        {"LPT1", "_LPT1"},
        {"com1", "_com1"},
        {"sub/dir/", "sub_dir_"},
        {"na\tme", "na_me"},
        {"?*<>|\"", "______"},
        {"Bild 1", "Bild 1"},
        {"Bild.v2", "Bild.v2"},
    };
    CFileSystemObject fso;
    for (const auto &c : cases) {
        HGLOBAL h = Record(c.raw);
        CString name("bleibt");
        int bits = 0;
        EXPECT_EQ(!c.safe.empty(), CBitmapPaste::ReadRecord(h, name, bits) != 0) << c.raw;
        ::GlobalFree(h);
        EXPECT_STREQ(c.safe.empty() ? "bleibt" : c.safe.c_str(), name) << c.raw;
        EXPECT_EQ(c.safe.empty() ? 0 : 8, bits) << c.raw;
        if (!c.safe.empty()) {
            EXPECT_STREQ(temp, fso.GetFolder(CBitmapPaste::TempFileName(name), 1)) << c.raw;
        }
    }
    HGLOBAL hShort = Record("x", 200);
    CString name("bleibt");
    int bits = 0;
    EXPECT_FALSE(CBitmapPaste::ReadRecord(hShort, name, bits));
    ::GlobalFree(hShort);
    EXPECT_FALSE(CBitmapPaste::ReadRecord(nullptr, name, bits));
    EXPECT_STREQ("bleibt", name);
    EXPECT_STREQ((std::string(temp) + "Bild.bmp").c_str(), CBitmapPaste::TempFileName("Bild"));
}
