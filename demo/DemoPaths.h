// Folders of the demo host.
#pragma once
#include <afxwin.h>

// The folder of QrvDemo.exe with the final backslash.
CString DemoProgramFolder();
// The sample drivers beside the demo: drivers\ with the final backslash.
CString DemoDriverFolder();
