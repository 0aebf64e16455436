// Extension-module support.
#pragma once
#include "afxwin.h"
