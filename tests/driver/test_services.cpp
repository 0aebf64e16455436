// Format cache, tag and format assignment, model numbers, the older-driver
// fallbacks and the setup dialog with its parameter block.
#include <gtest/gtest.h>
#include "driver/QRVPlcDriver.h"
#include "toolkit/PlxUtil.h"
#include "tests/driver/DriverFixture.h"

namespace
{
using F = DriverFixture;
} // namespace

TEST(DriverServices, FormatIdCacheAsksOnceUntilRebinding)
{
    Bound b;
    F::SetFormat(b.h, 4, "INT");
    unsigned short id = 99;
    EXPECT_EQ(1, b.driver.GetDataFormatIdFromString(id, "INT"));
    EXPECT_EQ(4, id);
    EXPECT_EQ(1, b.driver.GetDataFormatIdFromString(id, "INT"));
    EXPECT_EQ(1u, b.Count("ExpGetDataFormatIdFromString"));
    CString text;
    EXPECT_EQ(1, b.driver.GetDataFormatStringFromId(4, text));
    EXPECT_STREQ("INT", text);
    EXPECT_EQ(0u, b.Count("ExpGetDataFormatStringFromId")) << "answered from the cache";

    // Binding again, even the same module, empties the cache.
    b.driver.LoadDriver(b.path);
    EXPECT_EQ(1, b.driver.GetDataFormatIdFromString(id, "INT"));
    EXPECT_EQ(2u, b.Count("ExpGetDataFormatIdFromString"));
    b.driver.SetDriver(b.h);
    EXPECT_EQ(1, b.driver.GetDataFormatIdFromString(id, "INT"));
    EXPECT_EQ(3u, b.Count("ExpGetDataFormatIdFromString"));

    // An unknown text is not cached and sets the format id 0.
    F::Reset(b.h);
    EXPECT_EQ(1, b.driver.GetDataFormatIdFromString(id, "NONE"));
    EXPECT_EQ(0, id);
    EXPECT_EQ(1, b.driver.GetDataFormatIdFromString(id, "NONE"));
    EXPECT_EQ(2u, b.Count("ExpGetDataFormatIdFromString"));
    F::Reset(b.h);
    EXPECT_EQ(0, b.driver.SetTagAndDataFormat("TAG1", CString("NONE"), nullptr, nullptr));
    EXPECT_EQ(0u, b.Count("ExpGetPreferredDataFormat"));
    EXPECT_EQ(0u, b.Only("ExpSetDataFormat").aArgs[1]);
}

TEST(DriverServices, SmallerIdWinsAndEmptyTextsAreNotCached)
{
    Bound b;
    F::SetFormat(b.h, 9, "WORD");
    F::SetFormat(b.h, 3, "WORD");
    CString text;
    EXPECT_EQ(1, b.driver.GetDataFormatStringFromId(9, text));
    EXPECT_EQ(1, b.driver.GetDataFormatStringFromId(3, text));
    unsigned short id = 0;
    EXPECT_EQ(1, b.driver.GetDataFormatIdFromString(id, "WORD"));
    EXPECT_EQ(3, id);
    EXPECT_EQ(0u, b.Count("ExpGetDataFormatIdFromString"));

    CString empty;
    EXPECT_EQ(1, b.driver.GetDataFormatStringFromId(50, empty));
    EXPECT_TRUE(empty.IsEmpty());
    EXPECT_EQ(1, b.driver.GetDataFormatStringFromId(50, empty));
    EXPECT_EQ(4u, b.Count("ExpGetDataFormatStringFromId")) << "an empty text is not cached";
    CString keep("prev");
    EXPECT_EQ(1, b.driver.GetDataFormatStringFromId(51, keep));
    EXPECT_STREQ("prev", keep) << "the driver wrote nothing";

    // A bit format is "BIT" in any letter case, nothing longer.
    F::SetFormat(b.h, 1, "bIt");
    F::SetFormat(b.h, 2, "BITS");
    F::SetResult(b.h, "ExpGetDataFormat", 1);
    EXPECT_EQ(1, b.driver.IsBitDataFormat(nullptr));
    F::SetResult(b.h, "ExpGetDataFormat", 2);
    EXPECT_EQ(0, b.driver.IsBitDataFormat(nullptr));
}

TEST(DriverServices, TagAndFormatOrderForAsciiFormats)
{
    Bound b;
    F::SetResult(b.h, "ExpIsASCIIDataFormat", 1);
    F::SetResult(b.h, "ExpSetLogicalTag", 6);
    uPLCADR* adr = reinterpret_cast<uPLCADR*>(0x70);
    EXPECT_EQ(6, b.driver.SetTagAndDataFormat("Motor_1", static_cast<unsigned short>(12), nullptr, adr));
    auto log = F::Log(b.h);
    std::vector<std::string> names;
    for (const auto& e : log)
        names.push_back(e.szName);
    const std::vector<std::string> expected = {"ExpSetDataFormat", "ExpIsASCIIDataFormat",
                                               "ExpSetLogicalTag", "ExpSetDataFormat"};
    EXPECT_EQ(expected, names);
    EXPECT_STREQ("Motor_1", log[2].szText);

    F::Reset(b.h);
    F::SetResult(b.h, "ExpIsASCIIDataFormat", 0);
    b.driver.SetTagAndDataFormat("T", static_cast<unsigned short>(12), nullptr, adr);
    EXPECT_EQ(1u, b.Count("ExpSetDataFormat"));

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
    EXPECT_EQ(5, b.driver.GetModelNumber(nullptr, "S7-300"));
    EXPECT_EQ(9, b.driver.GetModelNumber(nullptr, "S7-400"));
    EXPECT_EQ(1, b.driver.GetModelNumber(nullptr, "s7-400"));
    EXPECT_EQ(1, b.driver.GetModelNumber(nullptr, "S7-1500"));
}

