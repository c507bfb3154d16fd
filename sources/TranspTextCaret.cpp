#include "TranspTextCaret.h"

#include <algorithm>
#include <cstdlib>

#include "MyProcs.h"

namespace {

int LineCount(const std::vector<CString>& lines) { return static_cast<int>(lines.size()); }

// A line that the word wrap broke: it ends neither in "\r\n" nor the text.
BOOL IsWrappedLine(const std::vector<CString>& lines, int line) {
  return line + 1 < LineCount(lines) && !EndsParagraph(lines[line]);
}

TEXT_CARET Clamped(const std::vector<CString>& lines, TEXT_CARET c) {
  if (lines.empty()) return {0, 0};
  c.line = std::max(0, std::min(c.line, LineCount(lines) - 1));
  c.column = std::max(0, std::min(c.column, LineEndColumn(lines, c.line)));
  return c;
}

// A caret at the shared end of a wrapped line is shown at the next line's start.
TEXT_CARET PassWrappedEnd(const std::vector<CString>& lines, TEXT_CARET c) {
  if (IsWrappedLine(lines, c.line) && c.column >= lines[c.line].GetLength()) return {0, c.line + 1};
  return c;
}

}  // namespace

BOOL EndsParagraph(const CString& line) { return WithoutLineEnd(line).GetLength() != line.GetLength(); }

int LineEndColumn(const std::vector<CString>& lines, int line) {
  if (line < 0 || line >= LineCount(lines)) return 0;
  return WithoutLineEnd(lines[line]).GetLength();
}

CString SelectedText(const std::vector<CString>& lines, TEXT_CARET start, TEXT_CARET end) {
  if (lines.empty()) return CString();
  if (end < start) std::swap(start, end);
  start = Clamped(lines, start);
  end = Clamped(lines, end);
  if (start.line == end.line) return lines[start.line].Mid(start.column, end.column - start.column);
  CString text = lines[start.line].Mid(start.column);
  for (int i = start.line + 1; i < end.line; ++i) text += lines[i];
  return text + lines[end.line].Left(end.column);
}

TEXT_CARET CaretLeft(const std::vector<CString>& lines, TEXT_CARET caret, BOOL word) {
  caret = Clamped(lines, caret);
  if (caret.column > 0) {
    caret.column = word ? FindNextWord(WithoutLineEnd(lines[caret.line]), caret.column, 1) : caret.column - 1;
    return caret;
  }
  if (caret.line == 0) return caret;
  const int previous = caret.line - 1;
  int column = LineEndColumn(lines, previous);
  // The end of a wrapped line is the next line's start: one character back is before its last one
  // (its breaking space when the wrap left one there).
  if (IsWrappedLine(lines, previous) && column > 0) --column;
  return {column, previous};
}

TEXT_CARET CaretRight(const std::vector<CString>& lines, TEXT_CARET caret, BOOL word) {
  caret = Clamped(lines, caret);
  const int end = LineEndColumn(lines, caret.line);
  const BOOL last = caret.line + 1 >= LineCount(lines);
  if (caret.column >= end) return last ? caret : TEXT_CARET{0, caret.line + 1};
  caret.column = word ? FindNextWord(WithoutLineEnd(lines[caret.line]), caret.column, 0) : caret.column + 1;
  return PassWrappedEnd(lines, caret);
}

TEXT_CARET CaretEnd(const std::vector<CString>& lines, TEXT_CARET caret) {
  caret = Clamped(lines, caret);
  caret.column = LineEndColumn(lines, caret.line);
  return caret;
}

int ColumnAtOffset(const CString& text, int along, const TextMeasure& measure, BOOL nearest) {
  const int length = text.GetLength();
  if (along < 0) return 0;
  if (along >= measure(text)) return length;
  int before = 0;
  for (int i = 1; i <= length; ++i) {
    const int after = measure(text.Left(i));
    if (after > along) {
      if (!nearest) return i - 1;
      return 2 * along > before + after ? i : i - 1;
    }
    before = after;
  }
  return length;
}

