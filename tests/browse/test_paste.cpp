// Clipboard data coming in: dropped-files blocks made by the tree and by
// others (malformed ones included), and bitmaps with the image viewer's
// record, whose base name must never lead a file out of the temporary folder.
#include <gtest/gtest.h>
#include <shlobj.h>
#include <cstring>

#include "browse/BitmapPaste.h"
#include "viewer/PlxDibInfo.h"
#include "browse/DropFiles.h"
#include "browse/FileList.h"
#include "tests/browse/BrowseFixture.h"
#include "tests/support/TestApp.h"
#include "toolkit/FileSystemObject.h"

using filetest::Entries;
using filetest::MakeList;
using filetest::MakeDib;

namespace {

// A block with a header and whatever bytes follow, as another program might make it.
HGLOBAL RawBlock(DWORD offset, BOOL wide, const void* data, size_t cb, size_t extra = 0)
{
    HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + cb + extra);
    BYTE* p = static_cast<BYTE*>(::GlobalLock(h));
    DROPFILES* hdr = reinterpret_cast<DROPFILES*>(p);
    hdr->pFiles = offset;
    hdr->pt.x = 12;
    hdr->pt.y = 34;
    hdr->fWide = wide;
    memcpy(p + sizeof(DROPFILES), data, cb);
    ::GlobalUnlock(h);
    return h;
}

std::vector<std::string> ReadFiles(HGLOBAL h, BOOL* pOk = nullptr)
{
    CString files("unchanged");
    BOOL ok = CDropFiles::ReadBlock(h, files);
    if (pOk)
        *pOk = ok;
    ::GlobalFree(h);
    return ok ? Entries(files) : std::vector<std::string>{};
}

HGLOBAL MakeRecord(const char* baseName, size_t cbName, BYTE bits, size_t cbBlock = sizeof(sPLXDIBINFO))
{
    HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, cbBlock);
    BYTE* p = static_cast<BYTE*>(::GlobalLock(h));
    if (cbBlock >= sizeof(sPLXDIBINFO)) {
        strcpy(reinterpret_cast<char*>(p), "C:\\bilder\\quelle.png");
        memcpy(p + offsetof(sPLXDIBINFO, szBaseName), baseName, cbName);
        p[offsetof(sPLXDIBINFO, byColorBits)] = bits;
    }
    ::GlobalUnlock(h);
    return h;
}

std::string TempFolder()
{
    char sz[MAX_PATH + 1] = "";
    ::GetTempPathA(MAX_PATH, sz);
    return sz;
}

}  // namespace

TEST(DropFilesBlock, CarriesTheListAfterA20ByteHeaderAndReadsBack)
{
    CString list = MakeList({"C:\\daten\\a.bmp", "C:\\daten\\b.bmp"});
    HGLOBAL h = CDropFiles::CreateBlock(list);
    ASSERT_NE(nullptr, h);
    EXPECT_EQ(0u, ::GlobalSize(h) % 4096);
    const BYTE* p = static_cast<const BYTE*>(::GlobalLock(h));
    const DROPFILES* hdr = reinterpret_cast<const DROPFILES*>(p);
    EXPECT_EQ(20u, hdr->pFiles);
    EXPECT_EQ(0, hdr->pt.x);
    EXPECT_EQ(0, hdr->pt.y);
    EXPECT_FALSE(hdr->fNC);
    EXPECT_FALSE(hdr->fWide);
    EXPECT_EQ(0, memcmp(p + 20, list.GetString(), list.GetLength()));
    EXPECT_EQ(0, p[20 + list.GetLength()]);
    EXPECT_EQ(0, p[20 + list.GetLength() + 1]);
    ::GlobalUnlock(h);

    // The platform reads it as a drop of two files.
    char name[MAX_PATH] = "";
    EXPECT_EQ(2u, ::DragQueryFileA(static_cast<HDROP>(h), 0xFFFFFFFF, nullptr, 0));
    ::DragQueryFileA(static_cast<HDROP>(h), 1, name, MAX_PATH);
    EXPECT_STREQ("C:\\daten\\b.bmp", name);
    EXPECT_EQ((std::vector<std::string>{"C:\\daten\\a.bmp", "C:\\daten\\b.bmp"}), ReadFiles(h));
}

