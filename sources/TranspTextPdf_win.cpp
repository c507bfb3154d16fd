// The text object on a PDF page: a left-to-right text field becomes an interactive form field, a label
// or a rotated text is written as page text. Both take their geometry from the device layout that
// printing uses, made at a resolution that is a multiple of the component's.
#include "TranspText.h"

#include <pdfwriter/PdfComponent.h>

#include <cwchar>
#include <string>

#include "ErrorLog.h"
#include "MyProcs.h"

namespace {

// The style's face, "Arial" when it has none. A stored face may fill all 32 characters unterminated.
_bstr_t FaceOf(const LOGFONTW& font) {
  const size_t length = wcsnlen(font.lfFaceName, LF_FACESIZE);
  return _bstr_t(length != 0 ? std::wstring(font.lfFaceName, length).c_str() : L"Arial");
}

// Red (shift 0), green (8) or blue (16) of a colour as the component takes it, from 0 to 1.
double Channel(COLORREF color, int shift) { return ((color >> shift) & 0xFF) / 255.0; }

// Restores the graphics state saved for page text when the drawing ends early, so a failure inside
// one object leaves the next object's state as it found it.
class SavedGraphicsState {
 public:
  explicit SavedGraphicsState(IPdfDocument* pdf) : pdf_(pdf) { pdf_->SaveGraphicsState(); }
  ~SavedGraphicsState() {
    if (pdf_ != nullptr) pdf_->raw_RestoreGraphicsState();
  }
  void Restore() {
    IPdfDocument* pdf = pdf_;
    pdf_ = nullptr;
    pdf->RestoreGraphicsState();
  }
  SavedGraphicsState(const SavedGraphicsState&) = delete;
  SavedGraphicsState& operator=(const SavedGraphicsState&) = delete;

 private:
  IPdfDocument* pdf_;
};

}  // namespace

BOOL CTranspText::LayoutForPdf(long resolution, TEXT_PAINT& out, double& scale) {
  const long layoutDpi = PdfLayoutResolution(resolution);
  // A component that reports no resolution gives no scale: nothing can be placed.
  if (layoutDpi <= 0) return FALSE;
  HDC dc = ::CreateCompatibleDC(nullptr);
  if (dc == nullptr) return FALSE;
  const BOOL laidOut = LayoutForDevice(dc, ToData(), m_lines, POINT{layoutDpi, layoutDpi}, GetInchesPerUnit(), out);
  ::DeleteDC(dc);
  scale = static_cast<double>(resolution) / layoutDpi;
  return laidOut;
}

void CTranspText::DrawOnPDFPage(CDC* dc, IPdfDocument* pdf, int arg) {
  (void)dc;
  (void)arg;
  DEF_TRY
  if (pdf == nullptr || IsDeleted()) return;
  const int orientation = TextOrientation(m_style);
  if (!m_label && orientation == TEXT_LEFT_TO_RIGHT) {
    CreateOnPDFPage(pdf);
    return;
  }
  const long resolution = pdf->GetResolution();
  TEXT_PAINT layout;
  double scale = 0;
  if (!LayoutForPdf(resolution, layout, scale)) {
    AppendErrorLog(_T("CTranspText::DrawOnPDFPage: no layout for the PDF page's resolution"));
    return;
  }
  const LOGFONTW& font = m_style.font;
  SavedGraphicsState state(pdf);
  pdf->SetFont(FaceOf(font), PdfFontSize(font), PdfBold(font), font.lfItalic != 0, font.lfUnderline != 0,
               font.lfStrikeOut != 0);
  pdf->SetFillColor(Channel(m_style.textColor, 0), Channel(m_style.textColor, 8),
                    Channel(m_style.textColor, 16));
  const double rotation = PdfRotation(orientation);
  for (size_t i = 0; i < layout.lines.size(); ++i)
    PDFTextOut(pdf, layout.lines[i], static_cast<int>(i), layout.geometry, scale, rotation);
  // The printed page frames bordered text, labels and rotated fields too; so does the PDF page.
  if (layout.border) {
    const COLORREF border = m_style.color;
    const double lineWidth = m_style.lineWidth * GetInchesPerUnit() * resolution;
    pdf->SetStrokeColor(Channel(border, 0), Channel(border, 8), Channel(border, 16));
    pdf->SetLineWidth(lineWidth);
    pdf->SetDash(_bstr_t(static_cast<LPCWSTR>(GetPdfDashPattern(layout.penStyle, lineWidth))));
    const RECT& r = layout.textRect;
    pdf->Rectangle(r.left * scale, r.top * scale, r.right * scale, r.bottom * scale);
    pdf->Stroke();
  }
  state.Restore();
  DEF_CATCH("CTranspText::DrawOnPDFPage")
}

