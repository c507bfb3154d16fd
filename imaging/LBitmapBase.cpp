// Pixel storage: creation, copies, state, colour tables, bit depths and the simple geometric edits.
#include "ImagingInternal.h"
#include "LTwain.h"

#include <algorithm>
#include <cstring>

using namespace imaging_internal;

namespace {

void ResetHandle(BITMAPHANDLE& h) {
  std::memset(&h, 0, sizeof h);
  h.uStructSize = sizeof h;
  h.ViewPerspective = TOP_LEFT;
  h.Order = ORDER_BGR;
  h.XResolution = h.YResolution = 96;
  h.nPaintGamma = 100;
}

// The 16 colours of the standard VGA palette: the fixed table for 4-bit colour images.
const RGBQUAD kVga16[16] = {
    {0, 0, 0, 0},       {0, 0, 128, 0},   {0, 128, 0, 0},   {0, 128, 128, 0},
    {128, 0, 0, 0},     {128, 0, 128, 0}, {128, 128, 0, 0}, {192, 192, 192, 0},
    {128, 128, 128, 0}, {0, 0, 255, 0},   {0, 255, 0, 0},   {0, 255, 255, 0},
    {255, 0, 0, 0},     {255, 0, 255, 0}, {255, 255, 0, 0}, {255, 255, 255, 0}};

// Colour table for a reduction to `bits`: the exact colours when few enough, else a grey ramp for
// grey images, else a fixed table (6x7x6 cube for 8 bits, VGA for 4).
int ChooseTable(const LBitmapBase& src, int bits, RGBQUAD* table) {
  const int maxColors = 1 << bits;
  if (bits == 1) {
    GreyPalette(table, 2);
    return 2;
  }
  std::vector<BYTE> bgr(static_cast<size_t>(src.GetWidth()) * 3);
  std::vector<COLORREF> seen;
  bool grey = true;
  for (int y = 0; y < src.GetHeight(); ++y) {
    ReadRowBGR(src, y, bgr.data());
    for (int x = 0; x < src.GetWidth(); ++x) {
      const BYTE b = bgr[x * 3], g = bgr[x * 3 + 1], r = bgr[x * 3 + 2];
      if (r != g || g != b) grey = false;
      if (seen.size() <= static_cast<size_t>(maxColors)) {
        const COLORREF c = RGB(r, g, b);
        if (std::find(seen.begin(), seen.end(), c) == seen.end()) seen.push_back(c);
      }
    }
    if (!grey && seen.size() > static_cast<size_t>(maxColors)) break;
  }
  if (seen.size() <= static_cast<size_t>(maxColors)) {
    std::sort(seen.begin(), seen.end());
    for (size_t i = 0; i < seen.size(); ++i)
      table[i] = RGBQUAD{GetBValue(seen[i]), GetGValue(seen[i]), GetRValue(seen[i]), 0};
    return static_cast<int>(seen.size());
  }
  if (grey) {
    GreyPalette(table, maxColors);
    return maxColors;
  }
  if (bits == 4) {
    std::memcpy(table, kVga16, sizeof kVga16);
    return 16;
  }
  int n = 0;
  for (int r = 0; r < 6; ++r)
    for (int g = 0; g < 7; ++g)
      for (int b = 0; b < 6; ++b)
        table[n++] = RGBQUAD{static_cast<BYTE>(b * 51), static_cast<BYTE>(g * 255 / 6), static_cast<BYTE>(r * 51), 0};
  return n;
}

}  // namespace

LBitmapBase::LBitmapBase() { ResetHandle(m_Handle); }

LBitmapBase::~LBitmapBase() {
  delete m_pTwain;
  Free();
  if (m_hPaintPalette) DeleteObject(m_hPaintPalette);
}

LTwain* LBitmapBase::Twain() {
  if (!m_pTwain) m_pTwain = LTwain::Create();
  return m_pTwain;
}

void LBitmapBase::Free() {
  if (m_Handle.hDib) DeleteObject(m_Handle.hDib);
  const int x = m_Handle.XResolution, y = m_Handle.YResolution;
  ResetHandle(m_Handle);
  m_Handle.XResolution = x;
  m_Handle.YResolution = y;
}

