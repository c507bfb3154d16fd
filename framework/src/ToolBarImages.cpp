#include "fw/ToolBarImages.h"

#include <string.h>

#include <vector>

#include "fw/Dc.h"

HMODULE FwFindResourceModule(LPCWSTR name, LPCWSTR type, HRSRC* found);

IMPLEMENT_DYNAMIC(CMFCToolBarImages, CObject)
IMPLEMENT_DYNAMIC(CCommandManager, CObject)

namespace {

// A 32-bit DIB pixel is 0x00RRGGBB; a COLORREF is 0x00BBGGRR.
DWORD PixelOf(COLORREF color) { return (GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color); }
COLORREF ColorOf(DWORD pixel) { return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF); }

const DWORD kTransparentPixel = PixelOf(AFX_TOOLBAR_TRANSPARENT_COLOR);

HBITMAP NewStrip(int width, int height, DWORD** bits) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* pixels = nullptr;
  HBITMAP bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
  *bits = static_cast<DWORD*>(pixels);
  return bitmap;
}

// The pixels of any bitmap as 32-bit, top row first.
bool ReadPixels(HBITMAP hbmp, std::vector<DWORD>& pixels, int& width, int& height) {
  BITMAP bm = {};
  if (!hbmp || !::GetObjectW(hbmp, sizeof(bm), &bm) || bm.bmWidth <= 0 || bm.bmHeight == 0) return false;
  width = bm.bmWidth;
  height = bm.bmHeight < 0 ? -bm.bmHeight : bm.bmHeight;
  // A limit far above any tool-bar strip keeps a damaged file from asking for gigabytes.
  if (static_cast<LONGLONG>(width) * height > 64LL * 1024 * 1024) return false;
  pixels.assign(static_cast<size_t>(width) * height, 0);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  HDC screen = ::GetDC(nullptr);
  const int lines = ::GetDIBits(screen, hbmp, 0, static_cast<UINT>(height), pixels.data(), &info, DIB_RGB_COLORS);
  ::ReleaseDC(nullptr, screen);
  for (DWORD& p : pixels) p &= 0x00FFFFFF;
  return lines == height;
}

// A disabled image: each pixel's brightness mapped into the light greys, so the shape stays
// readable on a bar and no pixel turns into the transparent colour.
DWORD GreyOf(DWORD pixel) {
  const int r = (pixel >> 16) & 0xFF, g = (pixel >> 8) & 0xFF, b = pixel & 0xFF;
  const int brightness = (r * 30 + g * 59 + b * 11) / 100;
  int grey = 128 + brightness / 2;
  if (grey == 192) grey = 191;
  return (static_cast<DWORD>(grey) << 16) | (static_cast<DWORD>(grey) << 8) | static_cast<DWORD>(grey);
}

// Files of user images are small; a larger one is not ours.
const DWORD kMaxBitmapFile = 16 * 1024 * 1024;

bool ReadWholeFile(LPCTSTR path, std::vector<BYTE>& data) {
  HANDLE h = ::CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  LARGE_INTEGER size = {};
  bool ok = ::GetFileSizeEx(h, &size) && size.QuadPart > 0 && size.QuadPart <= kMaxBitmapFile;
  if (ok) {
    data.resize(static_cast<size_t>(size.QuadPart));
    DWORD read = 0;
    ok = ::ReadFile(h, data.data(), static_cast<DWORD>(data.size()), &read, nullptr) && read == data.size();
  }
  ::CloseHandle(h);
  return ok;
}

