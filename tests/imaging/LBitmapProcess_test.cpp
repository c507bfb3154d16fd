// Rotation, resampling and the colour operations.
#include <LBitmapBase.h>
#include <gtest/gtest.h>

#include "ImagingTestUtil.h"

using imaging_test::MakeFromRows;
using imaging_test::Rows;

namespace {

struct RotateCase {
  int angle;
  std::vector<std::string> expected;
};

class RotateQuarter : public ::testing::TestWithParam<std::tuple<int, RotateCase>> {};

TEST_P(RotateQuarter, TurnsClockwiseAndSwapsTheSides) {
  const int bpp = std::get<0>(GetParam());
  const RotateCase& c = std::get<1>(GetParam());
  LBitmapBase b;
  ASSERT_EQ(SUCCESS, MakeFromRows(b, {"XX.", "..."}, bpp));
  b.SetXResolution(200);
  b.SetYResolution(100);
  ASSERT_EQ(SUCCESS, b.Rotate(c.angle, TRUE, RGB(255, 255, 255)));
  EXPECT_EQ(c.expected, Rows(b));
  const bool swapped = c.expected.size() == 3;
  EXPECT_EQ(swapped ? 100 : 200, b.GetXResolution());
  EXPECT_EQ(bpp, b.GetBitsPerPixel());
}

INSTANTIATE_TEST_SUITE_P(
    Depths, RotateQuarter,
    ::testing::Combine(::testing::Values(1, 8, 24),
                       ::testing::Values(RotateCase{9000, {".X", ".X", ".."}}, RotateCase{18000, {"...", ".XX"}},
                                         RotateCase{27000, {"..", "X.", "X."}}, RotateCase{-9000, {"..", "X.", "X."}})));

TEST(LBitmapProcess, RotateByAnOddAngleGrowsAndFillsTheCorners) {
  LBitmapBase b;
  ASSERT_EQ(SUCCESS, b.Create(100, 50, 24));
  b.Fill(RGB(0, 0, 0));
  ASSERT_EQ(SUCCESS, b.Rotate(4500, TRUE, RGB(255, 0, 0)));
  // |100 cos 45| + |50 sin 45| = 106.07
  EXPECT_EQ(107, b.GetWidth());
  EXPECT_EQ(107, b.GetHeight());
  EXPECT_EQ(RGB(255, 0, 0), b.GetPixelColor(0, 0));
  EXPECT_EQ(RGB(0, 0, 0), b.GetPixelColor(53, 53));
  LBitmapBase same;
  ASSERT_EQ(SUCCESS, same.Create(100, 50, 24));
  ASSERT_EQ(SUCCESS, same.Rotate(4500, FALSE, 0));
  EXPECT_EQ(100, same.GetWidth());
  EXPECT_EQ(50, same.GetHeight());
}

TEST(LBitmapProcess, SizeInterpolateGivesTheSizeAndAveragesWhenShrinking) {
  LBitmapBase b;
  // A fine checkerboard shrinks to mid grey; an enlarged flat area stays exactly flat.
  ASSERT_EQ(SUCCESS, b.Create(64, 64, 24));
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) b.PutPixelColor(x, y, ((x + y) & 1) ? RGB(255, 255, 255) : RGB(0, 0, 0));
  ASSERT_EQ(SUCCESS, b.SizeInterpolate(16, 16, 17));
  EXPECT_EQ(16, b.GetWidth());
  EXPECT_EQ(16, b.GetHeight());
  EXPECT_NEAR(128, GetRValue(b.GetPixelColor(8, 8)), 3);
  LBitmapBase flat;
  ASSERT_EQ(SUCCESS, flat.Create(10, 10, 24));
  flat.Fill(RGB(10, 200, 30));
  ASSERT_EQ(SUCCESS, flat.SizeInterpolate(15, 25, 17));
  for (int y = 0; y < 25; ++y)
    for (int x = 0; x < 15; ++x) ASSERT_EQ(RGB(10, 200, 30), flat.GetPixelColor(x, y)) << x << "," << y;
}

