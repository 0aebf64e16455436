// The driver interface as real driver modules export it: undecorated names of
// standard-call functions, one 32-bit slot per argument on the production ABI,
// and records whose field offsets the driver sees exactly as laid out. On the
// 32-bit target a wrong slot count unbalances the stack and a wrong record
// layout moves the bytes the driver reads; both show here.
#include <gtest/gtest.h>
#include <functional>
#include <string>
#include <vector>
#include "driver/EntryPoints.h"
#include "driver/ModuleExports.h"
#include "driver/QRVPlcDriver.h"
#include "tests/driver/DriverFixture.h"

namespace
{
using F = DriverFixture;

template <typename T> T* P(UINT_PTR v) { return reinterpret_cast<T*>(v); }
template <typename T> UINT_PTR U(T* p) { return reinterpret_cast<UINT_PTR>(p); }
} // namespace

TEST(DriverAbi, EntryPointsAreExportedUndecoratedUnderTheirPlainNames)
{
    Bound b;
    const std::vector<std::string> exported = ExportedNames(b.h);
    ASSERT_FALSE(exported.empty());
    for (const std::string& name : exported)
        EXPECT_EQ(std::string::npos, name.find('@')) << "decorated export " << name;
    for (const char* name : kDriverEntryPoints) {
        EXPECT_NE(nullptr, ::GetProcAddress(b.h, name)) << name;
        EXPECT_EQ(nullptr, ::GetProcAddress(b.h, (std::string("_") + name).c_str())) << name;
    }
}

