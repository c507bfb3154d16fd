// The caret and selection model against a width table: every character is 10 pixels wide.
#include "TranspTextCaret.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

int TenPerChar(const CString& s) { return 10 * WithoutLineEnd(s).GetLength(); }
const TextMeasure kMeasure = TenPerChar;

std::vector<CString> Lines(std::initializer_list<const wchar_t*> texts) {
  std::vector<CString> lines;
  for (const wchar_t* t : texts) lines.emplace_back(t);
  return lines;
}

std::wstring W(const CString& s) { return std::wstring(static_cast<LPCTSTR>(s), s.GetLength()); }

// Lines 20 pixels high, 5 apart, in a box 300 pixels long.
TEXT_GEOMETRY Geometry(int orientation, POINT anchor, int alignment = TEXT_ALIGN_LEFT) {
  TEXT_GEOMETRY g = {};
  g.orientation = orientation;
  g.alignment = alignment;
  g.anchor = anchor;
  g.lineHeight = 20;
  g.pitch = 25;
  g.available = 300;
  return g;
}

const std::vector<CString> kParagraphs = Lines({L"ab cd\r\n", L"efg\r\n", L"h"});
// "aaa bbb" wrapped after its breaking space, then a paragraph end.
const std::vector<CString> kWrapped = Lines({L"aaa ", L"bbb\r\n", L"cc"});

TEST(TranspTextCaret, CharIndexAndCaretBothWays) {
  const struct {
    const std::vector<CString>* lines;
    int index;
    TEXT_CARET caret;
  } cases[] = {
      {&kParagraphs, 0, {0, 0}},  {&kParagraphs, 5, {5, 0}},   // before the "\r\n"
      {&kParagraphs, 7, {0, 1}},                               // just after it: the next line
      {&kParagraphs, 10, {3, 1}}, {&kParagraphs, 12, {0, 2}},  {&kParagraphs, 13, {1, 2}},
      {&kWrapped, 4, {4, 0}},                                  // the end of a wrapped line stays on it
      {&kWrapped, 5, {1, 1}},     {&kWrapped, 9, {0, 2}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.index);
    TEXT_CARET caret = {-1, -1};
    IndexToCaret(*c.lines, c.index, caret.column, caret.line);
    EXPECT_EQ(c.caret.column, caret.column);
    EXPECT_EQ(c.caret.line, caret.line);
    EXPECT_EQ(c.index, CaretToIndex(*c.lines, c.caret.column, c.caret.line));
  }
  // Beyond the text: its end.
  TEXT_CARET end = {};
  IndexToCaret(kParagraphs, 99, end.column, end.line);
  EXPECT_TRUE(end == (TEXT_CARET{1, 2}));
}

TEST(TranspTextCaret, SelectedTextWithinAndAcrossLines) {
  const struct {
    TEXT_CARET start, end;
    const wchar_t* text;
  } cases[] = {
      {{1, 1}, {3, 1}, L"fg"},
      {{3, 0}, {1, 2}, L"cd\r\nefg\r\nh"},
      {{1, 2}, {3, 0}, L"cd\r\nefg\r\nh"},  // either order
      {{5, 0}, {0, 1}, L"\r\n"},
      {{2, 1}, {2, 1}, L""},
  };
  for (const auto& c : cases) EXPECT_EQ(c.text, W(SelectedText(kParagraphs, c.start, c.end)));
}

TEST(TranspTextCaret, KeyMoves) {
  enum Move { Left, Right, WordLeft, WordRight, End };
  const struct {
    const std::vector<CString>* lines;
    Move move;
    TEXT_CARET from, to;
  } cases[] = {
      {&kWrapped, Right, {2, 0}, {3, 0}},
      {&kWrapped, Right, {3, 0}, {0, 1}},    // after the breaking space is the next line's start
      {&kWrapped, Right, {3, 1}, {0, 2}},    // at the "\r\n"
      {&kWrapped, Right, {2, 2}, {2, 2}},    // the end of the last line stays
      {&kWrapped, Left, {0, 1}, {3, 0}},     // before the breaking space
      {&kWrapped, Left, {0, 2}, {3, 1}},     // before the "\r\n"
      {&kWrapped, Left, {0, 0}, {0, 0}},
      {&kWrapped, End, {1, 0}, {4, 0}},
      {&kWrapped, End, {0, 1}, {3, 1}},      // before the "\r\n"
      {&kParagraphs, WordRight, {0, 0}, {3, 0}},
      {&kParagraphs, WordRight, {3, 0}, {5, 0}},
      {&kParagraphs, WordRight, {5, 0}, {0, 1}},  // before the "\r\n": on to the next line
      {&kParagraphs, WordLeft, {5, 0}, {3, 0}},
      {&kParagraphs, WordLeft, {3, 0}, {0, 0}},
      {&kParagraphs, WordLeft, {0, 1}, {5, 0}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.move << " from " << c.from.column << "," << c.from.line);
    TEXT_CARET to = {};
    switch (c.move) {
      case Left: to = CaretLeft(*c.lines, c.from, FALSE); break;
      case Right: to = CaretRight(*c.lines, c.from, FALSE); break;
      case WordLeft: to = CaretLeft(*c.lines, c.from, TRUE); break;
      case WordRight: to = CaretRight(*c.lines, c.from, TRUE); break;
      case End: to = CaretEnd(*c.lines, c.from); break;
    }
    EXPECT_EQ(c.to.column, to.column);
    EXPECT_EQ(c.to.line, to.line);
  }
}

