// The bitmap's meeting points with GDI: device contexts, painting, DIBs, device bitmaps and the
// clipboard.
#include "ImagingInternal.h"

#include <algorithm>
#include <cmath>
#include <cstring>

using namespace imaging_internal;

namespace {

struct DibInfo {
  BITMAPINFOHEADER header;
  RGBQUAD colors[256];
};

// The header of this bitmap's pixel memory as it lies (row order included).
DibInfo DescribeDib(const BITMAPHANDLE& h) {
  DibInfo info = {};
  info.header.biSize = sizeof(BITMAPINFOHEADER);
  info.header.biWidth = h.Width;
  info.header.biHeight = h.ViewPerspective == TOP_LEFT ? -h.Height : h.Height;
  info.header.biPlanes = 1;
  info.header.biBitCount = static_cast<WORD>(h.BitsPerPixel);
  info.header.biCompression = BI_RGB;
  info.header.biClrUsed = static_cast<DWORD>(h.nColors);
  std::memcpy(info.colors, h.Palette, sizeof(RGBQUAD) * static_cast<size_t>(h.nColors));
  return info;
}

int MaskShift(DWORD mask) {
  int shift = 0;
  while (mask && !(mask & 1)) {
    mask >>= 1;
    ++shift;
  }
  return shift;
}

int MaskBits(DWORD mask) {
  int bits = 0;
  for (mask >>= MaskShift(mask); mask & 1; mask >>= 1) ++bits;
  return bits;
}

// A channel value of a bit-field pixel, widened to 8 bits.
BYTE Channel(DWORD pixel, DWORD mask) {
  if (!mask) return 0;
  const int bits = MaskBits(mask);
  const DWORD v = (pixel & mask) >> MaskShift(mask);
  if (bits >= 8) return static_cast<BYTE>(v >> (bits - 8));
  return static_cast<BYTE>((v * 255 + ((1u << bits) - 1) / 2) / ((1u << bits) - 1));
}

}  // namespace

HDC LBitmapBase::CreateLeadDC() {
  if (!IsAllocated()) {
    Fail(ERROR_NO_BITMAP, "CreateLeadDC");
    return nullptr;
  }
  HDC dc = CreateCompatibleDC(nullptr);
  if (!dc) {
    Fail(ERROR_NO_DC, "CreateLeadDC");
    return nullptr;
  }
  SelectObject(dc, m_Handle.hDib);
  return dc;
}

BOOL LBitmapBase::DeleteLeadDC(HDC hDC) {
  if (!hDC) return FALSE;
  GdiFlush();  // drawing must reach the pixels before anyone reads them directly
  return DeleteDC(hDC);
}

namespace {

HPALETTE PaletteOfTable(const BITMAPHANDLE& h) {
  struct {
    WORD version, count;
    PALETTEENTRY entries[256];
  } log = {0x300, static_cast<WORD>(h.nColors), {}};
  for (int i = 0; i < h.nColors; ++i)
    log.entries[i] = PALETTEENTRY{h.Palette[i].rgbRed, h.Palette[i].rgbGreen, h.Palette[i].rgbBlue, 0};
  return CreatePalette(reinterpret_cast<LOGPALETTE*>(&log));
}

}  // namespace

HPALETTE LBitmapBase::CreatePaintPalette(HDC hDC) {
  if (!IsAllocated()) return nullptr;
  HPALETTE palette = nullptr;
  if (m_Handle.nColors > 0)
    palette = PaletteOfTable(m_Handle);
  else if (hDC)
    palette = CreateHalftonePalette(hDC);
  SetPalette(palette);
  return palette;
}

int LPaint::PaintDC(DWORD dwRop) {
  if (!m_pBitmap) return Fail(ERROR_NO_BITMAP, "PaintDC");
  if (!m_hDC) return Fail(ERROR_NO_DC, "PaintDC");
  return m_pBitmap->PaintTo(m_hDC, dwRop);
}