// A bitmap from the bytes of a .bmp file, after every size in its headers was checked against the
// file: a cut or damaged file gives null, never a read past its end.
HBITMAP BitmapFromFile(const std::vector<BYTE>& file) {
  if (file.size() < sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)) return nullptr;
  BITMAPFILEHEADER header;
  BITMAPINFOHEADER info;
  memcpy(&header, file.data(), sizeof(header));
  memcpy(&info, file.data() + sizeof(header), sizeof(info));
  if (header.bfType != 0x4D42 || info.biSize < sizeof(BITMAPINFOHEADER) || info.biPlanes != 1) return nullptr;
  if (info.biWidth <= 0 || info.biHeight == 0 || info.biWidth > 65536 || info.biHeight > 65536 || info.biHeight < -65536)
    return nullptr;
  const WORD bits = info.biBitCount;
  if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) return nullptr;
  if (info.biCompression != BI_RGB && !(info.biCompression == BI_BITFIELDS && (bits == 16 || bits == 32))) return nullptr;
  const size_t infoEnd = sizeof(header) + info.biSize;
  size_t colours = bits <= 8 ? (info.biClrUsed ? info.biClrUsed : (1u << bits)) : 0;
  if (colours > 256) return nullptr;
  const size_t masks = info.biCompression == BI_BITFIELDS && info.biSize == sizeof(BITMAPINFOHEADER) ? 12 : 0;
  const size_t tableEnd = infoEnd + masks + colours * sizeof(RGBQUAD);
  const size_t height = static_cast<size_t>(info.biHeight < 0 ? -info.biHeight : info.biHeight);
  const size_t stride = ((static_cast<size_t>(info.biWidth) * bits + 31) / 32) * 4;
  if (tableEnd > file.size() || header.bfOffBits < tableEnd || header.bfOffBits > file.size() ||
      stride * height > file.size() - header.bfOffBits)
    return nullptr;
  // The header and its colour table as GDI wants them, then the rows.
  std::vector<BYTE> head(file.begin() + sizeof(header), file.begin() + tableEnd);
  BITMAPINFO* described = reinterpret_cast<BITMAPINFO*>(head.data());
  HDC screen = ::GetDC(nullptr);
  HBITMAP bitmap = ::CreateDIBitmap(screen, &described->bmiHeader, CBM_INIT, file.data() + header.bfOffBits, described,
                                    DIB_RGB_COLORS);
  ::ReleaseDC(nullptr, screen);
  return bitmap;
}

}  // namespace

CMFCToolBarImages::CMFCToolBarImages() : m_sizeImage(16, 15) {}

CMFCToolBarImages::~CMFCToolBarImages() { Clear(); }

void CMFCToolBarImages::Clear() {
  if (m_hbmStrip) ::DeleteObject(m_hbmStrip);
  m_hbmStrip = nullptr;
  m_pBits = nullptr;
  m_iCount = 0;
}

void CMFCToolBarImages::SetImageSize(CSize sizeImage, BOOL bUpdateCount) {
  if (sizeImage.cx <= 0 || sizeImage.cy <= 0) {
    OutputDebugStringW(L"CMFCToolBarImages::SetImageSize: an image needs a positive size\n");
    return;
  }
  if (sizeImage == m_sizeImage) return;
  if (!m_hbmStrip || !bUpdateCount) {
    m_sizeImage = sizeImage;
    if (m_hbmStrip && !bUpdateCount) Clear();
    return;
  }
  // Re-cut the strip: its pixels stay, the images are counted again at the new size.
  std::vector<DWORD> pixels;
  int width = 0, height = 0;
  ReadPixels(m_hbmStrip, pixels, width, height);
  Clear();
  m_sizeImage = sizeImage;
  if (!pixels.empty()) Append(pixels.data(), width, height);
}

BOOL CMFCToolBarImages::Append(const DWORD* pixels, int width, int height) {
  const int added = width / m_sizeImage.cx;
  if (added <= 0 || height <= 0) return FALSE;
  const int total = m_iCount + added;
  DWORD* bits = nullptr;
  HBITMAP strip = NewStrip(total * m_sizeImage.cx, m_sizeImage.cy, &bits);
  if (!strip) return FALSE;
  const int stripWidth = total * m_sizeImage.cx;
  const int oldWidth = m_iCount * m_sizeImage.cx;
  for (int y = 0; y < m_sizeImage.cy; ++y) {
    DWORD* row = bits + static_cast<size_t>(y) * stripWidth;
    if (m_pBits) memcpy(row, m_pBits + static_cast<size_t>(y) * oldWidth, oldWidth * sizeof(DWORD));
    for (int x = 0; x < added * m_sizeImage.cx; ++x)
      row[oldWidth + x] = y < height ? pixels[static_cast<size_t>(y) * width + x] : kTransparentPixel;
  }
  Clear();
  m_hbmStrip = strip;
  m_pBits = bits;
  m_iCount = total;
  return TRUE;
}

