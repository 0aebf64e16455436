// A host of the installed package: scans a driver folder into the catalogue
// and prints one line per driver.
#include <afxwin.h>
#include "catalogue/PlcInfoList.h"
#include <stdio.h>

class CHostApp : public CWinApp {
public:
    CHostApp() : CWinApp("QrvPackageHost") {}
};
CHostApp theApp;

int main(int argc, char **argv)
{
    if (argc != 2) {
        fprintf(stderr, "usage: host DRIVER_FOLDER\\\n");
        return 2;
    }
    AfxWinInit(::GetModuleHandleA(nullptr), nullptr, ::GetCommandLineA(), SW_HIDE);
    theApp.SetRegistryKey("QRV Package Host\\");
    CPlcInfoList list("VARN\\");
    list.InsertClientInfo(1);
    list.SetDLLPath(argv[1]);
    int loaded = list.Load(1);
    for (POSITION pos = list.GetHeadPosition(); pos;) {
        CPlcInfo *p = list.GetNext(pos);
        CString firmware;
        p->GetVersionStr(&firmware);
        printf("%s code=%d firmware=%s name=\"%s\"\n", (LPCSTR)p->m_strDllName, p->m_byCode, (LPCSTR)firmware,
               (LPCSTR)p->m_strDriverName);
    }
    printf("drivers=%d\n", (int)list.GetCount());
    ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\QRV Package Host");
    return loaded ? 0 : 1;
}
