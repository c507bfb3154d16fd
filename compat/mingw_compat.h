// Forced into every C and C++ translation unit: the gaps of mingw-w64 against the Windows SDK that
// the code was written for, each with the reason it is here. Keep it small.
#pragma once

// The SDK's secure CRT spelling of sizeof-array; mingw-w64 spells it only in some headers.
#ifndef _countof
#define _countof(a) (sizeof(a) / sizeof((a)[0]))
#endif

// The Windows C runtime's printf family: in wide functions %s is a wide string, as the Windows
// headers document and the code assumes. mingw-w64 otherwise swaps in its C99 printf in C++ mode.
#ifndef __USE_MINGW_ANSI_STDIO
#define __USE_MINGW_ANSI_STDIO 0
#endif
