// The entry-point table: defaults of missing entry points, the argument
// orders that differ from the member's, capability bits and DProto support.
#include <gtest/gtest.h>
#include <functional>
#include "driver/QRVPlcDriver.h"
#include "tests/driver/DriverFixture.h"

namespace
{
using F = DriverFixture;

uPLCADR* Adr(UINT_PTR v) { return reinterpret_cast<uPLCADR*>(v); }
uPLCSETUP* SetupAt(UINT_PTR v) { return reinterpret_cast<uPLCSETUP*>(v); }
template <typename T> UINT_PTR U(T* p) { return reinterpret_cast<UINT_PTR>(p); }

} // namespace

// Every member of a driver without the entry point (or of an unbound object)
// answers its default and writes no output.
TEST(MissingEntryPoints, BareAndUnboundDriversGiveTheDefaults)
{
    Bound bare("Z32TPLC901.dll", "Z32TPLC902.dll");
    ASSERT_TRUE(bare.driver.IsValid());
    QRVPlcDriver unbound;

    char text[260] = "";
    unsigned long value = 5;
    void* list = reinterpret_cast<void*>(0x1234);
    long count = 0;
    unsigned short id = 77;
    sMPIFEATURESET features = {};
    sPROJECT p = {};
    CString s("keep");
    struct Row { const char* call; int expected; std::function<int(QRVPlcDriver&)> run; };
#define R(expected, call) {#call, expected, [&](QRVPlcDriver& d) { return int(d.call); }}
#define V(call) {#call, 0, [&](QRVPlcDriver& d) { d.call; return 0; }}
    const Row rows[] = {
        R(0, InitPlcDefaults(nullptr, nullptr, nullptr, nullptr, 1)), R(0, InitTagSetupDefaults(nullptr, nullptr, nullptr, nullptr)),
        R(0, SetPLCModel(1, nullptr)), R(0, GetModelName(nullptr, 1, text, 260)), R(0, GetModelIDandNameArrays(nullptr, nullptr, nullptr)),
        R(0, SetModelUpdateAreas(nullptr, nullptr, nullptr, 1)), R(0, SetPanelInternalMemorySize(1)), R(0, SetProjectData(1, 2)),
        R(0, GetPLCNodeStringAsIP(nullptr, s)), R(0, SetMPIFeatureSet(features)), R(0, SetPLCParamData(nullptr, 1, text)),
        R(0, AfterPrjLoadAndUpload(nullptr, 1)), R(0, BeforePrjSaveAndDownload(nullptr, 1)),
        R(0, AttachPLCFieldDialog(nullptr, nullptr, nullptr, 0)), R(0, InitFieldControls(nullptr, nullptr, 0)),
        R(0, InitTagFieldControls(nullptr, nullptr, 0, "a", "b")), R(0, IsValidAddressAndDataFormat(nullptr, nullptr, 0)),
        R(1, CanCloseDialog(nullptr)), R(0, ResetNativeDataFormat(nullptr)), R(0, FixNumericbase(nullptr, nullptr)),
        R(0, FixExtraAddressElement2(nullptr, nullptr)), R(0, IsFieldSaveReqd()), R(0, GetDataFormat(id, nullptr)),
        R(0, SetDataFormat(1, nullptr)), R(0, GetPreferredDataFormat(id, nullptr, nullptr)), R(0, IsASCIIDataFormat(nullptr)),
        R(0, IsFormatSupported(nullptr, 1, nullptr, 1, 1)), R(0, IsReadWriteSupported(nullptr, 1, nullptr, 1)),
        R(0, IsNumericBaseSupported(nullptr, 1, 1, nullptr, 1)), R(0, IsSignedUnsignedSupported(nullptr, 1, nullptr, 1, 1)),
        R(0, IsFixedPointSupported(nullptr, 1, nullptr, 1, 1)), R(0, IsScalingSupported(nullptr, 1, nullptr, 1)),
        R(5, ValidateScaleFac(eSCALETYPE(), nullptr, 5, nullptr)), R(0, GetDataFormatStringFromId(3, s)), R(0, IsBitDataFormat(nullptr)),
        R(0, SetTagAndDataFormat("T", CString("INT"), nullptr, nullptr)), R(0, SetLogicalTag(text, nullptr, nullptr)),
        R(0, GetLogicalAddress(text, nullptr, nullptr)), R(0, GetLogicalAddress(text, nullptr, nullptr, 1, 2, 3, nullptr)),
        R(0, IsCompatibleTag(text, 1, nullptr, nullptr)), R(0, UpdateFieldFromTagDb("T", static_cast<unsigned short>(1), nullptr, nullptr)),
        R(0, UpdateFieldFromTagDb("T", CString("INT"), nullptr, nullptr)), R(0, ValidatePLCAddress(nullptr, nullptr, nullptr, 1)),
        R(0, IsTimeSchdulerFieldUsed(nullptr, 1)), R(0, GetSizeofZ32Tag()), R(0, UseTagforAllFormats()), R(0, UseCustomTagValdiation()),
        R(0, IsTagReimportSupported()), R(0, DownloadAllTags()), R(0, GetModelNumber(nullptr, "M")),
        R(0, ExpParseCustomTagFileExt(text, nullptr, &list, 1, &count, 0)), R(0, ExpParseCustomTagFile1(text, nullptr, &list, 1, &count, nullptr, 0)),
        R(0, ExpGetTagImportColumnOrderAndFormat(text, nullptr, nullptr)), R(1, IsGenericTagImportSupported()),
        R(0, ExpGetCustomTagFileFilters(text, 260)), R(0, DoSpecialInit()), R(0, InitForth("x")), R(0, ProxyToDll(1)),
        R(0, IsPLCParamDataDriver()), R(0, GetVarnBinaryResourceSize(nullptr)), R(0, GetVarnBinaryResource(nullptr, nullptr)),
        R(0, FreeVarnBinaryResource()), R(0, IsDProtoSupported()), R(0, SupportsPropPages()), R(0, IsDprotoAddFileSupported()),
        R(0, IsOldTagSupported()), R(1, IsTagSupported()), R(0, IsSplTagImportSupported()), R(0, Is64LEDUsed()), R(0, IsTagArray()),
        R(1, IsContinuousRDASupported()), R(0, DoPlc(nullptr, 0, &p, &p.plcSetup, nullptr, UINT_PTR(0), 0)),
        V(OnSignedUnsigned(nullptr, 1)), V(OnFixedPointChanged(nullptr, 1)), V(OnPrecChanged(nullptr, 1)),
        V(ValidateFieldOnPlcSetupChange(nullptr, nullptr)), V(ResetFieldSaveReqdFlag()), V(ResetDataFormat(nullptr, nullptr, nullptr, 1)),
        V(ConvertString2MaxMin(nullptr, &value, text, nullptr, eCONSTRACTION())), V(ConvertMaxMin2String(nullptr, 1, text, nullptr)),
        V(ValidateMaxMin(nullptr, &value, &value, nullptr, 1, 2)), V(SetFieldVarPageNum(nullptr, 1, 2)), V(SetFieldVarBitIndex(nullptr, 1, 2)),
    };
#undef R
#undef V
    for (const Row& row : rows)
    {
        EXPECT_EQ(row.expected, row.run(bare.driver)) << "bare: " << row.call;
        EXPECT_EQ(row.expected, row.run(unbound)) << "unbound: " << row.call;
    }
    EXPECT_EQ(77, id) << "no output is written without the entry point";
    EXPECT_STREQ("keep", s);
    EXPECT_EQ(reinterpret_cast<void*>(0x1234), list);

    unsigned short untouched = 55;
    EXPECT_EQ(0, unbound.GetDataFormatIdFromString(untouched, "INT"));
    EXPECT_EQ(55, untouched);
    EXPECT_EQ(0, bare.driver.GetDataFormatIdFromString(untouched, "INT"));
    EXPECT_EQ(0, untouched);
}

