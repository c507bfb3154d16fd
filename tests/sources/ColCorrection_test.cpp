// The colour correction of page images: the parameter record and the library's block and area list
// against the layouts they must have, and corrections through the real Tintwell.dll beside the tests.
#include "ColCorrection.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "LMyBitmap.h"

namespace {

// What the library was handed in the last call, copied while the call lasted.
struct SEEN {
  int mode = -1, value = -1;
  std::vector<uint8_t> block;
  std::vector<TINTWELL_AREA> areas;
  const uint8_t* source = nullptr;
  int result = 0;
} g_seen;

int __cdecl RecordCall(int mode, TINTWELL_BLOCK* block, int value) {
  g_seen.mode = mode;
  g_seen.value = value;
  const uint8_t* bytes = reinterpret_cast<const uint8_t*>(block);
  g_seen.block.assign(bytes, bytes + sizeof(TINTWELL_BLOCK));
  g_seen.areas.assign(block->areas, block->areas + block->areaCount);
  g_seen.source = block->source;
  return g_seen.result;
}

class RecordedLibrary : public ::testing::Test {
 protected:
  void SetUp() override {
    g_seen = SEEN();
    previous_ = CColCorrection::SetCorrectFunction(RecordCall);
  }
  void TearDown() override { CColCorrection::SetCorrectFunction(previous_); }
  TINTWELL_CORRECT previous_ = nullptr;
};

int32_t IntAt(const std::vector<uint8_t>& bytes, size_t offset) {
  int32_t v;
  std::memcpy(&v, &bytes[offset], 4);
  return v;
}

ColourCorrectionParams WhiteParams(RECT white) {
  ColourCorrectionParams params = {};
  params.white = white;
  params.factor = 1.0;
  return params;
}

// A page of one grey, with a lighter band that serves as the white reference.
void GreyPage(LBitmapBase& b, int bpp, BYTE grey, BYTE band) {
  ASSERT_EQ(SUCCESS, b.Create(40, 30, bpp));
  b.Fill(RGB(grey, grey, grey));
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 40; ++x) b.PutPixelColor(x, y, RGB(band, band, band));
}

}  // namespace

TEST(ColCorrectionLayout, ParameterRecordOffsetsFollowTheTable) {
  // offset: field (from the record's table)
  EXPECT_EQ(4176u, sizeof(ColourCorrectionParams));
  EXPECT_EQ(0u, offsetof(ColourCorrectionParams, mode));
  EXPECT_EQ(12u, offsetof(ColourCorrectionParams, white));
  EXPECT_EQ(28u, offsetof(ColourCorrectionParams, black));
  EXPECT_EQ(44u, offsetof(ColourCorrectionParams, areas));
  EXPECT_EQ(4140u, offsetof(ColourCorrectionParams, areaCount));
  EXPECT_EQ(4160u, offsetof(ColourCorrectionParams, factor));
  EXPECT_EQ(4168u, offsetof(ColourCorrectionParams, colour));
  EXPECT_EQ(4172u, offsetof(ColourCorrectionParams, flag));
}

TEST(ColCorrectionLayout, StrideAndEmptyAreas) {
  EXPECT_EQ(128, CColCorrection::Stride(1001, 1));
  EXPECT_EQ(3004, CColCorrection::Stride(1001, 24));
  EXPECT_EQ(1004, CColCorrection::Stride(1001, 8));
  EXPECT_TRUE(CColCorrection::IsAreaEmpty(RECT{5, 5, 5, 20}));   // no width
  EXPECT_TRUE(CColCorrection::IsAreaEmpty(RECT{5, 9, 30, 9}));   // no height
  EXPECT_FALSE(CColCorrection::IsAreaEmpty(RECT{30, 20, 5, 9}));  // turned round, still an area
}

TEST(ColCorrectionLayout, AreaListPutsBlackBeforeWhiteAndFurtherAreasOnlyWithAColour) {
  ColourCorrectionParams params = WhiteParams(RECT{1, 2, 3, 4});
  params.black = RECT{5, 6, 7, 8};
  params.areas[0] = RECT{10, 11, 12, 13};
  params.areaCount = 1;
  TINTWELL_AREA areas[258];
  ASSERT_EQ(3, CColCorrection::BuildAreaList(params, areas));
  EXPECT_EQ(TINTWELL_AREA_BLACK, areas[0].kind);
  EXPECT_EQ(5, areas[0].left);
  EXPECT_EQ(TINTWELL_AREA_WHITE, areas[1].kind);
  EXPECT_EQ(4, areas[1].bottom);
  EXPECT_EQ(TINTWELL_AREA_FURTHER, areas[2].kind);
  EXPECT_EQ(0, areas[2].zero);
  EXPECT_EQ(0, areas[2].reserved);
  const int32_t none = -1;
  std::memcpy(params.colour, &none, 4);
  EXPECT_EQ(2, CColCorrection::BuildAreaList(params, areas)) << "no colour: no further areas";
}

