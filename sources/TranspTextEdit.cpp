// Typing into a text object: the caret and the selection, the keys and characters, the clipboard,
// the commit of a typed number when the object loses the focus, and the box commands.
#include "TranspText.h"

#include <algorithm>
#include <clocale>

#include "ErrorLog.h"
#include "MyProcs.h"

namespace {

const UINT kBackspace = 8, kEnter = 13, kEscape = 27, kDeleteChar = 127;

// The text of a CF_UNICODETEXT block, bounded by the block's size.
CString GlobalText(HGLOBAL block) {
  CString text;
  if (block == nullptr) return text;
  const SIZE_T chars = ::GlobalSize(block) / sizeof(wchar_t);
  const wchar_t* p = static_cast<const wchar_t*>(::GlobalLock(block));
  if (p == nullptr) return text;
  SIZE_T n = 0;
  while (n < chars && p[n] != 0) ++n;
  text = CString(p, static_cast<int>(n));
  ::GlobalUnlock(block);
  return text;
}

// Decimal places typed: the characters after the first decimal point, at most 9. ConvertTextToDouble
// reads "," and "." alike as the run-time locale's point, so both count here too.
int TypedDecimals(const CString& text) {
  const char point = *localeconv()->decimal_point;
  int at = -1;
  if (point == '.' || point == ',') {
    at = text.FindOneOf(_T(",."));
  } else {
    at = text.Find(static_cast<TCHAR>(static_cast<unsigned char>(point)));
  }
  if (at < 0) return 0;
  return std::min(9, text.GetLength() - at - 1);
}

}  // namespace

// ---- Positions ----

int CTranspText::GetCharIndexFromCaretPos(int column, int line) const { return CaretToIndex(m_lines, column, line); }

TEXT_CARET CTranspText::GetCaretPosFromCharIndex(int index) const {
  TEXT_CARET caret = {0, 0};
  IndexToCaret(m_lines, index, caret.column, caret.line);
  return caret;
}

void CTranspText::SetCaret(TEXT_CARET caret) {
  m_caretColumn = caret.column;
  m_caretLine = caret.line;
  // A caret put somewhere ends a run of vertical moves.
  m_lastKeyVertical = 0;
}

void CTranspText::SetCaretPosition(int index) { SetCaret(GetCaretPosFromCharIndex(index)); }

BOOL CTranspText::HasSelection() const {
  return m_selStartColumn != m_selEndColumn || m_selStartLine != m_selEndLine;
}

void CTranspText::ClearSelection() { m_selStartColumn = m_selStartLine = m_selEndColumn = m_selEndLine = 0; }

void CTranspText::SetFullSelection() {
  m_selStartColumn = m_selStartLine = 0;
  m_selEndLine = m_lines.empty() ? 0 : static_cast<int>(m_lines.size()) - 1;
  m_selEndColumn = LineEndColumn(m_lines, m_selEndLine);
  Repaint();
}

void CTranspText::FindAndSelect(LPCWSTR text, int from, int to) {
  (void)text;
  const TEXT_CARET start = GetCaretPosFromCharIndex(from), end = GetCaretPosFromCharIndex(to);
  m_selStartColumn = start.column;
  m_selStartLine = start.line;
  m_selEndColumn = end.column;
  m_selEndLine = end.line;
  SetCaret(end);
  Repaint();
}

void CTranspText::SelectionRange(int& from, int& to) const {
  from = GetCharIndexFromCaretPos(m_selStartColumn, m_selStartLine);
  to = GetCharIndexFromCaretPos(m_selEndColumn, m_selEndLine);
  if (to < from) std::swap(from, to);
}

CString CTranspText::GetSelectedText() const {
  if (!HasSelection()) return CString();
  return SelectedText(m_lines, GetSelectionStart(), GetSelectionEnd());
}

HGLOBAL CTranspText::GetSelectedTextGlobal() const {
  if (!HasSelection()) return nullptr;
  return CopyStringToGlobal(GetSelectedText());
}

BOOL CTranspText::IsLineBreakTypedIn(CTranspBaseClass* object) {
  const CTranspText* text = dynamic_cast<CTranspText*>(object);
  return text != nullptr && text->IsEnterPressed();
}

