#include "StringList.h"

IMPLEMENT_DYNAMIC(CStringList, CObject)
