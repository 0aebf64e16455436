// OLE data transfer: clipboard data sources and objects, drag sources and drop targets.
#pragma once
#ifndef __AFXOLE_H__
#define __AFXOLE_H__
#endif
#include "afxwin.h"
#include "afxdisp.h"
#include "../src/OleDataSource.h"
#include "../src/OleDataObject.h"
#include "../src/OleDropSource.h"
#include "../src/OleDropTarget.h"

