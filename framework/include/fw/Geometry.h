// CPoint, CSize and CRect: the Win32 POINT, SIZE and RECT with the framework's operators. Header-only;
// each is layout-compatible with its Win32 structure.
#pragma once
#include <utility>

#include "fw/AfxCore.h"

class CSize;
class CRect;

class CPoint : public tagPOINT {
 public:
  CPoint() { x = y = 0; }
  CPoint(int initX, int initY) { x = initX, y = initY; }
  CPoint(POINT p) { x = p.x, y = p.y; }
  explicit CPoint(SIZE s) { x = s.cx, y = s.cy; }
  // A point packed in a message parameter: x in the low word, y in the high word, both signed.
  explicit CPoint(LPARAM packed) {
    x = static_cast<short>(LOWORD(packed));
    y = static_cast<short>(HIWORD(packed));
  }

  void Offset(int dx, int dy) { x += dx, y += dy; }
  void Offset(POINT p) { Offset(p.x, p.y); }
  void Offset(SIZE s) { Offset(s.cx, s.cy); }
  void SetPoint(int newX, int newY) { x = newX, y = newY; }

  bool operator==(POINT p) const { return x == p.x && y == p.y; }
  bool operator!=(POINT p) const { return !(*this == p); }
  void operator+=(SIZE s) { Offset(s); }
  void operator-=(SIZE s) { Offset(-s.cx, -s.cy); }
  void operator+=(POINT p) { Offset(p); }
  void operator-=(POINT p) { Offset(-p.x, -p.y); }
  CPoint operator+(SIZE s) const { return CPoint(x + s.cx, y + s.cy); }
  CPoint operator-(SIZE s) const { return CPoint(x - s.cx, y - s.cy); }
  CPoint operator+(POINT p) const { return CPoint(x + p.x, y + p.y); }
  inline CSize operator-(POINT p) const;
  CPoint operator-() const { return CPoint(-x, -y); }
  inline CRect operator+(const RECT* r) const;
  inline CRect operator-(const RECT* r) const;
};

class CSize : public tagSIZE {
 public:
  CSize() { cx = cy = 0; }
  CSize(int initCX, int initCY) { cx = initCX, cy = initCY; }
  CSize(SIZE s) { cx = s.cx, cy = s.cy; }
  explicit CSize(POINT p) { cx = p.x, cy = p.y; }

  void SetSize(int newCX, int newCY) { cx = newCX, cy = newCY; }
  bool operator==(SIZE s) const { return cx == s.cx && cy == s.cy; }
  bool operator!=(SIZE s) const { return !(*this == s); }
  void operator+=(SIZE s) { cx += s.cx, cy += s.cy; }
  void operator-=(SIZE s) { cx -= s.cx, cy -= s.cy; }
  CSize operator+(SIZE s) const { return CSize(cx + s.cx, cy + s.cy); }
  CSize operator-(SIZE s) const { return CSize(cx - s.cx, cy - s.cy); }
  CSize operator-() const { return CSize(-cx, -cy); }
  CPoint operator+(POINT p) const { return CPoint(cx + p.x, cy + p.y); }
  CPoint operator-(POINT p) const { return CPoint(cx - p.x, cy - p.y); }
};

inline CSize CPoint::operator-(POINT p) const {
  return CSize(x - p.x, y - p.y);
}

class CRect : public tagRECT {
 public:
  CRect() { left = top = right = bottom = 0; }
  CRect(int l, int t, int r, int b) { SetRect(l, t, r, b); }
  CRect(const RECT& r) { CopyRect(&r); }
  CRect(const RECT* r) { CopyRect(r); }
  CRect(POINT topLeft, SIZE size) { SetRect(topLeft.x, topLeft.y, topLeft.x + size.cx, topLeft.y + size.cy); }
  CRect(POINT topLeft, POINT bottomRight) { SetRect(topLeft.x, topLeft.y, bottomRight.x, bottomRight.y); }

  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  CSize Size() const { return CSize(Width(), Height()); }
  CPoint& TopLeft() { return *reinterpret_cast<CPoint*>(&left); }
  CPoint& BottomRight() { return *reinterpret_cast<CPoint*>(&right); }
  const CPoint& TopLeft() const { return *reinterpret_cast<const CPoint*>(&left); }
  const CPoint& BottomRight() const { return *reinterpret_cast<const CPoint*>(&right); }
  CPoint CenterPoint() const { return CPoint((left + right) / 2, (top + bottom) / 2); }

  // Empty: no area (width or height not positive). Null: all four edges 0.
  BOOL IsRectEmpty() const { return ::IsRectEmpty(this); }
  BOOL IsRectNull() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
  // Inside means left <= x < right and top <= y < bottom.
  BOOL PtInRect(POINT p) const { return ::PtInRect(this, p); }

