// The sample drivers' controller setup dialog: it edits the baud rate of the
// setup in the block it is given, from the block's rate table; OK stores the
// chosen rate, Abbrechen changes nothing, a malformed block is refused.
#include "driver/PlcDriverRecords.h"
#include "uiauto/ControlActions.h"
#include "uiauto/ModalDriver.h"
#include <gtest/gtest.h>
#include <string.h>
#include "tests/support/TestApp.h"

TEST(SampleSetupDialog, OkStoresTheChosenRateAbbrechenNothing)
{
    typedef int(WINAPI * ExecPlcSetupDlgFn)(HWND, sSETUPDLGPARAM *);
    const int kBaudCombo = 1001; // the sample dialog's rate list
    HINSTANCE h = ::LoadLibraryA((qrvtest::ProgramFolder() + "\\drivers\\Z32TPLC073.dll").c_str());
    ASSERT_NE(h, nullptr);
    auto exec = reinterpret_cast<ExecPlcSetupDlgFn>(::GetProcAddress(h, "ExecPlcSetupDlg"));
    ASSERT_NE(exec, nullptr);
    for (int ok : {1, 0}) {
        SCOPED_TRACE(ok);
        sSETUPDLGPARAM block, before;
        memset(&block, 0, sizeof(block));
        block.dwSize = sizeof(block);
        block.ppszBaudRates = g_apszPlcBaudRates;
        block.plcSetup.abyData[0] = 6; // 9600
        before = block;
        std::string shown;
        qrvtest::ModalDriver driver(
            [&](HWND hDlg, qrvtest::ModalDriver &) {
                HWND combo = qrvtest::Item(hDlg, kBaudCombo);
                shown = qrvtest::Text(combo);
                ::SendMessageA(combo, CB_SETCURSEL, 8, 0);
                qrvtest::Click(hDlg, ok ? IDOK : IDCANCEL);
            },
            "Controller-Einstellung");
        EXPECT_EQ(exec(nullptr, &block), ok);
        EXPECT_TRUE(driver.Join());
        EXPECT_EQ(shown, "9600");
        before.plcSetup.abyData[0] = ok ? 8 : 6; // 38400 on OK
        EXPECT_EQ(memcmp(&before, &block, sizeof(before)), 0);
        if (!ok) {
            EXPECT_EQ(exec(nullptr, nullptr), 0);
            block.dwSize = 12;
            EXPECT_EQ(exec(nullptr, &block), 0);
        }
    }
    ::FreeLibrary(h);
}
