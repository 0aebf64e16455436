#include "WordArray.h"

IMPLEMENT_DYNAMIC(CWordArray, CObject)
