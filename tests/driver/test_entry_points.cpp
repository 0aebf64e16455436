// The entry-point table as real driver modules export it: undecorated names of
// standard-call functions, one slot per argument in the driver's order (on the
// 32-bit target a wrong slot count unbalances the stack), the answers of
// members whose entry point is missing, capability bits and DProto support.
#include <gtest/gtest.h>
#include <algorithm>
#include <string>
#include <type_traits>
#include <vector>
#include "driver/EntryPoints.h"
#include "driver/ModuleExports.h"
#include "tests/driver/DriverFixture.h"

namespace {
using F = DriverFixture;
// Any argument from its slot value, pointers and numbers alike.
struct Arg {
    UINT_PTR v;
    template <typename T> operator T() const
    {
        if constexpr (std::is_pointer_v<T>)
            return reinterpret_cast<T>(v);
        else
            return static_cast<T>(v);
    }
};
} // namespace

// The recording driver exports the list's entry points and its recorder's
// own, all under their plain names.
TEST(DriverAbi, EntryPointsAreExportedUndecoratedUnderTheirPlainNames)
{
    Bound b, bare("Z32TPLC901.dll", "Z32TPLC904.dll");
    std::vector<std::string> exported = ExportedNames(b.h),
                             expected(std::begin(kDriverEntryPoints), std::end(kDriverEntryPoints));
    expected.insert(expected.end(), {"RecCount", "RecGetEntry", "RecGetParamBlock", "RecReset",
                                     "RecSetFormat", "RecSetModels", "RecSetParamEdit", "RecSetResult"});
    std::sort(expected.begin(), expected.end());
    std::sort(exported.begin(), exported.end());
    EXPECT_EQ(expected, exported);
    EXPECT_TRUE(ExportedNames(bare.h).empty()) << "an export directory without names";
    EXPECT_TRUE(ExportedNames(::GetModuleHandleA(nullptr)).empty())
        << "the test program has no export directory";
    EXPECT_TRUE(ExportedNames(nullptr).empty());
}

