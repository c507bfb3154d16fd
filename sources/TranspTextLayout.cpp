#include "TranspTextLayout.h"

#include <cmath>

#include "ErrorLog.h"

CString WithoutLineEnd(const CString& line) {
  const int n = line.GetLength();
  if (n >= 2 && line[n - 2] == _T('\r') && line[n - 1] == _T('\n')) return line.Left(n - 2);
  return line;
}

int GetWrapIndex(const CString& text, const TextMeasure& measure, int available) {
  DEF_TRY
  if (text.IsEmpty()) return 1;
  CString candidate = text;
  BOOL cut = FALSE, spaceFound = FALSE;
  while (!candidate.IsEmpty() && measure(candidate) > available) {
    const int space = candidate.ReverseFind(_T(' '));
    if (space > 0) {
      candidate = candidate.Left(space);
      spaceFound = TRUE;
    } else {
      candidate = candidate.Left(candidate.GetLength() - 1);
    }
    cut = TRUE;
  }
  if (!cut) return text.GetLength();
  // A breaking space stays at the end of its line; a word without one is cut where it still fits.
  int n = spaceFound && candidate.GetLength() < text.GetLength() && text[candidate.GetLength()] == _T(' ')
              ? candidate.GetLength() + 1
              : candidate.GetLength();
  if (n < 1) n = 1;
  return n;
  DEF_CATCH("CTranspText::GetWrapIndex")
  return text.IsEmpty() ? 1 : text.GetLength();
}

namespace {

std::vector<CString> Paragraphs(const CString& text) {
  std::vector<CString> out;
  int start = 0;
  for (;;) {
    const int end = text.Find(_T("\r\n"), start);
    if (end < 0) break;
    out.push_back(text.Mid(start, end + 2 - start));
    start = end + 2;
  }
  out.push_back(text.Mid(start));  // the rest, empty after a closing "\r\n": the caret's last line
  return out;
}

}  // namespace

std::vector<CString> BreakText(const CString& text, BOOL wordWrap, const TextMeasure& measure, int available) {
  std::vector<CString> lines;
  for (const CString& paragraph : Paragraphs(text)) {
    if (!wordWrap || paragraph.IsEmpty()) {
      lines.push_back(paragraph);
      continue;
    }
    CString rest = paragraph;
    while (!rest.IsEmpty()) {
      int n = GetWrapIndex(rest, measure, available);
      // Never part a "\r\n".
      if (n < rest.GetLength() && n > 0 && rest[n - 1] == _T('\r') && rest[n] == _T('\n')) ++n;
      lines.push_back(rest.Left(n));
      rest = rest.Mid(n);
    }
  }
  return lines;
}

BOOL WrapLines(const CString& text, BOOL wordWrap, BOOL singleLine, TEXT_CHANGE change, const TextMeasure& measure,
               int available, std::vector<CString>& lines) {
  DEF_TRY
  std::vector<CString> next = BreakText(text, wordWrap, measure, available);
  if (singleLine && next.size() > 1 && change == TEXT_TYPED_BY_USER) return FALSE;
  lines.swap(next);
  return TRUE;
  DEF_CATCH("CTranspText::Wrap")
  return FALSE;
}

int CaretToIndex(const std::vector<CString>& lines, int column, int line) {
  int index = 0;
  for (int i = 0; i < line && i < static_cast<int>(lines.size()); ++i) index += lines[i].GetLength();
  return index + column;
}

void IndexToCaret(const std::vector<CString>& lines, int index, int& column, int& line) {
  line = 0;
  column = 0;
  if (lines.empty()) return;
  for (size_t i = 0; i < lines.size(); ++i) {
    const int length = WithoutLineEnd(lines[i]).GetLength();
    const int whole = lines[i].GetLength();
    if (index <= length || i + 1 == lines.size()) {
      line = static_cast<int>(i);
      column = index < length ? (index < 0 ? 0 : index) : length;
      return;
    }
    index -= whole;
    if (index < 0) index = 0;
  }
}

int AlignedLineWidth(const CString& line, const TEXT_GEOMETRY& g, const TextMeasure& measure) {
  const CString text = WithoutLineEnd(line);
  if (g.comb) return static_cast<int>(text.GetLength() * g.cell);
  if (g.alignment == TEXT_ALIGN_RIGHT && !text.IsEmpty() && text[text.GetLength() - 1] == _T(' '))
    return measure(text.Left(text.GetLength() - 1));
  return measure(text);
}

