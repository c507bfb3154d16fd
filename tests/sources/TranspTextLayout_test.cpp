#include "TranspTextLayout.h"

#include <gtest/gtest.h>

namespace {

std::wstring W(const CString& s) { return std::wstring(static_cast<LPCTSTR>(s), s.GetLength()); }

// Every character 10 pixels wide, a closing "\r\n" not measured.
int TenPerChar(const CString& s) { return 10 * WithoutLineEnd(s).GetLength(); }

std::vector<std::wstring> Strings(const std::vector<CString>& lines) {
  std::vector<std::wstring> out;
  for (const CString& l : lines) out.push_back(W(l));
  return out;
}

TEST(TextWrap, WrapIndex) {
  const struct {
    const wchar_t* text;
    int available, index;
  } cases[] = {
      {L"aaa bbb ccc", 200, 11},   // fits whole
      {L"aaa bbb ccc", 75, 8},     // "aaa bbb" fits: the breaking space stays on the line
      {L"aaa bbb ccc", 70, 8},     // exactly 70 is not "exceeds"
      {L"aaa bbb ccc", 69, 4},
      {L"abcdefgh", 35, 3},        // no space: the longest prefix that fits
      {L"abcdefgh", 5, 1},         // nothing fits: still one character
      {L"", 50, 1},
      {L" abc", 20, 2},            // a space only at position 0 counts as none
  };
  for (const auto& c : cases) EXPECT_EQ(c.index, GetWrapIndex(c.text, TenPerChar, c.available)) << W(c.text) << " " << c.available;
}

TEST(TextWrap, BreaksParagraphsAtTheBoxWidth) {
  const struct {
    const wchar_t* text;
    BOOL wrap;
    int available;
    std::vector<std::wstring> lines;
  } cases[] = {
      {L"aaa bbb ccc", TRUE, 75, {L"aaa bbb ", L"ccc"}},
      {L"ab\r\n\r\ncd", TRUE, 75, {L"ab\r\n", L"\r\n", L"cd"}},  // the empty paragraph stays
      {L"ab\r\n", TRUE, 75, {L"ab\r\n", L""}},
      {L"", TRUE, 75, {L""}},
      {L"aaa bbb ccc\r\nd", FALSE, 20, {L"aaa bbb ccc\r\n", L"d"}},
      {L"abcdefgh\r\n", TRUE, 35, {L"abc", L"def", L"gh\r\n", L""}},
  };
  for (const auto& c : cases) EXPECT_EQ(c.lines, Strings(BreakText(c.text, c.wrap, TenPerChar, c.available))) << W(c.text);
}

TEST(TextWrap, SingleLineRefusesOnlyWhatTheUserTypes) {
  std::vector<CString> lines = {L"aaa bbb"};
  // The user's keystroke would open a second line: refused, the lines stay as they were.
  EXPECT_FALSE(WrapLines(L"aaa bbb c", TRUE, TRUE, TEXT_TYPED_BY_USER, TenPerChar, 75, lines));
  EXPECT_EQ(std::vector<std::wstring>{L"aaa bbb"}, Strings(lines));
  EXPECT_FALSE(WrapLines(L"aaa\r\nb", FALSE, TRUE, TEXT_TYPED_BY_USER, TenPerChar, 75, lines));
  // A value the program sets is kept whole, not wiped.
  EXPECT_TRUE(WrapLines(L"aaa bbb c", TRUE, TRUE, TEXT_SET_BY_PROGRAM, TenPerChar, 75, lines));
  EXPECT_EQ((std::vector<std::wstring>{L"aaa bbb ", L"c"}), Strings(lines));
  // An edit that stays on one line passes.
  EXPECT_TRUE(WrapLines(L"aaa", TRUE, TRUE, TEXT_TYPED_BY_USER, TenPerChar, 75, lines));
  EXPECT_EQ(std::vector<std::wstring>{L"aaa"}, Strings(lines));
}

TEST(TextWrap, CaretIndexRoundTrip) {
  const std::vector<CString> lines = {L"aaa bbb ", L"ccc\r\n", L"dd"};
  const struct {
    int column, line, index;
  } cases[] = {{0, 0, 0}, {8, 0, 8}, {2, 1, 10}, {3, 1, 11}, {0, 2, 13}, {2, 2, 15}};
  for (const auto& c : cases) {
    EXPECT_EQ(c.index, CaretToIndex(lines, c.column, c.line));
    int column = -1, line = -1;
    IndexToCaret(lines, c.index, column, line);
    EXPECT_EQ(c.line, line) << c.index;
    EXPECT_EQ(c.column, column) << c.index;
  }
}

TEST(TextPlacement, AlignmentAndComb) {
  TEXT_GEOMETRY g = {};
  g.alignment = TEXT_ALIGN_RIGHT;
  EXPECT_EQ(20, AlignedLineWidth(L"ab ", g, TenPerChar));  // the trailing space is not measured
  EXPECT_EQ(40, AlignedLineWidth(L"ab c", g, TenPerChar));  // only a trailing space is left out
  g.alignment = TEXT_ALIGN_LEFT;
  EXPECT_EQ(30, AlignedLineWidth(L"ab ", g, TenPerChar));
  g.comb = TRUE;
  g.cell = 100;
  EXPECT_EQ(300, AlignedLineWidth(L"abc\r\n", g, TenPerChar));
  // A centred comb line of 3 characters in a 500-pixel box with a 100-pixel cell starts 100 in.
  EXPECT_EQ(100, AlignmentOffset(TEXT_ALIGN_CENTRE, 500, 300));
  EXPECT_EQ(200, AlignmentOffset(TEXT_ALIGN_RIGHT, 500, 300));
  EXPECT_EQ(0, AlignmentOffset(TEXT_ALIGN_LEFT, 500, 300));
  // Comb cells of 100 pixels from (0, 0): A centred at 50, B at 150.
  EXPECT_EQ(50, CombCellPoint(0, 0, 100, 0, 0).x);
  EXPECT_EQ(150, CombCellPoint(0, 0, 100, 0, 1).x);
  EXPECT_EQ(-150, CombCellPoint(0, 0, 0, -100, 1).y);
}

TEST(TextPlacement, LineOriginsByOrientation) {
  const struct {
    int orientation;
    POINT line0, line1;
    double dx, dy;
  } cases[] = {
      {TEXT_LEFT_TO_RIGHT, {1005, 1980}, {1005, 2005}, 7, 0},
      {TEXT_BOTTOM_UP, {980, 1995}, {1005, 1995}, 0, -7},
      {TEXT_TOP_DOWN, {1020, 2005}, {995, 2005}, 0, 7},
  };
  for (const auto& c : cases) {
    TEXT_GEOMETRY g = {};
    g.orientation = c.orientation;
    g.anchor = {1000, 2000};
    g.lineHeight = 20;
    g.pitch = 25;
    g.cell = 7;
    const POINT a = LineOrigin(g, 0, 5), b = LineOrigin(g, 1, 5);
    EXPECT_EQ(c.line0.x, a.x) << c.orientation;
    EXPECT_EQ(c.line0.y, a.y) << c.orientation;
    EXPECT_EQ(c.line1.x, b.x) << c.orientation;
    EXPECT_EQ(c.line1.y, b.y) << c.orientation;
    double dx = 0, dy = 0;
    CombStep(g, dx, dy);
    EXPECT_EQ(c.dx, dx);
    EXPECT_EQ(c.dy, dy);
  }
}

TEST(TextPlacement, TextRectangle) {
  TEXT_RECT_INPUT in = {};
  in.anchor = {100, 200};
  in.widest = 80;
  in.lineHeight = 20;
  in.lineCount = 3;
  in.spacing = 5;
  in.boxWidth = 150;
  in.boxHeight = 40;
  in.margin = 10;
  const struct {
    int orientation;
    BOOL box, wrap;
    RECT rc;
  } cases[] = {
      {TEXT_LEFT_TO_RIGHT, FALSE, FALSE, {100, 180, 180, 250}},  // 3 x 25 - 5 = 70 high
      {TEXT_LEFT_TO_RIGHT, TRUE, FALSE, {100, 180, 260, 250}},   // box 150 + margin
      {TEXT_BOTTOM_UP, TRUE, TRUE, {80, 40, 150, 200}},
      {TEXT_TOP_DOWN, TRUE, TRUE, {50, 200, 125, 360}},
  };
  for (const auto& c : cases) {
    in.orientation = c.orientation;
    in.wordWrap = c.wrap;
    const RECT rc = ComputeTextRect(in, c.box);
    EXPECT_EQ(c.rc.left, rc.left) << c.orientation;
    EXPECT_EQ(c.rc.top, rc.top) << c.orientation;
    EXPECT_EQ(c.rc.right, rc.right) << c.orientation;
    EXPECT_EQ(c.rc.bottom, rc.bottom) << c.orientation;
  }
  in.widest = 300;  // wider than the box without word wrap: the line decides
  in.orientation = TEXT_LEFT_TO_RIGHT;
  in.wordWrap = FALSE;
  EXPECT_EQ(100 + 310, ComputeTextRect(in, TRUE).right);
  const RECT header = ComputeHeaderRect({100, 180, 260, 250}, 12, TRUE);
  EXPECT_EQ(86, header.left);
  EXPECT_EQ(98, header.right);
  EXPECT_EQ(250, header.bottom);
  const RECT none = ComputeHeaderRect({100, 180, 260, 250}, 12, FALSE);
  EXPECT_EQ(100, none.right);
  EXPECT_EQ(180, none.bottom);
}

TEST(TextHighlight, Rules) {
  TEXT_FIELD_DATA field;
  VIEW_TEXT_STATE view;
  view.formMode = TRUE;
  view.highlightColor = 0x123456;
  COLORREF color = 0;
  field.style.requiredForFilling = 1;
  EXPECT_TRUE(FieldHighlight(field, TRUE, view, color));  // required and empty: even with the switch off
  EXPECT_EQ(REQUIRED_FIELD_COLOR, color);
  EXPECT_FALSE(FieldHighlight(field, FALSE, view, color));
  view.highlightFields = TRUE;
  EXPECT_TRUE(FieldHighlight(field, FALSE, view, color));
  EXPECT_EQ(0x123456u, color);
  view.mirroredNotLead = TRUE;
  EXPECT_TRUE(FieldHighlight(field, FALSE, view, color));
  EXPECT_EQ(MIRRORED_FIELD_COLOR, color);
  field.dataType = TEXT_TYPE_NUMERIC;
  field.formulaFlag = 1;
  EXPECT_FALSE(FieldHighlight(field, TRUE, view, color));  // a formula never
  field.formulaFlag = 0;
  field.label = 1;
  EXPECT_FALSE(FieldHighlight(field, TRUE, view, color));  // nor a label
  field.label = 0;
  view.formMode = FALSE;
  EXPECT_FALSE(FieldHighlight(field, TRUE, view, color));
}

LOGFONTW Font(LONG height, LONG weight) {
  LOGFONTW font = {};
  font.lfHeight = height;
  font.lfWeight = weight;
  return font;
}

TEST(TextPdf, FontSizeAndBold) {
  const struct {
    LONG height, weight;
    double size;
    BOOL bold;
  } cases[] = {
      {-120, FW_NORMAL, 12.0, FALSE}, {-85, FW_BOLD, 8.5, TRUE},
      // A positive height (the cell height) prints at the same size as its negative.
      {120, FW_NORMAL, 12.0, FALSE},
      // Every weight that prints bold is bold in the PDF, page text and fields alike.
      {-100, FW_MEDIUM, 10.0, TRUE}, {-100, FW_EXTRABOLD, 10.0, TRUE}, {-100, FW_BLACK, 10.0, TRUE},
      {-100, FW_DONTCARE, 10.0, FALSE}, {-100, FW_LIGHT, 10.0, FALSE},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.height << " " << c.weight);
    EXPECT_DOUBLE_EQ(c.size, PdfFontSize(Font(c.height, c.weight)));
    EXPECT_EQ(c.bold, PdfBold(Font(c.height, c.weight)));
  }
}

TEST(TextPdf, RotationAndLayoutResolution) {
  EXPECT_EQ(0, PdfRotation(TEXT_LEFT_TO_RIGHT));
  EXPECT_EQ(90, PdfRotation(TEXT_BOTTOM_UP));
  EXPECT_EQ(270, PdfRotation(TEXT_TOP_DOWN));
  EXPECT_EQ(0, PdfRotation(7));
  const struct {
    long resolution, layout;
  } cases[] = {{72, 1440}, {100, 1500}, {1440, 1440}, {300, 1500}, {2400, 2400}, {1, 1440}, {0, 0}, {-72, 0}};
  for (const auto& c : cases) EXPECT_EQ(c.layout, PdfLayoutResolution(c.resolution)) << c.resolution;
}

}  // namespace
