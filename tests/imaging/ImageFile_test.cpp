// Image files: run by check_image_files.py, which makes the fixtures with ImageMagick (with a raw
// RGB dump of each as ImageMagick decodes it) and afterwards checks the files written here with
// tiffinfo and identify. VANTRY_IMAGING_WORK names the fixture folder; outputs go to its "out".
#include <LFile.h>
#include <gtest/gtest.h>

#include <TestSupport.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "ImagingTestUtil.h"

using imaging_test::MakeFromRows;
using testing_support::ReadFileBytes;

namespace {

std::wstring Work() {
  wchar_t path[1024] = {};
  GetEnvironmentVariableW(L"VANTRY_IMAGING_WORK", path, 1024);
  return path;
}

std::wstring In(const std::wstring& name) { return Work() + L"\\" + name; }
std::wstring Out(const std::wstring& name) { return Work() + L"\\out\\" + name; }

std::string Narrow(const std::wstring& w) { return std::string(w.begin(), w.end()); }

// Largest difference of any colour value from ImageMagick's decoding of the same file.
int MaxDifference(const LBitmapBase& b, const std::wstring& rgbDump) {
  const std::string rgb = ReadFileBytes(rgbDump);
  if (rgb.size() != static_cast<size_t>(b.GetWidth()) * b.GetHeight() * 3) return 1000;
  int worst = 0;
  for (int y = 0; y < b.GetHeight(); ++y)
    for (int x = 0; x < b.GetWidth(); ++x) {
      const COLORREF c = b.GetPixelColor(x, y);
      const unsigned char* p = reinterpret_cast<const unsigned char*>(&rgb[(static_cast<size_t>(y) * b.GetWidth() + x) * 3]);
      worst = std::max({worst, std::abs(GetRValue(c) - p[0]), std::abs(GetGValue(c) - p[1]), std::abs(GetBValue(c) - p[2])});
    }
  return worst;
}

struct Fixture {
  const wchar_t* file;
  int tolerance;  // JPEG decoders may round differently
  int bpp;        // 0: whatever the file holds
};

class LoadsLikeImageMagick : public ::testing::TestWithParam<Fixture> {};

TEST_P(LoadsLikeImageMagick, EveryPixel) {
  ASSERT_FALSE(Work().empty()) << "run through check_image_files.py";
  const Fixture f = GetParam();
  LBitmapBase b;
  ASSERT_EQ(SUCCESS, b.Load(In(f.file).c_str(), 0, ORDER_BGRORGRAY, 1)) << Narrow(f.file);
  if (f.bpp) {
    EXPECT_EQ(f.bpp, b.GetBitsPerPixel()) << Narrow(f.file);
  }
  EXPECT_LE(MaxDifference(b, In(std::wstring(f.file) + L".0.rgb")), f.tolerance) << Narrow(f.file);
}

INSTANTIATE_TEST_SUITE_P(
    Formats, LoadsLikeImageMagick,
    ::testing::Values(Fixture{L"colour.png", 0, 24}, Fixture{L"colour.jpg", 12, 24}, Fixture{L"colour.bmp", 0, 24},
                      Fixture{L"colour.gif", 0, 8}, Fixture{L"colour_none.tif", 0, 0}, Fixture{L"colour_packbits.tif", 0, 0},
                      Fixture{L"colour_lzw.tif", 0, 0}, Fixture{L"colour24.pcx", 0, 24}, Fixture{L"colour8.pcx", 0, 8},
                      Fixture{L"page.png", 0, 1}, Fixture{L"page_g3.tif", 0, 1}, Fixture{L"page_g4.tif", 0, 1},
                      Fixture{L"page1.pcx", 0, 0}, Fixture{L"large.png", 0, 24}));

TEST(ImageFile, ResolutionComesFromTheFileAndZeroBecomesNinetySix) {
  LBitmapBase b;
  ASSERT_EQ(SUCCESS, b.Load(In(L"colour.png").c_str()));
  EXPECT_EQ(300, b.GetXResolution());
  ASSERT_EQ(SUCCESS, b.Load(In(L"page_g4.tif").c_str()));
  EXPECT_EQ(200, b.GetYResolution());
  ASSERT_EQ(SUCCESS, b.Load(In(L"nodpi.bmp").c_str()));
  EXPECT_EQ(96, b.GetXResolution());
  EXPECT_EQ(96, b.GetYResolution());
}

TEST(ImageFile, LoadWithFileNameAndDepthAndMissingFile) {
  LBitmapBase b;
  b.SetFileName(In(L"colour.gif").c_str());
  ASSERT_EQ(SUCCESS, b.Load(24, ORDER_BGR, 0));
  EXPECT_EQ(24, b.GetBitsPerPixel());
  EXPECT_EQ(0, MaxDifference(b, In(L"colour.gif.0.rgb")));
  EXPECT_EQ(ERROR_FILENOTFOUND, b.Load(In(L"absent.png").c_str()));
  EXPECT_EQ(ERROR_PAGE_NOT_FOUND, b.Load(In(L"colour.png").c_str(), 0, ORDER_BGR, 2));
  EXPECT_TRUE(b.IsAllocated());  // a failed load keeps the image
}

TEST(ImageFile, MultiPageTiffLoadsPageByPage) {
  LBitmapList list;
  ASSERT_EQ(SUCCESS, list.Load(In(L"multi.tif").c_str()));
  ASSERT_EQ(3, list.GetItemsCount());
  for (int page = 0; page < 3; ++page)
    EXPECT_EQ(0, MaxDifference(*list.Item(page), In(L"multi.tif." + std::to_wstring(page) + L".rgb"))) << page;
  EXPECT_EQ(48, list.Item(1)->GetWidth());  // the second page is turned
  LBitmapBase first;
  ASSERT_EQ(SUCCESS, list.RemoveItem(&first, 0));
  EXPECT_EQ(2, list.GetItemsCount());
  EXPECT_EQ(0, MaxDifference(first, In(L"multi.tif.0.rgb")));
  LBitmapBase second;
  ASSERT_EQ(SUCCESS, second.Load(In(L"multi.tif").c_str(), 0, ORDER_BGR, 2));
  EXPECT_EQ(0, MaxDifference(second, In(L"multi.tif.1.rgb")));
}

// Damaged, cut and hostile files end in an error code; nothing crashes or allocates without bound.
TEST(ImageFile, DamagedFilesFailWithACode) {
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW(In(L"bad\\*").c_str(), &found);
  ASSERT_NE(INVALID_HANDLE_VALUE, search);
  int files = 0;
  do {
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    const std::wstring name = found.cFileName;
    const std::wstring path = In(L"bad\\" + name);
    LBitmapBase b;
    LBitmapList list;
    const int single = b.Load(path.c_str());
    const int all = list.Load(path.c_str());
    ++files;
    // Changed bytes may still make a valid picture (different pixels); cut and oversized files
    // may not load, except JPEG, whose decoders show a cut picture with its missing part grey.
    const bool mutated = name.rfind(L"mutated", 0) == 0;
    const bool cutJpegHalf = name.find(L".jpg") != std::wstring::npos && name.rfind(L"cut9", 0) != 0 && name.rfind(L"cut40_", 0) != 0;
    if (!mutated && !cutJpegHalf) {
      EXPECT_NE(SUCCESS, single) << Narrow(name);
      EXPECT_NE(SUCCESS, all) << Narrow(name);
    }
    if (name.rfind(L"huge", 0) == 0) {
      EXPECT_EQ(ERROR_IMAGE_TOO_LARGE, single) << Narrow(name);
    }
    if (single != SUCCESS) {
      EXPECT_FALSE(b.IsAllocated()) << Narrow(name);
    }
    if (all != SUCCESS) {
      EXPECT_EQ(0, list.GetItemsCount()) << Narrow(name);
    }
    std::printf("%s: %d %d\n", Narrow(name).c_str(), single, all);
  } while (FindNextFileW(search, &found));
  FindClose(search);
  EXPECT_EQ(82, files);
}

class CancelAtTheFirstReport : public LBitmapBase {
 public:
  int StatusCallBack(int percent) override { return percent > 0 ? ERROR_USER_ABORT : SUCCESS; }
};

class CancellingList : public LBitmapList {
 public:
  int StatusCallBack(int percent) override { return percent > 0 ? ERROR_USER_ABORT : SUCCESS; }
};

TEST(ImageFile, CancelFromTheStatusCallbackEndsALongLoad) {
  CancelAtTheFirstReport b;
  b.EnableStatusCallBack(TRUE);
  EXPECT_EQ(ERROR_USER_ABORT, b.Load(In(L"large.png").c_str()));
  EXPECT_FALSE(b.IsAllocated());
  CancellingList list;
  list.EnableStatusCallBack(TRUE);
  EXPECT_EQ(ERROR_USER_ABORT, list.Load(In(L"large.png").c_str()));
  EXPECT_EQ(0, list.GetItemsCount());
  // Without the switch the same load runs through.
  b.EnableStatusCallBack(FALSE);
  EXPECT_EQ(SUCCESS, b.Load(In(L"large.png").c_str()));
}

struct SaveCase {
  const wchar_t* source;
  const wchar_t* output;
  int format;
  int bpp;
  int expectedBpp;  // as this layer reads the file back
  bool keepsResolution = true;  // GIF records none
};

class SavesReadBack : public ::testing::TestWithParam<SaveCase> {};

TEST_P(SavesReadBack, WithTheSamePixels) {
  const SaveCase c = GetParam();
  LBitmapBase b, back;
  ASSERT_EQ(SUCCESS, b.Load(In(c.source).c_str()));
  ASSERT_EQ(SUCCESS, b.Save(Out(c.output).c_str(), c.format, c.bpp, 2)) << Narrow(c.output);
  ASSERT_EQ(SUCCESS, back.Load(Out(c.output).c_str())) << Narrow(c.output);
  EXPECT_EQ(c.expectedBpp, back.GetBitsPerPixel()) << Narrow(c.output);
  EXPECT_EQ(0, MaxDifference(back, In(std::wstring(c.source) + L".0.rgb"))) << Narrow(c.output);
  EXPECT_EQ(c.keepsResolution ? b.GetXResolution() : 96, back.GetXResolution()) << Narrow(c.output);
}

INSTANTIATE_TEST_SUITE_P(
    Formats, SavesReadBack,
    ::testing::Values(SaveCase{L"colour.png", L"out_75.png", FILE_PNG, 0, 24}, SaveCase{L"colour.png", L"out_6.bmp", FILE_BMP, 0, 24},
                      SaveCase{L"colour.png", L"out_2.gif", FILE_GIF, 0, 8, false}, SaveCase{L"colour.png", L"out_1.pcx", FILE_PCX, 0, 24},
                      SaveCase{L"colour.png", L"out_3.tif", FILE_TIF, 0, 24},
                      SaveCase{L"colour.png", L"out_87.tif", FILE_TIF_PACKBITS, 0, 24},
                      SaveCase{L"colour.png", L"out_17.tif", FILE_TIF_LZW, 0, 24},
                      SaveCase{L"colour.png", L"out_1_8bit.pcx", FILE_PCX, 8, 8},
                      SaveCase{L"colour.png", L"out_1_4bit.pcx", FILE_PCX, 4, 4},
                      SaveCase{L"colour.png", L"out_17_8bit.tif", FILE_TIF_LZW, 8, 8},
                      SaveCase{L"colour.png", L"out_87_4bit.tif", FILE_TIF_PACKBITS, 4, 4},
                      SaveCase{L"colour.png", L"out_6_8bit.bmp", FILE_BMP, 8, 8},
                      SaveCase{L"colour.png", L"out_75_4bit.png", FILE_PNG, 4, 4},
                      SaveCase{L"page.png", L"out_29.tif", FILE_TIF_CCITT_G4, 1, 1},
                      SaveCase{L"page.png", L"out_1_1bit.pcx", FILE_PCX, 1, 1},
                      SaveCase{L"page.png", L"out_87_1bit.tif", FILE_TIF_PACKBITS, 1, 1},
                      SaveCase{L"page.png", L"out_2_1bit.gif", FILE_GIF, 0, 8, false},
                      SaveCase{L"page.png", L"out_75_1bit.png", FILE_PNG, 0, 1}));

// Greys in no particular order must not be taken for intensities.
TEST(ImageFile, UnorderedGreyTableKeepsItsColours) {
  const RGBQUAD greys[3] = {{255, 255, 255, 0}, {0, 0, 0, 0}, {128, 128, 128, 0}};
  LBitmapBase b, back;
  ASSERT_EQ(SUCCESS, b.Create(30, 20, 8, ORDER_BGR, greys, 3));
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 30; ++x) b.PutPixelColor(x, y, x < 10 ? RGB(255, 255, 255) : x < 20 ? RGB(0, 0, 0) : RGB(128, 128, 128));
  for (int format : {FILE_TIF_LZW, FILE_PNG, FILE_PCX, FILE_GIF, FILE_BMP}) {
    const std::wstring path = Out(L"greys_" + std::to_wstring(format));
    ASSERT_EQ(SUCCESS, b.Save(path.c_str(), format, 0, 2)) << format;
    ASSERT_EQ(SUCCESS, back.Load(path.c_str())) << format;
    EXPECT_EQ(RGB(255, 255, 255), back.GetPixelColor(5, 5)) << format;
    EXPECT_EQ(RGB(0, 0, 0), back.GetPixelColor(15, 5)) << format;
    EXPECT_EQ(RGB(128, 128, 128), back.GetPixelColor(25, 5)) << format;
  }
}

