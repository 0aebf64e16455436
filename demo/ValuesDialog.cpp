#include "ValuesDialog.h"

namespace {
// The size of the host's trend data file when nothing else is chosen.
const int kDefaultTrendFileSize = 16;
}

CValuesDialog::CValuesDialog(CWnd* pParent) : CDialog(IDD, pParent), m_trendMemory(kDefaultTrendFileSize) {}

BOOL CValuesDialog::OnInitDialog()
{
    CDialog::OnInitDialog();

    m_baudRate.SubClassControls(IDC_VALUES_BAUD_SPIN, IDC_VALUES_BAUD_EDIT, this);
    m_baudRate.SetBaudRateMode(BAUDRATE_VALUE);
    m_baudRate.SetBaudRateRange(300, 38400);
    m_baudRate.SetBaudRate(9600);

    m_baudIndex.SubClassControls(IDC_VALUES_BAUDINDEX_SPIN, IDC_VALUES_BAUDINDEX_EDIT, this);
    m_baudIndex.SetBaudRateMode(BAUDRATE_INDEX);
    m_baudIndex.SetBaudRateRange(0, QRVBaudRateMgr::RATE_COUNT - 1);
    m_baudIndex.SetBaudRate(7);

    m_memory.SubClassControls(IDC_VALUES_MEMORY_SPIN, IDC_VALUES_MEMORY_EDIT, this);
    m_memory.SetRangeStep(64, 1024, 64);
    m_memory.SetMemPos(256);

    m_trendMemory.SubClassControls(IDC_VALUES_TREND_SPIN, IDC_VALUES_TREND_EDIT, this);
    m_trendMemory.SetRangeStep(0, 1024, 32);
    m_trendMemory.SetMemPos(0);

    m_timer.SubClassControls(IDC_VALUES_TIMER_SPIN, IDC_VALUES_TIMER_EDIT, this);
    m_timer.SetTimerMode(TIMER_MODE_BOTH);
    m_timer.SetTimerPos(500, TIMER_UNIT_MSEC);
    return TRUE;
}
