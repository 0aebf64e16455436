#include "FileTestSupport.h"
#include <gtest/gtest.h>
#include <ole2.h>
#include "browse/FileList.h"
#include <algorithm>
#include <cstdio>
#include <windows.h>
#include <shellapi.h>

namespace filetest {

namespace {
class OleEnvironment : public ::testing::Environment
{
public:
    void SetUp() override { ::OleInitialize(nullptr); }
};
}  // namespace

const ::testing::Environment* const g_oleEnvironment = ::testing::AddGlobalTestEnvironment(new OleEnvironment);

void WriteText(const std::string& path, const std::string& text)
{
    FILE* f = fopen(path.c_str(), "wb");
    if (!f)
        return;
    fwrite(text.data(), 1, text.size(), f);
    fclose(f);
}

void RemoveFolder(const std::string& path)
{
    std::string from = path + '\0';
    SHFILEOPSTRUCTA op = {};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    ::SHFileOperationA(&op);
}

std::string Upper(std::string s)
{
    if (!s.empty())
        ::CharUpperBuffA(&s[0], static_cast<DWORD>(s.size()));
    return s;
}

std::string ReadText(const std::string& path)
{
    std::string text;
    FILE* f = fopen(path.c_str(), "rb");
    if (!f)
        return text;
    char buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof(buf), f)) > 0)
        text.append(buf, n);
    fclose(f);
    return text;
}

bool Exists(const std::string& path) { return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::vector<std::string> FolderEntries(const std::string& folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA fd;
    HANDLE h = ::FindFirstFileA((folder + "\\*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE)
        return names;
    do {
        std::string name = fd.cFileName;
        if (name != "." && name != "..")
            names.push_back(name);
    } while (::FindNextFileA(h, &fd));
    ::FindClose(h);
    std::sort(names.begin(), names.end());
    return names;
}

CString MakeList(const std::vector<std::string>& paths)
{
    CString list;
    for (const std::string& path : paths)
        CFileList::Append(list, path.c_str());
    return list;
}

std::vector<std::string> Entries(const CString& list)
{
    std::vector<std::string> entries;
    CFileList walk(list);
    CString entry;
    while (walk.GetNext(entry))
        entries.push_back(entry.GetString());
    return entries;
}

}
