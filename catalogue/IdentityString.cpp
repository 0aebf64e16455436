#include "catalogue/IdentityString.h"
#include <stdio.h>

namespace {
int CountPoints(const char* psz)
{
    int n = 0;
    for (; *psz; ++psz)
        n += *psz == '.';
    return n;
}
}

bool ParseIdentityString(const char* pszText, int& code, int& version)
{
    code = 0;
    version = 0;
    if (!pszText)
        return false;
    int ignored = 0;
    switch (CountPoints(pszText)) {
    case 1:
        sscanf(pszText, "%d.%d", &code, &version);
        return true;
    case 2:
        sscanf(pszText, "%d.%d.%d", &ignored, &code, &version);
        return true;
    default:
        return false;
    }
}
