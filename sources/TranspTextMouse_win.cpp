// The text object under the mouse: hit codes of the box, the caret from a point, selecting by
// dragging and double-click, moving the box by its edges or header, resizing it by its handles, and
// text drag and drop. Every position comes from the layout the drawing uses.
#include "TranspText.h"

#include <algorithm>

#include "ErrorLog.h"
#include "MyProcs.h"

UINT CTranspText::s_moveCursorId = 192;

namespace {

RECT Normalized(RECT r) {
  if (r.left > r.right) std::swap(r.left, r.right);
  if (r.top > r.bottom) std::swap(r.top, r.bottom);
  return r;
}

HWND ViewWindowOf(CWnd* view) { return view != nullptr ? view->GetSafeHwnd() : nullptr; }

// The cursor of a handle: diagonal for the corners that resize, across or along for the middles.
LPCWSTR HandleCursor(int code) {
  switch (code) {
    case TEXT_HIT_BOTTOM_RIGHT: return IDC_SIZENWSE;
    case TEXT_HIT_TOP_RIGHT:
    case TEXT_HIT_BOTTOM_LEFT: return IDC_SIZENESW;
    case TEXT_HIT_LEFT_MIDDLE:
    case TEXT_HIT_RIGHT_MIDDLE: return IDC_SIZEWE;
    case TEXT_HIT_TOP_MIDDLE:
    case TEXT_HIT_BOTTOM_MIDDLE: return IDC_SIZENS;
    default: return nullptr;
  }
}

}  // namespace

// ---- Geometry of the mouse ----

POINT CTranspText::ClientToViewPoint(int x, int y) {
  // The view origin in client pixels is minus the scroll position; this keeps the point exact at
  // every zoom.
  POINT origin = {0, 0};
  ViewToClient(&origin);
  return {x - origin.x, y - origin.y};
}

int CTranspText::GetCaptureTextBox(int x, int y) {
  DEF_TRY
  RECT r;
  GetTextRect(&r, TRUE);
  return TextHitCode(r, TextOrientation(m_style), {x, y});
  DEF_CATCH("CTranspText::GetCaptureTextBox")
  return TEXT_HIT_NONE;
}

TEXT_CARET CTranspText::GetCaretPosFromPoint(int x, int y) {
  TEXT_CARET caret = {0, 0};
  DEF_TRY
  WithViewLayout([&](const TEXT_PAINT& p, const TextMeasure& measure) {
    caret = CaretFromPoint(m_lines, p.geometry, p.textRect, {x, y}, measure);
  });
  DEF_CATCH("CTranspText::GetCaretPosFromPoint")
  return caret;
}

int CTranspText::GetCaretPosFromSize(int line, int along) {
  int column = 0;
  DEF_TRY
  WithViewLayout([&](const TEXT_PAINT& p, const TextMeasure& measure) {
    column = ColumnAtAlong(m_lines, p.geometry, line, along, measure);
  });
  DEF_CATCH("CTranspText::GetCaretPosFromSize")
  return column;
}

BOOL CTranspText::PointInSelection(POINT viewPoint) {
  if (!HasSelection()) return FALSE;
  RECT r;
  GetTextRect(&r, TRUE);
  r = Normalized(r);
  if (!::PtInRect(&r, viewPoint)) return FALSE;
  BOOL inside = FALSE;
  WithViewLayout([&](const TEXT_PAINT& p, const TextMeasure& measure) {
    // The character under the point, not the nearest boundary: its whole cell belongs to it.
    const TEXT_CARET under = CaretFromPoint(m_lines, p.geometry, p.textRect, viewPoint, measure, FALSE);
    const int index = GetCharIndexFromCaretPos(under.column, under.line);
    int from = 0, to = 0;
    SelectionRange(from, to);
    inside = index >= from && index < to && under.column < LineEndColumn(m_lines, under.line);
  });
  return inside;
}

