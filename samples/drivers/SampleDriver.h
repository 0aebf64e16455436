// Resource ids of the sample driver modules.
#pragma once
#define IDD_SAMPLE_SETUP   100
#define IDC_SAMPLE_BAUD    1001
#define IDC_SAMPLE_NAME    1002
