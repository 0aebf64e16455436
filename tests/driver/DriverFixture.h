// Private copies of the fixture drivers, access to the recorder's log, and
// member calls as rows of tables.
#pragma once
#include <windows.h>
#include <functional>
#include <string>
#include <type_traits>
#include <vector>
#include <gtest/gtest.h>
#include "driver/QRVPlcDriver.h"
#include "tests/fixtures/RecordingDriverLog.h"

// The recorder's control export NAME of a loaded module, called with the arguments.
#define REC_CALL(h, NAME, ...) reinterpret_cast<PFN_##NAME>(::GetProcAddress(h, #NAME))(__VA_ARGS__)

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
    static void Reset(HMODULE h) { REC_CALL(h, RecReset); }
    static void SetResult(HMODULE h, const char *name, INT_PTR value)
    {
        REC_CALL(h, RecSetResult, name, value);
    }
    static void SetFormat(HMODULE h, int id, const char *text) { REC_CALL(h, RecSetFormat, id, text); }
    static void SetModels(HMODULE h, int count, const int *ids, const char *names, int bytes)
    {
        REC_CALL(h, RecSetModels, count, ids, names, bytes);
    }
    static void SetParamEdit(HMODULE h, int offset, int value, int result)
    {
        REC_CALL(h, RecSetParamEdit, offset, value, result);
    }
    static int ParamBlock(HMODULE h, void *p, int size) { return REC_CALL(h, RecGetParamBlock, p, size); }

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
    Slots Args(const char *entry) const
    {
        RecEntry e = Only(entry);
        return {e.aArgs, e.aArgs + e.nArgs};
    }

    DriverFixture fx;
    CString path;
    QRVPlcDriver driver;
    HMODULE h = nullptr;
};

// The answer of a member as int; 0 for members that answer nothing.
template <typename Fn> int AsInt(Fn f)
{
    if constexpr (std::is_void_v<decltype(f())>) {
        f();
        return 0;
    } else
        return int(f());
}
// A member call as a table row: the entry point it reaches, the answer the
// table expects, the argument slots the driver gets, and the call.
struct MemberCall {
    template <typename Fn>
    MemberCall(const char *e, int a, Slots s, Fn fn)
        : entry(e), answer(a), args(s), run([fn](QRVPlcDriver &d) { return AsInt([&] { return fn(d); }); })
    {
    }
    const char *entry;
    int answer;
    Slots args;
    std::function<int(QRVPlcDriver &)> run;
};
#define MEMBER_CALL(entry, answer, call, ...)                                                                \
    MemberCall(entry, answer, Slots{__VA_ARGS__}, [&](QRVPlcDriver &d) { return d.call; })
template <typename T> T *P(UINT_PTR v)
{
    return reinterpret_cast<T *>(v);
}