int CTranspText::GetMinimalWidth() {
  int units = 0;
  DEF_TRY
  const VIEW_SCALE scale = GetViewScale();
  const BOOL rotated = TextOrientation(m_style) != TEXT_LEFT_TO_RIGHT;
  const double perUnit = rotated ? scale.pixelsPerUnitY : scale.pixelsPerUnitX;
  int pixels = 0;
  WithViewLayout([&](const TEXT_PAINT&, const TextMeasure& measure) { pixels = measure(L"W"); });
  pixels = std::max(pixels, 5);
  units = perUnit > 0 ? RoundToInt(pixels / perUnit) : 0;
  DEF_CATCH("CTranspText::GetMinimalWidth")
  return units;
}

// ---- Caret on the screen ----

void CTranspText::PlaceCaret() {
  HWND window = ViewWindowOf(m_pView);
  if (window == nullptr || ::GetFocus() != window) return;
  WithViewLayout([&](const TEXT_PAINT& p, const TextMeasure& measure) {
    const TEXT_GEOMETRY& g = p.geometry;
    POINT at = CaretPoint(m_lines, g, GetCaret(), measure);
    // One line high across the writing direction; the glyphs' tops face right when written downwards.
    const BOOL rotated = g.orientation != TEXT_LEFT_TO_RIGHT;
    const int width = rotated ? g.lineHeight : 1, height = rotated ? 1 : g.lineHeight;
    if (g.orientation == TEXT_TOP_DOWN) at.x -= g.lineHeight;
    ViewToClient(&at);
    ::CreateCaret(window, nullptr, width, height);
    ::SetCaretPos(at.x, at.y);
    ::ShowCaret(window);
  });
}

void CTranspText::RefreshView() {
  DEF_TRY
  HWND window = ViewWindowOf(m_pView);
  if (window == nullptr) return;
  HDC dc = ::GetDC(window);
  if (dc == nullptr) return;
  POINT origin = {0, 0};
  ViewToClient(&origin);
  ::SetViewportOrgEx(dc, origin.x, origin.y, nullptr);
  CDC cdc;
  cdc.Attach(dc);
  m_refreshing = 1;
  Draw(&cdc, 0, nullptr);
  m_refreshing = 0;
  cdc.Detach();
  ::ReleaseDC(window, dc);
  DEF_CATCH("CTranspText::RefreshView")
  m_refreshing = 0;
}

// ---- Buttons ----

int CTranspText::OnLButtonDown(UINT flags, int x, int y) {
  DEF_TRY
  const POINT client = {x, y};
  const POINT at = ClientToViewPoint(x, y);
  const BOOL form = IsFormMode();
  const int code = GetCaptureTextBox(at.x, at.y);
  if (code != TEXT_HIT_NONE && code != TEXT_HIT_INSIDE) {
    // The frame: edges move the box, handles resize it. Filling in a form edits only the text.
    if (form) return 1;
    SavePosition();
    if (flags & MK_CONTROL) {
      BeginDrag();
      return 1;
    }
    m_tracking = 1;
    m_lastMousePoint = client;
    m_captureCode = code;
    MovingFlag() = IsEdgeHit(code) ? 1 : 0;
    GetRepaintRect(&m_mouseDownRepaint);
    GetAlignRect(&m_resizeRect);
    m_resizeRect = Normalized(m_resizeRect);
    m_widthChanged = 0;
    if (!m_focused) SetFocused(1);
    return 1;
  }
  m_lastMousePoint = client;
  m_tracking = 1;
  RECT header;
  GetHeaderRect(&header);
  if (code == TEXT_HIT_NONE && !::IsRectEmpty(&header) && ::PtInRect(&header, at)) {
    if (form) return 1;
    if (flags & MK_CONTROL) {
      m_tracking = 0;
      BeginDrag();
      return 1;
    }
    // The header carries the box.
    if (!m_focused) SetFocused(1);
    SavePosition();
    MovingFlag() = 1;
    return 1;
  }
  if (PointInSelection(at)) {
    DragSelectedText(at);
    return 1;
  }
  const BOOL hadSelection = HasSelection();
  // The focus first: a number changes to its edit form, and the caret is found in that text.
  const BOOL wasFocused = m_focused;
  if (!wasFocused) SetFocused(1);
  const TEXT_CARET caret = GetCaretPosFromPoint(at.x, at.y);
  SetCaret(caret);
  WithViewLayout([&](const TEXT_PAINT& p, const TextMeasure& measure) {
    m_rememberedCaretX = CaretAlong(m_lines, p.geometry, caret, measure);
  });
  m_lastKeyVertical = 0;
  ClearSelection();
  if (wasFocused && !hadSelection)
    RefreshView();
  else
    Repaint();
  // The selection grows from here while the button is held.
  m_selStartColumn = m_selEndColumn = caret.column;
  m_selStartLine = m_selEndLine = caret.line;
  return 1;
  DEF_CATCH("CTranspText::OnLButtonDown")
  return 0;
}