TEST_F(RecordedLibrary, WhitePageOn24BitsHandsTheBlockOfModeZero) {
  LMyBitmap page, target;
  GreyPage(page, 24, 100, 200);
  CColCorrection correction;
  EXPECT_TRUE(correction.DoCorrection(page, target, WhiteParams(RECT{2, 1, 30, 8}), 0));
  EXPECT_EQ(0, g_seen.mode);
  const std::vector<uint8_t>& b = g_seen.block;
  ASSERT_EQ(sizeof(TINTWELL_BLOCK), b.size());
  EXPECT_EQ(static_cast<int32_t>(sizeof(TINTWELL_BLOCK)), IntAt(b, 0));
  EXPECT_EQ(40, IntAt(b, 4));
  EXPECT_EQ(30, IntAt(b, 8)) << "height as the bottom-up DIB stores it";
  EXPECT_EQ(120, IntAt(b, 12));
  EXPECT_EQ(0, IntAt(b, 16));
  EXPECT_EQ(3, IntAt(b, 20)) << "no colour table";
  ASSERT_EQ(1u, g_seen.areas.size());
  EXPECT_EQ(TINTWELL_AREA_WHITE, g_seen.areas[0].kind);
  EXPECT_EQ(30, g_seen.areas[0].right);
#if UINTPTR_MAX == 0xFFFFFFFFu
  // The 32-bit program's block, byte for byte where the table fixes it.
  EXPECT_EQ(0, IntAt(b, 32));
  EXPECT_EQ(1, IntAt(b, 40));
  EXPECT_EQ(4, IntAt(b, 44));
  EXPECT_EQ(4, IntAt(b, 48));
  EXPECT_EQ(0xFF, b[52]);
  EXPECT_EQ(0xFF, b[53]);
  EXPECT_EQ(0xFF, b[54]);
  EXPECT_EQ(0, b[56] | b[57] | b[58]);
  EXPECT_EQ(1, IntAt(b, 60));
  EXPECT_EQ(0, IntAt(b, 64));
  EXPECT_EQ(0, IntAt(b, 72) | IntAt(b, 76) | IntAt(b, 80) | IntAt(b, 84));
  double factor;
  std::memcpy(&factor, &b[88], 8);
  EXPECT_EQ(1.0, factor);
#endif
  // The target is built from the output whatever the library wrote there.
  EXPECT_EQ(40, target.GetWidth());
  EXPECT_EQ(30, target.GetHeight());
}

TEST_F(RecordedLibrary, PaletteImageHasPixelKindOneAndBitsAfterItsTable) {
  LMyBitmap page, target;
  GreyPage(page, 8, 100, 200);
  ColourCorrectionParams params = WhiteParams(RECT{});
  params.black = RECT{0, 20, 10, 29};
  CColCorrection correction;
  correction.DoCorrection(page, target, params, 0);
  EXPECT_EQ(1, IntAt(g_seen.block, 20));
  EXPECT_EQ(0, IntAt(g_seen.block, offsetof(TINTWELL_BLOCK, hasWhite)));
  EXPECT_EQ(1, IntAt(g_seen.block, offsetof(TINTWELL_BLOCK, hasBlack)));
  ASSERT_EQ(1u, g_seen.areas.size());
  EXPECT_EQ(TINTWELL_AREA_BLACK, g_seen.areas[0].kind);
  // The first stored row is the bottom one: the page's grey through the colour table.
  EXPECT_EQ(page.GetPixelColor(0, 29), RGB(g_seen.source[0], g_seen.source[0], g_seen.source[0]));
}

TEST_F(RecordedLibrary, ALibraryFailureIsReportedAsFalse) {
  g_seen.result = 7;
  LMyBitmap page, target;
  GreyPage(page, 24, 100, 200);
  CColCorrection correction;
  EXPECT_FALSE(correction.DoCorrection(page, target, WhiteParams(RECT{0, 0, 10, 10}), 0));
}

// Through the real library: the white reference becomes white and the rest follows the same line.
TEST(ColCorrectionLibrary, WhiteReferenceStretchesEveryChannel) {
  struct CASE {
    int bpp;
    BYTE grey, band;
    BYTE expectedBand, expectedRest;
  } cases[] = {
      {24, 100, 200, 255, 128},  // 100 x 255 / 200 = 127.5
      {8, 100, 200, 255, 128},
      {32, 60, 240, 255, 64},
  };
  for (const CASE& c : cases) {
    LMyBitmap page, target;
    GreyPage(page, c.bpp, c.grey, c.band);
    CColCorrection correction;
    ASSERT_TRUE(correction.DoCorrection(page, target, WhiteParams(RECT{0, 0, 40, 10}), 0)) << c.bpp;
    EXPECT_EQ(RGB(c.expectedBand, c.expectedBand, c.expectedBand), target.GetPixelColor(20, 5)) << c.bpp;
    EXPECT_EQ(RGB(c.expectedRest, c.expectedRest, c.expectedRest), target.GetPixelColor(20, 25)) << c.bpp;
  }
}

TEST(ColCorrectionLibrary, BlackReferenceBecomesBlackPerChannel) {
  LMyBitmap page, target;
  ASSERT_EQ(SUCCESS, page.Create(20, 20, 24));
  page.Fill(RGB(200, 180, 160));
  for (int y = 15; y < 20; ++y)
    for (int x = 0; x < 20; ++x) page.PutPixelColor(x, y, RGB(50, 30, 10));
  ColourCorrectionParams params = WhiteParams(RECT{});
  params.black = RECT{0, 15, 20, 20};
  CColCorrection correction;
  ASSERT_TRUE(correction.DoCorrection(page, target, params, 0));
  EXPECT_EQ(RGB(0, 0, 0), target.GetPixelColor(3, 17));
  // (v - b) x 255 / (255 - b) per channel: 150 x 255 / 205, 150 x 255 / 225, 150 x 255 / 245.
  EXPECT_EQ(RGB(187, 170, 156), target.GetPixelColor(3, 3));
}

TEST(ColCorrectionLibrary, OneBitPagesAreLeftAsTheyWere) {
  LMyBitmap page, target;
  ASSERT_EQ(SUCCESS, page.Create(16, 8, 1));
  CColCorrection correction;
  EXPECT_FALSE(correction.DoCorrection(page, target, WhiteParams(RECT{0, 0, 8, 8}), 0));
}
