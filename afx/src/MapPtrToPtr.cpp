#include "MapPtrToPtr.h"

IMPLEMENT_DYNAMIC(CMapPtrToPtr, CObject)
