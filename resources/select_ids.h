// Controller selection dialog: template and control ids.
#pragma once

#define IDD_PLC_SELECT          22301

#define IDC_PLC_ACTIVE_NAME     43801
#define IDC_PLC_REMOVE          43802
#define IDC_PLC_RESCAN          43803
#define IDC_PLC_LIST            43804
#define IDC_PLC_SETUP           43818
#define IDC_PLC_MODE_INTERNAL   43826
#define IDC_PLC_MODE_EXTERNAL   43827
#define IDC_PLC_MODE_BOTH       43828
