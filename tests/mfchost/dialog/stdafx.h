// stdafx.h : include file for standard system include files,
//  or project specific include files that are used frequently
#pragma once

#define VC_EXTRALEAN // Exclude rarely-used stuff from Windows headers

#include <afxwin.h>  // MFC core and standard components
#include <afxext.h>  // MFC extensions
#include <afxdisp.h> // MFC OLE automation classes
#include <afxcmn.h>  // MFC support for Windows Common Controls
#include <afxole.h>  // MFC OLE classes
