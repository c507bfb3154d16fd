// A white 32-bit bitmap to draw objects into, and counts of the pixels of one colour in it.
#pragma once
#include <stdint.h>

#include "Framework.h"

class Canvas {
 public:
  Canvas(int width = 400, int height = 300) : width_(width), height_(height) {
    dc_ = CreateCompatibleDC(nullptr);
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB};
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
    old_ = SelectObject(dc_, bitmap_);
    PatBlt(dc_, 0, 0, width, height, WHITENESS);
    cdc_.Attach(dc_);
  }
  ~Canvas() {
    cdc_.Detach();
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  CDC* dc() { return &cdc_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  uint32_t At(int x, int y) {
    GdiFlush();
    return bits_[y * width_ + x] & 0xFFFFFF;
  }
  // Pixels of `rgb` inside [left, right) x [top, bottom).
  int CountIn(const RECT& r, uint32_t rgb) {
    GdiFlush();
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) n += (bits_[y * width_ + x] & 0xFFFFFF) == rgb;
    return n;
  }
  int Count(uint32_t rgb) { return CountIn(RECT{0, 0, width_, height_}, rgb); }
  // Pixels of `rgb` on one row / column through the picture.
  int CountInRow(int y, uint32_t rgb) { return CountIn(RECT{0, y, width_, y + 1}, rgb); }
  int CountInColumn(int x, uint32_t rgb) { return CountIn(RECT{x, 0, x + 1, height_}, rgb); }

 private:
  int width_, height_;
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ old_;
  uint32_t* bits_ = nullptr;
  CDC cdc_;
};
