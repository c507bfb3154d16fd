// The view's screen drawing: the visible part of the active page composed in a memory bitmap (page
// image from the zoom cache or stretched on the fly, background metafile, erased areas, grid dots,
// objects, reference points, crop area) and copied to the window in one transfer.
#include "FolimarView.h"

#include <algorithm>
#include <cmath>

#include "ErrorLog.h"
#include "FolimarDoc.h"
#include "MainFrm.h"
#include "MyProcs.h"
#include "TranspBaseClass.h"
#include "TranspImage.h"
#include "TranspText.h"

namespace {

HBRUSH WhiteBrush() { return static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)); }

// Fills what lies in `area` but outside `hole` (both in the DC's logical coordinates) white.
void FillAround(HDC dc, const RECT& area, const RECT& hole) {
  RECT inner;
  if (!::IntersectRect(&inner, &area, &hole)) {
    ::FillRect(dc, &area, WhiteBrush());
    return;
  }
  const RECT bands[] = {{area.left, area.top, area.right, inner.top},
                        {area.left, inner.bottom, area.right, area.bottom},
                        {area.left, inner.top, inner.left, inner.bottom},
                        {inner.right, inner.top, area.right, inner.bottom}};
  for (const RECT& band : bands)
    if (!::IsRectEmpty(&band)) ::FillRect(dc, &band, WhiteBrush());
}

}  // namespace

void CFolimarView::OnDraw(CDC* pDC) {
  DEF_TRY
  DrawScreen(pDC);
  DEF_CATCH("CFolimarView::OnDraw")
}

// ---- Page image and cache ----

void CFolimarView::ClearScaledPageCache() {
  DEF_TRY
  CTranspImage::ClearImageCache(m_scaledPages);
  DEF_CATCH("CFolimarView::ClearScaledPageCache")
}

LMyBitmap* CFolimarView::GetActivePageBitmap() const {
  CFolimarDoc* doc = GetDocument();
  CPageInfo* page = doc != nullptr ? doc->GetPage(m_activePage) : nullptr;
  return page != nullptr && page->HasBitmap() ? page->m_pBitmap : nullptr;
}

POINT CFolimarView::GetPageBitmapPos() const {
  CFolimarDoc* doc = GetDocument();
  CPageInfo* page = doc != nullptr ? doc->GetPage(m_activePage) : nullptr;
  return page != nullptr ? page->m_imagePosition : POINT{0, 0};
}

BOOL CFolimarView::IsImageAvailableOnActivePage() const { return GetActivePageBitmap() != nullptr; }

BOOL CFolimarView::IsTabOrderMode() const {
  CMainFrame* frame = GetMainFrame();
  return frame != nullptr && frame->GetProgramMode() == PROGRAM_MODE_TAB_ORDER;
}

SIZE CFolimarView::ActivePageResolution() const { return PageResolution(m_activePage); }

// ---- Screen drawing ----

void CFolimarView::DrawScreen(CDC* pDC) {
  if (pDC == nullptr) return;
  const int savedPaint = pDC->SaveDC();
  CRect page(0, 0, m_geometry.m_pageExtent.cx, m_geometry.m_pageExtent.cy);
  PageToView(&page);

  CRect update;
  if (pDC->IsKindOf(RUNTIME_CLASS(CPaintDC)))
    update = static_cast<CPaintDC*>(pDC)->m_ps.rcPaint;
  else
    GetClientRect(&update);
  update.NormalizeRect();
  CRgn clip;
  clip.CreateRectRgnIndirect(&update);
  pDC->SelectClipRgn(&clip);
  // Beyond the page the window shows the workspace colour.
  CBrush outside(::GetSysColor(COLOR_APPWORKSPACE));
  FillOutsideRect(pDC, &outside);
  CRect drawing = update;
  drawing.OffsetRect(GetDeviceScrollPosition());
  // The partly visible last magnified pixel is repainted too.
  if (m_geometry.m_zoom > 1) {
    const int widen = static_cast<int>(m_geometry.m_zoom);
    drawing.right += widen;
    drawing.bottom += widen;
  }
  if (!drawing.IntersectRect(&drawing, &page)) {
    pDC->RestoreDC(savedPaint);
    return;
  }

  CDC memory;
  CBitmap canvas;
  if (!memory.CreateCompatibleDC(pDC) || !canvas.CreateCompatibleBitmap(pDC, drawing.Width(), drawing.Height())) {
    AppendErrorLog(L"CFolimarView::DrawScreen: no memory bitmap for the page");
    pDC->RestoreDC(savedPaint);
    return;
  }
  CBitmap* oldCanvas = memory.SelectObject(&canvas);
  memory.SetWindowOrg(drawing.left, drawing.top);

  RECT image = {0, 0, 0, 0};
  DrawPageBackground(&memory, drawing, image);
  DrawGrid(&memory, drawing);

  memory.IntersectClipRect(&page);
  DrawObjects(&memory, update);

  const int half = m_geometry.m_zoom > 1 ? static_cast<int>(m_geometry.m_zoom / 2) : 0;
  for (POSITION pos = m_refPointTools.GetHeadPosition(); pos != nullptr;) {
    CRefPointTool* tool = m_refPointTools.GetNext(pos);
    POINT p = tool->GetPoint();
    PageToView(&p);
    p.x += half;
    p.y += half;
    const CRect marker = CRefPointTool::GetRect(p);
    RECT meet;
    if (::IntersectRect(&meet, &marker, &image)) CRefPointTool::Draw(&memory, p);
  }
  if (!m_cropTool.IsEmpty()) {
    CRect crop = m_cropTool.GetArea();
    PageToView(&crop);
    m_cropTool.Draw(&memory, crop);
  }

  memory.SelectClipRgn(nullptr);
  memory.SetWindowOrg(0, 0);
  HideCaret();
  pDC->BitBlt(drawing.left, drawing.top, drawing.Width(), drawing.Height(), &memory, 0, 0, SRCCOPY);
  ShowCaret();
  memory.SelectObject(oldCanvas);
  pDC->RestoreDC(savedPaint);
}

