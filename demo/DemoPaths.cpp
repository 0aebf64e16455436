#include "DemoPaths.h"
#include <string.h>

CString DemoProgramFolder()
{
    char path[MAX_PATH] = "";
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    char* slash = strrchr(path, '\\');
    if (slash)
        slash[1] = '\0';
    return path;
}

CString DemoDriverFolder() { return DemoProgramFolder() + "drivers\\"; }
