// The framework's standard resource ids, with MFC's numeric values, for the
// framework's code and for a host's resource script (which includes this file
// and, at its end, afxres.rc).
#ifndef __AFXRES_H__
#define __AFXRES_H__

#ifdef RC_INVOKED
#ifndef _INC_WINDOWS
#include <windows.h>
#endif
#endif

// Resource types of the framework's own.
#ifndef RC_INVOKED
#define RT_DLGINIT  MAKEINTRESOURCE(240)
#define RT_TOOLBAR  MAKEINTRESOURCE(241)
#endif

// Control bar alignment and borders.
#define CBRS_ALIGN_LEFT     0x1000L
#define CBRS_ALIGN_TOP      0x2000L
#define CBRS_ALIGN_RIGHT    0x4000L
#define CBRS_ALIGN_BOTTOM   0x8000L
#define CBRS_ALIGN_ANY      0xF000L
#define CBRS_BORDER_LEFT    0x0100L
#define CBRS_BORDER_TOP     0x0200L
#define CBRS_BORDER_RIGHT   0x0400L
#define CBRS_BORDER_BOTTOM  0x0800L
#define CBRS_BORDER_ANY     0x0F00L
#define CBRS_TOOLTIPS       0x0010L
#define CBRS_FLYBY          0x0020L
#define CBRS_NOALIGN        0x00000000L
#define CBRS_LEFT           (CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT)
#define CBRS_TOP            (CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM)
#define CBRS_RIGHT          (CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT)
#define CBRS_BOTTOM         (CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP)

// Status bar indicators, routed like commands.
#define ID_INDICATOR_EXT    0xE700
#define ID_INDICATOR_CAPS   0xE701
#define ID_INDICATOR_NUM    0xE702
#define ID_INDICATOR_SCRL   0xE703
#define ID_INDICATOR_OVR    0xE704
#define ID_INDICATOR_REC    0xE705
#define ID_INDICATOR_KANA   0xE706

#define ID_SEPARATOR 0

#ifndef RC_INVOKED
// Child windows of a frame.
#define AFX_IDW_CONTROLBAR_FIRST  0xE800
#define AFX_IDW_CONTROLBAR_LAST   0xE8FF
#define AFX_IDW_TOOLBAR           0xE800
#define AFX_IDW_STATUS_BAR        0xE801
#define AFX_IDW_PREVIEW_BAR       0xE802
#define AFX_IDW_RESIZE_BAR        0xE803
#define AFX_IDW_REBAR             0xE804
#define AFX_IDW_DIALOGBAR         0xE805
#define AFX_IDW_DOCKBAR_TOP       0xE81B
#define AFX_IDW_DOCKBAR_LEFT      0xE81C
#define AFX_IDW_DOCKBAR_RIGHT     0xE81D
#define AFX_IDW_DOCKBAR_BOTTOM    0xE81E
#define AFX_IDW_DOCKBAR_FLOAT     0xE81F
#define AFX_CONTROLBAR_MASK(nIDC) (1L << (nIDC - AFX_IDW_CONTROLBAR_FIRST))
#define AFX_IDW_PANE_FIRST        0xE900
#define AFX_IDW_PANE_LAST         0xE9FF
#define AFX_IDW_HSCROLL_FIRST     0xEA00
#define AFX_IDW_VSCROLL_FIRST     0xEA10
#define AFX_IDW_SIZE_BOX          0xEA20
#define AFX_IDW_PANE_SAVE         0xEA21
#endif

#define AFX_WS_DEFAULT_VIEW (WS_CHILD | WS_VISIBLE | WS_BORDER)

// Strings a host configures.
#define AFX_IDS_APP_TITLE            0xE000
#define AFX_IDS_IDLEMESSAGE          0xE001
#define AFX_IDS_HELPMODEMESSAGE      0xE002
#define AFX_IDS_APP_TITLE_EMBEDDING  0xE003
#define AFX_IDS_COMPANY_NAME         0xE004
#define AFX_IDS_OBJ_TITLE_INPLACE    0xE005

