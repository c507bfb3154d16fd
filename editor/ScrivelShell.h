// Start-up of Scrivel until its application object takes over.
#pragma once
#include <windows.h>

// Creates and shows the main window, runs the message loop and returns the process exit code.
int RunEditor(HINSTANCE instance, int showCommand);
