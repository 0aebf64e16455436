// Used by SdiHost.rc
#define IDR_MAINFRAME                   128
#define IDD_VALUES                      129
#define IDC_VALUE_NAME                  1000
#define IDC_VALUE_COUNT                 1001
#define IDC_VALUE_LEVEL                 1002
#define ID_EDIT_VALUES                  32771
#define IDS_LINE_NAME                   61
#define IDS_LINE_COUNT                  62
#define IDS_LINE_LEVEL                  63
