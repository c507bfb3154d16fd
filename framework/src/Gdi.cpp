#include "fw/Dc.h"
#include "HandleMap.h"

namespace {

CGdiObject* NewWrapperFor(HGDIOBJ h) {
  switch (::GetObjectType(h)) {
    case OBJ_PEN:
    case OBJ_EXTPEN: return new CPen;
    case OBJ_BRUSH: return new CBrush;
    case OBJ_FONT: return new CFont;
    case OBJ_BITMAP: return new CBitmap;
    case OBJ_REGION: return new CRgn;
    case OBJ_PAL: return new CPalette;
    default: return new CGdiObject;
  }
}

struct GdiTraits {
  static CGdiObject* MakeTemporary(HGDIOBJ h) {
    CGdiObject* o = NewWrapperFor(h);
    o->m_hObject = h;
    return o;
  }
  static void Release(CGdiObject* o) {
    o->m_hObject = nullptr;
    delete o;
  }
};

fw_internal::HandleMap<HGDIOBJ, CGdiObject, GdiTraits>& GdiMap() {
  static fw_internal::HandleMap<HGDIOBJ, CGdiObject, GdiTraits> map;
  return map;
}

// The screen when no device is given; the DC's attribute handle otherwise.
class DeviceForQueries {
 public:
  explicit DeviceForQueries(CDC* pDC) : screen_(pDC ? nullptr : ::GetDC(nullptr)) {
    hdc_ = pDC ? (pDC->m_hAttribDC ? pDC->m_hAttribDC : pDC->m_hDC) : screen_;
  }
  ~DeviceForQueries() {
    if (screen_) ::ReleaseDC(nullptr, screen_);
  }
  HDC Get() const { return hdc_; }

 private:
  HDC screen_;
  HDC hdc_;
};

}  // namespace

void FwDeleteGdiTempMap() { GdiMap().DeleteTemporaries(); }

IMPLEMENT_DYNAMIC(CGdiObject, CObject)
IMPLEMENT_DYNAMIC(CPen, CGdiObject)
IMPLEMENT_DYNAMIC(CBrush, CGdiObject)
IMPLEMENT_DYNAMIC(CFont, CGdiObject)
IMPLEMENT_DYNAMIC(CBitmap, CGdiObject)
IMPLEMENT_DYNAMIC(CRgn, CGdiObject)
IMPLEMENT_DYNAMIC(CPalette, CGdiObject)

CGdiObject::~CGdiObject() { DeleteObject(); }

CGdiObject* CGdiObject::FromHandle(HGDIOBJ hObject) { return GdiMap().FromHandle(hObject); }

BOOL CGdiObject::Attach(HGDIOBJ hObject) {
  ASSERT(m_hObject == nullptr);
  if (!GdiMap().Attach(hObject, this)) return FALSE;
  m_hObject = hObject;
  return TRUE;
}

HGDIOBJ CGdiObject::Detach() {
  const HGDIOBJ h = GdiMap().Detach(m_hObject);
  m_hObject = nullptr;
  return h;
}

BOOL CGdiObject::DeleteObject() {
  if (!m_hObject) return FALSE;
  return ::DeleteObject(Detach());
}

int CGdiObject::GetObject(int nCount, LPVOID lpObject) const {
  return m_hObject ? ::GetObjectW(m_hObject, nCount, lpObject) : 0;
}
UINT CGdiObject::GetObjectType() const { return m_hObject ? ::GetObjectType(m_hObject) : 0; }
// Stock objects are never deleted by Windows, so owning one is harmless.
BOOL CGdiObject::CreateStockObject(int nIndex) { return Attach(::GetStockObject(nIndex)); }
BOOL CGdiObject::UnrealizeObject() { return ::UnrealizeObject(m_hObject); }

CPen::CPen(int nPenStyle, int nWidth, COLORREF crColor) { CreatePen(nPenStyle, nWidth, crColor); }
CPen::CPen(int nPenStyle, int nWidth, const LOGBRUSH* pLogBrush, int nStyleCount, const DWORD* lpStyle) {
  CreatePen(nPenStyle, nWidth, pLogBrush, nStyleCount, lpStyle);
}
BOOL CPen::CreatePen(int nPenStyle, int nWidth, COLORREF crColor) {
  return Attach(::CreatePen(nPenStyle, nWidth, crColor));
}
BOOL CPen::CreatePen(int nPenStyle, int nWidth, const LOGBRUSH* pLogBrush, int nStyleCount,
                     const DWORD* lpStyle) {
  return Attach(::ExtCreatePen(nPenStyle, nWidth, pLogBrush, nStyleCount, lpStyle));
}
BOOL CPen::CreatePenIndirect(LPLOGPEN lpLogPen) { return Attach(::CreatePenIndirect(lpLogPen)); }

