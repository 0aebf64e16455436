// Extension-module support.
#pragma once
#ifndef __AFXDLLX_H__
#define __AFXDLLX_H__
#endif
#include "afxwin.h"
