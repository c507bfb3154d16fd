#include "ToolTestSupport.h"

#include <algorithm>
#include <sstream>

#include "FolimarApp.h"
#include "FolimarDoc.h"
#include "FolimarView.h"
#include "MainFrm.h"
#include "PageInfo.h"
#include "resource.h"

CFolimarApp theApp;

namespace {

// A top-down 32-bit DIB section selected into a memory DC, for reading and drawing pixels.
class DibCanvas {
 public:
  DibCanvas(int width, int height) : width_(width), height_(height) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    bitmap_ = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bits_ = static_cast<DWORD*>(bits);
    dc_ = ::CreateCompatibleDC(nullptr);
    old_ = ::SelectObject(dc_, bitmap_);
  }
  ~DibCanvas() {
    ::SelectObject(dc_, old_);
    ::DeleteDC(dc_);
    ::DeleteObject(bitmap_);
  }
  DibCanvas(const DibCanvas&) = delete;
  DibCanvas& operator=(const DibCanvas&) = delete;
  HDC dc() const { return dc_; }
  COLORREF At(int x, int y) const {
    ::GdiFlush();
    const DWORD v = bits_[y * width_ + x];
    return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
  }
  void Set(int x, int y, COLORREF c) { bits_[y * width_ + x] = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); }

 private:
  int width_, height_;
  HBITMAP bitmap_;
  DWORD* bits_ = nullptr;
  HDC dc_;
  HGDIOBJ old_;
};

CMultiDocTemplate* g_template = nullptr;

}  // namespace

// ---- ClientPicture ----

ClientPicture ClientPicture::Capture(CWnd* window) {
  ClientPicture picture;
  RECT client;
  ::GetClientRect(window->m_hWnd, &client);
  picture.width_ = client.right;
  picture.height_ = client.bottom;
  DibCanvas canvas(picture.width_, picture.height_);
  HDC source = ::GetDC(window->m_hWnd);
  ::BitBlt(canvas.dc(), 0, 0, picture.width_, picture.height_, source, 0, 0, SRCCOPY);
  ::ReleaseDC(window->m_hWnd, source);
  picture.pixels_.resize(static_cast<size_t>(picture.width_) * picture.height_);
  for (int y = 0; y < picture.height_; ++y)
    for (int x = 0; x < picture.width_; ++x) picture.pixels_[y * picture.width_ + x] = canvas.At(x, y);
  return picture;
}

COLORREF ClientPicture::At(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
  return pixels_[y * width_ + x];
}

ClientPicture ClientPicture::DrawnWith(const std::function<void(HDC)>& draw) const {
  DibCanvas canvas(width_, height_);
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x) canvas.Set(x, y, pixels_[y * width_ + x]);
  draw(canvas.dc());
  ClientPicture result = *this;
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x) result.pixels_[y * width_ + x] = canvas.At(x, y);
  return result;
}

std::vector<POINT> ClientPicture::Differences(const ClientPicture& other) const {
  std::vector<POINT> points;
  const int w = std::max(width_, other.width_), h = std::max(height_, other.height_);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (At(x, y) != other.At(x, y)) points.push_back({x, y});
  return points;
}

RECT ClientPicture::ChangedBounds(const ClientPicture& other) const {
  RECT bounds = {0, 0, 0, 0};
  bool any = false;
  for (const POINT& p : Differences(other)) {
    if (!any) {
      bounds = {p.x, p.y, p.x + 1, p.y + 1};
      any = true;
    }
    bounds.left = std::min(bounds.left, p.x);
    bounds.top = std::min(bounds.top, p.y);
    bounds.right = std::max(bounds.right, p.x + 1);
    bounds.bottom = std::max(bounds.bottom, p.y + 1);
  }
  return bounds;
}

std::string DescribeDifferences(const ClientPicture& actual, const ClientPicture& expected) {
  const std::vector<POINT> diff = actual.Differences(expected);
  if (diff.empty()) return "same";
  std::ostringstream text;
  text << diff.size() << " pixels differ, first at";
  for (size_t i = 0; i < diff.size() && i < 6; ++i) {
    const POINT& p = diff[i];
    text << " (" << p.x << "," << p.y << ": " << std::hex << actual.At(p.x, p.y) << " not "
         << expected.At(p.x, p.y) << std::dec << ")";
  }
  return text.str();
}

ClientPicture Inverted(const ClientPicture& base, const std::function<void(HDC)>& figure) {
  return base.DrawnWith([&](HDC dc) {
    ::SetROP2(dc, R2_NOT);
    ::SelectObject(dc, ::GetStockObject(NULL_BRUSH));
    figure(dc);
  });
}

void GdiLine(HDC dc, POINT a, POINT b) {
  ::MoveToEx(dc, a.x, a.y, nullptr);
  ::LineTo(dc, b.x, b.y);
}

bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// ---- ToolWindowTest ----

void ToolWindowTest::SetUp() {
  if (g_template == nullptr) {
    g_template = new CMultiDocTemplate(IDR_FOLIMARTYPE, RUNTIME_CLASS(CFolimarDoc), RUNTIME_CLASS(CMDIChildWnd),
                                       RUNTIME_CLASS(CFolimarView));
    theApp.AddDocTemplate(g_template);
  }
  frame = new CMainFrame;
  ASSERT_TRUE(frame->LoadFrame(IDR_MAINFRAME));
  theApp.m_pMainWnd = frame;
  frame->MoveWindow(0, 0, 1000, 760);
  frame->ShowWindow(SW_SHOW);

  NEW_DOCUMENT_REQUEST& request = theApp.m_newDocument;
  CPageInfo* page = new CPageInfo(nullptr);
  page->m_settings.width = 8.5;
  page->m_settings.height = 11.0;
  request.pages.AddTail(page);
  request.kind = NEW_DOCUMENT_REQUEST::kFromPagesList;
  CDocument* doc = g_template->OpenDocumentFile(nullptr);
  request.kind = NEW_DOCUMENT_REQUEST::kEmpty;
  request.pages.RemoveAll();
  delete page;
  ASSERT_NE(doc, nullptr);
  POSITION pos = doc->GetFirstViewPosition();
  ASSERT_NE(pos, nullptr);
  view = dynamic_cast<CFolimarView*>(doc->GetNextView(pos));
  ASSERT_NE(view, nullptr);
  view->GetParentFrame()->MoveWindow(0, 0, 640, 460);
  Settle();
}

void ToolWindowTest::TearDown() {
  if (::GetCapture() != nullptr) ::ReleaseCapture();
  theApp.m_pMainWnd = nullptr;  // no quit message for the next test
  for (POSITION pos = g_template->GetFirstDocPosition(); pos;) g_template->GetNextDoc(pos)->SetModifiedFlag(FALSE);
  theApp.CloseAllDocuments(FALSE);
  if (frame != nullptr) frame->DestroyWindow();
}

ClientPicture ToolWindowTest::Picture() const { return ClientPicture::Capture(view); }

void ToolWindowTest::Settle() {
  view->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  view->UpdateWindow();
}
