// Writes text_objects.pdf: text fields, labels, rotated and comb text and deleted objects drawn by the
// objects' own PDF output through the real PDF writer. check_text_pdf.py reads it back with qpdf and
// poppler; the positions and sizes it expects are the ones below (inches, 72 PDF units per inch).
// Usage: TranspTextPdfSamples <output folder>
#include <pdfwriter/PdfComponent.h>

#include "support/LetterPdf.h"

#include <cstdio>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "MyProcs.h"
#include "TranspLabel.h"
#include "TranspText.h"

namespace {

const int kUnitsPerInch = 100000;
int Inch(double inches) { return static_cast<int>(inches * kUnitsPerInch + 0.5); }

struct TextSpec {
  const wchar_t* name;  // object and PDF name
  bool label;
  double x, y;          // anchor in inches
  const wchar_t* text;
  int heightTenths = 120;
  int weight = FW_NORMAL;
  bool italic = false, underline = false;
  int charset = DEFAULT_CHARSET;
  COLORREF color = 0;
  int alignment = TEXT_ALIGN_LEFT;
  int orientation = TEXT_LEFT_TO_RIGHT;
  double boxWidth = 2.0;  // inches
  bool wordWrap = false, singleLine = true;
  bool border = false;
  int penStyle = PS_SOLID;
  double lineWidth = 0.01;  // inches
  COLORREF borderColor = 0;
  double combCell = 0;      // inches; 0 without comb
  double lineSpacing = 0;   // inches
  bool deleted = false;
  bool pdfNamed = true;     // the document named the field for PDF output
  const wchar_t* script = nullptr;  // a calculation script attached to the field
};

std::unique_ptr<CTranspText> Make(const TextSpec& t) {
  _OBJECT_STYLE style;
  SetDefaultTextStyle(&style);
  style.font.lfHeight = -t.heightTenths;
  style.font.lfWeight = t.weight;
  style.font.lfItalic = t.italic ? 1 : 0;
  style.font.lfUnderline = t.underline ? 1 : 0;
  style.font.lfCharSet = static_cast<BYTE>(t.charset);
  style.textColor = t.color;
  TextAlignment(style) = t.alignment;
  TextOrientation(style) = t.orientation;
  SetFontOrientation(style);
  style.boxWidth = Inch(t.boxWidth);
  TextWordWrap(style) = t.wordWrap;
  TextSingleLine(style) = t.singleLine;
  style.flag147 = t.border ? 1 : 0;
  style.penStyle = t.penStyle;
  style.lineWidth = Inch(t.lineWidth);
  style.color = t.borderColor;
  TextComb(style) = t.combCell > 0;
  TextCombCell(style) = Inch(t.combCell);
  TextLineSpacing(style) = Inch(t.lineSpacing);
  _PROPERTIES properties;
  properties.formatCategory = TEXT_TYPE_TEXT;
  std::unique_ptr<CTranspText> object;
  if (t.label)
    object.reset(new CTranspLabel(nullptr, Inch(t.x), Inch(t.y), &style, &properties, t.text, 0));
  else
    object.reset(new CTranspText(nullptr, Inch(t.x), Inch(t.y), &style, &properties, t.text, 0));
  object->SetName(t.name);
  if (!t.label && t.pdfNamed) object->SetObjectNameForPDF(t.name);
  if (t.deleted) object->SetDeleted(1);
  return object;
}

const wchar_t kRussianName[] = L"\x0418\x0432\x0430\x043d \x041f\x0435\x0442\x0440\x043e\x0432";
const wchar_t kRussianHeading[] = L"\x0417\x0430\x044f\x0432\x043b\x0435\x043d\x0438\x0435 Application";

class SpecList {
 public:
  TextSpec& add(const wchar_t* name, bool label, double x, double y, const wchar_t* text) {
    TextSpec spec;
    spec.name = name;
    spec.label = label;
    spec.x = x;
    spec.y = y;
    spec.text = text;
    objects.push_back(spec);
    return objects.back();
  }
  // References handed out stay valid while more are added.
  std::deque<TextSpec> objects;
  std::vector<TextSpec> All() const { return std::vector<TextSpec>(objects.begin(), objects.end()); }
};

// Comb cells of 0.3 inch: left-aligned, centred in a box of 2 inches with word wrap, and bottom-up.
void AddCombs(SpecList& list) {
  TextSpec& comb = list.add(L"Comb", true, 1.0, 5.5, L"ABCD");
  comb.combCell = 0.3;
  comb.boxWidth = 2.0;
  TextSpec& combCentred = list.add(L"CombCentred", true, 1.0, 6.2, L"XYZ");
  combCentred.combCell = 0.3;
  combCentred.boxWidth = 2.0;
  combCentred.wordWrap = true;
  combCentred.alignment = TEXT_ALIGN_CENTRE;
  TextSpec& combUp = list.add(L"CombUp", false, 7.0, 10.0, L"KLM");
  combUp.combCell = 0.3;
  combUp.orientation = TEXT_BOTTOM_UP;
}

// Page 1 at 72 PDF units per inch.
std::vector<TextSpec> FirstPage() {
  SpecList list;
  // Form fields.
  TextSpec& name = list.add(L"Name", false, 1.0, 1.5, kRussianName);
  name.weight = FW_BOLD;
  name.charset = RUSSIAN_CHARSET;
  name.boxWidth = 3.0;
  name.border = true;
  name.penStyle = PS_DASH;
  name.lineWidth = 0.03;  // 2.16 units: the dash "[6 2] 0"
  name.borderColor = RGB(255, 0, 0);
  TextSpec& notes = list.add(L"Notes", false, 1.0, 2.2, L"First line\r\nSecond line");
  notes.heightTenths = 100;
  notes.italic = true;
  notes.alignment = TEXT_ALIGN_CENTRE;
  notes.singleLine = false;
  notes.wordWrap = true;
  notes.boxWidth = 3.0;
  TextSpec& amount = list.add(L"Amount", false, 5.0, 1.5, L"125.50");
  amount.weight = 500;
  amount.alignment = TEXT_ALIGN_RIGHT;
  amount.color = RGB(0, 0, 255);
  amount.border = true;
  amount.penStyle = PS_SOLID;
  amount.boxWidth = 1.5;
  TextSpec& total = list.add(L"Total", false, 5.0, 2.2, L"99");
  total.script = L"this.getField('Total_mirrored_0').value = this.getField('Total').value;";
  list.add(L"Plain", false, 5.0, 2.9, L"plain value").pdfNamed = false;
  // Page text: labels, one of them in two lines with extra spacing, one right-aligned.
  TextSpec& heading = list.add(L"Heading", true, 1.0, 0.8, kRussianHeading);
  heading.heightTenths = 140;
  heading.weight = FW_BOLD;
  heading.charset = RUSSIAN_CHARSET;
  heading.boxWidth = 4.0;
  TextSpec& twoLines = list.add(L"TwoLines", true, 1.0, 3.5, L"Upper label line\r\nLower label line");
  twoLines.singleLine = false;
  twoLines.lineSpacing = 0.1;
  twoLines.boxWidth = 3.0;
  TextSpec& right = list.add(L"Right", true, 1.0, 4.2, L"Right edge");
  right.alignment = TEXT_ALIGN_RIGHT;
  right.boxWidth = 3.0;
  list.add(L"Underlined", true, 4.5, 3.5, L"Underlined label").underline = true;
  // Rotated fields are page text too.
  TextSpec& up = list.add(L"Up", false, 0.5, 9.0, L"Reads upwards");
  up.orientation = TEXT_BOTTOM_UP;
  up.border = true;
  up.penStyle = PS_DOT;
  up.lineWidth = 0.03;  // 2.16 units: the dots "[2] 0"
  up.borderColor = RGB(0, 128, 0);
  TextSpec& down = list.add(L"Down", false, 7.5, 5.0, L"Reads downwards");
  down.orientation = TEXT_TOP_DOWN;
  AddCombs(list);
  // Deleted objects write nothing.
  list.add(L"Deleted", false, 1.0, 7.0, L"Deleted field text").deleted = true;
  list.add(L"Gone", true, 1.0, 7.5, L"Deleted label text").deleted = true;
  return list.All();
}

// Page 2 at 300 units per inch: the same places in points.
std::vector<TextSpec> SecondPage() {
  SpecList list;
  TextSpec& scaled = list.add(L"Scaled", false, 1.0, 1.5, L"At 300 per inch");
  scaled.boxWidth = 3.0;
  scaled.border = true;
  scaled.lineWidth = 0.03;
  AddCombs(list);
  return list.All();
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: TranspTextPdfSamples <output folder>\n");
    return 2;
  }
  CreateDirectoryW(argv[1], nullptr);
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  CTranspBaseClass::SetInchesPerUnit(1.0 / kUnitsPerInch);
  IPdfDocumentPtr pdf;
  IPdfDocument* raw = nullptr;
  if (FAILED(CreatePdfDocument(&raw))) return 1;
  pdf.Attach(raw);
  try {
    pdf->SetTitle(L"Text objects");
    BeginLetterPdf(pdf, std::wstring(argv[1]) + L"\\text_objects.pdf");
    const std::vector<TextSpec> pages[] = {FirstPage(), SecondPage()};
    for (size_t page = 0; page < 2; ++page) {
      if (page != 0) {
        pdf->NewPage();
        pdf->SetResolution(300);
      }
      for (const TextSpec& spec : pages[page]) {
        std::unique_ptr<CTranspText> object = Make(spec);
        if (spec.script != nullptr) object->SetPdfScriptId(pdf->AddScriptAction(spec.script));
        object->DrawOnPDFPage(nullptr, pdf, 0);
      }
    }
    pdf->EndDocument();
  } catch (const _com_error& e) {
    std::fwprintf(stderr, L"PDF writer: %ls\n", static_cast<const wchar_t*>(e.Description()));
    return 1;
  }
  return 0;
}
