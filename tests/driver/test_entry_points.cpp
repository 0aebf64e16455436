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

TEST(MissingEntryPoints, BareAndUnboundDriversGiveTheDefaults)
{
    DriverFixture fx;
    CString path = fx.Copy("Z32TPLC901.dll", "Z32TPLC902.dll").c_str();
    QRVPlcDriver bare;
    ASSERT_EQ(1, bare.LoadDriver(path));
    ASSERT_TRUE(bare.IsValid());
    QRVPlcDriver unbound;

    char text[260] = "";
    unsigned long value = 5;
    void* list = reinterpret_cast<void*>(0x1234);
    long count = 0;
    unsigned short id = 77;
    sMPIFEATURESET features = {};
    struct Row { const char* name; int expected; std::function<int(QRVPlcDriver&)> call; };
    const Row rows[] = {
        {"InitPlcDefaults", 0, [&](QRVPlcDriver& d) { return d.InitPlcDefaults(nullptr, nullptr, nullptr, nullptr, 1); }},
        {"InitTagSetupDefaults", 0, [&](QRVPlcDriver& d) { return d.InitTagSetupDefaults(nullptr, nullptr, nullptr, nullptr); }},
        {"SetPLCModel", 0, [&](QRVPlcDriver& d) { return d.SetPLCModel(1, nullptr); }},
        {"GetModelName", 0, [&](QRVPlcDriver& d) { return d.GetModelName(nullptr, 1, text, 260); }},
        {"GetModelIDandNameArrays", 0, [&](QRVPlcDriver& d) { return static_cast<int>(d.GetModelIDandNameArrays(nullptr, nullptr, nullptr)); }},
        {"SetModelUpdateAreas", 0, [&](QRVPlcDriver& d) { return d.SetModelUpdateAreas(nullptr, nullptr, nullptr, 1); }},
        {"SetPanelInternalMemorySize", 0, [&](QRVPlcDriver& d) { return d.SetPanelInternalMemorySize(1); }},
        {"SetProjectData", 0, [&](QRVPlcDriver& d) { return d.SetProjectData(1, 2); }},
        {"GetPLCNodeStringAsIP", 0, [&](QRVPlcDriver& d) { CString s("keep"); int r = d.GetPLCNodeStringAsIP(nullptr, s); return s == "keep" ? r : 99; }},
        {"SetMPIFeatureSet", 0, [&](QRVPlcDriver& d) { return d.SetMPIFeatureSet(features); }},
        {"SetPLCParamData", 0, [&](QRVPlcDriver& d) { return d.SetPLCParamData(nullptr, 1, text); }},
        {"AfterPrjLoadAndUpload", 0, [&](QRVPlcDriver& d) { return int(d.AfterPrjLoadAndUpload(nullptr, 1)); }},
        {"BeforePrjSaveAndDownload", 0, [&](QRVPlcDriver& d) { return int(d.BeforePrjSaveAndDownload(nullptr, 1)); }},
        {"AttachPLCFieldDialog", 0, [&](QRVPlcDriver& d) { return d.AttachPLCFieldDialog(nullptr, nullptr, nullptr, 0); }},
        {"InitFieldControls", 0, [&](QRVPlcDriver& d) { return d.InitFieldControls(nullptr, nullptr, 0); }},
        {"InitTagFieldControls", 0, [&](QRVPlcDriver& d) { return d.InitTagFieldControls(nullptr, nullptr, 0, "a", "b"); }},
        {"IsValidAddressAndDataFormat", 0, [&](QRVPlcDriver& d) { return d.IsValidAddressAndDataFormat(nullptr, nullptr, 0); }},
        {"CanCloseDialog", 1, [&](QRVPlcDriver& d) { return d.CanCloseDialog(nullptr); }},
        {"ResetNativeDataFormat", 0, [&](QRVPlcDriver& d) { return d.ResetNativeDataFormat(nullptr); }},
        {"FixNumericbase", 0, [&](QRVPlcDriver& d) { return d.FixNumericbase(nullptr, nullptr); }},
        {"FixExtraAddressElement2", 0, [&](QRVPlcDriver& d) { return d.FixExtraAddressElement2(nullptr, nullptr); }},
        {"IsFieldSaveReqd", 0, [&](QRVPlcDriver& d) { return d.IsFieldSaveReqd(); }},
        {"GetDataFormat", 0, [&](QRVPlcDriver& d) { return d.GetDataFormat(id, nullptr); }},
        {"SetDataFormat", 0, [&](QRVPlcDriver& d) { return d.SetDataFormat(1, nullptr); }},
        {"GetPreferredDataFormat", 0, [&](QRVPlcDriver& d) { return d.GetPreferredDataFormat(id, nullptr, nullptr); }},
        {"IsASCIIDataFormat", 0, [&](QRVPlcDriver& d) { return d.IsASCIIDataFormat(nullptr); }},
        {"IsFormatSupported", 0, [&](QRVPlcDriver& d) { return d.IsFormatSupported(nullptr, 1, nullptr, 1, 1); }},
        {"IsReadWriteSupported", 0, [&](QRVPlcDriver& d) { return d.IsReadWriteSupported(nullptr, 1, nullptr, 1); }},
        {"IsNumericBaseSupported", 0, [&](QRVPlcDriver& d) { return d.IsNumericBaseSupported(nullptr, 1, 1, nullptr, 1); }},
        {"IsSignedUnsignedSupported", 0, [&](QRVPlcDriver& d) { return d.IsSignedUnsignedSupported(nullptr, 1, nullptr, 1, 1); }},
        {"IsFixedPointSupported", 0, [&](QRVPlcDriver& d) { return d.IsFixedPointSupported(nullptr, 1, nullptr, 1, 1); }},
        {"IsScalingSupported", 0, [&](QRVPlcDriver& d) { return d.IsScalingSupported(nullptr, 1, nullptr, 1); }},
        {"ValidateScaleFac", 5, [&](QRVPlcDriver& d) { return int(d.ValidateScaleFac(eSCALETYPE(), nullptr, 5, nullptr)); }},
        {"GetDataFormatStringFromId", 0, [&](QRVPlcDriver& d) { CString s("keep"); int r = d.GetDataFormatStringFromId(3, s); return s == "keep" ? r : 99; }},
        {"IsBitDataFormat", 0, [&](QRVPlcDriver& d) { return d.IsBitDataFormat(nullptr); }},
        {"SetTagAndDataFormat", 0, [&](QRVPlcDriver& d) { return d.SetTagAndDataFormat("T", CString("INT"), nullptr, nullptr); }},
        {"SetLogicalTag", 0, [&](QRVPlcDriver& d) { return d.SetLogicalTag(text, nullptr, nullptr); }},
        {"GetLogicalAddress", 0, [&](QRVPlcDriver& d) { return d.GetLogicalAddress(text, nullptr, nullptr); }},
        {"GetLogicalAddress7", 0, [&](QRVPlcDriver& d) { return d.GetLogicalAddress(text, nullptr, nullptr, 1, 2, 3, nullptr); }},
        {"IsCompatibleTag", 0, [&](QRVPlcDriver& d) { return d.IsCompatibleTag(text, 1, nullptr, nullptr); }},
        {"UpdateFieldFromTagDb", 0, [&](QRVPlcDriver& d) { return d.UpdateFieldFromTagDb("T", static_cast<unsigned short>(1), nullptr, nullptr); }},
        {"UpdateFieldFromTagDbText", 0, [&](QRVPlcDriver& d) { return d.UpdateFieldFromTagDb("T", CString("INT"), nullptr, nullptr); }},
        {"ValidatePLCAddress", 0, [&](QRVPlcDriver& d) { return d.ValidatePLCAddress(nullptr, nullptr, nullptr, 1); }},
        {"IsTimeSchdulerFieldUsed", 0, [&](QRVPlcDriver& d) { return d.IsTimeSchdulerFieldUsed(nullptr, 1); }},
        {"GetSizeofZ32Tag", 0, [&](QRVPlcDriver& d) { return int(d.GetSizeofZ32Tag()); }},
        {"UseTagforAllFormats", 0, [&](QRVPlcDriver& d) { return d.UseTagforAllFormats(); }},
        {"UseCustomTagValdiation", 0, [&](QRVPlcDriver& d) { return d.UseCustomTagValdiation(); }},
        {"IsTagReimportSupported", 0, [&](QRVPlcDriver& d) { return d.IsTagReimportSupported(); }},
        {"DownloadAllTags", 0, [&](QRVPlcDriver& d) { return d.DownloadAllTags(); }},
        {"GetModelNumber", 0, [&](QRVPlcDriver& d) { return int(d.GetModelNumber(nullptr, "M")); }},
        {"ExpParseCustomTagFileExt", 0, [&](QRVPlcDriver& d) { int r = d.ExpParseCustomTagFileExt(text, nullptr, &list, 1, &count, 0); return list == reinterpret_cast<void*>(0x1234) ? r : 99; }},
        {"ExpParseCustomTagFile1", 0, [&](QRVPlcDriver& d) { return d.ExpParseCustomTagFile1(text, nullptr, &list, 1, &count, nullptr, 0); }},
        {"ExpGetTagImportColumnOrderAndFormat", 0, [&](QRVPlcDriver& d) { return d.ExpGetTagImportColumnOrderAndFormat(text, nullptr, nullptr); }},
        {"IsGenericTagImportSupported", 1, [&](QRVPlcDriver& d) { return d.IsGenericTagImportSupported(); }},
        {"ExpGetCustomTagFileFilters", 0, [&](QRVPlcDriver& d) { return d.ExpGetCustomTagFileFilters(text, 260); }},
        {"DoSpecialInit", 0, [&](QRVPlcDriver& d) { return d.DoSpecialInit(); }},
        {"InitForth", 0, [&](QRVPlcDriver& d) { return d.InitForth("x"); }},
        {"ProxyToDll", 0, [&](QRVPlcDriver& d) { return d.ProxyToDll(1); }},
        {"IsPLCParamDataDriver", 0, [&](QRVPlcDriver& d) { return d.IsPLCParamDataDriver(); }},
        {"GetVarnBinaryResourceSize", 0, [&](QRVPlcDriver& d) { return int(d.GetVarnBinaryResourceSize(nullptr)); }},
        {"GetVarnBinaryResource", 0, [&](QRVPlcDriver& d) { return int(d.GetVarnBinaryResource(nullptr, nullptr)); }},
        {"FreeVarnBinaryResource", 0, [&](QRVPlcDriver& d) { return d.FreeVarnBinaryResource(); }},
        {"IsDProtoSupported", 0, [&](QRVPlcDriver& d) { return d.IsDProtoSupported(); }},
        {"SupportsPropPages", 0, [&](QRVPlcDriver& d) { return d.SupportsPropPages(); }},
        {"IsDprotoAddFileSupported", 0, [&](QRVPlcDriver& d) { return int(d.IsDprotoAddFileSupported()); }},
        {"IsOldTagSupported", 0, [&](QRVPlcDriver& d) { return d.IsOldTagSupported(); }},
        {"IsTagSupported", 1, [&](QRVPlcDriver& d) { return d.IsTagSupported(); }},
        {"IsSplTagImportSupported", 0, [&](QRVPlcDriver& d) { return d.IsSplTagImportSupported(); }},
        {"Is64LEDUsed", 0, [&](QRVPlcDriver& d) { return d.Is64LEDUsed(); }},
        {"IsTagArray", 0, [&](QRVPlcDriver& d) { return d.IsTagArray(); }},
        {"IsContinuousRDASupported", 1, [&](QRVPlcDriver& d) { return d.IsContinuousRDASupported(); }},
        {"DoPlc", 0, [&](QRVPlcDriver& d) { sPROJECT p = {}; return d.DoPlc(nullptr, 0, &p, &p.plcSetup, nullptr, UINT_PTR(0), 0); }},
    };
    for (const Row& row : rows)
    {
        EXPECT_EQ(row.expected, row.call(bare)) << "bare: " << row.name;
        EXPECT_EQ(row.expected, row.call(unbound)) << "unbound: " << row.name;
    }
    // Members without a result must simply not crash.
    bare.OnSignedUnsigned(nullptr, 1);
    bare.OnFixedPointChanged(nullptr, 1);
    bare.OnPrecChanged(nullptr, 1);
    bare.ValidateFieldOnPlcSetupChange(nullptr, nullptr);
    bare.ResetFieldSaveReqdFlag();
    bare.ResetDataFormat(nullptr, nullptr, nullptr, 1);
    bare.ConvertString2MaxMin(nullptr, &value, text, nullptr, eCONSTRACTION());
    bare.ConvertMaxMin2String(nullptr, 1, text, nullptr);
    bare.ValidateMaxMin(nullptr, &value, &value, nullptr, 1, 2);
    bare.SetFieldVarPageNum(nullptr, 1, 2);
    bare.SetFieldVarBitIndex(nullptr, 1, 2);
    EXPECT_EQ(77, id) << "no output is written without the entry point";

    unsigned short untouched = 55;
    EXPECT_EQ(0, unbound.GetDataFormatIdFromString(untouched, "INT"));
    EXPECT_EQ(55, untouched);
    EXPECT_EQ(0, bare.GetDataFormatIdFromString(untouched, "INT"));
    EXPECT_EQ(0, untouched);
    bare.FreeDrivers();
}

