// About page: the product word on a grey band, the version and notice, and the maker's web address.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <string>

#include "AddPropPages.h"
#include "Module.h"
#include "resource.h"

namespace vpd {

namespace {

const wchar_t* const originalProcProperty = L"VantryCaptionPainterOriginal";
constexpr int captionIndent = 8;

std::wstring loadText(UINT id) {
  const wchar_t* text = nullptr;
  const int length = LoadStringW(moduleInstance(), id, reinterpret_cast<LPWSTR>(&text), 0);
  return length > 0 ? std::wstring(text, length) : std::wstring();
}

// A static control shows "&" as the prefix of an underlined letter; doubled it shows itself.
std::wstring doubleAmpersands(const std::wstring& text) {
  std::wstring shown;
  for (wchar_t c : text) {
    shown += c;
    if (c == L'&') shown += L'&';
  }
  return shown;
}

LRESULT CALLBACK CaptionPainter(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
  const WNDPROC original = reinterpret_cast<WNDPROC>(GetPropW(control, originalProcProperty));
  if (message == WM_PAINT) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(control, &paint);
    RECT area;
    GetClientRect(control, &area);
    FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
    wchar_t text[256] = L"";
    GetWindowTextW(control, text, _countof(text));
    SetTextColor(dc, RGB(255, 255, 255));
    SetBkMode(dc, TRANSPARENT);
    HGDIOBJ oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    area.left += captionIndent;
    DrawTextW(dc, text, -1, &area, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
    SelectObject(dc, oldFont);
    EndPaint(control, &paint);
  }
  if (message == WM_NCDESTROY) {
    RemovePropW(control, originalProcProperty);
    if (original) SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
  }
  return original ? CallWindowProcW(original, control, message, wParam, lParam)
                  : DefWindowProcW(control, message, wParam, lParam);
}

void fillPage(HWND page) {
  HWND caption = GetDlgItem(page, IDC_ABOUT_CAPTION);
  SetWindowTextW(caption, productWord);
  const LONG_PTR original = GetWindowLongPtrW(caption, GWLP_WNDPROC);
  SetPropW(caption, originalProcProperty, reinterpret_cast<HANDLE>(original));
  SetWindowLongPtrW(caption, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CaptionPainter));

  const std::wstring about =
      L"Version " + std::wstring(pageFlags.versionText) + L"\n\n" + loadText(IDS_ABOUT_NOTICE);
  SetDlgItemTextW(page, IDC_ABOUT_TEXT, doubleAmpersands(about).c_str());
  SetDlgItemTextW(page, IDC_ABOUT_WEB, loadText(IDS_MAKER_WEB_ADDRESS).c_str());
}

}  // namespace

INT_PTR CALLBACK AboutPage(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  try {
    switch (message) {
      case WM_INITDIALOG:
        fillPage(page);
        return TRUE;
      case WM_COMMAND:
        if (LOWORD(wParam) == IDC_ABOUT_WEB && HIWORD(wParam) == BN_CLICKED) {
          ShellExecuteW(nullptr, L"open", loadText(IDS_PRODUCT_WEB_PAGE).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
          return TRUE;
        }
        break;
      case WM_NOTIFY:
        if (reinterpret_cast<const NMHDR*>(lParam)->code == PSN_SETACTIVE) return onSetActive(page);
        break;
    }
  } catch (...) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
  }
  return FALSE;
}

}  // namespace vpd
