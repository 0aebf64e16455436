// Used by FrameHost.rc
#define IDD_ABOUTBOX 100
#define IDR_MAINFRAME 128
#define IDC_ABOUT_VERSION 1000
