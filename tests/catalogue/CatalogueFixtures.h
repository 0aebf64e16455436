// Shared helpers of the catalogue tests: fixture modules, per-test registry
// keys and folders, direct registry reads and writes that do not go through
// the library's own registry layer, and descriptors as the cache's texts.
#pragma once
#include <afxwin.h>
#include <string>
#include <vector>
#include "catalogue/PlcInfo.h"
#include <gtest/gtest.h>
#include "tests/support/TestApp.h"

namespace cattest {

// bin\catalogue_fixtures\NAME.dll, or bin\drivers\NAME for the sample drivers.
inline const auto Fixture = [](const std::string &name) {
    return qrvtest::ProgramFolder() + "\\catalogue_fixtures\\" + name + ".dll";
};
inline const auto SampleDriver = [](const std::string &name) {
    return qrvtest::ProgramFolder() + "\\drivers\\" + name;
};

// Subkeys (or values) of a key; -1 without the key.
inline int SubkeyCount(HKEY hRoot, const std::string &path, bool values = false)
{
    HKEY h = nullptr;
    DWORD keys = 0, vals = 0;
    if (::RegOpenKeyExA(hRoot, path.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS)
        return -1;
    ::RegQueryInfoKeyA(h, nullptr, nullptr, nullptr, &keys, nullptr, nullptr, &vals, nullptr, nullptr,
                       nullptr, nullptr);
    ::RegCloseKey(h);
    return (int)(values ? vals : keys);
}
// A text value; "<none>" when it is missing or not text.
inline std::string ReadText(HKEY hRoot, const std::string &path, const char *value)
{
    char buffer[1024] = "";
    DWORD cb = sizeof(buffer);
    return ::RegGetValueA(hRoot, path.c_str(), value, RRF_RT_REG_SZ, nullptr, buffer, &cb) == ERROR_SUCCESS
               ? buffer
               : "<none>";
}
// A text value of the current user's key PATH, written with its key.
inline void WriteText(const std::string &path, const char *value, const std::string &text)
{
    ::RegSetKeyValueA(HKEY_CURRENT_USER, path.c_str(), value, REG_SZ, text.c_str(), (DWORD)text.size() + 1);
}

using V = std::vector<std::string>;

// The value names of a cached descriptor, in the order the cache writes them.
inline const char *const kCacheValues[] = {"Driver_Name",   "Firmware_Ver",  "Project_Code", "DLL_Ver",
                                           "FullPath",      "Compatibility", "DProto",       "TagSupport",
                                           "OldTagSupport", "SpecialImport"};
// The firmware version as a descriptor shows it, and its file name, then its
// fields as the texts the cache keeps for them.
inline std::string Version(CPlcInfo &p)
{
    CString version;
    p.GetVersionStr(&version);
    return (LPCSTR)version;
}
inline V Fields(CPlcInfo &p)
{
    auto flag = [](bool b) { return std::string(b ? "1" : "0"); };
    return {(LPCSTR)p.m_strDllName,       (LPCSTR)p.m_strDriverName, Version(p),
            std::to_string(p.m_byCode),   (LPCSTR)p.m_strDllVersion, (LPCSTR)p.m_strFolder,
            (LPCSTR)p.GetCompatibility(), flag(p.m_bDProto),         flag(p.m_bTagSupport),
            flag(p.m_bOldTagSupport),     flag(p.m_bSpecialImport)};
}
// The cache item KEY\DLL as the same texts: the name, then its values ("<none>" when missing).
inline V Cached(const std::string &key, const std::string &dll)
{
    V texts{dll};
    for (const char *value : kCacheValues)
        texts.push_back(ReadText(HKEY_CURRENT_USER, key + "\\" + dll, value));
    return texts;
}

// A test's own driver folder, and its own host registry key "QRV Tests\catalogue\NAME\"
// with nothing below it; key is the catalogue key below HKEY_CURRENT_USER.
struct Scene {
    explicit Scene(const std::string &name)
        : key("Software\\QRV Tests\\catalogue\\" + name), folder(qrvtest::FreshTempFolder("cat-" + name))
    {
        ::RegDeleteTreeA(HKEY_CURRENT_USER, key.c_str());
        qrvtest::App().UseRegistryKey("catalogue\\" + name + "\\");
        key += "\\PLC Drivers";
    }
    // A copy of a file (a Fixture or a SampleDriver) in the folder.
    void Add(const std::string &from, const std::string &asName)
    {
        ASSERT_TRUE(::CopyFileA(from.c_str(), (folder + "\\" + asName).c_str(), FALSE));
    }
    CString DllPath() const { return CString((folder + "\\").c_str()); }
    std::string Item(const std::string &dll) const { return key + "\\" + dll; }
    std::string key, folder;
};

} // namespace cattest
