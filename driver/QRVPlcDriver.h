// QRVPlcDriver: binds one PLC driver module at a time and gives one member
// per driver entry point. Entry points are looked up in the bound module at
// every call; a missing one is normal and answered with the member's fixed
// default. Modules that the object loads itself stay in its module cache
// until FreeDrivers; copies share that cache without loading again, so only
// one of several copies may call FreeDrivers.
#pragma once
#include <afxwin.h>
#include <map>
#include "driver/PlcDriverRecords.h"

// Callbacks handed to "AttachPLCFieldDialog" unchanged.
class CPlcInfo;

typedef int (CALLBACK* PLCDLGPROC)(HWND, UINT, UINT, long);
typedef int (CALLBACK* PLCCREATEDLGPROC)(HINSTANCE, LPCSTR, HWND, PLCDLGPROC, long, unsigned long);
typedef int (CALLBACK* PLCDLGHOOKPROC)(unsigned long, PLCDLGPROC, unsigned long);

class AFX_EXT_CLASS QRVPlcDriver
{
public:
    QRVPlcDriver();
    explicit QRVPlcDriver(HINSTANCE hModule);
    QRVPlcDriver(const QRVPlcDriver& src);
    QRVPlcDriver& operator=(const QRVPlcDriver& src);
    virtual ~QRVPlcDriver();

    int IsValid() const;
    HINSTANCE GetHandle() const;
    int SetPlcSetup(uPLCSETUP* pSetup);
    int GetPlcSetup(uPLCSETUP* pSetup) const;
    uPLCSETUP* GetPlcSetupPtr() const;

    // Binding.
    int LoadDriver(CString& strDllName);
    int LoadDriverByDllCode(unsigned short nDllCode);
    int SetDriver(HINSTANCE hModule);
    void FreeDrivers();
    int LoadSysVarDriver();
    int LoadInternalDriver();
    int LoadInternalMemoryBufferDriver();
    int LoadForthDriver();
    int LoadInternalDriver(unsigned int nKind);
    int InitForth(CString strText);
    bool GetDLLName(CString& strName) const;
    int IsTerminalEmulator() const;

    // Setup, model and project data.
    int InitPlcDefaults(sTARGSETUP* pTarget, uPLCSETUP* pSetup, uPLCSETUP* pSetup2,
                        tagFIELDREC* pField, unsigned short nValue);
    int InitTagSetupDefaults(sTARGSETUP* pTarget, uPLCSETUP* pSetup, uPLCSETUP* pSetup2,
                             tagFIELDREC* pField);
    int SetPLCModel(int nModel, uPLCSETUP* pSetup);
    int GetModelName(sSETUPNETINFO* pNetInfo, unsigned short nModel, char* pszName, int nSize);
    long GetModelIDandNameArrays(uPLCSETUP* pSetup, int* pIds, char* pNames);
    int SetModelUpdateAreas(uPLCADR* pAdr, sTARGSETUP* pTarget, uPLCSETUP* pSetup,
                            unsigned short nValue);
    int SetPanelInternalMemorySize(unsigned long nSize);
    int SetProjectData(int nValue, long lValue);
    int GetPLCNodeStringAsIP(uPLCSETUP* pSetup, CString& strText);
    int SetMPIFeatureSet(sMPIFEATURESET featureSet);
    int SetPLCParamData(uPLCSETUP* pSetup, unsigned long nValue, char* pszData);
    bool AfterPrjLoadAndUpload(sPROJECT* pProject, unsigned short nValue);
    bool BeforePrjSaveAndDownload(sPROJECT* pProject, unsigned short nValue);
    // Runs the driver's setup dialog on copies of the caller's records. After
    // the parent window it reads six arguments: a value (stored unchanged),
    // sPROJECT*, uPLCSETUP*, tagFIELDREC* or null, a pointer-sized value
    // (stored unchanged) and a flag value. Callers pass all six.
    int DoPlc(HWND hParent, ...);

    // Field dialog and field controls.
    int AttachPLCFieldDialog(_tagDEFIELD* pField, PLCCREATEDLGPROC pfnCreate,
                             PLCDLGHOOKPROC pfnHook, unsigned long nValue);
    int InitFieldControls(HWND hWnd, _tagDEFIELD* pField, unsigned short nValue);
    int InitTagFieldControls(HWND hWnd, _tagDEFIELD* pField, unsigned short nValue,
                             CString strA, CString strB);
    int IsValidAddressAndDataFormat(_tagDEFIELD* pField, uPLCADR* pAdr, unsigned short nValue);
    int CanCloseDialog(_tagDEFIELD* pField);
    int ResetNativeDataFormat(_tagDEFIELD* pField);
    void OnSignedUnsigned(tagFIELDREC* pField, int nValue);
    void OnFixedPointChanged(tagFIELDREC* pField, int nValue);
    void OnPrecChanged(tagFIELDREC* pField, unsigned short nValue);
    void ValidateFieldOnPlcSetupChange(uPLCSETUP* pSetup, tagFIELDREC* pField);
    int FixNumericbase(uPLCSETUP* pSetup, tagFIELDREC* pField);
    int FixExtraAddressElement2(uPLCSETUP* pSetup, tagFIELDREC* pField);
    int IsFieldSaveReqd();
    void ResetFieldSaveReqdFlag();