BOOL CMFCToolBarImages::LoadBitmapHandle(HBITMAP hbmp, BOOL bAdd) {
  std::vector<DWORD> pixels;
  int width = 0, height = 0;
  if (!ReadPixels(hbmp, pixels, width, height) || width < m_sizeImage.cx) return FALSE;
  if (!bAdd) Clear();
  return Append(pixels.data(), width, height);
}

BOOL CMFCToolBarImages::Load(UINT uiResID, HINSTANCE hinstRes, BOOL bAdd) {
  const LPCWSTR name = MAKEINTRESOURCEW(uiResID);
  HMODULE module = hinstRes;
  if (!module) {
    HRSRC found = nullptr;
    module = FwFindResourceModule(name, RT_BITMAP, &found);
  }
  if (!module) return FALSE;
  HBITMAP bitmap = static_cast<HBITMAP>(::LoadImageW(module, name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  if (!bitmap) return FALSE;
  const BOOL loaded = LoadBitmapHandle(bitmap, bAdd);
  ::DeleteObject(bitmap);
  return loaded;
}

BOOL CMFCToolBarImages::Load(LPCTSTR lpszBmpFileName, BOOL bAdd) {
  if (!lpszBmpFileName || !*lpszBmpFileName) return FALSE;
  std::vector<BYTE> file;
  if (!ReadWholeFile(lpszBmpFileName, file)) return FALSE;
  HBITMAP bitmap = BitmapFromFile(file);
  if (!bitmap) return FALSE;
  const BOOL loaded = LoadBitmapHandle(bitmap, bAdd);
  ::DeleteObject(bitmap);
  return loaded;
}

BOOL CMFCToolBarImages::Save(LPCTSTR lpszBmpFileName) const {
  if (!lpszBmpFileName || !m_pBits) return FALSE;
  const int width = m_iCount * m_sizeImage.cx, height = m_sizeImage.cy;
  const int stride = (width * 3 + 3) & ~3;
  BITMAPFILEHEADER file = {};
  BITMAPINFOHEADER info = {};
  info.biSize = sizeof(info);
  info.biWidth = width;
  info.biHeight = height;  // bottom row first, as .bmp readers expect
  info.biPlanes = 1;
  info.biBitCount = 24;
  info.biCompression = BI_RGB;
  info.biSizeImage = static_cast<DWORD>(stride) * height;
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof(file) + sizeof(info);
  file.bfSize = file.bfOffBits + info.biSizeImage;
  std::vector<BYTE> rows(info.biSizeImage, 0);
  for (int y = 0; y < height; ++y) {
    BYTE* out = rows.data() + static_cast<size_t>(height - 1 - y) * stride;
    for (int x = 0; x < width; ++x) {
      const DWORD p = m_pBits[static_cast<size_t>(y) * width + x];
      out[x * 3] = static_cast<BYTE>(p & 0xFF);
      out[x * 3 + 1] = static_cast<BYTE>((p >> 8) & 0xFF);
      out[x * 3 + 2] = static_cast<BYTE>((p >> 16) & 0xFF);
    }
  }
  HANDLE h = ::CreateFileW(lpszBmpFileName, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return FALSE;
  DWORD written = 0;
  BOOL ok = ::WriteFile(h, &file, sizeof(file), &written, nullptr) && written == sizeof(file);
  ok = ok && ::WriteFile(h, &info, sizeof(info), &written, nullptr) && written == sizeof(info);
  ok = ok && ::WriteFile(h, rows.data(), info.biSizeImage, &written, nullptr) && written == info.biSizeImage;
  ::CloseHandle(h);
  return ok;
}

int CMFCToolBarImages::AddImage(HBITMAP hbmp) {
  const int first = m_iCount;
  return LoadBitmapHandle(hbmp, TRUE) ? first : -1;
}

COLORREF CMFCToolBarImages::GetPixel(int iImage, int x, int y) const {
  if (iImage < 0 || iImage >= m_iCount || x < 0 || y < 0 || x >= m_sizeImage.cx || y >= m_sizeImage.cy)
    return CLR_INVALID;
  return ColorOf(m_pBits[static_cast<size_t>(y) * m_iCount * m_sizeImage.cx + iImage * m_sizeImage.cx + x]);
}

HBITMAP CMFCToolBarImages::ExtractImage(int iImage) const {
  if (iImage < 0 || iImage >= m_iCount) return nullptr;
  DWORD* bits = nullptr;
  HBITMAP image = NewStrip(m_sizeImage.cx, m_sizeImage.cy, &bits);
  if (!image) return nullptr;
  const int stripWidth = m_iCount * m_sizeImage.cx;
  for (int y = 0; y < m_sizeImage.cy; ++y)
    memcpy(bits + static_cast<size_t>(y) * m_sizeImage.cx,
           m_pBits + static_cast<size_t>(y) * stripWidth + iImage * m_sizeImage.cx, m_sizeImage.cx * sizeof(DWORD));
  return image;
}

BOOL CMFCToolBarImages::Draw(CDC* pDC, int x, int y, int iImage, DrawState state) const {
  if (!pDC || iImage < 0 || iImage >= m_iCount) return FALSE;
  HBITMAP image = ExtractImage(iImage);
  if (!image) return FALSE;
  if (state == ImageDisabled) {
    DIBSECTION section = {};
    ::GetObjectW(image, sizeof(section), &section);
    DWORD* bits = static_cast<DWORD*>(section.dsBm.bmBits);
    for (int i = 0; i < m_sizeImage.cx * m_sizeImage.cy; ++i)
      if (bits[i] != kTransparentPixel) bits[i] = GreyOf(bits[i]);
  }
  HDC source = ::CreateCompatibleDC(pDC->m_hDC);
  HGDIOBJ old = ::SelectObject(source, image);
  const BOOL drawn = ::TransparentBlt(pDC->m_hDC, x, y, m_sizeImage.cx, m_sizeImage.cy, source, 0, 0, m_sizeImage.cx,
                                      m_sizeImage.cy, AFX_TOOLBAR_TRANSPARENT_COLOR);
  ::SelectObject(source, old);
  ::DeleteDC(source);
  ::DeleteObject(image);
  return drawn;
}

CCommandManager::CCommandManager() = default;
CCommandManager::~CCommandManager() = default;

int CCommandManager::GetCmdImage(UINT uiCmd, BOOL bUserImage) const {
  int image = -1;
  return (bUserImage ? m_userImages : m_images).Lookup(uiCmd, image) ? image : -1;
}

void CCommandManager::SetCmdImage(UINT uiCmd, int iImage, BOOL bUserImage) {
  CMap<UINT, UINT, int, int>& map = bUserImage ? m_userImages : m_images;
  if (iImage < 0)
    map.RemoveKey(uiCmd);
  else
    map.SetAt(uiCmd, iImage);
}

void CCommandManager::ClearCmdImage(UINT uiCmd) {
  m_images.RemoveKey(uiCmd);
  m_userImages.RemoveKey(uiCmd);
}

void CCommandManager::ClearAllCmdImages() {
  m_images.RemoveAll();
  m_userImages.RemoveAll();
}

UINT CCommandManager::GetCmdByImage(int iImage, BOOL bUserImage) const {
  const CMap<UINT, UINT, int, int>& map = bUserImage ? m_userImages : m_images;
  POSITION pos = map.GetStartPosition();
  while (pos) {
    UINT cmd = 0;
    int image = -1;
    map.GetNextAssoc(pos, cmd, image);
    if (image == iImage) return cmd;
  }
  return 0;
}

CCommandManager* AFXAPI GetCmdMgr() {
  static CCommandManager manager;
  return &manager;
}
