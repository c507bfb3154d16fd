// The text object's window side: measuring in the view, its rectangles and its drawing.
#include "TranspText.h"

#include <cstdlib>

#include "ErrorLog.h"
#include "MyProcs.h"

namespace {

// Margins of the repaint rectangle beyond the bounds, in units.
const int kRepaintMarginX = 4, kRepaintMarginY = 3;
// A long length converted through the view gives its scale with little rounding.
const int kScaleProbeUnits = 1000000;

// A device context to measure in: the view window's, or a memory one when there is no window.
class MeasureDC {
 public:
  explicit MeasureDC(CWnd* view) : window_(view != nullptr ? view->GetSafeHwnd() : nullptr) {
    dc_ = window_ != nullptr ? ::GetDC(window_) : ::CreateCompatibleDC(nullptr);
  }
  ~MeasureDC() {
    if (dc_ == nullptr) return;
    if (window_ != nullptr)
      ::ReleaseDC(window_, dc_);
    else
      ::DeleteDC(dc_);
  }
  MeasureDC(const MeasureDC&) = delete;
  MeasureDC& operator=(const MeasureDC&) = delete;
  HDC get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

}  // namespace

VIEW_SCALE CTranspText::GetViewScale() {
  VIEW_SCALE scale = {};
  const VIEW_CONVERSIONS* table = GetViewConversions();
  if (m_pView == nullptr || table == nullptr) {
    const double perUnit = GetInchesPerUnit() * 96;
    scale.anchor = {RoundToInt(m_x * perUnit), RoundToInt(m_y * perUnit)};
    scale.pixelsPerUnitX = scale.pixelsPerUnitY = perUnit;
    scale.fontScale = 1;
    return scale;
  }
  scale.anchor = {m_x, m_y};
  UnitToPage(&scale.anchor);
  PageToView(&scale.anchor);
  POINT probe = {kScaleProbeUnits, kScaleProbeUnits};
  UnitToPage(&probe);
  PageToView(&probe);
  scale.pixelsPerUnitX = static_cast<double>(probe.x) / kScaleProbeUnits;
  scale.pixelsPerUnitY = static_cast<double>(probe.y) / kScaleProbeUnits;
  scale.fontScale = table->GetFontScaleFactor != nullptr ? table->GetFontScaleFactor(m_pView) : 1;
  return scale;
}

BOOL CTranspText::LayoutOnView(HDC dc, TEXT_PAINT& out) {
  VIEW_TEXT_STATE state;
  if (s_textViewLink != nullptr && s_textViewLink->GetTextViewState != nullptr && m_pView != nullptr)
    s_textViewLink->GetTextViewState(m_pView, state);
  state.formMode = IsFormMode();
  state.mirroredNotLead = IsMirrored() && !m_pdfNameSet;
  if (!LayoutForView(dc, ToData(), m_lines, GetViewScale(), state, out)) return FALSE;
  // Tab-order mode draws every text in the frame colours, the focused one darker.
  if (IsTabOrderMode()) out.textColor = m_focused ? m_tabOrderFocusColor : m_tabOrderColor;
  return TRUE;
}

BOOL CTranspText::WithViewLayout(const std::function<void(const TEXT_PAINT&, const TextMeasure&)>& use) {
  DEF_TRY
  MeasureDC dc(m_pView);
  if (dc.get() == nullptr) return FALSE;
  TEXT_PAINT layout;
  if (!LayoutOnView(dc.get(), layout)) return FALSE;
  HFONT font = ::CreateFontIndirectW(&layout.font);
  if (font == nullptr) return FALSE;
  HGDIOBJ old = ::SelectObject(dc.get(), font);
  const TEXT_GEOMETRY& g = layout.geometry;
  HDC measureDc = dc.get();
  // Comb text is as wide as its cells, as the drawing places it.
  const TextMeasure measure = [&g, measureDc](const CString& s) {
    const CString text = WithoutLineEnd(s);
    return g.comb ? static_cast<int>(text.GetLength() * g.cell) : MeasureText(measureDc, text);
  };
  use(layout, measure);
  ::SelectObject(dc.get(), old);
  ::DeleteObject(font);
  return TRUE;
  DEF_CATCH("CTranspText::WithViewLayout")
  return FALSE;
}

BOOL CTranspText::WrapFor(TEXT_CHANGE change) {
  DEF_TRY
  if (m_lines.empty()) return TRUE;
  const int caret = CaretToIndex(m_lines, m_caretColumn, m_caretLine);
  std::vector<CString> lines = m_lines;
  BOOL taken = FALSE;
  if (!WithViewLayout([&](const TEXT_PAINT& layout, const TextMeasure& measure) {
        taken = WrapLines(GetText(), TextWordWrap(m_style), TextSingleLine(m_style), change, measure,
                          layout.geometry.available, lines);
      }))
    return FALSE;
  if (!taken) return FALSE;
  m_selStartColumn = m_selEndColumn = m_selStartLine = m_selEndLine = 0;
  m_lines.swap(lines);
  IndexToCaret(m_lines, caret, m_caretColumn, m_caretLine);
  return TRUE;
  DEF_CATCH("CTranspText::Wrap")
  return FALSE;
}

void CTranspText::Wrap() { WrapFor(TEXT_SET_BY_PROGRAM); }

BOOL CTranspText::SetText(LPCWSTR text, TEXT_CHANGE change) {
  DEF_TRY
  const std::vector<CString> before = m_lines;
  const int column = m_caretColumn, line = m_caretLine;
  m_lines.assign(1, CString(text != nullptr ? text : L""));
  if (WrapFor(change)) return TRUE;
  // A refused edit puts back the text and the caret exactly as they were.
  m_lines = before;
  m_caretColumn = column;
  m_caretLine = line;
  return FALSE;
  DEF_CATCH("CTranspText::SetText")
  return FALSE;
}

void CTranspText::GetTextRect(RECT* out, BOOL boxMode) {
  DEF_TRY
  if (out == nullptr) return;
  *out = {0, 0, 0, 0};
  MeasureDC dc(m_pView);
  TEXT_PAINT layout;
  if (dc.get() == nullptr || !LayoutOnView(dc.get(), layout)) return;
  *out = boxMode ? layout.textRect : layout.naturalRect;
  DEF_CATCH("CTranspText::GetTextRect")
}

void CTranspText::GetHeaderRect(RECT* out) {
  DEF_TRY
  if (out == nullptr) return;
  RECT text;
  GetTextRect(&text, TRUE);
  const BOOL on = s_textViewLink != nullptr && s_textViewLink->AreHeadersOn != nullptr && s_textViewLink->AreHeadersOn();
  int width = 0;
  if (on) {
    MeasureDC dc(m_pView);
    TEXT_PAINT layout;
    if (dc.get() != nullptr && LayoutOnView(dc.get(), layout)) width = layout.geometry.lineHeight;
  }
  *out = ComputeHeaderRect(text, width, on);
  DEF_CATCH("CTranspText::GetHeaderRect")
}

void CTranspText::GetBoundsRect(RECT* out, int textOnly) {
  DEF_TRY
  if (out == nullptr) return;
  GetTextRect(out, TRUE);
  if (!textOnly) {
    RECT header;
    GetHeaderRect(&header);
    if (!::IsRectEmpty(&header)) ::UnionRect(out, out, &header);
  }
  ViewToClient(out);
  ::InflateRect(out, 3, 3);
  DEF_CATCH("CTranspText::GetBoundsRect")
}

void CTranspText::GetRepaintRect(RECT* out) {
  DEF_TRY
  if (out == nullptr) return;
  GetBoundsRect(out, 0);
  const VIEW_SCALE scale = GetViewScale();
  ::InflateRect(out, 2 + RoundToInt(kRepaintMarginX * scale.pixelsPerUnitX),
                2 + RoundToInt(kRepaintMarginY * scale.pixelsPerUnitY));
  DEF_CATCH("CTranspText::GetRepaintRect")
}

RECT* CTranspText::GetAlignRect(RECT* out) {
  DEF_TRY
  if (out == nullptr) return out;
  GetTextRect(out, TRUE);
  const VIEW_SCALE scale = GetViewScale();
  if (scale.pixelsPerUnitX <= 0 || scale.pixelsPerUnitY <= 0) return out;
  // View pixels back to units through the same scale the drawing used.
  *out = {RoundToInt(out->left / scale.pixelsPerUnitX), RoundToInt(out->top / scale.pixelsPerUnitY),
          RoundToInt(out->right / scale.pixelsPerUnitX), RoundToInt(out->bottom / scale.pixelsPerUnitY)};
  DEF_CATCH("CTranspText::GetAlignRect")
  return out;
}

int CTranspText::GetLineHeight() {
  DEF_TRY
  MeasureDC dc(m_pView);
  TEXT_PAINT layout;
  if (dc.get() == nullptr || !LayoutOnView(dc.get(), layout)) return 0;
  const VIEW_SCALE scale = GetViewScale();
  if (scale.pixelsPerUnitY <= 0) return 0;
  return RoundToInt(layout.geometry.lineHeight / scale.pixelsPerUnitY);
  DEF_CATCH("CTranspText::GetLineHeight")
  return 0;
}

void CTranspText::Draw(CDC* dc, int print, POINT* dpi) {
  DEF_TRY
  if (dc == nullptr || IsDeleted()) return;
  HDC h = dc->GetSafeHdc();
  TEXT_PAINT paint;
  if (print) {
    const POINT resolution = dpi != nullptr ? *dpi : POINT{::GetDeviceCaps(h, LOGPIXELSX), ::GetDeviceCaps(h, LOGPIXELSY)};
    if (LayoutForDevice(h, ToData(), m_lines, resolution, GetInchesPerUnit(), paint)) PaintText(h, paint);
    return;
  }
  if (!LayoutOnView(h, paint)) return;
  HWND window = m_pView != nullptr ? m_pView->GetSafeHwnd() : nullptr;
  const BOOL caretShown = m_focused && window != nullptr && ::GetFocus() == window;
  if (caretShown) ::HideCaret(window);
  if (m_refreshing) {
    paint.highlight = FALSE;
    paint.border = FALSE;
  }
  // The selection runs from the earlier of its two ends to the later.
  const BOOL startFirst = m_selStartLine < m_selEndLine ||
                          (m_selStartLine == m_selEndLine && m_selStartColumn <= m_selEndColumn);
  paint.selection = m_selStartLine != m_selEndLine || m_selStartColumn != m_selEndColumn;
  paint.selStartLine = startFirst ? m_selStartLine : m_selEndLine;
  paint.selStartColumn = startFirst ? m_selStartColumn : m_selEndColumn;
  paint.selEndLine = startFirst ? m_selEndLine : m_selStartLine;
  paint.selEndColumn = startFirst ? m_selEndColumn : m_selStartColumn;
  RECT found;
  PaintText(h, paint, &found);
  if (paint.selection) m_foundRect = found;
  if (caretShown) PlaceCaret();
  if (m_refreshing) return;
  DrawStateFrames(dc, paint);
  DEF_CATCH("CTranspText::Draw")
}

namespace {

// A dotted rectangle (frame only) around `r`; nothing for an empty rectangle.
void DottedRect(HDC dc, const RECT& r, COLORREF color) {
  if (::IsRectEmpty(&r)) return;
  HPEN pen = ::CreatePen(PS_DOT, 1, color);
  HGDIOBJ oldPen = ::SelectObject(dc, pen);
  HGDIOBJ oldBrush = ::SelectObject(dc, ::GetStockObject(NULL_BRUSH));
  const int oldBk = ::SetBkMode(dc, TRANSPARENT);
  ::Rectangle(dc, r.left, r.top, r.right, r.bottom);
  ::SetBkMode(dc, oldBk);
  ::SelectObject(dc, oldBrush);
  ::SelectObject(dc, oldPen);
  ::DeleteObject(pen);
}

}  // namespace

void CTranspText::DrawStateFrames(CDC* dc, const TEXT_PAINT& paint) {
  HDC h = dc->GetSafeHdc();
  const RECT& r = paint.textRect;
  const BOOL headersOn =
      s_textViewLink != nullptr && s_textViewLink->AreHeadersOn != nullptr && s_textViewLink->AreHeadersOn();
  const RECT header = ComputeHeaderRect(r, paint.geometry.lineHeight, headersOn);
  // A label marks its header with a square inset by a fifth of the header's width.
  RECT square = header;
  const int inset = (header.right - header.left) / 5;
  ::InflateRect(&square, -inset, -inset);
  const BOOL form = IsFormMode();
  auto frames = [&](COLORREF color, BOOL withHeader) {
    DottedRect(h, r, color);
    if (!withHeader) return;
    DottedRect(h, header, color);
    if (m_label) DottedRect(h, square, color);
  };
  if (m_selected) {
    DrawSelectFrame(dc, r.left, r.top, r.right, r.bottom, 1);
    if (!paint.border) frames(0x000000, TRUE);
  } else if (m_frozen) {
    DrawFreezeFrame(dc, r.left, r.top, r.right, r.bottom);
  } else if (m_focused && !form) {
    const COLORREF color = IsMirrored() && !m_pdfNameSet ? MIRRORED_FIELD_COLOR : m_label ? 0xB4B4B4 : 0xFF0000;
    frames(color, !IsTabOrderMode());
    HideViewCaret();
    DrawTextFocusFrame(dc, r, TextOrientation(m_style));
  } else if (!form && (!m_label || IsEmpty())) {
    // Design mode shows where every field lies; a label only while it has no text to show.
    frames(0xFF0000, TRUE);
  }
}

void CTranspText::DrawTextFocusFrame(CDC* dc, const RECT& r, int orientation) {
  const int midX = (r.left + r.right) / 2, midY = (r.top + r.bottom) / 2;
  const POINT tl = {r.left, r.top}, tr = {r.right, r.top}, bl = {r.left, r.bottom}, br = {r.right, r.bottom};
  // The fixed corners get circles, the resize handles squares; which is which follows the writing.
  struct Marks {
    POINT circles[3];
    POINT squares[3];
  };
  const Marks marks[] = {
      {{tl, tr, bl}, {br, {r.right, midY}, {midX, r.bottom}}},  // left to right
      {{tl, bl, br}, {tr, {r.right, midY}, {midX, r.top}}},     // bottom-up
      {{tl, tr, br}, {bl, {r.left, midY}, {midX, r.bottom}}},   // top-down
  };
  const Marks& m = marks[orientation >= 0 && orientation <= 2 ? orientation : 0];
  for (const POINT& p : m.circles) DrawFocusCircle(dc, p.x, p.y);
  for (const POINT& p : m.squares) DrawFocusSquare(dc, p.x, p.y);
}
