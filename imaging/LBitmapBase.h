// Imaging layer: bitmaps held as DIB sections, their operations, painting, lists of bitmaps.
#pragma once
#include "LBase.h"

#include <string>
#include <vector>

class LBitmapBase;
class LTwain;

// The painter a bitmap hands out: the device context to paint on, then PaintDC with a raster
// operation paints the bitmap's source rectangle into its destination rectangle.
class LDraw {
 public:
  void SetDC(HDC hDC) { m_hDC = hDC; }
  HDC GetDC() const { return m_hDC; }

 protected:
  HDC m_hDC = nullptr;
};

class LPaint : public LDraw {
 public:
  explicit LPaint(LBitmapBase* pBitmap) : m_pBitmap(pBitmap) {}
  int PaintDC(DWORD dwRop = SRCCOPY);

 private:
  LBitmapBase* m_pBitmap;
};

class LBitmapBase : public LBase {
 public:
  LBitmapBase();
  LBitmapBase(const LBitmapBase&) = delete;
  LBitmapBase& operator=(const LBitmapBase&) = delete;
  ~LBitmapBase() override;

  // State.
  BOOL IsAllocated() const { return (m_Handle.Flags & BITMAP_ALLOCATED) != 0; }
  int GetWidth() const { return m_Handle.Width; }
  int GetHeight() const { return m_Handle.Height; }
  int GetXResolution() const { return m_Handle.XResolution; }
  int GetYResolution() const { return m_Handle.YResolution; }
  int SetXResolution(int nDpi);
  int SetYResolution(int nDpi);
  int GetBitsPerPixel() const { return m_Handle.BitsPerPixel; }
  int GetBytesPerLine() const { return m_Handle.BytesPerLine; }
  // Bytes of pixel memory (rows times bytes per line).
  SIZE_T GetMemSize() const;
  int GetViewPerspective() const { return m_Handle.ViewPerspective; }
  int GetColorOrder() const { return m_Handle.Order; }
  pBITMAPHANDLE GetHandle() { return &m_Handle; }
  const BITMAPHANDLE* GetHandle() const { return &m_Handle; }
  // Takes over the image of another handle (for example one delivered by a scanner). With
  // bFreeSource the source record is emptied, so exactly one owner frees the pixels.
  int SetHandle(pBITMAPHANDLE pHandle, BOOL bFreeSource = TRUE);
  void SetFileName(LPCWSTR pszFileName);
  LPCWSTR GetFileName() const { return m_FileName.c_str(); }
  void Free();

  // Colour table of 1, 4 and 8 bit images.
  int GetColorCount() const { return m_Handle.nColors; }
  int GetColors(int nFirst, int nCount, RGBQUAD* pColors) const;
  int PutColors(int nFirst, int nCount, const RGBQUAD* pColors);
  // The palette used for painting on palette devices (made by CreatePaintPalette, owned by the
  // bitmap). SetPalette replaces it (null clears it); the pixels and colour table stay.
  HPALETTE GetPalette() const { return m_hPaintPalette; }
  void SetPalette(HPALETTE hPalette);
  HPALETTE CreatePaintPalette(HDC hDC);

  // Creation and copies. pColors may be null for a grey ramp (1, 4 and 8 bits).
  int Create(int nWidth, int nHeight, int nBitsPerPixel = 24, int nOrder = ORDER_BGR,
             const RGBQUAD* pColors = nullptr, int nColors = 0, int nViewPerspective = TOP_LEFT);
  virtual int Copy(const LBitmapBase& source);
  int Fill(COLORREF crFill);
  int ChangeViewPerspective(int nViewPerspective);
  // Changes the bit depth: 1 (threshold), 4 and 8 (palette, error diffusion), 24 or 32.
  int ColorRes(int nBitsPerPixel);

