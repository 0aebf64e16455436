// OLE data transfer: clipboard data sources and objects, drag sources and drop targets.
#pragma once
#include "afxwin.h"
#include "../src/OleDataSource.h"
#include "../src/OleDataObject.h"
#include "../src/OleDropSource.h"
#include "../src/OleDropTarget.h"

// OleInitialize for the calling thread; FALSE when OLE cannot start.
AFX_CORE_API BOOL AFXAPI AfxOleInit();
