// The owner side of a modal window (dialog or property sheet): the top-level
// window that is disabled while it runs and that gets input and activation
// back when it ends. Used inside the framework only.
#pragma once
#include "Wnd.h"

// The top-level window that owns a modal window of pParentWnd: pParentWnd's
// own window, else the main window, else the active one, climbing out of
// child windows.
HWND AfxFindModalOwner(const CWnd* pParentWnd);

// Hides and destroys the modal window wnd after its loop has ended, gives
// the owner back its input (when bEnableOwner, i.e. it was disabled for the
// loop) and, if wnd was active, the activation.
void AfxEndModalWindow(CWnd& wnd, HWND hWndOwner, bool bEnableOwner);