void CTranspText::OnLButtonUp(UINT flags, int x, int y) {
  (void)flags;
  (void)x;
  (void)y;
  DEF_TRY
  m_tracking = 0;
  MovingFlag() = 0;
  if (m_captureCode != TEXT_HIT_NONE) {
    if (m_widthChanged) Wrap();
    m_widthChanged = 0;
    m_captureCode = TEXT_HIT_NONE;
    Repaint(&m_mouseDownRepaint);
    return;
  }
  // Shift with the keys extends from the start: the earlier end comes first.
  if (GetSelectionEnd() < GetSelectionStart()) {
    std::swap(m_selStartColumn, m_selEndColumn);
    std::swap(m_selStartLine, m_selEndLine);
  }
  DEF_CATCH("CTranspText::OnLButtonUp")
}

void CTranspText::OnLButtonDblClk(UINT flags, int x, int y) {
  (void)flags;
  DEF_TRY
  if (m_lines.empty()) return;
  const POINT at = ClientToViewPoint(x, y);
  const TEXT_CARET caret = GetCaretPosFromPoint(at.x, at.y);
  const CString line = WithoutLineEnd(m_lines[caret.line]);
  const int end = FindNextWord(line, caret.column, 0);
  const int start = FindNextWord(line, end, 1);
  int stop = end;
  while (stop > start && (line[stop - 1] == _T(' ') || line[stop - 1] == _T('\t'))) --stop;
  m_selStartColumn = start;
  m_selEndColumn = stop;
  m_selStartLine = m_selEndLine = caret.line;
  SetCaret({stop, caret.line});
  Repaint();
  DEF_CATCH("CTranspText::OnLButtonDblClk")
}

// ---- Moves ----

int CTranspText::OnMouseMove(UINT flags, int x, int y) {
  DEF_TRY
  int code = m_captureCode;
  if (code == TEXT_HIT_NONE) {
    const POINT at = ClientToViewPoint(x, y);
    code = GetCaptureTextBox(at.x, at.y);
  }
  if (code <= TEXT_HIT_BOTTOM) return OnMouseMoveTextBox(flags, x, y);
  return OnMouseMoveGraphClass(flags, x, y);
  DEF_CATCH("CTranspText::OnMouseMove")
  return 0;
}

