// Ids of the document/view test program's resources.
#pragma once
#include "fw/CommandIds.h"
#include "TestCommandIds.h"
#define IDR_MAINFRAME 128
#define IDR_TESTDOC 129
#define IDD_RANGE 130
#define IDC_RANGE_COUNT 1001