TEST(ImageFile, PngMarksTheTransparentColour) {
  LBitmapBase colour;
  ASSERT_EQ(SUCCESS, colour.Load(In(L"colour.png").c_str()));
  colour.SetTransparentColor(RGB(255, 255, 255));
  colour.SetTransparent(TRUE);
  ASSERT_EQ(SUCCESS, colour.Save(Out(L"out_75_transparent.png").c_str(), FILE_PNG, 0, 2));
  colour.SetTransparent(FALSE);
  // Read back, transparent parts are laid over white: the picture is unchanged.
  LBitmapBase back;
  ASSERT_EQ(SUCCESS, back.Load(Out(L"out_75_transparent.png").c_str()));
  EXPECT_EQ(0, MaxDifference(back, In(L"colour.png.0.rgb")));
}

TEST(ImageFile, JpegQualityFactorAndAGradientGif) {
  LBitmapBase gradient, back;
  ASSERT_EQ(SUCCESS, gradient.Create(256, 64, 24));
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 256; ++x) gradient.PutPixelColor(x, y, RGB(x, y * 4, (x + y * 4) / 2));
  gradient.SetXResolution(300);
  gradient.SetYResolution(300);
  ASSERT_EQ(SUCCESS, gradient.Save(Out(L"gradient.png").c_str(), FILE_PNG, 0, 2));
  ASSERT_EQ(SUCCESS, gradient.Save(Out(L"gradient_10_q25.jpg").c_str(), FILE_JPEG, 24, 25));
  ASSERT_EQ(SUCCESS, gradient.Save(Out(L"gradient_10_q229.jpg").c_str(), FILE_JPEG, 24, 229));
  // Factors beyond the range are taken as its ends: 0 writes what 2 writes.
  ASSERT_EQ(SUCCESS, gradient.Save(Out(L"gradient_q0.jpg").c_str(), FILE_JPEG, 24, 0));
  ASSERT_EQ(SUCCESS, gradient.Save(Out(L"gradient_q2.jpg").c_str(), FILE_JPEG, 24, 2));
  EXPECT_EQ(ReadFileBytes(Out(L"gradient_q2.jpg")), ReadFileBytes(Out(L"gradient_q0.jpg")));
  ASSERT_EQ(SUCCESS, gradient.Save(Out(L"gradient_2.gif").c_str(), FILE_GIF, 8, 2));
  ASSERT_EQ(SUCCESS, back.Load(Out(L"gradient_10_q25.jpg").c_str()));
  EXPECT_EQ(300, back.GetXResolution());
  LBitmapBase colour;
  ASSERT_EQ(SUCCESS, colour.Load(In(L"colour.png").c_str()));
  ASSERT_EQ(SUCCESS, colour.Save(Out(L"out_10_q25.jpg").c_str(), FILE_JPEG, 24, 25));
  // Grey JPEG from an 8-bit request (identify checks that the file itself is grey).
  ASSERT_EQ(SUCCESS, colour.Save(Out(L"out_10_grey.jpg").c_str(), FILE_JPEG, 8, 25));
  ASSERT_EQ(SUCCESS, back.Load(Out(L"out_10_grey.jpg").c_str()));
  const COLORREF red = back.GetPixelColor(5, 5);
  EXPECT_EQ(GetRValue(red), GetGValue(red));
  EXPECT_NEAR(76, GetRValue(red), 4);
}