int CTranspText::OnMouseMoveTextBox(UINT flags, int x, int y) {
  DEF_TRY
  // The base turns a move out of the window into a drag of the whole object.
  if (!CTranspBaseClass::OnMouseMove(flags, x, y) || m_ownDrag) return 0;
  const POINT at = ClientToViewPoint(x, y);
  if (m_tracking && MovingFlag()) {
    POINT from = m_lastMousePoint, to = {x, y};
    ClientToPage(&from);
    PageToUnit(&from);
    ClientToPage(&to);
    PageToUnit(&to);
    if (to.x != from.x || to.y != from.y) {
      RECT before = {};
      GetRepaintRect(&before);
      MoveBy(to.x - from.x, to.y - from.y);
      Repaint(&before);
    }
    m_lastMousePoint = {x, y};
    return 1;
  }
  if (m_tracking) {
    const TEXT_CARET caret = GetCaretPosFromPoint(at.x, at.y);
    if (caret != GetCaret()) {
      SetCaret(caret);
      m_selEndColumn = caret.column;
      m_selEndLine = caret.line;
      Repaint();
    }
    return 1;
  }
  HWND window = ViewWindowOf(m_pView);
  if (window != nullptr) ::SetClassLongPtrW(window, GCLP_HCURSOR, 0);
  const BOOL form = IsFormMode();
  const int code = GetCaptureTextBox(at.x, at.y);
  RECT header;
  GetHeaderRect(&header);
  const BOOL onHeader = code == TEXT_HIT_NONE && !::IsRectEmpty(&header) && ::PtInRect(&header, at);
  if (PointInSelection(at) || (form && onHeader)) {
    ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
  } else if (code == TEXT_HIT_INSIDE) {
    ::SetCursor(::LoadCursorW(nullptr, IDC_IBEAM));
  } else if ((IsEdgeHit(code) || onHeader) && !form) {
    HCURSOR cursor = ::LoadCursorW(AfxGetResourceHandle(), MAKEINTRESOURCEW(s_moveCursorId));
    ::SetCursor(cursor != nullptr ? cursor : ::LoadCursorW(nullptr, IDC_SIZEALL));
  }
  return 1;
  DEF_CATCH("CTranspText::OnMouseMoveTextBox")
  return 0;
}

int CTranspText::OnMouseMoveGraphClass(UINT flags, int x, int y) {
  (void)flags;
  DEF_TRY
  if (m_tracking) {
    ResizeTextBox(x, y);
    return 1;
  }
  if (IsFormMode()) return 1;
  const POINT at = ClientToViewPoint(x, y);
  SetHandleCursor(GetCaptureTextBox(at.x, at.y));
  return 1;
  DEF_CATCH("CTranspText::OnMouseMoveGraphClass")
  return 0;
}

void CTranspText::SetHandleCursor(int code) {
  const int orientation = TextOrientation(m_style);
  LPCWSTR shape = ResizeParts(orientation, code) != RESIZE_NONE ? HandleCursor(code) : nullptr;
  if (shape != nullptr) {
    ::SetCursor(::LoadCursorW(nullptr, shape));
    return;
  }
  if (code == TEXT_HIT_INSIDE) {
    HCURSOR cursor = ::LoadCursorW(AfxGetResourceHandle(), MAKEINTRESOURCEW(s_moveCursorId));
    if (cursor != nullptr) ::SetCursor(cursor);
  }
}

void CTranspText::ResizeTextBox(int x, int y) {
  const int orientation = TextOrientation(m_style);
  const int parts = ResizeParts(orientation, m_captureCode);
  if (parts == RESIZE_NONE || IsFormMode()) return;
  POINT p = {x, y};
  ClientToPage(&p);
  PageToUnit(&p);
  int width = m_style.boxWidth, height = m_style.boxHeight;
  ResizedBox(orientation, m_captureCode, m_resizeRect, p, width, height);
  // Smaller than a short string along a dragged direction: that part stays.
  const int minimal = GetMinimalWidth();
  if (width < minimal) width = m_style.boxWidth;
  if (height < minimal) height = m_style.boxHeight;
  if (width == m_style.boxWidth && height == m_style.boxHeight) return;
  RECT before = {};
  GetRepaintRect(&before);
  if (width != m_style.boxWidth) m_widthChanged = 1;
  m_style.boxWidth = width;
  m_style.boxHeight = height;
  Repaint(&before);
}

// ---- Drag and drop ----