// The format id is the low word of the driver's answer.
TEST(RecordingDriver, FormatIdsAreTheLowWordOfTheAnswer)
{
    Bound b;
    F::SetResult(b.h, "ExpGetDataFormat", 0x30005);
    unsigned short id = 0;
    EXPECT_EQ(1, b.driver.GetDataFormat(id, Adr(0x21)));
    EXPECT_EQ(5, id);
    EXPECT_EQ(1, b.Only("ExpGetDataFormat").nArgs);
    F::SetResult(b.h, "ExpGetPreferredDataFormat", 0x10009);
    EXPECT_EQ(1, b.driver.GetPreferredDataFormat(id, SetupAt(0x22), Adr(0x23)));
    EXPECT_EQ(9, id);
    EXPECT_EQ((std::vector<UINT_PTR>{0x22, 0x23}), b.Args("ExpGetPreferredDataFormat"));
}

TEST(RecordingDriver, ResultPatternsAndTextBuffers)
{
    Bound b;
    F::SetResult(b.h, "ExpIsFormatSupported", 3);
    EXPECT_EQ(3, b.driver.IsFormatSupported(SetupAt(1), 2, Adr(3), 4, 5));
    EXPECT_EQ((std::vector<UINT_PTR>{1, 2, 3, 4, 5}), b.Args("ExpIsFormatSupported"));
    F::SetResult(b.h, "ExpCanCloseDialog", 0);
    EXPECT_EQ(0, b.driver.CanCloseDialog(nullptr));
    F::SetResult(b.h, "ExpIsGenericTagImportSupported", 0);
    EXPECT_EQ(0, b.driver.IsGenericTagImportSupported());
    EXPECT_NE(0u, b.Only("ExpIsGenericTagImportSupported").aArgs[0]);

    CString node("old");
    EXPECT_EQ(1, b.driver.GetPLCNodeStringAsIP(SetupAt(8), node));
    EXPECT_STREQ("10.0.0.7", node);
    EXPECT_STREQ("old", b.Only("ExpGetPLCNodeStringAsIP").szText);

    // Only parameter-data drivers get their parameter data.
    EXPECT_EQ(0, b.driver.SetPLCParamData(nullptr, 1, nullptr));
    EXPECT_TRUE(F::Calls(b.h, "ExpSetPLCParamData").empty());
    F::SetResult(b.h, "ExpIsPLCParamDataDriver", 1);
    EXPECT_EQ(1, b.driver.SetPLCParamData(SetupAt(4), 2, nullptr));
    EXPECT_EQ(4u, b.Only("ExpSetPLCParamData").aArgs[0]);

    EXPECT_EQ(1, b.driver.InitTagFieldControls(nullptr, nullptr, 3, "first", "second"));
    EXPECT_STREQ("second", b.Only("ExpInitFieldControls1").szText);
    EXPECT_TRUE(F::Calls(b.h, "ExpInitFieldControls").empty());

    void* list = reinterpret_cast<void*>(0x40);
    long count = 0;
    F::SetResult(b.h, "ExpParseCustomTagFile1", 0x50);
    EXPECT_EQ(1, b.driver.ExpParseCustomTagFile1(nullptr, nullptr, &list, 1, &count, nullptr, 2));
    EXPECT_EQ(0x40u, b.Only("ExpParseCustomTagFile1").aArgs[2]) << "the list goes by value";
    EXPECT_EQ(reinterpret_cast<void*>(0x50), list);
    EXPECT_TRUE(b.driver.IsDprotoAddFileSupported());
    EXPECT_EQ(1, b.driver.SupportsPropPages());

    // The driver keeps every tenth value; a round trip normalises.
    EXPECT_EQ(120u, b.driver.ValidateScaleFac(eSCALETYPE(), nullptr, 123, nullptr));
    EXPECT_STREQ("12", b.Only("ExpConvertString2ScaleFac").szText);
}

