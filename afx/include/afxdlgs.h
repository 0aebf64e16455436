// Dialog classes.
#pragma once
#include "afxwin.h"
#include "../src/PropertyPage.h"
#include "../src/PropertySheet.h"
