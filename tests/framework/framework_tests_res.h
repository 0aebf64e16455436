// Resources of the framework tests (in the test program, the first module of the chain).
#pragma once
#define IDD_FW_CONTROLS 200
#define IDD_FW_PAGE_FIRST 201
#define IDS_FW_PAGE_FIRST 210
#define IDS_FW_SHEET_TITLE 212
#define IDC_FW_EDIT 1001
#define IDC_FW_NUMBER 1002
#define IDC_FW_COMBO 1003
#define IDC_FW_LISTBOX 1004
#define IDC_FW_LISTVIEW 1005
#define IDC_FW_SLIDER 1006
#define IDC_FW_BUTTON 1007
#define IDC_FW_ABSENT 1099
// The resize, tab control and bitmap tree tests.
#define IDD_RS_DIALOG 300
#define IDD_RS_PAGE 301
#define IDD_RS_TABS 302
#define IDD_RS_FORM 303
#define IDB_RS_TILE24 310
#define IDB_RS_TILE16 311
#define IDC_RS_TWICE 3001
#define IDC_RS_HALF 3002
#define IDC_RS_STRETCH 3003
#define IDC_RS_GROUP 3004
#define IDC_RS_RADIO 3005
#define IDC_RS_CHECK 3006
#define IDC_RS_PUSH 3007
#define IDC_RS_FIFTH 3008
#define IDC_RS_PAGE_EDIT 3010
#define IDC_RS_TAB 3020
#define IDC_RS_FORM_EDIT 3040
#define IDC_RS_FORM_EDIT2 3041
