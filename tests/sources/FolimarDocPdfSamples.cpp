// Writes documents to PDF through the document's own export and, beside each page, the page drawn by
// GDI at 72 dpi (page image and objects as printed). check_document_pdf.py reads the files back with
// qpdf and poppler.
// Usage: FolimarDocPdfSamples <output folder>
//   form.pdf, form_page1.bmp, form_page2.bmp  two Letter pages: page image, fields, a mirrored field
//   secure.pdf                               the form with passwords and permissions (see kUser...)
//   range.pdf                                pages 2 and 3 of five; page 3 landscape
#include <cstdio>
#include <string>

#include "DocSecurity.h"
#include "FolimarDoc.h"
#include "MyProcs.h"
#include "ObjectKinds.h"
#include "DocObjects.h"
#include "TranspCheckMark.h"
#include "TranspLabel.h"
#include "TranspText.h"

namespace {

const int kUnitsPerInch = 100000;
int Inch(double inches) { return static_cast<int>(inches * kUnitsPerInch + 0.5); }
const wchar_t kUser[] = L"user-pw";
const wchar_t kOwner[] = L"the-owner-password-30-chars-ab";  // the longest a slot holds

// The files the export asked the shell to open (its viewer), one per line in opened.txt.
std::wstring g_opened;
BOOL RecordOpen(LPCTSTR, LPCTSTR file, LPCTSTR) {
  g_opened += std::wstring(file) + L"\n";
  return TRUE;
}

int SilentBox(LPCTSTR text, UINT) {
  std::fwprintf(stderr, L"message box: %ls\n", text);
  return IDOK;
}

CTranspText* AddText(CFolimarDoc& doc, int page, const wchar_t* name, double x, double y, const wchar_t* value,
                     bool label = false) {
  _OBJECT_STYLE style;
  SetDefaultTextStyle(&style);
  style.font.lfHeight = -140;
  style.boxWidth = Inch(2.5);
  _PROPERTIES properties;
  properties.formatCategory = TEXT_TYPE_TEXT;
  CTranspText* text = label ? new CTranspLabel(nullptr, Inch(x), Inch(y), &style, &properties, value, page)
                            : new CTranspText(nullptr, Inch(x), Inch(y), &style, &properties, value, page);
  text->SetName(name);
  doc.AddObjectToList(text);
  if (!label) doc.AddDBField(text, page);
  return text;
}

// A page image at 100 dpi: white with a grey band and a black frame, so a misplaced or mis-scaled
// image shows in the comparison.
LMyBitmap* PageImage(double widthInches, double heightInches) {
  LMyBitmap* bitmap = new LMyBitmap;
  bitmap->Create(static_cast<int>(widthInches * 100), static_cast<int>(heightInches * 100), 24);
  bitmap->SetXResolution(100);
  bitmap->SetYResolution(100);
  bitmap->Fill(RGB(255, 255, 255));
  HDC dc = bitmap->CreateLeadDC();
  RECT band = {50, 300, static_cast<LONG>(widthInches * 100) - 50, 420};
  ::FillRect(dc, &band, static_cast<HBRUSH>(::GetStockObject(GRAY_BRUSH)));
  RECT frame = {40, 40, static_cast<LONG>(widthInches * 100) - 40, static_cast<LONG>(heightInches * 100) - 40};
  ::FrameRect(dc, &frame, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
  LBitmapBase::DeleteLeadDC(dc);
  return bitmap;
}

void SetPage(CFolimarDoc& doc, int index, double width, double height, bool image) {
  _PAGE_SETTINGS settings = {};
  doc.GetPageSettings(settings, index);
  settings.width = width;
  settings.height = height;
  settings.orientation = width > height ? 2 : 1;
  doc.SetPageSettings(settings, index);
  CPageInfo* page = doc.GetPage(index);
  if (image) {
    delete page->m_pBitmap;
    page->m_pBitmap = PageImage(width, height);
  }
}

void BuildForm(CFolimarDoc& doc) {
  while (doc.GetPageCount() < 2) doc.InitPageDBTable(doc.AppendNewPage());
  SetPage(doc, 0, 8.5, 11, true);
  SetPage(doc, 1, 8.5, 11, false);
  wcscpy_s(doc.Options().formName, L"Sample form");
  wcscpy_s(doc.Options().author, L"Form author");
  wcscpy_s(doc.Options().subject, L"Form subject");
  wcscpy_s(doc.Options().keywords, L"alpha beta");
  AddText(doc, 0, L"Heading", 1.0, 0.6, L"Application form", true);
  AddText(doc, 0, L"Name", 1.0, 1.5, L"Ivan Petrov");
  AddText(doc, 0, L"Total", 1.0, 2.5, L"125.50");
  _OBJECT_STYLE markStyle = {};
  markStyle.lineWidth = 700;
  CTranspCheckMark* mark = new CTranspCheckMark(nullptr, Inch(5.0), Inch(1.5), &markStyle, 0);
  mark->SetName(L"Agree");
  mark->SetState(1);
  doc.AddObjectToList(mark);
  doc.AddDBField(mark, 0);
  AddText(doc, 1, L"Total", 1.0, 1.0, L"125.50");
  AddText(doc, 1, L"City", 1.0, 2.0, L"Lisbon");
  AddText(doc, 1, L"Note", 1.0, 3.0, L"Second page text", true);
}

// The page as printed at 72 dpi: the page image stretched, then shapes and text, then fields.
bool WriteReference(CFolimarDoc& doc, int index, const std::wstring& path) {
  _PAGE_SETTINGS settings = {};
  doc.GetPageSettings(settings, index);
  LBitmapBase canvas;
  if (canvas.Create(static_cast<int>(settings.width * 72), static_cast<int>(settings.height * 72), 24) != SUCCESS)
    return false;
  canvas.SetXResolution(72);
  canvas.SetYResolution(72);
  canvas.Fill(RGB(255, 255, 255));
  HDC dc = canvas.CreateLeadDC();
  CDC cdc;
  cdc.Attach(dc);
  CPageInfo* page = doc.GetPage(index);
  if (page->HasBitmap()) {
    HBITMAP ddb = page->m_pBitmap->ConvertToDDB(dc);
    HDC memory = ::CreateCompatibleDC(dc);
    HGDIOBJ old = ::SelectObject(memory, ddb);
    ::SetStretchBltMode(dc, HALFTONE);
    ::StretchBlt(dc, 0, 0, page->m_pBitmap->GetWidth() * 72 / 100, page->m_pBitmap->GetHeight() * 72 / 100, memory,
                 0, 0, page->m_pBitmap->GetWidth(), page->m_pBitmap->GetHeight(), SRCCOPY);
    ::SelectObject(memory, old);
    ::DeleteDC(memory);
    ::DeleteObject(ddb);
  }
  POINT dpi = {72, 72};
  for (int fields = 0; fields < 2; ++fields) {
    for (POSITION pos = page->m_objects.GetHeadPosition(); pos != nullptr;) {
      CTranspBaseClass* object = page->m_objects.GetNext(pos);
      if ((object->IsField() != 0) == (fields != 0)) object->Draw(&cdc, 1, &dpi);
    }
  }
  cdc.Detach();
  LBitmapBase::DeleteLeadDC(dc);
  return canvas.Save(path.c_str(), FILE_BMP, 24) == SUCCESS;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: FolimarDocPdfSamples <output folder>\n");
    return 2;
  }
  const std::wstring folder = std::wstring(argv[1]) + L"\\";
  CreateDirectoryW(argv[1], nullptr);
  SetMessageBoxPresenter(SilentBox);
  SetShellOpener(RecordOpen);
  SetDocObjectServices(GetTranspObjectServices());
  RegisterOverlayObjectKinds();
  CTranspBaseClass::SetInchesPerUnit(1.0 / kUnitsPerInch);
  int failures = 0;
  auto check = [&failures](bool ok, const char* what) {
    if (!ok) {
      std::fprintf(stderr, "failed: %s\n", what);
      ++failures;
    }
  };
  {
    CFolimarDoc doc;
    BuildForm(doc);
    check(doc.SaveAsPDF((folder + L"form.pdf").c_str(), -1, -1, 0) == 1, "form.pdf");
    check(WriteReference(doc, 0, folder + L"form_page1.bmp"), "form_page1.bmp");
    check(WriteReference(doc, 1, folder + L"form_page2.bmp"), "form_page2.bmp");
    _DOC_OPTIONS& options = doc.Options();
    GetEncodeString(kUser, kPasswordKey, options.userPassword, kPasswordSlotUnits);
    GetEncodeString(kOwner, kPasswordKey, options.ownerPassword, kPasswordSlotUnits);
    const int32_t security[7] = {1, 1, 1, 0, 0, 0, 1};  // both passwords, on; only printing allowed
    memcpy(options.security, security, sizeof(security));
    options.keyLengthIndex = 1;
    check(doc.SaveAsPDF((folder + L"secure.pdf").c_str(), -1, -1, 1) == 1, "secure.pdf");
  }
  {
    CFolimarDoc doc;
    while (doc.GetPageCount() < 5) doc.InitPageDBTable(doc.AppendNewPage());
    for (int i = 0; i < 5; ++i) {
      SetPage(doc, i, i == 2 ? 11 : 8.5, i == 2 ? 8.5 : 11, false);
      wchar_t text[32];
      swprintf_s(text, L"Page %d text", i + 1);
      AddText(doc, i, L"PageNote", 1.0, 1.0, text, true);
    }
    check(doc.SaveAsPDF((folder + L"range.pdf").c_str(), 1, 2, 0) == 1, "range.pdf");
  }
  UnregisterOverlayObjectKinds();
  // The default settings open an exported file in the viewer, never one made for mail.
  check(g_opened == folder + L"form.pdf\n" + folder + L"range.pdf\n", "viewer opened form.pdf and range.pdf only");
  return failures == 0 ? 0 : 1;
}
