// qrvtool: the library's command-line front end.
//   qrvtool drivers [--folder DIR] [--rescan]   the driver catalogue as a table
//   qrvtool inspect FILE.dll                     one driver module's identity and entry points
//   qrvtool bench [--count N] [--runs N]         catalogue cache and disk loads, cache load against its floor
//   qrvtool panel-image IN... --out DIR --bits N  pictures as a panel shows them (PanelImage.cpp)
#include <afxwin.h>
#include "catalogue/PlcInfoList.h"
#include "driver/EntryPoints.h"
#include "driver/ModuleExports.h"
#include "driver/QRVPlcDriver.h"
#include "tools/qrvtool/PanelImage.h"
#include <stdio.h>
#include <string.h>
#include <stdlib.h>
#include <string>
#include <vector>

namespace {

const int kBits = sizeof(void*) * 8;

class CToolApp : public CWinApp
{
public:
    CToolApp() : CWinApp("qrvtool") {}
};
CToolApp theApp;

CString ExeFolder()
{
    char path[MAX_PATH] = "";
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    char* slash = strrchr(path, '\\');
    if (slash)
        slash[1] = '\0';
    return path;
}

CString WithBackslash(CString folder)
{
    if (!folder.IsEmpty() && folder[folder.GetLength() - 1] != '\\' && folder[folder.GetLength() - 1] != '/')
        folder += '\\';
    return folder;
}

CString FullPath(LPCSTR psz)
{
    char full[MAX_PATH] = "";
    DWORD n = ::GetFullPathNameA(psz, MAX_PATH, full, nullptr);
    return n > 0 && n < MAX_PATH ? CString(full) : CString(psz);
}

const char* YesNo(bool b) { return b ? "ja" : "nein"; }

void PrintCatalogue(CPlcInfoList& list)
{
    printf("%-16s %4s  %-8s %-8s %-7s %-16s %-6s %-4s %-7s %-7s\n", "DLL", "Code", "Tag", "Firmware", "DLL-Ver",
           "Name", "DProto", "Tags", "OldTags", "SplImp");
    for (POSITION pos = list.GetHeadPosition(); pos;) {
        CPlcInfo* p = list.GetNext(pos);
        CString firmware, tag, tableName;
        p->GetVersionStr(&firmware);
        CPlcInfo::GetDriverDetails(tag, tableName, p->m_byCode);
        printf("%-16s %4d  %-8s %-8s %-7s %-16s %-6s %-4s %-7s %-7s\n", (LPCSTR)p->m_strDllName, p->m_byCode,
               (LPCSTR)tag, (LPCSTR)firmware, (LPCSTR)p->m_strDllVersion, (LPCSTR)("\"" + p->m_strDriverName + "\""),
               YesNo(p->m_bDProto), YesNo(p->m_bTagSupport), YesNo(p->m_bOldTagSupport), YesNo(p->m_bSpecialImport));
    }
    printf("%d Treiber\n", (int)list.GetCount());
}

int Drivers(int argc, char** argv)
{
    CString folder = ExeFolder() + "drivers\\";
    int rescan = 0;
    for (int i = 0; i < argc; ++i) {
        if (!strcmp(argv[i], "--rescan"))
            rescan = 1;
        else if (!strcmp(argv[i], "--folder") && i + 1 < argc)
            folder = WithBackslash(FullPath(argv[++i]));
        else {
            fprintf(stderr, "qrvtool drivers: unknown argument %s\n", argv[i]);
            return 2;
        }
    }
    CPlcInfoList list("VARN\\");
    list.InsertClientInfo(1);
    list.SetDLLPath(folder);
    if (!list.Load(rescan)) {
        printf("keine Treiber in %s\n", (LPCSTR)folder);
        return 1;
    }
    printf("Katalog: HKCU\\%s, Ordner %s\n", (LPCSTR)list.m_strRegKey, (LPCSTR)folder);
    PrintCatalogue(list);
    return 0;
}


// What a host learns through the driver object bound to the module.
void PrintDriverView(HINSTANCE hModule)
{
    QRVPlcDriver driver;
    driver.SetDriver(hModule);
    CString name;
    driver.GetDriverName(name);
    printf("Anzeigename:    \"%s\" (RDA %s)\n", (LPCSTR)name, driver.IsRDAPermitted() ? "erlaubt" : "gesperrt");
    printf("Familie:        S5 alt %s, QMove %s, Sais-A-Bus %s, intern %s, Forth %s, CoDeSys %s\n",
           YesNo(driver.IsSimaticS5OldDriver() != 0), YesNo(driver.IsQEMQMOVEDriver() != 0), YesNo(driver.IsSaisABusDriver() != 0),
           YesNo(driver.IsInternalDriver() != 0), YesNo(driver.IsForthDriver() != 0), YesNo(driver.IsCodeSysDriver() != 0));
}

// A standard-call export left decorated ("_Name@8" or "Name@8") is not found
// by its plain name, so a host takes the entry point's default instead.
std::string DecoratedExport(const std::vector<std::string>& exported, const char* name)
{
    const std::string plain(name), underscored = "_" + plain;
    for (const std::string& e : exported) {
        size_t at = e.find('@');
        if (at != std::string::npos && (e.compare(0, at, plain) == 0 || e.compare(0, at, underscored) == 0)
            && (at == plain.size() || at == underscored.size()))
            return e;
    }
    return std::string();
}

void PrintEntryPoints(HINSTANCE hModule)
{
    const std::vector<std::string> exported = ExportedNames(hModule);
    int found = 0;
    for (const char* name : kDriverEntryPoints) {
        bool has = ::GetProcAddress(hModule, name) != nullptr;
        found += has;
        std::string decorated = has ? std::string() : DecoratedExport(exported, name);
        if (!decorated.empty())
            printf("  %-38s nur dekoriert exportiert (%s): Standardwert\n", name, decorated.c_str());
        else
            printf("  %-38s %s\n", name, has ? "exportiert" : "Standardwert");
    }
    printf("%d von %d Einsprungpunkten exportiert\n", found, (int)(sizeof(kDriverEntryPoints) / sizeof(kDriverEntryPoints[0])));
}

int Inspect(int argc, char** argv)
{
    if (argc != 1) {
        fprintf(stderr, "usage: qrvtool inspect FILE.dll\n");
        return 2;
    }
    CString path = FullPath(argv[0]);
    UINT oldMode = ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    HINSTANCE hModule = ::LoadLibraryA(path);
    ::SetErrorMode(oldMode);
    if (!hModule) {
        DWORD error = ::GetLastError();
        if (error == ERROR_BAD_EXE_FORMAT)
            printf("%s: kein %d-Bit-Modul; mit dem %d-Bit-qrvtool pruefen\n", (LPCSTR)path, kBits, kBits == 64 ? 32 : 64);
        else
            printf("%s: kann nicht geladen werden (Fehler %lu)\n", (LPCSTR)path, error);
        return 1;
    }
    char identity[256] = "";
    ::LoadStringA(hModule, CPlcInfo::IDS_IDENTITY, identity, sizeof(identity));
    CPlcInfo info;
    info.CreateIndirect(hModule);
    CString firmware, tag, tableName;
    info.GetVersionStr(&firmware);
    CPlcInfo::GetDriverDetails(tag, tableName, info.m_byCode);
    printf("Datei:          %s%s\n", (LPCSTR)info.m_strFolder, (LPCSTR)info.m_strDllName);
    printf("Kennung:        \"%s\"\n", identity);
    printf("Projektcode:    %d (Tabelle: %s \"%s\")\n", info.m_byCode, (LPCSTR)tag, (LPCSTR)tableName);
    printf("Versionswort:   0x%04X\n", info.m_wVersion);
    printf("Firmware:       %s\n", (LPCSTR)firmware);
    printf("DLL-Version:    %s\n", (LPCSTR)info.m_strDllVersion);
    printf("Name:           \"%s\"\n", (LPCSTR)info.m_strDriverName);
    printf("Kompatibilitaet: \"%s\"\n", (LPCSTR)info.m_strCompatibility);
    printf("DProto %s, Tags %s, alte Tags %s, Spezialimport %s\n", YesNo(info.m_bDProto), YesNo(info.m_bTagSupport),
           YesNo(info.m_bOldTagSupport), YesNo(info.m_bSpecialImport));
    PrintDriverView(hModule);
    printf("Modul:          %d Bit\n", kBits);
    PrintEntryPoints(hModule);
    ::FreeLibrary(hModule);
    return 0;
}

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to)
{
    LARGE_INTEGER f;
    ::QueryPerformanceFrequency(&f);
    return (double)(to.QuadPart - from.QuadPart) * 1000.0 / (double)f.QuadPart;
}

