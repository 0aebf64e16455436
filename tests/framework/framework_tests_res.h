// Resources of the framework tests (in the test program, the first module of the chain).
#pragma once

#define IDD_FW_CONTROLS     200
#define IDD_FW_PAGE_FIRST   201
#define IDD_FW_PAGE_SECOND  202

#define IDS_FW_PAGE_FIRST   210
#define IDS_FW_PAGE_SECOND  211
#define IDS_FW_SHEET_TITLE  212

#define IDC_FW_EDIT         1001
#define IDC_FW_NUMBER       1002
#define IDC_FW_COMBO        1003
#define IDC_FW_LISTBOX      1004
#define IDC_FW_LISTVIEW     1005
#define IDC_FW_SLIDER       1006
#define IDC_FW_BUTTON       1007
#define IDC_FW_PAGE_EDIT    1010
#define IDC_FW_ABSENT       1099
