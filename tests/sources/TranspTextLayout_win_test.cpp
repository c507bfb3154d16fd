// Pixel checks of the text drawing in a memory bitmap at a fixed resolution (96 dpi, "Arial", which
// the test prefix maps to a metric-compatible font).
#include "TranspTextLayout_win.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

// A white 32-bit top-down DIB selected into a memory DC.
class Canvas {
 public:
  Canvas(int w, int h) : w_(w), h_(h) {
    dc_ = CreateCompatibleDC(nullptr);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bmp_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bits_ = static_cast<uint32_t*>(bits);
    old_ = SelectObject(dc_, bmp_);
    PatBlt(dc_, 0, 0, w, h, WHITENESS);
  }
  ~Canvas() {
    SelectObject(dc_, old_);
    DeleteObject(bmp_);
    DeleteDC(dc_);
  }
  HDC dc() const { return dc_; }
  bool Ready() const { return bits_ != nullptr; }
  uint32_t At(int x, int y) const {
    GdiFlush();
    return bits_[y * w_ + x] & 0xFFFFFF;
  }
  // Text ink: darker than middle grey (the highlight colours are light).
  bool Ink(int x, int y) const {
    const uint32_t p = At(x, y);
    return ((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF) < 384;
  }
  // Bounding box of the ink inside `area`; left > right when there is none.
  RECT InkBox(RECT area) const {
    RECT box = {area.right, area.bottom, area.left - 1, area.top - 1};
    for (int y = area.top; y < area.bottom; ++y)
      for (int x = area.left; x < area.right; ++x)
        if (Ink(x, y)) {
          if (x < box.left) box.left = x;
          if (x > box.right) box.right = x;
          if (y < box.top) box.top = y;
          if (y > box.bottom) box.bottom = y;
        }
    return box;
  }
  RECT All() const { return {0, 0, w_, h_}; }
  int Count(uint32_t rgb) const {
    int n = 0;
    for (int y = 0; y < h_; ++y)
      for (int x = 0; x < w_; ++x) n += At(x, y) == rgb;
    return n;
  }
  // Rows that carry ink, as bands of consecutive rows.
  int InkBands() const {
    int bands = 0;
    bool previous = false;
    for (int y = 0; y < h_; ++y) {
      bool any = false;
      for (int x = 0; x < w_ && !any; ++x) any = Ink(x, y);
      if (any && !previous) ++bands;
      previous = any;
    }
    return bands;
  }

 private:
  int w_, h_;
  HDC dc_;
  HBITMAP bmp_;
  HGDIOBJ old_;
  uint32_t* bits_ = nullptr;
};

bool Empty(const RECT& r) { return r.left > r.right; }

LOGFONTW Arial(int pixelHeight) {
  LOGFONTW lf = {};
  lf.lfHeight = pixelHeight;
  lf.lfWeight = FW_NORMAL;
  wcscpy(lf.lfFaceName, L"Arial");
  return lf;
}

// A text field at one inch from the page corner, 12 points, black, no border.
TEXT_FIELD_DATA Field(int orientation) {
  TEXT_FIELD_DATA d;
  d.x = 100000;
  d.y = 100000;
  d.style.font = Arial(-120);  // tenths of a point
  d.style.textColor = 0;
  TextOrientation(d.style) = orientation;
  SetFontOrientation(d.style);
  d.style.boxWidth = 100000;
  d.style.printable = 1;
  return d;
}

const POINT kDpi = {96, 96};
const double kInchesPerUnit = 0.00001;

TEST(TextDrawing, CombCharactersAreCentredInTheirCells) {
  Canvas canvas(300, 60);
  ASSERT_TRUE(canvas.Ready());
  const LOGFONTW lf = Arial(-40);
  HFONT font = CreateFontIndirectW(&lf);
  HGDIOBJ old = SelectObject(canvas.dc(), font);
  SetBkMode(canvas.dc(), TRANSPARENT);
  SteppedTextOut(canvas.dc(), 0, 0, 100, 0, L"AB\r\n");
  SelectObject(canvas.dc(), old);
  DeleteObject(font);
  const struct {
    int left, centre;
  } cells[] = {{0, 50}, {100, 150}};
  for (const auto& c : cells) {
    const RECT ink = canvas.InkBox({c.left, 0, c.left + 100, 60});
    ASSERT_FALSE(Empty(ink)) << c.left;
    EXPECT_NEAR(c.centre, (ink.left + ink.right) / 2.0, 4) << c.left;
    EXPECT_GE(ink.top, 1) << "drawn from the cell's top";
    EXPECT_LE(ink.top, 14);
  }
  EXPECT_TRUE(Empty(canvas.InkBox({200, 0, 300, 60}))) << "the closing \\r\\n is not drawn";
}

TEST(TextDrawing, RightAlignmentIgnoresATrailingSpace) {
  RECT inks[2];
  const wchar_t* texts[] = {L"ab ", L"ab"};
  for (int i = 0; i < 2; ++i) {
    Canvas canvas(300, 60);
    TEXT_PAINT p;
    p.lines = {texts[i]};
    p.font = Arial(-30);
    p.geometry.alignment = TEXT_ALIGN_RIGHT;
    p.geometry.anchor = {0, 45};
    p.geometry.lineHeight = 34;
    p.geometry.pitch = 34;
    p.geometry.available = 250;
    PaintText(canvas.dc(), p);
    inks[i] = canvas.InkBox(canvas.All());
    ASSERT_FALSE(Empty(inks[i]));
  }
  EXPECT_EQ(inks[1].right, inks[0].right);
  EXPECT_GE(inks[0].right, 244);
  EXPECT_LE(inks[0].right, 250);
}

TEST(TextDrawing, ThreeOrientations) {
  for (int orientation : {TEXT_LEFT_TO_RIGHT, TEXT_BOTTOM_UP, TEXT_TOP_DOWN}) {
    SCOPED_TRACE(orientation);
    Canvas canvas(300, 300);
    TEXT_PAINT p;
    ASSERT_TRUE(LayoutForDevice(canvas.dc(), Field(orientation), {L"HELLO"}, kDpi, kInchesPerUnit, p));
    PaintText(canvas.dc(), p);
    const RECT ink = canvas.InkBox(canvas.All());
    ASSERT_FALSE(Empty(ink));
    const int along = orientation == TEXT_LEFT_TO_RIGHT ? ink.right - ink.left : ink.bottom - ink.top;
    const int across = orientation == TEXT_LEFT_TO_RIGHT ? ink.bottom - ink.top : ink.right - ink.left;
    EXPECT_GT(along, 2 * across);
    const int h = p.geometry.lineHeight;
    // The anchor (96, 96) is where the writing starts, on the line's bottom edge.
    switch (orientation) {
      case TEXT_LEFT_TO_RIGHT:
        EXPECT_NEAR(96, ink.left, 3);
        EXPECT_LE(ink.bottom, 96);
        EXPECT_GE(ink.top, 96 - h);
        break;
      case TEXT_BOTTOM_UP:
        EXPECT_NEAR(96, ink.bottom, 3);
        EXPECT_LT(ink.top, 96 - along + 4);
        EXPECT_GE(ink.left, 96 - h);
        EXPECT_LE(ink.right, 96);
        break;
      default:
        EXPECT_NEAR(96, ink.top, 3);
        EXPECT_GE(ink.left, 96);
        EXPECT_LE(ink.right, 96 + h);
        break;
    }
    // The text rectangle holds the ink.
    EXPECT_LE(p.textRect.left, ink.left);
    EXPECT_GE(p.textRect.right, ink.right);
    EXPECT_LE(p.textRect.top, ink.top);
    EXPECT_GE(p.textRect.bottom, ink.bottom);
  }
}

TEST(TextDrawing, WrapsAtTheBoxWidth) {
  Canvas canvas(400, 300);
  TEXT_FIELD_DATA d = Field(TEXT_LEFT_TO_RIGHT);
  d.x = 10000;
  TextWordWrap(d.style) = 1;
  d.style.boxWidth = 60000;  // 57.6 pixels + the margin
  const CString text = L"WWW WWW WWW";
  TEXT_PAINT p;
  ASSERT_TRUE(LayoutForDevice(canvas.dc(), d, {text}, kDpi, kInchesPerUnit, p));
  HFONT font = CreateFontIndirectW(&p.font);
  HGDIOBJ old = SelectObject(canvas.dc(), font);
  const std::vector<CString> lines =
      BreakText(text, TRUE, [&canvas](const CString& s) { return MeasureText(canvas.dc(), WithoutLineEnd(s)); },
                p.geometry.available);
  const int oneWord = MeasureText(canvas.dc(), L"WWW");
  SelectObject(canvas.dc(), old);
  DeleteObject(font);
  ASSERT_LT(oneWord, p.geometry.available);
  ASSERT_GT(2 * oneWord, p.geometry.available);
  ASSERT_EQ(3u, lines.size());
  EXPECT_EQ(L"WWW ", std::wstring(lines[0]));
  ASSERT_TRUE(LayoutForDevice(canvas.dc(), d, lines, kDpi, kInchesPerUnit, p));
  PaintText(canvas.dc(), p);
  EXPECT_EQ(3, canvas.InkBands());
  const RECT ink = canvas.InkBox(canvas.All());
  EXPECT_LE(ink.right, p.textRect.right);
}

// The screen shows the field highlight and the paragraph marks; the printer output of the same field
// at the same scale shows neither.
TEST(TextDrawing, HighlightAndParagraphMarksOnScreenOnly) {
  TEXT_FIELD_DATA d = Field(TEXT_LEFT_TO_RIGHT);
  const std::vector<CString> lines = {L"ab\r\n", L"cd"};
  VIEW_TEXT_STATE state;
  state.formMode = TRUE;
  state.highlightFields = TRUE;
  state.highlightColor = 0xFFCCFF;
  CViewGeometry view;  // 96 dpi at 100 %: the same pixels as the 96-dpi device drawing

  Canvas screen(400, 300), printer(400, 300);
  TEXT_PAINT onScreen, onPrinter;
  ASSERT_TRUE(LayoutForView(screen.dc(), d, lines, ViewScaleOf(view, d.x, d.y, 96), state, onScreen));
  ASSERT_TRUE(LayoutForDevice(printer.dc(), d, lines, kDpi, kInchesPerUnit, onPrinter));
  EXPECT_EQ(onScreen.textRect.left, onPrinter.textRect.left);
  EXPECT_EQ(onScreen.geometry.anchor.y, onPrinter.geometry.anchor.y);
  PaintText(screen.dc(), onScreen);
  PaintText(printer.dc(), onPrinter);

  EXPECT_GT(screen.Count(0xFFCCFF), 100);
  EXPECT_EQ(0, printer.Count(0xFFCCFF));

  // Right of each line's text: the mark on screen, nothing on paper.
  HFONT font = CreateFontIndirectW(&onScreen.font);
  HGDIOBJ old = SelectObject(screen.dc(), font);
  const int abWidth = MeasureText(screen.dc(), L"ab"), cdWidth = MeasureText(screen.dc(), L"cd");
  SelectObject(screen.dc(), old);
  DeleteObject(font);
  const int x = onScreen.geometry.anchor.x, pitch = onScreen.geometry.pitch, top = onScreen.geometry.anchor.y - pitch;
  const RECT afterAb = {x + abWidth + 1, top, x + abWidth + 20, top + pitch};
  const RECT afterCd = {x + cdWidth + 1, top + pitch, x + cdWidth + 20, top + 2 * pitch};
  EXPECT_FALSE(Empty(screen.InkBox(afterAb)));
  EXPECT_FALSE(Empty(screen.InkBox(afterCd)));
  EXPECT_TRUE(Empty(printer.InkBox(afterAb)));
  EXPECT_TRUE(Empty(printer.InkBox(afterCd)));

  // The main frame's switch takes the marks off the screen too.
  state.paragraphMarksOff = TRUE;
  Canvas plain(400, 300);
  TEXT_PAINT noMarks;
  ASSERT_TRUE(LayoutForView(plain.dc(), d, lines, ViewScaleOf(view, d.x, d.y, 96), state, noMarks));
  PaintText(plain.dc(), noMarks);
  EXPECT_TRUE(Empty(plain.InkBox(afterAb)));
}

// The selected characters are drawn opaque in the system's highlight colours, and their rectangle
// is handed back (the found rectangle).
TEST(TextDrawing, SelectionIsDrawnInTheHighlightColours) {
  Canvas canvas(300, 80);
  TEXT_PAINT p;
  p.lines = {L"abcd"};
  p.font = Arial(-30);
  p.geometry.anchor = {10, 50};
  p.geometry.lineHeight = 34;
  p.geometry.pitch = 34;
  p.geometry.available = 250;
  p.selection = TRUE;
  p.selStartColumn = 1;
  p.selEndColumn = 3;
  RECT found;
  PaintText(canvas.dc(), p, &found);
  HFONT font = CreateFontIndirectW(&p.font);
  HGDIOBJ old = SelectObject(canvas.dc(), font);
  const int a = MeasureText(canvas.dc(), L"a"), bc = MeasureText(canvas.dc(), L"bc");
  SelectObject(canvas.dc(), old);
  DeleteObject(font);
  EXPECT_EQ(10 + a, found.left);
  EXPECT_EQ(10 + a + bc, found.right);
  EXPECT_EQ(16, found.top);
  EXPECT_EQ(50, found.bottom);
  const COLORREF back = GetSysColor(COLOR_HIGHLIGHT);
  const uint32_t pixel = (GetRValue(back) << 16) | (GetGValue(back) << 8) | GetBValue(back);
  int inside = 0, outside = 0;
  for (int y = 0; y < 80; ++y)
    for (int x = 0; x < 300; ++x) {
      if (canvas.At(x, y) != pixel) continue;
      const POINT pt = {x, y};
      (PtInRect(&found, pt) ? inside : outside) += 1;
    }
  EXPECT_GT(inside, (found.right - found.left) * (found.bottom - found.top) / 3);
  EXPECT_EQ(0, outside);
}

TEST(TextDrawing, BorderOnDeviceOutput) {
  TEXT_FIELD_DATA d = Field(TEXT_LEFT_TO_RIGHT);
  d.style.flag147 = 1;
  d.style.color = 0x0000FF;  // red
  d.style.lineWidth = 2100;  // 2 pixels at 96 dpi
  Canvas canvas(400, 300);
  TEXT_PAINT p;
  ASSERT_TRUE(LayoutForDevice(canvas.dc(), d, {L"x"}, kDpi, kInchesPerUnit, p));
  EXPECT_EQ(2, p.borderWidth);
  PaintText(canvas.dc(), p);
  const RECT rc = p.textRect;
  EXPECT_EQ(0xFF0000u, canvas.At((rc.left + rc.right) / 2, rc.top));
  EXPECT_EQ(0xFF0000u, canvas.At(rc.left, (rc.top + rc.bottom) / 2));
  EXPECT_EQ(0xFFFFFFu, canvas.At((rc.left + rc.right) / 2, rc.top + 5)) << "hollow";
}

}  // namespace
