#include "../include/afxole.h"

BOOL AFXAPI AfxOleInit()
{
    return SUCCEEDED(::OleInitialize(nullptr));
}
