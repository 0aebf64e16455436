// Shared helpers of the catalogue tests: fixture modules, per-test registry
// keys and folders, and direct registry reads and writes that do not go
// through the library's own registry layer.
#pragma once
#include <afxwin.h>
#include <fstream>
#include <string>
#include <gtest/gtest.h>
#include "tests/support/TestApp.h"

namespace cattest {

// bin\catalogue_fixtures\NAME.dll, or bin\drivers\NAME for the sample drivers.
inline std::string Fixture(const std::string& name) { return qrvtest::ProgramFolder() + "\\catalogue_fixtures\\" + name + ".dll"; }
inline std::string SampleDriver(const std::string& name) { return qrvtest::ProgramFolder() + "\\drivers\\" + name; }

// Sets the host's registry key to "QRV Tests\catalogue\NAME\" with nothing below it,
// and returns the catalogue key path below HKEY_CURRENT_USER.
std::string FreshHostKey(const std::string& name);

bool KeyExists(HKEY hRoot, const std::string& path);
// Subkeys (or values) of a key; -1 without the key.
int SubkeyCount(HKEY hRoot, const std::string& path, bool values = false);
std::string ReadText(HKEY hRoot, const std::string& path, const char* value);
void WriteBytes(HKEY hRoot, const std::string& path, const char* value, DWORD type, const void* p, DWORD cb);
inline void WriteText(HKEY hRoot, const std::string& path, const char* value, const std::string& text)
{
    WriteBytes(hRoot, path, value, REG_SZ, text.c_str(), (DWORD)text.size() + 1);
}

// A test's own host registry key and driver folder.
struct Scene
{
    explicit Scene(const std::string& name) : key(FreshHostKey(name)), folder(qrvtest::FreshTempFolder("cat-" + name)) {}
    void Copy(const std::string& from, const std::string& asName)
    {
        ASSERT_TRUE(::CopyFileA(from.c_str(), (folder + "\\" + asName).c_str(), FALSE));
    }
    void Add(const std::string& fixture, const std::string& asName) { Copy(Fixture(fixture), asName); }
    void AddSample(const std::string& file) { Copy(SampleDriver(file), file); }
    void AddGarbage(const std::string& asName) { std::ofstream(folder + "\\" + asName, std::ios::binary) << "MZ this is no module"; }
    CString DllPath() const { return CString((folder + "\\").c_str()); }
    std::string Item(const std::string& dll) const { return key + "\\" + dll; }
    std::string key, folder;
};

}
