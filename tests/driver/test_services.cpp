// Format cache, tag and format assignment, model numbers, the older-driver
// fallbacks and the setup dialog with its parameter block.
#include <gtest/gtest.h>
#include "driver/QRVPlcDriver.h"
#include "toolkit/PlxUtil.h"
#include "tests/driver/DriverFixture.h"

namespace {
using F = DriverFixture;
} // namespace

TEST(DriverServices, FormatIdCacheAsksOnceUntilRebinding)
{
    Bound b;
    F::SetFormat(b.h, 4, "INT");
    unsigned short id = 99;
    CString text;
    auto idOf = [&](const char *format) {
        id = 99;
        EXPECT_EQ(1, b.driver.GetDataFormatIdFromString(id, format));
        return int(id);
    };
    EXPECT_EQ(4, idOf("INT"));
    EXPECT_EQ(4, idOf("INT"));
    EXPECT_EQ(1, b.driver.GetDataFormatStringFromId(4, text));
    EXPECT_STREQ("INT", text);
    EXPECT_EQ(1u, b.Count("ExpGetDataFormatIdFromString"));
    EXPECT_EQ(0u, b.Count("ExpGetDataFormatStringFromId")) << "answered from the cache";
    // Binding again, even the same module, empties the cache.
    b.driver.LoadDriver(b.path);
    EXPECT_EQ(4, idOf("INT"));
    b.driver.SetDriver(b.h);
    EXPECT_EQ(4, idOf("INT"));
    EXPECT_EQ(3u, b.Count("ExpGetDataFormatIdFromString"));
    // An unknown text is not cached and sets the format id 0, which is what a tag then gets.
    F::Reset(b.h);
    EXPECT_EQ(0, idOf("NONE") + idOf("NONE"));
    EXPECT_EQ(2u, b.Count("ExpGetDataFormatIdFromString"));
    F::Reset(b.h);
    EXPECT_EQ(0, b.driver.SetTagAndDataFormat("TAG1", CString("NONE"), nullptr, nullptr));
    EXPECT_EQ(0u, b.Count("ExpGetPreferredDataFormat"));
    EXPECT_EQ(0u, b.Only("ExpSetDataFormat").aArgs[1]);
    // Of two ids with one text the smaller wins; empty texts are not cached.
    F::SetFormat(b.h, 9, "WORD");
    F::SetFormat(b.h, 3, "WORD");
    EXPECT_EQ(2, b.driver.GetDataFormatStringFromId(9, text) + b.driver.GetDataFormatStringFromId(3, text));
    F::Reset(b.h);
    EXPECT_EQ(3, idOf("WORD"));
    EXPECT_EQ(0u, b.Count("ExpGetDataFormatIdFromString"));
    CString empty, keep("prev");
    EXPECT_EQ(2,
              b.driver.GetDataFormatStringFromId(50, empty) + b.driver.GetDataFormatStringFromId(50, empty));
    EXPECT_TRUE(empty.IsEmpty());
    EXPECT_EQ(2u, b.Count("ExpGetDataFormatStringFromId")) << "an empty text is not cached";
    EXPECT_EQ(1, b.driver.GetDataFormatStringFromId(51, keep));
    EXPECT_STREQ("prev", keep) << "the driver wrote nothing";
    // A bit format is "BIT" in any letter case, nothing longer.
    F::SetFormat(b.h, 1, "bIt");
    F::SetFormat(b.h, 2, "BITS");
    for (int format : {1, 2}) {
        F::SetResult(b.h, "ExpGetDataFormat", format);
        EXPECT_EQ(int(format == 1), b.driver.IsBitDataFormat(nullptr)) << format;
    }
}

