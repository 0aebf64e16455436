// Framework internals a host may use: the recent file list.
#pragma once
#ifndef __AFXPRIV_H__
#define __AFXPRIV_H__
#endif
#include "afxwin.h"
#include "../src/RecentFileList.h"
