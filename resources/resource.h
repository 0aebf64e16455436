// Resource ids of QRV.dll shared by the library's code and its resource script.
#pragma once

// String table.
#define IDS_PLC_LIST_COLUMNS      22301
#define IDS_PLC_CHANGE_CONTROLLER 22302
#define IDS_PLC_CANNOT_REMOVE     22303
#define IDS_PLC_REMOVE_DRIVER     22304
#define IDS_VIEWER_TAB_PANEL      22305
#define IDS_VIEWER_TAB_ORIGINAL   22306
#define IDS_TIMER_SECONDS_FORMAT  22307
#define IDS_TIMER_MSEC_FORMAT     22308
#define IDS_TIMER_SECONDS_LETTERS 22309
#define IDS_TIMER_MSEC_LETTERS    22310
#define IDS_TEMP_IMAGE_EXTENSION  22311
#define IDS_IMAGING_MISSING       22312
#define IDS_SHEET_OK              22313
#define IDS_SHEET_CANCEL          22314
#define IDS_SHEET_APPLY           22315
#define IDS_SHEET_HELP            22316

// Bitmaps.
#define IDB_TREE_BACKGROUND       22330

// File list tree: the new-folder dialog.
#define IDD_NEW_FOLDER            22304
#define IDC_NEW_FOLDER_NAME       43819
