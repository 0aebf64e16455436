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
#include "tests/browse/FileTestSupport.h"
#include "tests/browse/NotifyRecorder.h"
#include "tests/support/TestApp.h"
#include "toolkit/FileSystemObject.h"

using filetest::Entries;
using filetest::MakeList;

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

// A w x h 24-bit DIB in movable global memory.
HGLOBAL MakeDib(int w, int h)
{
    int stride = (w * 3 + 3) & ~3;
    HGLOBAL hDib = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(BITMAPINFOHEADER) + stride * h);
    BYTE* p = static_cast<BYTE*>(::GlobalLock(hDib));
    BITMAPINFOHEADER* bih = reinterpret_cast<BITMAPINFOHEADER*>(p);
    bih->biSize = sizeof(BITMAPINFOHEADER);
    bih->biWidth = w;
    bih->biHeight = h;
    bih->biPlanes = 1;
    bih->biBitCount = 24;
    bih->biCompression = BI_RGB;
    for (int i = 0; i < stride * h; ++i)
        p[sizeof(BITMAPINFOHEADER) + i] = static_cast<BYTE>(i * 7);
    ::GlobalUnlock(hDib);
    return hDib;
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

TEST(DropFilesBlock, MalformedBlocksAreRefusedWithoutReadingPastTheirEnd)
{
    const char good[] = "C:\\x\\a.txt\0";
    BOOL ok = TRUE;
    // The list's offset lies past the end of the block, or inside the header.
    EXPECT_TRUE(ReadFiles(RawBlock(100000, FALSE, good, sizeof(good)), &ok).empty());
    EXPECT_FALSE(ok);
    EXPECT_TRUE(ReadFiles(RawBlock(4, FALSE, good, sizeof(good)), &ok).empty());
    EXPECT_FALSE(ok);
    // A list inside the header that reads as a full wide path there: the
    // header's own wide flag is its last two characters.
    HGLOBAL inHeader = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 24);
    BYTE* pHeader = static_cast<BYTE*>(::GlobalLock(inHeader));
    const DWORD four = 4;
    memcpy(pHeader, &four, sizeof(four));
    memcpy(pHeader + 4, L"C:\\a.txt", 16);
    ::GlobalUnlock(inHeader);
    EXPECT_TRUE(ReadFiles(inHeader, &ok).empty());
    EXPECT_FALSE(ok);
    // A block shorter than its header.
    HGLOBAL tiny = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 8);
    EXPECT_TRUE(ReadFiles(tiny, &ok).empty());
    EXPECT_FALSE(ok);
    CString nothing;
    EXPECT_FALSE(CDropFiles::ReadBlock(nullptr, nothing));

    // No terminator anywhere: the block is full of characters to its end.
    HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE, 64);
    BYTE* p = static_cast<BYTE*>(::GlobalLock(h));
    memset(p, 'A', ::GlobalSize(h));
    DROPFILES hdr = {};
    hdr.pFiles = 20;
    memcpy(p, &hdr, sizeof(hdr));
    p[20] = 'C';
    p[21] = ':';
    p[22] = '\\';
    ::GlobalUnlock(h);
    EXPECT_TRUE(ReadFiles(h, &ok).empty());
    EXPECT_FALSE(ok);

    // Entries after an unterminated one are not reached; relative names are skipped.
    const char mixed[] = "relative.txt\0C:\\x\\b.txt\0";
    EXPECT_EQ((std::vector<std::string>{"C:\\x\\b.txt"}), ReadFiles(RawBlock(20, FALSE, mixed, sizeof(mixed))));
    // Entries of up to 260 characters are taken.
    std::string longest = "C:\\" + std::string(257, 'a');
    longest += std::string(1, '\0') + "C:\\" + std::string(258, 'b') + std::string(2, '\0');
    EXPECT_EQ((std::vector<std::string>{"C:\\" + std::string(257, 'a')}),
              ReadFiles(RawBlock(20, FALSE, longest.data(), longest.size())));
    const char onlyRelative[] = "..\\..\\secret.txt\0";
    EXPECT_TRUE(ReadFiles(RawBlock(20, FALSE, onlyRelative, sizeof(onlyRelative)), &ok).empty());
    EXPECT_FALSE(ok);
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

    // A wide list without its terminator inside the block.
    const wchar_t cut[] = {L'C', L':', L'\\', L'a', L'b'};
    BOOL ok = TRUE;
    EXPECT_TRUE(ReadFiles(RawBlock(20, TRUE, cut, sizeof(cut)), &ok).empty());
    EXPECT_FALSE(ok);
    // A narrow list read with the wide flag set gives nothing usable.
    const char narrow[] = "C:\\x\\a.txt\0\0";
    EXPECT_TRUE(ReadFiles(RawBlock(20, TRUE, narrow, sizeof(narrow))).empty());
}

TEST(PasteRecord, TakesTheBaseNameAndBitsAndNeverReadsPastTheName)
{
    CString name;
    int bits = 0;
    HGLOBAL h = MakeRecord("sonne", 6, 8);
    EXPECT_TRUE(CBitmapPaste::ReadRecord(h, name, bits));
    EXPECT_STREQ("sonne", name);
    EXPECT_EQ(8, bits);
    ::GlobalFree(h);

    // 32 characters without a zero: the name stops at its field's end.
    std::string full(32, 'n');
    h = MakeRecord(full.c_str(), 32, 4);
    EXPECT_TRUE(CBitmapPaste::ReadRecord(h, name, bits));
    EXPECT_EQ(full, std::string(name));
    ::GlobalFree(h);

    // Too small a block, or a name of nothing but dots, is refused.
    CString untouched("bleibt");
    h = MakeRecord("x", 1, 8, 200);
    EXPECT_FALSE(CBitmapPaste::ReadRecord(h, untouched, bits));
    ::GlobalFree(h);
    h = MakeRecord("..", 3, 8);
    EXPECT_FALSE(CBitmapPaste::ReadRecord(h, untouched, bits));
    ::GlobalFree(h);
    EXPECT_STREQ("bleibt", untouched);
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
