// The framework's non-template collections.
#pragma once
#ifndef __AFXCOLL_H__
#define __AFXCOLL_H__
#endif
#include "../src/PtrArray.h"
#include "../src/ObArray.h"
#include "../src/DWordArray.h"
#include "../src/UIntArray.h"
#include "../src/WordArray.h"
#include "../src/ByteArray.h"
#include "../src/StringArray.h"
#include "../src/PtrList.h"
#include "../src/ObList.h"
#include "../src/StringList.h"
#include "../src/MapStringToPtr.h"
#include "../src/MapPtrToPtr.h"
