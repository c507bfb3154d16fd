// Editing a page's image: resolution, crop, rotation, flip, mirror, brightness, contrast, inversion,
// the two colour corrections, loading and deleting the page image and loading a metafile. Every
// change is one step of the page's undo history.
#include <cmath>
#include <memory>

#include "ColCorrection.h"
#include "ErrorLog.h"
#include "FolimarDoc.h"
#include "FolimarView.h"
#include "MyProcs.h"
#include "PageCommands.h"
#include "resource.h"

namespace {

const double kPi = 3.14159265358979323846;

// The screen's resolution, as the view's page pixels are measured.
SIZE ScreenDpi() {
  SIZE dpi = {96, 96};
  HDC screen = ::GetDC(nullptr);
  if (screen != nullptr) {
    dpi = {::GetDeviceCaps(screen, LOGPIXELSX), ::GetDeviceCaps(screen, LOGPIXELSY)};
    ::ReleaseDC(nullptr, screen);
  }
  return dpi;
}

// A screen-pixel length in image pixels: length x image dpi / screen dpi. A resolution of 0 (an image
// that states none, a screen that reports none) counts as one image pixel per screen pixel.
long ScreenToImage(long length, int imageDpi, int screenDpi) {
  if (imageDpi <= 0 || screenDpi <= 0) return length;
  return std::lround(static_cast<double>(length) * imageDpi / screenDpi);
}

void ShowLibraryError(int result) {
  if (result != ERROR_USER_ABORT) ErrorBox(LBase::GetErrorString(result));
}

}  // namespace

CPageInfo* CFolimarDoc::EditablePage(int pageIndex) const {
  CPageInfo* page = GetPage(pageIndex);
  return page != nullptr && page->HasBitmap() ? page : nullptr;
}

void CFolimarDoc::PageImageChanged(CPageInfo* page) {
  page->m_imageChanged = 1;
  // The kept file bytes are the image as it was read: saving must encode the edited one.
  page->FreeImageFileBytes();
  SetModifiedFlag(TRUE);
}

BOOL CFolimarDoc::EditPageBitmap(int pageIndex, BOOL recordAlways, const std::function<int(LMyBitmap&)>& edit) {
  CPageInfo* page = EditablePage(pageIndex);
  if (page == nullptr) return FALSE;
  CWaitCursor wait;
  // The command copies the image from before the edit.
  std::unique_ptr<CModifyImageCommand> command(new CModifyImageCommand(page, GetFirstFolimarView()));
  LMyBitmap& bitmap = *page->m_pBitmap;
  bitmap.EnableStatusCallBack(TRUE);
  const int result = edit(bitmap);
  bitmap.EnableStatusCallBack(FALSE);
  if (recordAlways || result == SUCCESS) {
    command->SetNewBitmap(bitmap);
    page->m_pUndoManager->DoCommand(command.release());
  }
  if (result != SUCCESS) {
    ShowLibraryError(result);
    return FALSE;
  }
  PageImageChanged(page);
  return TRUE;
}

BOOL CFolimarDoc::SetPageResolution(int pageIndex, int x, int y) {
  DEF_TRY
  CPageInfo* page = EditablePage(pageIndex);
  if (page == nullptr) return FALSE;
  const int oldX = page->m_pBitmap->GetXResolution(), oldY = page->m_pBitmap->GetYResolution();
  page->m_pUndoManager->DoCommand(
      new CModifyImageResolutionCommand(page, oldX, oldY, x, y, GetFirstFolimarView()));
  PageImageChanged(page);
  return TRUE;
  DEF_CATCH("CFolimarDoc::SetPageResolution")
  return FALSE;
}

