// The file-list walk and the file operations on real files with the real
// shell file operation: copy, move (several files at once), verification,
// overwrite confirmation, rename, delete and folder creation.
#include <gtest/gtest.h>

#include "browse/FileList.h"
#include "browse/FileOperations.h"
#include "tests/browse/BrowseFixture.h"
#include "uiauto/ControlActions.h"
#include "uiauto/ModalDriver.h"
#include "tests/support/TestApp.h"

using filetest::Entries;
using filetest::Exists;
using filetest::MakeList;
using filetest::ReadText;
using filetest::WriteText;

namespace {

struct FileOpsFixture : ::testing::Test {
    std::string src, dst;
    void SetUp() override
    {
        std::string root = qrvtest::FreshTempFolder("fileops");
        src = root + "\\src";
        dst = root + "\\dst";
        ::CreateDirectoryA(src.c_str(), nullptr);
        ::CreateDirectoryA(dst.c_str(), nullptr);
    }
    std::string Src(const char* name, const char* text = "x")
    {
        std::string path = src + "\\" + name;
        WriteText(path, text);
        return path;
    }
    CString Target() const { return CString((dst + "\\").c_str()); }
};

}  // namespace

TEST(FileListWalk, YieldsEntriesUntilAShortOrUnterminatedOne)
{
    CString list = MakeList({"C:\\a.txt", "C:\\b.txt"});
    EXPECT_EQ((std::vector<std::string>{"C:\\a.txt", "C:\\b.txt"}), Entries(list));
    EXPECT_EQ(2, CFileList::Count(list));

    // An entry of one character ends the walk, and so does the empty one.
    CString shortOne = MakeList({"C:\\a", "x", "C:\\b"});
    EXPECT_EQ((std::vector<std::string>{"C:\\a"}), Entries(shortOne));

    // The walk keeps to the length it is given: a last entry without its
    // zero inside that length is not taken.
    const char raw[] = "C:\\one\0C:\\two";
    CFileList walk(raw, 11);
    CString entry;
    EXPECT_TRUE(walk.GetNext(entry));
    EXPECT_STREQ("C:\\one", entry);
    EXPECT_FALSE(walk.GetNext(entry));
    EXPECT_STREQ("C:\\one", entry);
    EXPECT_EQ(0, CFileList::Count(CString()));
    CFileList none(nullptr, 100);
    EXPECT_FALSE(none.GetNext(entry));

    // Entries of up to 260 characters are taken; a longer one ends the walk.
    std::string max(260, 'a'), tooLong(261, 'b');
    EXPECT_EQ((std::vector<std::string>{max, "C:\\x"}), Entries(MakeList({max, "C:\\x"})));
    EXPECT_EQ((std::vector<std::string>{"C:\\x"}), Entries(MakeList({"C:\\x", tooLong, "C:\\y"})));
}

// Copy copies every file, lists what arrived and cuts both strings back to
// their first entry; a missing file fails and verifies nothing; over an
// existing file it asks and overwrites on Yes.
TEST_F(FileOpsFixture, CopyFilesListsWhatArrived)
{
    std::string a = Src("a.txt", "alpha"), b = Src("b.txt", "beta");
    CString files = MakeList({a, b});
    CString target = Target();
    CString verified;
    EXPECT_EQ(1, CFileOperations::CopyFiles(files, target, &verified));
    EXPECT_EQ("alpha", ReadText(dst + "\\a.txt"));
    EXPECT_EQ("beta", ReadText(dst + "\\b.txt"));
    EXPECT_TRUE(Exists(a));
    EXPECT_EQ((std::vector<std::string>{dst + "\\a.txt", dst + "\\b.txt"}), Entries(verified));
    EXPECT_STREQ(a.c_str(), files);
    EXPECT_EQ((int)a.size(), files.GetLength());
    EXPECT_EQ(dst + "\\", std::string(target));

    files = MakeList({src + "\\missing.txt"});
    target = Target();
    CString none, again;
    EXPECT_EQ(0, CFileOperations::CopyFiles(files, target, &none));
    EXPECT_TRUE(Entries(none).empty());
    CString empty;
    EXPECT_EQ(0, CFileOperations::CopyFiles(empty, target, nullptr));
    EXPECT_EQ((std::vector<std::string>{"a.txt", "b.txt"}), filetest::FolderEntries(dst));

    WriteText(a, "new");
    qrvtest::ModalDriver driver([](HWND hDlg, qrvtest::ModalDriver&) { qrvtest::Click(hDlg, IDYES); });
    files = MakeList({a});
    target = Target();
    EXPECT_EQ(1, CFileOperations::CopyFiles(files, target, &again));
    EXPECT_TRUE(driver.Join());
    EXPECT_EQ("new", ReadText(dst + "\\a.txt"));
    EXPECT_EQ(1, CFileList::Count(again));
}

// Move moves several files at once; with a verification list it answers
// whether anything arrived, whatever the shell answers.
TEST_F(FileOpsFixture, MoveFilesMovesSeveralFilesIntoOneFolder)
{
    std::string a = Src("a.txt", "alpha"), b = Src("b.txt", "beta"), c = Src("c.txt", "gamma");
    CString files = MakeList({a, b});
    CString target = Target(), verified;
    EXPECT_EQ(1, CFileOperations::MoveFiles(files, target, nullptr));
    EXPECT_FALSE(Exists(a));
    EXPECT_FALSE(Exists(b));
    EXPECT_EQ("alpha", ReadText(dst + "\\a.txt"));
    files = MakeList({c});
    target = Target();
    EXPECT_EQ(1, CFileOperations::MoveFiles(files, target, &verified));
    EXPECT_EQ((std::vector<std::string>{dst + "\\c.txt"}), Entries(verified));
    EXPECT_EQ((std::vector<std::string>{"a.txt", "b.txt", "c.txt"}), filetest::FolderEntries(dst));

    files = MakeList({src + "\\gone.txt"});
    target = Target();
    CString none;
    EXPECT_EQ(0, CFileOperations::MoveFiles(files, target, &none));
    EXPECT_EQ(0, CFileList::Count(none));
}

TEST_F(FileOpsFixture, RenameDeleteAndCreateFolderGoThroughTheFileSystem)
{
    std::string a = Src("a.txt"), b = Src("b.txt");
    EXPECT_EQ(0, CFileOperations::RenameFile(a.c_str(), b.c_str()));   // b exists
    EXPECT_TRUE(Exists(a));
    EXPECT_EQ(1, CFileOperations::RenameFile(a.c_str(), (src + "\\c.txt").c_str()));
    EXPECT_FALSE(Exists(a));
    EXPECT_TRUE(Exists(src + "\\c.txt"));

    EXPECT_NE(0, CFileOperations::DeleteFileA(b.c_str()));
    EXPECT_FALSE(Exists(b));
    EXPECT_EQ(0, CFileOperations::DeleteFileA(b.c_str()));

    std::string folder = dst + "\\Neu";
    EXPECT_NE(0, CFileOperations::CreateDirectoryA(folder.c_str()));
    EXPECT_TRUE(Exists(folder));
    EXPECT_EQ(0, CFileOperations::CreateDirectoryA(folder.c_str()));
}