TEST_F(RecordingDriver, UnusualArgumentOrders)
{
    EXPECT_EQ(1, m_driver.SetDataFormat(7, Adr(0xA0)));
    RecEntry e = Only("ExpSetDataFormat");
    EXPECT_EQ(0xA0u, e.aArgs[0]);
    EXPECT_EQ(7u, e.aArgs[1]);

    sPROJECT project;
    char text[50] = "";
    EXPECT_EQ(1, m_driver.GetLogicalAddress(text, SetupAt(0xB0), Adr(0xC0), 4, 5, 6, &project));
    e = Only("ExpWriteLogicalAddressString");
    ASSERT_EQ(7, e.nArgs);
    EXPECT_EQ(U(text), e.aArgs[0]);
    EXPECT_EQ(U(&project), e.aArgs[1]);
    EXPECT_EQ(0xB0u, e.aArgs[2]);
    EXPECT_EQ(0xC0u, e.aArgs[3]);
    EXPECT_EQ(4u, e.aArgs[4]);
    EXPECT_EQ(5u, e.aArgs[5]);
    EXPECT_EQ(6u, e.aArgs[6]);

    m_driver.ResetDataFormat(Adr(0x11), SetupAt(0x12), reinterpret_cast<sDISPFORMAT*>(0x13), 9);
    e = Only("ExpResetDataFormat");
    ASSERT_EQ(5, e.nArgs);
    EXPECT_EQ(0u, e.aArgs[0]);
    EXPECT_EQ(0x11u, e.aArgs[1]);
    EXPECT_EQ(9u, e.aArgs[4]);

    sMPIFEATURESET features;
    const DWORD words[2] = {0x11223344, 0x55667788};
    memcpy(&features, words, 8);
    EXPECT_EQ(1, m_driver.SetMPIFeatureSet(features));
    e = Only("ExpSetMPIFeatureSet");
    EXPECT_EQ(0x11223344u, e.aArgs[0]);
    EXPECT_EQ(0x55667788u, e.aArgs[1]);

    F::SetResult(m_h, "ExpGetDataFormat", 0x30005);
    unsigned short id = 0;
    EXPECT_EQ(1, m_driver.GetDataFormat(id, Adr(0x21)));
    EXPECT_EQ(5, id);
    EXPECT_EQ(1, Only("ExpGetDataFormat").nArgs);
    F::SetResult(m_h, "ExpGetPreferredDataFormat", 0x10009);
    EXPECT_EQ(1, m_driver.GetPreferredDataFormat(id, SetupAt(0x22), Adr(0x23)));
    EXPECT_EQ(9, id);
    e = Only("ExpGetPreferredDataFormat");
    EXPECT_EQ(0x22u, e.aArgs[0]);
    EXPECT_EQ(0x23u, e.aArgs[1]);
}