TEST(DriverServices, TagFormatAndModelNumbers)
{
    Bound b;
    // Setting the tag of an ASCII address may change its format: the format is set again.
    uPLCADR *adr = reinterpret_cast<uPLCADR *>(0x70);
    for (int ascii : {1, 0}) {
        F::Reset(b.h);
        F::SetResult(b.h, "ExpIsASCIIDataFormat", ascii);
        F::SetResult(b.h, "ExpSetLogicalTag", 6);
        EXPECT_EQ(6, b.driver.SetTagAndDataFormat("Motor_1", static_cast<unsigned short>(12), nullptr, adr));
        std::string names;
        for (const auto &e : F::Log(b.h))
            names += std::string(e.szName) + " ";
        EXPECT_EQ(std::string("ExpSetDataFormat ExpIsASCIIDataFormat ExpSetLogicalTag ") +
                      (ascii ? "ExpSetDataFormat " : ""),
                  names);
        EXPECT_STREQ("Motor_1", b.Only("ExpSetLogicalTag").szText);
    }
    F::SetResult(b.h, "ExpUpdateFieldFromTagDb", 8);
    F::SetFormat(b.h, 21, "REAL");
    EXPECT_EQ(8, b.driver.UpdateFieldFromTagDb("Tank", CString("REAL"), nullptr, adr));
    RecEntry upd = b.Only("ExpUpdateFieldFromTagDb");
    EXPECT_STREQ("Tank", upd.szText);
    EXPECT_EQ(21u, upd.aArgs[1]);
    // Model numbers: none without models, 1 for a name not listed (exact case).
    EXPECT_EQ(0, b.driver.GetModelNumber(nullptr, "S7-300")) << "no models";
    const int ids[] = {5, 9};
    const char models[] = "S7-300\0S7-400";
    F::SetModels(b.h, 2, ids, models, sizeof(models));
    EXPECT_EQ((std::vector<int>{5, 9, 1, 1}),
              (std::vector<int>{
                  b.driver.GetModelNumber(nullptr, "S7-300"), b.driver.GetModelNumber(nullptr, "S7-400"),
                  b.driver.GetModelNumber(nullptr, "s7-400"), b.driver.GetModelNumber(nullptr, "S7-1500")}));
    // A driver of more than 255 models: the count fills the answer's whole low word.
    std::vector<int> many(260);
    std::string names;
    for (int i = 0; i < 260; ++i) {
        many[size_t(i)] = 1000 + i;
        names += "M" + std::to_string(i) + '\0';
    }
    F::SetModels(b.h, 260, many.data(), names.data(), int(names.size()));
    EXPECT_EQ(1259, b.driver.GetModelNumber(nullptr, "M259"));
}

TEST(DriverServices, FallbacksToOlderEntryPoints)
{
    Bound b("Z32TPLC910.dll", "Z32TPLC810.dll");
    EXPECT_EQ(0, b.driver.InitTagFieldControls(nullptr, nullptr, 3, "a", "b"));
    EXPECT_EQ(3u, b.Only("ExpInitFieldControls").aArgs[2]);
    void *list = reinterpret_cast<void *>(0x40);
    long count = 0;
    F::SetResult(b.h, "ExpParseCustomTagFileExt", 0x60);
    EXPECT_EQ(1, b.driver.ExpParseCustomTagFile1(nullptr, nullptr, &list, 7, &count, nullptr, 2));
    EXPECT_EQ((Slots{0, 0, 0x40, 7, reinterpret_cast<UINT_PTR>(&count), 0}),
              b.Args("ExpParseCustomTagFileExt"));
    EXPECT_EQ(reinterpret_cast<void *>(0x60), list);
    // Without the id lookup the preferred format is used.
    F::SetResult(b.h, "ExpGetPreferredDataFormat", 17);
    b.driver.SetTagAndDataFormat("T", CString("INT"), nullptr, nullptr);
    EXPECT_EQ(17u, b.Only("ExpSetDataFormat").aArgs[1]);
}

