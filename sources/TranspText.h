// The text object over a page: a fillable text field, and with its label flag the static text
// `CTranspLabel`. Its stored forms are in TranspTextData, its line breaking and drawing in
// TranspTextLayout; this class holds the state and answers the base's virtual interface.
#pragma once
#include <vector>

#include "TranspBaseClass.h"
#include "TranspTextData.h"
#include "TranspTextLayout.h"
#include "TranspTextLayout_win.h"

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
  void SaveNumberBase();
  double GetNumberBase() const { return m_numberBase; }
  void CopyObjectStyle(_OBJECT_STYLE* out) const { *out = m_style; }
  POINT GetPosition() const { return {m_x, m_y}; }
  // The page the record names; the document places the object there.
  void SetPageIndex(int pageIndex) { m_pageIndex = pageIndex; }
  int GetDataType() const { return m_dataType; }
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

  // What the screen drawing asks of the view and the main frame beyond the base's link: form mode,
  // the "Highlight fields" switch and colour, paragraph marks, headers. Filled by the view.
  struct TEXT_VIEW_LINK {
    void (*GetTextViewState)(CWnd* view, VIEW_TEXT_STATE& state);
    BOOL (*AreHeadersOn)();
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

 private:
  void init();
  static const TEXT_VIEW_LINK* s_textViewLink;
};
