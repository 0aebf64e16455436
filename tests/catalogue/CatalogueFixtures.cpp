#include "CatalogueFixtures.h"

namespace cattest {

std::string FreshHostKey(const std::string& name)
{
    ::RegDeleteTreeA(HKEY_CURRENT_USER, ("Software\\QRV Tests\\catalogue\\" + name).c_str());
    qrvtest::App().UseRegistryKey("catalogue\\" + name + "\\");
    return "Software\\QRV Tests\\catalogue\\" + name + "\\PLC Drivers";
}

namespace {
struct Key
{
    Key(HKEY hRoot, const std::string& path) { ok = ::RegOpenKeyExA(hRoot, path.c_str(), 0, KEY_READ, &h) == ERROR_SUCCESS; }
    ~Key() { if (ok) ::RegCloseKey(h); }
    HKEY h = nullptr;
    bool ok;
};
}

bool KeyExists(HKEY hRoot, const std::string& path) { return Key(hRoot, path).ok; }

int SubkeyCount(HKEY hRoot, const std::string& path, bool values)
{
    Key k(hRoot, path);
    DWORD keys = 0, vals = 0;
    if (!k.ok)
        return -1;
    ::RegQueryInfoKeyA(k.h, nullptr, nullptr, nullptr, &keys, nullptr, nullptr, &vals, nullptr, nullptr, nullptr, nullptr);
    return (int)(values ? vals : keys);
}

std::string ReadText(HKEY hRoot, const std::string& path, const char* value)
{
    Key k(hRoot, path);
    if (!k.ok)
        return "<no key>";
    char buffer[1024] = "";
    DWORD type = 0, cb = sizeof(buffer) - 1;
    if (::RegQueryValueExA(k.h, value, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &cb) != ERROR_SUCCESS)
        return "<no value>";
    return type == REG_SZ ? buffer : "<not text>";
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

}
