// The picture without a window: its record (versions 1, 2 and 5) and object data against fixtures
// written from the file layout, damaged input, fitting, rotation, proportions, style fields and undo.
#include "TranspImage.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "ErrorLog.h"
#include "ObjectFixtures.h"

namespace {

using fixtures::Fixture;
using fixtures::GlobalBytes;
using fixtures::LoadFrom;
using fixtures::Stored;
using fixtures::ToGlobal;
using fixtures::ToHex;

const RECT kFixtureRect = {10000, 20000, 30000, 50000};

bool SameRect(const RECT& a, const RECT& b) { return ::EqualRect(&a, &b) != FALSE; }

// The fixtures' 2 x 2 picture: top row red, green; bottom row blue, white.
void ExpectFixturePixels(const LBitmapBase& bitmap) {
  ASSERT_EQ(2, bitmap.GetWidth());
  ASSERT_EQ(2, bitmap.GetHeight());
  EXPECT_EQ(RGB(255, 0, 0), bitmap.GetPixelColor(0, 0));
  EXPECT_EQ(RGB(0, 255, 0), bitmap.GetPixelColor(1, 0));
  EXPECT_EQ(RGB(0, 0, 255), bitmap.GetPixelColor(0, 1));
  EXPECT_EQ(RGB(255, 255, 255), bitmap.GetPixelColor(1, 1));
}

class TranspImage : public testing::Test {
 protected:
  void SetUp() override { CTranspBaseClass::SetInchesPerUnit(0.00001); }
  void TearDown() override { CTranspBaseClass::SetInchesPerUnit(0.00001); }
};

TEST_F(TranspImage, ANewPictureIsOpaquePrintableAndOfThePictureKind) {
  CTranspImage image(nullptr, 2);
  EXPECT_FALSE(image.IsTransparent());
  EXPECT_EQ(1, image.IsPrintable());
  EXPECT_EQ(KIND_PICTURE, image.GetObjectKind());
  EXPECT_EQ(1, image.IsEmpty());
  EXPECT_EQ(2, image.GetPageIndex());
}

TEST_F(TranspImage, RecordVersion5KeepsTheJpegBytesAndStoresThemUnchanged) {
  const std::string record = Fixture(L"image_record_v5.hex");
  CTranspImage image(nullptr, 0);
  LoadFrom(image, record);
  EXPECT_TRUE(SameRect(kFixtureRect, image.GetRect()));
  EXPECT_TRUE(image.IsTransparent());
  EXPECT_EQ(1, image.IsPrintable());
  ASSERT_EQ(286u, image.GetFileBytes().size());
  EXPECT_EQ(0xFF, image.GetFileBytes()[0]);
  EXPECT_EQ(0xD8, image.GetFileBytes()[1]);
  ASSERT_EQ(2, image.GetPicture().GetWidth());
  const COLORREF c = image.GetPicture().GetPixelColor(1, 1);
  EXPECT_GT(GetRValue(c), 230) << "the JPEG is red";
  EXPECT_LT(GetGValue(c), 30);
  EXPECT_EQ(ToHex(record), ToHex(Stored(image)));
}

TEST_F(TranspImage, RecordVersion2CarriesADibAndNoPrintableFlag) {
  CTranspImage image(nullptr, 0);
  LoadFrom(image, Fixture(L"image_record_v2.hex"));
  EXPECT_TRUE(SameRect(kFixtureRect, image.GetRect()));
  EXPECT_FALSE(image.IsTransparent());
  EXPECT_EQ(0, image.IsPrintable());
  EXPECT_TRUE(image.GetFileBytes().empty());
  ExpectFixturePixels(image.GetPicture());
}

TEST_F(TranspImage, RecordVersion1IsTransparentUnprintableAndHasNoImage) {
  const std::string record = Fixture(L"image_record_v1.hex");
  CTranspImage image(nullptr, 0);
  LoadFrom(image, record);  // also checks that nothing of the record is left unread
  EXPECT_TRUE(SameRect(kFixtureRect, image.GetRect()));
  EXPECT_TRUE(image.IsTransparent());
  EXPECT_EQ(0, image.IsPrintable());
  EXPECT_EQ(1, image.IsEmpty());
}

// A picture without file bytes is stored as a PNG file that loads back to the same pixels.
TEST_F(TranspImage, APictureWithoutFileBytesIsStoredAsPng) {
  CTranspImage image(nullptr, 0);
  LoadFrom(image, Fixture(L"image_record_v2.hex"));
  const std::string stored = Stored(image);
  ASSERT_GT(stored.size(), 72u);
  uint32_t length = 0, n = 0, version = 0, fileBytes = 1;
  std::memcpy(&length, stored.data(), 4);
  std::memcpy(&version, stored.data() + 12, 4);
  std::memcpy(&fileBytes, stored.data() + 8 + 40, 4);
  std::memcpy(&n, stored.data() + 64, 4);
  EXPECT_EQ(5u, version);
  EXPECT_EQ(0u, fileBytes);
  EXPECT_EQ(n + 60, length) << "L is n + 60";
  EXPECT_EQ(stored.size(), 68u + n);
  EXPECT_EQ(std::string("\x89PNG", 4), stored.substr(68, 4));
  CTranspImage again(nullptr, 0);
  LoadFrom(again, stored);
  ExpectFixturePixels(again.GetPicture());
  EXPECT_TRUE(again.GetFileBytes().empty());
}

TEST_F(TranspImage, DamagedRecordsEndTheLoad) {
  const std::string v2 = Fixture(L"image_record_v2.hex").substr(4);
  std::string negative = v2, longer = v2, garbage = v2;
  const int32_t minus = -5, huge = 100000;
  std::memcpy(&negative[60], &minus, 4);
  std::memcpy(&longer[60], &huge, 4);
  garbage[76] = 0;  // the DIB's plane count
  for (const std::string* bytes : {&negative, &longer, &garbage}) {
    CTranspImage image(nullptr, 0);
    EXPECT_NE(-1, fixtures::LoadFailureCause(*bytes, [&image](CArchive& ar) { image.Serialize(ar); }))
        << "an archive exception ends the load";
  }
}

TEST_F(TranspImage, ObjectDataCarriesTheDibAndTheTransparentFlag) {
  const std::string data = Fixture(L"image_obdata.hex");
  HGLOBAL block = ToGlobal(data);
  CTranspImage image(nullptr, block, 0, 0, 0);
  ::GlobalFree(block);
  ASSERT_EQ(0, image.IsEmpty());
  EXPECT_TRUE(image.IsTransparent());
  EXPECT_EQ(1, image.IsPrintable());
  ExpectFixturePixels(image.GetPicture());
  const RECT moved = {0, 0, 20000, 30000};
  EXPECT_TRUE(SameRect(moved, image.GetRect())) << "placed with its top-left corner at the point";

  CTranspImage placed(nullptr, 0);
  block = ToGlobal(data);
  ASSERT_TRUE(placed.SetObData(block));
  ::GlobalFree(block);
  EXPECT_TRUE(SameRect(kFixtureRect, placed.GetRect()));
  HGLOBAL out = placed.GetObData();
  ASSERT_NE(nullptr, out);
  EXPECT_EQ(ToHex(data), ToHex(GlobalBytes(out)));
  EXPECT_EQ(data.size(), ::GlobalSize(out));
  ::GlobalFree(out);
}

TEST_F(TranspImage, ABareDibBecomesObjectDataOfVersion1) {
  const std::string expected = Fixture(L"image_obdata_dib.hex");
  // The DIB is what the version-2 block carries from offset 44.
  HGLOBAL dib = ToGlobal(expected.substr(44, 56));
  HGLOBAL data = CTranspImage::MakeObDataFromDIB(dib);
  ::GlobalFree(dib);
  ASSERT_NE(nullptr, data);
  EXPECT_EQ(ToHex(expected), ToHex(GlobalBytes(data)));
  CTranspImage image(nullptr, 0);
  ASSERT_TRUE(image.SetObData(data));
  ::GlobalFree(data);
  EXPECT_TRUE(image.IsTransparent()) << "version 1 is transparent";
  // Without a view page pixels are taken as units: the empty rectangle becomes the bitmap's size.
  const RECT size = {0, 0, 2, 2};
  EXPECT_TRUE(SameRect(size, image.GetRect()));
}

TEST_F(TranspImage, BrokenObjectDataIsRefused) {
  const std::string data = Fixture(L"image_obdata.hex");
  std::string otherType = data, bigDib = data, zeroDib = data, shortBlock = data.substr(0, 40);
  otherType[4] = 3;
  const int32_t big = 1000, zero = 0, shortTotal = 40;
  std::memcpy(&bigDib[40], &big, 4);
  std::memcpy(&zeroDib[40], &zero, 4);
  std::memcpy(&shortBlock[0], &shortTotal, 4);
  for (const std::string* bytes : {&otherType, &bigDib, &zeroDib, &shortBlock}) {
    HGLOBAL block = ToGlobal(*bytes);
    CTranspImage image(nullptr, 0);
    EXPECT_FALSE(image.SetObData(block));
    EXPECT_EQ(1, image.IsEmpty());
    ::GlobalFree(block);
  }
}

TEST_F(TranspImage, FittingIntoAMaximumKeepsTheProportions) {
  const struct {
    SIZE size, max, fitted;
  } cases[] = {
      {{100, 50}, {200, 200}, {100, 50}},   // fits
      {{400, 100}, {200, 200}, {200, 50}},  // too wide
      {{100, 400}, {200, 200}, {50, 200}},  // too high
      {{600, 300}, {200, 200}, {200, 100}}, // both, width the larger factor
      {{300, 500}, {200, 200}, {120, 200}}, // both, height the larger factor
      {{333, 100}, {100, 100}, {100, 30}},  // truncated
  };
  for (const auto& c : cases) {
    const SIZE got = FitIntoMaxSize(c.size, c.max);
    EXPECT_EQ(c.fitted.cx, got.cx) << c.size.cx << "x" << c.size.cy;
    EXPECT_EQ(c.fitted.cy, got.cy) << c.size.cx << "x" << c.size.cy;
  }
}

class TranspImageWithPicture : public TranspImage {
 protected:
  void SetUp() override {
    TranspImage::SetUp();
    HGLOBAL block = ToGlobal(Fixture(L"image_obdata.hex"));
    ASSERT_TRUE(image.SetObData(block));
    ::GlobalFree(block);
  }
  CTranspImage image{nullptr, 0};
};

TEST_F(TranspImageWithPicture, RotatingAQuarterTurnSwapsTheSidesAndKeepsTheCorner) {
  LMyBitmap wide;
  ASSERT_EQ(SUCCESS, wide.Create(4, 2, 24));
  wide.Fill(RGB(0, 0, 0));
  CUndoState state = image.GetUndoState();
  state.m_bitmap = wide;
  image.SetUndoState(state);
  image.SetRect(RECT{1000, 2000, 9000, 6000});
  image.Rotate(9000);
  EXPECT_EQ(2, image.GetPicture().GetWidth());
  EXPECT_EQ(4, image.GetPicture().GetHeight());
  const RECT turned = {1000, 2000, 5000, 10000};
  EXPECT_TRUE(SameRect(turned, image.GetRect()));
}

TEST_F(TranspImageWithPicture, RotatingDropsTheStoredFileBytes) {
  CTranspImage jpeg(nullptr, 0);
  LoadFrom(jpeg, Fixture(L"image_record_v5.hex"));
  ASSERT_FALSE(jpeg.GetFileBytes().empty());
  jpeg.Rotate(18000);
  EXPECT_TRUE(jpeg.GetFileBytes().empty()) << "the turned picture must not be saved as the old file";
}

TEST_F(TranspImageWithPicture, RestoringProportionsTakesTheHeightFromTheWidth) {
  LMyBitmap tall;
  ASSERT_EQ(SUCCESS, tall.Create(2, 3, 24));
  CUndoState state = image.GetUndoState();
  state.m_bitmap = tall;
  image.SetUndoState(state);
  image.SetRect(RECT{100, 200, 1100, 300});
  image.RestoreProportions();
  const RECT expected = {100, 200, 1100, 1700};
  EXPECT_TRUE(SameRect(expected, image.GetRect()));
}

// Ctrl held at button-down keeps the ratio: the rectangle that fits in the dragged one wins.
TEST_F(TranspImageWithPicture, KeepingTheAspectTakesTheSmallerOfTheTwoFits) {
  const struct {
    RECT dragged, expected;
  } cases[] = {
      {{0, 0, 4000, 9000}, {0, 0, 4000, 2000}},   // too high: the height from the width
      {{0, 0, 9000, 1000}, {0, 0, 2000, 1000}},   // too wide: the width from the height
      {{5000, 6000, 1000, 0}, {1000, 0, 5000, 2000}},  // dragged past its corner
  };
  for (const auto& c : cases) {
    image.SetRect(RECT{0, 0, 2000, 1000});
    image.OnLButtonDown(MK_CONTROL | MK_LBUTTON, 0, 0);
    ASSERT_EQ(1, image.IsKeepAspect());
    image.SetRect(c.dragged);
    image.OnLButtonUp(0, 0, 0);
    EXPECT_TRUE(SameRect(c.expected, image.GetRect())) << c.dragged.right << "," << c.dragged.bottom;
    EXPECT_EQ(0, image.IsKeepAspect());
  }
}

TEST_F(TranspImageWithPicture, StyleFieldsSetTransparencyPrintabilityAndName) {
  _OBJECT_STYLE style = {};
  image.GetObjectStyle(&style);
  EXPECT_EQ(1, style.transparent) << "the flag is written into the block first";
  style.transparent = 0;
  style.printable = 0;
  const int transparentField = IMAGE_FIELD_TRANSPARENT, printableField = IMAGE_FIELD_PRINTABLE;
  const int nameField = IMAGE_FIELD_NAME;
  image.SetObjectStyle(nullptr, &style, &transparentField, 0);
  EXPECT_FALSE(image.IsTransparent());
  EXPECT_EQ(1, image.IsPrintable()) << "one field at a time";
  image.SetObjectStyle(nullptr, &style, &printableField, 0);
  EXPECT_EQ(0, image.IsPrintable());
  _PROPERTIES properties;
  properties.name = L"Logo";
  image.SetObjectStyle(&properties, nullptr, &nameField, 0);
  EXPECT_STREQ(L"Logo", image.GetName());
}

TEST_F(TranspImageWithPicture, UndoStateTakesBackRectangleTransparencyAndBitmap) {
  const CUndoState before = image.GetUndoState();
  EXPECT_TRUE(before.m_bitmap.IsAllocated());
  image.SetTransparent(0);
  image.SetRect(RECT{1, 2, 3, 4});
  image.Rotate(9000);
  image.SetUndoState(before);
  EXPECT_TRUE(image.IsTransparent());
  EXPECT_TRUE(SameRect(kFixtureRect, image.GetRect()));
  ExpectFixturePixels(image.GetPicture());
}

TEST_F(TranspImageWithPicture, GetBitmapCopiesThePicture) {
  LMyBitmap out;
  EXPECT_TRUE(image.GetBitmap(&out));
  ExpectFixturePixels(out);
  CTranspImage empty(nullptr, 0);
  EXPECT_FALSE(empty.GetBitmap(&out));
  EXPECT_FALSE(image.GetBitmap(nullptr));
}

}  // namespace
