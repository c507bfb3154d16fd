// PDF export of a document through our PDF writer: the document's properties and security, the
// application's PDF settings, one PDF page per document page and a script for every mirrored field.
#include <pdfwriter/PdfComponent.h>

#include "DocSecurity.h"
#include "ErrorLog.h"
#include "FolimarDoc.h"
#include "FolimarView.h"
#include "FrameOptions.h"
#include "MainFrm.h"
#include "MyProcs.h"
#include "TranspText.h"
#include "TranspTextData.h"
#include "resource.h"

namespace {

// The frame's PDF settings; without a frame (tools, tests) the stored records or their defaults.
void GetApplicationPdfOptions(_PDF_OPTIONS& options, _PDF_OPTIONS2& options2) {
  if (CMainFrame* frame = GetMainFrame()) {
    options = frame->GetPdfOptions();
    options2 = frame->GetPdfOptions2();
    return;
  }
  options = DefaultPdfOptions();
  options2 = DefaultPdfOptions2();
  CWinApp* app = AfxGetApp();
  BYTE* data = nullptr;
  UINT size = 0;
  if (app != nullptr && app->GetProfileBinary(frame_settings::kSection, frame_settings::kPdfOptions, &data, &size)) {
    _PDF_OPTIONS stored;
    if (size == sizeof(stored)) {
      memcpy(&stored, data, sizeof(stored));
      if (IsValidPdfOptions(stored)) options = stored;
    }
    delete[] data;
  }
}

CString DecodedPassword(const wchar_t* slot) {
  CString password;
  GetDecodeString(password, kPasswordKey, slot, kPasswordSlotUnits);
  return password;
}

}  // namespace

int CFolimarDoc::SaveAsPDF(LPCTSTR path, int firstPage, int pageCount, BOOL forMail) {
  CFolimarView* view = GetFirstFolimarView();
  if (FAILED(::CoInitialize(nullptr))) {
    ::MessageBoxW(nullptr, L"OLE initialization error", L"error", MB_OK);
    return -1;
  }
  IPdfDocument* raw = nullptr;
  if (FAILED(CreatePdfDocument(&raw)) || raw == nullptr) {
    ::MessageBoxW(nullptr, L"Can't create Brisbec object", L"error", MB_OK);
    ::CoUninitialize();
    return -1;
  }
  IPdfDocumentPtr pdf;
  pdf.Attach(raw);
  int result = 0;
  BOOL openAfter = FALSE;
  {
    CWaitCursor wait;
    try {
      _PDF_OPTIONS options;
      _PDF_OPTIONS2 options2;
      GetApplicationPdfOptions(options, options2);
      pdf->SetFileName(path);
      pdf->SetTitle(m_options.formName);
      pdf->SetAuthor(m_options.author);
      pdf->SetSubject(m_options.subject);
      pdf->SetKeywords(m_options.keywords);
      pdf->SetCompression(options.docCompression);
      pdf->SetJpegQuality(100);
      pdf->SetPdfVersion(options.pdfVersion);
      pdf->SetKeyLength(m_options.keyLengthIndex < 1 ? (options.reserved4 == 1 ? 1 : 0) : 1);
      pdf->SetKeyLengthIndex(m_options.keyLengthIndex == 1 ? 1 : 0);
      // The viewer is started through the program's shell opener once the file is complete, never by
      // the writer: a mail attachment is never opened, and tests put their own opener in place.
      pdf->SetLaunchViewer(0);
      openAfter = options.launchViewer != 0 && !forMail;
      const int32_t* security = m_options.security;  // use user, use owner, on, copy, annotate, modify, print
      pdf->SetSecurityOn(security[2] != 0);
      if (security[2] != 0) {
        if (security[0] != 0) pdf->SetUserPassword(static_cast<LPCWSTR>(DecodedPassword(m_options.userPassword)));
        if (security[1] != 0) pdf->SetOwnerPassword(static_cast<LPCWSTR>(DecodedPassword(m_options.ownerPassword)));
        pdf->SetPermissions(security[3] != 0, security[4] != 0, security[5] != 0, security[6] != 0);
      }
      pdf->SetImageCompression(options.imageCompression);
      pdf->SetUrlDetection(options.urlDetection);
      pdf->SetPageLayout(options.pageLayout);
      pdf->SetPageMode(options.pageMode);
      pdf->SetViewerPreferences(options.centerWindow, options.fitWindow, options.hideMenubar, options.hideToolbars,
                                options.hideWindowUI);
      pdf->SetFontEmbedding(options2.fontEmbedding);
      pdf->SetTopDown(1);
      pdf->SetResolution(72);
      pdf->BeginDocument();
      SetMirroredFields();
      SetScriptActions(pdf);

      int page = firstPage < 0 ? 0 : firstPage;
      int remaining = pageCount;
      while (page < m_pageCount && remaining != 0) {
        const long height = pdf->GetResolution();
        const long width = pdf->GetResolution();
        _PAGE_SETTINGS settings = {};
        GetPageSettings(settings, page);
        // 1 portrait, 2 landscape; a page that never had settings stored is portrait.
        pdf->SetPageOrientation(settings.orientation == 2 ? 1 : 0);
        pdf->SetPageResolution(72);
        pdf->SetPageWidth(static_cast<long>(width * settings.width));
        pdf->SetPageHeight(static_cast<long>(height * settings.height));
        CDC surface;
        surface.Attach(pdf->GetDrawingSurface());
        try {
          DrawPdfPage(view, &surface, page, pdf);
        } catch (...) {
          surface.Detach();
          throw;
        }
        surface.Detach();
        ++page;
        if (remaining > 0) --remaining;
        if (page < m_pageCount && remaining != 0) pdf->NewPage();
      }
      pdf->EndDocument();
      result = 1;
    } catch (_com_error& error) {
      // The writer's own words say which call failed and why.
      const _bstr_t description = error.Description();
      CString line;
      line.Format(L"CFolimarDoc::SaveAsPDF: 0x%08lX %s", static_cast<unsigned long>(error.Error()),
                  description.length() > 0 ? static_cast<LPCWSTR>(description) : L"");
      AppendErrorLog(line);
    } catch (...) {
      ::HandleCaughtException(__FILE__, __LINE__, "CFolimarDoc::SaveAsPDF");
    }
  }
  pdf = nullptr;
  ::CoUninitialize();
  if (result == 1 && openAfter) ShellOpen(nullptr, path);
  return result;
}

