// Private copies of the fixture drivers and access to the recorder's log.
#pragma once
#include <windows.h>
#include <string>
#include <vector>
#include <gtest/gtest.h>
#include "driver/QRVPlcDriver.h"
#include "tests/fixtures/RecordingDriverLog.h"

class DriverFixture {
public:
    DriverFixture();
    ~DriverFixture();

    // Copies bin/<source> into the private folder as <name>; full path.
    std::string Copy(const char *source, const char *name);
    static std::string BinPath(const char *name);

    // Recorder of a loaded module.
    static std::vector<RecEntry> Log(HMODULE h);
    static std::vector<RecEntry> Calls(HMODULE h, const char *name);
    template <typename Fn> static Fn Export(HMODULE h, const char *name)
    {
        return reinterpret_cast<Fn>(GetProcAddress(h, name));
    }
    static void Reset(HMODULE h) { Export<PFN_RecReset>(h, "RecReset")(); }
    static void SetResult(HMODULE h, const char *name, INT_PTR value)
    {
        Export<PFN_RecSetResult>(h, "RecSetResult")(name, value);
    }
    static void SetFormat(HMODULE h, int id, const char *text)
    {
        Export<PFN_RecSetFormat>(h, "RecSetFormat")(id, text);
    }
    static void SetModels(HMODULE h, int count, const int *ids, const char *names, int bytes)
    {
        Export<PFN_RecSetModels>(h, "RecSetModels")(count, ids, names, bytes);
    }
    static void SetParamEdit(HMODULE h, int offset, int value, int result)
    {
        Export<PFN_RecSetParamEdit>(h, "RecSetParamEdit")(offset, value, result);
    }
    static int ParamBlock(HMODULE h, void *p, int size)
    {
        return Export<PFN_RecGetParamBlock>(h, "RecGetParamBlock")(p, size);
    }

private:
    std::string m_dir;
    std::vector<std::string> m_files;
};

// Argument slots as the recorder keeps them, and a pointer's slot value.
using Slots = std::vector<UINT_PTR>;
template <typename T> UINT_PTR Slot(T *p)
{
    return reinterpret_cast<UINT_PTR>(p);
}

// A driver object bound to a private copy of a fixture driver (by default the
// recording driver), with the recorder's log cleared.
struct Bound {
    explicit Bound(const char *source = "Z32TPLC500.dll", const char *name = "Z32TPLC700.dll")
    {
        path = fx.Copy(source, name ? name : source).c_str();
        EXPECT_EQ(1, driver.LoadDriver(path));
        if ((h = driver.GetHandle()) != nullptr && ::GetProcAddress(h, "RecReset") != nullptr)
            DriverFixture::Reset(h); // the bare fixtures keep no log
        EXPECT_NE(nullptr, h);
    }
    ~Bound() { driver.FreeDrivers(); }
    size_t Count(const char *entry) const { return DriverFixture::Calls(h, entry).size(); }
    // The one call of an entry point since the last reset, and its argument slots.
    RecEntry Only(const char *entry) const
    {
        auto calls = DriverFixture::Calls(h, entry);
        EXPECT_EQ(1u, calls.size()) << entry;
        return calls.empty() ? RecEntry{} : calls[0];
    }
    std::vector<UINT_PTR> Args(const char *entry) const
    {
        RecEntry e = Only(entry);
        return {e.aArgs, e.aArgs + e.nArgs};
    }

    DriverFixture fx;
    CString path;
    QRVPlcDriver driver;
    HMODULE h = nullptr;
};
