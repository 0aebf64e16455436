// Ansicht -> Zeichenketten: a window listing the string table of QRV.dll,
// number and text, as the host's resource chain finds it.
#pragma once
#include "ListWindow.h"

class CStringsWindow : public CListWindow
{
public:
    // Opens a new, self-deleting window owned by pParent; null if it cannot.
    static CWnd* Show(CWnd* pParent);

protected:
    void Fill() override;
};