void CTranspText::ClearSelectionOf(CTranspBaseClass* object) {
  CTranspText* text = dynamic_cast<CTranspText*>(object);
  if (text != nullptr) text->ClearSelection();
}

// ---- Text changes ----

void CTranspText::RememberBeforeKey() {
  m_textBeforeKey = GetText();
  m_caretBeforeColumn = m_caretColumn;
  m_caretBeforeLine = m_caretLine;
}

BOOL CTranspText::ReplaceText(const CString& text, int caretIndex) {
  const TEXT_CARET caret = GetCaret();
  // The wrap carries the caret over by its index into the new text.
  SetCaret({caretIndex, 0});
  if (SetText(text, TEXT_TYPED_BY_USER)) return TRUE;
  SetCaret(caret);
  return FALSE;
}

BOOL CTranspText::DeleteSelection() {
  int from = 0, to = 0;
  SelectionRange(from, to);
  CString text = GetText();
  text.Delete(from, to - from);
  return ReplaceText(text, from);
}

TEXT_CARET CTranspText::DeleteText(TEXT_CARET start, TEXT_CARET end) {
  DEF_TRY
  int from = GetCharIndexFromCaretPos(start.column, start.line);
  int to = GetCharIndexFromCaretPos(end.column, end.line);
  if (to < from) std::swap(from, to);
  RememberBeforeKey();
  CString text = GetText();
  text.Delete(from, to - from);
  ReplaceText(text, from);
  return GetCaretPosFromCharIndex(from);
  DEF_CATCH("CTranspText::DeleteText")
  return {0, 0};
}

void CTranspText::TellMirrors() {
  if (m_dataType != TEXT_TYPE_TEXT || !IsMirrored() || m_pView == nullptr) return;
  if (s_textViewLink != nullptr && s_textViewLink->RepaintMirroredObjects != nullptr)
    s_textViewLink->RepaintMirroredObjects(m_pView, this, m_name);
}

BOOL CTranspText::Paste(LPCWSTR text, BOOL replaceSelection) {
  DEF_TRY
  RememberBeforeKey();
  RECT before = {};
  GetRepaintRect(&before);
  CString all = GetText();
  int at = GetCursorPos();
  if (replaceSelection && HasSelection()) {
    int to = 0;
    SelectionRange(at, to);
    all.Delete(at, to - at);
  }
  const CString inserted = text != nullptr ? text : L"";
  all.Insert(at, inserted);
  const BOOL taken = ReplaceText(all, at + inserted.GetLength());
  Repaint(&before);
  if (taken) TellMirrors();
  return taken;
  DEF_CATCH("CTranspText::Paste")
  return FALSE;
}

// ---- Keys and characters ----

void CTranspText::OnChar(UINT code, UINT repeat, UINT isKey) {
  DEF_TRY
  m_enterPressed = 0;
  RECT before = {};
  GetRepaintRect(&before);
  const BOOL shift = ::GetKeyState(VK_SHIFT) < 0, ctrl = ::GetKeyState(VK_CONTROL) < 0;
  const BOOL hadSelection = HasSelection();
  const UINT times = repeat > 0 ? repeat : 1;
  for (UINT i = 0; i < times; ++i) {
    if (isKey)
      OnKey(code, shift, ctrl);
    else
      OnCharacter(code);
  }
  if (!isKey || (code != VK_UP && code != VK_DOWN)) m_lastKeyVertical = 0;
  // Moving down or to the end changes no text: drawing the text again over itself moves the caret.
  if (isKey && !shift && !hadSelection && (code == VK_END || code == VK_DOWN))
    RefreshView();
  else
    Repaint(&before);
  DEF_CATCH("CTranspText::OnChar")
}

