// A driver module that is nothing but its string table: the catalogue tests
// build one per identity form.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID)
{
    return TRUE;
}
