// Start-up of Orvello until the application object takes over: reads the interface language and
// runs the main window.
#pragma once
#include <windows.h>

// The "Language" setting under HKEY_CURRENT_USER\SOFTWARE\Quennick\Vantry\Settings, 9 when absent.
int ReadLanguageSetting();

// Creates and shows the main window, runs the message loop and returns the process exit code.
int RunApplication(HINSTANCE instance, int showCommand);