int LBitmapBase::PaintTo(HDC hDC, DWORD dwRop) {
  if (!IsAllocated()) return Fail(ERROR_NO_BITMAP, "Paint");
  RECT src = m_bSrcSet ? m_SrcRect : RECT{0, 0, GetWidth(), GetHeight()};
  const RECT dst = m_bDstSet ? m_DstRect : RECT{0, 0, src.right - src.left, src.bottom - src.top};
  // Source rectangles are in the bitmap's own perspective; GDI wants them as seen (top down).
  if (GetViewPerspective() == BOTTOM_LEFT) {
    const LONG top = src.top;
    src.top = GetHeight() - src.bottom;
    src.bottom = GetHeight() - top;
  }
  // A painting gamma other than 100 paints a lightened or darkened copy; the pixels stay.
  LBitmap adjusted;
  const LBitmapBase* source = this;
  if (m_Handle.nPaintGamma != 100) {
    int result = adjusted.Copy(*this);
    if (result != SUCCESS) return result;
    BYTE table[256];
    for (int v = 0; v < 256; ++v)
      table[v] = static_cast<BYTE>(std::lround(255.0 * std::pow(v / 255.0, 100.0 / m_Handle.nPaintGamma)));
    if (adjusted.GetBitsPerPixel() <= 8) {
      RGBQUAD colors[256];
      const int n = adjusted.GetColorCount();
      adjusted.GetColors(0, n, colors);
      for (int i = 0; i < n; ++i) {
        colors[i].rgbRed = table[colors[i].rgbRed];
        colors[i].rgbGreen = table[colors[i].rgbGreen];
        colors[i].rgbBlue = table[colors[i].rgbBlue];
      }
      adjusted.PutColors(0, n, colors);
    } else {
      const int bytes = adjusted.GetBitsPerPixel() / 8;
      for (int y = 0; y < adjusted.GetHeight(); ++y) {
        BYTE* row = adjusted.Row(y);
        for (int x = 0; x < adjusted.GetWidth(); ++x)
          for (int ch = 0; ch < 3; ++ch) row[x * bytes + ch] = table[row[x * bytes + ch]];
      }
    }
    source = &adjusted;
  }
  HDC memory = CreateCompatibleDC(hDC);
  if (!memory) return Fail(ERROR_NO_DC, "Paint");
  HGDIOBJ old = SelectObject(memory, source->m_Handle.hDib);
  const int saved = SaveDC(hDC);
  if (m_bClip) IntersectClipRect(hDC, m_ClipRect.left, m_ClipRect.top, m_ClipRect.right, m_ClipRect.bottom);
  const BOOL ok = StretchBlt(hDC, dst.left, dst.top, dst.right - dst.left, dst.bottom - dst.top, memory, src.left,
                             src.top, src.right - src.left, src.bottom - src.top, dwRop);
  RestoreDC(hDC, saved);
  SelectObject(memory, old);
  DeleteDC(memory);
  return ok ? SUCCESS : Fail(ERROR_NO_DC, "Paint StretchBlt");
}

HGLOBAL LBitmapBase::ConvertToDIB(UINT) const {
  if (!IsAllocated()) {
    Fail(ERROR_NO_BITMAP, "ConvertToDIB");
    return nullptr;
  }
  const int tableSize = GetBitsPerPixel() <= 8 ? (1 << GetBitsPerPixel()) : 0;
  const SIZE_T size = sizeof(BITMAPINFOHEADER) + sizeof(RGBQUAD) * tableSize + GetMemSize();
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
  if (!block) {
    Fail(ERROR_NO_MEMORY, "ConvertToDIB");
    return nullptr;
  }
  BYTE* p = static_cast<BYTE*>(GlobalLock(block));
  DibInfo info = DescribeDib(m_Handle);
  info.header.biHeight = GetHeight();  // the classic bottom-up order every reader knows
  info.header.biClrUsed = static_cast<DWORD>(tableSize);
  info.header.biSizeImage = static_cast<DWORD>(GetMemSize());
  info.header.biXPelsPerMeter = static_cast<LONG>(std::lround(GetXResolution() / 0.0254));
  info.header.biYPelsPerMeter = static_cast<LONG>(std::lround(GetYResolution() / 0.0254));
  std::memcpy(p, &info.header, sizeof info.header);
  std::memcpy(p + sizeof info.header, m_Handle.Palette, sizeof(RGBQUAD) * tableSize);
  BYTE* bits = p + sizeof info.header + sizeof(RGBQUAD) * tableSize;
  for (int i = 0; i < GetHeight(); ++i)
    std::memcpy(bits + static_cast<size_t>(i) * GetBytesPerLine(), Row(GetHeight() - 1 - i), static_cast<size_t>(GetBytesPerLine()));
  GlobalUnlock(block);
  return block;
}

