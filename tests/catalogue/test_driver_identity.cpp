// The driver object's members that go through the catalogue: loading by
// project code, and the sample drivers' names as the library reports them.
#include "catalogue/PlcInfoList.h"
#include "driver/QRVPlcDriver.h"
#include "CatalogueFixtures.h"
#include <gtest/gtest.h>

using namespace cattest;

namespace {

std::string ModulePath(HINSTANCE h)
{
    char path[MAX_PATH] = "";
    ::GetModuleFileNameA(h, path, MAX_PATH);
    return path;
}

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

TEST(DriverByProjectCode, SampleDriversNames)
{
    struct Row { const char* file; const char* name; bool rda; } rows[] = {
        {"Z32TPLC107.dll", "IsaGRAF Runtime", true},   // internal: the driver's own answer
        {"Z32TPLC147.dll", "NMEA 0183 ", false},
        {"Z32TPLC020.dll", nullptr, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.file);
        CString path = SampleDriver(row.file).c_str();
        QRVPlcDriver driver;
        ASSERT_EQ(driver.LoadDriver(path), 1);
        ASSERT_TRUE(driver.IsValid());
        CString name;
        EXPECT_TRUE(driver.GetDriverName(name));
        if (row.name)
            EXPECT_STREQ(name, row.name);
        else
            EXPECT_FALSE(name.IsEmpty());
        EXPECT_EQ(driver.IsRDAPermitted(), row.rda);
        driver.FreeDrivers();
    }
}
