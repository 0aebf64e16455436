// OLE automation support: starting OLE for the application.
#pragma once
#ifndef __AFXDISP_H__
#define __AFXDISP_H__
#endif
#include "afxwin.h"

// OleInitialize for the calling thread; FALSE when OLE cannot start.
AFX_CORE_API BOOL AFXAPI AfxOleInit();