TEST(ImageFile, SaveRefusesWhatTheFormatCannotHold) {
  LBitmapBase colour;
  ASSERT_EQ(SUCCESS, colour.Load(In(L"colour.png").c_str()));
  EXPECT_EQ(ERROR_BPP_NOT_SUPPORTED, colour.Save(Out(L"x.tif").c_str(), FILE_TIF_CCITT_G4, 24, 2));
  EXPECT_EQ(ERROR_BPP_NOT_SUPPORTED, colour.Save(Out(L"x.gif").c_str(), FILE_GIF, 24, 2));
  EXPECT_EQ(ERROR_BPP_NOT_SUPPORTED, colour.Save(Out(L"x.jpg").c_str(), FILE_JPEG, 4, 2));
  EXPECT_EQ(ERROR_FILE_FORMAT, colour.Save(Out(L"x.xyz").c_str(), 999, 0, 2));
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(Out(L"x.tif").c_str()));
  LBitmapBase empty;
  EXPECT_EQ(ERROR_NO_BITMAP, empty.Save(Out(L"x.png").c_str(), FILE_PNG, 0, 2));
}

TEST(ImageFile, MultiPageTiffRoundTripsPageByPage) {
  LBitmapBase colour, turned, negative;
  ASSERT_EQ(SUCCESS, colour.Load(In(L"colour.png").c_str()));
  ASSERT_EQ(SUCCESS, turned.Copy(colour));
  ASSERT_EQ(SUCCESS, turned.Rotate(9000, TRUE, 0));
  LBitmap inverted;
  ASSERT_EQ(SUCCESS, inverted.Copy(colour));
  ASSERT_EQ(SUCCESS, inverted.Invert(0));
  LBitmapList list;
  ASSERT_EQ(SUCCESS, list.InsertItem(&colour));
  ASSERT_EQ(SUCCESS, list.InsertItem(&turned, -1));
  ASSERT_EQ(SUCCESS, list.InsertItem(&inverted, -1));
  ASSERT_EQ(SUCCESS, list.Save(Out(L"multi_17.tif").c_str(), FILE_TIF_LZW, 24, 2));
  LBitmapList back;
  ASSERT_EQ(SUCCESS, back.Load(Out(L"multi_17.tif").c_str()));
  ASSERT_EQ(3, back.GetItemsCount());
  for (int page = 0; page < 3; ++page) {
    const LBitmapBase* a = list.Item(page);
    const LBitmapBase* b = back.Item(page);
    ASSERT_EQ(a->GetWidth(), b->GetWidth());
    for (int y = 0; y < a->GetHeight(); ++y)
      for (int x = 0; x < a->GetWidth(); ++x) ASSERT_EQ(a->GetPixelColor(x, y), b->GetPixelColor(x, y)) << page;
  }
  // Page 2 of an existing file appends.
  ASSERT_EQ(SUCCESS, colour.Save(Out(L"append.tif").c_str(), FILE_TIF_PACKBITS, 0, 2, 1));
  ASSERT_EQ(SUCCESS, turned.Save(Out(L"append.tif").c_str(), FILE_TIF_PACKBITS, 0, 2, 2));
  ASSERT_EQ(SUCCESS, back.Load(Out(L"append.tif").c_str()));
  EXPECT_EQ(2, back.GetItemsCount());
}

