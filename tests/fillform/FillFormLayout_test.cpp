// The fill-form dialog's geometry: the stored options record in the registry, its checks, the layout
// rule and the scaling of the column widths.
#include "FillFormLayout.h"

#include <gtest/gtest.h>

#include <string>

#include "ProfilesFixture.h"
#include "resource.h"

using fillform_test::IsolatedUser;
using quillet::ControlPlace;

namespace {

const wchar_t kSettingsKey[] = L"SOFTWARE\\Quennick\\Vantry\\Settings";

std::string Bytes(std::initializer_list<int> values) {
  std::string bytes;
  for (int v : values) bytes.push_back(static_cast<char>(v));
  return bytes;
}

// Little-endian signed 32-bit integers, as the record stores them.
std::string Int32s(std::initializer_list<int32_t> values) {
  std::string bytes;
  for (int32_t v : values)
    for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<char>(v >> shift));
  return bytes;
}

void StoreRaw(const std::string& bytes) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                            nullptr),
            ERROR_SUCCESS);
  RegSetValueExW(key, L"AutofillingOptions", 0, REG_BINARY,
                 reinterpret_cast<const BYTE*>(bytes.data()), static_cast<DWORD>(bytes.size()));
  RegCloseKey(key);
}

std::string ReadRaw(DWORD* type) {
  char buffer[64] = {};
  DWORD size = sizeof(buffer);
  if (RegGetValueW(HKEY_CURRENT_USER, kSettingsKey, L"AutofillingOptions", RRF_RT_ANY, type, buffer,
                   &size) != ERROR_SUCCESS)
    return std::string();
  return std::string(buffer, size);
}

std::string RecordBytes(const _AUTOFILLING_OPTIONS& options) {
  return std::string(reinterpret_cast<const char*>(&options), sizeof(options));
}

const RECT kTemplateRect = {100, 80, 700, 500};
const SIZE kMinSize = {600, 420};

TEST(FillFormOptions, RecordIsStoredAsFortyBytesUnderTheFixedKey) {
  IsolatedUser user;
  _AUTOFILLING_OPTIONS options = {{-8, 16, 1032, 600}, {86, 120, 70}, {100, 200, 300}};
  ASSERT_TRUE(quillet::StoreAutofillingOptions(options));
  DWORD type = 0;
  const std::string expected =
      // offset 0: window rectangle left, top, right, bottom
      Bytes({0xF8, 0xFF, 0xFF, 0xFF, 0x10, 0x00, 0x00, 0x00, 0x08, 0x04, 0x00, 0x00, 0x58, 0x02, 0x00, 0x00}) +
      // offset 16: group list columns Name, Value, Type; offset 28: profile list columns
      Bytes({0x56, 0x00, 0x00, 0x00, 0x78, 0x00, 0x00, 0x00, 0x46, 0x00, 0x00, 0x00}) +
      Bytes({0x64, 0x00, 0x00, 0x00, 0xC8, 0x00, 0x00, 0x00, 0x2C, 0x01, 0x00, 0x00});
  EXPECT_EQ(ReadRaw(&type), expected);
  EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));
}

struct StoredCase {
  const char* what;
  bool store;
  std::string bytes;
  bool trusted;  // else the defaults come back
};

TEST(FillFormOptions, OnlyAUsableStoredRecordIsTaken) {
  const std::string good = Int32s({50, 60, 850, 560, 90, 130, 75, 95, 125, 65});
  const StoredCase cases[] = {
      {"nothing stored", false, "", false},
      {"a whole usable record", true, good, true},
      {"a short record", true, good.substr(0, 16), false},
      {"a longer value", true, good + Int32s({0}), false},
      {"zero width", true, Int32s({50, 60, 50, 560, 90, 130, 75, 95, 125, 65}), false},
      {"inverted", true, Int32s({850, 560, 50, 60, 90, 130, 75, 95, 125, 65}), false},
      {"below the template's size", true, Int32s({50, 60, 600, 400, 90, 130, 75, 95, 125, 65}), false},
      {"overflowing extent", true, Int32s({INT32_MIN, 0, INT32_MAX, 500, 90, 130, 75, 95, 125, 65}), false},
      {"a negative column width", true, Int32s({50, 60, 850, 560, 90, -1, 75, 95, 125, 65}), false},
  };
  for (const StoredCase& c : cases) {
    IsolatedUser user;
    if (c.store) StoreRaw(c.bytes);
    const _AUTOFILLING_OPTIONS loaded = quillet::LoadAutofillingOptions(kTemplateRect, kMinSize);
    const std::string expected =
        c.trusted ? c.bytes : Int32s({100, 80, 700, 500, 86, 120, 70, 86, 120, 70});
    EXPECT_EQ(RecordBytes(loaded), expected) << c.what;
  }
}

