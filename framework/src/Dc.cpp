#include "fw/Dc.h"
#include "HandleMap.h"
#include "fw/Wnd.h"

namespace {

struct DcTraits {
  static CDC* MakeTemporary(HDC h) {
    CDC* dc = new CDC;
    dc->m_hDC = dc->m_hAttribDC = h;
    return dc;
  }
  static void Release(CDC* dc) {
    dc->m_hDC = dc->m_hAttribDC = nullptr;
    delete dc;
  }
};

fw_internal::HandleMap<HDC, CDC, DcTraits>& DcMap() {
  static fw_internal::HandleMap<HDC, CDC, DcTraits> map;
  return map;
}

// Setters apply to both handles, the output one first when it is another, and report what the
// attribute handle reports (a zero result when there is no handle).
template <class Call>
auto OnBoth(HDC output, HDC attrib, Call call) -> decltype(call(attrib)) {
  decltype(call(attrib)) result{};
  if (output != attrib) result = call(output);
  if (attrib) result = call(attrib);
  return result;
}
// The same for the setters that give the previous value through a pointer.
template <class Old, class Call>
Old OldOnBoth(HDC output, HDC attrib, Call call) {
  Old old = {0, 0};
  if (output != attrib) call(output, &old);
  if (attrib) call(attrib, &old);
  return old;
}

template <class T>
T* Wrap(HGDIOBJ h) {
  return static_cast<T*>(CGdiObject::FromHandle(h));
}

}  // namespace

void FwDeleteDcTempMap() { DcMap().DeleteTemporaries(); }

IMPLEMENT_DYNCREATE(CDC, CObject)
IMPLEMENT_DYNAMIC(CClientDC, CDC)
IMPLEMENT_DYNAMIC(CWindowDC, CDC)
IMPLEMENT_DYNAMIC(CPaintDC, CDC)

CDC::~CDC() {
  if (m_hDC) ::DeleteDC(Detach());
}

CDC* CDC::FromHandle(HDC hDC) { return DcMap().FromHandle(hDC); }

BOOL CDC::Attach(HDC hDC) {
  ASSERT(m_hDC == nullptr);
  if (!DcMap().Attach(hDC, this)) return FALSE;
  m_hDC = m_hAttribDC = hDC;
  return TRUE;
}

HDC CDC::Detach() {
  const HDC h = DcMap().Detach(m_hDC);
  m_hDC = m_hAttribDC = nullptr;
  return h;
}

void CDC::SetAttribDC(HDC hDC) { m_hAttribDC = hDC; }
void CDC::SetOutputDC(HDC hDC) { m_hDC = hDC; }
void CDC::ReleaseAttribDC() { m_hAttribDC = nullptr; }
void CDC::ReleaseOutputDC() { m_hDC = nullptr; }

BOOL CDC::CreateDC(LPCWSTR driver, LPCWSTR device, LPCWSTR output, const void* init) {
  return Attach(::CreateDCW(driver, device, output, static_cast<const DEVMODEW*>(init)));
}
BOOL CDC::CreateIC(LPCWSTR driver, LPCWSTR device, LPCWSTR output, const void* init) {
  return Attach(::CreateICW(driver, device, output, static_cast<const DEVMODEW*>(init)));
}
BOOL CDC::CreateCompatibleDC(CDC* pDC) { return Attach(::CreateCompatibleDC(pDC ? pDC->m_hDC : nullptr)); }
BOOL CDC::DeleteDC() {
  if (!m_hDC) return FALSE;
  return ::DeleteDC(Detach());
}
CDC* CDC::ResetDC(const DEVMODEW* lpDevMode) {
  HDC h = ::ResetDCW(m_hAttribDC, lpDevMode);
  return h ? this : nullptr;
}

