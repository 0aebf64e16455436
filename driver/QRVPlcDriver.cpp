// QRVPlcDriver: construction, the stored setup, binding a module and the
// cache of modules the object loaded itself.
#include "driver/DriverText.h"
#include "driver/EntryPointCall.h"
#include <stdlib.h>

using namespace DriverText;

namespace
{
const char kTerminalEmulatorDll[] = "Z32TPLC027.DLL";
} // namespace

int QRVPlcDriver::HasEntryPoint(const char* pszName) const
{
    return m_hModule != nullptr && ::GetProcAddress(m_hModule, pszName) != nullptr;
}

bool QRVPlcDriver::NameLess::operator()(const CString& a, const CString& b) const
{
    return _mbscmp(reinterpret_cast<const unsigned char*>(static_cast<LPCSTR>(a)),
                   reinterpret_cast<const unsigned char*>(static_cast<LPCSTR>(b))) < 0;
}

// ----------------------------------------------------------------------------
// Construction and stored setup

QRVPlcDriver::QRVPlcDriver() : m_hModule(nullptr), m_pPlcSetup(nullptr) {}

QRVPlcDriver::QRVPlcDriver(HINSTANCE hModule) : m_hModule(hModule), m_pPlcSetup(nullptr) {}

QRVPlcDriver::QRVPlcDriver(const QRVPlcDriver& src)
    : m_hModule(src.m_hModule), m_mapFormats(src.m_mapFormats), m_mapModules(src.m_mapModules),
      m_pPlcSetup(nullptr)
{
    CopySetupFrom(src);
}

QRVPlcDriver& QRVPlcDriver::operator=(const QRVPlcDriver& src)
{
    if (this == &src)
        return *this;
    m_hModule = src.m_hModule;
    m_mapFormats = src.m_mapFormats;
    m_mapModules = src.m_mapModules;
    delete m_pPlcSetup;
    m_pPlcSetup = nullptr;
    CopySetupFrom(src);
    return *this;
}

QRVPlcDriver::~QRVPlcDriver()
{
    delete m_pPlcSetup;
}

void QRVPlcDriver::CopySetupFrom(const QRVPlcDriver& src)
{
    if (src.m_pPlcSetup != nullptr)
        m_pPlcSetup = new uPLCSETUP(*src.m_pPlcSetup);
}

int QRVPlcDriver::IsValid() const
{
    return m_hModule != nullptr ? 1 : 0;
}

HINSTANCE QRVPlcDriver::GetHandle() const
{
    return m_hModule;
}

int QRVPlcDriver::SetPlcSetup(uPLCSETUP* pSetup)
{
    if (m_pPlcSetup == nullptr)
        m_pPlcSetup = new uPLCSETUP;
    memcpy(m_pPlcSetup, pSetup, sizeof(uPLCSETUP));
    return 1;
}

int QRVPlcDriver::GetPlcSetup(uPLCSETUP* pSetup) const
{
    if (m_pPlcSetup == nullptr)
        return 0;
    memcpy(pSetup, m_pPlcSetup, sizeof(uPLCSETUP));
    return 1;
}

uPLCSETUP* QRVPlcDriver::GetPlcSetupPtr() const
{
    return m_pPlcSetup;
}

// ----------------------------------------------------------------------------
// Binding

int QRVPlcDriver::LoadDriver(CString& strDllName)
{
    m_mapFormats.clear();
    auto it = m_mapModules.find(strDllName);
    if (it != m_mapModules.end())
    {
        m_hModule = it->second;
        return 1;
    }
    if (strDllName.IsEmpty())
    {
        m_hModule = nullptr;
        return 0;
    }
    m_hModule = ::LoadLibraryA(strDllName);
    DoSpecialInit();
    m_mapModules[strDllName] = m_hModule;
    return 1;
}

int QRVPlcDriver::LoadDriverByDllCode(unsigned short nDllCode)
{
    CString strName;
    strName.Format("Z32TPLC%03d.dll", static_cast<int>(nDllCode));
    return LoadDriver(strName);
}

int QRVPlcDriver::SetDriver(HINSTANCE hModule)
{
    m_mapFormats.clear();
    m_hModule = hModule;
    return 1;
}

void QRVPlcDriver::FreeDrivers()
{
    m_mapFormats.clear();
    for (auto& entry : m_mapModules)
    {
        if (entry.second != nullptr)
            ::FreeLibrary(entry.second);
    }
    m_mapModules.clear();
}

// The special drivers live somewhere along the default search path; they are
// loaded by the full path that the search finds.
int QRVPlcDriver::LoadSpecialDriver(const char* pszFileName)
{
    char szPath[kPathBufferSize];
    LPSTR pszFilePart = nullptr;
    DWORD nLength =
        ::SearchPathA(nullptr, pszFileName, nullptr, kPathBufferSize, szPath, &pszFilePart);
    if (nLength < 1 || nLength >= static_cast<DWORD>(kPathBufferSize))
        return 0;
    CString strPath(szPath);
    return LoadDriver(strPath);
}

int QRVPlcDriver::LoadSysVarDriver()
{
    m_mapFormats.clear();
    return LoadSpecialDriver("Z32TPANEL.DLL");
}

int QRVPlcDriver::LoadInternalDriver()
{
    return LoadSpecialDriver("Z32TPLC089.DLL");
}

int QRVPlcDriver::LoadInternalMemoryBufferDriver()
{
    return LoadSpecialDriver("Z32TPLC204.DLL");
}

int QRVPlcDriver::LoadForthDriver()
{
    return LoadSpecialDriver("Z32TPLC108.DLL");
}

int QRVPlcDriver::LoadInternalDriver(unsigned int nKind)
{
    if (nKind == 89)
        return LoadInternalDriver();
    if (nKind == 175)
        return LoadDriverByDllCode(196);
    return 0;
}

int QRVPlcDriver::InitForth(CString strText)
{
    CTextBuffer buffer(strText, kPathBufferSize);
    char* pszText = strText.IsEmpty() ? nullptr : buffer.Get();
    return Call<DriverEntry::InitForth>(0, pszText);
}

bool QRVPlcDriver::GetDLLName(CString& strName) const
{
    if (m_hModule == nullptr)
        return false;
    char szPath[kPathBufferSize] = {0};
    ::GetModuleFileNameA(m_hModule, szPath, kPathBufferSize);
    szPath[kPathBufferSize - 1] = 0;
    const unsigned char* pszSlash = _mbsrchr(reinterpret_cast<const unsigned char*>(szPath), '\\');
    const unsigned char* pszSlash2 = _mbsrchr(reinterpret_cast<const unsigned char*>(szPath), '/');
    if (pszSlash2 > pszSlash)
        pszSlash = pszSlash2;
    strName = pszSlash != nullptr ? reinterpret_cast<LPCSTR>(pszSlash + 1) : szPath;
    return true;
}

int QRVPlcDriver::IsTerminalEmulator() const
{
    CString strName;
    if (!GetDLLName(strName))
        return 0;
    strName.MakeUpper();
    return MbsEqual(strName, kTerminalEmulatorDll) ? 1 : 0;
}

// ----------------------------------------------------------------------------