BOOL CFolimarDoc::DoCropPage(int pageIndex, const RECT& screenRect) {
  DEF_TRY
  if (::IsRectEmpty(&screenRect)) return FALSE;
  CPageInfo* page = EditablePage(pageIndex);
  if (page == nullptr) return FALSE;
  const SIZE screen = ScreenDpi();
  const LMyBitmap& bitmap = *page->m_pBitmap;
  const int dpiX = bitmap.GetXResolution(), dpiY = bitmap.GetYResolution();
  CRect r(ScreenToImage(screenRect.left, dpiX, screen.cx), ScreenToImage(screenRect.top, dpiY, screen.cy),
          ScreenToImage(screenRect.right, dpiX, screen.cx), ScreenToImage(screenRect.bottom, dpiY, screen.cy));
  r.IntersectRect(&r, CRect(0, 0, bitmap.GetWidth(), bitmap.GetHeight()));
  BOOL trimmed = TRUE;
  const BOOL done = EditPageBitmap(pageIndex, FALSE, [&](LMyBitmap& b) {
    if (b.GetViewPerspective() != TOP_LEFT) b.ChangeViewPerspective(TOP_LEFT);
    const int result = b.Trim(r.left, r.top, r.Width(), r.Height());
    trimmed = result == SUCCESS;
    // A failed trim has a message of its own below, not the library's text.
    return result == SUCCESS ? SUCCESS : ERROR_USER_ABORT;
  });
  if (!trimmed) ErrorBox(IDS_OUT_OF_MEMORY);
  return done;
  DEF_CATCH("CFolimarDoc::DoCropPage")
  return FALSE;
}

BOOL CFolimarDoc::RotatePage(int pageIndex, int degrees) {
  return RotatePageHundredths(pageIndex, degrees * 100);
}

BOOL CFolimarDoc::RotatePage(int pageIndex, double radians) {
  // Hundredths of a degree: a straightening angle is mostly well under one degree.
  return RotatePageHundredths(pageIndex, static_cast<int>(std::lround(radians / kPi * 18000.0)));
}

BOOL CFolimarDoc::RotatePageHundredths(int pageIndex, int hundredths) {
  DEF_TRY
  return EditPageBitmap(pageIndex, TRUE, [hundredths](LMyBitmap& b) { return b.Rotate(hundredths, TRUE, 0); });
  DEF_CATCH("CFolimarDoc::RotatePage")
  return FALSE;
}

BOOL CFolimarDoc::FlipImage(int pageIndex) {
  DEF_TRY
  return EditPageBitmap(pageIndex, TRUE, [](LMyBitmap& b) { return b.Flip(); });
  DEF_CATCH("CFolimarDoc::FlipImage")
  return FALSE;
}

BOOL CFolimarDoc::ReverseImage(int pageIndex) {
  DEF_TRY
  return EditPageBitmap(pageIndex, TRUE, [](LMyBitmap& b) { return b.Reverse(); });
  DEF_CATCH("CFolimarDoc::ReverseImage")
  return FALSE;
}

// The colour operations work on an LBitmap copy; `copyBackAlways` copies it back even after a failure.
BOOL CFolimarDoc::EditPageColours(int pageIndex, BOOL recordAlways, BOOL copyBackAlways,
                                  const std::function<int(LBitmap&)>& edit) {
  return EditPageBitmap(pageIndex, recordAlways, [&](LMyBitmap& b) {
    LBitmap work;
    int result = work.Copy(b);
    if (result != SUCCESS) return result;
    result = edit(work);
    if (result == SUCCESS || copyBackAlways) {
      const int copied = b.Copy(work);
      if (result == SUCCESS) result = copied;
    }
    return result;
  });
}

BOOL CFolimarDoc::SetImageBrightness(int pageIndex, int value) {
  DEF_TRY
  return EditPageColours(pageIndex, TRUE, TRUE, [value](LBitmap& b) { return b.ChangeIntensity(value, 0); });
  DEF_CATCH("CFolimarDoc::SetImageBrightness")
  return FALSE;
}

BOOL CFolimarDoc::SetImageContrast(int pageIndex, int value) {
  DEF_TRY
  return EditPageColours(pageIndex, FALSE, FALSE, [value](LBitmap& b) { return b.ChangeContrast(value, 0); });
  DEF_CATCH("CFolimarDoc::SetImageContrast")
  return FALSE;
}

