// The file-list walk and the file operations on real files with the real
// shell file operation: copy, move (several files at once), verification and
// overwrite confirmation. (Rename, delete and new folders: the file list tree's tests.)
#include <gtest/gtest.h>

#include "browse/FileList.h"
#include "browse/FileOperations.h"
#include "tests/browse/BrowseFixture.h"
#include "tests/support/TestApp.h"
#include "uiauto/ControlActions.h"
#include "uiauto/ModalDriver.h"

using namespace filetest;

TEST(FileListWalk, YieldsEntriesUntilAShortOverlongOrUnterminatedOne)
{
    const std::string max(260, 'a'), tooLong(261, 'b');
    const struct { CString list; Names expected; } cases[] = {
        {MakeList({"C:\\a.txt", "C:\\b.txt"}), {"C:\\a.txt", "C:\\b.txt"}},
        {MakeList({"C:\\a", "x", "C:\\b"}), {"C:\\a"}},   // an entry of one character ends the walk
        {CString("C:\\one\0C:\\two", 13), {"C:\\one"}},   // the last one lacks its zero
        {MakeList({max, "C:\\x"}), {max, "C:\\x"}},
        {MakeList({"C:\\x", tooLong, "C:\\y"}), {"C:\\x"}},
        {CString(), {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.expected, Entries(c.list)) << std::string(c.list).substr(0, 12);
        EXPECT_EQ(static_cast<int>(c.expected.size()), CFileList::Count(c.list));
    }
    CFileList none(nullptr, 100);
    CString entry("bleibt");
    EXPECT_FALSE(none.GetNext(entry));
    EXPECT_STREQ("bleibt", entry);
}

namespace {

struct FileOpsFixture : ::testing::Test {
    std::string src, dst;
    void SetUp() override
    {
        std::string root = qrvtest::FreshTempFolder("fileops");
        ::CreateDirectoryA((src = root + "\\src").c_str(), nullptr);
        ::CreateDirectoryA((dst = root + "\\dst").c_str(), nullptr);
    }
    std::string Src(const char* name, const char* text = "x")
    {
        WriteText(src + "\\" + name, text);
        return src + "\\" + name;
    }
    // Copies or moves the files into dst; the answer, with the files verified there.
    int Run(bool move, const Names& files, Names* pVerified = nullptr)
    {
        CString list = MakeList(files), target((dst + "\\").c_str()), verified;
        int n = move ? CFileOperations::MoveFiles(list, target, pVerified ? &verified : nullptr)
                     : CFileOperations::CopyFiles(list, target, pVerified ? &verified : nullptr);
        // Both strings are cut back to their first entry.
        EXPECT_EQ(files.empty() ? std::string() : files[0], std::string(list.GetString(), list.GetLength()));
        EXPECT_EQ(dst + "\\", std::string(target));
        if (pVerified)
            *pVerified = Entries(verified);
        return n;
    }
};

}  // namespace

// Copy copies every file and lists what arrived; a missing file fails and
// verifies nothing; over an existing file it asks and overwrites on Yes.
TEST_F(FileOpsFixture, CopyAndMoveListWhatArrived)
{
    std::string a = Src("a.txt", "alpha"), b = Src("b.txt", "beta");
    Names verified;
    EXPECT_EQ(1, Run(false, {a, b}, &verified));
    EXPECT_EQ("alpha", ReadText(dst + "\\a.txt"));
    EXPECT_EQ("beta", ReadText(dst + "\\b.txt"));
    EXPECT_TRUE(Exists(a));
    EXPECT_EQ((Names{dst + "\\a.txt", dst + "\\b.txt"}), verified);

    EXPECT_EQ(0, Run(false, {src + "\\missing.txt"}, &verified));
    EXPECT_TRUE(verified.empty());
    EXPECT_EQ(0, Run(false, {}));
    EXPECT_EQ((Names{"a.txt", "b.txt"}), FolderEntries(dst));

    WriteText(a, "new");
    qrvtest::ModalDriver driver([](HWND hDlg, qrvtest::ModalDriver&) { qrvtest::Click(hDlg, IDYES); });
    EXPECT_EQ(1, Run(false, {a}, &verified));
    EXPECT_TRUE(driver.Join());
    EXPECT_EQ("new", ReadText(dst + "\\a.txt"));
    EXPECT_EQ(1u, verified.size());

    // Move moves several files at once; with a verification list it answers
    // whether anything arrived, whatever the shell answers.
    std::string c = Src("c.txt", "gamma"), d = Src("d.txt"), e = Src("e.txt");
    EXPECT_EQ(1, Run(true, {c, d}));
    EXPECT_EQ((Names{"a.txt", "b.txt", "e.txt"}), FolderEntries(src));
    EXPECT_EQ("gamma", ReadText(dst + "\\c.txt"));
    EXPECT_EQ(1, Run(true, {e}, &verified));
    EXPECT_EQ((Names{dst + "\\e.txt"}), verified);
    EXPECT_EQ((Names{"a.txt", "b.txt", "c.txt", "d.txt", "e.txt"}), FolderEntries(dst));
    EXPECT_EQ(0, Run(true, {src + "\\gone.txt"}, &verified));
    EXPECT_TRUE(verified.empty());
}
