#include "AppShell.h"

#include "fw/ResourceLanguage.h"
#include "resource.h"

namespace {

const wchar_t kMainWindowClass[] = L"VantryMainFrame";
const wchar_t kVersionText[] = L"2.78.3";

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int ReadLanguageSetting() {
  DWORD value = 0, size = sizeof(value);
  if (RegGetValueW(HKEY_CURRENT_USER, L"SOFTWARE\\Quennick\\Vantry\\Settings", L"Language",
                   RRF_RT_REG_DWORD, nullptr, &value, &size) != ERROR_SUCCESS)
    return LANG_ENGLISH;
  return static_cast<int>(value);
}

int RunApplication(HINSTANCE instance, int showCommand) {
  AfxSetResourceLanguage(AfxLanguageFromPrimary(ReadLanguageSetting()));

  WNDCLASSEXW windowClass = {sizeof(windowClass)};
  windowClass.lpfnWndProc = MainWindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
  windowClass.lpszClassName = kMainWindowClass;
  if (!RegisterClassExW(&windowClass)) return -1;

  // The application name shown in the caption is the profile name, a blank and the version.
  wchar_t profile[64] = L"";
  AfxLoadStringInLanguage(instance, IDR_MAINFRAME, profile, _countof(profile));
  wchar_t title[96];
  wsprintfW(title, L"%s %s", profile, kVersionText);

  HWND window = CreateWindowExW(0, kMainWindowClass, title, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                                instance, nullptr);
  if (!window) return -1;
  ShowWindow(window, showCommand);
  UpdateWindow(window);

  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}