// Each member once against the recording driver (arguments in the slots the
// driver expects, distinct values show any swap) and once against a driver
// without its entry point and an unbound object (the default answer, nothing
// written). Rows without an entry name have their own tests for the call.
TEST(DriverMembers, ArgumentsInTheDriversSlotsAndDefaultsWithoutTheEntryPoint)
{
    Bound rec, bare("Z32TPLC901.dll", "Z32TPLC902.dll");
    QRVPlcDriver unbound;
    char text[260] = "";
    void *list = reinterpret_cast<void *>(0x1234);
    long count = 0;
    unsigned short id = 77;
    sPROJECT p = {};
    CString s("keep");
    sMPIFEATURESET features;
    const DWORD words[2] = {0x11223344, 0x55667788};
    memcpy(&features, words, 8);
// Rows: the entry point, the answer without it, the call and the argument
// slots; S gives the slot values to the member as its arguments.
#define E MEMBER_CALL
#define S(entry, fallback, member, ...)                                                                      \
    MemberCall(entry, fallback, Slots{__VA_ARGS__}, [&](QRVPlcDriver &d) {                                   \
        return [&](auto... a) { return d.member(Arg{UINT_PTR(a)}...); }(__VA_ARGS__);                        \
    })
#define D(fallback, call) E(nullptr, fallback, call)
    const MemberCall rows[] = {
        S("InitPlcDefaults", 0, InitPlcDefaults, 0x11, 0x12, 0x13, 0x14, 0x15),
        S("ExpInitTagSetupDefaults", 0, InitTagSetupDefaults, 0x21, 0x22, 0x23, 0x24),
        S("ExpSetPLCModel", 0, SetPLCModel, 0x31, 0x32),
        S("ExpGetModelName", 0, GetModelName, 0x41, 0xFFFF, 0x43, 0x44),
        S("ExpGetModelIDandNameArrays", 0, GetModelIDandNameArrays, 0x45, 0, 0),
        S("ExpSetModelUpdateAreas", 0, SetModelUpdateAreas, 0x51, 0x52, 0x53, 0x8001),
        S("ExpSetPanelInternalMemorySize", 0, SetPanelInternalMemorySize, 0x89ABCDEF),
        S("ExpSetProjectData", 0, SetProjectData, 0x61, 0x62),
        S("ExpAfterPrjLoadAndUpload", 0, AfterPrjLoadAndUpload, 0x71, 0x72),
        S("ExpBeforePrjSaveAndDownload", 0, BeforePrjSaveAndDownload, 0x73, 0x74),
        S("AttachPLCFieldDialog", 0, AttachPLCFieldDialog, 0x75, 0, 0, 0x76),
        S("ExpInitFieldControls", 0, InitFieldControls, 0x81, 0x82, 0x83),
        S("ExpIsValidAddressAndDataFormat", 0, IsValidAddressAndDataFormat, 0x91, 0x92, 0x93),
        S("ExpCanCloseDialog", 1, CanCloseDialog, 0xA1),
        S("ExpResetNativeDataFormat", 0, ResetNativeDataFormat, 0xA2),
        S("ExpOnSignedUnsigned", 0, OnSignedUnsigned, 0xB1, 0xB2),
        S("ExpOnFixedPointChanged", 0, OnFixedPointChanged, 0xB3, 0xB4),
        S("ExpOnPrecChanged", 0, OnPrecChanged, 0xB5, 0xB6),
        S("ExpValidateField", 0, ValidateFieldOnPlcSetupChange, 0xB7, 0xB8),
        S("ExpFixNumericbase", 0, FixNumericbase, 0xC1, 0xC2),
        S("ExpFixExtraAddrElem2", 0, FixExtraAddressElement2, 0xC3, 0xC4),
        S("ExpIsFieldSaveReqd", 0, IsFieldSaveReqd),
        S("ExpResetFieldSaveReqdFlag", 0, ResetFieldSaveReqdFlag),
        S("ExpIsASCIIDataFormat", 0, IsASCIIDataFormat, 0xE1),
        E("ExpSetDataFormat", 0, SetDataFormat(0xD2, P<uPLCADR>(0xD1)), 0xD1, 0xD2),
        E("ExpResetDataFormat", 0,
          ResetDataFormat(P<uPLCADR>(0xD3), P<uPLCSETUP>(0xD4), P<sDISPFORMAT>(0xD5), 0xD6), 0, 0xD3, 0xD4,
          0xD5, 0xD6),
        S("ExpIsFormatSupported", 0, IsFormatSupported, 0xE2, 0xE3, 0xE4, 0xE5, 0xE6),
        S("ExpIsReadWriteSupported", 0, IsReadWriteSupported, 0xE7, 0xE8, 0xE9, 0xEA),
        S("ExpIsNumericBaseSupported", 0, IsNumericBaseSupported, 0xF1, 0xF2, 0xF3, 0xF4, 0xF5),
        S("ExpIsSignedUnsignedSupported", 0, IsSignedUnsignedSupported, 0xF6, 0xF7, 0xF8, 0xF9, 0xFA),
        S("ExpIsFixedPointSupported", 0, IsFixedPointSupported, 0x101, 0x102, 0x103, 0x104, 0x105),
        S("ExpIsScalingSupported", 0, IsScalingSupported, 0x106, 0x107, 0x108, 0x109),
        S("ExpConvertString2MaxMin", 0, ConvertString2MaxMin, 0x111, 0x112, 0x113, 0x114, 2),
        S("ExpConvertMaxMin2String", 0, ConvertMaxMin2String, 0x115, 0x116, 0x117, 0x118),
        S("ExpValidateMaxMin", 0, ValidateMaxMin, 0x121, 0x122, 0x123, 0x124, 0x125, 0x126),
        E("ExpSetLogicalTag", 0, SetLogicalTag(text, P<uPLCSETUP>(0x127), P<uPLCADR>(0x128)), Slot(text),
          0x127, 0x128),
        E("ExpGetLogicalTag", 0, GetLogicalAddress(text, P<uPLCSETUP>(0x129), P<uPLCADR>(0x12A)), Slot(text),
          0x129, 0x12A),
        E("ExpWriteLogicalAddressString", 0,
          GetLogicalAddress(P<char>(0x171), P<uPLCSETUP>(0x172), P<uPLCADR>(0x173), 4, 5, 6, &p), 0x171,
          Slot(&p), 0x172, 0x173, 4, 5, 6),
        S("ExpIsCompatibleTag", 0, IsCompatibleTag, 0x131, 0x132, 0x133, 0x134),
        S("ExpValidatePLCAddress", 0, ValidatePLCAddress, 0x141, 0x142, 0x143, 0x44),
        S("ExpSetFieldVarPageNum", 0, SetFieldVarPageNum, 0x151, 0x152, 0x153),
        S("ExpSetFieldVarBitIndex", 0, SetFieldVarBitIndex, 0x154, 0x155, 0x156),
        S("ExpIsTimeSchdulerFieldUsed", 0, IsTimeSchdulerFieldUsed, 0x157, 0x158),
        S("ExpGetSizeofZ32Tag", 0, GetSizeofZ32Tag),
        S("ExpUseTagforAllFormats", 0, UseTagforAllFormats),
        S("ExpUseCustomTagValidation", 0, UseCustomTagValdiation),
        S("ExpIsTagReimportSupported", 0, IsTagReimportSupported),
        S("ExpDownloadAllTags", 0, DownloadAllTags),
        S("ExpDoSpecialInit", 0, DoSpecialInit),
        S("ExpIsPLCParamDataDriver", 0, IsPLCParamDataDriver),
        S("FreeVarnBinaryResource", 0, FreeVarnBinaryResource),
        S("ProxyToDll", 0, ProxyToDll, 0x15A),
        S("GetVarnBinaryResourceSize", 0, GetVarnBinaryResourceSize, 0x15B),
        S("GetVarnBinaryResource", 0, GetVarnBinaryResource, 0x15C, 0x15D),
        S("ExpGetTagImportColumnOrderAndFormat", 0, ExpGetTagImportColumnOrderAndFormat, 0x161, 0x162, 0x163),
        S("ExpGetCustomTagFileFilters", 0, ExpGetCustomTagFileFilters, 0x164, 0x165),
        E("ExpSetMPIFeatureSet", 0, SetMPIFeatureSet(features), 0x11223344, 0x55667788),
        D(0, GetPLCNodeStringAsIP(nullptr, s)),
        D(0, SetPLCParamData(nullptr, 1, text)),
        D(0, InitTagFieldControls(nullptr, nullptr, 0, "a", "b")),
        D(0, GetDataFormat(id, nullptr)),
        D(0, GetPreferredDataFormat(id, nullptr, nullptr)),
        D(5, ValidateScaleFac(eSCALETYPE(), nullptr, 5, nullptr)),
        D(0, GetDataFormatStringFromId(3, s)),
        D(0, IsBitDataFormat(nullptr)),
        D(0, SetTagAndDataFormat("T", CString("INT"), nullptr, nullptr)),
        D(0, UpdateFieldFromTagDb("T", static_cast<unsigned short>(1), nullptr, nullptr)),
        D(0, UpdateFieldFromTagDb("T", CString("INT"), nullptr, nullptr)),
        D(0, GetModelNumber(nullptr, "M")),
        D(0, ExpParseCustomTagFileExt(text, nullptr, &list, 1, &count, 0)),
        D(0, ExpParseCustomTagFile1(text, nullptr, &list, 1, &count, nullptr, 0)),
        D(1, IsGenericTagImportSupported()),
        D(0, InitForth("x")),
        D(0, IsDProtoSupported()),
        D(0, SupportsPropPages()),
        D(0, IsDprotoAddFileSupported()),
        D(0, IsOldTagSupported()),
        D(1, IsTagSupported()),
        D(0, IsSplTagImportSupported()),
        D(0, Is64LEDUsed()),
        D(0, IsTagArray()),
        D(1, IsContinuousRDASupported()),
        D(0, DoPlc(nullptr, 0, &p, &p.plcSetup, nullptr, UINT_PTR(0), 0))};
#undef E
#undef D
#undef S
    for (const MemberCall &row : rows) {
        SCOPED_TRACE(row.entry ? row.entry : "");
        EXPECT_EQ(row.answer, row.run(bare.driver)) << "without the entry point";
        EXPECT_EQ(row.answer, row.run(unbound)) << "unbound";
        if (!row.entry)
            continue;
        F::Reset(rec.h);
        row.run(rec.driver);
        EXPECT_EQ(row.args, rec.Args(row.entry));
    }
    EXPECT_EQ(77, id) << "no output is written without the entry point";
    EXPECT_STREQ("keep", s);
    EXPECT_EQ(reinterpret_cast<void *>(0x1234), list);
    unsigned short untouched = 55;
    EXPECT_EQ(0, unbound.GetDataFormatIdFromString(untouched, "INT"));
    EXPECT_EQ(55, untouched);
    EXPECT_EQ(0, bare.driver.GetDataFormatIdFromString(untouched, "INT"));
    EXPECT_EQ(0, untouched);
}

