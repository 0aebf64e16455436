#include "CatalogueFixtures.h"
#include "tests/support/TestApp.h"

namespace cattest {

std::string Fixture(const std::string& name)
{
    return qrvtest::ProgramFolder() + "\\catalogue_fixtures\\" + name + ".dll";
}

std::string SampleDriver(const std::string& name)
{
    return qrvtest::ProgramFolder() + "\\drivers\\" + name;
}

bool CopyModule(const std::string& from, const std::string& folder, const std::string& name)
{
    return ::CopyFileA(from.c_str(), (folder + "\\" + name).c_str(), FALSE) != 0;
}

std::string FreshHostKey(const std::string& name)
{
    std::string host = "QRV Tests\\catalogue\\" + name + "\\";
    ::RegDeleteTreeA(HKEY_CURRENT_USER, ("Software\\QRV Tests\\catalogue\\" + name).c_str());
    qrvtest::App().UseRegistryKey("catalogue\\" + name + "\\");
    return "Software\\" + host + "PLC Drivers";
}

bool KeyExists(HKEY hRoot, const std::string& path)
{
    HKEY h = nullptr;
    if (::RegOpenKeyExA(hRoot, path.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS)
        return false;
    ::RegCloseKey(h);
    return true;
}

int SubkeyCount(HKEY hRoot, const std::string& path)
{
    HKEY h = nullptr;
    if (::RegOpenKeyExA(hRoot, path.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS)
        return -1;
    DWORD n = 0;
    ::RegQueryInfoKeyA(h, nullptr, nullptr, nullptr, &n, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
    ::RegCloseKey(h);
    return (int)n;
}

std::string ReadText(HKEY hRoot, const std::string& path, const char* value)
{
    HKEY h = nullptr;
    if (::RegOpenKeyExA(hRoot, path.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS)
        return "<no key>";
    char buffer[1024] = "";
    DWORD type = 0, cb = sizeof(buffer) - 1;
    LONG rc = ::RegQueryValueExA(h, value, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &cb);
    ::RegCloseKey(h);
    if (rc != ERROR_SUCCESS)
        return "<no value>";
    if (type != REG_SZ)
        return "<not text>";
    return buffer;
}

void WriteBytes(HKEY hRoot, const std::string& path, const char* value, DWORD type, const void* p, DWORD cb)
{
    HKEY h = nullptr;
    if (::RegCreateKeyExA(hRoot, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h, nullptr) != ERROR_SUCCESS)
        return;
    if (value || p)
        ::RegSetValueExA(h, value, 0, type, static_cast<const BYTE*>(p), cb);
    ::RegCloseKey(h);
}

void WriteText(HKEY hRoot, const std::string& path, const char* value, const std::string& text)
{
    WriteBytes(hRoot, path, value, REG_SZ, text.c_str(), (DWORD)text.size() + 1);
}

void WriteDword(HKEY hRoot, const std::string& path, const char* value, DWORD data)
{
    WriteBytes(hRoot, path, value, REG_DWORD, &data, sizeof(data));
}

bool IsLoaded(const std::string& name)
{
    return ::GetModuleHandleA(name.c_str()) != nullptr;
}

}
