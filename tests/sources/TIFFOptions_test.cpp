// The TIFF options dialog, run modally and worked by messages: its presets from the frame's options
// and the settings, the fax compression that locks the bit depth, and what a save makes of it.
#include "TIFFOptions.h"

#include <gtest/gtest.h>

#include "ArchiveFixtures.h"
#include "DialogDriver.h"
#include "FolimarApp.h"
#include "ImageOptions.h"
#include "MyProcs.h"
#include "resource.h"

extern CFolimarApp theApp;

namespace {

using testing_support::Checked;
using testing_support::Click;
using testing_support::Enabled;
using testing_support::RunDialog;


const int kCompressionRadios[] = {IDC_RADIO_UNCOMPRESSED, IDC_RADIO_PACKBITS, IDC_RADIO_LZW, IDC_RADIO_1BIT_FAX};
const int kDepthRadios[] = {IDC_RADIO_1BIT, IDC_RADIO_4BIT, IDC_RADIO_8BIT, IDC_RADIO_24BIT};
const int kLockedByFax[] = {IDC_RADIO_4BIT, IDC_RADIO_8BIT, IDC_RADIO_24BIT};

class TIFFOptionsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(profile_.Ready());
    theApp.SetRegistryKey(L"Quennick");
  }
  void TearDown() override {
    SetImageSaveChoices(nullptr);
    SetImageOptionsRecord(nullptr, nullptr);
  }
  fixtures::PrivateUserProfile profile_;
};

TEST_F(TIFFOptionsTest, PresetsFromTheStoredChoices) {
  struct Case {
    int stored;       // "LastUsedBitsPerPixel", 0: absent
    int compression;  // in the frame's options, -1: no options
    int depthRadio, compressionRadio;
  } cases[] = {
      {0, -1, IDC_RADIO_24BIT, IDC_RADIO_UNCOMPRESSED},  // a first export
      {2, 1, IDC_RADIO_1BIT, IDC_RADIO_PACKBITS},        // bits that are no choice of the group
      {8, 2, IDC_RADIO_8BIT, IDC_RADIO_LZW},
      {24, 9, IDC_RADIO_24BIT, IDC_RADIO_UNCOMPRESSED},  // a damaged compression
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stored);
    if (c.stored != 0) WriteSettingInt(L"LastUsedBitsPerPixel", c.stored);
    int compression = c.compression, jpeg = 7;
    if (c.compression >= 0) SetImageOptionsRecord(&compression, &jpeg);
    CTIFFOptions dialog;
    RunDialog(dialog, [&c](HWND window) {
      for (int id : kDepthRadios) EXPECT_EQ(id == c.depthRadio, Checked(window, id)) << id;
      for (int id : kCompressionRadios) EXPECT_EQ(id == c.compressionRadio, Checked(window, id)) << id;
      for (int id : kLockedByFax) EXPECT_TRUE(Enabled(window, id));
    });
    SetImageOptionsRecord(nullptr, nullptr);
  }
}

TEST_F(TIFFOptionsTest, FaxCompressionLocksOneBit) {
  int compression = 0, jpeg = 7;
  SetImageOptionsRecord(&compression, &jpeg);
  WriteSettingInt(L"LastUsedBitsPerPixel", 24);
  CTIFFOptions dialog;
  EXPECT_EQ(IDOK, RunDialog(dialog, [](HWND window) {
              Click(window, IDC_RADIO_1BIT_FAX);
              EXPECT_TRUE(Checked(window, IDC_RADIO_1BIT));
              EXPECT_FALSE(Checked(window, IDC_RADIO_24BIT));
              for (int id : kLockedByFax) EXPECT_FALSE(Enabled(window, id)) << id;
              Click(window, IDC_RADIO_LZW);
              for (int id : kLockedByFax) EXPECT_TRUE(Enabled(window, id)) << id;
              EXPECT_TRUE(Checked(window, IDC_RADIO_1BIT));
              Click(window, IDOK);
            }));
  EXPECT_EQ(CTIFFOptions::kLZW, dialog.GetCompression());
  EXPECT_EQ(1, dialog.GetBitsPerPixel());
  EXPECT_EQ(CTIFFOptions::kLZW, compression);
  EXPECT_EQ(1, ReadSettingInt(L"LastUsedBitsPerPixel", 0));
}

TEST_F(TIFFOptionsTest, StoredFaxCompressionStartsLocked) {
  int compression = CTIFFOptions::kFax, jpeg = 7;
  SetImageOptionsRecord(&compression, &jpeg);
  WriteSettingInt(L"LastUsedBitsPerPixel", 8);
  CTIFFOptions dialog;
  RunDialog(dialog, [](HWND window) {
    EXPECT_TRUE(Checked(window, IDC_RADIO_1BIT));
    for (int id : kLockedByFax) EXPECT_FALSE(Enabled(window, id)) << id;
  });
}

TEST_F(TIFFOptionsTest, SavesTakeTheFormatAndBitsOfTheDialog) {
  struct Case {
    int compressionRadio, depthRadio;
    int format, bits;
  } cases[] = {
      {IDC_RADIO_UNCOMPRESSED, IDC_RADIO_24BIT, 3, 24},
      {IDC_RADIO_PACKBITS, IDC_RADIO_8BIT, 87, 8},
      {IDC_RADIO_LZW, IDC_RADIO_4BIT, 17, 4},
      {IDC_RADIO_1BIT_FAX, IDC_RADIO_24BIT, 29, 1},  // the locked 24 bit radio does not take the click
  };
  RegisterImageOptionDialogs();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.format);
    int compression = 0, jpeg = 7;
    SetImageOptionsRecord(&compression, &jpeg);
    int bits = 24, format = 0, quality = 0;
    BOOL saved = FALSE;
    RunDialog(
        [&] {
          saved = GetImageFormatParams(L"pages.tiff", bits, format, quality, TRUE);
          return INT_PTR(0);
        },
        [&c](HWND window) {
          Click(window, c.compressionRadio);
          if (Enabled(window, c.depthRadio)) Click(window, c.depthRadio);
          Click(window, IDOK);
        });
    EXPECT_TRUE(saved);
    EXPECT_EQ(c.format, format);
    EXPECT_EQ(c.bits, bits);
    // Without asking, the next save takes the kept compression.
    EXPECT_TRUE(GetImageFormatParams(L"pages.tif", bits, format, quality, FALSE));
    EXPECT_EQ(c.format, format);
  }
}

}  // namespace
