// Folders of the demo host.
#pragma once
#include <afxwin.h>

// The sample drivers beside the demo: bin\drivers\ with the final backslash.
CString DemoDriverFolder();