TEST(TranspTextCaret, PointsToPositionsByOrientation) {
  const TEXT_GEOMETRY ltr = Geometry(TEXT_LEFT_TO_RIGHT, {100, 200});
  const RECT ltrRect = {100, 180, 400, 400};  // a box taller than the three lines
  const TEXT_GEOMETRY up = Geometry(TEXT_BOTTOM_UP, {200, 300});
  const RECT upRect = {180, 0, 400, 300};
  const TEXT_GEOMETRY down = Geometry(TEXT_TOP_DOWN, {200, 100});
  const RECT downRect = {150, 100, 225, 400};
  const TEXT_GEOMETRY centred = Geometry(TEXT_LEFT_TO_RIGHT, {100, 200}, TEXT_ALIGN_CENTRE);
  const struct {
    const char* what;
    const TEXT_GEOMETRY* g;
    const RECT* rect;
    POINT p;
    TEXT_CARET caret;
  } cases[] = {
      {"left half of b", &ltr, &ltrRect, {114, 185}, {1, 0}},
      {"right half of b: after it", &ltr, &ltrRect, {116, 185}, {2, 0}},
      {"the line's cell bottom is still line 0", &ltr, &ltrRect, {100, 200}, {0, 0}},
      {"spacing before line 1 belongs to it", &ltr, &ltrRect, {121, 202}, {2, 1}},
      {"beyond the line's end", &ltr, &ltrRect, {390, 210}, {3, 1}},
      {"beyond the last line: its end", &ltr, &ltrRect, {100, 390}, {1, 2}},
      {"left of the box is clamped in", &ltr, &ltrRect, {20, 185}, {0, 0}},
      {"centred line: its start moved in", &centred, &ltrRect, {100 + 135 + 16, 210}, {2, 1}},
      {"bottom-up, left half", &up, &upRect, {185, 285}, {1, 0}},
      {"bottom-up, right half", &up, &upRect, {185, 284}, {2, 0}},
      {"bottom-up, second line", &up, &upRect, {205, 280}, {2, 1}},
      {"top-down, first line", &down, &downRect, {215, 116}, {2, 0}},
      {"top-down, second line", &down, &downRect, {190, 116}, {2, 1}},
      {"top-down, third line", &down, &downRect, {165, 101}, {0, 2}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const TEXT_CARET caret = CaretFromPoint(kParagraphs, *c.g, *c.rect, c.p, kMeasure);
    EXPECT_EQ(c.caret.column, caret.column);
    EXPECT_EQ(c.caret.line, caret.line);
    // The caret drawn for that position lies on the line's cell edge, at the boundary found.
    const POINT at = CaretPoint(kParagraphs, *c.g, caret, kMeasure);
    const POINT origin = LineOrigin(*c.g, caret.line, LineStartAlong(kParagraphs, *c.g, caret.line, kMeasure));
    EXPECT_EQ(10 * caret.column, std::abs(at.x - origin.x) + std::abs(at.y - origin.y));
  }
}

TEST(TranspTextCaret, VerticalMovesKeepTheDistanceAlong) {
  const TEXT_GEOMETRY centred = Geometry(TEXT_LEFT_TO_RIGHT, {0, 20}, TEXT_ALIGN_CENTRE);
  const std::vector<CString> lines = Lines({L"abcdef\r\n", L"ab\r\n", L"abcdefgh"});
  const int along = CaretAlong(lines, centred, {4, 0}, kMeasure);  // 120 + 40
  EXPECT_EQ(160, along);
  EXPECT_EQ(2, ColumnAtAlong(lines, centred, 1, along, kMeasure));  // beyond "ab": its end
  EXPECT_EQ(5, ColumnAtAlong(lines, centred, 2, along, kMeasure));  // 110 + 50
  EXPECT_EQ(0, ColumnAtAlong(lines, centred, 2, 0, kMeasure));
}

TEST(TranspTextCaret, HitCodesOfTheBox) {
  const RECT r = {100, 100, 300, 200};
  const struct {
    int orientation;
    POINT p;
    int code;
  } cases[] = {
      {TEXT_LEFT_TO_RIGHT, {300, 150}, TEXT_HIT_RIGHT_MIDDLE},
      {TEXT_LEFT_TO_RIGHT, {203, 197}, TEXT_HIT_BOTTOM_MIDDLE},
      {TEXT_LEFT_TO_RIGHT, {100, 150}, TEXT_HIT_LEFT},  // no left handle left to right
      {TEXT_LEFT_TO_RIGHT, {200, 100}, TEXT_HIT_TOP},
      {TEXT_LEFT_TO_RIGHT, {102, 98}, TEXT_HIT_TOP_LEFT},
      {TEXT_LEFT_TO_RIGHT, {300, 100}, TEXT_HIT_TOP_RIGHT},
      {TEXT_LEFT_TO_RIGHT, {304, 204}, TEXT_HIT_BOTTOM_RIGHT},
      {TEXT_LEFT_TO_RIGHT, {96, 200}, TEXT_HIT_BOTTOM_LEFT},
      {TEXT_LEFT_TO_RIGHT, {200, 96}, TEXT_HIT_TOP},
      {TEXT_LEFT_TO_RIGHT, {200, 103}, TEXT_HIT_TOP},    // 4 deep across the writing
      {TEXT_LEFT_TO_RIGHT, {200, 104}, TEXT_HIT_INSIDE},
      {TEXT_LEFT_TO_RIGHT, {299, 130}, TEXT_HIT_RIGHT},  // 1 deep at the end of the writing
      {TEXT_LEFT_TO_RIGHT, {298, 130}, TEXT_HIT_INSIDE},
      {TEXT_LEFT_TO_RIGHT, {303, 130}, TEXT_HIT_RIGHT},
      {TEXT_LEFT_TO_RIGHT, {304, 130}, TEXT_HIT_NONE},
      {TEXT_LEFT_TO_RIGHT, {150, 196}, TEXT_HIT_BOTTOM},
      {TEXT_LEFT_TO_RIGHT, {150, 195}, TEXT_HIT_INSIDE},
      {TEXT_LEFT_TO_RIGHT, {50, 50}, TEXT_HIT_NONE},
      {TEXT_BOTTOM_UP, {200, 100}, TEXT_HIT_TOP_MIDDLE},
      {TEXT_BOTTOM_UP, {300, 150}, TEXT_HIT_RIGHT_MIDDLE},
      {TEXT_BOTTOM_UP, {200, 200}, TEXT_HIT_BOTTOM},     // no bottom handle bottom-up
      {TEXT_BOTTOM_UP, {296, 130}, TEXT_HIT_RIGHT},      // 4 deep across the writing
      {TEXT_BOTTOM_UP, {295, 130}, TEXT_HIT_INSIDE},
      {TEXT_BOTTOM_UP, {150, 101}, TEXT_HIT_INSIDE},     // 1 deep at the end of the writing
      {TEXT_TOP_DOWN, {100, 150}, TEXT_HIT_LEFT_MIDDLE},
      {TEXT_TOP_DOWN, {200, 200}, TEXT_HIT_BOTTOM_MIDDLE},
      {TEXT_TOP_DOWN, {300, 150}, TEXT_HIT_RIGHT},       // no right handle top-down
      {TEXT_TOP_DOWN, {200, 100}, TEXT_HIT_TOP},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.orientation << " at " << c.p.x << "," << c.p.y);
    EXPECT_EQ(c.code, TextHitCode(r, c.orientation, c.p));
  }
  // A rectangle given the wrong way round is the same box.
  const RECT flipped = {300, 200, 100, 100};
  EXPECT_EQ(TEXT_HIT_BOTTOM_RIGHT, TextHitCode(flipped, TEXT_LEFT_TO_RIGHT, {300, 200}));
}