// The driver edits one byte of its block and answers. Cancel keeps the
// records and gives up the working copy; commit takes the edited setup (it
// wins over the project record's copy of it) and the field record, and gives
// up the old setup; a refused preparation or a driver without the dialog
// changes nothing and gives up nothing. The block carries copies of the
// records (zeros without a field record) and the caller's values.
TEST(DriverServices, SetupDialogCommitsOnlyWhatTheDriverConfirms)
{
    struct Records {
        Records()
        {
            for (size_t i = 0; i < sizeof(project); ++i)
                reinterpret_cast<unsigned char *>(&project)[i] = static_cast<unsigned char>(i);
            memset(&field, 0x5A, sizeof(field));
        }
        sPROJECT project;
        tagFIELDREC field;
    };
    Bound rec, bare("Z32TPLC901.dll", "Z32TPLC903.dll");
    struct Row {
        const char *name;
        Bound *b;
        int prepare, answer;
        bool field, editField;
        int flag, result, released;
    } rows[] = {// released: 0 nothing, 1 the working copy, 2 the caller's setup
                {"cancel", &rec, 1, 0, true, false, 1, 0, 1},
                {"commit", &rec, 1, 1, false, false, 0, 1, 2},
                {"commit field", &rec, 1, 1, true, true, 0, 1, 2},
                {"refused", &rec, 0, 1, true, false, 0, 0, 0},
                {"no dialog", &bare, 1, 1, true, false, 0, 0, 0}};
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        Records r, expected;
        if (row.result)
            (row.editField ? reinterpret_cast<unsigned char *>(&expected.field)[1]
                           : expected.project.plcSetup.abyData[3]) = 0xEE;
        F::SetParamEdit(rec.h,
                        row.editField ? offsetof(sSETUPDLGPARAM, fieldRec) + 1
                                      : offsetof(sSETUPDLGPARAM, plcSetup) + 3,
                        0xEE, row.answer);
        F::Reset(rec.h);
        CPlxUtil::ResetCalls();
        CPlxUtil::SetPrepareResult(row.prepare);
        EXPECT_EQ(row.result,
                  row.b->driver.DoPlc(nullptr, 0x77ul, &r.project, &r.project.plcSetup,
                                      row.field ? &r.field : nullptr, UINT_PTR(0xCAFE), row.flag));
        CPlxUtil::SetPrepareResult(1);
        EXPECT_EQ(0, memcmp(&r, &expected, sizeof(r)));
        ASSERT_EQ(row.released ? 2 : 1, CPlxUtil::GetCallCount());
        CPlxUtil::Call prepare, release;
        CPlxUtil::GetCall(0, prepare);
        EXPECT_EQ(CPlxUtil::opPrepare, prepare.nOperation);
        EXPECT_EQ(&r.project.plcSetup, prepare.pSource);
        EXPECT_EQ(row.released ? 1u : 0u, rec.Count("ExecPlcSetupDlg"));
        if (!row.released)
            continue;
        CPlxUtil::GetCall(1, release);
        EXPECT_EQ(CPlxUtil::opRelease, release.nOperation);
        EXPECT_EQ(row.released == 1 ? prepare.pSetup : &r.project.plcSetup, release.pSetup);
        sSETUPDLGPARAM k;
        ASSERT_EQ(int(sizeof(k)), F::ParamBlock(rec.h, &k, sizeof(k))) << "dwSize as the driver reads it";
        EXPECT_EQ((Slots{Slot(&rec.driver), 0xCAFE, 0, UINT_PTR(row.flag ? SETUPDLG_FLAG_BIT2 : 0), 0x77, 0}),
                  (Slots{Slot(k.pDriver), k.dwUser, k.dwReserved1, k.wFlags, k.dwMode, k.dwReserved2}));
        Records given;
        tagFIELDREC zero = {};
        EXPECT_EQ(0, memcmp(&k.fieldRec, row.field ? &given.field : &zero, sizeof(zero)));
        EXPECT_EQ(0, memcmp(&k.project, &given.project, sizeof(given.project)));
        EXPECT_EQ(0, memcmp(&k.plcSetup, &given.project.plcSetup, sizeof(uPLCSETUP)));
        ASSERT_NE(nullptr, k.ppszBaudRates);
        EXPECT_EQ((std::vector<std::string>{"150", "9600", "57600"}),
                  (std::vector<std::string>{k.ppszBaudRates[0], k.ppszBaudRates[6], k.ppszBaudRates[9]}));
    }
}
