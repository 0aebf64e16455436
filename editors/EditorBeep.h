// CEditorBeep: the warning sound of the value editors when a value stops at
// an end of its range. It is the default message beep; a test (or a host that
// wants silence) can put a function of its own in its place.
#pragma once
#include <afxwin.h>

class AFX_EXT_CLASS CEditorBeep
{
public:
    typedef void (AFXAPI* PFN_BEEP)(UINT nType);

    // Sounds the default beep, or calls the hook with MB_OK when one is set.
    static void Beep();
    // Installs pfnHook (null restores the message beep); returns the previous hook.
    static PFN_BEEP SetHook(PFN_BEEP pfnHook);

private:
    static PFN_BEEP s_pfnHook;
};
