// Module binding, the module cache and the stored setup.
#include <gtest/gtest.h>
#include "driver/QRVPlcDriver.h"
#include "tests/driver/DriverFixture.h"

namespace {
using F = DriverFixture;
} // namespace

TEST(DriverBinding, ModulesAreCachedByNameUntilFreeDrivers)
{
    DriverFixture fx;
    CString path = fx.Copy("Z32TPLC500.dll", "Z32TPLC600.dll").c_str(), upper = path, empty;
    upper.MakeUpper();
    QRVPlcDriver driver;
    ASSERT_EQ(1, driver.LoadDriver(path));
    HINSTANCE h = driver.GetHandle();
    ASSERT_NE(nullptr, h);
    // The same name again: the cached module; another spelling is another key,
    // so the module is loaded (count raised) and initialised again.
    EXPECT_EQ(1, driver.LoadDriver(path));
    EXPECT_EQ(1u, F::Calls(h, "ExpDoSpecialInit").size());
    EXPECT_EQ(1, driver.LoadDriver(upper));
    EXPECT_EQ(h, driver.GetHandle());
    EXPECT_EQ(2u, F::Calls(h, "ExpDoSpecialInit").size());
    EXPECT_EQ(0, driver.LoadDriver(empty));
    EXPECT_EQ(0, driver.IsValid());
    driver.FreeDrivers();
    EXPECT_EQ(nullptr, GetModuleHandleA(path));
    // A failed load is remembered too and not retried before FreeDrivers.
    std::string missing = std::string(path) + ".moved";
    MoveFileA(path, missing.c_str());
    EXPECT_EQ(1, driver.LoadDriver(path));
    MoveFileA(missing.c_str(), path);
    EXPECT_EQ(1, driver.LoadDriver(path));
    EXPECT_EQ(0, driver.IsValid()) << "the failed load must not be retried";
    driver.FreeDrivers();
    EXPECT_EQ(1, driver.LoadDriver(path));
    EXPECT_EQ(1, driver.IsValid());
    driver.FreeDrivers();
    {
        QRVPlcDriver scoped;
        scoped.LoadDriver(path);
        h = scoped.GetHandle();
    }
    EXPECT_EQ(h, GetModuleHandleA(path)) << "the destructor releases no module";
    // A module handed over (SetDriver or the constructor) is never released, and not initialised.
    F::Reset(h);
    QRVPlcDriver set, byConstructor(h);
    set.SetDriver(h);
    EXPECT_EQ(h, set.GetHandle());
    set.FreeDrivers();
    byConstructor.FreeDrivers();
    EXPECT_EQ(h, GetModuleHandleA(path));
    EXPECT_EQ(0u, F::Calls(h, "ExpDoSpecialInit").size());
    FreeLibrary(h);
    EXPECT_EQ(nullptr, GetModuleHandleA(path));
}

TEST(DriverBinding, DllCodesAndInternalDrivers)
{
    struct Case {
        const char *name;
        int (*load)(QRVPlcDriver &);
    } cases[] = {{"Z32TPLC007.DLL", [](QRVPlcDriver &d) { return d.LoadDriverByDllCode(7); }},
                 {"Z32TPLC1234.DLL", [](QRVPlcDriver &d) { return d.LoadDriverByDllCode(1234); }},
                 {"Z32TPLC196.DLL", [](QRVPlcDriver &d) { return d.LoadInternalDriver(175u); }},
                 {"Z32TPLC089.DLL", [](QRVPlcDriver &d) { return d.LoadInternalDriver(89u); }},
                 {"Z32TPLC089.DLL", [](QRVPlcDriver &d) { return d.LoadInternalDriver(); }},
                 {"Z32TPLC204.DLL", [](QRVPlcDriver &d) { return d.LoadInternalMemoryBufferDriver(); }},
                 {"Z32TPLC108.DLL", [](QRVPlcDriver &d) { return d.LoadForthDriver(); }},
                 {"Z32TPANEL.DLL", [](QRVPlcDriver &d) { return d.LoadSysVarDriver(); }}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QRVPlcDriver driver;
        EXPECT_EQ(1, c.load(driver));
        CString name;
        ASSERT_TRUE(driver.GetDLLName(name));
        name.MakeUpper();
        EXPECT_STREQ(c.name, name);
        HINSTANCE h = driver.GetHandle();
        EXPECT_EQ(0, driver.LoadInternalDriver(90u)) << "an unknown internal kind changes nothing";
        EXPECT_EQ(h, driver.GetHandle());
        driver.FreeDrivers();
    }
    // A special driver that the search path does not find binds nothing.
    const std::string forth = F::BinPath("Z32TPLC108.dll"), moved = forth + ".moved";
    ASSERT_TRUE(MoveFileA(forth.c_str(), moved.c_str()));
    QRVPlcDriver driver;
    const int found = driver.LoadForthDriver();
    MoveFileA(moved.c_str(), forth.c_str());
    EXPECT_EQ(0, found);
    EXPECT_EQ(0, driver.IsValid());
}