TEST_F(RecordingDriver, ResultPatternsAndTextBuffers)
{
    F::SetResult(m_h, "ExpIsFormatSupported", 3);
    EXPECT_EQ(3, m_driver.IsFormatSupported(SetupAt(1), 2, Adr(3), 4, 5));
    RecEntry e = Only("ExpIsFormatSupported");
    EXPECT_EQ(5, e.nArgs);
    EXPECT_EQ(4u, e.aArgs[3]);
    F::SetResult(m_h, "ExpCanCloseDialog", 0);
    EXPECT_EQ(0, m_driver.CanCloseDialog(nullptr));
    F::SetResult(m_h, "ExpIsGenericTagImportSupported", 0);
    EXPECT_EQ(0, m_driver.IsGenericTagImportSupported());
    EXPECT_NE(0u, Only("ExpIsGenericTagImportSupported").aArgs[0]);

    CString node("old");
    EXPECT_EQ(1, m_driver.GetPLCNodeStringAsIP(SetupAt(8), node));
    EXPECT_STREQ("10.0.0.7", node);
    EXPECT_STREQ("old", Only("ExpGetPLCNodeStringAsIP").szText);

    // Only parameter-data drivers get their parameter data.
    EXPECT_EQ(0, m_driver.SetPLCParamData(nullptr, 1, nullptr));
    EXPECT_TRUE(F::Calls(m_h, "ExpSetPLCParamData").empty());
    F::SetResult(m_h, "ExpIsPLCParamDataDriver", 1);
    EXPECT_EQ(1, m_driver.SetPLCParamData(SetupAt(4), 2, nullptr));
    EXPECT_EQ(4u, Only("ExpSetPLCParamData").aArgs[0]);

    EXPECT_EQ(1, m_driver.InitTagFieldControls(nullptr, nullptr, 3, "first", "second"));
    EXPECT_STREQ("second", Only("ExpInitFieldControls1").szText);
    EXPECT_TRUE(F::Calls(m_h, "ExpInitFieldControls").empty());

    void* list = reinterpret_cast<void*>(0x40);
    long count = 0;
    F::SetResult(m_h, "ExpParseCustomTagFile1", 0x50);
    EXPECT_EQ(1, m_driver.ExpParseCustomTagFile1(nullptr, nullptr, &list, 1, &count, nullptr, 2));
    EXPECT_EQ(0x40u, Only("ExpParseCustomTagFile1").aArgs[2]) << "the list goes by value";
    EXPECT_EQ(reinterpret_cast<void*>(0x50), list);
    EXPECT_TRUE(m_driver.IsDprotoAddFileSupported());
    EXPECT_EQ(1, m_driver.SupportsPropPages());

    // The driver keeps every tenth value; a round trip normalises.
    EXPECT_EQ(120u, m_driver.ValidateScaleFac(eSCALETYPE(), nullptr, 123, nullptr));
    EXPECT_STREQ("12", Only("ExpConvertString2ScaleFac").szText);
}