  void SetRect(int l, int t, int r, int b) { left = l, top = t, right = r, bottom = b; }
  void SetRect(POINT topLeft, POINT bottomRight) { SetRect(topLeft.x, topLeft.y, bottomRight.x, bottomRight.y); }
  void SetRectEmpty() { SetRect(0, 0, 0, 0); }
  void CopyRect(const RECT* r) { SetRect(r->left, r->top, r->right, r->bottom); }
  BOOL EqualRect(const RECT* r) const {
    return left == r->left && top == r->top && right == r->right && bottom == r->bottom;
  }

  void InflateRect(int dx, int dy) { InflateRect(dx, dy, dx, dy); }
  void InflateRect(SIZE s) { InflateRect(s.cx, s.cy); }
  void InflateRect(const RECT* r) { InflateRect(r->left, r->top, r->right, r->bottom); }
  void InflateRect(int l, int t, int r, int b) { left -= l, top -= t, right += r, bottom += b; }
  void DeflateRect(int dx, int dy) { InflateRect(-dx, -dy); }
  void DeflateRect(SIZE s) { InflateRect(-s.cx, -s.cy); }
  void DeflateRect(const RECT* r) { InflateRect(-r->left, -r->top, -r->right, -r->bottom); }
  void DeflateRect(int l, int t, int r, int b) { InflateRect(-l, -t, -r, -b); }
  void OffsetRect(int dx, int dy) { left += dx, right += dx, top += dy, bottom += dy; }
  void OffsetRect(POINT p) { OffsetRect(p.x, p.y); }
  void OffsetRect(SIZE s) { OffsetRect(s.cx, s.cy); }
  void MoveToX(int x) { right = x + Width(), left = x; }
  void MoveToY(int y) { bottom = y + Height(), top = y; }
  void MoveToXY(int x, int y) { MoveToX(x), MoveToY(y); }
  void MoveToXY(POINT p) { MoveToXY(p.x, p.y); }
  // Swaps edges so that left <= right and top <= bottom.
  void NormalizeRect() {
    if (left > right) std::swap(left, right);
    if (top > bottom) std::swap(top, bottom);
  }

  // The Win32 rules: an empty result is (0, 0, 0, 0) and the call returns FALSE.
  BOOL IntersectRect(const RECT* a, const RECT* b) { return ::IntersectRect(this, a, b); }
  BOOL UnionRect(const RECT* a, const RECT* b) { return ::UnionRect(this, a, b); }
  BOOL SubtractRect(const RECT* from, const RECT* cut) { return ::SubtractRect(this, from, cut); }

  operator LPRECT() { return this; }
  operator LPCRECT() const { return this; }

  CRect& operator=(const RECT& r) {
    CopyRect(&r);
    return *this;
  }
  bool operator==(const RECT& r) const { return EqualRect(&r) != FALSE; }
  bool operator!=(const RECT& r) const { return !(*this == r); }
  void operator+=(POINT p) { OffsetRect(p); }
  void operator+=(SIZE s) { OffsetRect(s); }
  void operator+=(const RECT* r) { InflateRect(r); }
  void operator-=(POINT p) { OffsetRect(-p.x, -p.y); }
  void operator-=(SIZE s) { OffsetRect(-s.cx, -s.cy); }
  void operator-=(const RECT* r) { DeflateRect(r); }
  void operator&=(const RECT& r) { IntersectRect(this, &r); }
  void operator|=(const RECT& r) { UnionRect(this, &r); }
  CRect operator+(POINT p) const { CRect r(*this); r.OffsetRect(p); return r; }
  CRect operator-(POINT p) const { CRect r(*this); r.OffsetRect(-p.x, -p.y); return r; }
  CRect operator+(SIZE s) const { CRect r(*this); r.OffsetRect(s); return r; }
  CRect operator-(SIZE s) const { CRect r(*this); r.OffsetRect(-s.cx, -s.cy); return r; }
  CRect operator+(const RECT* in) const { CRect r(*this); r.InflateRect(in); return r; }
  CRect operator-(const RECT* in) const { CRect r(*this); r.DeflateRect(in); return r; }
  CRect operator&(const RECT& other) const { CRect r; r.IntersectRect(this, &other); return r; }
  CRect operator|(const RECT& other) const { CRect r; r.UnionRect(this, &other); return r; }
};

inline CRect CPoint::operator+(const RECT* r) const {
  return CRect(r) + *this;
}

inline CRect CPoint::operator-(const RECT* r) const {
  return CRect(r) - *this;
}

static_assert(sizeof(CPoint) == sizeof(POINT) && sizeof(CSize) == sizeof(SIZE) && sizeof(CRect) == sizeof(RECT),
              "the geometry classes stand in for their Win32 structures");
