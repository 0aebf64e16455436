// Shared helpers of the catalogue tests: fixture modules, per-test registry
// keys and folders, and direct registry reads that do not go through the
// library's own registry layer.
#pragma once
#include <afxwin.h>
#include <fstream>
#include <string>
#include <gtest/gtest.h>
#include "tests/support/TestApp.h"

namespace cattest {

// bin\catalogue_fixtures\NAME.dll, or bin\drivers\NAME for the sample drivers.
std::string Fixture(const std::string& name);
std::string SampleDriver(const std::string& name);

// Copies a module into a folder under a new file name; true on success.
bool CopyModule(const std::string& from, const std::string& folder, const std::string& name);

// Sets the host's registry key to "QRV Tests\catalogue\NAME\" with nothing below it,
// and returns the catalogue key path below HKEY_CURRENT_USER.
std::string FreshHostKey(const std::string& name);

bool KeyExists(HKEY hRoot, const std::string& path);
int SubkeyCount(HKEY hRoot, const std::string& path);
std::string ReadText(HKEY hRoot, const std::string& path, const char* value);
void WriteText(HKEY hRoot, const std::string& path, const char* value, const std::string& text);
void WriteDword(HKEY hRoot, const std::string& path, const char* value, DWORD data);
void WriteBytes(HKEY hRoot, const std::string& path, const char* value, DWORD type, const void* p, DWORD cb);

// Modules currently loaded in the process under this base name.
bool IsLoaded(const std::string& name);

// A test's own host registry key and driver folder.
struct Scene
{
    explicit Scene(const std::string& name) : key(FreshHostKey(name)), folder(qrvtest::FreshTempFolder("cat-" + name)) {}
    void Add(const std::string& fixture, const std::string& asName) { ASSERT_TRUE(CopyModule(Fixture(fixture), folder, asName)); }
    void AddSample(const std::string& file) { ASSERT_TRUE(CopyModule(SampleDriver(file), folder, file)); }
    void AddGarbage(const std::string& asName)
    {
        std::ofstream(folder + "\\" + asName, std::ios::binary) << "MZ this is no module";
    }
    CString DllPath() const { return CString((folder + "\\").c_str()); }
    std::string Item(const std::string& dll) const { return key + "\\" + dll; }
    std::string key, folder;
};


}