// A block of the bytes given from its start, header included, the rest to its end filled.
static HGLOBAL Bytes(const void* data, size_t cb, size_t size, char fill = 0)
{
    HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE, size);
    void* p = ::GlobalLock(h);
    memset(p, fill, ::GlobalSize(h));
    memcpy(p, data, cb);
    ::GlobalUnlock(h);
    return h;
}

TEST(DropFilesBlock, OnlyFullPathsAreTakenAndMalformedBlocksAreRefused)
{
    const char good[] = "C:\\x\\a.txt\0";
    std::string endless(23, '\0');   // a header, then characters to the block's end
    endless[0] = 20;
    memcpy(&endless[20], "C:\\", 3);
    std::string inHeader(24, '\0');   // a wide path inside the header, ended by the wide flag
    inHeader[0] = 4;
    memcpy(&inHeader[4], L"C:\\a.txt", 16);
    const char onlyRelative[] = "..\\..\\secret.txt\0";
    const wchar_t cut[] = {L'C', L':', L'\\', L'a', L'b'};   // wide, without a terminator
    const struct { HGLOBAL h; const char* what; } refused[] = {
        {RawBlock(100000, FALSE, good, sizeof(good)), "list past the end"},
        {RawBlock(4, FALSE, good, sizeof(good)), "list inside the header"},
        {Bytes(inHeader.data(), inHeader.size(), inHeader.size()), "wide path inside the header"},
        {Bytes("", 0, 8), "shorter than its header"},
        {Bytes(endless.data(), endless.size(), 64, 'A'), "no terminator to the block's end"},
        {RawBlock(20, FALSE, onlyRelative, sizeof(onlyRelative)), "only a relative name"},
        {RawBlock(20, TRUE, cut, sizeof(cut)), "wide, without terminator"},
    };
    for (const auto& r : refused) {
        BOOL ok = TRUE;
        EXPECT_TRUE(ReadFiles(r.h, &ok).empty()) << r.what;
        EXPECT_FALSE(ok) << r.what;
    }
    CString nothing;
    EXPECT_FALSE(CDropFiles::ReadBlock(nullptr, nothing));

    // Relative and drive-relative names are skipped, '/' separates as '\';
    // entries of up to 260 characters are taken.
    const char mixed[] = "relative.txt\0C:x.txt\0C:/x/c.txt\0C:\\x\\b.txt\0";
    EXPECT_EQ((std::vector<std::string>{"C:/x/c.txt", "C:\\x\\b.txt"}), ReadFiles(RawBlock(20, FALSE, mixed, sizeof(mixed))));
    std::string longest = "C:\\" + std::string(257, 'a');
    longest += std::string(1, '\0') + "C:\\" + std::string(258, 'b') + std::string(2, '\0');
    EXPECT_EQ((std::vector<std::string>{"C:\\" + std::string(257, 'a')}),
              ReadFiles(RawBlock(20, FALSE, longest.data(), longest.size())));
}

TEST(DropFilesBlock, WideListsAreConvertedEvenAtAnOddOffset)
{
    const wchar_t wide[] = L"C:\\daten\\\u00e4pfel.txt\0\\\\server\\share\\b.txt\0";
    EXPECT_EQ((std::vector<std::string>{"C:\\daten\\\xe4pfel.txt", "\\\\server\\share\\b.txt"}),
              ReadFiles(RawBlock(20, TRUE, wide, sizeof(wide))));
    // One byte of padding puts the wide characters at an odd offset.
    std::vector<BYTE> odd(1 + sizeof(wide));
    memcpy(odd.data() + 1, wide, sizeof(wide));
    EXPECT_EQ(2u, ReadFiles(RawBlock(21, TRUE, odd.data(), odd.size())).size());
    // A narrow list read with the wide flag set gives nothing usable.
    const char narrow[] = "C:\\x\\a.txt\0\0";
    EXPECT_TRUE(ReadFiles(RawBlock(20, TRUE, narrow, sizeof(narrow))).empty());
}

