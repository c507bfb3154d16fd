// Ids of the window tests' resources: one list, used by the .rc script and the tests.
#pragma once
#define IDM_TEST_MENU 100
#define IDD_TEST_DIALOG 101
#define ID_TEST_VIEW_CMD 32801
#define ID_TEST_DOC_CMD 32802
#define ID_TEST_FRAME_CMD 32803
#define ID_TEST_APP_CMD 32804
#define ID_TEST_DISABLED_CMD 32805
#define ID_TEST_RANGE_FIRST 32810
#define ID_TEST_RANGE_LAST 32812
#define IDC_TEST_NAME 1001
#define IDC_TEST_COUNT 1002
#define IDC_TEST_RADIO_A 1003
#define IDC_TEST_RADIO_B 1004
#define IDC_TEST_RADIO_C 1005
#define IDC_TEST_CHECK 1006
#define IDC_TEST_COMBO 1007
#define IDC_TEST_RATIO 1008
#define IDD_TEST_PAGE1 102
#define IDD_TEST_PAGE2 103
#define IDC_PAGE_NAME 1101
#define IDC_PAGE_CHECK 1102