void CFolimarDoc::SetScriptActions(IPdfDocument* pdf) {
  ForEachTextObject([&](CTranspText* text) {
    if (text->IsMirrored()) text->SetPdfScriptId(pdf->AddScriptAction(static_cast<LPCWSTR>(GetScript(text))));
    return true;
  });
}

void CFolimarDoc::OnSaveAsPDF() {
  DEF_TRY
  if (CFolimarView* view = GetFirstFolimarView()) {
    view->DeactivateActiveObject();
    view->EndWorkingSignature();
  }
  BOOL turnedText = FALSE;
  ForEachTextObject([&](CTranspText* text) {
    _OBJECT_STYLE style = {};
    text->GetObjectStyle(&style);
    turnedText = TextOrientation(style) != TEXT_LEFT_TO_RIGHT;
    return !turnedText;
  });
  if (turnedText) {
    CString text, caption;
    text.LoadString(IDS_VERTICAL_TEXT_IN_PDF);
    caption.LoadString(IDS_CAPTION_WARNING);
    if (CaptionBox(text, caption, MB_OKCANCEL | MB_ICONEXCLAMATION) != IDOK) return;
  }
  CString proposed = m_pdfPath;
  if (proposed.IsEmpty()) {
    proposed = !GetPathName().IsEmpty() ? GetPathName() : GetTitle();
    const int dot = proposed.ReverseFind(L'.');
    if (dot > proposed.ReverseFind(L'\\')) proposed = proposed.Left(dot);
    proposed += L".pdf";
    m_pdfPath = proposed;
  }
  CString title;
  title.LoadString(IDS_SAVE_AS_PDF);
  CFileDialog dialog(FALSE, L"pdf", proposed, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_ENABLESIZING,
                     L"PDF files (*.pdf)|*.pdf|All files (*.*)|*.*||", AfxGetMainWnd());
  dialog.m_ofn.lpstrTitle = title;
  if (dialog.DoModal() != IDOK) return;
  m_pdfPath = dialog.GetPathName();
  SaveAsPDF(m_pdfPath, -1, -1, 0);
  DEF_CATCH("CFolimarDoc::OnSaveAsPDF")
}

void CFolimarDoc::DrawPdfPage(CFolimarView* view, CDC* dc, int pageIndex, IPdfDocument* pdf) {
  (void)view;
  CPageInfo* page = GetPage(pageIndex);
  if (page == nullptr) return;
  const double resolution = pdf->GetResolution();
  const double inchesPerUnit = CTranspBaseClass::GetInchesPerUnit();
  const double x = inchesPerUnit * page->m_imagePosition.x * resolution;
  const double y = inchesPerUnit * page->m_imagePosition.y * resolution;
  if (page->HasBitmap()) {
    LMyBitmap* bitmap = page->m_pBitmap;
    const double sx = resolution / (bitmap->GetXResolution() > 0 ? bitmap->GetXResolution() : 96);
    const double sy = resolution / (bitmap->GetYResolution() > 0 ? bitmap->GetYResolution() : 96);
    HBITMAP ddb = bitmap->ConvertToDDB(dc->GetSafeHdc());
    if (ddb == nullptr) {
      AppendErrorLog(L"CFolimarDoc::DrawPdfPage: the page image cannot be converted");
      ErrorBox(IDS_PDF_OUTPUT_ERROR);
    } else {
      try {
        const long image = pdf->LoadImageBitmap(ddb);
        pdf->DrawImage(image, x, y, bitmap->GetWidth() * sx, bitmap->GetHeight() * sy);
      } catch (...) {
        ::DeleteObject(ddb);
        throw;
      }
      ::DeleteObject(ddb);
    }
  } else if (page->m_hMetafile != nullptr) {
    ENHMETAHEADER header = {};
    if (::GetEnhMetaFileHeader(page->m_hMetafile, sizeof(header), &header) != 0 && header.szlMillimeters.cx > 0 &&
        header.szlMillimeters.cy > 0) {
      const double dpiX = header.szlDevice.cx * 25.4 / header.szlMillimeters.cx;
      const double dpiY = header.szlDevice.cy * 25.4 / header.szlMillimeters.cy;
      pdf->PlaceMetafile(page->m_hMetafile, x, y, resolution / dpiX, resolution / dpiY);
    }
  }
  // Page text and shapes first, fields over them, as on paper.
  for (int fields = 0; fields < 2; ++fields) {
    for (POSITION pos = page->m_objects.GetHeadPosition(); pos != nullptr;) {
      CTranspBaseClass* object = OverlayOf(page->m_objects.GetNext(pos));
      if (object != nullptr && (object->IsField() != 0) == (fields != 0)) object->DrawOnPDFPage(dc, pdf, 0);
    }
  }
}