std::string SavedInMemory(LBitmapBase& b, int format) {
  LMemoryFile file(&b);
  LBuffer buffer;
  if (file.Save(&buffer, format) != SUCCESS) return std::string();
  return std::string(static_cast<const char*>(buffer.Lock()), buffer.GetSize());
}

int LoadFromMemory(LBitmapBase& b, const std::string& bytes) {
  LBuffer buffer(bytes.data(), bytes.size());
  LMemoryFile file(&b);
  return file.Load(buffer);
}

// PNG and BMP keep the resolution as pixels per metre: 1 dpi is stored as 39 and reads as 0.99,
// which was once cut to nothing and replaced by 96, so a picture changed each time it was saved.
// A resolution no writer can keep (past 100000 dpi) loads as 96.
TEST(ImageFile, ResolutionsComeBackFromPixelsPerMetre) {
  for (int format : {FILE_PNG, FILE_BMP}) {
    for (int dpi : {1, 2, 96, 99999, 100000}) {
      LBitmapBase b, back;
      ASSERT_EQ(SUCCESS, MakeFromRows(b, {"RG", "B."}));
      b.SetXResolution(dpi);
      b.SetYResolution(dpi);
      ASSERT_EQ(SUCCESS, LoadFromMemory(back, SavedInMemory(b, format))) << format << " " << dpi;
      EXPECT_EQ(dpi, back.GetXResolution()) << format;
      EXPECT_EQ(dpi, back.GetYResolution()) << format;
    }
  }
  LBitmapBase b, back;
  ASSERT_EQ(SUCCESS, MakeFromRows(b, {"RG", "B."}));
  std::string bmp = SavedInMemory(b, FILE_BMP);
  ASSERT_GT(bmp.size(), 46u);
  const int32_t ppm = 14600000;  // 370840 dpi
  memcpy(&bmp[14 + 24], &ppm, 4);
  ASSERT_EQ(SUCCESS, LoadFromMemory(back, bmp));
  EXPECT_EQ(96, back.GetXResolution());
}

