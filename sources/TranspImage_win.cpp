// The picture on devices: the screen through its zoom cache, printers and bitmaps, PDF pages, the
// viz export's image file, the clipboard and drag and drop, and pictures from the clipboard.
#include "TranspImage.h"

#include <pdfwriter/PdfComponent.h>

#include "ErrorLog.h"
#include "MyProcs.h"
#include "ViewConversions.h"
#include "resource.h"

namespace {

HWND WindowOf(CWnd* view) { return view != nullptr ? view->GetSafeHwnd() : nullptr; }

// The screen's resolution as the view's window sees it.
SIZE ScreenDpi(CWnd* view) {
  HWND window = WindowOf(view);
  HDC dc = ::GetDC(window);
  SIZE dpi = {96, 96};
  if (dc != nullptr) {
    dpi = {::GetDeviceCaps(dc, LOGPIXELSX), ::GetDeviceCaps(dc, LOGPIXELSY)};
    ::ReleaseDC(window, dc);
  }
  return dpi;
}

// A file in the program's temporary folder (made when missing).
CString TempFile(LPCWSTR name) {
  const CString folder = GetTempDirPath();
  if (folder.IsEmpty()) return CString();
  ::CreateDirectoryW(folder, nullptr);
  return folder + name;
}

}  // namespace

// ---- Creation from the screen's point of view ----

void CTranspImage::PlaceAtScreenSize(int x, int y) {
  const SIZE screen = ScreenDpi(m_pView);
  // An image that states no resolution is taken at the screen's.
  const int imageX = m_bitmap.GetXResolution() > 0 ? m_bitmap.GetXResolution() : screen.cx;
  const int imageY = m_bitmap.GetYResolution() > 0 ? m_bitmap.GetYResolution() : screen.cy;
  RECT extent = {0, 0, static_cast<int>(m_bitmap.GetWidth() * (static_cast<double>(screen.cx) / imageX)),
                 static_cast<int>(m_bitmap.GetHeight() * (static_cast<double>(screen.cy) / imageY))};
  PageToUnit(&extent);
  m_rect = {x, y, x + (extent.right - extent.left), y + (extent.bottom - extent.top)};
}

int CTranspImage::CreateBitmap(int x, int y, SIZE max) {
  DEF_TRY
  if (!LBitmapBase::IsClipboardReady()) {
    AppendErrorLog(L"CTranspImage::CreateBitmap: the clipboard holds no bitmap");
    return 0;
  }
  ClearImageCache(m_cache);
  if (m_bitmap.CopyFromClipboard(WindowOf(m_pView)) != SUCCESS) {
    AppendErrorLog(L"CTranspImage::CreateBitmap: the clipboard's bitmap cannot be read");
    return 0;
  }
  m_fileBytes.clear();
  PlaceFitted(x, y, max);
  return 1;
  DEF_CATCH("CTranspImage::CreateBitmap")
  return 0;
}

// ---- Drawing ----

RECT CTranspImage::ScreenRect() { return NormalizedRect(DeviceRect(m_rect, 0, nullptr, nullptr)); }

LMyBitmap* CTranspImage::ScreenBitmap(const RECT& destination) {
  const double zoom = GetViewZoom(m_pView);
  LMyBitmap* scaled = nullptr;
  SCALED_ENTRY entry = m_cache.Lookup(zoom, &scaled);
  // A copy made before the rectangle was resized would be stretched once more: it is made anew.
  if (entry == SCALED_READY && (scaled->GetWidth() != destination.right - destination.left ||
                                scaled->GetHeight() != destination.bottom - destination.top)) {
    ClearImageCache(m_cache);
    entry = SCALED_ABSENT;
  }
  if (entry == SCALED_ABSENT) m_cache.StartJob(zoom, &m_bitmap, destination, m_pView, IsTabOrderMode());
  return entry == SCALED_READY ? scaled : &m_bitmap;
}

void CTranspImage::Draw(CDC* dc, int print, POINT* dpi) {
  DEF_TRY
  if (m_deleted || dc == nullptr || !m_bitmap.IsAllocated()) return;
  const HDC hdc = dc->GetSafeHdc();
  const int saved = ::SaveDC(hdc);
  RECT destination;
  LMyBitmap* paint = &m_bitmap;
  if (print) {
    const int resX = dpi != nullptr ? dpi->x : ::GetDeviceCaps(hdc, LOGPIXELSX);
    const int resY = dpi != nullptr ? dpi->y : ::GetDeviceCaps(hdc, LOGPIXELSY);
    destination = NormalizedRect({RoundToInt(UnitToInch(m_rect.left) * resX), RoundToInt(UnitToInch(m_rect.top) * resY),
                                  RoundToInt(UnitToInch(m_rect.right) * resX),
                                  RoundToInt(UnitToInch(m_rect.bottom) * resY)});
  } else {
    destination = ScreenRect();
    paint = ScreenBitmap(destination);
  }
  // The whole picture into the whole rectangle.
  const RECT source = {0, 0, paint->GetWidth(), paint->GetHeight()};
  ::SetStretchBltMode(hdc, COLORONCOLOR);
  paint->SetSrcRect(&source);
  paint->SetDstRect(&destination);
  paint->CreatePaintPalette(hdc);
  HPALETTE oldPalette = nullptr;
  if (paint->GetPalette() != nullptr) {
    oldPalette = ::SelectPalette(hdc, paint->GetPalette(), TRUE);
    ::RealizePalette(hdc);
  }
  paint->Paint()->SetDC(hdc);
  if (paint->Paint()->PaintDC(m_transparent ? SRCAND : SRCCOPY) != SUCCESS)
    AppendErrorLog(L"CTranspImage::Draw: the picture was not painted");
  if (oldPalette != nullptr) ::SelectPalette(hdc, oldPalette, TRUE);
  ::RestoreDC(hdc, saved);
  if (!print) DrawStateFrame(dc, destination);
  DEF_CATCH("CTranspImage::Draw")
}