CBrush::CBrush(COLORREF crColor) { CreateSolidBrush(crColor); }
CBrush::CBrush(int nIndex, COLORREF crColor) { CreateHatchBrush(nIndex, crColor); }
BOOL CBrush::CreateSolidBrush(COLORREF crColor) { return Attach(::CreateSolidBrush(crColor)); }
BOOL CBrush::CreateHatchBrush(int nIndex, COLORREF crColor) {
  return Attach(::CreateHatchBrush(nIndex, crColor));
}
BOOL CBrush::CreateBrushIndirect(const LOGBRUSH* lpLogBrush) { return Attach(::CreateBrushIndirect(lpLogBrush)); }
BOOL CBrush::CreatePatternBrush(CBitmap* pBitmap) {
  return pBitmap && Attach(::CreatePatternBrush(static_cast<HBITMAP>(pBitmap->m_hObject)));
}
// System colour brushes are shared; owning one is harmless as DeleteObject ignores them.
BOOL CBrush::CreateSysColorBrush(int nIndex) { return Attach(::GetSysColorBrush(nIndex)); }

BOOL CFont::CreateFontIndirect(const LOGFONTW* lpLogFont) { return Attach(::CreateFontIndirectW(lpLogFont)); }
BOOL CFont::CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight, BYTE bItalic,
                       BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet, BYTE nOutPrecision,
                       BYTE nClipPrecision, BYTE nQuality, BYTE nPitchAndFamily, LPCWSTR lpszFacename) {
  return Attach(::CreateFontW(nHeight, nWidth, nEscapement, nOrientation, nWeight, bItalic, bUnderline,
                              cStrikeOut, nCharSet, nOutPrecision, nClipPrecision, nQuality,
                              nPitchAndFamily, lpszFacename));
}
BOOL CFont::CreatePointFont(int nPointSize, LPCWSTR lpszFaceName, CDC* pDC) {
  LOGFONTW lf = {};
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfHeight = nPointSize;
  if (lpszFaceName) lstrcpynW(lf.lfFaceName, lpszFaceName, LF_FACESIZE);
  return CreatePointFontIndirect(&lf, pDC);
}
BOOL CFont::CreatePointFontIndirect(const LOGFONTW* lpLogFont, CDC* pDC) {
  if (!lpLogFont) return FALSE;
  DeviceForQueries device(pDC);
  HDC hdc = device.Get();
  if (!hdc) return FALSE;
  // Tenths of a point to device pixels, then into the DC's logical units; the height becomes
  // negative (a character height, not a cell height), as the font mapper expects for point sizes.
  POINT pt = {0, MulDiv(::GetDeviceCaps(hdc, LOGPIXELSY), lpLogFont->lfHeight, 720)};
  POINT origin = {0, 0};
  ::DPtoLP(hdc, &pt, 1);
  ::DPtoLP(hdc, &origin, 1);
  LOGFONTW lf = *lpLogFont;
  lf.lfHeight = -abs(pt.y - origin.y);
  return CreateFontIndirect(&lf);
}

BOOL CBitmap::LoadBitmap(UINT nIDResource) { return LoadBitmap(MAKEINTRESOURCEW(nIDResource)); }
BOOL CBitmap::LoadBitmap(LPCWSTR lpszResourceName) {
  HBITMAP h = ::LoadBitmapW(AfxGetResourceHandle(), lpszResourceName);
  if (!h) h = ::LoadBitmapW(GetModuleHandleW(nullptr), lpszResourceName);
  return Attach(h);
}
BOOL CBitmap::LoadOEMBitmap(UINT nIDBitmap) { return Attach(::LoadBitmapW(nullptr, MAKEINTRESOURCEW(nIDBitmap))); }
BOOL CBitmap::CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitcount, const void* lpBits) {
  return Attach(::CreateBitmap(nWidth, nHeight, nPlanes, nBitcount, lpBits));
}
BOOL CBitmap::CreateBitmapIndirect(LPBITMAP lpBitmap) { return Attach(::CreateBitmapIndirect(lpBitmap)); }
BOOL CBitmap::CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight) {
  return pDC && Attach(::CreateCompatibleBitmap(pDC->m_hDC, nWidth, nHeight));
}
BOOL CBitmap::CreateDiscardableBitmap(CDC* pDC, int nWidth, int nHeight) {
  return CreateCompatibleBitmap(pDC, nWidth, nHeight);
}
CSize CBitmap::GetBitmapDimension() const {
  SIZE s = {0, 0};
  ::GetBitmapDimensionEx(static_cast<HBITMAP>(m_hObject), &s);
  return CSize(s);
}
DWORD CBitmap::SetBitmapBits(DWORD dwCount, const void* lpBits) {
  return ::SetBitmapBits(static_cast<HBITMAP>(m_hObject), dwCount, lpBits);
}
DWORD CBitmap::GetBitmapBits(DWORD dwCount, LPVOID lpBits) const {
  return ::GetBitmapBits(static_cast<HBITMAP>(m_hObject), dwCount, lpBits);
}