BOOL CFolimarDoc::InvertImage(int pageIndex) {
  DEF_TRY
  return EditPageColours(pageIndex, FALSE, FALSE, [](LBitmap& b) { return b.Invert(0); });
  DEF_CATCH("CFolimarDoc::InvertImage")
  return FALSE;
}

BOOL CFolimarDoc::DoColCorrectionPage(int pageIndex, const RECT& rect, BOOL white) {
  if (CColCorrection::IsAreaEmpty(rect) || ::IsRectEmpty(&rect)) return FALSE;
  CPageInfo* page = EditablePage(pageIndex);
  if (page == nullptr) return FALSE;
  CWaitCursor wait;
  std::unique_ptr<ColourCorrectionParams> params(new ColourCorrectionParams());
  (white ? params->white : params->black) = rect;
  params->factor = 1.0;
  std::unique_ptr<CModifyImageCommand> command(new CModifyImageCommand(page, GetFirstFolimarView()));
  LMyBitmap corrected;
  CColCorrection correction;
  if (correction.DoCorrection(*page->m_pBitmap, corrected, *params, 0) && page->m_pBitmap->Copy(corrected) != SUCCESS) {
    ErrorBox(IDS_OUT_OF_MEMORY);
    return FALSE;
  }
  command->SetNewBitmap(*page->m_pBitmap);
  page->m_pUndoManager->DoCommand(command.release());
  PageImageChanged(page);
  return TRUE;
}

BOOL CFolimarDoc::DoColCorrectionWhitePage(int pageIndex, const RECT& rect) {
  DEF_TRY
  return DoColCorrectionPage(pageIndex, rect, TRUE);
  DEF_CATCH("CFolimarDoc::DoColCorrectionWhitePage")
  return FALSE;
}

BOOL CFolimarDoc::DoColCorrectionBlackPage(int pageIndex, const RECT& rect) {
  DEF_TRY
  return DoColCorrectionPage(pageIndex, rect, FALSE);
  DEF_CATCH("CFolimarDoc::DoColCorrectionBlackPage")
  return FALSE;
}

// ---- The page image as a whole ----

int CFolimarDoc::CurrentViewPage() const {
  CFolimarView* view = GetFirstFolimarView();
  return view != nullptr ? view->GetActivePage() : 0;
}

BOOL CFolimarDoc::LoadMainImage(LMyBitmap* bitmap, int pageIndex) {
  DEF_TRY
  if (pageIndex == -1) pageIndex = CurrentViewPage();
  CPageInfo* page = GetPage(pageIndex);
  if (page == nullptr || bitmap == nullptr || !bitmap->IsAllocated()) {
    delete bitmap;
    return FALSE;
  }
  CFolimarView* view = GetFirstFolimarView();
  page->FreeImageFileBytes();
  page->m_pUndoManager->DoCommand(new CCreateMainImageEmfCommand(page, bitmap, nullptr, view));
  page->m_imageChanged = 0;
  SetModifiedFlag(TRUE);
  if (view != nullptr) view->Invalidate();
  return TRUE;
  DEF_CATCH("CFolimarDoc::LoadMainImage")
  return FALSE;
}

BOOL CFolimarDoc::LoadEMF(LPCTSTR path, int pageIndex) {
  DEF_TRY
  CPageInfo* page = GetPage(pageIndex);
  if (page == nullptr || path == nullptr) return FALSE;
  HENHMETAFILE metafile = ::GetEnhMetaFileW(path);
  if (metafile == nullptr) {
    CString text;
    text.Format(L"CFolimarDoc::LoadEMF: the metafile %s cannot be opened", path);
    AppendErrorLog(text);
    return FALSE;
  }
  CFolimarView* view = GetFirstFolimarView();
  page->FreeImageFileBytes();
  page->m_pUndoManager->DoCommand(new CCreateMainImageEmfCommand(page, nullptr, metafile, view));
  m_imagePath = path;
  // A new background is a change to keep, whoever loaded it.
  SetModifiedFlag(TRUE);
  if (view != nullptr) view->Invalidate();
  return TRUE;
  DEF_CATCH("CFolimarDoc::LoadEMF")
  return FALSE;
}