SIZE_T LBitmapBase::GetMemSize() const {
  return static_cast<SIZE_T>(m_Handle.BytesPerLine) * static_cast<SIZE_T>(m_Handle.Height);
}

int LBitmapBase::SetXResolution(int nDpi) {
  if (nDpi <= 0) return Fail(ERROR_INV_PARAMETER, "SetXResolution");
  m_Handle.XResolution = nDpi;
  return SUCCESS;
}

int LBitmapBase::SetYResolution(int nDpi) {
  if (nDpi <= 0) return Fail(ERROR_INV_PARAMETER, "SetYResolution");
  m_Handle.YResolution = nDpi;
  return SUCCESS;
}

void LBitmapBase::SetFileName(LPCWSTR pszFileName) { m_FileName = pszFileName ? pszFileName : L""; }

int LBitmapBase::SetHandle(pBITMAPHANDLE pHandle, BOOL bFreeSource) {
  if (!pHandle) return Fail(ERROR_INV_PARAMETER, "SetHandle");
  if (pHandle == &m_Handle) return SUCCESS;
  Free();
  m_Handle = *pHandle;
  if (bFreeSource) ResetHandle(*pHandle);
  return SUCCESS;
}

void LBitmapBase::SetTransparent(BOOL bTransparent) {
  if (bTransparent)
    m_Handle.Flags |= BITMAP_TRANSPARENT;
  else
    m_Handle.Flags &= ~BITMAP_TRANSPARENT;
}

int LBitmapBase::Allocate(int nWidth, int nHeight, int nBitsPerPixel, int nViewPerspective,
                          const RGBQUAD* pColors, int nColors) {
  if (!IsSupportedDepth(nBitsPerPixel)) return Fail(ERROR_BPP_NOT_SUPPORTED, "Allocate depth");
  if (nViewPerspective != TOP_LEFT && nViewPerspective != BOTTOM_LEFT) return Fail(ERROR_INV_PARAMETER, "Allocate perspective");
  if (!SizeAllowed(nWidth, nHeight, nBitsPerPixel)) return Fail(ERROR_IMAGE_TOO_LARGE, "Allocate size");
  struct {
    BITMAPINFOHEADER header;
    RGBQUAD colors[256];
  } info = {};
  const int tableSize = IsIndexedDepth(nBitsPerPixel) ? (1 << nBitsPerPixel) : 0;
  RGBQUAD table[256] = {};
  if (tableSize) {
    if (pColors && nColors > 0)
      std::memcpy(table, pColors, sizeof(RGBQUAD) * static_cast<size_t>(std::min(nColors, tableSize)));
    else
      GreyPalette(table, tableSize);
    std::memcpy(info.colors, table, sizeof(RGBQUAD) * static_cast<size_t>(tableSize));
  }
  info.header.biSize = sizeof(BITMAPINFOHEADER);
  info.header.biWidth = nWidth;
  info.header.biHeight = nViewPerspective == TOP_LEFT ? -nHeight : nHeight;
  info.header.biPlanes = 1;
  info.header.biBitCount = static_cast<WORD>(nBitsPerPixel);
  info.header.biCompression = BI_RGB;
  info.header.biClrUsed = static_cast<DWORD>(tableSize);
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!dib || !bits) {
    if (dib) DeleteObject(dib);
    return Fail(ERROR_NO_MEMORY, "Allocate CreateDIBSection");
  }
  const int xres = m_Handle.XResolution, yres = m_Handle.YResolution;
  Free();
  m_Handle.Flags = BITMAP_ALLOCATED;
  m_Handle.Width = nWidth;
  m_Handle.Height = nHeight;
  m_Handle.BitsPerPixel = nBitsPerPixel;
  m_Handle.BytesPerLine = StrideOf(nWidth, nBitsPerPixel);
  m_Handle.ViewPerspective = nViewPerspective;
  m_Handle.XResolution = xres;
  m_Handle.YResolution = yres;
  m_Handle.hDib = dib;
  m_Handle.pBits = static_cast<BYTE*>(bits);
  m_Handle.nColors = tableSize;
  std::memcpy(m_Handle.Palette, table, sizeof table);
  return SUCCESS;
}