// The values a cached descriptor is read from, one registry read each.
const char* const kCacheValues[] = {"Driver_Name", "DLL_Ver", "Project_Code", "Firmware_Ver", "FullPath",
                                    "Compatibility", "DProto", "TagSupport", "OldTagSupport", "SpecialImport"};

// The floor of a cache load: the same registry reads of the same entries
// into a stack buffer, with no descriptors, strings or list behind them.
int ReadCacheBare(const CString& strKey)
{
    HKEY hList = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, strKey, 0, KEY_READ, &hList) != ERROR_SUCCESS)
        return 0;
    int entries = 0;
    char name[256], data[512];
    for (DWORD index = 0;; ++index) {
        DWORD cchName = sizeof(name);
        if (::RegEnumKeyExA(hList, index, name, &cchName, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        HKEY hItem = nullptr;
        if (::RegOpenKeyExA(hList, name, 0, KEY_READ, &hItem) != ERROR_SUCCESS)
            continue;
        for (const char* value : kCacheValues) {
            DWORD type = 0, cb = sizeof(data);
            ::RegQueryValueExA(hItem, value, nullptr, &type, reinterpret_cast<BYTE*>(data), &cb);
        }
        ::RegCloseKey(hItem);
        ++entries;
    }
    ::RegCloseKey(hList);
    return entries;
}

// Copies one sample module under N driver names into a fresh folder and
// writes the cache by a disk scan.
bool PrepareBenchFolder(const CString& folder, int count)
{
    ::CreateDirectoryA(folder, nullptr);
    CString source = ExeFolder() + "drivers\\Z32TPLC020.dll";
    for (int i = 0; i < count; ++i) {
        CString name;
        name.Format("Z32TPLC%03d.dll", i);
        if (!::CopyFileA(source, folder + name, FALSE)) {
            fprintf(stderr, "qrvtool bench: cannot copy %s\n", (LPCSTR)source);
            return false;
        }
    }
    return true;
}

void RemoveBenchFolder(const CString& folder, int count)
{
    ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\QRV Bench");
    for (int i = 0; i < count; ++i) {
        CString name;
        name.Format("Z32TPLC%03d.dll", i);
        ::DeleteFileA(folder + name);
    }
    ::RemoveDirectoryA(folder);
}

// Times a disk scan (which writes the cache), then loads from the cache
// against the bare reads of the same entries. Both are timed as the best of
// interleaved runs: the first one after the scan also pays for the registry
// writes still being settled, and the machine's load hits both alike.
int Bench(int argc, char** argv)
{
    int count = 256, runs = 9;
    for (int i = 0; i < argc; ++i) {
        if (!strcmp(argv[i], "--count") && i + 1 < argc)
            count = atoi(argv[++i]);
        else if (!strcmp(argv[i], "--runs") && i + 1 < argc)
            runs = atoi(argv[++i]);
    }
    if (count < 1 || count > 1000)
        count = 256;
    if (runs < 1 || runs > 100)
        runs = 9;
    theApp.SetRegistryKey("QRV Bench\\");
    char temp[MAX_PATH] = "";
    ::GetTempPathA(MAX_PATH, temp);
    CString folder = CString(temp) + "qrvbench-catalogue\\";
    if (!PrepareBenchFolder(folder, count))
        return 1;
    LARGE_INTEGER t0, t1;
    CPlcInfoList disk("VARN\\");
    disk.SetDLLPath(folder);
    ::QueryPerformanceCounter(&t0);
    disk.Load(1);
    ::QueryPerformanceCounter(&t1);
    CPlcInfoList cache("VARN\\");
    cache.SetDLLPath(folder);
    double best = 1e9, floor = 1e9;
    int bare = 0;
    for (int run = 0; run < runs; ++run) {
        LARGE_INTEGER r0, r1, r2;
        ::QueryPerformanceCounter(&r0);
        cache.Load(0);
        ::QueryPerformanceCounter(&r1);
        bare = ReadCacheBare(cache.m_strRegKey);
        ::QueryPerformanceCounter(&r2);
        if (Milliseconds(r0, r1) < best)
            best = Milliseconds(r0, r1);
        if (Milliseconds(r1, r2) < floor)
            floor = Milliseconds(r1, r2);
    }
    printf("load_registry_ms=%.1f\n", best);
    printf("registry_floor_ms=%.1f\n", floor);
    printf("load_registry_vs_floor=%.2fx\n", floor > 0 ? best / floor : 0.0);
    printf("load_disk_ms=%.1f\n", Milliseconds(t0, t1));
    printf("drivers=%d\n", (int)cache.GetCount());
    printf("floor_entries=%d\n", bare);
    RemoveBenchFolder(folder, count);
    return 0;
}

int Usage()
{
    fprintf(stderr, "usage: qrvtool drivers [--folder DIR] [--rescan]\n"
                    "       qrvtool inspect FILE.dll\n"
                    "       qrvtool bench [--count N] [--runs N]\n"
                    "       qrvtool panel-image IN... --out DIR --bits 1|2|3|4|8|16 [Optionen]\n");
    return 2;
}
}

int main(int argc, char** argv)
{
    AfxWinInit(::GetModuleHandleA(nullptr), nullptr, ::GetCommandLineA(), SW_HIDE);
    theApp.SetRegistryKey("QRV Tool\\");
    if (argc < 2)
        return Usage();
    if (!strcmp(argv[1], "drivers"))
        return Drivers(argc - 2, argv + 2);
    if (!strcmp(argv[1], "inspect"))
        return Inspect(argc - 2, argv + 2);
    if (!strcmp(argv[1], "bench"))
        return Bench(argc - 2, argv + 2);
    if (!strcmp(argv[1], "panel-image"))
        return PanelImage(argc - 2, argv + 2);
    return Usage();
}