TEST(DriverMembers, AnswersTextsAndListsOfTheRecordingDriver)
{
    Bound b;
    QRVPlcDriver &d = b.driver;
    // A format id is the low word of the driver's answer.
    F::SetResult(b.h, "ExpGetDataFormat", 0x30005);
    F::SetResult(b.h, "ExpGetPreferredDataFormat", 0x10009);
    unsigned short id = 0, preferred = 0;
    EXPECT_EQ(2, d.GetDataFormat(id, P<uPLCADR>(0x21)) +
                     d.GetPreferredDataFormat(preferred, P<uPLCSETUP>(0x22), P<uPLCADR>(0x23)));
    EXPECT_EQ(0x90005, preferred << 16 | id);
    EXPECT_EQ(Slots{0x21}, b.Args("ExpGetDataFormat"));
    EXPECT_EQ((Slots{0x22, 0x23}), b.Args("ExpGetPreferredDataFormat"));
    F::SetResult(b.h, "ExpIsFormatSupported", 3);
    EXPECT_EQ(3, d.IsFormatSupported(nullptr, 2, nullptr, 4, 5));
    F::SetResult(b.h, "ExpCanCloseDialog", 0);
    EXPECT_EQ(0, d.CanCloseDialog(nullptr));
    F::SetResult(b.h, "ExpIsGenericTagImportSupported", 0);
    EXPECT_EQ(0, d.IsGenericTagImportSupported());
    EXPECT_NE(0u, b.Only("ExpIsGenericTagImportSupported").aArgs[0]) << "a scratch block, not null";
    CString node("old");
    EXPECT_EQ(1, d.GetPLCNodeStringAsIP(P<uPLCSETUP>(8), node));
    EXPECT_STREQ("10.0.0.7", node);
    EXPECT_STREQ("old", b.Only("ExpGetPLCNodeStringAsIP").szText);
    // Only parameter-data drivers get their parameter data.
    EXPECT_EQ(0, d.SetPLCParamData(nullptr, 1, nullptr));
    EXPECT_EQ(0u, b.Count("ExpSetPLCParamData"));
    F::SetResult(b.h, "ExpIsPLCParamDataDriver", 1);
    EXPECT_EQ(1, d.SetPLCParamData(P<uPLCSETUP>(4), 2, nullptr));
    EXPECT_EQ((Slots{4, 2, 0}), b.Args("ExpSetPLCParamData"));
    EXPECT_EQ(1, d.InitTagFieldControls(nullptr, nullptr, 3, "first", "second"));
    EXPECT_STREQ("second", b.Only("ExpInitFieldControls1").szText);
    EXPECT_EQ(0u, b.Count("ExpInitFieldControls"));
    void *list = reinterpret_cast<void *>(0x40);
    long count = 0;
    F::SetResult(b.h, "ExpParseCustomTagFile1", 0x50);
    EXPECT_EQ(1, d.ExpParseCustomTagFile1(nullptr, nullptr, &list, 1, &count, nullptr, 2));
    EXPECT_EQ(0x40u, b.Only("ExpParseCustomTagFile1").aArgs[2]) << "the list goes by value";
    EXPECT_EQ(reinterpret_cast<void *>(0x50), list);
    EXPECT_TRUE(d.IsDprotoAddFileSupported());
    EXPECT_EQ(1, d.SupportsPropPages());
    // The driver keeps every tenth value; a round trip normalises.
    EXPECT_EQ(120u, d.ValidateScaleFac(eSCALETYPE(), nullptr, 123, nullptr));
    EXPECT_STREQ("12", b.Only("ExpConvertString2ScaleFac").szText);
}

