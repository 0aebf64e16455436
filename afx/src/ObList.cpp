#include "ObList.h"

IMPLEMENT_DYNAMIC(CObList, CObject)
