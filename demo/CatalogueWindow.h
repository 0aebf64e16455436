// A window listing the driver catalogue of the sample drivers beside the
// demo (bin\drivers), read through CPlcInfoList as a host reads it.
#pragma once
#include "ListWindow.h"

class CCatalogueWindow : public CListWindow
{
public:
    // Opens a new, self-deleting window owned by pParent; null if it cannot.
    static CWnd* Show(CWnd* pParent);

protected:
    void Fill() override;
};
