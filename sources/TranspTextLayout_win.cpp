#include "TranspTextLayout_win.h"

#include <cmath>
#include <cstdlib>

#include "ErrorLog.h"
#include "MyProcs.h"

namespace {

const wchar_t kPilcrow[] = L"\x00B6";

// Selects a GDI object for its lifetime and deletes it afterwards when it was made for the purpose.
class Selected {
 public:
  Selected(HDC dc, HGDIOBJ obj, BOOL owned) : dc_(dc), obj_(obj), owned_(owned), old_(SelectObject(dc, obj)) {}
  ~Selected() {
    SelectObject(dc_, old_);
    if (owned_) DeleteObject(obj_);
  }
  Selected(const Selected&) = delete;
  Selected& operator=(const Selected&) = delete;

 private:
  HDC dc_;
  HGDIOBJ obj_;
  BOOL owned_;
  HGDIOBJ old_;
};

TextMeasure MeasureOn(HDC dc) {
  return [dc](const CString& s) { return MeasureText(dc, s); };
}

// Widest line as GetViewStringSize measures it: comb lines by their cells.
int WidestLine(HDC dc, const std::vector<CString>& lines, BOOL comb, double cell) {
  int widest = 0;
  for (const CString& line : lines) {
    const CString text = WithoutLineEnd(line);
    const int w = comb ? static_cast<int>(text.GetLength() * cell) : MeasureText(dc, text);
    if (w > widest) widest = w;
  }
  return widest;
}

// Fills geometry and text rectangle once the target's pixel sizes are known.
struct PixelSizes {
  POINT anchor;
  double cell;
  int spacing, boxWidth, boxHeight, margin, borderWidth;
};

BOOL Finish(HDC dc, const TEXT_FIELD_DATA& data, const std::vector<CString>& lines, const PixelSizes& px,
            TEXT_PAINT& out) {
  const _OBJECT_STYLE& s = data.style;
  HFONT font = CreateFontIndirectW(&out.font);
  if (font == nullptr) return FALSE;
  Selected selected(dc, font, TRUE);
  TEXTMETRICW tm = {};
  GetTextMetricsW(dc, &tm);
  out.lines = lines;
  out.textColor = s.textColor;
  TEXT_GEOMETRY& g = out.geometry;
  g.orientation = TextOrientation(s);
  g.alignment = TextAlignment(s);
  g.anchor = px.anchor;
  g.lineHeight = tm.tmHeight;
  g.pitch = tm.tmHeight + px.spacing;
  g.comb = TextComb(s) != 0;
  g.cell = px.cell;
  TEXT_RECT_INPUT in = {};
  in.orientation = g.orientation;
  in.anchor = px.anchor;
  in.widest = WidestLine(dc, lines, g.comb, px.cell);
  in.lineHeight = tm.tmHeight;
  in.lineCount = lines.empty() ? 1 : static_cast<int>(lines.size());
  in.spacing = px.spacing;
  in.boxWidth = px.boxWidth;
  in.boxHeight = px.boxHeight;
  in.margin = px.margin;
  in.wordWrap = TextWordWrap(s) != 0;
  out.textRect = ComputeTextRect(in, TRUE);
  out.naturalRect = ComputeTextRect(in, FALSE);
  g.available = g.orientation == TEXT_LEFT_TO_RIGHT ? out.textRect.right - out.textRect.left
                                                    : out.textRect.bottom - out.textRect.top;
  out.border = TextBorder(s);
  out.borderColor = s.color;
  out.penStyle = s.penStyle >= PS_SOLID && s.penStyle <= PS_DASHDOTDOT ? s.penStyle : PS_SOLID;
  out.borderWidth = px.borderWidth < 1 ? 1 : px.borderWidth;
  return TRUE;
}

void DrawHighlight(HDC dc, const RECT& rc, COLORREF color) {
  LOGBRUSH brush = {BS_SOLID, color, 0};
  HPEN pen = ExtCreatePen(PS_COSMETIC | PS_ALTERNATE, 1, &brush, 0, nullptr);
  if (pen == nullptr) return;
  Selected selected(dc, pen, TRUE);
  // A dither: every other pixel, shifted by one on every other row.
  for (int y = rc.top + 1; y <= rc.bottom - 3; ++y) {
    MoveToEx(dc, rc.left + ((y - rc.top) & 1), y, nullptr);
    LineTo(dc, rc.right - 2, y);
  }
}

}  // namespace

HFONT CreateTextFont(const LOGFONTW& font, int dpiY, double scale) {
  LOGFONTW lf = font;
  lf.lfHeight = -RoundToInt(std::abs(font.lfHeight) * dpiY / 720.0 * scale);
  lf.lfWidth = 0;
  return CreateFontIndirectW(&lf);
}

int MeasureText(HDC dc, const CString& text) {
  if (text.IsEmpty()) return 0;
  SIZE size = {};
  GetTextExtentPoint32W(dc, text, text.GetLength(), &size);
  return size.cx;
}

