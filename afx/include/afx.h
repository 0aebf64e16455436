// The framework's core: objects, run-time classes, strings, geometry and the resource chain.
#pragma once
#ifndef __AFX_H__
#define __AFX_H__
#endif
#include "../src/AfxDefs.h"
#include "../src/Object.h"
#include "../src/Exception.h"
#include "../src/CmdTarget.h"
#include "../src/String.h"
#include "../src/FileException.h"
#include "../src/ArchiveException.h"
#include "../src/File.h"
#include "../src/Archive.h"
#include "../src/Time.h"
#include "../src/Point.h"
#include "../src/ModuleChain.h"