// The bits past the last pixel of a packed row are not the picture's: whatever they hold, the same
// picture is written as the same PNG bytes.
TEST(ImageFile, PaddingBitsOfPackedRowsAreNotWritten) {
  LBitmapBase b;
  ASSERT_EQ(SUCCESS, MakeFromRows(b, {"X.X.X.X.X.X.X.X", ".X.X.X.X.X.X.X."}, 1));
  const std::string clean = SavedInMemory(b, FILE_PNG);
  ASSERT_FALSE(clean.empty());
  for (int y = 0; y < b.GetHeight(); ++y) b.Row(y)[1] ^= 1;  // the 16th bit of a 15-pixel row
  EXPECT_EQ(clean, SavedInMemory(b, FILE_PNG));
}

TEST(ImageFile, MemoryFileSavesAndLoadsThroughABuffer) {
  LBitmapBase colour, back;
  ASSERT_EQ(SUCCESS, colour.Load(In(L"colour.png").c_str()));
  LMemoryFile file;
  file.SetBitmap(&colour);
  LBuffer buffer;
  ASSERT_EQ(SUCCESS, file.Save(&buffer, FILE_PNG, 0, 2));
  ASSERT_GT(buffer.GetSize(), 8u);
  EXPECT_EQ(0, memcmp(buffer.Lock(), "\x89PNG", 4));
  buffer.Unlock();
  LMemoryFile reader(&back);
  ASSERT_EQ(SUCCESS, reader.Load(buffer, 0, ORDER_BGR, 1));
  EXPECT_EQ(0, MaxDifference(back, In(L"colour.png.0.rgb")));
  // The first half of the buffer is not a picture.
  LBuffer half(buffer.Lock(), buffer.GetSize() / 2);
  LBitmapBase other;
  LMemoryFile broken(&other);
  EXPECT_NE(SUCCESS, broken.Load(half));
  EXPECT_FALSE(other.IsAllocated());
}

}  // namespace

namespace {

// Cancels once the work is under way (the first report, at 0 %, lets it start).
class CancelDuringSave : public LBitmapBase {
 public:
  int StatusCallBack(int percent) override { return percent > 0 ? ERROR_USER_ABORT : SUCCESS; }
};

TEST(ImageFile, CancelDuringALongSaveWritesNothing) {
  CancelDuringSave b;
  ASSERT_EQ(SUCCESS, b.Load(In(L"large.png").c_str()));
  b.EnableStatusCallBack(TRUE);
  for (int format : {FILE_PNG, FILE_TIF_LZW, FILE_PCX}) {
    const std::wstring path = Out(L"cancelled_" + std::to_wstring(format));
    EXPECT_EQ(ERROR_USER_ABORT, b.Save(path.c_str(), format, 0, 2)) << format;
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(path.c_str())) << format;
  }
}

}  // namespace