void CFolimarView::DrawPageBackground(CDC* dc, const RECT& drawing, RECT& image) {
  image = {0, 0, 0, 0};
  CFolimarDoc* doc = GetDocument();
  CPageInfo* page = doc != nullptr ? doc->GetPage(m_activePage) : nullptr;
  LMyBitmap* bitmap = GetActivePageBitmap();
  const HENHMETAFILE metafile = page != nullptr ? page->m_hMetafile : nullptr;
  const HDC hdc = dc->GetSafeHdc();
  if (m_showPageImage && (bitmap != nullptr || metafile != nullptr)) {
    const SIZE resolution = ActivePageResolution();
    const double sx = static_cast<double>(::GetDeviceCaps(hdc, LOGPIXELSX)) / resolution.cx;
    const double sy = static_cast<double>(::GetDeviceCaps(hdc, LOGPIXELSY)) / resolution.cy;
    POINT at = GetPageBitmapPos();
    UnitToPage(&at);
    const SIZE size = bitmap != nullptr ? SIZE{bitmap->GetWidth(), bitmap->GetHeight()}
                                        : doc->GetPageImageSize(m_activePage);
    image = {at.x, at.y, at.x + RoundToInt(size.cx * sx), at.y + RoundToInt(size.cy * sy)};
    PageToView(&image);
    if (bitmap != nullptr) {
      DrawPageBitmap(dc, bitmap, drawing, image);
    } else {
      RECT white;
      if (::IntersectRect(&white, &image, &drawing)) ::FillRect(hdc, &white, WhiteBrush());
      ::PlayEnhMetaFile(hdc, metafile, &image);
    }
    DrawErasedAreas(dc, sx, sy);
  }
  FillAround(hdc, drawing, image);
}

void CFolimarView::DrawPageBitmap(CDC* dc, LMyBitmap* page, const RECT& drawing, const RECT& image) {
  const double zoom = m_geometry.m_zoom;
  LMyBitmap* scaled = nullptr;
  const SCALED_ENTRY entry = m_scaledPages.Lookup(zoom, &scaled);
  if (entry == SCALED_ABSENT) m_scaledPages.StartJob(zoom, page, image, this, IsTabOrderMode());
  LMyBitmap* paint = entry == SCALED_READY ? scaled : page;

  RECT band;
  if (!::IntersectRect(&band, &image, &drawing) || paint->GetHeight() <= 0) return;
  // The bitmap rows under the band and where they land. The rows map to the same view rows
  // whichever band is painted, so bands painted apart join without a seam; a scaled copy maps one
  // to one.
  const double rowScale = static_cast<double>(image.bottom - image.top) / paint->GetHeight();
  if (rowScale <= 0) return;
  const int t = band.top - image.top, b = band.bottom - image.top;
  const int sourceTop = std::max(0, static_cast<int>(std::floor(t / rowScale)));
  const int sourceBottom = std::min(paint->GetHeight(), static_cast<int>(std::ceil(b / rowScale)));
  if (sourceBottom <= sourceTop) return;
  RECT source = {0, sourceTop, paint->GetWidth(), sourceBottom};
  const RECT destination = {image.left, image.top + RoundToInt(sourceTop * rowScale), image.right,
                            image.top + RoundToInt(sourceBottom * rowScale)};

  const HDC hdc = dc->GetSafeHdc();
  const int saved = ::SaveDC(hdc);
  ::SetStretchBltMode(hdc, COLORONCOLOR);
  paint->CreatePaintPalette(hdc);
  HPALETTE oldPalette = nullptr;
  if (paint->GetPalette() != nullptr) {
    oldPalette = ::SelectPalette(hdc, paint->GetPalette(), TRUE);
    ::RealizePalette(hdc);
  }
  paint->RectToBitmap(TOP_LEFT, &source);
  paint->SetSrcRect(&source);
  paint->SetDstRect(&destination);
  paint->Paint()->SetDC(hdc);
  if (paint->Paint()->PaintDC(SRCCOPY) != SUCCESS) AppendErrorLog(L"CFolimarView::DrawScreen: the page image was not painted");
  if (oldPalette != nullptr) ::SelectPalette(hdc, oldPalette, TRUE);
  ::RestoreDC(hdc, saved);
}

