#include "pdfwriter/PdfImage.h"

#include <gtest/gtest.h>

#include "TestSupport.h"

namespace pdf {
namespace {

std::string FromHex(const char* hex) {
  std::string out;
  for (const char* p = hex; *p;) {
    while (*p == ' ' || *p == '\n') ++p;
    if (!*p) break;
    out += static_cast<char>(std::stoi(std::string(p, 2), nullptr, 16));
    p += 2;
  }
  return out;
}

// A 2 x 2 pixel, 24-bit BMP, bottom-up: rows are padded to 8 bytes.
//   offset 0   file header: "BM", size 70, offset of the pixels 54
//   offset 14  info header: 40 bytes, width 2, height 2, 1 plane, 24 bits, no compression
//   offset 54  bottom row: blue (FF 00 00 in BGR), green, 2 bytes padding
//   offset 62  top row:    red, white, 2 bytes padding
const char kBmp24[] =
    "424D 46000000 0000 0000 36000000"
    "28000000 02000000 02000000 0100 1800 00000000 10000000 130B0000 130B0000 00000000 00000000"
    "FF0000 00FF00 0000"
    "0000FF FFFFFF 0000";

// A 9 x 1 pixel, 1-bit BMP with a black and a white entry: 0x55 0x80 = 010101011 from the left.
const char kBmp1[] =
    "424D 46000000 0000 0000 3E000000"
    "28000000 09000000 01000000 0100 0100 00000000 04000000 130B0000 130B0000 02000000 00000000"
    "00000000 FFFFFF00"
    "55800000";

TEST(PdfImageTest, TrueColourBmpBecomesTopDownRgb) {
  PdfImage image;
  std::string error;
  ASSERT_TRUE(ImageFromFile(FromHex(kBmp24), &image, &error)) << error;
  EXPECT_EQ(image.width, 2);
  EXPECT_EQ(image.height, 2);
  EXPECT_EQ(image.colorSpace, "/DeviceRGB");
  EXPECT_FALSE(image.jpeg);
  EXPECT_EQ(image.data, FromHex("FF0000 FFFFFF 0000FF 00FF00"));  // red white / blue green
}

TEST(PdfImageTest, OneBitBmpStaysIndexedAndWhiteBecomesItsIndex) {
  PdfImage image;
  std::string error;
  ASSERT_TRUE(ImageFromFile(FromHex(kBmp1), &image, &error)) << error;
  EXPECT_EQ(image.bitsPerComponent, 1);
  EXPECT_EQ(image.colorSpace, "[/Indexed /DeviceRGB 1 <000000FFFFFF>]");
  EXPECT_EQ(image.data, FromHex("5580"));
  MakeWhiteTransparent(&image);
  EXPECT_EQ(image.colorKeyMask, "[1 1]");
}

TEST(PdfImageTest, WhiteKeyOnRgb) {
  PdfImage image;
  std::string error;
  ASSERT_TRUE(ImageFromFile(FromHex(kBmp24), &image, &error));
  MakeWhiteTransparent(&image);
  EXPECT_EQ(image.colorKeyMask, "[255 255 255 255 255 255]");
}

TEST(PdfImageTest, PremultipliedAlphaBecomesASoftMask) {
  // A 2 x 1 pixel, 32-bit top-down bitmap: blue at half opacity (premultiplied to 80), clear black.
  //   offset 0   info header: 40 bytes, width 2, height -1, 1 plane, 32 bits, no compression
  //   offset 40  pixels in BGRA
  std::string dib = FromHex(
      "28000000 02000000 FFFFFFFF 0100 2000 00000000 08000000 00000000 00000000 00000000 00000000"
      "80000080 00000000");
  const unsigned char* p = reinterpret_cast<const unsigned char*>(dib.data());
  PdfImage image;
  std::string error;
  ASSERT_TRUE(ImageFromDib(p, 40, p + 40, 8, &image, &error)) << error;
  ASSERT_TRUE(TakeAlpha(p, 40, p + 40, 8, 255, &image));
  EXPECT_EQ(image.data, FromHex("0000FF 000000"));  // the blue divided back to full strength
  EXPECT_EQ(image.alpha, FromHex("80 00"));
  ASSERT_TRUE(TakeAlpha(p, 40, p + 40, 8, 128, &image));
  EXPECT_EQ(image.alpha, FromHex("40 00"));  // the constant opacity halves it
  // A 24-bit bitmap has no alpha to take.
  PdfImage rgb;
  ASSERT_TRUE(ImageFromFile(FromHex(kBmp24), &rgb, &error));
  std::string bmp = FromHex(kBmp24);
  EXPECT_FALSE(TakeAlpha(reinterpret_cast<const unsigned char*>(bmp.data()) + 14, 40,
                         reinterpret_cast<const unsigned char*>(bmp.data()) + 54, 16, 255, &rgb));
}

TEST(PdfImageTest, JpegIsPassedThroughWithItsFrameSize) {
  std::string file = testing_support::ReadFileBytes(VANTRY_TEST_DATA_DIR L"\\sample.jpg");
  PdfImage image;
  std::string error;
  ASSERT_TRUE(ImageFromFile(file, &image, &error)) << error;
  EXPECT_TRUE(image.jpeg);
  EXPECT_EQ(image.width, 64);
  EXPECT_EQ(image.height, 48);
  EXPECT_EQ(image.colorSpace, "/DeviceRGB");
  EXPECT_EQ(image.data, file);
}

TEST(PdfImageTest, DamagedInputIsRefusedWithAReason) {
  const struct {
    std::string bytes;
    const char* reason;
  } cases[] = {
      {FromHex(kBmp24).substr(0, 60), "bitmap pixels truncated"},
      {FromHex("FFD8 FFC0 0011 08"), "truncated JPEG segment"},
      {"GIF89a", "only JPEG and BMP files are read"},
      {FromHex("424D 46000000 0000 0000 FF000000") + std::string(40, '\0'), "BMP pixel offset outside the file"},
  };
  for (const auto& c : cases) {
    PdfImage image;
    std::string error;
    EXPECT_FALSE(ImageFromFile(c.bytes, &image, &error));
    EXPECT_EQ(error, c.reason);
  }
}

}  // namespace
}  // namespace pdf
