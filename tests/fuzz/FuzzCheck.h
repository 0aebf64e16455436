// The rules the native fuzz targets check: a broken one ends the run as a
// crash does, so libFuzzer keeps the input.
#pragma once
#include <cstdlib>

inline void Check(bool rule)
{
    if (!rule)
        std::abort();
}