void CTranspText::PDFTextOut(IPdfDocument* pdf, const CString& line, int lineIndex, const TEXT_GEOMETRY& g,
                             double scale, double rotation) {
  const CString text = WithoutLineEnd(line);
  if (text.IsEmpty()) return;
  // The component measures in PDF units; the layout works in its own pixels.
  const TextMeasure measure = [pdf, scale](const CString& s) {
    return s.IsEmpty() ? 0 : RoundToInt(pdf->GetTextWidth(_bstr_t(static_cast<LPCWSTR>(s))) / scale);
  };
  const int width = AlignedLineWidth(line, g, measure);
  const POINT origin = LineOrigin(g, lineIndex, AlignmentOffset(g.alignment, g.available, width));
  if (!g.comb) {
    pdf->ShowText(origin.x * scale, origin.y * scale, rotation, _bstr_t(static_cast<LPCWSTR>(text)));
    return;
  }
  double dx = 0, dy = 0;
  CombStep(g, dx, dy);
  for (int i = 0; i < text.GetLength(); ++i) {
    const wchar_t ch[2] = {text[i], 0};
    pdf->ShowText((origin.x + i * dx) * scale, (origin.y + i * dy) * scale, rotation, _bstr_t(ch));
  }
}

void CTranspText::CreateOnPDFPage(IPdfDocument* pdf) {
  DEF_TRY
  if (pdf == nullptr || IsDeleted()) return;
  const long resolution = pdf->GetResolution();
  TEXT_PAINT layout;
  double scale = 0;
  if (!LayoutForPdf(resolution, layout, scale)) {
    AppendErrorLog(_T("CTranspText::CreateOnPDFPage: no layout for the PDF page's resolution"));
    return;
  }
  const RECT& r = layout.textRect;
  const double lineWidth = m_style.lineWidth * GetInchesPerUnit() * resolution;
  // The document names every field before an export; a field that was never named keeps its own name.
  const CString name = !m_pdfName.IsEmpty() ? m_pdfName : m_name;
  const long field = pdf->CreateTextField(_bstr_t(static_cast<LPCWSTR>(name)), r.left * scale, r.top * scale,
                                          r.right * scale, r.bottom * scale);
  const LOGFONTW& font = m_style.font;
  pdf->SetFieldValue(field, _bstr_t(static_cast<LPCWSTR>(GetText())));
  pdf->SetFieldCharset(field, font.lfCharSet);
  pdf->SetFieldFontSize(field, PdfFontSize(font));
  pdf->SetFieldFontName(field, FaceOf(font));
  pdf->SetFieldFontStyle(field, PdfBold(font), font.lfItalic != 0, font.lfUnderline != 0, font.lfStrikeOut != 0);
  const COLORREF text = m_style.textColor, border = m_style.color;
  pdf->SetFieldTextColor(field, Channel(text, 0), Channel(text, 8), Channel(text, 16));
  pdf->SetFieldMultiline(field, !TextSingleLine(m_style));
  const int alignment = TextAlignment(m_style);
  pdf->SetFieldAlignment(field, alignment >= TEXT_ALIGN_LEFT && alignment <= TEXT_ALIGN_RIGHT ? alignment : TEXT_ALIGN_LEFT);
  const BOOL bordered = TextBorder(m_style);
  pdf->SetFieldBorder(field, bordered);
  pdf->SetFieldBorderColor(field, Channel(border, 0), Channel(border, 8), Channel(border, 16));
  if (bordered) {
    // The printed border's width: without it the field would show the component's default.
    pdf->SetFieldBorderWidth(field, lineWidth);
    const CString dash = m_style.penStyle != PS_SOLID ? GetPdfDashPattern(m_style.penStyle, lineWidth) : CString();
    if (!dash.IsEmpty()) pdf->SetFieldDash(field, _bstr_t(static_cast<LPCWSTR>(dash)));
  }
  if (m_pdfScriptId != 0) pdf->SetFieldScript(field, m_pdfScriptId);
  DEF_CATCH("CTranspText::CreateOnPDFPage")
}
