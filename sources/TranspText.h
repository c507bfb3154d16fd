// The text object over a page: a fillable text field, and with its label flag the static text
// `CTranspLabel`. Its stored forms are in TranspTextData, its line breaking and drawing in
// TranspTextLayout; this class holds the state and answers the base's virtual interface.
#pragma once
#include <functional>
#include <vector>

#include "TranspBaseClass.h"
#include "TranspTextCaret.h"
#include "TranspTextData.h"
#include "TranspTextLayout.h"
#include "TranspTextLayout_win.h"

// A formula field during a recalculation: not yet calculated, calculated, failed, and (only while
// its own formula is being worked out) running.
enum TEXT_CALC_STATE { TEXT_CALC_PENDING = 0, TEXT_CALC_DONE = 1, TEXT_CALC_FAILED = 2, TEXT_CALC_RUNNING = 3 };

class CTranspText : public CTranspBaseClass {
 public:
  // An empty text (no lines at all).
  CTranspText(CWnd* view, int pageIndex);
  // The text tool: at (x, y) in units with the given style and properties; text may be null.
  CTranspText(CWnd* view, int x, int y, const _OBJECT_STYLE* style, const _PROPERTIES* properties, LPCWSTR text,
              int pageIndex);
  // Paste, drop and shelf: from object data, placed at (x, y).
  CTranspText(CWnd* view, HGLOBAL data, int x, int y, int pageIndex);
  ~CTranspText() override;

  void Serialize(CArchive& ar) override;
  int GetStyleFlag() override;
  RECT* GetAlignRect(RECT* out) override;
  void GetBoundsRect(RECT* out, int textOnly) override;
  void GetRepaintRect(RECT* out) override;
  void Draw(CDC* dc, int print, POINT* dpi) override;
  int IsEmpty() override;
  void MoveBy(int dx, int dy) override;
  HGLOBAL GetObData() override;
  void SavePosition() override;
  void RestorePosition() override;
  void GetProperties(_PROPERTIES* out) override;
  void SetProperties(_PROPERTIES properties) override;
  void SetObjectStyle(const _PROPERTIES* properties, const _OBJECT_STYLE* style, const int* fieldId,
                      int repaint) override;
  int GetObjectKind() override;
  CVariant& GetValue() override;
  void SetValue(CVariant value) override;
  int IsField() override;
  void SetUndoState(const CUndoState& state) override;
  CUndoState GetUndoState() override;
  // PDF output: a left-to-right field becomes a form field (slot 67), labels and rotated text page
  // text placed as the device drawing places it.
  void DrawOnPDFPage(CDC* dc, IPdfDocument* pdf, int arg) override;
  virtual void CreateOnPDFPage(IPdfDocument* pdf);  // 67

  // Reads object data of any version; FALSE (nothing changed) for a block that is not sound.
  BOOL SetObData(HGLOBAL data);

  CString GetText() const;
  // Sets the text and re-breaks it. Text the program sets is never refused; a single-line field
  // refuses what the user types or pastes when it would open a second line (FALSE, nothing changed).
  BOOL SetText(LPCWSTR text, TEXT_CHANGE change = TEXT_SET_BY_PROGRAM);
  // Re-breaks the lines to the box after a change of style.
  void Wrap();
  const std::vector<CString>& GetLines() const { return m_lines; }

  // The text rectangle in view pixels (slot 71), box mode or as wide as the text.
  void GetTextRect(RECT* out, BOOL boxMode);
  // The header strip left of the text rectangle (slot 72), view pixels.
  void GetHeaderRect(RECT* out);
  // Height of one line in units.
  int GetLineHeight();

