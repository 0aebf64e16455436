// Framework extensions: views, frame windows and their status bar.
#pragma once
#include "afxwin.h"
#include "../src/View.h"
#include "../src/ScrollView.h"
#include "../src/FormView.h"
#include "../src/FrameWnd.h"
#include "../src/StatusBar.h"
