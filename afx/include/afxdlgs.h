// Dialog classes.
#pragma once
#include "afxwin.h"
