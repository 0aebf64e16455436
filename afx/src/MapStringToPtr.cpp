#include "MapStringToPtr.h"

IMPLEMENT_DYNAMIC(CMapStringToPtr, CObject)