// Output and attribute handles differ only in print preview; state changes go to both there.
int CDC::SaveDC() {
  if (m_hDC != m_hAttribDC && m_hDC) ::SaveDC(m_hDC);
  return ::SaveDC(m_hAttribDC ? m_hAttribDC : m_hDC);
}
// The output handle of a split DC is restored to its latest save, which pairs with SaveDC above.
BOOL CDC::RestoreDC(int nSavedDC) {
  BOOL ok = TRUE;
  if (m_hDC != m_hAttribDC && m_hDC) ok = ::RestoreDC(m_hDC, -1);
  return ::RestoreDC(m_hAttribDC ? m_hAttribDC : m_hDC, nSavedDC) && ok;
}
int CDC::GetDeviceCaps(int nIndex) const { return ::GetDeviceCaps(m_hAttribDC, nIndex); }

HGDIOBJ CDC::SelectObject(HGDIOBJ hObject) {
  return OnBoth(m_hDC, m_hAttribDC, [hObject](HDC h) { return ::SelectObject(h, hObject); });
}
CPen* CDC::SelectObject(CPen* pPen) { return Wrap<CPen>(SelectObject(pPen ? pPen->m_hObject : nullptr)); }
CBrush* CDC::SelectObject(CBrush* pBrush) {
  return Wrap<CBrush>(SelectObject(pBrush ? pBrush->m_hObject : nullptr));
}
CFont* CDC::SelectObject(CFont* pFont) { return Wrap<CFont>(SelectObject(pFont ? pFont->m_hObject : nullptr)); }
CBitmap* CDC::SelectObject(CBitmap* pBitmap) {
  return Wrap<CBitmap>(SelectObject(pBitmap ? pBitmap->m_hObject : nullptr));
}
int CDC::SelectObject(CRgn* pRgn) {
  return static_cast<int>(reinterpret_cast<INT_PTR>(SelectObject(pRgn ? pRgn->m_hObject : nullptr)));
}
CGdiObject* CDC::SelectObject(CGdiObject* pObject) {
  return Wrap<CGdiObject>(SelectObject(pObject ? pObject->m_hObject : nullptr));
}
CGdiObject* CDC::SelectStockObject(int nIndex) { return Wrap<CGdiObject>(SelectObject(::GetStockObject(nIndex))); }
CPalette* CDC::SelectPalette(CPalette* pPalette, BOOL bForceBackground) {
  return Wrap<CPalette>(::SelectPalette(m_hDC, pPalette ? static_cast<HPALETTE>(*pPalette) : nullptr,
                                        bForceBackground));
}
UINT CDC::RealizePalette() { return ::RealizePalette(m_hDC); }
CPen* CDC::GetCurrentPen() const { return Wrap<CPen>(::GetCurrentObject(m_hDC, OBJ_PEN)); }
CBrush* CDC::GetCurrentBrush() const { return Wrap<CBrush>(::GetCurrentObject(m_hDC, OBJ_BRUSH)); }
CFont* CDC::GetCurrentFont() const { return Wrap<CFont>(::GetCurrentObject(m_hDC, OBJ_FONT)); }
CBitmap* CDC::GetCurrentBitmap() const { return Wrap<CBitmap>(::GetCurrentObject(m_hDC, OBJ_BITMAP)); }

int CDC::SetROP2(int mode) {
  return OnBoth(m_hDC, m_hAttribDC, [mode](HDC h) { return ::SetROP2(h, mode); });
}
int CDC::GetROP2() const { return ::GetROP2(m_hAttribDC); }
int CDC::SetPolyFillMode(int mode) {
  return OnBoth(m_hDC, m_hAttribDC, [mode](HDC h) { return ::SetPolyFillMode(h, mode); });
}
int CDC::SetStretchBltMode(int mode) {
  return OnBoth(m_hDC, m_hAttribDC, [mode](HDC h) { return ::SetStretchBltMode(h, mode); });
}
int CDC::GetStretchBltMode() const { return ::GetStretchBltMode(m_hAttribDC); }
COLORREF CDC::SetBkColor(COLORREF c) {
  return OnBoth(m_hDC, m_hAttribDC, [c](HDC h) { return ::SetBkColor(h, c); });
}
COLORREF CDC::GetBkColor() const { return ::GetBkColor(m_hAttribDC); }
int CDC::SetBkMode(int mode) {
  return OnBoth(m_hDC, m_hAttribDC, [mode](HDC h) { return ::SetBkMode(h, mode); });
}
int CDC::GetBkMode() const { return ::GetBkMode(m_hAttribDC); }
COLORREF CDC::SetTextColor(COLORREF c) {
  return OnBoth(m_hDC, m_hAttribDC, [c](HDC h) { return ::SetTextColor(h, c); });
}
COLORREF CDC::GetTextColor() const { return ::GetTextColor(m_hAttribDC); }
UINT CDC::SetTextAlign(UINT flags) {
  return OnBoth(m_hDC, m_hAttribDC, [flags](HDC h) { return ::SetTextAlign(h, flags); });
}
UINT CDC::GetTextAlign() const { return ::GetTextAlign(m_hAttribDC); }
int CDC::SetTextCharacterExtra(int extra) {
  return OnBoth(m_hDC, m_hAttribDC, [extra](HDC h) { return ::SetTextCharacterExtra(h, extra); });
}
int CDC::SetMapMode(int mode) {
  return OnBoth(m_hDC, m_hAttribDC, [mode](HDC h) { return ::SetMapMode(h, mode); });
}
int CDC::GetMapMode() const { return ::GetMapMode(m_hAttribDC); }