TEST(TranspTextCaret, HandlesResizeByOrientation) {
  const RECT r = {1000, 2000, 5000, 3000};
  const struct {
    int orientation, code;
    POINT p;
    int width, height;
  } cases[] = {
      {TEXT_LEFT_TO_RIGHT, TEXT_HIT_BOTTOM_RIGHT, {7000, 4500}, 6000, 2500},
      {TEXT_LEFT_TO_RIGHT, TEXT_HIT_RIGHT_MIDDLE, {7000, 4500}, 6000, -1},
      {TEXT_LEFT_TO_RIGHT, TEXT_HIT_BOTTOM_MIDDLE, {7000, 4500}, -1, 2500},
      {TEXT_LEFT_TO_RIGHT, TEXT_HIT_TOP_LEFT, {7000, 4500}, -1, -1},  // a fixed corner
      {TEXT_BOTTOM_UP, TEXT_HIT_TOP_RIGHT, {7000, 1500}, 1500, 6000},
      {TEXT_BOTTOM_UP, TEXT_HIT_TOP_MIDDLE, {7000, 1500}, 1500, -1},
      {TEXT_BOTTOM_UP, TEXT_HIT_RIGHT_MIDDLE, {7000, 1500}, -1, 6000},
      {TEXT_TOP_DOWN, TEXT_HIT_BOTTOM_LEFT, {4000, 4500}, 2500, 1000},
      {TEXT_TOP_DOWN, TEXT_HIT_BOTTOM_MIDDLE, {4000, 4500}, 2500, -1},
      {TEXT_TOP_DOWN, TEXT_HIT_LEFT_MIDDLE, {4000, 4500}, -1, 1000},
      {TEXT_TOP_DOWN, TEXT_HIT_BOTTOM_RIGHT, {4000, 4500}, -1, -1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.orientation << " handle " << c.code);
    int width = -1, height = -1;
    ResizedBox(c.orientation, c.code, r, c.p, width, height);
    EXPECT_EQ(c.width, width);
    EXPECT_EQ(c.height, height);
  }
}

}  // namespace
