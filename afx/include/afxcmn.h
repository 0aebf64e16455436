// The common controls and image lists.
#pragma once
#ifndef __AFXCMN_H__
#define __AFXCMN_H__
#endif
#include "afxwin.h"
#include "../src/ImageList.h"
#include "../src/SpinButtonCtrl.h"
#include "../src/SliderCtrl.h"
#include "../src/ProgressCtrl.h"
#include "../src/HeaderCtrl.h"
#include "../src/ListCtrl.h"
#include "../src/TreeCtrl.h"
#include "../src/TabCtrl.h"
#include "../src/ToolBarCtrl.h"
#include "../src/ToolTipCtrl.h"
#include "../src/AnimateCtrl.h"
