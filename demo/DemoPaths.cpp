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

namespace {
bool IsFolder(const CString& path)
{
    DWORD attrs = ::GetFileAttributesA(path);
    return attrs != INVALID_FILE_ATTRIBUTES && (attrs & FILE_ATTRIBUTE_DIRECTORY);
}
}

CString DemoPictureFolder()
{
    const CString program = DemoProgramFolder();
    // build\<preset>\bin\ is three folders below the repository.
    for (CString candidate : {program + "Bilder", program + "..\\..\\..\\samples\\images"}) {
        char full[MAX_PATH] = "";
        if (::GetFullPathNameA(candidate, MAX_PATH, full, nullptr) && IsFolder(full))
            return CString(full) + "\\";
    }
    return CString();
}