CPoint CDC::SetViewportOrg(int x, int y) {
  return CPoint(OldOnBoth<POINT>(m_hDC, m_hAttribDC, [&](HDC h, POINT* old) { ::SetViewportOrgEx(h, x, y, old); }));
}
CPoint CDC::OffsetViewportOrg(int dx, int dy) {
  return CPoint(OldOnBoth<POINT>(m_hDC, m_hAttribDC, [&](HDC h, POINT* old) { ::OffsetViewportOrgEx(h, dx, dy, old); }));
}
CPoint CDC::GetViewportOrg() const {
  POINT p = {0, 0};
  ::GetViewportOrgEx(m_hAttribDC, &p);
  return CPoint(p);
}
CSize CDC::SetViewportExt(int cx, int cy) {
  return CSize(OldOnBoth<SIZE>(m_hDC, m_hAttribDC, [&](HDC h, SIZE* old) { ::SetViewportExtEx(h, cx, cy, old); }));
}
CSize CDC::GetViewportExt() const {
  SIZE s = {0, 0};
  ::GetViewportExtEx(m_hAttribDC, &s);
  return CSize(s);
}
CPoint CDC::SetWindowOrg(int x, int y) {
  return CPoint(OldOnBoth<POINT>(m_hDC, m_hAttribDC, [&](HDC h, POINT* old) { ::SetWindowOrgEx(h, x, y, old); }));
}
CPoint CDC::OffsetWindowOrg(int dx, int dy) {
  return CPoint(OldOnBoth<POINT>(m_hDC, m_hAttribDC, [&](HDC h, POINT* old) { ::OffsetWindowOrgEx(h, dx, dy, old); }));
}
CPoint CDC::GetWindowOrg() const {
  POINT p = {0, 0};
  ::GetWindowOrgEx(m_hAttribDC, &p);
  return CPoint(p);
}
CSize CDC::SetWindowExt(int cx, int cy) {
  return CSize(OldOnBoth<SIZE>(m_hDC, m_hAttribDC, [&](HDC h, SIZE* old) { ::SetWindowExtEx(h, cx, cy, old); }));
}
CSize CDC::GetWindowExt() const {
  SIZE s = {0, 0};
  ::GetWindowExtEx(m_hAttribDC, &s);
  return CSize(s);
}
void CDC::DPtoLP(LPPOINT p, int n) const { ::DPtoLP(m_hAttribDC, p, n); }
void CDC::DPtoLP(LPRECT r) const { ::DPtoLP(m_hAttribDC, reinterpret_cast<LPPOINT>(r), 2); }
// Sizes convert as vectors: the difference of two converted points.
void CDC::DPtoLP(LPSIZE s) const {
  POINT p[2] = {{0, 0}, {s->cx, s->cy}};
  ::DPtoLP(m_hAttribDC, p, 2);
  s->cx = p[1].x - p[0].x;
  s->cy = p[1].y - p[0].y;
}
void CDC::LPtoDP(LPPOINT p, int n) const { ::LPtoDP(m_hAttribDC, p, n); }
void CDC::LPtoDP(LPRECT r) const { ::LPtoDP(m_hAttribDC, reinterpret_cast<LPPOINT>(r), 2); }
void CDC::LPtoDP(LPSIZE s) const {
  POINT p[2] = {{0, 0}, {s->cx, s->cy}};
  ::LPtoDP(m_hAttribDC, p, 2);
  s->cx = p[1].x - p[0].x;
  s->cy = p[1].y - p[0].y;
}