void SteppedTextOut(HDC dc, double x, double y, double dx, double dy, const CString& line) {
  const CString text = WithoutLineEnd(line);
  if (text.IsEmpty()) return;
  const UINT oldAlign = SetTextAlign(dc, TA_CENTER | TA_TOP);
  const int w = static_cast<int>(std::fabs(dx)), h = static_cast<int>(std::fabs(dy));
  for (int i = 0; i < text.GetLength(); ++i) {
    const POINT p = CombCellPoint(x, y, dx, dy, i);
    const RECT clip = {p.x, p.y, p.x + w, p.y + h};
    const wchar_t ch = text[i];
    ExtTextOutW(dc, p.x, p.y, 0, &clip, &ch, 1, nullptr);
  }
  SetTextAlign(dc, oldAlign);
}

BOOL LayoutForDevice(HDC dc, const TEXT_FIELD_DATA& data, const std::vector<CString>& lines, POINT dpi,
                     double inchesPerUnit, TEXT_PAINT& out) {
  DEF_TRY
  if (dpi.x <= 0 || dpi.y <= 0) return FALSE;
  const _OBJECT_STYLE& s = data.style;
  const BOOL rotated = TextOrientation(s) != TEXT_LEFT_TO_RIGHT;
  const double alongDpi = rotated ? dpi.y : dpi.x, acrossDpi = rotated ? dpi.x : dpi.y;
  auto pixels = [inchesPerUnit](double units, double deviceDpi) { return units * inchesPerUnit * deviceDpi; };
  out.font = s.font;
  out.font.lfHeight = -RoundToInt(std::abs(s.font.lfHeight) * dpi.y / 720.0);
  out.font.lfWidth = 0;
  PixelSizes px = {};
  px.anchor = {static_cast<LONG>(std::floor(pixels(data.x, dpi.x))), static_cast<LONG>(std::floor(pixels(data.y, dpi.y)))};
  px.cell = pixels(TextCombCell(s), alongDpi);
  px.spacing = RoundToInt(pixels(TextLineSpacing(s), acrossDpi));
  px.boxWidth = RoundToInt(pixels(s.boxWidth, alongDpi));
  px.boxHeight = RoundToInt(pixels(s.boxHeight, acrossDpi));
  px.margin = RoundToInt(pixels(TEXT_BOX_MARGIN_UNITS, alongDpi));
  px.borderWidth = RoundToInt(pixels(s.lineWidth, dpi.x));
  out.highlight = FALSE;
  out.paragraphMarks = FALSE;
  return Finish(dc, data, lines, px, out);
  DEF_CATCH("CTranspText::DrawText")
  return FALSE;
}

VIEW_SCALE ViewScaleOf(const CViewGeometry& view, int x, int y, int liveDpiY) {
  VIEW_SCALE scale = {};
  scale.anchor = {x, y};
  view.UnitToPage(scale.anchor);
  view.PageToView(scale.anchor);
  scale.pixelsPerUnitX = view.PageToViewF(view.UnitToPageF(1, FALSE));
  scale.pixelsPerUnitY = view.PageToViewF(view.UnitToPageF(1, TRUE));
  scale.fontScale = view.GetFontScaleFactor(liveDpiY);
  return scale;
}

BOOL LayoutForView(HDC dc, const TEXT_FIELD_DATA& data, const std::vector<CString>& lines, const VIEW_SCALE& scale,
                   const VIEW_TEXT_STATE& state, TEXT_PAINT& out) {
  DEF_TRY
  const _OBJECT_STYLE& s = data.style;
  const BOOL rotated = TextOrientation(s) != TEXT_LEFT_TO_RIGHT;
  const double alongScale = rotated ? scale.pixelsPerUnitY : scale.pixelsPerUnitX;
  const double acrossScale = rotated ? scale.pixelsPerUnitX : scale.pixelsPerUnitY;
  out.font = s.font;
  out.font.lfHeight = -RoundToInt(std::abs(s.font.lfHeight) * scale.fontScale * GetDeviceCaps(dc, LOGPIXELSY) / 720.0);
  out.font.lfWidth = 0;
  PixelSizes px = {};
  px.anchor = scale.anchor;
  px.cell = TextCombCell(s) * alongScale;
  px.spacing = RoundToInt(TextLineSpacing(s) * acrossScale);
  px.boxWidth = RoundToInt(s.boxWidth * alongScale);
  px.boxHeight = RoundToInt(s.boxHeight * acrossScale);
  px.margin = RoundToInt(TEXT_BOX_MARGIN_UNITS * alongScale);
  px.borderWidth = RoundToInt(s.lineWidth * scale.pixelsPerUnitX);
  if (!Finish(dc, data, lines, px, out)) return FALSE;
  // The screen frames a field's border two pixels wider on the left; labels show none.
  out.border = out.border && !data.label;
  if (out.border) out.textRect.left -= 2;
  BOOL empty = TRUE;
  for (const CString& line : lines) empty = empty && line.IsEmpty();
  out.highlight = FieldHighlight(data, empty, state, out.highlightColor);
  out.paragraphMarks = !state.paragraphMarksOff;
  return TRUE;
  DEF_CATCH("CTranspText::DrawOnView")
  return FALSE;
}

