// Framework extensions: form views, the status bar, bitmap buttons, and (as in MFC) the dialog classes.
#pragma once
#ifndef __AFXEXT_H__
#define __AFXEXT_H__
#endif
#include "afxwin.h"
#include "afxdlgs.h"
#include "../src/FormView.h"
#include "../src/StatusBar.h"
#include "../src/BitmapButton.h"
