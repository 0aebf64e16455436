// Framework extensions.
#pragma once
#include "afxwin.h"
