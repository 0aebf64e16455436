// Resource ids of the value-editor tests.
#pragma once
#define IDD_EDITORS_TEST 300
#define IDC_BAUD_EDIT 1001
#define IDC_BAUD_SPIN 1002
#define IDC_MEMORY_EDIT 1003
#define IDC_MEMORY_SPIN 1004
#define IDC_TREND_EDIT 1005
#define IDC_TREND_SPIN 1006
#define IDC_TIMER_EDIT 1007
#define IDC_TIMER_SPIN 1008
#define IDC_OTHER_EDIT 1009
// One template per way a dialog editor lays out an up-down control.
#define IDD_UPDOWN_BUDDYINT 301
#define IDD_UPDOWN_AUTOBUDDY 302
#define IDD_UPDOWN_BEFORE 303
