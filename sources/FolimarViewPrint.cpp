// A page rendered for output: on a printer or the print preview's recording context, onto a page of a
// PDF document, into a page bitmap for export, mail and fax, and into a metafile file.
#include "FolimarView.h"

#include <cmath>
#include <vector>

#include <pdfwriter/PdfComponent.h>

#include "ErrorLog.h"
#include "FolimarApp.h"
#include "FolimarDoc.h"
#include "MainFrm.h"
#include "MyProcs.h"
#include "TranspBaseClass.h"
#include "TranspText.h"
#include "resource.h"

namespace {

HBRUSH WhiteBrush() { return static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)); }

// The erased region of a page in output pixels: the erase list keeps image dots from the page's
// corner, as the eraser records them; scaled by sx and sy here. Null for an empty list.
HRGN ScaledEraseRegion(const CEraseList& list, double sx, double sy) {
  return list.MappedRegion([sx, sy](const RECT& r) {
    return RECT{RoundToInt(r.left * sx), RoundToInt(r.top * sy), RoundToInt(r.right * sx), RoundToInt(r.bottom * sy)};
  });
}

// The rectangles a region is made of.
std::vector<RECT> RegionRects(HRGN region) {
  std::vector<RECT> rects;
  const DWORD size = region != nullptr ? ::GetRegionData(region, 0, nullptr) : 0;
  if (size == 0) return rects;
  std::vector<BYTE> buffer(size);
  RGNDATA* data = reinterpret_cast<RGNDATA*>(buffer.data());
  if (::GetRegionData(region, size, data) != size) return rects;
  const RECT* first = reinterpret_cast<const RECT*>(data->Buffer);
  rects.assign(first, first + data->rdh.nCount);
  return rects;
}

// Paints `source` (top-left view, image pixels) of the bitmap into `destination` through the imaging
// layer's painter, with its paint palette selected and realised for the call and none left behind.
void PaintBitmap(HDC dc, LMyBitmap* bitmap, RECT source, const RECT& destination, LPCWSTR failure) {
  ::SetStretchBltMode(dc, COLORONCOLOR);
  bitmap->RectToBitmap(TOP_LEFT, &source);
  bitmap->SetSrcRect(&source);
  bitmap->SetDstRect(&destination);
  bitmap->SetPalette(nullptr);
  bitmap->CreatePaintPalette(dc);
  HPALETTE old = nullptr;
  if (bitmap->GetPalette() != nullptr) {
    old = ::SelectPalette(dc, bitmap->GetPalette(), FALSE);
    ::RealizePalette(dc);
  }
  bitmap->Paint()->SetDC(dc);
  if (bitmap->Paint()->PaintDC(SRCCOPY) != SUCCESS) AppendErrorLog(failure);
  if (old != nullptr) ::SelectPalette(dc, old, FALSE);
  bitmap->SetPalette(nullptr);
}

}  // namespace

SIZE CFolimarView::PageResolution(int pageIndex) const {
  SIZE dpi = {0, 0};
  CFolimarDoc* doc = GetDocument();
  CPageInfo* page = doc != nullptr ? doc->GetPage(pageIndex) : nullptr;
  ENHMETAHEADER header = {};
  if (page != nullptr && page->HasBitmap()) {
    dpi = {page->m_pBitmap->GetXResolution(), page->m_pBitmap->GetYResolution()};
  } else if (page != nullptr && page->m_hMetafile != nullptr &&
             ::GetEnhMetaFileHeader(page->m_hMetafile, sizeof(header), &header) != 0 &&
             header.szlMillimeters.cx > 0 && header.szlMillimeters.cy > 0) {
    dpi = {static_cast<LONG>(std::floor(static_cast<double>(header.szlDevice.cx) / header.szlMillimeters.cx * 25.4)),
           static_cast<LONG>(std::floor(static_cast<double>(header.szlDevice.cy) / header.szlMillimeters.cy * 25.4))};
  }
  // An image that states no resolution counts at the screen's, one image pixel per page pixel.
  if (dpi.cx <= 0) dpi.cx = m_geometry.m_dpiX;
  if (dpi.cy <= 0) dpi.cy = m_geometry.m_dpiY;
  return dpi;
}