int LineStartAlong(const std::vector<CString>& lines, const TEXT_GEOMETRY& g, int line, const TextMeasure& measure) {
  if (line < 0 || line >= LineCount(lines)) return 0;
  return static_cast<int>(AlignmentOffset(g.alignment, g.available, AlignedLineWidth(lines[line], g, measure)));
}

int CaretAlong(const std::vector<CString>& lines, const TEXT_GEOMETRY& g, TEXT_CARET caret, const TextMeasure& measure) {
  if (lines.empty()) return 0;
  caret = Clamped(lines, caret);
  return LineStartAlong(lines, g, caret.line, measure) + measure(lines[caret.line].Left(caret.column));
}

int ColumnAtAlong(const std::vector<CString>& lines, const TEXT_GEOMETRY& g, int line, int along,
                  const TextMeasure& measure) {
  if (line < 0 || line >= LineCount(lines)) return 0;
  return ColumnAtOffset(WithoutLineEnd(lines[line]), along - LineStartAlong(lines, g, line, measure), measure);
}

POINT CaretPoint(const std::vector<CString>& lines, const TEXT_GEOMETRY& g, TEXT_CARET caret, const TextMeasure& measure) {
  if (lines.empty()) return LineOrigin(g, 0, AlignmentOffset(g.alignment, g.available, 0));
  caret = Clamped(lines, caret);
  const POINT origin = LineOrigin(g, caret.line, LineStartAlong(lines, g, caret.line, measure));
  return AdvanceAlong(g, origin, measure(lines[caret.line].Left(caret.column)));
}

TEXT_CARET CaretFromPoint(const std::vector<CString>& lines, const TEXT_GEOMETRY& g, const RECT& textRect, POINT p,
                          const TextMeasure& measure, BOOL nearest) {
  if (lines.empty()) return {0, 0};
  const int left = std::min<int>(textRect.left, textRect.right), right = std::max<int>(textRect.left, textRect.right);
  const int top = std::min<int>(textRect.top, textRect.bottom), bottom = std::max<int>(textRect.top, textRect.bottom);
  p.x = std::max<int>(left, std::min<int>(p.x, right - 1));
  p.y = std::max<int>(top, std::min<int>(p.y, bottom - 1));
  const int h = std::max(1, g.lineHeight);
  const int pitch = std::max(1, g.pitch);
  // Across the lines, measured from line 0's cell edge on the side of the glyphs' tops.
  const POINT first = LineOrigin(g, 0, 0);
  const int across = g.orientation == TEXT_BOTTOM_UP ? p.x - first.x
                     : g.orientation == TEXT_TOP_DOWN ? first.x - p.x
                                                      : p.y - first.y;
  const int line = across - h <= 0 ? 0 : (across - h) / pitch + 1;
  const int last = LineCount(lines) - 1;
  if (line > last) return {LineEndColumn(lines, last), last};
  const POINT origin = LineOrigin(g, line, LineStartAlong(lines, g, line, measure));
  const int along = g.orientation == TEXT_BOTTOM_UP ? origin.y - p.y
                    : g.orientation == TEXT_TOP_DOWN ? p.y - origin.y
                                                     : p.x - origin.x;
  return {ColumnAtOffset(WithoutLineEnd(lines[line]), along, measure, nearest), line};
}

