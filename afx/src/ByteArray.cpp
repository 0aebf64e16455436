#include "ByteArray.h"

IMPLEMENT_DYNAMIC(CByteArray, CObject)
