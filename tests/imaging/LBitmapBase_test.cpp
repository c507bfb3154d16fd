// Pixel storage: creation in every depth and perspective, copies, fill, trim, flip, reverse,
// bit-depth changes.
#include <LBitmapBase.h>
#include <gtest/gtest.h>

#include "ImagingTestUtil.h"

using imaging_test::MakeFromRows;
using imaging_test::Rows;

namespace {

struct DepthCase {
  int bpp;
  int perspective;
};

class DepthTest : public ::testing::TestWithParam<DepthCase> {};

TEST_P(DepthTest, CreateKeepsGeometryAndRowZeroIsTheTop) {
  const DepthCase c = GetParam();
  LBitmapBase b;
  ASSERT_EQ(SUCCESS, MakeFromRows(b, {"X....", ".....", "....X"}, c.bpp, c.perspective));
  EXPECT_TRUE(b.IsAllocated());
  EXPECT_EQ(5, b.GetWidth());
  EXPECT_EQ(3, b.GetHeight());
  EXPECT_EQ(c.bpp, b.GetBitsPerPixel());
  EXPECT_EQ(c.perspective, b.GetViewPerspective());
  EXPECT_EQ(((5 * c.bpp + 31) / 32) * 4, b.GetBytesPerLine());
  EXPECT_EQ(static_cast<SIZE_T>(b.GetBytesPerLine()) * 3, b.GetMemSize());
  // GDI drawing through the bitmap's DC lands where the pixel accessors look.
  HDC dc = b.CreateLeadDC();
  ASSERT_NE(nullptr, dc);
  SetPixelV(dc, 1, 0, RGB(0, 0, 0));
  LBitmapBase::DeleteLeadDC(dc);
  EXPECT_EQ((std::vector<std::string>{"XX...", ".....", "....X"}), Rows(b));
}

TEST_P(DepthTest, FlipReverseAndTrimMoveKnownPixels) {
  const DepthCase c = GetParam();
  LBitmapBase b;
  ASSERT_EQ(SUCCESS, MakeFromRows(b, {"XX...", "X....", "....."}, c.bpp, c.perspective));
  ASSERT_EQ(SUCCESS, b.Flip());
  EXPECT_EQ((std::vector<std::string>{".....", "X....", "XX..."}), Rows(b));
  ASSERT_EQ(SUCCESS, b.Reverse());
  EXPECT_EQ((std::vector<std::string>{".....", "....X", "...XX"}), Rows(b));
  ASSERT_EQ(SUCCESS, b.Trim(2, 1, 3, 2));
  EXPECT_EQ((std::vector<std::string>{"..X", ".XX"}), Rows(b));
  EXPECT_EQ(c.bpp, b.GetBitsPerPixel());
}

INSTANTIATE_TEST_SUITE_P(AllDepths, DepthTest,
                         ::testing::Values(DepthCase{1, TOP_LEFT}, DepthCase{4, TOP_LEFT}, DepthCase{8, TOP_LEFT},
                                           DepthCase{24, TOP_LEFT}, DepthCase{32, TOP_LEFT}, DepthCase{1, BOTTOM_LEFT},
                                           DepthCase{8, BOTTOM_LEFT}, DepthCase{24, BOTTOM_LEFT}));

TEST(LBitmapBase, CreateRefusesBadDepthsAndHugeSizes) {
  LBitmapBase b;
  EXPECT_EQ(ERROR_BPP_NOT_SUPPORTED, b.Create(10, 10, 7));
  EXPECT_EQ(ERROR_IMAGE_TOO_LARGE, b.Create(0, 10, 24));
  EXPECT_EQ(ERROR_IMAGE_TOO_LARGE, b.Create(60000, 60000, 24));
  EXPECT_EQ(ERROR_INV_PARAMETER, b.Create(10, 10, 24, ORDER_BGR, nullptr, 0, 3));
  EXPECT_FALSE(b.IsAllocated());
}

TEST(LBitmapBase, CopyTakesPixelsResolutionAndSelfCopyIsHarmless) {
  LBitmapBase a, b;
  ASSERT_EQ(SUCCESS, MakeFromRows(a, {"XR", "GB"}));
  a.SetXResolution(300);
  a.SetYResolution(200);
  ASSERT_EQ(SUCCESS, b.Copy(a));
  EXPECT_EQ(Rows(a), Rows(b));
  EXPECT_EQ(300, b.GetXResolution());
  EXPECT_EQ(200, b.GetYResolution());
  EXPECT_NE(a.GetHandle()->pBits, b.GetHandle()->pBits);
  ASSERT_EQ(SUCCESS, a.Copy(a));
  EXPECT_EQ((std::vector<std::string>{"XR", "GB"}), Rows(a));
  LBitmapBase empty;
  EXPECT_EQ(ERROR_NO_BITMAP, b.Copy(empty));
  EXPECT_FALSE(b.IsAllocated());
}

TEST(LBitmapBase, FillUsesTheNearestColourOfIndexedImages) {
  LBitmapBase b;
  ASSERT_EQ(SUCCESS, MakeFromRows(b, {"XRG", "B.."}, 8));
  ASSERT_EQ(SUCCESS, b.Fill(RGB(250, 10, 5)));
  EXPECT_EQ((std::vector<std::string>{"RRR", "RRR"}), Rows(b));
  LBitmapBase c;
  ASSERT_EQ(SUCCESS, c.Create(3, 2, 24));
  ASSERT_EQ(SUCCESS, c.Fill(0xFFFFFF));
  EXPECT_EQ((std::vector<std::string>{"...", "..."}), Rows(c));
}

TEST(LBitmapBase, TrimOutsideOrEmptyFailsAndKeepsTheImage) {
  LBitmapBase b;
  ASSERT_EQ(SUCCESS, MakeFromRows(b, {"X..", "..X"}));
  EXPECT_EQ(ERROR_INV_PARAMETER, b.Trim(5, 5, 2, 2));
  EXPECT_EQ(ERROR_INV_PARAMETER, b.Trim(0, 0, 0, 2));
  EXPECT_EQ((std::vector<std::string>{"X..", "..X"}), Rows(b));
  // A rectangle reaching past the edges is clipped to the image.
  ASSERT_EQ(SUCCESS, b.Trim(-4, 1, 100, 100));
  EXPECT_EQ((std::vector<std::string>{"..X"}), Rows(b));
}

TEST(LBitmapBase, ChangeViewPerspectiveKeepsThePicture) {
  LBitmapBase b;
  ASSERT_EQ(SUCCESS, MakeFromRows(b, {"X.", ".R"}, 24, BOTTOM_LEFT));
  ASSERT_EQ(SUCCESS, b.ChangeViewPerspective(TOP_LEFT));
  EXPECT_EQ(TOP_LEFT, b.GetViewPerspective());
  EXPECT_EQ((std::vector<std::string>{"X.", ".R"}), Rows(b));
  // Row 0 of the memory is now the top row.
  EXPECT_EQ(0, b.GetHandle()->pBits[0]);
}

TEST(LBitmapBase, ColorResReducesExactlyWhenColoursFitAndThresholdsToOneBit) {
  LBitmapBase b;
  ASSERT_EQ(SUCCESS, MakeFromRows(b, {"XRGB.", "..XX."}));
  ASSERT_EQ(SUCCESS, b.ColorRes(8));
  EXPECT_EQ(8, b.GetBitsPerPixel());
  EXPECT_EQ((std::vector<std::string>{"XRGB.", "..XX."}), Rows(b));
  ASSERT_EQ(SUCCESS, b.ColorRes(4));
  EXPECT_EQ((std::vector<std::string>{"XRGB.", "..XX."}), Rows(b));
  ASSERT_EQ(SUCCESS, b.ColorRes(1));
  // Luminance of pure red, green and blue: 76, 150, 29; below 128 is black.
  EXPECT_EQ((std::vector<std::string>{"XX.X.", "..XX."}), Rows(b));
  ASSERT_EQ(SUCCESS, b.ColorRes(24));
  EXPECT_EQ((std::vector<std::string>{"XX.X.", "..XX."}), Rows(b));
}

TEST(LBitmapBase, ColorResOfManyColoursDiffusesTheError) {
  LBitmapBase b;
  ASSERT_EQ(SUCCESS, b.Create(64, 64, 24));
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) b.PutPixelColor(x, y, RGB(x * 4, y * 4, 100));
  ASSERT_EQ(SUCCESS, b.ColorRes(8));
  // The average over a block stays close to the source's average.
  long sumR = 0, sumG = 0;
  for (int y = 0; y < 16; ++y)
    for (int x = 16; x < 32; ++x) {
      sumR += GetRValue(b.GetPixelColor(x, y));
      sumG += GetGValue(b.GetPixelColor(x, y));
    }
  EXPECT_NEAR(94.0, sumR / 256.0, 6.0);  // x from 16 to 31: red 64..124, mean 94
  EXPECT_NEAR(30.0, sumG / 256.0, 6.0);  // y from 0 to 15: green 0..60, mean 30
}

TEST(LBitmapBase, SetHandleMovesTheImageAndEmptiesTheSource) {
  LBitmapBase scanner, owner;
  ASSERT_EQ(SUCCESS, MakeFromRows(scanner, {"X.", ".X"}));
  BITMAPHANDLE delivered = *scanner.GetHandle();
  // The scanner side gives up the pixels without freeing them.
  *scanner.GetHandle() = BITMAPHANDLE{};
  ASSERT_EQ(SUCCESS, owner.SetHandle(&delivered, TRUE));
  EXPECT_EQ(0u, delivered.Flags & BITMAP_ALLOCATED);
  EXPECT_EQ((std::vector<std::string>{"X.", ".X"}), Rows(owner));
}

}  // namespace