void CTranspText::OnKey(UINT key, BOOL shift, BOOL ctrl) {
  const TEXT_CARET caret = GetCaret();
  if (key == VK_DELETE) {
    if (HasSelection()) {
      if (shift) CopyToClipboard();
      RememberBeforeKey();
      DeleteSelection();
      return;
    }
    const CString text = GetText();
    const int at = GetCursorPos();
    if (at >= text.GetLength()) return;
    RememberBeforeKey();
    const int count = text.Mid(at, 2) == _T("\r\n") ? 2 : 1;
    CString rest = text;
    rest.Delete(at, count);
    ReplaceText(rest, at);
    return;
  }
  TEXT_CARET next = caret;
  switch (key) {
    case VK_END: next = CaretEnd(m_lines, caret); break;
    case VK_HOME: next.column = 0; break;
    case VK_LEFT: next = CaretLeft(m_lines, caret, ctrl); break;
    case VK_RIGHT: next = CaretRight(m_lines, caret, ctrl); break;
    case VK_UP:
    case VK_DOWN: {
      const int line = caret.line + (key == VK_UP ? -1 : 1);
      if (line < 0 || line >= static_cast<int>(m_lines.size())) break;
      // The caret keeps the distance it had at the first of a run of vertical moves.
      if (!m_lastKeyVertical) {
        WithViewLayout([&](const TEXT_PAINT& p, const TextMeasure& measure) {
          m_rememberedCaretX = CaretAlong(m_lines, p.geometry, caret, measure);
        });
      }
      m_lastKeyVertical = 1;
      next = {GetCaretPosFromSize(line, m_rememberedCaretX), line};
      break;
    }
    default: return;
  }
  if (shift && !HasSelection()) {
    m_selStartColumn = m_selEndColumn = caret.column;
    m_selStartLine = m_selEndLine = caret.line;
  }
  m_caretColumn = next.column;
  m_caretLine = next.line;
  if (shift) {
    m_selEndColumn = next.column;
    m_selEndLine = next.line;
  } else {
    ClearSelection();
  }
}

void CTranspText::OnCharacter(UINT ch) {
  switch (ch) {
    case kBackspace: {
      RememberBeforeKey();
      if (HasSelection()) {
        DeleteSelection();
      } else {
        const CString text = GetText();
        const int at = GetCursorPos();
        if (at > 0 && at <= text.GetLength()) {
          const int count = at >= 2 && text.Mid(at - 2, 2) == _T("\r\n") ? 2 : 1;
          CString rest = text;
          rest.Delete(at - count, count);
          ReplaceText(rest, at - count);
        }
      }
      ClearSelection();
      return;
    }
    case kEnter:
      // Set even when a single-line field takes no line break: the undo step ends here either way.
      m_enterPressed = 1;
      if (!TextSingleLine(m_style)) Paste(L"\r\n", TRUE);
      return;
    case kEscape:
      return;
    default:
      // Control characters (Ctrl with a letter, Tab, Ctrl+Backspace) are no text.
      if (ch < 32 || ch == kDeleteChar) return;
      const wchar_t text[2] = {static_cast<wchar_t>(ch), 0};
      Paste(text, TRUE);
      return;
  }
}

// ---- Clipboard ----

void CTranspText::CopyToClipboard() {
  DEF_TRY
  if (!HasSelection()) {
    CTranspBaseClass::CopyToClipboard();
    return;
  }
  HGLOBAL data = GetSelectedTextGlobal();
  if (data == nullptr) return;
  if (!::OpenClipboard(m_pView != nullptr ? m_pView->GetSafeHwnd() : nullptr)) {
    AppendErrorLog(L"TranspText: the clipboard could not be opened to copy the selected text");
    ::GlobalFree(data);
    return;
  }
  ::EmptyClipboard();
  // The clipboard owns the block once it has taken it.
  if (::SetClipboardData(CF_UNICODETEXT, data) == nullptr) ::GlobalFree(data);
  ::CloseClipboard();
  DEF_CATCH("CTranspText::CopyToClipboard")
}

int CTranspText::CutToClipboard() {
  DEF_TRY
  if (!HasSelection()) return 0;
  CopyToClipboard();
  RECT before = {};
  GetRepaintRect(&before);
  RememberBeforeKey();
  DeleteSelection();
  ClearSelection();
  Repaint(&before);
  SetModified();
  return 1;
  DEF_CATCH("CTranspText::CutToClipboard")
  return 0;
}

void CTranspText::PasteFromClipboard() {
  DEF_TRY
  if (!::OpenClipboard(m_pView != nullptr ? m_pView->GetSafeHwnd() : nullptr)) {
    AppendErrorLog(L"TranspText: the clipboard could not be opened to paste text");
    return;
  }
  const CString text = GlobalText(::GetClipboardData(CF_UNICODETEXT));
  ::CloseClipboard();
  if (!text.IsEmpty()) Paste(text, TRUE);
  DEF_CATCH("CTranspText::PasteFromClipboard")
}

