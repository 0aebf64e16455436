#include "tests/driver/DriverFixture.h"

DriverFixture::DriverFixture()
{
    char szTemp[MAX_PATH];
    GetTempPathA(MAX_PATH, szTemp);
    static int s_nSerial = 0;
    m_dir = std::string(szTemp) + "qrvdrv" + std::to_string(GetCurrentProcessId()) + "_" +
            std::to_string(GetTickCount()) + "_" + std::to_string(++s_nSerial);
    CreateDirectoryA(m_dir.c_str(), nullptr);
}

DriverFixture::~DriverFixture()
{
    for (const auto &f : m_files)
        DeleteFileA(f.c_str());
    RemoveDirectoryA(m_dir.c_str());
}

std::string DriverFixture::BinPath(const char *name)
{
    char szExe[MAX_PATH];
    GetModuleFileNameA(nullptr, szExe, MAX_PATH);
    std::string s(szExe);
    return s.substr(0, s.find_last_of("\\/") + 1) + name;
}

std::string DriverFixture::Copy(const char *source, const char *name)
{
    m_files.push_back(m_dir + "\\" + name);
    CopyFileA(BinPath(source).c_str(), m_files.back().c_str(), FALSE);
    return m_files.back();
}

std::vector<RecEntry> DriverFixture::Log(HMODULE h)
{
    std::vector<RecEntry> log(REC_CALL(h, RecCount));
    for (size_t i = 0; i < log.size(); ++i)
        REC_CALL(h, RecGetEntry, static_cast<int>(i), &log[i]);
    return log;
}

std::vector<RecEntry> DriverFixture::Calls(HMODULE h, const char *name)
{
    std::vector<RecEntry> calls;
    for (const auto &e : Log(h))
        if (std::string(e.szName) == name)
            calls.push_back(e);
    return calls;
}