// ---- Printer, preview and PDF page ----

void CFolimarView::DrawPrint(CDC* pDC, int pageIndex, int kind, IPdfDocument* pdf) {
  DEF_TRY
  CFolimarDoc* doc = GetDocument();
  CPageInfo* page = doc != nullptr ? doc->GetPage(pageIndex) : nullptr;
  if (pDC == nullptr || page == nullptr || (kind == kOutputPdf && pdf == nullptr)) return;
  const HDC dc = pDC->GetSafeHdc();
  const int saved = ::SaveDC(dc);
  const int dpiX = ::GetDeviceCaps(dc, LOGPIXELSX), dpiY = ::GetDeviceCaps(dc, LOGPIXELSY);
  const int physicalX = ::GetDeviceCaps(dc, PHYSICALOFFSETX), physicalY = ::GetDeviceCaps(dc, PHYSICALOFFSETY);
  // Logical 0,0 is the corner of the paper, not of the printable area.
  ::OffsetViewportOrgEx(dc, -physicalX, -physicalY, nullptr);

  const BOOL background = kind == kOutputPdf || m_printMode != kPrintDataOnly;
  const BOOL objects = kind == kOutputPdf || m_printMode != kPrintImageOnly;
  const BOOL offset = kind == kOutputPdf || m_printMode == kPrintDataOnly;
  const double unit = doc->m_unit;

  if (background && (page->HasBitmap() || page->m_hMetafile != nullptr)) {
    if (kind == kOutputPdf)
      DrawPdfBackground(pDC, pageIndex, pdf);
    else
      DrawPrintBackground(dc, pageIndex, kind, physicalX, physicalY);
  }

  if (offset)
    ::OffsetViewportOrgEx(dc, static_cast<int>(unit * doc->m_printOffsetX * dpiX),
                          static_cast<int>(unit * doc->m_printOffsetY * dpiY), nullptr);

  if (objects) {
    CTranspObjectList& list = page->m_objects;
    if (kind == kOutputPdf) {
      const int resolution = GetFolimarApp() != nullptr ? GetFolimarApp()->m_printerMetrics.dpiX : dpiX;
      for (int fields = 0; fields < 2; ++fields) {
        for (POSITION pos = list.GetHeadPosition(); pos != nullptr;) {
          CTranspBaseClass* object = list.GetNext(pos);
          if (!object->IsDeleted() && (object->IsField() != 0) == (fields != 0))
            object->DrawOnPDFPage(pDC, pdf, resolution);
        }
      }
    } else {
      // With the print-all switch the objects kept off paper come first, under the printable ones.
      for (int printable = m_printAllObjects ? 0 : 1; printable < 2; ++printable) {
        for (POSITION pos = list.GetHeadPosition(); pos != nullptr;) {
          CTranspBaseClass* object = list.GetNext(pos);
          if (object->IsDeleted() || (object->IsPrintable() != 0) != (printable != 0)) continue;
          if (CTranspText* text = dynamic_cast<CTranspText*>(object)) text->Wrap();
          object->Draw(pDC, 1, nullptr);
        }
      }
    }
  }
  ::RestoreDC(dc, saved);
  DEF_CATCH("CFolimarView::DrawPrint")
}