// Each member passes its arguments through in the table's order, one slot
// each; distinct values show any swap, and the 32-bit stack stays balanced
// (a mismatch would crash or corrupt the values of the following calls).
TEST(DriverAbi, ArgumentsReachTheDriverInTheirSlots)
{
    Bound b;
    struct Row { const char* entry; std::vector<UINT_PTR> expected; std::function<void()> call; };
    QRVPlcDriver& d = b.driver;
    sPROJECT project;
    sMPIFEATURESET features;
    const DWORD words[2] = {0x11223344, 0x55667788};
    memcpy(&features, words, 8);
    const std::vector<Row> rows = {
        {"InitPlcDefaults", {0x11, 0x12, 0x13, 0x14, 0x15}, [&] { d.InitPlcDefaults(P<sTARGSETUP>(0x11), P<uPLCSETUP>(0x12), P<uPLCSETUP>(0x13), P<tagFIELDREC>(0x14), 0x15); }},
        {"ExpInitTagSetupDefaults", {0x21, 0x22, 0x23, 0x24}, [&] { d.InitTagSetupDefaults(P<sTARGSETUP>(0x21), P<uPLCSETUP>(0x22), P<uPLCSETUP>(0x23), P<tagFIELDREC>(0x24)); }},
        {"ExpSetPLCModel", {0x31, 0x32}, [&] { d.SetPLCModel(0x31, P<uPLCSETUP>(0x32)); }},
        {"ExpGetModelName", {0x41, 0xFFFF, 0x43, 0x44}, [&] { d.GetModelName(P<sSETUPNETINFO>(0x41), 0xFFFF, P<char>(0x43), 0x44); }},
        {"ExpSetModelUpdateAreas", {0x51, 0x52, 0x53, 0x8001}, [&] { d.SetModelUpdateAreas(P<uPLCADR>(0x51), P<sTARGSETUP>(0x52), P<uPLCSETUP>(0x53), 0x8001); }},
        {"ExpSetPanelInternalMemorySize", {0x89ABCDEF}, [&] { d.SetPanelInternalMemorySize(0x89ABCDEF); }},
        {"ExpSetProjectData", {0x61, 0x62}, [&] { d.SetProjectData(0x61, 0x62); }},
        {"ExpAfterPrjLoadAndUpload", {0x71, 0x72}, [&] { d.AfterPrjLoadAndUpload(P<sPROJECT>(0x71), 0x72); }},
        {"ExpBeforePrjSaveAndDownload", {0x73, 0x74}, [&] { d.BeforePrjSaveAndDownload(P<sPROJECT>(0x73), 0x74); }},
        {"ExpInitFieldControls", {0x81, 0x82, 0x83}, [&] { d.InitFieldControls(P<HWND__>(0x81), P<_tagDEFIELD>(0x82), 0x83); }},
        {"ExpIsValidAddressAndDataFormat", {0x91, 0x92, 0x93}, [&] { d.IsValidAddressAndDataFormat(P<_tagDEFIELD>(0x91), P<uPLCADR>(0x92), 0x93); }},
        {"ExpCanCloseDialog", {0xA1}, [&] { d.CanCloseDialog(P<_tagDEFIELD>(0xA1)); }},
        {"ExpResetNativeDataFormat", {0xA2}, [&] { d.ResetNativeDataFormat(P<_tagDEFIELD>(0xA2)); }},
        {"ExpOnSignedUnsigned", {0xB1, 0xB2}, [&] { d.OnSignedUnsigned(P<tagFIELDREC>(0xB1), 0xB2); }},
        {"ExpOnFixedPointChanged", {0xB3, 0xB4}, [&] { d.OnFixedPointChanged(P<tagFIELDREC>(0xB3), 0xB4); }},
        {"ExpOnPrecChanged", {0xB5, 0xB6}, [&] { d.OnPrecChanged(P<tagFIELDREC>(0xB5), 0xB6); }},
        {"ExpValidateField", {0xB7, 0xB8}, [&] { d.ValidateFieldOnPlcSetupChange(P<uPLCSETUP>(0xB7), P<tagFIELDREC>(0xB8)); }},
        {"ExpFixNumericbase", {0xC1, 0xC2}, [&] { d.FixNumericbase(P<uPLCSETUP>(0xC1), P<tagFIELDREC>(0xC2)); }},
        {"ExpFixExtraAddrElem2", {0xC3, 0xC4}, [&] { d.FixExtraAddressElement2(P<uPLCSETUP>(0xC3), P<tagFIELDREC>(0xC4)); }},
        {"ExpIsFieldSaveReqd", {}, [&] { d.IsFieldSaveReqd(); }},
        {"ExpResetFieldSaveReqdFlag", {}, [&] { d.ResetFieldSaveReqdFlag(); }},
        {"ExpSetDataFormat", {0xD1, 0xD2}, [&] { d.SetDataFormat(0xD2, P<uPLCADR>(0xD1)); }},
        {"ExpResetDataFormat", {0, 0xD3, 0xD4, 0xD5, 0xD6}, [&] { d.ResetDataFormat(P<uPLCADR>(0xD3), P<uPLCSETUP>(0xD4), P<sDISPFORMAT>(0xD5), 0xD6); }},
        {"ExpIsASCIIDataFormat", {0xE1}, [&] { d.IsASCIIDataFormat(P<uPLCADR>(0xE1)); }},
        {"ExpIsFormatSupported", {0xE2, 0xE3, 0xE4, 0xE5, 0xE6}, [&] { d.IsFormatSupported(P<uPLCSETUP>(0xE2), 0xE3, P<uPLCADR>(0xE4), 0xE5, 0xE6); }},
        {"ExpIsReadWriteSupported", {0xE7, 0xE8, 0xE9, 0xEA}, [&] { d.IsReadWriteSupported(P<uPLCSETUP>(0xE7), 0xE8, P<uPLCADR>(0xE9), 0xEA); }},
        {"ExpIsNumericBaseSupported", {0xF1, 0xF2, 0xF3, 0xF4, 0xF5}, [&] { d.IsNumericBaseSupported(P<uPLCSETUP>(0xF1), 0xF2, 0xF3, P<uPLCADR>(0xF4), 0xF5); }},
        {"ExpIsSignedUnsignedSupported", {0xF6, 0xF7, 0xF8, 0xF9, 0xFA}, [&] { d.IsSignedUnsignedSupported(P<uPLCSETUP>(0xF6), 0xF7, P<uPLCADR>(0xF8), 0xF9, 0xFA); }},
        {"ExpIsFixedPointSupported", {0x101, 0x102, 0x103, 0x104, 0x105}, [&] { d.IsFixedPointSupported(P<uPLCSETUP>(0x101), 0x102, P<uPLCADR>(0x103), 0x104, 0x105); }},
        {"ExpIsScalingSupported", {0x106, 0x107, 0x108, 0x109}, [&] { d.IsScalingSupported(P<uPLCSETUP>(0x106), 0x107, P<uPLCADR>(0x108), 0x109); }},
        {"ExpConvertString2MaxMin", {0x111, 0x112, 0x113, 0x114, 2}, [&] { d.ConvertString2MaxMin(P<sDISPFORMAT>(0x111), P<unsigned long>(0x112), P<char>(0x113), P<uPLCADR>(0x114), eCONSTRACTION(2)); }},
        {"ExpConvertMaxMin2String", {0x115, 0x116, 0x117, 0x118}, [&] { d.ConvertMaxMin2String(P<sDISPFORMAT>(0x115), 0x116, P<char>(0x117), P<uPLCADR>(0x118)); }},
        {"ExpValidateMaxMin", {0x121, 0x122, 0x123, 0x124, 0x125, 0x126}, [&] { d.ValidateMaxMin(P<sDISPFORMAT>(0x121), P<unsigned long>(0x122), P<unsigned long>(0x123), P<uPLCADR>(0x124), 0x125, 0x126); }},
        {"ExpIsCompatibleTag", {0x131, 0x132, 0x133, 0x134}, [&] { d.IsCompatibleTag(P<char>(0x131), 0x132, P<uPLCSETUP>(0x133), P<uPLCADR>(0x134)); }},
        {"ExpValidatePLCAddress", {0x141, 0x142, 0x143, 0x44}, [&] { d.ValidatePLCAddress(P<uPLCADR>(0x141), P<uPLCSETUP>(0x142), P<sPROJECT>(0x143), 0x44); }},
        {"ExpSetFieldVarPageNum", {0x151, 0x152, 0x153}, [&] { d.SetFieldVarPageNum(P<uPLCADR>(0x151), 0x152, 0x153); }},
        {"ExpSetFieldVarBitIndex", {0x154, 0x155, 0x156}, [&] { d.SetFieldVarBitIndex(P<uPLCADR>(0x154), 0x155, 0x156); }},
        {"ExpIsTimeSchdulerFieldUsed", {0x157, 0x158}, [&] { d.IsTimeSchdulerFieldUsed(P<uPLCADR>(0x157), 0x158); }},
        {"ExpGetSizeofZ32Tag", {}, [&] { d.GetSizeofZ32Tag(); }},
        {"ExpUseTagforAllFormats", {}, [&] { d.UseTagforAllFormats(); }},
        {"ExpUseCustomTagValidation", {}, [&] { d.UseCustomTagValdiation(); }},
        {"ExpIsTagReimportSupported", {}, [&] { d.IsTagReimportSupported(); }},
        {"ExpDownloadAllTags", {}, [&] { d.DownloadAllTags(); }},
        {"ExpGetTagImportColumnOrderAndFormat", {0x161, 0x162, 0x163}, [&] { d.ExpGetTagImportColumnOrderAndFormat(P<char>(0x161), P<int>(0x162), P<int>(0x163)); }},
        {"ExpGetCustomTagFileFilters", {0x164, 0x165}, [&] { d.ExpGetCustomTagFileFilters(P<char>(0x164), 0x165); }},
        {"ExpWriteLogicalAddressString", {0x171, U(&project), 0x172, 0x173, 4, 5, 6}, [&] { d.GetLogicalAddress(P<char>(0x171), P<uPLCSETUP>(0x172), P<uPLCADR>(0x173), 4, 5, 6, &project); }},
        {"ExpSetMPIFeatureSet", {0x11223344, 0x55667788}, [&] { d.SetMPIFeatureSet(features); }},
    };
    for (const Row& row : rows) {
        F::Reset(b.h);
        row.call();
        EXPECT_EQ(row.expected, b.Args(row.entry)) << row.entry;
    }
}