// ---- Focus ----

void CTranspText::TakeTypedNumber() {
  const CString text = GetText();
  if (text.IsEmpty()) {
    m_valueBlank = 1;
    m_value = 0.0;
    SetFormula(L"");
  } else if (text[0] == _T('=')) {
    // Filling in a form takes values only: a formula typed there is refused.
    if (IsFormMode()) {
      SetFormula(L"");
      m_value = 0.0;
    } else {
      SetFormula(text);
    }
  } else {
    m_value = ConvertTextToDouble(text);
    m_formulaFlag = 0;
    // A typed 0 is a value, not a blank.
    m_valueBlank = 0;
  }
  if (!m_formulaFlag) m_typedDecimals = TypedDecimals(text);
}

void CTranspText::SetFocused(int focused) {
  DEF_TRY
  if (m_focused == focused) return;
  RECT before = {};
  GetRepaintRect(&before);
  if (focused) {
    m_focused = 1;
    if (IsNumeric()) {
      const int index = GetCursorPos();
      SetNumberAsTextForEdit();
      // The edit form may be shorter than the shown one: the caret stays inside the text.
      SetCaretPosition(std::min(index, GetText().GetLength()));
    }
    Repaint(&before);
    return;
  }
  HWND window = m_pView != nullptr ? m_pView->GetSafeHwnd() : nullptr;
  if (window != nullptr && ::GetFocus() == window) ::HideCaret(window);
  ClearSelection();
  m_focused = 0;
  if (IsNumeric()) {
    TakeTypedNumber();
    if (m_pView != nullptr && s_textViewLink != nullptr && s_textViewLink->CalculateAndRepaint != nullptr)
      s_textViewLink->CalculateAndRepaint(m_pView);
    SetNumberAsTextForView();
    if (IsMirrored() && m_pView != nullptr && s_textViewLink != nullptr &&
        s_textViewLink->RepaintMirroredObjects != nullptr)
      s_textViewLink->RepaintMirroredObjects(m_pView, this, m_name);
  }
  Repaint(&before);
  DEF_CATCH("CTranspText::SetFocused")
}

// ---- Box commands ----

int CTranspText::PagePixelsToUnits(int pixels) {
  if (m_pView == nullptr || GetViewConversions() == nullptr) return InchToUnit(pixels / 96.0);
  POINT origin = {0, 0}, end = {pixels, 0};
  PageToUnit(&origin);
  PageToUnit(&end);
  return end.x - origin.x;
}

void CTranspText::DecreaseHeight() {
  DEF_TRY
  RECT before = {};
  GetRepaintRect(&before);
  m_style.boxHeight = 0;
  Repaint(&before);
  DEF_CATCH("CTranspText::DecreaseHeight")
}

void CTranspText::DecreaseWidth() {
  DEF_TRY
  RECT before = {};
  GetRepaintRect(&before);
  if (!TextWordWrap(m_style)) {
    m_style.boxWidth = PagePixelsToUnits(50);
    Repaint(&before);
    return;
  }
  SIZE page = {0, 0};
  if (m_pView != nullptr && s_textViewLink != nullptr && s_textViewLink->GetPageExtent != nullptr &&
      s_textViewLink->GetPageExtent(m_pView, &page)) {
    POINT edge = {page.cx, page.cy};
    PageToUnit(&edge);
    // From the anchor to the page's edge in the writing direction, and how far the box reaches.
    const int orientation = TextOrientation(m_style);
    const int room = orientation == TEXT_BOTTOM_UP ? m_y : orientation == TEXT_TOP_DOWN ? edge.y - m_y : edge.x - m_x;
    const int reach = m_style.boxWidth + TEXT_BOX_MARGIN_UNITS;
    if (reach > room) {
      const int minimal = GetMinimalWidth();
      const int cut = room - PagePixelsToUnits(5) - TEXT_BOX_MARGIN_UNITS;
      m_style.boxWidth = room < PagePixelsToUnits(10) ? minimal : std::max(minimal, cut);
    }
  }
  Wrap();
  Repaint(&before);
  DEF_CATCH("CTranspText::DecreaseWidth")
}
