#include "BitmapPaste.h"
#include "resources/resource.h"
#include "viewer/Lead.h"
#include "viewer/PlxDibInfo.h"
#include <cstring>

BOOL CBitmapPaste::ReadRecord(HGLOBAL hRecord, CString& strBaseName, int& nBits)
{
    sPLXDIBINFO info;
    if (!CPlxDibInfo::Read(hRecord, info))
        return FALSE;
    CString strSafe = SafeBaseName(CPlxDibInfo::GetBaseName(info));
    if (strSafe.IsEmpty())
        return FALSE;
    strBaseName = strSafe;
    nBits = info.byColorBits;
    return TRUE;
}

BOOL CBitmapPaste::IsDeviceName(const CString& strName)
{
    static const char* const kDevices[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
    int nDot = strName.Find('.');
    CString strStem = (nDot >= 0 ? strName.Left(nDot) : strName);
    strStem.TrimRight();
    for (const char* pszDevice : kDevices)
        if (strStem.CompareNoCase(pszDevice) == 0)
            return TRUE;
    // COM1 to COM9 and LPT1 to LPT9.
    return strStem.GetLength() == 4 && (strStem.Left(3).CompareNoCase("COM") == 0 ||
                                        strStem.Left(3).CompareNoCase("LPT") == 0) &&
           strStem[3] >= '1' && strStem[3] <= '9';
}

CString CBitmapPaste::SafeBaseName(const CString& strName)
{
    CString strSafe;
    bool bUsable = false;
    int n = strName.GetLength();
    for (int i = 0; i < n; ++i) {
        char ch = strName[i];
        if (ch != '.' && ch != ' ')
            bUsable = true;
        if (static_cast<unsigned char>(ch) < 0x20 || strchr("\\/:*?\"<>|", ch))
            ch = '_';
        // No leading dot and no run of dots: the shell's file operation takes
        // such names apart as relative path steps.
        bool bDotRun = ch == '.' && ((i > 0 && strName[i - 1] == '.') || (i + 1 < n && strName[i + 1] == '.'));
        if (ch == '.' && (i == 0 || bDotRun))
            ch = '_';
        strSafe += ch;
    }
    if (!bUsable)
        return CString();
    if (IsDeviceName(strSafe))
        strSafe = "_" + strSafe;
    return strSafe;
}

CString CBitmapPaste::TempFileName(const CString& strBaseName)
{
    char szTemp[MAX_PATH + 1] = {};
    DWORD n = ::GetTempPathA(MAX_PATH, szTemp);
    if (n == 0 || n > MAX_PATH)
        return CString();
    CString strExt;
    if (!strExt.LoadString(IDS_TEMP_IMAGE_EXTENSION))
        return CString();
    return CString(szTemp) + strBaseName + strExt;
}

BOOL CBitmapPaste::SaveDib(CWnd* pParent, HGLOBAL hDib, LPCSTR pszPath, int nBits)
{
    if (!pParent || !hDib || !pszPath || !*pszPath)
        return FALSE;
    CLead lead;
    if (!lead.Create("", WS_CHILD, CRect(0, 0, 1, 1), pParent, static_cast<UINT>(-1)))
        return FALSE;
    BOOL bSaved = lead.SetDIB(hDib) == CLead::errNone &&
                  lead.Save(pszPath, CLead::fmtBmp, static_cast<short>(nBits), 0, 0) == CLead::errNone;
    lead.DestroyWindow();
    return bSaved;
}
