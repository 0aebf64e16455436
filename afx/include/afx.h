// The framework's core: objects, run-time classes, strings, geometry and the resource chain.
#pragma once
#include "../src/AfxDefs.h"
#include "../src/Object.h"
#include "../src/CmdTarget.h"
#include "../src/String.h"
#include "../src/Point.h"
#include "../src/ModuleChain.h"