int LBitmapBase::ConvertFromDIB(const BITMAPINFO* pInfo, const void* pBits, SIZE_T uAvailable) {
  if (!pInfo) return Fail(ERROR_INV_PARAMETER, "ConvertFromDIB");
  const BITMAPINFOHEADER& hd = pInfo->bmiHeader;
  if (uAvailable && uAvailable < sizeof(BITMAPINFOHEADER)) return Fail(ERROR_FILE_DAMAGED, "ConvertFromDIB short");
  if (hd.biSize < sizeof(BITMAPINFOHEADER) || hd.biSize > 1024 || hd.biPlanes != 1) return Fail(ERROR_FILE_FORMAT, "ConvertFromDIB header");
  const int bpp = hd.biBitCount;
  if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32) return Fail(ERROR_BPP_NOT_SUPPORTED, "ConvertFromDIB depth");
  const bool fields = hd.biCompression == BI_BITFIELDS;
  if (hd.biCompression != BI_RGB && !(fields && (bpp == 16 || bpp == 32))) return Fail(ERROR_FILE_FORMAT, "ConvertFromDIB compression");
  if (hd.biWidth <= 0 || hd.biHeight == 0 || hd.biHeight == LONG_MIN) return Fail(ERROR_FILE_DAMAGED, "ConvertFromDIB size");
  const int width = hd.biWidth, height = hd.biHeight < 0 ? -hd.biHeight : hd.biHeight;
  const bool topDown = hd.biHeight < 0;
  if (!SizeAllowed(width, height, bpp)) return Fail(ERROR_IMAGE_TOO_LARGE, "ConvertFromDIB size");
  const BYTE* base = reinterpret_cast<const BYTE*>(pInfo);
  // Masks follow a plain 40-byte header; larger headers carry them inside.
  DWORD masks[3] = {0, 0, 0};
  size_t offset = hd.biSize;
  if (fields) {
    if (hd.biSize == sizeof(BITMAPINFOHEADER)) offset += sizeof masks;
    if (uAvailable && uAvailable < sizeof(BITMAPINFOHEADER) + sizeof masks) return Fail(ERROR_FILE_DAMAGED, "ConvertFromDIB masks");
    std::memcpy(masks, base + sizeof(BITMAPINFOHEADER), sizeof masks);
  } else if (bpp == 16) {
    masks[0] = 0x7C00;
    masks[1] = 0x03E0;
    masks[2] = 0x001F;
  }
  int colors = 0;
  if (bpp <= 8) {
    colors = hd.biClrUsed ? static_cast<int>(hd.biClrUsed) : (1 << bpp);
    if (hd.biClrUsed > static_cast<DWORD>(1 << bpp)) return Fail(ERROR_FILE_DAMAGED, "ConvertFromDIB colours");
  } else if (hd.biClrUsed > 256) {
    return Fail(ERROR_FILE_DAMAGED, "ConvertFromDIB colours");
  } else {
    colors = static_cast<int>(hd.biClrUsed);  // an optional table for palette devices; skipped
  }
  const BYTE* table = base + offset;
  offset += sizeof(RGBQUAD) * static_cast<size_t>(colors);
  const size_t stride = static_cast<size_t>(StrideOf(width, bpp));
  const BYTE* bits = pBits ? static_cast<const BYTE*>(pBits) : base + offset;
  if (uAvailable) {
    if (offset > uAvailable) return Fail(ERROR_FILE_DAMAGED, "ConvertFromDIB table");
    const size_t from = static_cast<size_t>(bits - base);
    if (bits < base || from > uAvailable || (uAvailable - from) / stride < static_cast<size_t>(height))
      return Fail(ERROR_FILE_DAMAGED, "ConvertFromDIB bits");
  }
  const int targetBpp = bpp == 16 ? 24 : bpp;
  LBitmapBase target;
  RGBQUAD palette[256] = {};
  if (bpp <= 8) std::memcpy(palette, table, sizeof(RGBQUAD) * static_cast<size_t>(colors));
  int result = target.Allocate(width, height, targetBpp, TOP_LEFT, bpp <= 8 ? palette : nullptr, bpp <= 8 ? (1 << bpp) : 0);
  if (result != SUCCESS) return result;
  for (int y = 0; y < height; ++y) {
    const BYTE* src = bits + stride * static_cast<size_t>(topDown ? y : height - 1 - y);
    BYTE* dst = target.Row(y);
    if (bpp == 16 || (bpp == 32 && fields)) {
      for (int x = 0; x < width; ++x) {
        const DWORD px = bpp == 16 ? static_cast<DWORD>(src[x * 2] | (src[x * 2 + 1] << 8))
                                   : static_cast<DWORD>(src[x * 4] | (src[x * 4 + 1] << 8) | (src[x * 4 + 2] << 16) |
                                                        (static_cast<DWORD>(src[x * 4 + 3]) << 24));
        BYTE* d = dst + x * (targetBpp / 8);
        d[0] = Channel(px, masks[2]);
        d[1] = Channel(px, masks[1]);
        d[2] = Channel(px, masks[0]);
        if (targetBpp == 32) d[3] = 0xFF;
      }
    } else {
      std::memcpy(dst, src, stride);
    }
  }
  // A resolution past 100000 dpi is no picture's: written back as pixels per metre it overflowed.
  const auto dpi = [](LONG perMetre) { return static_cast<int>(std::lround(perMetre * 0.0254)); };
  if (hd.biXPelsPerMeter > 0 && dpi(hd.biXPelsPerMeter) <= 100000) target.SetXResolution(dpi(hd.biXPelsPerMeter));
  if (hd.biYPelsPerMeter > 0 && dpi(hd.biYPelsPerMeter) <= 100000) target.SetYResolution(dpi(hd.biYPelsPerMeter));
  TakeImage(target);
  return SUCCESS;
}