void CFolimarView::DrawPrintBackground(HDC dc, int pageIndex, int kind, int physicalX, int physicalY) {
  CFolimarDoc* doc = GetDocument();
  CPageInfo* page = doc->GetPage(pageIndex);
  const int dpiX = ::GetDeviceCaps(dc, LOGPIXELSX), dpiY = ::GetDeviceCaps(dc, LOGPIXELSY);
  const SIZE imageDpi = PageResolution(pageIndex);
  const double sx = static_cast<double>(dpiX) / imageDpi.cx, sy = static_cast<double>(dpiY) / imageDpi.cy;
  const POINT at = {RoundToInt(doc->m_unit * page->m_imagePosition.x * dpiX),
                    RoundToInt(doc->m_unit * page->m_imagePosition.y * dpiY)};
  const SIZE size = doc->GetPageImageSize(pageIndex);
  const RECT target = {at.x, at.y, at.x + RoundToInt(size.cx * sx), at.y + RoundToInt(size.cy * sy)};
  HRGN erased = ScaledEraseRegion(page->m_eraseList, sx, sy);

  if (page->HasBitmap()) {
    // On paper the erased parts are left out of the image altogether; clip regions are in device
    // pixels, which the viewport origin does not move.
    const BOOL clipped = kind == kOutputPrinter && erased != nullptr;
    if (clipped) {
      HRGN clip = ::CreateRectRgnIndirect(&target);
      ::CombineRgn(clip, clip, erased, RGN_DIFF);
      ::OffsetRgn(clip, -physicalX, -physicalY);
      ::SelectClipRgn(dc, clip);
      ::DeleteObject(clip);
    }
    LMyBitmap* bitmap = page->m_pBitmap;
    PaintBitmap(dc, bitmap, {0, 0, bitmap->GetWidth(), bitmap->GetHeight()}, target,
                L"CFolimarView::DrawPrint: the page image was not painted");
    if (clipped) ::SelectClipRgn(dc, nullptr);
  } else {
    ::FillRect(dc, &target, WhiteBrush());
    ::PlayEnhMetaFile(dc, page->m_hMetafile, &target);
  }
  if (erased != nullptr) {
    ::FillRgn(dc, erased, WhiteBrush());
    ::DeleteObject(erased);
  }
}

// A failure here leaves the page without its image; the objects are still written.
void CFolimarView::DrawPdfBackground(CDC* pDC, int pageIndex, IPdfDocument* pdf) {
  DEF_TRY
  CFolimarDoc* doc = GetDocument();
  CPageInfo* page = doc->GetPage(pageIndex);
  const double resolution = pdf->GetResolution();
  const SIZE imageDpi = PageResolution(pageIndex);
  const double sx = resolution / imageDpi.cx, sy = resolution / imageDpi.cy;
  const double x = RoundToInt(doc->m_unit * page->m_imagePosition.x * resolution);
  const double y = RoundToInt(doc->m_unit * page->m_imagePosition.y * resolution);

  if (page->HasBitmap()) {
    LMyBitmap* bitmap = page->m_pBitmap;
    HDC screen = ::GetDC(m_hWnd);
    HBITMAP ddb = bitmap->ConvertToDDB(screen != nullptr ? screen : pDC->GetSafeHdc());
    if (screen != nullptr) ::ReleaseDC(m_hWnd, screen);
    if (ddb == nullptr) {
      AppendErrorLog(L"CFolimarView::DrawPrint: the page image could not be converted for the PDF page");
      ErrorBox(IDS_PDF_OUTPUT_ERROR);
    } else {
      const long image = pdf->LoadImageBitmap(ddb);
      ::DeleteObject(ddb);
      pdf->DrawImage(image, x, y, bitmap->GetWidth() * sx, bitmap->GetHeight() * sy);
    }
  } else {
    pdf->PlaceMetafile(page->m_hMetafile, x, y, sx, sy);
  }

  HRGN erased = ScaledEraseRegion(page->m_eraseList, sx, sy);
  if (erased == nullptr) return;
  const std::vector<RECT> rects = RegionRects(erased);
  ::DeleteObject(erased);
  pdf->SetFillColor(1, 1, 1);
  for (const RECT& r : rects) {
    pdf->Rectangle(r.left, r.top, r.right, r.bottom);
    pdf->Fill();
  }
  DEF_CATCH("CFolimarView::DrawPdfBackground")
}