int CDC::SelectClipRgn(CRgn* pRgn) {
  const HRGN rgn = pRgn ? static_cast<HRGN>(*pRgn) : nullptr;
  return OnBoth(m_hDC, m_hAttribDC, [&](HDC h) { return ::SelectClipRgn(h, rgn); });
}
int CDC::SelectClipRgn(CRgn* pRgn, int nMode) {
  const HRGN rgn = pRgn ? static_cast<HRGN>(*pRgn) : nullptr;
  return OnBoth(m_hDC, m_hAttribDC, [&](HDC h) { return ::ExtSelectClipRgn(h, rgn, nMode); });
}
int CDC::ExcludeClipRect(int x1, int y1, int x2, int y2) {
  return OnBoth(m_hDC, m_hAttribDC, [&](HDC h) { return ::ExcludeClipRect(h, x1, y1, x2, y2); });
}
int CDC::ExcludeClipRect(LPCRECT r) { return ExcludeClipRect(r->left, r->top, r->right, r->bottom); }
int CDC::IntersectClipRect(int x1, int y1, int x2, int y2) {
  return OnBoth(m_hDC, m_hAttribDC, [&](HDC h) { return ::IntersectClipRect(h, x1, y1, x2, y2); });
}
int CDC::IntersectClipRect(LPCRECT r) { return IntersectClipRect(r->left, r->top, r->right, r->bottom); }
int CDC::OffsetClipRgn(int x, int y) {
  return OnBoth(m_hDC, m_hAttribDC, [&](HDC h) { return ::OffsetClipRgn(h, x, y); });
}
int CDC::GetClipBox(LPRECT lpRect) const { return ::GetClipBox(m_hDC, lpRect); }
BOOL CDC::PtVisible(int x, int y) const { return ::PtVisible(m_hDC, x, y); }
BOOL CDC::RectVisible(LPCRECT lpRect) const { return ::RectVisible(m_hDC, lpRect); }

