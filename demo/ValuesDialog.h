// CValuesDialog: the demo's "Werte" dialog with one value editor of each
// kind from QRV.dll. The ids below are shared with values.rc.
#pragma once

#define IDD_VALUES                 200
#define IDC_VALUES_BAUD_EDIT       2001
#define IDC_VALUES_BAUD_SPIN       2002
#define IDC_VALUES_BAUDINDEX_EDIT  2003
#define IDC_VALUES_BAUDINDEX_SPIN  2004
#define IDC_VALUES_MEMORY_EDIT     2005
#define IDC_VALUES_MEMORY_SPIN     2006
#define IDC_VALUES_TREND_EDIT      2007
#define IDC_VALUES_TREND_SPIN      2008
#define IDC_VALUES_TIMER_EDIT      2009
#define IDC_VALUES_TIMER_SPIN      2010

#ifndef RC_INVOKED
#include <afxwin.h>
#include "editors/QRVBaudRateMgr.h"
#include "editors/QRVMemoryMgr.h"
#include "editors/QRVTimerMgr.h"
#include "editors/QRVTrendMemoryMgr.h"

class CValuesDialog : public CDialog
{
public:
    enum { IDD = IDD_VALUES };
    explicit CValuesDialog(CWnd* pParent = nullptr);

protected:
    BOOL OnInitDialog() override;

    QRVBaudRateMgr m_baudRate;
    QRVBaudRateMgr m_baudIndex;
    QRVMemoryMgr m_memory;
    QRVTrendMemoryMgr m_trendMemory;
    QRVTimerMgr m_timer;
};
#endif
