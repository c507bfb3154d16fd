#include "EmfTranslator_win.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <vector>

namespace pdf {
namespace {

// Records of a metafile drawn by GDI itself.
template <typename Draw>
std::string Record(Draw draw) {
  HDC dc = CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
  draw(dc);
  HENHMETAFILE emf = CloseEnhMetaFile(dc);
  std::string bits(GetEnhMetaFileBits(emf, 0, nullptr), '\0');
  GetEnhMetaFileBits(emf, static_cast<UINT>(bits.size()), reinterpret_cast<BYTE*>(&bits[0]));
  DeleteEnhMetaFile(emf);
  return bits;
}

// The operators between the segment's opening and closing, one per line.
std::string Translate(const std::string& records, bool* ok = nullptr, std::string* error = nullptr,
                      std::vector<std::uint32_t>* markers = nullptr) {
  PdfDocument document(nullptr);
  ContentStream out;
  EmfTranslator translator(document, out, Affine());
  if (markers) translator.OnMarker([&](std::uint32_t m) { markers->push_back(m); });
  std::string reason;
  bool result = translator.Translate(records, &reason);
  if (ok) *ok = result;
  if (error) *error = reason;
  return out.Data();
}

void Put32(std::string& s, std::uint32_t v) { s.append(reinterpret_cast<const char*>(&v), 4); }

TEST(EmfTranslatorTest, FilledRectangleWithoutPenCoversGdisPixels) {
  std::string ops = Translate(Record([](HDC dc) {
    HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
    SelectObject(dc, blue);
    SelectObject(dc, GetStockObject(NULL_PEN));
    Rectangle(dc, 10, 20, 110, 70);
    SelectObject(dc, GetStockObject(WHITE_BRUSH));
    DeleteObject(blue);
  }));
  // Without a pen GDI leaves out the right and bottom edge: the area is 99 by 49 pixels.
  EXPECT_EQ(ops,
            "q 1 0 0 1 0 0 cm\nq\nQ q\n0 0 1 rg\n10 20 m\n109 20 l\n109 69 l\n10 69 l\nh\nf*\nQ Q\n");
  // With a pen the outline runs through the centres of the outermost pixels, 10 to 109.
  std::string outlined = Translate(Record([](HDC dc) {
    SelectObject(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, 10, 20, 110, 70);
  }));
  EXPECT_NE(outlined.find("10.5 20.5 m\n109.5 20.5 l\n109.5 69.5 l\n10.5 69.5 l\nh\nS\n"), std::string::npos)
      << outlined;
}

TEST(EmfTranslatorTest, OutlinedShapesRunThroughPixelCentres) {
  std::string ops = Translate(Record([](HDC dc) {
    SelectObject(dc, GetStockObject(NULL_BRUSH));
    HPEN red = CreatePen(PS_DASH, 1, RGB(255, 0, 0));
    SelectObject(dc, red);
    MoveToEx(dc, 0, 5, nullptr);
    LineTo(dc, 50, 5);
    SelectObject(dc, GetStockObject(BLACK_PEN));
    DeleteObject(red);
  }));
  EXPECT_NE(ops.find("1 0 0 RG\n1 w\n0 J 0 j\n[18 6] 0 d\n0.5 5.5 m\n50.5 5.5 l\nS\n"), std::string::npos) << ops;
}

TEST(EmfTranslatorTest, ClippingIsRebuiltFromTheRegion) {
  std::string ops = Translate(Record([](HDC dc) {
    IntersectClipRect(dc, 0, 0, 100, 100);
    ExcludeClipRect(dc, 40, 40, 60, 60);
    RECT all = {0, 0, 200, 200};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  }));
  // The square with a hole: four rectangles around the excluded one, then the clip.
  EXPECT_NE(ops.find("Q q\n0 0 100 40 re\n0 60 100 40 re\n0 40 40 20 re\n60 40 40 20 re\nW n\n"), std::string::npos)
      << ops;
}

TEST(EmfTranslatorTest, MarkersComeBetweenClosedSegmentsInOrder) {
  std::string records = Record([](HDC dc) {
    for (std::uint32_t i : {7u, 3u}) {
      char marker[8];
      std::memcpy(marker, kEmfMarker, 4);
      std::memcpy(marker + 4, &i, 4);
      GdiComment(dc, 8, reinterpret_cast<BYTE*>(marker));
      RECT r = {0, 0, 10, 10};
      FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    }
  });
  PdfDocument document(nullptr);
  ContentStream out;
  EmfTranslator translator(document, out, Affine());
  translator.OnMarker([&](std::uint32_t m) { out.Raw("% marker " + std::to_string(m) + "\n"); });
  std::string error;
  ASSERT_TRUE(translator.Translate(records, &error)) << error;
  // Each fill in a segment of its own, state set up again, the marker's operations outside both.
  const std::string segment = "q 1 0 0 1 0 0 cm\nq\nQ q\n0 0 0 rg\n0 0 m 10 0 l 10 10 l 0 10 l h f\nQ Q\n";
  EXPECT_EQ(out.Data(), "% marker 7\n" + segment + "% marker 3\n" + segment);
}

// A system that has only the regular face: whatever style is asked for, that file comes back.
class RegularOnly : public FontSource {
 public:
  bool Load(const FontKey&, std::string* file) override {
    HANDLE h = CreateFileW(L"Z:\\usr\\share\\fonts\\truetype\\liberation\\LiberationSans-Regular.ttf", GENERIC_READ,
                           FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    file->resize(GetFileSize(h, nullptr));
    DWORD got = 0;
    bool ok = ReadFile(h, &(*file)[0], static_cast<DWORD>(file->size()), &got, nullptr) && got == file->size();
    CloseHandle(h);
    return ok;
  }
};

TEST(EmfTranslatorTest, MissingBoldAndItalicAreImitated) {
  std::string records = Record([](HDC dc) {
    HFONT font = CreateFontW(-20, 0, 0, 0, FW_BOLD, TRUE, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial");
    SelectObject(dc, font);
    SetTextColor(dc, RGB(255, 0, 0));
    ExtTextOutW(dc, 0, 0, 0, nullptr, L"Bold", 4, nullptr);
    SelectObject(dc, GetStockObject(SYSTEM_FONT));
    DeleteObject(font);
  });
  RegularOnly regular;
  PdfDocument document(&regular);
  ContentStream out;
  EmfTranslator translator(document, out, Affine());
  std::string error;
  ASSERT_TRUE(translator.Translate(records, &error)) << error;
  // Stroked in the text colour, a twentieth-ish of the em wide; slanted by the text matrix's third entry.
  EXPECT_NE(out.Data().find("q\n1 0 0 RG 0.6 w 2 Tr\nBT /F0 1 Tf 1 0 0 rg\n20 0 4.2 -20 "), std::string::npos) << out.Data();
  EXPECT_NE(out.Data().find("] TJ ET\n0 Tr Q\n"), std::string::npos);
}

TEST(EmfTranslatorTest, NarrowTextIsReadInTheFontsCodePage) {
  // A Cyrillic font selected by GDI, then a narrow text record as other recorders write it
  // (the end-of-file record dropped so the text follows the selection).
  std::string records = Record([](HDC dc) {
    HFONT font = CreateFontW(-20, 0, 0, 0, FW_NORMAL, 0, 0, 0, RUSSIAN_CHARSET, 0, 0, 0, 0, L"Arial");
    SelectObject(dc, font);
  });
  std::uint32_t lastSize;
  std::memcpy(&lastSize, &records[records.size() - 4], 4);  // the end record repeats its size last
  records.resize(records.size() - lastSize);
  //   offset 0   type 83 (narrow text), size 92
  //   offset 8   bounds, graphics mode 1, scales 0
  //   offset 36  reference point (0, 0), 3 characters, string at 76, no options, no rectangle, advances at 80
  //   offset 76  "Mir" in Windows-1251, one byte of padding; offset 80: three advances of 12
  EMREXTTEXTOUTA text = {};
  text.emr.iType = EMR_EXTTEXTOUTA;
  text.emr.nSize = 92;
  text.iGraphicsMode = GM_COMPATIBLE;
  text.emrtext.nChars = 3;
  text.emrtext.offString = 76;
  text.emrtext.offDx = 80;
  static_assert(sizeof(EMREXTTEXTOUTA) == 76, "record header layout");
  records.append(reinterpret_cast<const char*>(&text), sizeof(text));
  records.append("\xCC\xE8\xF0\0", 4);
  for (int i = 0; i < 3; ++i) Put32(records, 12);

  RegularOnly regular;
  PdfDocument document(&regular);
  ContentStream out;
  EmfTranslator translator(document, out, Affine());
  std::string error;
  ASSERT_TRUE(translator.Translate(records, &error)) << error;
  // The glyphs drawn are those of the Cyrillic letters.
  std::vector<std::uint16_t> expected = document.Glyphs(0, L"\x041C\x0438\x0440");
  char hex[16];
  std::snprintf(hex, sizeof(hex), "<%04X", expected[0]);
  EXPECT_NE(out.Data().find(hex), std::string::npos) << out.Data();
}

TEST(EmfTranslatorTest, MalformedRecordsStopOrAreSkippedWithoutReadingPastThem) {
  // offset 0: type POLYLINE, size 32, bounds (16 bytes), point count 0x40000000, one point's worth of room
  std::string hugeCount;
  Put32(hugeCount, EMR_POLYLINE);
  Put32(hugeCount, 32);
  hugeCount += std::string(16, '\0');
  Put32(hugeCount, 0x40000000);
  Put32(hugeCount, 0);
  // A text record whose string lies outside it.
  std::string text;
  Put32(text, EMR_EXTTEXTOUTW);
  Put32(text, sizeof(EMREXTTEXTOUTW));
  EMREXTTEXTOUTW rec = {};
  rec.emrtext.nChars = 1000;
  rec.emrtext.offString = 4000;
  text.append(reinterpret_cast<const char*>(&rec) + 8, sizeof(rec) - 8);
  // A bitmap record whose pixels lie outside it.
  std::string bitmap;
  Put32(bitmap, EMR_STRETCHDIBITS);
  Put32(bitmap, sizeof(EMRSTRETCHDIBITS));
  EMRSTRETCHDIBITS stretch = {};
  stretch.offBmiSrc = 80;
  stretch.cbBmiSrc = 40;
  stretch.offBitsSrc = 120;
  stretch.cbBitsSrc = 0x7FFFFFFF;
  bitmap.append(reinterpret_cast<const char*>(&stretch) + 8, sizeof(stretch) - 8);
  bool ok = false;
  std::string error;
  EXPECT_EQ(Translate(hugeCount + text + bitmap, &ok, &error), "");
  EXPECT_TRUE(ok) << error;

  const struct {
    std::uint32_t size;
    const char* reason;
  } broken[] = {{0, "metafile record 4 at 0 has a bad size"},
                {30, "metafile record 4 at 0 has a bad size"},
                {4096, "metafile record 4 at 0 has a bad size"}};
  for (const auto& b : broken) {
    std::string records = hugeCount;
    std::memcpy(&records[4], &b.size, 4);
    EXPECT_EQ(Translate(records, &ok, &error), "");
    EXPECT_FALSE(ok);
    EXPECT_EQ(error, b.reason);
  }
}

}  // namespace
}  // namespace pdf