namespace {

// The rectangle a run of `length` pixels from `origin` covers, one line high.
RECT RunRect(const TEXT_GEOMETRY& g, POINT origin, int length) {
  if (g.orientation == TEXT_BOTTOM_UP) return {origin.x, origin.y - length, origin.x + g.lineHeight, origin.y};
  if (g.orientation == TEXT_TOP_DOWN) return {origin.x - g.lineHeight, origin.y, origin.x, origin.y + length};
  return {origin.x, origin.y, origin.x + length, origin.y + g.lineHeight};
}

// Characters [from, to) of line i that are selected.
void SelectedRange(const TEXT_PAINT& p, int i, int length, int& from, int& to) {
  from = to = 0;
  if (!p.selection || i < p.selStartLine || i > p.selEndLine) return;
  from = i == p.selStartLine ? p.selStartColumn : 0;
  to = i == p.selEndLine ? p.selEndColumn : length;
  if (from < 0) from = 0;
  if (to > length) to = length;
  if (from > to) from = to;
}

}  // namespace

void PaintText(HDC dc, const TEXT_PAINT& p, RECT* found) {
  if (found != nullptr) *found = {0, 0, 0, 0};
  DEF_TRY
  const int saved = SaveDC(dc);
  if (p.highlight) DrawHighlight(dc, p.textRect, p.highlightColor);
  HFONT font = CreateFontIndirectW(&p.font);
  if (font != nullptr) {
    Selected selected(dc, font, TRUE);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, p.textColor);
    const TEXT_GEOMETRY& g = p.geometry;
    const TextMeasure measure = MeasureOn(dc);
    double dx = 0, dy = 0;
    CombStep(g, dx, dy);
    for (size_t i = 0; i < p.lines.size(); ++i) {
      const CString text = WithoutLineEnd(p.lines[i]);
      const int width = AlignedLineWidth(p.lines[i], g, measure);
      const POINT origin = LineOrigin(g, static_cast<int>(i), AlignmentOffset(g.alignment, g.available, width));
      // The line in up to three runs: before the selection, the selection, after it.
      int from = 0, to = 0;
      SelectedRange(p, static_cast<int>(i), text.GetLength(), from, to);
      const CString runs[3] = {text.Left(from), text.Mid(from, to - from), text.Mid(to)};
      int along = 0;
      for (int run = 0; run < 3; ++run) {
        const CString& part = runs[run];
        if (part.IsEmpty()) continue;
        const POINT at = AdvanceAlong(g, origin, along);
        const int length = g.comb ? static_cast<int>(part.GetLength() * g.cell) : MeasureText(dc, part);
        if (run == 1) {
          SetBkMode(dc, OPAQUE);
          SetBkColor(dc, GetSysColor(COLOR_HIGHLIGHT));
          SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
          if (found != nullptr) *found = RunRect(g, at, length);
        }
        if (g.comb)
          SteppedTextOut(dc, at.x, at.y, dx, dy, part);
        else
          TextOutW(dc, at.x, at.y, part, part.GetLength());
        if (run == 1) {
          SetBkMode(dc, TRANSPARENT);
          SetTextColor(dc, p.textColor);
        }
        along += length;
      }
      const BOOL endsParagraph = text.GetLength() != p.lines[i].GetLength() || i + 1 == p.lines.size();
      if (p.paragraphMarks && endsParagraph) {
        // The mark follows the line's last character along the writing direction.
        const double markAlong = g.comb ? text.GetLength() * g.cell : MeasureText(dc, text);
        const int sign = g.orientation == TEXT_BOTTOM_UP ? -1 : 1;
        const BOOL rotated = g.orientation != TEXT_LEFT_TO_RIGHT;
        const int mx = origin.x + (rotated ? 0 : static_cast<int>(markAlong));
        const int my = origin.y + (rotated ? sign * static_cast<int>(markAlong) : 0);
        TextOutW(dc, mx, my, kPilcrow, 1);
      }
    }
  }
  if (p.border) {
    LOGBRUSH brush = {BS_SOLID, p.borderColor, 0};
    HPEN pen = ExtCreatePen(PS_GEOMETRIC | PS_ENDCAP_SQUARE | p.penStyle, p.borderWidth, &brush, 0, nullptr);
    if (pen != nullptr) {
      Selected selectedPen(dc, pen, TRUE);
      Selected selectedBrush(dc, GetStockObject(HOLLOW_BRUSH), FALSE);
      Rectangle(dc, p.textRect.left, p.textRect.top, p.textRect.right, p.textRect.bottom);
    }
  }
  RestoreDC(dc, saved);
  DEF_CATCH("CTranspText::Draw")
}
