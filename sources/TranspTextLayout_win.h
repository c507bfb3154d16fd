// The text field's drawing into a device context: the device path (printer and bitmaps, at a given
// resolution) and the view path (screen pixels at the view's zoom, with the field highlight and the
// paragraph marks). Works on raw HDCs, so printers, memory bitmaps and windows are drawn alike.
#pragma once
#include "TranspTextLayout.h"
#include "ViewGeometry.h"

// The style's font (lfHeight in tenths of a point, negative) as a pixel font for a device of dpiY,
// its height multiplied by `scale` (the view's font scale; 1 for devices).
HFONT CreateTextFont(const LOGFONTW& font, int dpiY, double scale);
int MeasureText(HDC dc, const CString& text);

// Comb output: one character per cell, centred horizontally and top-aligned at the cell's centre
// point. A closing "\r\n" is not drawn; an empty text draws nothing.
void SteppedTextOut(HDC dc, double x, double y, double dx, double dy, const CString& text);

// Everything one drawing of a text object needs, in the target's pixels.
struct TEXT_PAINT {
  std::vector<CString> lines;
  TEXT_GEOMETRY geometry = {};
  LOGFONTW font = {};          // lfHeight already in target pixels
  COLORREF textColor = 0;
  RECT textRect = {};          // box mode
  RECT naturalRect = {};       // as wide as the text
  BOOL border = FALSE;
  COLORREF borderColor = 0;
  int penStyle = PS_SOLID;
  int borderWidth = 1;
  BOOL highlight = FALSE;      // screen only
  COLORREF highlightColor = 0;
  BOOL paragraphMarks = FALSE; // screen only
  // The selected characters (screen only), from (startColumn, startLine) up to (endColumn, endLine);
  // drawn opaque in the system's highlight colours.
  BOOL selection = FALSE;
  int selStartColumn = 0, selStartLine = 0, selEndColumn = 0, selEndLine = 0;
};

// Device drawing at resolution dpi (printers and bitmaps): no highlight, no paragraph marks.
BOOL LayoutForDevice(HDC dc, const TEXT_FIELD_DATA& data, const std::vector<CString>& lines, POINT dpi,
                     double inchesPerUnit, TEXT_PAINT& out);
// How the view scales a text: its anchor in view pixels, view pixels per unit across and down, and
// the font scale (`GetFontScaleFactor`).
struct VIEW_SCALE {
  POINT anchor;
  double pixelsPerUnitX, pixelsPerUnitY;
  double fontScale;
};
VIEW_SCALE ViewScaleOf(const CViewGeometry& view, int x, int y, int liveDpiY);
// View drawing at the view's zoom, in view pixels. The font is a point font for the device scaled by
// the font scale, as the view's own fonts are.
BOOL LayoutForView(HDC dc, const TEXT_FIELD_DATA& data, const std::vector<CString>& lines, const VIEW_SCALE& scale,
                   const VIEW_TEXT_STATE& state, TEXT_PAINT& out);
// Draws the text; `found`, when given, receives the rectangle of the selected part (empty without).
void PaintText(HDC dc, const TEXT_PAINT& paint, RECT* found = nullptr);
