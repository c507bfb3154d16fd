// Out of memory on demand: this test program's global operator new fails from the n-th allocation on
// (counting from 0) until StopFailingAllocations. It covers the code linked into the test program.
#pragma once

void FailAllocationsFrom(long allocation);
void StopFailingAllocations();
