#include "AppExTestSupport.h"

#include <cstdio>

#include "AppExTestIds.h"

namespace appex_test {

const wchar_t kRegistryKey[] = L"VantryAppExTests";
const wchar_t kProfilePath[] = L"Software\\VantryAppExTests\\FrameworkAppEx_test";

TestAppEx::TestAppEx() { SetRegistryKey(kRegistryKey); }

void TestAppEx::PreLoadState() {
  ++preLoads;
  GetContextMenuManager()->AddMenu(L"Test menu", IDR_TEST_CONTEXT);
}

namespace {
TestAppEx* g_app = new TestAppEx;
}  // namespace

TestAppEx& TheApp() { return *g_app; }

void ReplaceApp() {
  delete g_app;
  g_app = new TestAppEx;
}

void PumpMessages() {
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
}

MemoryCanvas::MemoryCanvas(int width, int height) : width_(width), height_(height) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  dc_.CreateCompatibleDC(nullptr);
  bitmap_ = ::CreateDIBSection(dc_.m_hDC, &info, DIB_RGB_COLORS, &bits_, nullptr, 0);
  old_ = ::SelectObject(dc_.m_hDC, bitmap_);
}

MemoryCanvas::~MemoryCanvas() {
  ::SelectObject(dc_.m_hDC, old_);
  ::DeleteObject(bitmap_);
}

Pixels MemoryCanvas::Read() const {
  ::GdiFlush();
  Pixels p;
  p.width_ = width_;
  p.height_ = height_;
  const auto* bits = static_cast<const uint32_t*>(bits_);
  p.bgra_.assign(bits, bits + static_cast<size_t>(width_) * static_cast<size_t>(height_));
  return p;
}

Pixels Pixels::FromDC(HDC source, int width, int height) {
  MemoryCanvas canvas(width, height);
  ::BitBlt(canvas.dc()->m_hDC, 0, 0, width, height, source, 0, 0, SRCCOPY);
  return canvas.Read();
}

Pixels Pixels::OfWindow(HWND hwnd) {
  ::RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  RECT r;
  ::GetWindowRect(hwnd, &r);
  HDC dc = ::GetWindowDC(hwnd);
  Pixels p = FromDC(dc, r.right - r.left, r.bottom - r.top);
  ::ReleaseDC(hwnd, dc);
  return p;
}

Pixels Pixels::OfClient(HWND hwnd) {
  RECT r;
  ::GetClientRect(hwnd, &r);
  HDC dc = ::GetDC(hwnd);
  Pixels p = FromDC(dc, r.right, r.bottom);
  ::ReleaseDC(hwnd, dc);
  return p;
}

COLORREF Pixels::At(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
  const uint32_t v = bgra_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)];
  return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
}

int Pixels::Count(const RECT& rect, COLORREF color) const {
  int n = 0;
  for (int y = rect.top; y < rect.bottom; ++y)
    for (int x = rect.left; x < rect.right; ++x) n += At(x, y) == color;
  return n;
}

int Pixels::Differences(const Pixels& other) const {
  if (width_ != other.width_ || height_ != other.height_) return width_ * height_;
  int n = 0;
  for (size_t i = 0; i < bgra_.size(); ++i) n += (bgra_[i] & 0xFFFFFF) != (other.bgra_[i] & 0xFFFFFF);
  return n;
}

bool Between(COLORREF c, COLORREF a, COLORREF b, int tolerance) {
  if (c == CLR_INVALID) return false;
  for (int shift = 0; shift < 24; shift += 8) {
    const int v = (c >> shift) & 0xFF, x = (a >> shift) & 0xFF, y = (b >> shift) & 0xFF;
    const int low = (x < y ? x : y) - tolerance, high = (x > y ? x : y) + tolerance;
    if (v < low || v > high) return false;
  }
  return true;
}

std::string Describe(COLORREF c) {
  char text[40];
  std::snprintf(text, sizeof(text), "RGB(%u, %u, %u)", static_cast<unsigned>(GetRValue(c)),
                static_cast<unsigned>(GetGValue(c)), static_cast<unsigned>(GetBValue(c)));
  return text;
}

}  // namespace appex_test