int LBitmapBase::Create(int nWidth, int nHeight, int nBitsPerPixel, int nOrder, const RGBQUAD* pColors,
                        int nColors, int nViewPerspective) {
  if (nOrder < ORDER_RGB || nOrder > ORDER_BGRORGRAY) return Fail(ERROR_INV_PARAMETER, "Create order");
  const int result = Allocate(nWidth, nHeight, nBitsPerPixel, nViewPerspective, pColors, nColors);
  if (result == SUCCESS) m_Handle.Order = nOrder;
  return result;
}

void LBitmapBase::TakeImage(LBitmapBase& other) {
  Free();
  m_Handle = other.m_Handle;
  ResetHandle(other.m_Handle);
}

void LBitmapBase::TakePixels(LBitmapBase& other) {
  const BITMAPHANDLE fresh = other.m_Handle;
  other.m_Handle = m_Handle;
  other.m_Handle.hDib = fresh.hDib;
  other.m_Handle.pBits = fresh.pBits;
  other.m_Handle.Width = fresh.Width;
  other.m_Handle.Height = fresh.Height;
  other.m_Handle.BitsPerPixel = fresh.BitsPerPixel;
  other.m_Handle.BytesPerLine = fresh.BytesPerLine;
  other.m_Handle.nColors = fresh.nColors;
  std::memcpy(other.m_Handle.Palette, fresh.Palette, sizeof fresh.Palette);
  TakeImage(other);
}

int LBitmapBase::Copy(const LBitmapBase& source) {
  if (&source == this) return SUCCESS;
  if (!source.IsAllocated()) {
    Free();
    return Fail(ERROR_NO_BITMAP, "Copy");
  }
  const BITMAPHANDLE& s = source.m_Handle;
  LBitmapBase copy;
  const int result = copy.Allocate(s.Width, s.Height, s.BitsPerPixel, s.ViewPerspective, s.Palette, s.nColors);
  if (result != SUCCESS) return result;
  std::memcpy(copy.m_Handle.pBits, s.pBits, source.GetMemSize());
  HBITMAP dib = copy.m_Handle.hDib;
  BYTE* bits = copy.m_Handle.pBits;
  copy.m_Handle = s;  // every attribute: resolution, order, transparency, gamma
  copy.m_Handle.hDib = dib;
  copy.m_Handle.pBits = bits;
  TakeImage(copy);
  return SUCCESS;
}

BYTE* LBitmapBase::Row(int y) {
  const int memoryRow = m_Handle.ViewPerspective == TOP_LEFT ? y : m_Handle.Height - 1 - y;
  return m_Handle.pBits + static_cast<size_t>(memoryRow) * static_cast<size_t>(m_Handle.BytesPerLine);
}

const BYTE* LBitmapBase::Row(int y) const { return const_cast<LBitmapBase*>(this)->Row(y); }

COLORREF LBitmapBase::GetPixelColor(int x, int y) const {
  if (!IsAllocated() || x < 0 || y < 0 || x >= GetWidth() || y >= GetHeight()) return CLR_INVALID;
  const BYTE* row = Row(y);
  if (m_Handle.BitsPerPixel <= 8) {
    const RGBQUAD& c = m_Handle.Palette[GetIndex(row, x, m_Handle.BitsPerPixel)];
    return RGB(c.rgbRed, c.rgbGreen, c.rgbBlue);
  }
  const BYTE* p = row + x * (m_Handle.BitsPerPixel / 8);
  return RGB(p[2], p[1], p[0]);
}

int LBitmapBase::PutPixelColor(int x, int y, COLORREF cr) {
  if (!IsAllocated()) return Fail(ERROR_NO_BITMAP, "PutPixelColor");
  if (x < 0 || y < 0 || x >= GetWidth() || y >= GetHeight()) return Fail(ERROR_INV_PARAMETER, "PutPixelColor");
  BYTE* row = Row(y);
  if (m_Handle.BitsPerPixel <= 8) {
    SetIndex(row, x, m_Handle.BitsPerPixel,
             NearestIndex(m_Handle.Palette, m_Handle.nColors, GetRValue(cr), GetGValue(cr), GetBValue(cr)));
  } else {
    BYTE* p = row + x * (m_Handle.BitsPerPixel / 8);
    p[0] = GetBValue(cr);
    p[1] = GetGValue(cr);
    p[2] = GetRValue(cr);
    if (m_Handle.BitsPerPixel == 32) p[3] = 0xFF;
  }
  return SUCCESS;
}

