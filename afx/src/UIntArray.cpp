#include "UIntArray.h"

IMPLEMENT_DYNAMIC(CUIntArray, CObject)
