// Entry point of Scrivel.exe: the framework runs the one application object.
#include "Framework.h"

#include "ScrivelApp.h"

CScrivelApp theApp;

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE previous, LPWSTR commandLine, int showCommand) {
  return AfxWinMain(instance, previous, commandLine, showCommand);
}