// The setup dialog's parameter block as the driver receives it: its declared
// size, and the records at their offsets on this target (pointers take four
// bytes on the production ABI, eight on the 64-bit test target).
TEST(DriverAbi, SetupDialogBlockHasThisTargetsLayout)
{
    Bound b;
    sPROJECT project;
    for (size_t i = 0; i < sizeof(project); ++i)
        reinterpret_cast<unsigned char*>(&project)[i] = static_cast<unsigned char>(i * 7);
    project.plcSetup.fields.wProjectCode = 0x1234;
    project.byFlag411 = 0x5A;
    tagFIELDREC field = {};
    memset(&field, 0x3C, sizeof(field));
    F::SetParamEdit(b.h, -1, 0, 0);
    EXPECT_EQ(0, b.driver.DoPlc(nullptr, 0x77ul, &project, &project.plcSetup, &field, UINT_PTR(0xCAFE), 1));

    const size_t expectedSize = sizeof(void*) == 4 ? 632 : 644;
    ASSERT_EQ(expectedSize, sizeof(sSETUPDLGPARAM));
    std::vector<unsigned char> block(1024, 0xCC);
    const int size = F::ParamBlock(b.h, block.data(), static_cast<int>(block.size()));
    ASSERT_EQ(static_cast<int>(expectedSize), size) << "dwSize as the driver reads it";
    DWORD dwSize = 0;
    memcpy(&dwSize, block.data(), 4);
    EXPECT_EQ(expectedSize, dwSize);

    // Slot by slot from the start: size, driver, user value, reserved.
    auto at = [&](size_t offset, size_t bytes) { UINT_PTR v = 0; memcpy(&v, block.data() + offset, bytes); return v; };
    const size_t slot = sizeof(void*);
    EXPECT_EQ(expectedSize, at(0, 4));
    EXPECT_EQ(U(&b.driver), at(4, slot));
    EXPECT_EQ(0xCAFEu, at(4 + slot, slot));
    EXPECT_EQ(0u, at(4 + 2 * slot, 4));
    const size_t fieldAt = 4 + 2 * slot + 4;
    const size_t projectAt = fieldAt + sizeof(tagFIELDREC);
    const size_t setupAt = projectAt + sizeof(sPROJECT);
    EXPECT_EQ(sizeof(void*) == 4 ? 16u : 24u, fieldAt);
    EXPECT_EQ(0, memcmp(block.data() + fieldAt, &field, sizeof(field))) << "field record copied in place";
    EXPECT_EQ(0, memcmp(block.data() + projectAt, &project, sizeof(project)));
    EXPECT_EQ(0, memcmp(block.data() + setupAt, &project.plcSetup, sizeof(uPLCSETUP)));
    EXPECT_EQ(0x5Au, at(projectAt + 411, 1));
    EXPECT_EQ(0x1234u, at(projectAt + 17 + 50, 2)) << "project code inside the project copy";

    // After the setup copy: flags, the baud-rate table, mode, reserved.
    const size_t flagsAt = setupAt + sizeof(uPLCSETUP);
    EXPECT_EQ(UINT_PTR(SETUPDLG_FLAG_BIT2), at(flagsAt, 2));
    const char* const* rates = reinterpret_cast<const char* const*>(at(flagsAt + 2, slot));
    ASSERT_NE(nullptr, rates);
    EXPECT_STREQ("150", rates[0]);
    EXPECT_STREQ("9600", rates[6]);
    EXPECT_STREQ("57600", rates[9]);
    EXPECT_EQ(0x77u, at(flagsAt + 2 + slot, 4));
    EXPECT_EQ(0u, at(flagsAt + 2 + slot + 4, 4));
    EXPECT_EQ(expectedSize, flagsAt + 2 + slot + 8);
}
