// Resource ids of the demo host.
#pragma once
#define IDR_MAINFRAME        100
#define ID_FILE_EXIT         40001
#define ID_FILE_FOLDER       40002
#define ID_VIEW_STRINGS      40010
#define ID_DRIVER_CATALOGUE  40020
#define ID_DRIVER_SELECT     40021
#define ID_EDIT_VALUES       40030
#define ID_EDIT_PASTE        40031
#define ID_IMAGE_PREVIEW     40040
#define ID_IMAGE_SETTINGS    40041
#define ID_IMAGE_COPY        40042
#define IDC_MAIN_LIST        1000
