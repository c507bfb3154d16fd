// A resource of the test program itself, beside the imaging layer's.
#pragma once
#define IDS_IMAGING_TEST 101
