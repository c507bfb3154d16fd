// Entry point of Orvello.exe.
#include "AppShell.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int showCommand) {
  return RunApplication(instance, showCommand);
}
