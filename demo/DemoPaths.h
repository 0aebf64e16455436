// Folders of the demo host.
#pragma once
#include <afxwin.h>

// The folder of QrvDemo.exe with the final backslash.
CString DemoProgramFolder();
// The sample drivers beside the demo: drivers\ with the final backslash.
CString DemoDriverFolder();
// The sample pictures: Bilder\ beside the installed demo, else the
// repository's samples\images\ above the build's program folder; with the
// final backslash, empty if neither is there.
CString DemoPictureFolder();
