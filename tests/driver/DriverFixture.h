// Private copies of the fixture drivers and access to the recorder's log.
#pragma once
#include <windows.h>
#include <string>
#include <vector>
#include <gtest/gtest.h>
#include "driver/QRVPlcDriver.h"
#include "tests/fixtures/RecordingDriverLog.h"

class DriverFixture
{
public:
    DriverFixture();
    ~DriverFixture();

    // Copies bin/<source> into the private folder as <name>; full path.
    std::string Copy(const char* source, const char* name);
    static std::string BinPath(const char* name);

    // Recorder of a loaded module.
    static std::vector<RecEntry> Log(HMODULE h);
    static std::vector<RecEntry> Calls(HMODULE h, const char* name);
    static void Reset(HMODULE h);
    static void SetResult(HMODULE h, const char* name, INT_PTR value);
    static void SetFormat(HMODULE h, int id, const char* text);
    static void SetModels(HMODULE h, int count, const int* ids, const char* names, int bytes);
    static void SetParamEdit(HMODULE h, int offset, int value, int result);
    static int ParamBlock(HMODULE h, void* p, int size);

private:
    std::string m_dir;
    std::vector<std::string> m_files;
};

// A test bound to a private copy of the recording driver, with its log
// cleared, and the one call of an entry point since then.
class RecordingDriver : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CString path = m_fx.Copy("Z32TPLC500.dll", "Z32TPLC700.dll").c_str();
        ASSERT_EQ(1, m_driver.LoadDriver(path));
        m_h = m_driver.GetHandle();
        ASSERT_NE(nullptr, m_h);
        DriverFixture::Reset(m_h);
    }
    void TearDown() override { m_driver.FreeDrivers(); }

    RecEntry Only(const char* name)
    {
        auto calls = DriverFixture::Calls(m_h, name);
        EXPECT_EQ(1u, calls.size()) << name;
        return calls.empty() ? RecEntry{} : calls[0];
    }

    DriverFixture m_fx;
    QRVPlcDriver m_driver;
    HMODULE m_h = nullptr;
};