// ---- Page bitmaps ----

void CFolimarView::DrawOnImagePage(CDC* pDC, int pageIndex, SIZE resolution, BOOL imageOnly) {
  DEF_TRY
  CFolimarDoc* doc = GetDocument();
  CPageInfo* page = doc != nullptr ? doc->GetPage(pageIndex) : nullptr;
  if (pDC == nullptr || page == nullptr) return;
  const HDC dc = pDC->GetSafeHdc();
  const int saved = ::SaveDC(dc);
  const RECT sheet = {0, 0, static_cast<int>(page->m_settings.width * resolution.cx),
                      static_cast<int>(page->m_settings.height * resolution.cy)};
  ::SelectObject(dc, ::GetStockObject(WHITE_BRUSH));
  ::SelectObject(dc, ::GetStockObject(WHITE_PEN));
  ::Rectangle(dc, sheet.left, sheet.top, sheet.right, sheet.bottom);

  const double unit = doc->m_unit;
  POINT at = {0, 0};
  if (page->m_hMetafile != nullptr) {
    at = {static_cast<LONG>(unit * page->m_imagePosition.x * resolution.cx),
          static_cast<LONG>(unit * page->m_imagePosition.y * resolution.cy)};
    const SIZE size = doc->GetPageImageSize(pageIndex);
    const RECT target = {at.x, at.y, at.x + size.cx, at.y + size.cy};
    RECT white;
    if (::IntersectRect(&white, &target, &sheet)) ::FillRect(dc, &white, WhiteBrush());
    ::PlayEnhMetaFile(dc, page->m_hMetafile, &target);
  } else if (page->HasBitmap()) {
    LMyBitmap* bitmap = page->m_pBitmap;
    at = {static_cast<LONG>(std::floor(unit * page->m_imagePosition.x * resolution.cx)),
          static_cast<LONG>(std::floor(unit * page->m_imagePosition.y * resolution.cy))};
    // A negative position cuts the image on that side.
    RECT source = {at.x < 0 ? -at.x : 0, at.y < 0 ? -at.y : 0, bitmap->GetWidth(), bitmap->GetHeight()};
    const POINT to = {at.x < 0 ? 0 : at.x, at.y < 0 ? 0 : at.y};
    const RECT destination = {to.x, to.y, to.x + source.right - source.left, to.y + source.bottom - source.top};
    if (source.right > source.left && source.bottom > source.top)
      PaintBitmap(dc, bitmap, source, destination, L"CFolimarView::DrawOnImagePage: the page image was not painted");
  }
  if (page->m_hMetafile != nullptr || page->HasBitmap()) {
    // The erase list is kept in image dots, which are this rendering's pixels.
    HRGN erased = ScaledEraseRegion(page->m_eraseList, 1.0, 1.0);
    if (erased != nullptr) {
      ::FillRgn(dc, erased, WhiteBrush());
      ::DeleteObject(erased);
    }
  }
  if (!imageOnly) {
    POINT dpi = {resolution.cx, resolution.cy};
    for (POSITION pos = page->m_objects.GetHeadPosition(); pos != nullptr;) {
      CTranspBaseClass* object = page->m_objects.GetNext(pos);
      if (!object->IsDeleted()) object->Draw(pDC, 1, &dpi);
    }
  }
  ::RestoreDC(dc, saved);
  DEF_CATCH("CFolimarView::DrawOnImagePage")
}

