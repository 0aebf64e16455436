// CPlcInfo: describes one installed PLC driver module without keeping it
// loaded: its project code, versions, names, folder and capability flags.
// Filled from a loaded module (CreateIndirect) or from the catalogue's
// registry cache. A plain value: copying copies every field.
#pragma once
#include <afx.h>

class AFX_EXT_CLASS CPlcInfo
{
public:
    CPlcInfo();
    CPlcInfo(const CPlcInfo& src);
    CPlcInfo& operator=(const CPlcInfo& src);
    ~CPlcInfo();

    // Fills the descriptor from a loaded driver module; always 1.
    int CreateIndirect(HINSTANCE hModule);
    // Reads the module's identity string (resource 1) into the version word and
    // code; 1 when it had the form "code.version" or "x.code.version", else 0.
    int GetVersionInfo(HINSTANCE hModule, unsigned short* pwVersion, unsigned char* pbyCode);
    // Text "major.minor"; form 1 is the legacy form of the old Simatic S5 driver.
    void SetVersion(LPCSTR pszVersion, unsigned char byForm);
    // The firmware version as "%d.%02d".
    void GetVersionStr(CString* pstrVersion);
    CString& GetCompatibility();

    // Tag and display name of a project code from the identity table.
    static void GetDriverDetails(CString& strTag, CString& strName, unsigned short wCode);

    unsigned char m_byCode;       // project code
    unsigned char m_byReserved;   // copied, otherwise unused
    unsigned short m_wVersion;    // low byte: version byte; high byte: form byte
    int m_nMajor;
    int m_nMinor;
    CString m_strDllName;         // file name with extension, no folder
    CString m_strDriverName;
    CString m_strDllVersion;
    CString m_strFolder;          // ends with a backslash
    CString m_strCompatibility;
    bool m_bDProto;
    bool m_bTagSupport;
    bool m_bOldTagSupport;
    bool m_bSpecialImport;

    // The string resources a driver module carries.
    enum
    {
        IDS_IDENTITY = 1,
        IDS_DRIVER_NAME = 2,
        IDS_DLL_VERSION = 3,
        IDS_COMPATIBILITY = 4,
        IDS_FIRMWARE_MAJOR = 6,
        IDS_FIRMWARE_MINOR = 7
    };
    // The legacy version form: the form byte of the old Simatic S5 driver.
    enum { LEGACY_FORM = 1 };

private:
    void ReadCapabilities();
    void ReadFirmwareStrings(HINSTANCE hModule);
};
