#include "PtrList.h"

IMPLEMENT_DYNAMIC(CPtrList, CObject)