TEST(FillFormOptions, RectangleOnNoMonitorIsMovedOntoTheNearestWorkArea) {
  IsolatedUser user;
  StoreRaw(Int32s({-30000, -20000, -29200, -19400, 86, 120, 70, 86, 120, 70}));
  const _AUTOFILLING_OPTIONS loaded = quillet::LoadAutofillingOptions(kTemplateRect, kMinSize);
  const POINT away = {-30000, -20000};
  MONITORINFO monitor = {sizeof(monitor)};
  ASSERT_TRUE(GetMonitorInfoW(MonitorFromPoint(away, MONITOR_DEFAULTTONEAREST), &monitor));
  EXPECT_EQ(loaded.rect[0], monitor.rcWork.left);
  EXPECT_EQ(loaded.rect[1], monitor.rcWork.top);
  EXPECT_EQ(loaded.rect[2] - loaded.rect[0], 800);
  EXPECT_EQ(loaded.rect[3] - loaded.rect[1], 600);
}

struct ScaleCase {
  int32_t stored;
  int windowWidth;
  int32_t rectWidth;
  int expected;
};

TEST(FillFormOptions, ColumnWidthsScaleWithTheWindowWidthAndNeverDivideByZero) {
  const ScaleCase cases[] = {
      {86, 1200, 600, 172}, {120, 1200, 600, 240}, {70, 900, 600, 105},
      {70, 800, 600, 93},   // 93.33 cut to an integer
      {86, 600, 600, 86},   {86, 1200, 0, 86},   {86, 1200, -600, 86},
  };
  for (const ScaleCase& c : cases) {
    _AUTOFILLING_OPTIONS options = {{100, 100, 100 + c.rectWidth, 500}, {}, {}};
    EXPECT_EQ(quillet::ScaleColumnWidth(c.stored, c.windowWidth, options), c.expected)
        << c.stored << " at " << c.windowWidth << " over " << c.rectWidth;
  }
}

std::string Text(const RECT& r) {
  return "{" + std::to_string(r.left) + ", " + std::to_string(r.top) + ", " +
         std::to_string(r.right) + ", " + std::to_string(r.bottom) + "}";
}

std::string PlaceOf(const std::vector<ControlPlace>& places, int id) {
  for (const ControlPlace& place : places)
    if (place.id == id) return Text(place.rect);
  return "control not placed";
}

TEST(FillFormLayout, ControlsFollowTheLayoutRule) {
  // W 600, H 420, caption height h 13, combo height c 21, buttons 75 by 23.
  const auto places = quillet::ComputeFillFormLayout({600, 420, 13, 21, 75, 23});
  const struct {
    int id;
    RECT rect;
  } expected[] = {
      {IDC_STATIC_GROUPS, {10, 130, 295, 143}},       {IDC_STATIC_PROFILES, {305, 130, 590, 143}},
      {IDC_COMBO_GROUPS, {10, 148, 295, 169}},        {IDC_COMBO_PROFILES, {305, 148, 590, 169}},
      {IDC_STATIC_GROUP_DATA, {10, 174, 295, 187}},   {IDC_STATIC_PROFILE_DATA, {305, 174, 590, 187}},
      {IDC_LIST_GROUP, {10, 192, 295, 364}},          {IDC_LIST_PROFILE, {305, 192, 590, 364}},
      {IDC_STATIC_DB_PATH, {10, 369, 590, 382}},      {IDC_SELECT_DB_BUTTON, {10, 387, 85, 410}},
      {IDC_EDIT_BUTTON, {95, 387, 170, 410}},         {IDOK, {430, 387, 505, 410}},
      {IDCANCEL, {515, 387, 590, 410}},
  };
  EXPECT_EQ(places.size(), sizeof(expected) / sizeof(expected[0]));
  for (const auto& e : expected) EXPECT_EQ(PlaceOf(places, e.id), Text(e.rect)) << "control " << e.id;
}

TEST(FillFormLayout, OddWidthSplitsByIntegerHalfAndTinyWindowsGetNoNegativeSizes) {
  const auto odd = quillet::ComputeFillFormLayout({601, 420, 13, 21, 75, 23});
  EXPECT_EQ(PlaceOf(odd, IDC_LIST_GROUP), "{10, 192, 295, 364}");
  EXPECT_EQ(PlaceOf(odd, IDC_LIST_PROFILE), "{305, 192, 591, 364}");
  for (const ControlPlace& place : quillet::ComputeFillFormLayout({20, 100, 13, 21, 75, 23})) {
    EXPECT_GE(place.rect.right, place.rect.left) << "control " << place.id;
    EXPECT_GE(place.rect.bottom, place.rect.top) << "control " << place.id;
  }
}

}  // namespace
