// The least a program needs before its application object exists: one top-level window and the
// message loop. The application and frame classes take this over.
#pragma once
#include <windows.h>
#include "fw/FwApi.h"

// Registers `windowClass`, creates and shows the window with `title`, runs the message loop until the
// window is destroyed and returns the exit code of WM_QUIT (-1 when the window cannot be made).
FW_API int AfxRunPlainMainWindow(HINSTANCE instance, LPCWSTR windowClass, LPCWSTR title, int showCommand);
