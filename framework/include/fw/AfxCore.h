// Basic types and helpers every part of the framework layer shares.
#pragma once
#include <windows.h>
#include <tchar.h>

#include <cassert>
#include <new>

#include "fw/FwApi.h"

// A place in a list or map walk; opaque to callers.
struct __POSITION {};
typedef __POSITION* POSITION;
// The first GetNextAssoc of a map walk starts here.
#define BEFORE_START_POSITION (reinterpret_cast<POSITION>(static_cast<INT_PTR>(-1)))

#ifndef AFXAPI
#define AFXAPI __stdcall
#endif

// Broken invariants stop debug builds; VERIFY keeps its expression in release builds.
#define ASSERT(f) assert(f)
#ifdef NDEBUG
#define VERIFY(f) (static_cast<void>(f))
#else
#define VERIFY(f) assert(f)
#endif
#define ASSERT_VALID(p) assert((p) != nullptr)
#define TRACE(...) (static_cast<void>(0))

// The module whose code makes the call: each module links its own copy of this inline function, and
// __ImageBase is the base of the image that it is linked into.
extern "C" IMAGE_DOS_HEADER __ImageBase;
inline HINSTANCE AfxGetCallingModule() {
  return reinterpret_cast<HINSTANCE>(&__ImageBase);
}

class CArchive;
class CDocument;
