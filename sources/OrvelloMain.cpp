// Entry point of Orvello.exe: the framework runs the one application object.
#include "FolimarApp.h"

CFolimarApp theApp;

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE previous, LPWSTR commandLine, int showCommand) {
  return AfxWinMain(instance, previous, commandLine, showCommand);
}