int TextHitCode(RECT r, int orientation, POINT p) {
  if (r.left > r.right) std::swap(r.left, r.right);
  if (r.top > r.bottom) std::swap(r.top, r.bottom);
  const int reach = 4;
  auto nearHandle = [&](int x, int y) { return std::abs(p.x - x) <= reach && std::abs(p.y - y) <= reach; };
  const int midX = (r.left + r.right) / 2, midY = (r.top + r.bottom) / 2;
  const BOOL ltr = orientation == TEXT_LEFT_TO_RIGHT, up = orientation == TEXT_BOTTOM_UP,
             down = orientation == TEXT_TOP_DOWN;
  if (down && nearHandle(r.left, midY)) return TEXT_HIT_LEFT_MIDDLE;
  if (up && nearHandle(midX, r.top)) return TEXT_HIT_TOP_MIDDLE;
  if ((ltr || up) && nearHandle(r.right, midY)) return TEXT_HIT_RIGHT_MIDDLE;
  if ((ltr || down) && nearHandle(midX, r.bottom)) return TEXT_HIT_BOTTOM_MIDDLE;
  if (nearHandle(r.left, r.top)) return TEXT_HIT_TOP_LEFT;
  if (nearHandle(r.right, r.top)) return TEXT_HIT_TOP_RIGHT;
  if (nearHandle(r.left, r.bottom)) return TEXT_HIT_BOTTOM_LEFT;
  if (nearHandle(r.right, r.bottom)) return TEXT_HIT_BOTTOM_RIGHT;
  // Inside, the strips at the ends of the writing direction are 1 pixel deep, the others 4.
  const BOOL rotated = !ltr;
  const int sideDepth = rotated ? 4 : 1;  // left and right
  const int endDepth = rotated ? 1 : 4;   // top and bottom
  const BOOL spanX = p.x >= r.left - reach && p.x < r.right + reach;
  const BOOL spanY = p.y >= r.top - reach && p.y < r.bottom + reach;
  if (spanX && p.y >= r.top - reach && p.y < r.top + endDepth) return TEXT_HIT_TOP;
  if (spanY && p.x >= r.right - sideDepth && p.x < r.right + reach) return TEXT_HIT_RIGHT;
  if (spanX && p.y >= r.bottom - endDepth && p.y < r.bottom + reach) return TEXT_HIT_BOTTOM;
  if (spanY && p.x >= r.left - reach && p.x < r.left + sideDepth) return TEXT_HIT_LEFT;
  if (p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom) return TEXT_HIT_INSIDE;
  return TEXT_HIT_NONE;
}

namespace {

// The handles that resize, per orientation: width only, height only, both.
struct RESIZE_HANDLES {
  int width, height, both;
};
const RESIZE_HANDLES kResizeHandles[] = {
    {TEXT_HIT_RIGHT_MIDDLE, TEXT_HIT_BOTTOM_MIDDLE, TEXT_HIT_BOTTOM_RIGHT},  // left to right
    {TEXT_HIT_TOP_MIDDLE, TEXT_HIT_RIGHT_MIDDLE, TEXT_HIT_TOP_RIGHT},        // bottom-up
    {TEXT_HIT_BOTTOM_MIDDLE, TEXT_HIT_LEFT_MIDDLE, TEXT_HIT_BOTTOM_LEFT},    // top-down
};

const RESIZE_HANDLES& HandlesOf(int orientation) {
  return kResizeHandles[orientation >= 0 && orientation <= 2 ? orientation : 0];
}

}  // namespace

int ResizeParts(int orientation, int code) {
  const RESIZE_HANDLES& h = HandlesOf(orientation);
  if (code == h.both) return RESIZE_WIDTH | RESIZE_HEIGHT;
  if (code == h.width) return RESIZE_WIDTH;
  if (code == h.height) return RESIZE_HEIGHT;
  return RESIZE_NONE;
}

void ResizedBox(int orientation, int code, const RECT& r, POINT p, int& width, int& height) {
  const int parts = ResizeParts(orientation, code);
  // Along the writing the box grows away from the anchor; across it away from the first line.
  int along = p.x - r.left, across = p.y - r.top;
  if (orientation == TEXT_BOTTOM_UP) {
    along = r.bottom - p.y;
    across = p.x - r.left;
  } else if (orientation == TEXT_TOP_DOWN) {
    along = p.y - r.top;
    across = r.right - p.x;
  }
  if (parts & RESIZE_WIDTH) width = along;
  if (parts & RESIZE_HEIGHT) height = across;
}