BOOL CRgn::CreateRectRgn(int x1, int y1, int x2, int y2) { return Attach(::CreateRectRgn(x1, y1, x2, y2)); }
BOOL CRgn::CreateRectRgnIndirect(LPCRECT lpRect) { return Attach(::CreateRectRgnIndirect(lpRect)); }
BOOL CRgn::CreateEllipticRgn(int x1, int y1, int x2, int y2) {
  return Attach(::CreateEllipticRgn(x1, y1, x2, y2));
}
BOOL CRgn::CreateEllipticRgnIndirect(LPCRECT lpRect) { return Attach(::CreateEllipticRgnIndirect(lpRect)); }
BOOL CRgn::CreatePolygonRgn(const POINT* lpPoints, int nCount, int nMode) {
  return Attach(::CreatePolygonRgn(lpPoints, nCount, nMode));
}
BOOL CRgn::CreatePolyPolygonRgn(const POINT* lpPoints, const INT* lpPolyCounts, int nCount, int nPolyFillMode) {
  return Attach(::CreatePolyPolygonRgn(lpPoints, lpPolyCounts, nCount, nPolyFillMode));
}
BOOL CRgn::CreateRoundRectRgn(int x1, int y1, int x2, int y2, int x3, int y3) {
  return Attach(::CreateRoundRectRgn(x1, y1, x2, y2, x3, y3));
}
BOOL CRgn::CreateFromPath(CDC* pDC) { return pDC && Attach(::PathToRegion(pDC->m_hDC)); }
void CRgn::SetRectRgn(int x1, int y1, int x2, int y2) { ::SetRectRgn(*this, x1, y1, x2, y2); }
void CRgn::SetRectRgn(LPCRECT r) { ::SetRectRgn(*this, r->left, r->top, r->right, r->bottom); }
int CRgn::CombineRgn(const CRgn* pRgn1, const CRgn* pRgn2, int nCombineMode) {
  if (!m_hObject || !pRgn1) return ERROR;
  return ::CombineRgn(*this, *pRgn1, pRgn2 ? static_cast<HRGN>(*pRgn2) : nullptr, nCombineMode);
}
int CRgn::CopyRgn(const CRgn* pRgnSrc) {
  if (!m_hObject || !pRgnSrc) return ERROR;
  return ::CombineRgn(*this, *pRgnSrc, nullptr, RGN_COPY);
}
BOOL CRgn::EqualRgn(const CRgn* pRgn) const { return pRgn && ::EqualRgn(*this, *pRgn); }
int CRgn::OffsetRgn(int x, int y) { return ::OffsetRgn(*this, x, y); }
int CRgn::GetRgnBox(LPRECT lpRect) const { return ::GetRgnBox(*this, lpRect); }
BOOL CRgn::PtInRegion(int x, int y) const { return ::PtInRegion(*this, x, y); }
BOOL CRgn::RectInRegion(LPCRECT lpRect) const { return ::RectInRegion(*this, lpRect); }
int CRgn::GetRegionData(LPRGNDATA lpRgnData, int nCount) const {
  return static_cast<int>(::GetRegionData(*this, nCount, lpRgnData));
}

BOOL CPalette::CreatePalette(LPLOGPALETTE lpLogPalette) { return Attach(::CreatePalette(lpLogPalette)); }
BOOL CPalette::CreateHalftonePalette(CDC* pDC) { return pDC && Attach(::CreateHalftonePalette(pDC->m_hDC)); }
int CPalette::GetEntryCount() const {
  WORD n = 0;
  return GetObject(sizeof(n), &n) ? n : 0;
}
UINT CPalette::GetPaletteEntries(UINT nStartIndex, UINT nNumEntries, LPPALETTEENTRY lpPaletteColors) const {
  return ::GetPaletteEntries(*this, nStartIndex, nNumEntries, lpPaletteColors);
}
UINT CPalette::SetPaletteEntries(UINT nStartIndex, UINT nNumEntries, LPPALETTEENTRY lpPaletteColors) {
  return ::SetPaletteEntries(*this, nStartIndex, nNumEntries, lpPaletteColors);
}
UINT CPalette::GetNearestPaletteIndex(COLORREF crColor) const { return ::GetNearestPaletteIndex(*this, crColor); }