TEST(RecordingDriver, CapabilityBitsAndDProto)
{
    Bound b;
    struct Case { unsigned long caps; std::vector<int> expected; }; // old tag, tag, spl, led, array, rda
    const Case cases[] = {
        {0x0, {0, 1, 0, 0, 0, 1}},
        {0x40, {0, 0, 0, 0, 0, 1}},
        {0x1000, {0, 1, 0, 0, 0, 0}},
        {0x20 | 0x100 | 0x400 | 0x800, {1, 1, 1, 1, 1, 1}},
        {0xFFFFFFFFul & ~(0x20ul | 0x100 | 0x400 | 0x800 | 0x40 | 0x1000), {0, 1, 0, 0, 0, 1}},
    };
    QRVPlcDriver& d = b.driver;
    for (const Case& c : cases)
    {
        F::SetResult(b.h, "Caps", static_cast<INT_PTR>(c.caps));
        const std::vector<int> got = {d.IsOldTagSupported(), d.IsTagSupported(), d.IsSplTagImportSupported(),
                                      d.Is64LEDUsed(), d.IsTagArray(), d.IsContinuousRDASupported()};
        EXPECT_EQ(c.expected, got) << std::hex << c.caps;
    }

    EXPECT_EQ(0, d.IsDProtoSupported());
    F::SetResult(b.h, "VarnResource", 0x80);
    EXPECT_EQ(1, d.IsDProtoSupported());
    F::SetResult(b.h, "VarnResource", 0x7F);
    EXPECT_EQ(0, d.IsDProtoSupported());
    EXPECT_EQ(3u, b.Count("FreeVarnBinaryResource"));
}