    // Data formats and display conversions.
    int GetDataFormat(unsigned short& nId, uPLCADR* pAdr);
    int SetDataFormat(unsigned short nId, uPLCADR* pAdr);
    int GetPreferredDataFormat(unsigned short& nId, uPLCSETUP* pSetup, uPLCADR* pAdr);
    void ResetDataFormat(uPLCADR* pAdr, uPLCSETUP* pSetup, sDISPFORMAT* pFormat,
                         unsigned short nValue);
    int IsASCIIDataFormat(uPLCADR* pAdr);
    int IsFormatSupported(uPLCSETUP* pSetup, unsigned short nA, uPLCADR* pAdr,
                          unsigned short nB, int nC);
    int IsReadWriteSupported(uPLCSETUP* pSetup, unsigned short nA, uPLCADR* pAdr,
                             unsigned short nB);
    int IsNumericBaseSupported(uPLCSETUP* pSetup, unsigned short nA, unsigned short nB,
                               uPLCADR* pAdr, unsigned short nC);
    int IsSignedUnsignedSupported(uPLCSETUP* pSetup, unsigned short nA, uPLCADR* pAdr,
                                  unsigned short nB, unsigned short nC);
    int IsFixedPointSupported(uPLCSETUP* pSetup, unsigned short nA, uPLCADR* pAdr,
                              unsigned short nB, unsigned short nC);
    int IsScalingSupported(uPLCSETUP* pSetup, unsigned short nA, uPLCADR* pAdr,
                           unsigned short nB);
    void ConvertString2MaxMin(sDISPFORMAT* pFormat, unsigned long* pValue, char* pszText,
                              uPLCADR* pAdr, eCONSTRACTION action);
    void ConvertMaxMin2String(sDISPFORMAT* pFormat, unsigned long nValue, char* pszText,
                              uPLCADR* pAdr);
    void ConvertString2ScaleFac(eSCALETYPE type, sDISPFORMAT* pFormat, unsigned long* pValue,
                                char* pszText, uPLCADR* pAdr);
    void ConvertScaleFac2String(eSCALETYPE type, sDISPFORMAT* pFormat, unsigned long nValue,
                                char* pszText, uPLCADR* pAdr);
    void ValidateMaxMin(sDISPFORMAT* pFormat, unsigned long* pMax, unsigned long* pMin,
                        uPLCADR* pAdr, int nA, int nB);
    unsigned long ValidateScaleFac(eSCALETYPE type, sDISPFORMAT* pFormat, unsigned long nValue,
                                   uPLCADR* pAdr);
    int GetDataFormatIdFromString(unsigned short& nId, CString strText);
    int GetDataFormatStringFromId(unsigned short nId, CString& strText);
    int IsBitDataFormat(uPLCADR* pAdr);
    int SetTagAndDataFormat(CString strTag, unsigned short nId, uPLCSETUP* pSetup, uPLCADR* pAdr);
    int SetTagAndDataFormat(CString strTag, CString strFormat, uPLCSETUP* pSetup, uPLCADR* pAdr);

    // Addresses and tags.
    int SetLogicalTag(char* pszTag, uPLCSETUP* pSetup, uPLCADR* pAdr);
    int GetLogicalAddress(char* pszText, uPLCSETUP* pSetup, uPLCADR* pAdr);
    int GetLogicalAddress(char* pszText, uPLCSETUP* pSetup, uPLCADR* pAdr, unsigned char byValue,
                          int nA, int nB, sPROJECT* pProject);
    int IsCompatibleTag(char* pszTag, unsigned short nValue, uPLCSETUP* pSetup, uPLCADR* pAdr);
    int UpdateFieldFromTagDb(CString strTag, unsigned short nId, uPLCSETUP* pSetup, uPLCADR* pAdr);
    int UpdateFieldFromTagDb(CString strTag, CString strFormat, uPLCSETUP* pSetup, uPLCADR* pAdr);
    int ValidatePLCAddress(uPLCADR* pAdr, uPLCSETUP* pSetup, sPROJECT* pProject,
                           unsigned char byValue);
    void SetFieldVarPageNum(uPLCADR* pAdr, int nA, int nB);
    void SetFieldVarBitIndex(uPLCADR* pAdr, int nA, int nB);
    int IsTimeSchdulerFieldUsed(uPLCADR* pAdr, int nValue);
    unsigned short GetSizeofZ32Tag();
    int UseTagforAllFormats();
    int UseCustomTagValdiation();
    int IsTagReimportSupported();
    int DownloadAllTags();
    short GetModelNumber(uPLCSETUP* pSetup, CString strModelName);

