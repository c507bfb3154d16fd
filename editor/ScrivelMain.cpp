// Entry point of Scrivel.exe.
#include "ScrivelShell.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int showCommand) {
  return RunEditor(instance, showCommand);
}
