// The sample drivers' controller setup dialog: it edits the baud rate of the
// setup in the block it is given, from the block's rate table, and gives 0 on Abbrechen.
#include "CatalogueFixtures.h"
#include "driver/PlcDriverRecords.h"
#include "uiauto/ControlActions.h"
#include "uiauto/ModalDriver.h"
#include <gtest/gtest.h>
#include <string.h>

namespace {

typedef int(WINAPI* ExecPlcSetupDlgFn)(HWND, sSETUPDLGPARAM*);

const int kBaudCombo = 1001;   // the sample dialog's rate list

struct SetupDialog
{
    SetupDialog() : h(::LoadLibraryA(cattest::SampleDriver("Z32TPLC073.dll").c_str()))
    {
        exec = h ? reinterpret_cast<ExecPlcSetupDlgFn>(::GetProcAddress(h, "ExecPlcSetupDlg")) : nullptr;
        memset(&block, 0, sizeof(block));
        block.dwSize = sizeof(block);
        block.ppszBaudRates = g_apszPlcBaudRates;
        block.plcSetup.abyData[0] = 6;   // 9600
    }
    ~SetupDialog() { if (h) ::FreeLibrary(h); }
    HINSTANCE h;
    ExecPlcSetupDlgFn exec;
    sSETUPDLGPARAM block;
};

// OK stores the chosen rate; Abbrechen changes nothing.
TEST(SampleSetupDialog, OkStoresTheChosenRateAbbrechenNothing)
{
    for (int ok : {1, 0}) {
        SCOPED_TRACE(ok);
        SetupDialog d;
        ASSERT_NE(d.exec, nullptr);
        sSETUPDLGPARAM before = d.block;
        std::string shown;
        qrvtest::ModalDriver driver([&](HWND hDlg, qrvtest::ModalDriver&) {
            HWND combo = qrvtest::Item(hDlg, kBaudCombo);
            shown = qrvtest::Text(combo);
            ::SendMessageA(combo, CB_SETCURSEL, 8, 0);
            qrvtest::Click(hDlg, ok ? IDOK : IDCANCEL);
        }, "Controller-Einstellung");
        EXPECT_EQ(d.exec(nullptr, &d.block), ok);
        EXPECT_TRUE(driver.Join());
        EXPECT_EQ(shown, "9600");
        before.plcSetup.abyData[0] = ok ? 8 : 6;   // 38400 on OK
        EXPECT_EQ(memcmp(&before, &d.block, sizeof(before)), 0);
    }
}

TEST(SampleSetupDialog, MalformedBlockIsRefused)
{
    SetupDialog d;
    ASSERT_NE(d.exec, nullptr);
    EXPECT_EQ(d.exec(nullptr, nullptr), 0);
    d.block.dwSize = 12;
    EXPECT_EQ(d.exec(nullptr, &d.block), 0);
}

}
