#include "DemoPaths.h"
#include <string.h>

CString DemoDriverFolder()
{
    char path[MAX_PATH] = "";
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    char* slash = strrchr(path, '\\');
    if (slash)
        slash[1] = '\0';
    return CString(path) + "drivers\\";
}