CPoint CDC::MoveTo(int x, int y) {
  return CPoint(OldOnBoth<POINT>(m_hDC, m_hAttribDC, [&](HDC h, POINT* old) { ::MoveToEx(h, x, y, old); }));
}
BOOL CDC::LineTo(int x, int y) {
  if (m_hAttribDC && m_hAttribDC != m_hDC) ::MoveToEx(m_hAttribDC, x, y, nullptr);
  return ::LineTo(m_hDC, x, y);
}
CPoint CDC::GetCurrentPosition() const {
  POINT p = {0, 0};
  ::GetCurrentPositionEx(m_hAttribDC, &p);
  return CPoint(p);
}
BOOL CDC::Polyline(const POINT* p, int n) { return ::Polyline(m_hDC, p, n); }
BOOL CDC::PolyBezier(const POINT* p, int n) { return ::PolyBezier(m_hDC, p, n); }
BOOL CDC::Polygon(const POINT* p, int n) { return ::Polygon(m_hDC, p, n); }
BOOL CDC::PolyPolygon(const POINT* p, const INT* counts, int n) { return ::PolyPolygon(m_hDC, p, counts, n); }
BOOL CDC::Rectangle(int x1, int y1, int x2, int y2) { return ::Rectangle(m_hDC, x1, y1, x2, y2); }
BOOL CDC::Rectangle(LPCRECT r) { return ::Rectangle(m_hDC, r->left, r->top, r->right, r->bottom); }
BOOL CDC::RoundRect(int x1, int y1, int x2, int y2, int x3, int y3) {
  return ::RoundRect(m_hDC, x1, y1, x2, y2, x3, y3);
}
BOOL CDC::Ellipse(int x1, int y1, int x2, int y2) { return ::Ellipse(m_hDC, x1, y1, x2, y2); }
BOOL CDC::Ellipse(LPCRECT r) { return ::Ellipse(m_hDC, r->left, r->top, r->right, r->bottom); }
BOOL CDC::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
  return ::Arc(m_hDC, x1, y1, x2, y2, x3, y3, x4, y4);
}
BOOL CDC::Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
  return ::Pie(m_hDC, x1, y1, x2, y2, x3, y3, x4, y4);
}
BOOL CDC::Chord(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
  return ::Chord(m_hDC, x1, y1, x2, y2, x3, y3, x4, y4);
}
void CDC::FillRect(LPCRECT r, CBrush* pBrush) { ::FillRect(m_hDC, r, pBrush ? static_cast<HBRUSH>(*pBrush) : nullptr); }
void CDC::FillSolidRect(LPCRECT r, COLORREF clr) {
  const COLORREF old = ::SetBkColor(m_hDC, clr);
  ::ExtTextOutW(m_hDC, 0, 0, ETO_OPAQUE, r, nullptr, 0, nullptr);
  ::SetBkColor(m_hDC, old);
}
void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF clr) {
  RECT r = {x, y, x + cx, y + cy};
  FillSolidRect(&r, clr);
}
void CDC::FrameRect(LPCRECT r, CBrush* pBrush) { ::FrameRect(m_hDC, r, pBrush ? static_cast<HBRUSH>(*pBrush) : nullptr); }
void CDC::InvertRect(LPCRECT r) { ::InvertRect(m_hDC, r); }
void CDC::DrawFocusRect(LPCRECT r) { ::DrawFocusRect(m_hDC, r); }
void CDC::Draw3dRect(LPCRECT r, COLORREF tl, COLORREF br) {
  const int x = r->left, y = r->top, cx = r->right - r->left, cy = r->bottom - r->top;
  FillSolidRect(x, y, cx - 1, 1, tl);
  FillSolidRect(x, y, 1, cy - 1, tl);
  FillSolidRect(x + cx, y, -1, cy, br);
  FillSolidRect(x, y + cy, cx, -1, br);
}
BOOL CDC::DrawEdge(LPRECT r, UINT nEdge, UINT nFlags) { return ::DrawEdge(m_hDC, r, nEdge, nFlags); }
BOOL CDC::DrawIcon(int x, int y, HICON hIcon) { return ::DrawIcon(m_hDC, x, y, hIcon); }
BOOL CDC::FillRgn(CRgn* pRgn, CBrush* pBrush) { return pRgn && pBrush && ::FillRgn(m_hDC, *pRgn, *pBrush); }
BOOL CDC::FrameRgn(CRgn* pRgn, CBrush* pBrush, int w, int h) {
  return pRgn && pBrush && ::FrameRgn(m_hDC, *pRgn, *pBrush, w, h);
}
BOOL CDC::InvertRgn(CRgn* pRgn) { return pRgn && ::InvertRgn(m_hDC, *pRgn); }
BOOL CDC::PaintRgn(CRgn* pRgn) { return pRgn && ::PaintRgn(m_hDC, *pRgn); }
COLORREF CDC::SetPixel(int x, int y, COLORREF c) { return ::SetPixel(m_hDC, x, y, c); }
COLORREF CDC::GetPixel(int x, int y) const { return ::GetPixel(m_hDC, x, y); }
BOOL CDC::BeginPath() { return ::BeginPath(m_hDC); }
BOOL CDC::EndPath() { return ::EndPath(m_hDC); }
BOOL CDC::StrokePath() { return ::StrokePath(m_hDC); }
BOOL CDC::FillPath() { return ::FillPath(m_hDC); }

BOOL CDC::PatBlt(int x, int y, int w, int h, DWORD rop) { return ::PatBlt(m_hDC, x, y, w, h, rop); }
BOOL CDC::BitBlt(int x, int y, int w, int h, CDC* src, int xs, int ys, DWORD rop) {
  return ::BitBlt(m_hDC, x, y, w, h, src ? src->m_hDC : nullptr, xs, ys, rop);
}
BOOL CDC::StretchBlt(int x, int y, int w, int h, CDC* src, int xs, int ys, int ws, int hs, DWORD rop) {
  return ::StretchBlt(m_hDC, x, y, w, h, src ? src->m_hDC : nullptr, xs, ys, ws, hs, rop);
}
BOOL CDC::PlayMetaFile(HENHMETAFILE hEnhMetaFile, LPCRECT lpBounds) {
  return ::PlayEnhMetaFile(m_hDC, hEnhMetaFile, lpBounds);
}

