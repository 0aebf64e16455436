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

// Image viewer: dialog templates.
#define IDD_VIEWER_BLANK          22302
#define IDD_VIEWER_IMAGE          22303
#define IDD_VIEWER_PANEL          22305
#define IDD_VIEWER_GENERAL        22306
#define IDD_IMAGE_SETTINGS        22312

// Image viewer: controls of the pages and of the image settings dialog.
#define IDC_VIEWER_CONTRAST       43805
#define IDC_VIEWER_BRIGHTNESS     43806
#define IDC_VIEWER_BLUR           43807
#define IDC_VIEWER_SMOOTH         43808
#define IDC_VIEWER_FLIP           43809
#define IDC_VIEWER_SHARPEN        43810
#define IDC_VIEWER_MIRROR         43811
#define IDC_VIEWER_CONTRAST_LABEL 43812
#define IDC_VIEWER_BRIGHT_LABEL   43813
#define IDC_VIEWER_DITHER_LABEL   43814
#define IDC_VIEWER_COLORS         43815
#define IDC_VIEWER_DITHER         43816
#define IDC_VIEWER_INVERT         43817
#define IDC_VIEWER_RESET          43821
#define IDC_VIEWER_FILENAME       43822
#define IDC_VIEWER_SIZE           43823
#define IDC_VIEWER_SIZETOFIT      43824
#define IDC_VIEWER_FILE_LABEL     43825
#define IDC_VIEWER_PLX5           43827
#define IDC_VIEWER_PREVIEW_LABEL  43828
#define IDC_IMAGE_SETTINGS_VIEWER 1041
#define IDC_IMAGE_SETTINGS_SHEET  1201