// File commands.
#define ID_FILE_NEW            0xE100
#define ID_FILE_OPEN           0xE101
#define ID_FILE_CLOSE          0xE102
#define ID_FILE_SAVE           0xE103
#define ID_FILE_SAVE_AS        0xE104
#define ID_FILE_PAGE_SETUP     0xE105
#define ID_FILE_PRINT_SETUP    0xE106
#define ID_FILE_PRINT          0xE107
#define ID_FILE_PRINT_DIRECT   0xE108
#define ID_FILE_PRINT_PREVIEW  0xE109
#define ID_FILE_UPDATE         0xE10A
#define ID_FILE_SAVE_COPY_AS   0xE10B
#define ID_FILE_SEND_MAIL      0xE10C
#define ID_FILE_MRU_FIRST      0xE110
#define ID_FILE_MRU_FILE1      0xE110
#define ID_FILE_MRU_FILE2      0xE111
#define ID_FILE_MRU_FILE3      0xE112
#define ID_FILE_MRU_FILE4      0xE113
#define ID_FILE_MRU_FILE5      0xE114
#define ID_FILE_MRU_FILE6      0xE115
#define ID_FILE_MRU_FILE7      0xE116
#define ID_FILE_MRU_FILE8      0xE117
#define ID_FILE_MRU_FILE9      0xE118
#define ID_FILE_MRU_FILE10     0xE119
#define ID_FILE_MRU_FILE11     0xE11A
#define ID_FILE_MRU_FILE12     0xE11B
#define ID_FILE_MRU_FILE13     0xE11C
#define ID_FILE_MRU_FILE14     0xE11D
#define ID_FILE_MRU_FILE15     0xE11E
#define ID_FILE_MRU_FILE16     0xE11F
#define ID_FILE_MRU_LAST       0xE11F

// Edit commands.
#define ID_EDIT_CLEAR          0xE120
#define ID_EDIT_CLEAR_ALL      0xE121
#define ID_EDIT_COPY           0xE122
#define ID_EDIT_CUT            0xE123
#define ID_EDIT_FIND           0xE124
#define ID_EDIT_PASTE          0xE125
#define ID_EDIT_PASTE_LINK     0xE126
#define ID_EDIT_PASTE_SPECIAL  0xE127
#define ID_EDIT_REPEAT         0xE128
#define ID_EDIT_REPLACE        0xE129
#define ID_EDIT_SELECT_ALL     0xE12A
#define ID_EDIT_UNDO           0xE12B
#define ID_EDIT_REDO           0xE12C

// Window commands.
#define ID_WINDOW_NEW          0xE130
#define ID_WINDOW_ARRANGE      0xE131
#define ID_WINDOW_CASCADE      0xE132
#define ID_WINDOW_TILE_HORZ    0xE133
#define ID_WINDOW_TILE_VERT    0xE134
#define ID_WINDOW_SPLIT        0xE135
#ifndef RC_INVOKED
#define AFX_IDM_WINDOW_FIRST   0xE130
#define AFX_IDM_WINDOW_LAST    0xE13F
#define AFX_IDM_FIRST_MDICHILD 0xFF00
#endif

// Application and help commands. ID_HELP is what F1 sends first,
// ID_DEFAULT_HELP the last resort.
#define ID_APP_ABOUT           0xE140
#define ID_APP_EXIT            0xE141
#define ID_HELP_INDEX          0xE142
#define ID_HELP_FINDER         0xE143
#define ID_HELP_USING          0xE144
#define ID_CONTEXT_HELP        0xE145
#define ID_HELP                0xE146
#define ID_DEFAULT_HELP        0xE147

#define ID_NEXT_PANE           0xE150
#define ID_PREV_PANE           0xE151
#define ID_FORMAT_FONT         0xE160

// OLE commands.
#define ID_OLE_INSERT_NEW        0xE200
#define ID_OLE_EDIT_LINKS        0xE201
#define ID_OLE_EDIT_CONVERT      0xE202
#define ID_OLE_EDIT_CHANGE_ICON  0xE203
#define ID_OLE_EDIT_PROPERTIES   0xE204
#define ID_OLE_VERB_FIRST        0xE210
#ifndef RC_INVOKED
#define ID_OLE_VERB_LAST         0xE21F
#endif

// View commands: the same numbers as the control bars they show and hide.
#define ID_VIEW_TOOLBAR        0xE800
#define ID_VIEW_STATUS_BAR     0xE801