    // Tag import.
    int ExpParseCustomTagFileExt(char* pszFile, uPLCSETUP* pSetup, void** ppList, long nA,
                                 long* pB, unsigned char byC);
    int ExpParseCustomTagFile1(char* pszFile, uPLCSETUP* pSetup, void** ppList, long nA,
                               long* pB, sZ32TAG* pTag, long nC);
    int ExpGetTagImportColumnOrderAndFormat(char* pszText, int* pA, int* pB);
    int IsGenericTagImportSupported();
    int ExpGetCustomTagFileFilters(char* pszFilters, unsigned int nSize);

    // Driver identity and resources.
    int DoSpecialInit();
    int ProxyToDll(int nValue);
    int IsPLCParamDataDriver();
    unsigned long GetVarnBinaryResourceSize(sSPROTINFO* pInfo);
    long GetVarnBinaryResource(char** ppBlock, sSPROTINFO* pInfo);
    int FreeVarnBinaryResource();
    int IsDProtoSupported();
    int SupportsPropPages() const;
    bool IsDprotoAddFileSupported() const;

    // Identity of the bound driver. The project code is read afresh from the
    // module's identity string at every call (each call binds the module once
    // more by its file name and runs its special initialisation again); with
    // no module bound the code is 0 and every predicate false.
    int LoadDriver(CPlcInfo* pInfo);
    int LoadDriver(unsigned short nProjectCode);
    bool GetDriverName(CString& strName);
    bool IsRDAPermitted();
    unsigned char GetPlcType() const;
    int IsSimaticS5OldDriver() const;
    int IsQEMQMOVEDriver() const;
    int IsSaisABusDriver() const;
    int IsInternalDriver() const;
    int IsForthDriver() const;
    int IsCodeSysDriver() const;

    // Entry points only called for drivers of one project code.
    int SetQEMCheckSum(uPLCSETUP* pSetup, unsigned long nChecksum, short nValue);
    int GetQEMCheckSum(uPLCSETUP* pSetup, unsigned long* pChecksum, short* pValue);
    int ParseTagsFromAdditionalFile(sADDFILE* pFile, uPLCSETUP* pSetup, void** ppList,
                                    long* pCount);
    int GetTagnameFromGA(sADDFILE* pFile, uPLCADR* pAdr, char* pszTag, int nSize,
                         uPLCSETUP* pSetup);
    int UpdateGAforCodesys(sADDFILE* pFile, uPLCADR* pAdr, uPLCSETUP* pSetup);

    // Capability bits of "ExpGetDriverCapability".
    int IsOldTagSupported();
    int IsTagSupported();
    int IsSplTagImportSupported();
    int Is64LEDUsed();
    int IsTagArray();
    int IsContinuousRDASupported();

private:
    // Byte-wise, multibyte-aware, case-sensitive order of DLL names.
    struct NameLess
    {
        bool operator()(const CString& a, const CString& b) const;
    };

    // The entry point of the bound module that Entry names (one of
    // DriverEntry's), or null.
    template <typename Entry> typename Entry::Fn Lookup() const;
    // Calls the entry point with args. The result is the entry point's own
    // converted to R, or fallback when it is missing. An entry point whose
    // result is ignored is declared as returning void; then the result is
    // R(1) when it was called.
    template <typename Entry, typename R, typename... A>
    R Call(R fallback, A... args) const;

    int HasEntryPoint(const char* pszName) const;
    int LoadSpecialDriver(const char* pszFileName);
    int TestCapability(unsigned long dwMask, int nWhenMissing);
    int ResolveFormatId(unsigned short& nId, const CString& strFormat, uPLCSETUP* pSetup,
                        uPLCADR* pAdr);
    void CopySetupFrom(const QRVPlcDriver& src);

    HINSTANCE m_hModule;
    std::map<unsigned short, CString> m_mapFormats;
    std::map<CString, HINSTANCE, NameLess> m_mapModules;
    uPLCSETUP* m_pPlcSetup;
};