void CTranspText::DragSelectedText(POINT viewPoint) {
  HGLOBAL text = GetSelectedTextGlobal();
  if (text == nullptr) return;
  COleDataSource source;
  source.CacheGlobalData(CF_UNICODETEXT, text);
  // OnDrop sees this flag when the text lands in this object again, and marks that it did.
  m_ownDrag = 1;
  const DROPEFFECT effect = source.DoDragDrop(DROPEFFECT_COPY | DROPEFFECT_MOVE);
  const BOOL droppedHere = m_ownDrag == 2;
  m_ownDrag = 0;
  m_tracking = 0;
  if (effect == DROPEFFECT_NONE) {
    SetCaret(GetCaretPosFromPoint(viewPoint.x, viewPoint.y));
    ClearSelection();
    Repaint();
  } else if (effect == DROPEFFECT_MOVE && !droppedHere && HasSelection()) {
    RECT before = {};
    GetRepaintRect(&before);
    RememberBeforeKey();
    DeleteSelection();
    ClearSelection();
    Repaint(&before);
  }
}

int CTranspText::OnDragOver(COleDataObject* data, DWORD keyState, CPoint point) {
  DEF_TRY
  if (data == nullptr || !data->IsDataAvailable(CF_UNICODETEXT)) return DROPEFFECT_NONE;
  if ((keyState & MK_CONTROL) && (keyState & MK_SHIFT)) return DROPEFFECT_NONE;
  const POINT at = ClientToViewPoint(point.x, point.y);
  RECT r;
  GetTextRect(&r, TRUE);
  r = Normalized(r);
  if (!::PtInRect(&r, at)) return DROPEFFECT_NONE;
  SetCaret(GetCaretPosFromPoint(at.x, at.y));
  if (!m_focused) SetFocused(1);
  PlaceCaret();
  return (keyState & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
  DEF_CATCH("CTranspText::OnDragOver")
  return DROPEFFECT_NONE;
}

int CTranspText::OnDrop(COleDataObject* data, DROPEFFECT effect, CPoint point) {
  DEF_TRY
  if (data == nullptr || (effect != DROPEFFECT_COPY && effect != DROPEFFECT_MOVE)) return 0;
  HGLOBAL block = data->GetGlobalData(CF_UNICODETEXT);
  if (block == nullptr) return 0;
  CString text;
  const SIZE_T chars = ::GlobalSize(block) / sizeof(wchar_t);
  if (const wchar_t* p = static_cast<const wchar_t*>(::GlobalLock(block))) {
    SIZE_T n = 0;
    while (n < chars && p[n] != 0) ++n;
    text = CString(p, static_cast<int>(n));
    ::GlobalUnlock(block);
  }
  ::GlobalFree(block);
  const POINT at = ClientToViewPoint(point.x, point.y);
  const TEXT_CARET caret = GetCaretPosFromPoint(at.x, at.y);
  int index = GetCharIndexFromCaretPos(caret.column, caret.line);
  if (m_ownDrag && HasSelection()) {
    if (effect == DROPEFFECT_MOVE) {
      // Our own selection moves: it goes first, and a drop point behind it moves back with the text.
      int from = 0, to = 0;
      SelectionRange(from, to);
      if (index >= to)
        index -= to - from;
      else if (index > from)
        index = from;
      RememberBeforeKey();
      DeleteSelection();
    }
    m_ownDrag = 2;
  }
  ClearSelection();
  SetCaretPosition(index);
  Paste(text, 0);
  return 1;
  DEF_CATCH("CTranspText::OnDrop")
  return 0;
}

void CTranspText::BeginDrag() {
  DEF_TRY
  const UINT format = GetClipboardFormat();
  if (format == 0) return;
  HGLOBAL data = GetObData();
  if (data == nullptr) return;
  // The source owns both blocks from here and frees them when the drag is over.
  COleDataSource source;
  source.CacheGlobalData(static_cast<CLIPFORMAT>(format), data);
  HGLOBAL text = CopyStringToGlobal(GetText());
  if (text != nullptr) source.CacheGlobalData(CF_UNICODETEXT, text);
  source.DoDragDrop(DROPEFFECT_COPY);
  DEF_CATCH("CTranspText::BeginDrag")
}