int LChange::ChangeFromDIB(LBitmapBase* pBitmap, HGLOBAL hDIB) {
  if (!hDIB) return Fail(ERROR_INV_PARAMETER, "ChangeFromDIB");
  int result = ERROR_INV_PARAMETER;
  if (pBitmap) {
    const void* p = GlobalLock(hDIB);
    result = p ? pBitmap->ConvertFromDIB(static_cast<const BITMAPINFO*>(p), nullptr, GlobalSize(hDIB)) : ERROR_NO_MEMORY;
    GlobalUnlock(hDIB);
  }
  GlobalFree(hDIB);
  return result;
}

HBITMAP LBitmapBase::ConvertToDDB(HDC hDC) const {
  if (!IsAllocated()) {
    Fail(ERROR_NO_BITMAP, "ConvertToDDB");
    return nullptr;
  }
  HDC screen = hDC ? hDC : GetDC(nullptr);
  DibInfo info = DescribeDib(m_Handle);
  HBITMAP ddb = CreateDIBitmap(screen, &info.header, CBM_INIT, m_Handle.pBits, reinterpret_cast<BITMAPINFO*>(&info),
                               DIB_RGB_COLORS);
  if (!hDC) ReleaseDC(nullptr, screen);
  if (!ddb) Fail(ERROR_NO_MEMORY, "ConvertToDDB");
  return ddb;
}