#define ID_RECORD_FIRST        0xE900
#define ID_RECORD_LAST         0xE901
#define ID_RECORD_NEXT         0xE902
#define ID_RECORD_PREV         0xE903

#ifdef IDC_STATIC
#undef IDC_STATIC
#endif
#define IDC_STATIC (-1)

// Strings of the framework's own (afxres.rc).
#ifndef RC_INVOKED
#define AFX_IDS_SCFIRST        0xEF00
#endif
#define AFX_IDS_SCSIZE         0xEF00
#define AFX_IDS_SCMOVE         0xEF01
#define AFX_IDS_SCMINIMIZE     0xEF02
#define AFX_IDS_SCMAXIMIZE     0xEF03
#define AFX_IDS_SCNEXTWINDOW   0xEF04
#define AFX_IDS_SCPREVWINDOW   0xEF05
#define AFX_IDS_SCCLOSE        0xEF06
#define AFX_IDS_SCRESTORE      0xEF12
#define AFX_IDS_SCTASKLIST     0xEF13
#define AFX_IDS_MDICHILD       0xEF1F

#define AFX_IDS_OPENFILE       0xF000
#define AFX_IDS_SAVEFILE       0xF001
#define AFX_IDS_ALLFILTER      0xF002
#define AFX_IDS_UNTITLED       0xF003
#define AFX_IDS_SAVEFILECOPY   0xF004
#define AFX_IDS_PREVIEW_CLOSE  0xF005
#define AFX_IDS_UNNAMED_FILE   0xF006
#define AFX_IDS_ABOUT          0xF010
#define AFX_IDS_HIDE           0xF011

#define AFX_IDP_NO_ERROR_AVAILABLE       0xF020
#define AFX_IDS_NOT_SUPPORTED_EXCEPTION  0xF021
#define AFX_IDS_RESOURCE_EXCEPTION       0xF022
#define AFX_IDS_MEMORY_EXCEPTION         0xF023
#define AFX_IDS_USER_EXCEPTION           0xF024

#define AFX_IDP_INVALID_FILENAME        0xF100
#define AFX_IDP_FAILED_TO_OPEN_DOC      0xF101
#define AFX_IDP_FAILED_TO_SAVE_DOC      0xF102
#define AFX_IDP_ASK_TO_SAVE             0xF103
#define AFX_IDP_FAILED_TO_CREATE_DOC    0xF104
#define AFX_IDP_FILE_TOO_LARGE          0xF105
#define AFX_IDP_FAILED_TO_START_PRINT   0xF106
#define AFX_IDP_FAILED_TO_LAUNCH_HELP   0xF107
#define AFX_IDP_INTERNAL_FAILURE        0xF108
#define AFX_IDP_COMMAND_FAILURE         0xF109
#define AFX_IDP_FAILED_MEMORY_ALLOC     0xF10A

#define AFX_IDP_PARSE_INT               0xF110
#define AFX_IDP_PARSE_REAL              0xF111
#define AFX_IDP_PARSE_INT_RANGE         0xF112
#define AFX_IDP_PARSE_REAL_RANGE        0xF113
#define AFX_IDP_PARSE_STRING_SIZE       0xF114
#define AFX_IDP_PARSE_RADIO_BUTTON      0xF115
#define AFX_IDP_PARSE_BYTE              0xF116
#define AFX_IDP_PARSE_UINT              0xF117

#define AFX_IDP_FAILED_INVALID_FORMAT   0xF120
#define AFX_IDP_FAILED_INVALID_PATH     0xF121
#define AFX_IDP_FAILED_DISK_FULL        0xF122
#define AFX_IDP_FAILED_ACCESS_READ      0xF123
#define AFX_IDP_FAILED_ACCESS_WRITE     0xF124
#define AFX_IDP_FAILED_IO_ERROR_READ    0xF125
#define AFX_IDP_FAILED_IO_ERROR_WRITE   0xF126

// Property sheet buttons (the common control's ids).
#define ID_APPLY_NOW           0x3021
#define ID_WIZBACK             0x3023
#define ID_WIZNEXT             0x3024
#define ID_WIZFINISH           0x3025
#define AFX_IDC_TAB_CONTROL    0x3020

// Standard icons of frames without one of their own.
#define AFX_IDI_STD_MDIFRAME   1
#define AFX_IDI_STD_FRAME      2

#endif // __AFXRES_H__
