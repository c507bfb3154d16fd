// Painting, device contexts, DIBs (with the layouts other programs hand over), device bitmaps and
// the clipboard.
#include <LBitmapBase.h>
#include <gtest/gtest.h>

#include <cstring>

#include "ImagingTestUtil.h"

using imaging_test::Hex;
using imaging_test::MakeFromRows;
using imaging_test::Rows;

namespace {

HGLOBAL GlobalFromBytes(const std::vector<uint8_t>& bytes) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
  std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
  GlobalUnlock(block);
  return block;
}

int LoadDib(LBitmapBase& b, const std::vector<uint8_t>& bytes) {
  return LChange::ChangeFromDIB(&b, GlobalFromBytes(bytes));
}

TEST(LBitmapPaint, PaintsSourceRectangleIntoDestinationWithRasterOperations) {
  LBitmapBase picture, canvas;
  ASSERT_EQ(SUCCESS, MakeFromRows(picture, {"XR", "GB"}, 24, BOTTOM_LEFT));
  ASSERT_EQ(SUCCESS, canvas.Create(4, 4, 24));
  canvas.Fill(RGB(255, 255, 255));
  HDC dc = canvas.CreateLeadDC();
  ASSERT_NE(nullptr, dc);
  // The bottom row as seen, given top-left and converted into the bitmap's own perspective.
  RECT src = {0, 1, 2, 2};
  ASSERT_EQ(SUCCESS, picture.RectToBitmap(TOP_LEFT, &src));
  EXPECT_EQ(0, src.top);
  RECT dst = {1, 1, 3, 2};
  picture.SetSrcRect(&src);
  picture.SetDstRect(&dst);
  LPaint* painter = picture.Paint();
  painter->SetDC(dc);
  ASSERT_EQ(SUCCESS, painter->PaintDC(SRCCOPY));
  // SRCAND of black over anything is black; of white over anything keeps what is there.
  RECT whole = {0, 0, 2, 2}, target = {0, 2, 2, 4};
  picture.SetSrcRect(&whole);
  picture.SetDstRect(&target);
  ASSERT_EQ(SUCCESS, painter->PaintDC(SRCAND));
  LBitmapBase::DeleteLeadDC(dc);
  EXPECT_EQ((std::vector<std::string>{"....", ".GB.", "XR..", "GB.."}), Rows(canvas));
}

TEST(LBitmapPaint, PaintGammaLightensWhatIsPaintedOnly) {
  LBitmapBase picture, canvas;
  ASSERT_EQ(SUCCESS, picture.Create(2, 2, 24));
  picture.Fill(RGB(64, 64, 64));
  ASSERT_EQ(SUCCESS, picture.SetPaintGamma(250));
  ASSERT_EQ(SUCCESS, canvas.Create(2, 2, 24));
  HDC dc = canvas.CreateLeadDC();
  picture.Paint()->SetDC(dc);
  ASSERT_EQ(SUCCESS, picture.Paint()->PaintDC());
  LBitmapBase::DeleteLeadDC(dc);
  EXPECT_EQ(RGB(64, 64, 64), picture.GetPixelColor(0, 0));
  // 255 * (64 / 255) ^ (1 / 2.5) = 146
  EXPECT_NEAR(146, GetRValue(canvas.GetPixelColor(1, 1)), 1);
}

