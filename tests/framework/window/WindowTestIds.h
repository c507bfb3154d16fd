// Ids of the window tests' resources: one list, used by the .rc script and the tests.
#pragma once
#include "TestCommandIds.h"
#define IDM_TEST_MENU 100
#define IDD_TEST_DIALOG 101
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