void CFolimarView::DrawErasedAreas(CDC* dc, double sx, double sy) {
  CFolimarDoc* doc = GetDocument();
  CPageInfo* page = doc != nullptr ? doc->GetPage(m_activePage) : nullptr;
  if (page == nullptr) return;
  HRGN region = page->m_eraseList.MappedRegion([this, sx, sy](const RECT& entry) {
    RECT r = entry;
    PageToView(&r);
    return RECT{RoundToInt(r.left * sx), RoundToInt(r.top * sy), RoundToInt(r.right * sx), RoundToInt(r.bottom * sy)};
  });
  if (region == nullptr) return;
  if (!::IsRectEmpty(&m_eraserRect)) {
    m_previousEraserRect = m_eraserRect;
    RECT current = m_eraserRect;
    PageToView(&current);
    HRGN square = ::CreateRectRgnIndirect(&current);
    ::CombineRgn(region, region, square, RGN_DIFF);
    ::DeleteObject(square);
    ::SetRectEmpty(&m_eraserRect);
  }
  ::FillRgn(dc->GetSafeHdc(), region, WhiteBrush());
  ::DeleteObject(region);
}

void CFolimarView::DrawGrid(CDC* dc, const RECT& drawing) {
  CMainFrame* frame = GetMainFrame();
  if (frame == nullptr || !frame->IsSnapToGrid()) return;
  const int stepX = frame->GetGridStepX(), stepY = frame->GetGridStepY();
  if (stepX <= 0 || stepY <= 0) return;
  RECT units = drawing;
  ViewToPage(&units);
  PageToUnit(&units);
  const HDC hdc = dc->GetSafeHdc();
  for (int j = units.top / stepY; j <= units.bottom / stepY; ++j) {
    for (int i = units.left / stepX; i <= units.right / stepX; ++i) {
      POINT dot = {i * stepX, j * stepY};
      UnitToPage(&dot);
      PageToView(&dot);
      ::SetPixel(hdc, dot.x, dot.y, RGB(0, 0, 0));
    }
  }
}

void CFolimarView::DrawObjects(CDC* dc, const RECT& update) {
  if (m_pObjects == nullptr) return;
  auto meets = [&update](CTranspBaseClass* object) {
    RECT repaint = {0, 0, 0, 0}, meet;
    object->GetRepaintRect(&repaint);
    return ::IntersectRect(&meet, &repaint, &update) != FALSE;
  };
  for (POSITION pos = m_pObjects->GetHeadPosition(); pos != nullptr;) {
    CTranspBaseClass* object = m_pObjects->GetNext(pos);
    if (!object->IsField() && meets(object)) object->DrawScreen(dc, 0, nullptr);
  }
  CTranspBaseClass* onTop = nullptr;
  for (POSITION pos = m_pObjects->GetHeadPosition(); pos != nullptr;) {
    CTranspBaseClass* object = m_pObjects->GetNext(pos);
    if (!object->IsField()) continue;
    CTranspText* text = dynamic_cast<CTranspText*>(object);
    if (text != nullptr && text->IsFocused()) {
      _OBJECT_STYLE style;
      text->GetObjectStyle(&style);
      if (style.font.lfHeight != 0) m_focusedStyle = style;
      // A focused calculated field shows its result over everything else.
      if (text->HasFormula()) {
        onTop = text;
        continue;
      }
    }
    if (meets(object)) object->DrawScreen(dc, 0, nullptr);
  }
  if (onTop != nullptr && meets(onTop)) onTop->DrawScreen(dc, 0, nullptr);
}
