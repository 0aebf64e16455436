// The members of QRVPlcDriver that only forward to one entry point: member,
// parameters, the entry point, the result when the module lacks it, and the
// arguments in the driver's order. A member whose entry point is missing
// answers its fallback; one whose entry point returns nothing answers 1.
#include "driver/EntryPointCall.h"

// clang-format off
#define QRV_DRIVER_FORWARDERS(X)                                                                   \
    X(int, InitPlcDefaults,                                                                        \
      (sTARGSETUP* pTarget, uPLCSETUP* pSetup, uPLCSETUP* pSetup2, tagFIELDREC* pField, unsigned short nValue),\
      InitPlcDefaults, 0, (pTarget, pSetup, pSetup2, pField, nValue))                              \
    X(int, InitTagSetupDefaults,                                                                   \
      (sTARGSETUP* pTarget, uPLCSETUP* pSetup, uPLCSETUP* pSetup2, tagFIELDREC* pField),           \
      ExpInitTagSetupDefaults, 0, (pTarget, pSetup, pSetup2, pField))                              \
    X(int, SetPLCModel, (int nModel, uPLCSETUP* pSetup), ExpSetPLCModel, 0, (nModel, pSetup))      \
    X(int, GetModelName,                                                                           \
      (sSETUPNETINFO* pNetInfo, unsigned short nModel, char* pszName, int nSize),                  \
      ExpGetModelName, 0, (pNetInfo, nModel, pszName, nSize))                                      \
    X(long, GetModelIDandNameArrays, (uPLCSETUP* pSetup, int* pIds, char* pNames),                 \
      ExpGetModelIDandNameArrays, 0L, (pSetup, pIds, pNames))                                      \
    X(int, SetModelUpdateAreas,                                                                    \
      (uPLCADR* pAdr, sTARGSETUP* pTarget, uPLCSETUP* pSetup, unsigned short nValue),              \
      ExpSetModelUpdateAreas, 0, (pAdr, pTarget, pSetup, nValue))                                  \
    X(int, SetPanelInternalMemorySize, (unsigned long nSize),                                      \
      ExpSetPanelInternalMemorySize, 0, (nSize))                                                   \
    X(int, SetProjectData, (int nValue, long lValue), ExpSetProjectData, 0, (nValue, lValue))      \
    X(int, SetMPIFeatureSet, (sMPIFEATURESET featureSet), ExpSetMPIFeatureSet, 0, (featureSet))    \
    X(bool, AfterPrjLoadAndUpload, (sPROJECT* pProject, unsigned short nValue),                    \
      ExpAfterPrjLoadAndUpload, false, (pProject, nValue))                                         \
    X(bool, BeforePrjSaveAndDownload, (sPROJECT* pProject, unsigned short nValue),                 \
      ExpBeforePrjSaveAndDownload, false, (pProject, nValue))                                      \
    X(int, AttachPLCFieldDialog,                                                                   \
      (_tagDEFIELD* pField, PLCCREATEDLGPROC pfnCreate, PLCDLGHOOKPROC pfnHook, unsigned long nValue),\
      AttachPLCFieldDialog, 0, (pField, pfnCreate, pfnHook, nValue))                               \
    X(int, InitFieldControls, (HWND hWnd, _tagDEFIELD* pField, unsigned short nValue),             \
      ExpInitFieldControls, 0, (hWnd, pField, nValue))                                             \
    X(int, IsValidAddressAndDataFormat,                                                            \
      (_tagDEFIELD* pField, uPLCADR* pAdr, unsigned short nValue),                                 \
      ExpIsValidAddressAndDataFormat, 0, (pField, pAdr, nValue))                                   \
    X(int, CanCloseDialog, (_tagDEFIELD* pField), ExpCanCloseDialog, 1, (pField))                  \
    X(int, ResetNativeDataFormat, (_tagDEFIELD* pField), ExpResetNativeDataFormat, 0, (pField))    \
    X(void, OnSignedUnsigned, (tagFIELDREC* pField, int nValue),                                   \
      ExpOnSignedUnsigned, 0, (pField, nValue))                                                    \
    X(void, OnFixedPointChanged, (tagFIELDREC* pField, int nValue),                                \
      ExpOnFixedPointChanged, 0, (pField, nValue))                                                 \
    X(void, OnPrecChanged, (tagFIELDREC* pField, unsigned short nValue),                           \
      ExpOnPrecChanged, 0, (pField, nValue))                                                       \
    X(void, ValidateFieldOnPlcSetupChange, (uPLCSETUP* pSetup, tagFIELDREC* pField),               \
      ExpValidateField, 0, (pSetup, pField))                                                       \
    X(int, FixNumericbase, (uPLCSETUP* pSetup, tagFIELDREC* pField),                               \
      ExpFixNumericbase, 0, (pSetup, pField))                                                      \
    X(int, FixExtraAddressElement2, (uPLCSETUP* pSetup, tagFIELDREC* pField),                      \
      ExpFixExtraAddrElem2, 0, (pSetup, pField))                                                   \
    X(int, IsFieldSaveReqd, (), ExpIsFieldSaveReqd, 0, ())                                         \
    X(void, ResetFieldSaveReqdFlag, (), ExpResetFieldSaveReqdFlag, 0, ())                          \
    X(int, SetDataFormat, (unsigned short nId, uPLCADR* pAdr), ExpSetDataFormat, 0, (pAdr, nId))   \
    X(void, ResetDataFormat,                                                                       \
      (uPLCADR* pAdr, uPLCSETUP* pSetup, sDISPFORMAT* pFormat, unsigned short nValue),             \
      ExpResetDataFormat, 0, (0, pAdr, pSetup, pFormat, nValue))                                   \
    X(int, IsASCIIDataFormat, (uPLCADR* pAdr), ExpIsASCIIDataFormat, 0, (pAdr))                    \
    X(int, IsFormatSupported,                                                                      \
      (uPLCSETUP* pSetup, unsigned short nA, uPLCADR* pAdr, unsigned short nB, int nC),            \
      ExpIsFormatSupported, 0, (pSetup, nA, pAdr, nB, nC))                                         \
    X(int, IsReadWriteSupported,                                                                   \
      (uPLCSETUP* pSetup, unsigned short nA, uPLCADR* pAdr, unsigned short nB),                    \
      ExpIsReadWriteSupported, 0, (pSetup, nA, pAdr, nB))                                          \
    X(int, IsNumericBaseSupported,                                                                 \
      (uPLCSETUP* pSetup, unsigned short nA, unsigned short nB, uPLCADR* pAdr, unsigned short nC), \
      ExpIsNumericBaseSupported, 0, (pSetup, nA, nB, pAdr, nC))                                    \
    X(int, IsSignedUnsignedSupported,                                                              \
      (uPLCSETUP* pSetup, unsigned short nA, uPLCADR* pAdr, unsigned short nB, unsigned short nC), \
      ExpIsSignedUnsignedSupported, 0, (pSetup, nA, pAdr, nB, nC))                                 \
    X(int, IsFixedPointSupported,                                                                  \
      (uPLCSETUP* pSetup, unsigned short nA, uPLCADR* pAdr, unsigned short nB, unsigned short nC), \
      ExpIsFixedPointSupported, 0, (pSetup, nA, pAdr, nB, nC))                                     \
    X(int, IsScalingSupported,                                                                     \
      (uPLCSETUP* pSetup, unsigned short nA, uPLCADR* pAdr, unsigned short nB),                    \
      ExpIsScalingSupported, 0, (pSetup, nA, pAdr, nB))                                            \
    X(void, ConvertString2MaxMin,                                                                  \
      (sDISPFORMAT* pFormat, unsigned long* pValue, char* pszText, uPLCADR* pAdr, eCONSTRACTION action),\
      ExpConvertString2MaxMin, 0, (pFormat, pValue, pszText, pAdr, action))                        \
    X(void, ConvertMaxMin2String,                                                                  \
      (sDISPFORMAT* pFormat, unsigned long nValue, char* pszText, uPLCADR* pAdr),                  \
      ExpConvertMaxMin2String, 0, (pFormat, nValue, pszText, pAdr))                                \
    X(void, ConvertString2ScaleFac,                                                                \
      (eSCALETYPE type, sDISPFORMAT* pFormat, unsigned long* pValue, char* pszText, uPLCADR* pAdr),\
      ExpConvertString2ScaleFac, 0, (type, pFormat, pValue, pszText, pAdr))                        \
    X(void, ConvertScaleFac2String,                                                                \
      (eSCALETYPE type, sDISPFORMAT* pFormat, unsigned long nValue, char* pszText, uPLCADR* pAdr), \
      ExpConvertScaleFac2String, 0, (type, pFormat, nValue, pszText, pAdr))                        \
    X(void, ValidateMaxMin,                                                                        \
      (sDISPFORMAT* pFormat, unsigned long* pMax, unsigned long* pMin, uPLCADR* pAdr, int nA, int nB),\
      ExpValidateMaxMin, 0, (pFormat, pMax, pMin, pAdr, nA, nB))                                   \
    X(int, SetLogicalTag, (char* pszTag, uPLCSETUP* pSetup, uPLCADR* pAdr),                        \
      ExpSetLogicalTag, 0, (pszTag, pSetup, pAdr))                                                 \
    X(int, IsCompatibleTag,                                                                        \
      (char* pszTag, unsigned short nValue, uPLCSETUP* pSetup, uPLCADR* pAdr),                     \
      ExpIsCompatibleTag, 0, (pszTag, nValue, pSetup, pAdr))                                       \
    X(int, ValidatePLCAddress,                                                                     \
      (uPLCADR* pAdr, uPLCSETUP* pSetup, sPROJECT* pProject, unsigned char byValue),               \
      ExpValidatePLCAddress, 0, (pAdr, pSetup, pProject, byValue))                                 \
    X(void, SetFieldVarPageNum, (uPLCADR* pAdr, int nA, int nB),                                   \
      ExpSetFieldVarPageNum, 0, (pAdr, nA, nB))                                                    \
    X(void, SetFieldVarBitIndex, (uPLCADR* pAdr, int nA, int nB),                                  \
      ExpSetFieldVarBitIndex, 0, (pAdr, nA, nB))                                                   \
    X(int, IsTimeSchdulerFieldUsed, (uPLCADR* pAdr, int nValue),                                   \
      ExpIsTimeSchdulerFieldUsed, 0, (pAdr, nValue))                                               \
    X(unsigned short, GetSizeofZ32Tag, (),                                                         \
      ExpGetSizeofZ32Tag, static_cast<unsigned short>(0), ())                                      \
    X(int, UseTagforAllFormats, (), ExpUseTagforAllFormats, 0, ())                                 \
    X(int, UseCustomTagValdiation, (), ExpUseCustomTagValidation, 0, ())                           \
    X(int, IsTagReimportSupported, (), ExpIsTagReimportSupported, 0, ())                           \
    X(int, DownloadAllTags, (), ExpDownloadAllTags, 0, ())                                         \
    X(int, ExpGetTagImportColumnOrderAndFormat, (char* pszText, int* pA, int* pB),                 \
      ExpGetTagImportColumnOrderAndFormat, 0, (pszText, pA, pB))                                   \
    X(int, ExpGetCustomTagFileFilters, (char* pszFilters, unsigned int nSize),                     \
      ExpGetCustomTagFileFilters, 0, (pszFilters, nSize))                                          \
    X(int, DoSpecialInit, (), ExpDoSpecialInit, 0, ())                                             \
    X(int, ProxyToDll, (int nValue), ProxyToDll, 0, (nValue))                                      \
    X(int, IsPLCParamDataDriver, (), ExpIsPLCParamDataDriver, 0, ())                               \
    X(unsigned long, GetVarnBinaryResourceSize, (sSPROTINFO* pInfo),                               \
      GetVarnBinaryResourceSize, 0UL, (pInfo))                                                     \
    X(long, GetVarnBinaryResource, (char** ppBlock, sSPROTINFO* pInfo),                            \
      GetVarnBinaryResource, 0L, (ppBlock, pInfo))                                                 \
    X(int, FreeVarnBinaryResource, (), FreeVarnBinaryResource, 0, ())
// clang-format on

#define QRV_DEFINE_FORWARDER(result, member, params, entry, fallback, args)                        \
    result QRVPlcDriver::member params                                                             \
    {                                                                                              \
        using Entry = DriverEntry::entry;                                                          \
        return static_cast<result>(DriverCall<Entry, decltype(fallback)>(Lookup<Entry>(), fallback) args); \
    }
QRV_DRIVER_FORWARDERS(QRV_DEFINE_FORWARDER)
