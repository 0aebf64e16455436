// Framework extensions: form views, the status bar, and (as in MFC) the dialog classes.
#pragma once
#ifndef __AFXEXT_H__
#define __AFXEXT_H__
#endif
#include "afxwin.h"
#include "afxdlgs.h"
#include "../src/FormView.h"
#include "../src/StatusBar.h"