int LBitmapBase::GetColors(int nFirst, int nCount, RGBQUAD* pColors) const {
  if (!pColors || nFirst < 0 || nCount < 0 || nFirst + nCount > m_Handle.nColors) return Fail(ERROR_INV_PARAMETER, "GetColors");
  std::memcpy(pColors, m_Handle.Palette + nFirst, sizeof(RGBQUAD) * static_cast<size_t>(nCount));
  return SUCCESS;
}

int LBitmapBase::PutColors(int nFirst, int nCount, const RGBQUAD* pColors) {
  if (!IsAllocated()) return Fail(ERROR_NO_BITMAP, "PutColors");
  if (!pColors || nFirst < 0 || nCount < 0 || nFirst + nCount > m_Handle.nColors) return Fail(ERROR_INV_PARAMETER, "PutColors");
  std::memcpy(m_Handle.Palette + nFirst, pColors, sizeof(RGBQUAD) * static_cast<size_t>(nCount));
  // The DIB section keeps its own colour table, which GDI drawing and blits use.
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, m_Handle.hDib);
  SetDIBColorTable(dc, static_cast<UINT>(nFirst), static_cast<UINT>(nCount), pColors);
  SelectObject(dc, old);
  DeleteDC(dc);
  return SUCCESS;
}

int LBitmapBase::Fill(COLORREF crFill) {
  if (!IsAllocated()) return Fail(ERROR_NO_BITMAP, "Fill");
  const int bpp = m_Handle.BitsPerPixel;
  if (bpp <= 8) {
    const int index = NearestIndex(m_Handle.Palette, m_Handle.nColors, GetRValue(crFill), GetGValue(crFill), GetBValue(crFill));
    for (int y = 0; y < GetHeight(); ++y) {
      BYTE* row = Row(y);
      for (int x = 0; x < GetWidth(); ++x) SetIndex(row, x, bpp, index);
    }
    return SUCCESS;
  }
  const BYTE px[4] = {GetBValue(crFill), GetGValue(crFill), GetRValue(crFill), 0xFF};
  const int bytes = bpp / 8;
  BYTE* first = Row(0);
  for (int x = 0; x < GetWidth(); ++x) std::memcpy(first + x * bytes, px, static_cast<size_t>(bytes));
  for (int y = 1; y < GetHeight(); ++y) std::memcpy(Row(y), first, static_cast<size_t>(GetWidth()) * bytes);
  return SUCCESS;
}

int LBitmapBase::ChangeViewPerspective(int nViewPerspective) {
  if (!IsAllocated()) return Fail(ERROR_NO_BITMAP, "ChangeViewPerspective");
  if (nViewPerspective == m_Handle.ViewPerspective) return SUCCESS;
  LBitmapBase target;
  int result = target.Allocate(GetWidth(), GetHeight(), GetBitsPerPixel(), nViewPerspective, m_Handle.Palette, m_Handle.nColors);
  if (result != SUCCESS) return result;
  // The picture stays as it is seen; only the order of rows in memory changes.
  for (int y = 0; y < GetHeight(); ++y) std::memcpy(target.Row(y), Row(y), static_cast<size_t>(GetBytesPerLine()));
  HBITMAP dib = target.m_Handle.hDib;
  BYTE* bits = target.m_Handle.pBits;
  target.m_Handle = m_Handle;
  target.m_Handle.hDib = dib;
  target.m_Handle.pBits = bits;
  target.m_Handle.ViewPerspective = nViewPerspective;
  TakeImage(target);
  return SUCCESS;
}

