#include "FillFormLayout.h"

#include <algorithm>
#include <cstring>

#include "FillFormProcs.h"
#include "resource.h"

namespace quillet {

namespace {

// The options record lives under the fixed company and profile names, not under the host's key, so
// both hosts share one window placement.
std::wstring FixedProfileKey(const wchar_t* section) {
  return FormatText(L"SOFTWARE\\Quennick\\Vantry\\%ls", section);
}

// Nothing a screen can show is wider or higher than this; beyond it the record is garbage.
const int64_t kLargestExtent = 32767;

bool WidthsUsable(const int32_t (&widths)[kColumnCount]) {
  for (int32_t width : widths)
    if (width < 0 || width > kLargestExtent) return false;
  return true;
}

bool RectUsable(const int32_t (&rect)[4], SIZE minSize) {
  const int64_t width = int64_t(rect[2]) - rect[0];
  const int64_t height = int64_t(rect[3]) - rect[1];
  return width >= std::max<LONG>(minSize.cx, 1) && height >= std::max<LONG>(minSize.cy, 1) &&
         width <= kLargestExtent && height <= kLargestExtent;
}

// A window on no monitor cannot be reached by the user: bring it into the nearest work area, keeping
// its size (its top-left corner wins when it is larger than the work area).
void MoveOntoMonitor(int32_t (&rect)[4]) {
  RECT window = {rect[0], rect[1], rect[2], rect[3]};
  if (MonitorFromRect(&window, MONITOR_DEFAULTTONULL)) return;
  MONITORINFO monitor = {sizeof(monitor)};
  if (!GetMonitorInfoW(MonitorFromRect(&window, MONITOR_DEFAULTTONEAREST), &monitor)) return;
  const RECT& work = monitor.rcWork;
  const int32_t width = rect[2] - rect[0];
  const int32_t height = rect[3] - rect[1];
  const int32_t left = std::max<int32_t>(work.left, std::min<int32_t>(rect[0], work.right - width));
  const int32_t top = std::max<int32_t>(work.top, std::min<int32_t>(rect[1], work.bottom - height));
  rect[0] = left;
  rect[1] = top;
  rect[2] = left + width;
  rect[3] = top + height;
}

_AUTOFILLING_OPTIONS DefaultOptions(const RECT& templateRect) {
  _AUTOFILLING_OPTIONS options = {};
  options.rect[0] = templateRect.left;
  options.rect[1] = templateRect.top;
  options.rect[2] = templateRect.right;
  options.rect[3] = templateRect.bottom;
  for (int i = 0; i < kColumnCount; ++i)
    options.groupColumns[i] = options.profileColumns[i] = kDefaultColumnWidths[i];
  return options;
}

}  // namespace

bool ReadFixedProfileData(const wchar_t* section, const wchar_t* entry, void* data, DWORD size,
                          DWORD* read) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, FixedProfileKey(section).c_str(), 0, nullptr, 0, KEY_READ,
                      nullptr, &key, nullptr) != ERROR_SUCCESS)
    return false;
  DWORD bytes = size;
  const LONG result =
      RegQueryValueExW(key, entry, nullptr, nullptr, static_cast<BYTE*>(data), &bytes);
  RegCloseKey(key);
  if (result != ERROR_SUCCESS) return false;
  if (read) *read = bytes;
  return true;
}

bool WriteFixedProfileData(const wchar_t* section, const wchar_t* entry, const void* data,
                           DWORD size) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, FixedProfileKey(section).c_str(), 0, nullptr, 0, KEY_WRITE,
                      nullptr, &key, nullptr) != ERROR_SUCCESS)
    return false;
  const LONG result =
      RegSetValueExW(key, entry, 0, REG_BINARY, static_cast<const BYTE*>(data), size);
  RegCloseKey(key);
  return result == ERROR_SUCCESS;
}

_AUTOFILLING_OPTIONS LoadAutofillingOptions(const RECT& templateRect, SIZE minSize) {
  _AUTOFILLING_OPTIONS stored = {};
  DWORD read = 0;
  if (!ReadFixedProfileData(L"Settings", L"AutofillingOptions", &stored, sizeof(stored), &read) ||
      read != sizeof(stored) || !RectUsable(stored.rect, minSize) ||
      !WidthsUsable(stored.groupColumns) || !WidthsUsable(stored.profileColumns))
    return DefaultOptions(templateRect);
  MoveOntoMonitor(stored.rect);
  return stored;
}

bool StoreAutofillingOptions(const _AUTOFILLING_OPTIONS& options) {
  return WriteFixedProfileData(L"Settings", L"AutofillingOptions", &options, sizeof(options));
}

int ScaleColumnWidth(int32_t storedWidth, int windowWidth, const _AUTOFILLING_OPTIONS& options) {
  const int64_t base = int64_t(options.rect[2]) - options.rect[0];
  if (base <= 0) return storedWidth;
  return static_cast<int>(storedWidth * (static_cast<double>(windowWidth) / base));
}

std::vector<ControlPlace> ComputeFillFormLayout(const FillFormMetrics& m) {
  const int h = m.captionHeight;
  const int c = m.comboHeight;
  const int leftEnd = m.width / 2 - 5;
  const int rightStart = m.width / 2 + 5;
  const int listTop = 145 + 2 * h + c;
  const int listBottom = std::max(listTop, m.height - m.buttonHeight - h - 20);
  const int buttonTop = m.height - 10 - m.buttonHeight;
  const int pathTop = m.height - m.buttonHeight - h - 15;
  auto place = [](int id, int left, int top, int right, int bottom) {
    return ControlPlace{id, {left, top, std::max(left, right), std::max(top, bottom)}};
  };
  auto button = [&](int id, int left) {
    return place(id, left, buttonTop, left + m.buttonWidth, buttonTop + m.buttonHeight);
  };
  return {
      place(IDC_STATIC_GROUPS, 10, 130, leftEnd, 130 + h),
      place(IDC_STATIC_PROFILES, rightStart, 130, m.width - 10, 130 + h),
      place(IDC_COMBO_GROUPS, 10, 135 + h, leftEnd, 135 + h + c),
      place(IDC_COMBO_PROFILES, rightStart, 135 + h, m.width - 10, 135 + h + c),
      place(IDC_STATIC_GROUP_DATA, 10, 140 + h + c, leftEnd, 140 + 2 * h + c),
      place(IDC_STATIC_PROFILE_DATA, rightStart, 140 + h + c, m.width - 10, 140 + 2 * h + c),
      place(IDC_LIST_GROUP, 10, listTop, leftEnd, listBottom),
      place(IDC_LIST_PROFILE, rightStart, listTop, m.width - 10, listBottom),
      place(IDC_STATIC_DB_PATH, 10, pathTop, m.width - 10, pathTop + h),
      button(IDC_SELECT_DB_BUTTON, 10),
      button(IDC_EDIT_BUTTON, m.buttonWidth + 20),
      button(IDOK, m.width - 2 * m.buttonWidth - 20),
      button(IDCANCEL, m.width - m.buttonWidth - 10),
  };
}

}  // namespace quillet