int LBitmapBase::ConvertFromDDB(HBITMAP hBitmap, HPALETTE hPalette) {
  BITMAP bm = {};
  if (!hBitmap || !GetObjectW(hBitmap, sizeof bm, &bm)) return Fail(ERROR_INV_PARAMETER, "ConvertFromDDB");
  LBitmapBase target;
  const int bpp = bm.bmBitsPixel == 1 ? 1 : 24;
  int result = target.Allocate(bm.bmWidth, bm.bmHeight, bpp, TOP_LEFT, nullptr, 0);
  if (result != SUCCESS) return result;
  DibInfo info = DescribeDib(target.m_Handle);
  HDC screen = GetDC(nullptr);
  HPALETTE old = hPalette ? SelectPalette(screen, hPalette, FALSE) : nullptr;
  if (hPalette) RealizePalette(screen);
  const int rows = GetDIBits(screen, hBitmap, 0, static_cast<UINT>(bm.bmHeight), target.m_Handle.pBits,
                             reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
  if (old) SelectPalette(screen, old, FALSE);
  ReleaseDC(nullptr, screen);
  if (rows != bm.bmHeight) return Fail(ERROR_NO_MEMORY, "ConvertFromDDB GetDIBits");
  if (bpp == 1) target.PutColors(0, 2, info.colors);
  TakeImage(target);
  return SUCCESS;
}

BOOL LBitmapBase::IsClipboardReady() {
  return IsClipboardFormatAvailable(CF_DIB) || IsClipboardFormatAvailable(CF_BITMAP);
}

int LBitmapBase::CopyFromClipboard(HWND hWnd) {
  if (!OpenClipboard(hWnd)) return Fail(ERROR_CLIPBOARD, "CopyFromClipboard open");
  int result = ERROR_CLIPBOARD;
  if (HANDLE dib = GetClipboardData(CF_DIB)) {
    if (const void* p = GlobalLock(dib)) {
      result = ConvertFromDIB(static_cast<const BITMAPINFO*>(p), nullptr, GlobalSize(dib));
      GlobalUnlock(dib);
    }
  } else if (HANDLE ddb = GetClipboardData(CF_BITMAP)) {
    result = ConvertFromDDB(static_cast<HBITMAP>(ddb), static_cast<HPALETTE>(GetClipboardData(CF_PALETTE)));
  }
  CloseClipboard();
  return result == SUCCESS ? SUCCESS : Fail(result, "CopyFromClipboard");
}

int LBitmapBase::CopyToClipboard(HWND hWnd, UINT uFlags) const {
  if (!IsAllocated()) return Fail(ERROR_NO_BITMAP, "CopyToClipboard");
  if (!OpenClipboard(hWnd)) return Fail(ERROR_CLIPBOARD, "CopyToClipboard open");
  bool ok = true;
  if (uFlags & COPY_EMPTY) ok = EmptyClipboard() != FALSE;
  if (ok && (uFlags & COPY_DIB)) {
    HGLOBAL dib = ConvertToDIB();
    ok = dib && SetClipboardData(CF_DIB, dib);
    if (!ok && dib) GlobalFree(dib);
  }
  if (ok && (uFlags & COPY_DDB)) {
    HBITMAP ddb = ConvertToDDB(nullptr);
    ok = ddb && SetClipboardData(CF_BITMAP, ddb);
    if (!ok && ddb) DeleteObject(ddb);
  }
  if (ok && (uFlags & COPY_PALETTE) && m_Handle.nColors > 0) {
    HPALETTE palette = PaletteOfTable(m_Handle);
    ok = palette && SetClipboardData(CF_PALETTE, palette);
    if (!ok && palette) DeleteObject(palette);
  }
  CloseClipboard();
  return ok ? SUCCESS : Fail(ERROR_CLIPBOARD, "CopyToClipboard");
}
