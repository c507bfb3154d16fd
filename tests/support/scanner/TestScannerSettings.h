// Where the tests tell the scanners of their own what to deliver: values under
// HKCU\Software\Vantry Tests\Scanner, read by the device each time it is opened or enabled.
//   "Flatbed"     REG_SZ        the image file on the glass (none: the device has only a feeder)
//   "Feeder"      REG_MULTI_SZ  the image files loaded in the feeder, in feeding order
//   "FailAtPage"  REG_DWORD     the page (from 1) whose transfer fails; 0 or missing: none
//   "CancelAtPage" REG_DWORD    the page whose transfer the user cancels at the device
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace test_scanner {

constexpr wchar_t kSettingsKey[] = L"Software\\Vantry Tests\\Scanner";

struct Settings {
  std::wstring flatbed;
  std::vector<std::wstring> feeder;
  DWORD failAtPage = 0;
  DWORD cancelAtPage = 0;
};

// Reads the settings; missing values stay at their defaults.
Settings ReadSettings();
// Writes them whole (the tests' side); false when the key cannot be written.
bool WriteSettings(const Settings& settings);

}  // namespace test_scanner