// The record gives the base name (never read past its 32-character field)
// and the colour bits; too small a block or a name of dots is refused.
TEST(PasteRecord, TakesTheBaseNameAndBitsAndNeverReadsPastTheName)
{
    const std::string full(32, 'n');
    const struct { const char* name; size_t cbName, cbBlock; bool ok; const char* expected; } cases[] = {
        {"sonne", 6, sizeof(sPLXDIBINFO), true, "sonne"},
        {full.c_str(), 32, sizeof(sPLXDIBINFO), true, full.c_str()},
        {"x", 1, 200, false, "bleibt"},
        {"..", 3, sizeof(sPLXDIBINFO), false, "bleibt"},
    };
    for (const auto& c : cases) {
        CString name("bleibt");
        int bits = 0;
        HGLOBAL h = MakeRecord(c.name, c.cbName, 8, c.cbBlock);
        EXPECT_EQ(c.ok, CBitmapPaste::ReadRecord(h, name, bits) != 0) << c.expected;
        EXPECT_STREQ(c.expected, name);
        EXPECT_EQ(c.ok ? 8 : 0, bits);
        ::GlobalFree(h);
    }
    CString untouched;
    int bits = 0;
    EXPECT_FALSE(CBitmapPaste::ReadRecord(nullptr, untouched, bits));
}

TEST(PasteRecord, HostileBaseNamesOnlyEverNameAFileInTheTemporaryFolder)
{
    std::string temp = TempFolder();
    const char* hostile[] = {"..\\..\\evil", "../../evil", "C:\\windows\\evil", "C:evil", "\\\\server\\share\\x",
                             "a\\..\\..\\b", "..", "...", " . ", "CON", "nul.txt", "LPT1", "sub/dir/", "na\tme", "?*<>|\""};
    CFileSystemObject fso;
    for (const char* raw : hostile) {
        CString safe = CBitmapPaste::SafeBaseName(raw);
        if (safe.IsEmpty())
            continue;   // refused outright
        CString path = CBitmapPaste::TempFileName(safe);
        EXPECT_EQ(temp, std::string(fso.GetFolder(path, 1))) << raw;
        EXPECT_EQ(nullptr, strpbrk(safe.GetString(), "\\/:")) << raw;
        EXPECT_STRNE("..", safe) << raw;
    }
    EXPECT_TRUE(CBitmapPaste::SafeBaseName("..").IsEmpty());
    EXPECT_TRUE(CBitmapPaste::SafeBaseName("").IsEmpty());
    EXPECT_STREQ("_CON", CBitmapPaste::SafeBaseName("CON"));
    EXPECT_STREQ("com1", CBitmapPaste::SafeBaseName("com1").Right(4));
    EXPECT_EQ('_', CBitmapPaste::SafeBaseName("com1")[0]);
    EXPECT_STREQ("Bild 1", CBitmapPaste::SafeBaseName("Bild 1"));
    EXPECT_STREQ("______evil", CBitmapPaste::SafeBaseName("..\\..\\evil"));
    EXPECT_STREQ("Bild.v2", CBitmapPaste::SafeBaseName("Bild.v2"));
    EXPECT_STREQ((temp + "Bild.bmp").c_str(), CBitmapPaste::TempFileName("Bild"));
}

TEST(PasteRecord, SavesTheDibAtTheRecordsBitsThroughTheImagingControl)
{
    filetest::CNotifyRecorder host;
    ASSERT_TRUE(host.CreateTop());
    CString path = CBitmapPaste::TempFileName("qrvtest-paste");
    ::DeleteFileA(path);
    HGLOBAL hDib = MakeDib(5, 3);
    EXPECT_TRUE(CBitmapPaste::SaveDib(&host, hDib, path, 8));
    std::string bmp = filetest::ReadText(path.GetString());
    ASSERT_GE(bmp.size(), 54u);
    EXPECT_EQ("BM", bmp.substr(0, 2));
    BITMAPINFOHEADER bih;
    memcpy(&bih, bmp.data() + 14, sizeof(bih));
    EXPECT_EQ(5, bih.biWidth);
    EXPECT_EQ(3, bih.biHeight);
    EXPECT_EQ(8, bih.biBitCount);
    // The DIB stays the caller's, and no control window is left behind.
    EXPECT_NE(0u, ::GlobalSize(hDib));
    EXPECT_EQ(nullptr, ::GetWindow(host.m_hWnd, GW_CHILD));
    ::GlobalFree(hDib);
    ::DeleteFileA(path);

    EXPECT_FALSE(CBitmapPaste::SaveDib(&host, nullptr, path, 8));
    EXPECT_FALSE(filetest::Exists(path.GetString()));
    host.DestroyWindow();
}
