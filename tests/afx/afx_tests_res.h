// Resource ids of the framework tests' own resources.
#pragma once
#define IDD_TEST_DIALOG   100
#define IDC_TEST_NAME     1001
#define IDC_TEST_COUNT    1002
#define IDS_TEST_HOST_ONLY 900
#define IDS_TEST_INDICATOR 901
#define IDR_TEST_FRAME     910
#define IDR_TEST_BARE      911
#define ID_TEST_HANDLED    40001
#define ID_TEST_UNHANDLED  40002
#define ID_TEST_CHECKED    40003
#define ID_TEST_DISABLED   40004
#define ID_TEST_RENAMED    40005
#define ID_TEST_SUBITEM    40006
#define IDR_TEST_NOTE      200
#define ID_TEST_NOTE_STAMP 40010
#define IDB_TEST_BTN_UP       300
#define IDB_TEST_BTN_DOWN     301
#define IDB_TEST_BTN_FOCUS    302
#define IDB_TEST_BTN_DISABLED 303
#define IDB_TEST_TOOLBAR      310
#define IDD_TEST_BUTTONS      320
#define IDC_TEST_BITMAP_BTN   1010
#define IDC_TEST_PLAIN_BTN    1011
#define IDS_TEST_TIP          902
#define IDR_TEST_CLIP         330
#define IDS_TEST_TOOLBAR_TEXTS 903