TEST(LBitmapPaint, DibRoundTripKeepsDepthPaletteAndResolution) {
  for (int bpp : {1, 4, 8, 24, 32}) {
    LBitmapBase a, b;
    ASSERT_EQ(SUCCESS, MakeFromRows(a, {"XRG.", "B..X", "...."}, bpp, bpp == 8 ? BOTTOM_LEFT : TOP_LEFT));
    a.SetXResolution(300);
    a.SetYResolution(150);
    HGLOBAL dib = a.ConvertToDIB();
    ASSERT_NE(nullptr, dib);
    // The header says bottom-up with the full colour table the readers of the block expect.
    const auto* header = static_cast<const BITMAPINFOHEADER*>(GlobalLock(dib));
    EXPECT_EQ(3, header->biHeight);
    EXPECT_EQ(bpp <= 8 ? (1u << bpp) : 0u, header->biClrUsed);
    GlobalUnlock(dib);
    ASSERT_EQ(SUCCESS, LChange::ChangeFromDIB(&b, dib));
    EXPECT_EQ(Rows(a), Rows(b)) << bpp;
    EXPECT_EQ(bpp, b.GetBitsPerPixel());
    EXPECT_EQ(300, b.GetXResolution());
    EXPECT_EQ(150, b.GetYResolution());
  }
}

// A DIB claiming more than 100000 dpi keeps the bitmap's own resolution: taken, it overflowed when
// the picture was written back as pixels per metre.
TEST(LBitmapPaint, DibResolutionPastAnyPictureIsNotTaken) {
  LBitmapBase b;
  ASSERT_EQ(SUCCESS, LoadDib(b, Hex(
      "0000: 28000000 02000000 01000000 0100 1800 00000000 08000000 FFFFFF7F 232E0000 00000000 00000000\n"
      "0028: 0000FF 00FF00 0000")));
  EXPECT_EQ(300, b.GetYResolution());  // 11811 per metre
  EXPECT_GE(b.GetXResolution(), 1);
  EXPECT_LE(b.GetXResolution(), 100000);
  HGLOBAL dib = b.ConvertToDIB();
  ASSERT_NE(nullptr, dib);
  EXPECT_GT(static_cast<const BITMAPINFOHEADER*>(GlobalLock(dib))->biXPelsPerMeter, 0);
  GlobalUnlock(dib);
  GlobalFree(dib);
}

// DIB blocks as other programs build them, written out byte by byte.
TEST(LBitmapPaint, TwentyFourBitDibHasNoColourTable) {
  LBitmapBase b;
  ASSERT_EQ(SUCCESS, LoadDib(b, Hex(
      "0000: 28000000 02000000 01000000 0100 1800 00000000 08000000 00000000 00000000 00000000 00000000\n"
      "0028: 0000FF 00FF00 0000")));  // bottom row only: red, green, padding
  EXPECT_EQ((std::vector<std::string>{"RG"}), Rows(b));
}

struct ColourTableCase {
  int bpp;
  int entries;
};

class ColourTableEntries : public ::testing::TestWithParam<ColourTableCase> {};

TEST_P(ColourTableEntries, ZeroClrUsedMeansTwoToTheBitCount) {
  const ColourTableCase c = GetParam();
  std::vector<uint8_t> dib = Hex("28000000 01000000 01000000 0100");
  dib.push_back(static_cast<uint8_t>(c.bpp));
  dib.push_back(0);
  dib.resize(40, 0);
  // Entry 0 black, the last entry red: the one pixel uses the last entry.
  std::vector<uint8_t> table(static_cast<size_t>(c.entries) * 4, 0);
  table[table.size() - 2] = 0xFF;
  dib.insert(dib.end(), table.begin(), table.end());
  const uint8_t last = static_cast<uint8_t>(c.entries - 1);
  dib.push_back(static_cast<uint8_t>(c.bpp == 1 ? 0x80 : (c.bpp == 4 ? last << 4 : last)));
  dib.insert(dib.end(), {0, 0, 0});
  LBitmapBase b;
  ASSERT_EQ(SUCCESS, LoadDib(b, dib));
  EXPECT_EQ((std::vector<std::string>{"R"}), Rows(b));
}

INSTANTIATE_TEST_SUITE_P(Depths, ColourTableEntries,
                         ::testing::Values(ColourTableCase{1, 2}, ColourTableCase{4, 16}, ColourTableCase{8, 256}));

