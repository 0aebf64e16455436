// Basic definitions shared by every header of the framework layer.
#pragma once
#include <windows.h>
#include <tchar.h>
#include <commctrl.h>
#include <stddef.h>

#ifdef AFX_CORE_BUILD
#define AFX_CORE_CLASS __declspec(dllexport)
#define AFX_CORE_API   __declspec(dllexport)
#else
#define AFX_CORE_CLASS __declspec(dllimport)
#define AFX_CORE_API   __declspec(dllimport)
#endif

// Extension DLLs build with _AFXEXT and export their classes; their clients import them.
#ifdef _AFXEXT
#define AFX_EXT_CLASS __declspec(dllexport)
#define AFX_EXT_API   __declspec(dllexport)
#else
#define AFX_EXT_CLASS __declspec(dllimport)
#define AFX_EXT_API   __declspec(dllimport)
#endif

#define AFXAPI   __stdcall
#define AFX_CDECL __cdecl
#define afx_msg

#ifndef ASSERT
#define ASSERT(f) ((void)0)
#endif
#define VERIFY(f) ((void)(f))
#define ASSERT_VALID(p) ((void)0)
// Debug output, as in MFC's release builds: nothing.
#define TRACE(...) ((void)0)
#define TRACE0(sz) ((void)0)
#define TRACE1(sz, p1) ((void)0)
#define TRACE2(sz, p1, p2) ((void)0)
#define TRACE3(sz, p1, p2, p3) ((void)0)
// A condition the caller must meet; otherwise CInvalidArgException is thrown.
#define ENSURE(cond) do { if (!(cond)) AfxThrowInvalidArgException(); } while (0)
#define ENSURE_ARG(cond) ENSURE(cond)
#define UNUSED_ALWAYS(x) (void)(x)

typedef struct __POSITION { } *POSITION;
#define BEFORE_START_POSITION ((POSITION)-1L)