BOOL CDC::TextOut(int x, int y, LPCWSTR s, int n) { return ::TextOutW(m_hDC, x, y, s, n); }
BOOL CDC::TextOut(int x, int y, const CString& str) { return TextOut(x, y, str, str.GetLength()); }
BOOL CDC::ExtTextOut(int x, int y, UINT options, LPCRECT r, LPCWSTR s, UINT n, LPINT dx) {
  return ::ExtTextOutW(m_hDC, x, y, options, r, s, n, dx);
}
int CDC::DrawText(LPCWSTR s, int n, LPRECT r, UINT format) { return ::DrawTextW(m_hDC, s, n, r, format); }
int CDC::DrawText(const CString& str, LPRECT r, UINT format) {
  return DrawText(str, str.GetLength(), r, format);
}
CSize CDC::GetTextExtent(LPCWSTR s, int n) const {
  SIZE size = {0, 0};
  ::GetTextExtentPoint32W(m_hAttribDC, s, n, &size);
  return CSize(size);
}
CSize CDC::GetTextExtent(const CString& str) const { return GetTextExtent(str, str.GetLength()); }
CSize CDC::GetOutputTextExtent(const CString& str) const {
  SIZE size = {0, 0};
  ::GetTextExtentPoint32W(m_hDC, str, str.GetLength(), &size);
  return CSize(size);
}
BOOL CDC::GetTextMetrics(LPTEXTMETRICW tm) const { return ::GetTextMetricsW(m_hAttribDC, tm); }
BOOL CDC::GetOutputTextMetrics(LPTEXTMETRICW tm) const { return ::GetTextMetricsW(m_hDC, tm); }
int CDC::GetTextFace(int n, LPWSTR face) const { return ::GetTextFaceW(m_hAttribDC, n, face); }
BOOL CDC::GetCharWidth(UINT first, UINT last, LPINT buffer) const {
  return ::GetCharWidth32W(m_hAttribDC, first, last, buffer);
}

int CDC::StartDoc(LPDOCINFOW lpDocInfo) { return ::StartDocW(m_hDC, lpDocInfo); }
int CDC::StartDoc(LPCWSTR lpszDocName) {
  DOCINFOW info = {sizeof(info)};
  info.lpszDocName = lpszDocName;
  return StartDoc(&info);
}
int CDC::StartPage() { return ::StartPage(m_hDC); }
int CDC::EndPage() { return ::EndPage(m_hDC); }
int CDC::EndDoc() { return ::EndDoc(m_hDC); }
int CDC::AbortDoc() { return ::AbortDoc(m_hDC); }
int CDC::SetAbortProc(ABORTPROC lpfn) { return ::SetAbortProc(m_hDC, lpfn); }
int CDC::Escape(int nEscape, int nCount, LPCSTR in, LPVOID out) { return ::Escape(m_hDC, nEscape, nCount, in, out); }

CClientDC::CClientDC(CWnd* pWnd) : m_hWnd(pWnd ? pWnd->m_hWnd : nullptr) { Attach(::GetDC(m_hWnd)); }
CClientDC::~CClientDC() { ::ReleaseDC(m_hWnd, Detach()); }
CWindowDC::CWindowDC(CWnd* pWnd) : m_hWnd(pWnd ? pWnd->m_hWnd : nullptr) { Attach(::GetWindowDC(m_hWnd)); }
CWindowDC::~CWindowDC() { ::ReleaseDC(m_hWnd, Detach()); }
CPaintDC::CPaintDC(CWnd* pWnd) : m_hWnd(pWnd->m_hWnd) { Attach(::BeginPaint(m_hWnd, &m_ps)); }
CPaintDC::~CPaintDC() {
  Detach();
  ::EndPaint(m_hWnd, &m_ps);
}
