#include "StringArray.h"

IMPLEMENT_DYNAMIC(CStringArray, CObject)