  CString GetFormula() const { return m_formula; }
  void SetFormula(LPCWSTR formula);
  BOOL HasFormula() const { return m_formulaFlag && IsNumeric(); }
  BOOL IsNumeric() const { return m_dataType >= 1 && m_dataType <= 3; }
  int IsLabel() const { return m_label; }
  int IsRequired() const { return m_style.requiredForFilling; }
  void InvertRequired();
  void ClearValue();
  // A numeric value that was cleared (blank), as against the number 0.
  BOOL IsValueBlank() const { return m_valueBlank != 0; }
  void SaveNumberBase();
  double GetNumberBase() const { return m_numberBase; }
  void CopyObjectStyle(_OBJECT_STYLE* out) const { *out = m_style; }
  POINT GetPosition() const { return {m_x, m_y}; }
  int GetDataType() const { return m_dataType; }
  // Where a recalculation of the document's formulas stands with this field (TEXT_CALC_*).
  int GetCalcState() const { return m_calcState; }
  void SetCalcState(int state) { m_calcState = state; }
  CString GetObjectNameForPDF() const { return m_pdfName; }
  void SetObjectNameForPDF(LPCWSTR name) { m_pdfName = name; }
  // The script action (the component's identifier, 0 for none) that copies a mirrored field's value
  // to its copies; attached when the field is created on a PDF page.
  void SetPdfScriptId(long id) { m_pdfScriptId = id; }
  long GetPdfScriptId() const { return m_pdfScriptId; }
  RECT GetFoundRect() const { return m_foundRect; }
  // Old documents: every field numeric with its decimals taken from the text.
  void ConvertFormatForPreviousVersion();

  // The display forms of a typed value.
  void SetNumberAsTextForView();
  void SetNumberAsTextForEdit();

  // ---- Editing: caret, selection, keys, clipboard, focus and box commands (TranspTextEdit.cpp) ----
  // A key (isKey 1: VK_END, VK_HOME, VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN, VK_DELETE; Shift and Ctrl as the
  // thread's key state holds them) or a character (isKey 0), `repeat` times (slot 33).
  void OnChar(UINT code, UINT repeat, UINT isKey) override;
  // Gaining the focus shows a number in its edit form; losing it commits the typed number (slot 36).
  void SetFocused(int focused) override;
  // The selected text as Unicode text; without a selection the whole object (slot 45).
  void CopyToClipboard() override;
  virtual void PasteFromClipboard();  // 66
  // Copies and deletes the selection; 1 when there was one (the view marks its document modified).
  int CutToClipboard();
  // Deletes between two positions in either order; returns where the range started.
  TEXT_CARET DeleteText(TEXT_CARET start, TEXT_CARET end);
  // Inserts at the caret (over the selection with replaceSelection) as the user's edit; FALSE when a
  // single-line field refuses it (nothing changed).
  BOOL Paste(LPCWSTR text, BOOL replaceSelection);
  void SetFullSelection();
  void UnselectText() { ClearSelection(); }
  void ClearSelection();
  BOOL HasSelection() const;
  // Selects the characters from..to of the text (`text` is what was searched for).
  void FindAndSelect(LPCWSTR text, int from, int to);
  void SetCaretPosition(int index);
  int GetCursorPos() const { return GetCharIndexFromCaretPos(m_caretColumn, m_caretLine); }
  TEXT_CARET GetCaret() const { return {m_caretColumn, m_caretLine}; }
  // Also ends a run of vertical moves (the next Up or Down starts from here).
  void SetCaret(TEXT_CARET caret);
  TEXT_CARET GetSelectionStart() const { return {m_selStartColumn, m_selStartLine}; }
  TEXT_CARET GetSelectionEnd() const { return {m_selEndColumn, m_selEndLine}; }
  CString GetSelectedText() const;
  // The selected text in a new global block for the clipboard; NULL without a selection.
  HGLOBAL GetSelectedTextGlobal() const;
  int GetCharIndexFromCaretPos(int column, int line) const;
  TEXT_CARET GetCaretPosFromCharIndex(int index) const;
  // Whether the last OnChar was Enter: the text-change command starts a new undo step then.
  BOOL IsEnterPressed() const { return m_enterPressed; }
  // The undo link's entries for a text object (FALSE / nothing for any other object).
  static BOOL IsLineBreakTypedIn(CTranspBaseClass* object);
  static void ClearSelectionOf(CTranspBaseClass* object);
  // Box height 0: the box follows the text.
  void DecreaseHeight();
  // With word wrap: a box that runs off the page ends 5 pixels before the page's edge; without: 50
  // page pixels wide.
  void DecreaseWidth();

