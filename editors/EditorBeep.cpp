#include "editors/EditorBeep.h"

CEditorBeep::PFN_BEEP CEditorBeep::s_pfnHook = nullptr;

void CEditorBeep::Beep()
{
    if (s_pfnHook)
        s_pfnHook(MB_OK);
    else
        ::MessageBeep(MB_OK);
}

CEditorBeep::PFN_BEEP CEditorBeep::SetHook(PFN_BEEP pfnHook)
{
    PFN_BEEP pfnOld = s_pfnHook;
    s_pfnHook = pfnHook;
    return pfnOld;
}