  // Device contexts and conversions. The DC returned by CreateLeadDC draws into the pixels; give it
  // back with DeleteLeadDC before the bitmap changes.
  HDC CreateLeadDC();
  static BOOL DeleteLeadDC(HDC hDC);
  // A packed DIB (header, full colour table up to 8 bits, bottom-up rows) in a movable global
  // block that the caller owns; null on failure. uFlags is reserved.
  HGLOBAL ConvertToDIB(UINT uFlags = 0) const;
  // Replaces the image by a DIB given as header and bits (BI_RGB or BI_BITFIELDS, either row
  // order). bits null: right after the header, its masks and its colour table. uAvailable, when
  // not 0, is how many bytes the block holds from pInfo on; a DIB that claims more fails.
  int ConvertFromDIB(const BITMAPINFO* pInfo, const void* pBits, SIZE_T uAvailable = 0);
  HBITMAP ConvertToDDB(HDC hDC) const;
  int ConvertFromDDB(HBITMAP hBitmap, HPALETTE hPalette = nullptr);

  // Clipboard. CopyToClipboard flags: COPY_EMPTY empties it first, COPY_DIB, COPY_DDB and
  // COPY_PALETTE choose what goes on.
  enum : UINT { COPY_EMPTY = 1, COPY_DIB = 2, COPY_DDB = 4, COPY_PALETTE = 8 };
  static BOOL IsClipboardReady();
  int CopyFromClipboard(HWND hWnd);
  int CopyToClipboard(HWND hWnd, UINT uFlags = COPY_EMPTY | COPY_DIB | COPY_DDB | COPY_PALETTE) const;

  // Files. Load keeps the file's bit depth with nBitsPerPixel 0; pages count from 1 (0 means 1).
  // Save with nBitsPerPixel 0 keeps the bitmap's depth; nQFactor 2 (best) .. 255 (smallest) for
  // JPEG; nPageNumber above 1 appends the page to an existing TIFF file.
  int Load(int nBitsPerPixel = 0, int nOrder = ORDER_BGRORGRAY, int nPage = 1);
  int Load(LPCWSTR pszFile, int nBitsPerPixel = 0, int nOrder = ORDER_BGRORGRAY, int nPage = 1);
  int Save(LPCWSTR pszFile, int nFormat, int nBitsPerPixel = 0, int nQFactor = 2,
           int nPageNumber = 1, UINT uFlags = 0);

  // Processing. Rotate takes hundredths of a degree, clockwise; with bResize the bitmap grows to
  // hold the whole turned image, new corners get crFill.
  int Trim(int nLeft, int nTop, int nWidth, int nHeight);
  int Rotate(int nAngle, BOOL bResize = TRUE, COLORREF crFill = RGB(255, 255, 255));
  int Flip();     // top to bottom
  int Reverse();  // left to right
  // Resampling to a new size; every flag value filters (17 is the flag callers pass), the
  // image is averaged when it shrinks and interpolated when it grows.
  int SizeInterpolate(int nWidth, int nHeight, UINT uFlags = 17);
  // Gamma of painting only, in hundredths (250 lightens); the pixels stay unchanged.
  int SetPaintGamma(int nGamma);
  int GetPaintGamma() const { return m_Handle.nPaintGamma; }
  // Transparent colour, honoured by PNG saving while marked.
  void SetTransparentColor(COLORREF crTransparent) { m_Handle.crTransparent = crTransparent; }
  COLORREF GetTransparentColor() const { return m_Handle.crTransparent; }
  void SetTransparent(BOOL bTransparent);
  BOOL IsTransparent() const { return (m_Handle.Flags & BITMAP_TRANSPARENT) != 0; }

  // Painting: rectangles in this bitmap's own view perspective (source) and in logical units of
  // the device context (destination). RectToBitmap converts a rectangle given in another view
  // perspective into the bitmap's own.
  int SetSrcRect(const RECT* pRect);
  int SetDstRect(const RECT* pRect);
  int SetClipDstRect(const RECT* pRect);  // null: no clip
  const RECT& GetSrcRect() const { return m_SrcRect; }
  const RECT& GetDstRect() const { return m_DstRect; }
  int RectToBitmap(int nViewPerspective, RECT* pRect) const;
  LPaint* Paint() { return &m_Paint; }