  // ---- Mouse, hit codes, resizing and drag and drop (TranspTextMouse_win.cpp) ----
  // Points of the mouse slots are in the view window's client pixels, those of slots 68 and 73 in
  // view pixels.
  int OnLButtonDown(UINT flags, int x, int y) override;          // 29
  int OnMouseMove(UINT flags, int x, int y) override;            // 30
  void OnLButtonUp(UINT flags, int x, int y) override;           // 31
  void OnLButtonDblClk(UINT flags, int x, int y) override;       // 32
  int OnDragOver(COleDataObject* data, DWORD keyState, CPoint point) override;  // 34
  int OnDrop(COleDataObject* data, DROPEFFECT effect, CPoint point) override;   // 35
  // The whole object: its object data and its text as Unicode text, as a copy (slot 44).
  void BeginDrag() override;
  virtual int GetCaptureTextBox(int x, int y);                   // 68, TEXT_HIT
  virtual int OnMouseMoveTextBox(UINT flags, int x, int y);      // 69
  virtual int OnMouseMoveGraphClass(UINT flags, int x, int y);   // 70
  virtual TEXT_CARET GetCaretPosFromPoint(int x, int y);         // 73
  // Draws the text straight into the view window's device context, without frames (slot 74).
  virtual void RefreshView();
  // The column on `line` for the caret distance `along` (view pixels) kept over vertical moves.
  int GetCaretPosFromSize(int line, int along);
  // The smallest box extent in units: a short string's width, at least 5 pixels.
  int GetMinimalWidth();
  int GetCaptureCode() const { return m_captureCode; }
  // The resource cursor over the edge strips and the header (192 in the program's resources).
  static void SetMoveCursorId(UINT id) { s_moveCursorId = id; }

  // What the screen drawing and the editing ask of the view and the main frame beyond the base's
  // link: form mode, the "Highlight fields" switch and colour, paragraph marks, headers, the
  // recalculation after a number was typed, the mirrored fields and the page's extent. Filled by the
  // view; every entry may be null.
  struct TEXT_VIEW_LINK {
    void (*GetTextViewState)(CWnd* view, VIEW_TEXT_STATE& state);
    BOOL (*AreHeadersOn)();
    void (*CalculateAndRepaint)(CWnd* view);
    void (*RepaintMirroredObjects)(CWnd* view, CTranspBaseClass* object, LPCWSTR name);
    BOOL (*GetPageExtent)(CWnd* view, SIZE* pagePixels);
  };
  static void SetTextViewLink(const TEXT_VIEW_LINK* link) { s_textViewLink = link; }

 protected:
  // The from-data constructor with the label flag set before the data is read (CTranspLabel).
  CTranspText(CWnd* view, HGLOBAL data, int x, int y, int pageIndex, int label);
  // Re-breaks the lines; FALSE when a user's edit is refused (nothing changed).
  BOOL WrapFor(TEXT_CHANGE change);
  // Layout of the text in view pixels on `dc`.
  BOOL LayoutOnView(HDC dc, TEXT_PAINT& out);
  // Circles on the fixed corners and squares on the resize handles, by orientation.
  void DrawTextFocusFrame(CDC* dc, const RECT& textRect, int orientation);
  // Selection, freeze and focus frames and the dotted frames of design mode (screen only).
  void DrawStateFrames(CDC* dc, const TEXT_PAINT& paint);