// A failed call of the PDF creator raises its error, which ends this object's drawing.
void CTranspImage::DrawOnPDFPage(CDC* dc, IPdfDocument* pdf, int arg) {
  (void)arg;
  DEF_TRY
  if (m_deleted || pdf == nullptr || !m_bitmap.IsAllocated()) return;
  const double r = pdf->GetResolution();
  const double x = RoundToInt(r * UnitToInch(m_rect.left)), y = RoundToInt(r * UnitToInch(m_rect.top));
  const double width = RoundToInt(UnitToInch(m_rect.right - m_rect.left) * r);
  const double height = RoundToInt(UnitToInch(m_rect.bottom - m_rect.top) * r);
  if (m_transparent) {
    // The component takes white as transparent only from an image file.
    const CString path = TempFile(L"picture.bmp");
    if (path.IsEmpty() || m_bitmap.Save(path, FILE_BMP, m_bitmap.GetBitsPerPixel()) != SUCCESS) {
      AppendErrorLog(L"CTranspImage::DrawOnPDFPage: the picture cannot be written for the PDF page");
      ErrorBox(IDS_PDF_OUTPUT_ERROR);
      return;
    }
    try {
      const long image = pdf->LoadImageFile(static_cast<LPCWSTR>(path), 1);
      pdf->DrawImage(image, x, y, width, height);
    } catch (...) {
      ::DeleteFileW(path);
      throw;
    }
    ::DeleteFileW(path);
    return;
  }
  HDC screen = dc != nullptr ? nullptr : ::GetDC(nullptr);
  HBITMAP ddb = m_bitmap.ConvertToDDB(dc != nullptr ? dc->GetSafeHdc() : screen);
  if (screen != nullptr) ::ReleaseDC(nullptr, screen);
  if (ddb == nullptr) {
    AppendErrorLog(L"CTranspImage::DrawOnPDFPage: the picture cannot be converted for the PDF page");
    ErrorBox(IDS_PDF_OUTPUT_ERROR);
    return;
  }
  try {
    const long image = pdf->LoadImageBitmap(ddb);
    pdf->DrawImage(image, x, y, width, height);
  } catch (...) {
    ::DeleteObject(ddb);
    throw;
  }
  ::DeleteObject(ddb);
  DEF_CATCH("CTranspImage::DrawOnPDFPage")
}

void CTranspImage::StoringVIZ(CVizConverter* converter) {
  DEF_TRY
  if (converter == nullptr) return;
  CTranspBaseClass::StoringVIZ(converter);
  // A file of this call's own, gone once the converter has taken it.
  const CString path = NewTempFile(L"viz", L"png");
  if (path.IsEmpty() || !m_bitmap.IsAllocated() || m_bitmap.Save(path, FILE_PNG, 0, 2) != SUCCESS) {
    AppendErrorLog(L"CTranspImage::StoringVIZ: the picture cannot be written for the export");
    if (!path.IsEmpty()) ::DeleteFileW(path);
    return;
  }
  try {
    converter->AddObjectImage(path);
  } catch (...) {
    ::DeleteFileW(path);
    throw;
  }
  ::DeleteFileW(path);
  DEF_CATCH("CTranspImage::StoringVIZ")
}

// ---- Clipboard and drag and drop ----

void CTranspImage::CopyToClipboard() {
  DEF_TRY
  const UINT format = GetClipboardFormat();
  if (format == 0) return;
  HGLOBAL data = GetObData();
  if (data == nullptr) return;
  HWND window = WindowOf(m_pView);
  if (!::OpenClipboard(window)) {
    ::GlobalFree(data);
    return;
  }
  ::EmptyClipboard();
  if (::SetClipboardData(format, data) == nullptr) ::GlobalFree(data);
  ::CloseClipboard();
  // The DIB joins the object data: other programs paste the picture.
  m_bitmap.CopyToClipboard(window, LBitmapBase::COPY_DIB);
  DEF_CATCH("CTranspImage::CopyToClipboard")
}

void CTranspImage::BeginDrag() {
  DEF_TRY
  const UINT format = GetClipboardFormat();
  if (format == 0) return;
  HGLOBAL data = GetObData();
  if (data == nullptr) return;
  HGLOBAL dib = m_bitmap.ConvertToDIB();
  // The source owns both blocks and frees them when the drag is over.
  COleDataSource source;
  source.CacheGlobalData(static_cast<CLIPFORMAT>(format), data);
  if (dib != nullptr) source.CacheGlobalData(CF_DIB, dib);
  source.DoDragDrop(DROPEFFECT_COPY);
  DEF_CATCH("CTranspImage::BeginDrag")
}
