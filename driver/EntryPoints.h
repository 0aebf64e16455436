// Every entry point the library looks up in a driver module, once: its
// export name, its result and its parameters as the driver declares them
// (__stdcall, exported undecorated). The typed entries of DriverEntry and the
// name list are made from this one list, and every call of an entry point
// names it through DriverEntry, so a name or a signature is written once.
#pragma once
#include "driver/QRVPlcDriver.h"

// clang-format off
#define QRV_DRIVER_ENTRY_POINTS(X)                                                                 \
    X(InitPlcDefaults, int, (sTARGSETUP*, uPLCSETUP*, uPLCSETUP*, tagFIELDREC*, unsigned short))   \
    X(ExpInitTagSetupDefaults, int, (sTARGSETUP*, uPLCSETUP*, uPLCSETUP*, tagFIELDREC*))           \
    X(ExpSetPLCModel, void, (int, uPLCSETUP*))                                                     \
    X(ExpGetModelName, int, (sSETUPNETINFO*, unsigned short, char*, int))                          \
    X(ExpGetModelIDandNameArrays, long, (uPLCSETUP*, int*, char*))                                 \
    X(ExpSetModelUpdateAreas, int, (uPLCADR*, sTARGSETUP*, uPLCSETUP*, unsigned short))            \
    X(ExpSetPanelInternalMemorySize, void, (unsigned long))                                        \
    X(ExpSetProjectData, void, (int, long))                                                        \
    X(ExpGetPLCNodeStringAsIP, void, (uPLCSETUP*, char*))                                          \
    X(ExpSetMPIFeatureSet, void, (sMPIFEATURESET))                                                 \
    X(ExpSetPLCParamData, void, (uPLCSETUP*, unsigned long, char*))                                \
    X(ExpAfterPrjLoadAndUpload, void, (sPROJECT*, unsigned short))                                 \
    X(ExpBeforePrjSaveAndDownload, void, (sPROJECT*, unsigned short))                              \
    X(ExecPlcSetupDlg, int, (HWND, sSETUPDLGPARAM*))                                               \
    X(AttachPLCFieldDialog, void,                                                                  \
      (_tagDEFIELD*, PLCCREATEDLGPROC, PLCDLGHOOKPROC, unsigned long))                             \
    X(ExpInitFieldControls, void, (HWND, _tagDEFIELD*, unsigned short))                            \
    X(ExpInitFieldControls1, void, (HWND, _tagDEFIELD*, unsigned short, char*, char*))             \
    X(ExpIsValidAddressAndDataFormat, int, (_tagDEFIELD*, uPLCADR*, unsigned short))               \
    X(ExpCanCloseDialog, int, (_tagDEFIELD*))                                                      \
    X(ExpResetNativeDataFormat, void, (_tagDEFIELD*))                                              \
    X(ExpOnSignedUnsigned, void, (tagFIELDREC*, int))                                              \
    X(ExpOnFixedPointChanged, void, (tagFIELDREC*, int))                                           \
    X(ExpOnPrecChanged, void, (tagFIELDREC*, unsigned short))                                      \
    X(ExpValidateField, void, (uPLCSETUP*, tagFIELDREC*))                                          \
    X(ExpFixNumericbase, int, (uPLCSETUP*, tagFIELDREC*))                                          \
    X(ExpFixExtraAddrElem2, int, (uPLCSETUP*, tagFIELDREC*))                                       \
    X(ExpIsFieldSaveReqd, int, ())                                                                 \
    X(ExpResetFieldSaveReqdFlag, void, ())                                                         \
    X(ExpGetDataFormat, int, (uPLCADR*))                                                           \
    X(ExpSetDataFormat, void, (uPLCADR*, unsigned short))                                          \
    X(ExpGetPreferredDataFormat, int, (uPLCSETUP*, uPLCADR*))                                      \
    X(ExpResetDataFormat, void, (int, uPLCADR*, uPLCSETUP*, sDISPFORMAT*, unsigned short))         \
    X(ExpIsASCIIDataFormat, int, (uPLCADR*))                                                       \
    X(ExpIsFormatSupported, int, (uPLCSETUP*, unsigned short, uPLCADR*, unsigned short, int))      \
    X(ExpIsReadWriteSupported, int, (uPLCSETUP*, unsigned short, uPLCADR*, unsigned short))        \
    X(ExpIsNumericBaseSupported, int,                                                              \
      (uPLCSETUP*, unsigned short, unsigned short, uPLCADR*, unsigned short))                      \
    X(ExpIsSignedUnsignedSupported, int,                                                           \
      (uPLCSETUP*, unsigned short, uPLCADR*, unsigned short, unsigned short))                      \
    X(ExpIsFixedPointSupported, int,                                                               \
      (uPLCSETUP*, unsigned short, uPLCADR*, unsigned short, unsigned short))                      \
    X(ExpIsScalingSupported, int, (uPLCSETUP*, unsigned short, uPLCADR*, unsigned short))          \
    X(ExpConvertString2MaxMin, void,                                                               \
      (sDISPFORMAT*, unsigned long*, char*, uPLCADR*, eCONSTRACTION))                              \
    X(ExpConvertMaxMin2String, void, (sDISPFORMAT*, unsigned long, char*, uPLCADR*))               \
    X(ExpConvertString2ScaleFac, void,                                                             \
      (eSCALETYPE, sDISPFORMAT*, unsigned long*, char*, uPLCADR*))                                 \
    X(ExpConvertScaleFac2String, void,                                                             \
      (eSCALETYPE, sDISPFORMAT*, unsigned long, char*, uPLCADR*))                                  \
    X(ExpValidateMaxMin, void,                                                                     \
      (sDISPFORMAT*, unsigned long*, unsigned long*, uPLCADR*, int, int))                          \
    X(ExpGetDataFormatIdFromString, int, (const char*))                                            \
    X(ExpGetDataFormatStringFromId, void, (unsigned short, char*, int))                            \
    X(ExpSetLogicalTag, int, (char*, uPLCSETUP*, uPLCADR*))                                        \
    X(ExpGetLogicalTag, void, (char*, uPLCSETUP*, uPLCADR*))                                       \
    X(ExpWriteLogicalAddressString, void,                                                          \
      (char*, sPROJECT*, uPLCSETUP*, uPLCADR*, unsigned char, int, int))                           \
    X(ExpIsCompatibleTag, int, (char*, unsigned short, uPLCSETUP*, uPLCADR*))                      \
    X(ExpUpdateFieldFromTagDb, int, (char*, unsigned short, uPLCSETUP*, uPLCADR*))                 \
    X(ExpValidatePLCAddress, int, (uPLCADR*, uPLCSETUP*, sPROJECT*, unsigned char))                \
    X(ExpSetFieldVarPageNum, void, (uPLCADR*, int, int))                                           \
    X(ExpSetFieldVarBitIndex, void, (uPLCADR*, int, int))                                          \
    X(ExpIsTimeSchdulerFieldUsed, int, (uPLCADR*, int))                                            \
    X(ExpGetSizeofZ32Tag, unsigned short, ())                                                      \
    X(ExpUseTagforAllFormats, int, ())                                                             \
    X(ExpUseCustomTagValidation, int, ())                                                          \
    X(ExpIsTagReimportSupported, int, ())                                                          \
    X(ExpDownloadAllTags, int, ())                                                                 \
    X(ExpParseCustomTagFileExt, void*, (char*, uPLCSETUP*, void*, long, long*, unsigned char))     \
    X(ExpParseCustomTagFile1, void*, (char*, uPLCSETUP*, void*, long, long*, sZ32TAG*, long))      \
    X(ExpGetTagImportColumnOrderAndFormat, int, (char*, int*, int*))                               \
    X(ExpIsGenericTagImportSupported, int, (void*))                                                \
    X(ExpGetCustomTagFileFilters, void, (char*, unsigned int))                                     \
    X(ExpDoSpecialInit, int, ())                                                                   \
    X(InitForth, int, (char*))                                                                     \
    X(ExpGetDriverName, void, (char*, int))                                                        \
    X(ProxyToDll, int, (int))                                                                      \
    X(ExpIsPLCParamDataDriver, int, ())                                                            \
    X(GetVarnBinaryResourceSize, unsigned long, (sSPROTINFO*))                                     \
    X(GetVarnBinaryResource, long, (char**, sSPROTINFO*))                                          \
    X(FreeVarnBinaryResource, int, ())                                                             \
    X(ExpGetDriverCapability, void, (sDRIVERCAPABILITY*))                                          \
    X(ExpSetSymbolChecksum, void, (uPLCSETUP*, unsigned long, short))                              \
    X(ExpGetSymbolChecksum, void, (uPLCSETUP*, unsigned long*, short*))                            \
    X(ExpParseTagsFromAdditionalFile, void*, (sADDFILE*, uPLCSETUP*, void*, long*))                \
    X(ExpGetTagnameFromGA, int, (sADDFILE*, uPLCADR*, char*, int, uPLCSETUP*))                     \
    X(ExpMakeGACompatiable, int, (sADDFILE*, uPLCADR*, uPLCSETUP*))
// clang-format on

// DriverEntry::ExpSetPLCModel::Name is "ExpSetPLCModel", ::Fn its pointer type.
namespace DriverEntry
{
#define QRV_DRIVER_ENTRY_TYPE(name, result, params) \
    struct name                                     \
    {                                               \
        static constexpr const char* Name = #name;  \
        typedef result(WINAPI* Fn) params;          \
    };
QRV_DRIVER_ENTRY_POINTS(QRV_DRIVER_ENTRY_TYPE)
#undef QRV_DRIVER_ENTRY_TYPE
} // namespace DriverEntry

// The export names in the list's order, for tools and tests that list or
// check a module's exports.
#define QRV_DRIVER_ENTRY_NAME(name, result, params) #name,
inline const char* const kDriverEntryPoints[] = {QRV_DRIVER_ENTRY_POINTS(QRV_DRIVER_ENTRY_NAME)};
#undef QRV_DRIVER_ENTRY_NAME
