// The caret and selection model of a text field: positions (column, line) over its list of lines,
// the caret moves of the keys, the selected text, where a point of the layout lands in the text and
// which part of the box a point hits. Everything works on the lines and the geometry of the drawn
// layout (TranspTextLayout) with a measuring function, so the rules run against a real device context
// in the program and against a width table in a test.
#pragma once
#include "TranspTextLayout.h"

// A position in the text: the line is an index into the lines, the column a character index within
// it (a closing "\r\n" counts as two characters).
struct TEXT_CARET {
  int column;
  int line;
};
inline bool operator==(const TEXT_CARET& a, const TEXT_CARET& b) { return a.column == b.column && a.line == b.line; }
inline bool operator!=(const TEXT_CARET& a, const TEXT_CARET& b) { return !(a == b); }
// Earlier in the text: by line, then column.
inline bool operator<(const TEXT_CARET& a, const TEXT_CARET& b) {
  return a.line < b.line || (a.line == b.line && a.column < b.column);
}

BOOL EndsParagraph(const CString& line);
// The column after the line's last character, before its "\r\n".
int LineEndColumn(const std::vector<CString>& lines, int line);

// The selected text from `start` to `end` (either order): within one line the characters between;
// across lines the rest of the first line, the lines between whole and the beginning of the last.
CString SelectedText(const std::vector<CString>& lines, TEXT_CARET start, TEXT_CARET end);

// Caret moves of the keys. Wrapped lines (no "\r\n", not the last) share their end with the next
// line's start, so a move across such a boundary lands one character further.
TEXT_CARET CaretLeft(const std::vector<CString>& lines, TEXT_CARET caret, BOOL word);
TEXT_CARET CaretRight(const std::vector<CString>& lines, TEXT_CARET caret, BOOL word);
TEXT_CARET CaretEnd(const std::vector<CString>& lines, TEXT_CARET caret);

// The column of `text` whose boundary lies nearest to `along` pixels from the line's start (the
// earlier one on a tie); 0 before the start, the length at or beyond the line's width. With
// `nearest` FALSE, the character under the point instead (the boundary before it).
int ColumnAtOffset(const CString& text, int along, const TextMeasure& measure, BOOL nearest = TRUE);

// Where line i's text starts along the writing direction (its alignment offset), in the layout's
// pixels, and the caret's distance from the layout's anchor along the line.
int LineStartAlong(const std::vector<CString>& lines, const TEXT_GEOMETRY& g, int line, const TextMeasure& measure);
int CaretAlong(const std::vector<CString>& lines, const TEXT_GEOMETRY& g, TEXT_CARET caret, const TextMeasure& measure);
// The caret at `along` (as CaretAlong gives it) on another line: the nearest boundary, the line's
// end when it lies beyond.
int ColumnAtAlong(const std::vector<CString>& lines, const TEXT_GEOMETRY& g, int line, int along,
                  const TextMeasure& measure);
// The top-side point of the caret (the line's cell edge where the glyphs' tops are).
POINT CaretPoint(const std::vector<CString>& lines, const TEXT_GEOMETRY& g, TEXT_CARET caret, const TextMeasure& measure);

// The position for a point of the layout: the point is clamped into the text rectangle, the line
// found across the writing direction from line 0's cell edge (the spacing before a line belongs to
// it), the column along it; a point past the last line gives the end of the last line. With
// `nearest` FALSE the column is the character under the point.
TEXT_CARET CaretFromPoint(const std::vector<CString>& lines, const TEXT_GEOMETRY& g, const RECT& textRect, POINT p,
                          const TextMeasure& measure, BOOL nearest = TRUE);

// Which part of the text box a point hits (slot 68). Handle squares reach 4 pixels around the handle
// points; the edge strips 4 pixels outside the rectangle and inside 1 pixel deep at the ends of the
// writing direction and 4 across it.
enum TEXT_HIT {
  TEXT_HIT_NONE = 0,
  TEXT_HIT_INSIDE = 1,
  TEXT_HIT_LEFT = 2,
  TEXT_HIT_TOP = 3,
  TEXT_HIT_RIGHT = 4,
  TEXT_HIT_BOTTOM = 5,
  TEXT_HIT_TOP_LEFT = 6,
  TEXT_HIT_TOP_RIGHT = 7,
  TEXT_HIT_BOTTOM_RIGHT = 8,
  TEXT_HIT_BOTTOM_LEFT = 9,
  TEXT_HIT_LEFT_MIDDLE = 11,    // top-down only
  TEXT_HIT_TOP_MIDDLE = 12,     // bottom-up only
  TEXT_HIT_RIGHT_MIDDLE = 13,   // left to right and bottom-up
  TEXT_HIT_BOTTOM_MIDDLE = 14,  // left to right and top-down
};
int TextHitCode(RECT rect, int orientation, POINT p);
inline BOOL IsEdgeHit(int code) { return code >= TEXT_HIT_LEFT && code <= TEXT_HIT_BOTTOM; }

// What a resize handle changes, by orientation: the box width (along the writing), the box height
// (across it), both, or nothing (a corner that does not resize).
enum { RESIZE_NONE = 0, RESIZE_WIDTH = 1, RESIZE_HEIGHT = 2 };
int ResizeParts(int orientation, int code);
// The new box width and height for the handle point p (units) over the text rectangle r at mouse-down
// (units, normalised); a part that does not change keeps its value.
void ResizedBox(int orientation, int code, const RECT& r, POINT p, int& width, int& height);