TEST(LBitmapPaint, BitfieldMasksAndTopDownRowsAreHonoured) {
  LBitmapBase b;
  // 16 bits 5-6-5, top-down (height -2): top row red, bottom row blue.
  ASSERT_EQ(SUCCESS, LoadDib(b, Hex(
      "0000: 28000000 01000000 FEFFFFFF 0100 1000 03000000 00000000 00000000 00000000 00000000 00000000\n"
      "0028: 00F80000 E0070000 1F000000\n"
      "0034: 00F8 0000 1F00 0000")));
  EXPECT_EQ((std::vector<std::string>{"R", "B"}), Rows(b));
  // 32 bits with red in the low byte, bottom-up: the bottom row green, top row red.
  ASSERT_EQ(SUCCESS, LoadDib(b, Hex(
      "0000: 28000000 01000000 02000000 0100 2000 03000000 00000000 00000000 00000000 00000000 00000000\n"
      "0028: FF000000 00FF0000 0000FF00\n"
      "0034: 00FF0000 FF000000")));
  EXPECT_EQ((std::vector<std::string>{"R", "G"}), Rows(b));
}

TEST(LBitmapPaint, DibThatClaimsMoreThanItsBlockFails) {
  LBitmapBase b;
  ASSERT_EQ(SUCCESS, MakeFromRows(b, {"X"}));
  // 1000 x 1000 at 24 bits would need 3 MB; the block has a few bytes.
  EXPECT_EQ(ERROR_FILE_DAMAGED, LoadDib(b, Hex(
      "28000000 E8030000 E8030000 0100 1800 00000000 00000000 00000000 00000000 00000000 00000000 000000")));
  EXPECT_EQ(ERROR_FILE_FORMAT, LoadDib(b, Hex(
      "28000000 01000000 01000000 0100 1800 04000000 00000000 00000000 00000000 00000000 00000000 00000000")));
  EXPECT_EQ((std::vector<std::string>{"X"}), Rows(b));
  EXPECT_EQ(ERROR_INV_PARAMETER, LChange::ChangeFromDIB(&b, nullptr));
}

TEST(LBitmapPaint, DeviceBitmapRoundTrip) {
  LBitmapBase a, b;
  ASSERT_EQ(SUCCESS, MakeFromRows(a, {"XR", "GB"}, 8));
  HBITMAP ddb = a.ConvertToDDB(nullptr);
  ASSERT_NE(nullptr, ddb);
  ASSERT_EQ(SUCCESS, b.ConvertFromDDB(ddb, nullptr));
  DeleteObject(ddb);
  EXPECT_EQ(Rows(a), Rows(b));
}

TEST(LBitmapPaint, ClipboardRoundTripAndAddingWithoutEmptying) {
  HWND owner = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(nullptr, owner);
  LBitmapBase a, b;
  ASSERT_EQ(SUCCESS, MakeFromRows(a, {"XRG", "B.X"}));
  ASSERT_EQ(SUCCESS, a.CopyToClipboard(owner, LBitmapBase::COPY_EMPTY | LBitmapBase::COPY_DIB | LBitmapBase::COPY_DDB |
                                                  LBitmapBase::COPY_PALETTE));
  EXPECT_TRUE(LBitmapBase::IsClipboardReady());
  ASSERT_EQ(SUCCESS, b.CopyFromClipboard(owner));
  EXPECT_EQ(Rows(a), Rows(b));
  // Flag 2 alone adds a DIB beside what is there already.
  ASSERT_TRUE(OpenClipboard(owner));
  EmptyClipboard();
  HGLOBAL text = GlobalAlloc(GMEM_MOVEABLE, 4);
  std::memcpy(GlobalLock(text), L"a", 4);
  GlobalUnlock(text);
  SetClipboardData(CF_UNICODETEXT, text);
  CloseClipboard();
  ASSERT_EQ(SUCCESS, a.CopyToClipboard(owner, LBitmapBase::COPY_DIB));
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_UNICODETEXT));
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_DIB));
  DestroyWindow(owner);
}

}  // namespace
