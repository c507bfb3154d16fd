// Ids of the property-grid tests' resources: one list, used by the .rc script and the tests.
#pragma once
#define IDD_COLOR_TEST 200
#define IDC_COLOR_BUTTON 1369
#define IDC_COLOR_NAME 1370