int LBitmapBase::ColorRes(int nBitsPerPixel) {
  if (!IsAllocated()) return Fail(ERROR_NO_BITMAP, "ColorRes");
  if (!IsSupportedDepth(nBitsPerPixel)) return Fail(ERROR_BPP_NOT_SUPPORTED, "ColorRes");
  if (nBitsPerPixel == GetBitsPerPixel()) return SUCCESS;
  const int w = GetWidth(), h = GetHeight();
  LBitmapBase target;
  int result;
  std::vector<BYTE> bgr(static_cast<size_t>(w) * 3);
  if (nBitsPerPixel > 8) {
    result = target.Allocate(w, h, nBitsPerPixel, GetViewPerspective(), nullptr, 0);
    if (result != SUCCESS) return result;
    for (int y = 0; y < h; ++y) {
      ReadRowBGR(*this, y, bgr.data());
      WriteRowBGR(target, y, bgr.data());
    }
  } else {
    RGBQUAD table[256];
    const int count = ChooseTable(*this, nBitsPerPixel, table);
    result = target.Allocate(w, h, nBitsPerPixel, GetViewPerspective(), table, count);
    if (result != SUCCESS) return result;
    target.m_Handle.nColors = count;
    const bool exactOrThreshold = nBitsPerPixel == 1 || count < (1 << nBitsPerPixel) ||
                                  (GetBitsPerPixel() <= 8 && m_Handle.nColors <= count);
    // Floyd-Steinberg error diffusion for reductions that lose colours; exact tables and 1-bit
    // thresholding (documents: crisp text) map each pixel to its nearest entry.
    std::vector<int> err(static_cast<size_t>(w + 2) * 3 * 2, 0);
    for (int y = 0; y < h; ++y) {
      ReadRowBGR(*this, y, bgr.data());
      BYTE* row = target.Row(y);
      int* cur = err.data() + (y & 1) * (w + 2) * 3;
      int* next = err.data() + ((y + 1) & 1) * (w + 2) * 3;
      std::fill(next, next + (w + 2) * 3, 0);
      for (int x = 0; x < w; ++x) {
        int b = bgr[x * 3], g = bgr[x * 3 + 1], r = bgr[x * 3 + 2];
        int index;
        if (nBitsPerPixel == 1) {
          index = Luminance(r, g, b) >= 128 ? 1 : 0;
        } else if (exactOrThreshold) {
          index = NearestIndex(table, count, r, g, b);
        } else {
          int* e = cur + (x + 1) * 3;
          b = std::clamp(b + e[0] / 16, 0, 255);
          g = std::clamp(g + e[1] / 16, 0, 255);
          r = std::clamp(r + e[2] / 16, 0, 255);
          index = (count == 252) ? (r * 5 + 127) / 255 * 42 + (g * 6 + 127) / 255 * 6 + (b * 5 + 127) / 255
                                 : NearestIndex(table, count, r, g, b);
          const int d[3] = {b - table[index].rgbBlue, g - table[index].rgbGreen, r - table[index].rgbRed};
          for (int c = 0; c < 3; ++c) {
            cur[(x + 2) * 3 + c] += d[c] * 7;
            next[x * 3 + c] += d[c] * 3;
            next[(x + 1) * 3 + c] += d[c] * 5;
            next[(x + 2) * 3 + c] += d[c];
          }
        }
        SetIndex(row, x, nBitsPerPixel, index);
      }
    }
  }
  TakePixels(target);
  return SUCCESS;
}

int LBitmapBase::Trim(int nLeft, int nTop, int nWidth, int nHeight) {
  if (!IsAllocated()) return Fail(ERROR_NO_BITMAP, "Trim");
  const int left = std::max(nLeft, 0), top = std::max(nTop, 0);
  const int right = static_cast<int>(std::min<int64_t>(static_cast<int64_t>(nLeft) + nWidth, GetWidth()));
  const int bottom = static_cast<int>(std::min<int64_t>(static_cast<int64_t>(nTop) + nHeight, GetHeight()));
  if (nWidth <= 0 || nHeight <= 0 || right <= left || bottom <= top) return Fail(ERROR_INV_PARAMETER, "Trim empty");
  LBitmapBase target;
  const int bpp = GetBitsPerPixel();
  int result = target.Allocate(right - left, bottom - top, bpp, GetViewPerspective(), m_Handle.Palette, m_Handle.nColors);
  if (result != SUCCESS) return result;
  for (int y = top; y < bottom; ++y) {
    const BYTE* src = Row(y);
    BYTE* dst = target.Row(y - top);
    if (bpp >= 8)
      std::memcpy(dst, src + static_cast<size_t>(left) * (bpp / 8), static_cast<size_t>(right - left) * (bpp / 8));
    else
      for (int x = left; x < right; ++x) SetIndex(dst, x - left, bpp, GetIndex(src, x, bpp));
  }
  HBITMAP dib = target.m_Handle.hDib;
  BYTE* bits = target.m_Handle.pBits;
  const int w = target.m_Handle.Width, h = target.m_Handle.Height, stride = target.m_Handle.BytesPerLine;
  target.m_Handle = m_Handle;
  target.m_Handle.hDib = dib;
  target.m_Handle.pBits = bits;
  target.m_Handle.Width = w;
  target.m_Handle.Height = h;
  target.m_Handle.BytesPerLine = stride;
  TakeImage(target);
  return SUCCESS;
}

