// Command ids the window tests' menus and the document/view test program share.
#pragma once
#define ID_TEST_VIEW_CMD 32801
#define ID_TEST_DOC_CMD 32802
#define ID_TEST_FRAME_CMD 32803
#define ID_TEST_APP_CMD 32804
#define ID_TEST_DISABLED_CMD 32805
#define ID_TEST_RANGE_FIRST 32810
#define ID_TEST_RANGE_LAST 32812