TEST_F(RecordingDriver, CapabilityBits)
{
    struct Case { unsigned long caps; int oldTag, tag, spl, led, array, rda; };
    const Case cases[] = {
        {0x0, 0, 1, 0, 0, 0, 1},
        {0x40, 0, 0, 0, 0, 0, 1},
        {0x1000, 0, 1, 0, 0, 0, 0},
        {0x20 | 0x100 | 0x400 | 0x800, 1, 1, 1, 1, 1, 1},
        {0xFFFFFFFFul & ~(0x20ul | 0x100 | 0x400 | 0x800 | 0x40 | 0x1000), 0, 1, 0, 0, 0, 1},
    };
    for (const Case& c : cases)
    {
        F::SetResult(m_h, "Caps", static_cast<INT_PTR>(c.caps));
        EXPECT_EQ(c.oldTag, m_driver.IsOldTagSupported()) << std::hex << c.caps;
        EXPECT_EQ(c.tag, m_driver.IsTagSupported()) << std::hex << c.caps;
        EXPECT_EQ(c.spl, m_driver.IsSplTagImportSupported()) << std::hex << c.caps;
        EXPECT_EQ(c.led, m_driver.Is64LEDUsed()) << std::hex << c.caps;
        EXPECT_EQ(c.array, m_driver.IsTagArray()) << std::hex << c.caps;
        EXPECT_EQ(c.rda, m_driver.IsContinuousRDASupported()) << std::hex << c.caps;
    }
}

TEST_F(RecordingDriver, DProtoBitAndResourceRelease)
{
    EXPECT_EQ(0, m_driver.IsDProtoSupported());
    F::SetResult(m_h, "VarnResource", 0x80);
    EXPECT_EQ(1, m_driver.IsDProtoSupported());
    F::SetResult(m_h, "VarnResource", 0x7F);
    EXPECT_EQ(0, m_driver.IsDProtoSupported());
    EXPECT_EQ(3u, F::Calls(m_h, "FreeVarnBinaryResource").size());
}
