// The framework's collection templates.
#pragma once
#ifndef __AFXTEMPL_H__
#define __AFXTEMPL_H__
#endif
#include "afxcoll.h"
#include "../src/Array.h"
#include "../src/List.h"
#include "../src/Map.h"
#include "../src/TypedPtrArray.h"
#include "../src/TypedPtrList.h"
#include "../src/TypedPtrMap.h"