  // The bitmap's TWAIN object, made on first use by the registered factory (LTwain::SetFactory)
  // and owned by the bitmap.
  LTwain* Twain();

  // Pixel access for this layer's own code and tests: visual row y (0 is the top) whatever the
  // view perspective; a pixel as COLORREF through the colour table.
  BYTE* Row(int y);
  const BYTE* Row(int y) const;
  COLORREF GetPixelColor(int x, int y) const;
  int PutPixelColor(int x, int y, COLORREF cr);

 protected:
  // Sets every field and the pixel memory of a new image; frees the old one.
  int Allocate(int nWidth, int nHeight, int nBitsPerPixel, int nViewPerspective,
               const RGBQUAD* pColors, int nColors);
  void TakeImage(LBitmapBase& other);  // moves the other's image in, the other ends empty
  // Moves in the pixels of `other`, a new image made from this one (size, depth, row length, colour
  // table), keeping every other attribute of this image: resolution, order, transparency, gamma.
  void TakePixels(LBitmapBase& other);
  friend class LPaint;
  friend class LBitmapList;
  int PaintTo(HDC hDC, DWORD dwRop);

 private:
  BITMAPHANDLE m_Handle;
  std::wstring m_FileName;
  HPALETTE m_hPaintPalette = nullptr;
  RECT m_SrcRect = {};
  RECT m_DstRect = {};
  RECT m_ClipRect = {};
  bool m_bSrcSet = false, m_bDstSet = false, m_bClip = false;
  LPaint m_Paint{this};
  LTwain* m_pTwain = nullptr;
};

// The bitmap with the colour operations. Values are tenths of a percent, -1000 .. 1000.
class LBitmap : public LBitmapBase {
 public:
  int ChangeIntensity(int nChange, UINT uFlags = 0);
  int ChangeContrast(int nChange, UINT uFlags = 0);
  int Invert(UINT uFlags = 0);
};

// Conversions between this layer's bitmaps and platform objects.
class LChange {
 public:
  // Replaces the bitmap's image by a packed DIB; the block is taken over and freed in every case.
  static int ChangeFromDIB(LBitmapBase* pBitmap, HGLOBAL hDIB);
};

// An ordered list of bitmaps, as loaded from and saved to multi-page files.
class LBitmapList : public LBase {
 public:
  LBitmapList();
  LBitmapList(const LBitmapList&) = delete;
  LBitmapList& operator=(const LBitmapList&) = delete;
  ~LBitmapList() override;

  int GetItemsCount() const { return static_cast<int>(m_Items.size()); }
  // Inserts a copy of the bitmap before nIndex; -1 appends.
  int InsertItem(const LBitmapBase* pBitmap, int nIndex = -1);
  // Copies item nIndex into pBitmap.
  int GetItem(int nIndex, LBitmapBase* pBitmap) const;
  // Moves item nIndex out of the list into pBitmap (pBitmap null: the item is freed).
  int RemoveItem(LBitmapBase* pBitmap, int nIndex);
  int RemoveItem(int nIndex) { return RemoveItem(nullptr, nIndex); }
  void Destroy();

  // All pages of a file; a failure leaves the list empty.
  int Load(LPCWSTR pszFile, int nBitsPerPixel = 0, int nOrder = ORDER_BGRORGRAY);
  // TIFF formats store every page; other formats store the first.
  int Save(LPCWSTR pszFile, int nFormat, int nBitsPerPixel = 0, int nQFactor = 2, UINT uFlags = 0);

  const LBitmapBase* Item(int nIndex) const { return m_Items[static_cast<size_t>(nIndex)]; }

 private:
  friend class ImageFileAccess;
  std::vector<LBitmapBase*> m_Items;
};
