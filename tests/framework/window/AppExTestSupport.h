// What the feature-pack application tests share: the one application object of the process (which
// a test may replace to see the old one go), pixels read back from real windows, and the user-
// interface language for the length of a scope.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "Framework.h"

namespace appex_test {

// The profile of the test program: HKCU\Software\VantryAppExTests\FrameworkAppEx_test. A key of its
// own, so other test programs that clear their keys never touch it.
extern const wchar_t kRegistryKey[];
extern const wchar_t kProfilePath[];

class TestAppEx : public CWinAppEx {
 public:
  TestAppEx();
  // As the programs do: the view's context menu is registered before a frame's state is loaded.
  void PreLoadState() override;
  int preLoads = 0;
};

// The application object of the process.
TestAppEx& TheApp();
// Deletes the application object (and with it its managers) and makes a new one.
void ReplaceApp();

// Delivers the messages waiting in the thread's queue.
void PumpMessages();

// A window's pixels as COLORREF values: the whole window (frame included) or its client area.
class Pixels {
 public:
  static Pixels OfWindow(HWND hwnd);
  static Pixels OfClient(HWND hwnd);
  // Runs `draw` on a memory DC of the given size, first filled with `background`.
  template <typename Draw>
  static Pixels Drawn(int width, int height, COLORREF background, Draw draw);

  int Width() const { return width_; }
  int Height() const { return height_; }
  COLORREF At(int x, int y) const;
  // How many pixels of the rectangle have the colour.
  int Count(const RECT& rect, COLORREF color) const;
  // How many pixels differ between two images of the same size (all when the sizes differ).
  int Differences(const Pixels& other) const;

 private:
  static Pixels FromDC(HDC source, int width, int height);
  int width_ = 0;
  int height_ = 0;
  std::vector<uint32_t> bgra_;
  friend class MemoryCanvas;
};

// A 32-bit top-down DIB with a DC, for drawing into and reading back.
class MemoryCanvas {
 public:
  MemoryCanvas(int width, int height);
  ~MemoryCanvas();
  MemoryCanvas(const MemoryCanvas&) = delete;
  MemoryCanvas& operator=(const MemoryCanvas&) = delete;
  CDC* dc() { return &dc_; }
  Pixels Read() const;

 private:
  int width_, height_;
  CDC dc_;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
  void* bits_ = nullptr;
};

template <typename Draw>
Pixels Pixels::Drawn(int width, int height, COLORREF background, Draw draw) {
  MemoryCanvas canvas(width, height);
  CRect all(0, 0, width, height);
  canvas.dc()->FillSolidRect(&all, background);
  draw(canvas.dc());
  return canvas.Read();
}

// Whether each channel of `c` lies between those of `a` and `b`, give or take `tolerance`.
bool Between(COLORREF c, COLORREF a, COLORREF b, int tolerance = 3);
std::string Describe(COLORREF c);

// Sets the resource language for the life of the object, then goes back to the default.
class ScopedLanguage {
 public:
  explicit ScopedLanguage(LANGID language) { AfxSetResourceLanguage(language); }
  ~ScopedLanguage() { AfxSetResourceLanguage(0); }
  ScopedLanguage(const ScopedLanguage&) = delete;
  ScopedLanguage& operator=(const ScopedLanguage&) = delete;
};

}  // namespace appex_test