TEST(DriverServices, FallbacksToOlderEntryPoints)
{
    Bound b("Z32TPLC910.dll", "Z32TPLC810.dll");
    EXPECT_EQ(0, b.driver.InitTagFieldControls(nullptr, nullptr, 3, "a", "b"));
    EXPECT_EQ(3u, b.Only("ExpInitFieldControls").aArgs[2]);

    void* list = reinterpret_cast<void*>(0x40);
    long count = 0;
    F::SetResult(b.h, "ExpParseCustomTagFileExt", 0x60);
    EXPECT_EQ(1, b.driver.ExpParseCustomTagFile1(nullptr, nullptr, &list, 7, &count, nullptr, 2));
    EXPECT_EQ((std::vector<UINT_PTR>{0, 0, 0x40, 7, reinterpret_cast<UINT_PTR>(&count), 0}), b.Args("ExpParseCustomTagFileExt"));
    EXPECT_EQ(reinterpret_cast<void*>(0x60), list);

    // Without the id lookup the preferred format is used.
    F::SetResult(b.h, "ExpGetPreferredDataFormat", 17);
    b.driver.SetTagAndDataFormat("T", CString("INT"), nullptr, nullptr);
    auto set = F::Calls(b.h, "ExpSetDataFormat");
    ASSERT_FALSE(set.empty());
    EXPECT_EQ(17u, set[0].aArgs[1]);
}

namespace
{
struct Records
{
    sPROJECT project;
    tagFIELDREC field;
    Records()
    {
        for (size_t i = 0; i < sizeof(project); ++i)
            reinterpret_cast<unsigned char*>(&project)[i] = static_cast<unsigned char>(i);
        memset(&field, 0x5A, sizeof(field));
    }
};
} // namespace

// The driver edits byte 3 of the working setup and answers cancel or commit;
// on cancel the records stay and the working copy is given up, on commit the
// edited setup wins and the old one is given up.
TEST(DriverServices, SetupDialogCancelAndCommit)
{
    Bound b;
    for (int commit : {0, 1})
    {
        SCOPED_TRACE(commit);
        Records r;
        const Records before = r;
        F::SetParamEdit(b.h, offsetof(sSETUPDLGPARAM, plcSetup) + 3, 0xEE, commit);
        CPlxUtil::ResetCalls();
        EXPECT_EQ(commit, b.driver.DoPlc(nullptr, 0, &r.project, &r.project.plcSetup,
                                         commit ? nullptr : &r.field, UINT_PTR(0), 0));
        sSETUPDLGPARAM block;
        F::ParamBlock(b.h, &block, sizeof(block));
        EXPECT_EQ(0, block.wFlags);
        ASSERT_EQ(2, CPlxUtil::GetCallCount());
        CPlxUtil::Call prepare, release;
        CPlxUtil::GetCall(0, prepare);
        CPlxUtil::GetCall(1, release);
        EXPECT_EQ(CPlxUtil::opPrepare, prepare.nOperation);
        EXPECT_EQ(&r.project.plcSetup, prepare.pSource);
        EXPECT_EQ(CPlxUtil::opRelease, release.nOperation);
        if (!commit)
        {
            EXPECT_EQ(0, memcmp(&r, &before, sizeof(r)));
            EXPECT_EQ(prepare.pSetup, release.pSetup) << "the working copy is given up";
            EXPECT_NE(static_cast<const void*>(&r.project.plcSetup), release.pSetup);
            continue;
        }
        EXPECT_EQ(0xEE, r.project.plcSetup.abyData[3]);
        EXPECT_EQ(before.project.plcSetup.abyData[2], r.project.plcSetup.abyData[2]);
        tagFIELDREC zero = {};
        EXPECT_EQ(0, memcmp(&block.fieldRec, &zero, sizeof(zero))) << "no field record given";
        EXPECT_EQ(&r.project.plcSetup, release.pSetup) << "the old setup is given up";
    }
}

TEST(DriverServices, SetupDialogRefusedPreparationAndMissingDialog)
{
    Bound b, bare("Z32TPLC901.dll", "Z32TPLC903.dll");
    Records r;
    const Records before = r;
    F::SetParamEdit(b.h, offsetof(sSETUPDLGPARAM, plcSetup), 1, 1);
    CPlxUtil::ResetCalls();
    CPlxUtil::SetPrepareResult(0);
    EXPECT_EQ(0, b.driver.DoPlc(nullptr, 0, &r.project, &r.project.plcSetup, &r.field, UINT_PTR(0), 0));
    CPlxUtil::SetPrepareResult(1);
    EXPECT_EQ(0u, b.Count("ExecPlcSetupDlg"));
    EXPECT_EQ(1, CPlxUtil::GetCallCount());
    EXPECT_EQ(0, memcmp(&r, &before, sizeof(r)));

    CPlxUtil::ResetCalls();
    EXPECT_EQ(0, bare.driver.DoPlc(nullptr, 0, &r.project, &r.project.plcSetup, &r.field, UINT_PTR(0), 0));
    EXPECT_EQ(1, CPlxUtil::GetCallCount()) << "no release without a dialog";
    EXPECT_EQ(0, memcmp(&r, &before, sizeof(r)));
}
