#include "PtrArray.h"

IMPLEMENT_DYNAMIC(CPtrArray, CObject)
