// What the soak watches of its own process: private memory, kernel handles
// and GDI objects. This Wine's GetGuiResources answers 0 whatever the process
// holds, so where it does the GDI objects are counted in the process's GDI
// handle table, which the process environment block points to on Windows and
// on Wine alike: one entry per handle, a type byte for a live object.
#pragma once
#include <windows.h>

struct SResourceUse {
    double privateKb = 0; // PrivateUsage of GetProcessMemoryInfo
    long handles = -1;    // GetProcessHandleCount, or the system's handle list
    long gdiObjects = -1; // -1 where they cannot be counted
};

class CResourceMeter {
public:
    static SResourceUse Measure();
    // Where the GDI count comes from, for the report.
    static const char *GdiSource();

private:
    // This Wine's GetProcessHandleCount answers 0: the system's list of handles is counted then.
    static long CountHandles();
    // Live, non-stock entries of the handle table; -1 without one.
    static long CountGdiTable();
};
