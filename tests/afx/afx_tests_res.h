// Resource ids of the framework tests' own resources.
#pragma once
#define IDD_TEST_DIALOG   100
#define IDC_TEST_NAME     1001
#define IDC_TEST_COUNT    1002
#define IDS_TEST_HOST_ONLY 900
#define IDS_TEST_INDICATOR 901
