// Resource ids of the demo host.
#pragma once
#define IDR_MAINFRAME        100
#define IDD_HOST_FORM        101

// Projekt
#define ID_PROJECT_NEW       40001
#define ID_PROJECT_OPEN      40002
#define ID_PROJECT_SAVE      40003
#define ID_APP_EXIT_DEMO     40004
// Treiber
#define ID_DRIVER_SELECT     40021
// Panel: the colour depths in menu order, then the image settings
#define ID_PANEL_DEPTH_1     40051
#define ID_PANEL_DEPTH_2     40052
#define ID_PANEL_DEPTH_3     40053
#define ID_PANEL_DEPTH_4     40054
#define ID_PANEL_DEPTH_8     40055
#define ID_PANEL_DEPTH_16    40056
#define ID_PANEL_DEPTH_PLX   40057
#define ID_PANEL_SETTINGS    40058
// Bearbeiten
#define ID_EDIT_VALUES       40030
#define ID_EDIT_COPY_IMAGE   40031
#define ID_EDIT_PASTE_FILES  40032
// Ansicht
#define ID_VIEW_STRINGS      40010
#define ID_VIEW_CATALOGUE    40011

// Status line panes
#define ID_INDICATOR_DEPTH   41001

// Controls of the host form
#define IDC_HOST_FILTER      1001
#define IDC_HOST_TREE        1002
#define IDC_HOST_PANE        1003
#define IDC_HOST_SHEET       1004
#define IDC_MAIN_LIST        1010
