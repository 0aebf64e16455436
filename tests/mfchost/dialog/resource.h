// Used by DialogHost.rc
#define IDD_DIALOGHOST_DIALOG           102
#define IDR_MAINFRAME                   128
#define IDC_SELECT                      1000
#define IDC_CHOICE                      1001
#define IDS_CHOICE_NONE                 101
#define IDS_CHOICE_CANCELLED            103
