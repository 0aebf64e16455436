// Framework extensions: views and frame windows.
#pragma once
#include "afxwin.h"
#include "../src/View.h"
#include "../src/ScrollView.h"
#include "../src/FormView.h"
#include "../src/FrameWnd.h"