TEST(DriverBinding, CopiesShareModulesAndKeepTheirOwnSetup)
{
    DriverFixture fx;
    CString path = fx.Copy("Z32TPLC500.dll", "Z32TPLC605.dll").c_str();
    uPLCSETUP setup, out = {};
    for (int i = 0; i < 64; ++i)
        setup.abyData[i] = static_cast<unsigned char>(i * 3 + 1);
    QRVPlcDriver *source = new QRVPlcDriver;
    EXPECT_EQ(0, source->GetPlcSetup(&out));
    EXPECT_EQ(nullptr, source->GetPlcSetupPtr());
    EXPECT_EQ(1, source->SetPlcSetup(&setup));
    source->LoadDriver(path);
    HINSTANCE h = source->GetHandle();
    QRVPlcDriver copy(*source), assigned;
    assigned = *source;
    QRVPlcDriver &same = assigned;
    assigned = same; // assigning itself keeps the setup
    delete source;
    EXPECT_EQ(1, copy.GetPlcSetup(&out));
    EXPECT_EQ(0, memcmp(&setup, &out, 64));
    ASSERT_NE(nullptr, assigned.GetPlcSetupPtr());
    EXPECT_EQ(0, memcmp(&setup, assigned.GetPlcSetupPtr(), 64));
    EXPECT_NE(copy.GetPlcSetupPtr(), assigned.GetPlcSetupPtr());
    // The copy knows the module: no second load or initialisation.
    EXPECT_EQ(1, copy.LoadDriver(path));
    EXPECT_EQ(h, copy.GetHandle());
    EXPECT_EQ(1u, F::Calls(h, "ExpDoSpecialInit").size());
    copy.FreeDrivers();
    EXPECT_EQ(nullptr, GetModuleHandleA(path));
}

TEST(DriverBinding, TerminalEmulatorAndForthGates)
{
    QRVPlcDriver unbound;
    CString name;
    EXPECT_FALSE(unbound.GetDLLName(name));
    EXPECT_EQ(0, unbound.IsTerminalEmulator());
    Bound b("Z32TPLC027.dll", "z32tPlc027.dll");
    EXPECT_EQ(1, b.driver.IsTerminalEmulator());
    char text[50] = "";
    EXPECT_EQ(0, b.driver.GetLogicalAddress(text, nullptr, nullptr));
    EXPECT_EQ(0, b.driver.GetLogicalAddress(text, nullptr, nullptr, 1, 2, 3, nullptr));
    EXPECT_EQ(0u, b.Count("ExpGetLogicalTag") + b.Count("ExpWriteLogicalAddressString"));
    F::SetResult(b.h, "InitForth", 42);
    EXPECT_EQ(42, b.driver.InitForth("boot"));
    EXPECT_EQ(42, b.driver.InitForth(""));
    auto calls = F::Calls(b.h, "InitForth");
    ASSERT_EQ(2u, calls.size());
    EXPECT_STREQ("boot", calls[0].szText);
    EXPECT_EQ(0u, calls[1].aArgs[0]) << "an empty text goes as null";
}
