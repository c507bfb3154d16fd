#include "fw/PlainMainWindow.h"

namespace {

LRESULT CALLBACK PlainMainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int AfxRunPlainMainWindow(HINSTANCE instance, LPCWSTR windowClass, LPCWSTR title, int showCommand) {
  WNDCLASSEXW registration = {sizeof(registration)};
  registration.lpfnWndProc = PlainMainWindowProc;
  registration.hInstance = instance;
  registration.hCursor = LoadCursor(nullptr, IDC_ARROW);
  registration.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
  registration.lpszClassName = windowClass;
  if (!RegisterClassExW(&registration)) return -1;

  HWND window = CreateWindowExW(0, windowClass, title, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
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