void CFolimarDoc::OnFileDeleteImage() {
  DEF_TRY
  CPageInfo* page = GetPage(CurrentViewPage());
  CFolimarView* view = GetFirstFolimarView();
  if (page != nullptr && (page->HasBitmap() || page->m_hMetafile != nullptr)) {
    page->FreeImageFileBytes();
    page->m_pUndoManager->DoCommand(new CDeleteMainImageCommand(page, view));
  }
  SetModifiedFlag(TRUE);
  if (page != nullptr) page->ClearViewCache();
  if (view != nullptr) view->Invalidate(TRUE);
  DEF_CATCH("CFolimarDoc::OnFileDeleteImage")
}

void CFolimarDoc::OnFileLoadImage() {
  DEF_TRY
  CString documents, images, all;
  documents.LoadString(IDS_DOCUMENT_FILTER);
  images.LoadString(IDS_FILTER_IMAGES);
  all.LoadString(IDS_FILTER_BACKGROUND_ALL);
  CString title;
  title.LoadString(IDS_LOAD_BACKGROUND);
  CWinApp* app = AfxGetApp();
  const CString folder = app != nullptr ? app->GetProfileString(L"Settings", L"GraphicInitialDir", L"") : CString();
  const int index = app != nullptr ? static_cast<int>(app->GetProfileInt(L"Settings", L"LoadImageFilterIndex", 2)) : 2;
  CFileDialog dialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_ENABLESIZING,
                     documents + images + all, AfxGetMainWnd());
  dialog.m_ofn.lpstrTitle = title;
  dialog.m_ofn.lpstrInitialDir = folder.IsEmpty() ? nullptr : static_cast<LPCWSTR>(folder);
  dialog.m_ofn.nFilterIndex = static_cast<DWORD>(index > 0 ? index : 2);
  if (dialog.DoModal() != IDOK) return;
  const CString path = dialog.GetPathName();
  if (app != nullptr) {
    app->WriteProfileString(L"Settings", L"GraphicInitialDir", path.Left(path.ReverseFind(L'\\')));
    app->WriteProfileInt(L"Settings", L"LoadImageFilterIndex", static_cast<int>(dialog.m_ofn.nFilterIndex));
  }
  LoadBackgroundFile(path);
  DEF_CATCH("CFolimarDoc::OnFileLoadImage")
}

BOOL CFolimarDoc::LoadBackgroundFile(const CString& path) {
  DEF_TRY
  CFolimarView* view = GetFirstFolimarView();
  const CString extension = LowerFileExt(path);
  if (IsImageFormatSupported(path)) {
    std::unique_ptr<LMyBitmap> bitmap(new LMyBitmap);
    bitmap->SetFileName(path);
    const int result = bitmap->Load(0, ORDER_BGRORGRAY, 0);
    if (result != SUCCESS) {
      ErrorBox(LBase::GetErrorString(result));
      return FALSE;
    }
    if (!LoadMainImage(bitmap.release(), -1)) return FALSE;
  } else if (extension == L"emf") {
    if (!LoadEMF(path, CurrentViewPage())) return FALSE;
  } else {
    CString pattern, text;
    pattern.LoadString(IDS_OPEN_IN_OWN_PROGRAM);
    text.Format(pattern, L"Vantry", L"Vantry");
    ErrorBox(text);
    return FALSE;
  }
  if (view != nullptr) {
    view->ClearScaledPageCache();
    view->UpdatePrinterSettings();
  }
  return TRUE;
  DEF_CATCH("CFolimarDoc::LoadBackgroundFile")
  return FALSE;
}
