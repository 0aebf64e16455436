#include "ObArray.h"

IMPLEMENT_DYNAMIC(CObArray, CObject)