  // The device layout for a PDF page of `resolution` units per inch, made at a multiple of it so
  // the pixel geometry keeps its precision; `scale` turns its pixels into PDF units.
  BOOL LayoutForPdf(long resolution, TEXT_PAINT& out, double& scale);
  // One line of page text: aligned by the component's measure (or the comb cells), placed at the
  // line's origin of the device layout and turned by `rotation` degrees.
  void PDFTextOut(IPdfDocument* pdf, const CString& line, int lineIndex, const TEXT_GEOMETRY& g, double scale,
                  double rotation);

  // Moves the state into and out of the stored forms' record.
  TEXT_FIELD_DATA ToData() const;
  void FromData(const TEXT_FIELD_DATA& data);
  _PROPERTIES MakeProperties() const;
  // The view's device context and scale; a screen context at 100 % without a view.
  // View pixels per unit and the anchor in view pixels, through the view's conversions (96 dpi at
  // 100 % without a view).
  VIEW_SCALE GetViewScale();
  // Runs `use` with the view layout and a measure in its font (the drawing's own geometry); FALSE
  // when there is no layout.
  BOOL WithViewLayout(const std::function<void(const TEXT_PAINT&, const TextMeasure&)>& use);

  // Editing helpers (TranspTextEdit.cpp).
  void OnKey(UINT key, BOOL shift, BOOL ctrl);
  void OnCharacter(UINT ch);
  // Sets the text as the user's edit with the caret at `caretIndex`; a refused edit keeps text, caret
  // and selection.
  BOOL ReplaceText(const CString& text, int caretIndex);
  void RememberBeforeKey();
  // The selection's two ends as character indices, the earlier first.
  void SelectionRange(int& from, int& to) const;
  BOOL DeleteSelection();
  // A numeric field's typed text into value, formula and typed decimals (as on losing the focus).
  void TakeTypedNumber();
  void TellMirrors();
  // Units of `pixels` page pixels across.
  int PagePixelsToUnits(int pixels);

  // Mouse helpers (TranspTextMouse_win.cpp). The base's int kept for the text is its moving flag:
  // set while the mouse drags the box by an edge strip or the header.
  int& MovingFlag() { return m_textReserved1; }
  POINT ClientToViewPoint(int x, int y);
  BOOL PointInSelection(POINT viewPoint);
  void DragSelectedText(POINT viewPoint);
  void ResizeTextBox(int x, int y);
  void SetHandleCursor(int code);
  // Creates and shows the view's caret at the caret position when the view window has the focus.
  void PlaceCaret();

  int m_x = 0, m_y = 0;
  int m_caretColumn = 0, m_caretLine = 0;
  int m_selStartColumn = 0, m_selStartLine = 0, m_selEndColumn = 0, m_selEndLine = 0;
  std::vector<CString> m_lines;
  int m_ownDrag = 0;
  int m_refreshing = 0;
  int m_captureCode = 0;
  RECT m_mouseDownRepaint = {};
  CString m_textBeforeKey;
  int m_caretBeforeColumn = 0, m_caretBeforeLine = 0;
  int m_formulaFlag = 0;
  CString m_formula;
  CString m_numberFormat;
  int m_dataType = 0;
  int m_decimals = 0;
  int m_typedDecimals = 0;
  int m_label = 0;
  int m_savedX = 0, m_savedY = 0;
  CString m_pdfName;
  long m_pdfScriptId = 0;
  LOGBRUSH m_highlightBrush = {BS_SOLID, 0xFFCCFF, 0};
  CString m_decimalSeparator, m_thousandSeparator;
  int m_grouping = 0;
  int m_valueBlank = 0;
  RECT m_resizeRect = {};
  int m_widthChanged = 0;
  double m_numberBase = 1.0;
  RECT m_foundRect = {};
  int m_enterPressed = 0, m_lastKeyVertical = 0, m_rememberedCaretX = 0;
  int m_calcState = 0;

 private:
  void init();
  static const TEXT_VIEW_LINK* s_textViewLink;
  static UINT s_moveCursorId;
};
