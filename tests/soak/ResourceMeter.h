// What the soak watches of its own process: private memory, kernel handles
// and GDI objects. This Wine's GetGuiResources answers 0 whatever the process
// holds, so where it does the GDI objects are counted in the process's GDI
// handle table, which the process environment block points to on Windows and
// on Wine alike: one entry per handle, a type byte for a live object.
#pragma once
#include <windows.h>

struct SResourceUse {
    double privateKb = 0;       // PrivateUsage of GetProcessMemoryInfo
    long handles = -1;          // GetProcessHandleCount, or the system's handle list
    long gdiObjects = -1;       // -1 where they cannot be counted
    const char *gdiSource = ""; // where the GDI count comes from, for the report
};

SResourceUse MeasureResources();
