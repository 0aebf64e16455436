// Resources of the resize, tab control and bitmap tree tests.
#pragma once

#define IDD_RS_DIALOG       300
#define IDD_RS_PAGE         301
#define IDD_RS_TABS         302

#define IDC_RS_TWICE        3001
#define IDC_RS_HALF         3002
#define IDC_RS_STRETCH      3003
#define IDC_RS_GROUP        3004
#define IDC_RS_RADIO        3005
#define IDC_RS_CHECK        3006
#define IDC_RS_PUSH         3007
#define IDC_RS_FIFTH        3008
#define IDC_RS_PAGE_EDIT    3010
#define IDC_RS_TAB          3020
#define IDC_RS_ABSENT       3099

#define IDB_RS_TILE24       310
#define IDB_RS_TILE16       311
#define IDB_RS_ABSENT       4711
#define IDC_RS_TREE         3030

#define IDD_RS_FORM         303
#define IDC_RS_FORM_EDIT    3040