TEST(LBitmapProcess, SizeInterpolateTurnsOneBitPagesIntoSmoothGrey) {
  LBitmapBase b;
  ASSERT_EQ(SUCCESS, MakeFromRows(b, {"XX..", "XX..", "....", "...."}, 1));
  ASSERT_EQ(SUCCESS, b.SizeInterpolate(2, 2, 17));
  EXPECT_EQ(8, b.GetBitsPerPixel());
  EXPECT_LT(GetRValue(b.GetPixelColor(0, 0)), 80);
  EXPECT_GT(GetRValue(b.GetPixelColor(1, 1)), 175);
  EXPECT_EQ(ERROR_INV_PARAMETER, b.SizeInterpolate(0, 5, 17));
}

struct ColourCase {
  const char* name;
  int (*apply)(LBitmap&);
  COLORREF before;
  COLORREF after;
};

class ColourOperation : public ::testing::TestWithParam<std::tuple<int, ColourCase>> {};

TEST_P(ColourOperation, ChangesKnownPixels) {
  const int bpp = std::get<0>(GetParam());
  const ColourCase& c = std::get<1>(GetParam());
  LBitmap b;
  RGBQUAD table[2] = {{GetBValue(c.before), GetGValue(c.before), GetRValue(c.before), 0}, {255, 255, 255, 0}};
  ASSERT_EQ(SUCCESS, b.Create(3, 2, bpp, ORDER_BGR, table, 2));
  b.Fill(c.before);
  ASSERT_EQ(SUCCESS, c.apply(b)) << c.name;
  EXPECT_EQ(c.after, b.GetPixelColor(2, 1)) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Operations, ColourOperation,
    ::testing::Combine(
        ::testing::Values(8, 24, 32),
        ::testing::Values(
            ColourCase{"invert", [](LBitmap& b) { return b.Invert(0); }, RGB(10, 100, 250), RGB(245, 155, 5)},
            ColourCase{"brighter", [](LBitmap& b) { return b.ChangeIntensity(200, 0); }, RGB(10, 100, 250), RGB(61, 151, 255)},
            ColourCase{"darker", [](LBitmap& b) { return b.ChangeIntensity(-1000, 0); }, RGB(10, 100, 250), RGB(0, 0, 0)},
            ColourCase{"more contrast", [](LBitmap& b) { return b.ChangeContrast(500, 0); }, RGB(100, 128, 200), RGB(73, 129, 255)},
            ColourCase{"flat", [](LBitmap& b) { return b.ChangeContrast(-1000, 0); }, RGB(0, 60, 255), RGB(128, 128, 128)})));

TEST(LBitmapProcess, ColourOperationsRefuseValuesOutOfRange) {
  LBitmap b;
  ASSERT_EQ(SUCCESS, b.Create(2, 2, 24));
  EXPECT_EQ(ERROR_INV_PARAMETER, b.ChangeIntensity(1001, 0));
  EXPECT_EQ(ERROR_INV_PARAMETER, b.ChangeContrast(-1001, 0));
  LBitmap empty;
  EXPECT_EQ(ERROR_NO_BITMAP, empty.Invert(0));
}

// A callback that cancels once the work has started.
class CancellingBitmap : public LBitmapBase {
 public:
  int calls = 0;
  int StatusCallBack(int percent) override {
    ++calls;
    return percent > 0 ? ERROR_USER_ABORT : SUCCESS;
  }
};

TEST(LBitmapProcess, CancelFromTheStatusCallbackEndsALongOperationAndKeepsTheImage) {
  CancellingBitmap b;
  ASSERT_EQ(SUCCESS, b.Create(300, 600, 24));
  b.EnableStatusCallBack(TRUE);
  EXPECT_EQ(ERROR_USER_ABORT, b.SizeInterpolate(200, 400, 17));
  EXPECT_EQ(300, b.GetWidth());
  EXPECT_EQ(ERROR_USER_ABORT, b.Rotate(1000, TRUE, 0));
  EXPECT_EQ(300, b.GetWidth());
  const int calls = b.calls;
  b.EnableStatusCallBack(FALSE);
  EXPECT_EQ(SUCCESS, b.SizeInterpolate(200, 400, 17));
  EXPECT_EQ(calls, b.calls);
}

}  // namespace
