// Small helpers for tests on real files: write, read and look for files,
// build file lists.
#pragma once
#include <afx.h>
#include <string>
#include <vector>

namespace testing { class Environment; }

namespace filetest {

// COM for the shell and OLE for the clipboard and drag and drop, set up once
// for the whole test program.
extern const ::testing::Environment* const g_oleEnvironment;

void WriteText(const std::string& path, const std::string& text);
std::string ReadText(const std::string& path);
bool Exists(const std::string& path);
// Removes a folder with everything in it, through the shell, without asking.
void RemoveFolder(const std::string& path);
// The text in upper case, as the shell compares paths.
std::string Upper(std::string s);
// Names of the entries of a folder (without "." and ".."), sorted.
std::vector<std::string> FolderEntries(const std::string& folder);
// A file list of the given paths, built as the library builds them.
CString MakeList(const std::vector<std::string>& paths);
// The entries a walk of the list yields.
std::vector<std::string> Entries(const CString& list);

}
