// The bit-depth and JPEG dialogs as GetImageFormatParams shows them when a page is saved as an
// image, worked by messages, and the shared bits-per-pixel group.
#include "ImageOptions.h"

#include <gtest/gtest.h>

#include <string>

#include "ArchiveFixtures.h"
#include "BitDepthDialog.h"
#include "DialogDriver.h"
#include "FolimarApp.h"
#include "MyProcs.h"
#include "resource.h"

// The application of this test program, whose profile keeps the settings.
CFolimarApp theApp;

namespace {

using testing_support::Checked;
using testing_support::Click;
using testing_support::ComboItems;
using testing_support::ComboSelection;
using testing_support::RunDialog;
using testing_support::SelectComboItem;


const int kDepthRadios[] = {IDC_RADIO_1BIT, IDC_RADIO_4BIT, IDC_RADIO_8BIT, IDC_RADIO_24BIT};

class ImageOptionsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(profile_.Ready());
    theApp.SetRegistryKey(L"Quennick");
    RegisterImageOptionDialogs();
  }
  void TearDown() override {
    SetImageSaveChoices(nullptr);
    SetImageOptionsRecord(nullptr, nullptr);
  }
  // Saves `path` asking the user, the script working the dialog shown.
  BOOL Save(const wchar_t* path, int& bits, int& format, int& quality, const std::function<void(HWND)>& script) {
    BOOL result = FALSE;
    RunDialog(
        [&] {
          result = GetImageFormatParams(path, bits, format, quality, TRUE);
          return INT_PTR(0);
        },
        script);
    return result;
  }
  fixtures::PrivateUserProfile profile_;
};

TEST(ImageOptions, BitsAndTheirRadio) {
  const int toIndex[][2] = {{1, 0}, {4, 1}, {8, 2}, {24, 3}, {2, 0}, {0, 0}, {32, 0}};
  for (const auto& c : toIndex) EXPECT_EQ(c[1], BitsToDepthIndex(c[0])) << c[0] << " bits";
  const int toBits[][2] = {{0, 1}, {1, 4}, {2, 8}, {3, 24}, {-1, 1}, {4, 1}};
  for (const auto& c : toBits) EXPECT_EQ(c[1], DepthIndexToBits(c[0])) << "index " << c[0];
}

TEST_F(ImageOptionsTest, BitDepthDialogShowsItsPreset) {
  for (int bits : {1, 4, 8, 24}) {
    CBitDepthDialog dialog;
    dialog.SetBitDepth(bits);
    EXPECT_EQ(IDOK, RunDialog(dialog, [bits](HWND window) {
                for (int i = 0; i < 4; ++i) EXPECT_EQ(DepthIndexToBits(i) == bits, Checked(window, kDepthRadios[i]));
                Click(window, IDOK);
              }));
    EXPECT_EQ(bits, dialog.GetBitDepth());
  }
  CBitDepthDialog unset;
  RunDialog(unset, [](HWND window) {
    for (int id : kDepthRadios) EXPECT_FALSE(Checked(window, id));
  });
}

TEST_F(ImageOptionsTest, ChosenBitDepthIsFittedToTheFormatAndKept) {
  struct Case {
    const wchar_t* path;
    int stored;    // "LastUsedBitsPerPixel" before
    int chosen;    // radio clicked
    int bits;      // bits per pixel of the save, kept as the last used
    int format;
  } cases[] = {
      {L"page.png", 8, IDC_RADIO_1BIT, 1, 75},
      {L"page.gif", 4, IDC_RADIO_24BIT, 8, 2},
      {L"page.BMP", 24, IDC_RADIO_4BIT, 4, 6},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.format);
    WriteSettingInt(L"LastUsedBitsPerPixel", c.stored);
    int bits = 24, format = 0, quality = 0;
    EXPECT_TRUE(Save(c.path, bits, format, quality, [&c](HWND window) {
      EXPECT_TRUE(Checked(window, kDepthRadios[BitsToDepthIndex(c.stored)]));
      Click(window, c.chosen);
      Click(window, IDOK);
    }));
    EXPECT_EQ(c.bits, bits);
    EXPECT_EQ(c.format, format);
    EXPECT_EQ(c.bits, ReadSettingInt(L"LastUsedBitsPerPixel", 0));
  }
}

TEST_F(ImageOptionsTest, JpegQualityGivesTheFactorAndIsKeptInTheFrameOptions) {
  struct Case {
    int chosen;  // list index
    const wchar_t* shown;
    int quality;
  } cases[] = {{8, L"90", 25}, {0, L"10", 229}, {7, L"80", 51}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.shown);
    int tiffCompression = 0, jpegQuality = 7;
    SetImageOptionsRecord(&tiffCompression, &jpegQuality);
    // No bits given: the bit-depth question is not asked, only the quality.
    int bits = 0, format = 0, quality = 0;
    EXPECT_TRUE(Save(L"scan.jpeg", bits, format, quality, [&c](HWND window) {
      EXPECT_EQ((std::vector<std::wstring>{L"10", L"20", L"30", L"40", L"50", L"60", L"70", L"80", L"90"}),
                ComboItems(window, IDC_COMBO_JPEG_QUALITY));
      EXPECT_EQ(L"80", ComboSelection(window, IDC_COMBO_JPEG_QUALITY));
      SelectComboItem(window, IDC_COMBO_JPEG_QUALITY, c.chosen);
      Click(window, IDOK);
    }));
    EXPECT_EQ(10, format);
    EXPECT_EQ(c.quality, quality);
    EXPECT_EQ(c.chosen, jpegQuality);
    // A save that does not ask takes the kept choice.
    quality = 0;
    EXPECT_TRUE(GetImageFormatParams(L"scan.jpg", bits, format, quality, FALSE));
    EXPECT_EQ(c.quality, quality);
  }
}

TEST_F(ImageOptionsTest, JpegQualityWithoutStoredOptionsOrWithADamagedOne) {
  int tiffCompression = 0, damaged = 12;
  for (int* stored : {static_cast<int*>(nullptr), &damaged}) {
    SetImageOptionsRecord(stored ? &tiffCompression : nullptr, stored);
    int bits = 0, format = 0, quality = 0;
    EXPECT_TRUE(Save(L"scan.jpg", bits, format, quality, [](HWND window) {
      EXPECT_EQ(L"80", ComboSelection(window, IDC_COMBO_JPEG_QUALITY));
      Click(window, IDOK);
    }));
    EXPECT_EQ(51, quality);
  }
  EXPECT_EQ(7, damaged);
}

TEST_F(ImageOptionsTest, CancelledJpegQualityCancelsTheSave) {
  int tiffCompression = 0, jpegQuality = 3;
  SetImageOptionsRecord(&tiffCompression, &jpegQuality);
  int bits = 0, format = 0, quality = 0;
  EXPECT_FALSE(Save(L"scan.jpg", bits, format, quality, [](HWND window) {
    SelectComboItem(window, IDC_COMBO_JPEG_QUALITY, 0);
    Click(window, IDCANCEL);
  }));
  EXPECT_EQ(3, jpegQuality);
}

}  // namespace