int CFolimarView::GetPageAsBitmap(int pageIndex, LBitmapBase* bitmap, int flag) {
  DEF_TRY
  CFolimarDoc* doc = GetDocument();
  if (doc == nullptr || bitmap == nullptr || doc->GetPage(pageIndex) == nullptr) return 0;
  CWaitCursor wait;
  _PAGE_SETTINGS settings = {};
  doc->GetPageSettings(settings, pageIndex);
  // The page is rendered at its image's resolution, so the image lands pixel for pixel and objects
  // are placed by the same measure.
  const SIZE dpi = PageResolution(pageIndex);
  const int width = static_cast<int>(dpi.cx * settings.width), height = static_cast<int>(dpi.cy * settings.height);
  if (width <= 0 || height <= 0 || bitmap->Create(width, height, 24, ORDER_BGR, nullptr, 0, TOP_LEFT) != SUCCESS)
    return 0;
  bitmap->SetXResolution(dpi.cx);
  bitmap->SetYResolution(dpi.cy);
  HDC dc = bitmap->CreateLeadDC();
  if (dc == nullptr) return 0;
  UpdatePrinterSettings();
  CDC target;
  target.Attach(dc);
  DrawOnImagePage(&target, pageIndex, dpi, flag);
  target.Detach();
  LBitmapBase::DeleteLeadDC(dc);
  return 1;
  DEF_CATCH("CFolimarView::GetPageAsBitmap")
  return 0;
}

int CFolimarView::GetActivePageAsBitmap(LBitmapBase* bitmap) { return GetPageAsBitmap(m_activePage, bitmap, 0); }

int CFolimarView::GetDocumentAsBitmapList(LBitmapList* list) {
  DEF_TRY
  CFolimarDoc* doc = GetDocument();
  if (doc == nullptr || list == nullptr) return 0;
  for (int i = 0; i < doc->GetPageCount(); ++i) {
    LBitmapBase page;
    if (!GetPageAsBitmap(i, &page, 0) || list->InsertItem(&page, -1) != SUCCESS) return 0;
  }
  return 1;
  DEF_CATCH("CFolimarView::GetDocumentAsBitmapList")
  return 0;
}

// ---- Metafile file ----

HENHMETAFILE CFolimarView::WritePageToEmf(int pageIndex, LPCTSTR path) {
  DEF_TRY
  CFolimarDoc* doc = GetDocument();
  CPageInfo* page = doc != nullptr ? doc->GetPage(pageIndex) : nullptr;
  if (page == nullptr || path == nullptr) return nullptr;
  // The picture is drawn in image pixels; its frame gives the page's paper size in 0.01 mm.
  const SIZE dpi = PageResolution(pageIndex);
  const RECT frame = {0, 0, RoundToInt(page->m_settings.width * 2540), RoundToInt(page->m_settings.height * 2540)};
  HDC screen = ::GetDC(nullptr);
  HDC recorder = ::CreateEnhMetaFileW(screen, path, &frame, nullptr);
  ::ReleaseDC(nullptr, screen);
  if (recorder == nullptr) {
    AppendErrorLog(L"CFolimarView::WritePageToEmf: the metafile could not be made");
    return nullptr;
  }
  // Records in image pixels while the frame keeps the page's size.
  ::SetMapMode(recorder, MM_ANISOTROPIC);
  const int mmX = ::GetDeviceCaps(recorder, HORZSIZE), mmY = ::GetDeviceCaps(recorder, VERTSIZE);
  const int pixelsX = ::GetDeviceCaps(recorder, HORZRES), pixelsY = ::GetDeviceCaps(recorder, VERTRES);
  ::SetWindowExtEx(recorder, dpi.cx * mmX, dpi.cy * mmY, nullptr);
  ::SetViewportExtEx(recorder, RoundToInt(pixelsX * 25.4), RoundToInt(pixelsY * 25.4), nullptr);
  CDC dc;
  dc.Attach(recorder);
  DrawOnImagePage(&dc, pageIndex, dpi, FALSE);
  dc.Detach();
  return ::CloseEnhMetaFile(recorder);
  DEF_CATCH("CFolimarView::WritePageToEmf")
  return nullptr;
}