double AlignmentOffset(int alignment, int available, int width) {
  if (alignment == TEXT_ALIGN_CENTRE) return (available - width) * 0.5;
  if (alignment == TEXT_ALIGN_RIGHT) return available - width;
  return 0;
}

POINT LineOrigin(const TEXT_GEOMETRY& g, int i, double offset) {
  const int x = g.anchor.x, y = g.anchor.y;
  const int along = static_cast<int>(offset);
  switch (g.orientation) {
    case TEXT_BOTTOM_UP:
      return {x - g.lineHeight + i * g.pitch, y - along};
    case TEXT_TOP_DOWN:
      return {x + g.lineHeight - i * g.pitch, y + along};
    default:
      return {x + along, y - g.lineHeight + i * g.pitch};
  }
}

POINT AdvanceAlong(const TEXT_GEOMETRY& g, POINT origin, int along) {
  if (g.orientation == TEXT_BOTTOM_UP) return {origin.x, origin.y - along};
  if (g.orientation == TEXT_TOP_DOWN) return {origin.x, origin.y + along};
  return {origin.x + along, origin.y};
}

void CombStep(const TEXT_GEOMETRY& g, double& dx, double& dy) {
  dx = g.orientation == TEXT_LEFT_TO_RIGHT ? g.cell : 0;
  dy = g.orientation == TEXT_BOTTOM_UP ? -g.cell : g.orientation == TEXT_TOP_DOWN ? g.cell : 0;
}

POINT CombCellPoint(double x, double y, double dx, double dy, int i) {
  return {static_cast<LONG>(x + i * dx + dx * 0.5), static_cast<LONG>(y + i * dy + dy * 0.5)};
}

double PdfFontSize(const LOGFONTW& font) { return std::fabs(static_cast<double>(font.lfHeight)) / 10.0; }

BOOL PdfBold(const LOGFONTW& font) { return font.lfWeight > FW_NORMAL; }

double PdfRotation(int orientation) {
  if (orientation == TEXT_BOTTOM_UP) return 90;
  if (orientation == TEXT_TOP_DOWN) return 270;
  return 0;
}

long PdfLayoutResolution(long resolution) {
  const long kFinest = 1440;
  if (resolution <= 0) return 0;
  if (resolution >= kFinest) return resolution;
  return resolution * ((kFinest + resolution - 1) / resolution);
}

RECT ComputeTextRect(const TEXT_RECT_INPUT& in, BOOL boxMode) {
  const int h = in.lineHeight, s = in.spacing, n = in.lineCount;
  int across = n * (h + s) - s;
  if (boxMode && across < in.boxHeight) across = in.boxHeight;
  int along = in.widest;
  if (boxMode) {
    if (in.wordWrap || in.widest < in.boxWidth)
      along = in.boxWidth + in.margin;
    else
      along = in.widest + in.margin;
  }
  const int x = in.anchor.x, y = in.anchor.y;
  switch (in.orientation) {
    case TEXT_BOTTOM_UP: {
      const int left = x - h;
      return {left, y - along, left + across, y};
    }
    case TEXT_TOP_DOWN: {
      const int right = x + h + s;
      int acrossDown = n * (h + s);
      if (boxMode && acrossDown < in.boxHeight) acrossDown = in.boxHeight;
      return {right - acrossDown, y, right, y + along};
    }
    default:
      return {x, y - h, x + along, y - h + across};
  }
}

RECT ComputeHeaderRect(const RECT& textRect, int headerWidth, BOOL headersOn) {
  if (!headersOn) return {textRect.left, textRect.top, textRect.left, textRect.top};
  return {textRect.left - headerWidth - 2, textRect.top, textRect.left - 2, textRect.bottom};
}

BOOL FieldHighlight(const TEXT_FIELD_DATA& data, BOOL textEmpty, const VIEW_TEXT_STATE& view, COLORREF& color) {
  if (data.label || !view.formMode || data.HasFormula()) return FALSE;
  if (data.style.requiredForFilling && textEmpty) {
    color = REQUIRED_FIELD_COLOR;
    return TRUE;
  }
  if (!view.highlightFields) return FALSE;
  color = view.mirroredNotLead ? MIRRORED_FIELD_COLOR : view.highlightColor;
  return TRUE;
}
