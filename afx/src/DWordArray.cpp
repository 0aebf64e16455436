#include "DWordArray.h"

IMPLEMENT_DYNAMIC(CDWordArray, CObject)
