#include "ScrivelShell.h"

#include "fw/PlainMainWindow.h"
#include "fw/ResourceLanguage.h"
#include "resource.h"

int RunEditor(HINSTANCE instance, int showCommand) {
  wchar_t title[64] = L"";
  AfxLoadStringInLanguage(instance, IDR_MAINFRAME, title, _countof(title));
  return AfxRunPlainMainWindow(instance, L"ScrivelMainFrame", title, showCommand);
}