int LBitmapBase::Flip() {
  if (!IsAllocated()) return Fail(ERROR_NO_BITMAP, "Flip");
  std::vector<BYTE> tmp(static_cast<size_t>(GetBytesPerLine()));
  for (int y = 0, z = GetHeight() - 1; y < z; ++y, --z) {
    std::memcpy(tmp.data(), Row(y), tmp.size());
    std::memcpy(Row(y), Row(z), tmp.size());
    std::memcpy(Row(z), tmp.data(), tmp.size());
  }
  return SUCCESS;
}

int LBitmapBase::Reverse() {
  if (!IsAllocated()) return Fail(ERROR_NO_BITMAP, "Reverse");
  const int bpp = GetBitsPerPixel(), w = GetWidth();
  std::vector<BYTE> tmp(static_cast<size_t>(GetBytesPerLine()));
  for (int y = 0; y < GetHeight(); ++y) {
    BYTE* row = Row(y);
    std::memcpy(tmp.data(), row, tmp.size());
    if (bpp >= 8) {
      const int n = bpp / 8;
      for (int x = 0; x < w; ++x) std::memcpy(row + x * n, tmp.data() + (w - 1 - x) * n, static_cast<size_t>(n));
    } else {
      for (int x = 0; x < w; ++x) SetIndex(row, x, bpp, GetIndex(tmp.data(), w - 1 - x, bpp));
    }
  }
  return SUCCESS;
}

int LBitmapBase::SetPaintGamma(int nGamma) {
  if (nGamma <= 0) return Fail(ERROR_INV_PARAMETER, "SetPaintGamma");
  m_Handle.nPaintGamma = nGamma;
  return SUCCESS;
}

int LBitmapBase::RectToBitmap(int nViewPerspective, RECT* pRect) const {
  if (!pRect) return Fail(ERROR_INV_PARAMETER, "RectToBitmap");
  if (nViewPerspective != TOP_LEFT && nViewPerspective != BOTTOM_LEFT) return Fail(ERROR_INV_PARAMETER, "RectToBitmap perspective");
  if (nViewPerspective != GetViewPerspective()) {
    const LONG top = pRect->top;
    pRect->top = GetHeight() - pRect->bottom;
    pRect->bottom = GetHeight() - top;
  }
  return SUCCESS;
}

int LBitmapBase::SetSrcRect(const RECT* pRect) {
  if (!pRect) return Fail(ERROR_INV_PARAMETER, "SetSrcRect");
  m_SrcRect = *pRect;
  m_bSrcSet = true;
  return SUCCESS;
}

int LBitmapBase::SetDstRect(const RECT* pRect) {
  if (!pRect) return Fail(ERROR_INV_PARAMETER, "SetDstRect");
  m_DstRect = *pRect;
  m_bDstSet = true;
  return SUCCESS;
}

int LBitmapBase::SetClipDstRect(const RECT* pRect) {
  m_bClip = pRect != nullptr;
  if (pRect) m_ClipRect = *pRect;
  return SUCCESS;
}

void LBitmapBase::SetPalette(HPALETTE hPalette) {
  if (m_hPaintPalette && m_hPaintPalette != hPalette) DeleteObject(m_hPaintPalette);
  m_hPaintPalette = hPalette;
}
