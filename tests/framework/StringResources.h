// String ids of the framework's test programs and of the test extension library.
#pragma once
#define IDS_TEST_GREETING 1001
#define IDS_TEST_FORMAT 1002
// Both the test host and the test library have this id, each with its own text.
#define IDS_TEST_SHARED 1003
// Only the test library has this id.
#define IDS_TEST_LIBRARY_ONLY 1004