TEST(DriverMembers, CapabilityBitsAndDProto)
{
    Bound b;
    struct Case {
        unsigned long caps;
        std::vector<int> expected;
    } cases[] = {// old tag, tag, spl, led, array, rda
                 {0x0, {0, 1, 0, 0, 0, 1}},
                 {0x40, {0, 0, 0, 0, 0, 1}},
                 {0x1000, {0, 1, 0, 0, 0, 0}},
                 {0x20 | 0x100 | 0x400 | 0x800, {1, 1, 1, 1, 1, 1}},
                 {0xFFFFFFFFul & ~(0x20ul | 0x100 | 0x400 | 0x800 | 0x40 | 0x1000), {0, 1, 0, 0, 0, 1}}};
    QRVPlcDriver &d = b.driver;
    for (const Case &c : cases) {
        F::SetResult(b.h, "Caps", static_cast<INT_PTR>(c.caps));
        EXPECT_EQ(c.expected,
                  (std::vector<int>{d.IsOldTagSupported(), d.IsTagSupported(), d.IsSplTagImportSupported(),
                                    d.Is64LEDUsed(), d.IsTagArray(), d.IsContinuousRDASupported()}))
            << std::hex << c.caps;
    }
    // The DProto bit of the binary resource; the resource is freed each time.
    for (int byte : {0, 0x80, 0x7F}) {
        F::SetResult(b.h, "VarnResource", byte);
        EXPECT_EQ(int(byte == 0x80), d.IsDProtoSupported()) << byte;
    }
    EXPECT_EQ(3u, b.Count("FreeVarnBinaryResource"));
}
