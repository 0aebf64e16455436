// Dialog classes.
#pragma once
#ifndef __AFXDLGS_H__
#define __AFXDLGS_H__
#endif
#include "afxwin.h"
#include "../src/PropertyPage.h"
#include "../src/PropertySheet.h"
