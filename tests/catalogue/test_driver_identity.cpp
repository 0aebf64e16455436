// The driver object's loading by project code, through the catalogue's cache.
#include "catalogue/PlcInfoList.h"
#include "driver/QRVPlcDriver.h"
#include "CatalogueFixtures.h"
#include <gtest/gtest.h>

using namespace cattest;

namespace {
std::string ModulePath(HINSTANCE h) { char path[MAX_PATH] = ""; ::GetModuleFileNameA(h, path, MAX_PATH); return path; }
}

TEST(DriverByProjectCode, FindsTheClientAndUsesOnlyTheLowByte)
{
    Scene s("bycode");
    s.Add("ident_client", "Z32TPLC002.dll");
    s.Add("ident_20_18", "Z32TPLC020.dll");
    {
        CPlcInfoList list("VARN\\");
        list.SetDLLPath(s.DllPath());
        ASSERT_EQ(list.Load(1), 1);   // the scan writes the cache the driver object reads
    }
    ::SetDllDirectoryA(s.folder.c_str());
    QRVPlcDriver driver;
    // A catalogue normally hides the network client; the driver object's keeps it.
    EXPECT_EQ(driver.LoadDriver(static_cast<unsigned short>(2)), 1);
    ASSERT_TRUE(driver.IsValid());
    EXPECT_EQ(ModulePath(driver.GetHandle()), s.folder + "\\Z32TPLC002.dll");

    EXPECT_EQ(driver.LoadDriver(static_cast<unsigned short>(0x100 + 20)), 1);
    ASSERT_TRUE(driver.IsValid());
    EXPECT_EQ(ModulePath(driver.GetHandle()), s.folder + "\\Z32TPLC020.dll");

    EXPECT_EQ(driver.LoadDriver(static_cast<unsigned short>(99)), 0);
    driver.FreeDrivers();
    ::SetDllDirectoryA(nullptr);

    // Found in the cache, so 1 even when its module has gone meanwhile.
    ASSERT_TRUE(::DeleteFileA((s.folder + "\\Z32TPLC020.dll").c_str()));
    QRVPlcDriver other;
    EXPECT_EQ(other.LoadDriver(static_cast<unsigned short>(20)), 1);
    EXPECT_FALSE(other.IsValid());
    other.FreeDrivers();
}
