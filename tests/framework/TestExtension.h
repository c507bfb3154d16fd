// Functions of the test extension library (FrameworkTestExtension.dll) that the test host calls.
#pragma once
#include <windows.h>

// Reads section "Settings", entry "Shared" of the host's profile through AfxGetApp into `text`.
typedef BOOL(__cdecl* ReadHostProfileFn)(wchar_t* text, int chars);
// Loads string `id` the way the library's own code does (CString::LoadString) into `text`.
typedef BOOL(__cdecl* LoadLibraryStringFn)(UINT id, wchar_t* text, int chars);
// The library's view of the modules: the resource handle (the host's) and its own module.
typedef void(__cdecl* LibraryModulesFn)(HINSTANCE* resources, HINSTANCE* own);
