// The names a loaded module exports, read from its export directory. Driver
// entry points are looked up by plain name; a tool or test that lists the
// exports sees decorated names ("Name@8") that such a lookup would miss.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

inline std::vector<std::string> ExportedNames(HMODULE hModule)
{
    std::vector<std::string> names;
    if (!hModule)
        return names;
    auto* base = reinterpret_cast<const BYTE*>(hModule);
    auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    if (dir.VirtualAddress == 0)
        return names;
    auto* exports = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + dir.VirtualAddress);
    auto* nameRvas = reinterpret_cast<const DWORD*>(base + exports->AddressOfNames);
    for (DWORD i = 0; i < exports->NumberOfNames; ++i)
        names.push_back(reinterpret_cast<const char*>(base + nameRvas[i]));
    return names;
}
