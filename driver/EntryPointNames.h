// The names of every entry point the library looks up in a driver module,
// by plain name, for tools and tests that list or check a module's exports.
#pragma once

inline const char* const kDriverEntryPoints[] = {
    "InitPlcDefaults", "ExpInitTagSetupDefaults", "ExpSetPLCModel", "ExpGetModelName",
    "ExpGetModelIDandNameArrays", "ExpSetModelUpdateAreas", "ExpSetPanelInternalMemorySize", "ExpSetProjectData",
    "ExpGetPLCNodeStringAsIP", "ExpSetMPIFeatureSet", "ExpSetPLCParamData", "ExpAfterPrjLoadAndUpload",
    "ExpBeforePrjSaveAndDownload", "ExecPlcSetupDlg", "AttachPLCFieldDialog", "ExpInitFieldControls",
    "ExpInitFieldControls1", "ExpIsValidAddressAndDataFormat", "ExpCanCloseDialog", "ExpResetNativeDataFormat",
    "ExpOnSignedUnsigned", "ExpOnFixedPointChanged", "ExpOnPrecChanged", "ExpValidateField", "ExpFixNumericbase",
    "ExpFixExtraAddrElem2", "ExpIsFieldSaveReqd", "ExpResetFieldSaveReqdFlag", "ExpGetDataFormat",
    "ExpSetDataFormat", "ExpGetPreferredDataFormat", "ExpResetDataFormat", "ExpIsASCIIDataFormat",
    "ExpIsFormatSupported", "ExpIsReadWriteSupported", "ExpIsNumericBaseSupported", "ExpIsSignedUnsignedSupported",
    "ExpIsFixedPointSupported", "ExpIsScalingSupported", "ExpConvertString2MaxMin", "ExpConvertMaxMin2String",
    "ExpConvertString2ScaleFac", "ExpConvertScaleFac2String", "ExpValidateMaxMin", "ExpGetDataFormatIdFromString",
    "ExpGetDataFormatStringFromId", "ExpSetLogicalTag", "ExpGetLogicalTag", "ExpWriteLogicalAddressString",
    "ExpIsCompatibleTag", "ExpUpdateFieldFromTagDb", "ExpValidatePLCAddress", "ExpSetFieldVarPageNum",
    "ExpSetFieldVarBitIndex", "ExpIsTimeSchdulerFieldUsed", "ExpGetSizeofZ32Tag", "ExpUseTagforAllFormats",
    "ExpUseCustomTagValidation", "ExpIsTagReimportSupported", "ExpDownloadAllTags", "ExpParseCustomTagFileExt",
    "ExpParseCustomTagFile1", "ExpGetTagImportColumnOrderAndFormat", "ExpIsGenericTagImportSupported",
    "ExpGetCustomTagFileFilters", "ExpDoSpecialInit", "InitForth", "ExpGetDriverName", "ProxyToDll",
    "ExpIsPLCParamDataDriver", "GetVarnBinaryResourceSize", "GetVarnBinaryResource", "FreeVarnBinaryResource",
    "ExpGetDriverCapability", "ExpSetSymbolChecksum", "ExpGetSymbolChecksum", "ExpParseTagsFromAdditionalFile",
    "ExpGetTagnameFromGA", "ExpMakeGACompatiable"};
