// Writes check_marks.pdf: check boxes with a tick and a cross, a radio group after its rule has
// picked one member, and a deleted check mark, drawn by the check mark's own PDF output through the
// real PDF writer. check_checkmark_pdf.py reads it back with qpdf; the places it expects are the
// ones below (inches, 72 PDF units per inch).
// Usage: TranspCheckMarkPdfSamples <output folder>
#include <pdfwriter/PdfComponent.h>

#include "support/LetterPdf.h"

#include <cstdio>
#include <string>

#include "TranspCheckMark.h"

namespace {

const int kUnitsPerInch = 100000;

struct MarkSpec {
  const wchar_t* name;
  double x, y, side;  // inches
  int kind;           // 0 cross, 1 tick
  int group;
  int state;
  bool deleted;
};

// Radio group 1 holds Red (checked at first) and Green; the rule then picks Green.
const MarkSpec kMarks[] = {
    {L"Agree", 1.0, 1.0, 0.25, 1, 0, 1, false},  {L"Decline", 2.0, 1.0, 0.25, 0, 0, 0, false},
    {L"Red", 1.0, 2.0, 0.2, 1, 1, 1, false},     {L"Green", 2.0, 2.0, 0.2, 1, 1, 0, false},
    {L"Gone", 3.0, 1.0, 0.25, 1, 0, 1, true},
};

int Units(double inches) { return static_cast<int>(inches * kUnitsPerInch + 0.5); }

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: TranspCheckMarkPdfSamples <output folder>\n");
    return 2;
  }
  CreateDirectoryW(argv[1], nullptr);
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  CTranspBaseClass::SetInchesPerUnit(1.0 / kUnitsPerInch);
  CTranspObjectList page;
  CTranspBaseClass* green = nullptr;
  for (const MarkSpec& m : kMarks) {
    _OBJECT_STYLE style = {};
    style.checkMarkKind = m.kind;
    CTranspCheckMark* mark = new CTranspCheckMark(nullptr, Units(m.x), Units(m.y), &style, 0);
    mark->SetRect(RECT{Units(m.x), Units(m.y), Units(m.x + m.side), Units(m.y + m.side)});
    style.checkMarkGroup = m.group;
    const int groupField = 31;
    mark->SetObjectStyle(nullptr, &style, &groupField, 0);
    mark->SetState(m.state);
    mark->SetName(m.name);
    mark->SetDeleted(m.deleted ? 1 : 0);
    if (std::wstring(m.name) == L"Green") green = mark;
    page.AddTail(mark);
  }
  InvertCheckMarkGroup(page, nullptr, nullptr, 1, green);

  int result = 0;
  IPdfDocument* raw = nullptr;
  if (FAILED(CreatePdfDocument(&raw))) return 1;
  IPdfDocumentPtr pdf(raw, false);
  try {
    BeginLetterPdf(pdf, std::wstring(argv[1]) + L"\\check_marks.pdf");
    for (POSITION pos = page.GetHeadPosition(); pos != nullptr;) page.GetNext(pos)->DrawOnPDFPage(nullptr, pdf, 0);
    pdf->EndDocument();
  } catch (const _com_error& e) {
    std::fwprintf(stderr, L"PDF writer: %ls\n", static_cast<const wchar_t*>(e.Description()));
    result = 1;
  }
  for (POSITION pos = page.GetHeadPosition(); pos != nullptr;) delete page.GetNext(pos);
  return result;
}
