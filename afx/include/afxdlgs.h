// Dialog classes: the common file dialog, property sheets and their pages.
#pragma once
#ifndef __AFXDLGS_H__
#define __AFXDLGS_H__
#endif
#include "afxwin.h"
#include "../src/PropertyPage.h"
#include "../src/PropertySheet.h"
#include "../src/FileDialog.h"
