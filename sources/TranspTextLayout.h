// How a text field breaks its text into lines and where each line goes: word wrap against the box,
// the single-line rule, line placement by orientation and alignment, comb cells, and the text
// rectangle. The rules take a measuring function, so they run against a real device context in the
// program and against any width table in a test.
#pragma once
#include "Framework.h"

#include <functional>
#include <vector>

#include "TranspTextData.h"

// Width of a string in the layout's pixels (a closing "\r\n" not measured).
typedef std::function<int(const CString&)> TextMeasure;

// The text less one closing "\r\n".
CString WithoutLineEnd(const CString& line);

// Characters of `text` that go on its first line when lines may be `available` pixels wide: cut at
// the last space that makes it fit (the space stays on the line); a word with no space is cut to the
// longest prefix that fits. At least 1, so wrapping always makes progress; the whole length when it
// fits.
int GetWrapIndex(const CString& text, const TextMeasure& measure, int available);

// The lines of a text: one per paragraph (each paragraph-ending line keeps its "\r\n", and a text
// that ends in "\r\n" has an empty last line for the caret), or with word wrap each paragraph broken
// by GetWrapIndex. An empty paragraph stays one empty line.
std::vector<CString> BreakText(const CString& text, BOOL wordWrap, const TextMeasure& measure, int available);

// Who changed the text: only what the user types or pastes is refused by a single-line field.
enum TEXT_CHANGE { TEXT_SET_BY_PROGRAM = 0, TEXT_TYPED_BY_USER = 1 };

// Re-breaks `text`. Returns FALSE when a single-line field would get a second line from a user's
// edit: `lines` is then left as it was and the caller puts back its text and caret. Text that the
// program sets (loading, records, filling, style changes) is never refused: a value too long for one
// line keeps all its lines.
BOOL WrapLines(const CString& text, BOOL wordWrap, BOOL singleLine, TEXT_CHANGE change, const TextMeasure& measure,
               int available, std::vector<CString>& lines);

// The caret as a character index into the joined lines, and back (column, line).
int CaretToIndex(const std::vector<CString>& lines, int column, int line);
void IndexToCaret(const std::vector<CString>& lines, int index, int& column, int& line);

// Geometry of one drawn text in device or view pixels.
struct TEXT_GEOMETRY {
  int orientation;  // TEXT_LEFT_TO_RIGHT, TEXT_BOTTOM_UP, TEXT_TOP_DOWN
  int alignment;    // TEXT_ALIGN_*
  POINT anchor;     // the position (x, y)
  int lineHeight;   // tmHeight
  int pitch;        // tmHeight + line spacing
  BOOL comb;
  double cell;      // comb cell along the writing direction
  int available;    // extent of the text rectangle along the writing direction
};

// Width of a line as it is aligned: with comb the characters (without "\r\n") times the cell; else
// the measured width, for right alignment without its trailing space.
int AlignedLineWidth(const CString& line, const TEXT_GEOMETRY& g, const TextMeasure& measure);
// Offset along the line: 0, (A - w) / 2 or A - w.
double AlignmentOffset(int alignment, int available, int width);
// Where line i starts (the TextOut point), by orientation.
POINT LineOrigin(const TEXT_GEOMETRY& g, int lineIndex, double offset);
// The point `along` pixels further than `origin` in the writing direction.
POINT AdvanceAlong(const TEXT_GEOMETRY& g, POINT origin, int along);
// The comb step (dx, dy) along the writing direction.
void CombStep(const TEXT_GEOMETRY& g, double& dx, double& dy);
// Centre-top point of comb character i from a line origin (truncated).
POINT CombCellPoint(double x, double y, double dx, double dy, int index);

// The margin in units that box mode adds along the writing direction.
const int TEXT_BOX_MARGIN_UNITS = 2300;

// Text rectangle: widest line w, line height h, n lines, line spacing s, anchor, box width and height
// and margin, all in the same pixels. Box mode widens it to the box.
struct TEXT_RECT_INPUT {
  int orientation;
  POINT anchor;
  int widest, lineHeight, lineCount, spacing;
  int boxWidth, boxHeight, margin;
  BOOL wordWrap;
};
RECT ComputeTextRect(const TEXT_RECT_INPUT& in, BOOL boxMode);
// The header strip left of the text rectangle (w the height of "Test"), or an empty rectangle at its
// top-left corner when headers are off.
RECT ComputeHeaderRect(const RECT& textRect, int headerWidth, BOOL headersOn);

// PDF output of a text: the font as the component takes it and the frame the page text is laid out in.
// Size in points: lfHeight is in tenths of a point, negative for a character height.
double PdfFontSize(const LOGFONTW& font);
// Bold for any weight above normal, fields and page text alike: semi-bold to black weights print
// bold, so the PDF shows them bold too.
BOOL PdfBold(const LOGFONTW& font);
// Degrees counter-clockwise: 0 left to right, 90 bottom-up, 270 top-down.
double PdfRotation(int orientation);
// Pixels per inch of the device layout behind a PDF page of `resolution` units per inch: the smallest
// multiple of it that reaches 1440, so the layout's whole pixels stay well below a PDF unit. 0 for a
// resolution that is not positive.
long PdfLayoutResolution(long resolution);

// What the screen adds to a field in form-filling mode: its highlight colour, by the rules below.
struct VIEW_TEXT_STATE {
  BOOL formMode = FALSE;          // program mode 23
  BOOL highlightFields = FALSE;   // the view's "Highlight fields" switch
  COLORREF highlightColor = 0;    // the view's highlight colour
  BOOL mirroredNotLead = FALSE;   // a mirrored field that is not the marked lead of its group
  BOOL paragraphMarksOff = FALSE; // the main frame's switch
};
const COLORREF REQUIRED_FIELD_COLOR = 0xFFCCFF;
const COLORREF MIRRORED_FIELD_COLOR = 0x78FF78;
// FALSE when the field is not highlighted: labels, fields with a formula, anything outside form
// mode. A required empty field always is (0xFFCCFF); otherwise the view's switch decides.
BOOL FieldHighlight(const TEXT_FIELD_DATA& data, BOOL textEmpty, const VIEW_TEXT_STATE& view, COLORREF& color);
